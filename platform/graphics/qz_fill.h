// Rectangle fills, vertical gradients and whole-plane clears of the drawing
// plane, opaque, blended or added by the level rules of qz_colour.h.
#pragma once

#include <cstdint>

// Columns x0..x1-1 of rows y0..y1-1 (cut to the plane).
int16_t QZLLFill16BPP(int x0, int y0, int x1, int y1, uint16_t colour, int flags, int level);
// Bytes x0..x1-1 of rows y0..y1-1 of an 8-bit plane (rows of 2 x pitch bytes).
int16_t QZLLFill8BPP(int x0, int y0, int x1, int y1, uint8_t value);
// Vertical gradient from the top colour to the bottom colour.
int16_t QZFillGradient16BPP(int x0, int y0, int x1, int y1, uint16_t top, uint16_t bottom, int flags, int level);
// The colour of gradient row k of rows.
uint16_t QZGradientColour(uint16_t top, uint16_t bottom, int k, int rows);
// Every pixel of the drawing plane's image (which 0) or mask (which 1).
int16_t QZClearPlane16BPP(uint16_t value, int which);
int16_t QZClearPlane8BPP(uint8_t value);
