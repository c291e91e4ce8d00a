// Drawable icons: the mask keeps what is below where it is white, the colour
// bitmap shows where it is black; resource icons load scaled, transparent
// where their picture is.
#include <gtest/gtest.h>

#include "wince/gdi.h"
#include "wince/host/window.h"
#include "wince/resource.h"
#include "wince/window.h"

namespace {

// Pure blue and red as a 16-bit screen keeps them.
constexpr COLORREF kBlue = RGB(0, 0, 248);
constexpr COLORREF kRed = RGB(248, 0, 0);

class GdiIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    target = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, target);
    fillWith(dc, RGB(0, 0, 255), 16, 16);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
  }
  static void fillWith(HDC hdc, COLORREF color, int w, int h) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, w, h};
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
  }
  // An 8 x 8 icon: the left half clear, the right half red.
  static HICON halfRedIcon() {
    HDC screen = GetDC(nullptr);
    HDC work = CreateCompatibleDC(screen);
    HBITMAP color = CreateCompatibleBitmap(screen, 8, 8);
    HBITMAP mask = CreateBitmap(8, 8, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ before = SelectObject(work, color);
    fillWith(work, RGB(0, 0, 0), 8, 8);
    RECT right{4, 0, 8, 8};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(work, &right, red);
    DeleteObject(red);
    SelectObject(work, mask);
    PatBlt(work, 0, 0, 4, 8, WHITENESS);
    PatBlt(work, 4, 0, 4, 8, BLACKNESS);
    SelectObject(work, before);
    DeleteDC(work);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);  // the icon keeps copies
    DeleteObject(mask);
    return icon;
  }

  HDC dc{};
  HBITMAP target{};
  HGDIOBJ old{};
};

TEST_F(GdiIconTest, TheMaskDecidesWhatShowsThrough) {
  HICON icon = halfRedIcon();
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(DrawIcon(dc, 0, 0, icon));
  EXPECT_EQ(GetPixel(dc, 1, 1), kBlue);                                   // kept
  EXPECT_EQ(GetPixel(dc, 6, 1), kRed);                                    // the icon's colour
  EXPECT_EQ(GetPixel(dc, 9, 9), kBlue);                                   // outside it
  EXPECT_TRUE(DrawIconEx(dc, 0, 8, icon, 16, 8, 0, nullptr, DI_NORMAL));  // stretched
  EXPECT_EQ(GetPixel(dc, 7, 12), kBlue);
  EXPECT_EQ(GetPixel(dc, 9, 12), kRed);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(dc, 0, 0, icon));  // gone
  EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
}

TEST_F(GdiIconTest, ResourceIconsLoadAtTheAskedSizeWithTheirTransparency) {
  HICON icon = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(9010), IMAGE_ICON, 4, 4, 0));
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(DrawIcon(dc, 2, 2, icon));
  EXPECT_NE(GetPixel(dc, 5, 5), kBlue);
  EXPECT_EQ(GetPixel(dc, 6, 6), kBlue);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_EQ(LoadImage(nullptr, MAKEINTRESOURCE(9999), IMAGE_ICON, 0, 0, 0), nullptr);
  // A picture with alpha: its left half red, its right half see-through, at
  // its own size and doubled.
  for (int size : {4, 8}) {
    fillWith(dc, RGB(0, 0, 255), 16, 16);
    icon = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(9012), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(DrawIcon(dc, 0, 0, icon));
    EXPECT_EQ(GetPixel(dc, 0, 0), kRed) << size;
    EXPECT_EQ(GetPixel(dc, size / 2 - 1, size - 1), kRed) << size;
    EXPECT_EQ(GetPixel(dc, size / 2, 0), kBlue) << size;
    EXPECT_EQ(GetPixel(dc, size - 1, size - 1), kBlue) << size;
    EXPECT_TRUE(DestroyIcon(icon));
  }
  // LoadIcon's handles stand for the data: accepted by DestroyIcon, not drawable.
  HICON plain = LoadIcon(nullptr, MAKEINTRESOURCE(9010));
  EXPECT_FALSE(DrawIcon(dc, 0, 0, plain));
  EXPECT_TRUE(DestroyIcon(plain));
}

}  // namespace
