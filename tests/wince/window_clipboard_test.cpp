// The clipboard within the process.
#include <cstring>

#include "window_test_util.h"

namespace {

using wintest::WindowTest;

using ClipboardTest = WindowTest;

HANDLE textBlock(const std::u16string& text) {
  HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(WCHAR));
  std::memcpy(block, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  return block;
}

TEST_F(ClipboardTest, TextHandedOverIsKeptUntilReplacedOrEmptied) {
  HWND main = make("main", 0);
  HANDLE refused = textBlock(u"kept");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, refused), nullptr);  // not open: the caller keeps the block
  LocalFree(refused);
  ASSERT_TRUE(OpenClipboard(main));
  EXPECT_FALSE(OpenClipboard(main));  // one opener at a time
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, textBlock(u"first")), nullptr);
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, textBlock(u"Ace of spades")), nullptr);  // frees the first
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);  // closed
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto* text = static_cast<const WCHAR*>(GetClipboardData(CF_UNICODETEXT));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text), u"Ace of spades");
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
}

}  // namespace
