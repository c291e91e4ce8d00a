#include "win_search.h"

#include <algorithm>

#include "app_card.h"
#include "app_in_hand_pile.h"

namespace {

// Foundation cards weigh most, then cards turned face up, free places and
// built runs, less the cards that lie on cards needed sooner; the stock is
// the last resort.
constexpr int kFoundationWeight = 100;
constexpr int kFaceUpWeight = 10;
constexpr int kFreeWeight = 8;
constexpr int kBuiltWeight = 3;
constexpr int kBlockingWeight = 6;
constexpr int kStockPenalty = 10000;
// The shaken searches: how many, the share of the node limit each has, and
// the most a move's score is raised.
constexpr int kShakenSearches = 20;
constexpr long kShakenShare = 10;
constexpr int kJitter = 120;
constexpr unsigned kSeed = 20261211;

}  // namespace

WinSearch::WinSearch(SolveTable& table, bool byKeys, long nodeLimit)
    : table_(table), byKeys_(byKeys), nodeLimit_(nodeLimit) {}

bool WinSearch::run() {
  line_.clear();
  nodes_ = 0;
  if (table_.isWon()) return true;
  const std::vector<uint8_t> start = table_.save();
  random_.seed(kSeed);
  jitter_ = 0;
  bool won = search(nodeLimit_);
  for (int i = 0; i < kShakenSearches && !won; ++i) {
    table_.load(start);
    jitter_ = kJitter;
    won = search(nodeLimit_ / kShakenShare);
  }
  if (!won) return false;
  shorten(start);
  return true;
}

bool WinSearch::search(long limit) {
  line_.clear();
  seen_.clear();
  limit_ = nodes_ + limit;
  return descend();
}

void WinSearch::shorten(const std::vector<uint8_t>& start) {
  std::unordered_map<std::string, size_t> later;  // position -> index in the line
  for (size_t i = 0; i < line_.size(); ++i) later[line_[i].position] = i;
  std::vector<SolveMove> shorter;
  std::vector<uint8_t> here = start;
  size_t next = 0;  // the line's first move not yet passed
  while (next < line_.size()) {
    size_t best = next;
    SolveMove jump = line_[next];
    for (SolveMove& m : movesFrom(here)) {
      const auto found = later.find(m.position);
      if (found != later.end() && found->second > best) {
        best = found->second;
        jump = std::move(m);
      }
    }
    jump.won = line_[best].won;
    here = jump.after;
    shorter.push_back(std::move(jump));
    next = best + 1;
  }
  line_ = std::move(shorter);
}

bool WinSearch::descend() {
  if (++nodes_ > limit_) return false;
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
    if (nodes_ > limit_) return false;
  }
  return false;
}

std::vector<SolveMove> WinSearch::movesFrom(const std::vector<uint8_t>& from) {
  std::vector<SolveMove> out;
  if (byKeys_) keyMoves(from, out);
  else penMoves(from, out);
  stockMove(from, out);
  if (jitter_ > 0) {
    for (SolveMove& m : out) m.score += static_cast<int>(random_() % static_cast<unsigned>(jitter_));
  }
  std::stable_sort(out.begin(), out.end(), [](const SolveMove& a, const SolveMove& b) { return a.score > b.score; });
  return out;
}

void WinSearch::keyMoves(const std::vector<uint8_t>& from, std::vector<SolveMove>& out) {
  table_.load(from);
  CAppGame& game = table_.game();
  // The cards the focus may rest on come from the table's move search.
  game.requestSettle();
  game.settle();
  std::vector<SolveStep> steps;
  for (const CAppCard* card : game.movableCards()) {
    int32_t x = 0, y = 0;
    SolveTable::grabPoint(*card, x, y);
    steps.push_back(SolveStep::tap(x, y));
  }
  for (const SolveStep& step : steps) tryStep(from, step, out);
}

std::vector<WinSearch::Grab> WinSearch::grabs() const {
  const CAppGame& game = table_.game();
  std::vector<Grab> out;
  for (int i = 0; i < game.pileCount(); ++i) {
    const CAppCardPile& p = *game.pile(i);
    // A stock's face-up top card can be dragged (Calculation's); a tap on the stock is stockMove's.
    const bool stock = p.kind() == kPileStock;
    const int depths = stock ? std::min(1, p.count()) : p.count();
    for (int depth = 0; depth < depths && p.cardFromTop(depth)->isFaceUp(); ++depth) {
      Grab g;
      SolveTable::grabPoint(*p.cardFromTop(depth), g.x, g.y);
      g.tappable = depth == 0 && !stock;
      out.push_back(g);
    }
  }
  return out;
}

// A drag to each target the engine marks for the cards picked up at each
// place (the cards go back after each pick-up, and a pen-down that played, a
// Pyramid king, is taken back), then the top cards' taps: a tap plays where
// one-touch play sends the card, which can hang on more than the position
// (Calculation's turn through the columns), so it is kept only where no drag
// leaves the same position.
void WinSearch::penMoves(const std::vector<uint8_t>& from, std::vector<SolveMove>& out) {
  table_.load(from);
  CAppGame& game = table_.game();
  const std::string start = table_.position();
  const std::vector<Grab> places = grabs();
  std::vector<SolveStep> steps;
  for (const Grab& g : places) {
    game.onPenDown(g.x, g.y);
    if (game.inHand().count() > 0) {
      for (const CAppCardPile* target : game.dropTargets()) {
        int32_t x = 0, y = 0;
        SolveTable::dropPoint(*target, x, y);
        steps.push_back(SolveStep::drag(g.x, g.y, x, y));
      }
      game.returnCarriedCards();
    }
    if (table_.position() != start) table_.load(from);
  }
  for (const Grab& g : places) {
    if (g.tappable) steps.push_back(SolveStep::tap(g.x, g.y));
  }
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
  m.score = kFoundationWeight * table_.foundationCards() + kFaceUpWeight * table_.faceUpCards() +
            kBuiltWeight * table_.builtCards() + kFreeWeight * table_.freePlaces() -
            kBlockingWeight * table_.blockingCards();
  out.push_back(std::move(m));
}
