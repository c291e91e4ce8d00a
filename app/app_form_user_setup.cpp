#include "app_form_user_setup.h"

#include <string>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_preferences.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_list.h"
#include "qzf_helpers.h"
#include "qzf_resource.h"

namespace {

constexpr uint16_t kNoPlayerText = 1119;
constexpr uint16_t kListFont = 0;
constexpr uint8_t kCentred = 1;

int16_t reportFailure(CQZFObject* form, int line, int16_t code) {
  return CQZFApplication::report(form, "app_forms_user_setup", line, code);
}

// The user error a new name earns, 0 when it may be used.
int32_t checkName(const CAppPreferences& players, const char16_t* name) {
  const uint16_t length = QZFWStrLen(name);
  if (length == 0 || length > CAppPreferences::kMaxNameLength) return CAppUserManager::kErrorBadName;
  if (players.find(name) >= 0) return CAppUserManager::kErrorNameTaken;
  return 0;
}

}  // namespace

// --- Shared -----------------------------------------------------------------------

int16_t CAppUserSetupForm::open(uint16_t formId, uint32_t param) {
  app_ = findOwner<CAppApplication>();
  if (!app_ || !app_->getFormHandler()) return reportFailure(this, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return reportFailure(this, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  if (namesPlayer()) showPlayerName(player());
  return 0;
}

Handled CAppUserSetupForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.type == kQZFEventList) return onRowChosen(event.rowIndex);
  if (event.type != kQZFEventButton) return Handled::kPassOn;
  return onButton(event.gadgetId);
}

Handled CAppUserSetupForm::onKeyEvent(const QZFKeyEvent& key) {
  if (key.code != kQZFKeyBack || nameEntry() == 0) return Handled::kPassOn;
  const char16_t* typed = getGadgetText(nameEntry());
  if (typed && *typed) return Handled::kPassOn;
  return key.keyDown ? onBack() : Handled::kDone;
}

void CAppUserSetupForm::closeForm() {
  invalidate();
  close();
}

void CAppUserSetupForm::showPlayerName(int user) {
  const CAppPreferences* players = app_->getPreferences();
  const char16_t* name = players ? players->getName(user) : nullptr;
  char16_t nobody[CAppPreferences::kNameUnits * 2] = {};
  if (!name) {
    CQZFResourceManager::getString(kNoPlayerText, nobody, static_cast<int>(std::size(nobody)));
    name = nobody;
  }
  replaceInGadgetText(kLabel, kNameToken, name);
}

// --- Create -----------------------------------------------------------------------

CAppCreateUserForm::CAppCreateUserForm() { setName(kAppTagCreateUser); }

Handled CAppCreateUserForm::onButton(uint16_t id) {
  if (id == kCancel) {
    closeForm();
    return Handled::kDone;
  }
  if (id != kOk) return Handled::kPassOn;
  static_cast<void>(createUser());
  return Handled::kDone;
}

Handled CAppCreateUserForm::onBack() {
  if (getGadget(kCancel) || !app_) return CAppUserSetupForm::onBack();
  app_->requestMinimise();
  return Handled::kDone;
}

// A refused name leaves the form open for another try.
int16_t CAppCreateUserForm::createUser() {
  const char16_t* typed = getGadgetText(kName);
  CAppPreferences* players = app_->getPreferences();
  if (!typed || !players || !app_->getUserForm()) return reportFailure(this, __LINE__, QZ_ERR_BAD_STATE);
  const std::u16string name(typed);
  CAppUserManager& users = app_->users();
  if (const int32_t error = checkName(*players, name.c_str()); error != 0) {
    users.setUserError(error);
    return 0;
  }
  const int16_t previous = players->getCurrent();
  int16_t index = -1;
  if (!players->addUser(name.c_str(), &index)) {
    users.setUserError(CAppUserManager::kErrorNotAdded);
  } else {
    const bool fromSelect = app_->getFormHandler()->findForm(kAppFormSelectUser) != nullptr;
    users.requestCreateUser(name.c_str(), index, fromSelect ? kAppFormSelectUser : kAppFormTitle, previous);
  }
  closeForm();
  return 0;
}

// --- Select -----------------------------------------------------------------------

CAppSelectUserForm::CAppSelectUserForm() { setName(kAppTagSelectUser); }

int16_t CAppSelectUserForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = CAppUserSetupForm::open(formId, param); r < 0) return r;
  const CAppPreferences* players = app_->getPreferences();
  const int16_t current = players ? players->getCurrent() : -1;
  if (CAppUserForm* profile = app_->getUserForm(); profile && players && players->isValidIndex(current)) {
    static_cast<void>(profile->saveProfile(current));
  }
  fillList();
  showPlayerName(current);
  return 0;
}

void CAppSelectUserForm::fillList() {
  auto* list = dynamic_cast<CQZFGadgetList*>(getGadget(kList));
  const CAppPreferences* players = app_->getPreferences();
  if (!list || !players) return;
  list->clear();
  for (int i = 0; i < players->getCount(); ++i) {
    static_cast<void>(list->addItem(static_cast<uint16_t>(i), kCentred, kListFont, players->getName(i)));
  }
  list->selectItem(players->isValidIndex(players->getCurrent()) ? players->getCurrent() : 0);
}

int CAppSelectUserForm::selectedRow() const {
  const auto* list = dynamic_cast<const CQZFGadgetList*>(getGadget(kList));
  const CAppPreferences* players = app_->getPreferences();
  // The marked row: the current player until another row is chosen. The
  // cursor alone may rest anywhere (it starts on the first row).
  const int row = list ? list->getSelected() : -1;
  return players && players->isValidIndex(row) ? row : -1;
}

Handled CAppSelectUserForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormActivated && app_) fillList();
  return Handled::kPassOn;
}

Handled CAppSelectUserForm::onRowChosen(int row) {
  if (auto* list = dynamic_cast<CQZFGadgetList*>(getGadget(kList))) list->selectItem(row);
  return Handled::kDone;
}

Handled CAppSelectUserForm::onButton(uint16_t id) {
  const int row = selectedRow();
  const CAppPreferences* players = app_->getPreferences();
  switch (id) {
    case kChoose:
    case kPlay:
      if (row < 0) break;
      app_->getFormHandler()->closeFormsTo(kAppFormUser, false);
      if (CAppUserForm* profile = app_->getUserForm(); profile && players->isValidIndex(players->getCurrent())) {
        static_cast<void>(profile->saveProfile(players->getCurrent()));
      }
      app_->users().requestLoadUser(static_cast<int16_t>(row), kAppFormTitle);
      break;
    case kRename:
    case kDelete:
      if (row < 0) break;
      static_cast<void>(app_->openForm(id == kRename ? kAppFormRenameUser : kAppFormDeleteUser,
                                       id == kRename ? kAppTagRenameUser : kAppTagDeleteUser,
                                       static_cast<uint32_t>(row)));
      break;
    case kNew:
      if (players && players->getCount() >= CAppPreferences::kMaxUsers) {
        app_->users().setUserError(CAppUserManager::kErrorListFull);
      } else {
        static_cast<void>(app_->openForm(kAppFormCreateUser, kAppTagCreateUser, 0));
      }
      break;
    default: return Handled::kPassOn;
  }
  return Handled::kDone;
}

// --- Rename -----------------------------------------------------------------------

CAppRenameUserForm::CAppRenameUserForm() { setName(kAppTagRenameUser); }

Handled CAppRenameUserForm::onButton(uint16_t id) {
  if (id == kOk) {
    const char16_t* typed = getGadgetText(kName);
    const CAppPreferences* players = app_->getPreferences();
    if (!typed || !players) {
      static_cast<void>(reportFailure(this, __LINE__, QZ_ERR_BAD_STATE));
      return Handled::kDone;
    }
    const std::u16string name(typed);
    if (const int32_t error = checkName(*players, name.c_str()); error != 0) app_->users().setUserError(error);
    else app_->users().requestRenameUser(name.c_str(), player());
  } else if (id != kCancel) {
    return Handled::kPassOn;
  }
  closeForm();
  return Handled::kDone;
}

// --- Delete -----------------------------------------------------------------------

CAppDeleteUserForm::CAppDeleteUserForm() { setName(kAppTagDeleteUser); }

Handled CAppDeleteUserForm::onButton(uint16_t id) {
  if (id == kConfirm) static_cast<void>(deleteSelectedUser());
  else if (id != kCancel) return Handled::kPassOn;
  closeForm();
  return Handled::kDone;
}

// The player goes with its database; the current player (or the first one,
// when the current one went) is loaded again, and with nobody left a new
// player must be made.
int16_t CAppDeleteUserForm::deleteSelectedUser() {
  CAppPreferences* players = app_->getPreferences();
  if (!players || !app_->getUserForm()) return reportFailure(this, __LINE__, QZ_ERR_BAD_STATE);
  const int16_t current = players->getCurrent();
  const bool wasCurrent = player() == current;
  if (!app_->users().deleteUser(player())) return 0;
  if (players->getCount() > 0) {
    app_->users().requestLoadUser(wasCurrent ? 0 : players->getCurrent(), kAppFormSelectUser);
    return 0;
  }
  players->setCurrent(-1);
  if (app_->openForm(kAppFormCreateUser, kAppTagCreateUser, 0) == 0) {
    app_->getFormHandler()->findForm(kAppFormCreateUser)->removeGadget(kCancel);
  }
  return 0;
}

// --- Import -----------------------------------------------------------------------

CAppImportUserForm::CAppImportUserForm() { setName(kAppTagImportUser); }

Handled CAppImportUserForm::onButton(uint16_t id) {
  if (id == kKeep) {
    closeForm();
    return Handled::kDone;
  }
  if (id != kCancel) return Handled::kPassOn;
  CAppUserForm* profile = app_->getUserForm();
  if (!profile) app_->users().setUserError(CAppUserManager::kErrorNotAdded);
  else static_cast<void>(profile->startNewProfile(player()));
  return Handled::kDone;
}
