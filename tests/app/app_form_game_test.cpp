// The play screen in the application: it opens over the profile with the
// chosen game dealt, the keypad cursor (with the mirrored layout), the
// stylus drag that reaches the screen's edge, the toolbar's selection and
// order, and the profile's rules reaching the game.
#include <string>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_fixture.h"
#include "app_form_game.h"
#include "app_game.h"
#include "app_game_state.h"
#include "app_game_toolbar.h"
#include "app_in_hand_pile.h"
#include "app_profile.h"
#include "app_settings.h"
#include "app_tutorial_arrow.h"
#include "qzf_menu.h"
#include "wince/host/clock.h"

namespace {

class AppFormGameTest : public AppTest {
 protected:
  // Starts the application and the chosen game, its deal finished.
  CAppGameForm* play(uint32_t type = 1) {
    start();
    app_->getSettings()->currentGameType = type;
    app_->startChosenGame();
    frames(1);
    auto* form = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
    if (!form || !form->game()) return nullptr;
    form->game()->finishDealAnimation();
    form->game()->settle();
    frames(1);
    return form;
  }
  static void key(CAppGameForm& form, int32_t code) { static_cast<void>(form.onKey(QZFKeyEvent::key(code))); }
  static void character(CAppGameForm& form, char c) { static_cast<void>(form.onKey(QZFKeyEvent::character(c))); }
  static void pen(CAppGameForm& form, int type, int x, int y) {
    static_cast<void>(form.onPen(QZFPenEvent::make(type, x, y)));
  }
};

TEST_F(AppFormGameTest, StartingTheChosenGameShowsItDealtOverTheProfile) {
  CAppGameForm* form = play(2);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(forms().substr(0, 9), "1190 1010");
  EXPECT_EQ(form->game()->type(), 2);
  EXPECT_EQ(form->game()->kindCount(kPileTableau), 8);
  std::string dump;
  app_->describe(dump);
  EXPECT_NE(dump.find("game.type=2\n"), std::string::npos);
  EXPECT_NE(dump.find("game.deal=1\n"), std::string::npos);
}

TEST_F(AppFormGameTest, TheArrowsWalkTheGridAndTheMirroredLayoutSwapsLeftAndRight) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  // Without one-touch play every pile takes the focus. Klondike's grid:
  // stock, waste, then the foundations; the columns below. The first arrow
  // shows the focus on the stock.
  app_->getSettings()->gameOptions[0][kOptionOneTouch] = 0;
  frames(1);
  EXPECT_EQ(form->cursorPile(), -1);
  key(*form, kQZFKeyRight);
  EXPECT_EQ(form->cursorPile(), 12);
  key(*form, kQZFKeyRight);
  EXPECT_EQ(form->cursorPile(), 0);
  key(*form, kQZFKeyRight);  // the waste's second cell is skipped
  EXPECT_EQ(form->cursorPile(), 4);
  key(*form, kQZFKeyLeft);
  EXPECT_EQ(form->cursorPile(), 0);
  app_->getSettings()->gameOptions[0][kOptionMirror] = 1;
  frames(1);
  key(*form, kQZFKeyLeft);
  EXPECT_EQ(form->cursorPile(), 4);
  key(*form, kQZFKeyDown);
  EXPECT_EQ(form->cursorPile(), 8);
}

TEST_F(AppFormGameTest, SelectPlaysTheCardUnderTheCursorAndUndoTakesItBack) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  CAppGame& game = *form->game();
  // Deal 1: the jack of hearts on column 3 (pile 9) goes onto the queen of
  // clubs (pile 5). With one-touch play the focus goes from the stock
  // straight to the column that can play.
  for (int32_t k : {kQZFKeyRight, kQZFKeyRight}) key(*form, k);
  ASSERT_EQ(form->cursorPile(), 9);
  key(*form, kQZFKeyReturn);
  frames(1);
  EXPECT_EQ(game.pile(5)->count(), 8);
  EXPECT_EQ(game.pile(9)->count(), 2);
  character(*form, 'u');
  EXPECT_EQ(game.pile(5)->count(), 7);
  EXPECT_EQ(game.pile(9)->count(), 3);
  EXPECT_GT(game.state().redoSize(), 0u);
  character(*form, 'r');
  EXPECT_EQ(game.pile(5)->count(), 8);
}

TEST_F(AppFormGameTest, ADragThatReachesTheScreensEdgeDropsThere) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  CAppGame& game = *form->game();
  const CAppCard* jack = game.pile(9)->topCard();
  const int x = jack->x() + 10, y = jack->y() + 10;
  // Picking up and dragging (without one-touch the cards follow the pen).
  app_->getSettings()->gameOptions[0][kOptionOneTouch] = 0;
  frames(1);
  pen(*form, 1, x, y);
  pen(*form, 2, x + 20, y + 20);
  EXPECT_GT(game.inHand().count(), 0);
  pen(*form, 2, 235, y + 20);
  EXPECT_EQ(game.inHand().count(), 0);
  EXPECT_EQ(game.pile(9)->topCard(), jack);
  // The pen-up that follows finds nothing carried.
  pen(*form, 0, 235, y + 20);
  EXPECT_EQ(game.pile(9)->topCard(), jack);
}

TEST_F(AppFormGameTest, TheToolbarSelectionWrapsAndItsOrderFollowsTheOption) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  CAppGameToolbar& toolbar = *form->toolbar();
  EXPECT_EQ(toolbar.buttonImage(0), CAppGameToolbar::kInstructions);
  EXPECT_EQ(toolbar.buttonImage(5), CAppGameToolbar::kUndo);
  toolbar.moveSelection(false);
  EXPECT_EQ(toolbar.selected(), 5);
  toolbar.moveSelection(true);
  EXPECT_EQ(toolbar.selected(), 0);
  app_->getSettings()->gameOptions[0][kOptionToolbarOrder] = 1;
  frames(1);
  toolbar.arrangeButtons();
  EXPECT_EQ(toolbar.buttonImage(0), CAppGameToolbar::kUndo);
  EXPECT_EQ(toolbar.buttonImage(5), CAppGameToolbar::kInstructions);
  // With the toolbar focused the arrows move its selection, not the cursor.
  character(*form, 't');
  EXPECT_TRUE(toolbar.isFocused());
  key(*form, kQZFKeyRight);
  EXPECT_EQ(toolbar.selected(), 1);
  EXPECT_EQ(form->cursorPile(), -1);
}

TEST_F(AppFormGameTest, TheGameInProgressComesBackWithThePlayer) {
  start();
  createPlayer(u"Ann");
  app_->startChosenGame();
  frames(1);
  auto* form = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
  ASSERT_NE(form, nullptr);
  form->game()->finishDealAnimation();
  form->game()->settle();
  for (int32_t k : {kQZFKeyRight, kQZFKeyRight, kQZFKeyReturn}) key(*form, k);
  frames(1);
  ASSERT_EQ(form->game()->pile(5)->count(), 8);
  stop();
  start();
  form = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->game()->pile(5)->count(), 8);
  EXPECT_EQ(form->game()->pile(9)->count(), 2);
  EXPECT_GT(form->game()->state().undoSize(), 0u);
  // It opened with the player's card pictures to draw the table with.
  EXPECT_EQ(form->loadedArt().frontLarge, app_->getSettings()->cardFrontLargeSet);
  EXPECT_NE(form->loadedArt().backLarge, 0);
}

TEST_F(AppFormGameTest, TheProfilesRulesReachTheGame) {
  start();
  CAppSettings& s = *app_->getSettings();
  s.rules.klondike.drawCount = 1;
  s.rules.spider.suits = 2;
  s.rules.yukon.threeWayC = 0;
  s.currentGameType = 1;
  app_->startChosenGame();
  frames(1);
  auto* form = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
  ASSERT_NE(form, nullptr);
  const AppGameSettings& g = form->game()->settings();
  EXPECT_EQ(g.klondikeTurnCount, 1);
  EXPECT_EQ(g.spiderSuits, 2);
  EXPECT_EQ(g.yukonBuildSuit, 0u);
  EXPECT_EQ(g.currentGameType, 1);
}

TEST_F(AppFormGameTest, TheMenuUndoesRedoesAndShowsTheCards) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  CAppGame& game = *form->game();
  for (int32_t k : {kQZFKeyRight, kQZFKeyRight, kQZFKeyReturn}) key(*form, k);
  ASSERT_EQ(game.pile(5)->count(), 8);
  const auto choose = [&](uint16_t item) {
    return form->onMenuEvent({CAppGameForm::kPlayMenu, kQZFMenuItemChosen, item});
  };
  EXPECT_EQ(choose(CAppGameForm::kMenuUndo), Handled::kDone);
  EXPECT_EQ(game.pile(5)->count(), 7);
  EXPECT_EQ(choose(CAppGameForm::kMenuRedo), Handled::kDone);
  EXPECT_EQ(game.pile(5)->count(), 8);
  EXPECT_EQ(choose(CAppGameForm::kMenuShowCards), Handled::kDone);
  EXPECT_EQ(app_->getSettings()->showCards, 1);
  key(*form, kQZFKeyLeft);  // the next key hides them again
  EXPECT_EQ(app_->getSettings()->showCards, 0);
}

TEST_F(AppFormGameTest, TheToolbarAndTheMenuOpenTheirQuestions) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  // The restart button (the fourth in the usual order) and the new-deal item.
  form->toolbar()->pressButton(4);
  frames(1);
  EXPECT_NE(forms().find("1423"), std::string::npos) << forms();
  form->onMenuEvent({CAppGameForm::kPlayMenu, kQZFMenuItemChosen, CAppGameForm::kMenuNewDeal});
  frames(1);
  EXPECT_NE(forms().find("1422"), std::string::npos) << forms();
  form->onMenuEvent({CAppGameForm::kPlayMenu, kQZFMenuItemChosen, CAppGameForm::kMenuTitle});
  frames(1);
  EXPECT_NE(forms().find("1220"), std::string::npos) << forms();
}

TEST_F(AppFormGameTest, TheTutorialArrowBobsTenPixelsEachWay) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  CAppTutorialArrow& arrow = *form->tutorialArrow();
  EXPECT_FALSE(arrow.isShown());
  arrow.showAt(50, 100);
  EXPECT_EQ(arrow.y(), 105);
  wince::advanceClock(350);  // half a turn of 70 hundredths: half way up
  frames(1);
  EXPECT_EQ(arrow.y(), 100);
  wince::advanceClock(400);  // past the turn: it starts down from where it is
  frames(1);
  EXPECT_EQ(arrow.y(), 100);
  wince::advanceClock(350);
  frames(1);
  EXPECT_EQ(arrow.y(), 105);
  EXPECT_EQ(arrow.x(), 50);
  arrow.hide();
  EXPECT_FALSE(arrow.isShown());
}

TEST_F(AppFormGameTest, TheCardPicturesAndTheTableFollowThePlayersChoices) {
  CAppGameForm* form = play();
  ASSERT_NE(form, nullptr);
  CAppSettings& s = *app_->getSettings();
  EXPECT_EQ(form->loadedArt().frontLarge, s.cardFrontLargeSet);
  // A chooser picks other fronts and a random back: the next frame loads them.
  s.cardFrontLargeSet = 91;
  s.cardBackPage = 0;
  s.cardBackEntry = 11;
  frames(1);
  EXPECT_EQ(form->loadedArt().frontLarge, 91);
  // Each new deal draws the random back again, among the backs on offer.
  form->game()->newGame(true);
  frames(1);
  EXPECT_NE(s.cardBackLarge, CAppProfile::kRandomChoice);
  // The set of the first back (816) is 54; any other back lies in another set.
  EXPECT_EQ(form->loadedArt().backLarge == 54, s.cardBackLarge == 816);
  // Another table background is shown when the play screen comes back on top.
  s.backgroundImage = 4;
  s.settingsChanged = 1;
  form->setActive(false);
  form->setActive(true);
  EXPECT_EQ(app_->colourSchemes().getBackgroundPlane(), 4);
  EXPECT_EQ(s.settingsChanged, 0);
}

}  // namespace
