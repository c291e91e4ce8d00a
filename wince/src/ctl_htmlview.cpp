// The HTML view ("DISPLAYCLASS"): keeps the source it is given, reads it into
// a document (html_document.h) and lays the document out as lines of text
// fragments in the view's width, headings larger and bold, list items
// indented behind their bullet or number, links blue and underlined. The
// view scrolls vertically by its bar, the arrows and the page keys; a tap on
// a link tells the parent (NM_HOTSPOT).
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ctl_common.h"
#include "html_document.h"
#include "wince/host/system.h"
#include "wince/htmlview.h"
#include "wince/text.h"

namespace wince::ctl {

namespace {

constexpr COLORREF kLinkInk = RGB(0, 0, 255);

struct FontInfo {
  HFONT font{};
  int ascent = 0;
  int descent = 0;
};

struct Fragment {
  int x = 0, y = 0, width = 0, height = 0;
  std::u16string text;
  const FontInfo* font = nullptr;
  int link = -1;  // index into the links
};

struct HtmlViewState : win::ControlState {
  ~HtmlViewState() override {
    for (auto& [key, info] : fonts) DeleteObject(info.font);
  }
  std::u16string source;
  bool contextMenu = false;
  std::map<int, FontInfo> fonts;  // by point size * 16 + style
  std::vector<Fragment> fragments;
  std::vector<std::u16string> links;
  int height = 0;  // of the laid-out document
  int top = 0;     // the first pixel row shown
  bool inLayout = false;
};

HtmlViewState* view(HWND hwnd) { return stateOf<HtmlViewState>(hwnd); }

// The paper round the text. The top band stays clear while the text
// scrolls, so a line scrolled partly out of the view ends below it instead
// of running up to whatever lies above the view.
int margin() { return px(4); }

int pointSize(html::BlockKind kind) {
  switch (kind) {
    case html::BlockKind::Heading1: return 14;
    case html::BlockKind::Heading2: return 12;
    case html::BlockKind::Heading3: return 10;
    default: return 9;
  }
}

bool isHeading(html::BlockKind kind) { return kind != html::BlockKind::Paragraph && kind != html::BlockKind::Item; }

const FontInfo* fontFor(HtmlViewState* s, HDC dc, int points, uint8_t style) {
  const int key = points * 16 + style;
  auto it = s->fonts.find(key);
  if (it != s->fonts.end()) return &it->second;
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>((points * deviceProfile().dpi + 36) / 72);
  lf.lfWeight = (style & html::kBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style & html::kItalic) ? 1 : 0;
  lf.lfUnderline = (style & (html::kUnderline | html::kLink)) ? 1 : 0;
  wcscpy(lf.lfFaceName, u"Tahoma");
  FontInfo info;
  info.font = CreateFontIndirect(&lf);
  const HGDIOBJ old = SelectObject(dc, info.font);
  TEXTMETRICW tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  info.ascent = tm.tmAscent;
  info.descent = tm.tmDescent;
  return &s->fonts.emplace(key, info).first->second;
}

int textWidth(HDC dc, const FontInfo* font, std::u16string_view text) {
  const HGDIOBJ old = SelectObject(dc, font->font);
  SIZE size{};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  return size.cx;
}

// How many units of the text fit in `width` (at least one).
size_t unitsThatFit(HDC dc, const FontInfo* font, std::u16string_view text, int width) {
  const HGDIOBJ old = SelectObject(dc, font->font);
  int fit = 0;
  SIZE size{};
  GetTextExtentExPoint(dc, text.data(), static_cast<int>(text.size()), width, &fit, nullptr, &size);
  SelectObject(dc, old);
  return static_cast<size_t>(std::clamp(fit, 1, static_cast<int>(text.size())));
}

// Lays fragments out line by line between a left and a right edge.
class LineLayout {
 public:
  LineLayout(HtmlViewState* s, HDC dc, int left, int right, int y)
      : s_(s), dc_(dc), left_(left), right_(right), y_(y) {}

  int y() const { return y_; }

  void place(std::u16string_view text, const FontInfo* font, int link) {
    const int w = textWidth(dc_, font, text);
    if (!line_.empty() && line_.back().font == font && line_.back().link == link &&
        line_.back().x + line_.back().width == x()) {
      line_.back().text += text;
      line_.back().width += w;
    } else {
      line_.push_back(Fragment{x(), 0, w, font->ascent + font->descent, std::u16string(text), font, link});
    }
  }

  // A word and the spaces after it; a word wider than a line is broken.
  void word(std::u16string_view word, std::u16string_view space, const FontInfo* font, int link) {
    if (!line_.empty() && x() + textWidth(dc_, font, word) > right_) endLine(font);
    while (!word.empty() && x() + textWidth(dc_, font, word) > right_) {
      const size_t n = unitsThatFit(dc_, font, word, right_ - x());
      place(word.substr(0, n), font, link);
      endLine(font);
      word.remove_prefix(n);
    }
    if (!word.empty()) place(word, font, link);
    if (!space.empty() && !line_.empty()) place(space, font, link);
  }

  // Ends the line; an empty line takes the font's height (a line break).
  void endLine(const FontInfo* font) {
    int ascent = line_.empty() ? font->ascent : 0;
    int descent = line_.empty() ? font->descent : 0;
    for (const Fragment& f : line_) {
      ascent = std::max(ascent, f.font->ascent);
      descent = std::max(descent, f.font->descent);
    }
    for (Fragment& f : line_) {
      f.y = y_ + ascent - f.font->ascent;
      s_->fragments.push_back(std::move(f));
    }
    line_.clear();
    y_ += ascent + descent;
  }

  bool empty() const { return line_.empty(); }

 private:
  int x() const { return line_.empty() ? left_ : line_.back().x + line_.back().width; }

  HtmlViewState* s_;
  HDC dc_;
  int left_, right_, y_;
  std::vector<Fragment> line_;
};

void layoutRun(LineLayout& lines, HtmlViewState* s, const html::Run& run, const FontInfo* font) {
  if (run.text == u"\n") {
    lines.endLine(font);
    return;
  }
  int link = -1;
  if (run.style & html::kLink) {
    link = static_cast<int>(s->links.size());
    s->links.push_back(run.href);
  }
  const std::u16string_view text = run.text;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find(u' ', i);
    if (end == std::u16string_view::npos) end = text.size();
    size_t spaceEnd = end;
    while (spaceEnd < text.size() && text[spaceEnd] == u' ') ++spaceEnd;
    lines.word(text.substr(i, end - i), text.substr(end, spaceEnd - end), font, link);
    i = spaceEnd;
  }
}

// The document's fragments for a view `width` pixels wide; answers its height.
int layoutDocument(HtmlViewState* s, HDC dc, const html::Document& doc, int width) {
  s->fragments.clear();
  s->links.clear();
  const int edge = margin();
  int y = edge;
  bool first = true;
  for (const html::Block& block : doc.blocks) {
    const int points = pointSize(block.kind);
    const uint8_t blockStyle = isHeading(block.kind) ? html::kBold : 0;
    if (!first) y += isHeading(block.kind) ? px(8) : block.kind == html::BlockKind::Item ? px(2) : px(5);
    first = false;
    const int left = edge + std::min(block.depth, html::kMaxListDepth) * px(14);
    LineLayout lines(s, dc, left, std::max(left + px(8), width - edge), y);
    if (block.kind == html::BlockKind::Item) {
      const FontInfo* font = fontFor(s, dc, points, 0);
      std::u16string marker = u"\u2022";
      if (block.number != 0) {
        marker.clear();
        for (char c : std::to_string(block.number)) marker.push_back(static_cast<char16_t>(c));
        marker += u".";
      }
      const int w = textWidth(dc, font, marker);
      s->fragments.push_back(Fragment{left - w - px(4), y, w, font->ascent + font->descent, marker, font, -1});
    }
    for (const html::Run& run : block.runs) {
      layoutRun(lines, s, run, fontFor(s, dc, points, static_cast<uint8_t>(run.style | blockStyle)));
    }
    if (!lines.empty()) lines.endLine(fontFor(s, dc, points, blockStyle));
    y = lines.y();
  }
  return y + edge;
}

void setScroll(HWND hwnd) {
  HtmlViewState* s = view(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  s->top = std::clamp(s->top, 0, std::max(0, s->height - client.bottom));
  SCROLLINFO si{sizeof si,
                SIF_RANGE | SIF_PAGE | SIF_POS,
                0,
                std::max(0, s->height - 1),
                static_cast<UINT>(client.bottom),
                s->top,
                0};
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

// Lays the source out in the view's width; the scroll bar comes when the
// text is taller than the view, which narrows it once more.
void relayout(HWND hwnd) {
  HtmlViewState* s = view(hwnd);
  if (s == nullptr || s->inLayout) return;
  s->inLayout = true;
  const html::Document doc = html::parse(s->source);
  HDC dc = GetDC(hwnd);
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    GetClientRect(hwnd, &client);
    s->height = layoutDocument(s, dc, doc, client.right);
    const DWORD style = styleOf(hwnd);
    const bool needed = s->height > client.bottom;
    if (needed == ((style & WS_VSCROLL) != 0)) break;
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>(needed ? style | WS_VSCROLL : style & ~WS_VSCROLL));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if ((s = view(hwnd)) == nullptr) break;
  }
  ReleaseDC(hwnd, dc);
  if (s == nullptr) return;
  s->inLayout = false;
  setScroll(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const HtmlViewState* s = view(hwnd);
  fill(p.dc(), p.client(), kPaper);
  IntersectClipRect(p.dc(), p.client().left, p.client().top + margin(), p.client().right, p.client().bottom);
  SetBkMode(p.dc(), TRANSPARENT);
  const HGDIOBJ old = GetCurrentObject(p.dc(), OBJ_FONT);
  for (const Fragment& f : s->fragments) {
    const int y = f.y - s->top;
    if (y + f.height <= p.client().top || y >= p.client().bottom) continue;
    SelectObject(p.dc(), f.font->font);
    SetTextColor(p.dc(), f.link >= 0 ? kLinkInk : kInk);
    ExtTextOut(p.dc(), f.x, y, 0, nullptr, f.text.c_str(), static_cast<UINT>(f.text.size()), nullptr);
  }
  SelectObject(p.dc(), old);
}

void scrollTo(HWND hwnd, int top) {
  HtmlViewState* s = view(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  top = std::clamp(top, 0, std::max(0, s->height - client.bottom));
  if (top == s->top) return;
  s->top = top;
  setScroll(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void scrollBy(HWND hwnd, WORD code, int thumb) {
  const HtmlViewState* s = view(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  const int line = px(16);
  switch (code) {
    case SB_LINEUP: scrollTo(hwnd, s->top - line); break;
    case SB_LINEDOWN: scrollTo(hwnd, s->top + line); break;
    case SB_PAGEUP: scrollTo(hwnd, s->top - client.bottom); break;
    case SB_PAGEDOWN: scrollTo(hwnd, s->top + client.bottom); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: scrollTo(hwnd, thumb); break;
    case SB_TOP: scrollTo(hwnd, 0); break;
    case SB_BOTTOM: scrollTo(hwnd, s->height); break;
    default: break;
  }
}

void keyDown(HWND hwnd, WPARAM vk) {
  switch (vk) {
    case VK_UP: scrollBy(hwnd, SB_LINEUP, 0); break;
    case VK_DOWN: scrollBy(hwnd, SB_LINEDOWN, 0); break;
    case VK_PRIOR: scrollBy(hwnd, SB_PAGEUP, 0); break;
    case VK_NEXT: scrollBy(hwnd, SB_PAGEDOWN, 0); break;
    case VK_HOME: scrollBy(hwnd, SB_TOP, 0); break;
    case VK_END: scrollBy(hwnd, SB_BOTTOM, 0); break;
    default: break;
  }
}

void tapLink(HWND hwnd, LPARAM lParam) {
  const HtmlViewState* s = view(hwnd);
  const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) + s->top};
  for (const Fragment& f : s->fragments) {
    const RECT r{f.x, f.y, f.x + f.width, f.y + f.height};
    if (f.link < 0 || !PtInRect(&r, pt)) continue;
    const std::u16string target = s->links[static_cast<size_t>(f.link)];
    NMHTMLVIEWW n{};
    n.szTarget = target.c_str();
    sendNotify(hwnd, NM_HOTSPOT, &n.hdr);
    return;
  }
}

// Plain text as HTML: the markup characters escaped, line ends as breaks.
std::u16string escaped(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'\n': out += u"<br>"; break;
      case u'\r': break;
      default: out.push_back(c); break;
    }
  }
  return out;
}

LRESULT CALLBACK htmlViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETTEXT: {
      const LRESULT done = DefWindowProc(hwnd, msg, wParam, lParam);
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      view(hwnd)->source = text != nullptr ? text : u"";
      view(hwnd)->top = 0;
      relayout(hwnd);
      return done;
    }
    case DTM_ADDTEXTW: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      if (text == nullptr) return 0;
      view(hwnd)->source += wParam != 0 ? escaped(text) : std::u16string(text);
      return 0;
    }
    case DTM_ENDOFSOURCE: relayout(hwnd); return 0;
    case DTM_ENABLECONTEXTMENU: view(hwnd)->contextMenu = lParam != 0; return 0;
    case WM_SIZE: relayout(hwnd); return 0;
    case WM_VSCROLL: scrollBy(hwnd, LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return 0;
    case WM_KEYDOWN: keyDown(hwnd, wParam); return 0;
    case WM_LBUTTONDOWN:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      return 0;
    case WM_LBUTTONUP: tapLink(hwnd, lParam); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

std::u16string htmlViewText(HWND hwnd) {
  const HtmlViewState* s = view(hwnd);
  return s != nullptr ? html::plainText(html::parse(s->source)) : std::u16string();
}

}  // namespace wince::ctl

BOOL InitHTMLControl(HINSTANCE) {
  if (wince::win::findClass(WC_HTML) != nullptr) return TRUE;
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = wince::ctl::htmlViewProc;
  wc.lpszClassName = WC_HTML;
  if (RegisterClass(&wc) == 0) return FALSE;
  wince::win::findClass(WC_HTML)->system = true;
  return TRUE;
}
