// Window DCs draw into the device screen at the window's place, clipped to it.
#include <gtest/gtest.h>

#include "device_screen.h"
#include "gdi_test_util.h"
#include "window_test_util.h"
#include "wince/gdi.h"

namespace {

class GdiWindowDc : public wintest::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    wince::detail::resizeDeviceScreen(240, 320);
  }
  uint16_t screen(int x, int y) { return wince::detail::deviceScreen().row(y)[x]; }
};

TEST_F(GdiWindowDc, DrawsAtTheClientCornerAndStaysInsideTheWindow) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE, nullptr, RECT{10, 20, 60, 60});
  ASSERT_NE(w, nullptr);
  RECT client;
  GetClientRect(w, &client);
  HDC dc = GetDC(w);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
  RECT huge{-100, -100, 1000, 1000};
  FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetPixel(dc, 0, 0, RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(248, 0, 0));
  ReleaseDC(w, dc);

  POINT corner{0, 0};
  ClientToScreen(w, &corner);
  EXPECT_EQ(screen(corner.x, corner.y), gditest::kRed);
  EXPECT_EQ(screen(corner.x + client.right - 1, corner.y + client.bottom - 1), gditest::kWhite);
  EXPECT_EQ(screen(corner.x + client.right, corner.y), 0);
  EXPECT_EQ(screen(corner.x, corner.y + client.bottom), 0);
  EXPECT_EQ(screen(corner.x - 1, corner.y), 0);
  EXPECT_EQ(screen(corner.x, corner.y - 1), 0);
}

TEST_F(GdiWindowDc, BlitsBetweenMemoryAndScreenAndRefusesBitmaps) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
  gditest::DibDc back(4, 4, 32);
  back.at32(1, 1) = 0x00FF00;
  HDC dc = GetDC(w);
  EXPECT_TRUE(BitBlt(dc, 0, 0, 4, 4, back.dc, 0, 0, SRCCOPY));
  POINT corner{0, 0};
  ClientToScreen(w, &corner);
  EXPECT_EQ(screen(corner.x + 1, corner.y + 1), gditest::kGreen);

  // And back: a copy of the screen into memory.
  gditest::DibDc copy(4, 4);
  EXPECT_TRUE(BitBlt(copy.dc, 0, 0, 4, 4, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(copy.at(1, 1), gditest::kGreen);

  HBITMAP bm = CreateBitmap(2, 2, 1, 16, nullptr);
  EXPECT_EQ(SelectObject(dc, bm), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), nullptr);
  DeleteObject(bm);
  ReleaseDC(w, dc);
}

TEST_F(GdiWindowDc, ScrollingWithinAWindowReadsTheSourceAsItWas) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE, nullptr, RECT{30, 40, 70, 80});
  HDC dc = GetDC(w);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, RGB(x * 32, y * 32, 0));
  EXPECT_TRUE(BitBlt(dc, 1, 2, 6, 6, dc, 0, 0, SRCCOPY));  // down and right
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(dc, x + 1, y + 2), RGB(x * 32, y * 32, 0)) << x << "," << y;
  ReleaseDC(w, dc);
}

TEST_F(GdiWindowDc, ScreenDcCoversTheWholeScreenAndDeadWindowsGetNone) {
  HDC dc = GetDC(nullptr);
  ASSERT_NE(dc, nullptr);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.right, 240);
  EXPECT_EQ(box.bottom, 320);
  SetPixel(dc, 239, 319, RGB(0, 0, 255));
  EXPECT_EQ(screen(239, 319), gditest::kBlue);
  ReleaseDC(nullptr, dc);

  HWND w = make("w", WS_POPUP | WS_VISIBLE);
  DestroyWindow(w);
  EXPECT_EQ(GetDC(w), nullptr);
}

}  // namespace
