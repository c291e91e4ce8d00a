// The standard controls in a dialog, driven through the device's input
// (keys and stylus) as a person would, and their pictures at 96 and 192 dpi.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "control_gallery.h"
#include "golden_screen.h"
#include "device_screen.h"
#include "test_scratch.h"
#include "window_test_util.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/host/system.h"
#include "wince/host/png_io.h"

namespace {

using wintest::WindowTest;

struct Heard {
  std::vector<std::string> lines;
};
Heard* gHeard = nullptr;

std::string commandLine(WPARAM wp) { return "command " + std::to_string(LOWORD(wp)) + " " + std::to_string(HIWORD(wp)); }

INT_PTR CALLBACK galleryProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: gallery::fill(dlg); return TRUE;
    case WM_DRAWITEM: gallery::drawSwatch(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_COMMAND:
      if (gHeard != nullptr) gHeard->lines.push_back(commandLine(wp));
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(dlg, LOWORD(wp));
      return TRUE;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (gHeard != nullptr) {
        gHeard->lines.push_back("notify " + std::to_string(hdr->idFrom) + " " + std::to_string(static_cast<int>(hdr->code)));
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

class ControlsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    gHeard = &heard;
    usePocketPc("pocketpc-qvga");
  }
  void TearDown() override {
    WindowTest::TearDown();
    gHeard = nullptr;
    wince::selectDeviceProfile("smartphone");
  }

  void usePocketPc(const char* profile) {
    ASSERT_TRUE(goldentest::usePocketPc(profile));
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = u"GalleryOwner";
    RegisterClass(&wc);
    owner = CreateWindowEx(0, u"GalleryOwner", u"Owner", WS_VISIBLE, work.left, work.top, work.right - work.left,
                           work.bottom - work.top, nullptr, nullptr, nullptr, nullptr);
    wince::dispatchPending();
  }

  HWND openGallery() {
    const TemplateBuilder t = gallery::dialogTemplate();
    HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), owner, galleryProc, 0);
    wince::dispatchPending();
    heard.lines.clear();
    return dlg;
  }

  // The control gets the focus; what was heard so far is forgotten.
  HWND focusOn(HWND dlg, WORD id) {
    HWND control = GetDlgItem(dlg, id);
    SetFocus(control);
    heard.lines.clear();
    return control;
  }

  // Taps the middle of a control (or a point inside it).
  static void tap(HWND control, int dx = -1, int dy = -1) {
    RECT r;
    GetWindowRect(control, &r);
    const int x = dx >= 0 ? r.left + dx : (r.left + r.right) / 2;
    const int y = dy >= 0 ? r.top + dy : (r.top + r.bottom) / 2;
    wince::injectStylus(WM_LBUTTONDOWN, x, y);
    wince::dispatchPending();
    wince::injectStylus(WM_LBUTTONUP, x, y);
    wince::dispatchPending();
  }

  // Runs the dialog's keyboard handling for pending input, as a modeless
  // dialog's message loop does.
  static void pump(HWND dlg) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessage(dlg, &msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    }
    wince::dispatchPending();
  }
  static void key(HWND dlg, UINT vk) {
    wince::injectKey(vk, true);
    pump(dlg);
    wince::injectKey(vk, false);
    pump(dlg);
  }

  Heard heard;
  HWND owner{};
};

using goldentest::expectScreenLike;

TEST_F(ControlsTest, GalleryLooksAsOnTheDeviceAtBothDpi) {
  for (const char* profile : {"pocketpc-qvga", "pocketpc-vga"}) {
    usePocketPc(profile);
    ASSERT_NE(openGallery(), nullptr);
    expectScreenLike(std::string("gallery-") + std::to_string(wince::deviceProfile().dpi));
  }
}

TEST_F(ControlsTest, TabWalksTheTabStopsInTemplateOrderAndBack) {
  HWND dlg = openGallery();
  ASSERT_EQ(GetFocus(), GetDlgItem(dlg, gallery::kName));
  const WORD order[] = {gallery::kSound, gallery::kOneCard, gallery::kGame, gallery::kSwatch, gallery::kScores,
                        gallery::kDecks, gallery::kTabs, IDOK, IDCANCEL, gallery::kName};
  for (WORD id : order) {
    key(dlg, VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
  }
  wince::setKeyState(VK_SHIFT, true);
  key(dlg, VK_TAB);
  wince::setKeyState(VK_SHIFT, false);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDCANCEL);
  // The d-pad walks on from a control alone in its group.
  key(dlg, VK_UP);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
}

TEST_F(ControlsTest, CheckBoxChangesBySpaceAndByTap) {
  HWND dlg = openGallery();
  HWND sound = focusOn(dlg, gallery::kSound);
  key(dlg, VK_SPACE);
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kSound), static_cast<UINT>(BST_UNCHECKED));
  tap(sound, 3);
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kSound), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"command 102 0", "command 102 0"}));
  // A stylus that slides off before it lifts clicks nothing.
  RECT r;
  GetWindowRect(sound, &r);
  wince::injectStylus(WM_LBUTTONDOWN, r.left + 3, r.top + 3);
  wince::injectStylus(WM_MOUSEMOVE, r.right + 20, r.bottom + 20);
  wince::injectStylus(WM_LBUTTONUP, r.right + 20, r.bottom + 20);
  wince::dispatchPending();
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kSound), static_cast<UINT>(BST_CHECKED));
}

TEST_F(ControlsTest, RadioButtonsFollowArrowsAndTapsThroughTheGroupBox) {
  HWND dlg = openGallery();
  SetFocus(GetDlgItem(dlg, gallery::kOneCard));
  key(dlg, VK_RIGHT);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), gallery::kThreeCards);
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kThreeCards), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kOneCard), static_cast<UINT>(BST_UNCHECKED));
  tap(GetDlgItem(dlg, gallery::kOneCard), 4);  // inside the group box's frame
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kOneCard), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dlg, gallery::kThreeCards), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(ControlsTest, ComboBoxStepsByKeysAndChoosesFromItsList) {
  HWND dlg = openGallery();
  HWND game = focusOn(dlg, gallery::kGame);
  key(dlg, VK_DOWN);
  EXPECT_EQ(SendMessage(game, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"command 106 1"}));
  WCHAR text[16];
  GetWindowText(game, text, 16);
  EXPECT_EQ(std::u16string(text), u"FreeCell");

  // A tap opens the list below the control; a tap on an item chooses it.
  heard.lines.clear();
  tap(game);
  ASSERT_TRUE(SendMessage(game, CB_GETDROPPEDSTATE, 0, 0));
  const LRESULT rowHeight = SendMessage(game, CB_GETITEMHEIGHT, 0, 0);
  RECT r;
  GetWindowRect(game, &r);
  const int x = (r.left + r.right) / 2;
  const int y = r.bottom + static_cast<int>(rowHeight) * 3 + static_cast<int>(rowHeight) / 2;  // "Golf"
  wince::injectStylus(WM_LBUTTONDOWN, x, y);
  wince::injectStylus(WM_LBUTTONUP, x, y);
  wince::dispatchPending();
  EXPECT_FALSE(SendMessage(game, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(game, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"command 106 7", "command 106 1", "command 106 9", "command 106 8"}));

  // A tap elsewhere closes it and keeps the choice; so does Escape.
  tap(game);
  ASSERT_TRUE(SendMessage(game, CB_GETDROPPEDSTATE, 0, 0));
  wince::injectStylus(WM_LBUTTONDOWN, 2, 2);
  wince::injectStylus(WM_LBUTTONUP, 2, 2);
  wince::dispatchPending();
  EXPECT_FALSE(SendMessage(game, CB_GETDROPPEDSTATE, 0, 0));
  SendMessage(game, CB_SHOWDROPDOWN, TRUE, 0);
  key(dlg, VK_UP);
  key(dlg, VK_ESCAPE);
  EXPECT_FALSE(SendMessage(game, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(game, CB_GETCURSEL, 0, 0), 3);
  EXPECT_TRUE(IsWindow(dlg));  // Escape closed the list, not the dialog
}

TEST_F(ControlsTest, EditTakesTypingWithinItsLimit) {
  HWND dlg = openGallery();
  HWND name = GetDlgItem(dlg, gallery::kName);
  SendMessage(name, EM_LIMITTEXT, 8, 0);
  heard.lines.clear();
  for (UINT vk : {'A', 'N', 'N'}) key(dlg, vk);  // replaces the selected "Player"
  WCHAR text[16];
  GetWindowText(name, text, 16);
  EXPECT_EQ(std::u16string(text), u"ann");
  key(dlg, VK_BACK);
  key(dlg, VK_LEFT);
  wince::injectChar(u'X');
  pump(dlg);
  GetWindowText(name, text, 16);
  EXPECT_EQ(std::u16string(text), u"aXn");
  EXPECT_EQ(std::count(heard.lines.begin(), heard.lines.end(), "command 101 768"), 5);  // EN_CHANGE
  SetWindowText(name, u"12345678");
  SendMessage(name, EM_SETSEL, 8, 8);
  heard.lines.clear();
  wince::injectChar(u'9');
  pump(dlg);
  GetWindowText(name, text, 16);
  EXPECT_EQ(std::u16string(text), u"12345678");
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"command 101 1281"}));  // EN_MAXTEXT
}

TEST_F(ControlsTest, ListViewSelectsByKeysAndTaps) {
  HWND dlg = openGallery();
  HWND scores = focusOn(dlg, gallery::kScores);
  key(dlg, VK_DOWN);
  EXPECT_EQ(SendMessage(scores, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  key(dlg, VK_DOWN);
  EXPECT_EQ(SendMessage(scores, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  const std::string changed = "notify 107 " + std::to_string(static_cast<int>(LVN_ITEMCHANGED));
  EXPECT_EQ(std::count(heard.lines.begin(), heard.lines.end(), changed), 3);  // select 0, leave 0, select 1

  // Four rows, three fit: the list scrolls to keep the chosen row in view.
  key(dlg, VK_END);
  EXPECT_EQ(SendMessage(scores, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 3);
  EXPECT_EQ(SendMessage(scores, LVM_GETTOPINDEX, 0, 0), 4 - SendMessage(scores, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_TRUE(GetWindowLong(scores, GWL_STYLE) & WS_VSCROLL);

  // A tap on the header row chooses nothing; a tap on a row chooses it.
  SendMessage(scores, LVM_ENSUREVISIBLE, 0, FALSE);
  HWND header = reinterpret_cast<HWND>(SendMessage(scores, LVM_GETHEADER, 0, 0));
  RECT h;
  GetWindowRect(header, &h);
  tap(scores, 5, h.bottom - h.top + 2);
  EXPECT_EQ(SendMessage(scores, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  WCHAR cell[8];
  LVITEM item{};
  item.iSubItem = 1;
  item.pszText = cell;
  item.cchTextMax = 8;
  SendMessage(scores, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::u16string(cell), u"2:41");
}

TEST_F(ControlsTest, TabControlChangesByKeysAndTapsAndAsksFirst) {
  HWND dlg = openGallery();
  HWND tabs = focusOn(dlg, gallery::kTabs);
  key(dlg, VK_RIGHT);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
  const std::string changing = "notify 108 " + std::to_string(static_cast<int>(TCN_SELCHANGING));
  const std::string change = "notify 108 " + std::to_string(static_cast<int>(TCN_SELCHANGE));
  EXPECT_EQ(heard.lines, (std::vector<std::string>{changing, change}));
  RECT r;
  GetWindowRect(tabs, &r);
  tap(tabs, r.right - r.left - 10);  // past the last tab: nothing
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
  tap(tabs, 5);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(ControlsTest, StaticWithoutIdReportsATap) {
  HWND dlg = openGallery();
  HWND version = nullptr;
  for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(c) == 0xFFFF) version = c;
  }
  ASSERT_NE(version, nullptr);
  tap(version);
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"command 65535 0"}));
}

struct EndCase {
  const char* name;
  std::function<void(HWND)> act;
  INT_PTR result;
};

TEST_F(ControlsTest, OkAndCancelEndTheModalDialogWithTheirCodes) {
  // Inside the modal loop: input is only queued, the loop handles it.
  const auto keys = [](UINT vk) {
    wince::injectKey(vk, true);
    wince::injectKey(vk, false);
  };
  const auto tapOn = [](HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    wince::injectStylus(WM_LBUTTONDOWN, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    wince::injectStylus(WM_LBUTTONUP, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  const EndCase cases[] = {
      {"Return", [&](HWND) { keys(VK_RETURN); }, IDOK},
      {"Escape", [&](HWND) { keys(VK_ESCAPE); }, IDCANCEL},
      {"tap Cancel", [&](HWND dlg) { tapOn(GetDlgItem(dlg, IDCANCEL)); }, IDCANCEL},
      {"Return on Cancel", [&](HWND dlg) { SetFocus(GetDlgItem(dlg, IDCANCEL)); keys(VK_RETURN); }, IDCANCEL},
      {"Space on OK", [&](HWND dlg) { SetFocus(GetDlgItem(dlg, IDOK)); keys(VK_SPACE); }, IDOK},
  };
  for (const EndCase& c : cases) {
    wince::setModalHook([&](HWND dlg, wince::ModalKind) { c.act(dlg); });
    const TemplateBuilder t = gallery::dialogTemplate();
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, t.get(), owner, galleryProc, 0), c.result) << c.name;
  }
  wince::setModalHook(nullptr);
}

}  // namespace
