#include "qzf_gadget_timer.h"

#include <gtest/gtest.h>

#include <vector>

#include "gadget_fixture.h"

namespace gadget_test {
namespace {

class TimerTest : public ClockedGadgetTest {
 protected:
  CQZFGadgetTimer* timer(int seconds, std::u16string format = u"") {
    QZFTimerPart p;
    p.font = kFont;
    p.start = seconds * 100;
    p.format = std::move(format);
    return add<CQZFGadgetTimer>(describe(9, 10, 10, p));
  }
  std::u16string shown(const CQZFGadgetTimer* t) const { return t->getText() ? t->getText() : u"(none)"; }
};

TEST_F(TimerTest, CountsDownInWholeSecondsAndReportsOnTheFrameAfterZero) {
  CQZFGadgetTimer* t = timer(30);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(shown(t), u"30");
  EXPECT_EQ(t->getRect().w, 12);
  frame(5);
  EXPECT_EQ(shown(t), u"29");
  EXPECT_EQ(save(*t), (std::vector<uint8_t>{0,   0,   0x0B, 0xB3, 0,   0,   0,   0,   1,   0,   8,   0, '#', 0, 'T',
                                            0,   'I', 0,    'M',  0,   'E', 0,   'R', 0,   '#', 0,   0, 0,   8, 0,
                                            '#', 0,   'T',  0,    'I', 0,   'M', 0,   'E', 0,   'R', 0, '#', 0, 0}));
  // A long frame stops the count at zero exactly; the event comes a frame later.
  frame(4000);
  EXPECT_EQ(t->getCurrent(), 0);
  EXPECT_EQ(shown(t), u"0");
  EXPECT_TRUE(form_->events.empty());
  frame(1);
  ASSERT_EQ(form_->events.size(), 1u);
  EXPECT_EQ(form_->events[0].type, kQZFEventTimer);
  EXPECT_FALSE(t->isRunning());
  frame(1);
  EXPECT_EQ(form_->events.size(), 1u);
}

TEST_F(TimerTest, WaitsForItsFormToBeActiveBeforeReporting) {
  CQZFGadgetTimer* t = timer(1);
  ASSERT_NE(t, nullptr);
  EventForm* below = form_;
  ASSERT_NE(open(), nullptr);
  frame(200);
  frame(1);
  frame(1);
  EXPECT_TRUE(below->events.empty());
  EXPECT_TRUE(t->isRunning());
  form_->close();
  frame(1);  // the covering form goes at this tick
  frame(1);
  EXPECT_EQ(below->events.size(), 1u);
}

TEST_F(TimerTest, TheTemplateKeepsTheTextAroundTheToken) {
  CQZFGadgetTimer* t = timer(30, u"Time #TIMER# s");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(shown(t), u"Time 30 s");
  frame(5);
  EXPECT_EQ(shown(t), u"Time 29 s");
  t->setText(u"Left #TIMER#");
  EXPECT_EQ(shown(t), u"Time 29 s");
  frame(100);
  EXPECT_EQ(shown(t), u"Left 28");
  t->replaceInText(u"Left", u"Rest");
  frame(100);
  EXPECT_EQ(shown(t), u"Rest 27");
  // No template: the shown text stays as it was.
  t->setText(nullptr);
  frame(100);
  EXPECT_EQ(shown(t), u"Rest 27");
}

TEST_F(TimerTest, SetToZeroItNeverReportsAndItsStateComesBack) {
  CQZFGadgetTimer* t = timer(30);
  ASSERT_NE(t, nullptr);
  frame(5);
  const std::vector<uint8_t> saved = save(*t);
  t->setValue(0);
  EXPECT_FALSE(t->isRunning());
  frame(1);
  frame(1);
  EXPECT_TRUE(form_->events.empty());
  ASSERT_EQ(load(*t, saved), 0);
  EXPECT_TRUE(t->isRunning());
  EXPECT_EQ(t->getCurrent(), 2995);
  frame(100);
  EXPECT_EQ(shown(t), u"28");
  std::vector<uint8_t> cut = saved;
  cut.resize(12);
  EXPECT_LT(load(*t, cut), 0);
}

}  // namespace
}  // namespace gadget_test
