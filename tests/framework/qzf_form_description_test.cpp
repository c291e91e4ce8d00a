#include "qzf_form_description.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "desc_model.h"
#include "desc_text.h"
#include "qz_colour.h"
#include "qzf_graphics.h"

namespace {

// A layout-value table whose entry i is 1000 + i, except the few the tests name.
std::vector<int16_t> values() {
  std::vector<int16_t> v(kQZFValueTableSize);
  for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<int16_t>(1000 + i);
  v[5] = 175;  // gadget-area width
  v[6] = 200;  // gadget-area height
  v[7] = 4;    // padding
  return v;
}

void put16(std::vector<uint8_t>& b, size_t at, uint16_t value) {
  b[at] = static_cast<uint8_t>(value >> 8);
  b[at + 1] = static_cast<uint8_t>(value);
}

// A form made by the build's writer from its source: the header the tests
// share (title 40, frame level 200, red background, blue focus at level 128,
// a gadget area of values 5 and 6, padding value 7), then the gadgets.
std::vector<uint8_t> form(const std::string& gadgets, const std::string& height = "T6") {
  const std::string source =
      "form 1\nframe-level 200\ntitle 40\nbackground 255 #ff0000\nfocus 128 #0000ff\n"
      "width T5\nheight " +
      height + "\npadding T7\n" + gadgets;
  Description d;
  std::string error;
  EXPECT_TRUE(parseDescription(source, {}, d, error)) << error;
  return writeDescription(d);
}

class FormDescriptionTest : public ::testing::Test {
 protected:
  QZStatus read(const std::vector<uint8_t>& bytes) {
    return QZFReadFormDescription(bytes.data(), bytes.size(), context_, &form_);
  }

  std::vector<int16_t> values_ = values();
  QZFDescriptionContext context_{values_.data(), values_.size(), [](uint16_t id) {
                                   return id == 40 ? std::u16string(u"Title") : id == 41 ? u"Play" : u"";
                                 }};
  QZFFormDescription form_;
};

}  // namespace

TEST_F(FormDescriptionTest, HeaderFieldsBecomeTheFormsValues) {
  ASSERT_EQ(read(form("")), QZ_OK);
  EXPECT_EQ(form_.frame[0], 0xFFFF);
  EXPECT_EQ(form_.frameLevel, 200);
  EXPECT_EQ(form_.title, u"Title");
  EXPECT_EQ(form_.background.colour, CQZFGraphics::makeColour(255, 0, 0));
  EXPECT_EQ(form_.focus.level, 128);
  EXPECT_EQ(form_.focus.colour, CQZFGraphics::makeColour(0, 0, 255));
  EXPECT_EQ(form_.gadgetWidth, 175);
  EXPECT_EQ(form_.gadgetHeight, 200);
  EXPECT_FALSE(form_.fitToGadgets);
  EXPECT_EQ(form_.padding, 4);
  EXPECT_EQ(form_.menuId, 0xFFFF);
  EXPECT_TRUE(form_.gadgets.empty());

  ASSERT_EQ(read(form("", "fit")), QZ_OK);
  EXPECT_TRUE(form_.fitToGadgets);
  EXPECT_EQ(form_.gadgetHeight, 0);
}

TEST_F(FormDescriptionTest, UnanchoredSpecialIndicesTakeShareOfTheGadgetArea) {
  struct Case {
    const char* index;
    int16_t x;
  };
  for (const Case c : {Case{"half", 87}, {"full", 175}, {"0xFFF5", 0}, {"start", 0}, {"T12", 1012}}) {
    const std::string label = std::string("gadget label 1\nx ") + c.index + "\ny full\ntext 41\nwidth T0\n";
    ASSERT_EQ(read(form(label)), QZ_OK) << c.index;
    ASSERT_EQ(form_.gadgets.size(), 1u);
    EXPECT_FALSE(form_.gadgets[0].x.anchored);
    EXPECT_EQ(form_.gadgets[0].x.position, c.x) << c.index;
    EXPECT_EQ(form_.gadgets[0].y.position, 200);
    const auto& part = std::get<QZFLabelPart>(form_.gadgets[0].part);
    EXPECT_EQ(part.text, u"Play");
    EXPECT_EQ(part.width, 1000);
  }
}

TEST_F(FormDescriptionTest, AnAnchoredAxisLooksItsIndexUpAsAnOffset) {
  // y anchored to gadget 1's far edge; box alignment 3, which no source
  // names, becomes 0.
  std::vector<uint8_t> b = form("gadget graphic 2\ny anchor 1 4 T7\n", "fit");
  b[kQZFFormHeaderSize + 13] = 3;
  ASSERT_EQ(read(b), QZ_OK);
  const QZFGadgetDescription& g = form_.gadgets[0];
  EXPECT_TRUE(g.y.anchored);
  EXPECT_EQ(g.y.anchorId, 1);
  EXPECT_EQ(g.y.alignment, 4);
  EXPECT_EQ(g.y.offset, 4);
  EXPECT_EQ(g.boxAlignment, 0);
  EXPECT_EQ(g.padding, 4);
  EXPECT_EQ(std::get<QZFGraphicPart>(g.part).width, -1);

  // The special indices mean nothing on an anchored axis: 0xFFF1 is no entry.
  put16(b, kQZFFormHeaderSize + 11, 0xFFF1);
  EXPECT_EQ(read(b), QZ_ERR_GENERAL);
}

TEST_F(FormDescriptionTest, AnUnknownKindEndsTheBuildingButTheFormOpens) {
  std::vector<uint8_t> b = form("gadget slider 1\ngadget slider 2\ngadget slider 3\n");
  b[kQZFFormHeaderSize + 31 + 2] = 13;  // the second record's kind
  ASSERT_EQ(read(b), QZ_OK);
  ASSERT_EQ(form_.gadgets.size(), 1u);
  EXPECT_EQ(form_.gadgets[0].id, 1);
  EXPECT_STREQ(QZFGadgetTag(kQZFGadgetSliderbar), "gdtSdrbr");
  EXPECT_EQ(QZFGadgetTag(13), nullptr);
}

TEST_F(FormDescriptionTest, KeyboardAndTableRecordsCarryTheirOwnLength) {
  const std::vector<uint8_t> b = form(
      "gadget keyboard 1\ncell-width T1\ncell-height T2\nkey\nkey char 'Q' focused 77 0\n"
      "gadget table 2\nwidth T1\nheight T2\ncolumn width 50 align 1 flags 9\n"
      "gadget scroll-text 3\nwidth T1\nheight T2\n");
  ASSERT_EQ(read(b), QZ_OK);
  ASSERT_EQ(form_.gadgets.size(), 3u);
  const auto& keys = std::get<QZFKeyboardPart>(form_.gadgets[0].part).keys;
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1].code, 'Q');
  EXPECT_EQ(keys[1].images[1], 77);
  const auto& columns = std::get<QZFTablePart>(form_.gadgets[1].part).columns;
  ASSERT_EQ(columns.size(), 1u);
  EXPECT_EQ(columns[0].widthPercent, 50);
  EXPECT_EQ(columns[0].alignment, 1);
  EXPECT_EQ(columns[0].flags, 9);
  EXPECT_EQ(form_.gadgets[2].id, 3);
}

TEST_F(FormDescriptionTest, TimerStartsInHundredthsAndURLColoursArePaletteIndices) {
  ASSERT_EQ(read(form("gadget timer 1\nstart 90\ngadget url 2\ncolour #ffffff\n")), QZ_OK);  // 90 seconds
  EXPECT_EQ(std::get<QZFTimerPart>(form_.gadgets[0].part).start, 9000);
  const auto& link = std::get<QZFURLPart>(form_.gadgets[1].part);
  EXPECT_EQ(link.colours[0], QZRGBToIndex(255, 255, 255));
  EXPECT_TRUE(link.caption.empty());
}

// Whatever is cut short or points outside the table is refused whole.
TEST_F(FormDescriptionTest, DescriptionsThatDoNotFitAreRefused) {
  const std::vector<uint8_t> ok = form("gadget button 1\n");
  ASSERT_EQ(read(ok), QZ_OK);

  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"short header", std::vector<uint8_t>(ok.begin(), ok.begin() + 48)});
  cases.push_back({"short record", std::vector<uint8_t>(ok.begin(), ok.end() - 1)});
  cases.push_back({"short head", std::vector<uint8_t>(ok.begin(), ok.begin() + kQZFFormHeaderSize + 10)});
  std::vector<uint8_t> more = ok;
  put16(more, 47, 2);
  cases.push_back({"count beyond the records", more});
  std::vector<uint8_t> width = ok;
  put16(width, 37, kQZFValueTableSize);
  cases.push_back({"width index past the table", width});
  std::vector<uint8_t> keys = form("gadget keyboard 1\ncell-width T1\ncell-height T2\nkey\n");
  keys[kQZFFormHeaderSize + 30] = 2;  // two keys, one written
  cases.push_back({"keyboard keys past the end", keys});
  for (const Case& c : cases) EXPECT_EQ(read(c.bytes), QZ_ERR_GENERAL) << c.name;
}
