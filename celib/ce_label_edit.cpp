#include "ce_label_edit.h"

namespace {

// Combo boxes tell their edit-and-list parts apart by this message.
constexpr UINT kComboCleanStyle = 0x165;

int BorderWidth() { return ::GetSystemMetrics(SM_CXBORDER); }

}  // namespace

LRESULT CeComboEdit::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg != WM_GETDLGCODE || !::IsWindowVisible(m_hWnd)) return 0;
  const LRESULT code = ::SendMessageW(m_hWndParent, msg, wParam, lParam);
  handled = code != 0;
  return code;
}

CeLabelEdit::CeLabelEdit(tagTYPE type) : m_type(type) {}

// The window owns an applied region; the companion goes with the last copy.
CeLabelEdit::~CeLabelEdit() {
  m_hRgn = nullptr;
  if (m_pComboEdit != nullptr && m_pComboEdit.use_count() == 1 && m_pComboEdit->m_hWnd != nullptr) {
    m_pComboEdit->Unsubclass();
  }
}

int CeLabelEdit::Subsume(HWND control, HINSTANCE, bool keepFrame, bool clipBottom) {
  if (control == nullptr) return 0;
  m_bKeepFrame = keepFrame;
  m_bClipBottom = clipBottom;
  m_hWndCtrl = control;
  m_hWndParent = ::GetParent(control);
  OnCleanStyle(true);
  const int result = Subclass(control);
  OnControlCreate(control);
  return result;
}

bool CeLabelEdit::SetReadOnly(bool readOnly) {
  m_bReadOnly = readOnly;
  ::SendMessageW(m_hWndCtrl, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  return readOnly;
}

void CeLabelEdit::SetParentForMessages(HWND parent) {
  m_hWndParent = parent;
  if (m_pComboEdit != nullptr) m_pComboEdit->m_hWndParent = parent;
}

int CeLabelEdit::Notify(WORD code) const {
  const auto id = static_cast<WORD>(::GetDlgCtrlID(m_hWndCtrl));
  return ::SendMessageW(m_hWndParent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(m_hWndCtrl)) != 0;
}

void CeLabelEdit::ApplyRegion(int left, int top, int right, int bottom) {
  m_hRgn = ::CreateRectRgn(left, top, right, bottom);
  if (!::SetWindowRgn(m_hWndCtrl, m_hRgn, TRUE)) {
    ::DeleteObject(m_hRgn);
    m_hRgn = nullptr;
  }
}

// Margins on `marginWindow` (when there is one) and the region: the whole
// window with the frame, the inside of the border without it.
void CeLabelEdit::ShowFrame(HWND marginWindow, bool clean, int w, int h) {
  const int b = BorderWidth();
  if (marginWindow != nullptr) {
    ::SendMessageW(marginWindow, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, clean ? MAKELONG(b, b) : 0);
  }
  if (clean) {
    ApplyRegion(b, b, w - b, h - (m_bClipBottom ? 2 * b : 0));
  } else {
    ApplyRegion(0, 0, w, h);
  }
}

void CeLabelEdit::OnCleanStyle(bool clean) {
  if (m_hWndCtrl == nullptr || m_bKeepFrame || m_type < kEdit || m_type > kComboList) return;
  RECT r;
  ::GetWindowRect(m_hWndCtrl, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int b = BorderWidth();
  if (IsComboType()) {
    const HWND edit = ::GetWindow(m_hWndCtrl, GW_CHILD);
    if (!m_bHandleDlgCode && m_pComboEdit == nullptr && edit != nullptr) {
      m_pComboEdit = std::make_shared<CeComboEdit>();
      m_pComboEdit->Subclass(edit);
      m_pComboEdit->m_hWndParent = m_hWndParent;
    }
    ShowFrame(edit, clean, w, h);
  } else if (m_type == kArrowRegion || m_type == kRegion || m_type == kRegionAlt || m_type == kRegionPlain) {
    ApplyRegion(clean ? b : 0, clean ? b : 0, clean ? w - b : w, h);
  } else {
    ::SetWindowLongW(m_hWndCtrl, GWL_STYLE, ::GetWindowLongW(m_hWndCtrl, GWL_STYLE) | WS_BORDER);
    ::SetWindowPos(m_hWndCtrl, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    ShowFrame(m_hWndCtrl, clean, w, h);
  }
}

void CeLabelEdit::OnSize(UINT type, int cx, int cy, bool& handled) {
  if (m_hRgn == nullptr) {
    CeWnd::OnSize(type, cx, cy, handled);
    return;
  }
  ::SetWindowRgn(m_hWndCtrl, nullptr, FALSE);
  m_hRgn = nullptr;
  CeWnd::OnSize(type, cx, cy, handled);
  // The region is in window coordinates: the window's size, not the client's
  // (which a border makes smaller), or the control's right side is cut off.
  RECT r;
  ::GetWindowRect(m_hWndCtrl, &r);
  const int b = BorderWidth();
  ApplyRegion(b, b, r.right - r.left - b, r.bottom - r.top - (m_bClipBottom ? 2 * b : 0));
}

LRESULT CeLabelEdit::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_SETFOCUS:
      OnCleanStyle(false);
      handled = OnControlFocus() != 0;
      return 0;
    case WM_KILLFOCUS:
      OnCleanStyle(true);
      handled = OnControlLostFocus() != 0;
      return 0;
    case WM_GETDLGCODE: {
      if (!::IsWindowVisible(m_hWndCtrl) || m_bHandleDlgCode) return 0;
      const LRESULT code = ::SendMessageW(m_hWndParent, msg, wParam, lParam);
      handled = code != 0;
      return code;
    }
    case kComboCleanStyle:
      if (IsComboType()) OnCleanStyle(true);
      return 0;
    default: return 0;
  }
}

void CeLabelEdit::OnLButtonDown(UINT keys, POINT pt, bool& handled) {
  bool arrow = false;
  if (TestsArrow()) {
    RECT client;
    ::GetClientRect(m_hWndCtrl, &client);
    arrow = pt.x >= client.right - ::GetSystemMetrics(SM_CYHSCROLL) && pt.x < client.right;
  }
  m_bArrowHit = arrow;
  const int answer = arrow ? OnControlArrowClicked() : OnControlClicked();
  CeWnd::OnLButtonDown(keys, pt, handled);
  if (answer != 0) handled = true;
}

int CeLabelEdit::OnCommand(UINT wParam, LPARAM lParam, bool& handled) {
  if (lParam != 0 && IsComboType()) {
    const WORD code = HIWORD(wParam);
    if (code == EN_SETFOCUS && ::GetFocus() == ::GetWindow(m_hWndCtrl, GW_CHILD)) {
      OnCleanStyle(false);
      m_bHasFocus = true;
      const DWORD pos = ::GetMessagePos();
      const POINT pt{static_cast<LONG>(LOWORD(pos)), static_cast<LONG>(HIWORD(pos))};
      RECT r;
      ::GetWindowRect(m_hWndCtrl, &r);
      int answer = 0;
      if (!::PtInRect(&r, pt)) {
        answer = OnControlFocus();
      } else if (m_bArrowHit) {
        m_bArrowHit = false;  // the arrow tap was told already
      } else {
        answer = OnControlClicked();
      }
      if (answer != 0) handled = true;
    } else if (code == EN_KILLFOCUS) {
      m_bHasFocus = false;
      if (OnControlLostFocus() != 0) handled = true;
    }
  }
  return CeWnd::OnCommand(wParam, lParam, handled);
}
