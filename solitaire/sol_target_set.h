// The target set: the rectangle of every card and pile base drawn in the
// last full paint (hit testing walks it topmost first), and the keyboard
// cursor that the direction keys move over the marked entries.
#pragma once

#include <cstdint>
#include <vector>

#include "wince/types.h"

constexpr uint16_t kSolNone = 0xFFFF;

struct SolTarget {
  RECT rect;
  uint16_t pile;
  uint16_t card;  // position in the pile, kSolNone for the pile's base
  uint8_t mark;
};

class SolTargetSet {
 public:
  static constexpr size_t kGrowth = 104;

  SolTargetSet();

  void Clear();
  // Ignored while frozen (a redraw that only moves the cursor).
  void Add(const RECT& rect, uint16_t pile, uint16_t card, bool mark);
  // The topmost entry holding the point whose pile can be hit (`hittable`
  // says so for a pile); -1 when none.
  template <class Hittable>
  int HitTest(POINT pt, Hittable&& hittable) const {
    for (size_t i = m_entries.size(); i-- > 0;) {
      const RECT& r = m_entries[i].rect;
      if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom && hittable(m_entries[i].pile)) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  // The entry registered for a pile's card (kSolNone: its base); -1 when none.
  int Find(uint16_t pile, uint16_t card) const;
  // The first entry registered for a pile; -1 when none.
  int FirstOfPile(uint16_t pile) const;

  size_t Count() const { return m_entries.size(); }
  size_t Capacity() const { return m_entries.capacity(); }
  const SolTarget& At(size_t i) const { return m_entries[i]; }
  void SetMark(size_t i, bool mark) { m_entries[i].mark = mark ? 1 : 0; }
  void SetAllMarks(bool mark);
  bool Frozen() const { return m_frozen; }
  void SetFrozen(bool frozen) { m_frozen = frozen; }

  // --- keyboard cursor -----------------------------------------------------
  // Pile-wise mode: left and right step from pile to pile, up and down card
  // by card; otherwise every marked entry is a stop.
  void SetPileWise(bool pileWise) { m_pileWise = pileWise; }
  bool HasCursor() const;
  // Cursor's pile and card; false without a cursor.
  bool GetCursor(uint16_t& pile, uint16_t& card) const;
  // Places the cursor on a pile's card (after a redraw re-registered the
  // entries); falls back to the first marked entry.
  void PlaceCursor(uint16_t pile, uint16_t card);
  void MoveLeft() { Step(-1, 0); }
  void MoveRight() { Step(1, 0); }
  void MoveUp() { Step(0, -1); }
  void MoveDown() { Step(0, 1); }
  // A frame two pixels wide in blue around the cursor's entry.
  void DrawCursor(HDC dc) const;

 private:
  void Step(int dx, int dy);
  // The visible part of entry i: later entries (drawn over it) cut it.
  RECT Visible(size_t i) const;

  std::vector<SolTarget> m_entries;
  bool m_frozen = false;
  bool m_pileWise = false;
  uint16_t m_cursorPile = kSolNone;
  uint16_t m_cursorCard = kSolNone;
};
