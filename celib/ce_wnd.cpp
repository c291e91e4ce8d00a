#include "ce_wnd.h"

#include "wince/gdi.h"
#include "wince/shell.h"
#include "wince/text.h"

namespace {

constexpr const WCHAR* kGenericClass = u"TheWnd:GENERIC";
constexpr int kClassNameMax = 64;
constexpr int kDevModeSize = 192;

// "TheWnd:<name>" into `out` (kClassNameMax characters).
void PrefixedName(LPCWSTR name, WCHAR* out) { _snwprintf(out, kClassNameMax, u"TheWnd:%s", name); }

POINT PenPoint(LPARAM lParam) { return POINT{LOWORD(lParam), HIWORD(lParam)}; }

}  // namespace

// ---------------------------------------------------------------------------
// CeMsgWnd

CeMsgWnd::CeMsgWnd() {
  DWORD orientation = 0;
  if (QueryOrientation(orientation)) m_nOrientation = orientation;
}

LONG CeMsgWnd::ChangeDisplaySettingsEx(LPCWSTR device, DEVMODEW* mode, HWND hwnd, DWORD flags, LPVOID param) {
  m_bNotSquare = GetSystemMetrics(SM_CXSCREEN) != GetSystemMetrics(SM_CYSCREEN);
  return ::ChangeDisplaySettingsEx(device, mode, hwnd, flags, param);
}

bool CeMsgWnd::QueryOrientation(DWORD& orientation) {
  DEVMODEW mode{};
  mode.dmSize = kDevModeSize;
  mode.dmFields = DM_DISPLAYORIENTATION;
  if (ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) != DISP_CHANGE_SUCCESSFUL) return false;
  orientation = mode.dmDisplayOrientation;
  return true;
}

LRESULT CeMsgWnd::Default() {
  if (m_pfnSuperProc != nullptr) return CallWindowProcW(m_pfnSuperProc, m_hWndCur, m_uMsg, m_wParam, m_lParam);
  return DefWindowProcW(m_hWndCur, m_uMsg, m_wParam, m_lParam);
}

LRESULT CeMsgWnd::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  const UINT low = LOWORD(lParam);
  const UINT high = HIWORD(lParam);
  switch (msg) {
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), low, high, handled); break;
    case WM_CLOSE: OnClose(handled); break;
    case WM_CREATE: OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam), handled); break;
    case WM_COMMAND: return OnCommand(static_cast<UINT>(wParam), lParam, handled);
    case WM_NOTIFY: return OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), handled);
    case WM_DESTROY: OnDestroy(handled); break;
    case WM_ENABLE: OnEnable(static_cast<BOOL>(wParam), handled); break;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wParam), handled);
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), low, high, handled); break;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), low, high, handled); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PenPoint(lParam), handled); break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PenPoint(lParam), handled); break;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), PenPoint(lParam), handled); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PenPoint(lParam), handled); break;
    case WM_MOVE: OnMove(static_cast<int>(low), static_cast<int>(high), handled); break;
    case WM_PAINT: OnPaint(handled); break;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam), handled); break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), static_cast<int>(low), static_cast<int>(high), handled); break;
    case WM_TIMER: OnTimer(static_cast<UINT>(wParam), handled); break;
    case WM_SETTINGCHANGE:
      OnSettingChange(LOWORD(wParam), reinterpret_cast<LPCWSTR>(lParam), handled);
      break;
    default: return OnMessage(msg, wParam, lParam, handled);
  }
  return 0;
}

void CeMsgWnd::OnChar(UINT, UINT, UINT, bool&) {}
void CeMsgWnd::OnClose(bool&) {}
int CeMsgWnd::OnCreate(CREATESTRUCTW*, bool&) { return 1; }
int CeMsgWnd::OnCommand(UINT, LPARAM, bool&) { return 1; }
LRESULT CeMsgWnd::OnNotify(int, NMHDR*, bool&) { return 0; }
void CeMsgWnd::OnDestroy(bool&) {}
void CeMsgWnd::OnEnable(BOOL, bool&) {}
int CeMsgWnd::OnEraseBkgnd(HDC, bool&) { return 0; }
void CeMsgWnd::OnKeyDown(UINT, UINT, UINT, bool&) {}
void CeMsgWnd::OnKeyUp(UINT, UINT, UINT, bool&) {}
void CeMsgWnd::OnLButtonDblClk(UINT, POINT, bool&) {}
void CeMsgWnd::OnLButtonDown(UINT, POINT, bool&) {}
void CeMsgWnd::OnLButtonUp(UINT, POINT, bool&) {}
void CeMsgWnd::OnMouseMove(UINT, POINT, bool&) {}
void CeMsgWnd::OnMove(int, int, bool&) {}
void CeMsgWnd::OnPaint(bool&) {}
void CeMsgWnd::OnShowWindow(BOOL, UINT, bool&) {}

void CeMsgWnd::OnSize(UINT, int cx, int cy, bool& handled) {
  DWORD orientation = 0;
  if (!QueryOrientation(orientation) || orientation == m_nOrientation) return;
  m_nOrientation = orientation;
  OnOrientationChange(cx, cy, handled);
}

void CeMsgWnd::OnTimer(UINT, bool&) {}
void CeMsgWnd::OnSettingChange(WORD, LPCWSTR, bool&) {}
void CeMsgWnd::OnOrientationChange(int, int, bool&) {}
LRESULT CeMsgWnd::OnMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }
void CeMsgWnd::OnFirstMessage(HWND) {}
void CeMsgWnd::OnFinalMessage(HWND) {}

// ---------------------------------------------------------------------------
// Crash handler

LRESULT CeReportCrash(HWND window) {
  constexpr int kBufferChars = 1024;
  constexpr int kTitleChars = 256;
  constexpr int kTimeChars = 25;
  WCHAR title[kTitleChars] = u"No Window";
  if (window != nullptr) GetWindowTextW(window, title, kTitleChars);
  WCHAR time[kTimeChars] = {};
  GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, nullptr, nullptr, time, kTimeChars);
  WCHAR message[kBufferChars];
  _snwprintf(message, kBufferChars, u"%s at %s had an internal crash. Now closing program.", title, time);
  message[kBufferChars - 1] = 0;
  MessageBoxW(nullptr, message, u"Software Error", MB_ICONERROR);
  PostQuitMessage(0);
  return 0;
}

// ---------------------------------------------------------------------------
// CeWnd: class machinery

CeWnd::~CeWnd() {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) return;
  if (::GetWindowLongW(m_hWnd, GWL_USERDATA) == reinterpret_cast<LONG_PTR>(this)) Unsubclass();
  ::DestroyWindow(m_hWnd);
  m_hWnd = nullptr;
}

bool CeWnd::RegisterClassW(LPCWSTR name, UINT style, int cbClsExtra, int cbWndExtra, HICON icon, HCURSOR,
                           HBRUSH background, LPCWSTR, HINSTANCE instance) {
  if (instance == nullptr) instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.style = style;
  wc.lpfnWndProc = StartWndProc;
  wc.cbClsExtra = cbClsExtra;
  wc.cbWndExtra = cbWndExtra;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hbrBackground = background != nullptr ? background : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = name;
  ::UnregisterClassW(name, instance);
  return ::RegisterClassW(&wc) != 0;
}

LPCWSTR CeWnd::CreateGenericWndClass(HINSTANCE instance) {
  WNDCLASSW wc{};
  if (!GetClassInfoW(instance, kGenericClass, &wc)) {
    RegisterClassW(kGenericClass, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, instance);
  }
  return kGenericClass;
}

bool CeWnd::IsLibraryProc(WNDPROC proc) { return proc == StartWndProc || proc == WndProc; }

int CeWnd::RegisterWndSuperclass(LPCWSTR name, WNDPROC& superProc, bool* registered, HINSTANCE instance) {
  *registered = false;
  superProc = nullptr;
  if (instance == nullptr) instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, name, &wc)) return 1;
  WCHAR prefixed[kClassNameMax];
  PrefixedName(name, prefixed);
  superProc = wc.lpfnWndProc;
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, prefixed, &existing) && IsLibraryProc(existing.lpfnWndProc)) {
    *registered = true;
    return 1;
  }
  wc.lpszClassName = prefixed;
  wc.lpfnWndProc = StartWndProc;
  wc.hInstance = instance;
  wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  *registered = true;
  ::UnregisterClassW(prefixed, instance);
  return static_cast<WORD>(::RegisterClassW(&wc));
}

int CeWnd::IsCeWndProc(LPCWSTR name, HINSTANCE instance) {
  WNDCLASSW wc{};
  return GetClassInfoW(instance, name, &wc) && IsLibraryProc(wc.lpfnWndProc);
}

int CeWnd::Create(LPCWSTR className, HWND parent, const RECT& rc, LPCWSTR windowName, DWORD style, DWORD exStyle,
                  UINT id, HINSTANCE instance) {
  return Create(className, parent, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, windowName, style,
                exStyle, reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), instance);
}

int CeWnd::Create(LPCWSTR className, HWND parent, const RECT* rc, LPCWSTR windowName, DWORD style, DWORD exStyle,
                  HMENU menu, HINSTANCE instance) {
  if (rc == nullptr) {
    return Create(className, parent, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, windowName, style,
                  exStyle, menu, instance);
  }
  return Create(className, parent, *rc, windowName, style, exStyle,
                static_cast<UINT>(reinterpret_cast<uintptr_t>(menu)), instance);
}

int CeWnd::Create(LPCWSTR className, HWND parent, int x, int y, int cx, int cy, LPCWSTR windowName, DWORD style,
                  DWORD exStyle, HMENU menu, HINSTANCE instance) {
  if (instance == nullptr) instance = GetModuleHandleW(nullptr);
  WCHAR prefixed[kClassNameMax];
  LPCWSTR cls = nullptr;
  if (className == nullptr || className[0] == 0) {
    cls = CreateGenericWndClass(instance);
  } else if (IsCeWndProc(className, instance)) {
    cls = className;
  } else {
    bool registered = false;
    RegisterWndSuperclass(className, m_pfnSuperProc, &registered, instance);
    if (registered) {
      PrefixedName(className, prefixed);
      cls = prefixed;
    } else {
      cls = className;
    }
  }
  const HWND hwnd = CreateWindowExW(exStyle, cls, windowName, style, x, y, cx, cy, parent, menu, instance,
                                    static_cast<CeWnd*>(this));
  return hwnd != nullptr && hwnd == m_hWnd;
}

int CeWnd::Subclass(HWND hwnd) {
  if (m_hWnd != nullptr || !::IsWindow(hwnd)) return 0;
  m_pfnSuperProc = reinterpret_cast<WNDPROC>(::GetWindowLongW(hwnd, GWL_WNDPROC));
  ::SetWindowLongW(hwnd, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
  Attach(hwnd);
  return 1;
}

int CeWnd::Subclass(UINT id, HWND dialog) { return Subclass(::GetDlgItem(dialog, static_cast<int>(id))); }

HWND CeWnd::Unsubclass() {
  ::SetWindowLongW(m_hWnd, GWL_USERDATA, 0);
  const WNDPROC own = m_pfnSuperProc != nullptr ? m_pfnSuperProc : DefWindowProcW;
  ::SetWindowLongW(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(own));
  return Detach();
}

void CeWnd::SendMessageToDescendants(UINT, WPARAM, LPARAM, BOOL, BOOL) {}

// ---------------------------------------------------------------------------
// CeWnd: the class procedures

LRESULT CALLBACK CeWnd::StartWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (::GetWindowLongW(hwnd, GWL_USERDATA) != 0 || msg != WM_CREATE) return DefWindowProcW(hwnd, msg, wParam, lParam);
  auto* wnd = static_cast<CeWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
  if (wnd == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  ::SetWindowLongW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
  ::SetWindowLongW(hwnd, GWL_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
  wnd->OnFirstMessage(hwnd);
  wnd->m_hWnd = hwnd;
  return CallWindowProcW(WndProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CeWnd::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* wnd = reinterpret_cast<CeWnd*>(::GetWindowLongW(hwnd, GWL_USERDATA));
  try {
    if (wnd == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return Dispatch(wnd, hwnd, msg, wParam, lParam);
  } catch (...) {
    return CeReportCrash(wnd != nullptr ? hwnd : nullptr);
  }
}

LRESULT CeWnd::Dispatch(CeWnd* wnd, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto store = [&] {
    wnd->m_hWndCur = hwnd;
    wnd->m_uMsg = msg;
    wnd->m_wParam = wParam;
    wnd->m_lParam = lParam;
  };
  store();
  bool handled = false;
  LRESULT result = wnd->ProcessMessage(msg, wParam, lParam, handled);
  if (!handled) {
    store();
    result = wnd->Default();
  }
  if (msg == WM_DESTROY) {
    const WNDPROC own = wnd->m_pfnSuperProc != nullptr ? wnd->m_pfnSuperProc : DefWindowProcW;
    ::SetWindowLongW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    ::SetWindowLongW(hwnd, GWL_USERDATA, 0);
    wnd->m_hWnd = nullptr;
    wnd->OnFinalMessage(hwnd);
  }
  return result;
}
