// The saved game: its fields, what is stored while cards are carried or
// flying, and the refusal of a record that does not fit the game.
#include <gtest/gtest.h>

#include "app_game_text.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

TEST(SavedGame, TheTailHoldsTheGamesOwnFields) {
  Table t(kGameFreecell, 4321);
  const std::vector<uint8_t> bytes = t.save();
  ASSERT_EQ(bytes.size(), 487u);
  // The first card record: id 0, its suit, rank and face (dealt face up).
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], t.game->card(0)->suit());
  EXPECT_EQ(bytes[2], t.game->card(0)->rank());
  EXPECT_EQ(bytes[3], 1);
  // Undo count 0 and no entries, then the first indices: no stock or waste
  // (0), foundations 0, tableaux 4, no reserves (12 = next), cells 12.
  const size_t tail = bytes.size() - 27;
  const std::vector<uint8_t> head(bytes.begin() + static_cast<long>(tail),
                                  bytes.begin() + static_cast<long>(tail) + 10);
  EXPECT_EQ(head, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 4, 12, 12}));
  EXPECT_NE(bytes[tail + 10], 0);  // moves found
  EXPECT_EQ(bytes[tail + 14], kGameFreecell);
  EXPECT_EQ((bytes[tail + 15] << 24) | (bytes[tail + 16] << 16) | (bytes[tail + 17] << 8) | bytes[tail + 18], 4321);
}

TEST(SavedGame, CarriedCardsAreStoredOnTheirPile) {
  Table t(kGameKlondike, 3);
  const std::vector<uint8_t> before = t.save();
  const CAppCardPile& column = *t.game->pileOf(kPileTableau, 0);
  const CAppCard* top = column.topCard();
  t.game->onPenDown(top->x() + 2, top->y() + 2);
  t.game->onPenMove(top->x() + 60, top->y() + 90);
  ASSERT_GT(t.game->inHand().count(), 0);
  EXPECT_EQ(t.save(), before);
  EXPECT_EQ(t.game->inHand().count(), 0);
}

// Play goes on after a save (a profile saved while the play screen is up):
// every card stays where it lies, the columns fanned as before.
TEST(SavedGame, ASaveLeavesEveryCardWhereItLies) {
  for (const int type : {kGameKlondike, kGameFreecell, kGamePyramid}) {
    Table t(type, 5);
    const auto places = [&t] {
      std::vector<std::pair<int32_t, int32_t>> at;
      for (int id = 0; const CAppCard* card = t.game->card(id); ++id) {
        at.emplace_back(card->x(), card->y());
      }
      return at;
    };
    const auto before = places();
    ASSERT_FALSE(before.empty());
    t.save();
    EXPECT_EQ(places(), before) << "game " << type;
  }
}

TEST(SavedGame, AGameSavedDuringTheDealAnimationStoresTheDeal) {
  Table still(kGamePyramid, 12);
  Table moving(kGamePyramid, 12, false);
  moving.services.settings().options[kGamePyramid - 1][kOptionAutoMoves] = 0;
  ASSERT_TRUE(moving.game->isDealPending());
  EXPECT_GT(moving.game->animatingCount(), 0);
  EXPECT_EQ(describePiles(*moving.game), describePiles(*still.game));
  moving.save();
  EXPECT_EQ(moving.game->animatingCount(), 0);
  // Saving opens no form; the start forms wait for play to go on.
  EXPECT_TRUE(moving.services.forms.empty());
  EXPECT_TRUE(moving.game->isDealPending());
  moving.game->tick();
  EXPECT_FALSE(moving.game->isDealPending());
  EXPECT_EQ(moving.services.forms, std::vector<int>{kFormTutorial});
  EXPECT_GT(moving.game->movesFound(), 0);
  moving.save();
  moving.game->tick();
  EXPECT_EQ(moving.services.forms, std::vector<int>{kFormTutorial});
}

// A game read back into a play screen whose own deal is still flying: the
// restored game is no new deal, so neither the read nor play opens a start
// form; the tour still pending opens after the next deal, once.
TEST(SavedGame, ARestoredGameOpensNoStartForm) {
  const std::vector<uint8_t> saved = Table(kGameKlondike, 7).save();
  Table t(kGameKlondike, 9, false);
  ASSERT_TRUE(t.game->isDealPending());
  ASSERT_EQ(t.load(saved), 0);
  EXPECT_FALSE(t.game->isDealPending());
  for (int frame = 0; frame < 3; ++frame) t.game->tick();
  EXPECT_TRUE(t.services.forms.empty());
  EXPECT_EQ(t.services.settings().tutorialPending, 1);
  t.game->newGame(false);
  for (int frame = 0; frame < 1000 && t.game->isDealPending(); ++frame) {
    t.services.advanceTime(2);
    t.game->tick();
  }
  t.game->tick();
  EXPECT_EQ(t.services.forms, std::vector<int>{kFormTutorial});
}

TEST(SavedGame, AFreshDealRoundTripsInEveryGame) {
  for (int32_t type = 1; type <= kGameTypeCount; ++type) {
    Table a(type, 99);
    Table b(type, 100);
    ASSERT_EQ(b.load(a.save()), 0) << type;
    EXPECT_EQ(b.save(), a.save()) << type;
    EXPECT_EQ(describePiles(*b.game), describePiles(*a.game)) << type;
  }
}

// A record that does not fit is refused: an error, the saved game of the
// type discarded, and a new deal of the user's number in its place.
void expectRefused(const Table& t, std::vector<uint8_t> bytes, const char* what) {
  Table fresh(t.game->type(), t.game->dealNumber());
  const std::string newDeal = describePiles(*fresh.game);
  Table target(t.game->type(), t.game->dealNumber());
  target.services.discarded.clear();
  EXPECT_LT(target.load(std::move(bytes)), 0) << what;
  EXPECT_EQ(target.services.discarded, std::vector<int>{t.game->type() - 1}) << what;
  EXPECT_EQ(describePiles(*target.game), newDeal) << what;
  EXPECT_FALSE(target.services.errors.empty()) << what;
}

TEST(SavedGame, ARecordThatDoesNotFitIsRefusedAndANewDealStarts) {
  Table t(kGameKlondike, 21);
  t.tap(t.game->firstIndex(kPileStock));  // something in the history
  t.game->onPenDown(0, 0);
  const std::vector<uint8_t> good = t.save();
  ASSERT_GT(t.game->state().undoSize(), 0u);

  std::vector<uint8_t> shortRecord(good.begin(), good.begin() + 300);
  expectRefused(t, shortRecord, "cut short");
  std::vector<uint8_t> twice = good;
  twice[4] = twice[0];  // card 1 stored with the id of card 0
  expectRefused(t, twice, "a card id twice");
  std::vector<uint8_t> rank = good;
  rank[2] = 14;
  expectRefused(t, rank, "rank 14");
  std::vector<uint8_t> pileId = good;
  pileId[208 + 12] = 200;  // the waste's first card id is past the cards
  pileId[208 + 8] = 1;
  expectRefused(t, pileId, "a card id past the cards");
  std::vector<uint8_t> type = good;
  type[good.size() - 27 + 14] = kGameFreecell;
  expectRefused(t, type, "another game's record");
  std::vector<uint8_t> history = good;
  const size_t entry = good.size() - 23 - 12;
  history[entry + 5] = 60;  // the from-pile index of the newest entry
  expectRefused(t, history, "a pile number past the piles");
}

TEST(SavedGame, AnUndoWhoseCardIsNotOnItsPileEndsTheHistory) {
  Table t(kGameFreecell, 8);
  // Move a column's top card to a cell through the pen.
  const CAppCardPile& column = *t.game->pileOf(kPileTableau, 0);
  const CAppCard* moved = column.topCard();
  t.tap(t.game->firstIndex(kPileTableau));
  ASSERT_EQ(t.game->state().undoSize(), 1u);
  std::vector<uint8_t> bytes = t.save();
  // Name another card in the entry: it is not on the cell.
  const size_t entry = bytes.size() - 23 - 12;
  bytes[entry] = static_cast<uint8_t>(moved->id() == 0 ? 1 : 0);
  Table u(kGameFreecell, 8);
  ASSERT_EQ(u.load(bytes), 0);
  const std::string before = describePiles(*u.game);
  u.game->state().undo();
  EXPECT_EQ(describePiles(*u.game), before);
  EXPECT_EQ(u.game->state().undoSize(), 0u);
  EXPECT_EQ(u.game->state().redoSize(), 0u);
}

}  // namespace
