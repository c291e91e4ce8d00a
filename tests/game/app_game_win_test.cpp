// Whole FreeCell and Klondike games won through the pen (tap a card, tap its
// target), then taken back to the deal and replayed to the win, command by
// command; the end of a won game.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_end_game_anim.h"
#include "app_game_text.h"
#include "deal_one_wins.h"
#include "game_fixture.h"

namespace {

using game_test::Table;
using deal_one::Command;
using deal_one::kFreecellDeal1;
using deal_one::kKlondikeDeal1;

void tapCard(Table& t, int pile, int depth) {
  const CAppCard* card = t.pile(pile).cardFromTop(depth);
  const int32_t x = (card ? card->x() : t.pile(pile).x()) + 2;
  const int32_t y = (card ? card->y() : t.pile(pile).y()) + 2;
  t.game->onPenDown(x, y);
  t.game->onPenUp(x, y);
}

// Plays the commands; false (with a failure) when one does not go through.
bool play(Table& t, const std::vector<Command>& commands) {
  int n = 0;
  for (const Command& c : commands) {
    EXPECT_FALSE(t.game->isWon());
    const size_t before = t.game->state().undoSize();
    tapCard(t, c.from, c.depth);
    if (c.to >= 0) {
      EXPECT_GT(t.game->inHand().count(), 0) << "command " << n;
      tapCard(t, c.to, 0);
    }
    EXPECT_EQ(t.game->inHand().count(), 0) << "command " << n;
    EXPECT_GT(t.game->state().undoSize(), before) << "command " << n;
    EXPECT_TRUE(t.services.forms.empty()) << "no moves reported after command " << n << "\n" << describePiles(*t.game);
    if (::testing::Test::HasFailure()) return false;
    ++n;
  }
  return true;
}

void expectWonAndBooked(Table& t, int32_t type) {
  ASSERT_TRUE(t.game->isWon());
  EXPECT_TRUE(t.game->isFinished());
  EXPECT_TRUE(t.game->isEndAnimationRunning());
  ASSERT_EQ(t.services.results.size(), 1u);
  EXPECT_EQ(t.services.results[0].type, type);
  EXPECT_EQ(t.services.results[0].won, 1);
  EXPECT_EQ(t.services.results[0].hints, 0);
  EXPECT_EQ(t.services.results[0].undoCount, 0);
  EXPECT_EQ(t.services.settings().dealNumber[type - 1], 2u);
  EXPECT_EQ(t.services.discarded, std::vector<int>{type - 1});
  EXPECT_EQ(
      std::count_if(t.services.sounds.begin(), t.services.sounds.end(), [](const auto& s) { return s.id == 4008; }), 1);
}

// Every command undone gives back the deal; redone, the win.
void expectTakenBackAndReplayed(Table& t, size_t commands, const std::vector<uint8_t>& start,
                                const std::string& dealt) {
  const std::vector<uint8_t> won = t.position();
  for (size_t i = 0; i < commands; ++i) t.game->state().undo();
  EXPECT_EQ(t.game->state().undoSize(), 0u);
  EXPECT_EQ(t.position(), start);
  EXPECT_EQ(describePiles(*t.game), dealt);
  EXPECT_EQ(t.game->state().undoCount(), commands);
  while (t.game->state().redoSize() > 0) t.game->state().redo();
  EXPECT_EQ(t.position(), won);
  EXPECT_TRUE(t.game->isWon());
}

void playToTheWin(int32_t type, const std::vector<Command>& commands) {
  Table t(type, 1);
  t.services.settings().options[type - 1][kOptionOneTouch] = 0;
  const std::string dealt = describePiles(*t.game);
  const std::vector<uint8_t> start = t.position();
  if (!play(t, commands)) return;
  expectWonAndBooked(t, type);
  expectTakenBackAndReplayed(t, commands.size(), start, dealt);
}

TEST(ScriptedWin, FreecellDealOneIsWonThroughThePenAndTakenBackWhole) {
  std::vector<Command> commands;
  for (const auto& [from, to] : kFreecellDeal1) commands.push_back({from, 0, to});
  playToTheWin(kGameFreecell, commands);
}

TEST(ScriptedWin, KlondikeDealOneIsWonThroughThePenAndTakenBackWhole) {
  playToTheWin(kGameKlondike, std::vector<Command>(std::begin(kKlondikeDeal1), std::end(kKlondikeDeal1)));
}

}  // namespace

namespace {

int foundationCards(const Table& t) {
  int n = 0;
  for (int i = 0; i < t.game->kindCount(kPileFoundation); ++i) n += t.game->pileOf(kPileFoundation, i)->count();
  return n;
}

// Ticks the animation every two hundredths until it has run out.
void runOut(Table& t, CAppEndGameAnim& anim) {
  for (int i = 0; i < 100000 && !anim.isDone(); ++i) {
    t.services.advanceTime(2);
    anim.tick();
  }
}

Table wonFreecell() {
  Table t(kGameFreecell, 1);
  t.services.settings().options[kGameFreecell - 1][kOptionOneTouch] = 0;
  std::vector<Command> commands;
  for (const auto& [from, to] : kFreecellDeal1) commands.push_back({from, 0, to});
  play(t, commands);
  return t;
}

TEST(EndOfGame, BothModesThrowEveryCardOffTheScreenAfterTheFirstWait) {
  for (int32_t mode : {1, 2}) {
    SCOPED_TRACE(mode);
    Table t = wonFreecell();
    ASSERT_TRUE(t.game->isWon());
    t.services.sounds.clear();
    CAppEndGameAnim anim(t.game.get());
    anim.start(mode);
    t.services.advanceTime(CAppEndGameAnim::kFirstInterval);
    anim.tick();
    EXPECT_EQ(foundationCards(t), 52) << "nothing leaves before the first wait is over";
    t.services.advanceTime(1);
    anim.tick();
    EXPECT_EQ(foundationCards(t), 51);
    ASSERT_EQ(anim.flying().size(), 1u);
    // The turn begins with the second pile that holds cards.
    EXPECT_EQ(t.game->pileOf(kPileFoundation, 1)->count(), 12);
    runOut(t, anim);
    ASSERT_TRUE(anim.isDone());
    EXPECT_EQ(foundationCards(t), 0);
    EXPECT_TRUE(anim.flying().empty());
    for (int i = 0; i < t.game->cardCount(); ++i) {
      const CAppCard* c = t.game->card(i);
      EXPECT_FALSE(c->isFlying());
      EXPECT_TRUE(c->x() > 240 || c->y() > 320 || c->x() + c->width() < 0 || c->y() + c->height() < 0)
          << "card " << i << " stopped on the screen at " << c->x() << "," << c->y();
    }
    const auto launches =
        std::count_if(t.services.sounds.begin(), t.services.sounds.end(), [](const auto& s) { return s.id == 4005; });
    EXPECT_EQ(launches, mode == 1 ? 52 : 0);
  }
}

TEST(EndOfGame, StoppedOrSavedMidFlightTheCardsAreBackOnTheirPiles) {
  Table t = wonFreecell();
  ASSERT_NE(t.game->endGameAnimation(), nullptr);
  EXPECT_FALSE(t.game->isEndAnimationDone());
  t.services.advanceTime(CAppEndGameAnim::kFirstInterval + 1);
  for (int i = 0; i < 40; ++i) {
    t.game->tick();
    t.services.advanceTime(2);
  }
  ASSERT_LT(foundationCards(t), 52);
  // A saved game taken now holds every card where the win left it, and reads
  // back as a won game whose end has still to be shown.
  const std::vector<uint8_t> saved = t.save();
  EXPECT_EQ(foundationCards(t), 52);
  Table fresh(kGameFreecell, 1);
  ASSERT_EQ(fresh.load(saved), 0);
  EXPECT_TRUE(fresh.game->isWon());
  EXPECT_TRUE(fresh.game->isEndAnimationRunning());
  EXPECT_TRUE(fresh.game->isEndAnimationDone());
  // A key stops a running animation the same way.
  Table u = wonFreecell();
  u.services.advanceTime(CAppEndGameAnim::kFirstInterval + 1);
  for (int i = 0; i < 40; ++i) {
    u.game->tick();
    u.services.advanceTime(2);
  }
  u.game->stopEndAnimation();
  EXPECT_EQ(foundationCards(u), 52);
  EXPECT_TRUE(u.game->isEndAnimationDone());
  for (int i = 0; i < u.game->cardCount(); ++i) EXPECT_TRUE(u.game->card(i)->isAtHome());
}

}  // namespace
