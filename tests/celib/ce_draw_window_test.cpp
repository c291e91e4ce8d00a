// Drawing helpers that work on windows: dialog separators, the list view's
// header, the separator window class and tray icons.
#include <gtest/gtest.h>

#include "../wince/gdi_test_util.h"
#include "../wince/window_test_util.h"
#include "ce_draw.h"
#include "ce_draw_fixture.h"
#include "ce_separator.h"
#include "ce_tray.h"
#include "device_screen.h"
#include "wince/host/shell.h"
#include "wince/runtime.h"
#include "wince/shell.h"

namespace {

using gditest::DibDc;
using wintest::Log;

class CeDrawWindow : public wintest::WindowTest {
 protected:
  // A 100-pixel-wide dialog with item 7 at client y = 30.
  void SetUp() override {
    WindowTest::SetUp();
    dialog_ = make("dialog", WS_VISIBLE, nullptr, RECT{10, 20, 110, 120});
    HWND item = make("item", WS_CHILD | WS_VISIBLE, dialog_, RECT{5, 30, 50, 40});
    SetWindowLong(item, GWL_ID, 7);
  }

  HWND dialog_ = nullptr;
};

TEST_F(CeDrawWindow, SeparatorsSitAboveTheItem) {
  DibDc dib(260, 40);
  dib.fill(gditest::kWhite);
  DrawSeparator(dialog_, dib.dc, 7);
  const uint16_t line = screen(GetSysColor(COLOR_SCROLLBAR));
  EXPECT_EQ(dib.at(0, 24), line);
  EXPECT_EQ(dib.at(99, 24), line);
  EXPECT_EQ(dib.at(100, 24), gditest::kWhite);  // across the dialog's width
  EXPECT_EQ(dib.at(50, 23), gditest::kWhite);
  EXPECT_EQ(dib.at(50, 25), gditest::kWhite);

  dib.fill(gditest::kWhite);
  SelectObject(dib.dc, GetStockObject(NULL_PEN));
  HGDIOBJ brush = GetCurrentObject(dib.dc, OBJ_BRUSH);
  DrawThickSeparator(dialog_, dib.dc, 7);
  const uint16_t grey = dib.at(120, 25);
  EXPECT_NE(grey, gditest::kWhite);
  EXPECT_EQ(dib.at(0, 25), grey);
  EXPECT_EQ(dib.at(120, 24), gditest::kWhite);
  EXPECT_EQ(dib.at(250, 25), gditest::kWhite);  // a fixed right edge
  EXPECT_EQ(GetCurrentObject(dib.dc, OBJ_BRUSH), brush);
}

TEST_F(CeDrawWindow, SeparatorsNeedDialogDcAndItem) {
  DibDc dib(120, 40);
  dib.fill(gditest::kWhite);
  for (auto draw : {&DrawSeparator, &DrawThickSeparator}) {
    draw(dialog_, dib.dc, 8);
    draw(nullptr, dib.dc, 7);
    draw(dialog_, nullptr, 7);
  }
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(dib.at(x, y), gditest::kWhite) << x << "," << y;
}

// A list view stand-in whose header lays itself out in the top 20 pixels.
class CeHeader : public wintest::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    handler = [this](HWND h, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
      if (msg != HDM_LAYOUT || h != header_ || !answers_) return std::nullopt;
      auto* layout = reinterpret_cast<HDLAYOUT*>(lp);
      *layout->pwpos = WINDOWPOS{h, nullptr, layout->prc->left, layout->prc->top,
                                 layout->prc->right - layout->prc->left, 20, SWP_NOZORDER};
      layout->prc->top += 20;
      return TRUE;
    };
  }

  void makeList(DWORD viewStyle) {
    list_ = make("list", WS_VISIBLE | viewStyle, nullptr, RECT{0, 0, 120, 90});
    header_ = make("header", WS_CHILD, list_, RECT{3, 40, 13, 45});
    take();
  }

  RECT headerRect() const {
    RECT r;
    GetWindowRect(header_, &r);
    return r;
  }

  HWND list_ = nullptr;
  HWND header_ = nullptr;
  bool answers_ = true;
};

TEST_F(CeHeader, ReportViewGetsItsHeaderOnTop) {
  makeList(LVS_REPORT);
  PositionHeader(list_);
  EXPECT_EQ(GetWindowLong(list_, GWL_STYLE) & LVS_NOSCROLL, LVS_NOSCROLL);
  const RECT r = headerRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 120);
  EXPECT_EQ(r.bottom, 20);
  EXPECT_TRUE(IsWindowVisible(header_));
  EXPECT_EQ(take({LVM_ENSUREVISIBLE}), Log{"list:0x1013"});
}

TEST_F(CeHeader, OtherViewsAndSilentHeadersStayPut) {
  for (bool report : {false, true}) {
    makeList(report ? LVS_REPORT : 0);
    answers_ = !report;
    PositionHeader(list_);
    EXPECT_EQ(GetWindowLong(list_, GWL_STYLE) & LVS_NOSCROLL, LVS_NOSCROLL);
    EXPECT_EQ(headerRect().top, 40) << report;
    EXPECT_FALSE(IsWindowVisible(header_));
    EXPECT_TRUE(take({LVM_ENSUREVISIBLE}).empty());
  }
}

class CeSeparatorClass : public wintest::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    wince::detail::resizeDeviceScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }
  void TearDown() override {
    InitSeparator(false);
    WindowTest::TearDown();
  }

  HWND makeSeparator() {
    return CreateWindowEx(0, kCeSeparatorClass, u"", WS_VISIBLE, 0, 0, 100, 10, nullptr, nullptr,
                          wince::programInstance(), nullptr);
  }
};

TEST_F(CeSeparatorClass, PaintsALineOverTheWindowColour) {
  InitSeparator(true);
  InitSeparator(true);  // a second call changes nothing
  HWND strip = makeSeparator();
  ASSERT_NE(strip, nullptr);
  UpdateWindow(strip);
  wince::detail::DeviceScreen& pixels = wince::detail::deviceScreen();
  EXPECT_EQ(pixels.row(0)[50], screen(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(pixels.row(0)[99], screen(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(pixels.row(6)[50], screen(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(pixels.row(6)[100], 0);  // beside the strip: untouched

  // Nothing reaches the default procedure: closing does not destroy it.
  EXPECT_EQ(SendMessage(strip, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(IsWindow(strip));
  DestroyWindow(strip);
}

TEST_F(CeSeparatorClass, UnregisteringRemovesTheClass) {
  InitSeparator(true);
  InitSeparator(false);
  EXPECT_EQ(makeSeparator(), nullptr);
  InitSeparator(true);
  HWND strip = makeSeparator();
  EXPECT_NE(strip, nullptr);
  DestroyWindow(strip);
}

TEST(CeTray, IconsCarryTheCallbackAndNoTip) {
  wince::resetShell();
  HWND owner = reinterpret_cast<HWND>(0x40);
  HICON first = reinterpret_cast<HICON>(0x100), second = reinterpret_cast<HICON>(0x200);
  ASSERT_TRUE(TrayIconAdd(owner, 5, first, u"tip"));
  EXPECT_FALSE(TrayIconAdd(owner, 5, first, u"tip"));
  const auto& icons = wince::trayIcons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].callbackMessage, kCeTrayCallbackMessage);
  EXPECT_EQ(icons[0].icon, first);
  EXPECT_EQ(icons[0].tip, u"");
  ASSERT_TRUE(TrayIconModify(owner, 5, second, nullptr));
  EXPECT_EQ(icons[0].icon, second);
  ASSERT_TRUE(TrayIconDelete(owner, 5, nullptr, nullptr));
  EXPECT_TRUE(icons.empty());
  EXPECT_FALSE(TrayIconModify(owner, 5, second, nullptr));
}

}  // namespace
