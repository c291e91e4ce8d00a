// Actions, events, automatic play, the move search and undo.
#include <algorithm>
#include <cstdlib>

#include "sol_platform.h"
#include "sol_ruleset.h"

namespace {

// The live move table never grows past what the saved game can count.
constexpr size_t kMoveTableMax = 0xFFFF;
// Passes of the automatic scan before it is taken as a cycle of events that
// keep undoing each other.
constexpr int kAutomaticPassMax = 1000;

bool Matches(uint16_t rule, uint16_t pile) { return rule == kSolAnyPile || rule == pile; }

}  // namespace

void SolRuleSet::RangeOf(const SolAction& a, int& lo, int& hi) const {
  const int count = a.pile < m_piles.size() ? m_piles[a.pile].count : 0;
  switch (a.rangeMode) {
    case 0:
      lo = a.start;
      hi = count - a.count;
      break;
    case 1:
      lo = count - a.count - a.start;
      hi = count - a.start;
      break;
    case 2:
      lo = a.start;
      hi = a.start + a.count;
      break;
    default:
      lo = hi = 0;
      break;
  }
}

bool SolRuleSet::ExecuteAction(SolAction& action, int32_t* previous) {
  Invalidate();
  switch (action.kind) {
    case kSolActMove:
      return MoveRun(action, previous);
    case kSolActPileField:
      return ChangePileField(action, previous);
    case kSolActCardFlag:
      return SetCardFlags(action);
    case kSolActForbid:
      return Forbid(action.pile, action.target);
    case kSolActAllow:
      return Allow(action.pile, action.target);
    case kSolActWin:
      m_finished = 1;
      return true;
    case kSolActResetCounter:
      if (action.pile >= m_counters.size()) return false;
      if (previous) *previous = m_counters[action.pile].value;
      m_counters[action.pile].value = m_rules.counters[action.pile].initial;
      return true;
    default:
      return false;
  }
}

bool SolRuleSet::MoveRun(SolAction& a, int32_t* previous) {
  if (a.pile >= m_piles.size() || a.target >= m_piles.size()) return false;
  int lo, hi;
  RangeOf(a, lo, hi);
  const int before = m_piles[a.pile].count;
  int moved = 0;
  for (size_t c = 0; c < m_cards.size(); ++c) {
    SolCardState& s = m_cards[c];
    if (s.pile == a.pile && s.position >= lo && s.position < hi) {
      m_transit[c] = static_cast<int16_t>(s.position - lo);
      ++moved;
    }
  }
  for (size_t c = 0; c < m_cards.size(); ++c) {
    SolCardState& s = m_cards[c];
    if (m_transit[c] < 0 && s.pile == a.pile && s.position >= hi) s.position = static_cast<int16_t>(s.position - moved);
  }
  m_piles[a.pile].count = static_cast<int16_t>(before - moved);
  if (previous) *previous = a.rangeMode == 0 ? before : moved;
  const int shift = a.rangeMode == 1 ? a.count - moved : 0;
  const int targetCount = m_piles[a.target].count;
  int at;
  switch (a.targetMode) {
    case 1:
      at = targetCount - a.targetPos;
      break;
    case 2:
      at = a.targetPos;
      break;
    default:
      at = lo;
      break;
  }
  at = std::clamp(at, 0, targetCount);  // never leave a gap or go below the bottom
  for (size_t c = 0; c < m_cards.size(); ++c) {
    SolCardState& s = m_cards[c];
    if (m_transit[c] < 0 && s.pile == a.target && s.position >= at) s.position = static_cast<int16_t>(s.position + moved);
  }
  for (size_t c = 0; c < m_cards.size(); ++c) {
    if (m_transit[c] < 0) continue;
    m_cards[c].pile = a.target;
    m_cards[c].position = static_cast<int16_t>(m_transit[c] + at - shift);
    m_transit[c] = -1;
  }
  m_piles[a.target].count = static_cast<int16_t>(targetCount + moved);
  a.value = static_cast<uint16_t>(moved);
  return moved != 0;
}

bool SolRuleSet::ChangePileField(SolAction& a, int32_t* previous) {
  if (a.pile >= m_piles.size()) return false;
  SolPileState& p = m_piles[a.pile];
  const uint16_t v = a.value;
  switch (a.selector) {
    case kSolFieldActive:
    case kSolFieldEnabled: {
      uint8_t& flag = a.selector == kSolFieldActive ? p.active : p.enabled;
      const uint8_t old = flag;
      flag = static_cast<uint8_t>(v);
      return old != flag;
    }
    case kSolFieldReverse:
      for (SolCardState& s : m_cards) {
        if (s.pile == a.pile) s.position = static_cast<int16_t>(p.count - 1 - s.position);
      }
      return true;
    case kSolFieldDropExpr:
    case kSolFieldPickExpr: {
      uint16_t& expr = a.selector == kSolFieldDropExpr ? p.dropExpr : p.pickExpr;
      if (previous) *previous = expr;
      const uint16_t old = expr;
      expr = v;
      return old != v;
    }
    case kSolFieldMarker: {
      // Foundation markers keep rank and suit in two fields, the others one
      // 16-bit value.
      const bool twoFields = m_rules.piles[a.pile].baseKind == 2;
      const uint16_t old = static_cast<uint16_t>(twoFields ? (p.marker1 | (p.marker2 << 8)) : p.marker1);
      if (previous) *previous = old;
      p.marker1 = twoFields ? (v & 0xFF) : v;
      if (twoFields) p.marker2 = v >> 8;
      return old != v;
    }
    case kSolFieldShuffle: {
      if (p.count <= 0) return false;
      uint16_t key = v;
      if (previous) {
        key = static_cast<uint16_t>(static_cast<unsigned>(SolRandom()) + static_cast<unsigned>(SolRandom()));
        *previous = key;
        a.value = key;
      }
      Shuffle(a.pile, key, previous == nullptr);
      return true;
    }
    default:
      return false;
  }
}

void SolRuleSet::Shuffle(uint16_t pile, uint16_t key, bool reverse) {
  const int n = m_piles[pile].count;
  std::vector<uint16_t> order(static_cast<size_t>(n), kSolAnyPile);
  for (size_t c = 0; c < m_cards.size(); ++c) {
    const SolCardState& s = m_cards[c];
    if (s.pile == pile && s.position >= 0 && s.position < n) order[static_cast<size_t>(s.position)] = static_cast<uint16_t>(c);
  }
  for (int step = 0; step < n; ++step) {
    const int i = reverse ? n - 1 - step : step;
    const int j = static_cast<int>((static_cast<uint32_t>(i + 1) * key) % static_cast<uint32_t>(n));
    std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]);
  }
  for (int i = 0; i < n; ++i) {
    if (order[static_cast<size_t>(i)] != kSolAnyPile) m_cards[order[static_cast<size_t>(i)]].position = static_cast<int16_t>(i);
  }
}

bool SolRuleSet::SetCardFlags(const SolAction& a) {
  if (a.pile >= m_piles.size()) return false;
  int lo, hi;
  RangeOf(a, lo, hi);
  const uint8_t value = static_cast<uint8_t>(a.value);
  bool changed = false;
  for (SolCardState& s : m_cards) {
    if (s.pile != a.pile || s.position < lo || s.position >= hi) continue;
    uint8_t* flag = a.selector == kSolFlagFaceUp ? &s.faceUp
                    : a.selector == kSolFlagPick ? &s.pick
                    : a.selector == kSolFlagAccept ? &s.accept
                                                   : nullptr;
    if (flag && *flag != value) {
      *flag = value;
      changed = true;
    }
  }
  return changed;
}

bool SolRuleSet::Forbid(uint16_t a, uint16_t b) {
  if (a == b || m_piles.size() < 2 || m_moveTable.empty()) return false;
  const uint16_t piles = static_cast<uint16_t>(m_piles.size());
  auto add = [&](uint16_t from, uint16_t to) {
    if (m_moveTable.size() < kMoveTableMax) m_moveTable.push_back({from, to});
  };
  bool removed = false;
  for (size_t i = 0; i < m_moveTable.size();) {
    const SolMoveRule e = m_moveTable[i];
    bool remove = true;
    if (e.from == kSolAnyPile && e.to == kSolAnyPile) {
      m_moveTable.erase(m_moveTable.begin() + static_cast<std::ptrdiff_t>(i));
      if (b == kSolAnyPile) {
        for (uint16_t j = 0; j < piles; ++j) if (j != a) add(j, kSolAnyPile);
      } else if (a == kSolAnyPile) {
        for (uint16_t j = 0; j < piles; ++j) if (j != b) add(kSolAnyPile, j);
      } else {
        for (uint16_t j = 0; j < piles; ++j) if (j != a) add(j, kSolAnyPile);
        for (uint16_t j = 0; j < piles; ++j) if (j != a && j != b) add(a, j);
      }
      removed = true;
      continue;
    }
    if (a != kSolAnyPile && e.from == a && e.to == kSolAnyPile) {
      m_moveTable.erase(m_moveTable.begin() + static_cast<std::ptrdiff_t>(i));
      if (b != kSolAnyPile) {
        for (uint16_t j = 0; j < piles; ++j) if (j != a && j != b) add(a, j);
      }
    } else if (b != kSolAnyPile && e.from == kSolAnyPile && e.to == b) {
      m_moveTable.erase(m_moveTable.begin() + static_cast<std::ptrdiff_t>(i));
      if (a != kSolAnyPile) {
        for (uint16_t j = 0; j < piles; ++j) if (j != a && j != b) add(j, b);
      }
    } else if ((e.from == a && e.to == b) || (b == kSolAnyPile && e.from == a) || (a == kSolAnyPile && e.to == b)) {
      m_moveTable.erase(m_moveTable.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      remove = false;
      ++i;
    }
    removed = removed || remove;
  }
  return removed;
}

bool SolRuleSet::Allow(uint16_t a, uint16_t b) {
  for (const SolMoveRule& e : m_moveTable) {
    if ((e.from == kSolAnyPile || e.from == a) && (e.to == kSolAnyPile || e.to == b)) return false;
  }
  if (m_moveTable.size() >= kMoveTableMax) return false;
  m_moveTable.push_back({a, b});
  return true;
}

// --- events ----------------------------------------------------------------

bool SolRuleSet::CheckEvent(uint16_t event) const {
  if (event >= m_rules.eventKinds.size()) return false;
  for (uint32_t i = m_condStart[event]; i < m_condStart[event + 1]; ++i) {
    const SolCondition& c = m_rules.conditions[m_condList[i]];
    if (c.pileA >= m_piles.size() || !m_piles[c.pileA].enabled) return false;
    const SolCardList listB = c.pileB == kSolAnyPile ? SolCardList{} : GetPileCards(c.pileB);
    if (!EvalExpr(c.expr, GetPileCards(c.pileA), listB)) return false;
  }
  return true;
}

bool SolRuleSet::CounterAllows(uint16_t event) const {
  if (event >= m_limitOf.size()) return true;
  const uint16_t k = m_limitOf[event];
  return k == kSolAnyPile || m_counters[k].value != 0;
}

bool SolRuleSet::TakeCounter(uint16_t event, bool& stepStarted, uint16_t& counter, bool take, bool record) {
  if (take) counter = static_cast<uint16_t>(m_counters.size());
  if (event >= m_limitOf.size() || m_limitOf[event] == kSolAnyPile) return true;
  const uint16_t k = m_limitOf[event];
  if (take) counter = k;
  if (m_counters[k].value == 0) return false;
  if (take) {
    --m_counters[k].value;
    if (record) Append({kSolRecCounter, 0, 0, k, 0, 0, 0, {}}, stepStarted);
  }
  return true;
}

void SolRuleSet::Append(SolMoveRecord record, bool& stepStarted) {
  record.stepStart = stepStarted ? 0 : 1;
  stepStarted = true;
  m_history->Append(record);
  Score(record);
}

bool SolRuleSet::RunNextAction(uint16_t event, bool& stepStarted, size_t& cursor, SolAction& action, bool record) {
  for (; cursor < m_rules.eventActions.size(); ++cursor) {
    const SolEventAction& link = m_rules.eventActions[cursor];
    if (link.event != event) continue;
    action = m_rules.actions[link.action];
    int32_t previous = 0;
    if (!ExecuteAction(action, &previous)) continue;
    ++cursor;
    if (record) Append({kSolRecAction, 0, 0, link.action, static_cast<int16_t>(previous), 0, 0, {}}, stepStarted);
    return true;
  }
  return false;
}

bool SolRuleSet::RunFollowUp(uint16_t counter, bool& stepStarted, size_t& cursor, SolAction& action, bool record) {
  if (counter >= m_counters.size() || m_counters[counter].value != 0 || m_counters[counter].followUp == 0) return false;
  return RunNextAction(m_counters[counter].followUp, stepStarted, cursor, action, record);
}

void SolRuleSet::Score(const SolMoveRecord& record) {
  for (const ScoreRule& rule : m_scoreRules) {
    if (rule.recordKind != record.kind) continue;
    const bool hit = (record.kind == kSolRecMove && rule.a == static_cast<int16_t>(record.number) && rule.b == record.toPile) ||
                     (record.kind == kSolRecAction && rule.a == static_cast<int16_t>(record.number));
    if (hit) m_score += rule.points;
  }
}

bool SolRuleSet::FireEvent(uint16_t event, bool record, bool& stepStarted, SolActionSink* sink) {
  uint16_t counter = 0;
  if (!CheckEvent(event) || !TakeCounter(event, stepStarted, counter, true, record)) return false;
  bool any = false;
  SolAction action{};
  size_t cursor = 0;
  while (RunNextAction(event, stepStarted, cursor, action, record)) {
    any = true;
    if (sink) sink->OnAction(action);
  }
  cursor = 0;
  while (RunFollowUp(counter, stepStarted, cursor, action, record)) {
    any = true;
    if (sink) sink->OnAction(action);
  }
  return any;
}

void SolRuleSet::RefreshAccept(bool record) {
  for (size_t c = 0; c < m_cards.size(); ++c) {
    SolCardState& s = m_cards[c];
    if (s.pile >= m_piles.size() || m_piles[s.pile].fixedAccept) continue;
    const uint8_t accept = s.position + 1 == m_piles[s.pile].count ? 1 : 0;
    if (s.accept == accept) continue;
    s.accept = accept;
    if (record) {
      bool started = true;  // accept records never open a step
      Append({kSolRecAccept, 0, 0, static_cast<uint16_t>(c), 0, 0, 0, {}}, started);
    }
  }
}

// Fires the automatic events; an event of kind 1 that changed something
// makes the scan start again.
bool SolRuleSet::RunAutomatic(bool openingOnly, bool record, bool& stepStarted, SolActionSink* sink) {
  bool any = false;
  for (int pass = 0; pass < kAutomaticPassMax && !m_finished; ++pass) {
    bool again = false;
    for (uint16_t e = 1; e < m_rules.eventKinds.size() && !m_finished; ++e) {
      const uint8_t kind = m_rules.eventKinds[e];
      if (kind == kSolEventManual || (kind == kSolEventOpening) != openingOnly) continue;
      if (!FireEvent(e, record, stepStarted, sink)) continue;
      any = true;
      again = again || kind == kSolEventAutoRepeat;
    }
    if (!again) break;
  }
  return any;
}

void SolRuleSet::OpenCounters(size_t first) {
  StartCounters(first);
  bool stepStarted = true;
  for (uint16_t e = 1; e < m_rules.eventKinds.size(); ++e) {
    if (m_rules.eventKinds[e] != kSolEventOpening || e >= m_limitOf.size()) continue;
    const uint16_t k = m_limitOf[e];
    if (k != kSolAnyPile && k >= first) FireEvent(e, false, stepStarted, nullptr);
  }
}

// --- move search -------------------------------------------------------------

// Whether a run from `card` may land on `pile`: an accepting top card or a
// base that takes cards, a matching move-table entry and the drop condition.
bool SolRuleSet::TargetAccepts(uint16_t card, uint16_t pile) const {
  const int top = TopCard(pile);
  if (top >= 0 ? !m_cards[static_cast<size_t>(top)].accept : m_rules.piles[pile].baseKind == 1) return false;
  const uint16_t from = m_cards[card].pile;
  const bool listed = std::any_of(m_moveTable.begin(), m_moveTable.end(),
                                  [&](const SolMoveRule& r) { return Matches(r.from, from) && Matches(r.to, pile); });
  return listed && EvalExpr(m_piles[pile].dropExpr, GetRunCards(card), GetPileCards(pile));
}

// The tap event a pile offers now, 0 when none.
static uint16_t TapEventOf(const SolPileDef& def, int top, const std::vector<SolCardState>& cards) {
  if (top < 0) return def.emptyTapEvent;
  return cards[static_cast<size_t>(top)].pick ? def.tapEvent : 0;
}

template <class Visit>
bool SolRuleSet::ForEachMove(Visit&& visit) const {
  const uint16_t piles = static_cast<uint16_t>(m_piles.size());
  for (uint16_t p = 0; p < piles; ++p) {
    const uint16_t e = TapEventOf(m_rules.piles[p], TopCard(p), m_cards);
    if (e != 0 && CheckEvent(e) && CounterAllows(e) && visit(p, kSolAnyPile)) return true;
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (uint16_t c = 0; c < m_cards.size(); ++c) {
      const SolCardState& s = m_cards[c];
      if (!s.pick || s.pile >= piles || !m_piles[s.pile].active) continue;
      const bool top = s.position + 1 == m_piles[s.pile].count;
      if (pass == 0 ? !top : (top || m_piles[s.pile].fan == 0)) continue;
      SolCardList below;
      const SolCardList run = GetRunAndBelow(c, below);
      if (!EvalExpr(m_piles[s.pile].pickExpr, run, below)) continue;
      for (uint16_t k = 0; k < piles; ++k) {
        if (k != s.pile && TargetAccepts(c, k) && visit(c, k)) return true;
      }
    }
  }
  return false;
}

bool SolRuleSet::FindMove(int n, uint16_t& from, uint16_t& to) const {
  if (!HasGame() || n < 0) return false;
  int index = 0;
  return ForEachMove([&](uint16_t f, uint16_t t) {
    if (index++ != n) return false;
    from = f;
    to = t;
    return true;
  });
}

void SolRuleSet::ListMoves(std::vector<SolMove>& out) const {
  out.clear();
  if (!HasGame()) return;
  ForEachMove([&](uint16_t f, uint16_t t) {
    out.push_back({f, t});
    return false;
  });
}

// --- undo --------------------------------------------------------------------

SolAction SolRuleSet::Inverse(const SolAction& a, int32_t previous) const {
  SolAction inv = a;
  switch (a.kind) {
    case kSolActMove:
      inv.pile = a.target;
      inv.target = a.pile;
      inv.start = a.targetPos;
      inv.rangeMode = a.targetMode;
      if (a.rangeMode == 0) {
        inv.count = static_cast<uint16_t>(previous - a.count - a.start);
        inv.targetMode = 1;
        inv.targetPos = a.count;
      } else {
        inv.count = static_cast<uint16_t>(previous);
        inv.targetMode = a.rangeMode;
        inv.targetPos = a.start;
      }
      break;
    case kSolActPileField:
      if (a.selector >= kSolFieldDropExpr && a.selector <= kSolFieldPickExpr) {
        inv.value = static_cast<uint16_t>(previous);
      } else {
        inv.value = a.value == 0 ? 1 : 0;
      }
      break;
    case kSolActCardFlag:
      inv.value = a.value == 0 ? 1 : 0;
      break;
    case kSolActForbid:
      inv.kind = kSolActAllow;
      break;
    case kSolActAllow:
      inv.kind = kSolActForbid;
      break;
    default:
      break;
  }
  return inv;
}

bool SolRuleSet::UndoRecord(SolMoveRecord& out) {
  if (!m_history || m_history->Count() == 0) return false;
  const size_t last = m_history->Count() - 1;
  SolMoveRecord r;
  m_history->GetAt(last, r);
  Invalidate();
  switch (r.kind) {
    case kSolRecMove: {
      SolAction back{kSolActMove, 0, static_cast<uint16_t>(r.toPile), static_cast<uint16_t>(r.toPos), 0, r.number, 1, 0, 0, 0};
      ExecuteAction(back, nullptr);
      break;
    }
    case kSolRecAction: {
      if (r.number >= m_rules.actions.size()) break;
      const SolAction& a = m_rules.actions[r.number];
      if (a.kind == kSolActResetCounter) {
        if (a.pile < m_counters.size()) m_counters[a.pile].value = r.value;
      } else if (a.kind != kSolActWin) {
        SolAction inv = Inverse(a, static_cast<uint16_t>(r.value));
        ExecuteAction(inv, nullptr);
      }
      break;
    }
    case kSolRecAccept:
      if (r.number < m_cards.size()) m_cards[r.number].accept = m_cards[r.number].accept ? 0 : 1;
      break;
    case kSolRecCounter:
      if (r.number < m_counters.size()) ++m_counters[r.number].value;
      break;
    default:
      break;
  }
  m_history->RemoveAt(last);
  m_score += m_undoScore;
  out = r;
  return r.stepStart != 0;
}

// --- player steps ------------------------------------------------------------

bool SolRuleSet::CanPickCard(uint16_t card) const {
  if (!HasGame() || card >= m_cards.size() || !m_cards[card].pick) return false;
  SolCardList below;
  const SolCardList run = GetRunAndBelow(card, below);
  return EvalExpr(m_piles[m_cards[card].pile].pickExpr, run, below);
}

bool SolRuleSet::CanTapPile(uint16_t pile) const {
  if (!HasGame() || pile >= m_piles.size()) return false;
  const int top = TopCard(pile);
  if (top < 0 && m_rules.piles[pile].baseKind == 1) return false;
  const uint16_t e = TapEventOf(m_rules.piles[pile], top, m_cards);
  return e != 0 && CheckEvent(e) && CounterAllows(e);
}

bool SolRuleSet::CanMoveCardTo(uint16_t card, uint16_t pile) const {
  if (!HasGame() || card >= m_cards.size() || pile >= m_piles.size() || m_cards[card].pile == pile) return false;
  return TargetAccepts(card, pile);
}

bool SolRuleSet::TryMove(uint16_t card, uint16_t pile, SolActionSink* sink) {
  if (!CanPickCard(card) || !m_piles[m_cards[card].pile].active || !CanMoveCardTo(card, pile) || !m_piles[pile].active) {
    return false;
  }
  const SolCardState from = m_cards[card];
  bool stepStarted = false;
  Append({kSolRecMove, 0, 0, from.pile, from.position, static_cast<int16_t>(pile), m_piles[pile].count, {}}, stepStarted);
  SolAction move{kSolActMove, 2, from.pile, static_cast<uint16_t>(from.position), static_cast<uint16_t>(m_piles[from.pile].count - from.position),
                 pile, 1, 0, 0, 0};
  ExecuteAction(move, nullptr);
  const uint16_t dropEvent = m_rules.piles[pile].dropEvent;
  if (dropEvent != 0) FireEvent(dropEvent, true, stepStarted, sink);
  return true;
}

bool SolRuleSet::TapPile(uint16_t pile, SolActionSink* sink) {
  if (!HasGame() || pile >= m_piles.size() || !m_piles[pile].active) return false;
  const uint16_t e = TapEventOf(m_rules.piles[pile], TopCard(pile), m_cards);
  if (e == 0) return false;
  bool stepStarted = false;
  return FireEvent(e, true, stepStarted, sink);
}

bool SolRuleSet::RunAutomaticMoves(SolActionSink* sink) {
  if (!HasGame()) return false;
  bool stepStarted = true;
  const bool any = RunAutomatic(false, true, stepStarted, sink);
  RefreshAccept(true);
  return any;
}

// Undoes records until one that opened a step is undone, or none is left.
bool SolRuleSet::UndoStep() {
  if (!m_history || m_history->Count() == 0) return false;
  SolMoveRecord r;
  while (m_history->Count() > 0 && !UndoRecord(r)) {
  }
  return true;
}
