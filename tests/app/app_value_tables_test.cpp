// The layout values and scale factors of the displays.
#include <gtest/gtest.h>

#include "app_value_tables.h"

TEST(AppValueTables, EachLetterHasItsFactorsAndOthersTheDefault) {
  EXPECT_EQ(AppScaleFactorsFor('D').x, 86);
  EXPECT_EQ(AppScaleFactorsFor('D').y, 64);
  EXPECT_EQ(AppScaleFactorsFor('Q').y, 35);
  EXPECT_EQ(AppScaleFactorsFor('B').x, 128);
  EXPECT_EQ(AppScaleFactorsFor('B').y, 128);
  EXPECT_EQ(AppValueTable('D')[kAppValueScreenWidth], 240);
  EXPECT_EQ(AppValueTable('E')[kAppValueScreenWidth], 320);
  EXPECT_EQ(AppValueTable('B').data(), AppValueTable('D').data());
  EXPECT_EQ(AppValueTable('E').size(), 216u);
}
