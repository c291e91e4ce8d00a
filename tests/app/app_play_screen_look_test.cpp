// The play screen drawn with all of the built data, read back from the
// screen: the game clock between the soft keys, counting on the virtual
// clock; the cards' shadows, the edge-on frame of a card turning over, the
// green wash of a marked card, the frames of the piles' places and of a
// selected or lifted card; and the ranks written on the foundations.
#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_foundation_pile.h"
#include "app_form_game.h"
#include "app_game.h"
#include "app_in_hand_pile.h"
#include "app_installed_fixture.h"
#include "app_object_timer.h"
#include "app_play_services.h"
#include "app_profile.h"
#include "app_settings.h"
#include "qz_colour.h"
#include "qz_plane.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "wince/host/clock.h"

namespace {

using Pixels = std::vector<uint16_t>;

// The frames of the piles' places: foundations and reserves in blue, the
// other places in pink.
constexpr uint16_t kPinkFrame = 0xFDB6, kBlueFrame = 0xB5BF;

class PlayScreenLookTest : public InstalledAppTest {
 protected:
  // The chosen game dealt for a player who has seen the tour and the rules,
  // its deal flown in, and the table drawn.
  void deal(uint32_t type, bool oneTouch = true, bool markAll = false) {
    startWithPlayer();
    CAppSettings& s = *app_->getSettings();
    s.currentGameType = type;
    s.gameOptions[type - 1][kOptionOneTouch] = oneTouch ? 1 : 0;
    s.gameOptions[type - 1][kOptionMarkAll] = markAll ? 1 : 0;
    s.tutorialPending = 0;
    CAppProfile& profile = app_->getUserForm()->profile();
    std::fill(std::begin(profile.instructionsShown), std::end(profile.instructionsShown), 1);
    std::fill(std::begin(profile.trophies), std::end(profile.trophies), 1);
    app_->startChosenGame();
    frames(1);
    form_ = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
    ASSERT_NE(form_, nullptr);
    ASSERT_NE(form_->game(), nullptr);
    for (int i = 0; i < 60 && (i < 2 || game().animatingCount() > 0); ++i) step(1000);
    ASSERT_FALSE(game().isDealPending());
    app_->getGraphics()->invalidateAll();
    app_->drawFrame();
  }
  CAppGame& game() const { return *form_->game(); }
  // One whole frame ms milliseconds after the last (the frame's time
  // measured, the forms updated), drawn.
  void step(int ms) {
    wince::advanceClock(static_cast<uint64_t>(ms));
    ASSERT_GE(app_->tick(), 0);
    app_->drawFrame();
  }
  void press(int32_t code) const { static_cast<void>(form_->onKey(QZFKeyEvent::key(code))); }

  // The table's own picture under the play screen.
  uint16_t background(int x, int y) const {
    const QZPlane* plane = QZGetPlane(app_->colourSchemes().getBackgroundPlane(), false);
    return plane ? QZPlaneImageBits(plane)[static_cast<size_t>(y) * plane->pitch + x] : 0;
  }
  // Where two pictures of the area first differ, for the failure's message.
  static std::string firstDifference(const QZRect& r, const Pixels& a, const Pixels& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      if (a[i] != b[i]) {
        return "first difference at " + std::to_string(r.x + static_cast<int>(i) % r.w) + "," +
               std::to_string(r.y + static_cast<int>(i) / r.w);
      }
    }
    return "";
  }
  static Pixels area(const QZRect& r) {
    Pixels pixels;
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) pixels.push_back(screenPixel(x, y));
    }
    return pixels;
  }
  // The area as the table shows it with what under draws, then the text
  // centred in it (and nothing else).
  Pixels textOnTable(const QZRect& r, const char16_t* text, uint16_t font, int level,
                     const std::function<void()>& under = [] {}) {
    CQZFGraphics& g = *app_->getGraphics();
    g.invalidateAll();  // nothing clipped away
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) g.fillRect(x, y, 1, 1, 0, 255, background(x, y));
    }
    g.flush();
    under();
    app_->getFontManager()->drawText(text, r.x, r.y, r.w, 1, font, level);
    g.flush();
    return area(r);
  }
  // A pixel of a built picture, (x, y) within it, as the picture laid
  // over black shows it (the screen's top left corner is drawn over).
  uint16_t blobPixel(int blob, int x, int y) const {
    CQZFGraphics& g = *app_->getGraphics();
    g.invalidateAll();
    g.fillRect(x, y, 1, 1, 0, 255, 0);
    g.drawBlob(blob, 0, 0, 0, 255);
    g.flush();
    return screenPixel(x, y);
  }
  // The frame of a pile's place as the table shows it, drawn by hand.
  void placeFrame(const CAppCardPile& pile, uint16_t colour) const {
    app_->getGraphics()->drawFrame(pile.x() + 2, pile.y() + 2, pile.width() - 4, pile.height() - 4, 2, 255, colour);
  }
  QZRect clockRect() const {
    const CAppGameServices& s = game().services();
    return QZRect{s.value(49), s.value(48), s.value(47), s.value(210)};
  }
  std::u16string clockText() const {
    char16_t text[CObjectTimer::kTextSize];
    CObjectTimer::format(game().gameClock().getElapsed(), text);
    return text;
  }

  CAppGameForm* form_ = nullptr;
};

TEST_F(PlayScreenLookTest, TheGameClockIsDrawnBetweenTheSoftKeysAndCountsTheSeconds) {
  deal(kGameKlondike);
  const QZRect r = clockRect();
  ASSERT_GT(r.w, 0);
  ASSERT_GT(r.h, 0);
  ASSERT_LE(r.y + r.h, 320);
  // The clock starts with the player's first key. Five seconds of play,
  // then a minute more: each time the clock shows the time counted, drawn
  // as the clock's text on the table.
  press(kQZFKeyDown);
  for (const int seconds : {5, 60}) {
    for (int i = 0; i < seconds; ++i) step(1000);
    ASSERT_GE(game().gameClock().getElapsed(), static_cast<uint32_t>(seconds) * 100U);
    const std::u16string shown = clockText();
    const Pixels drawn = area(r);
    const Pixels expected = textOnTable(r, shown.c_str(), CObjectTimer::kFont, 255);
    EXPECT_EQ(drawn, expected) << std::string(shown.begin(), shown.end()) << " " << firstDifference(r, drawn, expected);
    app_->getGraphics()->invalidateAll();
    app_->drawFrame();
  }
  EXPECT_EQ(clockText().substr(0, 4), u"0:01");
}

TEST_F(PlayScreenLookTest, ACardCastsItsShadowOnTheTable) {
  deal(kGameKlondike);
  // The last column's top card has only the table below it.
  const CAppCard& card = *game().pileOf(kPileTableau, 6)->topCard();
  const int x = card.x() + card.width() / 2;
  for (const int y : {card.y() + card.height(), card.y() + card.height() + 1}) {
    const uint16_t table = background(x, y);
    EXPECT_EQ(screenPixel(x, y), QZBlendPixel(table, QZSplit(0), 70 >> 3)) << y;
  }
  // Past the shadow the table is untouched.
  EXPECT_EQ(screenPixel(x, card.y() + card.height() + 3), background(x, card.y() + card.height() + 3));
}

TEST_F(PlayScreenLookTest, ACardTurningOverShowsItsEdgeOnFrame) {
  deal(kGameKlondike);
  // Deal 1: the jack of hearts (column 3, pile 9) onto the queen of clubs;
  // the card under the jack turns over.
  press(kQZFKeyRight);
  press(kQZFKeyRight);
  ASSERT_EQ(form_->cursorPile(), 9);
  CAppCardPile& column = *game().pile(9);
  const CAppCard* under = column.cardFromTop(1);
  press(kQZFKeyReturn);
  bool sawBack = false, sawEdgeOn = false;
  for (int i = 0; i < 200 && !under->isFaceUp(); ++i) {
    step(20);
    if (!under->isFlipping() || under->isFlying()) continue;
    // A point of the card's lower left, clear of the card it lies on.
    const int x = under->x() + 3, y = under->y() + under->height() - 3;
    if (under->flipFrame() == 0) {
      sawBack = true;
      EXPECT_NE(screenPixel(x, y), background(x, y));
    }
    if (under->flipFrame() == 2) {
      sawEdgeOn = true;
      // Edge-on: a thin light sliver down the middle, the table beside it
      // (a turning card casts no shadow).
      EXPECT_EQ(screenPixel(x, y), background(x, y));
      uint8_t red = 0, green = 0, blue = 0;
      QZSplitRGB565(screenPixel(under->x() + under->width() / 2, y), &red, &green, &blue);
      EXPECT_GE(std::min({red, green, blue}), 200) << int(red) << "," << int(green) << "," << int(blue);
    }
  }
  EXPECT_TRUE(sawBack);
  EXPECT_TRUE(sawEdgeOn);
  EXPECT_TRUE(under->isFaceUp());
}

TEST_F(PlayScreenLookTest, AMarkedCardTakesAGreenWash) {
  deal(kGameKlondike, false, true);
  // The jack lifted by the keys marks the queen of clubs, where it can go.
  const CAppCard& queen = *game().pile(5)->topCard();
  const int x = queen.x() + queen.width() / 2, y = queen.y() + queen.height() / 2;
  const uint16_t plain = screenPixel(x, y);
  // Down to the columns (the first key shows the focus), then along them.
  for (int i = 0; i < 14 && form_->cursorPile() != 9; ++i) {
    const CAppCardPile* focus = game().pile(form_->cursorPile());
    const bool onColumns = focus && focus->kind() == kPileTableau;
    press(onColumns ? kQZFKeyRight : kQZFKeyDown);
  }
  ASSERT_EQ(form_->cursorPile(), 9);
  press(kQZFKeyReturn);
  step(20);
  ASSERT_TRUE(queen.isMarked());
  EXPECT_EQ(screenPixel(x, y), QZBlendPixel(plain, QZSplit(0x37E6), 50 >> 3));
}

// An empty place shows its frame two pixels inside the card's outline, two
// pixels thick, with the table inside and outside it.
struct PlaceFrameCase {
  uint32_t type;
  AppPileKind kind;
  int index;
  uint16_t colour;
};
class PlaceFrameTest : public PlayScreenLookTest, public ::testing::WithParamInterface<PlaceFrameCase> {};

TEST_P(PlaceFrameTest, AnEmptyPlaceShowsTheFrameOfItsKind) {
  const PlaceFrameCase& c = GetParam();
  deal(c.type);
  const CAppCardPile& p = *game().pileOf(c.kind, c.index);
  ASSERT_TRUE(p.empty());
  const int right = p.x() + p.width() - 1, bottom = p.y() + p.height() - 1;
  for (const auto& [x, y] : {std::pair{p.x() + 2, p.y() + 2}, std::pair{p.x() + 3, p.y() + p.height() / 2},
                             std::pair{right - 2, bottom - 2}, std::pair{right - 3, bottom - 3}}) {
    EXPECT_EQ(screenPixel(x, y), c.colour) << "frame at " << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{p.x() + 1, p.y() + 1}, std::pair{p.x() + 4, p.y() + 4},
                             std::pair{right - 1, bottom - 1}, std::pair{right - 4, bottom - 4}}) {
    EXPECT_EQ(screenPixel(x, y), background(x, y)) << "table at " << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Places, PlaceFrameTest,
                         ::testing::Values(PlaceFrameCase{kGameKlondike, kPileWaste, 0, kPinkFrame},
                                           PlaceFrameCase{kGameKlondike, kPileFoundation, 3, kBlueFrame},
                                           PlaceFrameCase{kGameFreecell, kPileCell, 0, kPinkFrame},
                                           PlaceFrameCase{kGameFreecell, kPileFoundation, 0, kBlueFrame}));

// The frame around the keypad's card (one-touch play) and around a card
// lifted by the keys adds its light to what lies under it: over the table
// and over the card behind in the column, each brightened by its own
// picture's pixel.
class CardFrameTest : public PlayScreenLookTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CardFrameTest, TheFrameBrightensWhatLiesUnderIt) {
  const bool lift = GetParam();
  deal(kGameKlondike, !lift);
  const CAppCard& jack = *game().pile(9)->topCard();
  const int h = jack.height(), w = jack.width();
  // Points of the frame's outer ring, in the frame's own coordinates: over
  // the card behind it in the column, and right of it over the table in
  // its shadow (the column on the left is drawn later and shades its left
  // side).
  const std::pair<int, int> ring[] = {{w / 2 + 2, 0}, {w / 2 + 2, 1}, {w + 2, h}, {w + 3, h}};
  const auto onScreen = [&](const std::pair<int, int>& p) {
    return screenPixel(jack.x() - 2 + p.first, jack.y() - 2 + p.second);
  };
  Pixels before;
  for (const auto& p : ring) before.push_back(onScreen(p));
  for (int i = 0; i < 14 && form_->cursorPile() != 9; ++i) {
    const CAppCardPile* focus = game().pile(form_->cursorPile());
    press(focus && focus->kind() == kPileTableau ? kQZFKeyRight : kQZFKeyDown);
  }
  ASSERT_EQ(form_->cursorPile(), 9);
  if (lift) press(kQZFKeyReturn);
  step(20);
  ASSERT_EQ(jack.hasHighlight(), lift);
  ASSERT_TRUE(lift || jack.isSelected());
  const int frame = (jack.isLarge() ? 1235 : 1240) + (lift ? 1 : 0);
  Pixels after;
  for (const auto& p : ring) after.push_back(onScreen(p));
  for (size_t i = 0; i < std::size(ring); ++i) {
    const auto [fx, fy] = ring[i];
    const uint16_t added = QZAddPixel(before[i], QZSplit(blobPixel(frame, fx, fy)), 16);
    EXPECT_NE(added, before[i]) << "the frame adds nothing at " << fx << "," << fy;
    EXPECT_EQ(after[i], added) << "at " << fx << "," << fy;
  }
}

INSTANTIATE_TEST_SUITE_P(SelectedAndLifted, CardFrameTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Lifted" : "Selected"; });

// A card lifted by the keys marks the empty cells that take it: each shows
// its frame, the green rim at half strength and the dot.
TEST_F(PlayScreenLookTest, AnEmptyCellThatTakesTheLiftedCardShowsTheMark) {
  deal(kGameFreecell, false, true);
  for (int i = 0; i < 14; ++i) {
    const CAppCardPile* focus = game().pile(form_->cursorPile());
    if (focus && focus->kind() == kPileTableau) break;
    press(kQZFKeyDown);
  }
  press(kQZFKeyReturn);
  step(20);
  ASSERT_EQ(game().inHand().count(), 1);
  const CAppCardPile& cell = *game().pileOf(kPileCell, 0);
  ASSERT_TRUE(cell.empty());
  ASSERT_TRUE(cell.isMarked());
  const int mark = game().definition().largeCards != 0 ? 1237 : 1242;
  const QZRect r{cell.x(), cell.y(), cell.width(), cell.height()};
  const Pixels drawn = area(r);
  const Pixels expected = textOnTable(r, u"", 388, 250, [&] {
    placeFrame(cell, kPinkFrame);
    app_->getGraphics()->drawBlob(mark, cell.x(), cell.y(), 0, 125);
    app_->getGraphics()->drawBlob(mark + 1, cell.x(), cell.y(), 0, 255);
  });
  EXPECT_EQ(drawn, expected) << firstDifference(r, drawn, expected);
}

// The foundation's label area as drawn, against the pile's frame and the
// label drawn on the table by hand.
TEST_F(PlayScreenLookTest, AnEmptyFoundationShowsItsBaseRank) {
  deal(kGameKlondike);
  for (int i = 0; i < 4; ++i) {
    const CAppCardPile& f = *game().pileOf(kPileFoundation, i);
    ASSERT_TRUE(f.empty());
    const int16_t line = game().services().value(209);
    const QZRect r{f.x(), static_cast<int16_t>(f.y() + f.height() / 2 - line), f.width(), line};
    const Pixels drawn = area(r);
    const Pixels outline = textOnTable(r, u"", 388, 250, [&] { placeFrame(f, kBlueFrame); });
    EXPECT_NE(drawn, outline) << i << ": no label";
    const Pixels expected = textOnTable(r, u"A", 388, 250, [&] { placeFrame(f, kBlueFrame); });
    EXPECT_EQ(drawn, expected) << i << " " << firstDifference(r, drawn, expected);
  }
}

TEST_F(PlayScreenLookTest, CalculationWritesTheRankEachFoundationWantsAboveIt) {
  deal(kGameCalc);
  // The seeds A, 2, 3 and 4 (counting by 1, 2, 3 and 4) want 2, 4, 6 and 8.
  const char16_t* wanted[] = {u"", u"2", u"4", u"6", u"8"};
  for (int i = 0; i < 4; ++i) {
    const auto& f = static_cast<const CAppFoundationPile&>(*game().pileOf(kPileFoundation, i));
    const QZRect r = f.wantedRankStrip();
    ASSERT_GE(r.y, 22) << "under the toolbar";
    EXPECT_EQ(area(r), textOnTable(r, wanted[f.rules().rankStep], 388, 250)) << i;
  }
}

}  // namespace
