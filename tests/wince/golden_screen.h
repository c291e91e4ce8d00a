// Golden screenshots: a Pocket PC profile with its screen, and the device
// screen compared pixel for pixel with a picture in tests/wince/golden.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "device_screen.h"
#include "test_scratch.h"
#include "wince/host/png_io.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/system.h"

namespace goldentest {

// A fresh window manager on the profile, its screen at the profile's size.
inline bool usePocketPc(const char* profile) {
  wince::resetWindowing();
  if (!wince::selectDeviceProfile(profile)) return false;
  wince::detail::resizeDeviceScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return true;
}

// The screen against a golden picture; on a difference (or with no golden
// file yet) the actual picture is written to the test's scratch folder so it
// can be looked at and, when right, copied over the golden one.
inline void expectScreenLike(const std::string& name) {
  auto& screen = wince::detail::deviceScreen();
  const std::string golden = std::string(PELLWYN_SOURCE_DIR) + "/tests/wince/golden/" + name + ".png";
  wince::RgbImage expected;
  const bool found = wince::readPng(golden, &expected);
  if (found && expected.width == screen.width && expected.height == screen.height &&
      wince::toRgb565(expected) == screen.pixels) {
    return;
  }
  const std::string actual = scratchPath(name + ".png");
  wince::writePng565(actual, screen.pixels.data(), screen.width, screen.height, static_cast<size_t>(screen.width) * 2);
  ADD_FAILURE() << (found ? "differs from " : "missing ") << golden << "; actual picture in " << actual;
}

}  // namespace goldentest
