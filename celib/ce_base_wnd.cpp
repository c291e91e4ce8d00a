#include "ce_base_wnd.h"

#include <cstring>

#include "wince/text.h"

CeBaseWnd::~CeBaseWnd() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
}

int CeBaseWnd::Attach(HWND hwnd) {
  if (m_hWnd != nullptr) return 0;
  m_hWnd = hwnd;
  return 1;
}

HWND CeBaseWnd::Detach() {
  HWND hwnd = m_hWnd;
  m_hWnd = nullptr;
  return hwnd;
}

int CeBaseWnd::ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
  const auto old = static_cast<DWORD>(::GetWindowLongW(hwnd, index));
  const DWORD style = (old & ~remove) | add;
  if (style == old) return 0;
  ::SetWindowLongW(hwnd, index, static_cast<LONG_PTR>(style));
  if (swpFlags != 0) {
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 1;
}

int CeBaseWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

int CeBaseWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

namespace {

// Puts [pos, pos + size) inside [low, high): the low edge wins when it
// cannot fit.
int Clamp(int pos, int size, int low, int high) {
  if (pos < low) return low;
  if (pos + size > high) return high - size;
  return pos;
}

}  // namespace

int CeBaseWnd::CenterWindow(HWND center) {
  const DWORD style = GetStyle();
  const bool child = (style & WS_CHILD) != 0;
  if (center == nullptr) center = child ? GetParent() : GetWindow(GW_OWNER);

  RECT area{};
  RECT centre{};
  if (child) {
    const HWND parent = GetParent();
    ::GetClientRect(parent, &area);
    ::GetClientRect(center, &centre);
    ::MapWindowPoints(center, parent, reinterpret_cast<LPPOINT>(&centre), 2);
  } else {
    if (center != nullptr && !(static_cast<DWORD>(::GetWindowLongW(center, GWL_STYLE)) & WS_VISIBLE)) {
      center = nullptr;
    }
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    if (center != nullptr) {
      ::GetWindowRect(center, &centre);
    } else {
      centre = area;
    }
  }

  RECT mine{};
  GetWindowRect(&mine);
  const int width = mine.right - mine.left;
  const int height = mine.bottom - mine.top;
  int x = (centre.left + centre.right) / 2 - width / 2;
  int y = (centre.top + centre.bottom) / 2 - height / 2;
  x = Clamp(x, width, area.left, area.right);
  y = Clamp(y, height, area.top, area.bottom);
  return SetWindowPos(nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CeBaseWnd::ShowScrollBar(int bar, BOOL show) {
  const DWORD flag = bar != 0 ? WS_VSCROLL : WS_HSCROLL;
  const DWORD style = show ? (GetStyle() | flag) : (GetStyle() & ~flag);
  return SetWindowLongW(GWL_STYLE, static_cast<LONG_PTR>(style)) != 0;
}

int CeBaseWnd::GetScrollRange(int bar, int* minPos, int* maxPos) const {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  const BOOL ok = GetScrollInfo(bar, &info);
  if (ok) {
    if (minPos != nullptr) *minPos = info.nMin;
    if (maxPos != nullptr) *maxPos = info.nMax;
  }
  return ok;
}

int CeBaseWnd::GetScrollPos(int bar) const {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  return GetScrollInfo(bar, &info) ? info.nPos : 0;
}

int CeBaseWnd::GetScrollLimit(int bar) const {
  int minPos = 0;
  int maxPos = 0;
  return GetScrollRange(bar, &minPos, &maxPos) ? maxPos : 0;
}

bool CeBaseWnd::CopyWindowText() {
  const int length = GetWindowTextLengthW();
  auto* text = static_cast<WCHAR*>(::LocalAlloc(LMEM_ZEROINIT, 2 * static_cast<size_t>(length) + 8));
  if (text == nullptr) return false;
  GetWindowTextW(text, length + 1);
  if (!OpenClipboard()) {
    ::LocalFree(text);
    return false;
  }
  ::EmptyClipboard();
  const bool accepted = ::SetClipboardData(CF_UNICODETEXT, text) != nullptr;
  if (!accepted) ::LocalFree(text);
  ::CloseClipboard();
  return accepted;
}

HWND CeBaseWnd::GetTopLevelWindow(HWND hwnd) {
  for (HWND parent = ::GetParent(hwnd); parent != nullptr; parent = ::GetParent(hwnd)) hwnd = parent;
  return hwnd;
}

int CeBaseWnd::IsParentDialog() const {
  WCHAR name[8] = {};
  ::GetClassNameW(GetParent(), name, 8);
  return wcscmp(name, u"Dialog") == 0;  // the runtime's dialog class
}

BOOL CeBaseWnd::SetForegroundWindow() {
  return ::SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(m_hWnd) | 1));
}

HWND CeBaseWnd::SetCapture() {
  if (::GetCapture() == m_hWnd) return nullptr;
  return ::SetCapture(m_hWnd);
}

int CeBaseWnd::DestroyWindow() {
  if (!::DestroyWindow(m_hWnd)) return 0;
  m_hWnd = nullptr;
  return 1;
}

BOOL CeBaseWnd::ClientToScreen(LPRECT rc) const {
  auto* corners = reinterpret_cast<LPPOINT>(rc);
  return ::ClientToScreen(m_hWnd, &corners[0]) && ::ClientToScreen(m_hWnd, &corners[1]);
}

BOOL CeBaseWnd::ScreenToClient(LPRECT rc) const {
  auto* corners = reinterpret_cast<LPPOINT>(rc);
  return ::ScreenToClient(m_hWnd, &corners[0]) && ::ScreenToClient(m_hWnd, &corners[1]);
}

DWORD CeBaseWnd::GetWindowProcessID() const {
  DWORD process = 0;
  ::GetWindowThreadProcessId(m_hWnd, &process);
  return process;
}
