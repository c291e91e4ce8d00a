// Fonts and text: font objects, metrics, extents, ExtTextOut and DrawText.
#include <algorithm>
#include <string>
#include <vector>

#include "font_face.h"
#include "gdi_raster.h"
#include "wince/host/system.h"
#include "wince/system.h"

using namespace wince::gdi;

namespace {

FontInstance& instanceOf(const Dc& dc) {
  Font* f = dc.fontObject();
  if (f == nullptr) f = find<Font>(GetStockObject(SYSTEM_FONT));
  if (!f->instance) f->instance = FontInstance::get(f->log, wince::deviceProfile().dpi);
  return *f->instance;
}

const LOGFONTW& logOf(const Dc& dc) {
  Font* f = dc.fontObject();
  return f != nullptr ? f->log : find<Font>(GetStockObject(SYSTEM_FONT))->log;
}

// UTF-16 units to code points; unit[i] is the first unit of code point i.
struct Decoded {
  std::u32string text;
  std::vector<int> unit;
};

Decoded decode(LPCWSTR s, int count) {
  Decoded d;
  if (s == nullptr) return d;
  if (count < 0) {
    count = 0;
    while (s[count] != 0) ++count;
  }
  for (int i = 0; i < count; ++i) {
    char32_t c = s[i];
    d.unit.push_back(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    d.text.push_back(c);
  }
  return d;
}

int widthOf(FontInstance& font, std::u32string_view text) {
  int w = 0;
  for (char32_t c : text) w += font.advance(c);
  return w;
}

// Blends a glyph's coverage in the colour into the surface, inside the clip.
void blendGlyph(const Surface& s, const Region& clip, const Glyph& g, int x0, int y0, COLORREF color) {
  uint32_t solid = toNative(color, s.bpp);
  int fr = GetRValue(color), fg = GetGValue(color), fb = GetBValue(color);
  for (const RECT& c : clip.rects()) {
    RECT r = rectIntersection(c, RECT{x0, y0, x0 + g.width, y0 + g.rows});
    for (int y = r.top; y < r.bottom; ++y) {
      const uint8_t* cov = g.coverage.data() + static_cast<size_t>(y - y0) * g.width;
      for (int x = r.left; x < r.right; ++x) {
        int a = cov[x - x0];
        if (a == 0) continue;
        if (a == 255 || s.bpp == 1) {
          if (a >= 128) s.set(x, y, solid);
          continue;
        }
        COLORREF d = fromNative(s.get(x, y), s.bpp);
        auto mix = [a](int dst, int src) { return dst + ((src - dst) * a + (src >= dst ? 127 : -127)) / 255; };
        s.set(x, y, toNative(RGB(mix(GetRValue(d), fr), mix(GetGValue(d), fg), mix(GetBValue(d), fb)), s.bpp));
      }
    }
  }
}

// Draws one run with its cell's top-left corner at device (x, y); advances
// from dx when given. Fills the cell with the background colour first in
// opaque mode. underlineAt marks one character to underline (or -1).
int drawRun(Dc& dc, const Region& clip, int x, int y, std::u32string_view text, const int* dx, int underlineAt) {
  Surface s = dc.surface();
  FontInstance& font = instanceOf(dc);
  const LOGFONTW& log = logOf(dc);
  int width = 0;
  for (size_t i = 0; i < text.size(); ++i) width += dx != nullptr ? dx[i] : font.advance(text[i]);
  if (!s.valid()) return width;
  if (dc.bkMode == OPAQUE)
    fillDevice(dc, clip, s, RECT{x, y, x + width, y + font.height()}, solidPattern(toNative(dc.bkColor, s.bpp)), 0xF0);
  int penX = x;
  int baseline = y + font.ascent();
  int thickness = std::max(1, font.emPixels() / 14);
  Pattern ink = solidPattern(toNative(dc.textColor, s.bpp));
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph& g = font.glyph(text[i]);
    int step = dx != nullptr ? dx[i] : g.advance;
    if (!g.coverage.empty()) blendGlyph(s, clip, g, penX + g.left, baseline - g.top, dc.textColor);
    if (static_cast<int>(i) == underlineAt) {
      int uy = std::min(baseline + 1, y + font.height() - thickness);
      fillDevice(dc, clip, s, RECT{penX, uy, penX + step, uy + thickness}, ink, 0xF0);
    }
    penX += step;
  }
  int lineY = -1;
  if (log.lfUnderline) lineY = std::min(baseline + 1, y + font.height() - thickness);
  if (lineY >= 0) fillDevice(dc, clip, s, RECT{x, lineY, x + width, lineY + thickness}, ink, 0xF0);
  if (log.lfStrikeOut) {
    int sy = baseline - font.emPixels() * 3 / 10;
    fillDevice(dc, clip, s, RECT{x, sy, x + width, sy + thickness}, ink, 0xF0);
  }
  return width;
}

// --- DrawText layout ---

struct Line {
  std::u32string text;
  int underline = -1;  // character marked by a prefix
};

// Stands before the character a prefix mark underlines while the text is laid
// out; no font has a glyph for it (it lies beyond Unicode).
constexpr char32_t kUnderlineNext = 0x110000;

// Prefix marks: "&x" underlines x, "&&" is one ampersand, a lone "&" at the
// end is dropped.
std::u32string markPrefixes(const std::u32string& in) {
  std::u32string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == U'&') {
      if (++i == in.size()) break;
      if (in[i] != U'&') out.push_back(kUnderlineNext);
    }
    out.push_back(in[i]);
  }
  return out;
}

// Takes the marker out of a laid-out line, noting which character it marked.
Line finishLine(std::u32string text) {
  Line l;
  size_t at = text.find(kUnderlineNext);
  if (at != std::u32string::npos) {
    text.erase(std::remove(text.begin(), text.end(), kUnderlineNext), text.end());
    if (at < text.size()) l.underline = static_cast<int>(at);
  }
  l.text = std::move(text);
  return l;
}

std::u32string expandTabs(const std::u32string& in, UINT format) {
  if (!(format & DT_EXPANDTABS)) return in;
  std::u32string out;
  for (char32_t c : in) {
    if (c == U'\t')
      out.append(8, U' ');
    else
      out.push_back(c);
  }
  return out;
}

std::vector<std::u32string> paragraphs(const std::u32string& text, UINT format) {
  std::vector<std::u32string> out(1);
  for (char32_t c : text) {
    if (c == U'\r' && !(format & DT_SINGLELINE)) continue;
    if (c == U'\n' && !(format & DT_SINGLELINE)) {
      out.emplace_back();
      continue;
    }
    out.back().push_back(c);
  }
  return out;
}

// Greedy word wrap at spaces; a word wider than the line stands alone.
void wrap(const std::u32string& para, FontInstance& font, int maxWidth, std::vector<std::u32string>* lines) {
  size_t start = 0;
  while (true) {
    if (start > 0) {  // a wrapped line starts at its first word
      while (start < para.size() && para[start] == U' ') ++start;
      if (start == para.size()) return;
    }
    size_t end = start, lastFit = std::u32string::npos;
    int width = 0;
    while (end < para.size()) {
      size_t wordEnd = end;
      while (wordEnd < para.size() && para[wordEnd] == U' ') ++wordEnd;
      while (wordEnd < para.size() && para[wordEnd] != U' ') ++wordEnd;
      int w = width + widthOf(font, std::u32string_view(para).substr(end, wordEnd - end));
      if (w > maxWidth && lastFit != std::u32string::npos) break;
      width = w;
      end = wordEnd;
      lastFit = end;
    }
    lines->push_back(para.substr(start, end - start));
    if (end >= para.size()) return;
    start = end;
  }
}

std::u32string ellipsized(const std::u32string& line, FontInstance& font, int maxWidth) {
  if (widthOf(font, line) <= maxWidth) return line;
  const std::u32string dots = U"...";
  int room = maxWidth - widthOf(font, dots);
  size_t n = 0;
  int w = 0;
  while (n < line.size() && w + font.advance(line[n]) <= room) w += font.advance(line[n++]);
  return line.substr(0, n) + dots;
}

std::vector<Line> layout(const std::u32string& text, FontInstance& font, const RECT& rect, UINT format) {
  std::u32string body = expandTabs(text, format);
  if (!(format & DT_NOPREFIX)) body = markPrefixes(body);
  std::vector<Line> lines;
  int maxWidth = rect.right - rect.left;
  for (const std::u32string& para : paragraphs(body, format)) {
    std::vector<std::u32string> pieces;
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
      wrap(para, font, maxWidth, &pieces);
    else
      pieces.push_back(para);
    for (std::u32string& p : pieces) {
      Line l = finishLine(std::move(p));
      if (format & DT_END_ELLIPSIS) l.text = ellipsized(l.text, font, maxWidth);
      lines.push_back(std::move(l));
    }
  }
  return lines;
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONTW* log) {
  if (log == nullptr) return nullptr;
  auto f = std::make_unique<Font>();
  f->log = *log;
  f->log.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(addObject(std::move(f)));
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRICW tm) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || tm == nullptr) return FALSE;
  FontInstance& font = instanceOf(*dc);
  const LOGFONTW& log = logOf(*dc);
  *tm = TEXTMETRICW{};
  tm->tmHeight = font.height();
  tm->tmAscent = font.ascent();
  tm->tmDescent = font.descent();
  tm->tmInternalLeading = font.internalLeading();
  tm->tmAveCharWidth = font.averageWidth();
  tm->tmMaxCharWidth = font.maxWidth();
  tm->tmWeight = font.bold() ? FW_BOLD : FW_NORMAL;
  tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = wince::deviceProfile().dpi;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFFFC;
  tm->tmDefaultChar = u'?';
  tm->tmBreakChar = u' ';
  tm->tmItalic = log.lfItalic ? 1 : 0;
  tm->tmUnderlined = log.lfUnderline ? 1 : 0;
  tm->tmStruckOut = log.lfStrikeOut ? 1 : 0;
  tm->tmPitchAndFamily = log.lfPitchAndFamily;
  tm->tmCharSet = log.lfCharSet;
  return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || count < 0 || (text == nullptr && count > 0)) return FALSE;
  FontInstance& font = instanceOf(*dc);
  Decoded d = decode(text, count);
  int width = 0, fitted = 0;
  for (size_t i = 0; i < d.text.size(); ++i) {
    width += font.advance(d.text[i]);
    int lastUnit = i + 1 < d.text.size() ? d.unit[i + 1] : count;
    for (int u = d.unit[i]; u < lastUnit; ++u) {
      if (dx != nullptr) dx[u] = width;
      if (width <= maxExtent) fitted = u + 1;
    }
  }
  if (fit != nullptr) *fit = fitted;
  if (size != nullptr) *size = SIZE{width, font.height()};
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
  return GetTextExtentExPoint(hdc, text, count, 0, nullptr, nullptr, size);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int* dx) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || (text == nullptr && count > 0)) return FALSE;
  Surface s = dc->surface();
  Region clip = dc->clip();
  if (rect != nullptr) {
    RECT r = toDevice(*dc, rect->left, rect->top, rect->right, rect->bottom);
    if ((options & ETO_OPAQUE) && s.valid())
      fillDevice(*dc, clip, s, r, solidPattern(toNative(dc->bkColor, s.bpp)), 0xF0);
    if (options & ETO_CLIPPED) clip = clip.intersected(r);
  }
  Decoded d = decode(text, static_cast<int>(count));
  std::vector<int> steps;
  if (dx != nullptr) {
    for (size_t i = 0; i < d.text.size(); ++i) steps.push_back(dx[d.unit[i]]);
  }
  drawRun(*dc, clip, clampCoord(int64_t{x} + dc->origin.x), clampCoord(int64_t{y} + dc->origin.y), d.text,
          dx != nullptr ? steps.data() : nullptr, -1);
  return TRUE;
}

int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT out, UINT format) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || out == nullptr || text == nullptr) return 0;
  FontInstance& font = instanceOf(*dc);
  // Extreme rectangles clip instead of overflowing.
  RECT r{clampCoord(out->left), clampCoord(out->top), clampCoord(out->right), clampCoord(out->bottom)};
  std::vector<Line> lines = layout(decode(text, count).text, font, r, format);
  int lineHeight = font.height();
  int total = lineHeight * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Line& l : lines) widest = std::max(widest, widthOf(font, l.text));
    if (!(format & DT_WORDBREAK) || widest > r.right - r.left) r.right = r.left + widest;
    r.bottom = r.top + total;
    *out = r;
    return total;
  }
  int top = r.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      top = r.top + (r.bottom - r.top - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      top = r.bottom - lineHeight;
  }
  Region clip = dc->clip();
  if (!(format & DT_NOCLIP)) clip = clip.intersected(toDevice(*dc, r.left, r.top, r.right, r.bottom));
  int y = top;
  for (const Line& l : lines) {
    int w = widthOf(font, l.text);
    int x = r.left;
    if (format & DT_CENTER)
      x = r.left + (r.right - r.left - w) / 2;
    else if (format & DT_RIGHT)
      x = r.right - w;
    drawRun(*dc, clip, x + dc->origin.x, y + dc->origin.y, l.text, nullptr, l.underline);
    y += lineHeight;
  }
  return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? top - r.top + total : total;
}
