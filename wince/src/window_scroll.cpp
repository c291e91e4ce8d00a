// Scroll-bar state and the caret.
#include <algorithm>

#include "window_internal.h"

namespace wince::win {

namespace {

SCROLLINFO* barOf(HWND hwnd, int bar) {
  Window* w = find(hwnd);
  if (w == nullptr || bar < SB_HORZ || bar > SB_CTL) return nullptr;
  return &w->scroll[bar == SB_HORZ ? 0 : 1];
}

// The position stays within [nMin, nMax - max(nPage - 1, 0)].
void clampPosition(SCROLLINFO& s) {
  const int span = std::max(s.nMax - s.nMin + 1, 0);
  s.nPage = std::min<UINT>(s.nPage, static_cast<UINT>(span));
  const int highest = std::max(s.nMax - std::max(static_cast<int>(s.nPage) - 1, 0), s.nMin);
  s.nPos = std::clamp(s.nPos, s.nMin, highest);
}

void barChanged(HWND hwnd, BOOL redraw) {
  if (redraw) InvalidateRect(hwnd, nullptr, FALSE);
}

struct Caret {
  HWND owner{};
  HBITMAP bitmap{};
  int width = 0;
  int height = 0;
  POINT pos{};
  int hideCount = 0;
};

Caret& caret() {
  static Caret c;
  return c;
}

}  // namespace

}  // namespace wince::win

using namespace wince::win;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
  SCROLLINFO* s = barOf(hwnd, bar);
  if (s == nullptr || info == nullptr) return 0;
  if (info->fMask & SIF_RANGE) {
    s->nMin = info->nMin;
    s->nMax = info->nMax;
  }
  if (info->fMask & SIF_PAGE) s->nPage = info->nPage;
  if (info->fMask & SIF_POS) s->nPos = info->nPos;
  clampPosition(*s);
  const int pos = s->nPos;
  barChanged(hwnd, redraw);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  SCROLLINFO* s = barOf(hwnd, bar);
  if (s == nullptr || info == nullptr) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = s->nMin;
    info->nMax = s->nMax;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s->nPage;
  if (info->fMask & SIF_POS) info->nPos = s->nPos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->nTrackPos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  SCROLLINFO* s = barOf(hwnd, bar);
  if (s == nullptr) return 0;
  const int old = s->nPos;
  s->nPos = pos;
  clampPosition(*s);
  barChanged(hwnd, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO* s = barOf(hwnd, bar);
  return s != nullptr ? s->nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  SCROLLINFO* s = barOf(hwnd, bar);
  if (s == nullptr) return FALSE;
  s->nMin = minPos;
  s->nMax = maxPos;
  clampPosition(*s);
  barChanged(hwnd, redraw);
  return TRUE;
}

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(hwnd)) return FALSE;
  caret() = Caret{hwnd, bitmap, width, height, POINT{}, 1};  // created hidden
  return TRUE;
}

BOOL DestroyCaret() {
  caret() = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  Caret& c = caret();
  if (c.owner == nullptr || (hwnd != nullptr && hwnd != c.owner) || c.hideCount == 0) return FALSE;
  --c.hideCount;
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  Caret& c = caret();
  if (c.owner == nullptr || (hwnd != nullptr && hwnd != c.owner)) return FALSE;
  ++c.hideCount;
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Caret& c = caret();
  if (c.owner == nullptr) return FALSE;
  c.pos = POINT{x, y};
  return TRUE;
}

BOOL GetCaretPos(LPPOINT pt) {
  if (pt == nullptr) return FALSE;
  *pt = caret().pos;
  return TRUE;
}
