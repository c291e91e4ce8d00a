#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <unistd.h>

#include "ce_base_wnd.h"
#include "ce_geometry.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/shell.h"
#include "wince/host/window.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace {

constexpr const WCHAR* kClass = u"BaseWndTest";


// A check box that keeps its state in the user-data word.
LRESULT CALLBACK CheckBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == BM_SETCHECK) SetWindowLongW(hwnd, GWL_USERDATA, static_cast<LONG_PTR>(wParam));
  if (msg == BM_GETCHECK) return GetWindowLongW(hwnd, GWL_USERDATA);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// An empty dialog template: style, no items, no menu, the standard class,
// no title.
std::vector<WORD> EmptyDialogTemplate() {
  const DWORD style = WS_POPUP | WS_VISIBLE;
  return {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 100, 60, 0, 0, 0};
}

class CeBaseWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::useVirtualClock(1000);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override {
    wince::resetWindowing();
    wince::useRealClock();  // later tests of this program wait on the real one
  }

  static HWND Make(DWORD style, const RECT& rc, HWND parent = nullptr, LPCWSTR text = u"") {
    return CreateWindowExW(0, kClass, text, style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent,
                           nullptr, nullptr, nullptr);
  }
};

TEST_F(CeBaseWndTest, AttachDetachAndDestroy) {
  CeBaseWnd wnd;
  HWND a = Make(0, CeRect(0, 0, 10, 10));
  HWND b = Make(0, CeRect(0, 0, 10, 10));
  EXPECT_EQ(wnd.Attach(a), 1);
  EXPECT_EQ(wnd.Attach(b), 0);
  EXPECT_EQ(static_cast<HWND>(wnd), a);
  EXPECT_EQ(wnd.Detach(), a);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(wnd.DestroyWindow(), 0);  // nothing to destroy
  wnd.Attach(b);
  EXPECT_EQ(wnd.DestroyWindow(), 1);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_FALSE(IsWindow(b));
  {
    CeBaseWnd owner(a);
  }
  EXPECT_FALSE(IsWindow(a));
}

TEST_F(CeBaseWndTest, ModifyStyleReportsChangesOnly) {
  // SWP_HIDEWINDOW shows whether SetWindowPos was called.
  CeBaseWnd wnd(Make(WS_BORDER | WS_VISIBLE, CeRect(0, 0, 10, 10)));
  EXPECT_EQ(wnd.ModifyStyle(0, WS_BORDER, SWP_HIDEWINDOW), 0);
  EXPECT_TRUE(wnd.IsWindowVisible());
  EXPECT_EQ(wnd.ModifyStyle(WS_BORDER, WS_TABSTOP), 1);
  EXPECT_TRUE(wnd.IsWindowVisible());
  EXPECT_EQ(wnd.GetStyle() & (WS_BORDER | WS_TABSTOP), WS_TABSTOP);
  EXPECT_EQ(wnd.ModifyStyle(WS_TABSTOP, 0, SWP_HIDEWINDOW), 1);
  EXPECT_FALSE(wnd.IsWindowVisible());
  EXPECT_EQ(CeBaseWnd::ModifyStyleEx(wnd.m_hWnd, 0, WS_EX_CLIENTEDGE), 1);
  EXPECT_EQ(wnd.GetExStyle() & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
}

TEST_F(CeBaseWndTest, CenterWindowOverParentAndWorkArea) {
  HWND parent = Make(WS_VISIBLE, CeRect(0, 30, 200, 230));
  CeBaseWnd child(Make(WS_CHILD | WS_VISIBLE, CeRect(0, 0, 40, 20), parent));
  ASSERT_TRUE(child.CenterWindow());
  RECT rc{};
  child.GetWindowRect(&rc);
  CeRect inParent(rc);
  ScreenToClient(parent, &inParent.TopLeft());
  EXPECT_EQ(inParent.TopLeft(), CePoint(80, 90));

  // A top-level window larger than its owner is kept inside the work area.
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  HWND owner = Make(WS_VISIBLE, CeRect(work.left, work.top, work.left + 20, work.top + 20));
  CeBaseWnd popup(Make(WS_POPUP, CeRect(0, 0, 100, 60)));
  ASSERT_TRUE(popup.CenterWindow(owner));
  popup.GetWindowRect(&rc);
  EXPECT_EQ(rc.left, work.left);
  EXPECT_EQ(rc.top, work.top);
  // A hidden window to centre on counts as none: the work area's centre.
  ShowWindow(owner, SW_HIDE);
  ASSERT_TRUE(popup.CenterWindow(owner));
  popup.GetWindowRect(&rc);
  EXPECT_EQ(rc.left, (work.left + work.right) / 2 - 50);
  EXPECT_EQ(rc.top, (work.top + work.bottom) / 2 - 30);
}

TEST_F(CeBaseWndTest, CaptureIsTakenOnce) {
  CeBaseWnd wnd(Make(WS_VISIBLE, CeRect(0, 0, 10, 10)));
  wnd.SetCapture();
  EXPECT_EQ(GetCapture(), wnd.m_hWnd);
  EXPECT_EQ(wnd.SetCapture(), nullptr);
  EXPECT_EQ(GetCapture(), wnd.m_hWnd);
}

TEST_F(CeBaseWndTest, ScrollBarQueries) {
  CeBaseWnd wnd(Make(WS_VISIBLE, CeRect(0, 0, 50, 50)));
  EXPECT_TRUE(wnd.ShowScrollBar(SB_VERT, TRUE));
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
  wnd.SetScrollRange(SB_VERT, 2, 40, FALSE);
  wnd.SetScrollPos(SB_VERT, 9, FALSE);
  int lo = 0;
  int hi = 0;
  EXPECT_TRUE(wnd.GetScrollRange(SB_VERT, &lo, &hi));
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 40);
  EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 40);
  EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 9);
  wnd.ShowScrollBar(SB_VERT, FALSE);
  EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);

  CeBaseWnd none;
  EXPECT_EQ(none.GetScrollPos(SB_VERT), 0);
  EXPECT_EQ(none.GetScrollLimit(SB_VERT), 0);
}

TEST_F(CeBaseWndTest, CopyWindowTextFillsTheClipboard) {
  CeBaseWnd wnd(Make(0, CeRect(0, 0, 10, 10), nullptr, u"Seven of hearts"));
  ASSERT_TRUE(wnd.CopyWindowText());
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* text = static_cast<const WCHAR*>(GetClipboardData(CF_UNICODETEXT));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text), u"Seven of hearts");
  CloseClipboard();

  // The clipboard held open elsewhere refuses.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(wnd.CopyWindowText());
  CloseClipboard();
}

TEST_F(CeBaseWndTest, TopLevelWindowAndDialogParent) {
  HWND top = Make(WS_VISIBLE, CeRect(0, 0, 100, 100));
  HWND middle = Make(WS_CHILD, CeRect(0, 0, 50, 50), top);
  CeBaseWnd leaf(Make(WS_CHILD, CeRect(0, 0, 5, 5), middle));
  EXPECT_EQ(leaf.GetTopLevelWindow(), top);
  EXPECT_EQ(CeBaseWnd::GetTopLevelWindow(top), top);
  EXPECT_FALSE(leaf.IsParentDialog());
  EXPECT_EQ(leaf.IsWindowUnicode(), 1);

  const std::vector<WORD> tmpl = EmptyDialogTemplate();
  HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()), top,
                                           [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(dialog, nullptr);
  CeBaseWnd item(Make(WS_CHILD, CeRect(0, 0, 5, 5), dialog));
  EXPECT_TRUE(item.IsParentDialog());
}

TEST_F(CeBaseWndTest, DialogButtonsThroughTheirIds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CheckBoxProc;
  wc.lpszClassName = u"CheckBox";
  ASSERT_NE(RegisterClassW(&wc), 0);
  CeBaseWnd dialog(Make(WS_VISIBLE, CeRect(0, 0, 100, 100)));
  for (int id = 10; id <= 12; ++id) {
    CreateWindowExW(0, u"CheckBox", u"", WS_CHILD, 0, 0, 5, 5, dialog, reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)),
                    nullptr, nullptr);
  }
  dialog.CheckDlgButton(10, BST_CHECKED);
  EXPECT_EQ(dialog.IsDlgButtonChecked(10), static_cast<UINT>(BST_CHECKED));
  dialog.CheckRadioButton(10, 12, 11);
  EXPECT_EQ(dialog.IsDlgButtonChecked(10), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(dialog.IsDlgButtonChecked(11), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(dialog.IsDlgButtonChecked(12), static_cast<UINT>(BST_UNCHECKED));
  dialog.SetDlgItemInt(12, static_cast<UINT>(-3));
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(dialog.GetDlgItemInt(12, &ok)), -3);
  EXPECT_TRUE(ok);
}

TEST_F(CeBaseWndTest, RectangleFormsConvertBothCorners) {
  HWND parent = Make(WS_VISIBLE, CeRect(0, 40, 200, 240));
  CeBaseWnd child(Make(WS_CHILD | WS_VISIBLE, CeRect(10, 20, 60, 70), parent));
  CeRect rc(0, 0, 5, 6);
  ASSERT_TRUE(child.ClientToScreen(&rc));
  CeRect back(rc);
  ASSERT_TRUE(child.ScreenToClient(&back));
  EXPECT_EQ(back, CeRect(0, 0, 5, 6));
  EXPECT_EQ(rc.Width(), 5);
  CeRect mapped(0, 0, 5, 6);
  child.MapWindowPoints(parent, &mapped);
  EXPECT_EQ(mapped, CeRect(10, 20, 15, 26));
  ASSERT_TRUE(child.MoveWindow(CeRect(1, 2, 31, 42)));
  CeRect client;
  child.GetClientRect(&client);
  EXPECT_EQ(client.Size(), CeSize(30, 40));
}

TEST_F(CeBaseWndTest, ShellWrappersActOnTheWindow) {
  CeBaseWnd wnd(Make(WS_VISIBLE, CeRect(0, 0, 10, 10)));
  EXPECT_TRUE(wnd.SHSipPreference(SIP_DOWN));
  EXPECT_TRUE(wnd.SHDoneButton(SHDB_SHOW));
  EXPECT_TRUE(wnd.SHSetNavBarText(u"Solitaire"));
  wnd.SHShowOutOfMemory();
  const wince::ShellState& s = wince::shellState();
  EXPECT_EQ(s.sipPreference, SIP_DOWN);
  EXPECT_EQ(s.doneButton, static_cast<DWORD>(SHDB_SHOW));
  EXPECT_EQ(s.navBarText, u"Solitaire");
  EXPECT_EQ(s.outOfMemoryShown, 1);
  EXPECT_EQ(wnd.GetWindowProcessID(), static_cast<DWORD>(getpid()));
  EXPECT_NE(wnd.GetWindowThreadID(), 0u);
}

}  // namespace
