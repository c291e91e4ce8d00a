#include "ce_prop_sheet.h"

#include <cstring>

#include "ce_string.h"
#include "wince/system.h"

namespace {

// The sheet whose PropertySheet call runs on this thread; its callback reads it.
thread_local CePropertySheet* t_currentSheet = nullptr;

// Holds the sheet in the slot while PropertySheet runs, also when it throws.
class CurrentSheet {
 public:
  explicit CurrentSheet(CePropertySheet* sheet) { t_currentSheet = sheet; }
  ~CurrentSheet() { t_currentSheet = nullptr; }
  CurrentSheet(const CurrentSheet&) = delete;
  CurrentSheet& operator=(const CurrentSheet&) = delete;
};

}  // namespace

// ---------------------------------------------------------------------------
// CePropertySheet

CePropertySheet::CePropertySheet() : CeDialog(static_cast<LPCWSTR>(nullptr)) { Init(); }

CePropertySheet::~CePropertySheet() { NullData(); }

void CePropertySheet::Init() {
  m_psh = PROPSHEETHEADERW{};
  m_psh.dwSize = 40;
  m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_MAXIMIZE;
  m_psh.hInstance = ::GetModuleHandleW(nullptr);
  m_psh.pfnCallback = PropSheetProc;
  m_nStartPage = 0;
}

void CePropertySheet::NullData() {
  CeFree(const_cast<PROPSHEETPAGEW*>(m_psh.ppsp));
  m_psh.ppsp = nullptr;
}

int CePropertySheet::AddPage(CePropertyPage* page) {
  const UINT count = m_psh.nPages;
  auto* pages = static_cast<PROPSHEETPAGEW*>(CeMalloc(sizeof(PROPSHEETPAGEW) * (count + 1)));
  if (count != 0) std::memcpy(pages, m_psh.ppsp, sizeof(PROPSHEETPAGEW) * count);
  pages[count] = page->m_psp;
  NullData();
  m_psh.ppsp = pages;
  page->SetSheet(this);
  page->m_nPageIndex = static_cast<int>(count);
  m_psh.nPages = count + 1;
  return 1;
}

void CePropertySheet::SetStartPage(LPCWSTR name) {
  m_psh.pszStartPage = name;
  m_psh.dwFlags |= PSH_USEPSTARTPAGE;
}

INT_PTR CePropertySheet::Run(LPCWSTR caption, HWND parent) {
  m_psh.hwndParent = parent;
  m_psh.pszCaption = caption;
  CurrentSheet slot(this);
  return ::PropertySheetW(&m_psh);
}

int CePropertySheet::DoModal(LPCWSTR caption, HWND parent, HINSTANCE instance) {
  m_psh.hInstance = instance != nullptr ? instance : ::GetModuleHandleW(nullptr);
  const auto result = static_cast<int>(Run(caption, parent));
  NullData();
  Init();
  m_hWnd = nullptr;
  return result;
}

BOOL CePropertySheet::Create(LPCWSTR caption, HWND parent) {
  m_psh.dwFlags |= PSH_MODELESS;
  Run(caption, parent);
  return m_hWnd != nullptr ? TRUE : FALSE;
}

int CePropertySheet::DoWizard(LPCWSTR caption, HWND parent) {
  m_psh.dwFlags |= PSH_WIZARD;
  return static_cast<int>(Run(caption, parent));
}

// The sheet window keeps its own dialog procedure: the object is bound to
// the handle only, and its inherited OK and Cancel never end the sheet.
int CALLBACK CePropertySheet::PropSheetProc(HWND hwnd, UINT msg, LPARAM) {
  CePropertySheet* sheet = t_currentSheet;
  if (msg == PSCB_GETVERSION) return 0x20E;
  if (msg != PSCB_INITIALIZED || sheet == nullptr) return 0;
  sheet->m_pfnSuperProc = reinterpret_cast<WNDPROC>(::GetWindowLongW(hwnd, DWL_DLGPROC));
  sheet->m_hWnd = hwnd;
  sheet->m_bModal = 0;
  return 0;
}

int CePropertySheet::OnCommand(UINT wParam, LPARAM lParam, bool& handled) {
  return CeMsgWnd::OnCommand(wParam, lParam, handled);
}

void CePropertySheet::OnSettingChange(WORD, LPCWSTR, bool& handled) { handled = false; }

void CePropertySheet::SetCurSel(CePropertyPage* page) {
  SendMessageW(PSM_SETCURSEL, 0, reinterpret_cast<LPARAM>(page->m_hWnd));
}

void CePropertySheet::RemovePage(CePropertyPage* page) {
  SendMessageW(PSM_REMOVEPAGE, 0, reinterpret_cast<LPARAM>(page->m_hWnd));
}

void CePropertySheet::SetChanged(CePropertyPage* page) {
  SendMessageW(PSM_CHANGED, reinterpret_cast<WPARAM>(page->m_hWnd));
}

void CePropertySheet::SetUnChanged(CePropertyPage* page) {
  SendMessageW(PSM_UNCHANGED, reinterpret_cast<WPARAM>(page->m_hWnd));
}

// ---------------------------------------------------------------------------
// CePropertyPage

CePropertyPage::CePropertyPage(UINT templateId, UINT iconId, LPCWSTR title, HINSTANCE instance) : CeDialog(templateId) {
  CommonConstruct(MAKEINTRESOURCE(templateId), title, instance, MAKEINTRESOURCE(iconId));
}

CePropertyPage::CePropertyPage(UINT templateId, LPCWSTR title, HINSTANCE instance) : CeDialog(templateId) {
  CommonConstruct(MAKEINTRESOURCE(templateId), title, instance, nullptr);
}

CePropertyPage::CePropertyPage(LPCWSTR templateName, LPCWSTR title, HINSTANCE instance) : CeDialog(templateName) {
  CommonConstruct(templateName, title, instance, nullptr);
}

CePropertyPage::CePropertyPage(UINT templateId, UINT titleId, HINSTANCE instance) : CeDialog(templateId) {
  CommonConstruct(MAKEINTRESOURCE(templateId), MAKEINTRESOURCE(titleId), instance, nullptr);
}

CePropertyPage::CePropertyPage(LPCWSTR templateName, UINT titleId, HINSTANCE instance) : CeDialog(templateName) {
  CommonConstruct(templateName, MAKEINTRESOURCE(titleId), instance, nullptr);
}

void CePropertyPage::CommonConstruct(LPCWSTR templateName, LPCWSTR title, HINSTANCE instance, LPCWSTR icon) {
  m_psp.dwSize = 40;
  m_psp.pszTemplate = templateName;
  m_psp.hInstance = instance != nullptr ? instance : ::GetModuleHandleW(nullptr);
  m_psp.pfnDlgProc = DlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (title != nullptr) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = title;
  }
  if (icon != nullptr) {
    m_psp.dwFlags |= PSP_USEICONID;
    m_psp.pszIcon = icon;
  }
  m_psp.dwFlags |= PSP_USECALLBACK;
  m_psp.pfnCallback = PropSheetPageProc;
}

// Binds the page on its WM_INITDIALOG: from then on the library's dialog
// procedure serves it, with the page object as its parameter.
INT_PTR CALLBACK CePropertyPage::DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_INITDIALOG || lParam == 0) return FALSE;
  const auto* desc = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  ::SetWindowLongW(hwnd, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(&CeBaseDialog::DlgProc));
  return CeBaseDialog::DlgProc(hwnd, msg, wParam, desc->lParam);
}

UINT CALLBACK CePropertyPage::PropSheetPageProc(HWND, UINT msg, PROPSHEETPAGEW*) { return msg == PSPCB_CREATE ? 1 : 0; }

LRESULT CePropertyPage::OnNotify(int id, NMHDR* header, bool& handled) {
  handled = true;
  switch (static_cast<int>(header->code)) {
    case static_cast<int>(PSN_SETACTIVE): return OnSetActive();
    case static_cast<int>(PSN_KILLACTIVE): return OnKillActive();
    case static_cast<int>(PSN_APPLY): return OnApply();
    case static_cast<int>(PSN_RESET): OnReset(); return 0;
    case static_cast<int>(PSN_HELP): OnHelp(); return 0;
    case static_cast<int>(PSN_WIZBACK): OnBack(); return 0;
    case static_cast<int>(PSN_WIZNEXT): OnNext(); return 0;
    case static_cast<int>(PSN_WIZFINISH): OnFinish(); return 0;
    case static_cast<int>(PSN_QUERYCANCEL): return OnQueryCancel();
    default: handled = false; return CeDialog::OnNotify(id, header, handled);
  }
}

LRESULT CePropertyPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg != PSM_QUERYSIBLINGS) return CeDialog::OnMessage(msg, wParam, lParam, handled);
  handled = true;
  return OnQuerySiblings(wParam, lParam);
}

int CePropertyPage::OnCommand(UINT, LPARAM, bool& handled) {
  handled = true;
  return static_cast<int>(Default());
}

void CePropertyPage::OnSettingChange(WORD, LPCWSTR, bool& handled) { handled = false; }

int CePropertyPage::OnApply() {
  if (m_pSheet == nullptr) return PSNRET_NOERROR;
  if (m_nPageIndex == 0 && m_pSheet->OnSheetApply()) return PSNRET_INVALID_NOCHANGEPAGE;
  m_pSheet->m_nResult = 1;
  return PSNRET_NOERROR;
}

// The first activation goes to the sheet's start page; an index past the
// sheet's pages stays where it is.
LRESULT CePropertyPage::OnSetActive() {
  if (m_pSheet == nullptr || m_pSheet->m_nStartPage == 0) return 0;
  const auto index = static_cast<UINT>(m_pSheet->m_nStartPage);
  m_pSheet->m_nStartPage = 0;
  if (index >= m_pSheet->m_psh.nPages || m_pSheet->m_psh.ppsp == nullptr) return 0;
  return reinterpret_cast<LRESULT>(m_pSheet->m_psh.ppsp[index].pszTemplate);
}

void CePropertyPage::OnFinish() {
  if (m_pSheet != nullptr) m_pSheet->m_nResult = 1;
}

void CePropertyPage::OnOK() {
  if (m_pSheet == nullptr) return;
  m_pSheet->m_nResult = 1;
  m_pSheet->PressButton(PSBTN_OK);
}

void CePropertyPage::OnCancel() {
  if (m_pSheet == nullptr) return;
  m_pSheet->m_nResult = 2;
  m_pSheet->PressButton(PSBTN_CANCEL);
}
