// The single-line edit control: typing, a caret and a selection moved by
// keys and the stylus, a length limit, read-only mode, margins, the
// clipboard, and EN_* notifications to the parent.
#include <algorithm>

#include "ctl_common.h"
#include "wince/system.h"
#include "wince/text.h"

namespace wince::ctl {

namespace {

constexpr int kDefaultLimit = 30000;

struct EditState : win::ControlState {
  int anchor = 0;  // selection: from anchor to caret
  int caret = 0;
  int scroll = 0;  // pixels of text hidden on the left
  int limit = kDefaultLimit;
  int leftMargin = 0;
  int rightMargin = 0;
  bool selecting = false;  // stylus drag
};

int selStart(const EditState& s) { return std::min(s.anchor, s.caret); }
int selEnd(const EditState& s) { return std::max(s.anchor, s.caret); }

std::u16string shown(HWND hwnd) {
  std::u16string t = textOf(hwnd);
  if (styleOf(hwnd) & ES_PASSWORD) t.assign(t.size(), u'*');
  return t;
}

RECT textArea(HWND hwnd, const EditState& s) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  rc.left += px(2) + s.leftMargin;
  rc.right -= px(2) + s.rightMargin;
  return rc;
}

// Keeps the caret inside the visible part of the text.
void scrollToCaret(HWND hwnd, EditState* s) {
  MeasureScope m(hwnd);
  const std::u16string t = shown(hwnd);
  const RECT area = textArea(hwnd, *s);
  const int visible = std::max<int>(1, area.right - area.left - 1);
  const int x = m.width(std::u16string_view(t).substr(0, static_cast<size_t>(s->caret)));
  if (x - s->scroll > visible) s->scroll = x - visible;
  if (x < s->scroll) s->scroll = std::max(0, x - visible / 3);
  if (m.width(t) - s->scroll < visible) s->scroll = std::max(0, m.width(t) - visible);
}

void setSelection(HWND hwnd, int anchor, int caret) {
  EditState* s = stateOf<EditState>(hwnd);
  const int n = static_cast<int>(textOf(hwnd).size());
  s->anchor = std::clamp(anchor, 0, n);
  s->caret = std::clamp(caret, 0, n);
  scrollToCaret(hwnd, s);
  InvalidateRect(hwnd, nullptr, FALSE);
}

void storeText(HWND hwnd, const std::u16string& t) {
  if (win::Window* w = win::find(hwnd)) w->text = t;
}

// Replaces the selection with `in` (cut to the limit); false when nothing
// could be inserted because the text is full.
bool replaceSelection(HWND hwnd, std::u16string in, bool notify) {
  EditState* s = stateOf<EditState>(hwnd);
  std::u16string t = textOf(hwnd);
  const int from = selStart(*s), to = selEnd(*s);
  const int room = s->limit - (static_cast<int>(t.size()) - (to - from));
  bool full = false;
  if (static_cast<int>(in.size()) > room) {
    in.resize(static_cast<size_t>(std::max(room, 0)));
    full = true;
  }
  if (in.empty() && from == to) {
    if (full && notify) sendCommand(hwnd, EN_MAXTEXT);
    return !full;
  }
  t.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), in);
  storeText(hwnd, t);
  const int caret = from + static_cast<int>(in.size());
  setSelection(hwnd, caret, caret);
  if (notify) {
    sendCommand(hwnd, EN_UPDATE);
    sendCommand(hwnd, EN_CHANGE);
    if (full) sendCommand(hwnd, EN_MAXTEXT);
  }
  return !full;
}

bool readOnly(HWND hwnd) { return (styleOf(hwnd) & ES_READONLY) != 0; }

void typeChar(HWND hwnd, WCHAR ch) {
  const DWORD style = styleOf(hwnd);
  if (readOnly(hwnd) || ch < 0x20) return;  // Backspace works as a key
  if ((style & ES_NUMBER) && (ch < u'0' || ch > u'9')) return;
  if (style & ES_UPPERCASE) ch = towupper(ch);
  if (style & ES_LOWERCASE) ch = towlower(ch);
  replaceSelection(hwnd, std::u16string(1, ch), true);
}

void copySelection(HWND hwnd) {
  const EditState* s = stateOf<EditState>(hwnd);
  if (selStart(*s) == selEnd(*s) || (styleOf(hwnd) & ES_PASSWORD)) return;
  const std::u16string part = textOf(hwnd).substr(static_cast<size_t>(selStart(*s)),
                                                  static_cast<size_t>(selEnd(*s) - selStart(*s)));
  if (!OpenClipboard(hwnd)) return;
  EmptyClipboard();
  auto* block = static_cast<WCHAR*>(LocalAlloc(LMEM_FIXED, (part.size() + 1) * sizeof(WCHAR)));
  if (block != nullptr) {
    std::copy(part.begin(), part.end(), block);
    block[part.size()] = 0;
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) LocalFree(block);
  }
  CloseClipboard();
}

void paste(HWND hwnd) {
  if (readOnly(hwnd) || !OpenClipboard(hwnd)) return;
  const auto* data = static_cast<const WCHAR*>(GetClipboardData(CF_UNICODETEXT));
  std::u16string in = data != nullptr ? data : u"";
  CloseClipboard();
  std::erase_if(in, [](WCHAR c) { return c < 0x20; });  // one line only
  replaceSelection(hwnd, in, true);
}

void key(HWND hwnd, WPARAM vk) {
  EditState* s = stateOf<EditState>(hwnd);
  const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
  const int n = static_cast<int>(textOf(hwnd).size());
  int caret = s->caret;
  switch (vk) {
    case VK_LEFT: caret = (!shift && s->anchor != s->caret) ? selStart(*s) : caret - 1; break;
    case VK_RIGHT: caret = (!shift && s->anchor != s->caret) ? selEnd(*s) : caret + 1; break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = n; break;
    case VK_DELETE:
      if (readOnly(hwnd)) return;
      if (s->anchor == s->caret) s->caret = std::min(n, s->caret + 1);
      replaceSelection(hwnd, u"", true);
      return;
    case VK_BACK:
      if (readOnly(hwnd)) return;
      if (s->anchor == s->caret) s->anchor = std::max(0, s->caret - 1);
      replaceSelection(hwnd, u"", true);
      return;
    default: return;
  }
  caret = std::clamp(caret, 0, n);
  setSelection(hwnd, shift ? s->anchor : caret, caret);
}

int charAt(HWND hwnd, int x) {
  const EditState* s = stateOf<EditState>(hwnd);
  MeasureScope m(hwnd);
  const std::u16string t = shown(hwnd);
  const int target = x - textArea(hwnd, *s).left + s->scroll;
  int prev = 0;
  for (size_t i = 1; i <= t.size(); ++i) {
    const int w = m.width(std::u16string_view(t).substr(0, i));
    if (target < (prev + w) / 2) return static_cast<int>(i - 1);
    prev = w;
  }
  return static_cast<int>(t.size());
}

void stylus(HWND hwnd, UINT msg, LPARAM lParam) {
  EditState* s = stateOf<EditState>(hwnd);
  const int at = charAt(hwnd, GET_X_LPARAM(lParam));
  if (msg == WM_LBUTTONDOWN) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    s = stateOf<EditState>(hwnd);
    if (s == nullptr) return;
    s->selecting = true;
    SetCapture(hwnd);
    setSelection(hwnd, at, at);
  } else if (msg == WM_LBUTTONDBLCLK) {
    setSelection(hwnd, 0, static_cast<int>(textOf(hwnd).size()));
  } else if (msg == WM_MOUSEMOVE && s->selecting) {
    setSelection(hwnd, s->anchor, at);
  } else if (msg == WM_LBUTTONUP && s->selecting) {
    s->selecting = false;
    ReleaseCapture();
  }
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const EditState* s = stateOf<EditState>(hwnd);
  const bool enabled = IsWindowEnabled(hwnd) != 0;
  const UINT colourMsg = (readOnly(hwnd) || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  FillRect(p.dc(), &p.client(), parentColours(hwnd, p.dc(), colourMsg));
  const COLORREF ink = enabled ? GetTextColor(p.dc()) : kGreyInk;
  const RECT area = textArea(hwnd, *s);
  IntersectClipRect(p.dc(), area.left, area.top, area.right, area.bottom);
  const std::u16string t = shown(hwnd);
  MeasureScope m(hwnd);
  const int h = m.lineHeight();
  const int top = (area.top + area.bottom - h) / 2;
  const int x0 = area.left - s->scroll;
  RECT line{x0, top, area.right + m.width(t), top + h};
  text(p.dc(), line, t, DT_SINGLELINE, ink);
  const bool focused = GetFocus() == hwnd;
  const auto xAt = [&](int i) { return x0 + m.width(std::u16string_view(t).substr(0, static_cast<size_t>(i))); };
  if (focused && selStart(*s) != selEnd(*s)) {
    const RECT sel{xAt(selStart(*s)), top, xAt(selEnd(*s)), top + h};
    fill(p.dc(), sel, selectionColor());
    const std::u16string part = t.substr(static_cast<size_t>(selStart(*s)),
                                         static_cast<size_t>(selEnd(*s) - selStart(*s)));
    text(p.dc(), sel, part, DT_SINGLELINE | DT_NOCLIP, kPaper);
  } else if (focused && !readOnly(hwnd)) {
    const int x = xAt(s->caret);
    fill(p.dc(), {x, top, x + std::max(1, px(1)), top + h}, kInk);
  }
}

LRESULT getSel(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const EditState* s = stateOf<EditState>(hwnd);
  if (auto* from = reinterpret_cast<DWORD*>(wParam)) *from = static_cast<DWORD>(selStart(*s));
  if (auto* to = reinterpret_cast<DWORD*>(lParam)) *to = static_cast<DWORD>(selEnd(*s));
  return MAKELONG(selStart(*s), selEnd(*s));
}

void setSel(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const int n = static_cast<int>(textOf(hwnd).size());
  auto from = static_cast<int>(static_cast<INT_PTR>(wParam));
  auto to = static_cast<int>(lParam);
  if (from < 0) {  // take the selection away, keep the caret
    const int caret = stateOf<EditState>(hwnd)->caret;
    setSelection(hwnd, caret, caret);
    return;
  }
  if (to < 0 || to > n) to = n;
  setSelection(hwnd, std::min(from, n), to);
}

LRESULT setMargins(HWND hwnd, WPARAM which, LPARAM margins) {
  EditState* s = stateOf<EditState>(hwnd);
  if (which & EC_LEFTMARGIN) s->leftMargin = LOWORD(margins);
  if (which & EC_RIGHTMARGIN) s->rightMargin = HIWORD(margins);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

void focusChanged(HWND hwnd, bool gained) {
  InvalidateRect(hwnd, nullptr, FALSE);
  sendCommand(hwnd, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT setText(HWND hwnd, LPARAM lParam) {
  const auto* in = reinterpret_cast<const WCHAR*>(lParam);
  std::u16string t = in != nullptr ? in : u"";
  EditState* s = stateOf<EditState>(hwnd);
  if (static_cast<int>(t.size()) > s->limit) t.resize(static_cast<size_t>(s->limit));
  storeText(hwnd, t);
  s->anchor = s->caret = 0;
  s->scroll = 0;
  InvalidateRect(hwnd, nullptr, TRUE);
  sendCommand(hwnd, EN_CHANGE);
  return TRUE;
}

}  // namespace

LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: return setText(hwnd, lParam);
    case WM_CHAR: typeChar(hwnd, static_cast<WCHAR>(wParam)); return 0;
    case WM_KEYDOWN: key(hwnd, wParam); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS: focusChanged(hwnd, true); return 0;
    case WM_KILLFOCUS: focusChanged(hwnd, false); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: stylus(hwnd, msg, lParam); return 0;
    case WM_CANCELMODE:
      if (EditState* s = stateOf<EditState>(hwnd); s != nullptr && s->selecting) {
        s->selecting = false;
        ReleaseCapture();
      }
      return 0;
    case EM_GETSEL: return getSel(hwnd, wParam, lParam);
    case EM_SETSEL: setSel(hwnd, wParam, lParam); return 0;
    case EM_REPLACESEL: {
      const auto* in = reinterpret_cast<const WCHAR*>(lParam);
      replaceSelection(hwnd, in != nullptr ? in : u"", false);
      return 0;
    }
    case EM_LIMITTEXT: stateOf<EditState>(hwnd)->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(wParam); return 0;
    case EM_GETLIMITTEXT: return stateOf<EditState>(hwnd)->limit;
    case EM_SETREADONLY: {
      const DWORD style = styleOf(hwnd);
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETMARGINS: return setMargins(hwnd, wParam, lParam);
    case EM_GETMARGINS: {
      const EditState* s = stateOf<EditState>(hwnd);
      return MAKELONG(s->leftMargin, s->rightMargin);
    }
    case WM_COPY: copySelection(hwnd); return 0;
    case WM_CUT:
      if (readOnly(hwnd)) return 0;
      copySelection(hwnd);
      replaceSelection(hwnd, u"", true);
      return 0;
    case WM_CLEAR:
      if (!readOnly(hwnd)) replaceSelection(hwnd, u"", true);
      return 0;
    case WM_PASTE: paste(hwnd); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
