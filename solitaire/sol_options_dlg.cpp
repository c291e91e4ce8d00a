#include "sol_options_dlg.h"

#include <array>

#include "ce_hidpi.h"
#include "sol_card_image.h"
#include "sol_dialog.h"
#include "sol_main_wnd.h"
#include "sol_utils.h"
#include "wince/commdlg.h"
#include "wince/controls.h"

namespace {

constexpr UINT kTitle = 3011;
constexpr UINT kBar = 109;
constexpr UINT kGameTemplate = 600;
constexpr UINT kInterfaceTemplate = 601;
constexpr UINT kGameTab = 3012;
constexpr UINT kInterfaceTab = 3013;
constexpr UINT kHelpTitle = 40001;
constexpr UINT kGameHelp = 113;
constexpr UINT kInterfaceHelp = 114;
constexpr int kBackPreview = 1003;
constexpr int kSwatch = 5012;
constexpr int kTimed = 5000;
constexpr int kLimit = 5001;
constexpr int kVariant = 5003;
constexpr int kAnimation = 5009;
constexpr int kPlayMode = 5010;
constexpr int kSoftkeys = 5013;
constexpr int kShowTimer = 5015;
constexpr int kCardBacksOffered = 4;
constexpr int kWideBack = 142;

constexpr uint32_t kTimeLimits[] = {1, 3, 5, 10};
const WCHAR* const kLimitTexts[] = {u"1 min", u"3 min", u"5 min", u"10 min"};
#if CARROWIN_SPIDER
const WCHAR* const kVariants[] = {u"1", u"2", u"4"};
constexpr uint32_t kSuits[] = {1, 2, 4};
#else
const WCHAR* const kVariants[] = {u"1-U", u"1-2", u"3-U", u"3-2"};
#endif
const WCHAR* const kPlayModes[] = {u"Tapping", u"Drag and Drop", u"Keyboard CW", u"Keyboard PW"};

// The chooser's custom colours: one table for the run, emptied before each use.
std::array<COLORREF, 16> g_customColours{};

// "Softkey Menu" is offered on the ordinary screens only.
bool SoftkeyChoice() { return g_HIDPI_VXFontScale == 1.0 || g_HIDPI_VXFontScale == 2.0; }

int Selected(HWND page, int id, int none) {
  const LRESULT i = ::SendDlgItemMessage(page, id, CB_GETCURSEL, 0, 0);
  return i < 0 ? none : static_cast<int>(i);
}

template <size_t N>
void FillList(HWND page, int id, const WCHAR* const (&texts)[N]) {
  for (const WCHAR* t : texts) ::SendDlgItemMessage(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
}

// Selects the entry of `value`; a value the list cannot show leaves it as it is.
template <size_t N>
void SelectValue(HWND page, int id, const uint32_t (&values)[N], uint32_t value) {
  for (size_t i = 0; i < N; ++i) {
    if (values[i] == value) ::SendDlgItemMessage(page, id, CB_SETCURSEL, i, 0);
  }
}

uint8_t Checked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0; }

void Check(HWND page, int id, uint32_t on) { ::CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

void Frame(HDC dc, const RECT& r) {
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const RECT edges[4] = {{r.left, r.top, r.right, r.top + 1},
                         {r.left, r.bottom - 1, r.right, r.bottom},
                         {r.left, r.top, r.left + 1, r.bottom},
                         {r.right - 1, r.top, r.right, r.bottom}};
  for (const RECT& e : edges) FillRect(dc, &e, black);
}

}  // namespace

// ---------------------------------------------------------------------------
// SolOptionsInterfacePage

SolOptionsInterfacePage::SolOptionsInterfacePage(SolPagedDialog& owner, uint32_t cardBack)
    : SolTabPage(owner, kInterfaceTemplate), m_cardBack(cardBack) {}

int SolOptionsInterfacePage::OnCommand(UINT wParam, LPARAM, bool& handled) {
  if (HIWORD(wParam) != 0) return 0;
  switch (LOWORD(wParam)) {
    case kBackPreview:
      m_cardBack = (m_cardBack + 1) % kCardBacksOffered;
      ::InvalidateRect(::GetDlgItem(m_hWnd, kBackPreview), nullptr, TRUE);
      handled = true;
      break;
    case kSwatch:
      ChooseBackground();
      handled = true;
      break;
    default:
      break;
  }
  return 0;
}

void SolOptionsInterfacePage::ChooseBackground() {
  g_customColours.fill(0);
  CHOOSECOLOR cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = m_hWnd;
  cc.rgbResult = m_colour;
  cc.lpCustColors = g_customColours.data();
  cc.Flags = CC_RGBINIT | CC_PREVENTFULLOPEN | CC_ANYCOLOR;
  if (ChooseColor(&cc)) m_colour = cc.rgbResult;
  ::InvalidateRect(::GetDlgItem(m_hWnd, kSwatch), nullptr, TRUE);
}

void SolOptionsInterfacePage::DrawItem(const DRAWITEMSTRUCT& item) const {
  const RECT& r = item.rcItem;
  if (item.CtlID == kBackPreview) {
    SolDrawBitmap(item.hDC, r.left, r.top, kWideBack + 2 * SolValidBack(m_cardBack));
  } else {
    HBRUSH brush = CreateSolidBrush(m_colour);
    FillRect(item.hDC, &r, brush);
    DeleteObject(brush);
  }
  Frame(item.hDC, r);
}

LRESULT SolOptionsInterfacePage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlID == kBackPreview || item->CtlID == kSwatch) {
      DrawItem(*item);
      handled = true;
      return TRUE;
    }
  }
  return SolTabPage::OnMessage(msg, wParam, lParam, handled);
}

// ---------------------------------------------------------------------------
// SolOptionsDlg

SolOptionsDlg::SolOptionsDlg(SolMainWnd& main)
    : SolTabbedDialog(kTitle, g_bIsVGA ? 501 : 500, kBar, kBar), m_main(main) {}

void SolOptionsDlg::CreatePages() {
  auto game = std::make_unique<SolTabPage>(*this, kGameTemplate);
  m_game = game.get();
  AddTab(kGameTab, std::move(game));
  auto look = std::make_unique<SolOptionsInterfacePage>(*this, 0);
  m_interface = look.get();
  AddTab(kInterfaceTab, std::move(look));
}

void SolOptionsDlg::InitPages() {
  const HWND game = m_game->m_hWnd;
  const HWND look = m_interface->m_hWnd;
  const SolOptions& o = m_main.Options();
  FillList(game, kLimit, kLimitTexts);
  FillList(game, kVariant, kVariants);
  FillList(look, kPlayMode, kPlayModes);
  // The preview is as large as a card back.
  HWND preview = ::GetDlgItem(look, kBackPreview);
  RECT r;
  ::GetWindowRect(preview, &r);
  ::MapWindowPoints(nullptr, look, reinterpret_cast<POINT*>(&r), 2);
  if (g_HIDPI_VXFontScale > 1.0 && g_HIDPI_VXFontScale < 2.0) r.left = 120, r.top = 38;
  ::SetWindowPos(preview, nullptr, r.left, r.top, SolFixedX(26), SolFixedY(35), SWP_NOZORDER);
  for (int id : {kBackPreview, kSwatch}) {
    HWND button = ::GetDlgItem(look, id);
    const LONG style = ::GetWindowLong(button, GWL_STYLE) & ~0xF;
    ::SetWindowLong(button, GWL_STYLE, style | BS_OWNERDRAW | (id == kBackPreview ? BS_NOTIFY : 0));
  }
  ::ShowWindow(::GetDlgItem(look, kSoftkeys), SW_SHOW);
  Check(game, kTimed, o.timedGame);
  SelectValue(game, kLimit, kTimeLimits, o.timeLimit);
#if CARROWIN_SPIDER
  SelectValue(game, kVariant, kSuits, o.suitsNumber);
#else
  ::SendDlgItemMessage(game, kVariant, CB_SETCURSEL, o.gameType < 4 ? o.gameType : 2, 0);
#endif
  Check(look, kAnimation, o.animation);
  ::SendDlgItemMessage(look, kPlayMode, CB_SETCURSEL, o.playMode, 0);
  m_interface->SetColour(o.bgColor);
  if (SoftkeyChoice()) {
    Check(look, kSoftkeys, o.softkeyMenu);
  } else {
    ::ShowWindow(::GetDlgItem(look, kSoftkeys), SW_HIDE);
  }
  m_interface->SetCardBack(o.cardBack);
  Check(look, kShowTimer, o.showTimer);
}

SolOptions SolOptionsDlg::Read() const {
  const HWND game = m_game->m_hWnd;
  const HWND look = m_interface->m_hWnd;
  SolOptions o = m_main.Options();
#if CARROWIN_SPIDER
  const int suits = Selected(game, kVariant, 2);
  o.suitsNumber = suits < 2 ? kSuits[suits] : 4;
#else
  o.gameType = static_cast<uint32_t>(Selected(game, kVariant, 2));
#endif
  o.animation = Checked(look, kAnimation);
  o.playMode = static_cast<uint8_t>(Selected(look, kPlayMode, 1));
  o.bgColor = m_interface->Colour();
  o.cardBack = m_interface->CardBack();
  o.showTimer = Checked(look, kShowTimer);
  if (SoftkeyChoice()) o.softkeyMenu = Checked(look, kSoftkeys);
  o.timedGame = Checked(game, kTimed);
  const int limit = Selected(game, kLimit, 3);
  o.timeLimit = limit < 3 ? kTimeLimits[limit] : 10;
  return o;
}

void SolOptionsDlg::ApplyPages() { m_main.ApplyOptions(Read()); }

void SolOptionsDlg::OnHelp() {
  HWND focus = ::GetFocus();
  SolHelpDlg help(kHelpTitle, CurrentPage() == 1 ? kInterfaceHelp : kGameHelp);
  help.DoModal(m_hWnd);
  ::SetFocus(focus);
}
