#include "win_search.h"

#include <algorithm>

#include "app_card.h"
#include "app_in_hand_pile.h"

namespace {

// Foundation cards weigh most, then cards turned face up; the stock is the
// last resort.
constexpr int kFoundationWeight = 100;
constexpr int kStockPenalty = 1000;

}  // namespace

WinSearch::WinSearch(SolveTable& table, bool byKeys, long nodeLimit)
    : table_(table), byKeys_(byKeys), nodeLimit_(nodeLimit) {}

bool WinSearch::run() {
  line_.clear();
  seen_.clear();
  nodes_ = 0;
  if (table_.isWon()) return true;
  return descend();
}

bool WinSearch::descend() {
  if (++nodes_ > nodeLimit_) return false;
  const std::vector<uint8_t> here = table_.save();
  if (!seen_.insert(table_.position()).second) return false;
  std::vector<SolveMove> moves = movesFrom(here);
  for (SolveMove& m : moves) {
    if (seen_.count(m.position) > 0) continue;
    line_.push_back(m);
    if (m.won) return true;
    table_.load(m.after);
    if (descend()) return true;
    line_.pop_back();
    if (nodes_ > nodeLimit_) return false;
  }
  return false;
}

std::vector<SolveMove> WinSearch::movesFrom(const std::vector<uint8_t>& from) {
  std::vector<SolveMove> out;
  if (byKeys_) keyMoves(from, out);
  else penMoves(from, out);
  stockMove(from, out);
  std::stable_sort(out.begin(), out.end(), [](const SolveMove& a, const SolveMove& b) { return a.score > b.score; });
  return out;
}

void WinSearch::keyMoves(const std::vector<uint8_t>& from, std::vector<SolveMove>& out) {
  table_.load(from);
  CAppGame& game = table_.game();
  std::vector<SolveStep> steps;
  for (const CAppCard* card : game.movableCards()) {
    int32_t x = 0, y = 0;
    SolveTable::grabPoint(*card, x, y);
    steps.push_back(SolveStep::tap(x, y));
  }
  for (const SolveStep& step : steps) tryStep(from, step, out);
}

void WinSearch::penMoves(const std::vector<uint8_t>& from, std::vector<SolveMove>& out) {
  table_.load(from);
  CAppGame& game = table_.game();
  std::vector<SolveStep> steps, taps;
  for (int i = 0; i < game.pileCount(); ++i) {
    const CAppCardPile& p = *game.pile(i);
    if (p.kind() == kPileStock) continue;
    for (int depth = 0; depth < p.count(); ++depth) {
      const CAppCard* card = p.cardFromTop(depth);
      if (!card->isFaceUp()) break;
      int32_t x = 0, y = 0;
      SolveTable::grabPoint(*card, x, y);
      // The targets the engine marks for the cards picked up here.
      table_.load(from);
      game.onPenDown(x, y);
      if (game.inHand().count() > 0) {
        for (const CAppCardPile* target : game.dropTargets()) {
          int32_t tx = 0, ty = 0;
          SolveTable::dropPoint(*target, tx, ty);
          steps.push_back(SolveStep::drag(x, y, tx, ty));
        }
      }
      if (depth == 0) taps.push_back(SolveStep::tap(x, y));
    }
  }
  // A tap plays where one-touch play sends the cards, which can hang on
  // more than the position (Calculation's turn through the columns): it is
  // kept only where no drag leaves the same position.
  steps.insert(steps.end(), taps.begin(), taps.end());
  for (const SolveStep& step : steps) tryStep(from, step, out);
}

void WinSearch::stockMove(const std::vector<uint8_t>& from, std::vector<SolveMove>& out) {
  table_.load(from);
  const CAppCardPile* stock = table_.game().firstPile(kPileStock);
  if (!stock) return;
  const size_t before = out.size();
  tryStep(from, SolveStep::tap(stock->x() + stock->width() / 2, stock->y() + stock->height() / 2), out);
  if (out.size() > before) out.back().score -= kStockPenalty;
}

void WinSearch::tryStep(const std::vector<uint8_t>& from, const SolveStep& step, std::vector<SolveMove>& out) {
  table_.load(from);
  const std::string before = table_.position();
  table_.play(step);
  if (table_.game().inHand().count() > 0) table_.game().returnCarriedCards();
  SolveMove m;
  m.position = table_.position();
  if (m.position == before || (table_.isLost() && !table_.isWon())) return;
  for (const SolveMove& other : out) {
    if (other.position == m.position) return;
  }
  m.step = step;
  m.won = table_.isWon();
  m.after = table_.save();
  m.score = kFoundationWeight * table_.foundationCards() + table_.faceUpCards();
  out.push_back(std::move(m));
}
