// The games' settings forms in the application, opened from the built data:
// the menu opens the current game's form, keys and buttons change the
// choices, Done stores them (after a question over a game in progress or a
// saved game), Cancel and an unchanged Done store nothing, and the next deal
// plays by the new rules.
#include <filesystem>
#include <memory>
#include <vector>

#include "app_fixture.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_specificsettings.h"
#include "app_game.h"
#include "app_game_definition.h"
#include "app_settings.h"
#include "qz_resource_manager.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_resource.h"

namespace {

// The real alert and settings forms, and a stand-in for the rules' help page.
class RulesApplication : public TestApplication {
 public:
  int16_t registerClasses() override {
    if (const int16_t r = TestApplication::registerClasses(); r < 0) return r;
    registerClass<CAppAlertForm>(kAppTagAlert);
    AppRegisterGameSettingsForms(*this);
    registerClass<StubForm>(kAppTagCustomiseHelp);
    return 0;
  }
};

class AppRulesFormTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // The data database at the device's root, a source of resources.
    std::filesystem::copy_file(PELLWYN_BINARY_DIR "/data/pellwyn/install/Pellwyn.pdb", scratchFolder() / "Pellwyn.pdb");
    ASSERT_EQ(CQZResourceManager::instance().addSourceDatabases(QZFourCC("QzSo"), QZ_TYPE_ARES), 0);
    app_ = std::make_unique<RulesApplication>();
    ASSERT_EQ(app_->init(), 0) << app_->getLastErrorReport();
    createPlayer(u"Ann");
  }
  void TearDown() override {
    stop();
    CQZResourceManager::instance().reset();
    AppTest::TearDown();
  }
  CAppSettings& settings() { return *app_->getSettings(); }
  CAppProfile& profile() { return app_->getUserForm()->profile(); }
  CQZFForm* top() const {
    const CQZFFormHandler* h = app_->getFormHandler();
    return h->findForm(h->getTopFormId());
  }
  // The settings form of the game type, opened from the menu.
  CAppSpecificGameSettingsForm* openRules(uint32_t type) {
    settings().currentGameType = type;
    EXPECT_EQ(app_->onMenuCommand(1011, 1), 1);
    EXPECT_EQ(app_->getFormHandler()->getTopFormId(), AppRuleOptionsOf(static_cast<int32_t>(type))->formId)
        << app_->getLastErrorReport();
    return dynamic_cast<CAppSpecificGameSettingsForm*>(top());
  }
  static void key(CQZFForm& form, int32_t code) { static_cast<void>(form.onKey(QZFKeyEvent::key(code))); }
  static Handled press(CQZFForm& form, uint16_t id) {
    CQZFGadgetEvent event;
    event.gadgetId = id;
    event.type = kQZFEventButton;
    return form.onGadgetEvent(event);
  }
  // Whether the gadget shows the text of the string.
  static bool shows(const CQZFForm& form, uint16_t gadget, uint16_t stringId) {
    char16_t text[64] = {};
    CQZFResourceManager::getString(stringId, text, 63);
    const char16_t* shown = form.getGadgetText(gadget);
    return shown && std::u16string(shown) == text;
  }
  static uint16_t focus(const CQZFForm& form) { return form.getGadgetHandler()->getFocusedId(); }
  // A Klondike game in play, its deal finished.
  CAppGameForm* play() {
    settings().currentGameType = 1;
    app_->startChosenGame();
    frames(1);
    auto* form = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
    if (!form) return nullptr;
    form->game()->finishDealAnimation();
    form->game()->settle();
    frames(1);
    return form;
  }
};

}  // namespace

TEST_F(AppRulesFormTest, TheMenuOpensTheCurrentGamesFormShowingTheStoredRules) {
  settings().rules.yukon.threeWayA = 0;
  CAppSpecificGameSettingsForm* form = openRules(10);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->getFormId(), 1441);
  EXPECT_EQ(std::u16string(form->getTitle()), u"Yukon rules");
  EXPECT_TRUE(shows(*form, 1348, 1193));  // empty columns take no card
  EXPECT_TRUE(shows(*form, 1351, 1195));
  EXPECT_EQ(form->getGadgetValue(1341), 0);
  form->close();
  frames(1);
  // The longest name fits the title whole.
  EXPECT_EQ(std::u16string(openRules(9)->getTitle()), u"Four Corners rules");
  frames(1);
  const uint16_t before = app_->getFormHandler()->getTopFormId();
  settings().currentGameType = 13;
  EXPECT_EQ(app_->onMenuCommand(1011, 1), 1);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), before);
}

TEST_F(AppRulesFormTest, EveryGamesFormHasTheGadgetsOfItsTableAndShowsTheStoredRules) {
  for (int32_t type = 1; type <= kAppGameTypes; ++type) {
    SCOPED_TRACE(type);
    const AppGameRuleOptions& game = *AppRuleOptionsOf(type);
    CAppSpecificGameSettingsForm* form = openRules(static_cast<uint32_t>(type));
    ASSERT_NE(form, nullptr);
    for (uint16_t id : {CAppSpecificGameSettingsForm::kDone, CAppSpecificGameSettingsForm::kCancel,
                        CAppSpecificGameSettingsForm::kDefaults, CAppSpecificGameSettingsForm::kHelp}) {
      EXPECT_NE(form->getGadget(id), nullptr) << id;
    }
    const AppRuleChoices stored = game.read(settings().rules, {});
    for (size_t k = 0; k < game.options.size(); ++k) {
      const AppCycledOption& o = game.options[k];
      for (uint16_t id : {o.gadget, static_cast<uint16_t>(o.gadget + 1), static_cast<uint16_t>(o.gadget + 2)}) {
        EXPECT_NE(form->getGadget(id), nullptr) << id;
      }
      EXPECT_TRUE(shows(*form, o.gadget, o.texts[stored.index[k]])) << o.gadget;
    }
    for (size_t k = 0; k < game.boxes.size(); ++k) {
      EXPECT_NE(form->getGadget(game.boxes[k].gadget), nullptr) << game.boxes[k].gadget;
      EXPECT_EQ(form->getGadgetValue(game.boxes[k].gadget), stored.ticked[k]) << game.boxes[k].gadget;
    }
    EXPECT_FALSE(form->differsFromStored());
    form->close();
    frames(1);
  }
}

TEST_F(AppRulesFormTest, LeftAndRightCycleTheFocusedOptionAndDoneStores) {
  CAppSpecificGameSettingsForm* form = openRules(1);
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(focus(*form), 1342);
  key(*form, kQZFKeyRight);  // three cards wraps to one
  EXPECT_TRUE(shows(*form, 1342, 1186));
  key(*form, kQZFKeyLeft);  // and back
  key(*form, kQZFKeyLeft);
  EXPECT_TRUE(shows(*form, 1342, 1187));
  key(*form, kQZFKeyDown);
  ASSERT_EQ(focus(*form), 1345);
  key(*form, kQZFKeyRight);
  EXPECT_TRUE(shows(*form, 1345, 1200));
  // The arrows beside an option step it as well: back, then forward twice.
  press(*form, 1349);
  press(*form, 1350);
  press(*form, 1350);
  EXPECT_TRUE(shows(*form, 1348, 1193));
  EXPECT_EQ(settings().rules.klondike.drawCount, 3);  // nothing stored yet
  press(*form, CAppSpecificGameSettingsForm::kDone);
  frames(1);
  EXPECT_EQ(settings().rules.klondike.drawCount, 2);
  EXPECT_EQ(settings().rules.klondike.redealLimit, 127);
  EXPECT_EQ(settings().rules.klondike.threeWayA, 0u);
  EXPECT_EQ(settings().settingsChanged, 1);
  EXPECT_EQ(profile().customRules[0], 1);
  EXPECT_EQ(app_->getFormHandler()->findForm(1320), nullptr);
}

TEST_F(AppRulesFormTest, CancelBackAndAnUnchangedDoneStoreNothing) {
  for (uint16_t leave : {CAppSpecificGameSettingsForm::kCancel, uint16_t{0}, CAppSpecificGameSettingsForm::kDone}) {
    SCOPED_TRACE(leave);
    CAppSpecificGameSettingsForm* form = openRules(3);
    ASSERT_NE(form, nullptr);
    if (leave != CAppSpecificGameSettingsForm::kDone) press(*form, 1365);  // the run rule steps on
    if (leave == 0) key(*form, kQZFKeyBack);
    else press(*form, leave);
    frames(1);
    EXPECT_EQ(app_->getFormHandler()->findForm(1322), nullptr);
    EXPECT_EQ(settings().rules.spider.choice1363, 0u);
    EXPECT_EQ(settings().settingsChanged, 0);
    EXPECT_EQ(profile().customRules[2], 0);
  }
}

TEST_F(AppRulesFormTest, TheDefaultsButtonShowsTheDefaultsAndDoneClearsTheCustomFlag) {
  settings().rules.canfield.drawCount = 1;
  settings().rules.canfield.box1436 = 0;
  profile().customRules[6] = 1;
  CAppSpecificGameSettingsForm* form = openRules(7);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(shows(*form, 1342, 1186));
  press(*form, CAppSpecificGameSettingsForm::kDefaults);
  EXPECT_TRUE(shows(*form, 1342, 1188));
  EXPECT_EQ(form->getGadgetValue(1436), 1);
  EXPECT_EQ(settings().rules.canfield.drawCount, 1);
  press(*form, CAppSpecificGameSettingsForm::kDone);
  EXPECT_EQ(settings().rules.canfield.drawCount, 3);
  EXPECT_EQ(settings().rules.canfield.box1436, 1);
  EXPECT_EQ(profile().customRules[6], 0);
}

TEST_F(AppRulesFormTest, ABoxTheDefaultsLeaveUntickedMakesTheRulesCustom) {
  settings().rules.idiot.box1450 = 0;
  CAppSpecificGameSettingsForm* form = openRules(6);
  ASSERT_NE(form, nullptr);
  form->setGadgetValue(1366, 1);
  press(*form, CAppSpecificGameSettingsForm::kDefaults);
  EXPECT_EQ(form->getGadgetValue(1366), 0);
  EXPECT_EQ(form->getGadgetValue(1450), 0);
  EXPECT_FALSE(form->isDefaultChoice());
  form->setGadgetValue(1366, 1);
  press(*form, CAppSpecificGameSettingsForm::kDone);
  EXPECT_EQ(settings().rules.idiot.box1366, 1);
  EXPECT_EQ(profile().customRules[5], 1);
}

TEST_F(AppRulesFormTest, OnlyFreecellAnswersItsBoxItself) {
  CQZFGadgetEvent box;
  box.gadgetId = 1341;
  box.type = kQZFEventCheckbox;
  box.checked = 1;
  CAppSpecificGameSettingsForm* freecell = openRules(2);
  ASSERT_NE(freecell, nullptr);
  EXPECT_EQ(freecell->onGadgetEvent(box), Handled::kDone);
  freecell->close();
  frames(1);
  CAppSpecificGameSettingsForm* klondike = openRules(1);
  ASSERT_NE(klondike, nullptr);
  EXPECT_EQ(klondike->onGadgetEvent(box), Handled::kPassOn);
}

TEST_F(AppRulesFormTest, HelpOpensTheRulesHelpForTheGame) {
  CAppSpecificGameSettingsForm* form = openRules(5);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(press(*form, CAppSpecificGameSettingsForm::kHelp), Handled::kDone);
  ASSERT_EQ(top()->getFormId(), 1442);
  EXPECT_EQ(top()->getOpenParam(), 5u);
}

TEST_F(AppRulesFormTest, AFormSavedWithThePlayersFormsComesBackWithItsChoices) {
  CAppSpecificGameSettingsForm* form = openRules(11);
  ASSERT_NE(form, nullptr);
  key(*form, kQZFKeyRight);  // two cards
  form->setGadgetValue(1420, 0);
  std::vector<uint8_t> block(static_cast<size_t>(form->getSaveSize()));
  SerialiseStream writer{SERIALISE_WRITE_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  ASSERT_EQ(form->saveState(writer, nullptr), 0);
  CAppSpecificGameSettingsForm* again = openRules(11);
  ASSERT_NE(again, nullptr);
  ASSERT_NE(again, form);
  SerialiseStream reader{SERIALISE_READ_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  ASSERT_EQ(again->restoreState(reader, nullptr), 0);
  EXPECT_EQ(again->choices(), form->choices());
  EXPECT_TRUE(shows(*again, 1342, 1187));
  EXPECT_EQ(again->getGadgetValue(1420), 0);
  EXPECT_TRUE(again->differsFromStored());
}

TEST_F(AppRulesFormTest, NewRulesOverAGameInProgressAskFirstAndTheNextDealPlaysByThem) {
  CAppGameForm* game = play();
  ASSERT_NE(game, nullptr);
  ASSERT_EQ(game->game()->definition().stock.turnCount, 3);
  CAppSpecificGameSettingsForm* form = openRules(1);
  ASSERT_NE(form, nullptr);
  key(*form, kQZFKeyRight);  // one card at a time
  press(*form, CAppSpecificGameSettingsForm::kDone);
  ASSERT_EQ(top()->getFormId(), CAppSpecificGameSettingsForm::kAskInGame);
  EXPECT_EQ(settings().rules.klondike.drawCount, 3);
  press(*top(), CAppSpecificGameSettingsForm::kConfirmInGame);
  frames(1);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), kAppFormGame);
  EXPECT_EQ(settings().rules.klondike.drawCount, 1);
  EXPECT_EQ(profile().customRules[0], 1);
  EXPECT_EQ(game->game()->definition().stock.turnCount, 1);
  // The game built its layout from them: the flag is spent.
  EXPECT_EQ(settings().settingsChanged, 0);
}

TEST_F(AppRulesFormTest, CancellingTheQuestionStoresNothing) {
  ASSERT_NE(play(), nullptr);
  CAppSpecificGameSettingsForm* form = openRules(1);
  ASSERT_NE(form, nullptr);
  key(*form, kQZFKeyRight);
  press(*form, CAppSpecificGameSettingsForm::kDone);
  ASSERT_EQ(top()->getFormId(), CAppSpecificGameSettingsForm::kAskInGame);
  press(*top(), CAppAlertForm::kCancel);
  frames(1);
  EXPECT_EQ(top()->getFormId(), 1320);
  EXPECT_EQ(settings().rules.klondike.drawCount, 3);
}

TEST_F(AppRulesFormTest, ASavedGameIsThrownAwayOnlyAfterTheQuestion) {
  profile().setSavedGame(2, std::make_unique<uint8_t[]>(4), 4);
  CAppSpecificGameSettingsForm* form = openRules(3);
  ASSERT_NE(form, nullptr);
  key(*form, kQZFKeyDown);
  key(*form, kQZFKeyDown);
  ASSERT_EQ(focus(*form), 1348);
  key(*form, kQZFKeyRight);  // empty columns take kings only
  press(*form, CAppSpecificGameSettingsForm::kDone);
  ASSERT_EQ(top()->getFormId(), CAppSpecificGameSettingsForm::kAskSavedGame);
  EXPECT_EQ(profile().getSavedGameLength(2), 4);
  press(*top(), CAppSpecificGameSettingsForm::kConfirmSavedGame);
  frames(1);
  EXPECT_EQ(app_->getFormHandler()->getTopFormId(), kAppFormTitle);
  EXPECT_EQ(profile().getSavedGameLength(2), 0);
  EXPECT_EQ(settings().rules.spider.threeWayA, 2u);
  EXPECT_EQ(settings().settingsChanged, 1);
}

TEST_F(AppRulesFormTest, StoredRulesShapeTheNextGameDealt) {
  CAppSpecificGameSettingsForm* form = openRules(3);
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(focus(*form), 1360);
  key(*form, kQZFKeyRight);  // two suits
  press(*form, CAppSpecificGameSettingsForm::kDone);
  frames(1);
  settings().currentGameType = 3;
  app_->startChosenGame();
  frames(1);
  auto* game = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(game->game()->definition().suitCount, 2);
}
