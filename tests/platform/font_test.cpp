#include <gtest/gtest.h>

#include "graphics_fixture.h"
#include "qz_font.h"
#include "wince/gdi.h"

namespace {

class FontTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    ASSERT_EQ(QZSetScreenMode(16, 240, 320), 0);
    ASSERT_EQ(QZStartFont(), 0);
  }
  void TearDown() override {
    QZStopFont();
    GraphicsTest::TearDown();
  }
  static HGDIOBJ selected() { return GetCurrentObject(QZGetDrawDC(), OBJ_FONT); }
};

TEST_F(FontTest, SlotsHoldTheSystemFaceAtCellHeights) {
  const int heights[] = {14, 18, 28, 36};
  for (int slot : {0, 2, 4, 6}) {
    ASSERT_EQ(QZSwitchFont(slot), 0);
    EXPECT_EQ(QZGetFontHeight(), heights[slot / 2]) << slot;
  }
  EXPECT_EQ(QZGetFontSlot(8), nullptr);
  EXPECT_EQ(QZSwitchFont(8), -1);
  EXPECT_EQ(QZSwitchFont(16), -1);
  ASSERT_EQ(QZCreateFontSlot(8, u"Tahoma", 20, false, true), 0);
  EXPECT_NE(QZGetFontSlot(8), nullptr);
  EXPECT_EQ(QZDeleteFontSlot(8), 0);
  EXPECT_EQ(QZGetFontSlot(8), nullptr);
}

TEST_F(FontTest, WideScreensUseTheLargerSlots) {
  ASSERT_EQ(QZSetFont(1), 0);
  EXPECT_EQ(selected(), QZGetFontSlot(1));
  QZRestoreFont();
  ASSERT_EQ(QZSetScreenMode(16, 480, 640), 0);
  ASSERT_EQ(QZSetFont(1), 0);
  EXPECT_EQ(selected(), QZGetFontSlot(5));
  EXPECT_EQ(QZGetFontHeight(), 28);
  const HGDIOBJ before = selected();
  EXPECT_EQ(QZSetFont(12), -1);  // slot 16: past the table, nothing selected
  EXPECT_EQ(QZSetFont(5), -1);   // slot 9: empty
  EXPECT_EQ(selected(), before);
  QZRestoreFont();
}

TEST_F(FontTest, TheStackRemembersSixteenFonts) {
  const HGDIOBJ original = selected();
  ASSERT_EQ(QZSetFont(0), 0);
  QZRestoreFont();
  EXPECT_EQ(selected(), original);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(QZSetFont(i % 2), 0) << i;  // 16th pushes slot 0's font
  EXPECT_EQ(QZSetFont(2), -1);
  EXPECT_EQ(selected(), QZGetFontSlot(2));
  QZRestoreFont();
  EXPECT_EQ(selected(), QZGetFontSlot(0));
  for (int i = 0; i < 15; ++i) QZRestoreFont();
  EXPECT_EQ(selected(), original);
  QZRestoreFont();  // depth 0: nothing
  EXPECT_EQ(selected(), original);
}

}  // namespace
