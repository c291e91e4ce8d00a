#include "qzf_gadget_textentry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget_fixture.h"
#include "qzf_gadget_keyboard.h"

namespace gadget_test {
namespace {

constexpr uint16_t kSpaceBar = 600;  // 50 x 10
constexpr uint16_t kCursor = 610;    // 1 x 8
constexpr uint16_t kCursorColour = 0xF800;

class TextEntryTest : public ClockedGadgetTest {
 protected:
  void SetUp() override {
    ClockedGadgetTest::SetUp();
    addSolidBlobs(8, kSpaceBar, {{50, 10}}, 0x001F);
    addSolidBlobs(9, kCursor, {{1, 8}}, kCursorColour);
  }
  // An entry 60 wide (ten characters) without caps.
  CQZFGadgetTextEntry* entry(uint8_t accepted, uint16_t maxLength = 20, std::u16string text = u"") {
    QZFTextEntryPart p;
    p.text = std::move(text);
    p.maxLength = maxLength;
    p.width = 60;
    p.cursor = kCursor;
    p.accepted = accepted;
    p.font = kFont;
    return add<CQZFGadgetTextEntry>(describe(60, 10, 10, p));
  }
  std::u16string text(const CQZFGadget* g) const { return g->getText(); }
  // A 9 x 2 keyboard of 10 x 10 cells at (10, 40): a/A, b/B, a space bar of
  // five cells, c/C, shift, caps lock; d/D on the second row.
  CQZFGadgetKeyboard* keyboard() {
    QZFKeyboardPart p;
    p.columns = 9;
    p.rows = 2;
    p.cellWidth = 10;
    p.cellHeight = 10;
    p.font = kFont;
    const auto key = [](uint8_t column, uint8_t row, char16_t c, char16_t shifted, uint16_t image = QZ_NO_ID) {
      return QZFKeyDescription{
          column,         row, static_cast<uint8_t>(c), static_cast<uint8_t>(shifted), {image, QZ_NO_ID, QZ_NO_ID},
          {255, 255, 255}};
    };
    p.keys = {key(0, 0, u'a', u'A'), key(1, 0, u'b', u'B'), key(2, 0, u' ', 0, kSpaceBar), key(7, 0, u'c', u'C'),
              key(8, 0, 16, 0), key(8, 1, 20, 0), key(0, 1, u'd', u'D'),
              // Outside the grid: left out.
              key(9, 0, u'x', 0), key(0, 2, u'y', 0)};
    return add<CQZFGadgetKeyboard>(describe(61, 10, 40, p));
  }
};

TEST_F(TextEntryTest, TheFlagsChooseWhichCharactersAreTaken) {
  struct Case {
    uint8_t accepted;
    char16_t typed;
    bool taken;
    std::u16string result;
  };
  using E = CQZFGadgetTextEntry;
  const Case cases[] = {
      {E::kLetters, u'a', true, u"A"},
      {E::kLetters | E::kKeepLowerCase, u'a', true, u"a"},
      {E::kLetters, u' ', true, u" "},
      {E::kLetters, u'5', false, u""},
      {E::kDigits, u'5', true, u"5"},
      {E::kDigits, u'a', false, u""},
      {E::kAnyGlyph, u'q', true, u"q"},
      {E::kAnyGlyph, u'!', false, u""},
      {E::kLetters | E::kAnyGlyph, u'%', false, u""},
      {E::kAnyGlyph, u'\'', false, u""},
  };
  for (const Case& c : cases) {
    CQZFGadgetTextEntry* e = entry(c.accepted);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->onKey(QZFKeyEvent::character(c.typed)), c.taken ? Handled::kDone : Handled::kPassOn)
        << static_cast<int>(c.typed);
    EXPECT_EQ(text(e), c.result) << static_cast<int>(c.typed);
    form_->removeGadget(60);
  }
}

TEST_F(TextEntryTest, EditingKeepsTheMaximumAndBackDeletesEvenWhenEmpty) {
  CQZFGadgetTextEntry* e = entry(CQZFGadgetTextEntry::kLetters, 5);
  ASSERT_NE(e, nullptr);
  e->setText(u"abcdefg");
  EXPECT_EQ(text(e), u"abcde");
  EXPECT_EQ(e->getCursor(), 5);
  // Full: a letter changes nothing; backspace still deletes.
  EXPECT_EQ(character(u'x'), Handled::kDone);
  EXPECT_EQ(text(e), u"abcde");
  EXPECT_EQ(character(8), Handled::kDone);
  EXPECT_EQ(text(e), u"abcd");
  // The cursor moves inside the text with the arrows (taken, so the focus stays).
  EXPECT_EQ(e->onKey(QZFKeyEvent::key(kQZFKeyLeft)), Handled::kDone);
  EXPECT_EQ(e->onKey(QZFKeyEvent::key(kQZFKeyLeft)), Handled::kDone);
  EXPECT_EQ(character(u'z'), Handled::kDone);
  EXPECT_EQ(text(e), u"abZcd");
  e->setText(nullptr);
  EXPECT_EQ(key(kQZFKeyBack), Handled::kDone);
  EXPECT_FALSE(form_->isClosed());
  EXPECT_EQ(text(e), u"");
  e->replaceInText(u"", u"q");
  e->setText(u"abc");
  e->replaceInText(u"b", u"XYZW");
  EXPECT_EQ(text(e), u"aXYZW");
}

TEST_F(TextEntryTest, TheViewKeepsTheCharacterAfterTheCursorInSight) {
  CQZFGadgetTextEntry* e = entry(CQZFGadgetTextEntry::kLetters, 30, u"abcdefghijklmnopqrst");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->getVisibleWidth(), 60);
  // At the end: the last characters that fit (one less than ten).
  EXPECT_EQ(e->getFirstVisible(), 11);
  for (int i = 0; i < 10; ++i) e->onKey(QZFKeyEvent::key(kQZFKeyLeft));
  // Cursor 10: n = 12, nine characters back.
  EXPECT_EQ(e->getCursor(), 10);
  EXPECT_EQ(e->getFirstVisible(), 3);
  // A tap on the third visible character puts the cursor after it.
  EXPECT_EQ(pen(1, 10 + 14, 12), Handled::kDone);
  EXPECT_EQ(e->getCursor(), 6);
  EXPECT_EQ(pen(0, 10 + 14, 12), Handled::kDone);
  EXPECT_EQ(pen(1, 100, 12), Handled::kPassOn);
}

TEST_F(TextEntryTest, TheCursorBlinksOnTheFrameClock) {
  CQZFGadgetTextEntry* e = entry(CQZFGadgetTextEntry::kLetters, 10, u"ab");
  ASSERT_NE(e, nullptr);
  const std::vector<int> expected = {30, 20, 10, 0, -10, -20, -30, -40, 40};
  for (int want : expected) {
    frame(10);
    EXPECT_EQ(e->getBlink(), want);
  }
  drawAll();
  // Visible now: drawn just left of the third character's place.
  EXPECT_EQ(areaPixel(10 + 11, 12), kCursorColour);
  for (int i = 0; i < 4; ++i) frame(10);
  drawAll();
  EXPECT_NE(areaPixel(10 + 11, 12), kCursorColour);
  EXPECT_EQ(areaPixel(69, 10), kFocus);  // the plain frame
}

TEST_F(TextEntryTest, TheStateIsTheText) {
  CQZFGadgetTextEntry* e = entry(CQZFGadgetTextEntry::kLetters, 4, u"ab");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(save(*e), (std::vector<uint8_t>{0, 3, 0, 'a', 0, 'b', 0, 0}));
  ASSERT_EQ(load(*e, {0, 7, 0, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0, 'f', 0, 0}), 0);
  EXPECT_EQ(text(e), u"abcd");
  EXPECT_LT(load(*e, {0, 7, 0, 'a'}), 0);
  EXPECT_EQ(e->onTextInput(u"ignored"), Handled::kDone);
}

TEST_F(TextEntryTest, KeyboardKeysSpanTheirImageAndNavigationCrossesThemInOneStep) {
  CQZFGadgetKeyboard* k = keyboard();
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->getRect(), (QZRect{10, 40, 90, 20}));
  for (int c = 2; c <= 6; ++c) EXPECT_EQ(k->keyAt(c, 0), 2) << c;
  EXPECT_EQ(k->keyAt(1, 1), -1);
  form_->getGadgetHandler()->setFocus(61);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);
  EXPECT_EQ(k->getColumn(), 1);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);
  EXPECT_EQ(k->getColumn(), 2);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);
  EXPECT_EQ(k->getColumn(), 7);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kPassOn);
  EXPECT_EQ(k->getColumn(), 8);
  EXPECT_EQ(key(kQZFKeyDown), Handled::kDone);
  EXPECT_EQ(k->getRow(), 1);
  EXPECT_EQ(key(kQZFKeyDown), Handled::kPassOn);
}

TEST_F(TextEntryTest, KeyboardKeysTypeIntoTheEntryWithShiftForOneKey) {
  CQZFGadgetTextEntry* e = entry(CQZFGadgetTextEntry::kLetters | CQZFGadgetTextEntry::kKeepLowerCase);
  CQZFGadgetKeyboard* k = keyboard();
  ASSERT_NE(k, nullptr);
  form_->getGadgetHandler()->setFocus(61);
  // Enter presses the current key and still passes on.
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kPassOn);
  k->press(8, 0);  // shift
  EXPECT_TRUE(k->isShifted());
  k->press(0, 0);
  k->press(0, 0);
  EXPECT_EQ(text(e), u"aAa");
  k->press(8, 1);  // caps lock, then shift: plain again
  k->press(8, 0);
  k->press(1, 0);
  k->press(1, 0);
  EXPECT_EQ(text(e), u"aAabB");
  // The pen: column (35 - 0) / 10 = 3, the space bar; pressed when lifted.
  EXPECT_EQ(pen(1, 10 + 35, 45), Handled::kPassOn);
  EXPECT_EQ(k->getColumn(), 3);
  EXPECT_EQ(text(e), u"aAabB");
  EXPECT_EQ(pen(0, 10 + 35, 45), Handled::kPassOn);
  EXPECT_EQ(text(e), u"aAabB ");
  // The far edge belongs to the last cell.
  EXPECT_EQ(pen(0, 10 + 90, 40 + 20), Handled::kPassOn);
  EXPECT_EQ(k->getColumn(), 8);
  EXPECT_EQ(k->getRow(), 1);
  EXPECT_TRUE(save(*k).empty());
}

TEST_F(TextEntryTest, AKeyboardWithoutCellSizeIsNotBuilt) {
  ASSERT_NE(open(), nullptr);
  QZFKeyboardPart p;
  p.columns = 2;
  p.rows = 1;
  p.cellWidth = 0;
  p.cellHeight = 10;
  EXPECT_LT(form_->addGadget(describe(62, 0, 0, p), std::make_unique<CQZFGadgetKeyboard>()), 0);
  EXPECT_EQ(form_->getGadget(62), nullptr);
}

}  // namespace
}  // namespace gadget_test
