// What the Smartphone shows around the program: its soft-key bar as the
// device draws it (a label change shows at once), the title bar while the
// task bar is shown, and a program's own drawing that never covers them.
#include <string>
#include <vector>

#include "shell_chrome.h"
#include "shell_test_util.h"
#include "test_scratch.h"
#include "wince/host/png_io.h"
#include "wince/host/runtime.h"

namespace {

using namespace shell_test;

using SmartphoneChrome = ShellTest;

constexpr int kWidth = 240;
constexpr int kHeight = 320;

// The rows [top, top + height) of the device screen.
std::vector<uint16_t> rows(int top, int height) {
  auto& screen = wince::detail::deviceScreen();
  return std::vector<uint16_t>(screen.row(top), screen.row(top) + static_cast<size_t>(height) * kWidth);
}

// The band against a golden picture; on a difference (or with no golden file
// yet) the actual picture is written to the test's scratch folder so it can be
// looked at and, when right, copied over the golden one.
void expectRowsLike(const std::string& name, int top, int height) {
  const std::vector<uint16_t> actual = rows(top, height);
  const std::string golden = std::string(PELLWYN_SOURCE_DIR) + "/tests/wince/golden/" + name + ".png";
  wince::RgbImage expected;
  const bool found = wince::readPng(golden, &expected);
  if (found && expected.width == kWidth && expected.height == height && wince::toRgb565(expected) == actual) return;
  const std::string path = scratchPath(name + ".png");
  wince::writePng565(path, actual.data(), kWidth, height, kWidth * 2);
  ADD_FAILURE() << (found ? "differs from " : "missing ") << golden << "; actual picture in " << path;
}

void setLabel(HWND bar, WORD command, const char16_t* text) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT;
  info.pszText = const_cast<LPWSTR>(text);
  SendMessage(bar, TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info));
}

TEST_F(SmartphoneChrome, TheSoftKeyBarShowsItsLabelsAndAChangeAtOnce) {
  HWND bar = makeBar();
  wince::dispatchPending();
  const int h = wince::deviceProfile().menuBarHeight;
  expectRowsLike("softkey-bar-smartphone", kHeight - h, h);
  const std::vector<uint16_t> before = rows(kHeight - h, h);
  setLabel(bar, kRightCommand, u"Done");
  wince::dispatchPending();
  const std::vector<uint16_t> renamed = rows(kHeight - h, h);
  EXPECT_NE(renamed, before);
  // Only the right half changed.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < kWidth / 2; ++x) {
      ASSERT_EQ(renamed[static_cast<size_t>(y) * kWidth + x], before[static_cast<size_t>(y) * kWidth + x]);
    }
  }
  EXPECT_NE(wince::stateDump().find("soft-keys: \"Left | Done\"\n"), std::string::npos);
  // A disabled button's label is dimmed; a hidden one is not drawn.
  SendMessage(bar, TB_ENABLEBUTTON, kRightCommand, FALSE);
  wince::dispatchPending();
  EXPECT_NE(rows(kHeight - h, h), renamed);
  SendMessage(bar, TB_HIDEBUTTON, kLeftCommand, TRUE);
  wince::dispatchPending();
  const std::vector<uint16_t> hidden = rows(kHeight - h, h);
  for (int x = 0; x < kWidth / 2 - 1; ++x) {
    ASSERT_EQ(hidden[static_cast<size_t>(h / 2) * kWidth + x], hidden[static_cast<size_t>(h / 2) * kWidth]) << x;
  }
}

TEST_F(SmartphoneChrome, AProgramDrawingOutsidePaintingLeavesTheBarAlone) {
  makeBar();
  wince::dispatchPending();
  const int h = wince::deviceProfile().menuBarHeight;
  const std::vector<uint16_t> bar = rows(kHeight - h, h);
  HDC hdc = GetDC(main_);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(main_, hdc);
  EXPECT_EQ(rows(kHeight - h, h), bar);
  EXPECT_EQ(wince::detail::deviceScreen().row(kHeight - h - 1)[5], 0);
}

TEST_F(SmartphoneChrome, TheTitleBarShowsWhileTheTaskBarIsShown) {
  const int t = wince::deviceProfile().taskBarHeight;
  wince::detail::refreshShellChrome();
  expectRowsLike("title-bar-smartphone", 0, t);
  // Full screen: the band goes and the window under it paints its white again.
  SHFullScreen(main_, SHFS_HIDETASKBAR);
  wince::detail::refreshShellChrome();
  wince::dispatchPending();
  EXPECT_EQ(rows(0, t), std::vector<uint16_t>(static_cast<size_t>(t) * kWidth, 0xFFFF));
  wince::detail::refreshShellChrome();
  EXPECT_EQ(wince::detail::deviceScreen().row(t / 2)[5], 0xFFFF);
  // Back from full screen, the title comes back with the window's new text.
  SetWindowText(main_, u"Cards");
  SHFullScreen(main_, SHFS_SHOWTASKBAR);
  wince::detail::refreshShellChrome();
  EXPECT_NE(rows(0, t), std::vector<uint16_t>(static_cast<size_t>(t) * kWidth, 0xFFFF));
}

TEST_F(SmartphoneChrome, PocketPcProfilesDrawNoSmartphoneTitleBar) {
  ASSERT_TRUE(wince::selectDeviceProfile("pocketpc-qvga"));
  InvalidateRect(main_, nullptr, TRUE);
  wince::dispatchPending();
  wince::detail::refreshShellChrome();
  EXPECT_EQ(wince::detail::deviceScreen().row(5)[5], 0xFFFF);
}

}  // namespace
