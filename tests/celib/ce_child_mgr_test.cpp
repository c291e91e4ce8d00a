#include <gtest/gtest.h>

#include "ce_child_mgr.h"
#include "ce_window_fixture.h"
#include "wince/clock.h"
#include "wince/system.h"
#include "wince/window.h"

namespace {

class CeChildMgrTest : public CeWindowTest {
 protected:
  HWND child(const RECT& r, DWORD style = 0) {
    return CreateWindowExW(0, kPlainClass, u"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, nullptr, nullptr, nullptr);
  }
  void resize(int cx, int cy) {
    MoveWindow(parent, 0, 0, cx, cy, TRUE);
    mgr.OnSize(SIZE_RESTORED, cx, cy);
  }
  static CeRect at(HWND hwnd) { return CeRectInParent(hwnd); }

  CeChildMgr mgr;
};

TEST_F(CeChildMgrTest, FlagsMoveAndSizeTheControlWhenTheParentGrows) {
  struct Case {
    UINT flags;
    CeRect expected;
  } const cases[] = {
      {kCeAnchorRight | kCeAnchorBottom, CeRect(50, 50, 150, 70)},
      {kCeStretchWidth, CeRect(10, 20, 150, 40)},
      {kCeScaleWidth, CeRect(10, 20, 126, 40)},  // 100 * 280 / 240 = 116
      {kCeScaleLeft, CeRect(11, 20, 111, 40)},   // 10 * 280 / 240 = 11
      {kCeScaleTop, CeRect(10, 22, 110, 42)},    // 20 * 330 / 300 = 22
      {0, CeRect(10, 20, 110, 40)},
  };
  for (const Case& c : cases) {
    MoveWindow(parent, 0, 0, 240, 300, TRUE);
    mgr.RemoveAll();
    HWND control = child({10, 20, 110, 40});
    mgr.Manage(control, c.flags);
    resize(280, 330);
    EXPECT_EQ(at(control), c.expected) << "flags " << c.flags;
    DestroyWindow(control);
  }
}

TEST_F(CeChildMgrTest, APreviousSiblingFollowsItsControl) {
  HWND label = child({10, 22, 60, 38});
  HWND control = child({70, 20, 170, 40});
  mgr.Manage(control, kCeAnchorRight | kCeMovePrevious);
  resize(280, 300);
  EXPECT_EQ(at(control), CeRect(110, 20, 210, 40));
  EXPECT_EQ(at(label), CeRect(50, 22, 100, 38));
}

TEST_F(CeChildMgrTest, AControlShrinkingBelowItsFrameCancelsThePass) {
  HWND bordered = child({10, 20, 110, 40}, WS_BORDER);
  HWND anchored = child({10, 200, 50, 220});
  mgr.Manage(anchored, kCeAnchorBottom);
  mgr.Manage(bordered, kCeStretchWidth | kCeStretchHeight);
  resize(141, 281);  // the bordered control would be 1 x 1
  EXPECT_EQ(at(anchored), CeRect(10, 200, 50, 220));
  EXPECT_EQ(at(bordered), CeRect(10, 20, 110, 40));
}

TEST_F(CeChildMgrTest, MinimisingOrAnEmptyListDoesNothing) {
  HWND control = child({10, 20, 110, 40});
  resize(280, 330);  // nothing managed yet
  EXPECT_EQ(at(control), CeRect(10, 20, 110, 40));
  mgr.Manage(control, kCeAnchorRight);
  MoveWindow(parent, 0, 0, 300, 300, TRUE);
  mgr.OnSize(SIZE_MINIMIZED, 300, 300);
  EXPECT_EQ(at(control), CeRect(10, 20, 110, 40));
}

TEST_F(CeChildMgrTest, TheLastUnManageFreesTheParentForTheNext) {
  HWND control = child({10, 20, 110, 40});
  EXPECT_EQ(mgr.Manage(control, 0), 0);
  EXPECT_EQ(mgr.Manage(nullptr, 0), 0);
  EXPECT_EQ(mgr.GetCount(), 1);
  mgr.UnManage(control);
  EXPECT_EQ(mgr.GetParentWnd(), nullptr);
  HWND other = CreateWindowExW(0, kPlainClass, u"", WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND inOther = CreateWindowExW(0, kPlainClass, u"", WS_CHILD, 0, 0, 10, 10, other, nullptr, nullptr, nullptr);
  mgr.Manage(inOther, 0);
  EXPECT_EQ(mgr.GetParentWnd(), other);
  EXPECT_FALSE(mgr.UpdateChild(control, kCeStretchWidth));
}

TEST_F(CeChildMgrTest, AParentRegisteredEmptyScalesNothing) {
  MoveWindow(parent, 0, 0, 0, 0, TRUE);
  HWND control = child({10, 20, 110, 40});
  mgr.Manage(control, kCeScaleWidth | kCeScaleLeft | kCeScaleTop | kCeScaleHeight);
  resize(280, 330);
  EXPECT_EQ(at(control), CeRect(10, 20, 110, 40));
}

TEST_F(CeChildMgrTest, UpdateChildTakesTheMovedControlAsItsOrigin) {
  HWND control = child({10, 20, 110, 40});
  mgr.Manage(control, kCeAnchorRight);
  MoveWindow(control, 30, 20, 100, 20, TRUE);
  EXPECT_TRUE(mgr.UpdateChild(control, kCeStretchWidth));
  resize(280, 300);
  EXPECT_EQ(at(control), CeRect(70, 20, 170, 40));
}

TEST_F(CeChildMgrTest, CopiesOwnTheirEntries) {
  HWND control = child({10, 20, 110, 40});
  mgr.Manage(control, kCeAnchorRight);
  {
    CeChildMgr copy(mgr);
    EXPECT_EQ(copy.GetCount(), 1);
  }
  resize(280, 300);
  EXPECT_EQ(at(control), CeRect(50, 20, 150, 40));
}

TEST(CeChildMgrStatic, DialogUnitsAndOffsets) {
  const CePoint p = CeChildMgr::SizeDialogToScreen(8, 8);
  const LONG units = GetDialogBaseUnits();
  EXPECT_EQ(p, CePoint(8 * LOWORD(units) / 4, 8 * HIWORD(units) / 8));
}

}  // namespace
