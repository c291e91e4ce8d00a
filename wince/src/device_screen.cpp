#include "device_screen.h"

namespace wince::detail {

DeviceScreen& deviceScreen() {
  static DeviceScreen screen;
  return screen;
}

void resizeDeviceScreen(int width, int height) {
  DeviceScreen& s = deviceScreen();
  s.width = width;
  s.height = height;
  s.pixels.assign(static_cast<size_t>(width) * height, 0);
  ++s.touched;
}

}  // namespace wince::detail
