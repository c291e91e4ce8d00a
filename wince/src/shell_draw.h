// Drawing helpers shared by the runtime's own windows (soft-key bar, message
// box): sizes scaled with the device's dpi, the system font, solid fills.
#pragma once

#include <string_view>

#include "wince/gdi.h"

namespace wince::detail {

// n device-independent pixels (96 dpi) on the device's screen.
int scaled(int n);
// The system face at a character height of `pixels`; delete after use.
HFONT makeUiFont(int pixels, bool bold);
void fillSolid(HDC hdc, const RECT& rect, COLORREF color);
// Text in `color` on a transparent background, with DrawText's format.
void drawLabel(HDC hdc, RECT rect, std::u16string_view text, UINT format, COLORREF color, HFONT font);

}  // namespace wince::detail
