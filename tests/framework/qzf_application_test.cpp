// The application base: the order of its start and stop, the order of a
// frame, what stops a frame, how window events reach the controls, the
// minimise overlay and the user interface, and the error reports (source,
// line, status) of a failed start.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "application_fixture.h"
#include "qz_lifecycle.h"
#include "qzf_application.h"
#include "qzf_controls.h"
#include "qzf_graphics.h"
#include "qzf_load_screen.h"
#include "qzf_metrics.h"
#include "qzf_minimise.h"
#include "qzf_resource.h"
#include "qzf_ui.h"
#include "wince/audio.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/system.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace {

const QZGraphicsMode kPortrait[] = {{'D', 16, 240, 320, 0}};
const QZFModeTable kPortraitTable{kPortrait, 1};
const int16_t kValues[8] = {};

struct Report {
  std::string source;
  int line;
  int16_t code;
  bool operator==(const Report&) const = default;
};

using Log = std::vector<std::string>;

CQZFApplication* applicationOf(const CQZFObject* o) {
  return o->findOwner<CQZFApplication>();
}

// The forms as the frame and the events reach them.
class RecordingForms : public CQZFFormHandler {
 public:
  RecordingForms(CQZFObject* owner, Log* log) : CQZFFormHandler(owner), log_(log) {}
  void tick() override { log_->push_back("forms tick"); }
  void drawForms() override {
    log_->push_back("forms draw " + std::to_string(applicationOf(this)->getGraphics()->grid().getUpdateList().size()));
  }
  Handled onPen(const QZFPenEvent& pen) override {
    log_->push_back("forms pen " + std::to_string(static_cast<int>(pen.type)) + " " + std::to_string(pen.x) + "," +
                    std::to_string(pen.y));
    return Handled::kDone;
  }
  Handled onKey(const QZFKeyEvent& key) override {
    log_->push_back("forms key " + std::to_string(key.code) + (key.keyDown ? " down" : " char"));
    return Handled::kDone;
  }
  void setActive(int active) override { log_->push_back("forms active " + std::to_string(active)); }

 private:
  Log* log_;
};

class RecordingUI : public CQZFUI {
 public:
  RecordingUI(CQZFObject* owner, Log* log) : CQZFUI(owner), log_(log) {}

 protected:
  std::unique_ptr<CQZFFormHandler> makeFormHandler() override { return std::make_unique<RecordingForms>(this, log_); }

 private:
  Log* log_;
};

// Each step notes which managers exist: Resources, Audio, Graphics, Value
// table, Metrics, User interface.
class RecordingLoadScreen : public CQZFLoadScreen {
 public:
  RecordingLoadScreen(CQZFObject* owner, Log* log) : CQZFLoadScreen(owner), log_(log) {}
  void drawProgress() override { log_->push_back("step " + managers()); }
  int16_t loadImages(int flag) override {
    log_->push_back("load images " + std::to_string(flag) + " " + managers());
    return 0;
  }
  void releaseImages() override { log_->push_back("release images " + managers()); }

 private:
  std::string managers() const {
    const CQZFApplication* app = applicationOf(this);
    std::string s;
    if (app->getResourceManager()) s += 'R';
    if (app->getAudioManager()) s += 'A';
    if (app->getGraphics()) s += 'G';
    if (!app->getCurrentValueTable().empty()) s += 'V';
    if (app->getMetrics()) s += 'M';
    if (app->getUI()) s += 'U';
    return s;
  }
  Log* log_;
};

// A button at the top right corner.
class RecordingMinimise : public CQZFMinimise {
 public:
  RecordingMinimise(CQZFObject* owner, Log* log) : CQZFMinimise(owner), log_(log) {
    setButton(QZRect{200, 0, 40, 20});
  }
  void drawOverlay() override { log_->push_back("overlay"); }

 private:
  Log* log_;
};

// Records the frame's steps and the error reports.
class OrderApplication : public CQZFApplication {
 public:
  const QZFModeTable* modes = &kPortraitTable;
  std::span<const int16_t> values = kValues;
  int16_t postResult = 0;
  Log log;
  std::vector<Report> reports;

  int16_t preInit(const QZFModeTable** out) override {
    *out = modes;
    return 0;
  }
  std::span<const int16_t> getValueTable(int) override { return values; }
  void onUpdate() override { log.push_back("update"); }
  int16_t postUpdate() override {
    log.push_back("post");
    return postResult;
  }
  void reportError(const char* source, int line, int16_t code) override { reports.push_back({source, line, code}); }

 protected:
  std::unique_ptr<CQZFUI> makeUserInterface() override { return std::make_unique<RecordingUI>(this, &log); }
};

class ApplicationTest : public ApplicationEnvironment {
 protected:
  void TearDown() override {
    app_.shutdown();
    ApplicationEnvironment::TearDown();
  }
  OrderApplication app_;
};

TEST_F(ApplicationTest, TickBeforeInitDoesNothing) {
  EXPECT_EQ(app_.tick(), 1);
  app_.drawFrame();
  EXPECT_TRUE(app_.log.empty());
  EXPECT_EQ(output_.copies, 0);
}

TEST_F(ApplicationTest, StartAndStopRunInOrderWithLoadScreenSteps) {
  RecordingLoadScreen screen(&app_, &app_.log);
  app_.setLoadScreen(&screen);
  ASSERT_EQ(app_.init(), 0);
  EXPECT_EQ(app_.log, (Log{"step ", "step R", "step RA", "step RAG", "load images 0 RAGV", "step RAGV",
                           "step RAGVM", "step RAGVMU", "step RAGVMU", "step RAGVMU"}));
  EXPECT_EQ(screen.getCurrent(), screen.getTotal());
  EXPECT_EQ(screen.getTotal(), 9);
  EXPECT_EQ(app_.getResourceManager()->getKind(), kQZFKindResourceManager);
  EXPECT_EQ(app_.getMetrics()->getKind(), kQZFKindMetrics);
  EXPECT_EQ(app_.getUI()->getKind(), kQZFKindUI);

  app_.log.clear();
  app_.shutdown();
  // Audio, the user interface, the metrics with the load screen's images,
  // the graphics, the resources.
  EXPECT_EQ(app_.log, (Log{"step RGVMU", "step RGVM", "release images RGV", "step RGV", "step R", "step "}));
  // A second stop finds nothing to stop.
  app_.log.clear();
  app_.shutdown();
  EXPECT_TRUE(app_.log.empty());
  app_.setLoadScreen(nullptr);
}

TEST_F(ApplicationTest, FrameRunsInOrderAndDrawsOnlyWhatIsDirty) {
  RecordingMinimise minimise(&app_, &app_.log);
  app_.setMinimise(&minimise);
  ASSERT_EQ(app_.init(), 0);
  EXPECT_EQ(app_.tick(), 1);
  app_.drawFrame();  // the first frame draws the whole screen
  EXPECT_EQ(app_.log, (Log{"update", "post", "forms tick", "forms draw 0", "overlay"}));
  EXPECT_EQ(output_.copies, 1);
  app_.log.clear();
  app_.getGraphics()->invalidateRect(30, 40, 20, 10);
  app_.tick();
  app_.drawFrame();
  EXPECT_EQ(app_.log, (Log{"update", "post", "forms tick", "forms draw 1", "overlay"}));
  EXPECT_FALSE(app_.getGraphics()->isRectDirty(0, 0, 240, 320));
  // postUpdate's 1 or a negative result ends the tick before the forms.
  for (const int16_t r : {int16_t{1}, int16_t{-3}}) {
    app_.log.clear();
    app_.postResult = r;
    EXPECT_EQ(app_.tick(), r);
    EXPECT_EQ(app_.log, (Log{"update", "post"}));
  }
  app_.setMinimise(nullptr);
}

TEST_F(ApplicationTest, TheTickMeasuresTheFrame) {
  wince::useVirtualClock(100000);
  ASSERT_EQ(app_.init(), 0);
  app_.tick();
  wince::advanceClock(250);
  app_.tick();
  EXPECT_EQ(app_.getMetrics()->getFrameInterval(1, 100), 25u);
  wince::useRealClock();
}

TEST_F(ApplicationTest, MinimiseRequestStopsEveryFrame) {
  ASSERT_EQ(app_.init(), 0);
  app_.requestMinimise();
  for (int i = 0; i < 2; ++i) {
    app_.log.clear();
    EXPECT_EQ(app_.tick(), -11);
    app_.drawFrame();
    EXPECT_TRUE(app_.log.empty());
  }
  EXPECT_TRUE(app_.isStopping());
  // Focus coming back takes the request away.
  app_.onSystemEvent(windowMessage(WM_SETFOCUS, 0));
  EXPECT_EQ(app_.tick(), 1);
}

TEST_F(ApplicationTest, SizeMessageAsksForReinitialisationOnlyInFullScreenWithNewSize) {
  struct Case {
    int width, height;
    bool fullScreen;
    bool request;
  };
  for (const Case c : {Case{0, 240, true, false}, Case{320, 0, true, false}, Case{320, 240, false, false},
                       Case{240, 320, true, false}, Case{320, 240, true, true}}) {
    OrderApplication fresh;
    ASSERT_EQ(fresh.init(), 0);
    if (c.fullScreen) QZSetFullScreen(1);
    fresh.onSystemEvent(windowMessage(WM_SIZE, 0, MAKELPARAM(c.width, c.height)));
    EXPECT_EQ(fresh.isReinitialiseRequested(), c.request) << c.width << "x" << c.height;
    QZSetFullScreen(0);
    fresh.shutdown();
  }
}

TEST_F(ApplicationTest, AReinitialiseRequestMakesTheManagersAnew) {
  RecordingLoadScreen screen(&app_, &app_.log);
  app_.setLoadScreen(&screen);
  ASSERT_EQ(app_.init(), 0);
  // A volume control of the first user interface, which a new one does not have.
  int oldControlSteps = 0;
  app_.getUI()->setVolumeControl({[] { return 0x1000u; }, [&](uint32_t) { ++oldControlSteps; }});
  ASSERT_EQ(waveOutSetVolume(nullptr, 0x80008000), MMSYSERR_NOERROR);
  QZSetFullScreen(1);
  app_.onSystemEvent(windowMessage(WM_SIZE, 0, MAKELPARAM(320, 240)));
  QZSetFullScreen(0);
  app_.log.clear();
  EXPECT_EQ(app_.tick(), 1);
  EXPECT_FALSE(app_.isReinitialiseRequested());
  // Every manager stopped, the load screen's images released, and all of
  // them started again.
  const Log stopAndStart{"step RGVMU", "step RGVM", "release images RGV", "step RGV", "step R", "step ",
                         "step ", "step R", "step RA", "step RAG", "load images 0 RAGV", "step RAGV",
                         "step RAGVM", "step RAGVMU", "step RAGVMU", "step RAGVMU"};
  ASSERT_GE(app_.log.size(), stopAndStart.size());
  EXPECT_EQ(Log(app_.log.begin(), app_.log.begin() + static_cast<std::ptrdiff_t>(stopAndStart.size())), stopAndStart);
  // A volume key reaches the new user interface, which steps the device's volume.
  ASSERT_NE(app_.getUI(), nullptr);
  app_.onSystemEvent(windowMessage(WM_KEYUP, 117));
  EXPECT_EQ(oldControlSteps, 0);
  DWORD volume = 0;
  ASSERT_EQ(waveOutGetVolume(nullptr, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0xC000C000u);
  ASSERT_EQ(waveOutSetVolume(nullptr, 0xFFFFFFFF), MMSYSERR_NOERROR);
  app_.setLoadScreen(nullptr);

  // A failed start makes the tick end the program and keeps the request.
  QZSetFullScreen(1);
  app_.onSystemEvent(windowMessage(WM_SIZE, 0, MAKELPARAM(320, 240)));
  QZSetFullScreen(0);
  app_.values = {};
  app_.reports.clear();
  EXPECT_EQ(app_.tick(), -11);
  EXPECT_TRUE(app_.isReinitialiseRequested());
  EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_application", 125, -1}, {"qzf_application", 41, -1}}));
  app_.values = kValues;
  EXPECT_EQ(app_.tick(), 1);
  EXPECT_FALSE(app_.isReinitialiseRequested());
}

TEST_F(ApplicationTest, FailedStartsAreReportedAndLeaveTheirManagersForShutdown) {
  app_.modes = nullptr;
  EXPECT_EQ(app_.init(), -11);
  EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_graphics", 39, -11}, {"qzf_application", 120, -11}}));
  EXPECT_NE(app_.getResourceManager(), nullptr);
  EXPECT_NE(app_.getAudioManager(), nullptr);
  EXPECT_FALSE(app_.isInitialised());

  OrderApplication noTable;
  noTable.values = {};
  EXPECT_EQ(noTable.init(), -1);
  EXPECT_EQ(noTable.reports, (std::vector<Report>{{"qzf_application", 125, -1}}));
  EXPECT_NE(noTable.getGraphics(), nullptr);
  EXPECT_EQ(noTable.getMetrics(), nullptr);
  EXPECT_EQ(noTable.getUI(), nullptr);
  EXPECT_EQ(noTable.tick(), 1);  // not initialised: nothing runs
  noTable.shutdown();
  EXPECT_EQ(noTable.getGraphics(), nullptr);
  EXPECT_EQ(noTable.getResourceManager(), nullptr);
}

// A user interface that cannot be made, or that cannot make its form handler.
TEST_F(ApplicationTest, AFailedUserInterfaceIsReportedWhereItFailed) {
  struct NoFormsUI : CQZFUI {
    using CQZFUI::CQZFUI;
    std::unique_ptr<CQZFFormHandler> makeFormHandler() override { return nullptr; }
  };
  struct FailingApplication : OrderApplication {
    bool makesOne = false;
    std::unique_ptr<CQZFUI> makeUserInterface() override {
      return makesOne ? std::make_unique<NoFormsUI>(this) : nullptr;
    }
  };
  FailingApplication none;
  EXPECT_EQ(none.init(), -9);
  EXPECT_EQ(none.reports, (std::vector<Report>{{"qzf_application", 141, -9}}));
  EXPECT_NE(none.getMetrics(), nullptr);
  none.shutdown();
  FailingApplication noForms;
  noForms.makesOne = true;
  EXPECT_EQ(noForms.init(), -9);
  EXPECT_EQ(noForms.reports, (std::vector<Report>{{"qzf_ui", 32, -9}, {"qzf_application", 142, -9}}));
  noForms.shutdown();
}

TEST_F(ApplicationTest, KeyMessagesReachTheControlsAndTheUserInterface) {
  wince::selectDeviceProfile("smartphone");
  CQZFControls controls(&app_);
  ASSERT_EQ(controls.init(1, [](QZControlsManager&) { return 2; }), 0);
  app_.setControls(&controls);
  ASSERT_EQ(app_.init(), 0);
  app_.log.clear();
  EXPECT_EQ(app_.onSystemEvent(windowMessage(WM_KEYUP, 13)), 2);
  EXPECT_EQ(controls.keyState(13), 0);  // a release is no press
  EXPECT_EQ(app_.onSystemEvent(windowMessage(WM_KEYDOWN, 13)), 1);
  EXPECT_EQ(controls.keyState(13), kQZKeyPressed);
  EXPECT_EQ(app_.log, (Log{"forms key 13 down"}));
  app_.setControls(nullptr);
  controls.shutdown();
}

TEST_F(ApplicationTest, WithoutUserInterfaceNothingIsHandled) {
  EXPECT_EQ(app_.onSystemEvent(windowMessage(WM_KEYDOWN, 13)), 2);
  EXPECT_EQ(app_.onPen(1, 10, 10), 2);
  EXPECT_EQ(app_.onKey(13, 0), 2);
  EXPECT_EQ(app_.onSuspendResume(0), 2);
  EXPECT_TRUE(app_.log.empty());
}

TEST_F(ApplicationTest, KeysArePressesOrCharacters) {
  ASSERT_EQ(app_.init(), 0);
  for (const int code : {0, 9, 13, 37, 38, 39, 40, 112, 113, 0xA003}) {
    app_.log.clear();
    EXPECT_EQ(app_.onKey(code, 0), 1);
    EXPECT_EQ(app_.log, (Log{"forms key " + std::to_string(code) + " down"}));
  }
  for (const int code : {8, 27, 32, 41, 65, 111, 114, 261}) {
    app_.log.clear();
    app_.onKey(code, 0);
    EXPECT_EQ(app_.log, (Log{"forms key " + std::to_string(code) + " char"}));
  }
}

TEST_F(ApplicationTest, TheMinimiseButtonTakesThePenFirst) {
  RecordingMinimise minimise(&app_, &app_.log);
  ASSERT_EQ(app_.init(), 0);
  // Without the overlay the forms get every pen event.
  EXPECT_EQ(app_.onPen(1, 210, 5), 1);
  EXPECT_EQ(app_.log, (Log{"forms pen 1 210,5"}));
  app_.setMinimise(&minimise);
  app_.log.clear();
  EXPECT_EQ(app_.onPen(1, 210, 5), 1);
  EXPECT_EQ(app_.onPen(0, 210, 5), 1);
  EXPECT_TRUE(app_.log.empty());
  EXPECT_TRUE(app_.isMinimiseRequested());
  EXPECT_EQ(app_.onPen(1, 10, 300), 1);
  EXPECT_EQ(app_.log, (Log{"forms pen 1 10,300"}));
  app_.setMinimise(nullptr);
}

TEST_F(ApplicationTest, SuspendAndFocusReachTheForms) {
  ASSERT_EQ(app_.init(), 0);
  app_.log.clear();
  EXPECT_EQ(app_.onSuspendResume(0), 2);
  EXPECT_EQ(app_.onSuspendResume(1), 2);
  EXPECT_EQ(app_.log, (Log{"forms active 0", "forms active 1"}));
  app_.onSystemEvent(windowMessage(WM_KILLFOCUS, 0));
  EXPECT_FALSE(app_.isActive());
  app_.onSystemEvent(windowMessage(WM_SETFOCUS, 0));
  EXPECT_TRUE(app_.isActive());
}

TEST_F(ApplicationTest, HotKeysReachTheFormsAsKeys) {
  wince::useVirtualClock(100000);
  ASSERT_EQ(app_.init(), 0);
  wince::advanceClock(1000);
  app_.log.clear();
  app_.onSystemEvent(windowMessage(WM_HOTKEY, 0, MAKELPARAM(0, 27)));
  EXPECT_EQ(app_.log, (Log{"forms key 27 down"}));
  wince::useRealClock();
}

TEST_F(ApplicationTest, ScalingKeepsFactor128UntilTheValueTableChoosesOthers) {
  EXPECT_EQ(app_.scaleX(300), 38400);
  EXPECT_EQ(app_.unscaleY(-1), -1);
  app_.setScaling(117, 64);
  EXPECT_EQ(app_.scaleX(100), 11700);
  EXPECT_EQ(app_.unscaleX(11700), 100);
  EXPECT_EQ(app_.scaleY(100), 6400);
  EXPECT_EQ(app_.unscaleY(6400), 100);
}

// An application deleted without a stop must not reach the objects its
// derived part owned: they are gone by then.
TEST_F(ApplicationTest, DeletingAStartedApplicationStopsItsManagers) {
  struct OwningApplication : OrderApplication {
    OwningApplication() { setLoadScreen(&screen); }
    RecordingLoadScreen screen{this, &log};
  };
  auto owning = std::make_unique<OwningApplication>();
  ASSERT_EQ(owning->init(), 0);
  owning.reset();
  SUCCEED();
}

}  // namespace

namespace {

struct TaggedGadget : CQZFObject {
  static constexpr uint16_t kKind = kQZFKindGadget;
  TaggedGadget() { setKind(kKind, this); }
};
struct TaggedMenu : CQZFObject {
  TaggedMenu() { setKind(kQZFKindMenu, this); }
};

}  // namespace

TEST(ApplicationRegistry, TagsMakeObjectsOfTheirClassOnly) {
  CQZFApplication app;
  app.registerClass<TaggedGadget>("gdtLbl");
  app.registerClass<TaggedMenu>("mnuBar");
  std::unique_ptr<TaggedGadget> gadget = app.createObject<TaggedGadget>("gdtLbl");
  ASSERT_NE(gadget, nullptr);
  EXPECT_EQ(gadget->getKind(), kQZFKindGadget);
  EXPECT_EQ(app.createObject<TaggedGadget>("mnuBar"), nullptr);  // another family
  EXPECT_EQ(app.createObject<TaggedGadget>("gdtNone"), nullptr);
  EXPECT_NE(app.createObject("mnuBar"), nullptr);
}
