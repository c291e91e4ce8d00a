#include "qzf_gadget_label.h"

#include <gtest/gtest.h>

#include <vector>

#include "gadget_fixture.h"
#include "qzf_gadget_button.h"
#include "qzf_gadget_timer.h"

namespace gadget_test {
namespace {

QZFLabelPart text(std::u16string t, int16_t w = -1, int16_t h = -1) { return QZFLabelPart{std::move(t), w, h, kFont}; }

using LabelTest = GadgetTest;

TEST_F(LabelTest, AutomaticSizeFollowsTheAlignmentAndTheText) {
  // Centred at x = 30 on 176: 2 x 30 = 60 wide, so "aaaa aaaa aaaa" wraps to two lines.
  CQZFGadgetLabel* centred = add<CQZFGadgetLabel>(describe(1, 30, 10, text(u"aaaa aaaa aaaa"), 1));
  ASSERT_NE(centred, nullptr);
  EXPECT_EQ(centred->getRect(), (QZRect{30 - 26, 10, 53, 16}));
  // Left aligned at 150: 26 pixels, one word a line.
  CQZFGadgetLabel* left = add<CQZFGadgetLabel>(describe(2, 150, 50, text(u"aaa aaa")));
  EXPECT_EQ(left->getRect(), (QZRect{150, 50, 18, 16}));
  // No text: no height.
  left->setText(nullptr);
  EXPECT_EQ(left->getRect().h, 0);
  EXPECT_FALSE(centred->takesFocus());
}

TEST_F(LabelTest, AFixedBoxShowsOnlyTheLinesThatStartInsideIt) {
  // Three lines of 8 in a 12-pixel box: the text is cut to the box, the
  // first line starts at the top, the second inside, the third not.
  CQZFGadgetLabel* l = add<CQZFGadgetLabel>(describe(1, 0, 0, text(u"aa bb cc", 12, 12)));
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->getRect(), (QZRect{0, 0, 12, 12}));
  drawAll();
  EXPECT_EQ(areaPixel(0, 0), kGlyph);
  EXPECT_EQ(areaPixel(0, 8), kGlyph);
  EXPECT_EQ(areaPixel(0, 16), kPaper);
}

TEST_F(LabelTest, TheValueNamesAStringAndTheStateKeepsTheText) {
  serve({{kFormId, formBytes()}}, {{3, u"Hello"}});
  CQZFGadgetLabel* l = add<CQZFGadgetLabel>(describe(1, 0, 0, text(u"x")));
  ASSERT_NE(l, nullptr);
  l->setValue(3);
  EXPECT_EQ(std::u16string(l->getText()), u"Hello");
  EXPECT_EQ(l->getValue(), 0);
  EXPECT_EQ(l->getRect().w, 30);
  CQZFGadgetLabel* other = add<CQZFGadgetLabel>(describe(2, 0, 40, text(u"")));
  ASSERT_EQ(load(*other, save(*l)), 0);
  EXPECT_EQ(std::u16string(other->getText()), u"Hello");
  EXPECT_EQ(other->getRect().w, 30);
  // A text without its terminator is cut where it ends.
  EXPECT_EQ(load(*other, {0, 2, 0, 'A', 0, 'B'}), 0);
  EXPECT_EQ(std::u16string(other->getText()), u"A");
}

// Labels and timers take the focus like any gadget; their neighbours lead on,
// so the focus never sticks on one.
TEST_F(LabelTest, NavigationGoesOnThroughLabelsAndTimers) {
  auto linked = [](QZFGadgetDescription d, uint16_t up, uint16_t down) {
    d.neighbours[kQZFUp] = up;
    d.neighbours[kQZFDown] = down;
    return d;
  };
  QZFButtonPart button;
  button.text = u"GO";
  button.font = kFont;
  QZFTimerPart timer;
  timer.font = kFont;
  timer.start = 3000;
  ASSERT_NE(add<CQZFGadgetButton>(linked(describe(1, 10, 0, button), QZ_NO_ID, 2)), nullptr);
  ASSERT_NE(add<CQZFGadgetLabel>(linked(describe(2, 10, 20, text(u"AB")), 1, 3)), nullptr);
  ASSERT_NE(add<CQZFGadgetTimer>(linked(describe(3, 10, 40, timer), 2, 4)), nullptr);
  ASSERT_NE(add<CQZFGadgetButton>(linked(describe(4, 10, 60, button), 3, QZ_NO_ID)), nullptr);
  CQZFGadgetHandler* gadgets = form_->getGadgetHandler();
  ASSERT_EQ(gadgets->getFocusedId(), 1);
  for (const int expected : {2, 3, 4, 4}) {
    key(kQZFKeyDown);
    EXPECT_EQ(gadgets->getFocusedId(), expected);
  }
  for (const int expected : {3, 2, 1}) {
    key(kQZFKeyUp);
    EXPECT_EQ(gadgets->getFocusedId(), expected);
  }
}

TEST_F(LabelTest, AFormBuildsEveryKindFromItsDescriptionRecord) {
  std::vector<uint8_t> label = record(1, kQZFGadgetLabel, 10, 10, 30);
  put16(label, 22, 3);
  put16(label, 24, QZ_NO_ID);
  put16(label, 26, QZ_NO_ID);
  put16(label, 28, kFont);
  std::vector<uint8_t> button = record(2, kQZFGadgetButton, 10, 40, 49);
  put16(button, 22, 3);
  for (size_t at = 24; at < 45; at += 2) put16(button, at, QZ_NO_ID);
  put16(button, 45, kFont);
  put16(button, 47, QZ_NO_ID);
  std::vector<uint8_t> check = record(3, kQZFGadgetCheckbox, 10, 60, 44);
  put16(check, 24, QZ_NO_ID);
  put16(check, 26, kBox);
  put16(check, 28, kBox);
  put16(check, 42, kFont);
  serve({{5, formBytes({label, button, check}, 3)}}, {{3, u"Hello"}});
  ASSERT_NE(open(5), nullptr);
  CQZFGadgetHandler* gadgets = form_->getGadgetHandler();
  ASSERT_EQ(gadgets->getCount(), 3);
  EXPECT_EQ(std::string(gadgets->at(0)->getName()), "gdtLbl");
  EXPECT_EQ(std::string(gadgets->at(1)->getName()), "gdtButton");
  EXPECT_EQ(std::string(gadgets->at(2)->getName()), "gdtChkBox");
  EXPECT_EQ(std::u16string(gadgets->at(1)->getText()), u"Hello");
  EXPECT_EQ(gadgets->getFocusedId(), 3);
  // The whole form's state comes back into a form opened anew.
  key(kQZFKeyReturn);
  SerialiseStream counter;
  ASSERT_EQ(gadgets->serialise(counter), 0);
  std::vector<uint8_t> bytes(counter.position);
  SerialiseStream writer{SERIALISE_WRITE_MEMORY, bytes.data(), static_cast<uint16_t>(bytes.size())};
  ASSERT_EQ(gadgets->serialise(writer), 0);
  ASSERT_NE(open(5), nullptr);
  EXPECT_EQ(form_->getGadgetValue(3), 0);
  SerialiseStream reader{SERIALISE_READ_MEMORY, bytes.data(), static_cast<uint16_t>(bytes.size())};
  ASSERT_EQ(form_->getGadgetHandler()->serialise(reader), 0);
  EXPECT_EQ(form_->getGadgetValue(3), 1);
}

}  // namespace
}  // namespace gadget_test
