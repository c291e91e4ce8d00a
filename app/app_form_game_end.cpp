#include "app_form_game_end.h"

#include <iterator>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_game_flow.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"
#include "qzf_resource.h"

// --- Shared -----------------------------------------------------------------------

int16_t CAppGameEndForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = AppFormLook::openThemed(*this, formId, param, sourceName(), app_); r < 0) return r;
  const CAppUserForm* profile = app_->getUserForm();
  const CAppSettings* settings = app_->getSettings();
  const int16_t* streak = nullptr;
  if (profile && settings && settings->currentGameType >= 1 && settings->currentGameType <= kAppGameTypes) {
    streak = &profile->profile().statistics[settings->currentGameType].currentStreak;
  }
  char16_t line[40 + 1 + 21] = {};
  CQZFResourceManager::getString(kStreakText, line, 40);
  QZFWStrCat(line, static_cast<int>(std::size(line)), u" ");
  char16_t number[22] = {};
  QZFWStrCat(line, static_cast<int>(std::size(line)), QZFIntToString(number, shownStreak(streak)));
  setGadgetText(kStreakLabel, line);
  return 0;
}

Handled CAppGameEndForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.type != kQZFEventButton) return Handled::kPassOn;
  return onButton(event.gadgetId) ? Handled::kDone : Handled::kPassOn;
}

void CAppGameEndForm::closeForm() { AppFormLook::closeForm(*this); }

// --- Game over --------------------------------------------------------------------

CAppGameOverForm::CAppGameOverForm() { setName(kAppTagGameOver); }

int32_t CAppGameOverForm::shownStreak(const int16_t* streak) const {
  if (!streak || *streak > 0) return -1;
  return *streak - 1;
}

void CAppGameOverForm::bookLoss(const CAppGame& game) {
  AppGameFlow::bookLoss(*app_, static_cast<uint32_t>(game.type()), false);
}

bool CAppGameOverForm::onButton(uint16_t id) {
  CAppGame* game = AppGameFlow::playGame(*app_);
  CAppUserForm* profile = app_->getUserForm();
  const bool known = id == kReplay || id == kNextDeal || id == kToTitle || id == kUndoToMove || id == kPlayOn;
  if (!known) return false;
  if (!game || !profile) {
    closeForm();
    return true;
  }
  const int slot = game->type() - 1;
  switch (id) {
    case kReplay:
      bookLoss(*game);
      game->replayDeal();
      break;
    case kNextDeal:
      bookLoss(*game);
      profile->advanceDealNumber(slot);
      AppGameFlow::nextGame(*app_);
      break;
    case kToTitle:
      AppGameFlow::backToTitle(*app_);
      bookLoss(*game);
      profile->advanceDealNumber(slot);
      profile->discardSavedGame(slot);
      return true;
    case kUndoToMove:
      game->requestSettle();
      game->undoUntilMovesAvailable();
      break;
    default:
      game->requestSettle();
      game->setKeepPlaying(true);
      break;
  }
  closeForm();
  return true;
}

// --- Game won ---------------------------------------------------------------------

CAppGameWonForm::CAppGameWonForm() { setName(kAppTagGameWon); }

bool CAppGameWonForm::onButton(uint16_t id) {
  if (id == kNextDeal) {
    AppGameFlow::nextGame(*app_);
  } else if (id == kToTitle) {
    AppGameFlow::backToTitle(*app_);
  } else {
    return false;
  }
  closeForm();
  return true;
}
