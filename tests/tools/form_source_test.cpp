// The form and menu source compiler: the text gives the bytes of the layouts
// (menus byte by byte, as no reader of them is built yet), the dump's text
// compiles back to the same bytes, bad sources and bad bytes are refused
// with the line or byte named, and the data checks find what is missing.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "desc_check.h"
#include "desc_text.h"

namespace {

Description compile(const std::string& text, const DescSymbols& symbols = {}) {
  Description d;
  std::string error;
  EXPECT_TRUE(parseDescription(text, symbols, d, error)) << error;
  return d;
}

std::string compileError(const std::string& text) {
  Description d;
  std::string error;
  EXPECT_FALSE(parseDescription(text, {}, d, error)) << text;
  return error;
}

uint16_t be16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>((b[at] << 8) | b[at + 1]); }

// Bytes -> text -> bytes, for a description read back from its bytes.
void expectRoundTrip(const Description& d) {
  const std::vector<uint8_t> bytes = writeDescription(d);
  Description read;
  std::string error;
  ASSERT_TRUE(readDescription(d.type, d.id, bytes.data(), bytes.size(), read, error)) << error;
  const std::string text = printDescription(read);
  EXPECT_EQ(writeDescription(compile(text)), bytes) << text;
  EXPECT_EQ(printDescription(compile(text)), text);
}

const char* const kEveryKind = R"(
form 2000
frame 1 2 3 4 5 6 7 8
title 9
background 200 #102030
width T212
height T211
menu 5
padding T205
first-focus 1
gadget button 1
  x start
  y start
  right 2
  text 10
  normal 11 12 13 255
gadget slider 2
  x half
  y anchor 1 bottom T205
  bar 14 255
gadget label 3
  x full
  y anchor 2 centre T0
  align right
  width auto
gadget checkbox 4
  x T1
  group 3
  gap T2
gadget text-entry 5
  width T3
  accept digits|glyphs|0x40
gadget keyboard 6
  columns 2
  rows 1
  cell-width T4
  cell-height T4
  key column 0 row 0 char '\'' second '\\'
  key column 1 row 0 char 233 second same
gadget graphic 7
  image 15 128
gadget url 8
  colour #ff8000
gadget list 9
  width T5
  height T6
  flags scrollbar
gadget timer 10
  start 4000000
gadget scroll-text 11
  thumb 9 #abcdef
gadget table none
  width T7
  height T8
  column width 25 align centre flags image
)";

// A name given to two fields of one record could never reach the second.
TEST(FormSourceTest, FieldNamesAreUniqueWithinEveryRecord) {
  std::vector<const RecordLayout*> layouts{&formHeaderLayout()};
  for (int code = 0; code <= 12; ++code) {
    for (const RecordLayout* layout : {gadgetLayout(code), menuLayout(code)}) {
      if (!layout) continue;
      layouts.push_back(layout);
      if (layout->item) layouts.push_back(layout->item);
      for (const SlotLayout& slot : layout->slots) layouts.push_back(slot.layout);
    }
  }
  for (const RecordLayout* layout : layouts) {
    std::set<std::string> names;
    for (const Field* field : fieldsOf(*layout)) {
      EXPECT_TRUE(names.insert(field->name).second) << layout->name << " " << field->name;
      EXPECT_LE(field->offset + fieldWidth(*field), layout->size) << layout->name << " " << field->name;
    }
  }
}

TEST(FormSourceTest, EveryKindRoundTripsThroughBytesAndText) {
  const Description d = compile(kEveryKind);
  EXPECT_TRUE(checkDescription(d).empty());
  ASSERT_EQ(d.gadgets.size(), 12u);
  expectRoundTrip(d);
}

TEST(FormSourceTest, RecordsHaveTheSizesOfTheirKinds) {
  const std::vector<uint8_t> bytes = writeDescription(compile(kEveryKind));
  // Header 49; button 49, slider 31, label 30, checkbox 44, text entry 47,
  // keyboard 31 + 2 keys of 13, graphic 29, URL 41, list 58, timer 37,
  // scroll text 55, table 60 + 1 column of 3.
  EXPECT_EQ(bytes.size(), 49u + 49 + 31 + 30 + 44 + 47 + 57 + 29 + 41 + 58 + 37 + 55 + 63);
  EXPECT_EQ(be16(bytes, 47), 12);
  EXPECT_EQ(bytes[49 + 2], 1);  // the first record's kind code
}

TEST(FormSourceTest, MenuBarBytes) {
  const Description d = compile(R"(
menu 7 bar
placement top
background 10 #010203
selection 11 #040506
disabled 12 #070809
font 240
text-level 13
disabled-font none
disabled-level 14
frame 20 21 22 23 24 25 26 27
frame-level 15
item id 100 text 30
item submenu 8 text 31 flags submenu|disabled
)");
  const std::vector<uint8_t> b = writeDescription(d);
  ASSERT_EQ(b.size(), 43u + 20);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[1], 1);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 2, b.begin() + 14),
            (std::vector<uint8_t>{10, 1, 2, 3, 11, 4, 5, 6, 12, 7, 8, 9}));
  EXPECT_EQ(be16(b, 14), 240);
  EXPECT_EQ(b[16], 13);
  EXPECT_EQ(be16(b, 17), 0xFFFF);
  EXPECT_EQ(b[19], 14);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(be16(b, 20 + 2 * i), 20 + i);
  EXPECT_EQ(b[36], 15);
  EXPECT_EQ(be16(b, 41), 2);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 43, b.end()),
            (std::vector<uint8_t>{0, 100, 0, 30, 0,    0,    0xFF, 0xFF, 0xFF, 0xFF,  //
                                  0, 8,   0, 31, 0x01, 0x04, 0xFF, 0xFF, 0xFF, 0xFF}));
  expectRoundTrip(d);
}

TEST(FormSourceTest, PopupItemsWithBlobsAndIcons) {
  const Description d = compile(R"(
menu 8 popup
placement bottom|right
arrow-left 40
arrow-right 41
item id 1 image 50 flags blob
item id 2 text 51 flags icon|marked icon-marked 52 icon 53
)");
  const std::vector<uint8_t> b = writeDescription(d);
  EXPECT_EQ(b[0], 2);
  EXPECT_EQ(b[1], 10);
  EXPECT_EQ(be16(b, 37), 40);
  EXPECT_EQ(be16(b, 39), 41);
  EXPECT_EQ(be16(b, 43 + 2), 50);
  EXPECT_EQ(be16(b, 53 + 4), 0x0408);
  EXPECT_EQ(be16(b, 53 + 6), 52);
  EXPECT_EQ(be16(b, 53 + 8), 53);
  expectRoundTrip(d);
  EXPECT_NE(printDescription(d).find("item id 1 image 50 flags blob"), std::string::npos);
}

TEST(FormSourceTest, QuickMenuBytes) {
  const Description d = compile(R"(
menu 9 quick
placement top|up
font 240
left text 60 submenu 8 flags submenu pressed 61 100 image 62 200
right text 63 item 27 image 62 255
)");
  const std::vector<uint8_t> b = writeDescription(d);
  ASSERT_EQ(b.size(), 36u);
  EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 26),
            (std::vector<uint8_t>{0, 3,  0, 240,                                  //
                                  0, 60, 0, 8,   2, 0,    61,   100, 0, 62, 200,  //
                                  0, 63, 0, 27,  0, 0xFF, 0xFF, 255, 0, 62, 255}));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 26, b.end()), std::vector<uint8_t>(10, 0));
  EXPECT_TRUE(checkDescription(d).empty());
  expectRoundTrip(d);
}

TEST(FormSourceTest, SymbolsNameStringsAndBlobs) {
  DescSymbols symbols;
  symbols.strings["TITLE"] = 300;
  symbols.blobs["FONT"] = 240;
  symbols.blobs["KNOB"] = 17;
  const std::vector<uint8_t> b = writeDescription(
      compile("form 1\ntitle TITLE\ntitle-font FONT\nwidth T1\ngadget slider 1\nknob KNOB\n", symbols));
  EXPECT_EQ(be16(b, 27), 300);
  EXPECT_EQ(be16(b, 24), 240);
  EXPECT_EQ(be16(b, 49 + 28), 17);
}

TEST(FormSourceTest, TheDumpNotesStringTexts) {
  const Description d = compile("menu 1 bar\nitem id 5 text 70\n");
  const std::string text = printDescription(d, [](uint16_t id, std::string& out) {
    out = "Text " + std::to_string(id);
    return true;
  });
  EXPECT_NE(text.find("item id 5 text 70  # \"Text 70\""), std::string::npos) << text;
  EXPECT_EQ(writeDescription(compile(text)), writeDescription(d));
}

TEST(FormSourceTest, BadSourcesNameTheirLine) {
  struct Case {
    const char* source;
    const char* error;
  };
  const Case cases[] = {
      {"", "holds no description"},
      {"gadget button 1\n", "line 1: expected 'form ID'"},
      {"menu 1 ribbon\n", "not quick, bar or popup"},
      {"form 1\nwidth T1\ncolour #fff\n", "line 3: a form has no field 'colour'"},
      {"form 1\nwidth T1\nwidth T2\n", "'width' is given twice"},
      {"form 1\n", "needs 'width'"},
      {"form 1\nwidth T1\ngadget list 1\nwidth T2\ngadget label 2\n", "line 5: the list above needs 'height'"},
      {"form 1\nwidth 12\n", "width: '12' is not a value index"},
      {"form 1\nwidth T1\nbackground 256 #000000\n", "level '256' is not 0-255"},
      {"form 1\nwidth T1\nbackground 1 #00000g\n", "is not #rrggbb"},
      {"form 1\nwidth T1\ntitle NOTHING\n", "unknown symbol 'NOTHING'"},
      {"form 1\nwidth T1\nframe 1 2 3\n", "frame: needs a value"},
      {"form 1\nwidth T1\ngadget dial 1\n", "expected 'gadget KIND ID'"},
      {"form 1\nwidth T1\ngadget label 70000\n", "expected 'gadget KIND ID'"},
      {"form 1\nwidth T1\ngadget label 1\nx anchor 2 middle T1\n", "alignment 'middle' is not known"},
      {"form 1\nwidth T1\ngadget text-entry 1\nwidth T1\naccept vowels\n", "flag 'vowels' is not known"},
      {"form 1\nwidth T1\ngadget keyboard 1\ncell-width T1\ncell-height T1\nkey char 'AB'\n", "is not 'c'"},
      {"form 1\nwidth T1\ngadget button 1\nmin-width auto\n", "'auto' is not a value index"},
      {"menu 1 popup\nitem id 1 text 2 icon 5\n", "'icon' does not apply"},
      {"menu 1 popup\nitem id 1 submenu 2\n", "'submenu' does not apply"},
      {"menu 1 quick\nleft text 1\nleft item 2\n", "left is given twice"},
      {"menu 1 quick\nitem id 1\n", "a quick has no field 'item'"},
  };
  for (const Case& c : cases) EXPECT_NE(compileError(c.source).find(c.error), std::string::npos) << c.source;
}

// Counts are stored in 8 or 16 bits: one more is refused, never cut short.
TEST(FormSourceTest, TooManyKeysOrGadgetsAreRefused) {
  std::string source = "form 1\nwidth T1\ngadget keyboard 1\ncell-width T1\ncell-height T1\n";
  for (int i = 0; i < 256; ++i) source += "key\n";
  EXPECT_NE(compileError(source).find("line 261: too many key lines"), std::string::npos);
  source = "form 1\nwidth T1\n";
  for (int i = 0; i < 0x10000; ++i) source += "gadget label none\n";
  EXPECT_NE(compileError(source).find("line 65538: too many gadgets"), std::string::npos);
}

TEST(FormSourceTest, BadBytesAreRefusedWithTheirOffset) {
  const std::vector<uint8_t> good = writeDescription(compile(kEveryKind));
  struct Case {
    std::vector<uint8_t> bytes;
    DescType type;
    const char* error;
  };
  std::vector<uint8_t> unknownKind = good;
  unknownKind[49 + 2] = 13;
  std::vector<uint8_t> manyKeys = good;
  manyKeys[49 + 49 + 31 + 30 + 44 + 47 + 30] = 200;
  std::vector<uint8_t> trailing = good;
  trailing.push_back(0);
  const Case cases[] = {
      {std::vector<uint8_t>(good.begin(), good.begin() + 48), DescType::Form, "form record is cut short at byte 0"},
      {std::vector<uint8_t>(good.begin(), good.end() - 1), DescType::Form, "1 column records do not fit"},
      {unknownKind, DescType::Form, "gadget kind 13 is not known at byte 49"},
      {manyKeys, DescType::Form, "200 key records do not fit"},
      {trailing, DescType::Form, "1 bytes follow the description"},
      {{}, DescType::Menu, "the menu kind is not 0, 1 or 2"},
      {{3, 0, 0}, DescType::Menu, "the menu kind is not 0, 1 or 2"},
      {std::vector<uint8_t>(20, 0), DescType::Menu, "quick record is cut short"},
  };
  for (const Case& c : cases) {
    Description d;
    std::string error;
    EXPECT_FALSE(readDescription(c.type, 1, c.bytes.data(), c.bytes.size(), d, error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

TEST(FormSourceTest, ChecksFindWhatTheFormCannotUse) {
  struct Case {
    const char* source;
    const char* problem;
  };
  const Case cases[] = {
      {"form 1\nwidth T216\n", "'width' names value T216, beyond the table's 216 entries"},
      {"form 1\nwidth T1\npadding T300\n", "'padding' names value T300"},
      {"form 1\nwidth T1\ngadget label 1\nx 0xFFF5\ny T500\n", "'y' names value T500"},
      {"form 1\nwidth T1\ngadget label 1\nx anchor 2 left T1\ngadget label 2\n",
       "gadget 1 (label): 'x' hangs on gadget 2, which is not an earlier gadget"},
      {"form 1\nwidth T1\ngadget label 1\ngadget label 1\n", "gadget id 1 is used twice"},
      {"form 1\nwidth T1\nfirst-focus 4\n", "'first-focus' names gadget 4, not on the form"},
      {"form 1\nwidth T1\ngadget button 1\ndown 9\n", "gadget 1 (button): 'down' names gadget 9"},
      {"form 1\nwidth T1\ngadget keyboard 1\ncell-width T1\ncell-height T1\ncolumns 2\nkey column 2\n",
       "key 1: lies outside the 2 x 1 grid"},
      {"form 1\nwidth T1\ngadget label 1\nalign 4\n", "'align' 4 is none of left, centre, right"},
      {"form 1\nwidth T1\ngadget table 1\nwidth T1\nheight T1\ncolumn align 3\n", "column 1: 'align' 3 is none of"},
      {"menu 1 quick\nleft text 5\n", "left button: has a text but no item"},
      {"menu 1 quick\nright item 5\n", "right button: has an item but no text"},
      {"menu 1 popup\nitem text 5 flags submenu\n", "'submenu' is needed by the submenu flag"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> problems = checkDescription(compile(c.source));
    ASSERT_EQ(problems.size(), 1u) << c.source;
    EXPECT_NE(problems[0].find(c.problem), std::string::npos) << problems[0];
  }
}

TEST(FormSourceTest, ReferencesMustExist) {
  const Description d = compile(R"(
form 1
title 10
title-font 240
width T1
menu 30
gadget button 1
  text 11
  normal 20 21 none 255
)");
  DescUniverse universe;
  universe.strings = {10, 11};
  universe.blobs = {0, 240, 20, 21};  // 0: the button's font
  universe.menus = {30};
  EXPECT_TRUE(checkReferences(d, universe).empty());
  universe.strings.erase(11);
  universe.blobs.erase(21);
  universe.menus.erase(30);
  const std::vector<std::string> problems = checkReferences(d, universe);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("form 1: 'menu' names menu 30, which no database holds"), std::string::npos);
  EXPECT_NE(problems[1].find("gadget 1 (button): 'text' names string 11"), std::string::npos);
  EXPECT_NE(problems[2].find("'normal' names blob 21"), std::string::npos);
}

TEST(FormSourceTest, MenuReferencesFollowTheItemFlags) {
  // A blob item's text slot is a blob; a submenu item's id a menu.
  const Description d = compile("menu 1 popup\nitem id 5 image 40 flags blob\nitem submenu 2 text 41 flags submenu\n");
  DescUniverse universe;
  universe.blobs = {0};  // the menu's font
  const std::vector<std::string> problems = checkReferences(d, universe);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("item 1: 'image' names blob 40"), std::string::npos);
  EXPECT_NE(problems[1].find("item 2: 'submenu' names menu 2"), std::string::npos);
  EXPECT_NE(problems[2].find("item 2: 'text' names string 41"), std::string::npos);
}

}  // namespace
