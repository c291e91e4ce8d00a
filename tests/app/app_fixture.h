// The application started on a scratch device root with stand-ins for the
// forms the test data has no description of, on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "../framework/application_fixture.h"
#include "app_application.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_game_settings.h"
#include "app_form_user.h"
#include "app_preferences.h"
#include "app_profile.h"
#include "app_settings.h"
#include "app_serialise_stream.h"
#include "qz_preferences.h"
#include "qz_startup.h"
#include "qzf_database.h"
#include "qzf_form_handler.h"
#include "test_scratch.h"
#include "wince/host/audio.h"
#include "wince/host/clock.h"
#include "wince/host/file.h"

inline constexpr uint32_t kUser = QZFourCC("USER");

// A form that opens without a description and keeps a few bytes of state.
class StubForm : public CQZFForm {
 public:
  int16_t open(uint16_t formId, uint32_t param) override { return prepareOpen(formId, param); }
  int16_t serialise(SerialiseStream& stream) override { return serialiseBytes(stream, sizeof bytes, bytes); }
  uint8_t bytes[4] = {};
};

template <const char* Tag>
class TaggedStub : public StubForm {
 public:
  TaggedStub() { setName(Tag); }
};

// The application with stand-ins for the forms the test data has no description of.
class TestApplication : public CAppApplication {
 public:
  int16_t registerClasses() override {
    if (const int16_t r = CAppApplication::registerClasses(); r < 0) return r;
    registerClass<TaggedStub<kAppTagTitle>>(kAppTagTitle);
    registerClass<StubForm>(kAppTagSelectUser);
    registerClass<StubForm>(kAppTagCreateUser);
    registerClass<StubForm>(kAppTagImportUser);
    registerClass<StubForm>(kAppTagAlert);
    registerClass<StubForm>("frmyuset");
    return 0;
  }
};

class AppTest : public ApplicationEnvironment {
 protected:
  void SetUp() override {
    ApplicationEnvironment::SetUp();
    wince::useVirtualClock(1000000);
    wince::selectWaveOutBackend(wince::WaveOutBackend::Capture, scratchPath("sound.wav"));
    const auto root = scratchFolder();
    std::filesystem::remove_all(root);
    ASSERT_TRUE(wince::setDeviceRoot(root));
    QZGetApplicationConfig().creator = QZFourCC("QzSo");
    openPreferences();
  }
  void TearDown() override {
    stop();
    QZClosePreferences();
    wince::selectWaveOutBackend(wince::WaveOutBackend::Automatic);
    wince::useRealClock();
    ApplicationEnvironment::TearDown();
  }
  static void openPreferences() {
    QZSetPreferencesOwner(u"Pellwyn", QZFourCC("QzSo"));
    ASSERT_EQ(QZOpenPreferences(), 0);
  }
  void start() {
    app_ = std::make_unique<TestApplication>();
    ASSERT_EQ(app_->init(), 0) << app_->getLastErrorReport();
  }
  // The stop saves the player and the list; the preferences go to their file.
  void stop() {
    if (!app_) return;
    app_->shutdown();
    app_.reset();
    QZClosePreferences();
    openPreferences();
  }
  std::string forms() const {
    std::string out;
    const CQZFFormHandler* h = app_->getFormHandler();
    for (int i = 0; i < h->getFormCount(); ++i) {
      if (h->getForm(i)->isClosed()) continue;
      out += (out.empty() ? "" : " ") + std::to_string(h->getForm(i)->getFormId());
    }
    return out;
  }
  // Creates a player as the create form does, and lets the next frame carry it out.
  void createPlayer(const char16_t* name) {
    CAppPreferences* players = app_->getPreferences();
    const int16_t previous = players->getCurrent();
    int16_t index = -1;
    ASSERT_TRUE(players->addUser(name, &index));
    app_->users().requestCreateUser(name, index, kAppFormTitle, previous);
    frames(2);
  }
  // The current player has seen the tour and every game's rules and holds
  // every trophy: no help and no trophy alert comes over the play screen.
  void makeSeasoned() {
    app_->getSettings()->tutorialPending = 0;
    CAppProfile& profile = app_->getUserForm()->profile();
    std::fill(std::begin(profile.instructionsShown), std::end(profile.instructionsShown), 1);
    std::fill(std::begin(profile.trophies), std::end(profile.trophies), 1);
  }
  // The game's play screen, with one-touch play on or off, for a seasoned
  // player. Null when it did not open.
  CAppGameForm* startGame(uint32_t type, bool oneTouch) {
    CAppSettings& s = *app_->getSettings();
    s.currentGameType = type;
    s.gameOptions[type - 1][kOptionOneTouch] = oneTouch ? 1 : 0;
    makeSeasoned();
    app_->startChosenGame();
    frames(1);
    auto* form = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
    return form && form->game() ? form : nullptr;
  }
  void frames(int n) {
    for (int i = 0; i < n; ++i) {
      ASSERT_GE(app_->postUpdate(), 0);
      app_->getFormHandler()->tick();
    }
  }
  static bool databaseExists(const char16_t* name) {
    CQZFRsrcDatabase db;
    return db.open(name, QZFourCC("QzSo"), kUser, false) == 0 && db.close() == 0;
  }

  std::unique_ptr<TestApplication> app_;
};
