#include "qzf_gadget_checkbox.h"

#include <gtest/gtest.h>

#include <vector>

#include "gadget_fixture.h"

namespace gadget_test {
namespace {

QZFCheckboxPart box(std::u16string text, uint16_t group = QZ_NO_ID) {
  QZFCheckboxPart p;
  p.text = std::move(text);
  p.group = group;
  p.unchecked = kBox;
  p.checked = kBox;
  p.level = 255;
  p.gap = 3;
  p.font = kFont;
  return p;
}

using CheckboxTest = GadgetTest;

TEST_F(CheckboxTest, AloneTheActionKeyFlipsItAndReportsTheNewState) {
  CQZFGadgetCheckbox* c = add<CQZFGadgetCheckbox>(describe(4, 10, 10, box(u"On")));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  EXPECT_EQ(c->getValue(), 1);
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  EXPECT_EQ(c->getValue(), 0);
  ASSERT_EQ(form_->events.size(), 2u);
  EXPECT_EQ(form_->events[0].type, kQZFEventCheckbox);
  EXPECT_EQ(form_->events[0].group, QZ_NO_ID);
  EXPECT_EQ(form_->events[0].checked, 1);
  EXPECT_EQ(form_->events[1].checked, 0);
}

TEST_F(CheckboxTest, InAGroupExactlyOneIsOnAndTheOnOneStaysOn) {
  std::vector<CQZFGadgetCheckbox*> group;
  for (int i = 0; i < 3; ++i) group.push_back(add<CQZFGadgetCheckbox>(describe(10 + i, 10, 20 * i, box(u"X", 7))));
  ASSERT_EQ(form_->getGadgetHandler()->getFocusedId(), 10);
  const QZRect r = group[2]->getRect();
  EXPECT_EQ(pen(1, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(pen(2, r.x + 2, r.y + 1), Handled::kDone);  // a move on it is taken too
  EXPECT_EQ(pen(0, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(group[0]->getValue(), 0);
  EXPECT_EQ(group[2]->getValue(), 1);
  key(kQZFKeyReturn);  // the focused first one
  EXPECT_EQ(group[0]->getValue(), 1);
  EXPECT_EQ(group[2]->getValue(), 0);
  key(kQZFKeyReturn);  // already on: stays on and still reports
  EXPECT_EQ(group[0]->getValue(), 1);
  ASSERT_EQ(form_->events.size(), 3u);
  EXPECT_EQ(form_->events[2].gadgetId, 10);
  EXPECT_EQ(form_->events[2].group, 7);
  EXPECT_EQ(form_->events[2].checked, 1);
  // Pressed on it and released off it: nothing.
  EXPECT_EQ(pen(1, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(pen(0, r.x + 100, r.y + 1), Handled::kPassOn);
  EXPECT_FALSE(group[2]->isPressed());
  EXPECT_EQ(form_->events.size(), 3u);
}

TEST_F(CheckboxTest, TheTextWrapsInTheRoomLeftBesideTheBox) {
  // Limit -1, left aligned at x = 100 on 176: 76 - 10 (box) - 3 (gap) = 63,
  // room for "aaaa aaaa" (53) but not one more word.
  CQZFGadgetCheckbox* c = add<CQZFGadgetCheckbox>(describe(4, 100, 0, box(u"aaaa aaaa aaaa")));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->getRect(), (QZRect{100, 0, 10 + 3 + 53, 16}));
  // Right aligned: the room is x itself, 40 - 13: one "aa" a line.
  CQZFGadgetCheckbox* right = add<CQZFGadgetCheckbox>(describe(5, 40, 40, box(u"aa aa"), 2));
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->getRect(), (QZRect{40 - 25, 40, 25, 16}));
  drawAll();
  EXPECT_EQ(areaPixel(100, 3), kBoxColour);
  EXPECT_EQ(areaPixel(113, 0), kGlyph);
  EXPECT_EQ(areaPixel(113, 8), kGlyph);
}

TEST_F(CheckboxTest, WithoutImagesTheBoxIsASquareFilledWhenChecked) {
  QZFCheckboxPart p = box(u"");
  p.unchecked = p.checked = kMissing;
  // The focus stays on the first one, so the look of the second is its own.
  ASSERT_NE(add<CQZFGadgetCheckbox>(describe(3, 100, 100, box(u""))), nullptr);
  CQZFGadgetCheckbox* c = add<CQZFGadgetCheckbox>(describe(4, 10, 10, p));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->getRect(), (QZRect{10, 10, 8, 8}));
  drawAll();
  EXPECT_EQ(areaPixel(10, 10), kFocus);
  EXPECT_NE(areaPixel(13, 13), kFocus);
  c->setValue(1);
  drawAll();
  EXPECT_EQ(areaPixel(13, 13), kFocus);
}

TEST_F(CheckboxTest, StateKeepsValueAndText) {
  CQZFGadgetCheckbox* c = add<CQZFGadgetCheckbox>(describe(4, 10, 10, box(u"")));
  ASSERT_NE(c, nullptr);
  c->setValue(1);
  c->setText(nullptr);
  EXPECT_EQ(save(*c), (std::vector<uint8_t>{0, 0, 0, 1, 0, 0}));
  c->setText(u"Yes");
  const std::vector<uint8_t> saved = save(*c);
  CQZFGadgetCheckbox* other = add<CQZFGadgetCheckbox>(describe(5, 10, 40, box(u"")));
  ASSERT_EQ(load(*other, saved), 0);
  EXPECT_EQ(other->getValue(), 1);
  EXPECT_EQ(std::u16string(other->getText()), u"Yes");
  EXPECT_LT(load(*other, {0, 0}), 0);
}

}  // namespace
}  // namespace gadget_test
