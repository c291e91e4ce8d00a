// Plain fills of the drawing plane through its DC, planes made from bitmaps,
// and the sprite clip of the plane blitters.
#pragma once

#include <cstdint>

#include "qz_rect.h"
#include "qz_types.h"
#include "wince/types.h"

// A copy of the bitmap in a new plane bitmap (null when it cannot be made).
HBITMAP QZLoadBitmapPlane(HBITMAP bitmap);
// Fills the whole drawing plane, or a rectangle of it, with a colour
// (0x00BBGGRR). -3 when there is no drawing plane or DC.
QZStatus QZFillScreen(COLORREF colour);
QZStatus QZFillRect(COLORREF colour, const QZRect* rect);

// The sprite clip: on, with the rectangle; QZClearClip turns it off.
void QZSetClipRect(const QZRect* rect);
void QZSetClipBounds(int x, int y, int width, int height);
void QZClearClip();
