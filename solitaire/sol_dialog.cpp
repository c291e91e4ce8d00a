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

namespace {

constexpr UINT kOptionsTemplate = 612;
constexpr UINT kOptionsTitle = 3011;
constexpr UINT kOptionsBar = 125;
constexpr uint32_t kTimeLimits[] = {1, 3, 5, 10};
#if CARROWIN_SPIDER
const WCHAR* const kVariants[] = {u"1", u"2", u"4"};
constexpr int32_t kSuits[] = {1, 2, 4};
#else
const WCHAR* const kVariants[] = {u"1-U", u"1-2", u"3-U", u"3-2"};
#endif
const WCHAR* const kPlayModes[] = {u"Tapping", u"Drag and Drop", u"Keyboard CW", u"Keyboard PW"};

int Selected(HWND dialog, int id, int none) {
  const LRESULT i = ::SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0);
  return i < 0 ? none : static_cast<int>(i);
}

template <size_t N>
void FillList(HWND dialog, int id, const WCHAR* const (&texts)[N], int selected) {
  for (const WCHAR* t : texts) ::SendDlgItemMessage(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  if (selected >= 0) ::SendDlgItemMessage(dialog, id, CB_SETCURSEL, selected, 0);
}

template <class T, size_t N>
int IndexOf(const T (&values)[N], T value) {
  for (size_t i = 0; i < N; ++i) {
    if (values[i] == value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

SolOptionsDlg::SolOptionsDlg(const SolOptions& options)
    : SolDialog(kOptionsTemplate, kOptionsTitle, kOptionsBar), m_options(options) {}

void SolOptionsDlg::Fill() {
  const WCHAR* limits[] = {u"1 min", u"3 min", u"5 min", u"10 min"};
  FillList(m_hWnd, 5001, limits, IndexOf(kTimeLimits, m_options.timeLimit));
#if CARROWIN_SPIDER
  FillList(m_hWnd, 5003, kVariants, IndexOf(kSuits, m_options.suitsNumber));
#else
  FillList(m_hWnd, 5003, kVariants, m_options.gameType < 4 ? static_cast<int>(m_options.gameType) : 2);
#endif
  FillList(m_hWnd, 5010, kPlayModes, m_options.playMode < 4 ? m_options.playMode : -1);
  ::CheckDlgButton(m_hWnd, 5000, m_options.timedGame ? BST_CHECKED : 0);
  ::CheckDlgButton(m_hWnd, 5009, m_options.animation ? BST_CHECKED : 0);
  ::CheckDlgButton(m_hWnd, 5015, m_options.showTimer ? BST_CHECKED : 0);
  if (g_HIDPI_VXFontScale == 1.0 || g_HIDPI_VXFontScale == 2.0) {
    ::CheckDlgButton(m_hWnd, 5013, m_options.softkeyMenu ? BST_CHECKED : 0);
  } else {
    ::ShowWindow(::GetDlgItem(m_hWnd, 5013), SW_HIDE);
  }
  ShowChoices();
}

void SolOptionsDlg::ShowChoices() {
  CeString text;
  text.Format(u"Design %u", SolValidBack(m_options.cardBack) + 1);
  ::SetDlgItemText(m_hWnd, 1003, text.GetString());
  const int colour = IndexOf(kSolBackgrounds, static_cast<COLORREF>(m_options.bgColor));
  if (colour >= 0) {
    text.Format(u"Colour %d", colour + 1);
  } else {
    text.Format(u"#%06X", static_cast<unsigned>(m_options.bgColor));
  }
  ::SetDlgItemText(m_hWnd, 5012, text.GetString());
}

void SolOptionsDlg::Read() {
  m_options.timedGame = ::IsDlgButtonChecked(m_hWnd, 5000) == BST_CHECKED ? 1 : 0;
  const int limit = Selected(m_hWnd, 5001, 3);
  m_options.timeLimit = limit < 3 ? kTimeLimits[limit] : 10;
#if CARROWIN_SPIDER
  const int suits = Selected(m_hWnd, 5003, 2);
  m_options.suitsNumber = suits < 2 ? kSuits[suits] : 4;
#else
  m_options.gameType = static_cast<uint32_t>(Selected(m_hWnd, 5003, 2));
#endif
  m_options.playMode = static_cast<uint8_t>(Selected(m_hWnd, 5010, 1));
  m_options.animation = ::IsDlgButtonChecked(m_hWnd, 5009) == BST_CHECKED ? 1 : 0;
  m_options.showTimer = ::IsDlgButtonChecked(m_hWnd, 5015) == BST_CHECKED ? 1 : 0;
  if (g_HIDPI_VXFontScale == 1.0 || g_HIDPI_VXFontScale == 2.0) {
    m_options.softkeyMenu = ::IsDlgButtonChecked(m_hWnd, 5013) == BST_CHECKED ? 1 : 0;
  }
}

bool SolOptionsDlg::Command(UINT id) {
  switch (id) {
    case 1003:
      m_options.cardBack = (SolValidBack(m_options.cardBack) + 1) % 4;
      ShowChoices();
      return true;
    case 5012: {
      const int colour = IndexOf(kSolBackgrounds, static_cast<COLORREF>(m_options.bgColor));
      m_options.bgColor = kSolBackgrounds[(colour + 1) % std::size(kSolBackgrounds)];
      ShowChoices();
      return true;
    }
    case IDOK:
      Read();
      EndDialog(IDOK);
      return true;
    default:
      return false;
  }
}
