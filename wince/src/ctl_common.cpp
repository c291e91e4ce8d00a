#include "ctl_common.h"

#include <algorithm>

#include "wince/system.h"
#include "wince/text.h"
#include "wince/host/system.h"

namespace wince::ctl {

namespace {

HFONT dialogFont() {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>((8 * deviceProfile().dpi + 36) / 72);
  lf.lfWeight = FW_NORMAL;
  wcscpy(lf.lfFaceName, u"Tahoma");
  return CreateFontIndirect(&lf);
}

// The control's own font, or a new dialog font in *own.
HFONT fontFor(HWND hwnd, HFONT* own) {
  win::Window* w = win::find(hwnd);
  if (w != nullptr && w->font != nullptr) return w->font;
  *own = dialogFont();
  return *own;
}

}  // namespace

std::span<const ControlClass> controlClasses() {
  static const ControlClass kClasses[] = {
      {u"BUTTON", buttonProc},     {u"EDIT", editProc},          {u"STATIC", staticProc},
      {u"LISTBOX", listBoxProc},   {u"COMBOBOX", comboBoxProc},  {u"SCROLLBAR", DefWindowProc},
      {WC_HEADER, headerProc},     {WC_LISTVIEW, listViewProc},  {WC_TABCONTROL, tabProc},
  };
  return kClasses;
}

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

std::u16string textOf(HWND hwnd) {
  win::Window* w = win::find(hwnd);
  return w != nullptr ? w->text : std::u16string();
}

int px(int n) { return n * deviceProfile().dpi / 96; }

void sendCommand(HWND control, WORD code) {
  const HWND parent = GetParent(control);
  if (parent == nullptr) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
              reinterpret_cast<LPARAM>(control));
}

LRESULT sendNotify(HWND control, UINT code, NMHDR* hdr) {
  const HWND parent = GetParent(control);
  if (parent == nullptr) return 0;
  hdr->hwndFrom = control;
  hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  hdr->code = code;
  return SendMessage(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

LRESULT sendNotify(HWND control, UINT code) {
  NMHDR hdr{};
  return sendNotify(control, code, &hdr);
}

HBRUSH parentColours(HWND control, HDC hdc, UINT ctlColorMessage) {
  SetTextColor(hdc, kInk);
  SetBkColor(hdc, kPaper);
  const HWND parent = GetParent(control);
  HBRUSH brush = parent != nullptr ? reinterpret_cast<HBRUSH>(SendMessage(
                                         parent, ctlColorMessage, reinterpret_cast<WPARAM>(hdc),
                                         reinterpret_cast<LPARAM>(control)))
                                   : nullptr;
  return brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW);
}

PaintScope::PaintScope(HWND hwnd) : hwnd_(hwnd), hdc_(BeginPaint(hwnd, &ps_)) {
  GetClientRect(hwnd, &client_);
  oldFont_ = SelectObject(hdc_, fontFor(hwnd, &own_));
  SetBkMode(hdc_, TRANSPARENT);
}

PaintScope::~PaintScope() {
  SelectObject(hdc_, oldFont_);
  if (own_ != nullptr) DeleteObject(own_);
  EndPaint(hwnd_, &ps_);
}

MeasureScope::MeasureScope(HWND hwnd) : hdc_(CreateCompatibleDC(nullptr)) {
  oldFont_ = SelectObject(hdc_, fontFor(hwnd, &own_));
}

MeasureScope::~MeasureScope() {
  SelectObject(hdc_, oldFont_);
  if (own_ != nullptr) DeleteObject(own_);
  DeleteDC(hdc_);
}

int MeasureScope::lineHeight() const {
  TEXTMETRICW tm{};
  GetTextMetrics(hdc_, &tm);
  return tm.tmHeight;
}

int MeasureScope::width(std::u16string_view s) const {
  SIZE size{};
  GetTextExtentPoint32(hdc_, s.data(), static_cast<int>(s.size()), &size);
  return size.cx;
}

size_t copyTextOut(std::u16string_view t, WCHAR* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  const size_t n = std::min(t.size(), static_cast<size_t>(capacity - 1));
  std::copy_n(t.begin(), n, out);
  out[n] = 0;
  return n;
}

LRESULT setTextAndRepaint(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const LRESULT r = DefWindowProc(hwnd, WM_SETTEXT, wParam, lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return r;
}

int scrolledTop(HWND hwnd, WORD code, int top, int page, int count) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, SB_VERT, &si);
  switch (code) {
    case SB_LINEUP: return top - 1;
    case SB_LINEDOWN: return top + 1;
    case SB_PAGEUP: return top - page;
    case SB_PAGEDOWN: return top + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return si.nTrackPos;
    case SB_TOP: return 0;
    case SB_BOTTOM: return count;
    default: return top;
  }
}

int lineHeightOf(HWND hwnd) { return MeasureScope(hwnd).lineHeight(); }

void fill(HDC hdc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(hdc, &rect, brush);
  DeleteObject(brush);
}

void frame(HDC hdc, const RECT& r, COLORREF color, int t) {
  fill(hdc, {r.left, r.top, r.right, r.top + t}, color);
  fill(hdc, {r.left, r.bottom - t, r.right, r.bottom}, color);
  fill(hdc, {r.left, r.top + t, r.left + t, r.bottom - t}, color);
  fill(hdc, {r.right - t, r.top + t, r.right, r.bottom - t}, color);
}

void focusFrame(HDC hdc, const RECT& r) {
  for (int x = r.left; x < r.right; x += 2) {
    SetPixel(hdc, x, r.top, kInk);
    SetPixel(hdc, x, r.bottom - 1, kInk);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    SetPixel(hdc, r.left, y, kInk);
    SetPixel(hdc, r.right - 1, y, kInk);
  }
}

void text(HDC hdc, RECT rect, std::u16string_view s, UINT format, COLORREF color) {
  SetTextColor(hdc, color);
  SetBkMode(hdc, TRANSPARENT);
  DrawText(hdc, s.data(), static_cast<int>(s.size()), &rect, format | DT_NOPREFIX);
}

void arrow(HDC hdc, const RECT& r, Arrow direction, COLORREF color) {
  const int size = std::max(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  for (int i = 0; i < size; ++i) {
    switch (direction) {
      case Arrow::Down: fill(hdc, {cx - size + i, cy - size / 2 + i, cx + size - i, cy - size / 2 + i + 1}, color); break;
      case Arrow::Up: fill(hdc, {cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1}, color); break;
      case Arrow::Right: fill(hdc, {cx - size / 2 + i, cy - size + i, cx - size / 2 + i + 1, cy + size - i}, color); break;
      case Arrow::Left: fill(hdc, {cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1}, color); break;
    }
  }
}

void dropButton(HDC hdc, const RECT& r, bool pressed) {
  fill(hdc, r, pressed ? kInk : kFace);
  fill(hdc, {r.left, r.top, r.left + std::max(1, px(1)), r.bottom}, kInk);
  arrow(hdc, r, Arrow::Down, pressed ? kPaper : kInk);
}

COLORREF selectionColor() { return GetSysColor(COLOR_HIGHLIGHT); }

}  // namespace wince::ctl
