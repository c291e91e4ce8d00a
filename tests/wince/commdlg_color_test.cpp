// The colour chooser, driven by keys and taps as a person would.
#include <string>

#include "golden_screen.h"
#include "ui_state.h"
#include "wince/commdlg.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

constexpr int kGridId = 0x3100;
constexpr COLORREF kCustom = RGB(12, 34, 56);

class ColorChooserTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    owner = make("owner", WS_VISIBLE, nullptr, RECT{0, 0, 240, 300});
    for (COLORREF& c : custom) c = RGB(255, 255, 255);
    custom[3] = kCustom;
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_PREVENTFULLOPEN | CC_ANYCOLOR;
  }
  void TearDown() override {
    wince::setModalHook(nullptr);
    WindowTest::TearDown();
    wince::selectDeviceProfile("smartphone");
  }

  static std::u16string chosen(HWND dlg) {
    WCHAR text[16] = {};
    GetWindowText(GetDlgItem(dlg, kGridId), text, 16);
    return text;
  }
  static void tapAt(HWND control, int x, int y) {
    RECT r;
    GetWindowRect(control, &r);
    wince::injectStylus(WM_LBUTTONDOWN, r.left + x, r.top + y);
    wince::injectStylus(WM_LBUTTONUP, r.left + x, r.top + y);
  }

  HWND owner{};
  COLORREF custom[16]{};
  CHOOSECOLORW cc{};
};

TEST_F(ColorChooserTest, OpensOnTheInitialColourAndArrowsChooseAnother) {
  cc.rgbResult = kCustom;
  std::u16string first;
  wince::setModalHook([&](HWND dlg, wince::ModalKind) {
    first = chosen(dlg);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), kGridId);
    for (UINT vk : {VK_UP, VK_LEFT, VK_RETURN}) {
      wince::injectKey(vk, true);
      wince::injectKey(vk, false);
    }
  });
  EXPECT_TRUE(ChooseColor(&cc));
  EXPECT_EQ(first, u"#0C2238");
  // Up from the fourth custom colour is the fourth grey, then one left.
  const int g = 255 - 2 * 255 / 7;
  EXPECT_EQ(cc.rgbResult, RGB(g, g, g));
  EXPECT_EQ(custom[3], kCustom);
}

TEST_F(ColorChooserTest, ATapChoosesAndCancelKeepsTheColour) {
  cc.rgbResult = RGB(1, 2, 3);  // in no swatch: nothing chosen at first
  wince::setModalHook([&](HWND dlg, wince::ModalKind) {
    EXPECT_EQ(chosen(dlg), u"");
    tapAt(GetDlgItem(dlg, kGridId), 10, 30);  // the first swatch
    wince::injectKey(VK_ESCAPE, true);
  });
  EXPECT_FALSE(ChooseColor(&cc));
  EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));
  EXPECT_EQ(CommDlgExtendedError(), 0u);

  wince::setModalHook([&](HWND dlg, wince::ModalKind) {
    tapAt(GetDlgItem(dlg, kGridId), 10, 30);
    POINT ok;
    ASSERT_TRUE(wince::detail::controlCentre(IDOK, &ok));
    wince::injectStylus(WM_LBUTTONDOWN, ok.x, ok.y);
    wince::injectStylus(WM_LBUTTONUP, ok.x, ok.y);
  });
  EXPECT_TRUE(ChooseColor(&cc));
  EXPECT_NE(cc.rgbResult, RGB(1, 2, 3));
}

TEST_F(ColorChooserTest, AnUnusableStructureIsRefused) {
  cc.lStructSize = 12;
  EXPECT_FALSE(ChooseColor(&cc));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  cc.lStructSize = sizeof cc;
  cc.lpCustColors = nullptr;
  EXPECT_FALSE(ChooseColor(&cc));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
  EXPECT_FALSE(ChooseColor(nullptr));
}

TEST_F(ColorChooserTest, LooksAsOnTheDeviceAtBothDpi) {
  for (const char* profile : {"pocketpc-qvga", "pocketpc-vga"}) {
    ASSERT_TRUE(goldentest::usePocketPc(profile));
    cc.hwndOwner = nullptr;
    cc.rgbResult = kCustom;
    wince::setModalHook([&](HWND dlg, wince::ModalKind) {
      UpdateWindow(GetDesktopWindow());  // the task bar, with the chooser's title
      UpdateWindow(dlg);
      for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) UpdateWindow(c);
      goldentest::expectScreenLike("colorchooser-" + std::to_string(wince::deviceProfile().dpi));
      wince::injectKey(VK_ESCAPE, true);
    });
    EXPECT_FALSE(ChooseColor(&cc));
  }
}

}  // namespace
