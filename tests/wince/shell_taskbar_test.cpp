// The Pocket PC task bar: the active window's title and the clock across the
// top of the screen, gone while a program hides it.
#include "dialog_template_builder.h"
#include "golden_screen.h"
#include "wince/controls.h"
#include "wince/gdi.h"
#include "wince/host/shell.h"
#include "wince/shell.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

class TaskBarTest : public WindowTest {
 protected:
  void TearDown() override {
    WindowTest::TearDown();
    wince::resetShell();
    wince::selectDeviceProfile("smartphone");
  }
  static uint16_t pixel(int x, int y) {
    const auto& s = wince::detail::deviceScreen();
    return s.pixels[static_cast<size_t>(y * s.width + x)];
  }
  HWND openWindow(const char16_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = u"TaskBarOwner";
    RegisterClass(&wc);
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    HWND w = CreateWindowEx(0, u"TaskBarOwner", title, WS_VISIBLE, work.left, work.top, work.right - work.left,
                            work.bottom - work.top, nullptr, nullptr, nullptr, nullptr);
    wince::dispatchPending();
    return w;
  }
};

TEST_F(TaskBarTest, ShowsTheActiveTitleAndTheClockOnPocketPcs) {
  ASSERT_TRUE(goldentest::usePocketPc("pocketpc-qvga"));
  HWND w = openWindow(u"Klondike");
  goldentest::expectScreenLike("taskbar-96");
  const uint16_t bar = pixel(1, 1);
  EXPECT_NE(bar, 0);            // not the black desktop
  SetWindowText(w, u"Spider");  // the title follows
  wince::dispatchPending();
  goldentest::expectScreenLike("taskbar-96-renamed");
  SHFullScreen(w, SHFS_HIDETASKBAR);
  wince::dispatchPending();
  EXPECT_EQ(pixel(1, 1), 0);
  SHFullScreen(w, SHFS_SHOWTASKBAR);
  wince::dispatchPending();
  EXPECT_EQ(pixel(1, 1), bar);
}

int gOkCommands = 0;

INT_PTR CALLBACK doneDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) {
    SHINITDLGINFO info{SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&info);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) ++gOkCommands;
  return msg == WM_COMMAND;
}

TEST_F(TaskBarTest, ADialogWithTheDoneButtonShowsOkThereAndATapOnItSendsIdok) {
  ASSERT_TRUE(goldentest::usePocketPc("pocketpc-qvga"));
  openWindow(u"Klondike");
  TemplateBuilder t;
  t.header(WS_POPUP | WS_VISIBLE, 1, 0, 0, 100, 60, u"Statistics").item(SS_LEFT, 4, 4, 80, 10, 0xFFFF, 0x82, u"Games:");
  gOkCommands = 0;
  HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), nullptr, doneDialogProc, 0);
  ASSERT_NE(dlg, nullptr);
  wince::dispatchPending();
  goldentest::expectScreenLike("taskbar-96-done");
  const int w = wince::deviceProfile().screenWidth;
  wince::injectStylus(WM_LBUTTONDOWN, w - 12, 12);
  wince::injectStylus(WM_LBUTTONUP, w - 12, 12);
  wince::injectStylus(WM_LBUTTONDOWN, 40, 12);  // the title: nothing
  wince::injectStylus(WM_LBUTTONUP, 40, 12);
  wince::dispatchPending();
  EXPECT_EQ(gOkCommands, 1);
  SHDoneButton(dlg, SHDB_HIDE);
  wince::injectStylus(WM_LBUTTONDOWN, w - 12, 12);
  wince::injectStylus(WM_LBUTTONUP, w - 12, 12);
  wince::dispatchPending();
  EXPECT_EQ(gOkCommands, 1);
}

TEST_F(TaskBarTest, ASmartphoneHasNone) {
  ASSERT_TRUE(goldentest::usePocketPc("smartphone"));
  openWindow(u"Pellwyn");
  EXPECT_EQ(pixel(1, 1), 0);
}

}  // namespace
