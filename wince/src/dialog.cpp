// Dialog boxes from templates: creation, the dialog procedure's results,
// keyboard navigation and the modal run.
#include <algorithm>
#include <vector>

#include "dialog_template.h"
#include "wince/controls.h"
#include "wince/gdi.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/resource.h"
#include "wince/system.h"
#include "wince/text.h"
#include "window_internal.h"

namespace wince::win {

namespace {

// The device's name for the dialog class.
constexpr const char16_t* kDialogClass = u"Dialog";

DLGPROC dialogProc(HWND dlg) { return reinterpret_cast<DLGPROC>(GetWindowLong(dlg, DWL_DLGPROC)); }

// Messages whose dialog-procedure result is the message result itself;
// for the others the result is DWL_MSGRESULT.
bool returnsDirectly(UINT msg) {
  return msg == WM_INITDIALOG || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON ||
         msg == WM_COMPAREITEM || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

LRESULT CALLBACK dialogWindowProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (DLGPROC proc = dialogProc(dlg)) {
    const INT_PTR handled = proc(dlg, msg, wParam, lParam);
    if (returnsDirectly(msg)) {
      if (handled != 0 || msg == WM_INITDIALOG) return handled;
    } else if (handled != 0) {
      return GetWindowLong(dlg, DWL_MSGRESULT);
    }
  }
  return DefDlgProc(dlg, msg, wParam, lParam);
}

void ensureDialogClass() {
  if (findClass(kDialogClass) != nullptr) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = dialogWindowProc;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
  wc.lpszClassName = kDialogClass;
  RegisterClass(&wc);
  findClass(kDialogClass)->system = true;
}

DialogState* stateOf(HWND dlg) {
  Window* w = find(dlg);
  return w != nullptr ? w->dialog.get() : nullptr;
}

bool isTabStop(HWND h) {
  const auto style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// A dialog inside another (a property sheet's page): its controls take part
// in the outer dialog's keyboard walk.
bool isChildDialog(HWND h) {
  Window* w = find(h);
  return w != nullptr && w->dialog != nullptr && (w->style & WS_CHILD) && (w->style & WS_VISIBLE);
}

// The tab stops in walking order, those of visible child dialogs in their place.
void collectTabStops(HWND dlg, std::vector<HWND>* out) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (isChildDialog(c)) {
      collectTabStops(c, out);
    } else if (isTabStop(c)) {
      out->push_back(c);
    }
  }
}

HWND firstTabStop(HWND dlg) {
  std::vector<HWND> stops;
  collectTabStops(dlg, &stops);
  return stops.empty() ? nullptr : stops.front();
}

// The next (or previous) tab stop after `from`, wrapping around.
HWND nextTabStop(HWND dlg, HWND from, bool previous) {
  std::vector<HWND> stops;
  collectTabStops(dlg, &stops);
  if (stops.empty()) return nullptr;
  const auto n = static_cast<long>(stops.size());
  const long at = static_cast<long>(std::find(stops.begin(), stops.end(), from) - stops.begin());
  if (at >= n) return previous ? stops.back() : stops.front();
  return stops[static_cast<size_t>(((at + (previous ? -1 : 1)) % n + n) % n)];
}

// The dialog's control that holds the focus (the combo box, when the focus
// is in the edit inside it; a page's control, when it is in a page).
HWND controlWithFocus(HWND dlg) {
  HWND focus = GetFocus();
  if (focus == nullptr || !IsChild(dlg, focus)) return nullptr;
  for (HWND parent = GetParent(focus); parent != dlg && !isChildDialog(parent); parent = GetParent(focus)) {
    focus = parent;
  }
  return isChildDialog(focus) ? nullptr : focus;
}

LRESULT dialogCodeOf(HWND control, const MSG* msg) {
  return SendMessage(control, WM_GETDLGCODE, msg != nullptr ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

// Focus moved by the keyboard: an edit selects all its text.
void focusControl(HWND control) {
  SetFocus(control);
  if (IsWindow(control) && (dialogCodeOf(control, nullptr) & DLGC_HASSETSEL)) SendMessage(control, EM_SETSEL, 0, -1);
}

// The default push button of the dialog's template, if any.
WORD defaultButtonId(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (dialogCodeOf(c, nullptr) & DLGC_DEFPUSHBUTTON) return static_cast<WORD>(GetDlgCtrlID(c));
  }
  return 0;
}

void sendCommandFor(HWND dlg, WORD id) {
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// Return: the focused push button's command goes to the dialog it sits in
// (a page, perhaps), anything else to the dialog's default command.
void returnKey(HWND dlg) {
  const HWND focus = controlWithFocus(dlg);
  if (focus != nullptr && (dialogCodeOf(focus, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    sendCommandFor(GetParent(focus), static_cast<WORD>(GetDlgCtrlID(focus)));
    return;
  }
  const LRESULT def = SendMessage(dlg, DM_GETDEFID, 0, 0);
  sendCommandFor(dlg, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : static_cast<WORD>(IDOK));
}

// Arrows move within the group; a radio button reached this way is chosen.
// Up and Down leave a group of one for the previous or next tab stop, so the
// d-pad walks the whole dialog.
void arrowKey(HWND dlg, HWND control, WPARAM vk) {
  const bool previous = vk == VK_UP || vk == VK_LEFT;
  HWND target = GetNextDlgGroupItem(GetParent(control), control, previous ? TRUE : FALSE);
  if ((target == nullptr || target == control) && (vk == VK_UP || vk == VK_DOWN)) {
    target = nextTabStop(dlg, control, previous);
  }
  if (target == nullptr || target == control) return;
  focusControl(target);
  if (IsWindow(target) && (dialogCodeOf(target, nullptr) & DLGC_RADIOBUTTON)) SendMessage(target, BM_CLICK, 0, 0);
}

HFONT createTemplateFont(const DialogTemplate& t) {
  if (!t.hasFont) return nullptr;
  LOGFONTW lf{};
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  // A template's point size is data: keep it to what a screen can show.
  constexpr int kLargestPointSize = 72;
  const int points = std::clamp(static_cast<int>(t.pointSize), 1, kLargestPointSize);
  lf.lfHeight = -static_cast<LONG>((points * dpi + 36) / 72);
  lf.lfWeight = 400;
  const size_t n = std::min(t.faceName.size(), static_cast<size_t>(LF_FACESIZE - 1));
  std::copy_n(t.faceName.data(), n, lf.lfFaceName);
  return CreateFontIndirect(&lf);
}

RECT dialogUnitsToPixels(short x, short y, short cx, short cy) {
  RECT r{x, y, x + cx, y + cy};
  const LONG base = GetDialogBaseUnits();
  const LONG bx = LOWORD(base), by = HIWORD(base);
  r.left = r.left * bx / 4;
  r.right = r.right * bx / 4;
  r.top = r.top * by / 8;
  r.bottom = r.bottom * by / 8;
  return r;
}

bool createControls(HWND dlg, HINSTANCE instance, const DialogTemplate& t, HFONT font) {
  for (const DialogItem& item : t.items) {
    const char16_t* cls = item.className.isOrdinal ? controlClassForOrdinal(item.className.ordinal)
                                                   : item.className.text.c_str();
    if (cls == nullptr) return false;
    const char16_t* title = item.title.isOrdinal ? u"" : item.title.text.c_str();
    const RECT r = dialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
    void* data = item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data());
    HWND c = CreateWindowEx(item.exStyle, cls, title, item.style | WS_CHILD, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, dlg, reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id)), instance,
                            data);
    if (c == nullptr) return false;
    if (font != nullptr) SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return true;
}

// Builds the dialog and sends WM_INITDIALOG; null when anything fails.
HWND createDialog(HINSTANCE instance, const BYTE* data, size_t size, HWND owner, DLGPROC proc, LPARAM param,
                  bool modal, bool child = false) {
  DialogTemplate t;
  if (!readDialogTemplate(data, size, &t, nullptr)) return nullptr;
  ensureDialogClass();
  const char16_t* cls = kDialogClass;
  if (t.className.isOrdinal || !t.className.text.empty()) {
    if (t.className.isOrdinal) return nullptr;
    cls = t.className.text.c_str();
  }
  constexpr DWORD kNotInAPage = WS_VISIBLE | WS_DISABLED | WS_POPUP | WS_BORDER | WS_DLGFRAME;
  const DWORD style = child ? (t.style & ~kNotInAPage) | WS_CHILD : t.style & ~(WS_VISIBLE | WS_DISABLED);
  RECT r = dialogUnitsToPixels(child ? 0 : t.x, child ? 0 : t.y, t.cx, t.cy);
  const LONG border = (style & (WS_BORDER | WS_DLGFRAME)) ? 1 : 0;
  r.right += 2 * border;
  const int titleRow = titleRowOf(style, r.right - r.left);
  r.bottom += 2 * border + titleRow;
  if (owner != nullptr && !(style & WS_CHILD)) {
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    r = offset(r, origin.x, origin.y);
  }
  if ((t.style & DS_CENTER) && !child) {
    const RECT work = workArea();
    r = offset(r, (work.left + work.right - (r.right - r.left)) / 2 - r.left,
               (work.top + work.bottom - (r.bottom - r.top)) / 2 - r.top);
  }
  HWND dlg = CreateWindowEx(t.exStyle, cls, t.title.c_str(), style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, owner, nullptr, instance, nullptr);
  Window* w = find(dlg);
  if (w == nullptr) return nullptr;
  w->dialog = std::make_unique<DialogState>();
  w->dialog->modal = modal;
  w->dialog->contentHeight = r.bottom - r.top - 2 * border - titleRow;
  w->dialog->font = createTemplateFont(t);
  SetWindowLong(dlg, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  const HFONT font = w->dialog->font;
  if (font != nullptr) SendMessage(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!createControls(dlg, instance, t, font)) {
    DestroyWindow(dlg);
    return nullptr;
  }
  const HWND first = firstTabStop(dlg);
  // A page's focus is its sheet's to give.
  if (SendMessage(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) != 0 && !child && first != nullptr &&
      IsWindow(first)) {
    focusControl(first);
  }
  if (!IsWindow(dlg)) return nullptr;
  if ((t.style & WS_VISIBLE) && !child) ShowWindow(dlg, SW_SHOW);
  return dlg;
}

INT_PTR runDialog(HINSTANCE instance, const BYTE* data, size_t size, HWND owner, DLGPROC proc, LPARAM param) {
  HWND dlg = createDialog(instance, data, size, owner, proc, param, true);
  if (dlg == nullptr) return -1;
  struct DestroyAfter {
    HWND dlg;
    ~DestroyAfter() { DestroyWindow(dlg); }  // also when an exception leaves the run
  } destroyAfter{dlg};
  if (DialogState* s = stateOf(dlg); s != nullptr && s->ended) return s->result;  // ended in WM_INITDIALOG
  if (!IsWindowVisible(dlg)) ShowWindow(dlg, SW_SHOW);
  return runModalLoop(owner, dlg, ModalKind::Dialog);
}

const BYTE* findTemplate(HINSTANCE instance, LPCWSTR name, size_t* size) {
  HRSRC res = FindResource(instance, name, RT_DIALOG);
  if (res == nullptr) return nullptr;
  *size = SizeofResource(instance, res);
  return static_cast<const BYTE*>(LockResource(LoadResource(instance, res)));
}

// A page's content follows its vertical scroll bar.
void scrollContent(HWND dlg, WPARAM wParam) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(dlg, SB_VERT, &si);
  const int line = 16 * wince::deviceProfile().dpi / 96;
  const int page = static_cast<int>(si.nPage);
  int next = si.nPos;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: next -= line; break;
    case SB_LINEDOWN: next += line; break;
    case SB_PAGEUP: next -= page; break;
    case SB_PAGEDOWN: next += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: next = static_cast<short>(HIWORD(wParam)); break;
    case SB_TOP: next = si.nMin; break;
    case SB_BOTTOM: next = si.nMax; break;
    default: return;
  }
  next = std::clamp(next, si.nMin, std::max(si.nMin, si.nMax - page + 1));
  if (next == si.nPos) return;
  ScrollWindowEx(dlg, 0, si.nPos - next, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  SetScrollPos(dlg, SB_VERT, next, TRUE);
}

}  // namespace

LPCDLGTEMPLATE blankDialogTemplate() {
  // WS_POPUP; no extended style, controls, position, menu, class or title.
  static const WORD kBlank[] = {0x0000, 0x8000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  return reinterpret_cast<LPCDLGTEMPLATE>(kBlank);
}

HWND createChildDialog(HINSTANCE instance, const BYTE* data, size_t size, HWND parent, DLGPROC proc, LPARAM param) {
  return createDialog(instance, data, size, parent, proc, param, false, true);
}

}  // namespace wince::win

using namespace wince::win;

INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam) {
  size_t size = 0;
  const BYTE* data = findTemplate(hInstance, templateName, &size);
  return data != nullptr ? runDialog(hInstance, data, size, owner, proc, initParam) : -1;
}

INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE tmpl, HWND owner, DLGPROC proc, LPARAM initParam) {
  return runDialog(hInstance, reinterpret_cast<const BYTE*>(tmpl), kIndirectTemplateLimit, owner, proc, initParam);
}

HWND CreateDialogParam(HINSTANCE hInstance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam) {
  size_t size = 0;
  const BYTE* data = findTemplate(hInstance, templateName, &size);
  return data != nullptr ? createDialog(hInstance, data, size, owner, proc, initParam, false) : nullptr;
}

HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE tmpl, HWND owner, DLGPROC proc,
                               LPARAM initParam) {
  return createDialog(hInstance, reinterpret_cast<const BYTE*>(tmpl), kIndirectTemplateLimit, owner, proc, initParam,
                      false);
}

BOOL EndDialog(HWND dlg, INT_PTR result) {
  DialogState* s = stateOf(dlg);
  if (s == nullptr) return FALSE;
  s->ended = true;
  s->result = result;
  if (s->modal) {
    wince::endModalLoop(dlg, result);
    // The owner comes back before the dialog goes, so activation returns to it.
    if (HWND owner = GetWindow(dlg, GW_OWNER)) EnableWindow(owner, TRUE);
  }
  ShowWindow(dlg, SW_HIDE);
  return TRUE;
}

LRESULT DefDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
      return 0;
    case WM_ACTIVATE:
      if (DialogState* s = stateOf(dlg)) {
        if (LOWORD(wParam) == WA_INACTIVE) {
          s->lastFocus = controlWithFocus(dlg);
        } else if (IsWindow(s->lastFocus) || controlWithFocus(dlg) == nullptr) {
          // Focus set during WM_INITDIALOG stays where it was put.
          const HWND target = IsWindow(s->lastFocus) ? s->lastFocus : firstTabStop(dlg);
          SetFocus(target != nullptr ? target : dlg);
        }
        return 0;
      }
      break;
    case WM_NEXTDLGCTL: {
      const HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : nextTabStop(dlg, controlWithFocus(dlg), wParam != 0);
      if (target != nullptr && IsChild(dlg, target)) focusControl(target);
      return 0;
    }
    case DM_GETDEFID:
      if (DialogState* s = stateOf(dlg)) {
        const WORD id = s->defaultId != 0 ? s->defaultId : defaultButtonId(dlg);
        return id != 0 ? MAKELONG(id, DC_HASDEFID) : 0;
      }
      return 0;
    case DM_SETDEFID:
      if (DialogState* s = stateOf(dlg)) s->defaultId = static_cast<WORD>(wParam);
      return TRUE;
    case WM_ERASEBKGND: {
      const auto hdc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(SendMessage(dlg, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dlg)));
      if (hdc == nullptr || brush == nullptr) return 0;
      RECT client;
      GetClientRect(dlg, &client);
      FillRect(hdc, &client, brush);
      return 1;
    }
    case WM_GETDLGCODE: return 0;
    case WM_VSCROLL:
      if (DialogState* s = stateOf(dlg); s != nullptr && s->scrollsContent) scrollContent(dlg, wParam);
      return 0;
    default: break;
  }
  return DefWindowProc(dlg, msg, wParam, lParam);
}

BOOL IsDialogMessage(HWND dlg, LPMSG msg) {
  if (msg == nullptr || stateOf(dlg) == nullptr || (msg->hwnd != dlg && !IsChild(dlg, msg->hwnd))) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    const LRESULT code = dialogCodeOf(msg->hwnd, msg);
    const bool wantsAll = (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
    switch (msg->wParam) {
      case VK_TAB:
        if (wantsAll || (code & DLGC_WANTTAB)) break;
        SendMessage(dlg, WM_NEXTDLGCTL, (GetAsyncKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
        return TRUE;
      case VK_RETURN:
        if (wantsAll) break;
        returnKey(dlg);
        return TRUE;
      case VK_ESCAPE:
        if (wantsAll) break;
        sendCommandFor(dlg, IDCANCEL);
        return TRUE;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN: {
        const HWND control = controlWithFocus(dlg);
        if (wantsAll || (code & DLGC_WANTARROWS) || control == nullptr) break;
        arrowKey(dlg, control, msg->wParam);
        return TRUE;
      }
      default: break;
    }
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

HWND GetDlgItem(HWND dlg, int id) {
  Window* d = find(dlg);
  if (d == nullptr) return nullptr;
  for (HWND c : d->children) {
    Window* w = find(c);
    if (w != nullptr && static_cast<int>(w->id) == id) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = find(hwnd);
  return w != nullptr && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

BOOL SetDlgItemText(HWND dlg, int id, LPCWSTR text) { return SetWindowText(GetDlgItem(dlg, id), text); }

UINT GetDlgItemText(HWND dlg, int id, LPWSTR buf, int n) {
  return static_cast<UINT>(GetWindowText(GetDlgItem(dlg, id), buf, n));
}

LRESULT SendDlgItemMessage(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dlg, id);
  return item != nullptr ? SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL MapDialogRect(HWND dlg, LPRECT rect) {
  if (find(dlg) == nullptr || rect == nullptr) return FALSE;
  *rect = dialogUnitsToPixels(static_cast<short>(rect->left), static_cast<short>(rect->top),
                              static_cast<short>(rect->right - rect->left),
                              static_cast<short>(rect->bottom - rect->top));
  return TRUE;
}

UINT GetDlgItemInt(HWND dlg, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  WCHAR text[32];
  const int n = GetDlgItemText(dlg, id, text, 32);
  int i = 0;
  while (i < n && text[i] == u' ') ++i;
  const bool negative = isSigned && i < n && text[i] == u'-';
  if (negative) ++i;
  const int firstDigit = i;
  long long value = 0;
  const long long limit = isSigned ? (negative ? 0x80000000LL : 0x7FFFFFFFLL) : 0xFFFFFFFFLL;
  for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > limit) return 0;
  }
  if (i == firstDigit || i != n) return 0;
  if (translated != nullptr) *translated = TRUE;
  return static_cast<UINT>(negative ? -value : value);
}

BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned) {
  WCHAR text[16];
  if (isSigned) {
    swprintf(text, u"%d", static_cast<int>(value));
  } else {
    swprintf(text, u"%u", value);
  }
  return SetDlgItemText(dlg, id, text);
}

BOOL CheckRadioButton(HWND dlg, int firstId, int lastId, int checkId) {
  if (find(dlg) == nullptr) return FALSE;
  for (int id = firstId; id <= lastId; ++id) {
    SendDlgItemMessage(dlg, id, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

HWND GetNextDlgTabItem(HWND dlg, HWND control, BOOL previous) {
  return nextTabStop(dlg, control, previous != FALSE);
}

HWND GetNextDlgGroupItem(HWND dlg, HWND control, BOOL previous) {
  Window* d = find(dlg);
  if (d == nullptr) return nullptr;
  const auto& list = d->children;
  const auto at = std::find(list.begin(), list.end(), control);
  if (at == list.end()) return nullptr;
  const auto hasGroup = [](HWND h) { return (static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & WS_GROUP) != 0; };
  auto first = at;
  while (first != list.begin() && !hasGroup(*first)) --first;
  auto last = at + 1;
  while (last != list.end() && !hasGroup(*last)) ++last;
  const std::vector<HWND> group(first, last);
  const auto n = static_cast<long>(group.size());
  const long start = static_cast<long>(std::find(group.begin(), group.end(), control) - group.begin());
  for (long step = 1; step < n; ++step) {
    const long i = ((start + (previous ? -step : step)) % n + n) % n;
    const auto style = static_cast<DWORD>(GetWindowLong(group[static_cast<size_t>(i)], GWL_STYLE));
    if ((style & WS_VISIBLE) && !(style & WS_DISABLED)) return group[static_cast<size_t>(i)];
  }
  return control;
}
