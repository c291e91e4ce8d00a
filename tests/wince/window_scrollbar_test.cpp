// Scroll bars in the frame: drawn by the runtime, worked with the stylus.
#include "device_screen.h"
#include "wince/gdi.h"
#include "wince/host/window.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

class ScrollBar : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    wince::detail::resizeDeviceScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    main = make("main", WS_VISIBLE | WS_VSCROLL, nullptr, RECT{0, 0, 100, 100});
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
    SetScrollInfo(main, SB_VERT, &si, TRUE);
    wince::dispatchPending();
    handler = [this](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      if (msg == WM_VSCROLL) scrolls.emplace_back(LOWORD(wp), static_cast<short>(HIWORD(wp)));
      if (msg == WM_LBUTTONDOWN) ++clientTaps;
      return std::nullopt;
    };
    barX = 100 - GetSystemMetrics(SM_CXVSCROLL) / 2;
    arrow = GetSystemMetrics(SM_CXVSCROLL);
  }
  void tap(int x, int y) {
    wince::injectStylus(WM_LBUTTONDOWN, x, y);
    wince::injectStylus(WM_LBUTTONUP, x, y);
    wince::dispatchPending();
  }
  static uint16_t pixel(int x, int y) { return wince::detail::deviceScreen().row(y)[x]; }

  HWND main{};
  int barX = 0;
  int arrow = 0;
  int clientTaps = 0;
  std::vector<std::pair<int, int>> scrolls;
};

using P = std::vector<std::pair<int, int>>;

TEST_F(ScrollBar, ArrowsAndPageAreasSendTheirCodes) {
  tap(barX, 1);
  EXPECT_EQ(scrolls, (P{{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}}));
  scrolls.clear();
  tap(barX, 98);
  EXPECT_EQ(scrolls, (P{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  scrolls.clear();
  tap(barX, 80);  // below the thumb, which sits at the top
  EXPECT_EQ(scrolls, (P{{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  SetScrollPos(main, SB_VERT, 80, TRUE);
  scrolls.clear();
  tap(barX, arrow + 2);  // above the thumb, now at the bottom
  EXPECT_EQ(scrolls, (P{{SB_PAGEUP, 0}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(clientTaps, 0);
  tap(10, 10);
  EXPECT_EQ(clientTaps, 1);
}

TEST_F(ScrollBar, DraggingTheThumbTracksAndEndsAtTheLastPosition) {
  wince::injectStylus(WM_LBUTTONDOWN, barX, arrow + 2);  // on the thumb
  wince::injectStylus(WM_MOUSEMOVE, 5, 50);             // off the bar still drags
  wince::injectStylus(WM_MOUSEMOVE, barX, 200);
  wince::injectStylus(WM_LBUTTONUP, barX, 200);
  wince::dispatchPending();
  ASSERT_EQ(scrolls.size(), 4u);
  EXPECT_EQ(scrolls[0].first, SB_THUMBTRACK);
  EXPECT_GT(scrolls[0].second, 0);
  EXPECT_LT(scrolls[0].second, 80);
  EXPECT_EQ(scrolls[1], std::make_pair(SB_THUMBTRACK, 80));  // clamped to the last page
  EXPECT_EQ(scrolls[2], std::make_pair(SB_THUMBPOSITION, 80));
  EXPECT_EQ(scrolls[3], std::make_pair(SB_ENDSCROLL, 0));
  EXPECT_EQ(clientTaps, 0);
}

TEST_F(ScrollBar, TheThumbIsDrawnWhereThePositionSaysAndANothingToScrollBarIsInert) {
  const uint16_t face = wince::detail::deviceScreen().row(arrow + 3)[barX];
  const uint16_t track = pixel(barX, 80);
  EXPECT_NE(face, track);
  SetScrollPos(main, SB_VERT, 80, TRUE);
  EXPECT_EQ(pixel(barX, arrow + 3), track);
  EXPECT_EQ(pixel(barX, 80), face);
  SCROLLINFO none{sizeof none, SIF_RANGE | SIF_PAGE, 0, 10, 50, 0, 0};
  SetScrollInfo(main, SB_VERT, &none, TRUE);
  tap(barX, 50);
  EXPECT_TRUE(scrolls.empty());
}

}  // namespace
