// The screen metrics the library scales by, taken once at start by
// HIDPI_InitMetrics: logical pixels per inch (96 on a plain screen, 192 on
// VGA), the small-icon size and the font scale (vertical density / 96).
// Until then they hold the plain screen's values.
#pragma once

#include "wince/types.h"

extern int g_HIDPI_LogPixelsX;
extern int g_HIDPI_LogPixelsY;
extern int g_HIDPI_IconPixels;  // small-icon size (SM_CXSMICON)
extern bool g_bIsVGA;           // g_HIDPI_LogPixelsX is 192
extern double g_HIDPI_VXFontScale;

// Reads the screen's densities and small-icon size into the globals.
void HIDPI_InitMetrics();

// A logical measure scaled to pixels: (n * density + 48) / 96.
inline int HIDPI_ScaleX(int n) { return (n * g_HIDPI_LogPixelsX + 48) / 96; }
inline int HIDPI_ScaleY(int n) { return (n * g_HIDPI_LogPixelsY + 48) / 96; }
