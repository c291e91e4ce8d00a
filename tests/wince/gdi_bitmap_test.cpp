#include <gtest/gtest.h>

#include "gdi_test_util.h"
#include "wince/gdi.h"
#include "wince/host/system.h"
#include "wince/system.h"

using namespace gditest;

namespace {

BITMAPINFO dibInfo(int w, int h, WORD bpp, DWORD compression, DWORD r, DWORD g, DWORD b) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bpp;
  info.bmiHeader.biCompression = compression;
  DWORD masks[3] = {r, g, b};
  std::memcpy(info.bmiColors, masks, sizeof masks);
  return info;
}

TEST(GdiDib, SixteenBitSectionReportsWordAlignedRowsAndSharesItsPixels) {
  BITMAPINFO info = dibInfo(5, -3, 16, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F);
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  ASSERT_NE(bits, nullptr);

  DIBSECTION ds{};
  ASSERT_EQ(GetObject(bm, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmWidth, 5);
  EXPECT_EQ(ds.dsBm.bmHeight, 3);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 10);  // (5 * 16 + 15) / 16 * 2
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 16);
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBmih.biHeight, -3);
  EXPECT_EQ(ds.dsBitfields[0], 0xF800u);

  // GDI drawing and direct writes meet in the same memory.
  HGDIOBJ old = SelectObject(dc, bm);
  SetPixel(dc, 4, 2, RGB(255, 0, 0));
  EXPECT_EQ(static_cast<uint16_t*>(bits)[2 * 5 + 4], kRed);
  static_cast<uint16_t*>(bits)[0] = kBlue;
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 248));
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}

TEST(GdiDib, BottomUpSectionStoresTheLastRowFirst) {
  BITMAPINFO info = dibInfo(2, 2, 32, BI_RGB, 0, 0, 0);
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  SetPixel(dc, 1, 0, RGB(1, 2, 3));
  EXPECT_EQ(static_cast<uint32_t*>(bits)[2 + 1], 0x010203u);
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}

TEST(GdiDib, UnsupportedLayoutsMakeNoSection) {
  struct Case {
    const char* name;
    BITMAPINFO info;
  } cases[] = {
      {"16 bits without masks", dibInfo(4, -4, 16, BI_RGB, 0, 0, 0)},
      {"16 bits 555 masks", dibInfo(4, -4, 16, BI_BITFIELDS, 0x7C00, 0x03E0, 0x001F)},
      {"32 bits odd masks", dibInfo(4, -4, 32, BI_BITFIELDS, 0xFF, 0xFF00, 0xFF0000)},
      {"8 bits", dibInfo(4, -4, 8, BI_RGB, 0, 0, 0)},
      {"zero width", dibInfo(0, -4, 16, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F)},
      {"huge", dibInfo(100000, -100000, 16, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F)},
  };
  for (Case& c : cases) {
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &c.info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << c.name;
    EXPECT_EQ(bits, nullptr) << c.name;
  }
}

TEST(GdiBitmap, CompatibleBitmapHasNoPixelPointerAndTheDepthOfItsDc) {
  DibDc screenLike(4, 4);
  HBITMAP colour = CreateCompatibleBitmap(screenLike.dc, 7, 3);
  BITMAP bm{};
  ASSERT_EQ(GetObject(colour, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 7);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmBits, nullptr);
  // A DIBSECTION request on a plain bitmap answers with a BITMAP only.
  DIBSECTION ds{};
  EXPECT_EQ(GetObject(colour, sizeof ds, &ds), static_cast<int>(sizeof(BITMAP)));

  // A fresh memory DC holds a 1x1 monochrome bitmap.
  HDC fresh = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateCompatibleBitmap(fresh, 8, 8);
  GetObject(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  DeleteObject(mono);
  DeleteObject(colour);
  DeleteDC(fresh);
}

TEST(GdiObjects, ABitmapIsSelectedIntoOneDcAtATime) {
  DibDc a(4, 4);
  HDC b = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(b, a.bitmap), nullptr);
  SelectObject(a.dc, a.old);
  HGDIOBJ old = SelectObject(b, a.bitmap);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), a.bitmap);
  SelectObject(b, old);
  SelectObject(a.dc, a.bitmap);
  DeleteDC(b);
}

TEST(GdiObjects, DeletingASelectedObjectIsRefusedUntilItIsDeselected) {
  DibDc d(4, 4);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  LOGFONTW lf{};
  lf.lfHeight = 14;
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ oldPen = SelectObject(d.dc, pen);
  HGDIOBJ oldBrush = SelectObject(d.dc, brush);
  HGDIOBJ oldFont = SelectObject(d.dc, font);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(font),
                    static_cast<HGDIOBJ>(d.bitmap)})
    EXPECT_FALSE(DeleteObject(o));
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));  // still alive

  EXPECT_EQ(SelectObject(d.dc, oldPen), pen);
  EXPECT_EQ(SelectObject(d.dc, oldBrush), brush);
  EXPECT_EQ(SelectObject(d.dc, oldFont), font);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_FALSE(DeleteObject(pen));  // stale handle
}

TEST(GdiObjects, DeletingTheDcFreesWhatWasSelectedIntoIt) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(8, 8, 1, 16, nullptr);
  HBRUSH brush = CreateSolidBrush(0);
  SelectObject(dc, bm);
  SelectObject(dc, brush);
  EXPECT_FALSE(DeleteObject(bm));
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bm));
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiObjects, StockObjectsSurviveDeletionAndDescribeThemselves) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_TRUE(DeleteObject(white));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObject(white, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
  GetObject(GetStockObject(BLACK_BRUSH), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(0, 0, 0));
  GetObject(GetStockObject(DKGRAY_BRUSH), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(64, 64, 64));
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(GdiObjects, HandlesAreNeverReusedAndHaveLowBitsClear) {
  HBRUSH a = CreateSolidBrush(1);
  DeleteObject(a);
  HBRUSH b = CreateSolidBrush(1);
  EXPECT_NE(a, b);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(b) & 0xF, 0u);
  DeleteObject(b);
}

TEST(GdiDeviceCaps, DisplayIsSixteenBitsInOnePlane) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES), 16);
  EXPECT_GT(GetDeviceCaps(dc, LOGPIXELSX), 0);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
  DeleteDC(dc);
}

TEST(GdiDeviceCaps, DensityAndSizeFollowTheDeviceProfile) {
  const wince::DeviceProfile before = wince::deviceProfile();
  struct Case {
    const char* profile;
    int dpi, width, height;
  } cases[] = {{"pocketpc-vga", 192, 480, 640}, {"pocketpc-qvga", 96, 240, 320}, {"smartphone", 96, 240, 320}};
  HDC dc = CreateCompatibleDC(nullptr);
  for (const Case& c : cases) {
    ASSERT_TRUE(wince::selectDeviceProfile(c.profile));
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), c.dpi) << c.profile;
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), c.dpi) << c.profile;
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.width) << c.profile;
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.height) << c.profile;
  }
  DeleteDC(dc);
  wince::setDeviceProfile(before);
}

}  // namespace
