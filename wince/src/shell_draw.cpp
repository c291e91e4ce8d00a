#include "shell_draw.h"

#include "wince/host/system.h"
#include "wince/system.h"
#include "wince/text.h"

namespace wince::detail {

int scaled(int n) { return n * deviceProfile().dpi / 96; }

HFONT makeUiFont(int pixels, bool bold) {
  LOGFONT lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  wcscpy(lf.lfFaceName, u"Tahoma");
  return CreateFontIndirect(&lf);
}

void fillSolid(HDC hdc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(hdc, &rect, brush);
  DeleteObject(brush);
}

void drawLabel(HDC hdc, RECT rect, std::u16string_view text, UINT format, COLORREF color, HFONT font) {
  HGDIOBJ old = SelectObject(hdc, font);
  SetTextColor(hdc, color);
  SetBkMode(hdc, TRANSPARENT);
  DrawText(hdc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
  SelectObject(hdc, old);
}

int titleRowHeight() { return scaled(20); }

void drawTitleRow(HDC hdc, const RECT& row, std::u16string_view title) {
  fillSolid(hdc, row, kPopupFrameColor);
  const int pad = scaled(8);
  HFONT bold = makeUiFont(scaled(12), true);
  drawLabel(hdc, RECT{row.left + pad, row.top, row.right - pad, row.bottom}, title,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS, RGB(255, 255, 255), bold);
  DeleteObject(bold);
}

}  // namespace wince::detail
