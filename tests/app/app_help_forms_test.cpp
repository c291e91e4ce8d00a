// The tour, the rules and the settings help, and the sound, language and
// colour forms, opened from the built data database over a player's profile:
// what each shows, how its buttons move through it, and what it changes.
#include <gtest/gtest.h>

#include <string>

#include "app_built_data.h"
#include "app_fixture.h"
#include "app_form_coloursettings.h"
#include "app_form_customisehelp.h"
#include "app_form_instructions.h"
#include "app_form_languagesettings.h"
#include "app_form_soundsettings.h"
#include "app_form_tutorial.h"
#include "qzf_audio.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_helpers.h"

namespace {

class HelpFormsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QZFSetLanguage(1033);
    serveBuiltData();
    start();
    createPlayer(u"ANN");
  }
  void TearDown() override {
    AppTest::TearDown();
    CQZResourceManager::instance().reset();
    QZFSetLanguage(1033);
  }

  CQZFForm* topForm() const {
    CQZFFormHandler* h = app_->getFormHandler();
    return h->findForm(h->getTopFormId());
  }
  template <class T>
  T* openTop(uint16_t formId, const char* tag, uint32_t param = 0) {
    EXPECT_EQ(app_->openForm(formId, tag, param), 0) << app_->getLastErrorReport();
    return dynamic_cast<T*>(topForm());
  }
  static Handled press(CQZFForm& form, uint16_t id) {
    CQZFGadgetEvent e;
    e.gadgetId = id;
    e.type = kQZFEventButton;
    return form.onGadgetEvent(e);
  }
  static void tick(CQZFForm& form, uint16_t id, bool checked) {
    form.setGadgetValue(id, checked ? 1 : 0);
    CQZFGadgetEvent e;
    e.gadgetId = id;
    e.type = kQZFEventCheckbox;
    e.checked = checked ? 1 : 0;
    form.onGadgetEvent(e);
  }
  static void slide(CQZFForm& form, uint16_t id, int position) {
    form.setGadgetValue(id, position);
    CQZFGadgetEvent e;
    e.gadgetId = id;
    e.type = kQZFEventSliderbar;
    e.value = static_cast<uint8_t>(position);
    form.onGadgetEvent(e);
  }
  static std::u16string text(const CQZFForm& form, uint16_t id) {
    const char16_t* t = form.getGadgetText(id);
    return t ? t : u"(none)";
  }
  static bool startsWith(const std::u16string& text, const std::u16string& start) { return text.rfind(start, 0) == 0; }
};

// --- The tour ---------------------------------------------------------------------

TEST_F(HelpFormsTest, TheTourRunsFifteenStepsWithoutBackOnTheFirstOrNextOnTheLast) {
  ASSERT_EQ(app_->onMenuCommand(1010, 1), 1);
  auto* tour = dynamic_cast<CAppTutorialForm*>(topForm());
  ASSERT_NE(tour, nullptr);
  EXPECT_EQ(tour->stepCount(), 15);
  EXPECT_EQ(text(*tour, CAppTutorialForm::kCounter), u"1/15");
  EXPECT_EQ(tour->getGadget(CAppTutorialForm::kPrevious), nullptr);
  EXPECT_NE(tour->getGadget(CAppTutorialForm::kNext), nullptr);
  EXPECT_EQ(tour->getGadgetValue(CAppTutorialForm::kPicture), 704);
  EXPECT_TRUE(startsWith(text(*tour, CAppTutorialForm::kText), u"Welcome!"));
  EXPECT_EQ(std::u16string(tour->getTitle()), u"How to play");
  for (int i = 0; i < 14; ++i) press(*tour, CAppTutorialForm::kNext);
  EXPECT_EQ(text(*tour, CAppTutorialForm::kCounter), u"15/15");
  EXPECT_EQ(tour->getGadget(CAppTutorialForm::kNext), nullptr);
  EXPECT_NE(tour->getGadget(CAppTutorialForm::kPrevious), nullptr);
  EXPECT_TRUE(startsWith(text(*tour, CAppTutorialForm::kText), u"That is all!"));
  // Next on the last step and back on the first stay where they are.
  tour->next();
  EXPECT_EQ(tour->currentNumber(), 15);
  for (int i = 0; i < 20; ++i) tour->previous();
  EXPECT_EQ(tour->currentNumber(), 1);
  EXPECT_EQ(tour->currentIndex(), 0);
  EXPECT_EQ(text(*tour, CAppTutorialForm::kCounter), u"1/15");
}

TEST_F(HelpFormsTest, ClosingTheTourShowsTheGamesRulesOnce) {
  app_->getSettings()->currentGameType = 2;
  auto* tour = openTop<CAppTutorialForm>(1180, kAppTagTutorial, 1);
  ASSERT_NE(tour, nullptr);
  EXPECT_EQ(press(*tour, CAppTutorialForm::kDone), Handled::kDone);
  frames(1);
  auto* rules = dynamic_cast<CAppInstructionsForm*>(topForm());
  ASSERT_NE(rules, nullptr);
  EXPECT_EQ(rules->pageText(0), 1358);
  EXPECT_EQ(app_->getUserForm()->profile().instructionsShown[1], 1);
  press(*rules, CAppInstructionsForm::kClose);
  frames(1);
  tour = openTop<CAppTutorialForm>(1180, kAppTagTutorial, 1);
  ASSERT_NE(tour, nullptr);
  press(*tour, CAppTutorialForm::kDone);
  frames(1);
  EXPECT_EQ(forms(), "1190 1000");
}

// --- The rules -------------------------------------------------------------------

TEST_F(HelpFormsTest, RulesPagesTurnRoundWithTheFocusOnCloseOnTheLastPage) {
  auto* rules = openTop<CAppInstructionsForm>(1421, kAppTagInstructions, 9);
  ASSERT_NE(rules, nullptr);
  for (int page = 0; page < 4; ++page) EXPECT_EQ(rules->pageText(page), 1489 + page);
  EXPECT_EQ(text(*rules, CAppInstructionsForm::kPageTitle), u"The aim");
  EXPECT_TRUE(startsWith(text(*rules, CAppInstructionsForm::kPageText), u"Build the four foundations in the corners"));
  press(*rules, CAppInstructionsForm::kPrevious);
  EXPECT_EQ(rules->page(), 3);
  EXPECT_EQ(text(*rules, CAppInstructionsForm::kPageTitle), u"Your choices");
  EXPECT_EQ(rules->getGadgetHandler()->getFocusedId(), CAppInstructionsForm::kClose);
  press(*rules, CAppInstructionsForm::kNext);
  EXPECT_EQ(rules->page(), 0);
  EXPECT_EQ(rules->getGadgetHandler()->getFocusedId(), CAppInstructionsForm::kNext);
}

TEST_F(HelpFormsTest, EveryGameHasFourPagesOfRulesAndASettingsHelp) {
  for (int type = 1; type <= 12; ++type) {
    auto* rules = openTop<CAppInstructionsForm>(1421, kAppTagInstructions, static_cast<uint32_t>(type));
    ASSERT_NE(rules, nullptr);
    for (int page = 0; page < 4; ++page) {
      if (page) press(*rules, CAppInstructionsForm::kNext);
      EXPECT_GT(text(*rules, CAppInstructionsForm::kPageText).size(), 40u) << "type " << type << " page " << page;
    }
    auto* help = openTop<CAppCustomiseHelpForm>(1442, kAppTagCustomiseHelp);
    ASSERT_NE(help, nullptr);
    help->setGame(type);
    EXPECT_GT(text(*help, CAppCustomiseHelpForm::kText).size(), 40u) << "type " << type;
  }
}

TEST_F(HelpFormsTest, RulesOfAnUnknownGameShowNoText) {
  auto* rules = openTop<CAppInstructionsForm>(1421, kAppTagInstructions, 13);
  ASSERT_NE(rules, nullptr);
  EXPECT_EQ(rules->pageText(0), 0);
}

TEST_F(HelpFormsTest, SettingsHelpNamesTheGameInItsTitle) {
  auto* help = openTop<CAppCustomiseHelpForm>(1442, kAppTagCustomiseHelp);
  ASSERT_NE(help, nullptr);
  help->setGame(9);
  EXPECT_TRUE(startsWith(text(*help, CAppCustomiseHelpForm::kText), u"Turns:"));
  EXPECT_TRUE(startsWith(help->getTitle(), u"Help: "));
  EXPECT_EQ(press(*help, CAppCustomiseHelpForm::kOk), Handled::kDone);
  EXPECT_TRUE(help->isClosed());
}

// --- Sound ----------------------------------------------------------------------------

TEST_F(HelpFormsTest, VolumesConvertBetweenSliderAndAudioManager) {
  EXPECT_EQ(CAppSoundSettingsForm::volumeToPosition(512), 100);
  EXPECT_EQ(CAppSoundSettingsForm::positionToVolume(50), 256);
  EXPECT_EQ(CAppSoundSettingsForm::positionToVolume(1), 5);
  EXPECT_EQ(CAppSoundSettingsForm::volumeToPosition(5), 0);
}

TEST_F(HelpFormsTest, SoundFormSetsTheAudioManagerAtOnceAndDropsMusicWithoutASong) {
  CQZFAudioManager* audio = app_->getAudioManager();
  ASSERT_NE(audio, nullptr);
  ASSERT_EQ(app_->onMenuCommand(1004, 1), 1);
  auto* sound = dynamic_cast<CAppSoundSettingsForm*>(topForm());
  ASSERT_NE(sound, nullptr);
  if (audio->getSong() == nullptr) {
    for (uint16_t id : {1044, 1045, 1046}) EXPECT_EQ(sound->getGadget(id), nullptr) << id;
  }
  EXPECT_NE(sound->getGadget(CAppSoundSettingsForm::kSoundMuted), nullptr);
  if (!audio->isOutputAvailable()) GTEST_SKIP() << "no sound output here";
  ASSERT_NE(sound->getGadget(CAppSoundSettingsForm::kSoundVolume), nullptr);
  slide(*sound, CAppSoundSettingsForm::kSoundVolume, 50);
  EXPECT_EQ(audio->getSoundVolume(), 256);
  tick(*sound, CAppSoundSettingsForm::kSoundMuted, true);
  EXPECT_TRUE(audio->isSoundMuted());
  tick(*sound, CAppSoundSettingsForm::kSoundMuted, false);
  EXPECT_FALSE(audio->isSoundMuted());
  press(*sound, CAppSoundSettingsForm::kClose);
  EXPECT_TRUE(sound->isClosed());
  EXPECT_EQ(audio->getSoundVolume(), 256);
}

// --- Language -------------------------------------------------------------------------

TEST_F(HelpFormsTest, APickedLanguageIsSetAtOnceAndUndoneWhenTheFormIsLeft) {
  ASSERT_EQ(app_->onMenuCommand(1006, 1), 1);
  auto* language = dynamic_cast<CAppLanguageSettingsForm*>(topForm());
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(language->getGadgetValue(1082), 1);
  tick(*language, 1084, true);
  EXPECT_EQ(QZFGetLanguage(), 1036);
  for (uint16_t box = 1081; box <= 1085; ++box) EXPECT_EQ(language->getGadgetValue(box), box == 1084 ? 1 : 0) << box;
  // Back leaves the form: English again.
  language->invalidate();
  language->close();
  frames(1);
  EXPECT_EQ(QZFGetLanguage(), 1033);
}

TEST_F(HelpFormsTest, ALanguageNotOfferedCountsAsEnglishAndOkWithItJustCloses) {
  QZFSetLanguage(1046);
  auto* language = openTop<CAppLanguageSettingsForm>(1080, kAppTagLanguageSettings);
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(language->getGadgetValue(1082), 1);
  press(*language, CAppLanguageSettingsForm::kOk);
  EXPECT_TRUE(language->isClosed());
  EXPECT_FALSE(app_->isReinitialiseRequested());
  frames(1);
  EXPECT_EQ(QZFGetLanguage(), 1046);
}

TEST_F(HelpFormsTest, OkWithAnotherLanguageRestartsTheApplicationOverTheProfile) {
  auto* language = openTop<CAppLanguageSettingsForm>(1080, kAppTagLanguageSettings);
  ASSERT_NE(language, nullptr);
  tick(*language, 1081, true);
  press(*language, CAppLanguageSettingsForm::kOk);
  EXPECT_TRUE(app_->isReinitialiseRequested());
  frames(1);
  EXPECT_EQ(forms(), "1190");
  EXPECT_EQ(QZFGetLanguage(), 1031);
}

// During a game OK asks first (alert 1090, with the old language); when the
// answer brings the old language back, the form shows it ticked again.
TEST_F(HelpFormsTest, OkDuringAGameAsksFirstAndTheFormFollowsTheAnswer) {
  app_->startChosenGame();
  frames(1);
  ASSERT_NE(app_->getFormHandler()->findForm(kAppFormGame), nullptr);
  auto* language = openTop<CAppLanguageSettingsForm>(1080, kAppTagLanguageSettings);
  ASSERT_NE(language, nullptr);
  tick(*language, 1084, true);
  press(*language, CAppLanguageSettingsForm::kOk);
  EXPECT_FALSE(app_->isReinitialiseRequested());
  CQZFForm* alert = topForm();
  ASSERT_EQ(alert->getFormId(), kAppFormLanguageAlert);
  EXPECT_EQ(alert->getOpenParam(), 1033u);
  EXPECT_FALSE(language->isClosed());
  // The alert's "no": the language of its parameter, and the alert closes.
  QZFSetLanguage(static_cast<uint16_t>(alert->getOpenParam()));
  alert->invalidate();
  alert->close();
  frames(2);
  EXPECT_EQ(topForm(), language);
  EXPECT_EQ(language->getGadgetValue(1082), 1);
  EXPECT_EQ(language->getGadgetValue(1084), 0);
}

// A language change restarts the program, which reads the player's saved
// forms again: the player's data must come back in the new language.
TEST_F(HelpFormsTest, ThePlayerComesBackAfterARestartInAnotherLanguage) {
  app_->getSettings()->currentGameType = 5;
  app_->getUserForm()->profile().trophies[3] = 1;
  stop();
  QZFSetLanguage(1040);
  start();
  ASSERT_NE(app_->getSettings(), nullptr);
  EXPECT_EQ(app_->getSettings()->currentGameType, 5u);
  EXPECT_EQ(app_->getUserForm()->profile().trophies[3], 1);
}

// --- Colours ------------------------------------------------------------------------

TEST_F(HelpFormsTest, ColourFormShowsTheSchemeAndAppliesOnlyOnApplyOrOk) {
  CAppColourSchemes::Scheme& scheme = app_->colourSchemes().scheme(0);
  scheme.top[0] = 255;
  scheme.tint[0] = 0;
  scheme.top[1] = 10;
  auto* colours = openTop<CAppColourSettingsForm>(1400, kAppTagColourSettings);
  ASSERT_NE(colours, nullptr);
  EXPECT_EQ(colours->getGadgetValue(1401), 100);
  EXPECT_EQ(text(*colours, 20), u"255");
  EXPECT_EQ(text(*colours, 26), u"-127");
  slide(*colours, 1402, 50);
  EXPECT_EQ(text(*colours, 21), u"127");
  EXPECT_EQ(scheme.top[1], 10);
  press(*colours, CAppColourSettingsForm::kApply);
  EXPECT_EQ(scheme.top[1], 127);
  EXPECT_EQ(scheme.top[0], 255);
  slide(*colours, 1402, 0);
  press(*colours, CAppColourSettingsForm::kCancel);
  EXPECT_TRUE(colours->isClosed());
  EXPECT_EQ(scheme.top[1], 127);
}

}  // namespace
