#include "ce_icon_button.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ce_hidpi.h"
#include "ce_window_fixture.h"
#include "device_screen.h"
#include "test_scratch.h"
#include "wince/host/png_io.h"
#include "wince/host/window.h"

namespace {

struct HeardLog {
  std::vector<std::string> lines;
  LRESULT answerDown = 0;
};
HeardLog* gHeard = nullptr;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && gHeard != nullptr) {
    gHeard->lines.push_back(std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
    return HIWORD(wParam) == CeIconButton::kDown ? gHeard->answerDown : 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class CeIconButtonTest : public CeWindowTest {
 protected:
  void SetUp() override {
    CeWindowTest::SetUp();
    gHeard = &heard;
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.lpszClassName = u"IconHost";
    RegisterClassW(&wc);
    host = CreateWindowExW(0, u"IconHost", u"", WS_VISIBLE, 0, 0, 240, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(bar.Create(RECT{0, 0, 200, 30}, host, nullptr));
    for (UINT id : {5u, 6u, 7u}) bar.AddButton(new CeIconButtonBase(RECT{0, 0, 40, 30}, id));
    wince::dispatchPending();
  }
  void TearDown() override {
    gHeard = nullptr;
    CeWindowTest::TearDown();
  }
  // Pen down (and up) over the item at `x`.
  static void Pen(UINT msg, int x) {
    wince::injectStylus(msg, x, 10);
    wince::dispatchPending();
  }
  static void Tap(int x) {
    Pen(WM_LBUTTONDOWN, x);
    Pen(WM_LBUTTONUP, x);
  }
  std::vector<std::string> Heard() { return std::exchange(heard.lines, {}); }

  HeardLog heard;
  HWND host{};
  CeIconButton bar;
};

TEST_F(CeIconButtonTest, ATapIsToldAtPenDownAndAfterPenUp) {
  ASSERT_EQ(bar.GetButtonFirst()->GetID(), 5u);
  bar.GetButton(static_cast<UINT>(6))->SetRepeat(false);
  Pen(WM_LBUTTONDOWN, 45);  // the second item: padding -1 lets neighbours share a column
  EXPECT_TRUE(bar.GetButton(static_cast<UINT>(6))->GetPressed());
  EXPECT_EQ(Heard(), (std::vector<std::string>{"6 256"}));
  Pen(WM_LBUTTONUP, 45);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"6 0"}));
  EXPECT_FALSE(bar.GetButton(static_cast<UINT>(6))->GetPressed());
}

TEST_F(CeIconButtonTest, AParentThatTakesThePressHearsNoMore) {
  heard.answerDown = 1;
  Tap(10);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 256"}));
  EXPECT_FALSE(bar.GetButtonFirst()->GetPressed());
}

TEST_F(CeIconButtonTest, SlidingOffEveryItemClicksNothing) {
  Pen(WM_LBUTTONDOWN, 10);
  Pen(WM_MOUSEMOVE, 190);  // past the last item
  Pen(WM_LBUTTONUP, 190);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 256"}));
}

TEST_F(CeIconButtonTest, DoubleTapsWaitForASecondTap) {
  bar.GetButtonFirst()->SetSupportsDoubleClick(true);
  bar.GetButtonFirst()->SetRepeat(false);
  Tap(10);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 256"}));
  wince::runFor(CeIconButton::kDoubleTapDelay);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 0"}));
  Tap(10);
  wince::runFor(100);
  Tap(10);
  wince::runFor(CeIconButton::kDoubleTapDelay);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 256", "5 512"}));
}

TEST_F(CeIconButtonTest, HoldingARepeatingItemRepeatsFasterAndFaster) {
  Pen(WM_LBUTTONDOWN, 10);
  Heard();
  const std::pair<int, size_t> steps[] = {{299, 0}, {1, 1}, {200, 2}, {200, 3}, {50, 4}, {50, 5}};
  size_t total = 0;
  for (auto [ms, expected] : steps) {
    wince::runFor(static_cast<uint64_t>(ms));
    total += Heard().size();
    EXPECT_EQ(total, expected) << ms;
  }
  Pen(WM_LBUTTONUP, 10);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 0"}));
  wince::runFor(500);
  EXPECT_TRUE(Heard().empty());
}

TEST_F(CeIconButtonTest, AnArrowTapIsToldAsSuchAndNothingElse) {
  bar.GetButtonFirst()->DisplayArrow(true);
  const int zone = CeIconButtonBase::ArrowZoneWidth();
  Tap(40 + zone - 2);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"5 1024"}));
  EXPECT_EQ(bar.m_nPressState, -1);
}

TEST_F(CeIconButtonTest, GroupCheckingLeavesExactlyOneChecked) {
  bar.SetGroupChecked(7);
  for (UINT id : {5u, 6u, 7u}) EXPECT_EQ(bar.GetButton(id)->GetChecked(), id == 7) << id;
  bar.RemoveButton(static_cast<UINT>(6));
  EXPECT_EQ(bar.GetButton(static_cast<WORD>(2))->GetID(), 7u);
  bar.AddButtonAfter(5, new CeIconButtonBase(RECT{0, 0, 40, 30}, 9));
  EXPECT_EQ(bar.GetButton(static_cast<WORD>(2))->GetID(), 9u);
  EXPECT_EQ(CeIconButton::CompareFunc(bar.GetButtonFirst(), nullptr), -1);
}

TEST_F(CeIconButtonTest, ArrowsPointWhereTheyAreTold) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 20, 20, WHITENESS);
  SetBkColor(dc, RGB(1, 2, 3));
  DrawArrow(dc, POINT{10, 10}, RGB(0, 0, 0), kDirDown, 3);
  EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 9, 11), RGB(0, 0, 0));  // the apex
  EXPECT_EQ(GetPixel(dc, 7, 9), RGB(0, 0, 0));   // the widest row, two above
  EXPECT_NE(GetPixel(dc, 9, 12), RGB(0, 0, 0));  // nothing below the apex
  EXPECT_NE(GetPixel(dc, 6, 9), RGB(0, 0, 0));
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST_F(CeIconButtonTest, TextIconsBordersAndPressedFacesAreDrawn) {
  auto& screen = wince::detail::deviceScreen();
  wince::detail::resizeDeviceScreen(240, 320);
  CeIconButtonBase* first = bar.GetButtonFirst();
  first->SetIconText(u"Go", u"Tahoma", 8, FW_BOLD, 0, 0, 0, RGB(0, 0, 128), 36, 16, false);
  first->SetBorder(true, 6, 0, true, RGB(0, 0, 0));
  CeIconButtonBase* second = bar.GetButton(static_cast<UINT>(6));
  second->SetIconText(u"Menu", u"Tahoma", 8, FW_NORMAL, 0, 0, 0, RGB(0, 0, 0), 38, 16, true);
  second->SetChecked(true);
  CeIconButtonBase* third = bar.GetButton(static_cast<UINT>(7));
  third->SetColors(RGB(255, 255, 255), RGB(0, 0, 255), true, RGB(160, 160, 200), RGB(0, 0, 0));
  third->DisplayArrow(true);
  bar.SetLook(true, RGB(230, 230, 230));
  InvalidateRect(bar.m_hWnd, nullptr, TRUE);
  UpdateWindow(bar.m_hWnd);
  POINT origin{0, 0};
  ClientToScreen(bar.m_hWnd, &origin);
  const auto pixel = [&](int x, int y) {
    return screen.pixels[static_cast<size_t>((origin.y + y) * screen.width + origin.x + x)];
  };
  EXPECT_EQ(pixel(1, 1), 0xFFFF);  // style 6: a white line inside the outline
  EXPECT_EQ(pixel(0, 0), 0x0000);
  // The whole picture, for a person to look at.
  EXPECT_TRUE(wince::writePng565(scratchPath("icon-buttons.png"), screen.pixels.data(), screen.width, 60,
                                 static_cast<size_t>(screen.width) * 2));
}

}  // namespace
