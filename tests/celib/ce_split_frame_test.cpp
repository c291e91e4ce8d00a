#include "ce_split_frame.h"

#include <gtest/gtest.h>

#include <utility>

#include "ce_window_fixture.h"
#include "wince/host/window.h"

namespace {

class CeSplitFrameTest : public CeWindowTest {
 protected:
  void SetUp() override {
    CeWindowTest::SetUp();
    ASSERT_EQ(frame.Create(CeWnd::CreateGenericWndClass(nullptr), parent, RECT{0, 0, 200, 200}, u"",
                           WS_CHILD | WS_VISIBLE, 0, 1),
              1);
    top = CreateWindowExW(0, kPlainClass, u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    bottom =
        CreateWindowExW(0, kPlainClass, u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    frame.SetPanes(top, bottom);
  }
  // A pane's rectangle in the frame.
  RECT Place(HWND pane) const {
    RECT r;
    GetWindowRect(pane, &r);
    MapWindowPoints(nullptr, frame.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void Drag(int fromY, int toY) {
    RECT f;
    GetWindowRect(frame.m_hWnd, &f);
    for (auto [msg, y] : {std::pair<UINT, int>{WM_LBUTTONDOWN, fromY}, {WM_MOUSEMOVE, toY}, {WM_LBUTTONUP, toY}}) {
      wince::injectStylus(msg, f.left + 50, f.top + y);
      wince::dispatchPending();  // the capture is taken before the pen moves on
    }
  }

  CeSplitFrame frame;
  HWND top{}, bottom{};
};

TEST_F(CeSplitFrameTest, TheBarStartsInTheMiddleWithThePanesAroundIt) {
  EXPECT_EQ(GetParent(top), frame.m_hWnd);
  EXPECT_EQ(frame.GetSplitter(), 100);
  const int bar = frame.m_nBar;
  EXPECT_EQ(Place(top).bottom, 100 - bar);
  EXPECT_EQ(Place(bottom).top, 100 + bar);
  EXPECT_EQ(Place(bottom).bottom, 200);
}

TEST_F(CeSplitFrameTest, ThePenDragsTheBarWithinItsLimits) {
  Drag(100, 60);
  const int expected = 60 - frame.m_nBar - 1;
  EXPECT_EQ(frame.GetSplitter(), expected);
  EXPECT_EQ(Place(top).bottom, expected - frame.m_nBar);
  frame.SetBarMins(40, 150);
  Drag(expected, 20);  // above the limit: stays
  EXPECT_EQ(frame.GetSplitter(), expected);
  Drag(expected, 180);  // below it: stays
  EXPECT_EQ(frame.GetSplitter(), expected);
}

TEST_F(CeSplitFrameTest, AnUpdateHoldsTheBarUntilItsLastEnd) {
  frame.BeginUpdate();
  frame.BeginUpdate();
  frame.SetSplitter(150);
  EXPECT_EQ(frame.GetSplitter(), 100);
  frame.EndUpdate();
  EXPECT_EQ(frame.GetSplitter(), 100);
  frame.EndUpdate();
  EXPECT_EQ(frame.GetSplitter(), 150 - frame.m_nBar - 1);
  frame.EndUpdate();  // one too many: no harm
  EXPECT_EQ(frame.m_nUpdate, 0);
}

TEST_F(CeSplitFrameTest, DockingHidesAPaneUnlessItsLimitIsSet) {
  frame.SetDocked(-1);
  EXPECT_FALSE(IsWindowVisible(top));
  EXPECT_EQ(Place(bottom).top, 0);
  EXPECT_EQ(Place(bottom).bottom, 200);
  frame.SetDocked(0);
  EXPECT_TRUE(IsWindowVisible(top));
  frame.SetBarMins(30, 0);
  frame.SetDocked(-1);
  EXPECT_TRUE(IsWindowVisible(top));
  frame.SetSplitter(120);  // undocks
  EXPECT_EQ(frame.GetDocked(), 0);
}

TEST_F(CeSplitFrameTest, AResizeKeepsTheBarsFraction) {
  MoveWindow(frame.m_hWnd, 0, 0, 200, 100, TRUE);
  EXPECT_EQ(frame.GetSplitter(), 50);
  EXPECT_EQ(Place(bottom).bottom, 100);
  MoveWindow(frame.m_hWnd, 0, 0, 200, 300, TRUE);
  EXPECT_EQ(frame.GetSplitter(), 150);
}

}  // namespace
