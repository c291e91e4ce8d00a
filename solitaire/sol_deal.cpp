// The deal: a deterministic placement of every card from a game number.
#include <algorithm>

#include "sol_platform.h"
#include "sol_ruleset.h"

namespace {

// Probe step, coprime to the card count so that a probe visits every card.
int ProbeStep(uint32_t n) {
  if (n % 7 != 0) return 7;
  if (n % 11 != 0) return 11;
  if (n % 13 != 0) return 13;
  if (n % 17 != 0) return 17;
  return 1;
}

uint32_t CandidateCard(uint32_t seed, uint32_t k, uint32_t n) {
  const uint32_t d = seed + 1000 + k;
  const uint32_t e = seed + 1000 + 3 * k;
  const uint32_t x = (k % 2 + k % 3 + k % 5 + k % 7 + k % 11) * (d % 5 + 1) + e % 23 + d % 181 + d % 149 + d % 107 +
                     d % 73 + d % 43 + d % 17 + d % 13 + d % 11 + d % 7 + d % 3 + (d & 1) + d % 5;
  return x % n;
}

// A random game number from the C runtime's generator, never 0 (0 asks for
// a random game, so it could not be dealt again).
uint32_t RandomSeed() {
  SolSeedRandom(SolTickCount());
  uint32_t seed = 0;
  while (seed == 0) {
    for (int shift = 0; shift < 32; shift += 8) seed |= static_cast<uint32_t>(SolRandom() & 0xFF) << shift;
  }
  return seed;
}

}  // namespace

void SolRuleSet::PlaceCards(uint32_t seed) {
  const uint32_t n = static_cast<uint32_t>(m_cards.size());
  // Taken round the cards, so that a set of fewer cards than the step never
  // probes below the first card.
  const int step = static_cast<int>(static_cast<uint32_t>(ProbeStep(n)) % std::max(n, 1u));
  std::vector<uint8_t> used(n, 0);
  size_t pile = 0;
  int position = 0;
  for (uint32_t k = 0; k < n; ++k) {
    while (pile < m_piles.size() && position == m_rules.piles[pile].dealCount) {
      position = 0;
      ++pile;
    }
    if (pile >= m_piles.size()) return;
    const int16_t kind = m_rules.piles[pile].kind;
    int c = static_cast<int>(CandidateCard(seed, k, n));
    uint32_t tries = 0;
    while (used[static_cast<size_t>(c)] || m_rules.cards[static_cast<size_t>(c)].kind != kind) {
      if (++tries >= n) return;  // no free card of this kind: the set is inconsistent
      c -= step;
      if (c < 0) c += static_cast<int>(n);
    }
    used[static_cast<size_t>(c)] = 1;
    m_cards[static_cast<size_t>(c)] = {m_rules.piles[pile].faceUp, 1, 0, 0, static_cast<uint16_t>(pile), static_cast<int16_t>(position)};
    ++m_piles[pile].count;
    ++position;
  }
}

void SolRuleSet::ApplyDealTables() {
  auto cardAt = [&](uint16_t pile, uint16_t position) -> int {
    for (size_t c = 0; c < m_cards.size(); ++c) {
      if (m_cards[c].pile == pile && m_cards[c].position == static_cast<int16_t>(position)) return static_cast<int>(c);
    }
    return -1;
  };
  for (const SolDealSwap& s : m_rules.swaps) {
    const int other = cardAt(s.pile, s.position);
    if (other < 0 || other == s.card) continue;
    SolCardState& moved = m_cards[static_cast<size_t>(other)];
    SolCardState& named = m_cards[s.card];
    moved.pile = named.pile;
    moved.position = named.position;
    moved.faceUp = m_rules.piles[moved.pile].faceUp;
    named.pile = s.pile;
    named.position = static_cast<int16_t>(s.position);
    named.faceUp = m_rules.piles[s.pile].faceUp;
  }
  for (const SolDealFlip& f : m_rules.flips) {
    for (SolCardState& card : m_cards) {
      if (card.pile == f.pile && card.position == static_cast<int16_t>(f.position)) card.faceUp = card.faceUp ? 0 : 1;
    }
  }
  for (const SolDealPlace& l : m_rules.locks) {
    const int c = cardAt(l.pile, l.position);
    if (c >= 0) m_cards[static_cast<size_t>(c)].pick = 0;
  }
  for (const SolDealPlace& m : m_rules.marks) {
    const int c = cardAt(m.pile, m.position);
    if (c >= 0) m_cards[static_cast<size_t>(c)].accept = 1;
  }
}

void SolRuleSet::Deal(uint32_t& number) {
  if (!Loaded()) return;
  AllocateGame();
  m_moveTable = m_rules.moveTable;
  if (number == 0) number = RandomSeed();
  PlaceCards(number);
  for (size_t p = 0; p < m_piles.size(); ++p) {
    const SolPileDef& def = m_rules.piles[p];
    SolPileState& s = m_piles[p];
    s.x = def.x;
    s.y = def.y;
    s.fan = def.fan;
    s.active = def.active;
    s.dropExpr = def.dropExpr;
    s.pickExpr = def.pickExpr;
    s.fixedAccept = def.fixedAccept;
    s.enabled = def.enabled;
    if (def.baseKind == 2) {
      s.marker1 = def.marker1;
      s.marker2 = def.marker2;
    } else {
      s.marker1 = static_cast<uint32_t>(def.marker1 | (def.marker2 << 8));
    }
  }
  ApplyDealTables();
  StartCounters(0);
  m_score = m_initialScore;
  m_finished = 0;
  RefreshAccept(false);
  Invalidate();
}

void SolRuleSet::StartCounters(size_t first) {
  m_counters.resize(m_rules.counters.size());
  for (size_t k = first; k < m_counters.size(); ++k) {
    m_counters[k] = {m_rules.counters[k].initial, m_rules.counters[k].followUp};
  }
}

void SolRuleSet::StartGame(uint32_t& number) {
  Deal(number);
  if (!HasGame()) return;
  bool stepStarted = true;
  RunAutomatic(true, false, stepStarted);
  RefreshAccept(false);
}
