#include "shell_test_util.h"

#include <cstring>

#include "ui_state.h"

#include "wince/host/runtime.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/window.h"

namespace {

using namespace shell_test;

using SoftKeyBar = ShellTest;

uint16_t rgb565(COLORREF c) {
  return static_cast<uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
}

// The line between the bar's two halves.
const uint16_t kHalvesRule = rgb565(RGB(120, 144, 192));

TEST_F(SoftKeyBar, SitsAtTheBottomOwnedByItsWindowAndIsDrawn) {
  HWND bar = makeBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(wince::menuBarOf(main_), bar);
  EXPECT_EQ(GetWindow(bar, GW_OWNER), main_);
  int h = wince::deviceProfile().menuBarHeight;
  RECT rc;
  ASSERT_TRUE(GetWindowRect(bar, &rc));
  EXPECT_EQ(rc.left, 0);
  EXPECT_EQ(rc.top, 320 - h);
  EXPECT_EQ(rc.right, 240);
  EXPECT_EQ(rc.bottom, 320);
  EXPECT_EQ(GetWindowLong(bar, GWL_EXSTYLE) & WS_EX_NOACTIVATE, static_cast<LONG_PTR>(WS_EX_NOACTIVATE));
  wince::dispatchPending();
  // The middle of the bar, between the two labels, shows the rule between its halves.
  EXPECT_EQ(wince::detail::deviceScreen().row(320 - h / 2)[120], kHalvesRule);
  EXPECT_EQ(GetActiveWindow(), main_);
}

TEST_F(SoftKeyBar, SoftKeysAndTapsSendTheButtonsCommands) {
  HWND bar = makeBar();
  press(VK_TSOFT1);
  press(VK_TSOFT2);
  RECT rc;
  GetWindowRect(bar, &rc);
  wince::injectStylus(WM_LBUTTONDOWN, 10, rc.top + 5);
  wince::injectStylus(WM_LBUTTONUP, 10, rc.top + 5);
  wince::injectStylus(WM_LBUTTONDOWN, 230, rc.top + 5);
  wince::injectStylus(WM_LBUTTONUP, 230, rc.top + 5);
  wince::dispatchPending();
  std::vector<std::string> want = {"COMMAND 100 0", "COMMAND 101 0", "COMMAND 100 0", "COMMAND 101 0"};
  EXPECT_EQ(seen(), want);
}

TEST_F(SoftKeyBar, OverriddenKeysArriveAsHotKeysAndKeys) {
  HWND bar = makeBar();
  for (UINT vk : {VK_TSOFT1, VK_TSOFT2, VK_TBACK}) {
    SendMessage(bar, SHCMBM_OVERRIDEKEY, vk,
                MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
  }
  press(VK_TSOFT1);
  press(VK_TBACK);
  std::vector<std::string> want = {
      line("HOTKEY", VK_TSOFT1, MAKELPARAM(0, VK_TSOFT1)),         line("KEYDOWN", VK_TSOFT1, 0),
      line("HOTKEY", VK_TSOFT1, MAKELPARAM(MOD_KEYUP, VK_TSOFT1)), line("KEYUP", VK_TSOFT1, 0),
      line("HOTKEY", VK_TBACK, MAKELPARAM(0, VK_TBACK)),           line("KEYDOWN", VK_TBACK, 0),
      line("HOTKEY", VK_TBACK, MAKELPARAM(MOD_KEYUP, VK_TBACK)),   line("KEYUP", VK_TBACK, 0),
  };
  EXPECT_EQ(seen(), want);

  // Taking the override back gives the soft key to the bar again.
  SendMessage(bar, SHCMBM_OVERRIDEKEY, VK_TSOFT1, MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, 0));
  seen().clear();
  press(VK_TSOFT1);
  EXPECT_EQ(seen(), std::vector<std::string>{"COMMAND 100 0"});
}

TEST_F(SoftKeyBar, BackIsAnOrdinaryKeyWithoutOverride) {
  makeBar();
  press(VK_TBACK);
  std::vector<std::string> want = {line("KEYDOWN", VK_TBACK, 0), line("KEYUP", VK_TBACK, 0)};
  EXPECT_EQ(seen(), want);
}

TEST_F(SoftKeyBar, MissingOrDamagedResourceFails) {
  SHMENUBARINFO info{};
  info.cbSize = sizeof info;
  info.hwndParent = main_;
  info.nToolBarId = 7899;
  EXPECT_FALSE(SHCreateMenuBar(&info));
  EXPECT_EQ(info.hwndMB, nullptr);
  // A header that promises more buttons than the data holds.
  barData_[1] = 40;
  info.nToolBarId = kBarId;
  EXPECT_FALSE(SHCreateMenuBar(&info));
  info.hwndParent = nullptr;
  EXPECT_FALSE(SHCreateMenuBar(&info));
}

TEST_F(SoftKeyBar, HiddenBarAndEmptyBar) {
  HWND hidden = makeBar(SHCMBF_HIDDEN);
  EXPECT_FALSE(IsWindowVisible(hidden));
  SHMENUBARINFO info{};
  info.cbSize = sizeof info;
  info.hwndParent = main_;
  info.dwFlags = SHCMBF_EMPTYBAR;
  info.nToolBarId = 4242;  // not read for an empty bar
  ASSERT_TRUE(SHCreateMenuBar(&info));
  press(VK_TSOFT1);
  EXPECT_EQ(seen(), (std::vector<std::string>{line("KEYDOWN", VK_TSOFT1, 0), line("KEYUP", VK_TSOFT1, 0)}));
}

HWND g_createdBar = nullptr;

// Makes its bar while it is being created, the way the programs do.
LRESULT CALLBACK barOnCreateProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.hwndParent = hwnd;
    info.nToolBarId = kBarId;
    info.hInstRes = wince::programInstance();
    g_createdBar = SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
    return 0;
  }
  return recordingProc(hwnd, msg, wParam, lParam);
}

TEST_F(SoftKeyBar, MadeDuringCreationStaysOnTopOfItsActiveOwner) {
  WNDCLASS wc{};
  wc.lpfnWndProc = barOnCreateProc;
  wc.hInstance = wince::programInstance();
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = u"BarOnCreate";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND hwnd = CreateWindowEx(0, u"BarOnCreate", u"Second", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             wince::programInstance(), nullptr);
  ASSERT_NE(g_createdBar, nullptr);
  UpdateWindow(hwnd);
  wince::dispatchPending();
  EXPECT_EQ(GetActiveWindow(), hwnd);
  int h = wince::deviceProfile().menuBarHeight;
  EXPECT_EQ(wince::detail::deviceScreen().row(320 - h / 2)[120], kHalvesRule);
  EXPECT_EQ(wince::detail::deviceScreen().row(100)[120], 0);  // the owner's black above it
  EXPECT_NE(wince::stateDump().find("soft-keys: \"Left | Right\"\n"), std::string::npos) << wince::stateDump();
  press(VK_TSOFT2);
  EXPECT_EQ(seen(), std::vector<std::string>{"COMMAND 101 0"});
}

TEST_F(SoftKeyBar, DestroyedWithItsOwner) {
  HWND bar = makeBar();
  DestroyWindow(main_);
  EXPECT_FALSE(IsWindow(bar));
  EXPECT_EQ(wince::menuBarOf(main_), nullptr);
}

// An icon bar: two pictures from a strip (magenta left out) and a text
// button, laid out from the left; a tap works the button under it.
class IconBar : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    iconBarData_ = {0, 3,   0, 200,    4,           0,   300, 0, NOMENU, 1, 201,   4,
                    0, 300, 0, NOMENU, I_IMAGENONE, 202, 4,   0, 301,    0, NOMENU};
    // Two 8 x 8 pictures side by side, bottom-up 24-bit rows: red, then a
    // green square of 4 x 4 in magenta.
    strip_.assign(40 + 16 * 3 * 8, 0);
    const uint32_t header[] = {40, 16, 8, 1 | (24u << 16), 0, 16 * 3 * 8, 0, 0, 0, 0};
    std::memcpy(strip_.data(), header, sizeof header);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 16; ++x) {
        BYTE* p = strip_.data() + 40 + (y * 16 + x) * 3;  // blue, green, red
        const bool green = x >= 10 && x < 14 && y >= 2 && y < 6;
        if (x < 8) {
          p[2] = 255;
        } else if (green) {
          p[1] = 255;
        } else {
          p[0] = 255;
          p[2] = 255;
        }
      }
    }
    extra_[0] = {nullptr,
                 10,
                 nullptr,
                 kIconBarId,
                 reinterpret_cast<const BYTE*>(iconBarData_.data()),
                 static_cast<DWORD>(iconBarData_.size() * 2)};
    extra_[1] = {nullptr, 2, nullptr, kStripId, strip_.data(), static_cast<DWORD>(strip_.size())};
    extraTable_ = {extra_, 2};
    wince::registerResourceTable(&extraTable_);
  }
  void TearDown() override {
    ShellTest::TearDown();
    wince::unregisterResourceTable(&extraTable_);
  }

  // The bar of iconBarData_ with the two pictures of the strip.
  bool makeIconBar() {
    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.hwndParent = main_;
    info.nToolBarId = kIconBarId;
    info.hInstRes = wince::programInstance();
    info.nBmpId = kStripId;
    info.cBmpImages = 2;
    return SHCreateMenuBar(&info) != FALSE;
  }

  static constexpr UINT kIconBarId = 7801;
  static constexpr int kStripId = 7802;
  std::vector<WORD> iconBarData_;
  std::vector<BYTE> strip_;
  wince::ResourceEntry extra_[2]{};
  wince::ResourceTable extraTable_{};
};

TEST_F(IconBar, PicturesAndTextFromTheLeftAndTapsWorkTheButtonUnderThePen) {
  ASSERT_TRUE(makeIconBar());
  wince::dispatchPending();
  const int h = wince::deviceProfile().menuBarHeight;
  const int top = 320 - h;
  auto& screen = wince::detail::deviceScreen();
  EXPECT_EQ(screen.row(top + h / 2)[h / 2], rgb565(RGB(255, 0, 0)));               // the first picture
  EXPECT_EQ(screen.row(top + h / 2)[h + h / 2], rgb565(RGB(0, 255, 0)));           // the second's green middle
  EXPECT_EQ(screen.row(top + h / 2 - 3)[h + h / 2 - 3], rgb565(RGB(24, 40, 72)));  // its magenta: the bar
  for (int x : {h / 2, h + h / 2, 2 * h + 10, 230}) {
    wince::injectStylus(WM_LBUTTONDOWN, x, top + 5);
    wince::injectStylus(WM_LBUTTONUP, x, top + 5);
  }
  wince::dispatchPending();
  EXPECT_EQ(seen(),
            (std::vector<std::string>{"COMMAND 200 0", "COMMAND 201 0", "COMMAND 202 0"}));  // past the last: none
  press(VK_TSOFT1);  // the soft keys still work the first two buttons
  EXPECT_EQ(seen().back(), "COMMAND 200 0");
}

// A separator between two pictures: a narrow cell with a rule that a tap
// does nothing on; scripts and tests find a button by its command.
TEST_F(IconBar, ASeparatorIsANarrowRuleAndButtonsAreFoundByCommand) {
  const std::vector<WORD> separator = {0, 0, 4, 1, 0, 0, NOMENU};
  iconBarData_.insert(iconBarData_.begin() + 2 + 7, separator.begin(), separator.end());
  iconBarData_[1] = 4;
  extra_[0].size = static_cast<DWORD>(iconBarData_.size() * 2);
  extra_[0].data = reinterpret_cast<const BYTE*>(iconBarData_.data());
  ASSERT_TRUE(makeIconBar());
  wince::dispatchPending();
  const int h = wince::deviceProfile().menuBarHeight;
  const int top = 320 - h;
  POINT second{};
  ASSERT_TRUE(wince::detail::controlCentre(201, &second));
  EXPECT_GT(second.x, h + h / 2);  // moved right by the separator
  EXPECT_LT(second.x, 2 * h);
  EXPECT_EQ(second.y, top + h / 2);
  auto& screen = wince::detail::deviceScreen();
  EXPECT_EQ(screen.row(second.y)[second.x], rgb565(RGB(0, 255, 0)));
  const int rule = (h + second.x - h / 2) / 2;  // the separator's middle
  EXPECT_EQ(screen.row(top + h / 2)[rule], rgb565(RGB(96, 112, 144)));
  for (int x : {rule, second.x}) {
    wince::injectStylus(WM_LBUTTONDOWN, x, top + 5);
    wince::injectStylus(WM_LBUTTONUP, x, top + 5);
  }
  wince::dispatchPending();
  EXPECT_EQ(seen(), (std::vector<std::string>{"COMMAND 201 0"}));
  POINT none{};
  EXPECT_FALSE(wince::detail::controlCentre(999, &none));
}

}  // namespace
