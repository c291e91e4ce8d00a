#include "app_game_flow.h"

#include "app_application.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_game_state.h"
#include "app_hints.h"
#include "app_object_timer.h"
#include "qzf_form_handler.h"

namespace AppGameFlow {

CAppGameForm* playScreen(const CAppApplication& app) {
  CQZFFormHandler* handler = app.getFormHandler();
  return dynamic_cast<CAppGameForm*>(handler ? handler->findForm(kAppFormGame) : nullptr);
}

CAppGame* playGame(const CAppApplication& app) {
  CAppGameForm* form = playScreen(app);
  return form ? form->game() : nullptr;
}

CAppProfile::GameState gameState(const CAppApplication& app) {
  CAppProfile::GameState state;
  const CAppGame* game = playGame(app);
  const CAppSettings* settings = app.getSettings();
  state.won = game && game->isEndAnimationRunning();
  state.finishedOrAbsent = !game || game->isFinished();
  state.gameType = game ? static_cast<uint32_t>(game->type()) : settings ? settings->currentGameType : 1;
  return state;
}

bool isOver(const CAppGame& game) { return game.isFinished() && !game.keepsPlaying(); }

void bookLoss(CAppApplication& app, uint32_t type, bool stopClock) {
  CAppGame* game = playGame(app);
  CAppUserForm* profile = app.getUserForm();
  if (!game || !profile) return;
  if (stopClock) game->gameClock().stop();
  profile->recordGameResult(type, false, game->gameClock().getElapsed(),
                            static_cast<int16_t>(game->hints().hintsShown()),
                            static_cast<int16_t>(game->state().undoCount()), gameState(app));
}

void nextGame(CAppApplication& app) {
  if (CAppGameForm* play = playScreen(app); play && !play->isClosed()) {
    play->dealAnew();
    return;
  }
  CQZFFormHandler* handler = app.getFormHandler();
  CAppUserForm* profile = app.getUserForm();
  if (!handler || !profile) return;
  handler->closeFormsTo(kAppFormUser, false);
  if (app.openForm(kAppFormGame, kAppTagGame, 0) != 0) return;
  const uint32_t type = profile->settings().currentGameType;
  if (type >= 1 && type <= kAppGameTypes && profile->profile().getSavedGameLength(static_cast<int>(type - 1))) {
    static_cast<void>(app.openForm(kAppFormResumeGame, kAppTagAlert, 0));
  }
}

void backToTitle(CAppApplication& app) {
  CQZFFormHandler* handler = app.getFormHandler();
  if (!handler) return;
  handler->closeFormsTo(kAppFormUser, false);
  static_cast<void>(app.openForm(kAppFormTitle, kAppTagTitle, 0));
}

}  // namespace AppGameFlow
