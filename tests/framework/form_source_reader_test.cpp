// The form source compiler checked against the framework's own reader: a
// source naming a distinct value in every field of every gadget kind is
// compiled and read back, and every field the reader decodes is the one the
// source gave. Then every form the build made is read the same way.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "desc_layout.h"
#include "desc_text.h"
#include "qz_colour.h"
#include "qz_database_file.h"
#include "qzf_form_description.h"
#include "qzf_graphics.h"

namespace {

static_assert(kDescValueCount == kQZFValueTableSize, "the compiler checks value indices against the reader's table");

// Entry i of the layout-value table is 1000 + i; string n reads "S<n>".
class FormSourceReaderTest : public ::testing::Test {
 protected:
  FormSourceReaderTest() : values_(kQZFValueTableSize) {
    for (size_t i = 0; i < values_.size(); ++i) values_[i] = static_cast<int16_t>(1000 + i);
    context_.values = values_.data();
    context_.valueCount = values_.size();
    context_.text = [](uint16_t id) {
      std::u16string text = u"S";
      for (char c : std::to_string(id)) text += static_cast<char16_t>(c);
      return text;
    };
  }

  // Compiles the source and reads it with the framework's reader.
  QZFFormDescription compileAndRead(const std::string& source) {
    Description d;
    std::string error;
    EXPECT_TRUE(parseDescription(source, {}, d, error)) << error;
    const std::vector<uint8_t> bytes = writeDescription(d);
    QZFFormDescription form;
    EXPECT_EQ(QZFReadFormDescription(bytes.data(), bytes.size(), context_, &form), QZ_OK);
    return form;
  }

  template <typename Part>
  const Part& part(const QZFFormDescription& form, size_t index) {
    static const Part empty{};
    if (index >= form.gadgets.size() || !std::holds_alternative<Part>(form.gadgets[index].part)) {
      ADD_FAILURE() << "gadget " << index << " is missing or of another kind";
      return empty;
    }
    return std::get<Part>(form.gadgets[index].part);
  }

  std::vector<int16_t> values_;
  QZFDescriptionContext context_;
};

uint16_t colour(int r, int g, int b) { return CQZFGraphics::makeColour(r, g, b); }

void expectBox(const QZFBoxImages& box, uint16_t a, uint16_t b, uint16_t c, uint8_t level) {
  EXPECT_EQ(box.ids[0], a);
  EXPECT_EQ(box.ids[1], b);
  EXPECT_EQ(box.ids[2], c);
  EXPECT_EQ(box.level, level);
}

void expectLevelColour(const QZFLevelColour& lc, uint8_t level, uint16_t rgb565) {
  EXPECT_EQ(lc.level, level);
  EXPECT_EQ(lc.colour, rgb565);
}

// Frame red, background green, selection blue, at levels from `level` up.
void expectFrameAndFills(const QZFLevelColour& frame, const QZFLevelColour& background, const QZFLevelColour* selection,
                         uint8_t level) {
  expectLevelColour(frame, level, colour(255, 0, 0));
  expectLevelColour(background, level + 1, colour(0, 255, 0));
  if (selection) expectLevelColour(*selection, level + 2, colour(0, 0, 255));
}

void expectScrollBar(const QZFScrollBarLook& s, uint16_t first) {
  EXPECT_EQ(s.up, first);
  EXPECT_EQ(s.upPressed, first + 1);
  EXPECT_EQ(s.down, first + 2);
  EXPECT_EQ(s.downPressed, first + 3);
  EXPECT_EQ(s.arrowLevel, 77);
  expectLevelColour(s.track, 78, colour(1, 2, 3));
  expectLevelColour(s.thumb, 79, colour(4, 5, 6));
}

TEST_F(FormSourceReaderTest, HeaderFieldsReadAsWritten) {
  const QZFFormDescription form = compileAndRead(R"(
form 100
frame 1 2 3 4 5 6 7 8
frame-level 11
title-bar 21 22 23
title-bar-level 12
title-font 240
title-level 13
title 42
background 14 #ff0000
focus 15 #0000ff
width T5
height T6
menu 300
padding T7
first-focus none
)");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(form.frame[i], i + 1);
  EXPECT_EQ(form.frameLevel, 11);
  EXPECT_EQ(form.titleBar[0], 21);
  EXPECT_EQ(form.titleBar[2], 23);
  EXPECT_EQ(form.titleBarLevel, 12);
  EXPECT_EQ(form.titleFont, 240);
  EXPECT_EQ(form.titleTextLevel, 13);
  EXPECT_EQ(form.titleStringId, 42);
  EXPECT_EQ(form.title, u"S42");
  expectLevelColour(form.background, 14, colour(255, 0, 0));
  expectLevelColour(form.focus, 15, colour(0, 0, 255));
  EXPECT_EQ(form.gadgetWidth, 1005);
  EXPECT_EQ(form.gadgetHeight, 1006);
  EXPECT_FALSE(form.fitToGadgets);
  EXPECT_EQ(form.menuId, 300);
  EXPECT_EQ(form.padding, 1007);
  EXPECT_EQ(form.firstFocusId, QZ_NO_ID);
  EXPECT_EQ(form.gadgetCount, 0);
}

TEST_F(FormSourceReaderTest, FallbacksAreTheReadersNoneValues) {
  const QZFFormDescription form = compileAndRead("form 1\nwidth T5\ngadget label 1\ngadget graphic 2\n");
  EXPECT_EQ(form.frame[0], QZ_NO_ID);
  EXPECT_EQ(form.titleStringId, QZ_NO_ID);
  EXPECT_TRUE(form.title.empty());
  EXPECT_TRUE(form.fitToGadgets);
  EXPECT_EQ(form.gadgetHeight, 0);
  EXPECT_EQ(form.menuId, QZ_NO_ID);
  EXPECT_EQ(form.padding, 0);
  const QZFLabelPart& label = part<QZFLabelPart>(form, 0);
  EXPECT_EQ(label.width, -1);
  EXPECT_EQ(label.height, -1);
  EXPECT_TRUE(label.text.empty());
  EXPECT_EQ(part<QZFGraphicPart>(form, 1).image, QZ_NO_ID);
  ASSERT_EQ(form.gadgets.size(), 2u);
  EXPECT_FALSE(form.gadgets[0].x.anchored);
  EXPECT_EQ(form.gadgets[0].x.position, 0);
  for (uint16_t n : form.gadgets[0].neighbours) EXPECT_EQ(n, QZ_NO_ID);
}

TEST_F(FormSourceReaderTest, GadgetHeadPositionsAnchorsAndNeighbours) {
  const QZFFormDescription form = compileAndRead(R"(
form 1
width T5
height T6
padding T7
focus 9 #00ff00
gadget label 10
  x half
  y full
  align right
  up 11
  right 12
  down 13
  left 14
gadget label 11
  x anchor 10 right T8
  y anchor 10 bottom T9
  align centre
gadget label 12
  x T3
  y start
)");
  ASSERT_EQ(form.gadgets.size(), 3u);
  const QZFGadgetDescription& a = form.gadgets[0];
  EXPECT_EQ(a.id, 10);
  EXPECT_EQ(a.kind, kQZFGadgetLabel);
  EXPECT_EQ(a.x.position, 1005 / 2);
  EXPECT_EQ(a.y.position, 1006);
  EXPECT_EQ(a.boxAlignment, 2);
  EXPECT_EQ(a.neighbours[0], 11);
  EXPECT_EQ(a.neighbours[1], 12);
  EXPECT_EQ(a.neighbours[2], 13);
  EXPECT_EQ(a.neighbours[3], 14);
  EXPECT_EQ(a.padding, 1007);
  EXPECT_EQ(a.focusLevel, 9);
  EXPECT_EQ(a.focusColour, colour(0, 255, 0));
  const QZFGadgetDescription& b = form.gadgets[1];
  EXPECT_TRUE(b.x.anchored);
  EXPECT_EQ(b.x.anchorId, 10);
  EXPECT_EQ(b.x.alignment, 2);
  EXPECT_EQ(b.x.offset, 1008);
  EXPECT_TRUE(b.y.anchored);
  EXPECT_EQ(b.y.alignment, 4);
  EXPECT_EQ(b.y.offset, 1009);
  EXPECT_EQ(b.boxAlignment, 1);
  EXPECT_EQ(form.gadgets[2].x.position, 1003);
  EXPECT_EQ(form.gadgets[2].y.position, 0);
}

TEST_F(FormSourceReaderTest, SmallGadgetKindsReadAsWritten) {
  const QZFFormDescription form = compileAndRead(R"(
form 1
width T5
gadget button 1
  text 50
  normal 101 102 103 11
  pressed 104 105 106 12
  focused 107 108 109 13
  font 240
  min-width T20
gadget slider 2
  bar 110 14
  focused-bar 111 15
  knob 112
  step 7
gadget label 3
  text 51
  width T21
  height T22
  font 388
gadget checkbox 4
  text 52
  group 9
  unchecked 113
  checked 114
  level 16
  focused-unchecked 115
  focused-checked 116
  focused-level 17
  gap T23
  width-limit T24
  height T25
  font 535
gadget graphic 5
  image 117 18
  width T26
  height auto
gadget url 6
  width T27
  font 240
  colour #ff0000
  focused-colour #00ff00
  pressed-colour #0000ff
  caption 53
  address 54
  text 55
gadget timer 7
  width T28
  height T29
  font 240
  start 90
  mode 3
  token 56
  template 57
)");
  ASSERT_EQ(form.gadgets.size(), 7u);
  const auto& button = part<QZFButtonPart>(form, 0);
  EXPECT_EQ(button.text, u"S50");
  expectBox(button.normal, 101, 102, 103, 11);
  expectBox(button.pressed, 104, 105, 106, 12);
  expectBox(button.focused, 107, 108, 109, 13);
  EXPECT_EQ(button.font, 240);
  EXPECT_EQ(button.minimumWidth, 1020);
  const auto& slider = part<QZFSliderbarPart>(form, 1);
  EXPECT_EQ(slider.bar, 110);
  EXPECT_EQ(slider.barLevel, 14);
  EXPECT_EQ(slider.focusedBar, 111);
  EXPECT_EQ(slider.focusedBarLevel, 15);
  EXPECT_EQ(slider.knob, 112);
  EXPECT_EQ(slider.step, 7);
  const auto& label = part<QZFLabelPart>(form, 2);
  EXPECT_EQ(label.text, u"S51");
  EXPECT_EQ(label.width, 1021);
  EXPECT_EQ(label.height, 1022);
  EXPECT_EQ(label.font, 388);
  const auto& checkbox = part<QZFCheckboxPart>(form, 3);
  EXPECT_EQ(checkbox.text, u"S52");
  EXPECT_EQ(checkbox.group, 9);
  EXPECT_EQ(checkbox.unchecked, 113);
  EXPECT_EQ(checkbox.checked, 114);
  EXPECT_EQ(checkbox.level, 16);
  EXPECT_EQ(checkbox.focusedUnchecked, 115);
  EXPECT_EQ(checkbox.focusedChecked, 116);
  EXPECT_EQ(checkbox.focusedLevel, 17);
  EXPECT_EQ(checkbox.gap, 1023);
  EXPECT_EQ(checkbox.widthLimit, 1024);
  EXPECT_EQ(checkbox.height, 1025);
  EXPECT_EQ(checkbox.font, 535);
  const auto& graphic = part<QZFGraphicPart>(form, 4);
  EXPECT_EQ(graphic.image, 117);
  EXPECT_EQ(graphic.level, 18);
  EXPECT_EQ(graphic.width, 1026);
  EXPECT_EQ(graphic.height, -1);
  const auto& url = part<QZFURLPart>(form, 5);
  EXPECT_EQ(url.width, 1027);
  EXPECT_EQ(url.font, 240);
  EXPECT_EQ(url.colours[0], QZRGBToIndex(255, 0, 0));
  EXPECT_EQ(url.colours[1], QZRGBToIndex(0, 255, 0));
  EXPECT_EQ(url.colours[2], QZRGBToIndex(0, 0, 255));
  EXPECT_EQ(url.caption, u"S53");
  EXPECT_EQ(url.address, u"S54");
  EXPECT_EQ(url.text, u"S55");
  const auto& timer = part<QZFTimerPart>(form, 6);
  EXPECT_EQ(timer.width, 1028);
  EXPECT_EQ(timer.height, 1029);
  EXPECT_EQ(timer.font, 240);
  EXPECT_EQ(timer.start, 9000);
  EXPECT_EQ(timer.mode, 3);
  EXPECT_EQ(timer.token, u"S56");
  EXPECT_EQ(timer.format, u"S57");
}

TEST_F(FormSourceReaderTest, LargeGadgetKindsReadAsWritten) {
  const QZFFormDescription form = compileAndRead(R"(
form 1
width T5
gadget text-entry 1
  text 60
  max-length 12
  width T30
  normal 120 121 122 21
  focused 123 124 125 22
  cursor 126
  accept letters|lower
  font 240
gadget keyboard 2
  columns 4
  rows 2
  cell-width T31
  cell-height T32
  font 388
  key column 0 row 0 char 'A' second 'a' normal 130 31 focused 131 32 pressed 132 33
  key column 3 row 1 char ' ' normal 133 34
gadget list 3
  width T33
  height T34
  frame 41 #ff0000
  background 42 #00ff00
  selection 43 #0000ff
  flags scrollbar
  min-row-height T35
  arrow-up 140
  arrow-up-pressed 141
  arrow-down 142
  arrow-down-pressed 143
  arrow-level 77
  track 78 #010203
  thumb 79 #040506
gadget scroll-text 4
  text 61
  width T36
  height T37
  font 535
  frame 44 #ff0000
  background 45 #00ff00
  arrow-up 150
  arrow-up-pressed 151
  arrow-down 152
  arrow-down-pressed 153
  arrow-level 77
  track 78 #010203
  thumb 79 #040506
gadget table 5
  width T38
  height T39
  frame 46 #ff0000
  background 47 #00ff00
  selection 48 #0000ff
  arrow-up 160
  arrow-up-pressed 161
  arrow-down 162
  arrow-down-pressed 163
  arrow-level 77
  track 78 #010203
  thumb 79 #040506
  flags scrollbar
  rows-per-page 6
  font 240
  column width 30 align centre flags image
  column width 70 align right
)");
  ASSERT_EQ(form.gadgets.size(), 5u);
  const auto& entry = part<QZFTextEntryPart>(form, 0);
  EXPECT_EQ(entry.text, u"S60");
  EXPECT_EQ(entry.maxLength, 12);
  EXPECT_EQ(entry.width, 1030);
  expectBox(entry.normal, 120, 121, 122, 21);
  expectBox(entry.focused, 123, 124, 125, 22);
  EXPECT_EQ(entry.cursor, 126);
  EXPECT_EQ(entry.accepted, 9);
  EXPECT_EQ(entry.font, 240);
  const auto& keyboard = part<QZFKeyboardPart>(form, 1);
  EXPECT_EQ(keyboard.columns, 4);
  EXPECT_EQ(keyboard.rows, 2);
  EXPECT_EQ(keyboard.cellWidth, 1031);
  EXPECT_EQ(keyboard.cellHeight, 1032);
  EXPECT_EQ(keyboard.font, 388);
  ASSERT_EQ(keyboard.keys.size(), 2u);
  const QZFKeyDescription& a = keyboard.keys[0];
  EXPECT_EQ(a.column, 0);
  EXPECT_EQ(a.row, 0);
  EXPECT_EQ(a.code, 'A');
  EXPECT_EQ(a.secondCode, 'a');
  EXPECT_EQ(a.images[0], 130);
  EXPECT_EQ(a.images[1], 131);
  EXPECT_EQ(a.images[2], 132);
  EXPECT_EQ(a.levels[0], 31);
  EXPECT_EQ(a.levels[1], 32);
  EXPECT_EQ(a.levels[2], 33);
  const QZFKeyDescription& blank = keyboard.keys[1];
  EXPECT_EQ(blank.column, 3);
  EXPECT_EQ(blank.row, 1);
  EXPECT_EQ(blank.code, ' ');
  EXPECT_EQ(blank.secondCode, 0);
  EXPECT_EQ(blank.images[0], 133);
  EXPECT_EQ(blank.images[1], QZ_NO_ID);
  const auto& list = part<QZFListPart>(form, 2);
  EXPECT_EQ(list.width, 1033);
  EXPECT_EQ(list.height, 1034);
  expectFrameAndFills(list.frame, list.background, &list.selection, 41);
  EXPECT_EQ(list.flags, 2);
  EXPECT_EQ(list.minimumRowHeight, 1035);
  expectScrollBar(list.scrollBar, 140);
  const auto& scroll = part<QZFScrollTextPart>(form, 3);
  EXPECT_EQ(scroll.text, u"S61");
  EXPECT_EQ(scroll.width, 1036);
  EXPECT_EQ(scroll.height, 1037);
  EXPECT_EQ(scroll.font, 535);
  expectFrameAndFills(scroll.frame, scroll.background, nullptr, 44);
  expectScrollBar(scroll.scrollBar, 150);
  const auto& table = part<QZFTablePart>(form, 4);
  EXPECT_EQ(table.width, 1038);
  EXPECT_EQ(table.height, 1039);
  expectFrameAndFills(table.frame, table.background, &table.selection, 46);
  expectScrollBar(table.scrollBar, 160);
  EXPECT_EQ(table.flags, 2);
  EXPECT_EQ(table.rowsPerPage, 6);
  EXPECT_EQ(table.font, 240);
  ASSERT_EQ(table.columns.size(), 2u);
  EXPECT_EQ(table.columns[0].widthPercent, 30);
  EXPECT_EQ(table.columns[0].alignment, 1);
  EXPECT_EQ(table.columns[0].flags, 1);
  EXPECT_EQ(table.columns[1].widthPercent, 70);
  EXPECT_EQ(table.columns[1].alignment, 2);
  EXPECT_EQ(table.columns[1].flags, 0);
}

// The aFRM resources of a database the build made: id and bytes.
struct BuiltForm {
  uint16_t id;
  std::vector<uint8_t> bytes;
};

std::vector<BuiltForm> builtForms(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  std::vector<BuiltForm> forms;
  if (QZParseDatabaseHeader(bytes.data(), bytes.size(), header) != QZ_OK ||
      QZParseDatabase(bytes.data(), bytes.size(), bytes.size(), QZDatabaseKind::Resource, header, entries) != QZ_OK) {
    ADD_FAILURE() << "cannot read " << path;
    return forms;
  }
  for (const QZDatabaseEntry& e : entries) {
    if (e.type == kQZFFormType) forms.push_back({e.id, {bytes.begin() + e.offset, bytes.begin() + e.offset + e.size}});
  }
  return forms;
}

const std::filesystem::path kData = std::filesystem::path(PELLWYN_BINARY_DIR) / "data" / "pellwyn";

// Every form the build compiled reads with the framework's reader, and every
// gadget record it holds builds a gadget description.
TEST_F(FormSourceReaderTest, EveryBuiltFormReadsWithEveryGadget) {
  int count = 0;
  for (const auto& path : {kData / "install" / "Pellwyn.pdb", kData / "gallery" / "PellwynGallery.pdb"}) {
    for (const BuiltForm& built : builtForms(path)) {
      QZFFormDescription form;
      ASSERT_EQ(QZFReadFormDescription(built.bytes.data(), built.bytes.size(), context_, &form), QZ_OK)
          << path << " form " << built.id;
      EXPECT_EQ(form.gadgets.size(), form.gadgetCount) << path << " form " << built.id;
      ++count;
    }
  }
  EXPECT_GE(count, 1);
}

TEST_F(FormSourceReaderTest, GalleryHoldsEveryGadgetKind) {
  for (const BuiltForm& built : builtForms(kData / "gallery" / "PellwynGallery.pdb")) {
    if (built.id != 9000) continue;
    QZFFormDescription form;
    ASSERT_EQ(QZFReadFormDescription(built.bytes.data(), built.bytes.size(), context_, &form), QZ_OK);
    std::vector<bool> kinds(13, false);
    for (const QZFGadgetDescription& g : form.gadgets) kinds[g.kind] = true;
    for (int kind = 1; kind <= 12; ++kind) EXPECT_TRUE(kinds[kind]) << "no gadget of kind " << kind;
    return;
  }
  FAIL() << "the gallery has no form 9000";
}

}  // namespace
