// The trophy cabinet's geometry and cursor: shelves bent into arcs, the
// strict hit test, the arrows round a shelf and between the shelves and the
// close button, and the texts and panel of held and unheld trophies.
#include <gtest/gtest.h>

#include "app_object_trophy.h"
#include "app_value_tables.h"
#include "qzf_events.h"

namespace {

using namespace AppTrophyCabinet;

const auto kPortrait = AppValueTable('D');

TEST(TrophyCabinet, ShelvesAreArcsOfThirteenOneUnderAnother) {
  struct Case {
    int trophy, x, y;
  };
  // Shelves start at 34 and lie 58 apart; the ends sit 20 below the middle.
  for (const Case& c : {Case{0, 3, 54}, Case{1, 21, 49}, Case{6, 111, 34}, Case{11, 201, 49}, Case{12, 219, 54},
                        Case{13, 3, 112}, Case{19, 111, 92}, Case{32, 111, 150}, Case{51, 219, 228}}) {
    const Slot s = slotOf(kPortrait, c.trophy);
    EXPECT_EQ(s.x, c.x) << c.trophy;
    EXPECT_EQ(s.y, c.y) << c.trophy;
  }
}

TEST(TrophyCabinet, OnlyPointsStrictlyInsideASlotHitIt) {
  const Slot s = slotOf(kPortrait, 6);  // (111, 34), one pitch (18) wide, 29 high
  struct Case {
    int x, y;
    bool hit;
  };
  for (const Case& c : {Case{112, 35, true}, Case{128, 62, true}, Case{111, 40, false}, Case{129, 40, false},
                        Case{120, 34, false}, Case{120, 63, false}}) {
    EXPECT_EQ(hits(kPortrait, s, c.x, c.y), c.hit) << c.x << "," << c.y;
  }
}

TEST(TrophyCabinet, ArrowsWalkRoundEachShelfAndBetweenShelvesAndTheButton) {
  struct Case {
    Cursor from;
    int32_t key;
    Cursor to;
  };
  const Case cases[] = {
      {{kShelf, 12, true}, kQZFKeyRight, {kShelf, 0, true}},
      {{kShelf, 39, true}, kQZFKeyLeft, {kShelf, 51, true}},
      {{kShelf, 0, false}, kQZFKeyLeft, {kShelf, 12, true}},
      {{kShelf, 25, true}, kQZFKeyRight, {kShelf, 13, true}},
      {{kShelf, 20, true}, kQZFKeyUp, {kShelf, 7, true}},
      {{kShelf, 20, true}, kQZFKeyDown, {kShelf, 33, true}},
      // Off the top or the bottom shelf to the button; the panel goes.
      {{kShelf, 5, true}, kQZFKeyUp, {kClose, 5, false}},
      {{kShelf, 45, true}, kQZFKeyDown, {kClose, 45, false}},
      // From the button down to the first trophy, up to the bottom shelf's first.
      {{kClose, 45, false}, kQZFKeyDown, {kShelf, 0, true}},
      {{kClose, 5, false}, kQZFKeyUp, {kShelf, 39, true}},
  };
  for (const Case& c : cases) {
    Cursor cursor = c.from;
    EXPECT_TRUE(move(cursor, c.key)) << int(c.from.index) << " key " << c.key;
    EXPECT_EQ(cursor.focus, c.to.focus) << int(c.from.index) << " key " << c.key;
    EXPECT_EQ(cursor.index, c.to.index) << int(c.from.index) << " key " << c.key;
    EXPECT_EQ(cursor.shown, c.to.shown) << int(c.from.index) << " key " << c.key;
  }
}

TEST(TrophyCabinet, SidewaysOnTheButtonAndOtherKeysMoveNothing) {
  for (int32_t key : {int32_t{kQZFKeyLeft}, int32_t{kQZFKeyRight}, int32_t{kQZFKeyReturn}}) {
    Cursor cursor{kClose, 7, false};
    EXPECT_FALSE(move(cursor, key)) << key;
    EXPECT_EQ(cursor.index, 7);
    EXPECT_EQ(cursor.focus, kClose);
  }
}

TEST(TrophyCabinet, ThePenShowsATrophyOnlyWhileItIsDownOnIt) {
  Cursor cursor{kShelf, 4, true};
  bool pressed = false;
  // A press between two trophies keeps the selection and the panel.
  EXPECT_TRUE(pen(cursor, pressed, QZFPenType::kDown, -1));
  EXPECT_TRUE(pressed);
  EXPECT_EQ(cursor.index, 4);
  EXPECT_TRUE(cursor.shown);
  // Dragging onto a trophy shows it; off the trophies hides the panel.
  EXPECT_TRUE(pen(cursor, pressed, QZFPenType::kMove, 30));
  EXPECT_EQ(cursor.index, 30);
  EXPECT_TRUE(cursor.shown);
  EXPECT_TRUE(pen(cursor, pressed, QZFPenType::kMove, -1));
  EXPECT_EQ(cursor.index, 30);
  EXPECT_FALSE(cursor.shown);
  // Lifting the pen always hides it.
  EXPECT_TRUE(pen(cursor, pressed, QZFPenType::kMove, 31));
  EXPECT_TRUE(pen(cursor, pressed, QZFPenType::kUp, 31));
  EXPECT_FALSE(pressed);
  EXPECT_FALSE(cursor.shown);
  EXPECT_EQ(cursor.index, 31);
  // Moves and lifts of a stroke that began elsewhere are not the cabinet's.
  EXPECT_FALSE(pen(cursor, pressed, QZFPenType::kMove, 2));
  EXPECT_FALSE(pen(cursor, pressed, QZFPenType::kUp, 2));
  EXPECT_EQ(cursor.index, 31);
}

TEST(TrophyCabinet, TheNamedTrophiesTellWhetherTheyAreHeld) {
  struct Case {
    int trophy;
    bool held;
    Texts texts;
  };
  const Case cases[] = {
      {0, false, {kLowerText, 1393, 0}},     {25, true, {kLowerText, 1418, 0}},
      {26, false, {kUpperText, 1419, 0}},    {38, true, {kUpperText, 1431, 0}},
      {40, true, {kUpperText, 1433, 1446}},  {40, false, {kUpperText, 1459, 1446}},
      {51, false, {kUpperText, 1470, 1457}},
  };
  for (const Case& c : cases) {
    const Texts t = textsOf(c.trophy, c.held);
    EXPECT_EQ(t.label, c.texts.label) << c.trophy;
    EXPECT_EQ(t.labelString, c.texts.labelString) << c.trophy;
    EXPECT_EQ(t.nameString, c.texts.nameString) << c.trophy;
  }
  EXPECT_EQ(textString(38), 1431);
  EXPECT_EQ(textString(39), 1445);
}

TEST(TrophyCabinet, ThePanelCoversTheHalfAwayFromTheTrophy) {
  const QZRect lower = panelOf(kPortrait, 25), upper = panelOf(kPortrait, 26);
  EXPECT_EQ(lower.x, kPortrait[kAppValueTrophyPanelLowX]);
  EXPECT_EQ(lower.y, kPortrait[kAppValueTrophyPanelLowY]);
  EXPECT_EQ(upper.x, kPortrait[kAppValueTrophyPanelHighX]);
  EXPECT_EQ(upper.y, kPortrait[kAppValueTrophyPanelHighY]);
  // Neither panel covers a trophy of the shelves it is shown for.
  for (int a = 0; a < kTrophies; ++a) {
    const QZRect p = panelOf(kPortrait, a);
    const Slot s = slotOf(kPortrait, a);
    const bool overlaps = s.y < p.y + p.h && p.y < s.y + kPortrait[kAppValueSmallCardHeight];
    EXPECT_FALSE(overlaps) << a;
  }
}

}  // namespace
