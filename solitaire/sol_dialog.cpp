#include "sol_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "ce_hidpi.h"
#include "sol_main_wnd.h"
#include "wince/controls.h"
#include "wince/htmlview.h"

#ifndef CARROWIN_QVGA
#define CARROWIN_QVGA 0
#endif

namespace {

constexpr UINT kTextId = 1006;
constexpr int kBestList = 1004;
constexpr int kBestListMax = CARROWIN_QVGA ? 161 : 312;
constexpr UINT kHelpBar = 124;
constexpr int kViewerOrdinal = 1;

// The image of every dialog's header.
UINT HeaderImage() { return g_bIsVGA ? 501 : 500; }

}  // namespace

SolMessageDlg::SolMessageDlg(UINT titleId, UINT textId, UINT barId, std::vector<UINT> closing)
    : SolDialog(605, titleId, HeaderImage(), barId, barId), m_textId(textId), m_closing(std::move(closing)) {}

BOOL SolMessageDlg::OnInitDialog() {
  ::SetDlgItemText(m_hWnd, kTextId, Text(m_textId).GetString());
  return FALSE;
}

bool SolMessageDlg::Command(UINT id) {
  if (std::find(m_closing.begin(), m_closing.end(), id) == m_closing.end()) return false;
  m_chosen = id;
  CloseDialog(0);
  return true;
}

SolHelpDlg::SolHelpDlg(UINT titleId, const CeString& html)
    : SolDialog(607, titleId, HeaderImage(), kHelpBar, kHelpBar), m_html(html) {}

SolHelpDlg::SolHelpDlg(UINT titleId, UINT textId) : SolHelpDlg(titleId, CeString()) { m_html = Text(textId); }

SolHelpDlg::~SolHelpDlg() {
  if (m_library) FreeLibrary(m_library);
}

BOOL SolHelpDlg::OnInitDialog() {
  m_library = LoadLibrary(u"Htmlview.dll");
  if (!m_library) return FALSE;
  using InitControl = BOOL (*)(HINSTANCE);
  auto init = reinterpret_cast<InitControl>(GetProcAddress(m_library, MAKEINTRESOURCE(kViewerOrdinal)));
  const HINSTANCE instance = GetModuleHandle(nullptr);
  if (!init || !init(instance)) return FALSE;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  m_viewer = ::CreateWindowEx(0, DISPLAYCLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                              m_hWnd, nullptr, instance, nullptr);
  if (!m_viewer) return FALSE;
  ::SetFocus(m_viewer);
  ::SendMessage(m_viewer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
  ::SendMessage(m_viewer, DTM_ENABLECONTEXTMENU, 0, 1);
  ::SendMessage(m_viewer, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(m_html.GetString()));
  ::SendMessage(m_viewer, DTM_ENDOFSOURCE, 0, 0);
  return FALSE;
}

void SolHelpDlg::OnSize(UINT type, int cx, int cy, bool& handled) {
  if (m_viewer) ::SetWindowPos(m_viewer, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE);
  SolDialog::OnSize(type, cx, cy, handled);
}

void SolHelpDlg::OnDestroy(bool& handled) {
  if (m_viewer) ::DestroyWindow(m_viewer);
  m_viewer = nullptr;
  SolDialog::OnDestroy(handled);
}

SolStatisticsDlg::SolStatisticsDlg(const WCHAR* gameName, const char* variant)
    : SolDialog(610, 117, HeaderImage(), 128, 128), m_gameName(gameName), m_variant(variant) {}

BOOL SolStatisticsDlg::OnInitDialog() {
  const SolStatistics s = SolStatistics::Load(m_gameName, m_variant);
  CeString text;
  text.Format(u"%u", s.played);
  ::SetDlgItemText(m_hWnd, 1031, text.GetString());
  text.Format(u"%u", s.won);
  ::SetDlgItemText(m_hWnd, 1032, text.GetString());
  ::SetDlgItemText(m_hWnd, 1033, s.WinRate().GetString());
  ::SetDlgItemText(m_hWnd, 1034, SolStatistics::FormatTime(s.seconds).GetString());
  ::SetDlgItemText(m_hWnd, 1035, SolStatistics::FormatTime(s.played ? s.seconds / s.played : 0).GetString());
  return FALSE;
}

bool SolStatisticsDlg::Command(UINT id) {
  if (id != kSolCmdClear) return false;
  if (::MessageBox(m_hWnd, Text(3018).GetString(), Text(3004).GetString(), MB_YESNO) == IDYES) {
    SolStatistics::Clear(m_gameName, m_variant);
    CloseDialog(0);
  }
  return true;
}

SolAboutDlg::SolAboutDlg() : SolDialog(608, 116, HeaderImage(), kHelpBar, kHelpBar) {}

SolAboutDlg::~SolAboutDlg() {
  if (m_logo) DeleteObject(m_logo);
}

BOOL SolAboutDlg::OnInitDialog() {
  m_logo = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(g_bIsVGA ? 246 : 245));
  ::SendDlgItemMessage(m_hWnd, 1016, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_logo));
  ::SetDlgItemText(m_hWnd, 1017, Text(1).GetString());
  return FALSE;
}

SolNameEntryDlg::SolNameEntryDlg(WCHAR (&name)[16]) : SolDialog(606, 3015, HeaderImage(), 125, 125), m_name(name) {}

BOOL SolNameEntryDlg::OnInitDialog() {
  HWND edit = ::GetDlgItem(m_hWnd, 1007);
  ::SendMessage(edit, EM_LIMITTEXT, 15, 0);
  ::SetWindowText(edit, m_name);
  // The winner types at once: the box has the focus, the last name offered
  // selected so that typing replaces it.
  ::SetFocus(edit);
  ::SendMessage(edit, EM_SETSEL, 0, -1);
  return FALSE;
}

void SolNameEntryDlg::OnHeaderOK(bool&) {
  WCHAR text[16] = {};
  ::GetDlgItemText(m_hWnd, 1007, text, 16);
  text[15] = 0;
  for (size_t i = 0; i < 16; ++i) m_name[i] = text[i];
}

SolBestTimesDlg::SolBestTimesDlg(const WCHAR* gameName, const char* variant)
    : SolDialog(603, 3014, HeaderImage(), 128, 128), m_gameName(gameName), m_variant(variant) {
  m_table.Load(gameName, variant);
}

BOOL SolBestTimesDlg::OnInitDialog() {
  HWND list = ::GetDlgItem(m_hWnd, kBestList);
  if (!list) return FALSE;
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
  return FALSE;
}

void SolBestTimesDlg::OnSize(UINT type, int cx, int cy, bool& handled) {
  SolDialog::OnSize(type, cx, cy, handled);
  HWND list = ::GetDlgItem(m_hWnd, kBestList);
  if (!list) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int timeWidth = static_cast<int>(::SendMessage(list, LVM_GETCOLUMNWIDTH, 1, 0));
  // Mid-scale screens keep fixed margins of 5 pixels.
  const bool mid = g_HIDPI_VXFontScale > 1.0 && g_HIDPI_VXFontScale < 2.0;
  const int margin = mid ? 5 : HIDPI_ScaleY(5);
  int height = kBestListMax;
  int nameWidth = client.right - timeWidth - HIDPI_ScaleX(13);
  if (client.bottom < kBestListMax + HIDPI_ScaleY(10) || (mid && client.bottom <= 216)) {
    height = client.bottom - 2 * margin;
    nameWidth = client.right - HIDPI_ScaleX(25) - timeWidth;
  } else if (mid) {
    height = 207;
    nameWidth += 1;
  }
  ::SetWindowPos(list, nullptr, HIDPI_ScaleX(5), margin, client.right - HIDPI_ScaleX(10),
                 std::min(height, kBestListMax), SWP_NOZORDER);
  // Ten rows may not fit that height: with the list's scroll bar the time
  // column still shows whole.
  RECT inside;
  ::GetClientRect(list, &inside);
  ::SendMessage(list, LVM_SETCOLUMNWIDTH, 0, std::min<LONG>(nameWidth, inside.right - timeWidth));
}

bool SolBestTimesDlg::Command(UINT id) {
  if (id != kSolCmdClear) return false;
  if (::MessageBox(m_hWnd, Text(3005).GetString(), Text(3004).GetString(), MB_YESNO) == IDYES) {
    m_table = SolBestTimes{};
    m_table.Save(m_gameName, m_variant);
    CloseDialog(0);
  }
  return true;
}
