#include "app_user_manager.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app_application.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_preferences.h"
#include "qzf_database.h"
#include "qzf_form_handler.h"
#include "qzf_helpers.h"

namespace {

constexpr uint32_t kUserType = QZFourCC("USER");
constexpr uint16_t kAlertText = 20;
constexpr uint16_t kAlertButtonGadget = 1;

// The alert text of each user error (none for codes no path produces).
uint16_t errorText(int32_t code) {
  switch (code) {
    case 1: return 1138;
    case 2: return 1137;
    case 3: return 1136;
    case 4: return 1139;
    case 5: return 1140;
    case 6: return 1279;
    case 7: return 1281;
    case 8: return 1280;
    default: return 0;
  }
}

}  // namespace

void CAppUserManager::requestLoadUser(int16_t user, uint16_t returnFormId) {
  pendingAction_ = kLoad;
  pendingUser_ = user;
  returnFormId_ = returnFormId;
}

void CAppUserManager::requestRenameUser(const char16_t* name, int16_t user) {
  pendingAction_ = kRename;
  pendingUser_ = user;
  std::fill(std::begin(pendingName_), std::end(pendingName_), u'\0');
  QZFWStrCopyN(pendingName_, name, CAppPreferences::kMaxNameLength);
}

void CAppUserManager::requestCreateUser(const char16_t* name, int16_t user, uint16_t returnFormId,
                                        int16_t previousUser) {
  requestRenameUser(name, user);
  pendingAction_ = kCreate;
  returnFormId_ = returnFormId;
  previousUser_ = previousUser;
}

int16_t CAppUserManager::postUpdate() {
  if (userError_ != 0) {
    recover();
    return 0;
  }
  switch (pendingAction_) {
    case kLoad: return loadUser();
    case kRename: return renameUser();
    case kCreate: return createUser();
    default: return 0;
  }
}

void CAppUserManager::removeAllForms() {
  CQZFFormHandler* handler = app_.getFormHandler();
  if (!handler) return;
  handler->closeAllForms();
  handler->tick();
  app_.setSettings(nullptr);
}

void CAppUserManager::saveCurrentProfile() {
  CAppPreferences* players = app_.getPreferences();
  CAppUserForm* profile = app_.getUserForm();
  if (players && profile && players->isValidIndex(players->getCurrent())) {
    static_cast<void>(profile->saveProfile(players->getCurrent()));
  }
}

int16_t CAppUserManager::restore(const char16_t* databaseName, bool* damaged) {
  CQZFFormHandler* handler = app_.getFormHandler();
  if (!handler) return QZ_ERR_BAD_STATE;
  const int16_t r = handler->restoreForms(QZFGetCreatorID(), databaseName, false, kAppFormUser);
  CQZFFormHandler::RestoreDamage damage;
  const bool found = handler->takeRestoreDamage(damage);
  if (damaged) *damaged = found;
  if (found) {
    std::u16string player(databaseName);
    player.resize(player.size() - QZFWStrLen(CAppPreferences::kDatabaseSuffix));
    app_.storageNotices().addRestoreDamage(player.c_str(), damage, r < 0 || !app_.getUserForm());
  }
  return r;
}

bool CAppUserManager::restorePlayer(int16_t user) {
  CAppPreferences* players = app_.getPreferences();
  char16_t name[CAppPreferences::kNameUnits] = {};
  char16_t database[CAppPreferences::kDatabaseNameUnits] = {};
  if (!players || !players->getName(user, name) || !players->getDatabaseName(user, database)) return false;
  bool damaged = false;
  if (restore(database, &damaged) >= 0 && app_.getUserForm()) return true;
  if (!damaged) return false;
  removeAllForms();
  if (app_.openForm(kAppFormUser, kAppTagUser, 0) < 0 || !app_.getUserForm()) return false;
  CAppProfile& profile = app_.getUserForm()->profile();
  profile.reset();
  QZFWStrCopyN(profile.userName, name, CAppPreferences::kMaxNameLength);
  return true;
}

void CAppUserManager::openPlayerForms() {
  CQZFFormHandler* handler = app_.getFormHandler();
  handler->closeFormsTo(kAppFormUser, false);
  static_cast<void>(app_.openForm(kAppFormTitle, kAppTagTitle, 0));
  static_cast<void>(app_.openForm(kAppFormSelectUser, kAppTagSelectUser, 0));
  handler->closeFormsTo(returnFormId_, false);
  CAppUserForm* profile = app_.getUserForm();
  app_.setSettings(profile ? &profile->settings() : nullptr);
  if (profile && profile->settings().colourScheme != app_.colourSchemes().getAppliedScheme()) {
    app_.applyColourScheme();
  }
}

int16_t CAppUserManager::loadUser() {
  pendingAction_ = kNone;
  CAppPreferences* players = app_.getPreferences();
  if (!players || !players->isValidIndex(pendingUser_)) return QZ_ERR_GENERAL;
  removeAllForms();
  if (!restorePlayer(pendingUser_)) {
    if (pendingUser_ == players->getCurrent()) showProfileFailure();
    else if (players->isValidIndex(players->getCurrent())) requestLoadUser(players->getCurrent(), kAppFormSelectUser);
    else setUserError(kErrorNoPlayerLeft);
    return 0;
  }
  players->setCurrent(pendingUser_);
  openPlayerForms();
  return 0;
}

// The old database goes only once the data stands saved under the new name.
int16_t CAppUserManager::renameUser() {
  pendingAction_ = kNone;
  CAppPreferences* players = app_.getPreferences();
  char16_t oldName[CAppPreferences::kNameUnits] = {};
  char16_t oldDatabase[CAppPreferences::kDatabaseNameUnits] = {};
  if (!players || !players->getName(pendingUser_, oldName) || !players->getDatabaseName(pendingUser_, oldDatabase)) {
    return QZ_ERR_GENERAL;
  }
  removeAllForms();
  CAppUserForm* profile = restore(oldDatabase) < 0 ? nullptr : app_.getUserForm();
  if (!profile || profile->renameProfile(pendingUser_, pendingName_) < 0) {
    static_cast<void>(players->setName(pendingUser_, oldName));
    setUserError(kErrorRenameRead);
    return 0;
  }
  CQZFRsrcDatabase old;
  if (old.open(oldDatabase, QZFGetCreatorID(), kUserType, false) == 0) static_cast<void>(old.deleteDatabase());
  players->setCurrent(pendingUser_);
  requestLoadUser(pendingUser_, kAppFormSelectUser);
  return 0;
}

// The player who was current is saved first. A database of the new name
// that exists already is read, and its player becomes current, so that its
// data is never saved under another player's name.
int16_t CAppUserManager::createUser() {
  pendingAction_ = kNone;
  CAppPreferences* players = app_.getPreferences();
  if (!players) return QZ_ERR_GENERAL;
  const int16_t created = players->getCurrent();
  players->setCurrent(previousUser_);
  saveCurrentProfile();
  players->setCurrent(created);
  char16_t name[CAppPreferences::kDatabaseNameUnits] = {};
  QZFWStrCopyN(name, pendingName_, CAppPreferences::kMaxNameLength);
  QZFWStrCat(name, CAppPreferences::kDatabaseNameUnits, CAppPreferences::kDatabaseSuffix);
  removeAllForms();
  if (restore(name) >= 0 && app_.getUserForm()) {
    players->setCurrent(pendingUser_);
    openPlayerForms();
    static_cast<void>(app_.openForm(kAppFormImportUser, kAppTagImportUser, static_cast<uint32_t>(pendingUser_)));
    return 0;
  }
  removeAllForms();
  if (app_.openForm(kAppFormUser, kAppTagUser, 0) < 0 || !app_.getUserForm()) {
    showProfileFailure();
    return 0;
  }
  static_cast<void>(app_.getUserForm()->startNewProfile(pendingUser_));
  requestLoadUser(pendingUser_, returnFormId_);
  return 0;
}

bool CAppUserManager::deleteUser(int16_t user) {
  CAppPreferences* players = app_.getPreferences();
  char16_t name[CAppPreferences::kDatabaseNameUnits] = {};
  if (!players || !players->getDatabaseName(user, name)) return false;
  const bool wasCurrent = user == players->getCurrent();
  if (!players->deleteUser(user)) return false;
  // The profile form still holds the removed player's data: with no
  // current player nothing saves it under the name that now has the index.
  if (wasCurrent) players->setCurrent(-1);
  CQZFRsrcDatabase database;
  if (database.open(name, QZFGetCreatorID(), kUserType, false) == 0) static_cast<void>(database.deleteDatabase());
  return true;
}

void CAppUserManager::recover() {
  const int32_t code = userError_;
  if (CAppPreferences* players = app_.getPreferences()) players->setCurrent(-1);
  removeAllForms();
  static_cast<void>(app_.openForm(kAppFormUser, kAppTagUser, 0));
  static_cast<void>(app_.openForm(kAppFormTitle, kAppTagTitle, 0));
  static_cast<void>(app_.openForm(kAppFormSelectUser, kAppTagSelectUser, 0));
  CAppUserForm* profile = app_.getUserForm();
  app_.setSettings(profile ? &profile->settings() : nullptr);
  showUserAlert(kAlertTitle, errorText(code), kAlertButton);
  userError_ = 0;
  pendingAction_ = kNone;
}

void CAppUserManager::showUserAlert(uint16_t title, uint16_t text, int32_t button) {
  if (app_.openForm(kAppFormUserAlert, kAppTagAlert, 0) < 0) return;
  CQZFForm* alert = app_.getFormHandler()->findForm(kAppFormUserAlert);
  if (!alert) return;
  alert->setTitleById(title);
  alert->setGadgetValue(kAlertText, text);
  alert->setGadgetValue(kAlertButtonGadget, button);
}

void CAppUserManager::showProfileFailure() {
  if (app_.openForm(kAppFormProfileFailure, kAppTagAlert, 0) < 0) app_.requestMinimise();
}
