#include "sol_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "ce_hidpi.h"
#include "ce_html.h"
#include "wince/controls.h"
#include "sol_main_wnd.h"

namespace {

constexpr UINT kTitleId = 6000;
constexpr UINT kTextId = 1006;
constexpr UINT kFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;

}  // namespace

SolDialog::SolDialog(UINT templateId, UINT titleId, UINT barId)
    : CeDialog(templateId), m_titleId(titleId), m_barId(barId) {
  SetSHInitFlags(kFlags);
}

SolDialog::~SolDialog() {
  if (m_titleFont) DeleteObject(m_titleFont);
}

CeString SolDialog::Text(UINT id) const {
  CeString text;
  text.LoadString(GetModuleHandle(nullptr), id);
  return text;
}

int SolDialog::Run(HWND owner) {
  if (g_pMainWnd) g_pMainWnd->SetOpenDialog(Text(m_titleId).GetString());
  const int result = DoModal(static_cast<LPCWSTR>(nullptr), owner);
  if (g_pMainWnd) g_pMainWnd->SetOpenDialog(nullptr);
  return result;
}

BOOL SolDialog::OnInitDialog() {
  CeDialog::OnInitDialog();
  SHMENUBARINFO mbi{};
  mbi.cbSize = sizeof mbi;
  mbi.hwndParent = m_hWnd;
  mbi.nToolBarId = m_barId;
  mbi.hInstRes = GetModuleHandle(nullptr);
  if (SHCreateMenuBar(&mbi)) m_bar = mbi.hwndMB;
  LOGFONTW font{};
  font.lfHeight = -HIDPI_ScaleY(11);
  font.lfWeight = FW_BOLD;
  m_titleFont = CreateFontIndirect(&font);
  if (HWND title = ::GetDlgItem(m_hWnd, kTitleId)) {
    SendMessage(title, WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont), 0);
    ::SetWindowText(title, Text(m_titleId).GetString());
  }
  Fill();
  return TRUE;
}

void SolDialog::OnPaint(bool& handled) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const RECT line{0, HIDPI_ScaleY(24), client.right, HIDPI_ScaleY(25)};
  FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ::EndPaint(m_hWnd, &ps);
  handled = true;
}

int SolDialog::OnCommand(UINT wParam, LPARAM, bool& handled) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) != 0) return 0;
  if (Command(id)) {
    handled = true;
  } else if (id == IDOK || id == IDCANCEL || id == kSolCmdClose) {
    handled = true;
    EndDialog(id == IDOK ? IDOK : IDCANCEL);
  }
  return 0;
}

SolMessageDlg::SolMessageDlg(UINT titleId, UINT textId, UINT barId, std::vector<UINT> closing)
    : SolDialog(605, titleId, barId), m_textId(textId), m_closing(std::move(closing)) {}

void SolMessageDlg::Fill() { ::SetDlgItemText(m_hWnd, kTextId, Text(m_textId).GetString()); }

bool SolMessageDlg::Command(UINT id) {
  if (std::find(m_closing.begin(), m_closing.end(), id) == m_closing.end()) return false;
  m_chosen = id;
  EndDialog(0);
  return true;
}

SolHelpDlg::SolHelpDlg(UINT titleId, const CeString& html) : SolDialog(607, titleId, 124), m_html(html) {}

void SolHelpDlg::Fill() {
  // Line breaks stay line breaks; every other tag goes.
  std::u16string page;
  for (const WCHAR* p = m_html.GetString(); *p; ++p) {
    if (std::u16string_view(p).starts_with(u"<br>")) {
      page += u'\n';
      p += 3;
    } else {
      page += *p;
    }
  }
  WCHAR* text = HtmlToText(page.c_str());
  ::SetDlgItemText(m_hWnd, kTextId, text ? text : u"");
  std::free(text);
}

SolStatisticsDlg::SolStatisticsDlg(const WCHAR* gameName, const char* variant)
    : SolDialog(610, 117, 128), m_gameName(gameName), m_variant(variant) {}

void SolStatisticsDlg::Fill() {
  const SolStatistics s = SolStatistics::Load(m_gameName, m_variant);
  CeString text;
  text.Format(u"%u", s.played);
  ::SetDlgItemText(m_hWnd, 1031, text.GetString());
  text.Format(u"%u", s.won);
  ::SetDlgItemText(m_hWnd, 1032, text.GetString());
  ::SetDlgItemText(m_hWnd, 1033, s.WinRate().GetString());
  ::SetDlgItemText(m_hWnd, 1034, SolStatistics::FormatTime(s.seconds).GetString());
  ::SetDlgItemText(m_hWnd, 1035, SolStatistics::FormatTime(s.played ? s.seconds / s.played : 0).GetString());
}

bool SolStatisticsDlg::Command(UINT id) {
  if (id != kSolCmdClear) return false;
  if (::MessageBox(m_hWnd, Text(3018).GetString(), Text(3004).GetString(), MB_YESNO) == IDYES) {
    SolStatistics::Clear(m_gameName, m_variant);
    EndDialog(0);
  }
  return true;
}

SolAboutDlg::SolAboutDlg() : SolDialog(608, 116, 124) {}

SolAboutDlg::~SolAboutDlg() {
  if (m_logo) DeleteObject(m_logo);
}

void SolAboutDlg::Fill() {
  m_logo = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(g_bIsVGA ? 246 : 245));
  ::SendDlgItemMessage(m_hWnd, 1016, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_logo));
  ::SetDlgItemText(m_hWnd, 1017, Text(1).GetString());
}

SolNameEntryDlg::SolNameEntryDlg(WCHAR (&name)[16]) : SolDialog(606, 3015, 125), m_name(name) {}

void SolNameEntryDlg::Fill() {
  ::SendDlgItemMessage(m_hWnd, 1007, EM_LIMITTEXT, 15, 0);
  ::SetDlgItemText(m_hWnd, 1007, m_name);
}

bool SolNameEntryDlg::Command(UINT id) {
  if (id != IDOK) return false;
  WCHAR text[16] = {};
  ::GetDlgItemText(m_hWnd, 1007, text, 16);
  text[15] = 0;
  for (size_t i = 0; i < 16; ++i) m_name[i] = text[i];
  EndDialog(IDOK);
  return true;
}

SolBestTimesDlg::SolBestTimesDlg(const WCHAR* gameName, const char* variant)
    : SolDialog(603, 3014, 128), m_gameName(gameName), m_variant(variant) {
  m_table.Load(gameName, variant);
}

void SolBestTimesDlg::Fill() {
  HWND list = ::GetDlgItem(m_hWnd, 1004);
  if (!list) return;
  const struct {
    const WCHAR* title;
    int width;
  } columns[2] = {{u"Name", 140}, {u"Time", 40}};
  for (int c = 0; c < 2; ++c) {
    LVCOLUMN column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_CENTER;
    column.cx = HIDPI_ScaleX(columns[c].width);
    column.pszText = const_cast<LPWSTR>(columns[c].title);
    column.iSubItem = c;
    ::SendMessage(list, LVM_INSERTCOLUMN, c, reinterpret_cast<LPARAM>(&column));
  }
  // Rows go in from the tenth to the first, each at the top.
  for (size_t i = SolBestTimes::kEntries; i-- > 0;) {
    const SolBestTime& entry = m_table.At(i);
    const bool empty = entry.seconds == 0;
    CeString time = empty ? CeString(u"---") : SolStatistics::FormatTime(entry.seconds);
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<LPWSTR>(empty ? u"---" : entry.name);
    ::SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(time.GetString());
    ::SendMessage(list, LVM_SETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
  }
}

bool SolBestTimesDlg::Command(UINT id) {
  if (id != kSolCmdClear) return false;
  if (::MessageBox(m_hWnd, Text(3005).GetString(), Text(3004).GetString(), MB_YESNO) == IDYES) {
    m_table = SolBestTimes{};
    m_table.Save(m_gameName, m_variant);
    EndDialog(0);
  }
  return true;
}
