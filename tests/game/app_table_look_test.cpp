// What the table shows of a card and a foundation: the card's shadow, the
// frames of its turn-over on the game's clock, the pictures of its style,
// the base rank written on an empty foundation and Calculation's hint of
// the rank each foundation wants next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_foundation_pile.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

constexpr int kBack = 800;

std::string text(int rank) {
  char16_t buffer[3];
  CAppFoundationPile::rankText(rank, buffer);
  return std::string(buffer, buffer + std::char_traits<char16_t>::length(buffer));
}

CAppFoundationPile& foundation(const Table& t, int i) {
  return static_cast<CAppFoundationPile&>(*t.game->pileOf(kPileFoundation, i));
}

// The picture a card shows: its face once up, else its back's frame.
int picture(const CAppCard& card) { return card.isFaceUp() ? -1 : card.backBlob(kBack); }

TEST(CardLook, ATurningCardShowsItsBackTheTurnedBackAndTheEdgeOnCardThenItsFace) {
  struct Case {
    int32_t type;
    int edgeOn, shadow;
  };
  // Klondike's seven columns take the large cards, Spider's ten the small ones.
  for (const Case c : {Case{kGameKlondike, 1232, 1234}, Case{kGameSpider, 1233, 1239}}) {
    SCOPED_TRACE(c.type);
    Table t(c.type);
    t.services.settings().options[c.type - 1][kOptionAnimate] = 1;
    CAppCard& card = *t.game->firstPile(kPileTableau)->bottomCard();
    ASSERT_FALSE(card.isFaceUp());
    EXPECT_EQ(card.shadowBlob(), c.shadow);
    EXPECT_EQ(card.markBlob(), c.shadow + 3);
    EXPECT_TRUE(card.castsShadow());

    card.flipUp();
    // Frames a hundredth apart until the face shows: each picture once, in
    // order, and the card casts no shadow while it turns.
    std::vector<int> shown = {picture(card)};
    std::vector<uint32_t> at = {t.services.now()};
    for (int i = 0; i < 100 && !card.isFaceUp(); ++i) {
      EXPECT_FALSE(card.castsShadow());
      t.services.advanceTime(1);
      card.update();
      if (picture(card) != shown.back()) {
        shown.push_back(picture(card));
        at.push_back(t.services.now());
      }
    }
    EXPECT_EQ(shown, (std::vector<int>{kBack, kBack + 1, c.edgeOn, -1}));
    for (size_t i = 1; i < at.size(); ++i) EXPECT_EQ(at[i] - at[i - 1], CAppCard::kFlipFrameTime + 1) << i;
    EXPECT_TRUE(card.castsShadow());
  }
}

TEST(CardLook, ALiftedCardCastsItsShadowFartherThanOneAtRest) {
  Table t(kGameKlondike);
  CAppCard& card = *t.game->firstPile(kPileTableau)->topCard();
  EXPECT_EQ(card.shadowOffset(), 2);
  card.setCarried(true);
  EXPECT_EQ(card.shadowOffset(), 4);
  card.setCarried(false);
  card.setX(card.x() + 40);
  card.startSlide(t.services.now(), 50, false);
  EXPECT_EQ(card.shadowOffset(), 4);
  card.finishSlide();
  EXPECT_EQ(card.shadowOffset(), 2);
}

TEST(FoundationLabel, RanksReadAsOnTheCards) {
  const struct {
    int rank;
    const char* shown;
  } cases[] = {{1, "A"}, {2, "2"}, {9, "9"}, {10, "10"}, {11, "J"}, {12, "Q"}, {13, "K"}, {0, "K"}};
  for (const auto& c : cases) EXPECT_EQ(text(c.rank), c.shown) << c.rank;
}

TEST(FoundationLabel, AnEmptyFoundationShowsItsBaseRank) {
  Table klondike(kGameKlondike);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(foundation(klondike, i).emptyLabelRank(), 1) << i;
  // Pyramid's discard pile has no base rank.
  Table pyramid(kGamePyramid);
  EXPECT_EQ(foundation(pyramid, 0).emptyLabelRank(), 0);
}

TEST(FoundationLabel, ADealtBaseIsWrittenOnceItsCardHasLanded) {
  for (const int32_t type : {kGameCanfield, kGameFourCorners}) {
    SCOPED_TRACE(type);
    Table t(type, 3, false);
    if (type == kGameFourCorners) t.services.settings().fourCornersFirstCardBase = 1;
    t.services.settings().rebuildFlag = 1;
    t.game->newGame(false);
    ASSERT_TRUE(t.game->isDealPending());
    CAppFoundationPile& empty = foundation(t, 1);
    ASSERT_TRUE(empty.empty());
    EXPECT_EQ(empty.emptyLabelRank(), 0);
    t.game->finishDealAnimation();
    const uint8_t base = foundation(t, 0).topCard()->rank();
    EXPECT_EQ(empty.emptyLabelRank(), base);
    // Written once, it stays while a later deal flies in.
    t.game->setDealPending(true);
    EXPECT_EQ(empty.emptyLabelRank(), base);
  }
}

TEST(FoundationLabel, CalculationNamesTheRankEachFoundationWantsNext) {
  Table t(kGameCalc);
  // The seeds A, 2, 3, 4 (counting by 1, 2, 3, 4) want 2, 4, 6, 8.
  CAppFoundationPile* byStep[5] = {};
  for (int i = 0; i < 4; ++i) {
    CAppFoundationPile& f = foundation(t, i);
    byStep[f.rules().rankStep] = &f;
    EXPECT_EQ(f.wantedRank(), 2 * f.rules().rankStep) << i;
  }
  const QZRect strip = foundation(t, 0).wantedRankStrip();
  EXPECT_EQ(strip.x, foundation(t, 0).x());
  EXPECT_EQ(strip.y, foundation(t, 0).y() - 12 - 10);
  EXPECT_EQ(strip.h, 12);

  // A queen on the fours wants a 3 (16 wraps to 3); a king ends the hint.
  ASSERT_NE(byStep[4], nullptr);
  CAppFoundationPile& fours = *byStep[4];
  CAppCard* seed = fours.removeTopCard();
  for (int i = 0; i < t.game->cardCount(); ++i) {
    CAppCard* card = t.game->card(i);
    if (card->rank() == 12 && fours.count() == 0) fours.addCard(card);
  }
  EXPECT_EQ(fours.wantedRank(), 3);
  fours.removeTopCard();
  // Empty, it wants its base rank again.
  EXPECT_EQ(fours.wantedRank(), 4);
  for (int i = 0; i < t.game->cardCount(); ++i) {
    CAppCard* card = t.game->card(i);
    if (card->rank() == 13 && fours.count() == 0) fours.addCard(card);
  }
  EXPECT_EQ(fours.wantedRank(), -1);
  fours.removeTopCard();
  fours.addCard(seed);

  // The game over hides the hint unless the player plays on; so does the option.
  t.game->onNoMoves();
  EXPECT_EQ(byStep[1]->wantedRank(), -1);
  t.game->setKeepPlaying(true);
  EXPECT_EQ(byStep[1]->wantedRank(), 2);
  t.services.settings().calcShowNextRank = 0;
  EXPECT_EQ(byStep[1]->wantedRank(), -1);
  // Other games show none.
  Table klondike(kGameKlondike);
  EXPECT_EQ(foundation(klondike, 0).wantedRank(), -1);
}

}  // namespace
