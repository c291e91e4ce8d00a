// Window DCs: drawing into the device screen with the origin at the client
// (or window) corner, clipped to that area.
#include "device_screen.h"
#include "gdi_object.h"

namespace wince::detail {

HDC createWindowDC(HWND hwnd, bool wholeWindow) {
  RECT area;
  bool live = wholeWindow ? windowRectOnScreen(hwnd, &area) : clientRectOnScreen(hwnd, &area);
  if (!live) return nullptr;
  HDC handle = nullptr;
  gdi::Dc* dc = gdi::newDc(&handle);
  dc->window = true;
  dc->bitmap = nullptr;
  dc->area = area;
  dc->origin = POINT{area.left, area.top};
  return handle;
}

void releaseWindowDC(HDC hdc) {
  gdi::Dc* dc = gdi::find<gdi::Dc>(hdc);
  if (dc != nullptr && dc->window) gdi::removeObject(hdc);
}

}  // namespace wince::detail
