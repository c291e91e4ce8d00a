#include "sol_dialog_base.h"

#include <algorithm>
#include <string>

#include "ce_hidpi.h"
#include "sol_main_wnd.h"
#include "wince/controls.h"

namespace {

constexpr UINT kHeaderTemplate = 602;
constexpr UINT kPagedTemplate = 604;
constexpr int kTitleControl = 6000;
constexpr int kTabControl = 6005;
constexpr UINT kHeaderFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
constexpr int kImageStrip = 500;
constexpr WPARAM kTabVersion = 526;

// The gap kept between a focused control and the edge it scrolls to.
int ScrollMargin() { return (g_HIDPI_LogPixelsY + 6) * 8 / 96; }

void ScrollChildren(HWND window, int dy) {
  if (dy != 0)
    ::ScrollWindowEx(window, 0, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

// Moves the vertical position to `next` (the bar clamps it) and the children with it.
void ScrollTo(HWND window, int next) {
  const int before = ::GetScrollPos(window, SB_VERT);
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, next, 0};
  ::SetScrollInfo(window, SB_VERT, &si, TRUE);
  ScrollChildren(window, before - ::GetScrollPos(window, SB_VERT));
}

// One step of the vertical bar: lines of 5 logical units, pages to the ends.
void VScroll(HWND window, int code, int thumb) {
  const int p = ::GetScrollPos(window, SB_VERT);
  switch (code) {
    case SB_LINEUP:
      ScrollTo(window, p - HIDPI_ScaleY(5));
      break;
    case SB_LINEDOWN:
      ScrollTo(window, p + HIDPI_ScaleY(5));
      break;
    case SB_PAGEDOWN:
    case SB_BOTTOM:
      ScrollTo(window, ::GetSystemMetrics(SM_CYSCREEN));
      break;
    case SB_PAGEUP:
    case SB_TOP:
      if (p > 0) ScrollTo(window, 0);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ScrollTo(window, thumb);
      break;
    default:
      break;
  }
}

// The largest bottom edge of the visible children, in client coordinates.
int ContentBottom(HWND window) {
  int bottom = 0;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    bottom = std::max(bottom, static_cast<int>(r.bottom));
  }
  return bottom;
}

// After a resize: back to the top, then a scroll range when the visible
// children reach below the window, keeping the focused child in view.
void ResetScrollRange(HWND window, bool scrollable, int cy) {
  ScrollChildren(window, ::GetScrollPos(window, SB_VERT));
  SCROLLINFO none{sizeof none, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  if (!scrollable) return;
  const int bottom = ContentBottom(window);
  if (cy >= bottom) {
    ::SetScrollInfo(window, SB_VERT, &none, TRUE);
    return;
  }
  const int m = ScrollMargin();
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, bottom + m, static_cast<UINT>(cy + HIDPI_ScaleY(1)), 0,
                0};
  ::SetScrollInfo(window, SB_VERT, &si, TRUE);
  HWND focus = ::GetFocus();
  if (!::IsWindowVisible(window) || !focus || ::GetParent(focus) != window) return;
  RECT r;
  ::GetWindowRect(focus, &r);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  if (r.top < 0) {
    ScrollTo(window, ::GetScrollPos(window, SB_VERT) + r.top - m);
  } else if (r.bottom > cy) {
    ScrollTo(window, ::GetScrollPos(window, SB_VERT) + r.bottom - cy + m);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// SolDialogHeader

SolDialogHeader::SolDialogHeader(SolDialog& owner, UINT titleId, UINT iconId, UINT menuId, UINT menuBarId)
    : CeDialog(kHeaderTemplate),
      m_hasTitle(titleId != 0),
      m_iconId(iconId),
      m_menuId(menuId),
      m_menuBarId(menuBarId),
      m_owner(owner) {
  if (m_hasTitle) m_title.LoadString(GetModuleHandle(nullptr), titleId);
  SetSHInitFlags(kHeaderFlags);
}

SolDialogHeader::~SolDialogHeader() {
  m_menuBar.reset();
  if (m_font) DeleteObject(m_font);
}

int SolDialogHeader::TitleHeight() const { return m_hasTitle ? HIDPI_ScaleY(25) : 0; }

BOOL SolDialogHeader::OnInitDialog() {
  LOGFONTW font{};
  font.lfHeight = -HIDPI_ScaleY(11);
  font.lfWeight = FW_BOLD;
  std::char_traits<WCHAR>::copy(font.lfFaceName, u"Tahoma", 7);
  m_font = CreateFontIndirect(&font);
  HWND title = ::GetDlgItem(m_hWnd, kTitleControl);
  if (m_hasTitle) {
    SendMessage(title, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), 0);
    ::SetWindowText(title, m_title.GetString());
  } else {
    ::ShowWindow(title, SW_HIDE);
  }
  const HINSTANCE instance = GetModuleHandle(nullptr);
  m_menuBar = std::make_unique<CMenuBar>(m_hWnd, instance, m_menuId, m_menuBarId, m_menuBarId != 0,
                                         kImageStrip + (g_bIsVGA ? 1 : 0), 4, 0);
  m_owner.TakeHeaderParts(m_font, m_menuBar.get());
  m_owner.Create(m_owner.TemplateId(), m_hWnd, instance);
  CeDialog::OnInitDialog();
  PlaceContent();
  return TRUE;
}

void SolDialogHeader::PlaceContent() {
  if (!m_owner.m_hWnd) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int t = TitleHeight();
  ::MoveWindow(m_owner.m_hWnd, 0, t, client.right, std::max(0, static_cast<int>(client.bottom) - t), TRUE);
}

void SolDialogHeader::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeBaseDialog::OnSize(type, cx, cy, handled);
  handled = true;
  PlaceContent();
}

void SolDialogHeader::OnPaint(bool& handled) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (m_hasTitle) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT line{0, HIDPI_ScaleY(24), client.right, HIDPI_ScaleY(25)};
    FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ::EndPaint(m_hWnd, &ps);
  handled = true;
}

HBRUSH SolDialogHeader::OnCtlColorStatic(HDC dc, HWND control, bool& handled) {
  if (::GetDlgCtrlID(control) == kTitleControl) SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  handled = true;
  return GetSysColorBrush(COLOR_STATIC);
}

void SolDialogHeader::OnActivate() {
  SIPINFO sip{};
  sip.cbSize = sizeof sip;
  if (!SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0)) return;
  RECT r = sip.rcVisibleDesktop;
  if (r.bottom == ::GetSystemMetrics(SM_CYSCREEN)) r.bottom -= HIDPI_ScaleY(26);
  ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

LRESULT SolDialogHeader::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_HELP) {
    handled = true;
    m_owner.OnHelp();
    return 0;
  }
  const LRESULT result = CeDialog::ProcessMessage(msg, wParam, lParam, handled);
  if (msg == WM_ACTIVATE && m_hWnd) OnActivate();
  return result;
}

int SolDialogHeader::OnCommand(UINT wParam, LPARAM lParam, bool& handled) {
  const UINT id = LOWORD(wParam);
  if (id == kSolCmdDialogHelp) {
    m_owner.OnHelp();
  } else if (id == kSolCmdHeaderCommand) {
    m_owner.OnHeaderCommand(id);
  } else if (m_owner.m_hWnd) {
    bool taken = false;
    m_owner.OnCommand(wParam, lParam, taken);
    if (!taken) CeMsgWnd::OnCommand(wParam, lParam, taken);
  }
  handled = false;
  return CeMsgWnd::OnCommand(wParam, lParam, handled);
}

void SolDialogHeader::OnOK() {
  bool proceed = true;
  m_owner.OnHeaderOK(proceed);
  if (proceed) CeBaseDialog::OnOK();
}

void SolDialogHeader::OnCancel() {
  bool proceed = true;
  m_owner.OnHeaderCancel(proceed);
  if (proceed) CeBaseDialog::OnCancel();
}

// ---------------------------------------------------------------------------
// SolDialog

SolDialog::SolDialog(UINT templateId, UINT titleId, UINT iconId, UINT menuId, UINT menuBarId)
    : CeDialog(templateId),
      m_header(std::make_unique<SolDialogHeader>(*this, titleId, iconId, menuId, menuBarId)),
      m_templateId(templateId) {}

SolDialog::~SolDialog() {
  // The content window goes before the header that is its parent.
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  m_header.reset();
}

CeString SolDialog::Text(UINT id) const {
  CeString text;
  text.LoadString(GetModuleHandle(nullptr), id);
  return text;
}

void SolDialog::TakeHeaderParts(HFONT font, CMenuBar* menuBar) {
  m_font = font;
  m_menuBar = menuBar;
}

int SolDialog::DoModal(HWND owner) {
  CeString before;
  if (g_pMainWnd) {
    before = g_pMainWnd->OpenDialog();
    g_pMainWnd->SetOpenDialog(m_header->Title().GetString());
  }
  const int result = m_header->DoModal(kHeaderTemplate, g_pMainWnd ? g_pMainWnd->m_hWnd : owner);
  if (g_pMainWnd) g_pMainWnd->SetOpenDialog(before.GetString());
  ::SHSipPreference(owner, SIP_FORCEDOWN);
  if (owner && ::IsWindow(owner)) {
    ::SetActiveWindow(owner);
    ::SetForegroundWindow(owner);
    ::PostMessage(owner, kSolMsgDialogClosed, 0, 0);
  }
  return result;
}

void SolDialog::CloseDialog(int result) {
  if (m_header->m_hWnd) ::EndDialog(m_header->m_hWnd, result);
}

int SolDialog::OnCommand(UINT wParam, LPARAM, bool& handled) {
  const UINT id = LOWORD(wParam);
  if (id == kSolCmdDialogHelp) {
    handled = true;
    OnHelp();
    return 1;
  }
  if (HIWORD(wParam) == 0 && Command(id)) handled = true;
  return 0;
}

void SolDialog::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeBaseDialog::OnSize(type, cx, cy, handled);
  handled = true;
  ResetScrollRange(m_hWnd, IsScrollable(), cy);
}

LRESULT SolDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_VSCROLL) {
    handled = true;
    VScroll(m_hWnd, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
    return 0;
  }
  if (msg == kSolMsgDialogClosed && m_menuBar) m_menuBar->ShowMenuBar(TRUE);
  return CeBaseDialog::OnMessage(msg, wParam, lParam, handled);
}

// ---------------------------------------------------------------------------
// SolTabPage

SolTabPage::SolTabPage(SolPagedDialog& owner, UINT templateId) : CeDialog(templateId), m_owner(owner) {
  Create(templateId, owner.m_hWnd);
  if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
}

void SolTabPage::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeBaseDialog::OnSize(type, cx, cy, handled);
  handled = true;
  ResetScrollRange(m_hWnd, IsScrollable(), cy);
}

LRESULT SolTabPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg != WM_VSCROLL) return CeBaseDialog::OnMessage(msg, wParam, lParam, handled);
  handled = true;
  VScroll(m_hWnd, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
  return 0;
}

// ---------------------------------------------------------------------------
// SolPagedDialog

SolPagedDialog::SolPagedDialog(UINT titleId, UINT iconId, UINT menuId, UINT menuBarId)
    : SolDialog(kPagedTemplate, titleId, iconId, menuId, menuBarId) {}

int SolPagedDialog::AddPage(std::unique_ptr<SolTabPage> page) {
  m_pages.push_back(std::move(page));
  return PageCount() - 1;
}

void SolPagedDialog::OnHeaderOK(bool& proceed) {
  proceed = ValidatePages(true);
  if (proceed) ApplyPages();
}

void SolPagedDialog::OnHeaderCancel(bool&) { CancelPages(); }

void SolPagedDialog::OnHelp() {
  if (m_current >= 0) Page(m_current)->OnHelp();
}

bool SolPagedDialog::ValidatePages(bool apply) {
  return std::all_of(m_pages.begin(), m_pages.end(), [&](const auto& page) { return page->Validate(apply); });
}

void SolPagedDialog::SelectPage(SolTabPage* page) {
  for (int i = 0; i < PageCount(); ++i) {
    if (page && Page(i) == page) ShowPage(i);
  }
}

void SolPagedDialog::ShowPage(int index) {
  if (index < 0 || index >= PageCount() || index == m_current) return;
  SolTabPage* old = m_current >= 0 ? Page(m_current) : nullptr;
  if (old) old->OnLeave();
  SolTabPage* page = Page(index);
  page->OnEnter();
  ::ShowWindow(page->m_hWnd, SW_SHOW);
  ::SetWindowPos(page->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (old) ::ShowWindow(old->m_hWnd, SW_HIDE);
  m_current = index;
}

void SolPagedDialog::PlacePages(int cx, int cy) {
  for (const auto& page : m_pages) ::MoveWindow(page->m_hWnd, 0, 0, cx, cy, TRUE);
}

void SolPagedDialog::OnSize(UINT type, int cx, int cy, bool& handled) {
  PlacePages(cx, cy);
  SolDialog::OnSize(type, cx, cy, handled);
}

// ---------------------------------------------------------------------------
// SolTabbedDialog

SolTabbedDialog::~SolTabbedDialog() {
  if (m_tab && ::IsWindow(m_tab)) {
    ::SendMessage(m_tab, TCM_DELETEALLITEMS, 0, 0);
    ::DestroyWindow(m_tab);
  }
}

int SolTabbedDialog::StripHeight() { return HIDPI_ScaleY(20) - (::GetSystemMetrics(SM_CXSMICON) == 32 ? 1 : 0); }

void SolTabbedDialog::PlaceStrip(int cx, int cy) {
  const int h = StripHeight();
  ::MoveWindow(m_tab, -HIDPI_ScaleX(2), cy - h, cx + HIDPI_ScaleX(2), h, TRUE);
}

BOOL SolTabbedDialog::OnInitDialog() {
  m_tab = ::GetDlgItem(m_hWnd, kTabControl);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  PlaceStrip(::GetSystemMetrics(SM_CXSCREEN), client.bottom);
  ::SendMessage(m_tab, CCM_SETVERSION, kTabVersion, 0);
  CreatePages();
  InitPages();
  ShowPage(0);
  return FALSE;
}

int SolTabbedDialog::AddTab(UINT titleId, std::unique_ptr<SolTabPage> page) {
  CeString text = Text(titleId);
  TCITEM item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(text.GetString());
  const LRESULT count = ::SendMessage(m_tab, TCM_GETITEMCOUNT, 0, 0);
  ::SendMessage(m_tab, TCM_INSERTITEM, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
  return AddPage(std::move(page));
}

void SolTabbedDialog::ShowPage(int index) {
  SolPagedDialog::ShowPage(index);
  if (CurrentPage() != index) return;
  ::SendMessage(m_tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SetWindowPos(m_tab, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT SolTabbedDialog::OnNotify(int, NMHDR* header, bool& handled) {
  if (header->hwndFrom != m_tab || header->code != TCN_SELCHANGE) return 0;
  handled = true;
  ShowPage(static_cast<int>(::SendMessage(m_tab, TCM_GETCURSEL, 0, 0)));
  return 0;
}

void SolTabbedDialog::OnSize(UINT type, int cx, int cy, bool& handled) {
  const int h = StripHeight();
  if (m_tab) PlaceStrip(cx, cy);
  PlacePages(cx, cy - h);
  SolDialog::OnSize(type, cx, cy, handled);
}
