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
// The title row of a pop-up (message box, captioned dialog): its height, and
// the row itself, the title in bold white on the frame colour.
constexpr COLORREF kPopupFrameColor = RGB(24, 40, 72);
int titleRowHeight();
void drawTitleRow(HDC hdc, const RECT& row, std::u16string_view title);

}  // namespace wince::detail
