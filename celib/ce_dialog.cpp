#include "ce_dialog.h"

#include <algorithm>
#include <vector>

#include "wince/resource.h"
#include "wince/text.h"

CeSet<HWND, HWND> CeBaseDialog::m_setModeless(10);

namespace {

// Messages whose handler result is the message result itself; for the
// others it goes to DWL_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
  return msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON || msg == WM_COMPAREITEM ||
         msg == WM_INITDIALOG || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

}  // namespace

CeBaseDialog::CeBaseDialog(LPCWSTR templateName) : m_lpszTemplate(templateName) { m_sai.cbSize = sizeof m_sai; }

CeBaseDialog::CeBaseDialog(UINT templateId) : CeBaseDialog(MAKEINTRESOURCE(templateId)) {}

CeBaseDialog::~CeBaseDialog() {
  if (m_hWnd == nullptr) return;
  const HWND hwnd = m_hWnd;
  if (::GetWindowLongW(hwnd, DWL_USER) == reinterpret_cast<LONG_PTR>(this)) Unbind(hwnd);
  m_setModeless.RemoveKey(hwnd);
  if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

void CeBaseDialog::Unbind(HWND hwnd) {
  if (m_pfnSuperProc != nullptr) ::SetWindowLongW(hwnd, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(m_pfnSuperProc));
  ::SetWindowLongW(hwnd, DWL_USER, 0);
  m_setModeless.RemoveKey(hwnd);
  m_hWnd = nullptr;
}

INT_PTR CALLBACK CeBaseDialog::DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* dlg = reinterpret_cast<CeBaseDialog*>(::GetWindowLongW(hwnd, DWL_USER));
  try {
    if (dlg == nullptr) {
      if (msg != WM_INITDIALOG || lParam == 0) return FALSE;
      dlg = reinterpret_cast<CeBaseDialog*>(lParam);
      ::SetWindowLongW(hwnd, DWL_USER, lParam);
      dlg->OnFirstMessage(hwnd);
      dlg->m_hWnd = hwnd;
    }
    dlg->m_hWndCur = hwnd;
    dlg->m_uMsg = msg;
    dlg->m_wParam = wParam;
    dlg->m_lParam = lParam;
    bool handled = false;
    const LRESULT result = dlg->ProcessMessage(msg, wParam, lParam, handled);
    if (handled && ReturnsDirectly(msg)) return result;
    if (handled) ::SetWindowLongW(hwnd, DWL_MSGRESULT, result);
    if (msg == WM_DESTROY) {
      dlg->Unbind(hwnd);
      dlg->OnFinalMessage(hwnd);
    }
    return handled ? TRUE : FALSE;
  } catch (...) {
    return CeReportCrash(dlg != nullptr ? hwnd : nullptr);
  }
}

LRESULT CeBaseDialog::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  switch (msg) {
    case WM_ACTIVATE:
      if (m_hWnd == nullptr) return 0;
      handled = true;
      SHHandleWMActivate(m_hWnd, wParam, lParam, &m_sai, 0);
      return 0;
    case WM_INITDIALOG: {
      handled = true;
      m_bInInitDialog = true;
      const BOOL result = OnInitDialog();
      m_bInInitDialog = false;
      return result;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: handled = true; OnOK(); return 0;
        case IDCANCEL: handled = true; OnCancel(); return 0;
        case 0xFFFF:
          if (HIWORD(wParam) != 0) break;
          handled = true;
          // A tap on a static without an id moves the focus on, when there
          // is a control to move to.
          if (HWND next = ::GetWindow(reinterpret_cast<HWND>(lParam), GW_HWNDNEXT)) {
            ::PostMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), 1);
          }
          return 0;
        default: break;
      }
      if (m_bInInitDialog) return 0;
      break;
    case WM_NOTIFY:
      if (m_bInInitDialog) return 0;
      break;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(
          OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), handled));
    default: break;
  }
  return CeMsgWnd::ProcessMessage(msg, wParam, lParam, handled);
}

LRESULT CeBaseDialog::Default() {
  return m_pfnSuperProc != nullptr ? ::CallWindowProcW(m_pfnSuperProc, m_hWndCur, m_uMsg, m_wParam, m_lParam) : 0;
}

void CeBaseDialog::OnSettingChange(WORD flag, LPCWSTR section, bool& handled) {
  if (m_hWnd == nullptr || !(m_dwSHInitFlags & SHIDIF_SIZEDLGFULLSCREEN)) return;
  handled = true;
  SHHandleWMSettingChange(m_hWnd, flag, reinterpret_cast<LPARAM>(section), &m_sai);
}

void CeBaseDialog::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeMsgWnd::OnSize(type, cx, cy, handled);
  m_childMgr.OnSize(type, cx, cy);
}

BOOL CeBaseDialog::OnInitDialog() {
  if (m_dwSHInitFlags != 0) {
    SHINITDLGINFO info{SHIDIM_FLAGS, m_hWnd, m_dwSHInitFlags};
    SHInitDialog(&info);
  } else if (m_bModal) {
    CenterWindow(nullptr);
  }
  return TRUE;
}

void CeBaseDialog::OnOK() {
  if (m_bModal) EndDialog(IDOK);
}

void CeBaseDialog::OnCancel() {
  if (m_bModal) EndDialog(IDCANCEL);
}

HBRUSH CeBaseDialog::OnCtlColorStatic(HDC, HWND, bool&) { return nullptr; }

int CeBaseDialog::EndDialog(int result) { return ::EndDialog(m_hWnd, result); }

HWND CeBaseDialog::ModalOwner(HWND parent) {
  if (parent == nullptr) return GetTopLevelWindow(::GetActiveWindow());
  WCHAR name[49] = {};
  ::GetClassNameW(parent, name, 49);
  if (wcscmp(name, u"Dialog") == 0) return parent;
  return (::GetWindowLongW(parent, GWL_STYLE) & WS_CHILD) ? GetTopLevelWindow(parent) : parent;
}

int CeBaseDialog::DoModal(LPCWSTR templateName, HWND parent, HINSTANCE instance) {
  const HWND focus = ::GetFocus();
  m_bModal = 1;
  if (templateName == nullptr) templateName = m_lpszTemplate;
  if (instance == nullptr) instance = ::GetModuleHandleW(nullptr);
  if (templateName == nullptr) return -1;  // nothing to show
  const HWND owner = ModalOwner(parent);
  HRSRC res = ::FindResourceW(instance, templateName, RT_DIALOG);
  if (res == nullptr) return -1;
  const auto* data = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(instance, res)));
  try {
    return static_cast<int>(::DialogBoxIndirectParamW(instance, data, owner, DlgProc, reinterpret_cast<LPARAM>(this)));
  } catch (...) {
    m_hWnd = nullptr;
    ::SetFocus(focus);
    throw;
  }
}

int CeBaseDialog::DoModal(UINT templateId, HWND parent, HINSTANCE instance) {
  return DoModal(MAKEINTRESOURCE(templateId), parent, instance);
}

int CeBaseDialog::Create(LPCWSTR templateName, HWND parent, HINSTANCE instance) {
  m_bModal = 0;
  if (templateName == nullptr) templateName = m_lpszTemplate;
  if (instance == nullptr) instance = ::GetModuleHandleW(nullptr);
  HRSRC res = templateName != nullptr ? ::FindResourceW(instance, templateName, RT_DIALOG) : nullptr;
  if (res == nullptr) return 0;
  const auto* data = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(instance, res)));
  const HWND hwnd = ::CreateDialogIndirectParamW(instance, data, parent, DlgProc, reinterpret_cast<LPARAM>(this));
  if (hwnd == nullptr) return 0;  // the set never holds a null window
  m_setModeless.SetAt(hwnd);
  return hwnd == m_hWnd;
}

int CeBaseDialog::Create(UINT templateId, HWND parent, HINSTANCE instance) {
  return Create(MAKEINTRESOURCE(templateId), parent, instance);
}

// The handles are copied first: a message may destroy a dialog (and so
// change the set) while the walk is on.
bool CeBaseDialog::IsDialogMsg(MSG* msg) {
  std::vector<HWND> windows;
  CePosition pos = m_setModeless.GetStartPosition();
  while (pos != nullptr) {
    HWND hwnd = nullptr;
    m_setModeless.GetNextAssoc(pos, hwnd);
    windows.push_back(hwnd);
  }
  for (HWND hwnd : windows) {
    if (::IsWindow(hwnd) && ::IsDialogMessageW(hwnd, msg)) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// CeDialog

CeDialog::CeDialog(LPCWSTR templateName) : CeBaseDialog(templateName) { SetupVars(); }

CeDialog::CeDialog(UINT templateId) : CeBaseDialog(templateId) { SetupVars(); }

void CeDialog::SetupVars() {
  m_nDefWidth = m_nDefHeight = 0;
  m_bInitialized = 0;
  m_nClientWidth = m_nClientHeight = 0;
  m_bVScroll = m_bHScroll = 0;
}

int CeDialog::SetScrollInfo(int bar, int minPos, int maxPos, UINT page) {
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, minPos, maxPos, page, 0, 0};
  return ::SetScrollInfo(m_hWnd, bar, &si, TRUE);
}

void CeDialog::SetDefaultWidthHeight() {
  SIPINFO sip{};
  sip.cbSize = sizeof sip;
  if (!SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0)) return;
  m_nDefWidth = sip.rcVisibleDesktop.right - sip.rcVisibleDesktop.left - 1;
  m_nDefHeight = sip.rcVisibleDesktop.bottom - sip.rcVisibleDesktop.top - 1;
}

BOOL CeDialog::OnInitDialog() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  m_nClientWidth = client.right - client.left;
  m_nClientHeight = client.bottom - client.top;
  m_bVScroll = m_bHScroll = 0;
  m_bInitialized = 1;
  if (m_dwSHInitFlags == 0) SetDefaultWidthHeight();
  if (m_nDefWidth != 0 || m_nDefHeight != 0) {
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    const int w = m_nDefWidth != 0 ? m_nDefWidth : r.right - r.left + GetSystemMetrics(SM_CXVSCROLL);
    const int h = m_nDefHeight != 0 ? m_nDefHeight : r.bottom - r.top + GetSystemMetrics(SM_CYHSCROLL);
    ::MoveWindow(m_hWnd, r.left, r.top, w, h, TRUE);
  }
  return CeBaseDialog::OnInitDialog();
}

void CeDialog::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeBaseDialog::OnSize(type, cx, cy, handled);
  if (!m_bInitialized || type != SIZE_RESTORED) return;
  handled = true;
  if (cy < m_nClientHeight) {
    m_bVScroll = 1;
    int pos = ::GetScrollPos(m_hWnd, SB_VERT);
    if (cy + pos > m_nClientHeight) {
      const int excess = cy + pos - m_nClientHeight;
      ::ScrollWindowEx(m_hWnd, 0, excess, nullptr, nullptr, nullptr, nullptr,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
      pos = m_nClientHeight - cy;
    }
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_nClientHeight - 1, static_cast<UINT>(cy), pos, 0};
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
  } else if (m_bVScroll) {
    const int pos = ::GetScrollPos(m_hWnd, SB_VERT);
    ::ScrollWindowEx(m_hWnd, 0, pos, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    m_bVScroll = 0;
  }
}

void CeDialog::OnOrientationChange(int, int, bool&) {
  SetScrollInfo(SB_VERT, 0, m_nClientHeight - 1, static_cast<UINT>(m_nClientHeight - 1));
}

LRESULT CeDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg != WM_HSCROLL && msg != WM_VSCROLL) return CeBaseDialog::OnMessage(msg, wParam, lParam, handled);
  handled = true;
  const int code = LOWORD(wParam);
  const int pos = static_cast<SHORT>(HIWORD(wParam));
  if (msg == WM_VSCROLL) {
    OnVScroll(code, pos, reinterpret_cast<HWND>(lParam));
  } else {
    OnHScroll(code, pos, reinterpret_cast<HWND>(lParam));
  }
  return 0;
}

void CeDialog::OnVScroll(int code, int pos, HWND) {
  if (m_bVScroll) Scroll(SB_VERT, code, pos);
}

void CeDialog::OnHScroll(int code, int pos, HWND) {
  if (m_bHScroll) Scroll(SB_HORZ, code, pos);
}

void CeDialog::Scroll(int bar, int code, int pos) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int page = client.bottom - client.top;
  HDC screen = ::GetDC(nullptr);
  const int line = (::GetDeviceCaps(screen, LOGPIXELSX) * 20 + 48) / 96;  // the same step on both bars
  ::ReleaseDC(nullptr, screen);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(m_hWnd, bar, &si);
  const int current = si.nPos;
  int next = current;
  switch (code) {
    case SB_LINEUP: next = current - line; break;
    case SB_LINEDOWN: next = current + line; break;
    case SB_PAGEUP: next = current - page; break;
    case SB_PAGEDOWN: next = current + page; break;
    case SB_THUMBTRACK: next = pos; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = si.nMax; break;
    default: break;
  }
  next = std::max(0, std::min(next, si.nMax - page + 1));
  if (next == current) return;
  const int delta = current - next;
  ::ScrollWindowEx(m_hWnd, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  ::SetScrollPos(m_hWnd, bar, next, TRUE);
}
