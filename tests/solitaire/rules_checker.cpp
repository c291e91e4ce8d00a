#include "rules_checker.h"

#include <algorithm>

namespace {

constexpr int kStock = 0;
constexpr int kWaste = 1;
constexpr int kSpiderFirstFoundation = 11;

bool Red(int suit) { return suit == 2 || suit == 4; }

}  // namespace

RulesChecker RulesChecker::Klondike(int draw, int recycles) { return RulesChecker(Game::Klondike, draw, recycles); }
RulesChecker RulesChecker::Spider() { return RulesChecker(Game::Spider, 10, 0); }

CheckerPosition RulesChecker::Read(const SolRuleSet& engine) {
  CheckerPosition pos;
  pos.piles.resize(engine.PileCount());
  for (size_t p = 0; p < engine.PileCount(); ++p) pos.piles[p].resize(static_cast<size_t>(engine.Piles()[p].count));
  for (size_t c = 0; c < engine.CardCount(); ++c) {
    const SolCardState& s = engine.Cards()[c];
    const SolCardDef& d = engine.Rules().cards[c];
    pos.piles[s.pile][static_cast<size_t>(s.position)] = {static_cast<int>(c), d.suit, d.rank, s.faceUp != 0};
  }
  pos.won = engine.Finished();
  return pos;
}

bool RulesChecker::IsTableau(int pile) const {
  return m_game == Game::Klondike ? pile >= 2 && pile <= 8 : pile >= 1 && pile <= 10;
}

bool RulesChecker::IsFoundation(int pile) const {
  return m_game == Game::Klondike ? pile >= 9 && pile <= 12 : pile >= kSpiderFirstFoundation;
}

// A run from `at` to the top that may be lifted from pile `pileNumber`.
bool RulesChecker::CanPick(const std::vector<CheckerCard>& pile, size_t at, int pileNumber) const {
  const bool top = at + 1 == pile.size();
  if (m_game == Game::Klondike && (pileNumber == kWaste || IsFoundation(pileNumber))) return top;
  if (!IsTableau(pileNumber)) return false;
  for (size_t i = at; i < pile.size(); ++i) {
    if (!pile[i].up) return false;
    if (i == at) continue;
    const CheckerCard& below = pile[i - 1];
    const CheckerCard& above = pile[i];
    if (above.rank + 1 != below.rank) return false;
    const bool together = m_game == Game::Klondike ? Red(above.suit) != Red(below.suit) : above.suit == below.suit;
    if (!together) return false;
  }
  return true;
}

bool RulesChecker::CanDrop(const CheckerPosition& pos, const std::vector<CheckerCard>& run, int target) const {
  const std::vector<CheckerCard>& pile = pos.piles[static_cast<size_t>(target)];
  const CheckerCard& lead = run.front();
  if (IsTableau(target)) {
    if (pile.empty()) return m_game == Game::Spider || lead.rank == 13;
    const CheckerCard& top = pile.back();
    if (!top.up || top.rank != lead.rank + 1) return false;
    return m_game == Game::Spider || Red(top.suit) != Red(lead.suit);
  }
  if (m_game == Game::Klondike && IsFoundation(target) && run.size() == 1) {
    if (pile.empty()) return lead.rank == 1;
    return pile.back().suit == lead.suit && pile.back().rank + 1 == lead.rank;
  }
  return false;
}

bool RulesChecker::CanTap(const CheckerPosition& pos) const {
  const std::vector<CheckerCard>& stock = pos.piles[kStock];
  if (m_game == Game::Spider) {
    if (stock.empty()) return false;
    for (int t = 1; t <= 10; ++t) {
      if (pos.piles[static_cast<size_t>(t)].empty()) return false;
    }
    return true;
  }
  return !stock.empty() || (!pos.piles[kWaste].empty() && m_recyclesLeft != 0);
}

bool RulesChecker::CanMove(const CheckerPosition& pos, int card, int pile) const {
  for (size_t p = 0; p < pos.piles.size(); ++p) {
    const std::vector<CheckerCard>& from = pos.piles[p];
    for (size_t i = 0; i < from.size(); ++i) {
      if (from[i].id != card) continue;
      if (static_cast<int>(p) == pile || !CanPick(from, i, static_cast<int>(p))) return false;
      return CanDrop(pos, std::vector<CheckerCard>(from.begin() + static_cast<std::ptrdiff_t>(i), from.end()), pile);
    }
  }
  return false;
}

// Klondike: the first foundation that takes the top card of a waste or
// column pile, -1 when none does (or the top card is face down).
int RulesChecker::FoundationFor(const CheckerPosition& pos, int pile) const {
  const std::vector<CheckerCard>& from = pos.piles[static_cast<size_t>(pile)];
  if (m_game != Game::Klondike || (pile != kWaste && !IsTableau(pile)) || from.empty() || !from.back().up) return -1;
  for (int f = 9; f <= 12; ++f) {
    if (CanDrop(pos, {from.back()}, f)) return f;
  }
  return -1;
}

std::vector<SolMove> RulesChecker::Moves(const CheckerPosition& pos) const {
  std::vector<SolMove> moves;
  if (CanTap(pos)) moves.push_back({kStock, kSolAnyPile});
  // A tap on the waste or a column plays its top card to a foundation.
  for (int p = kWaste; p < static_cast<int>(pos.piles.size()); ++p) {
    if (FoundationFor(pos, p) >= 0) moves.push_back({static_cast<uint16_t>(p), kSolAnyPile});
  }
  std::vector<std::pair<int, int>> where;  // card -> (pile, index)
  size_t cards = 0;
  for (const auto& pile : pos.piles) cards += pile.size();
  where.resize(cards);
  for (size_t p = 0; p < pos.piles.size(); ++p) {
    for (size_t i = 0; i < pos.piles[p].size(); ++i) where[static_cast<size_t>(pos.piles[p][i].id)] = {static_cast<int>(p), static_cast<int>(i)};
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t c = 0; c < cards; ++c) {
      const auto [p, i] = where[c];
      const bool top = static_cast<size_t>(i) + 1 == pos.piles[static_cast<size_t>(p)].size();
      if (top != (pass == 0)) continue;
      for (int k = 0; k < static_cast<int>(pos.piles.size()); ++k) {
        if (CanMove(pos, static_cast<int>(c), k)) moves.push_back({static_cast<uint16_t>(c), static_cast<uint16_t>(k)});
      }
    }
  }
  return moves;
}

void RulesChecker::Apply(CheckerPosition& pos, const SolMove& move) {
  std::vector<CheckerCard>& stock = pos.piles[kStock];
  if (move.to == kSolAnyPile && move.from != kStock) {
    const int f = FoundationFor(pos, move.from);
    pos.piles[static_cast<size_t>(f)].push_back(pos.piles[move.from].back());
    pos.piles[move.from].pop_back();
  } else if (move.to == kSolAnyPile) {
    if (m_game == Game::Spider) {
      for (int t = 1; t <= 10; ++t) {
        CheckerCard c = stock.front();
        stock.erase(stock.begin());
        c.up = true;
        pos.piles[static_cast<size_t>(t)].push_back(c);
      }
    } else if (!stock.empty()) {
      // The next cards to draw lie at the bottom of the face-down stock.
      const size_t n = std::min<size_t>(static_cast<size_t>(m_draw), stock.size());
      for (size_t i = 0; i < n; ++i) {
        CheckerCard c = stock[i];
        c.up = true;
        pos.piles[kWaste].push_back(c);
      }
      stock.erase(stock.begin(), stock.begin() + static_cast<std::ptrdiff_t>(n));
    } else {
      for (CheckerCard c : pos.piles[kWaste]) {
        c.up = false;
        stock.push_back(c);
      }
      pos.piles[kWaste].clear();
      if (m_recyclesLeft > 0) --m_recyclesLeft;
    }
  } else {
    for (auto& pile : pos.piles) {
      auto it = std::find_if(pile.begin(), pile.end(), [&](const CheckerCard& c) { return c.id == move.from; });
      if (it == pile.end()) continue;
      std::vector<CheckerCard>& target = pos.piles[move.to];
      target.insert(target.end(), it, pile.end());
      pile.erase(it, pile.end());
      break;
    }
  }
  Settle(pos);
}

// Turns up uncovered cards, sends finished Spider runs to the lowest empty
// foundation, and tells a win.
void RulesChecker::Settle(CheckerPosition& pos) const {
  for (bool again = true; again;) {
    again = false;
    for (int t = 0; t < static_cast<int>(pos.piles.size()); ++t) {
      std::vector<CheckerCard>& pile = pos.piles[static_cast<size_t>(t)];
      if (!IsTableau(t) || pile.empty()) continue;
      if (!pile.back().up) {
        pile.back().up = true;
        again = true;
      }
      if (m_game != Game::Spider || pile.size() < 13) continue;
      const size_t start = pile.size() - 13;
      bool complete = true;
      for (size_t i = 0; i < 13; ++i) {
        const CheckerCard& c = pile[start + i];
        complete = complete && c.up && c.rank == 13 - static_cast<int>(i) && c.suit == pile.back().suit;
      }
      if (!complete) continue;
      for (size_t f = kSpiderFirstFoundation; f < pos.piles.size(); ++f) {
        if (!pos.piles[f].empty()) continue;
        pos.piles[f].assign(pile.begin() + static_cast<std::ptrdiff_t>(start), pile.end());
        pile.resize(start);
        again = true;
        break;
      }
    }
  }
  if (m_game == Game::Klondike) {
    pos.won = std::all_of(pos.piles.begin(), pos.piles.begin() + 9, [](const auto& p) { return p.empty(); });
  } else {
    pos.won = std::all_of(pos.piles.begin() + kSpiderFirstFoundation, pos.piles.end(), [](const auto& p) { return !p.empty(); });
  }
}
