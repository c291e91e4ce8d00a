// Start-up, the frame loop, the stop sequence, errors and alerts, driven
// in-process on the virtual clock with a recording application.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "../wince/string_block.h"
#include "qz_app_bridge.h"
#include "qz_display.h"
#include "qz_lifecycle.h"
#include "qz_preferences.h"
#include "qz_screen.h"
#include "qz_sound.h"
#include "qz_startup.h"
#include "qz_system.h"
#include "test_scratch.h"
#include "wait_until.h"
#include "wince/audio.h"
#include "wince/host/audio.h"
#include "wince/host/clock.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/host/resource.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/thread.h"
#include "wince/host/window.h"
#include "wince/wince.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string>& calls() {
  static std::vector<std::string> log;
  return log;
}

// An application that records what the layer asks of it.
class RecordingApplication : public QZApplicationInterface {
 public:
  static inline int16_t initResult = 0;
  static inline int16_t tickResult = 1;
  // Run inside init and inside each tick (a dialog's nested message loop).
  static inline std::function<void()> duringInit;
  static inline std::function<void()> duringTick;
  ~RecordingApplication() override { calls().push_back("deleted"); }
  int16_t init() override {
    calls().push_back("init");
    if (duringInit) duringInit();
    calls().push_back("init done");
    return initResult;
  }
  int16_t shutdown() override {
    calls().push_back("shutdown");
    return 0;
  }
  int16_t tick() override {
    calls().push_back("tick");
    if (duringTick) duringTick();
    return tickResult;
  }
  void drawFrame() override { calls().push_back("draw"); }
  void repaintAll() override { calls().push_back("repaint"); }
  int onSystemEvent(const MSG&) override { return 2; }
  int onPen(int type, int x, int y) override {
    calls().push_back("pen " + std::to_string(type) + " " + std::to_string(x) + "," + std::to_string(y));
    return 1;
  }
  int onKey(int code, int value) override {
    calls().push_back("key " + std::to_string(code) + " " + std::to_string(value));
    return 1;
  }
  int onSuspendResume(int active) override {
    calls().push_back("active " + std::to_string(active));
    return 2;
  }
};

struct Launch {
  uint16_t titleId = 7420;
  bool factoryFails = false;
  int firstRunResult = 2;
};
Launch g_launch;

int launchSettings(QZApplicationConfig* c) {
  c->installKeyStringId = 7423;
  c->productKeyStringId = 7422;
  c->classStringId = 7421;
  c->titleStringId = g_launch.titleId;
  c->creator = 0x517A536F;
  c->planeSlots = 10;
  c->blobMapSize = 1400;
  c->blobSetSlots = 130;
  return 0;
}

QZApplicationInterface* createApplication() {
  calls().push_back("create");
  return g_launch.factoryFails ? nullptr : new RecordingApplication();
}

int firstRun() {
  calls().push_back("first run");
  return g_launch.firstRunResult;
}

class StartupTest : public ::testing::Test {
 public:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::setInstanceNamespace(("startup-" + std::to_string(getpid())).c_str());
    wince::useVirtualClock(1000);
    wince::selectWaveOutBackend(wince::WaveOutBackend::Silent);
    ASSERT_TRUE(wince::selectDeviceProfile("smartphone"));
    root_ = scratchFolder();
    fs::remove_all(root_);
    ASSERT_TRUE(wince::setDeviceRoot(root_));
    wince::reloadRegistry();
    strings_[0] = stringBlock(7419, {u"A title far too long to name a settings database", u"Pellwyn", u"PellwynTest",
                                     u"SOFTWARE\\Apps\\Pellwyn", u"SOFTWARE\\Apps\\Pellwyn"});
    strings_[1] = stringBlock(4000, {u"", u"", u"", u"", u"", u"ERROR|More memory required|memory|Exit",
                                     u"ERROR|Application Error|internal|Exit", u"ERROR|three fields only|Exit",
                                     u"ERROR|More memory required|storage|Exit", u"ERROR|Graphics database failed|db|Exit"});
    strings_[2] = stringBlock(9460, {u"WARNING|Sure?|Really quit?|OKCancel", u"CONFIRMATION|Ask|Yes or no?|YesNo"});
    for (int i = 0; i < 3; ++i) {
      const UINT block = i == 0 ? 7420 / 16 + 1 : i == 1 ? 4000 / 16 + 1 : 9460 / 16 + 1;
      entries_[i] = {nullptr, 6, nullptr, static_cast<WORD>(block), reinterpret_cast<const BYTE*>(strings_[i].data()),
                     static_cast<DWORD>(strings_[i].size() * 2)};
    }
    dialog_ = alertDialogTemplate();
    entries_[3] = {nullptr, 5, nullptr, kDialogAlert, dialog_.data(), static_cast<DWORD>(dialog_.size())};
    table_ = {entries_, 4};
    wince::registerResourceTable(&table_);
    calls().clear();
    g_launch = Launch{};
    RecordingApplication::initResult = 0;
    RecordingApplication::tickResult = 1;
    RecordingApplication::duringInit = nullptr;
    RecordingApplication::duringTick = nullptr;
    QZApplicationHooks hooks{};
    hooks.getLaunchSettings = launchSettings;
    hooks.createApplication = createApplication;
    hooks.onFirstRun = firstRun;
    QZSetApplicationHooks(hooks);
    wince::setModalHook([this](HWND window, wince::ModalKind kind) {
      if (kind != wince::ModalKind::Dialog) {
        wince::endModalLoop(window, answer_);
        return;
      }
      // The user presses the dialog's button.
      GetWindowRect(window, &dialogRect_);
      SendMessage(window, WM_COMMAND, MAKEWPARAM(answer_, 0), 0);
    });
  }

  void TearDown() override {
    QZStopApplication();
    wince::resetWindowing();
    wince::joinAllThreads();
    QZResetProcessState();
    wince::setModalHook({});
    QZSetStartServices(QZDefaultStartServices());
    wince::unregisterResourceTable(&table_);
    QZSetApplicationHooks({});
    wince::useRealClock();
  }

  // What the installer does: the data database and the install key.
  void install(bool withData = true) {
    static const wince::InstallValue values[] = {{u"InstallDir", u"\\Program Files\\Pellwyn"},
                                                 {u"SaveDir", u"\\My Documents\\Pellwyn"}};
    const fs::path data = withData ? fs::path(PELLWYN_BINARY_DIR) / "data/pellwyn/install" : root_ / "empty";
    fs::create_directories(data);
    ASSERT_TRUE(wince::installProgram(data, u"\\Program Files\\Pellwyn", u"SOFTWARE\\Apps\\Pellwyn", values, 2));
  }

  // Installs the program with one start service failing.
  void failService(void (*change)(QZStartServices&)) {
    install();
    QZStartServices services = QZDefaultStartServices();
    change(services);
    QZSetStartServices(services);
  }

  QZStatus start() {
    QZBeginLaunch(reinterpret_cast<HINSTANCE>(1));
    return QZInitInstance(reinterpret_cast<HINSTANCE>(1), SW_SHOW);
  }

  // A plain window beside the program's (or inside it, with a parent).
  static HWND plainWindow(HWND parent) {
    return CreateWindowEx(0, u"STATIC", u"", parent ? WS_CHILD : WS_VISIBLE, 0, 0, 10, 10, parent, nullptr, nullptr,
                          nullptr);
  }

  // The message loop's end: close, stop, destroy.
  void quit() {
    QZCloseMainWindow();
    ASSERT_TRUE(QZIsQuitRequested());
    QZStopApplication();
    DestroyWindow(QZGetMainWindow());
    wince::dispatchPending();
  }

  int count(const std::string& call) const { return static_cast<int>(std::count(calls().begin(), calls().end(), call)); }

  static constexpr WORD kDialogAlert = 9470;

  // A dialog template without controls: the alert's dialog form.
  static std::vector<BYTE> alertDialogTemplate() {
    std::vector<BYTE> bytes;
    auto word = [&](WORD v) {
      bytes.push_back(static_cast<BYTE>(v));
      bytes.push_back(static_cast<BYTE>(v >> 8));
    };
    const DWORD style = WS_POPUP | WS_BORDER;
    for (WORD w : {static_cast<WORD>(style), static_cast<WORD>(style >> 16), WORD{0}, WORD{0}, WORD{0}}) word(w);
    for (int v : {0, 0, 60, 30}) word(static_cast<WORD>(v));
    for (int w : {0, 0, int{'A'}, 0}) word(static_cast<WORD>(w));  // no menu, standard class, title "A"
    return bytes;
  }

  fs::path root_;
  std::vector<WORD> strings_[3];
  std::vector<BYTE> dialog_;
  RECT dialogRect_{};
  wince::ResourceEntry entries_[4];
  wince::ResourceTable table_{};
  int answer_ = IDOK;
};

TEST_F(StartupTest, StartsRunsFramesAndStopsOnceWithSettingsWritten) {
  install();
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(calls(), (std::vector<std::string>{"first run", "create", "init", "init done"}));
  EXPECT_EQ(QZIsFullScreen(), 1);
  QZStartTimer(5);
  calls().clear();
  wince::runFor(200);
  EXPECT_EQ(count("tick"), 4);
  EXPECT_EQ(count("draw"), 4);
  quit();
  EXPECT_EQ(calls().back(), "deleted");
  EXPECT_EQ(count("shutdown"), 1);
  QZStopApplication();
  EXPECT_EQ(count("shutdown"), 1);
  EXPECT_EQ(QZGetApplication(), nullptr);
  EXPECT_TRUE(fs::exists(root_ / "My Documents/Pellwyn/Pellwyn-Settings.pdb"));

  // The second start finds the settings: no first run this time.
  wince::resetWindowing();
  calls().clear();
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(calls(), (std::vector<std::string>{"create", "init", "init done"}));
  EXPECT_EQ(QZGetFrameInterval(), 5);
  quit();
}

// Each failing level: its status, the alert WinMain's error report shows,
// and a stop sequence that copes with what never started.
TEST_F(StartupTest, EachFailingLevelIsReportedAndStopped) {
  struct Case {
    const char* name;
    void (*arrange)(StartupTest*);
    QZStatus status;
    const char16_t* alertTitle;  // null: nothing shown
  };
  const Case cases[] = {
      {"settings", [](StartupTest* t) { t->install(); g_launch.titleId = 7419; }, -1, u"Application Error"},
      {"no data", [](StartupTest* t) { t->install(false); }, -1, u"Application Error"},
      {"graphics",
       [](StartupTest* t) {
         t->failService([](QZStartServices& s) { s.startGraphics = [](HWND) -> int16_t { return -7; }; });
       },
       -7, u"Graphics database failed"},
      {"audio", [](StartupTest* t) { t->failService([](QZStartServices& s) { s.startAudio = [] { return -1; }; }); },
       -1, u"Application Error"},
      {"fonts",
       [](StartupTest* t) {
         t->failService([](QZStartServices& s) { s.startFont = []() -> int16_t { return -10; }; });
       },
       -10, u"More memory required"},
      {"first run", [](StartupTest* t) { t->install(); g_launch.firstRunResult = -2; }, -2, u"More memory required"},
      {"no object", [](StartupTest* t) { t->install(); g_launch.factoryFails = true; }, -9, nullptr},
      {"init", [](StartupTest* t) { t->install(); RecordingApplication::initResult = -7; }, -7,
       u"Graphics database failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    c.arrange(this);
    const QZStatus status = start();
    EXPECT_EQ(status, c.status);
    const size_t before = wince::messageBoxLog().size();
    QZOnError(status);
    QZStopApplication();
    EXPECT_EQ(QZGetApplication(), nullptr);
    EXPECT_EQ(QZGetScreenPlane()->image, nullptr);
    EXPECT_EQ(QZGetAudioDevice(), nullptr);
    const auto& log = wince::messageBoxLog();
    if (c.alertTitle) {
      ASSERT_EQ(log.size(), before + 1);
      EXPECT_EQ(log.back().caption, c.alertTitle);
    } else {
      EXPECT_EQ(log.size(), before);
    }
  }
}

// What WinMain does after a failed start: the report, the stop and the
// window gone (with its power thread), then 0.
TEST_F(StartupTest, WinMainAfterAFailedStart) {
  failService([](QZStartServices& s) { s.startFont = []() -> int16_t { return -7; }; });
  WCHAR commandLine[1] = {};
  const size_t before = wince::messageBoxLog().size();
  EXPECT_EQ(QZWinMain(reinterpret_cast<HINSTANCE>(1), nullptr, commandLine, SW_SHOW), 0);
  ASSERT_EQ(wince::messageBoxLog().size(), before + 1);
  EXPECT_EQ(wince::messageBoxLog().back().caption, u"Graphics database failed");
  EXPECT_EQ(QZGetMainWindow(), nullptr);
  EXPECT_EQ(FindWindow(u"PellwynTest", u"Pellwyn"), nullptr);
  EXPECT_EQ(count("create"), 0);
}

TEST_F(StartupTest, FrameGateFollowsTheInterval) {
  install();
  ASSERT_EQ(start(), 0);
  struct Case {
    int16_t interval;
    int ms;
    int ticks;
  };
  for (const Case c : {Case{0, 200, 0}, Case{-1, 200, 0}, Case{2, 100, 5}, Case{10, 300, 3}}) {
    SCOPED_TRACE(c.interval);
    QZStartTimer(c.interval);
    wince::runFor(100);  // the gate starts from the last frame
    calls().clear();
    wince::runFor(c.ms);
    EXPECT_EQ(count("tick"), c.ticks);
  }
  // A negative tick draws nothing and is tried again on the next timer event.
  QZStartTimer(10);
  RecordingApplication::tickResult = -11;
  wince::runFor(100);
  calls().clear();
  wince::runFor(30);
  EXPECT_EQ(count("draw"), 0);
  EXPECT_EQ(count("tick"), 3);
  RecordingApplication::tickResult = 1;
  quit();
}

// Between frames the frame timer sleeps until the next one is due: an idle
// program wakes once a frame, not every 10 ms.
TEST_F(StartupTest, FrameTimerWakesOncePerFrame) {
  install();
  static int timerMessages;
  QZApplicationHooks hooks = QZGetApplicationHooks();
  hooks.afterMessage = [](UINT message) {
    if (message == WM_TIMER) ++timerMessages;
    return 2;
  };
  QZSetApplicationHooks(hooks);
  ASSERT_EQ(start(), 0);
  QZStartTimer(10);
  wince::runFor(100);
  calls().clear();
  timerMessages = 0;
  wince::runFor(1000);
  EXPECT_EQ(count("tick"), 10);
  EXPECT_EQ(timerMessages, 10);
  quit();
}

// The tick counter wraps (a 32-bit millisecond clock does after 49.7 days):
// frames go on across the wrap.
TEST_F(StartupTest, FramesGoOnAcrossTheClockWrap) {
  wince::useVirtualClock(0xFFFFFFFFull - 250);
  install();
  ASSERT_EQ(start(), 0);
  QZStartTimer(5);
  wince::runFor(100);
  calls().clear();
  wince::runFor(1000);
  EXPECT_GE(count("tick"), 19);
  quit();
}

// A frame never runs inside a frame, nor inside the application's init: a
// message box there runs a nested message loop with the timer still going.
TEST_F(StartupTest, NoFrameInsideInitOrInsideAFrame) {
  install();
  RecordingApplication::duringInit = [] {
    QZStartTimer(5);
    wince::runFor(200);
  };
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(calls(), (std::vector<std::string>{"first run", "create", "init", "init done"}));
  RecordingApplication::duringTick = [] {
    RecordingApplication::duringTick = nullptr;
    wince::runFor(200);
  };
  calls().clear();
  wince::runFor(60);
  // The first tick's nested loop saw no frame; frames resume after it.
  ASSERT_GE(calls().size(), 2u);
  EXPECT_EQ(calls()[0], "tick");
  EXPECT_EQ(calls()[1], "draw");
  wince::runFor(100);
  EXPECT_EQ(count("tick"), count("draw"));
  EXPECT_GE(count("tick"), 2);
  quit();
}

// Pen messages become pen events (moves only with a button down, right
// button alone type 16), and the keys a desktop adds (Tab, Shift+Tab, the
// menu key) reach the application as its key codes.
TEST_F(StartupTest, InputMessagesReachTheApplication) {
  install();
  ASSERT_EQ(start(), 0);
  const QZScreenLayout& l = QZGetScreenLayout();
  ASSERT_FALSE(l.scaling);
  auto pen = [&](int type, int x, int y) {
    return "pen " + std::to_string(type) + " " + std::to_string(x + l.offsetX) + "," + std::to_string(y + l.offsetY);
  };
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool shift;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, 0, MAKELPARAM(5, 6), false},           {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), false},
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 21), false}, {WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(12, 22), false},
      {WM_LBUTTONUP, 0, MAKELPARAM(13, 23), false},          {WM_KEYDOWN, VK_TAB, 1, false},
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-3, -4), false},  // dragged left of and above the window
      {WM_KEYDOWN, VK_TAB, 1, true},                         {WM_KEYDOWN, VK_APPS, 1, false},
      {WM_KEYUP, VK_APPS, 1, false},                         {WM_KEYDOWN, 'A', 1, false},
  };
  calls().clear();
  for (const Case& c : cases) {
    wince::setKeyState(VK_SHIFT, c.shift);
    SendMessage(QZGetMainWindow(), c.message, c.wParam, c.lParam);
  }
  wince::setKeyState(VK_SHIFT, false);
  EXPECT_EQ(calls(), (std::vector<std::string>{pen(1, 10, 20), pen(2, 11, 21), pen(16, 12, 22), pen(0, 13, 23),
                                               "key 9 0", pen(2, -3, -4), "key 40963 0", "key 261 0"}));
  quit();
}

TEST_F(StartupTest, SuspendAndResumeThroughPowerNotifications) {
  install();
  ASSERT_EQ(start(), 0);
  QZStartTimer(5);
  SetForegroundWindow(QZGetMainWindow());
  wince::dispatchPending();
  // The power thread registers its queue on its own: the suspend reaches it
  // once it has. Its message then arrives whenever that thread runs.
  ASSERT_TRUE(test_wait::waitUntil([] { return wince::simulateSuspend() > 0; }));
  calls().clear();
  const auto pump = [] { wince::dispatchPending(); };
  ASSERT_TRUE(test_wait::waitUntil([this] { return count("active 0") > 0; }, pump));
  ASSERT_EQ(count("active 0"), 1);
  calls().clear();
  wince::runFor(200);
  EXPECT_EQ(count("tick"), 0);
  ASSERT_EQ(wince::simulateResume(), 1);
  ASSERT_TRUE(test_wait::waitUntil([this] { return count("active 1") > 0; }, pump));
  ASSERT_EQ(count("active 1"), 1);
  wince::runFor(200);
  EXPECT_GT(count("tick"), 0);
  quit();
}

// Losing the activation to a window of its own changes nothing; to any other
// it pauses the frames, and the activation resumes them.
TEST_F(StartupTest, ActivationPausesAndResumesFrames) {
  install();
  ASSERT_EQ(start(), 0);
  const HWND main = QZGetMainWindow(), own = plainWindow(main);
  QZStartTimer(5);
  struct Case {
    WPARAM state;
    HWND other;
    const char* call;  // null: none
    bool frames;
  };
  for (const Case c : {Case{WA_INACTIVE, own, nullptr, true}, Case{WA_INACTIVE, nullptr, "active 0", false},
                       Case{WA_ACTIVE, nullptr, "active 1", true}}) {
    calls().clear();
    SendMessage(main, WM_ACTIVATE, c.state, reinterpret_cast<LPARAM>(c.other));
    EXPECT_EQ(count("active 0") + count("active 1"), c.call ? 1 : 0) << c.state;
    if (c.call) {
      EXPECT_EQ(count(c.call), 1);
    }
    wince::runFor(200);
    EXPECT_EQ(count("tick") > 0, c.frames) << c.state;
  }
  quit();
}

// A second copy finds the first, brings it forward and refuses to start.
TEST_F(StartupTest, SecondCopyBringsTheFirstForward) {
  install();
  ASSERT_EQ(start(), 0);
  const HWND main = QZGetMainWindow(), other = plainWindow(nullptr);
  SetForegroundWindow(other);
  ASSERT_NE(GetForegroundWindow(), main);
  calls().clear();
  EXPECT_EQ(QZInitInstance(reinterpret_cast<HINSTANCE>(1), SW_SHOW), QZ_ERR_ALREADY_RUNNING);
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_TRUE(calls().empty());
  DestroyWindow(other);
  quit();
}

// The input panel's coming or going redraws; other setting changes do not.
TEST_F(StartupTest, InputPanelChangeRedraws) {
  install();
  ASSERT_EQ(start(), 0);
  calls().clear();
  SendMessage(QZGetMainWindow(), WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
  SendMessage(QZGetMainWindow(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(calls(), std::vector<std::string>{"repaint"});
  quit();
}

// Focus gain puts the input mode back and reads the display's orientation.
TEST_F(StartupTest, FocusGainRestoresInputModeAndReadsOrientation) {
  install();
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(QZSetInputMode(3), 1);
  EXPECT_EQ(wince::shellState().inputMode, 3u);
  ImmEscape(GetKeyboardLayout(0), ImmGetContext(QZGetMainWindow()), IME_ESC_SET_MODE, reinterpret_cast<LPVOID>(1));
  QZSetOrientation(1);
  wince::setDisplayOrientationForTest(DMDO_270);
  SendMessage(QZGetMainWindow(), WM_SETFOCUS, 0, 0);
  EXPECT_EQ(wince::shellState().inputMode, 3u);
  EXPECT_EQ(QZGetOrientation(), 4);
  wince::setDisplayOrientationForTest(DMDO_0);
  quit();
}

TEST_F(StartupTest, CloseDuringFramesStopsAfterTheMessage) {
  install();
  ASSERT_EQ(start(), 0);
  PostMessage(QZGetMainWindow(), WM_CLOSE, 0, 0);
  wince::dispatchPending();
  EXPECT_TRUE(QZIsQuitRequested());
  EXPECT_EQ(count("shutdown"), 0);
  quit();
  EXPECT_EQ(count("shutdown"), 1);
  // The handle went with the window.
  EXPECT_EQ(QZGetMainWindow(), nullptr);
}

TEST_F(StartupTest, BridgeWithoutApplicationGivesDefaults) {
  EXPECT_EQ(QZRunApplicationTick(), 1);
  EXPECT_EQ(QZSendPen(1, 0, 0), 2);
  EXPECT_EQ(QZSendSuspendResume(1), 2);
  EXPECT_EQ(QZDestroyApplication(), 0);
  EXPECT_EQ(QZRepaintApplication(), 1);
  EXPECT_TRUE(calls().empty());
}

TEST(Alerts, ParseKindButtonsAndFieldCount) {
  struct Case {
    const char16_t* text;
    bool shown;
    uint32_t flags;
  };
  const Case cases[] = {
      {u"WARNING|T|X|OKCancel", true, 0x10031},
      {u"CONFIRMATION|T|X|YesNo", true, 0x10024},
      {u"ERROR|T|X|Exit", true, 0x10010},
      {u"INFORMATION|T|X|OK", true, 0x10040},
      {u"OTHER|T|X|OK", true, 0x10000},
      {u"ERROR|three fields|Exit", false, 0},
      {u"", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    QZAlertText alert{};
    EXPECT_EQ(QZParseAlert(c.text, &alert), c.shown);
    if (c.shown) {
      EXPECT_EQ(alert.flags, c.flags);
    }
  }
}

TEST_F(StartupTest, AlertAnswersAndUnknownErrors) {
  struct Case {
    uint16_t id;
    int answer;
    uint16_t result;
  };
  for (const Case c : {Case{9460, IDOK, 0}, Case{9460, IDCANCEL, 1}, Case{9461, IDYES, 0}, Case{9461, IDNO, 1},
                       Case{4007, IDOK, 0xFFFF}, Case{999, IDOK, 0xFFFF}}) {
    answer_ = c.answer;
    EXPECT_EQ(QZAlert(c.id), c.result) << c.id;
  }
  struct ErrorCase {
    int16_t code;
    int result;
    uint16_t alert;
  };
  for (const ErrorCase c : {ErrorCase{-2, 1, 4005}, ErrorCase{-7, 1, 4009}, ErrorCase{-9, 1, 4007},
                            ErrorCase{-10, 1, 4008}, ErrorCase{-11, 1, 0}, ErrorCase{-16, 1, 0},
                            ErrorCase{-17, 1, 4010}, ErrorCase{-3, 2, 4006}}) {
    EXPECT_EQ(QZOnError(c.code), c.result) << c.code;
    EXPECT_EQ(QZErrorAlertId(c.code), c.alert) << c.code;
  }
}

// An alert with a dialog resource shows the dialog, centred over the main
// window, and answers as the message box would.
TEST_F(StartupTest, AlertDialogForm) {
  install();
  ASSERT_EQ(start(), 0);
  const size_t boxes = wince::messageBoxLog().size();
  for (const auto& [button, result] : {std::pair{IDOK, 0}, std::pair{IDCANCEL, 1}}) {
    answer_ = button;
    EXPECT_EQ(QZAlert(kDialogAlert), result) << button;
  }
  EXPECT_EQ(wince::messageBoxLog().size(), boxes);
  RECT client{};
  GetClientRect(QZGetMainWindow(), &client);
  POINT origin{0, 0};
  ClientToScreen(QZGetMainWindow(), &origin);
  const int width = dialogRect_.right - dialogRect_.left;
  ASSERT_GT(width, 0);
  EXPECT_EQ(dialogRect_.left - origin.x, (client.right - width) / 2);
  EXPECT_EQ(dialogRect_.top - origin.y, (client.bottom - (dialogRect_.bottom - dialogRect_.top)) / 2);
  quit();
}

TEST(FullScreen, ModeActsOnlyAfterUseAndOffClearsUse) {
  QZResetFullScreenState();
  QZSetFullScreenMode(1);
  EXPECT_EQ(QZIsFullScreenApplied(), 0);
  QZSetFullScreen(1);
  EXPECT_EQ(QZIsFullScreenApplied(), 1);
  EXPECT_EQ(QZSetFullScreen(0), 1);
  EXPECT_EQ(QZIsFullScreenUsed(), 0);
  QZSetFullScreenMode(1);
  EXPECT_EQ(QZIsFullScreenApplied(), 0);
  // Dialogs nest: full screen leaves with the first and returns with the last.
  QZSetFullScreen(1);
  QZDialogHook(7, 0);
  QZDialogHook(7, 0);
  EXPECT_EQ(QZIsFullScreen(), 0);
  QZDialogHook(7, 2);
  EXPECT_EQ(QZIsFullScreen(), 0);
  QZDialogHook(7, 2);
  EXPECT_EQ(QZIsFullScreen(), 1);
  // An end without a start changes nothing (the count does not wrap).
  EXPECT_EQ(QZDialogHook(7, 2), 7);
  EXPECT_EQ(QZIsFullScreen(), 1);
  QZDialogHook(7, 0);
  EXPECT_EQ(QZIsFullScreen(), 0);
  QZDialogHook(7, 2);
  EXPECT_EQ(QZIsFullScreen(), 1);
  QZResetFullScreenState();
}

TEST(SystemUtilities, LanguageAndRandom) {
  struct Case {
    int primary;
    uint16_t id;
  };
  for (const Case c : {Case{7, 1031}, Case{10, 1034}, Case{12, 1036}, Case{16, 1040}, Case{22, 1046}, Case{20, 1033},
                       Case{9, 1033}}) {
    EXPECT_EQ(QZLanguageFromPrimary(c.primary), c.id) << c.primary;
  }
  EXPECT_EQ(QZRandom(0), 0);
  for (int i = 0; i < 50; ++i) EXPECT_LT(QZRandom(3), 3);
}

TEST(SystemUtilities, OrientationShapeAndTexts) {
  const int before = QZGetDisplayOrientation();
  EXPECT_EQ(QZSetDisplayOrientation(5), 2);
  EXPECT_EQ(QZSetDisplayOrientation(0), 2);
  EXPECT_EQ(QZGetDisplayOrientation(), before);
  EXPECT_EQ(QZCompareShape(240, 240), 5);
  EXPECT_EQ(QZCompareShape(240, 320), 1);
  EXPECT_EQ(QZCompareShape(320, 240), 2);
  EXPECT_EQ(QZURLEncode(u"A b*-._~\u00e9\u20ac"), u"A+b*-._%7E%E9%20AC");
  EXPECT_EQ(QZDeviceIDToText(0x517A536F), u"'QzSo'");
  EXPECT_EQ(QZDeviceIDToText(0x0FFFFFFF), u"268435455");
  EXPECT_EQ(QZDeviceIDToText(0), u"0");
}

TEST(DeviceIdentification, TypeAndSystemCodes) {
  struct Case {
    const char16_t* platform;
    DWORD major, minor, build;
    uint16_t type, osCode;
  };
  const Case cases[] = {
      {u"Palm PC2", 3, 0, 9000, 768, 768},       {u"PocketPC", 3, 0, 11171, 770, 770},
      {u"SmartPhone", 3, 0, 11170, 1026, 768},   {u"PocketPC", 4, 20, 0, 771, 771},
      {u"SmartPhone", 4, 21, 0, 1027, 771},      {u"PocketPC", 5, 1, 0, 773, 771},
      {u"SmartPhone", 5, 1, 0, 1029, 771},       {u"PocketPC", 5, 2, 0, 774, 771},
      {u"SmartPhone", 5, 2, 0, 1030, 771},       {u"Desktop", 5, 2, 0, 0, 771},
      {u"SmartPhone", 2, 0, 0, 0, 768},
  };
  const wince::DeviceProfile original = wince::deviceProfile();
  for (const Case& c : cases) {
    wince::DeviceProfile profile = original;
    profile.platformType = c.platform;
    profile.osMajor = c.major;
    profile.osMinor = c.minor;
    profile.osBuild = c.build;
    wince::setDeviceProfile(profile);
    EXPECT_EQ(QZGetDeviceType(), c.type) << c.major << "." << c.minor;
    EXPECT_EQ(QZGetOSVersionCode(), c.osCode) << c.major << "." << c.minor;
  }
  wince::setDeviceProfile(original);
}

TEST(SystemUtilities, BatteryLevels) {
  struct Case {
    BYTE flag, percent;
    uint16_t level, shownPercent;
  };
  for (const Case c : {Case{1, 90, 1, 90}, Case{2, 20, 2, 20}, Case{4, 5, 3, 5}, Case{9, 50, 4, 50}, Case{128, 0, 5, 0},
                       Case{255, 255, 0, 1}}) {
    wince::setBatteryForTest(c.flag, c.percent);
    QZBatteryStatus status{};
    QZGetBatteryStatus(&status);
    EXPECT_EQ(status.level, c.level) << int(c.flag);
    EXPECT_EQ(status.percent, c.shownPercent) << int(c.flag);
  }
  wince::setBatteryForTest(1, 100);
}

}  // namespace
