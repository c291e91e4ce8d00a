// The alerts, the end-of-game forms, the trophy chain and the statistics,
// opened from their real descriptions over a real play screen: the streak
// each end form shows, what the alert buttons do to the game and the
// profile, the trophy and unlock alerts, page turning and resetting.
#include <string>
#include <vector>

#include "app_alert_forms_fixture.h"
#include "app_form_chooseseed.h"

namespace {

TEST_F(AlertFormsTest, TheEndFormsShowTheStreakAfterThisGame) {
  start();
  struct Case {
    uint16_t form;
    const char* tag;
    int16_t streak;
    const char16_t* shown;
  };
  const Case cases[] = {
      {kAppFormGameOver, kAppTagGameOver, 4, u"Streak: -1"},
      {kAppFormGameOver, kAppTagGameOver, -2, u"Streak: -3"},
      {kAppFormGameOver, kAppTagGameOver, 0, u"Streak: -1"},
      {kAppFormGameWon, kAppTagGameWon, 3, u"Streak: 3"},
  };
  for (const Case& c : cases) {
    profile().statistics[1].currentStreak = c.streak;
    CQZFForm* form = open(c.form, c.tag);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(text(*form, 21), std::u16string(c.shown)) << c.streak;
    form->close();
    frames(1);
  }
}

TEST_F(AlertFormsTest, NewDealFromTheGameOverFormBooksTheLossAndDealsTheNextNumber) {
  CAppGame* game = play();
  ASSERT_NE(game, nullptr);
  press(*open(kAppFormGameOver, kAppTagGameOver), 1382);
  frames(1);
  EXPECT_EQ(profile().statistics[0].losses, 1);
  EXPECT_EQ(profile().statistics[1].losses, 1);
  EXPECT_EQ(profile().statistics[1].currentStreak, -1);
  EXPECT_EQ(app_->getSettings()->dealNumber[0], 2u);
  EXPECT_EQ(AppGameFlow::playGame(*app_)->dealNumber(), 2u);
  EXPECT_EQ(topForm(), kAppFormGame);
}

TEST_F(AlertFormsTest, ReplayBooksTheLossAndKeepsTheDeal) {
  ASSERT_NE(play(), nullptr);
  press(*open(kAppFormGameOver, kAppTagGameOver), 1381);
  frames(1);
  EXPECT_EQ(profile().statistics[1].losses, 1);
  EXPECT_EQ(AppGameFlow::playGame(*app_)->dealNumber(), 1u);
}

TEST_F(AlertFormsTest, LeavingForTheTitleBooksTheLossAndDropsTheSavedGame) {
  ASSERT_NE(play(), nullptr);
  CAppUserForm* user = app_->getUserForm();
  ASSERT_EQ(user->storeSavedGame(0, *AppGameFlow::playScreen(*app_)), 0);
  press(*open(kAppFormGameOver, kAppTagGameOver), 1383);
  frames(1);
  EXPECT_EQ(profile().statistics[1].losses, 1);
  EXPECT_EQ(profile().getSavedGameLength(0), 0);
  EXPECT_EQ(app_->getSettings()->dealNumber[0], 2u);
  EXPECT_EQ(forms(), "1190 1000");
}

TEST_F(AlertFormsTest, PlayingOnLeavesTheGameRunningWithoutBooking) {
  CAppGame* game = play();
  ASSERT_NE(game, nullptr);
  press(*open(kAppFormGameOver, kAppTagGameOver), 1446);
  frames(1);
  EXPECT_TRUE(game->keepsPlaying());
  EXPECT_EQ(profile().statistics[0].games, 0);
  EXPECT_EQ(topForm(), kAppFormGame);
}

TEST_F(AlertFormsTest, TheNewDealAlertBooksOnceAndTheRestartAlertNotAtAll) {
  ASSERT_NE(play(), nullptr);
  press(*open(1423, kAppTagAlert), 1424);
  frames(1);
  EXPECT_EQ(profile().statistics[0].games, 0);
  EXPECT_EQ(AppGameFlow::playGame(*app_)->dealNumber(), 1u);
  press(*open(1422, kAppTagAlert), 1425);
  frames(1);
  EXPECT_EQ(profile().statistics[0].losses, 1);
  EXPECT_EQ(AppGameFlow::playGame(*app_)->dealNumber(), 2u);
  EXPECT_EQ(topForm(), kAppFormGame);
}

// The deal-number form over a game asks first (alert 1449); its Play button
// books the loss and deals the typed number.
TEST_F(AlertFormsTest, PlayingATypedDealNumberBooksTheLossAndDealsIt) {
  ASSERT_NE(play(), nullptr);
  CQZFForm* chooser = open(kAppFormChooseSeed, kAppTagChooseSeed);
  ASSERT_NE(chooser, nullptr);
  frames(1);
  chooser->setGadgetText(CAppChooseSeedForm::kNumber, u"4242");
  press(*open(CAppChooseSeedForm::kConfirmAlert, kAppTagAlert), CAppAlertForm::kUseDealNumber);
  frames(1);
  EXPECT_EQ(profile().statistics[1].losses, 1);
  EXPECT_EQ(app_->getSettings()->dealNumber[0], 4242u);
  EXPECT_EQ(AppGameFlow::playGame(*app_)->dealNumber(), 4242u);
  EXPECT_EQ(topForm(), kAppFormGame);
}

TEST_F(AlertFormsTest, LeavingKeepsTheGameAndTheNextStartOffersIt) {
  ASSERT_NE(play(), nullptr);
  press(*open(1220, kAppTagAlert), 1221);
  frames(1);
  EXPECT_EQ(forms(), "1190 1000");
  EXPECT_GT(profile().getSavedGameLength(0), 0);
  app_->startChosenGame();
  frames(1);
  EXPECT_EQ(forms(), "1190 1010 1230");
  // Carrying on takes the saved game back and forgets the stored copy.
  press(*app_->getFormHandler()->findForm(kAppFormResumeGame), 1231);
  frames(1);
  EXPECT_EQ(forms(), "1190 1010");
  EXPECT_EQ(profile().getSavedGameLength(0), 0);
}

TEST_F(AlertFormsTest, ANewGameInPlaceOfTheSavedOneCountsItLost) {
  ASSERT_NE(play(), nullptr);
  press(*open(1220, kAppTagAlert), 1221);
  frames(1);
  app_->startChosenGame();
  frames(1);
  press(*app_->getFormHandler()->findForm(kAppFormResumeGame), 1232);
  frames(1);
  EXPECT_EQ(forms(), "1190 1010");
  EXPECT_EQ(profile().statistics[1].losses, 1);
  EXPECT_EQ(profile().getSavedGameLength(0), 0);
  EXPECT_EQ(AppGameFlow::playGame(*app_)->dealNumber(), 2u);
}

TEST_F(AlertFormsTest, ARestartForANewLanguageKeepsTheGameInProgress) {
  ASSERT_NE(play(), nullptr);
  press(*open(1090, kAppTagAlert), 1091);
  EXPECT_GT(profile().getSavedGameLength(0), 0);
  EXPECT_TRUE(app_->isReinitialiseRequested());
  frames(1);
  EXPECT_EQ(forms(), "1190");
}

TEST_F(AlertFormsTest, TheOptionsOfOneGameGoToAllTwelve) {
  start();
  CAppSettings& s = *app_->getSettings();
  s.currentGameType = 3;
  for (int i = 0; i < kAppOptionBytes; ++i) s.gameOptions[2][i] = static_cast<uint8_t>(i + 1);
  press(*open(1454, kAppTagAlert), 1455);
  for (const auto& options : s.gameOptions) {
    for (int i = 0; i < kAppOptionBytes; ++i) EXPECT_EQ(options[i], i + 1);
  }
}

TEST_F(AlertFormsTest, AWinBookedThroughThePlayServicesShowsTheTrophyAndTheFirstTrophyAlert) {
  CAppGame* game = play();
  ASSERT_NE(game, nullptr);
  game->services().recordGameResult(1, 1, 6000, 0, 0);
  frames(1);
  EXPECT_EQ(forms(), "1190 1010 1428 1464");
  EXPECT_EQ(profile().trophies[0], 1);
  EXPECT_EQ(profile().statistics[1].wins, 1);
  CQZFForm* trophy = app_->getFormHandler()->findForm(kAppFormTrophyAlert);
  EXPECT_EQ(text(*trophy, CAppTrophyAlertForm::kText), u"Klondike bronze\nWin a game of Klondike.");
  EXPECT_EQ(trophy->getGadgetValue(CAppTrophyAlertForm::kPicture), 143);
  press(*app_->getFormHandler()->findForm(kAppFormFirstTrophy), 1);
  frames(1);
  // Trophy 0 unlocks nothing; the next check finds no trophy due.
  press(*trophy, 1);
  frames(1);
  EXPECT_EQ(forms(), "1190 1010");
}

TEST_F(AlertFormsTest, AWonGameShowsItsTrophiesOneAfterAnotherThenTheWonForm) {
  CAppGame* game = play(kGameGolf);
  ASSERT_NE(game, nullptr);
  for (int i = 0; i < game->kindCount(kPileTableau); ++i) game->pileOf(kPileTableau, i)->clear();
  game->requestSettle();
  game->settle();
  frames(1);
  EXPECT_EQ(forms(), "1190 1010 1428 1464");
  // Golf's first win, then a win without an undo and one without a hint.
  std::vector<int> shown;
  for (int guard = 0; guard < 10 && topForm() != kAppFormGame && topForm() != kAppFormGameWon; ++guard) {
    CQZFForm* top = app_->getFormHandler()->findForm(topForm());
    if (auto* trophy = dynamic_cast<CAppTrophyAlertForm*>(top)) shown.push_back(trophy->trophy());
    press(*top, 1);
    frames(2);
  }
  EXPECT_EQ(shown, (std::vector<int>{4, 46, 49}));
  // The won form follows the cards' flight off the table (a key cuts it short).
  game->stopEndAnimation();
  frames(2);
  EXPECT_EQ(forms(), "1190 1010 1384");
  EXPECT_EQ(text(*app_->getFormHandler()->findForm(kAppFormGameWon), 21), u"Streak: 1");
  press(*app_->getFormHandler()->findForm(kAppFormGameWon), CAppGameEndForm::kNextDeal);
  frames(1);
  EXPECT_EQ(forms(), "1190 1010");
  EXPECT_EQ(game->dealNumber(), 2u);
  EXPECT_FALSE(game->isWon());
}

TEST_F(AlertFormsTest, NoMoveLeftOpensTheGameOverFormAndItsLossEarnsTheFirstLossTrophy) {
  CAppGame* game = play(kGameGolf);
  ASSERT_NE(game, nullptr);
  // No stock, and a king on the waste: nothing can move.
  CAppCardPile& stock = *game->firstPile(kPileStock);
  while (stock.removeTopCard()) {
  }
  for (int i = 0; i < game->cardCount(); ++i) {
    CAppCard* c = game->card(i);
    bool onTop = false;
    for (int k = 0; k < game->kindCount(kPileTableau); ++k) onTop |= game->pileOf(kPileTableau, k)->topCard() == c;
    if (c->rank() != 13 || onTop) continue;
    c->turnFaceUp();
    game->firstPile(kPileFoundation)->addCard(c);
    break;
  }
  game->requestSettle();
  game->settle();
  frames(1);
  ASSERT_EQ(topForm(), kAppFormGameOver);
  press(*app_->getFormHandler()->findForm(kAppFormGameOver), CAppGameEndForm::kNextDeal);
  frames(1);
  EXPECT_EQ(forms(), "1190 1010 1428 1464");
  EXPECT_EQ(dynamic_cast<CAppTrophyAlertForm*>(app_->getFormHandler()->findForm(kAppFormTrophyAlert))->trophy(), 43);
  EXPECT_EQ(profile().statistics[kGameGolf].losses, 1);
  EXPECT_EQ(game->dealNumber(), 2u);
}

TEST_F(AlertFormsTest, ClosingATrophyShowsWhatItUnlocks) {
  start();
  // Held already: the rule run when an alert closes finds nothing else due.
  profile().trophies[43] = 1;
  struct Case {
    int trophy;
    const char* forms;
    int picture;
  };
  const Case cases[] = {{12, "1190 1000 1433", 868},
                        {51, "1190 1000 1432", 925},
                        {18, "1190 1000 1432", 820},
                        {40, "1190 1000 1432", 836},
                        {13, "1190 1000", 0}};
  for (const Case& c : cases) {
    closeAbove(kAppFormTitle);
    auto* alert = dynamic_cast<CAppTrophyAlertForm*>(open(kAppFormTrophyAlert, kAppTagTrophyAlert));
    ASSERT_NE(alert, nullptr);
    alert->setTrophy(c.trophy);
    press(*alert, 1);
    frames(1);
    EXPECT_EQ(forms(), c.forms) << c.trophy;
    const uint16_t unlockId = c.trophy == 12 ? kAppFormUnlockBackground : kAppFormUnlockItem;
    if (CQZFForm* unlock = c.picture ? app_->getFormHandler()->findForm(unlockId) : nullptr) {
      EXPECT_EQ(unlock->getGadgetValue(CAppUnlockAlertForm::kPicture), c.picture) << c.trophy;
    }
  }
  EXPECT_EQ(profile().choiceLists[1][1].locked, 0);
  EXPECT_EQ(profile().choiceLists[2][1].locked, 0);
  EXPECT_EQ(profile().choiceLists[1][2].locked, 1);
}

TEST_F(AlertFormsTest, TheStatisticsTurnTheirPagesRoundAndShowTheFigures) {
  start();
  profile().statistics[0] = {123456, 4, 30864, 1, 3, 1, 3, -3};
  ASSERT_EQ(app_->onMenuCommand(1012, 1), 1);
  frames(1);
  auto* stats = dynamic_cast<CAppStatsForm*>(app_->getFormHandler()->findForm(kAppFormStats));
  ASSERT_NE(stats, nullptr);
  EXPECT_EQ(text(*stats, CAppStatsForm::kPageName), u"All games");
  EXPECT_EQ(text(*stats, CAppStatsForm::kStreak), u"-3");
  EXPECT_EQ(text(*stats, CAppStatsForm::kTotalTime), u"0:20:34");
  EXPECT_EQ(text(*stats, CAppStatsForm::kGames), u"4");
  EXPECT_EQ(text(*stats, CAppStatsForm::kLongestLosses), u"3");
  press(*stats, CAppStatsForm::kPrevious);
  EXPECT_EQ(stats->page(), 12);
  EXPECT_EQ(text(*stats, CAppStatsForm::kPageName), u"Pyramid");
  EXPECT_EQ(text(*stats, CAppStatsForm::kGames), u"0");
  EXPECT_EQ(text(*stats, CAppStatsForm::kAverageTime), u"0:00:00");
  press(*stats, CAppStatsForm::kNext);
  EXPECT_EQ(stats->page(), 0);
  // The arrow keys turn the pages while the page name has the focus.
  stats->getGadgetHandler()->setFocus(CAppStatsForm::kPageName);
  static_cast<void>(stats->onKey(QZFKeyEvent::key(kQZFKeyRight)));
  EXPECT_EQ(stats->page(), 1);
  static_cast<void>(stats->onKey(QZFKeyEvent::key(kQZFKeyLeft)));
  static_cast<void>(stats->onKey(QZFKeyEvent::key(kQZFKeyLeft)));
  EXPECT_EQ(stats->page(), 12);
}

TEST_F(AlertFormsTest, ResettingAGamePageLeavesTheOthersAndTheAllGamesPageClearsEvery) {
  start();
  for (auto& record : profile().statistics) record = {100, 1, 100, 1, 0, 1, 0, 1};
  ASSERT_EQ(app_->onMenuCommand(1012, 1), 1);
  frames(1);
  auto* stats = dynamic_cast<CAppStatsForm*>(app_->getFormHandler()->findForm(kAppFormStats));
  ASSERT_NE(stats, nullptr);
  for (int i = 0; i < 5; ++i) stats->turnPage(true);
  press(*stats, CAppStatsForm::kReset);
  CQZFForm* reset = app_->getFormHandler()->findForm(kAppFormResetStats);
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(text(*reset, CAppResetStatsForm::kQuestion), u"Clear the statistics of Golf?");
  press(*reset, CAppResetStatsForm::kYes);
  frames(1);
  EXPECT_EQ(profile().statistics[5].games, 0);
  EXPECT_EQ(profile().statistics[0].games, 1);
  EXPECT_EQ(profile().statistics[4].games, 1);
  EXPECT_EQ(text(*stats, CAppStatsForm::kGames), u"0");
  EXPECT_EQ(topForm(), kAppFormStats);
  for (int i = 0; i < 8; ++i) stats->turnPage(true);
  press(*stats, CAppStatsForm::kReset);
  reset = app_->getFormHandler()->findForm(kAppFormResetStats);
  EXPECT_EQ(text(*reset, CAppResetStatsForm::kQuestion), u"Clear the statistics of all games?");
  press(*reset, CAppResetStatsForm::kYes);
  for (const auto& record : profile().statistics) EXPECT_EQ(record.games, 0);
}

TEST_F(AlertFormsTest, TheAboutFormNamesTheProgramAndItsYears) {
  start();
  ASSERT_EQ(app_->onMenuCommand(1007, 1), 1);
  frames(1);
  CQZFForm* about = app_->getFormHandler()->findForm(kAppFormAbout);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(text(*about, CAppAboutForm::kName), u"Pellwyn Solitaire 1.0");
  EXPECT_EQ(text(*about, CAppAboutForm::kBuildDate), u"Jul 17 2007");
  EXPECT_EQ(text(*about, CAppAboutForm::kCopyright).substr(0, 14), u"Copyright 2007");
  press(*about, 1);
  frames(1);
  EXPECT_EQ(app_->getFormHandler()->findForm(kAppFormAbout), nullptr);
}

}  // namespace
