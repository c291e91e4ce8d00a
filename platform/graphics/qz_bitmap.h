// The bitmaps behind planes: top-down DIB sections of the display depth whose
// rows are (width * depth + 15) / 16 words apart; the memory DCs of the
// graphics layer, of which the drawing DC always has the drawing plane's
// image selected.
#pragma once

#include <cstdint>

#include "wince/types.h"

// A top-down DIB section of the DC's depth (16 or 32 bits); 0 otherwise.
HBITMAP QZCreateDIB(HDC dc, int width, int height, void** bits);
// A DIB section for a plane (else a compatible bitmap); -2 when neither.
int16_t QZCreatePlaneBitmap(HBITMAP* out, int width, int height);
// Deletes the bitmap in the slot (when any, deselecting it first) and zeroes the slot.
void QZDeleteBitmap(HBITMAP* slot);
// The pixel memory of a bitmap, or null when it has none.
uint16_t* QZBitmapPixels(HBITMAP bitmap);
void QZBitmapSize(HBITMAP bitmap, int* width, int* height);
// A copy of a bitmap in a new DIB section of its size, or 0.
HBITMAP QZCopyBitmapToPlane(HBITMAP bitmap);
// A bitmap resource of the program, or 0 when absent.
HBITMAP QZLoadModuleBitmap(int id);

// The five memory DCs (spare, drawing, scaling, two border DCs), compatible
// with the window's DC; the display depth is taken from it.
int16_t QZCreateGraphicsDCs(HWND window);
void QZDeleteGraphicsDCs();
HDC QZGetDrawDC();
HDC QZGetSpareDC();
// Selects a plane's image into the drawing DC.
void QZSelectDrawBitmap(HBITMAP bitmap);

// The display depth in bits per pixel.
int QZGetScreenDepth();
// Overrides the display depth the pixel code sees.
void QZSetScreenDepth(int bitsPerPixel);
