// The sine table of the turned-plane drawing: 256 steps per turn.
#pragma once

#include <cstdint>

struct QZSineEntry {
  int16_t sine;        // 256 x sin, truncated toward zero
  int16_t negCosine;   // -256 x cos, truncated toward zero
  int16_t unused;
};

extern const QZSineEntry QZSineTable[256];
