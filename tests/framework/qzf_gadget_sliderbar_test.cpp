#include "qzf_gadget_sliderbar.h"

#include <gtest/gtest.h>

#include <vector>

#include "gadget_fixture.h"
#include "qzf_gadget_graphic.h"

namespace gadget_test {
namespace {

constexpr uint16_t kBar = 400, kKnob = 410, kPicture = 420;
constexpr uint16_t kBarColour = 0x001F, kKnobColour = 0xFFE0;

class SliderTest : public GadgetTest {
 protected:
  void SetUp() override {
    GadgetTest::SetUp();
    addSolidBlobs(4, kBar, {{80, 6}}, kBarColour);
    addSolidBlobs(5, kKnob, {{8, 10}}, kKnobColour);
    addSolidBlobs(6, kPicture, {{20, 10}}, kBoxColour);
  }
  CQZFGadgetSliderbar* slider(uint16_t bar = kBar, uint16_t knob = kKnob) {
    return add<CQZFGadgetSliderbar>(describe(2, 20, 30, QZFSliderbarPart{bar, 255, QZ_NO_ID, 255, knob, 25}));
  }
};

TEST_F(SliderTest, KeysStepTheValueWithinItsRangeAndAlwaysReport) {
  CQZFGadgetSliderbar* s = slider();
  ASSERT_NE(s, nullptr);
  s->setValue(100);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);
  EXPECT_EQ(s->getValue(), 100);
  ASSERT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(form_->events[0].type, kQZFEventSliderbar);
  EXPECT_EQ(form_->events[0].value, 100);
  s->setValue(10);
  EXPECT_EQ(key(kQZFKeyLeft), Handled::kDone);
  EXPECT_EQ(s->getValue(), 0);
  EXPECT_EQ(form_->onKey({kQZFKeyLeft, 0, false}), Handled::kPassOn);
  s->setValue(-5);
  EXPECT_EQ(s->getValue(), 0);
  s->setValue(250);
  EXPECT_EQ(s->getValue(), 100);
}

TEST_F(SliderTest, ThePenSetsTheValueFromItsPlaceOnTheBar) {
  CQZFGadgetSliderbar* s = slider();
  ASSERT_NE(s, nullptr);
  // 80 + 8 wide: the bar starts 4 in.
  EXPECT_EQ(s->getRect(), (QZRect{20, 30, 88, 10}));
  EXPECT_EQ(pen(1, 24, 35), Handled::kDone);
  EXPECT_EQ(s->getValue(), 0);
  EXPECT_EQ(pen(2, 64, 35), Handled::kDone);
  EXPECT_EQ(s->getValue(), 50);
  EXPECT_EQ(pen(0, 108, 40), Handled::kDone);  // 105, held to 100
  EXPECT_EQ(s->getValue(), 100);
  EXPECT_EQ(pen(0, 109, 40), Handled::kPassOn);
  EXPECT_EQ(pen(16, 60, 35), Handled::kPassOn);
  EXPECT_EQ(form_->events.size(), 3u);
}

TEST_F(SliderTest, DrawsTheKnobOverTheBarAtItsValueOrPlainBarsWithoutImages) {
  CQZFGadgetSliderbar* s = slider();
  ASSERT_NE(s, nullptr);
  s->setValue(50);
  drawAll();
  // The knob (8 wide) is centred on the bar's middle: 24 + 40 - 4.
  EXPECT_EQ(areaPixel(59, 35), kBarColour);
  EXPECT_EQ(areaPixel(60, 31), kKnobColour);
  EXPECT_EQ(areaPixel(67, 35), kKnobColour);
  EXPECT_EQ(areaPixel(68, 35), kBarColour);
  form_->removeGadget(2);
  // Something else holds the focus, so the slider shows its own look.
  ASSERT_NE(add<CQZFGadgetSliderbar>(describe(3, 100, 150, QZFSliderbarPart{})), nullptr);
  CQZFGadgetSliderbar* plain = slider(kMissing, kMissing);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->getRect().w, CQZFGadgetSliderbar::kPlainBarWidth + CQZFGadgetSliderbar::kPlainKnobWidth);
  drawAll();
  // The bar from 23 (rows 34-37), the knob at 0 (20-25, rows 30-41).
  EXPECT_EQ(areaPixel(40, 36), kFocus);
  EXPECT_EQ(areaPixel(40, 31), kPaper);
  EXPECT_EQ(areaPixel(21, 31), kFocus);
  EXPECT_EQ(pen(1, 23 + 32, 36), Handled::kDone);
  EXPECT_EQ(plain->getValue(), 50);
}

TEST_F(SliderTest, TheStateIsTheValue) {
  CQZFGadgetSliderbar* s = slider();
  ASSERT_NE(s, nullptr);
  s->setValue(37);
  EXPECT_EQ(save(*s), (std::vector<uint8_t>{0, 0, 0, 0x25}));
  ASSERT_EQ(load(*s, {0, 0, 0x01, 0x00}), 0);
  EXPECT_EQ(s->getValue(), 100);
  EXPECT_LT(load(*s, {0, 0}), 0);
}

TEST_F(SliderTest, AGraphicCentresItsImageAndKeepsItsSizeWithoutOne) {
  CQZFGadgetGraphic* picture = add<CQZFGadgetGraphic>(describe(7, 10, 100, QZFGraphicPart{kPicture, 255, 40, -1}));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->getRect(), (QZRect{10, 100, 40, 10}));
  EXPECT_FALSE(picture->takesFocus());
  drawAll();
  EXPECT_EQ(areaPixel(19, 100), kPaper);
  EXPECT_EQ(areaPixel(20, 100), kBoxColour);
  EXPECT_EQ(areaPixel(39, 109), kBoxColour);
  picture->setValue(QZ_NO_ID);
  EXPECT_EQ(picture->getRect(), (QZRect{10, 100, 40, 10}));
  drawAll();
  EXPECT_EQ(areaPixel(20, 100), kPaper);
  picture->setValue(kPicture);
  EXPECT_EQ(save(*picture), (std::vector<uint8_t>{0, 0, 0x01, 0xA4}));
  ASSERT_EQ(load(*picture, {0, 0, 0xFF, 0xFF}), 0);
  EXPECT_EQ(picture->getValue(), QZ_NO_ID);
}

}  // namespace
}  // namespace gadget_test
