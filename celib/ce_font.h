// Fonts made to the screen's pixel density.
#pragma once

#include "wince/gdi.h"
#include "wince/types.h"

// A font whose height is `height` times the font scale (truncated); a null
// face gives the default face, a longer one is cut to fit.
HFONT GetFont(LONG weight, LONG height, const WCHAR* face, int italic, int underline, int strikeOut);

// A font of cell height ((pointSize + 2) * vertical density) / 72. The DC is
// not consulted: the density is the one taken at start.
HFONT GetNewFont(HDC dc, const WCHAR* face, int pointSize, LONG weight, int italic, int underline,
                 unsigned char quality, DWORD escapement);
HFONT GetNewFont(const WCHAR* face, int pointSize, LONG weight, int italic, int underline,
                 unsigned char quality);
