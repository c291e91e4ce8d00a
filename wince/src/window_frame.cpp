// The non-client frame: the border and the scroll bars, drawn by the runtime
// and worked with the stylus (arrows, page areas and the thumb send
// WM_VSCROLL / WM_HSCROLL to the window).
#include <algorithm>

#include "wince/gdi.h"
#include "wince/system.h"
#include "ctl_common.h"
#include "shell_draw.h"
#include "window_internal.h"

namespace wince::win {

namespace {

// A bar's rectangle in window coordinates; empty when the window has none.
RECT barRect(const Window* w, int bar) {
  const RECT client = clientRectLocal(w);
  if (bar == SB_VERT && (w->style & WS_VSCROLL)) {
    return RECT{client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
  }
  if (bar == SB_HORZ && (w->style & WS_HSCROLL)) {
    return RECT{client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  }
  return RECT{};
}

// The parts of a bar along its length: arrows at both ends, the track and
// the thumb between them.
struct BarLayout {
  int length = 0;      // whole bar
  int arrow = 0;       // each arrow
  int thumbStart = 0;  // from the bar's start
  int thumbLength = 0;
  bool active = false;  // the range is larger than the page
};

BarLayout layoutOf(const Window* w, int bar) {
  const RECT r = barRect(w, bar);
  BarLayout l;
  const bool vertical = bar == SB_VERT;
  l.length = vertical ? r.bottom - r.top : r.right - r.left;
  const int thickness = vertical ? r.right - r.left : r.bottom - r.top;
  l.arrow = std::min(thickness, l.length / 2);
  const SCROLLINFO& s = w->scroll[vertical ? 1 : 0];
  const int range = s.nMax - s.nMin + 1;
  const int page = static_cast<int>(s.nPage);
  const int track = l.length - 2 * l.arrow;
  l.active = range > 0 && page < range && track > 0;
  if (!l.active) return l;
  l.thumbLength = page > 0 ? std::max(track * page / range, std::min(thickness, track)) : std::min(thickness, track);
  const int travel = track - l.thumbLength;
  const int span = std::max(range - std::max(page, 1), 1);
  l.thumbStart = l.arrow + (travel > 0 ? (s.nPos - s.nMin) * travel / span : 0);
  return l;
}

int positionForThumb(const Window* w, int bar, int thumbStart) {
  const BarLayout l = layoutOf(w, bar);
  const SCROLLINFO& s = w->scroll[bar == SB_VERT ? 1 : 0];
  const int travel = l.length - 2 * l.arrow - l.thumbLength;
  const int span = std::max(s.nMax - s.nMin + 1 - std::max(static_cast<int>(s.nPage), 1), 0);
  if (travel <= 0) return s.nMin;
  const int offset = std::clamp(thumbStart - l.arrow, 0, travel);
  return s.nMin + (offset * span + travel / 2) / travel;
}

struct Tracking {
  HWND hwnd{};
  int bar = SB_VERT;
  bool thumb = false;
  int grab = 0;  // stylus offset into the thumb
  int position = 0;
};

Tracking& tracking() {
  static Tracking t;
  return t;
}

void postScroll(HWND hwnd, int bar, int code, int pos) {
  PostMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), 0);
}

// Offset of a screen point along a bar, from the bar's start.
int alongBar(const Window* w, int bar, POINT screenPt) {
  const RECT win = windowRectScreen(w);
  const RECT r = offset(barRect(w, bar), win.left, win.top);
  return bar == SB_VERT ? screenPt.y - r.top : screenPt.x - r.left;
}

void fill(HDC dc, const RECT& r, int colour) { FillRect(dc, &r, GetSysColorBrush(colour)); }

void outline(HDC dc, const RECT& r, int colour) {
  fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, colour);
  fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, colour);
  fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, colour);
  fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, colour);
}

// A part of a bar from `start` for `length` along it.
RECT partOf(const RECT& bar, bool vertical, int start, int length) {
  return vertical ? RECT{bar.left, bar.top + start, bar.right, bar.top + start + length}
                  : RECT{bar.left + start, bar.top, bar.left + start + length, bar.bottom};
}

void drawBar(HDC dc, const Window* w, int bar) {
  const RECT r = barRect(w, bar);
  if (rectEmpty(r)) return;
  const bool vertical = bar == SB_VERT;
  const BarLayout l = layoutOf(w, bar);
  fill(dc, r, COLOR_SCROLLBAR);
  // The arrow boxes with their glyphs, grey while there is nothing to scroll.
  const COLORREF glyph = l.active ? ctl::kInk : ctl::kGreyInk;
  const RECT boxes[] = {partOf(r, vertical, 0, l.arrow), partOf(r, vertical, l.length - l.arrow, l.arrow)};
  const ctl::Arrow glyphs[] = {vertical ? ctl::Arrow::Up : ctl::Arrow::Left,
                               vertical ? ctl::Arrow::Down : ctl::Arrow::Right};
  for (int i = 0; i < 2; ++i) {
    fill(dc, boxes[i], COLOR_BTNFACE);
    outline(dc, boxes[i], COLOR_BTNSHADOW);
    ctl::arrow(dc, boxes[i], glyphs[i], glyph);
  }
  if (l.active) {
    const RECT thumb = partOf(r, vertical, l.thumbStart, l.thumbLength);
    fill(dc, thumb, COLOR_BTNFACE);
    outline(dc, thumb, COLOR_BTNSHADOW);
  }
}

}  // namespace

void drawFrame(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || !visibleOnScreen(w) || !(w->style & (WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL))) {
    return;
  }
  HDC dc = GetWindowDC(hwnd);
  if (dc == nullptr) return;
  if (w->style & (WS_BORDER | WS_DLGFRAME)) {
    const LONG width = w->rect.right - w->rect.left;
    outline(dc, RECT{0, 0, width, w->rect.bottom - w->rect.top}, COLOR_WINDOWFRAME);
    const int row = titleRowOf(w->style, width);
    if (row > 0) wince::detail::drawTitleRow(dc, RECT{1, 1, width - 1, 1 + row}, w->text);
  }
  drawBar(dc, w, SB_VERT);
  drawBar(dc, w, SB_HORZ);
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
    const RECT v = barRect(w, SB_VERT);
    const RECT h = barRect(w, SB_HORZ);
    fill(dc, RECT{v.left, h.top, v.right, h.bottom}, COLOR_BTNFACE);
  }
  ReleaseDC(hwnd, dc);
}

bool scrollBarStylus(UINT msg, POINT pt, HWND target) {
  Tracking& t = tracking();
  if (t.hwnd != nullptr) {
    Window* w = find(t.hwnd);
    if (w == nullptr) {
      t = Tracking{};
      return msg != WM_LBUTTONDOWN;
    }
    if (t.thumb && (msg == WM_MOUSEMOVE || msg == WM_LBUTTONUP)) {
      t.position = positionForThumb(w, t.bar, alongBar(w, t.bar, pt) - t.grab);
      w->scroll[t.bar == SB_VERT ? 1 : 0].nTrackPos = t.position;
      postScroll(t.hwnd, t.bar, msg == WM_MOUSEMOVE ? SB_THUMBTRACK : SB_THUMBPOSITION, t.position);
    }
    if (msg == WM_LBUTTONUP) {
      postScroll(t.hwnd, t.bar, SB_ENDSCROLL, 0);
      t = Tracking{};
    }
    return true;
  }
  Window* w = find(target);
  if (msg != WM_LBUTTONDOWN || w == nullptr) return false;
  const RECT win = windowRectScreen(w);
  for (int bar : {SB_VERT, SB_HORZ}) {
    const RECT r = offset(barRect(w, bar), win.left, win.top);
    if (!contains(r, pt)) continue;
    const BarLayout l = layoutOf(w, bar);
    if (!l.active) return true;  // a bar with nothing to scroll takes the tap
    const int at = alongBar(w, bar, pt);
    t = Tracking{target, bar};
    if (at < l.arrow) {
      postScroll(target, bar, SB_LINEUP, 0);
    } else if (at >= l.length - l.arrow) {
      postScroll(target, bar, SB_LINEDOWN, 0);
    } else if (at < l.thumbStart) {
      postScroll(target, bar, SB_PAGEUP, 0);
    } else if (at >= l.thumbStart + l.thumbLength) {
      postScroll(target, bar, SB_PAGEDOWN, 0);
    } else {
      t.thumb = true;
      t.grab = at - l.thumbStart;
    }
    return true;
  }
  return false;
}

void resetScrollTracking() { tracking() = Tracking{}; }

}  // namespace wince::win
