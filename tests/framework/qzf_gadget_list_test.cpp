#include "qzf_gadget_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget_fixture.h"

namespace gadget_test {
namespace {

constexpr uint16_t kArrows = 500;  // up, up pressed, down, down pressed: 8 x 8
constexpr uint16_t kArrowColour = 0x07FF;
constexpr uint16_t kFrameColour = 0xF81F, kSelectColour = 0xFFE0;

class ListTest : public GadgetTest {
 protected:
  void SetUp() override {
    GadgetTest::SetUp();
    addSolidBlobs(7, kArrows, std::vector<std::pair<int, int>>(4, {8, 8}), kArrowColour);
  }
  // A list of 100 x 40 at (10, 20) with rows of at least 10: four a page.
  CQZFGadgetList* list(uint8_t flags = CQZFGadgetList::kScrollBarFlag) {
    QZFListPart p;
    p.width = 100;
    p.height = 40;
    p.frame = {255, kFrameColour};
    p.background = {255, kPaper};
    p.selection = {255, kSelectColour};
    p.flags = flags;
    p.minimumRowHeight = 10;
    p.scrollBar = {kArrows, kArrows + 1, kArrows + 2, kArrows + 3, 255, {255, 0x0000}, {255, 0xFFFF}};
    return add<CQZFGadgetList>(describe(20, 10, 20, p));
  }
  void fill(CQZFGadgetList* l, int count) {
    for (int i = 0; i < count; ++i) {
      const std::u16string text = u"Row" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
      ASSERT_EQ(l->addItem(static_cast<uint16_t>(100 + i), 0, kFont, text.c_str()), 0);
    }
  }
};

TEST_F(ListTest, AnEmptyListPassesItsKeysOnAndTakesATapSilently) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->getCurrent(), -1);
  for (int code : {kQZFKeyUp, kQZFKeyDown, kQZFKeyReturn}) EXPECT_EQ(key(code), Handled::kPassOn) << code;
  EXPECT_EQ(pen(1, 20, 25), Handled::kDone);
  EXPECT_EQ(pen(0, 20, 25), Handled::kDone);
  EXPECT_TRUE(form_->events.empty());
}

TEST_F(ListTest, RowsAreLabelsOnBandsAndTheFirstBecomesCurrentNotSelected) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 3);
  EXPECT_EQ(l->getRowCount(), 3);
  EXPECT_EQ(l->getCurrent(), 0);
  EXPECT_EQ(l->getSelected(), -1);
  EXPECT_EQ(l->getRowHeight(), 10);
  EXPECT_EQ(l->getRowsPerPage(), 4);
  // Padding 0 became 2; the rows are the width less both paddings and the
  // bar: a right-aligned row ends there.
  ASSERT_EQ(l->addItem(9, 2, kFont, u"R"), 0);
  EXPECT_EQ(l->getRow(3)->getRect().x + l->getRow(3)->getRect().w, 100 - 4 - 8);
  EXPECT_EQ(std::string(l->getRow(0)->getName()), "gdtLbl");
  l->selectItem(1);
  EXPECT_EQ(l->getSelected(), 1);
  l->selectItem(5);
  EXPECT_EQ(l->getSelected(), -1);
  EXPECT_TRUE(form_->events.empty());
}

TEST_F(ListTest, KeysMoveTheCurrentRowAndTheActionKeyChoosesIt) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 6);
  EXPECT_EQ(key(kQZFKeyUp), Handled::kPassOn);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(key(kQZFKeyDown), Handled::kDone);
  EXPECT_EQ(key(kQZFKeyDown), Handled::kPassOn);
  EXPECT_EQ(l->getCurrent(), 5);
  EXPECT_EQ(l->getFirstShown(), 2);
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  EXPECT_EQ(l->getSelected(), 5);
  ASSERT_EQ(form_->events.size(), 1u);
  const CQZFGadgetEvent& e = form_->events[0];
  EXPECT_EQ(e.type, kQZFEventList);
  EXPECT_EQ(e.gadgetId, 20);
  EXPECT_EQ(e.rowIndex, 5);
  EXPECT_EQ(e.rowId, 105);
  EXPECT_EQ(e.row, l->getRow(5));
  l->clear();
  EXPECT_EQ(l->getRowCount(), 0);
  EXPECT_EQ(l->getCurrent(), -1);
  EXPECT_EQ(l->getSelected(), -1);
}

TEST_F(ListTest, ATapChoosesARowOnlyWhenThePenIsLifted) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 3);
  // Row 1's band: list top 20 + 1 + 10.
  EXPECT_EQ(pen(1, 30, 36), Handled::kDone);
  EXPECT_EQ(l->getCurrent(), 1);
  EXPECT_TRUE(form_->events.empty());
  EXPECT_EQ(pen(0, 30, 36), Handled::kDone);
  ASSERT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(form_->events[0].rowIndex, 1);
  // Below the last row: the last row.
  EXPECT_EQ(pen(0, 30, 56), Handled::kDone);
  EXPECT_EQ(form_->events.back().rowIndex, 2);
  EXPECT_EQ(pen(32, 30, 36), Handled::kPassOn);
  EXPECT_EQ(pen(0, 200, 36), Handled::kPassOn);
}

TEST_F(ListTest, TheTrackAndArrowsScrollAndPullTheCurrentRowIntoThePage) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 10);
  // Track 8..32 (24 high), thumb 24 * 4 / 10 = 9: its middle at 20 shows 3-6.
  EXPECT_EQ(pen(1, 10 + 95, 20 + 20), Handled::kDone);
  EXPECT_EQ(l->getFirstShown(), 3);
  EXPECT_EQ(l->getCurrent(), 3);
  EXPECT_EQ(pen(2, 10 + 95, 20 + 31), Handled::kDone);
  EXPECT_EQ(l->getFirstShown(), 6);  // cut to count - per page
  EXPECT_EQ(l->getCurrent(), 6);
  EXPECT_EQ(pen(0, 10 + 95, 20 + 31), Handled::kDone);
  for (int i = 0; i < 3; ++i) key(kQZFKeyDown);
  EXPECT_EQ(l->getCurrent(), 9);
  // The up arrow: pressed, then released on it, scrolls by one row.
  EXPECT_EQ(pen(1, 10 + 95, 20 + 2), Handled::kDone);
  EXPECT_TRUE(l->getScrollBar().isHeld());
  EXPECT_EQ(l->getFirstShown(), 6);
  EXPECT_EQ(pen(0, 10 + 95, 20 + 2), Handled::kDone);
  EXPECT_EQ(l->getFirstShown(), 5);
  EXPECT_EQ(l->getCurrent(), 8);
  // The down arrow, pressed and dragged off the list: nothing.
  EXPECT_EQ(pen(1, 10 + 95, 20 + 38), Handled::kDone);
  EXPECT_EQ(pen(2, 10 + 95, 20 + 60), Handled::kPassOn);
  EXPECT_FALSE(l->getScrollBar().isHeld());
  EXPECT_EQ(pen(0, 10 + 95, 20 + 60), Handled::kPassOn);
  EXPECT_EQ(l->getFirstShown(), 5);
}

TEST_F(ListTest, DrawsFrameSelectionFocusBandRowsAndBar) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 5);
  l->selectItem(1);
  drawAll();
  EXPECT_EQ(areaPixel(10, 20), kFrameColour);
  EXPECT_EQ(areaPixel(10, 59), kFrameColour);
  EXPECT_EQ(areaPixel(50, 59), kFrameColour);
  // Row 0 is current and the list has the focus; row 1 is selected.
  EXPECT_EQ(areaPixel(17, 22), kFocus);
  EXPECT_EQ(areaPixel(50, 32), kSelectColour);
  // Row 0's text, centred in its band of 10: one pixel down.
  EXPECT_EQ(areaPixel(12, 22), kGlyph);
  EXPECT_EQ(areaPixel(102, 20), kArrowColour);
  EXPECT_EQ(areaPixel(102, 55), kArrowColour);
  // The thumb (white) at the track's top.
  EXPECT_EQ(areaPixel(102, 29), 0xFFFF);
}

TEST_F(ListTest, AThousandRowsScrollByKeys) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 1000);
  for (int i = 0; i < 999; ++i) ASSERT_EQ(key(kQZFKeyDown), Handled::kDone);
  EXPECT_EQ(l->getCurrent(), 999);
  EXPECT_EQ(l->getFirstShown(), 996);
  drawAll();
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  EXPECT_EQ(form_->events.back().rowId, 1099);
}

TEST_F(ListTest, TheListSavesNothingButItsFormStillRestores) {
  CQZFGadgetList* l = list();
  ASSERT_NE(l, nullptr);
  fill(l, 3);
  EXPECT_TRUE(save(*l).empty());
}

}  // namespace
}  // namespace gadget_test
