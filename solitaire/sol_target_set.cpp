#include "sol_target_set.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "wince/gdi.h"

namespace {

constexpr COLORREF kCursorColour = 0xFF0000;  // blue
constexpr int kCursorPen = 2;

}  // namespace

SolTargetSet::SolTargetSet() { m_entries.reserve(kGrowth); }

void SolTargetSet::Clear() {
  if (!m_frozen) m_entries.clear();
}

void SolTargetSet::Add(const RECT& rect, uint16_t pile, uint16_t card, bool mark) {
  if (m_frozen) return;
  if (m_entries.size() == m_entries.capacity()) m_entries.reserve(m_entries.size() + kGrowth);
  m_entries.push_back({rect, pile, card, static_cast<uint8_t>(mark ? 1 : 0)});
}

int SolTargetSet::Find(uint16_t pile, uint16_t card) const {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].pile == pile && m_entries[i].card == card) return static_cast<int>(i);
  }
  return -1;
}

int SolTargetSet::FirstOfPile(uint16_t pile) const {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].pile == pile) return static_cast<int>(i);
  }
  return -1;
}

void SolTargetSet::SetAllMarks(bool mark) {
  for (SolTarget& t : m_entries) t.mark = mark ? 1 : 0;
}

bool SolTargetSet::HasCursor() const {
  const int i = Find(m_cursorPile, m_cursorCard);
  return i >= 0 && m_entries[i].mark;
}

bool SolTargetSet::GetCursor(uint16_t& pile, uint16_t& card) const {
  if (!HasCursor()) return false;
  pile = m_cursorPile;
  card = m_cursorCard;
  return true;
}

void SolTargetSet::SetCurrent(int i) {
  if (i < 0) {
    m_cursorPile = m_cursorCard = kSolNone;
    return;
  }
  m_cursorPile = m_entries[i].pile;
  m_cursorCard = m_entries[i].card;
  const RECT r = Visible(static_cast<size_t>(i));
  m_remembered = {r.left, r.top};
}

void SolTargetSet::PlaceCursor(uint16_t pile, uint16_t card) {
  const int i = Find(pile, card);
  SetCurrent(i >= 0 && m_entries[i].mark ? i : Nearest());
}

RECT SolTargetSet::Visible(size_t i) const {
  RECT r = m_entries[i].rect;
  for (size_t j = i + 1; j < m_entries.size(); ++j) {
    if (!m_entries[j].mark) continue;
    // Only a real overlap cuts; the cut is taken when it leaves a rectangle.
    RECT inner = m_entries[j].rect;
    InflateRect(&inner, -1, -1);
    RECT overlap;
    RECT cut;
    if (IntersectRect(&overlap, &inner, &r) && SubtractRect(&cut, &r, &m_entries[j].rect)) r = cut;
  }
  return r;
}

uint16_t SolTargetSet::LowestMarked(uint16_t pile) const {
  uint16_t lowest = kSolNone;
  for (const SolTarget& t : m_entries) {
    if (t.pile == pile && t.mark && t.card != kSolNone && (lowest == kSolNone || t.card < lowest)) lowest = t.card;
  }
  return lowest;
}

// Card-wise, the marked entries with their visible rects; pile-wise, the
// piles with a marked entry and the bounds of all their entries.
std::vector<SolTargetSet::Member> SolTargetSet::Members() const {
  std::vector<Member> out;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const SolTarget& t = m_entries[i];
    if (!t.mark) continue;
    if (!m_pileWise) {
      out.push_back({static_cast<int>(i), Visible(i)});
      continue;
    }
    const auto same = [&](const Member& m) { return m.id == t.pile; };
    if (std::any_of(out.begin(), out.end(), same)) continue;
    Member pile{t.pile, t.rect};
    for (const SolTarget& e : m_entries) {
      if (e.pile == t.pile) UnionRect(&pile.r, &pile.r, &e.rect);
    }
    out.push_back(pile);
  }
  return out;
}

// Rows: from the smallest top t not yet placed (the first entry on ties)
// with the height h of that member, every member whose top lies in t..t+h;
// ordered by left, and of equal lefts only the smaller top stays. Columns
// the same with lefts and widths.
SolTargetSet::Bands SolTargetSet::Group(bool rows) const {
  const std::vector<Member> members = Members();
  const auto key = [&](const Member& m) { return rows ? m.r.top : m.r.left; };
  const auto cross = [&](const Member& m) { return rows ? m.r.left : m.r.top; };
  std::vector<bool> placed(members.size(), false);
  Bands bands;
  for (;;) {
    int first = -1;
    for (size_t i = 0; i < members.size(); ++i) {
      if (!placed[i] && (first < 0 || key(members[i]) < key(members[first]))) first = static_cast<int>(i);
    }
    if (first < 0) break;
    const Member& head = members[first];
    const LONG t = key(head);
    const LONG end = t + (rows ? head.r.bottom - head.r.top : head.r.right - head.r.left);
    std::vector<const Member*> band;
    for (size_t i = 0; i < members.size(); ++i) {
      if (placed[i] || key(members[i]) > end) continue;
      placed[i] = true;
      band.push_back(&members[i]);
    }
    std::stable_sort(band.begin(), band.end(), [&](const Member* a, const Member* b) {
      return cross(*a) != cross(*b) ? cross(*a) < cross(*b) : key(*a) < key(*b);
    });
    std::vector<int> ids;
    for (size_t k = 0; k < band.size(); ++k) {
      if (k == 0 || cross(*band[k]) != cross(*band[k - 1])) ids.push_back(band[k]->id);
    }
    bands.push_back(std::move(ids));
  }
  return bands;
}

namespace {

// The member before (dir -1) or after (+1) `m` in its band, going on to the
// previous or next band and wrapping; -1 when `m` is in no band.
int Neighbour(const SolTargetSet::Bands& bands, int m, int dir) {
  for (size_t b = 0; b < bands.size(); ++b) {
    const auto& band = bands[b];
    const auto at = std::find(band.begin(), band.end(), m);
    if (at == band.end()) continue;
    const size_t k = static_cast<size_t>(at - band.begin());
    if (dir < 0) return k > 0 ? band[k - 1] : bands[b > 0 ? b - 1 : bands.size() - 1].back();
    return k + 1 < band.size() ? band[k + 1] : bands[(b + 1) % bands.size()].front();
  }
  return -1;
}

// A step along `along` from `m`; when `m` is in none of those bands, from
// the nearest member before it in its band of `across` that is.
int StepFrom(const SolTargetSet::Bands& along, const SolTargetSet::Bands& across, int m, int dir) {
  const int next = Neighbour(along, m, dir);
  if (next >= 0) return next;
  for (const auto& band : across) {
    const auto at = std::find(band.begin(), band.end(), m);
    if (at == band.end()) continue;
    for (auto it = at; it != band.begin();) {
      const int from = Neighbour(along, *--it, dir);
      if (from >= 0) return from;
    }
  }
  return -1;
}

// The fan direction a pile's entries show: 1 left, 2 right, 3 up, 4 down, 0 none.
int FanOf(const RECT& first, const RECT& second) {
  if (second.left < first.left) return 1;
  if (second.left > first.left) return 2;
  if (second.top < first.top) return 3;
  if (second.top > first.top) return 4;
  return 0;
}

}  // namespace

bool SolTargetSet::StepAlongFan(bool sideways, int dir) {
  if (m_cursorPile == m_pickedPile || m_cursorCard == kSolNone) return false;
  const int a = Find(m_cursorPile, 0);
  const int b = Find(m_cursorPile, 1);
  if (a < 0 || b < 0) return false;
  const int fan = FanOf(m_entries[a].rect, m_entries[b].rect);
  // The step in position that the arrow makes along the fan, 0 across it.
  int delta = 0;
  if (sideways && fan == 1) delta = -dir;
  if (sideways && fan == 2) delta = dir;
  if (!sideways && fan == 3) delta = -dir;
  if (!sideways && fan == 4) delta = dir;
  if (delta == 0) return false;
  const int position = m_cursorCard + delta;
  const uint16_t lowest = LowestMarked(m_cursorPile);
  if (position < 0 || lowest == kSolNone || position < lowest) return false;
  const int next = Find(m_cursorPile, static_cast<uint16_t>(position));
  if (next < 0) return false;
  SetCurrent(next);
  return true;
}

// Without a pick: the pile's marked entry nearest to the remembered
// position. With one: the picked card in its own pile, the top card (or the
// base of an empty pile) elsewhere.
int SolTargetSet::SelectInPile(uint16_t pile) const {
  if (m_pickedPile == pile) return Find(pile, m_pickedCard);
  int best = -1;
  long bestDistance = LONG_MAX;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const SolTarget& t = m_entries[i];
    if (t.pile != pile) continue;
    if (m_pickedPile != kSolNone) {
      // The top card is the highest position registered; the base only without cards.
      if (best < 0 || (t.card != kSolNone && (m_entries[best].card == kSolNone || t.card > m_entries[best].card))) {
        best = static_cast<int>(i);
      }
      continue;
    }
    if (!t.mark) continue;
    const RECT r = Visible(i);
    const long d = std::labs(r.left - m_remembered.x) + std::labs(r.top - m_remembered.y);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

int SolTargetSet::Nearest() const {
  int best = -1;
  long bestDistance = LONG_MAX;
  for (const Member& m : Members()) {
    const long d = std::labs(m.r.left - m_remembered.x) + std::labs(m.r.top - m_remembered.y);
    if (d < bestDistance) {
      bestDistance = d;
      best = m.id;
    }
  }
  if (m_pileWise && best >= 0) return SelectInPile(static_cast<uint16_t>(best));
  return best;
}

bool SolTargetSet::Step(bool sideways, int dir) {
  const int current = Find(m_cursorPile, m_cursorCard);
  if (current < 0 || !m_entries[current].mark) {
    SetCurrent(Nearest());
    return HasCursor();
  }
  if (m_pileWise && StepAlongFan(sideways, dir)) return true;
  const Bands rows = Group(true);
  const Bands columns = Group(false);
  const int from = m_pileWise ? m_cursorPile : current;
  const int to = sideways ? StepFrom(rows, columns, from, dir) : StepFrom(columns, rows, from, dir);
  if (to < 0 || to == from) return false;
  SetCurrent(m_pileWise ? SelectInPile(static_cast<uint16_t>(to)) : to);
  return true;
}

void SolTargetSet::DrawCursor(HDC dc) const {
  const int i = Find(m_cursorPile, m_cursorCard);
  if (i < 0 || !m_entries[i].mark) return;
  const RECT r = Visible(static_cast<size_t>(i));
  HPEN pen = CreatePen(PS_SOLID, kCursorPen, kCursorColour);
  HGDIOBJ old = SelectObject(dc, pen);
  const POINT frame[5] = {
      {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
  Polyline(dc, frame, 5);
  SelectObject(dc, old);
  DeleteObject(pen);
}
