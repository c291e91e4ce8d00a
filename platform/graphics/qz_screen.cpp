#include "qz_screen.h"

#include <algorithm>
#include <cstdlib>

#include "qz_bitmap.h"
#include "qz_colour.h"
#include "qz_resource_manager.h"
#include "qz_display.h"
#include "wince/gdi.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/window.h"

namespace {

// The screen update into the window through its DC.
class WindowOutput : public QZScreenOutput {
 public:
  void blit(HBITMAP source, int sx, int sy, int w, int h, int dx, int dy) override;
  void fillRect(int left, int top, int right, int bottom, uint16_t colour) override;
};

struct ScreenState {
  QZScreenEnvironment env;
  WindowOutput window_;
  QZScreenOutput* output = &window_;
  HDC drawDc = nullptr;
  HWND window = nullptr;
  QZScreenLayout layout{};
  int16_t windowWidth = 0;
  int16_t usableHeight = 0;
  bool laidOut = false;
  bool backBuffer16 = false;
  HBITMAP scaled = nullptr;
  int scaledWidth = 0;
  int scaledHeight = 0;
  int16_t mode = -1;
  int borderPlanes[2] = {0xFFFF, 0xFFFF};
};

ScreenState& state() {
  static ScreenState s;
  return s;
}

QZDisplay display() { return state().env.display ? state().env.display() : QZQueryDisplay(true); }

// The DC for screen operations: the one set by QZSetDrawDC, else the window's.
HDC acquireWindowDc() { return state().drawDc ? state().drawDc : GetDC(state().window); }
void releaseWindowDc(HDC dc) {
  if (dc != state().drawDc) ReleaseDC(state().window, dc);
}

void WindowOutput::blit(HBITMAP source, int sx, int sy, int w, int h, int dx, int dy) {
  HDC window = acquireWindowDc();
  HDC drawDc = QZGetDrawDC();
  const bool selected = drawDc && GetCurrentObject(drawDc, OBJ_BITMAP) == source;
  HDC from = selected ? drawDc : QZGetSpareDC();
  HGDIOBJ old = selected ? nullptr : SelectObject(from, source);
  BitBlt(window, dx, dy, w, h, from, sx, sy, SRCCOPY);
  if (!selected) SelectObject(from, old);
  releaseWindowDc(window);
}

void WindowOutput::fillRect(int left, int top, int right, int bottom, uint16_t colour) {
  HDC window = acquireWindowDc();
  HPEN pen = CreatePen(PS_SOLID, 1, QZRGB565ToColorRef(colour));
  HBRUSH brush = CreateSolidBrush(QZRGB565ToColorRef(colour));
  HGDIOBJ oldPen = SelectObject(window, pen);
  HGDIOBJ oldBrush = SelectObject(window, brush);
  Rectangle(window, left, top, right, bottom);
  SelectObject(window, oldPen);
  SelectObject(window, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  releaseWindowDc(window);
}

void deleteScaled() {
  QZDeleteBitmap(&state().scaled);
  state().scaledWidth = state().scaledHeight = 0;
}

void blit(HBITMAP source, int sx, int sy, int w, int h, int dx, int dy) {
  if (state().output && source && w > 0 && h > 0) state().output->blit(source, sx, sy, w, h, dx, dy);
}

}  // namespace

QZDisplay QZQueryDisplay(bool fullScreen) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  QZDisplay d{width, height, QZGetScreenDepth(), fullScreen, false, 0, height, height, QZCanRotateDisplay() != 0};
  SIPINFO sip{};
  sip.cbSize = sizeof sip;
  if (SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0)) {
    d.sipKnown = true;
    d.visibleTop = sip.rcVisibleDesktop.top;
    d.visibleBottom = sip.rcVisibleDesktop.bottom;
    d.sipTop = sip.rcSipRect.top;
  }
  return d;
}

void QZSetScreenEnvironment(QZScreenEnvironment environment) { state().env = std::move(environment); }
void QZSetScreenOutput(QZScreenOutput* output) { state().output = output ? output : &state().window_; }
void QZSetDrawDC(HDC dc) { state().drawDc = dc; }

void QZStartScreen(HWND window) {
  QZStopScreen();
  state().window = window;
  state().mode = -1;
  QZLayoutScreen(0);
}

void QZStopScreen() {
  QZDeleteScreenPlane();
  deleteScaled();
  state().layout = QZScreenLayout{};
  state().laidOut = false;
}

int QZScreenFit(int dw, int dh, int mw, int mh) {
  if (dw == mw && dh == mh) return 3;
  if (dw == mh && dh == mw && display().canRotate) return 2;
  if (mw == mh && (mw == dw || mw == dh)) return 1;
  return 0;
}

bool QZScreenSupportsMode(int depth, int, int) { return display().depth == depth; }

int16_t QZChooseGraphicsMode(int count, const QZGraphicsMode* table, int16_t* modeId, int16_t* index,
                             int16_t* firstSupported, int16_t* firstListed) {
  *modeId = *index = *firstSupported = *firstListed = 99;
  const QZDisplay d = display();
  int bestFit = 0;
  int32_t bestDistance = 204800;
  bool passed = false, listed = false, chosen = false;
  int16_t lastPassedId = 0;
  for (int i = count - 1; i >= 0; --i) {
    const QZGraphicsMode& e = table[i];
    if ((passed && e.modeId == lastPassedId) || e.deviceFilter != 0) continue;
    if (!QZScreenSupportsMode(e.depth, e.width, e.height) || e.width <= 0 || e.height <= 0) continue;
    passed = true;
    lastPassedId = e.modeId;
    const int32_t hs = d.width * 2048 / e.width, vs = d.height * 2048 / e.height;
    if (*firstSupported == 99) *firstSupported = static_cast<int16_t>(i);
    const bool isListed = state().env.modeListed ? state().env.modeListed(e.modeId)
                                                 : CQZResourceManager::instance().hasGraphicsMode(e.modeId);
    if (!isListed) continue;
    if (*firstListed == 99) *firstListed = static_cast<int16_t>(i);
    listed = true;
    const int fit = QZScreenFit(d.width, d.height, e.width, e.height);
    const int32_t distance = std::abs(std::min(hs, vs) - 2048);
    if (fit < bestFit) continue;
    if (fit == 2 || fit == 3 || distance < bestDistance) {
      *modeId = e.modeId;
      *index = static_cast<int16_t>(i);
      bestDistance = distance;
      chosen = true;
    }
    bestFit = fit;
  }
  if (chosen && bestFit == 2) {
    const QZGraphicsMode& e = table[*index];
    if (state().env.turnDisplay) state().env.turnDisplay(e.width, e.height);
    else QZFitDisplayOrientation(e.width, e.height);
  }
  if (chosen) return 0;
  return listed ? -10 : -17;
}

int16_t QZSetGraphicsMode(int modeId) {
  state().mode = static_cast<int16_t>(modeId);
  if (state().env.modeChanged) state().env.modeChanged(modeId);
  return 0;
}

int16_t QZGetGraphicsMode() { return state().mode; }

int16_t QZSetScreenMode(int depth, int width, int height) {
  if (display().depth != depth) return -17;
  QZSetRect(&state().layout.logical, 0, 0, width, height);
  QZLayoutScreen(0);
  return 0;
}

int16_t QZSetDefaultScreenMode(int depth) { return QZSetScreenMode(depth, 160, 160); }

int16_t QZCreateScreenPlane(int width, int height) {
  QZDeleteScreenPlane();
  QZPlane* screen = QZGetScreenPlane();
  if (const int16_t r = QZCreatePlaneBitmap(&screen->image, width, height); r < 0) return r;
  screen->inUse = 1;
  screen->width = static_cast<int16_t>(width);
  screen->height = static_cast<int16_t>(height);
  screen->pitch = static_cast<int16_t>((width * QZGetScreenDepth() + 15) / 16);
  state().backBuffer16 = QZGetScreenDepth() == 16 && QZBitmapPixels(screen->image) != nullptr;
  QZDrawToScreen();
  return 0;
}

void QZDeleteScreenPlane() {
  QZPlane* screen = QZGetScreenPlane();
  QZDeleteBitmap(&screen->image);
  QZDeleteBitmap(&screen->mask);
  *screen = QZPlane{};
  state().backBuffer16 = false;
}

QZRect QZLayoutScreen(int keep) {
  ScreenState& s = state();
  QZScreenLayout& l = s.layout;
  if (keep && s.laidOut) return l.logical;
  const QZDisplay d = display();
  const int menu = d.fullScreen ? 0 : (d.height > 320 ? 52 : 26);
  const int previousUsable = s.usableHeight;
  s.windowWidth = static_cast<int16_t>(d.width);
  if (d.fullScreen) {
    s.usableHeight = static_cast<int16_t>(d.height);
  } else if (d.sipKnown) {
    s.usableHeight = static_cast<int16_t>(d.visibleBottom - d.visibleTop - (d.sipTop != d.visibleBottom ? menu : 0));
  } else {
    s.usableHeight = static_cast<int16_t>(d.height - 2 * menu);
  }
  const int sideTop = previousUsable >= d.height ? menu : 0;
  const int ww = s.windowWidth, uh = s.usableHeight;
  if (l.logical.w == 0) QZSetRect(&l.logical, 0, 0, ww, uh);
  l.destination = l.logical;
  l.scale = 2048;
  l.scaling = false;
  if ((ww != l.logical.w || uh != l.logical.h) && l.logical.w > 0 && l.logical.h > 0) {
    const int32_t h = ww * 2048 / l.logical.w, v = uh * 2048 / l.logical.h;
    if (h < 2040 || h > 2457 || v < 2040 || v > 2457) {
      const int32_t scale = std::min(h, v);
      const int dw = l.logical.w * scale / 2048, dh = l.logical.h * scale / 2048;
      deleteScaled();
      if (dw > 0 && dh > 0 && QZCreatePlaneBitmap(&s.scaled, (dw + 3) / 4 * 4, dh) == 0) {
        s.scaledWidth = (dw + 3) / 4 * 4;
        s.scaledHeight = dh;
        l.scaling = true;
        l.scale = scale;
        QZSetRect(&l.destination, 0, 0, dw, dh);
      }
    }
  }
  for (QZRect& b : l.borders) b = QZRect{};
  l.offsetX = l.offsetY = 0;
  const int dw = l.destination.w, dh = l.destination.h;
  if (dw < ww) {
    const int o = (dw - ww) / 2;
    QZSetRect(&l.borders[0], 0, sideTop, 1 - o, uh + 1);
    QZSetRect(&l.borders[1], dw - o - 1, sideTop, 2 - o, uh + 1);
    l.offsetX = static_cast<int16_t>(o);
  }
  if (dh < uh) {
    const int o = (dh - uh) / 2;
    QZSetRect(&l.borders[2], 0, 0, ww, 2 - o);
    QZSetRect(&l.borders[3], 0, dh - o, ww, 2 - o);
    l.offsetY = static_cast<int16_t>(o);
  }
  s.laidOut = true;
  return l.logical;
}

void QZDrawBorders() {
  ScreenState& s = state();
  if (!s.output) return;
  const uint16_t colour = QZIndexToRGB565(QZGetGraphicsConfig().borderColour);
  for (const QZRect& b : s.layout.borders) {
    if (b.w <= 0 || b.h <= 0) continue;
    s.output->fillRect(b.x, b.y, b.x + b.w, b.y + b.h, colour);
    const QZPlane* first = s.borderPlanes[0] != 0xFFFF ? QZGetPlane(s.borderPlanes[0], false) : nullptr;
    const QZPlane* second = s.borderPlanes[1] != 0xFFFF ? QZGetPlane(s.borderPlanes[1], false) : nullptr;
    if (first && b.x == 0 && b.y == 0) blit(first->image, 0, 0, first->width, first->height, 0, 0);
    if (second && b.x != 0 && b.y == 0) blit(second->image, 0, 0, second->width, second->height, b.x, b.y);
  }
}

void QZSetBorderPlanes(int first, int second) {
  state().borderPlanes[0] = first;
  state().borderPlanes[1] = second;
  QZDrawBorders();
}

void QZScalePlane(const uint16_t* source, int sw, int sh, uint16_t* dest, int destPitch, int scale, int x0, int y0,
                  int x1, int y1) {
  // Source column of every destination column of the part, computed once.
  const int columns = x1 - x0 + 1;
  if (columns <= 0 || scale <= 0) return;
  int stackColumns[1024];
  int* map = columns <= 1024 ? stackColumns : new int[columns];
  for (int c = 0; c < columns; ++c) map[c] = static_cast<int>(static_cast<int64_t>(x0 + c) * 2048 / scale);
  int lastRow = -1;
  const uint16_t* previous = nullptr;
  for (int r = y0; r <= y1; ++r) {
    const int sr = static_cast<int>(static_cast<int64_t>(r) * 2048 / scale);
    if (sr < 0 || sr >= sh) continue;
    uint16_t* d = dest + static_cast<size_t>(r) * destPitch + x0;
    if (sr == lastRow && previous) {
      std::copy_n(previous, columns, d);
      continue;
    }
    const uint16_t* srow = source + static_cast<size_t>(sr) * sw;
    for (int c = 0; c < columns; ++c) {
      if (map[c] < sw) d[c] = srow[map[c]];
    }
    lastRow = sr;
    previous = d;
  }
  if (map != stackColumns) delete[] map;
}

int16_t QZUpdateScreen(const QZRect* rect) {
  ScreenState& s = state();
  const QZScreenLayout& l = s.layout;
  QZPlane* screen = QZGetScreenPlane();
  QZDrawToScreen();
  if (!screen->image) return -1;
  if (!l.scaling) {
    if (rect) {
      blit(screen->image, rect->x, rect->y, rect->w, rect->h, rect->x - l.offsetX, rect->y - l.offsetY);
    } else {
      blit(screen->image, 0, 0, l.logical.w, l.logical.h, -l.offsetX, -l.offsetY);
    }
    return 0;
  }
  const uint16_t* source = QZPlaneImageBits(screen);
  uint16_t* scaled = QZBitmapPixels(s.scaled);
  if (!source || !scaled) return -1;
  const int sc = l.scale;
  const QZRect& d = l.destination;
  int x0 = d.x, y0 = d.y, x1 = d.x + d.w - 1, y1 = d.y + d.h - 1;
  if (rect) {
    x0 = std::max<int>(d.x, sc * rect->x / 2048);
    x1 = std::min<int>(d.x + d.w - 1, sc * rect->x / 2048 + (rect->w * sc + 2047) / 2048 - 1);
    y0 = std::max<int>(d.y, sc * rect->y / 2048);
    y1 = std::min<int>(d.y + d.h - 1, sc * rect->y / 2048 + (rect->h * sc + 2047) / 2048 - 1);
    if (x1 < x0 || y1 < y0) return 0;
  }
  x1 = std::min(x1, s.scaledWidth - 1);
  y1 = std::min(y1, s.scaledHeight - 1);
  QZScalePlane(source, screen->width, screen->height, scaled, s.scaledWidth, sc, x0, y0, x1, y1);
  blit(s.scaled, x0, y0, x1 - x0 + 1, y1 - y0 + 1, x0 - l.offsetX, y0 - l.offsetY);
  return 0;
}

int16_t QZUpdateScreenRect(int x, int y, int width, int height) {
  const QZRect r{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(width),
                 static_cast<int16_t>(height)};
  return QZUpdateScreen(&r);
}

int16_t QZUpdateScreenRotated(const QZRect* rect, int planeId) {
  const QZPlane* plane = QZGetPlane(planeId, false);
  if (!plane) return -3;
  const QZScreenLayout& l = state().layout;
  const QZRect r = rect ? *rect : l.logical;
  blit(plane->image, plane->width - r.x - r.w, plane->height - r.y - r.h, r.w, r.h,
       r.x - l.offsetX, r.y - l.offsetY);
  return 0;
}

int16_t QZCopyPlaneRotated(const QZPlane* source, QZPlane* dest, const QZRect* rect) {
  const uint16_t* src = QZPlaneImageBits(source);
  uint16_t* dst = QZPlaneImageBits(dest);
  if (!src || !dst) return -1;
  const int sw = state().layout.logical.w, sh = state().layout.logical.h;
  for (int j = 0; j < rect->h; ++j) {
    for (int i = 0; i < rect->w; ++i) {
      const int sx = rect->x + i, sy = rect->y + j;
      const int dx = sw - 1 - sx, dy = sh - 1 - sy;
      if (sx < 0 || sy < 0 || sx >= source->width || sy >= source->height) continue;
      if (dx < 0 || dy < 0 || dx >= dest->width || dy >= dest->height) continue;
      dst[static_cast<size_t>(dy) * dest->pitch + dx] = src[static_cast<size_t>(sy) * source->pitch + sx];
    }
  }
  return 0;
}

int QZGetScreenWidth() { return state().layout.logical.w; }
int QZGetScreenHeight() { return state().layout.logical.h; }
int QZGetWindowWidth() { return state().windowWidth; }
int QZGetWindowHeight() { return state().usableHeight; }
int QZIsLandscape() { return state().windowWidth >= state().usableHeight ? 1 : 0; }
bool QZBackBufferIs16Bit() { return state().backBuffer16; }
const QZScreenLayout& QZGetScreenLayout() { return state().layout; }
