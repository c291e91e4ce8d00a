#include "qzf_form_description.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

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

std::vector<uint8_t> header(uint16_t count, uint16_t heightIndex = 6) {
  std::vector<uint8_t> b(kQZFFormHeaderSize, 0xFF);
  b[16] = 200;
  put16(b, 27, 40);  // title string
  b[29] = 255;
  b[30] = 0xFF, b[31] = 0x00, b[32] = 0x00;  // red background
  b[33] = 128;
  b[34] = 0x00, b[35] = 0x00, b[36] = 0xFF;  // blue focus
  put16(b, 37, 5);
  put16(b, 39, heightIndex);
  put16(b, 43, 7);
  put16(b, 47, count);
  return b;
}

// A record of the kind with its head zero-filled except id and kind.
std::vector<uint8_t> record(uint16_t id, uint8_t kind, size_t size) {
  std::vector<uint8_t> r(size, 0);
  put16(r, 0, id);
  r[2] = kind;
  for (size_t at = 14; at < 22; at += 2) put16(r, at, 0xFFFF);
  return r;
}

void append(std::vector<uint8_t>& b, const std::vector<uint8_t>& r) { b.insert(b.end(), r.begin(), r.end()); }

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
  ASSERT_EQ(read(header(0)), QZ_OK);
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

  ASSERT_EQ(read(header(0, 0xFFFF)), QZ_OK);
  EXPECT_TRUE(form_.fitToGadgets);
  EXPECT_EQ(form_.gadgetHeight, 0);
}

TEST_F(FormDescriptionTest, UnanchoredSpecialIndicesTakeShareOfTheGadgetArea) {
  struct Case {
    uint16_t index;
    int16_t x;
  };
  for (const Case c : {Case{0xFFF1, 87}, {0xFFF2, 175}, {0xFFF5, 0}, {0xFFF0, 0}, {12, 1012}}) {
    std::vector<uint8_t> b = header(1);
    std::vector<uint8_t> label = record(1, kQZFGadgetLabel, 30);
    put16(label, 6, c.index);
    put16(label, 11, 0xFFF2);
    put16(label, 22, 41);
    append(b, label);
    ASSERT_EQ(read(b), QZ_OK) << c.index;
    ASSERT_EQ(form_.gadgets.size(), 1u);
    EXPECT_FALSE(form_.gadgets[0].x.anchored);
    EXPECT_EQ(form_.gadgets[0].x.position, c.x) << c.index;
    EXPECT_EQ(form_.gadgets[0].y.position, 200);
    const auto& part = std::get<QZFLabelPart>(form_.gadgets[0].part);
    EXPECT_EQ(part.text, u"Play");
    EXPECT_EQ(part.width, 1000);  // index 0 of a zero-filled record
  }
}

TEST_F(FormDescriptionTest, AnAnchoredAxisLooksItsIndexUpAsAnOffset) {
  std::vector<uint8_t> b = header(1, 0xFFFF);
  std::vector<uint8_t> r = record(2, kQZFGadgetGraphic, 29);
  r[8] = 0x84;  // y anchored, far edge
  put16(r, 9, 1);
  put16(r, 11, 7);
  put16(r, 25, 0xFFFF);
  put16(r, 27, 0xFFFF);
  r[13] = 3;  // box alignment 3 becomes 0
  append(b, r);
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
  std::vector<uint8_t> b = header(3);
  append(b, record(1, kQZFGadgetSliderbar, 31));
  append(b, record(2, 13, 31));
  append(b, record(3, kQZFGadgetSliderbar, 31));
  ASSERT_EQ(read(b), QZ_OK);
  ASSERT_EQ(form_.gadgets.size(), 1u);
  EXPECT_EQ(form_.gadgets[0].id, 1);
  EXPECT_STREQ(QZFGadgetTag(kQZFGadgetSliderbar), "gdtSdrbr");
  EXPECT_EQ(QZFGadgetTag(13), nullptr);
}

TEST_F(FormDescriptionTest, KeyboardAndTableRecordsCarryTheirOwnLength) {
  std::vector<uint8_t> b = header(3);
  std::vector<uint8_t> keyboard = record(1, kQZFGadgetKeyboard, 31 + 2 * 13);
  keyboard[30] = 2;
  keyboard[31 + 13 + 2] = 'Q';
  put16(keyboard, 31 + 13 + 7, 77);
  append(b, keyboard);
  std::vector<uint8_t> table = record(2, kQZFGadgetTable, 60 + 3);
  table[59] = 1;
  table[60] = 50, table[61] = 1, table[62] = 9;
  append(b, table);
  append(b, record(3, kQZFGadgetScrollText, 55));
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
  std::vector<uint8_t> b = header(2);
  std::vector<uint8_t> timer = record(1, kQZFGadgetTimer, 37);
  timer[31] = 90;  // 90 seconds
  append(b, timer);
  std::vector<uint8_t> url = record(2, kQZFGadgetURL, 41);
  url[26] = 255, url[27] = 255, url[28] = 255;
  put16(url, 35, 0xFFFF);
  append(b, url);
  ASSERT_EQ(read(b), QZ_OK);
  EXPECT_EQ(std::get<QZFTimerPart>(form_.gadgets[0].part).start, 9000);
  const auto& link = std::get<QZFURLPart>(form_.gadgets[1].part);
  EXPECT_EQ(link.colours[0], QZRGBToIndex(255, 255, 255));
  EXPECT_TRUE(link.caption.empty());
}

// Whatever is cut short or points outside the table is refused whole.
TEST_F(FormDescriptionTest, DescriptionsThatDoNotFitAreRefused) {
  std::vector<uint8_t> ok = header(1);
  append(ok, record(1, kQZFGadgetButton, 49));
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
  std::vector<uint8_t> keys = header(1);
  std::vector<uint8_t> keyboard = record(1, kQZFGadgetKeyboard, 31 + 13);
  keyboard[30] = 2;
  append(keys, keyboard);
  cases.push_back({"keyboard keys past the end", keys});
  for (const Case& c : cases) EXPECT_EQ(read(c.bytes), QZ_ERR_GENERAL) << c.name;
}
