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
  // The marked entries are grouped into rows (by their visible tops) and
  // columns (by their visible lefts); the arrows step along them and wrap.
  // Pile-wise, rows and columns hold piles (by the bounds of their entries)
  // and an arrow along a pile's fan steps card by card.
  void SetPileWise(bool pileWise) { m_pileWise = pileWise; }
  // The picked card's pile and position (kSolNone: no pick).
  void SetPicked(uint16_t pile, uint16_t card) {
    m_pickedPile = pile;
    m_pickedCard = card;
  }
  bool HasCursor() const;
  // Cursor's pile and card; false without a cursor.
  bool GetCursor(uint16_t& pile, uint16_t& card) const;
  // Places the cursor on a pile's card (after a redraw re-registered the
  // entries); else on the marked target nearest to where the cursor was.
  void PlaceCursor(uint16_t pile, uint16_t card);
  // True when the cursor moved.
  bool MoveLeft() { return Step(true, -1); }
  bool MoveRight() { return Step(true, 1); }
  bool MoveUp() { return Step(false, -1); }
  bool MoveDown() { return Step(false, 1); }
  // A frame two pixels wide in blue around the cursor's entry.
  void DrawCursor(HDC dc) const;

  // Bands of members (entry numbers, or pile numbers pile-wise), each ordered.
  using Bands = std::vector<std::vector<int>>;
  // The rows (`rows`) or columns of the marked targets as the arrows see them.
  Bands Group(bool rows) const;

 private:
  struct Member {
    int id;
    RECT r;
  };
  bool Step(bool sideways, int dir);
  bool StepAlongFan(bool sideways, int dir);
  // The visible part of entry i: later marked entries (drawn over it) cut it.
  RECT Visible(size_t i) const;
  std::vector<Member> Members() const;
  // Pile-wise: the lowest marked position of a pile (kSolNone: none).
  uint16_t LowestMarked(uint16_t pile) const;
  // Puts the cursor on entry i and remembers where it is.
  void SetCurrent(int i);
  // Pile-wise: the entry of the pile the cursor goes to (see the .cpp); -1 none.
  int SelectInPile(uint16_t pile) const;
  // The marked entry (or pile-wise, pile) nearest to the remembered position.
  int Nearest() const;

  std::vector<SolTarget> m_entries;
  bool m_frozen = false;
  bool m_pileWise = false;
  uint16_t m_pickedPile = kSolNone;
  uint16_t m_pickedCard = kSolNone;
  uint16_t m_cursorPile = kSolNone;
  uint16_t m_cursorCard = kSolNone;
  POINT m_remembered{0, 0};
};
