// The colour chooser: a full-screen dialog of the runtime's own holding a
// grid of swatches (48 basic colours, then the program's 16 custom ones) and
// OK and Cancel. The grid keeps the arrows; a tap chooses, a double tap
// chooses and ends the dialog. The grid's window text names the chosen
// colour ("#RRGGBB"), which is what state dumps show of it.
#include <algorithm>
#include <array>
#include <cmath>

#include "ctl_common.h"
#include "wince/commdlg.h"
#include "wince/text.h"

namespace wince::ctl {

namespace {

constexpr int kColumns = 8;
constexpr int kBasicRows = 6;
constexpr int kCustomCount = 16;
constexpr int kCellCount = kColumns * kBasicRows + kCustomCount;
constexpr WORD kGridId = 0x3100;
constexpr const char16_t* kGridClass = u"#colourgrid";
// The grid tells its parent of a double tap: WM_COMMAND with this code.
constexpr WORD kGridChosen = 1;

DWORD& lastError() {
  static DWORD error = 0;
  return error;
}

// Eight hues in five shades, then greys from white to black.
std::array<COLORREF, kColumns * kBasicRows> basicColours() {
  std::array<COLORREF, kColumns * kBasicRows> out{};
  const double hues[kColumns] = {0, 30, 60, 120, 180, 210, 260, 310};
  const double lightness[kBasicRows - 1] = {0.85, 0.7, 0.5, 0.35, 0.2};
  for (int row = 0; row < kBasicRows - 1; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const double l = lightness[row];
      const double c = (1 - std::fabs(2 * l - 1));
      const double h = hues[col] / 60;
      const double x = c * (1 - std::fabs(std::fmod(h, 2) - 1));
      double rgb[3] = {0, 0, 0};
      const int sector = static_cast<int>(h);
      const int order[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}};
      rgb[order[sector][0]] = c;
      rgb[order[sector][1]] = x;
      const double m = l - c / 2;
      const auto channel = [&](int i) { return static_cast<BYTE>(std::lround((rgb[i] + m) * 255)); };
      out[static_cast<size_t>(row * kColumns + col)] = RGB(channel(0), channel(1), channel(2));
    }
  }
  for (int col = 0; col < kColumns; ++col) {
    const auto g = static_cast<BYTE>(255 - col * 255 / (kColumns - 1));
    out[static_cast<size_t>((kBasicRows - 1) * kColumns + col)] = RGB(g, g, g);
  }
  return out;
}

struct GridState : win::ControlState {
  std::array<COLORREF, kCellCount> colours{};
  int sel = -1;
};

GridState* grid(HWND hwnd) { return stateOf<GridState>(hwnd); }

int labelHeight(HWND hwnd) { return lineHeightOf(hwnd) + px(4); }

int cellSize(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  const int byWidth = (r.right - px(8)) / kColumns;
  const int byHeight = (r.bottom - 2 * labelHeight(hwnd) - px(4)) / (kBasicRows + kCustomCount / kColumns);
  return std::max(px(8), std::min({byWidth, byHeight, px(26)}));
}

RECT cellRect(HWND hwnd, int index) {
  const int cell = cellSize(hwnd);
  const int row = index / kColumns, col = index % kColumns;
  const int basicTop = labelHeight(hwnd);
  const int customTop = basicTop + kBasicRows * cell + labelHeight(hwnd) + px(4);
  const int top = row < kBasicRows ? basicTop + row * cell : customTop + (row - kBasicRows) * cell;
  const int left = px(4) + col * cell;
  return RECT{left, top, left + cell, top + cell};
}

void showChoice(HWND hwnd) {
  const GridState* s = grid(hwnd);
  WCHAR name[8] = u"";
  if (s->sel >= 0) {
    const COLORREF c = s->colours[static_cast<size_t>(s->sel)];
    swprintf(name, u"#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  }
  DefWindowProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
  InvalidateRect(hwnd, nullptr, FALSE);
}

void choose(HWND hwnd, int index) {
  if (index < 0 || index >= kCellCount) return;
  grid(hwnd)->sel = index;
  showChoice(hwnd);
}

void paintGrid(HWND hwnd) {
  PaintScope p(hwnd);
  const GridState* s = grid(hwnd);
  fill(p.dc(), p.client(), kPaper);
  const int cell = cellSize(hwnd);
  text(p.dc(), RECT{px(4), 0, p.client().right, labelHeight(hwnd)}, u"Basic colors:", DT_SINGLELINE | DT_VCENTER, kInk);
  const int customLabel = labelHeight(hwnd) + kBasicRows * cell + px(4);
  text(p.dc(), RECT{px(4), customLabel, p.client().right, customLabel + labelHeight(hwnd)}, u"Custom colors:",
       DT_SINGLELINE | DT_VCENTER, kInk);
  for (int i = 0; i < kCellCount; ++i) {
    const RECT r = cellRect(hwnd, i);
    const RECT swatch{r.left + px(2), r.top + px(2), r.right - px(2), r.bottom - px(2)};
    fill(p.dc(), swatch, s->colours[static_cast<size_t>(i)]);
    frame(p.dc(), swatch, kLine, 1);
  }
  if (s->sel >= 0) {
    const RECT r = cellRect(hwnd, s->sel);
    frame(p.dc(), r, kInk, std::max(1, px(2)));
    if (GetFocus() == hwnd) focusFrame(p.dc(), RECT{r.left - px(1), r.top - px(1), r.right + px(1), r.bottom + px(1)});
  }
}

int cellAt(HWND hwnd, LPARAM lParam) {
  const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  for (int i = 0; i < kCellCount; ++i) {
    const RECT r = cellRect(hwnd, i);
    if (PtInRect(&r, pt)) return i;
  }
  return -1;
}

void arrowKey(HWND hwnd, WPARAM vk) {
  const int sel = std::max(0, grid(hwnd)->sel);
  int next = sel;
  if (vk == VK_LEFT && sel % kColumns > 0) next = sel - 1;
  if (vk == VK_RIGHT && sel % kColumns < kColumns - 1) next = sel + 1;
  if (vk == VK_UP && sel >= kColumns) next = sel - kColumns;
  if (vk == VK_DOWN && sel + kColumns < kCellCount) next = sel + kColumns;
  choose(hwnd, next);
}

LRESULT CALLBACK gridProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paintGrid(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: arrowKey(hwnd, wParam); return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      choose(hwnd, cellAt(hwnd, lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (cellAt(hwnd, lParam) >= 0) sendCommand(hwnd, kGridChosen);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void ensureGridClass() {
  if (win::findClass(kGridClass) != nullptr) return;
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = gridProc;
  wc.lpszClassName = kGridClass;
  RegisterClass(&wc);
  win::findClass(kGridClass)->system = true;
}

void initChooser(HWND dlg, CHOOSECOLORW* cc) {
  SetWindowLong(dlg, DWL_USER, reinterpret_cast<LONG_PTR>(cc));
  SetWindowText(dlg, u"Color");
  const RECT work = win::workArea();
  MoveWindow(dlg, work.left, work.top, work.right - work.left, work.bottom - work.top, FALSE);
  RECT client;
  GetClientRect(dlg, &client);
  const int buttonHeight = lineHeightOf(dlg) + px(8);
  const int buttonTop = client.bottom - buttonHeight - px(6);
  const HWND g =
      CreateWindowEx(0, kGridClass, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, px(2), client.right, buttonTop - px(4),
                     dlg, reinterpret_cast<HMENU>(static_cast<uintptr_t>(kGridId)), nullptr, nullptr);
  const int w = px(60);
  const struct {
    WORD id;
    const char16_t* text;
    DWORD style;
    int x;
  } buttons[] = {{IDOK, u"OK", BS_DEFPUSHBUTTON, client.right / 2 - w - px(4)},
                 {IDCANCEL, u"Cancel", BS_PUSHBUTTON, client.right / 2 + px(4)}};
  for (const auto& b : buttons) {
    CreateWindowEx(0, u"BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | b.style, b.x, buttonTop, w, buttonHeight,
                   dlg, reinterpret_cast<HMENU>(static_cast<uintptr_t>(b.id)), nullptr, nullptr);
  }
  GridState* s = grid(g);
  const auto basic = basicColours();
  std::copy(basic.begin(), basic.end(), s->colours.begin());
  std::copy_n(cc->lpCustColors, kCustomCount, s->colours.begin() + static_cast<long>(basic.size()));
  if (cc->Flags & CC_RGBINIT) {
    const auto found = std::find(s->colours.begin(), s->colours.end(), cc->rgbResult);
    if (found != s->colours.end()) s->sel = static_cast<int>(found - s->colours.begin());
  }
  showChoice(g);
  SetFocus(g);
}

void endChooser(HWND dlg, bool ok) {
  auto* cc = reinterpret_cast<CHOOSECOLORW*>(GetWindowLong(dlg, DWL_USER));
  const GridState* s = grid(GetDlgItem(dlg, kGridId));
  if (ok && s != nullptr && s->sel >= 0) cc->rgbResult = s->colours[static_cast<size_t>(s->sel)];
  EndDialog(dlg, ok ? TRUE : FALSE);
}

INT_PTR CALLBACK chooserProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: initChooser(dlg, reinterpret_cast<CHOOSECOLORW*>(lParam)); return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == kGridId && HIWORD(wParam) == kGridChosen)) {
        endChooser(dlg, true);
      } else if (LOWORD(wParam) == IDCANCEL) {
        endChooser(dlg, false);
      }
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

}  // namespace wince::ctl

using namespace wince::ctl;

DWORD CommDlgExtendedError() { return lastError(); }

BOOL ChooseColor(LPCHOOSECOLORW cc) {
  lastError() = 0;
  if (cc == nullptr || cc->lStructSize != sizeof(CHOOSECOLORW)) {
    lastError() = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (cc->lpCustColors == nullptr) {
    lastError() = CDERR_INITIALIZATION;
    return FALSE;
  }
  ensureGridClass();
  const LPCDLGTEMPLATE tmpl = wince::win::blankDialogTemplate();
  const INT_PTR result =
      DialogBoxIndirectParam(nullptr, tmpl, cc->hwndOwner, chooserProc, reinterpret_cast<LPARAM>(cc));
  if (result < 0) lastError() = CDERR_INITIALIZATION;
  return result > 0 ? TRUE : FALSE;
}
