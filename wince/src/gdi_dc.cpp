// Device contexts: memory DCs, their state and the device's capabilities.
#include "device_screen.h"
#include "gdi_object.h"
#include "wince/host/system.h"
#include "wince/system.h"

namespace wince::gdi {

Surface Dc::surface() const {
  Surface s;
  if (window) {
    auto& screen = wince::detail::deviceScreen();
    if (screen.pixels.empty()) return s;
    ++screen.touched;
    s.top = reinterpret_cast<uint8_t*>(screen.pixels.data());
    s.stride = static_cast<ptrdiff_t>(screen.width) * 2;
    s.width = screen.width;
    s.height = screen.height;
    s.bpp = 16;
    return s;
  }
  Bitmap* b = find<Bitmap>(bitmap);
  return b != nullptr ? b->surface() : s;
}

RECT Dc::bounds() const {
  Surface s = surface();
  RECT all{0, 0, s.width, s.height};
  return window ? rectIntersection(all, area) : all;
}

Region Dc::clip() const {
  Region r(bounds());
  return userClip ? r.intersected(*userClip) : r;
}

}  // namespace wince::gdi

using namespace wince::gdi;

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && find<Dc>(hdc) == nullptr) return nullptr;
  HDC handle = nullptr;
  newDc(&handle);
  return handle;
}

BOOL DeleteDC(HDC hdc) {
  if (find<Dc>(hdc) == nullptr) return FALSE;
  removeObject(hdc);
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  if (find<Dc>(hdc) == nullptr) return 0;
  const wince::DeviceProfile& p = wince::deviceProfile();
  switch (index) {
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZRES:
      return p.screenWidth;
    case VERTRES:
      return p.screenHeight;
    case HORZSIZE:
      return p.screenWidth * 254 / (p.dpi * 10);
    case VERTSIZE:
      return p.screenHeight * 254 / (p.dpi * 10);
    case BITSPIXEL:
      return 16;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return p.dpi;
    default:
      return 0;
  }
}

namespace {

// Replaces one colour of a DC and answers the one it had.
COLORREF swapColour(HDC hdc, COLORREF Dc::*field, COLORREF color) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF old = dc->*field;
  dc->*field = color & 0xFFFFFFu;
  return old;
}

COLORREF colourOf(HDC hdc, COLORREF Dc::*field) {
  Dc* dc = find<Dc>(hdc);
  return dc != nullptr ? dc->*field : CLR_INVALID;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) { return swapColour(hdc, &Dc::textColor, color); }
COLORREF GetTextColor(HDC hdc) { return colourOf(hdc, &Dc::textColor); }
COLORREF SetBkColor(HDC hdc, COLORREF color) { return swapColour(hdc, &Dc::bkColor, color); }
COLORREF GetBkColor(HDC hdc) { return colourOf(hdc, &Dc::bkColor); }

int SetBkMode(HDC hdc, int mode) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->bkMode;
  dc->bkMode = mode;
  return old;
}

int GetBkMode(HDC hdc) {
  Dc* dc = find<Dc>(hdc);
  return dc != nullptr ? dc->bkMode : 0;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->brushOrg;
  dc->brushOrg = POINT{x, y};
  return TRUE;
}
