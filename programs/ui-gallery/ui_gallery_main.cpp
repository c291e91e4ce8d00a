// The runtime's user interface at a glance, in the window and headless: a
// main window with its soft-key bar and the task bar above it, and a property
// sheet whose pages hold a control of every kind and the HTML view.
#include "wince/runtime.h"
#include "wince/wince.h"

namespace {

constexpr UINT kBar = 200;
constexpr WORD kControlsPage = 100, kRulesPage = 101, kCaptionedDialog = 102;
constexpr WORD kSheetCommand = 40001, kColourCommand = 40002;
constexpr WORD kColourButton = 109, kMessageButton = 110;

HINSTANCE g_instance{};
COLORREF g_custom[16]{};
COLORREF g_colour = RGB(0, 128, 64);

void fillControls(HWND page) {
  SetDlgItemText(page, 101, u"Player");
  CheckDlgButton(page, 102, BST_CHECKED);
  CheckRadioButton(page, 104, 105, 104);
  for (const char16_t* game : {u"Klondike", u"Spider", u"FreeCell"}) {
    SendDlgItemMessage(page, 106, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(game));
  }
  SendDlgItemMessage(page, 106, CB_SETCURSEL, 0, 0);
  LVCOLUMN col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = LOWORD(GetDialogBaseUnits()) * 10;
  col.pszText = const_cast<LPWSTR>(u"Player");
  SendDlgItemMessage(page, 107, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
  const char16_t* players[] = {u"Ann", u"Bob", u"Cid"};
  for (int i = 0; i < 3; ++i) {
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(players[i]);
    SendDlgItemMessage(page, 107, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  for (const char16_t* deck : {u"Classic", u"Modern", u"Large", u"Tiny"}) {
    SendDlgItemMessage(page, 108, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(deck));
  }
  SendDlgItemMessage(page, 108, LB_SETCURSEL, 0, 0);
}

void chooseColour(HWND owner) {
  CHOOSECOLOR cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = g_colour;
  cc.lpCustColors = g_custom;
  cc.Flags = CC_RGBINIT | CC_PREVENTFULLOPEN | CC_ANYCOLOR;
  if (ChooseColor(&cc)) g_colour = cc.rgbResult;
}

INT_PTR CALLBACK captionedDialog(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dlg, LOWORD(wParam));
    return TRUE;
  }
  return msg == WM_INITDIALOG;
}

INT_PTR CALLBACK controlsPage(HWND page, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) {
    fillControls(page);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == kColourButton) {
    chooseColour(page);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == kMessageButton) {
    DialogBoxParam(g_instance, MAKEINTRESOURCE(kCaptionedDialog), page, captionedDialog, 0);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK rulesPage(HWND page, UINT msg, WPARAM, LPARAM) {
  if (msg != WM_INITDIALOG) return FALSE;
  HMODULE viewer = LoadLibrary(u"Htmlview.dll");
  auto init = reinterpret_cast<BOOL (*)(HINSTANCE)>(GetProcAddress(viewer, MAKEINTRESOURCE(1)));
  if (init == nullptr || !init(g_instance)) return TRUE;
  RECT rc;
  GetClientRect(page, &rc);
  HWND view = CreateWindowEx(0, WC_HTML, u"", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, page, nullptr,
                             g_instance, nullptr);
  SendMessage(view, DTM_ADDTEXTW, FALSE,
              reinterpret_cast<LPARAM>(u"<h3>Klondike</h3><p>Build four <b>foundations</b> up by suit.</p>"
                                       u"<ul><li>Kings fill empty columns.</li><li>Turn cards up.</li></ul>"));
  SendMessage(view, DTM_ENDOFSOURCE, 0, 0);
  return TRUE;
}

// A tab icon drawn here: a card in `ink`, clear around it.
HICON cardIcon(COLORREF ink) {
  const int side = GetSystemMetrics(SM_CXSMICON);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, side, side);
  HBITMAP mask = CreateBitmap(side, side, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);
  const RECT all{0, 0, side, side};
  const RECT card{side / 5, 0, side - side / 5, side};
  const HGDIOBJ old = SelectObject(dc, colour);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HBRUSH brush = CreateSolidBrush(ink);
  FillRect(dc, &card, brush);
  DeleteObject(brush);
  SelectObject(dc, mask);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(dc, &card, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

void openSheet(HWND owner) {
  static PROPSHEETPAGE pages[2]{};
  static const HICON icons[] = {cardIcon(RGB(0, 96, 192)), cardIcon(RGB(192, 0, 0))};
  const WORD templates[] = {kControlsPage, kRulesPage};
  const DLGPROC procs[] = {controlsPage, rulesPage};
  for (int i = 0; i < 2; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].hInstance = g_instance;
    pages[i].pszTemplate = MAKEINTRESOURCE(templates[i]);
    pages[i].pfnDlgProc = procs[i];
    pages[i].dwFlags = PSP_USEHICON;
    pages[i].hIcon = icons[i];
  }
  PROPSHEETHEADER h{};
  h.dwSize = sizeof h;
  h.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
  h.hwndParent = owner;
  h.hInstance = g_instance;
  h.pszCaption = u"Options";
  h.nPages = 2;
  h.ppsp = pages;
  HWND sheet = reinterpret_cast<HWND>(PropertySheet(&h));
  if (sheet != nullptr) SHDoneButton(sheet, SHDB_SHOW);
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      SHMENUBARINFO mbi{};
      mbi.cbSize = sizeof mbi;
      mbi.hwndParent = hwnd;
      mbi.nToolBarId = kBar;
      mbi.hInstRes = g_instance;
      SHCreateMenuBar(&mbi);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kSheetCommand) openSheet(hwnd);
      if (LOWORD(wParam) == kColourCommand) chooseColour(hwnd);

      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

// Dialog keys for whichever modeless sheet is active.
bool sheetKeys(MSG* msg) {
  HWND active = GetActiveWindow();
  return active != nullptr && SendMessage(active, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}

int WINAPI winMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  g_instance = instance;
  WNDCLASS wc{};
  wc.lpfnWndProc = mainProc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = u"UiGalleryWindow";
  if (!RegisterClass(&wc)) return 1;
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  HWND main = CreateWindowEx(0, u"UiGalleryWindow", u"UI Gallery", WS_VISIBLE, work.left, work.top,
                             work.right - work.left, work.bottom - work.top, nullptr, nullptr, instance, nullptr);
  if (main == nullptr) return 1;
  ShowWindow(main, showCommand);
  PostMessage(main, WM_COMMAND, kSheetCommand, 0);  // the sheet is what there is to see
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    if (sheetKeys(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

const wince::Program wince::kProgram = {
    "ui-gallery", "UI Gallery", "pocketpc-qvga", winMain, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
};
