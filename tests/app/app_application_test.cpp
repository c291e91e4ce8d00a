// Pellwyn's application object: the start with its first forms, the player
// brought back with the profile and saved games, the stop that saves them,
// the menu commands, the player switches between frames, and the state dump.
#include <filesystem>
#include <string>

#include "app_fixture.h"
#include "app_form_user.h"
#include "app_profile.h"
#include "app_settings.h"
#include "qz_controls.h"

using AppApplicationTest = AppTest;

TEST_F(AppApplicationTest, AFirstStartAsksForThePlayerOverTheProfileAndTitle) {
  start();
  EXPECT_EQ(forms(), "1190 1000 1195");
  EXPECT_EQ(app_->getPreferences()->getCount(), 0);
  ASSERT_NE(app_->getSettings(), nullptr);
  EXPECT_EQ(app_->colourSchemes().getAppliedScheme(), 3);
  EXPECT_EQ(app_->getLoadScreen(), nullptr);
  // The title curve runs from its start point to its end point, less the half sizes.
  EXPECT_EQ(app_->getTitleCurve().point(0).xB, 280 - 17);
  EXPECT_EQ(app_->getTitleCurve().point(0).yA, 100 - 33);
  EXPECT_EQ(app_->getTitleCurve().point(100).xB, 120 - 17);
  EXPECT_EQ(app_->getTitleCurve().point(100).yB, 360 - 17);
}

TEST_F(AppApplicationTest, ThePlayerComesBackWithProfileAndSavedGame) {
  start();
  createPlayer(u"Ann");
  EXPECT_EQ(app_->getPreferences()->getCurrent(), 0);
  EXPECT_TRUE(databaseExists(u"Ann-QZSUser"));
  CAppUserForm* profile = app_->getUserForm();
  ASSERT_NE(profile, nullptr);
  profile->settings().currentGameType = 10;
  profile->profile().statistics[0].games = 12;
  {
    StubForm game;
    game.bytes[2] = 0x5A;
    game.setOwner(app_->getFormHandler());
    ASSERT_EQ(game.open(kAppFormGame, 0), 0);
    ASSERT_EQ(profile->storeSavedGame(4, game), 0);
  }
  stop();

  start();
  EXPECT_EQ(app_->getPreferences()->getCurrent(), 0);
  ASSERT_NE(app_->getUserForm(), nullptr);
  EXPECT_EQ(app_->getSettings()->currentGameType, 10u);
  // The form that borrows the graphics goes before the stop.
  EXPECT_EQ(app_->getUserForm()->profile().statistics[0].games, 12);
  auto resumed = std::make_unique<StubForm>();
  resumed->setOwner(app_->getFormHandler());
  ASSERT_EQ(resumed->open(kAppFormGame, 0), 0);
  ASSERT_EQ(app_->getUserForm()->restoreSavedGame(4, *resumed, true), 0);
  EXPECT_EQ(resumed->bytes[2], 0x5A);
  EXPECT_EQ(app_->getUserForm()->profile().getSavedGameLength(4), 0);
  EXPECT_EQ(app_->getUserForm()->restoreSavedGame(4, *resumed, true), QZ_ERR_GENERAL);
  resumed.reset();
}

TEST_F(AppApplicationTest, ADamagedSavedGameIsLeftOutAloneAndThePlayerStays) {
  start();
  createPlayer(u"Ann");
  createPlayer(u"Bob");
  EXPECT_EQ(app_->getPreferences()->getCurrent(), 1);
  app_->getUserForm()->profile().statistics[0].games = 7;
  stop();
  // Bob's saved game of type 1 is damaged: it alone is left out, and he is told.
  {
    CQZFRsrcDatabase db;
    ASSERT_EQ(db.open(u"Bob-QZSUser", QZFourCC("QzSo"), kUser, false), 0);
    uint8_t* bytes = db.getResource(CAppUserForm::kSavedGameType, 1);
    ASSERT_NE(bytes, nullptr);
    bytes[0] ^= 1;
    ASSERT_EQ(db.close(), 0);
  }
  start();
  frames(1);
  EXPECT_EQ(forms(), "1190 1000 1194");
  EXPECT_EQ(app_->getPreferences()->getCurrent(), 1);
  EXPECT_EQ(app_->getUserForm()->profile().statistics[0].games, 7);
  EXPECT_TRUE(std::filesystem::exists(scratchFolder() / "Bob-QZSUser.pdb.damaged.1"));
}

TEST_F(AppApplicationTest, ADatabaseWithoutTheSuffixIsNoPlayer) {
  {
    CQZFRsrcDatabase db;
    ASSERT_EQ(db.create(u"Stranger", QZFourCC("QzSo"), kUser), 0);
  }
  start();
  EXPECT_EQ(app_->getPreferences()->getCount(), 0);
}

TEST_F(AppApplicationTest, RenamingKeepsTheStatisticsUnderTheNewName) {
  start();
  createPlayer(u"Ann");
  app_->getUserForm()->profile().statistics[2].wins = 5;
  ASSERT_EQ(app_->getUserForm()->saveProfile(0), 0);
  app_->users().requestRenameUser(u"Anna", 0);
  frames(2);
  EXPECT_FALSE(databaseExists(u"Ann-QZSUser"));
  EXPECT_TRUE(databaseExists(u"Anna-QZSUser"));
  EXPECT_EQ(std::u16string(app_->getPreferences()->getName(0)), u"Anna");
  EXPECT_EQ(app_->getUserForm()->profile().statistics[2].wins, 5);
}

TEST_F(AppApplicationTest, DeletingTheCurrentPlayerLeavesNoneToSaveUnder) {
  start();
  createPlayer(u"Ann");
  createPlayer(u"Bob");
  app_->getUserForm()->profile().statistics[0].games = 9;  // Bob's data in the profile form
  ASSERT_TRUE(app_->users().deleteUser(1));
  EXPECT_EQ(app_->getPreferences()->getCurrent(), -1);
  EXPECT_FALSE(databaseExists(u"Bob-QZSUser"));
  stop();  // saves nothing under Ann's name
  start();
  EXPECT_EQ(app_->getPreferences()->getCount(), 1);
  app_->users().requestLoadUser(0, kAppFormTitle);
  frames(1);
  EXPECT_EQ(app_->getUserForm()->profile().statistics[0].games, 0);
}

TEST_F(AppApplicationTest, CreatingAnExistingPlayersNameReadsItsDataForThatPlayer) {
  start();
  createPlayer(u"Ann");
  app_->getUserForm()->profile().statistics[0].games = 3;
  ASSERT_EQ(app_->getUserForm()->saveProfile(0), 0);
  // The list forgets Ann (as after her database was copied in from elsewhere).
  ASSERT_TRUE(app_->getPreferences()->deleteUser(0));
  createPlayer(u"Bob");
  createPlayer(u"Ann");
  EXPECT_EQ(app_->getPreferences()->getCurrent(), 1);
  EXPECT_EQ(app_->getUserForm()->profile().statistics[0].games, 3);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), kAppFormImportUser);
}

TEST_F(AppApplicationTest, AUserErrorShowsItsAlertOverFreshForms) {
  start();
  createPlayer(u"Ann");
  app_->users().setUserError(CAppUserManager::kErrorNameTaken);
  frames(1);
  EXPECT_EQ(forms(), "1190 1000 1191 1194");
  EXPECT_EQ(app_->getPreferences()->getCurrent(), -1);
  EXPECT_EQ(app_->users().getUserError(), 0);
}

TEST_F(AppApplicationTest, MenuCommandsOpenTheirForms) {
  start();
  app_->getSettings()->currentGameType = 10;
  EXPECT_EQ(app_->onMenuCommand(1011, 1), 1);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), 1441);
  EXPECT_EQ(app_->onMenuCommand(1011, 0), 2);
  EXPECT_EQ(app_->onMenuCommand(4242, 1), 2);
  // A form no class is registered for yet is not opened; the command is still handled.
  EXPECT_EQ(app_->onMenuCommand(1012, 1), 1);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), 1441);
  EXPECT_EQ(app_->onMenuCommand(1001, 1), 1);
  EXPECT_TRUE(app_->isMinimiseRequested());
}

TEST_F(AppApplicationTest, FramesRunFastAfterStartThenSlow) {
  start();
  for (int i = 0; i < CAppApplication::kFastFrames; ++i) app_->onUpdate();
  EXPECT_EQ(QZGetFrameInterval(), 2);
  app_->onUpdate();
  EXPECT_EQ(QZGetFrameInterval(), 10);
  app_->resetStartFrames();
  app_->onUpdate();
  EXPECT_EQ(QZGetFrameInterval(), 2);
}

TEST_F(AppApplicationTest, ErrorsAreReportedWithSourceAndLine) {
  start();
  app_->reportError("app_test", 12, -9);
  EXPECT_EQ(app_->getLastErrorReport(), "File: app_test\nLine: 12\nError: -9");
}

// The key map the application gives the controls: up and down, then left,
// right and action on the direction pad where the device has one (the
// Windows manager always says so), else on the first three hardware buttons.
TEST(AppKeyMap, ThePadOrTheHardwareButtons) {
  class WithoutPad : public QZWindowsControlsManager {
   public:
    int isAvailable() override { return 0; }
  };
  struct Case {
    int key;
    uint8_t withPad;
    uint8_t withoutPad;
  };
  const Case cases[] = {{38, 0, 0},     {40, 1, 1},     {37, 2, QZ_NO_CONTROL}, {39, 3, QZ_NO_CONTROL},
                        {13, 8, QZ_NO_CONTROL},         {193, QZ_NO_CONTROL, 2}, {194, QZ_NO_CONTROL, 3},
                        {195, QZ_NO_CONTROL, 8},        {'2', QZ_NO_CONTROL, QZ_NO_CONTROL},
                        {'5', QZ_NO_CONTROL, QZ_NO_CONTROL}};
  QZWindowsControlsManager pad;
  pad.init(nullptr, &AppSetupKeyMap);
  WithoutPad buttons;
  buttons.init(nullptr, &AppSetupKeyMap);
  for (const Case& c : cases) {
    EXPECT_EQ(pad.mapEntry(c.key), c.withPad) << c.key;
    EXPECT_EQ(buttons.mapEntry(c.key), c.withoutPad) << c.key;
  }
}

TEST_F(AppApplicationTest, TheControlsKeepTheApplicationsKeyMap) {
  start();
  stop();
  // The stop stored the map: the phone's keypad is not in it.
  uint8_t map[256] = {};
  ASSERT_EQ(QZReadPreferences(QZ_KEY_MAP_PREFERENCES_ID, true, map, sizeof map), QZ_OK);
  EXPECT_EQ(map[13], 8);
  EXPECT_EQ(map[37], 2);
  EXPECT_EQ(map[size_t{'2'}], QZ_NO_CONTROL);
  EXPECT_EQ(map[size_t{'5'}], QZ_NO_CONTROL);
}

TEST_F(AppApplicationTest, TheDumpShowsTheStatisticsOfAllGamesAndOfTheGameShown) {
  start();
  createPlayer(u"Ann");
  CAppProfile& profile = app_->getUserForm()->profile();
  const CAppProfile::GameState none;
  static_cast<void>(profile.recordGameResult(1, true, 100, 0, 0, none));
  static_cast<void>(profile.recordGameResult(1, false, 100, 0, 0, none));
  static_cast<void>(profile.recordGameResult(2, true, 100, 0, 0, none));
  app_->getSettings()->currentGameType = 1;
  std::string dump;
  app_->describe(dump);
  EXPECT_NE(dump.find("\nstatistics.all=played:3 won:2 lost:1\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("\nstatistics.game=played:2 won:1 lost:1\n"), std::string::npos) << dump;
}
