#include "qzf_gadget_button.h"

#include <gtest/gtest.h>

#include <vector>

#include "gadget_fixture.h"

namespace gadget_test {
namespace {

QZFButtonPart capsButton(std::u16string text) {
  QZFButtonPart p;
  p.text = std::move(text);
  p.normal = {{kLeftCap, kMiddle, kRightCap}, 255};
  p.font = kFont;
  return p;
}

using ButtonTest = GadgetTest;

TEST_F(ButtonTest, LayoutTilesTheMiddleOverTheTextAndAddsPadding) {
  // "OK" is 12 wide: left 4 + right 4 + 4 * ceil(12 / 4), padding 2 on each side.
  QZFGadgetDescription d = describe(5, 100, 20, capsButton(u"OK"), 1);
  d.padding = 2;
  CQZFGadgetButton* b = add<CQZFGadgetButton>(d);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->getRect(), (QZRect{88, 20, 24, 16}));
  // Empty text: the left cap alone, or the minimum width.
  b->setText(nullptr);
  EXPECT_EQ(b->getRect().w, 4 + 4);
  QZFButtonPart wide = capsButton(u"");
  wide.minimumWidth = 30;
  CQZFGadgetButton* w = add<CQZFGadgetButton>(describe(6, 0, 0, wide));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->getRect().w, 30);
  EXPECT_TRUE(b->takesFocus());
}

TEST_F(ButtonTest, KeysAndPenSendTheEventOnlyForAPressAndReleaseOnIt) {
  CQZFGadgetButton* b = add<CQZFGadgetButton>(describe(5, 10, 10, capsButton(u"OK")));
  ASSERT_NE(b, nullptr);
  const QZRect r = b->getRect();
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  EXPECT_EQ(form_->onKey({kQZFKeyReturn, 0, false}), Handled::kPassOn);
  ASSERT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(form_->events[0].gadgetId, 5);
  EXPECT_EQ(form_->events[0].type, kQZFEventButton);
  // Down, move out, up outside: nothing.
  EXPECT_EQ(pen(1, r.x + r.w, r.y + r.h), Handled::kDone);  // the far edges belong to it
  EXPECT_TRUE(b->isPressed());
  EXPECT_EQ(pen(2, r.x + 2, r.y + 2), Handled::kPassOn);
  EXPECT_EQ(pen(2, r.x + r.w + 5, r.y), Handled::kPassOn);
  EXPECT_FALSE(b->isPressed());
  EXPECT_EQ(pen(0, r.x + r.w + 5, r.y), Handled::kPassOn);
  // An up without a press is not for it.
  EXPECT_EQ(pen(0, r.x + 1, r.y + 1), Handled::kPassOn);
  EXPECT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(pen(1, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(pen(0, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(form_->events.size(), 2u);
}

TEST_F(ButtonTest, DrawsItsCapsAndCentredTextOrAFrameWithoutThem) {
  CQZFGadgetButton* b = add<CQZFGadgetButton>(describe(5, 10, 10, capsButton(u"OK")));
  QZFButtonPart bare = capsButton(u"OK");
  bare.normal = {{kMissing, kMissing, kMissing}, 255};
  QZFGadgetDescription d = describe(6, 10, 40, bare);
  d.padding = 2;
  CQZFGadgetButton* plain = add<CQZFGadgetButton>(d);
  ASSERT_NE(b, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->getRect(), (QZRect{10, 40, 12 + 4, 8 + 4}));
  drawAll();
  // Caps at 10..29; the text (12 wide) centred over 20 pixels starts at 14.
  EXPECT_EQ(areaPixel(10, 10), kCapColour);
  EXPECT_EQ(areaPixel(29, 21), kCapColour);
  EXPECT_EQ(areaPixel(14, 12), kGlyph);
  // Without images: a frame in the focus colour around the text.
  EXPECT_EQ(areaPixel(10, 40), kFocus);
  EXPECT_EQ(areaPixel(25, 51), kFocus);
  EXPECT_EQ(areaPixel(12, 42), kGlyph);
  EXPECT_EQ(areaPixel(11, 41), kPaper);
}

TEST_F(ButtonTest, TheValueNamesAStringAndTheStateKeepsMinimumWidthAndText) {
  serve({{kFormId, formBytes()}}, {{7, u"Go"}});
  CQZFGadgetButton* b = add<CQZFGadgetButton>(describe(5, 10, 10, capsButton(u"OK")));
  ASSERT_NE(b, nullptr);
  b->setValue(7);
  EXPECT_EQ(std::u16string(b->getText()), u"Go");
  EXPECT_EQ(b->getValue(), 0);
  b->setValue(8);  // no such string
  EXPECT_EQ(b->getText(), nullptr);
  b->setText(u"OK");
  EXPECT_EQ(save(*b), (std::vector<uint8_t>{0xFF, 0xFF, 0x00, 0x03, 0x00, 0x4F, 0x00, 0x4B, 0x00, 0x00}));
  CQZFGadgetButton* other = add<CQZFGadgetButton>(describe(6, 10, 40, capsButton(u"Longer")));
  ASSERT_EQ(load(*other, save(*b)), 0);
  EXPECT_EQ(std::u16string(other->getText()), u"OK");
  EXPECT_EQ(other->getRect().w, b->getRect().w);
  // A text cut short is an error, not a shifted read.
  std::vector<uint8_t> cut = save(*b);
  cut.resize(6);
  app_.reports.clear();
  EXPECT_LT(load(*other, cut), 0);
  EXPECT_FALSE(app_.reports.empty());
}

}  // namespace
}  // namespace gadget_test
