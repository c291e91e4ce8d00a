// Display orientation, the state words, device queries, folders, the
// program's windows and its soft-key bars.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "../wince/string_block.h"
#include "qz_app_bridge.h"
#include "qz_display.h"
#include "qz_lifecycle.h"
#include "qz_preferences.h"
#include "qz_screen.h"
#include "qz_startup.h"
#include "qz_system.h"
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

class OrientationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wince::selectDeviceProfile("smartphone"));
    wince::setDisplayRotatableForTest(true);
    QZRestoreDisplayOrientation();  // forget what an earlier test turned
    QZReadDisplayOrientation();
  }
  void TearDown() override {
    QZRestoreDisplayOrientation();
    wince::setDisplayRotatableForTest(false);
    wince::setDisplayOrientationForTest(DMDO_0);
    wince::setOrientationQuerySupportedForTest(true);
    wince::selectDeviceProfile("smartphone");
  }
};

TEST_F(OrientationTest, FitTurnsOnlyForTheOtherShapeAndRestorePutsItBack) {
  // The smartphone screen is 240 x 320: portrait and square pictures fit.
  EXPECT_EQ(QZFitDisplayOrientation(240, 240), 2);
  EXPECT_EQ(QZFitDisplayOrientation(176, 220), 2);
  EXPECT_EQ(QZGetDisplayOrientation(), 1);
  EXPECT_EQ(QZRestoreDisplayOrientation(), 2);  // nothing was turned

  EXPECT_EQ(QZFitDisplayOrientation(320, 240), 1);
  EXPECT_EQ(QZGetDisplayOrientation(), 2);
  // A focus gain now sees the program's own turn: the kept one stays.
  EXPECT_EQ(QZReadDisplayOrientation(), 2);
  EXPECT_EQ(QZRestoreDisplayOrientation(), 0);
  EXPECT_EQ(QZGetDisplayOrientation(), 1);
  EXPECT_EQ(QZRestoreDisplayOrientation(), 2);
}

TEST_F(OrientationTest, FitFromASidewaysDisplayTurnsToZeroDegrees) {
  for (const DWORD sideways : {DWORD{DMDO_90}, DWORD{DMDO_270}}) {
    wince::setDisplayOrientationForTest(sideways);
    QZReadDisplayOrientation();
    EXPECT_EQ(QZFitDisplayOrientation(320, 240), 1);
    EXPECT_EQ(QZGetDisplayOrientation(), 1);
    EXPECT_EQ(QZRestoreDisplayOrientation(), 0);
    EXPECT_EQ(QZGetDisplayOrientation(), sideways == DMDO_90 ? 2 : 4);
  }
}

TEST_F(OrientationTest, AFailedTurnIsReportedAndNotPutBack) {
  wince::setDisplayRotatableForTest(false);
  EXPECT_EQ(QZFitDisplayOrientation(320, 240), -1);
  EXPECT_EQ(QZRestoreDisplayOrientation(), 2);
  EXPECT_EQ(QZSetDisplayOrientation(5), 2);
}

TEST_F(OrientationTest, FocusGainSetsTheOrientationWordWhenSideways) {
  struct Case {
    DWORD dmdo;
    int orientation;
    uint16_t word;
  } cases[] = {{DMDO_90, 2, 2}, {DMDO_180, 3, 7}, {DMDO_270, 4, 4}, {DMDO_0, 1, 7}};
  for (const Case& c : cases) {
    QZSetOrientation(7);
    wince::setDisplayOrientationForTest(c.dmdo);
    EXPECT_EQ(QZReadDisplayOrientation(), c.orientation);
    EXPECT_EQ(QZGetOrientation(), c.word) << c.orientation;
  }
}

// A mode of the other shape is chosen on a display that can turn: the
// display is turned for it; graphics stop turns it back.
TEST_F(OrientationTest, ChoosingAModeOfTheOtherShapeTurnsTheDisplay) {
  QZScreenEnvironment environment;
  environment.display = [] { return QZDisplay{240, 320, 16, true, false, 0, 320, 320, true}; };
  environment.modeListed = [](int) { return true; };
  QZSetScreenEnvironment(environment);
  const QZGraphicsMode landscape[] = {{'E', 16, 320, 240, 0}};
  const QZGraphicsMode both[] = {{'D', 16, 240, 320, 0}, {'E', 16, 320, 240, 0}};
  int16_t mode, index, supported, listed;
  ASSERT_EQ(QZChooseGraphicsMode(2, both, &mode, &index, &supported, &listed), 0);
  EXPECT_EQ(mode, 'D');
  EXPECT_EQ(QZGetDisplayOrientation(), 1);
  ASSERT_EQ(QZChooseGraphicsMode(1, landscape, &mode, &index, &supported, &listed), 0);
  EXPECT_EQ(mode, 'E');
  EXPECT_EQ(QZGetDisplayOrientation(), 2);
  QZStopGraphics();
  EXPECT_EQ(QZGetDisplayOrientation(), 1);
  QZSetScreenEnvironment({});
}

TEST_F(OrientationTest, CanRotateByDeviceAndQuery) {
  struct Case {
    const char* profile;
    bool query;
  } cases[] = {{"smartphone", true}, {"pocketpc-qvga", true}, {"pocketpc-qvga", false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(wince::selectDeviceProfile(c.profile));
    wince::setOrientationQuerySupportedForTest(c.query);
    const uint16_t type = QZGetDeviceType();
    const int expected = type == 770 || type == 1026 || !c.query ? 0 : 1;
    EXPECT_EQ(QZCanRotateDisplay(), expected) << c.profile << " type " << type;
  }
}

TEST(SystemState, WordsSetTestAndTake) {
  QZSystemPreferences& p = QZGetSystemPreferences();
  const QZSystemPreferences saved = p;
  QZSetState(0x201);
  EXPECT_EQ(QZGetState(), 0x201);
  EXPECT_EQ(QZGetRequestedState(), 0x201);
  EXPECT_EQ(QZIsStateChanged(), 0);
  EXPECT_EQ(QZTakeStateChange(), 0);
  EXPECT_EQ(QZTestStateBits(0x200), 1);
  EXPECT_EQ(QZTestStateBits(0x002), 0);
  QZSetRequestedState(0x400);
  EXPECT_EQ(QZIsStateChanged(), 1);
  EXPECT_EQ(QZGetState(), 0x201);
  EXPECT_EQ(QZTakeStateChange(), 1);
  EXPECT_EQ(QZGetState(), 0x400);
  EXPECT_EQ(QZIsStateChanged(), 0);
  EXPECT_EQ(QZTakeStateChange(), 0);
  p = saved;
}

TEST(SystemQueries, ProcessorAndCompany) {
  EXPECT_EQ(QZGetProcessorType(), static_cast<uint32_t>(PROCESSOR_STRONGARM));
  EXPECT_EQ(QZIsNotProcessor586(), 1);
  EXPECT_EQ(QZGetDeviceCompanyID(), 0u);
}

TEST(SystemFolders, CreateDirectoryPathMakesEveryFolder) {
  const fs::path root = fs::path(PELLWYN_TEST_TMP) / "system.folders";
  fs::remove_all(root);
  ASSERT_TRUE(wince::setDeviceRoot(root));
  EXPECT_EQ(QZCreateDirectoryPath(u"\\My Documents\\Pellwyn\\Saves"), 0);
  EXPECT_TRUE(fs::is_directory(root / "My Documents/Pellwyn/Saves"));
  EXPECT_EQ(QZCreateDirectoryPath(u"\\My Documents\\Pellwyn\\"), 0);  // exists; trailing separator
  fs::create_directories(root / "Data");
  { std::ofstream(root / "Data/file") << "x"; }
  EXPECT_EQ(QZCreateDirectoryPath(u"\\Data\\file\\below"), -1);
  EXPECT_EQ(QZCreateDirectoryPath(u"\\Data\\file"), -1);  // a file, not a folder
  EXPECT_EQ(QZCreateDirectoryPath(u"\\"), -1);
  EXPECT_EQ(QZCreateDirectoryPath(u""), -1);
  EXPECT_EQ(QZCreateDirectoryPath(nullptr), -1);
}

// A main window made by the layer's own start, which stops at level 1 (the
// title is too long to name a settings database), and soft-key bars 7800
// and 7801 in the resources.
class ProgramWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::setInstanceNamespace(("system-" + std::to_string(getpid())).c_str());
    wince::useVirtualClock(1000);
    ASSERT_TRUE(wince::selectDeviceProfile("smartphone"));
    const fs::path root = fs::path(PELLWYN_TEST_TMP) / "system.windows";
    fs::remove_all(root);
    ASSERT_TRUE(wince::setDeviceRoot(root));
    wince::reloadRegistry();
    strings_ = stringBlock(7420, {u"A title far too long to name a settings database", u"SystemTestMain"});
    labels_ = stringBlock(300, {u"Left", u"Right", u"Two"});
    bar_[0] = {0, 2, I_IMAGENONE, 100, 4, 0, 300, 0, NOMENU, I_IMAGENONE, 101, 4, 0, 301, 0, NOMENU};
    bar_[1] = {0, 2, I_IMAGENONE, 110, 4, 0, 302, 0, NOMENU, I_IMAGENONE, 111, 4, 0, 301, 0, NOMENU};
    entries_[0] = {nullptr, 6, nullptr, 7420 / 16 + 1, bytes(strings_), size(strings_)};
    entries_[1] = {nullptr, 6, nullptr, 300 / 16 + 1, bytes(labels_), size(labels_)};
    entries_[2] = {nullptr, 10, nullptr, 7800, bytes(bar_[0]), size(bar_[0])};
    entries_[3] = {nullptr, 10, nullptr, 7801, bytes(bar_[1]), size(bar_[1])};
    table_ = {entries_, 4};
    wince::registerResourceTable(&table_);
    QZApplicationHooks hooks{};
    hooks.getLaunchSettings = [](QZApplicationConfig* c) {
      c->classStringId = 7421;
      c->titleStringId = 7420;
      return 0;
    };
    QZSetApplicationHooks(hooks);
    QZBeginLaunch(reinterpret_cast<HINSTANCE>(1));
    ASSERT_LT(QZInitInstance(reinterpret_cast<HINSTANCE>(1), SW_SHOW), 0);
    main_ = QZGetMainWindow();
    ASSERT_NE(main_, nullptr);
  }

  void TearDown() override {
    QZDestroyMenuBars();
    QZStopApplication();
    wince::resetWindowing();
    wince::joinAllThreads();
    QZResetProcessState();
    wince::unregisterResourceTable(&table_);
    QZSetApplicationHooks({});
    wince::useRealClock();
  }

  static const BYTE* bytes(const std::vector<WORD>& v) { return reinterpret_cast<const BYTE*>(v.data()); }
  static DWORD size(const std::vector<WORD>& v) { return static_cast<DWORD>(v.size() * 2); }

  HWND topLevel(const char16_t* className, DWORD exStyle, DWORD style) {
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = className;
    RegisterClass(&wc);
    return CreateWindowEx(exStyle, className, u"", style, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }

  std::vector<WORD> strings_, labels_, bar_[2];
  wince::ResourceEntry entries_[4]{};
  wince::ResourceTable table_{};
  HWND main_ = nullptr;
};

TEST_F(ProgramWindowTest, FindsTheFirstWindowThatCanBeActivated) {
  ShowWindow(main_, SW_HIDE);
  EXPECT_EQ(QZFindProgramWindow(main_), nullptr);
  topLevel(u"Hidden", 0, 0);
  HWND disabled = topLevel(u"Disabled", 0, WS_VISIBLE);
  EnableWindow(disabled, FALSE);
  topLevel(u"NoActivate", WS_EX_NOACTIVATE, WS_VISIBLE);
  EXPECT_EQ(QZFindProgramWindow(main_), nullptr);
  ShowWindow(main_, SW_SHOW);
  EXPECT_EQ(QZFindProgramWindow(main_), main_);
  EXPECT_EQ(QZFindProgramWindow(nullptr), nullptr);
}

TEST_F(ProgramWindowTest, MenuBarsAreMadeAndShownOneAtATime) {
  EXPECT_EQ(QZShowMenuBar(120), -1);  // none made yet
  ASSERT_EQ(QZCreateMenuBars(2), 0);
  HWND first = QZGetCurrentMenuBar();
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(QZShowMenuBar(121), 0);
  HWND second = QZGetCurrentMenuBar();
  ASSERT_NE(second, first);
  EXPECT_TRUE(IsWindowVisible(second));
  EXPECT_FALSE(IsWindowVisible(first));
  EXPECT_TRUE(IsWindowVisible(main_));
  for (const int command : {119, 122, 0}) EXPECT_EQ(QZShowMenuBar(command), -1) << command;
  EXPECT_EQ(QZGetCurrentMenuBar(), second);

  // A third bar has no resource: the two made before it stay.
  EXPECT_EQ(QZCreateMenuBars(3), -1);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(QZShowMenuBar(121), 0);
  EXPECT_EQ(QZShowMenuBar(122), -1);
}

}  // namespace
