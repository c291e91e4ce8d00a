// The system colours of the device's default scheme, and a brush for each.
#include <memory>

#include "gdi_object.h"

using namespace wince::gdi;

namespace {

constexpr int kColours = COLOR_STATICTEXT + 1;

const COLORREF kScheme[kColours] = {
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 128, 128),    // background
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(255, 255, 255),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(223, 223, 223),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(255, 255, 255),  // static
    RGB(0, 0, 0),        // static text
};

int indexOf(int index) { return index & ~SYS_COLOR_INDEX_FLAG; }

}  // namespace

COLORREF GetSysColor(int index) {
  int i = indexOf(index);
  return i >= 0 && i < kColours ? kScheme[i] : 0;
}

HBRUSH GetSysColorBrush(int index) {
  static HBRUSH brushes[kColours] = {};
  int i = indexOf(index);
  if (i < 0 || i >= kColours) return nullptr;
  if (brushes[i] == nullptr) {
    auto b = std::make_unique<Brush>();
    b->color = kScheme[i];
    b->stock = true;
    brushes[i] = static_cast<HBRUSH>(addObject(std::move(b)));
  }
  return brushes[i];
}
