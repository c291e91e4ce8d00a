// CeBaseWnd: the holder of one window handle, with a wrapper for nearly
// every window call of the platform acting on that handle.
#pragma once

#include <concepts>

#include "wince/gdi.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/types.h"
#include "wince/window.h"

class CeBaseWnd {
 public:
  CeBaseWnd() = default;
  explicit CeBaseWnd(HWND hwnd) : m_hWnd(hwnd) {}
  // Copies share the handle; each copy's destructor destroys the window.
  CeBaseWnd(const CeBaseWnd& other) = default;
  CeBaseWnd& operator=(const CeBaseWnd& other) = default;
  // Destroys the window when the handle still names a live one.
  virtual ~CeBaseWnd();

  int Attach(HWND hwnd);
  HWND Detach();
  operator HWND() const { return m_hWnd; }

  // new style = (old & ~remove) | add; 0 when unchanged, else 1 (and the
  // frame is refreshed through SetWindowPos when swpFlags is non-zero).
  int ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  int ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
  // The same on any window. A template so that a literal 0 as the first
  // argument of the forms above is not taken for a null window.
  template <class Window>
    requires std::same_as<Window, HWND>
  static int ModifyStyle(Window hwnd, DWORD remove, DWORD add, UINT swpFlags = 0) {
    return ModifyLong(hwnd, GWL_STYLE, remove, add, swpFlags);
  }
  template <class Window>
    requires std::same_as<Window, HWND>
  static int ModifyStyleEx(Window hwnd, DWORD remove, DWORD add, UINT swpFlags = 0) {
    return ModifyLong(hwnd, GWL_EXSTYLE, remove, add, swpFlags);
  }

  // Centres over `center` (default: the parent of a child, the owner of a
  // top-level window), kept within the parent's client area or work area.
  int CenterWindow(HWND center = nullptr);

  int ShowScrollBar(int bar, BOOL show);
  int GetScrollRange(int bar, int* minPos, int* maxPos) const;
  int GetScrollPos(int bar) const;
  // The range's maximum; 0 when the range cannot be read.
  int GetScrollLimit(int bar) const;

  // The window text to the clipboard as CF_UNICODETEXT.
  bool CopyWindowText();

  HWND GetTopLevelWindow() const { return GetTopLevelWindow(m_hWnd); }
  static HWND GetTopLevelWindow(HWND hwnd);
  int IsParentDialog() const;
  int IsWindowUnicode() const { return 1; }
  BOOL SetForegroundWindow();
  // Null (and nothing changes) when the window has the capture already.
  HWND SetCapture();
  int DestroyWindow();

  // Plain wrappers on m_hWnd.
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }
  LONG_PTR GetWindowLongW(int index) const { return ::GetWindowLongW(m_hWnd, index); }
  LONG_PTR SetWindowLongW(int index, LONG_PTR value) { return ::SetWindowLongW(m_hWnd, index, value); }
  int SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongW(m_hWnd, GWL_ID, id)); }

  LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
  }
  static LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(hwnd, msg, wParam, lParam);
  }
  BOOL PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, msg, wParam, lParam);
  }
  BOOL SendNotifyMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendNotifyMessageW(m_hWnd, msg, wParam, lParam);
  }
  LRESULT SendDlgItemMessageW(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageW(m_hWnd, id, msg, wParam, lParam);
  }

  void SetFont(HFONT font, BOOL redraw = TRUE) {
    SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
  }
  HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessageW(WM_GETFONT)); }
  void SetRedraw(bool redraw = true) { SendMessageW(WM_SETREDRAW, redraw ? 1 : 0); }
  HICON SetIcon(HICON icon, BOOL big = TRUE) {
    return reinterpret_cast<HICON>(SendMessageW(WM_SETICON, big, reinterpret_cast<LPARAM>(icon)));
  }
  HICON GetIcon(BOOL big = TRUE) const { return reinterpret_cast<HICON>(SendMessageW(WM_GETICON, big)); }

  void NextDlgCtrl() const { SendMessageW(WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { SendMessageW(WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(HWND control) const { SendMessageW(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), 1); }

  UINT IsDlgButtonChecked(int id) const {
    return static_cast<UINT>(::SendMessageW(GetDlgItem(id), BM_GETCHECK, 0, 0));
  }
  BOOL CheckDlgButton(int id, UINT state) {
    return static_cast<BOOL>(::SendMessageW(GetDlgItem(id), BM_SETCHECK, state, 0));
  }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  BOOL CheckRadioButton(int firstId, int lastId, int checkId) {
    return ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
  }
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
  }
  BOOL SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) {
    return ::SetDlgItemInt(m_hWnd, id, value, isSigned);
  }
  UINT GetDlgItemTextW(int id, LPWSTR buf, int n) const { return ::GetDlgItemTextW(m_hWnd, id, buf, n); }
  BOOL SetDlgItemTextW(int id, LPCWSTR text) { return ::SetDlgItemTextW(m_hWnd, id, text); }
  HWND GetNextDlgGroupItem(HWND control, BOOL previous = FALSE) const {
    return ::GetNextDlgGroupItem(m_hWnd, control, previous);
  }
  HWND GetNextDlgTabItem(HWND control, BOOL previous = FALSE) const {
    return ::GetNextDlgTabItem(m_hWnd, control, previous);
  }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  BOOL IsDialogMessageW(LPMSG msg) { return ::IsDialogMessageW(m_hWnd, msg); }

  BOOL SetWindowTextW(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }
  int GetWindowTextW(LPWSTR buf, int n) const { return ::GetWindowTextW(m_hWnd, buf, n); }
  int GetWindowTextLengthW() const { return ::GetWindowTextLengthW(m_hWnd); }
  int MessageBoxW(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK) const {
    return ::MessageBoxW(m_hWnd, text, caption, type);
  }

  BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) {
    return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
  }
  BOOL MoveWindow(const RECT* rc, BOOL repaint = TRUE) {
    return MoveWindow(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, repaint);
  }
  BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
  }
  BOOL SetWindowPos(HWND after, const RECT* rc, UINT flags) {
    return SetWindowPos(after, rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, flags);
  }
  HDWP DeferWindowPos(int x, int y, int cx, int cy, HDWP dwp) {
    return ::DeferWindowPos(dwp, m_hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER);
  }
  HDWP DeferWindowPos(const RECT* rc, HDWP dwp) {
    return DeferWindowPos(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, dwp);
  }

  BOOL GetWindowRect(LPRECT rc) const { return ::GetWindowRect(m_hWnd, rc); }
  BOOL GetClientRect(LPRECT rc) const { return ::GetClientRect(m_hWnd, rc); }
  BOOL ClientToScreen(LPPOINT pt) const { return ::ClientToScreen(m_hWnd, pt); }
  BOOL ClientToScreen(LPRECT rc) const;
  BOOL ScreenToClient(LPPOINT pt) const { return ::ScreenToClient(m_hWnd, pt); }
  BOOL ScreenToClient(LPRECT rc) const;
  int MapWindowPoints(HWND to, LPPOINT pts, UINT n) const { return ::MapWindowPoints(m_hWnd, to, pts, n); }
  int MapWindowPoints(HWND to, LPRECT rc) const {
    return ::MapWindowPoints(m_hWnd, to, reinterpret_cast<LPPOINT>(rc), 2);
  }
  HWND ChildWindowFromPoint(POINT pt) const { return ::ChildWindowFromPoint(m_hWnd, pt); }

  HDC GetDC() const { return ::GetDC(m_hWnd); }
  HDC GetWindowDC() const { return ::GetWindowDC(m_hWnd); }
  int ReleaseDC(HDC dc) const { return ::ReleaseDC(m_hWnd, dc); }
  HDC BeginPaint(LPPAINTSTRUCT ps) { return ::BeginPaint(m_hWnd, ps); }
  BOOL EndPaint(const PAINTSTRUCT* ps) { return ::EndPaint(m_hWnd, ps); }
  BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
  BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
  BOOL InvalidateRect(const RECT* rc, BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, rc, erase); }
  BOOL ValidateRect(const RECT* rc) { return ::ValidateRect(m_hWnd, rc); }
  BOOL GetUpdateRect(LPRECT rc, BOOL erase = FALSE) { return ::GetUpdateRect(m_hWnd, rc, erase); }
  int GetUpdateRgn(HRGN rgn, BOOL erase = FALSE) { return ::GetUpdateRgn(m_hWnd, rgn, erase); }
  int GetWindowRgn(HRGN rgn) const { return ::GetWindowRgn(m_hWnd, rgn); }
  int SetWindowRgn(HRGN rgn, BOOL redraw = FALSE) { return ::SetWindowRgn(m_hWnd, rgn, redraw); }

  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }
  HWND SetActiveWindow() { return ::SetActiveWindow(m_hWnd); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  HWND GetParent() const { return ::GetParent(m_hWnd); }
  HWND SetParent(HWND parent) { return ::SetParent(m_hWnd, parent); }
  HWND GetWindow(UINT cmd) const { return ::GetWindow(m_hWnd, cmd); }
  BOOL IsChild(HWND hwnd) const { return ::IsChild(m_hWnd, hwnd); }
  BOOL DrawMenuBar() { return ::DrawMenuBar(m_hWnd); }

  int SetScrollInfo(int bar, LPCSCROLLINFO info, BOOL redraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, bar, info, redraw);
  }
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info) const { return ::GetScrollInfo(m_hWnd, bar, info); }
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
  BOOL SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE) {
    return ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
  }
  int ScrollWindowEx(int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                     UINT flags) {
    return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip, update, updateRect, flags);
  }
  int ScrollWindowEx(int dx, int dy, UINT flags, const RECT* scroll = nullptr, const RECT* clip = nullptr,
                     HRGN update = nullptr, LPRECT updateRect = nullptr) {
    return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip, update, updateRect, flags);
  }

  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) { return ::SetTimer(m_hWnd, id, elapseMs, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

  BOOL CreateCaret(HBITMAP bitmap) { return ::CreateCaret(m_hWnd, bitmap, 0, 0); }
  BOOL CreateSolidCaret(int cx, int cy) { return ::CreateCaret(m_hWnd, nullptr, cx, cy); }
  BOOL CreateGrayCaret(int cx, int cy) {
    return ::CreateCaret(m_hWnd, reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(1)), cx, cy);
  }
  BOOL HideCaret() { return ::HideCaret(m_hWnd); }
  BOOL ShowCaret() { return ::ShowCaret(m_hWnd); }
  BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }

  DWORD GetWindowThreadID() const { return ::GetWindowThreadProcessId(m_hWnd, nullptr); }
  DWORD GetWindowProcessID() const;

  BOOL SHSipPreference(int state) { return ::SHSipPreference(m_hWnd, state); }
  BOOL SHDoneButton(DWORD state) { return ::SHDoneButton(m_hWnd, state); }
  BOOL SHSetNavBarText(LPCWSTR text) { return ::SHSetNavBarText(m_hWnd, text); }
  BOOL SHFullScreen(DWORD flags) { return ::SHFullScreen(m_hWnd, flags); }
  int SHShowOutOfMemory() { return ::SHShowOutOfMemory(m_hWnd, 0); }

  HWND m_hWnd = nullptr;

 private:
  static int ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags);
};
