#include "qzf_gadget_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget_fixture.h"

namespace gadget_test {
namespace {

constexpr uint16_t kArrows = 500;  // up, up pressed, down, down pressed: 8 x 8
constexpr uint16_t kSelectColour = 0xFFE0;

class TableTest : public GadgetTest {
 protected:
  void SetUp() override {
    GadgetTest::SetUp();
    addSolidBlobs(7, kArrows, std::vector<std::pair<int, int>>(4, {8, 8}), 0x07FF);
  }
  // 104 x 60 at (10, 20), three rows of 20 a page; columns: an image (50%,
  // centred) and two texts (25% each, the last right-aligned).
  CQZFGadgetTable* table() {
    QZFTablePart p;
    p.width = 104;
    p.height = 60;
    p.frame = {255, 0xF81F};
    p.background = {255, kPaper};
    p.selection = {255, kSelectColour};
    p.scrollBar = {kArrows, kArrows + 1, kArrows + 2, kArrows + 3, 255, {255, 0}, {255, 0xFFFF}};
    p.flags = CQZFGadgetTable::kScrollBarFlag;
    p.rowsPerPage = 3;
    p.font = kFont;
    p.columns = {{CQZFGadgetTable::kImageColumn, 1, 50}, {0, 0, 25}, {0, 2, 25}};
    return add<CQZFGadgetTable>(describe(30, 10, 20, p));
  }
};

TEST_F(TableTest, ColumnsShareTheRowsWidthAndTheBarComesOnlyWhenRowsOverflow) {
  CQZFGadgetTable* t = table();
  ASSERT_NE(t, nullptr);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(t->addRow(), i);
  EXPECT_FALSE(t->isBarShown());
  ASSERT_EQ(t->getColumns().size(), 3u);
  EXPECT_EQ(t->getColumns()[0].x, 2);
  EXPECT_EQ(t->getColumns()[1].x, 52);
  EXPECT_EQ(t->getColumns()[2].x, 77);
  EXPECT_EQ(t->getColumns()[2].width, 25);
  ASSERT_EQ(t->addRow(), 3);
  EXPECT_TRUE(t->isBarShown());
  EXPECT_EQ(t->getRowsWidth(), 100 - 8);
  EXPECT_EQ(t->getColumns()[1].x, 2 + 46);
}

TEST_F(TableTest, KeysMoveWithinTheRowsAndTheActionKeyChooses) {
  CQZFGadgetTable* t = table();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(key(kQZFKeyDown), Handled::kPassOn);
  for (int i = 0; i < 5; ++i) ASSERT_GE(t->addRow(), 0);
  EXPECT_EQ(t->getCurrent(), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(key(kQZFKeyDown), Handled::kDone);
  EXPECT_EQ(key(kQZFKeyDown), Handled::kPassOn);
  EXPECT_EQ(t->getFirstShown(), 2);
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  ASSERT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(form_->events[0].type, kQZFEventTable);
  EXPECT_EQ(form_->events[0].rowIndex, 4);
  EXPECT_EQ(t->getSelected(), 4);
  // A tap on the band of the second row shown chooses when lifted.
  EXPECT_EQ(pen(1, 30, 20 + 2 + 25), Handled::kDone);
  EXPECT_EQ(t->getCurrent(), 3);
  EXPECT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(pen(0, 30, 20 + 2 + 25), Handled::kDone);
  EXPECT_EQ(form_->events.back().rowIndex, 3);
  t->clearRows();
  EXPECT_EQ(t->getSelected(), -1);
  EXPECT_EQ(t->getCurrent(), -1);
}

TEST_F(TableTest, CellsTakeTextsImagesAndValuesOnlyWhereTheyFit) {
  serve({{kFormId, formBytes()}}, {{5, u"Five"}});
  CQZFGadgetTable* t = table();
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->addRow(), 0);
  t->setCell(0, 0, kBox, 7);
  t->setCell(1, 0, 5, 8);
  t->setCellText(2, 0, u"abc", 9);
  t->replaceInCellText(2, 0, u"b", u"XY");
  EXPECT_EQ(t->getCellImage(0, 0), kBox);
  EXPECT_EQ(t->getCellValue(0, 0), 7);
  EXPECT_EQ(std::u16string(t->getCellText(1, 0)), u"Five");
  EXPECT_EQ(std::u16string(t->getCellText(2, 0)), u"aXYc");
  // Wrong kind, a column or a row that is not there: nothing.
  t->setCellText(0, 0, u"no", 1);
  t->setCellText(3, 0, u"no", 1);
  t->setCellText(1, 1, u"no", 1);
  EXPECT_EQ(t->getCellText(0, 0), nullptr);
  EXPECT_EQ(t->getCellValue(0, 0), 7);
  EXPECT_EQ(t->getCellImage(1, 0), 0);
  EXPECT_EQ(t->getCellValue(3, 0), 0);
  drawAll();
  // Row 0's band: 22..37; the 10 x 10 image centred in the 50 column, the
  // right-aligned text ending at the column's edge.
  EXPECT_EQ(areaPixel(10 + 2 + 20, 20 + 2 + 3), kBoxColour);
  EXPECT_EQ(areaPixel(10 + 2 + 19, 20 + 2 + 3), kFocus);
  EXPECT_EQ(areaPixel(10 + 52, 20 + 2 + 4), kGlyph);
  EXPECT_EQ(areaPixel(10 + 77 + 25 - 2, 20 + 2 + 4), kGlyph);
}

TEST_F(TableTest, SavedRowsAndIndicesComeBackAndABadCellDropsItsRow) {
  CQZFGadgetTable* t = table();
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->addRow(), 0);
  ASSERT_EQ(t->addRow(), 1);
  t->setCell(0, 1, kBox, -3);
  t->setCellText(1, 0, u"Hi", 4);
  key(kQZFKeyDown);
  t->selectRow(0);
  const std::vector<uint8_t> saved = save(*t);
  CQZFGadgetTable* other = table();
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(load(*other, saved), 0);
  EXPECT_EQ(other->getRowCount(), 2);
  EXPECT_EQ(other->getCurrent(), 1);
  EXPECT_EQ(other->getSelected(), 0);
  EXPECT_EQ(other->getCellImage(0, 1), kBox);
  EXPECT_EQ(other->getCellValue(0, 1), -3);
  EXPECT_EQ(std::u16string(other->getCellText(1, 0)), u"Hi");
  EXPECT_EQ(other->getCellText(2, 1), nullptr);
  EXPECT_EQ(save(*other), saved);
  // Cut inside the second row: the first row stays, the second goes.
  std::vector<uint8_t> cut = saved;
  cut.resize(cut.size() - 4);
  app_.reports.clear();
  EXPECT_LT(load(*other, cut), 0);
  EXPECT_EQ(other->getRowCount(), 1);
  EXPECT_EQ(other->getCurrent(), 0);
  EXPECT_FALSE(app_.reports.empty());
  // Indices past the rows are held to them.
  std::vector<uint8_t> wild = {0, 9, 0, 9, 0, 9, 0, 0};
  ASSERT_EQ(load(*other, wild), 0);
  EXPECT_EQ(other->getFirstShown(), 0);
  EXPECT_EQ(other->getCurrent(), -1);
  EXPECT_EQ(other->getSelected(), -1);
}

}  // namespace
}  // namespace gadget_test
