#include "sol_ruleset.h"

#include <algorithm>

namespace {

// Horizontal and vertical card extents: scaled by the screen's resolution,
// or taken as pixels with fixed metrics.
int Scaled(int value, int logPixels, bool fixedMetrics) {
  return fixedMetrics ? value : (logPixels * value + 48) / 96;
}

int PlaceByMode(int v, uint8_t mode, int factor, int divisor) {
  switch (mode) {
    case 0:
      return v * factor / divisor;
    case 2:
      return (v - 80) * factor / divisor + 80;
    case 3:
      return (v - 160) * factor / divisor + 160;
    default:
      return v;
  }
}

}  // namespace

SolRuleSet::SolRuleSet() = default;
SolRuleSet::~SolRuleSet() { Clear(); }

bool SolRuleSet::Load(const uint8_t* record, size_t size, const SolScreen& screen, std::string* error) {
  Reset();
  std::string why;
  SolRuleData data;
  if (!SolReadRuleData(record, size, data, why)) {
    if (error) *error = why;
    return false;
  }
  m_rules = std::move(data);
  m_wide = m_rules.header[kSolWide] != 0;
  const double scaleY = screen.logPixelsY / 96.0;
  if (scaleY > 1.0 && scaleY < 2.0 && !m_wide) {
    m_wide = true;
    m_wideForced = true;
  }
  for (SolPileDef& pile : m_rules.piles) Rescale(pile, screen);
  IndexTables();
  return true;
}

void SolRuleSet::Rescale(SolPileDef& pile, const SolScreen& screen) const {
  if (m_wideForced && pile.fanLimit != 0) {
    // A limit of 1-3 would wrap to "almost unlimited"; keep at least 1.
    pile.fanLimit = static_cast<uint16_t>(std::max(1, pile.fanLimit - 3));
  }
  const bool own = m_wide && !m_wideForced;
  const int f = Scaled(m_wide ? 26 : 20, screen.logPixelsX, screen.fixedMetrics);
  const int g = Scaled(m_wide ? 35 : 27, screen.logPixelsY, screen.fixedMetrics);
  pile.x = static_cast<int16_t>(PlaceByMode(pile.x, pile.xMode, f, own ? 18 : 15));
  pile.y = static_cast<int16_t>(PlaceByMode(pile.y, pile.yMode, g, own ? 24 : 21));
}

void SolRuleSet::IndexTables() {
  const size_t events = m_rules.eventKinds.size();
  m_limitOf.assign(events, kSolAnyPile);
  for (const SolEventLimit& l : m_rules.limits) {
    if (m_limitOf[l.event] == kSolAnyPile) m_limitOf[l.event] = l.counter;
  }
  m_condStart.assign(events + 1, 0);
  for (const SolEventCondition& l : m_rules.eventConditions) ++m_condStart[l.event + 1];
  for (size_t e = 0; e < events; ++e) m_condStart[e + 1] += m_condStart[e];
  m_condList.assign(m_rules.eventConditions.size(), 0);
  std::vector<uint32_t> next(m_condStart.begin(), m_condStart.end() - 1);
  for (const SolEventCondition& l : m_rules.eventConditions) m_condList[next[l.event]++] = l.condition;
}

void SolRuleSet::Reset() {
  m_rules = SolRuleData{};
  m_wide = false;
  m_wideForced = false;
  m_initialScore = 0;
  m_undoScore = 0;
  m_scoreRules.clear();
  m_limitOf.clear();
  m_condStart.clear();
  m_condList.clear();
}

void SolRuleSet::ResetGame() {
  m_history.reset();
  m_cards.clear();
  m_piles.clear();
  m_moveTable.clear();
  m_counters.clear();
  m_finished = 0;
  Invalidate();
}

void SolRuleSet::Clear() {
  ResetGame();
  Reset();
}

void SolRuleSet::AllocateGame() {
  ResetGame();
  m_cards.assign(CardCount(), SolCardState{});
  m_piles.assign(PileCount(), SolPileState{});
  m_transit.assign(CardCount(), -1);
  m_history = std::make_unique<SolMoveHistory>();
  m_history->SetObserver(m_observer, m_observerContext);
}

void SolRuleSet::SetHistoryObserver(SolMoveHistory::AppendObserver observer, void* context) {
  m_observer = observer;
  m_observerContext = context;
  if (m_history) m_history->SetObserver(observer, context);
}

// Lays every pile's cards out top first in one array, so that card lists are
// slices of it: a pile's list, a run from its top down to a card, and the
// cards below that card.
void SolRuleSet::BuildLists() const {
  if (m_listsValid) return;
  const size_t piles = m_piles.size();
  m_pileStart.assign(piles + 1, 0);
  for (size_t p = 0; p < piles; ++p) m_pileStart[p + 1] = m_pileStart[p] + static_cast<uint32_t>(std::max<int>(0, m_piles[p].count));
  m_entries.assign(m_pileStart[piles], kSolFaceDownEntry);
  m_order.assign(m_pileStart[piles], kSolAnyPile);
  for (size_t c = 0; c < m_cards.size(); ++c) {
    const SolCardState& s = m_cards[c];
    if (s.pile >= piles || s.position < 0 || s.position >= m_piles[s.pile].count) continue;
    const uint32_t at = m_pileStart[s.pile] + static_cast<uint32_t>(m_piles[s.pile].count - 1 - s.position);
    const SolCardDef& def = m_rules.cards[c];
    m_entries[at] = s.faceUp ? SolCardEntry{def.suit, def.rank} : kSolFaceDownEntry;
    m_order[at] = static_cast<uint16_t>(c);
  }
  m_listsValid = true;
}

int SolRuleSet::TopCard(uint16_t pile) const {
  if (pile >= m_piles.size() || m_piles[pile].count <= 0) return -1;
  BuildLists();
  const uint16_t card = m_order[m_pileStart[pile]];
  return card == kSolAnyPile ? -1 : card;
}

SolCardList SolRuleSet::GetPileCards(uint16_t pile) const {
  if (pile >= m_piles.size()) return {};
  BuildLists();
  return {m_entries.data() + m_pileStart[pile], static_cast<int>(m_pileStart[pile + 1] - m_pileStart[pile])};
}

SolCardList SolRuleSet::GetRunCards(uint16_t card) const {
  SolCardList below;
  return GetRunAndBelow(card, below);
}

SolCardList SolRuleSet::GetRunAndBelow(uint16_t card, SolCardList& below) const {
  below = {};
  if (card >= m_cards.size()) return {};
  const SolCardState& s = m_cards[card];
  const SolCardList pile = GetPileCards(s.pile);
  if (s.position < 0 || s.position >= pile.count) return {};
  const int run = pile.count - s.position;
  below = {pile.entries + run, s.position};
  return {pile.entries, run};
}

bool SolRuleSet::EvalExpr(uint16_t expr, const SolCardList& a, const SolCardList& b) const {
  if (expr >= m_rules.expressions.size()) return false;
  const SolBytes& code = m_rules.expressions[expr];
  return SolExpression::Evaluate(a, b, code.data(), code.size());
}
