#include "sol_app.h"

#include <cstdarg>
#include <cstdio>

#include "ce_hidpi.h"
#include "wince/text.h"
#include "sol_main_wnd.h"

#ifndef CARROWIN_QVGA
#define CARROWIN_QVGA 0
#endif

namespace {

constexpr WCHAR kWindowClass[] = u"SpiderNorvexMainWindow";
constexpr UINT kAccelerators = 2;
constexpr UINT kIcon = 101;

HINSTANCE g_hInstance = nullptr;

}  // namespace

bool InitInstance(HINSTANCE instance, int showCommand) {
  HIDPI_InitMetrics();
  g_hInstance = instance;
  // The VGA builds need a VGA screen, the QVGA build a plain one.
  if (g_bIsVGA == (CARROWIN_QVGA != 0)) {
    MessageBox(nullptr, u"Invalid application version for this device", u"Error", MB_OK);
    return false;
  }
  WCHAR title[101] = {};
  LoadString(instance, 1, title, 100);
  WCHAR className[64];
  wsprintf(className, u"TheWnd:%s", kWindowClass);
  if (HWND running = FindWindow(className, nullptr)) {
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(running) | 1));
    return false;
  }
  g_pMainWnd = new SolMainWnd;
  CeWnd::RegisterClassW(className, CS_HREDRAW | CS_VREDRAW, 0, 0, LoadIcon(instance, MAKEINTRESOURCE(kIcon)), nullptr,
                        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr, instance);
  if (!g_pMainWnd->Create(className, nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, title,
                          WS_VISIBLE, 0, nullptr, instance) ||
      !g_pMainWnd->Field()) {
    return false;
  }
  SHFullScreen(g_pMainWnd->m_hWnd, SHFS_SHOWSIPBUTTON);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  work.bottom -= (26 * g_HIDPI_LogPixelsY + 48) / 96;
  MoveWindow(g_pMainWnd->m_hWnd, work.left, work.top, work.right - work.left, work.bottom - work.top, FALSE);
  ShowWindow(g_pMainWnd->m_hWnd, showCommand);
  UpdateWindow(g_pMainWnd->m_hWnd);
  return true;
}

void ExitInstance() {
  if (!g_pMainWnd) return;
  if (g_pMainWnd->m_hWnd && IsWindow(g_pMainWnd->m_hWnd)) DestroyWindow(g_pMainWnd->m_hWnd);
  delete g_pMainWnd;
  g_pMainWnd = nullptr;
}

int WINAPI SolWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  if (!InitInstance(instance, showCommand)) {
    ExitInstance();
    return 0;
  }
  HACCEL accelerators = LoadAccelerators(instance, MAKEINTRESOURCE(kAccelerators));
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    if (TranslateAccelerator(msg.hwnd, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  ExitInstance();
  return static_cast<int>(msg.wParam);
}

namespace {

void Line(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Line(std::string& out, const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  out += buffer;
  out += '\n';
}

const char kRanks[] = "A23456789TJQK";
const char kSuits[] = "SHCD";

}  // namespace

void SolDumpState(std::string& out) {
  SolMainWnd* wnd = g_pMainWnd;
  if (!wnd || !wnd->RuleSet() || !wnd->Field()) {
    out += "no game\n";
    return;
  }
  const SolRuleSet& rules = *wnd->RuleSet();
  const SolOptions& options = wnd->Options();
  Line(out, "ruleset %s", rules.Name().c_str());
  Line(out, "game %u", options.curGameNumber);
  Line(out, "playmode %u", options.playMode);
  Line(out, "clock %u%s", wnd->Elapsed(), wnd->ClockPaused() ? " paused" : "");
  Line(out, "undo %zu", rules.History() ? rules.History()->Count() : 0);
  Line(out, "won %d", rules.Finished() ? 1 : 0);
  std::string dialog;
  for (const WCHAR* p = wnd->OpenDialog().GetString(); p && *p; ++p) dialog += static_cast<char>(*p < 128 ? *p : '?');
  Line(out, "dialog %s", dialog.empty() ? "-" : dialog.c_str());
  SolGameField& field = *wnd->Field();
  uint16_t cursorPile = kSolNone;
  uint16_t cursorCard = kSolNone;
  field.Targets().GetCursor(cursorPile, cursorCard);
  Line(out, "cursor %d %d", cursorPile == kSolNone ? -1 : cursorPile, cursorCard == kSolNone ? -1 : cursorCard);
  Line(out, "selection %d %d", field.SelectedPile() == kSolNone ? -1 : field.SelectedPile(),
       field.SelectedCard() == kSolNone ? -1 : field.SelectedCard());
  const auto& piles = field.Metrics().piles;
  for (size_t p = 0; p < piles.size(); ++p) {
    std::string cards;
    for (const SolCardView& c : piles[p].cards) {
      cards += ' ';
      cards += kRanks[c.rank % 13];
      cards += kSuits[c.suit & 3];
      if (!c.faceUp) cards += '#';
    }
    const POINT origin = field.PileOrigin(static_cast<int>(p));
    Line(out, "pile %zu at %ld %ld%s:%s", p, static_cast<long>(origin.x), static_cast<long>(origin.y),
         piles[p].visible ? "" : " hidden", cards.c_str());
  }
}
