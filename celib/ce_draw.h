// Drawing helpers: lines and dialog separators, solid, gradient and shaded
// fills, and the list view's header fix-up. Pens and brushes they make are
// deleted before they return; what they select into a DC is put back.
#pragma once

#include "wince/gdi.h"
#include "wince/types.h"

// All zero; exported for callers, read by nothing here.
extern RECT rcBlank;

// A line from (left, top) to (right, bottom). Without a pen, a solid black
// one two logical pixels wide.
void DrawLine(HDC dc, RECT& r, HPEN pen);
// A one-pixel line in the scroll-bar colour six pixels above item `id` of the
// dialog, across the dialog. Nothing when the dialog, DC or item is missing.
void DrawSeparator(HWND dialog, HDC dc, int id);
// A two-pixel dark grey bar five pixels above item `id`, drawn with the DC's
// pen, from x = -1 to 241.
void DrawThickSeparator(HWND dialog, HDC dc, int id);

void PaintRect(HDC dc, int x, int y, int cx, int cy, COLORREF color);
// From `from` at the start edge (left, or top when vertical) to `to` at five
// sixths of the extent, in `steps` bands; `to` beyond.
void GradientFillRectEx(HDC dc, const RECT* r, COLORREF from, COLORREF to, int steps, bool horizontal);
void GradientFillRect(HDC dc, const RECT* r, COLORREF from, COLORREF to);
// A vertical gradient over the upper three quarters, `to` below.
void DrawSubtleGradient(const RECT* r, HDC dc, COLORREF from, COLORREF to);
// The colour's channels darkened by 66 (small icons of 16 pixels) or else 50,
// never below 0.
void SetGradientColor(COLORREF color, int& red, int& green, int& blue);
// Inverts a checkerboard of black and grey over the rectangle, after moving
// its left edge to an odd and its top edge to an even coordinate (in place);
// right and bottom are inclusive. Applied twice, the pixels are back. Returns 1.
int ShadeRect(HDC dc, RECT* r);

// Keeps a list view from scrolling and, in report mode, lays its header out
// over the client area and brings item 0 into view.
void PositionHeader(HWND listView);
