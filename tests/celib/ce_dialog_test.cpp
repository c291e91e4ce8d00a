#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce_dialog.h"
#include "dialog_template_builder.h"
#include "wince/clock.h"
#include "wince/controls.h"
#include "wince/resource.h"
#include "wince/system.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/host/resource.h"
#include "wince/host/shell.h"

namespace {

constexpr WORD kTemplate = 700;
constexpr WORD kTall = 701;
constexpr WORD kEdit = 101;
constexpr WORD kCommand = 300;

// Records what reaches the handlers.
class RecordingDialog : public CeDialog {
 public:
  explicit RecordingDialog(UINT id) : CeDialog(id) {}
  std::vector<std::string> calls;
  bool sendDuringInit = false;
  bool deleteOnFinal = false;

  BOOL OnInitDialog() override {
    calls.push_back("init");
    if (sendDuringInit) ::SendMessageW(m_hWnd, WM_COMMAND, kCommand, 0);
    return CeDialog::OnInitDialog();
  }
  int OnCommand(UINT wParam, LPARAM, bool& handled) override {
    calls.push_back("command " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
    handled = true;
    return 0;
  }
  void OnFinalMessage(HWND) override {
    calls.push_back("final");
    if (deleteOnFinal) delete this;
  }
};

class CeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::useVirtualClock(1000);
    small_.header(WS_POPUP | WS_VISIBLE, 4, 0, 0, 120, 60, u"Small")
        .item(SS_LEFT, 4, 4, 30, 10, 0xFFFF, 0x82, u"Name:")
        .item(WS_BORDER | WS_TABSTOP, 36, 4, 80, 12, kEdit, 0x81, u"")
        .item(BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 40, 50, 14, IDOK, 0x80, u"OK")
        .item(BS_PUSHBUTTON | WS_TABSTOP, 60, 40, 50, 14, IDCANCEL, 0x80, u"Cancel");
    tall_.header(WS_POPUP | WS_VISIBLE, 1, 0, 0, 120, 200, u"Tall").item(SS_LEFT, 4, 10, 60, 10, 0xFFFF, 0x82, u"Top");
    entries_[0] = {nullptr, 5, nullptr, kTemplate, small_.bytes.data(), static_cast<DWORD>(small_.bytes.size())};
    entries_[1] = {nullptr, 5, nullptr, kTall, tall_.bytes.data(), static_cast<DWORD>(tall_.bytes.size())};
    table_ = {entries_, 2};
    wince::registerResourceTable(&table_);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"DialogOwner";
    RegisterClassW(&wc);
    owner = CreateWindowExW(0, u"DialogOwner", u"", WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr, nullptr, nullptr);
    wince::dispatchPending();
  }
  void TearDown() override {
    wince::setModalHook(nullptr);
    wince::resetWindowing();
    wince::resetShell();
    wince::unregisterResourceTable(&table_);
    wince::useRealClock();
  }

  static void pumpModeless() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!CeBaseDialog::IsDialogMsg(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }

  HWND owner{};
  TemplateBuilder small_, tall_;
  wince::ResourceEntry entries_[2]{};
  wince::ResourceTable table_{};
};

TEST_F(CeDialogTest, ModalRunEndsWithTheButtonsCode) {
  RecordingDialog dlg(kTemplate);
  dlg.SetSHInitFlags(SHIDIF_DONEBUTTON);
  wince::setModalHook([](HWND, wince::ModalKind) {
    wince::injectKey(VK_TAB, true);    // to OK
    wince::injectKey(VK_TAB, true);    // to Cancel
    wince::injectKey(VK_RETURN, true);
  });
  EXPECT_EQ(dlg.DoModal(nullptr, owner), IDCANCEL);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.calls.front(), "init");
  EXPECT_EQ(dlg.calls.back(), "final");
}

TEST_F(CeDialogTest, CommandsSentDuringInitialisationAreIgnored) {
  RecordingDialog dlg(kTemplate);
  dlg.sendDuringInit = true;
  wince::setModalHook([](HWND, wince::ModalKind) { wince::injectKey(VK_ESCAPE, true); });
  EXPECT_EQ(dlg.DoModal(nullptr, owner), IDCANCEL);
  EXPECT_EQ(std::count(dlg.calls.begin(), dlg.calls.end(), "command 300 0"), 0);
}

TEST_F(CeDialogTest, AMissingTemplateRunsNothing) {
  CeDialog none(999u);
  EXPECT_EQ(none.DoModal(nullptr, owner), -1);
  CeDialog unnamed(static_cast<LPCWSTR>(nullptr));
  EXPECT_EQ(unnamed.DoModal(nullptr, owner), -1);
  EXPECT_EQ(unnamed.Create(nullptr, owner), 0);
  EXPECT_EQ(CeBaseDialog::m_setModeless.GetCount(), 0);
}

TEST_F(CeDialogTest, ModelessDialogRoutesKeysStaysOpenOnOkAndLeavesTheSet) {
  auto* dlg = new RecordingDialog(kTemplate);
  dlg->deleteOnFinal = true;
  ASSERT_EQ(dlg->Create(nullptr, owner), 1);
  const HWND hwnd = dlg->m_hWnd;
  EXPECT_TRUE(CeBaseDialog::m_setModeless.Lookup(hwnd));
  ASSERT_EQ(GetDlgCtrlID(GetFocus()), kEdit);
  wince::injectKey(VK_TAB, true);
  pumpModeless();
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
  wince::injectKey(VK_RETURN, true);
  pumpModeless();
  EXPECT_TRUE(IsWindow(hwnd));  // OK does not end a modeless dialog
  DestroyWindow(hwnd);          // the object deletes itself on its final message
  EXPECT_FALSE(CeBaseDialog::m_setModeless.Lookup(hwnd));
  EXPECT_EQ(CeBaseDialog::m_setModeless.GetCount(), 0);
}

TEST_F(CeDialogTest, DestroyingTheObjectFirstUnbindsTheWindow) {
  HWND hwnd{};
  {
    RecordingDialog dlg(kTemplate);
    ASSERT_EQ(dlg.Create(nullptr, owner), 1);
    hwnd = dlg.m_hWnd;
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(CeBaseDialog::m_setModeless.GetCount(), 0);
}

TEST_F(CeDialogTest, ATapOnAStaticWithoutIdMovesTheFocusOn) {
  RecordingDialog dlg(kTemplate);
  ASSERT_EQ(dlg.Create(nullptr, owner), 1);
  SetFocus(GetDlgItem(dlg.m_hWnd, IDOK));
  HWND label = GetWindow(dlg.m_hWnd, GW_CHILD);
  RECT r;
  GetWindowRect(label, &r);
  wince::injectStylus(WM_LBUTTONDOWN, r.left + 2, r.top + 2);
  wince::injectStylus(WM_LBUTTONUP, r.left + 2, r.top + 2);
  pumpModeless();
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), kEdit);
  EXPECT_EQ(std::count(dlg.calls.begin(), dlg.calls.end(), "command 65535 0"), 0);
}

TEST_F(CeDialogTest, ShorterThanItsContentTheDialogScrolls) {
  RecordingDialog dlg(kTall);
  dlg.SetSHInitFlags(SHIDIF_DONEBUTTON);  // keeps the template's size
  ASSERT_EQ(dlg.Create(nullptr, owner), 1);
  const HWND hwnd = dlg.m_hWnd;
  const int content = dlg.m_nClientHeight;
  HWND label = GetWindow(hwnd, GW_CHILD);
  const auto labelTop = [&] {
    RECT r;
    GetWindowRect(label, &r);
    POINT p{r.left, r.top};
    ScreenToClient(hwnd, &p);
    return static_cast<int>(p.y);
  };
  const int top0 = labelTop();
  RECT w;
  GetWindowRect(hwnd, &w);
  MoveWindow(hwnd, w.left, w.top, w.right - w.left, content - 100, TRUE);
  ASSERT_TRUE(dlg.m_bVScroll);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, SB_VERT, &si);
  EXPECT_EQ(si.nMax, content - 1);
  EXPECT_EQ(static_cast<int>(si.nPage), content - 100);
  EXPECT_EQ(si.nPos, 0);

  SendMessageW(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);  // clamped to the content's end
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 100);
  EXPECT_EQ(labelTop(), top0 - 100);
  SendMessageW(hwnd, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 80);  // a line is 20 pixels at 96 dpi
  SendMessageW(hwnd, WM_VSCROLL, SB_LINEDOWN, 0);

  MoveWindow(hwnd, w.left, w.top, w.right - w.left, content - 50, TRUE);  // 50 too far: back by 50
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 50);
  EXPECT_EQ(labelTop(), top0 - 50);

  MoveWindow(hwnd, w.left, w.top, w.right - w.left, content + 20, TRUE);  // tall enough again
  EXPECT_FALSE(dlg.m_bVScroll);
  EXPECT_EQ(labelTop(), top0);
  GetScrollInfo(hwnd, SB_VERT, &si);
  EXPECT_EQ(si.nMax, 0);
  EXPECT_EQ(si.nPage, 0u);
}

TEST_F(CeDialogTest, FullScreenDialogsAnswerSettingChangesThroughTheShell) {
  for (DWORD flags : {DWORD{SHIDIF_SIZEDLGFULLSCREEN}, DWORD{SHIDIF_DONEBUTTON}}) {
    RecordingDialog dlg(kTemplate);
    dlg.SetSHInitFlags(flags);
    ASSERT_EQ(dlg.Create(nullptr, owner), 1);
    bool handled = false;
    dlg.ProcessMessage(WM_SETTINGCHANGE, 0, 0, handled);
    EXPECT_EQ(handled, flags == SHIDIF_SIZEDLGFULLSCREEN);
  }
}

TEST_F(CeDialogTest, DialogParentsAreRecognisedByTheRuntimesClass) {
  RecordingDialog dlg(kTemplate);
  ASSERT_EQ(dlg.Create(nullptr, owner), 1);
  CeBaseWnd edit(GetDlgItem(dlg.m_hWnd, kEdit));
  EXPECT_TRUE(edit.IsParentDialog());
  edit.Detach();
}

}  // namespace
