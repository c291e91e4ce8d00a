#include <gtest/gtest.h>

#include <vector>

#include "wince/gdi.h"
#include "wince/host/resource.h"
#include "wince/resource.h"

namespace {

void put32(std::vector<BYTE>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
}

// A bitmap resource: header, optional colour table, then the rows.
std::vector<BYTE> dib(int w, int h, int bpp, const std::vector<uint32_t>& palette, const std::vector<BYTE>& rows) {
  std::vector<BYTE> v(40 + palette.size() * 4);
  put32(v, 0, 40);
  put32(v, 4, static_cast<uint32_t>(w));
  put32(v, 8, static_cast<uint32_t>(h));
  v[12] = 1;
  v[14] = static_cast<BYTE>(bpp);
  put32(v, 32, static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) put32(v, 40 + i * 4, palette[i]);
  v.insert(v.end(), rows.begin(), rows.end());
  return v;
}

class LoadBitmapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 2x2, 24 bits, bottom-up, rows padded to 4 bytes: bottom row first.
    rgb24_ = dib(2, 2, 24, {}, {0, 0, 255, 0, 255, 0, 0, 0,     // bottom: red, green
                                255, 0, 0, 255, 255, 255, 0, 0});  // top: blue, white
    // 3x1, 4 bits with a two-colour table, top-down.
    pal4_ = dib(3, -1, 4, {0x000000, 0xFFFF00}, {0x01, 0x00, 0, 0});
    truncated_ = std::vector<BYTE>(rgb24_.begin(), rgb24_.end() - 3);
    badIndex_ = dib(1, 1, 8, {0xFF0000}, {5, 0, 0, 0});
    entries_ = {
        {nullptr, 2, nullptr, 2001, rgb24_.data(), static_cast<DWORD>(rgb24_.size())},
        {nullptr, 2, nullptr, 2002, pal4_.data(), static_cast<DWORD>(pal4_.size())},
        {nullptr, 2, nullptr, 2003, truncated_.data(), static_cast<DWORD>(truncated_.size())},
        {nullptr, 2, nullptr, 2004, badIndex_.data(), static_cast<DWORD>(badIndex_.size())},
    };
    table_ = {entries_.data(), entries_.size()};
    wince::registerResourceTable(&table_);
    dc_ = CreateCompatibleDC(nullptr);
  }
  void TearDown() override {
    DeleteDC(dc_);
    wince::unregisterResourceTable(&table_);
  }

  std::vector<BYTE> rgb24_, pal4_, truncated_, badIndex_;
  std::vector<wince::ResourceEntry> entries_;
  wince::ResourceTable table_{};
  HDC dc_ = nullptr;
};

TEST_F(LoadBitmapTest, TwentyFourBitBottomUpResourceBecomesADisplayBitmap) {
  HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE(2001));
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  GetObject(bm, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 2);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 16);
  EXPECT_EQ(info.bmBits, nullptr);
  HGDIOBJ old = SelectObject(dc_, bm);
  EXPECT_EQ(GetPixel(dc_, 0, 0), RGB(0, 0, 248));
  EXPECT_EQ(GetPixel(dc_, 1, 0), RGB(248, 252, 248));
  EXPECT_EQ(GetPixel(dc_, 0, 1), RGB(248, 0, 0));
  EXPECT_EQ(GetPixel(dc_, 1, 1), RGB(0, 252, 0));
  SelectObject(dc_, old);
  DeleteObject(bm);
}

TEST_F(LoadBitmapTest, PalettedResourceUsesItsColourTable) {
  HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE(2002));
  ASSERT_NE(bm, nullptr);
  HGDIOBJ old = SelectObject(dc_, bm);
  EXPECT_EQ(GetPixel(dc_, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc_, 1, 0), RGB(248, 252, 0));
  EXPECT_EQ(GetPixel(dc_, 2, 0), RGB(0, 0, 0));
  SelectObject(dc_, old);
  DeleteObject(bm);
}

TEST_F(LoadBitmapTest, AbsentOrDamagedResourcesLoadAsNothing) {
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(2999)), nullptr);
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(2003)), nullptr);
  // An index past the colour table reads as black instead of past the data.
  HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE(2004));
  ASSERT_NE(bm, nullptr);
  HGDIOBJ old = SelectObject(dc_, bm);
  EXPECT_EQ(GetPixel(dc_, 0, 0), RGB(0, 0, 0));
  SelectObject(dc_, old);
  DeleteObject(bm);
}

}  // namespace
