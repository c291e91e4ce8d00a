#include "qzf_gadget_scrolltext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget_fixture.h"
#include "qz_colour.h"
#include "qzf_gadget_url.h"
#include "qzf_graphics.h"

namespace gadget_test {
namespace {

constexpr uint16_t kArrows = 500;  // up, up pressed, down, down pressed: 8 x 8
constexpr uint16_t kFrameColour = 0xF81F;

// Twelve words of four letters: a line each in a box of 40.
const std::u16string kLong = u"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll";

class ScrollTextTest : public GadgetTest {
 protected:
  void SetUp() override {
    GadgetTest::SetUp();
    addSolidBlobs(7, kArrows, std::vector<std::pair<int, int>>(4, {8, 8}), 0x07FF);
  }
  // 50 x 36 with padding 2: four lines of 8 a page.
  CQZFGadgetScrollText* scrollText(std::u16string text) {
    QZFScrollTextPart p;
    p.text = std::move(text);
    p.width = 50;
    p.height = 36;
    p.font = kFont;
    p.frame = {255, kFrameColour};
    p.background = {255, kPaper};
    p.scrollBar = {kArrows, kArrows + 1, kArrows + 2, kArrows + 3, 255, {255, 0}, {255, 0xFFFF}};
    QZFGadgetDescription d = describe(40, 10, 10, p);
    d.padding = 2;
    return add<CQZFGadgetScrollText>(d);
  }
};

TEST_F(ScrollTextTest, AFittingTextHasNoBarAndTheFullInnerWidth) {
  CQZFGadgetScrollText* s = scrollText(u"aaaa bbbb cccc");
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->isBarShown());
  EXPECT_EQ(s->getTextWidth(), 46);
  EXPECT_EQ(s->getLineCount(), 3);
  EXPECT_EQ(key(kQZFKeyDown), Handled::kPassOn);
  s->setText(nullptr);
  EXPECT_EQ(s->getRect().h, 0);
  EXPECT_FALSE(s->isBarShown());
}

TEST_F(ScrollTextTest, KeysPageByLinesUntilTheLastPage) {
  CQZFGadgetScrollText* s = scrollText(kLong);
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(s->isBarShown());
  EXPECT_EQ(s->getTextWidth(), 50 - 4 - 8);
  EXPECT_EQ(s->getLineCount(), 12);
  EXPECT_EQ(s->getLinesPerPage(), 4);
  EXPECT_EQ(s->onKey(QZFKeyEvent::key(kQZFKeyUp)), Handled::kPassOn);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s->onKey(QZFKeyEvent::key(kQZFKeyDown)), Handled::kDone);
  EXPECT_EQ(s->onKey(QZFKeyEvent::key(kQZFKeyDown)), Handled::kPassOn);
  EXPECT_EQ(s->getFirstLine(), 8);
  EXPECT_EQ(s->onKey(QZFKeyEvent::key(kQZFKeyUp)), Handled::kDone);
  EXPECT_EQ(s->getFirstLine(), 7);
  s->setText(kLong.c_str());
  EXPECT_EQ(s->getFirstLine(), 0);
}

TEST_F(ScrollTextTest, ThePenScrollsByArrowsAndTrack) {
  CQZFGadgetScrollText* s = scrollText(kLong);
  ASSERT_NE(s, nullptr);
  // Down arrow at the bottom of the bar (x 42..49, y 28..35).
  EXPECT_EQ(pen(1, 10 + 45, 10 + 30), Handled::kDone);
  EXPECT_EQ(s->getFirstLine(), 0);
  EXPECT_EQ(pen(0, 10 + 45, 10 + 30), Handled::kDone);
  EXPECT_EQ(s->getFirstLine(), 1);
  // The track: 8..28, thumb 20 * 4 / 12 = 6; y 18 → 12 * (18 - 3 - 8) / 20 = 4.
  EXPECT_EQ(pen(1, 10 + 45, 10 + 18), Handled::kDone);
  EXPECT_EQ(s->getFirstLine(), 4);
  // Left of the bar, or pen type 32: taken, nothing moves.
  EXPECT_EQ(pen(1, 10 + 5, 10 + 30), Handled::kDone);
  EXPECT_EQ(pen(32, 10 + 45, 10 + 30), Handled::kDone);
  EXPECT_EQ(s->getFirstLine(), 4);
  EXPECT_EQ(pen(1, 10 + 80, 10 + 30), Handled::kPassOn);
}

TEST_F(ScrollTextTest, DrawsThePageInAFramedBoxWithoutPassingItsBottom) {
  CQZFGadgetScrollText* s = scrollText(kLong);
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(s->onKey(QZFKeyEvent::key(kQZFKeyDown)) == Handled::kDone);
  drawAll();
  EXPECT_EQ(areaPixel(10, 10), kFrameColour);
  // Lines from y 12: "bbbb" first, four lines to y 43, then the padding.
  EXPECT_EQ(areaPixel(12, 12), kGlyph);
  EXPECT_EQ(areaPixel(12, 36), kGlyph);
  EXPECT_EQ(areaPixel(12, 44), kPaper);
  EXPECT_EQ(areaPixel(12, 45), kFrameColour);
  EXPECT_EQ(areaPixel(54, 12), 0x07FF);
  EXPECT_TRUE(save(*s).empty());
}

std::vector<std::pair<std::u16string, std::u16string>> g_started;
void record(const char16_t* program, const char16_t* commandLine) { g_started.emplace_back(program, commandLine); }

class URLTest : public GadgetTest {
 protected:
  void SetUp() override {
    GadgetTest::SetUp();
    g_started.clear();
    QZFSetProgramStarter(record);
  }
  void TearDown() override {
    QZFSetProgramStarter(nullptr);
    GadgetTest::TearDown();
  }
  CQZFGadgetURL* link(std::u16string caption, std::u16string address, std::u16string text) {
    QZFURLPart p;
    p.font = QZ_NO_ID;
    p.colours[0] = static_cast<uint8_t>(QZRGBToIndex(255, 255, 255));
    p.colours[1] = p.colours[0];
    p.colours[2] = p.colours[0];
    p.caption = std::move(caption);
    p.address = std::move(address);
    p.text = std::move(text);
    return add<CQZFGadgetURL>(describe(50, 10, 100, p));
  }
};

TEST_F(URLTest, ALinkShowsItsCaptionTakesTheFocusAndStartsTheBrowser) {
  CQZFGadgetURL* l = link(u"Home", u"example.org/x", u"");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(std::u16string(l->getShownText()), u"Home");
  EXPECT_TRUE(l->canFocus());
  EXPECT_EQ(form_->getGadgetHandler()->getFocusedId(), 50);
  EXPECT_EQ(l->getRect().h, g_->getFontHeight());
  EXPECT_EQ(l->getRect().w, g_->getSystemTextWidth(u"Home"));
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kDone);
  ASSERT_EQ(g_started.size(), 1u);
  EXPECT_EQ(g_started[0].first, u"iexplore.exe");
  EXPECT_EQ(g_started[0].second, u"http://example.org/x");
  // Pressed, released elsewhere: nothing; pressed and released on it: started.
  const QZRect r = l->getRect();
  EXPECT_EQ(pen(1, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_TRUE(l->isPressed());
  EXPECT_EQ(pen(0, r.x + r.w + 5, r.y + 1), Handled::kPassOn);
  EXPECT_FALSE(l->isPressed());
  EXPECT_EQ(g_started.size(), 1u);
  EXPECT_EQ(pen(1, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(pen(0, r.x + 1, r.y + 1), Handled::kDone);
  EXPECT_EQ(g_started.size(), 2u);
  drawAll();
  bool drawn = false;
  for (int y = r.y; y < r.y + r.h; ++y) {
    for (int x = r.x; x < r.x + r.w; ++x) drawn |= areaPixel(x, y) != kPaper;
  }
  EXPECT_TRUE(drawn);
}

TEST_F(URLTest, WithoutAnAddressItIsPlainTextThatIgnoresTheActionKey) {
  CQZFGadgetURL* l = link(u"Home", u"", u"Just text");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(std::u16string(l->getShownText()), u"Just text");
  EXPECT_FALSE(l->canFocus());
  EXPECT_EQ(l->onKey(QZFKeyEvent::key(kQZFKeyReturn)), Handled::kPassOn);
  l->setPlainText(nullptr);
  EXPECT_EQ(std::u16string(l->getShownText()), u"Home");
  // A link without a caption shows its plain text, then its address.
  l->setAddress(u"a.b");
  EXPECT_EQ(std::u16string(l->getShownText()), u"Home");
  l->setCaption(nullptr);
  EXPECT_EQ(std::u16string(l->getShownText()), u"a.b");
  EXPECT_TRUE(g_started.empty());
}

TEST_F(URLTest, TheStateIsTheThreeTexts) {
  CQZFGadgetURL* l = link(u"A", u"", u"");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(save(*l), (std::vector<uint8_t>{0, 2, 0, 'A', 0, 0, 0, 0, 0, 0}));
  l->setAddress(u"x.y");
  const std::vector<uint8_t> saved = save(*l);
  CQZFGadgetURL* other = link(u"", u"", u"Plain");
  ASSERT_EQ(load(*other, saved), 0);
  EXPECT_TRUE(other->isLink());
  EXPECT_EQ(std::u16string(other->getShownText()), u"A");
  EXPECT_LT(load(*other, {0, 2, 0, 'A'}), 0);
}

}  // namespace
}  // namespace gadget_test
