// The application with the built forms and strings, its real alerts and
// end-of-game forms, and a play screen to act on.
#pragma once

#include <algorithm>
#include <iterator>

#include <string>

#include "app_built_data.h"
#include "app_card.h"
#include "app_card_pile.h"
#include "app_fixture.h"
#include "app_form_about.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_game_end.h"
#include "app_form_stats.h"
#include "app_form_trophy_alert.h"
#include "app_game.h"
#include "app_game_flow.h"
#include "app_settings.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"

class AlertFormsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    serveBuiltData();
  }
  void TearDown() override {
    AppTest::TearDown();
    CQZResourceManager::instance().reset();
  }
  // The application started with the real alert (the title stays a stand-in).
  void start() {
    AppTest::start();
    app_->registerClass<CAppAlertForm>(kAppTagAlert);
    closeAbove(kAppFormTitle);
  }
  // A game of the type dealt on the play screen, the deal finished.
  CAppGame* play(uint32_t type = 1) {
    start();
    app_->getSettings()->currentGameType = type;
    // A player who has seen the tour and the game's rules: no help opens.
    app_->getSettings()->tutorialPending = 0;
    std::fill(std::begin(profile().instructionsShown), std::end(profile().instructionsShown), 1);
    app_->startChosenGame();
    frames(1);
    CAppGame* game = AppGameFlow::playGame(*app_);
    if (!game) return nullptr;
    game->finishDealAnimation();
    frames(1);
    return game;
  }
  CQZFForm* open(uint16_t formId, const char* tag) {
    if (app_->openForm(formId, tag, 0) != 0) return nullptr;
    return app_->getFormHandler()->findForm(formId);
  }
  void closeAbove(uint16_t formId) {
    app_->getFormHandler()->closeFormsTo(formId, false);
    frames(1);
  }
  static void press(CQZFForm& form, uint16_t button) {
    CQZFGadgetEvent event;
    event.gadgetId = button;
    event.type = kQZFEventButton;
    static_cast<void>(form.onGadgetEvent(event));
  }
  static std::u16string text(const CQZFForm& form, uint16_t gadget) {
    const char16_t* t = form.getGadgetText(gadget);
    return t ? t : u"";
  }
  CAppProfile& profile() { return app_->getUserForm()->profile(); }
  uint16_t topForm() const { return app_->getFormHandler()->getTopFormId(); }
};
