// Dialog boxes from templates: the reader, creation, results and the modal run.
#include "dialog_template.h"
#include "dialog_template_builder.h"
#include "golden_screen.h"
#include "wince/controls.h"
#include "wince/host/resource.h"
#include "wince/host/window.h"
#include "wince/resource.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

TemplateBuilder okCancelName() {
  TemplateBuilder t;
  t.header(WS_POPUP | WS_BORDER, 3, 10, 20, 160, 80, u"Name")
      .item(WS_TABSTOP, 5, 5, 150, 12, 100, 0x81, u"")
      .item(WS_TABSTOP, 5, 60, 50, 14, IDOK, 0x80, u"OK")
      .item(WS_TABSTOP, 60, 60, 50, 14, IDCANCEL, 0x80, u"Cancel");
  return t;
}

struct DialogLog {
  std::vector<std::string> events;
  LPARAM initParam = 0;
  HWND dlg{};
};
DialogLog* gLog = nullptr;

INT_PTR CALLBACK recordingDialog(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      gLog->dlg = dlg;
      gLog->initParam = lp;
      gLog->events.push_back("init");
      SetDlgItemText(dlg, 100, u"Ann");
      return TRUE;  // focus to the first tab stop
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) return TRUE;  // the edit's own notifications
      gLog->events.push_back("command " + std::to_string(LOWORD(wp)));
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(dlg, LOWORD(wp) == IDOK ? 42 : 43);
      return TRUE;
    case WM_USER:
      SetWindowLong(dlg, DWL_MSGRESULT, 77);
      return TRUE;
    case WM_CTLCOLORSTATIC: return 0x1230;
    default: return FALSE;
  }
}

class DialogTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    gLog = &log;
    owner = make("owner", WS_VISIBLE);
    wince::dispatchPending();
  }
  void TearDown() override {
    WindowTest::TearDown();
    gLog = nullptr;
  }
  DialogLog log;
  HWND owner{};
};

TEST_F(DialogTest, ModalDialogRunsToEndDialogWithItsOwnerDisabled) {
  const TemplateBuilder t = okCancelName();
  bool ownerWasDisabled = false;
  wince::setModalHook([&](HWND dlg, wince::ModalKind kind) {
    EXPECT_EQ(kind, wince::ModalKind::Dialog);
    ownerWasDisabled = !IsWindowEnabled(owner);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 100));
    WCHAR name[8];
    EXPECT_EQ(GetDlgItemText(dlg, 100, name, 8), 3u);
    wince::injectKey(VK_TAB, true);     // to OK
    wince::injectKey(VK_RETURN, true);  // IDOK through the dialog's keys
  });
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, recordingDialog, 0x55), 42);
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(log.initParam, 0x55);
  EXPECT_EQ(log.events, (std::vector<std::string>{"init", "command 1"}));
  EXPECT_FALSE(IsWindow(log.dlg));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(DialogTest, EndDialogDuringInitialisationEndsTheRunAtOnce) {
  const TemplateBuilder t = okCancelName();
  int hooked = 0;
  wince::setModalHook([&](HWND, wince::ModalKind) { ++hooked; });
  auto endsEarly = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_INITDIALOG) EndDialog(dlg, 31);
    return msg == WM_INITDIALOG;
  };
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, endsEarly, 0), 31);
  EXPECT_EQ(hooked, 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), owner);
}

TEST_F(DialogTest, CloseAndEscapeMeanCancel) {
  const TemplateBuilder t = okCancelName();
  wince::setModalHook([](HWND dlg, wince::ModalKind) { PostMessage(dlg, WM_CLOSE, 0, 0); });
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, recordingDialog, 0), 43);
  wince::setModalHook([](HWND, wince::ModalKind) { wince::injectKey(VK_ESCAPE, true); });
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, recordingDialog, 0), 43);
}

TEST_F(DialogTest, ResultsGoThroughMsgResultExceptForDirectMessages) {
  const TemplateBuilder t = okCancelName();
  HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), owner, recordingDialog, 0);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(SendMessage(dlg, WM_USER, 0, 0), 77);
  EXPECT_EQ(SendMessage(dlg, WM_CTLCOLORSTATIC, 0, 0), 0x1230);
  EXPECT_EQ(reinterpret_cast<DLGPROC>(GetWindowLong(dlg, DWL_DLGPROC)), &recordingDialog);
  SetWindowLong(dlg, DWL_USER, 1234);
  EXPECT_EQ(GetWindowLong(dlg, DWL_USER), 1234);
  // Controls by id.
  HWND edit = GetDlgItem(dlg, 100);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetDlgCtrlID(edit), 100);
  EXPECT_EQ(GetDlgItem(dlg, 999), nullptr);
  EXPECT_TRUE(SendDlgItemMessage(dlg, 100, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Bo")));
  EXPECT_EQ(SendDlgItemMessage(dlg, 100, WM_GETTEXTLENGTH, 0, 0), 2);
  WCHAR cls[16];
  GetClassName(GetDlgItem(dlg, IDOK), cls, 16);
  EXPECT_EQ(std::u16string(cls), u"BUTTON");
  // Tab order wraps; Shift+Tab goes back.
  SetFocus(GetDlgItem(dlg, IDCANCEL));
  SendMessage(dlg, WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(GetFocus(), edit);
  SendMessage(dlg, WM_NEXTDLGCTL, 1, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDCANCEL));
  // A modeless dialog only hides on EndDialog.
  EXPECT_TRUE(EndDialog(dlg, 1));
  EXPECT_TRUE(IsWindow(dlg));
  EXPECT_FALSE(IsWindowVisible(dlg));
  DestroyWindow(dlg);
}

TEST_F(DialogTest, TemplateUnitsBecomePixelsThroughTheBaseUnits) {
  const TemplateBuilder t = okCancelName();
  HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), owner, recordingDialog, 0);
  const LONG base = GetDialogBaseUnits();
  RECT r;
  GetClientRect(dlg, &r);
  EXPECT_EQ(r.right, 160 * LOWORD(base) / 4);
  EXPECT_EQ(r.bottom, 80 * HIWORD(base) / 8);
  RECT ok;
  GetWindowRect(GetDlgItem(dlg, IDOK), &ok);
  POINT origin{0, 0};
  ClientToScreen(dlg, &origin);
  EXPECT_EQ(ok.left - origin.x, 5 * LOWORD(base) / 4);
  EXPECT_EQ(ok.top - origin.y, 60 * HIWORD(base) / 8);
  RECT units{4, 8, 8, 16};
  ASSERT_TRUE(MapDialogRect(dlg, &units));
  EXPECT_EQ(units.left, LOWORD(base));
  EXPECT_EQ(units.bottom, 2 * HIWORD(base));
  EXPECT_NE(SendMessage(dlg, WM_GETFONT, 0, 0), 0);  // the template's font
}

INT_PTR CALLBACK plainDialog(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A captioned pop-up narrower than the screen shows its title in a row of its
// own above the client area, which keeps the template's size; one as wide as
// the screen leaves its title to the task bar.
TEST_F(DialogTest, CaptionedPopUpDrawsItsOwnTitleRow) {
  for (const char* profile : {"pocketpc-qvga", "pocketpc-vga"}) {
    ASSERT_TRUE(goldentest::usePocketPc(profile));
    const int dpi = wince::deviceProfile().dpi;
    TemplateBuilder t;
    t.header(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_CENTER, 2, 0, 0, 140, 60, u"Game over")
        .item(WS_VISIBLE, 6, 8, 128, 24, 100, 0x82, u"You won in 134 moves.")
        .item(WS_VISIBLE | WS_TABSTOP, 45, 40, 50, 14, IDOK, 0x80, u"OK");
    HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), nullptr, plainDialog, 0);
    ASSERT_NE(dlg, nullptr) << profile;
    const LONG base = GetDialogBaseUnits();
    RECT client, window;
    GetClientRect(dlg, &client);
    GetWindowRect(dlg, &window);
    EXPECT_EQ(client.bottom, 60 * HIWORD(base) / 8) << profile;
    const int row = 20 * dpi / 96;
    EXPECT_EQ(window.bottom - window.top, client.bottom + 2 + row) << profile;
    POINT origin{0, 0};
    ClientToScreen(dlg, &origin);
    EXPECT_EQ(origin.y, window.top + 1 + row) << profile;
    SetWindowText(dlg, u"Well done");  // the row follows the title
    UpdateWindow(GetDesktopWindow());
    UpdateWindow(dlg);
    for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) UpdateWindow(c);
    goldentest::expectScreenLike("captioned-dialog-" + std::to_string(dpi));
    // Stretched over the screen's width, the row goes and the client grows into it.
    MoveWindow(dlg, 0, window.top, GetSystemMetrics(SM_CXSCREEN), window.bottom - window.top, TRUE);
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.bottom, window.bottom - window.top - 2) << profile;
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTest, DialogFromTheResourceTableAndMissingOnes) {
  const TemplateBuilder t = okCancelName();
  const wince::ResourceEntry entries[] = {
      {nullptr, 5, nullptr, 7, t.bytes.data(), static_cast<DWORD>(t.bytes.size())}};
  const wince::ResourceTable table{entries, 1};
  wince::registerResourceTable(&table);
  wince::setModalHook([](HWND dlg, wince::ModalKind) { EndDialog(dlg, 9); });
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(7), owner, recordingDialog, 0), 9);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(8), owner, recordingDialog, 0), -1);
  EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(8), owner, recordingDialog, 0), nullptr);
  wince::unregisterResourceTable(&table);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST(DialogTemplateReader, RejectsDamagedTemplates) {
  const std::vector<BYTE> good = okCancelName().bytes;
  wince::win::DialogTemplate t;
  std::string error;
  ASSERT_TRUE(wince::win::readDialogTemplate(good.data(), good.size(), &t, &error)) << error;
  EXPECT_EQ(t.title, u"Name");
  EXPECT_EQ(t.faceName, u"Tahoma");
  ASSERT_EQ(t.items.size(), 3u);
  EXPECT_EQ(t.items[1].id, IDOK);
  EXPECT_EQ(t.items[2].title.text, u"Cancel");

  // Every truncation fails cleanly.
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(wince::win::readDialogTemplate(good.data(), n, &t, &error)) << n;
    EXPECT_FALSE(error.empty());
  }
  std::vector<BYTE> extended = good;
  extended[2] = extended[3] = 0xFF;  // the extended layout's signature
  EXPECT_FALSE(wince::win::readDialogTemplate(extended.data(), extended.size(), &t, &error));
  std::vector<BYTE> tooMany = good;
  tooMany[8] = 200;  // more items than the data holds
  EXPECT_FALSE(wince::win::readDialogTemplate(tooMany.data(), tooMany.size(), &t, &error));
  EXPECT_FALSE(wince::win::readDialogTemplate(nullptr, 100, &t, &error));
}

TEST_F(DialogTest, UnknownControlClassFailsTheDialog) {
  TemplateBuilder t;
  t.header(WS_POPUP, 1, 0, 0, 50, 50, u"", false).item(0, 0, 0, 10, 10, 5, 0x99, u"?");
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, recordingDialog, 0), -1);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), owner);  // nothing left behind
}

}  // namespace

namespace {

struct ProcFailure {};

TEST_F(DialogTest, AnExceptionLeavingTheModalRunLeavesNothingBehind) {
  const TemplateBuilder t = okCancelName();
  wince::setModalHook([](HWND dlg, wince::ModalKind) { PostMessage(dlg, WM_APP, 0, 0); });
  auto throwing = [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_APP) throw ProcFailure{};
    return msg == WM_INITDIALOG;
  };
  EXPECT_THROW(DialogBoxIndirectParam(nullptr, t.get(), owner, throwing, 0), ProcFailure);
  EXPECT_EQ(wince::modalDepth(), 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), owner);  // the dialog is gone
  // The queue still works.
  wince::setModalHook([](HWND dlg, wince::ModalKind) { EndDialog(dlg, 5); });
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, recordingDialog, 0), 5);
}

}  // namespace

namespace {

TEST_F(DialogTest, ItemNumbersAndNavigation) {
  TemplateBuilder t;
  t.header(WS_POPUP, 4, 0, 0, 160, 80, u"Items")
      .item(WS_TABSTOP | WS_GROUP, 5, 5, 150, 12, 100, 0x81, u"")
      .item(WS_TABSTOP | WS_GROUP, 5, 20, 50, 12, 101, 0x80, u"A")
      .item(WS_DISABLED, 5, 35, 50, 12, 102, 0x80, u"B")
      .item(0, 5, 50, 50, 12, 103, 0x80, u"C");
  HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), owner, recordingDialog, 0);
  ASSERT_NE(dlg, nullptr);
  WCHAR cls[8];
  GetClassName(dlg, cls, 8);
  EXPECT_EQ(std::u16string(cls), u"Dialog");

  struct Case {
    const char16_t* text;
    BOOL isSigned;
    BOOL ok;
    UINT value;
  } cases[] = {
      {u"42", TRUE, TRUE, 42},           {u" -17", TRUE, TRUE, static_cast<UINT>(-17)},
      {u"-17", FALSE, FALSE, 0},         {u"4294967295", FALSE, TRUE, 4294967295u},
      {u"4294967296", FALSE, FALSE, 0},  {u"2147483648", TRUE, FALSE, 0},
      {u"-2147483648", TRUE, TRUE, 0x80000000u}, {u"12a", TRUE, FALSE, 0},
      {u"", TRUE, FALSE, 0},             {u"-", TRUE, FALSE, 0},
  };
  for (const Case& c : cases) {
    SetDlgItemText(dlg, 100, c.text);
    BOOL ok = 2;
    EXPECT_EQ(GetDlgItemInt(dlg, 100, &ok, c.isSigned), c.value);
    EXPECT_EQ(ok, c.ok);
  }
  EXPECT_TRUE(SetDlgItemInt(dlg, 100, static_cast<UINT>(-5), TRUE));
  EXPECT_EQ(GetDlgItemInt(dlg, 100, nullptr, TRUE), static_cast<UINT>(-5));
  EXPECT_TRUE(SetDlgItemInt(dlg, 100, 4000000000u, FALSE));
  EXPECT_EQ(GetDlgItemInt(dlg, 100, nullptr, FALSE), 4000000000u);
  EXPECT_TRUE(CheckRadioButton(dlg, 101, 103, 102));

  HWND edit = GetDlgItem(dlg, 100);
  HWND a = GetDlgItem(dlg, 101);
  HWND c = GetDlgItem(dlg, 103);
  EXPECT_EQ(GetNextDlgTabItem(dlg, edit, FALSE), a);
  EXPECT_EQ(GetNextDlgTabItem(dlg, a, FALSE), edit);
  EXPECT_EQ(GetNextDlgTabItem(dlg, a, TRUE), edit);
  // The group of A holds A, B (disabled, skipped) and C.
  EXPECT_EQ(GetNextDlgGroupItem(dlg, a, FALSE), c);
  EXPECT_EQ(GetNextDlgGroupItem(dlg, c, FALSE), a);
  EXPECT_EQ(GetNextDlgGroupItem(dlg, a, TRUE), c);
  EXPECT_EQ(GetNextDlgGroupItem(dlg, edit, FALSE), edit);  // alone in its group
  DestroyWindow(dlg);
}

}  // namespace
