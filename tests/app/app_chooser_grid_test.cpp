// The appearance choosers' grid rules: the cursor round a row past empty
// cells, the cells' places, and the values the choosers read back.
#include <gtest/gtest.h>

#include <set>

#include "app_form_settings_backgrounds.h"
#include "app_form_settings_cardfronts.h"
#include "app_form_settings_colourtheme.h"
#include "app_form_settings_grid.h"
#include "app_settings.h"

namespace {

TEST(ChooserGrid, TheCursorGoesRoundItsRowPastEmptyCells) {
  const std::set<int> empty{5, 9, 10};
  const auto skip = [&](int i) { return empty.count(i) > 0; };
  struct Case {
    int from;
    bool forward;
    int to;
  };
  for (const Case& c : {Case{4, true, 0}, Case{0, false, 4}, Case{11, true, 6}, Case{8, true, 11}, Case{11, false, 8},
                        Case{6, false, 11}, Case{2, true, 3}}) {
    EXPECT_EQ(AppChooserGrid::stepInRow(c.from, 6, c.forward, skip), c.to) << c.from << " " << c.forward;
  }
}

TEST(ChooserGrid, ARowWithNoOtherCellKeepsTheCursor) {
  const auto allButThree = [](int i) { return i != 3; };
  EXPECT_EQ(AppChooserGrid::stepInRow(3, 6, true, allButThree), 3);
  EXPECT_EQ(AppChooserGrid::stepInRow(3, 6, false, allButThree), 3);
}

TEST(ChooserGrid, CellsStepByTheirSizeAndTen) {
  const QZRect first = AppChooserGrid::cell(24, 21, 29, 6, 0);
  const QZRect last = AppChooserGrid::cell(24, 21, 29, 6, 11);
  EXPECT_EQ(first.x, 24);
  EXPECT_EQ(first.y, 0);
  EXPECT_EQ(last.x, 24 + 5 * 31);
  EXPECT_EQ(last.y, 39);
}

TEST(ChooserGrid, StoredValuesMapBackToTheirEntries) {
  EXPECT_EQ(CAppBackgroundsForm::washIndexOf(99), 9);
  EXPECT_EQ(CAppBackgroundsForm::washOf(9), 99);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(CAppBackgroundsForm::washIndexOf(CAppBackgroundsForm::washOf(i)), i);
  EXPECT_EQ(CAppCardFrontsForm::styleOf(925), 2);
  EXPECT_EQ(CAppCardFrontsForm::styleOf(1121), 1);
  EXPECT_EQ(CAppCardFrontsForm::styleOf(977), 0);
  EXPECT_EQ(CAppCardFrontsForm::styleOf(4242), 0);
}

TEST(ChooserGrid, OnlyABackgroundSettingThatChangesMarksTheLookChanged) {
  struct Case {
    int page, cell, wash;
    bool gradient, changed;
  };
  // The defaults: page 0, cell 0 (plane 2), wash 3 (selector index 3), gradient.
  for (const Case& c : {Case{0, 0, 3, true, false}, Case{0, 0, 9, true, true}, Case{0, 0, 3, false, true},
                        Case{1, 0, 3, true, true}, Case{0, 2, 3, true, true}}) {
    CAppSettings settings;
    CAppBackgroundsForm::store(settings, c.page, c.cell, c.wash, c.gradient);
    EXPECT_EQ(settings.settingsChanged != 0, c.changed) << c.page << c.cell << c.wash << c.gradient;
    EXPECT_EQ(settings.backgroundCell, c.cell);
  }
  CAppSettings settings;
  CAppBackgroundsForm::store(settings, 1, 2, 9, false);
  EXPECT_EQ(settings.backgroundImage, 7);
  EXPECT_EQ(settings.backgroundScheme, 99);
  EXPECT_EQ(settings.backgroundGradient, 0);
}

TEST(ChooserGrid, TheStoredThemeChangesNothing) {
  CAppSettings settings;
  settings.backgroundScheme = 99;
  EXPECT_FALSE(CAppThemeForm::store(settings, settings.colourScheme));
  EXPECT_EQ(settings.backgroundScheme, 99);
  EXPECT_TRUE(CAppThemeForm::store(settings, 6));
  EXPECT_EQ(settings.colourScheme, 6);
  EXPECT_EQ(settings.backgroundScheme, 6);
}

}  // namespace
