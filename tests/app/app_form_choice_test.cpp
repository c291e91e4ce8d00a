// Choosing what is played next: the new-game grid (its cells, the keypad
// cursor, the strict hit test, switching games with a play screen open), the
// deal number read from what was typed, and the title's preview.
#include <string>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_fixture.h"
#include "app_form_chooseseed.h"
#include "app_form_game.h"
#include "app_form_gamesettings.h"
#include "app_form_newgame.h"
#include "app_game.h"
#include "app_game_definition.h"
#include "app_game_preview.h"
#include "app_settings.h"
#include "qzf_gadget_checkbox.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_textentry.h"

namespace {

// The grid of 34-pixel icons in the 208 pixels of the 240 x 320 screen.
CAppNewGameGrid portraitGrid() {
  CAppNewGameGrid grid;
  grid.layout(34, 34, 208);
  return grid;
}

TEST(AppNewGameGridTest, CellsLieInThreeRowsOfFourCentredInTheWidth) {
  const CAppNewGameGrid grid = portraitGrid();
  // e = 208 / 2 - 2 * 34 - 15 = 21; columns 44 apart; rows 5, 49, 93.
  const QZRect first = grid.cellRect(0, 0);
  EXPECT_EQ(first.x, 21);
  EXPECT_EQ(first.y, 5);
  EXPECT_EQ(first.w, 38);
  EXPECT_EQ(first.h, 38);
  const QZRect sixth = grid.cellRect(5, 100);
  EXPECT_EQ(sixth.x, 65);
  EXPECT_EQ(sixth.y, 149);
  const QZRect last = grid.cellRect(11, 0);
  EXPECT_EQ(last.x, 153);
  EXPECT_EQ(last.y, 93);
}

TEST(AppNewGameGridTest, TheCursorWrapsInItsRowAndLeavesAtTheTopAndBottom) {
  struct Case {
    int cursor, key, expected;
  };
  const Case cases[] = {
      {4, kQZFKeyLeft, 7},
      {0, kQZFKeyLeft, 3},
      {11, kQZFKeyRight, 8},
      {3, kQZFKeyRight, 0},
      {5, kQZFKeyRight, 6},
      {6, kQZFKeyUp, 2},
      {1, kQZFKeyDown, 5},
      {9, kQZFKeyDown, CAppNewGameGrid::kLeave},
      {2, kQZFKeyUp, CAppNewGameGrid::kLeave},
      {5, kQZFKeyReturn, CAppNewGameGrid::kIgnored},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CAppNewGameGrid::step(c.cursor, c.key), c.expected) << "cursor " << c.cursor << " key " << c.key;
  }
}

TEST(AppNewGameGridTest, AHitMustLieStrictlyInsideACell) {
  const CAppNewGameGrid grid = portraitGrid();
  const int top = 30;
  // Cell 0 spans x 21..59 and y 35..73 with the grid at 30.
  EXPECT_EQ(grid.hitTest(40, 50, top), 0);
  EXPECT_EQ(grid.hitTest(22, 36, top), 0);
  EXPECT_EQ(grid.hitTest(21, 50, top), -1);  // on the left edge
  EXPECT_EQ(grid.hitTest(59, 50, top), -1);  // on the right edge
  EXPECT_EQ(grid.hitTest(40, 73, top), -1);  // on the bottom edge
  EXPECT_EQ(grid.hitTest(62, 50, top), -1);  // between two cells
  EXPECT_EQ(grid.hitTest(170, 140, top), 11);
}

TEST(AppDealNumberTest, TypedTextBecomesADealFromOneToTheLast) {
  struct Case {
    const char16_t* text;
    uint32_t deal;
  };
  const Case cases[] = {
      {u"4242", 4242},
      {u"0", 1},
      {u"", 1},
      {nullptr, 1},
      {u"9999999", 9999999},
      {u"12345678", 9999999},
      {u"10000000", 9999999},
      // Far beyond 32 bits: saturates, never wraps round to a small deal.
      {u"99999999999999999999", 9999999},
      {u"12a3", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(AppDealNumberOf(c.text), c.deal);
}

// The new-game form without its description: the grid's logic on the
// application's profile and form stack.
class TestNewGameForm : public CAppNewGameForm {
 public:
  int16_t open(uint16_t formId, uint32_t param) override {
    if (const int16_t r = bindProfile(); r < 0) return r;
    if (const int16_t r = prepareOpen(formId, param); r < 0) return r;
    static_cast<void>(onEvent({kQZFFormOpened}));
    return 0;
  }
};

// The deal-number form with its number entry only.
class TestChooseSeedForm : public CAppChooseSeedForm {
 public:
  int16_t open(uint16_t formId, uint32_t param) override {
    if (const int16_t r = bindProfile(); r < 0) return r;
    if (const int16_t r = prepareOpen(formId, param); r < 0) return r;
    QZFGadgetDescription entry;
    entry.id = kNumber;
    entry.kind = kQZFGadgetTextEntry;
    QZFTextEntryPart digits;
    digits.maxLength = 8;
    digits.accepted = 2;
    entry.part = digits;
    if (const int16_t r = addGadget(entry, std::make_unique<CQZFGadgetTextEntry>()); r < 0) return r;
    static_cast<void>(onEvent({kQZFFormOpened}));
    return 0;
  }
  void press(uint16_t button) { static_cast<void>(onGadgetEvent({.gadgetId = button, .type = kQZFEventButton})); }
};

// The game options form with its four boxes.
class TestGameSettingsForm : public CAppGameSettingsForm {
 public:
  int16_t open(uint16_t formId, uint32_t param) override {
    if (const int16_t r = bindProfile(); r < 0) return r;
    if (const int16_t r = prepareOpen(formId, param); r < 0) return r;
    for (uint16_t id : {kAutoTurn, kOneTap, kAnimate, kNewDealOption}) {
      QZFGadgetDescription box;
      box.id = id;
      box.kind = kQZFGadgetCheckbox;
      box.part = QZFCheckboxPart();
      if (const int16_t r = addGadget(box, std::make_unique<CQZFGadgetCheckbox>()); r < 0) return r;
    }
    static_cast<void>(onEvent({kQZFFormOpened}));
    return 0;
  }
};

class AppFormChoiceTest : public AppTest {
 protected:
  TestGameSettingsForm* openGameSettings() {
    auto form = std::make_unique<TestGameSettingsForm>();
    TestGameSettingsForm* raw = form.get();
    if (app_->getFormHandler()->openForm(kAppFormGameSettings, std::move(form), 0) < 0) return nullptr;
    return raw;
  }
  const uint8_t* options(int type) const { return app_->getSettings()->gameOptions[type - 1]; }
  TestChooseSeedForm* openChooseSeed() {
    auto form = std::make_unique<TestChooseSeedForm>();
    TestChooseSeedForm* raw = form.get();
    if (app_->getFormHandler()->openForm(kAppFormChooseSeed, std::move(form), 0) < 0) return nullptr;
    return raw;
  }
  void keepASavedGame(int slot) {
    auto block = std::make_unique<uint8_t[]>(4);
    profile().setSavedGame(slot, std::move(block), 4);
  }
  TestNewGameForm* openNewGame() {
    auto form = std::make_unique<TestNewGameForm>();
    TestNewGameForm* raw = form.get();
    if (app_->getFormHandler()->openForm(kAppFormNewGame, std::move(form), 0) < 0) return nullptr;
    return raw;
  }
  CAppGameForm* playScreen() const {
    return dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
  }
  CAppProfile& profile() { return app_->getUserForm()->profile(); }
};

TEST_F(AppFormChoiceTest, ChoosingAnotherGameWhilePlayingKeepsTheOldGameAndStartsTheNew) {
  start();
  app_->startChosenGame();
  frames(1);
  ASSERT_NE(playScreen(), nullptr);
  TestNewGameForm* form = openNewGame();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->getChosen(), 0);
  form->choose(3);
  EXPECT_EQ(form->getChosen(), 3);
  EXPECT_EQ(app_->getSettings()->currentGameType, 1U);  // nothing changes before it is confirmed
  form->choose(3);
  frames(1);
  EXPECT_GT(profile().getSavedGameLength(0), 0);
  EXPECT_EQ(app_->getSettings()->currentGameType, 4U);
  EXPECT_EQ(forms(), "1190 1010");
  ASSERT_NE(playScreen(), nullptr);
  EXPECT_EQ(playScreen()->game()->type(), 4);
}

// Golf with its stock gone and a king on the foundation: nothing can move,
// and settling finishes the game.
void finishGolf(CAppGame& game) {
  CAppCardPile& stock = *game.firstPile(kPileStock);
  while (stock.removeTopCard()) {
  }
  CAppCardPile& foundation = *game.firstPile(kPileFoundation);
  for (int i = 0; i < game.cardCount(); ++i) {
    CAppCard* c = game.card(i);
    bool onTop = false;
    for (int k = 0; k < game.kindCount(kPileTableau); ++k) onTop |= game.pileOf(kPileTableau, k)->topCard() == c;
    if (c->rank() != 13 || onTop) continue;
    c->turnFaceUp();
    foundation.addCard(c);
    break;
  }
  game.requestSettle();
  game.settle();
}

TEST_F(AppFormChoiceTest, AFinishedGameIsDroppedNotKeptWhenAnotherGameIsChosen) {
  start();
  app_->getSettings()->currentGameType = 5;
  app_->startChosenGame();
  frames(1);
  ASSERT_NE(playScreen(), nullptr);
  CAppGame& game = *playScreen()->game();
  game.finishAnimations();
  finishGolf(game);
  ASSERT_TRUE(game.isFinished());
  keepASavedGame(4);
  TestNewGameForm* form = openNewGame();
  ASSERT_NE(form, nullptr);
  form->choose(0);
  form->confirm();
  frames(1);
  EXPECT_EQ(profile().getSavedGameLength(4), 0);
  EXPECT_EQ(app_->getSettings()->currentGameType, 1U);
}

TEST_F(AppFormChoiceTest, TheSameGameStartsFromTheTitleButChangesNothingWhilePlaying) {
  start();
  TestNewGameForm* form = openNewGame();
  ASSERT_NE(form, nullptr);
  form->confirm();
  frames(1);
  EXPECT_EQ(forms(), "1190 1010");
  form = openNewGame();
  ASSERT_NE(form, nullptr);
  CAppGameForm* play = playScreen();
  form->confirm();
  frames(1);
  EXPECT_EQ(playScreen(), play);
  EXPECT_EQ(profile().getSavedGameLength(0), 0);
}

TEST_F(AppFormChoiceTest, TheSameDealNumberClosesAndKeepsTheSavedGame) {
  start();
  app_->getSettings()->currentGameType = 3;
  app_->getSettings()->dealNumber[2] = 77;
  keepASavedGame(2);
  TestChooseSeedForm* form = openChooseSeed();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(std::u16string(form->getGadgetText(TestChooseSeedForm::kNumber)), u"77");
  form->press(TestChooseSeedForm::kOk);
  EXPECT_TRUE(form->isClosed());
  EXPECT_EQ(app_->getSettings()->dealNumber[2], 77U);
  EXPECT_EQ(profile().getSavedGameLength(2), 4);
}

TEST_F(AppFormChoiceTest, ANewDealNumberWithoutAGameIsTakenAndDropsTheSavedGame) {
  start();
  app_->getSettings()->dealNumber[0] = 5;
  keepASavedGame(0);
  TestChooseSeedForm* form = openChooseSeed();
  ASSERT_NE(form, nullptr);
  form->setGadgetText(TestChooseSeedForm::kNumber, u"0");
  form->press(TestChooseSeedForm::kOk);
  EXPECT_TRUE(form->isClosed());
  EXPECT_EQ(app_->getSettings()->dealNumber[0], 1U);
  EXPECT_EQ(profile().getSavedGameLength(0), 0);
}

TEST_F(AppFormChoiceTest, ANewDealNumberDuringAGameAsksFirstAndChangesNothing) {
  start();
  app_->startChosenGame();
  frames(1);
  ASSERT_NE(playScreen(), nullptr);
  TestChooseSeedForm* form = openChooseSeed();
  ASSERT_NE(form, nullptr);
  form->setGadgetText(TestChooseSeedForm::kNumber, u"4242");
  form->press(TestChooseSeedForm::kOk);
  EXPECT_FALSE(form->isClosed());
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), CAppChooseSeedForm::kConfirmAlert);
  EXPECT_EQ(app_->getSettings()->dealNumber[0], 1U);
  // The alert's yes applies the number; the play screen then deals it.
  form->applyDealNumber();
  playScreen()->pullSettings();
  playScreen()->game()->newGame(true);
  EXPECT_EQ(playScreen()->game()->dealNumber(), 4242U);
}

TEST_F(AppFormChoiceTest, RandomDrawsADealFromOneToTheLastButOne) {
  start();
  TestChooseSeedForm* form = openChooseSeed();
  ASSERT_NE(form, nullptr);
  for (int i = 0; i < 20; ++i) {
    form->press(TestChooseSeedForm::kRandom);
    const uint32_t deal = AppDealNumberOf(form->getGadgetText(TestChooseSeedForm::kNumber));
    EXPECT_GE(deal, 1U);
    EXPECT_LE(deal, CAppChooseSeedForm::kLastDeal - 1);
  }
  EXPECT_FALSE(form->isClosed());
}

TEST_F(AppFormChoiceTest, TheOptionChoicesCycleBothWaysAndTheHighlightTakesItsByte) {
  start();
  TestGameSettingsForm* form = openGameSettings();
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->hasChanges());
  form->cycleAutoMove(true);
  EXPECT_EQ(form->getAutoMove(), 1);
  form->cycleAutoMove(false);
  form->cycleAutoMove(false);
  EXPECT_EQ(form->getAutoMove(), 2);
  form->cycleHighlight(false);
  EXPECT_EQ(form->getHighlight(), 2);
  EXPECT_TRUE(form->hasChanges());
  form->apply();
  EXPECT_EQ(options(1)[0], 2);
  EXPECT_EQ(options(1)[5], 1);
  EXPECT_EQ(options(1)[6], 0);
  EXPECT_EQ(app_->getUserForm()->profile().noHintThisGame, 0);
  EXPECT_FALSE(form->hasChanges());
  form->cycleHighlight(false);
  form->apply();
  EXPECT_EQ(options(1)[5], 0);
  EXPECT_EQ(options(1)[6], 1);
  // Defaults: the three boxes on, the rest off.
  form->setDefaults();
  EXPECT_EQ(form->getGadgetValue(CAppGameSettingsForm::kAnimate), 1);
  EXPECT_EQ(form->getGadgetValue(CAppGameSettingsForm::kNewDealOption), 0);
  EXPECT_EQ(form->getHighlight(), 0);
  EXPECT_EQ(form->getAutoMove(), 0);
}

TEST_F(AppFormChoiceTest, TheNewDealOptionAsksFirstDuringAGame) {
  start();
  app_->startChosenGame();
  frames(1);
  ASSERT_NE(playScreen(), nullptr);
  TestGameSettingsForm* form = openGameSettings();
  ASSERT_NE(form, nullptr);
  form->setGadgetValue(CAppGameSettingsForm::kNewDealOption, 1);
  form->apply();
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), CAppGameSettingsForm::kNewDealAlert);
  EXPECT_EQ(options(1)[4], 0);
  EXPECT_EQ(app_->getSettings()->settingsChanged, 0);
}

TEST_F(AppFormChoiceTest, TheNewDealOptionIsTakenAtOnceWithoutAGame) {
  start();
  TestGameSettingsForm* form = openGameSettings();
  ASSERT_NE(form, nullptr);
  form->setGadgetValue(CAppGameSettingsForm::kNewDealOption, 1);
  form->apply();
  EXPECT_EQ(options(1)[4], 1);
  EXPECT_EQ(app_->getSettings()->settingsChanged, 1);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), kAppFormGameSettings);
}

TEST_F(AppFormChoiceTest, ThePreviewFollowsTheRulesOfTheChosenGame) {
  start();
  CAppGamePreview preview(app_->getUserForm());
  ASSERT_EQ(preview.init(3), 0);
  ASSERT_NE(preview.definition(), nullptr);
  EXPECT_EQ(preview.definition()->tableauCount(), 10);
  // The settings changed (a rules form): the next draw takes a fresh layout.
  app_->getSettings()->currentGameType = 2;
  app_->getSettings()->settingsChanged = 1;
  preview.draw();
  EXPECT_EQ(preview.getGameType(), 2);
  EXPECT_EQ(preview.definition()->tableauCount(), 8);
  EXPECT_EQ(app_->getSettings()->settingsChanged, 0);
}

}  // namespace
