#include <gtest/gtest.h>

#include "wince/types.h"

TEST(Types, MessageParametersArePointerSized) {
  static_assert(sizeof(WPARAM) == sizeof(void*));
  static_assert(sizeof(LPARAM) == sizeof(void*));
  static_assert(sizeof(LRESULT) == sizeof(void*));
  static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4);
  static_assert(sizeof(WCHAR) == 2);
}

TEST(Types, CoordinatesInLParamAreSignExtended) {
  const LPARAM lp = MAKELPARAM(-5, -300);
  EXPECT_EQ(GET_X_LPARAM(lp), -5);
  EXPECT_EQ(GET_Y_LPARAM(lp), -300);
  EXPECT_EQ(LOWORD(lp), 0xFFFB);
}

TEST(Types, IntegerResourceIds) {
  EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCE(7420)));
  const WCHAR name[] = u"0";
  EXPECT_FALSE(IS_INTRESOURCE(name));
  EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
}
