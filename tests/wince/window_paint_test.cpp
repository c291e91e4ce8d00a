// Invalidation, WM_PAINT and how windows compose on the device screen.
#include "device_screen.h"
#include "wince/gdi.h"
#include "wince/host/window.h"
#include "window_test_util.h"

namespace {

using wintest::Log;
using wintest::WindowTest;

constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kBlue = 0x001F;

class WindowPaint : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    wince::detail::resizeDeviceScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    handler = [this](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg != WM_PAINT || !colours.count(h)) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      painted.push_back(ps.rcPaint);
      RECT client;
      GetClientRect(h, &client);
      HBRUSH brush = CreateSolidBrush(colours[h]);
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      EndPaint(h, &ps);
      return 0;
    };
  }
  void TearDown() override {
    handler = nullptr;
    WindowTest::TearDown();
  }

  static uint16_t pixel(int x, int y) { return wince::detail::deviceScreen().row(y)[x]; }

  std::map<HWND, COLORREF> colours;
  std::vector<RECT> painted;
};

TEST_F(WindowPaint, BeginPaintValidatesSoPaintComesOnce) {
  HWND main = make("main", WS_VISIBLE);
  colours[main] = RGB(255, 0, 0);
  wince::dispatchPending();
  take();
  RECT a{1, 1, 5, 5}, b{10, 2, 20, 4};
  InvalidateRect(main, &a, FALSE);
  InvalidateRect(main, &b, FALSE);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(main, &u, FALSE));
  EXPECT_EQ(u.left, 1);
  EXPECT_EQ(u.right, 20);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(main, rgn, FALSE), SIMPLEREGION);
  RECT box;
  GetRgnBox(rgn, &box);
  EXPECT_TRUE(EqualRect(&box, &u));
  painted.clear();
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT, WM_ERASEBKGND}), (Log{"main:PAINT"}));  // one paint, no erase asked
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].left, 1);
  EXPECT_EQ(painted[0].bottom, 5);
  EXPECT_FALSE(GetUpdateRect(main, &u, FALSE));
  EXPECT_EQ(GetUpdateRgn(main, rgn, FALSE), NULLREGION);
  DeleteObject(rgn);
  // DefWindowProc validates too: a window that ignores WM_PAINT is not
  // painted forever.
  HWND plain = make("plain", WS_VISIBLE);
  wince::dispatchPending();
  EXPECT_FALSE(GetUpdateRect(plain, &u, FALSE));
}

TEST_F(WindowPaint, EraseIsSentOnlyWhenAsked) {
  HWND main = make("main", WS_VISIBLE);
  wince::dispatchPending();
  take();
  InvalidateRect(main, nullptr, TRUE);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT, WM_ERASEBKGND}), (Log{"main:PAINT", "main:ERASEBKGND"}));
}

TEST_F(WindowPaint, UpdateWindowPaintsAtOnceOnlyWhenInvalid) {
  HWND main = make("main", WS_VISIBLE);
  colours[main] = RGB(255, 0, 0);
  take();
  UpdateWindow(main);
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT"}));
  UpdateWindow(main);
  EXPECT_TRUE(take({WM_PAINT}).empty());
}

TEST_F(WindowPaint, ValidateRectTrimsTheUpdateArea) {
  HWND main = make("main", WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
  wince::dispatchPending();
  InvalidateRect(main, nullptr, FALSE);
  RECT top{0, 0, 100, 30};
  ValidateRect(main, &top);
  RECT u;
  ASSERT_TRUE(GetUpdateRect(main, &u, FALSE));
  EXPECT_EQ(u.top, 30);
  ValidateRect(main, nullptr);
  EXPECT_FALSE(GetUpdateRect(main, &u, FALSE));
}

TEST_F(WindowPaint, ParentPaintsBeforeChildrenAndOverlapsRepaintAbove) {
  HWND main = make("main", WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
  HWND child = make("child", WS_CHILD | WS_VISIBLE, main, RECT{10, 10, 30, 30});
  HWND popup = make("popup", WS_POPUP | WS_VISIBLE, main, RECT{50, 50, 90, 90});
  colours[main] = RGB(255, 0, 0);
  colours[child] = RGB(0, 255, 0);
  colours[popup] = RGB(0, 0, 255);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT", "child:PAINT", "popup:PAINT"}));
  EXPECT_EQ(pixel(5, 5), kRed);
  EXPECT_EQ(pixel(15, 15), kGreen);
  EXPECT_EQ(pixel(60, 60), kBlue);

  // Painting the main window again must not leave it over the windows that
  // sit on top of it.
  InvalidateRect(main, nullptr, FALSE);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT", "child:PAINT", "popup:PAINT"}));
  EXPECT_EQ(pixel(15, 15), kGreen);
  EXPECT_EQ(pixel(60, 60), kBlue);
  RECT corner{0, 0, 5, 5};
  InvalidateRect(main, &corner, FALSE);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT"}));  // nothing above that corner

  // What a hidden window uncovers is painted again from below.
  ShowWindow(popup, SW_HIDE);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT"}));
  EXPECT_EQ(pixel(60, 60), kRed);
}

// A window's update area is one rectangle: invalid areas far apart make it
// their bounding box, and the windows above must be repainted over all of it.
TEST_F(WindowPaint, AnUpdateAreaThatGrowsToABoxRepaintsTheWindowsAboveOverAllOfIt) {
  HWND main = make("main", WS_VISIBLE, nullptr, RECT{0, 20, 100, 100});
  HWND popup = make("popup", WS_POPUP | WS_VISIBLE, main, RECT{50, 60, 90, 90});
  colours[main] = RGB(255, 0, 0);
  colours[popup] = RGB(0, 0, 255);
  wince::dispatchPending();
  ASSERT_EQ(pixel(10, 40), kRed);
  // A strip above the window, then the place of a closed popup: the desktop
  // erases the box around both, which reaches into the window between them.
  RECT strip{0, 0, 100, 10};
  InvalidateRect(GetDesktopWindow(), &strip, TRUE);
  DestroyWindow(popup);
  wince::dispatchPending();
  EXPECT_EQ(pixel(10, 40), kRed);
  EXPECT_EQ(pixel(60, 70), kRed);
  EXPECT_EQ(pixel(10, 5), 0);
}

TEST_F(WindowPaint, ChildDrawingIsClippedToItsParent) {
  HWND main = make("main", WS_VISIBLE, nullptr, RECT{0, 0, 40, 40});
  HWND child = make("child", WS_CHILD | WS_VISIBLE, main, RECT{20, 20, 80, 80});
  colours[main] = RGB(255, 0, 0);
  colours[child] = RGB(0, 255, 0);
  wince::dispatchPending();
  EXPECT_EQ(pixel(30, 30), kGreen);
  EXPECT_EQ(pixel(50, 50), 0);  // the desktop, black, outside the parent
}

TEST_F(WindowPaint, WindowRegionClipsPaintingAndHitTesting) {
  HWND main = make("main", WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
  HWND top = make("top", WS_POPUP | WS_VISIBLE, main, RECT{0, 0, 100, 100});
  colours[main] = RGB(255, 0, 0);
  colours[top] = RGB(0, 0, 255);
  wince::dispatchPending();
  EXPECT_EQ(pixel(75, 75), kBlue);
  EXPECT_EQ(SetWindowRgn(top, CreateRectRgn(0, 0, 50, 50), TRUE), 1);
  wince::dispatchPending();
  EXPECT_EQ(pixel(25, 25), kBlue);
  EXPECT_EQ(pixel(75, 75), kRed);  // uncovered and repainted from below
  EXPECT_EQ(WindowFromPoint(POINT{25, 25}), top);
  EXPECT_EQ(WindowFromPoint(POINT{75, 75}), main);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(top, copy), SIMPLEREGION);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box.right, 50);
  DeleteObject(copy);
  SetWindowRgn(top, nullptr, TRUE);
  EXPECT_EQ(WindowFromPoint(POINT{75, 75}), top);
}

TEST_F(WindowPaint, RedrawOffStopsPaintingUntilInvalidatedAgain) {
  HWND main = make("main", WS_VISIBLE);
  wince::dispatchPending();
  take();
  SendMessage(main, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(main, nullptr, TRUE);
  wince::dispatchPending();
  EXPECT_TRUE(take({WM_PAINT}).empty());
  SendMessage(main, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(main, nullptr, TRUE);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT"}));
}

TEST_F(WindowPaint, HiddenWindowsGetNoPaint) {
  HWND main = make("main", 0);
  InvalidateRect(main, nullptr, TRUE);
  wince::dispatchPending();
  EXPECT_TRUE(take({WM_PAINT}).empty());
  ShowWindow(main, SW_SHOW);
  wince::dispatchPending();
  EXPECT_EQ(take({WM_PAINT}), (Log{"main:PAINT"}));
}

}  // namespace
