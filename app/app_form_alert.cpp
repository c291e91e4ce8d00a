#include "app_form_alert.h"

#include <algorithm>

#include "app_application.h"
#include "app_form_chooseseed.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_game_flow.h"
#include "app_object_timer.h"
#include "app_preferences.h"
#include "app_settings.h"
#include "app_form_specificsettings.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"

namespace {

// The current game type (1-12), 0 without a profile or with a stored type out of range.
uint32_t currentType(const CAppApplication& app) {
  const CAppSettings* s = app.getSettings();
  return s && s->currentGameType >= 1 && s->currentGameType <= kAppGameTypes ? s->currentGameType : 0;
}

// A won game's result was booked when the win was found.
bool resultRecorded(const CAppGame& game) { return game.isEndAnimationRunning(); }

}  // namespace

void AppFormLook::applyThemeColour(CQZFForm& form, CAppApplication& app) {
  form.setBackgroundColour(app.getFormColour());
}

int16_t AppFormLook::openThemed(CQZFForm& form, uint16_t formId, uint32_t param, const char* source,
                                CAppApplication*& app) {
  app = form.findOwner<CAppApplication>();
  if (!app) return CQZFApplication::report(&form, source, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = form.CQZFForm::open(formId, param); r < 0) {
    return CQZFApplication::report(&form, source, __LINE__, r);
  }
  applyThemeColour(form, *app);
  return 0;
}

void AppFormLook::closeForm(CQZFForm& form) {
  form.invalidate();
  form.close();
}

void AppFormLook::closeToGameOrTitle(CQZFFormHandler& handler) {
  handler.closeFormsTo(handler.findForm(kAppFormGame) ? kAppFormGame : kAppFormTitle, false);
}

CAppAlertForm::CAppAlertForm() { setName(kAppTagAlert); }

Handled CAppAlertForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormOpened) {
    app_ = findOwner<CAppApplication>();
    if (app_) AppFormLook::applyThemeColour(*this, *app_);
  }
  return Handled::kDone;
}

Handled CAppAlertForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (event.type != kQZFEventButton || !app_ || !app_->getFormHandler()) return Handled::kPassOn;
  app_->playSelectSound();
  CQZFFormHandler& handler = *app_->getFormHandler();
  switch (event.gadgetId) {
    case kClose:
    case kCancel: break;
    case kBackToGame:
    case kBackToGameToo: AppFormLook::closeToGameOrTitle(handler); return Handled::kDone;
    case kRestart:
      // The game in progress is kept for the restart, as when leaving it.
      keepGame();
      handler.closeFormsTo(kAppFormUser, false);
      app_->requestReinitialise();
      return Handled::kDone;
    case kRestoreLanguage: QZFSetLanguage(static_cast<uint16_t>(getOpenParam())); break;
    case kQuit: app_->requestMinimise(); return Handled::kDone;
    case CAppSpecificGameSettingsForm::kConfirmInGame:
    case CAppSpecificGameSettingsForm::kConfirmSavedGame:
      CAppSpecificGameSettingsForm::confirmFromAlert(*app_, event.gadgetId);
      return Handled::kDone;
    default: return onGameButton(event.gadgetId) ? Handled::kDone : Handled::kPassOn;
  }
  AppFormLook::closeForm(*this);
  return Handled::kDone;
}

bool CAppAlertForm::onGameButton(uint16_t id) {
  CAppGame* game = AppGameFlow::playGame(*app_);
  switch (id) {
    case kUseDealNumber: useDealNumber(); return true;
    case kKeepAndLeave: keepAndLeave(); return true;
    case kResume: resume(); return true;
    case kDropSaved: dropSavedGame(); return true;
    case kReplay:
      if (game) {
        game->replayDeal();
        game->requestSettle();
        game->settle();
      }
      AppFormLook::closeForm(*this);
      return true;
    case kNewDeal: newDeal(); return true;
    case kChangeOption: changeOption(); return true;
    case kOptionForAll: optionForAll(); return true;
    default: return false;
  }
}

// A finished game is not kept for later (unless the player plays on).
bool CAppAlertForm::keepGame() {
  CAppGameForm* play = AppGameFlow::playScreen(*app_);
  CAppUserForm* profile = app_->getUserForm();
  const uint32_t type = currentType(*app_);
  if (!play || !play->game() || !profile || type == 0) return false;
  const int slot = static_cast<int>(type - 1);
  if (AppGameFlow::isOver(*play->game())) profile->discardSavedGame(slot);
  else static_cast<void>(profile->storeSavedGame(slot, *play));
  return true;
}

void CAppAlertForm::keepAndLeave() {
  CAppUserForm* profile = app_->getUserForm();
  if (!keepGame()) return;
  AppGameFlow::backToTitle(*app_);
  if (const CAppPreferences* players = app_->getPreferences()) {
    static_cast<void>(profile->saveProfile(players->getCurrent()));
  }
}

// A saved game that cannot be read back is dropped, so it is not offered again.
void CAppAlertForm::resume() {
  CAppGameForm* play = AppGameFlow::playScreen(*app_);
  CAppUserForm* profile = app_->getUserForm();
  const uint32_t type = currentType(*app_);
  int16_t status = QZ_ERR_GENERAL;
  if (play && play->game() && profile && type != 0) {
    const int slot = static_cast<int>(type - 1);
    status = profile->restoreSavedGame(slot, *play, true);
    if (status < 0) profile->discardSavedGame(slot);
    else profile->settings().dealNumber[slot] = play->game()->dealNumber();
  }
  if (status >= 0) {
    AppFormLook::closeForm(*this);
    return;
  }
  AppGameFlow::backToTitle(*app_);
  static_cast<void>(app_->openForm(kAppFormRestoreFailed, kAppTagAlert, 0));
}

void CAppAlertForm::dropSavedGame() {
  const uint32_t type = currentType(*app_);
  CAppUserForm* profile = app_->getUserForm();
  if (type != 0 && profile) {
    AppGameFlow::bookLoss(*app_, type, true);
    profile->advanceDealNumber(static_cast<int>(type - 1));
    profile->discardSavedGame(static_cast<int>(type - 1));
  }
  AppGameFlow::nextGame(*app_);
  AppFormLook::closeForm(*this);
}

void CAppAlertForm::useDealNumber() {
  CQZFFormHandler& handler = *app_->getFormHandler();
  auto* chooser = dynamic_cast<CAppChooseSeedForm*>(handler.findForm(kAppFormChooseSeed));
  if (!chooser) return;
  const CAppGame* game = AppGameFlow::playGame(*app_);
  if (game && !resultRecorded(*game)) AppGameFlow::bookLoss(*app_, currentType(*app_), false);
  chooser->applyDealNumber();
  AppFormLook::closeToGameOrTitle(handler);
  AppGameFlow::nextGame(*app_);
}

void CAppAlertForm::newDeal() {
  CAppGame* game = AppGameFlow::playGame(*app_);
  CAppUserForm* profile = app_->getUserForm();
  const uint32_t type = currentType(*app_);
  if (game && profile && type != 0) {
    game->gameClock().stop();
    if (!resultRecorded(*game)) {
      AppGameFlow::bookLoss(*app_, type, false);
      profile->advanceDealNumber(static_cast<int>(type - 1));
    }
  }
  AppGameFlow::nextGame(*app_);
  AppFormLook::closeForm(*this);
}

void CAppAlertForm::changeOption() {
  CAppSettings* settings = app_->getSettings();
  const uint32_t type = currentType(*app_);
  if (!settings || type == 0) return;
  settings->settingsChanged = 1;
  uint8_t& option = settings->gameOptions[type - 1][kAskedOption];
  option = option ? 0 : 1;
  static_cast<void>(app_->openForm(kAppFormOptionChanged, kAppTagAlert, 0));
  if (CAppGameForm* play = AppGameFlow::playScreen(*app_)) play->dealAnew();
}

void CAppAlertForm::optionForAll() {
  CAppSettings* settings = app_->getSettings();
  const uint32_t type = currentType(*app_);
  if (settings && type != 0) {
    uint8_t chosen[kAppOptionBytes];
    std::copy_n(settings->gameOptions[type - 1], kAppOptionBytes, chosen);
    for (auto& options : settings->gameOptions) std::copy_n(chosen, kAppOptionBytes, options);
  }
  AppFormLook::closeToGameOrTitle(*app_->getFormHandler());
}
