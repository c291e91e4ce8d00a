#include "ce_font.h"

#include "ce_hidpi.h"
#include "wince/window.h"

namespace {

constexpr BYTE kCharSet = 255;

LOGFONTW baseFont(LONG height, LONG weight, int italic, int underline, const WCHAR* face) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfCharSet = kCharSet;
  for (int i = 0; face != nullptr && face[i] != u'\0' && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

}  // namespace

HFONT GetFont(LONG weight, LONG height, const WCHAR* face, int italic, int underline, int strikeOut) {
  LOGFONTW lf = baseFont(static_cast<LONG>(height * g_HIDPI_VXFontScale), weight, italic, underline, face);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
  return CreateFontIndirectW(&lf);
}

HFONT GetNewFont(HDC, const WCHAR* face, int pointSize, LONG weight, int italic, int underline,
                 unsigned char quality, DWORD escapement) {
  LOGFONTW lf = baseFont((pointSize + 2) * g_HIDPI_LogPixelsY / 72, weight, italic, underline, face);
  lf.lfEscapement = static_cast<LONG>(escapement);
  lf.lfQuality = quality;
  return CreateFontIndirectW(&lf);
}

HFONT GetNewFont(const WCHAR* face, int pointSize, LONG weight, int italic, int underline,
                 unsigned char quality) {
  HDC screen = GetDC(nullptr);
  HFONT font = GetNewFont(screen, face, pointSize, weight, italic, underline, quality, 0);
  ReleaseDC(nullptr, screen);
  return font;
}
