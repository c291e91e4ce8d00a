// Font slots: a small table of system fonts selected into the drawing DC by
// slot number, with a 16-deep stack of the fonts selected before; and the
// text and line drawing that goes through the DC.
#pragma once

#include <cstdint>

#include "wince/gdi.h"

constexpr int kQZFontSlots = 16;

int16_t QZStartFont();
int16_t QZStopFont();
int16_t QZCreateFontSlot(int slot, const WCHAR* faceName, int height, bool bold, bool italic);
int16_t QZSetFontSlot(int slot, const LOGFONTW* description);
int16_t QZDeleteFontSlot(int slot);
// Selects slot id (id + 4 on a logical screen wider than 320) and pushes the
// font it replaces: -1 when the stack is full (the font is still selected),
// or when the slot is out of range or empty (nothing selected or pushed).
int16_t QZSetFont(int id);
// Selects slot id without touching the stack; -1 when out of range or empty.
int16_t QZSwitchFont(int id);
int16_t QZRestoreFont();
int QZGetFontHeight();
HFONT QZGetFontSlot(int slot);

// Text at (x, y) aligned left (0), centred (1) or right (2) of x, in a
// colour-table colour, on a transparent background.
int16_t QZDrawText(const WCHAR* text, int x, int y, int alignment, int colourIndex);
// Copies string resource id (at most 1024 characters with the terminator).
int16_t QZCopyStringToBuffer(WCHAR* buffer, int stringId);
// A one-pixel line in an RGB565 colour.
int16_t QZDrawLine(int x0, int y0, int x1, int y1, uint16_t colour);
