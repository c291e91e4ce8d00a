#include "app_form_gamesettings.h"

#include <string>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_newgame.h"
#include "app_form_title.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_game_preview.h"
#include "app_game_toolbar.h"
#include "app_settings.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_resource.h"

namespace {

constexpr uint16_t kTitle = 1145;
constexpr uint16_t kAutoMoveNames[CAppGameSettingsForm::kChoices] = {1625, 1623, 1624};
constexpr uint16_t kHighlightNames[CAppGameSettingsForm::kChoices] = {1622, 1065, 1519};
// The option block's bytes.
enum : int {
  kByteAutoMove = 0,
  kByteAutoTurn = 1,
  kByteOneTap = 2,
  kByteAnimate = 3,
  kByteNewDeal = 4,
  kByteMarkAll = 5,
  kByteMarkBest = 6,
  kByteToolbar = 7,
};

int16_t reportFailure(CQZFObject* form, int line, int16_t code) {
  return CQZFApplication::report(form, "app_form_gamesettings", line, code);
}

int cycle(int choice, bool forward) {
  const int n = CAppGameSettingsForm::kChoices;
  return (choice + (forward ? 1 : n - 1)) % n;
}

uint8_t flag(bool on) { return on ? 1 : 0; }

}  // namespace

CAppGameSettingsForm::CAppGameSettingsForm() { setName(kAppTagGameSettings); }

int16_t CAppGameSettingsForm::bindProfile() {
  return AppBindChoiceForm(*this, app_, settings_) ? 0 : reportFailure(this, __LINE__, QZ_ERR_BAD_STATE);
}

int16_t CAppGameSettingsForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = bindProfile(); r < 0) return r;
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return reportFailure(this, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  return 0;
}

// The current type's block (type 1's for a type outside 1-12).
uint8_t* CAppGameSettingsForm::options() const {
  const uint32_t type = settings_->currentGameType;
  return settings_->gameOptions[type >= 1 && type <= kAppGameTypes ? type - 1 : 0];
}

int CAppGameSettingsForm::highlightOf(const uint8_t* block) {
  if (block[kByteMarkBest]) return 1;
  return block[kByteMarkAll] ? 2 : 0;
}

Handled CAppGameSettingsForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened) return Handled::kPassOn;
  fill();
  return Handled::kDone;
}

void CAppGameSettingsForm::fill() {
  if (!settings_) return;
  const uint8_t* block = options();
  autoMove_ = block[kByteAutoMove] < kChoices ? block[kByteAutoMove] : 0;
  highlight_ = highlightOf(block);
  setGadgetValue(kAutoTurn, flag(block[kByteAutoTurn]));
  setGadgetValue(kOneTap, flag(block[kByteOneTap]));
  setGadgetValue(kAnimate, flag(block[kByteAnimate]));
  setGadgetValue(kNewDealOption, flag(block[kByteNewDeal]));
  setGadgetValue(kToolbarOrder, flag(block[kByteToolbar]));
  showChoices();
  // The title names the game; a growing string, so a long name never overruns it.
  std::u16string title = CQZFResourceManager::getStringText(kTitle);
  const size_t at = title.find(u'#');
  const uint16_t name = AppGameNameString(static_cast<int32_t>(settings_->currentGameType));
  if (at != std::u16string::npos && name) title.replace(at, 1, CQZFResourceManager::getStringText(name));
  setTitle(title.c_str());
  removeGadget(kToolbarOrder);
  if (CQZFGadgetHandler* gadgets = getGadgetHandler()) gadgets->setFocus(kAutoMove);
}

void CAppGameSettingsForm::showChoices() {
  setGadgetValue(kAutoMove, kAutoMoveNames[autoMove_]);
  setGadgetValue(kHighlight, kHighlightNames[highlight_]);
}

void CAppGameSettingsForm::cycleAutoMove(bool forward) {
  autoMove_ = cycle(autoMove_, forward);
  showChoices();
}

void CAppGameSettingsForm::cycleHighlight(bool forward) {
  highlight_ = cycle(highlight_, forward);
  showChoices();
}

void CAppGameSettingsForm::setDefaults() {
  setGadgetValue(kAutoTurn, 1);
  setGadgetValue(kOneTap, 1);
  setGadgetValue(kAnimate, 1);
  setGadgetValue(kNewDealOption, 0);
  setGadgetValue(kToolbarOrder, 0);
  autoMove_ = 0;
  highlight_ = 0;
  showChoices();
}

bool CAppGameSettingsForm::hasChanges() const {
  if (!settings_) return false;
  const uint8_t* block = options();
  return autoMove_ != block[kByteAutoMove] || ticked(kAutoTurn) != (block[kByteAutoTurn] != 0) ||
         ticked(kOneTap) != (block[kByteOneTap] != 0) || ticked(kAnimate) != (block[kByteAnimate] != 0) ||
         ticked(kNewDealOption) != (block[kByteNewDeal] != 0) || highlight_ != highlightOf(block) ||
         ticked(kToolbarOrder) != (block[kByteToolbar] != 0);
}

CAppGameForm* CAppGameSettingsForm::playScreen() const {
  CQZFFormHandler* handler = app_ ? app_->getFormHandler() : nullptr;
  auto* play = handler ? dynamic_cast<CAppGameForm*>(handler->findForm(kAppFormGame)) : nullptr;
  return play && !play->isClosed() && play->game() ? play : nullptr;
}

// The option that needs a new deal is only flipped without a game in
// progress; otherwise alert 1451 asks (its yes button flips it and deals).
void CAppGameSettingsForm::apply() {
  if (!settings_) return;
  uint8_t* block = options();
  CAppGameForm* play = playScreen();
  CAppGame* game = play ? play->game() : nullptr;
  bool settle = false;
  if (block[kByteAutoMove] != autoMove_) {
    block[kByteAutoMove] = static_cast<uint8_t>(autoMove_);
    settle = true;
  }
  block[kByteAutoTurn] = flag(ticked(kAutoTurn));
  block[kByteAnimate] = flag(ticked(kAnimate));
  if (block[kByteOneTap] != flag(ticked(kOneTap))) {
    block[kByteOneTap] = flag(ticked(kOneTap));
    settle = true;
  }
  if (block[kByteNewDeal] != flag(ticked(kNewDealOption))) {
    if (game && !game->isEndAnimationRunning()) {
      static_cast<void>(app_->openForm(kNewDealAlert, kAppTagAlert, 0));
    } else {
      settings_->settingsChanged = 1;
      block[kByteNewDeal] = flag(block[kByteNewDeal] == 0);
      CQZFFormHandler* handler = app_->getFormHandler();
      auto* title = handler ? dynamic_cast<CAppTitleForm*>(handler->findForm(kAppFormTitle)) : nullptr;
      if (title && title->preview()) title->preview()->setGameType(static_cast<int32_t>(settings_->currentGameType));
      if (game) {
        play->pullSettings();
        game->newGame(true);
      }
    }
  }
  if (highlightOf(block) != highlight_) {
    block[kByteMarkBest] = flag(highlight_ == 1);
    block[kByteMarkAll] = flag(highlight_ == 2);
    if (block[kByteMarkBest] || block[kByteMarkAll]) {
      if (CAppUserForm* profile = app_->getUserForm()) profile->profile().noHintThisGame = 0;
    }
    settle = true;
  }
  const uint8_t toolbar = flag(ticked(kToolbarOrder));
  const bool toolbarChanged = block[kByteToolbar] != toolbar;
  block[kByteToolbar] = toolbar;
  if (!game) return;
  play->pullSettings();
  if (toolbarChanged && play->toolbar()) play->toolbar()->arrangeButtons();
  if (settle) game->requestSettle();
  game->settle();
}

void CAppGameSettingsForm::closeForm() {
  invalidate();
  close();
}

Handled CAppGameSettingsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_ || event.type != kQZFEventButton) return Handled::kPassOn;
  app_->playSelectSound();
  switch (event.gadgetId) {
    case kOk: {
      if (!hasChanges()) {
        closeForm();
        return Handled::kDone;
      }
      apply();
      // Then the same options for every game? An alert that cannot open
      // leaves nothing to answer, so the form closes.
      const CQZFFormHandler* handler = app_->getFormHandler();
      if (handler && handler->getTopFormId() == getFormId() && app_->openForm(kAllGamesAlert, kAppTagAlert, 0) < 0) {
        closeForm();
      }
      return Handled::kDone;
    }
    case kCancel: closeForm(); return Handled::kDone;
    case kDefaults: setDefaults(); return Handled::kDone;
    case kAutoMove:
    case kAutoMoveForward: cycleAutoMove(true); return Handled::kPassOn;
    case kAutoMoveBack: cycleAutoMove(false); return Handled::kPassOn;
    case kHighlight:
    case kHighlightForward: cycleHighlight(true); return Handled::kPassOn;
    case kHighlightBack: cycleHighlight(false); return Handled::kPassOn;
    default: return Handled::kPassOn;
  }
}

Handled CAppGameSettingsForm::onKeyEvent(const QZFKeyEvent& key) {
  if (!key.keyDown || (key.code != kQZFKeyLeft && key.code != kQZFKeyRight)) return Handled::kPassOn;
  const CQZFGadgetHandler* gadgets = getGadgetHandler();
  const uint16_t focused = gadgets ? gadgets->getFocusedId() : QZ_NO_ID;
  if (focused == kAutoMove) cycleAutoMove(key.code == kQZFKeyRight);
  else if (focused == kHighlight) cycleHighlight(key.code == kQZFKeyRight);
  else return Handled::kPassOn;
  return Handled::kDone;
}
