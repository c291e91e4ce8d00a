// The emulated device's screen: one RGB565 surface, top-down, that window DCs
// draw into and the back ends present or save.
#pragma once

#include <cstdint>
#include <vector>

#include "wince/types.h"

namespace wince::detail {

struct DeviceScreen {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;  // width * height, row after row
  // Counts the times a window DC reached the pixels (to draw or to read): a
  // back end that sees the same count as before need not look for changes.
  uint64_t touched = 0;

  uint16_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
};

DeviceScreen& deviceScreen();
void resizeDeviceScreen(int width, int height);

// Window geometry for the drawing code, in screen coordinates. False for a
// handle that is not a live window. A null handle means the whole screen.
bool windowRectOnScreen(HWND hwnd, RECT* out);
bool clientRectOnScreen(HWND hwnd, RECT* out);

// Device contexts for windows, made by the drawing code for the window code:
// the DC draws into the device screen with its origin at the client (or
// window) corner and clipped to it.
HDC createWindowDC(HWND hwnd, bool wholeWindow);
void releaseWindowDC(HDC hdc);

}  // namespace wince::detail
