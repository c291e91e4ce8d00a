// Soft-key bars: a window along the bottom of the screen that shows the
// labels of the two soft keys and turns the soft keys (or a tap on either
// half) into the owner's commands.
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell_chrome.h"
#include "shell_draw.h"
#include "shell_menubar.h"
#include "wince/controls.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/menu.h"
#include "wince/resource.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace wince::detail {

namespace {

constexpr const WCHAR* kBarClass = u"wince_softkeybar";
constexpr COLORREF kBarColor = RGB(24, 40, 72);
constexpr COLORREF kLabelColor = RGB(255, 255, 255);
constexpr COLORREF kRuleColor = RGB(96, 112, 144);

struct Button {
  WORD command;
  WORD submenu;
  std::u16string label;
  WORD image = I_IMAGENONE;
  BYTE state = TBSTATE_ENABLED;
  BYTE style = 0;
};

struct Bar {
  HWND owner = nullptr;
  HMENU menu = nullptr;         // the popups of the buttons
  std::vector<Button> buttons;  // the first two are the soft keys
  std::set<UINT> notifyKeys;
  std::set<UINT> noDefaultKeys;
  HBITMAP images = nullptr;  // the icon bar's pictures side by side, imageCount of them
  int imageCount = 0;
};

// Magenta in the pictures is left out, so the bar shows through.
constexpr COLORREF kImageTransparent = RGB(255, 0, 255);
constexpr BYTE kSeparatorStyle = 0x01;  // TBSTYLE_SEP

bool isSeparator(const Button& b) { return (b.style & kSeparatorStyle) != 0; }

std::map<HWND, Bar>& bars() {
  static std::map<HWND, Bar> all;
  return all;
}

std::set<UINT>& keysDown() {
  static std::set<UINT> down;
  return down;
}

// Reads the soft-key bar resource; false when it is missing or damaged.
bool loadBar(HINSTANCE instance, UINT id, Bar* bar) {
  HRSRC res = FindResource(instance, MAKEINTRESOURCE(id), RT_RCDATA);
  if (!res) return false;
  std::vector<SoftKeyBarButton> buttons;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, res)));
  if (!readSoftKeyBar(data, SizeofResource(instance, res), &buttons)) return false;
  const WORD menuId = static_cast<WORD>(data[0] | (data[1] << 8));
  if (menuId != 0) bar->menu = LoadMenu(instance, MAKEINTRESOURCE(menuId));
  for (const SoftKeyBarButton& b : buttons) {
    WCHAR text[64] = {};
    LoadString(instance, b.stringId, text, 64);
    bar->buttons.push_back(
        {b.command, b.submenu, text, b.image, static_cast<BYTE>(b.state), static_cast<BYTE>(b.style)});
  }
  return true;
}

Bar* barOf(HWND hwnd) {
  auto it = bars().find(hwnd);
  return it == bars().end() ? nullptr : &it->second;
}

constexpr UINT kOpenPopup = WM_USER + 100;  // wParam: the button's index

// A button of the bar was worked: its command goes to the owner, or its
// popup opens (once the bar's window gets to it, outside the key filter).
void press(HWND hwnd, const Bar& bar, size_t index) {
  if (index >= bar.buttons.size()) return;
  const Button& b = bar.buttons[index];
  if (!(b.state & TBSTATE_ENABLED) || (b.state & TBSTATE_HIDDEN)) return;
  if (b.submenu != NOMENU) {
    PostMessage(hwnd, kOpenPopup, index, 0);
    return;
  }
  if (b.command != 0) PostMessage(bar.owner, WM_COMMAND, MAKEWPARAM(b.command, 0), 0);
}

HMENU popupOf(const Bar& bar, size_t index) {
  return index < bar.buttons.size() && bar.buttons[index].submenu != NOMENU
             ? GetSubMenu(bar.menu, bar.buttons[index].submenu)
             : nullptr;
}

// The popup sits on the bar, on the side of its soft key.
void openPopup(HWND hwnd, size_t index) {
  Bar* bar = barOf(hwnd);
  HMENU popup = bar != nullptr ? popupOf(*bar, index) : nullptr;
  if (popup == nullptr) return;
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const bool left = index == 0;
  TrackPopupMenuEx(popup, TPM_BOTTOMALIGN | (left ? TPM_LEFTALIGN : TPM_RIGHTALIGN), left ? rc.left : rc.right, rc.top,
                   bar->owner, nullptr);
}

int indexOf(const Bar& bar, WPARAM command) {
  for (size_t i = 0; i < bar.buttons.size(); ++i) {
    if (bar.buttons[i].command == static_cast<WORD>(command)) return static_cast<int>(i);
  }
  return -1;
}

void setStateBit(HWND hwnd, Bar* bar, WPARAM command, BYTE bit, bool on) {
  const int i = indexOf(*bar, command);
  if (i < 0) return;
  BYTE& state = bar->buttons[static_cast<size_t>(i)].state;
  state = static_cast<BYTE>(on ? state | bit : state & ~bit);
  InvalidateRect(hwnd, nullptr, TRUE);
}

// The toolbar messages a menu bar answers.
LRESULT toolbarMessage(HWND hwnd, Bar* bar, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int i = indexOf(*bar, wParam);
  switch (msg) {
    case TB_ENABLEBUTTON: setStateBit(hwnd, bar, wParam, TBSTATE_ENABLED, LOWORD(lParam) != 0); return i >= 0;
    case TB_CHECKBUTTON: setStateBit(hwnd, bar, wParam, TBSTATE_CHECKED, LOWORD(lParam) != 0); return i >= 0;
    case TB_HIDEBUTTON: setStateBit(hwnd, bar, wParam, TBSTATE_HIDDEN, LOWORD(lParam) != 0); return i >= 0;
    case TB_ISBUTTONHIDDEN: return i >= 0 && (bar->buttons[static_cast<size_t>(i)].state & TBSTATE_HIDDEN);
    case TB_GETSTATE: return i >= 0 ? bar->buttons[static_cast<size_t>(i)].state : -1;
    case TB_COMMANDTOINDEX: return i;
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(bar->buttons.size());
    case TB_DELETEBUTTON:
      if (wParam >= bar->buttons.size()) return FALSE;
      bar->buttons.erase(bar->buttons.begin() + static_cast<long>(wParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case TB_GETBUTTON: {
      auto* out = reinterpret_cast<TBBUTTON*>(lParam);
      if (out == nullptr || wParam >= bar->buttons.size()) return FALSE;
      const Button& b = bar->buttons[wParam];
      *out = TBBUTTON{b.image, b.command, b.state, b.style, {}, 0, 0};
      return TRUE;
    }
    case TB_SETBUTTONINFOW: {
      const auto* info = reinterpret_cast<const TBBUTTONINFOW*>(lParam);
      if (info == nullptr || i < 0) return FALSE;
      if ((info->dwMask & TBIF_TEXT) && info->pszText != nullptr)
        bar->buttons[static_cast<size_t>(i)].label = info->pszText;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    default: return 0;
  }
}

LRESULT subMenuOf(const Bar& bar, LPARAM command) {
  for (size_t i = 0; i < bar.buttons.size(); ++i) {
    if (bar.buttons[i].command == static_cast<WORD>(command)) return reinterpret_cast<LRESULT>(popupOf(bar, i));
  }
  return 0;
}

SoftKeyLabel labelOf(const Bar& bar, size_t index) {
  if (index >= bar.buttons.size() || (bar.buttons[index].state & TBSTATE_HIDDEN)) return {};
  return {bar.buttons[index].label, (bar.buttons[index].state & TBSTATE_ENABLED) != 0};
}

bool hasImage(const Bar& bar, const Button& b) {
  return bar.images != nullptr && b.image != I_IMAGENONE && static_cast<int>(b.image) < bar.imageCount;
}

// An icon bar lays its buttons out from the left: a picture in a square cell
// the bar's height, a text as wide as it is. A bar of two text buttons is a
// soft-key bar: one label at each end.
bool isIconBar(const Bar& bar) {
  if (bar.buttons.size() > 2) return true;
  for (const Button& b : bar.buttons) {
    if (hasImage(bar, b)) return true;
  }
  return false;
}

std::vector<RECT> iconBarCells(HWND hwnd, const Bar& bar, HFONT font) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  HDC hdc = GetDC(hwnd);
  const HGDIOBJ old = SelectObject(hdc, font);
  std::vector<RECT> cells;
  int x = rc.left;
  for (const Button& b : bar.buttons) {
    int w = 0;
    if (b.state & TBSTATE_HIDDEN) {
      w = 0;
    } else if (isSeparator(b)) {
      w = scaled(8);
    } else {
      SIZE size{};
      GetTextExtentPoint32(hdc, b.label.c_str(), static_cast<int>(b.label.size()), &size);
      w = hasImage(bar, b) ? rc.bottom - rc.top : size.cx + 2 * scaled(8);
    }
    cells.push_back(RECT{x, rc.top, x + w, rc.bottom});
    x += w;
  }
  SelectObject(hdc, old);
  ReleaseDC(hwnd, hdc);
  return cells;
}

void paintIconBar(HWND hwnd, HDC hdc, const Bar& bar, HFONT font) {
  const std::vector<RECT> cells = iconBarCells(hwnd, bar, font);
  BITMAP bm{};
  if (bar.images != nullptr) GetObject(bar.images, sizeof bm, &bm);
  const int imageWidth = bar.imageCount > 0 ? bm.bmWidth / bar.imageCount : 0;
  for (size_t i = 0; i < bar.buttons.size(); ++i) {
    const Button& b = bar.buttons[i];
    const RECT& cell = cells[i];
    if (cell.right == cell.left) continue;
    if (isSeparator(b)) {
      const int x = (cell.left + cell.right) / 2;
      const int margin = (cell.bottom - cell.top) / 4;
      fillSolid(hdc, {x, cell.top + margin, x + 1, cell.bottom - margin}, kRuleColor);
      continue;
    }
    if (b.state & TBSTATE_CHECKED) fillSolid(hdc, cell, kRuleColor);
    if (hasImage(bar, b)) {
      const int x = (cell.left + cell.right - imageWidth) / 2, y = (cell.top + cell.bottom - bm.bmHeight) / 2;
      TransparentImage(hdc, x, y, imageWidth, bm.bmHeight, bar.images, b.image * imageWidth, 0, imageWidth, bm.bmHeight,
                       kImageTransparent);
    } else {
      const COLORREF ink = (b.state & TBSTATE_ENABLED) ? kLabelColor : kRuleColor;
      drawLabel(hdc, cell, b.label, DT_SINGLELINE | DT_VCENTER | DT_CENTER, ink, font);
    }
  }
}

// Where each button lies in the bar's client area: the icon bar's cells, or
// the two halves of a soft-key bar.
std::vector<RECT> buttonCells(HWND hwnd, const Bar& bar) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (!isIconBar(bar)) {
    const int middle = (rc.left + rc.right) / 2;
    return {RECT{rc.left, rc.top, middle, rc.bottom}, RECT{middle, rc.top, rc.right, rc.bottom}};
  }
  HFONT font = makeUiFont(scaled(12), true);
  std::vector<RECT> cells = iconBarCells(hwnd, bar, font);
  DeleteObject(font);
  return cells;
}

// The button a tap at x works.
size_t buttonAt(HWND hwnd, const Bar& bar, int x) {
  const std::vector<RECT> cells = buttonCells(hwnd, bar);
  for (size_t i = 0; i < cells.size(); ++i) {
    if (x >= cells[i].left && x < cells[i].right) return i;
  }
  return bar.buttons.size();  // past the last button: nothing
}

void paint(HWND hwnd, const Bar& bar) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (smartphoneChrome() && !isIconBar(bar)) {
    paintSoftKeyBar(hdc, rc, labelOf(bar, 0), labelOf(bar, 1));
    EndPaint(hwnd, &ps);
    return;
  }
  fillSolid(hdc, rc, kBarColor);
  fillSolid(hdc, {rc.left, rc.top, rc.right, rc.top + 1}, kRuleColor);
  HFONT font = makeUiFont(scaled(12), true);
  if (isIconBar(bar)) {
    paintIconBar(hwnd, hdc, bar, font);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
    return;
  }
  int pad = scaled(6);
  RECT left{rc.left + pad, rc.top, (rc.left + rc.right) / 2, rc.bottom};
  RECT right{(rc.left + rc.right) / 2, rc.top, rc.right - pad, rc.bottom};
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (!bar.buttons.empty()) drawLabel(hdc, left, bar.buttons[0].label, format | DT_LEFT, kLabelColor, font);
  if (bar.buttons.size() > 1) drawLabel(hdc, right, bar.buttons[1].label, format | DT_RIGHT, kLabelColor, font);
  DeleteObject(font);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK barProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Bar* bar = barOf(hwnd);
  switch (msg) {
    case WM_PAINT:
      if (bar) {
        paint(hwnd, *bar);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (bar) press(hwnd, *bar, buttonAt(hwnd, *bar, GET_X_LPARAM(lParam)));
      return 0;
    case SHCMBM_OVERRIDEKEY:
      if (bar) {
        UINT vk = static_cast<UINT>(wParam);
        WORD mask = LOWORD(lParam);
        WORD value = HIWORD(lParam);
        auto apply = [&](std::set<UINT>& set, WORD flag) {
          if (!(mask & flag)) return;
          if (value & flag) set.insert(vk);
          else set.erase(vk);
        };
        apply(bar->notifyKeys, SHMBOF_NOTIFY);
        apply(bar->noDefaultKeys, SHMBOF_NODEFAULT);
        return TRUE;
      }
      return FALSE;
    case SHCMBM_GETSUBMENU: return bar ? subMenuOf(*bar, lParam) : 0;
    case SHCMBM_GETMENU: return bar ? reinterpret_cast<LRESULT>(bar->menu) : 0;
    case SHCMBM_SETSUBMENU: return 0;
    case kOpenPopup: openPopup(hwnd, wParam); return 0;
    case TB_ENABLEBUTTON:
    case TB_CHECKBUTTON:
    case TB_HIDEBUTTON:
    case TB_ISBUTTONHIDDEN:
    case TB_GETSTATE:
    case TB_COMMANDTOINDEX:
    case TB_BUTTONCOUNT:
    case TB_DELETEBUTTON:
    case TB_GETBUTTON:
    case TB_SETBUTTONINFOW: return bar ? toolbarMessage(hwnd, bar, msg, wParam, lParam) : 0;
    case WM_DESTROY:
      if (bar) {
        DestroyMenu(bar->menu);
        DeleteObject(bar->images);
      }
      bars().erase(hwnd);
      return 0;
    default: break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND barWindow(const Bar* bar) {
  for (auto& [hwnd, b] : bars()) {
    if (&b == bar) return hwnd;
  }
  return nullptr;
}

bool isSoftKey(UINT vk) { return vk == VK_TSOFT1 || vk == VK_TSOFT2 || vk == VK_TBACK; }

// The bar that takes the soft keys now: the one of the active window.
Bar* activeBar() {
  HWND active = GetActiveWindow();
  Bar* found = nullptr;
  for (auto& [hwnd, bar] : bars()) {
    if (bar.owner == active && active != nullptr) found = &bar;
  }
  return found;
}

bool filterKey(UINT vk, bool down) {
  if (!isSoftKey(vk)) return false;
  bool repeat = down && keysDown().count(vk) > 0;
  if (down) keysDown().insert(vk);
  else keysDown().erase(vk);
  Bar* bar = activeBar();
  if (!bar) return false;
  if (bar->notifyKeys.count(vk)) {
    if (!repeat) PostMessage(bar->owner, WM_HOTKEY, vk, MAKELPARAM(down ? 0 : MOD_KEYUP, vk));
    return false;
  }
  if (bar->noDefaultKeys.count(vk) || vk == VK_TBACK) return false;
  size_t index = vk == VK_TSOFT1 ? 0 : 1;
  if (index >= bar->buttons.size()) return false;
  if (!down) press(barWindow(bar), *bar, index);
  return true;
}

bool registerBarClass(HINSTANCE instance) {
  WNDCLASS wc{};
  if (GetClassInfo(instance, kBarClass, &wc)) return true;
  wc.lpfnWndProc = barProc;
  wc.hInstance = instance;
  wc.lpszClassName = kBarClass;
  return RegisterClass(&wc) != 0;
}

}  // namespace

bool readSoftKeyBar(const BYTE* data, size_t size, std::vector<SoftKeyBarButton>* out) {
  out->clear();
  SoftKeyBarHeader header;
  if (!data || size < sizeof header) return false;
  std::memcpy(&header, data, sizeof header);
  if (size < sizeof header + static_cast<size_t>(header.buttonCount) * sizeof(SoftKeyBarButton)) return false;
  out->resize(header.buttonCount);
  if (header.buttonCount > 0) {
    std::memcpy(out->data(), data + sizeof header, out->size() * sizeof(SoftKeyBarButton));
  }
  return true;
}

int softKeyBarTop() {
  int top = deviceProfile().screenHeight;
  for (auto& [hwnd, bar] : bars()) {
    RECT rc;
    if (IsWindowVisible(hwnd) && GetWindowRect(hwnd, &rc) && rc.bottom == deviceProfile().screenHeight &&
        rc.bottom > rc.top && rc.top < top) {
      top = rc.top;
    }
  }
  return top;
}

std::u16string activeSoftKeyLabels() {
  const Bar* bar = activeBar();
  if (!bar) return u"";
  std::u16string text;
  for (const Button& b : bar->buttons) {
    if (!isSeparator(b)) text += (text.empty() ? u"" : u" | ") + b.label;
  }
  return text;
}

bool menuBarButtonCentre(UINT command, POINT* out) {
  const Bar* bar = activeBar();
  HWND hwnd = barWindow(bar);
  if (bar == nullptr || hwnd == nullptr || !IsWindowVisible(hwnd)) return false;
  const std::vector<RECT> cells = buttonCells(hwnd, *bar);
  for (size_t i = 0; i < bar->buttons.size() && i < cells.size(); ++i) {
    const Button& b = bar->buttons[i];
    if (isSeparator(b) || b.command != static_cast<WORD>(command) || cells[i].right == cells[i].left) continue;
    POINT centre{(cells[i].left + cells[i].right) / 2, (cells[i].top + cells[i].bottom) / 2};
    ClientToScreen(hwnd, &centre);
    *out = centre;
    return true;
  }
  return false;
}

void forgetSoftKeyBars() {
  for (auto& [hwnd, bar] : bars()) {
    DestroyMenu(bar.menu);
    DeleteObject(bar.images);
  }
  bars().clear();
  keysDown().clear();
}

}  // namespace wince::detail

using namespace wince::detail;

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!info || !IsWindow(info->hwndParent)) return FALSE;
  HINSTANCE instance = info->hInstRes ? info->hInstRes : wince::programInstance();
  Bar bar;
  bar.owner = info->hwndParent;
  if (!(info->dwFlags & SHCMBF_EMPTYBAR) && !loadBar(instance, info->nToolBarId, &bar)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return FALSE;
  }
  if (info->nBmpId != 0 && info->cBmpImages > 0) {
    bar.images = LoadBitmap(instance, MAKEINTRESOURCE(info->nBmpId));
    bar.imageCount = bar.images != nullptr ? info->cBmpImages : 0;
  }
  if (!registerBarClass(wince::programInstance())) {
    DeleteObject(bar.images);
    return FALSE;
  }
  const wince::DeviceProfile& p = wince::deviceProfile();
  DWORD style = WS_POPUP | ((info->dwFlags & SHCMBF_HIDDEN) ? 0 : WS_VISIBLE);
  HWND hwnd =
      CreateWindowEx(WS_EX_NOACTIVATE, kBarClass, u"", style, 0, p.screenHeight - p.menuBarHeight, p.screenWidth,
                     p.menuBarHeight, info->hwndParent, nullptr, wince::programInstance(), nullptr);
  if (!hwnd) {
    DeleteObject(bar.images);
    return FALSE;
  }
  bars()[hwnd] = std::move(bar);
  wince::setKeyFilter(filterKey);
  InvalidateRect(hwnd, nullptr, TRUE);
  info->hwndMB = hwnd;
  return TRUE;
}

HWND wince::menuBarOf(HWND owner) {
  HWND found = nullptr;
  for (auto& [hwnd, bar] : bars()) {
    if (bar.owner == owner) found = hwnd;
  }
  return found;
}
