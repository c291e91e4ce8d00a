// The bitmaps behind planes: top-down 16-bit DIB sections whose rows are
// (width * 16 + 15) / 16 words apart, reached by handle; and the drawing DC
// that always has the drawing plane's image selected.
#pragma once

#include <cstdint>

#include "wince/types.h"

// A top-down DIB section of the display depth; 0 when none can be made.
HBITMAP QZCreateDIB(HDC dc, int width, int height, void** bits);
// A DIB section for a plane, or 0 with -2 when none can be made.
int16_t QZCreatePlaneBitmap(HBITMAP* out, int width, int height);
// Deletes the bitmap in the slot (when any) and zeroes the slot.
void QZDeleteBitmap(HBITMAP* slot);
// The pixel memory of a bitmap, or null when it has none.
uint16_t* QZBitmapPixels(HBITMAP bitmap);
void QZBitmapSize(HBITMAP bitmap, int* width, int* height);
// A copy of a bitmap in a new DIB section of its size, or 0.
HBITMAP QZCopyBitmapToPlane(HBITMAP bitmap);
// A bitmap resource of the program, or 0 when absent; and its release.
HBITMAP QZLoadModuleBitmap(int id);
void QZDeleteModuleBitmap(HBITMAP bitmap);
// Selects a plane's image into the drawing DC.
void QZSelectDrawBitmap(HBITMAP bitmap);
// The display depth in bits per pixel.
int QZGetScreenDepth();
// Sets the display depth seen by the pixel code (16 on the devices).
void QZSetScreenDepth(int bitsPerPixel);
