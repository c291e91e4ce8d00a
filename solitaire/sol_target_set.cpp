#include "sol_target_set.h"

#include <climits>
#include <cstdlib>

#include "wince/gdi.h"

namespace {

constexpr COLORREF kCursorColour = 0xFF0000;  // blue
constexpr int kCursorPen = 2;

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

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

void SolTargetSet::PlaceCursor(uint16_t pile, uint16_t card) {
  const int i = Find(pile, card);
  if (i >= 0 && m_entries[i].mark) {
    m_cursorPile = pile;
    m_cursorCard = card;
    return;
  }
  for (const SolTarget& t : m_entries) {
    if (t.mark) {
      m_cursorPile = t.pile;
      m_cursorCard = t.card;
      return;
    }
  }
  m_cursorPile = m_cursorCard = kSolNone;
}

RECT SolTargetSet::Visible(size_t i) const {
  RECT r = m_entries[i].rect;
  for (size_t j = i + 1; j < m_entries.size(); ++j) {
    if (!m_entries[j].mark) continue;
    RECT cover = m_entries[j].rect;
    InflateRect(&cover, -1, -1);
    RECT cut;
    if (SubtractRect(&cut, &r, &cover)) r = cut;
  }
  return r;
}

void SolTargetSet::Step(int dx, int dy) {
  const int current = Find(m_cursorPile, m_cursorCard);
  if (current < 0 || !m_entries[current].mark) {
    PlaceCursor(kSolNone, kSolNone);
    return;
  }
  const POINT from = Centre(Visible(current));
  const uint16_t pile = m_entries[current].pile;
  int best = -1;
  long bestScore = LONG_MAX;
  int wrap = -1;
  long wrapScore = LONG_MAX;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const SolTarget& t = m_entries[i];
    if (!t.mark || static_cast<int>(i) == current) continue;
    // Pile-wise: sideways only to other piles' top entries, up and down
    // only within the pile while it has more cards.
    if (m_pileWise && dx != 0 && (t.pile == pile || Find(t.pile, t.card) != static_cast<int>(i))) continue;
    if (m_pileWise && dx != 0) {
      bool later = false;
      for (size_t j = i + 1; j < m_entries.size(); ++j) later = later || (m_entries[j].pile == t.pile && m_entries[j].mark);
      if (later) continue;
    }
    const POINT to = Centre(Visible(i));
    const long along = dx != 0 ? (to.x - from.x) * dx : (to.y - from.y) * dy;
    const long across = dx != 0 ? std::labs(to.y - from.y) : std::labs(to.x - from.x);
    if (along > 0) {
      const long score = 4 * along + across;
      if (score < bestScore) {
        bestScore = score;
        best = static_cast<int>(i);
      }
    } else {
      // The farthest entry the other way: where the cursor wraps to.
      const long score = 4 * along + across;
      if (score < wrapScore) {
        wrapScore = score;
        wrap = static_cast<int>(i);
      }
    }
  }
  const int next = best >= 0 ? best : wrap;
  if (next < 0) return;
  m_cursorPile = m_entries[next].pile;
  m_cursorCard = m_entries[next].card;
}

void SolTargetSet::DrawCursor(HDC dc) const {
  const int i = Find(m_cursorPile, m_cursorCard);
  if (i < 0 || !m_entries[i].mark) return;
  const RECT r = Visible(static_cast<size_t>(i));
  HPEN pen = CreatePen(PS_SOLID, kCursorPen, kCursorColour);
  HGDIOBJ old = SelectObject(dc, pen);
  const POINT frame[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1},
                          {r.left, r.top}};
  Polyline(dc, frame, 5);
  SelectObject(dc, old);
  DeleteObject(pen);
}
