#include "ce_label_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ce_window_fixture.h"
#include "dialog_template_builder.h"
#include "wince/controls.h"
#include "wince/host/window.h"

namespace {

constexpr WORD kEdit = 101, kCombo = 102, kOther = 103;

std::vector<std::string>* gHeard = nullptr;

INT_PTR CALLBACK HostProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg != WM_COMMAND || HIWORD(wParam) < CeLabelEdit::kNotifyFocus) return FALSE;
  gHeard->push_back(std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
  return TRUE;
}

class CeLabelEditTest : public CeWindowTest {
 protected:
  void SetUp() override {
    CeWindowTest::SetUp();
    gHeard = &heard;
    t_.header(WS_POPUP | WS_VISIBLE, 3, 0, 0, 160, 100, u"Host")
        .item(WS_TABSTOP, 4, 4, 100, 12, kEdit, 0x81, u"Ann")
        .item(CBS_DROPDOWN | WS_TABSTOP, 4, 20, 100, 60, kCombo, 0x85, u"")
        .item(WS_BORDER | WS_TABSTOP, 4, 40, 100, 12, kOther, 0x81, u"");
    dlg = CreateDialogIndirectParamW(nullptr, t_.get(), parent, HostProc, 0);
    wince::dispatchPending();
    heard.clear();
  }
  void TearDown() override {
    CeWindowTest::TearDown();
    gHeard = nullptr;
  }
  static bool RegionIs(HWND hwnd, const RECT& expected) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(hwnd, rgn) != 0) GetRgnBox(rgn, &box);
    DeleteObject(rgn);
    return EqualRect(&box, &expected) != FALSE;
  }
  static void Tap(HWND hwnd, int x, int y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    wince::injectStylus(WM_LBUTTONDOWN, r.left + x, r.top + y);
    wince::injectStylus(WM_LBUTTONUP, r.left + x, r.top + y);
    wince::dispatchPending();
  }
  std::vector<std::string> Heard() { return std::exchange(heard, {}); }

  std::vector<std::string> heard;
  TemplateBuilder t_;
  HWND dlg{};
};

TEST_F(CeLabelEditTest, AnEditShowsItsFrameOnlyWithTheFocus) {
  CeLabelEdit label(CeLabelEdit::kEdit);
  EXPECT_EQ(label.Subsume(nullptr, nullptr), 0);
  EXPECT_EQ(label.m_hWnd, nullptr);
  const HWND edit = GetDlgItem(dlg, kEdit);
  SetFocus(GetDlgItem(dlg, kOther));
  ASSERT_EQ(label.Subsume(edit, nullptr), 1);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & WS_BORDER);
  RECT w;
  GetWindowRect(edit, &w);
  const int width = w.right - w.left, height = w.bottom - w.top, b = GetSystemMetrics(SM_CXBORDER);
  const RECT clean{b, b, width - b, height};
  EXPECT_TRUE(RegionIs(edit, clean));

  SetFocus(edit);
  const RECT whole{0, 0, width, height};
  EXPECT_TRUE(RegionIs(edit, whole));
  SetFocus(GetDlgItem(dlg, kOther));
  EXPECT_TRUE(RegionIs(edit, clean));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"101 555", "101 558"}));  // focus, lost focus

  // Resized while clean, the border stays clipped at the new size.
  MoveWindow(edit, w.left, w.top, width + 20, height, TRUE);
  const RECT wider{b, b, width + 20 - b, height};
  EXPECT_TRUE(RegionIs(edit, wider));

  Tap(edit, 5, 5);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"101 556", "101 555"}));  // clicked, then focus
  EXPECT_TRUE(label.SetReadOnly(true));
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
}

TEST_F(CeLabelEditTest, WithTheKeepFrameFlagNoRegionIsApplied) {
  CeLabelEdit label(CeLabelEdit::kEdit);
  const HWND edit = GetDlgItem(dlg, kEdit);
  ASSERT_EQ(label.Subsume(edit, nullptr, true), 1);
  SetFocus(edit);
  SetFocus(GetDlgItem(dlg, kOther));
  EXPECT_EQ(label.m_hRgn, nullptr);
  EXPECT_TRUE(RegionIs(edit, RECT{}));
}

TEST_F(CeLabelEditTest, AnArrowTapOnAComboIsToldOnceWithoutAFocusNotice) {
  CeLabelEdit label(CeLabelEdit::kCombo);
  const HWND combo = GetDlgItem(dlg, kCombo);
  ASSERT_EQ(label.Subsume(combo, nullptr, false, true), 1);
  RECT w;
  GetWindowRect(combo, &w);
  const int b = GetSystemMetrics(SM_CXBORDER);
  const RECT clean{b, b, w.right - w.left - b, w.bottom - w.top - 2 * b};
  EXPECT_TRUE(RegionIs(combo, clean));
  Tap(combo, w.right - w.left - 3, 4);
  const std::vector<std::string> heard = Heard();
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.front(), "102 557");
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "102 555"), 0);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "102 556"), 0);
}

TEST_F(CeLabelEditTest, DialogCodesGoToTheMessageWindowWhenAsked) {
  CeLabelEdit label(CeLabelEdit::kComboEdit);
  label.SetHandleDlgCode(false);
  const HWND combo = GetDlgItem(dlg, kCombo);
  ASSERT_EQ(label.Subsume(combo, nullptr), 1);
  ASSERT_NE(label.m_pComboEdit, nullptr);
  EXPECT_EQ(label.m_pComboEdit->m_hWnd, GetWindow(combo, GW_CHILD));
  CeLabelEdit copy(label);  // shares the companion; the last one lets it go
  EXPECT_EQ(copy.m_pComboEdit, label.m_pComboEdit);
}

}  // namespace
