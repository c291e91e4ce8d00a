#include "ui_state.h"

#include <vector>

#include "ctl_common.h"
#include "menu_internal.h"
#include "shell_menubar.h"
#include "wince/controls.h"
#include "wince/htmlview.h"
#include "wince/host/text.h"
#include "wince/text.h"
#include "wince/window.h"

namespace wince::detail {

namespace {

std::u16string classOf(HWND hwnd) {
  WCHAR cls[64] = {};
  GetClassName(hwnd, cls, 64);
  return cls;
}

std::u16string textOf(HWND hwnd) {
  std::u16string t(static_cast<size_t>(GetWindowTextLength(hwnd)) + 1, u'\0');
  t.resize(static_cast<size_t>(GetWindowText(hwnd, t.data(), static_cast<int>(t.size()))));
  return t;
}

// Top-level windows, topmost first.
std::vector<HWND> topLevels() {
  std::vector<HWND> out;
  for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    if (IsWindowVisible(h)) out.push_back(h);
  }
  return out;
}

HWND findControl(HWND parent, int id) {
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    if (GetDlgCtrlID(c) == id) return c;
    if (HWND inner = findControl(c, id)) return inner;
  }
  return nullptr;
}

// The value a control shows besides its text: a check state or a choice.
std::string valueOf(HWND hwnd, const std::u16string& cls) {
  if (_wcsicmp(cls.c_str(), u"BUTTON") == 0) {
    const DWORD kind = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_GROUPBOX || kind == BS_OWNERDRAW) return "";
    return " value=" + std::to_string(SendMessage(hwnd, BM_GETCHECK, 0, 0));
  }
  if (_wcsicmp(cls.c_str(), WC_HTML) == 0) return " value=" + quoted(ctl::htmlViewText(hwnd));
  LRESULT v = 0;
  if (_wcsicmp(cls.c_str(), u"COMBOBOX") == 0) v = SendMessage(hwnd, CB_GETCURSEL, 0, 0);
  else if (_wcsicmp(cls.c_str(), u"LISTBOX") == 0) v = SendMessage(hwnd, LB_GETCURSEL, 0, 0);
  else if (cls == WC_LISTVIEW) v = SendMessage(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  else if (cls == WC_TABCONTROL) v = SendMessage(hwnd, TCM_GETCURSEL, 0, 0);
  else return "";
  return " value=" + std::to_string(v);
}

std::string stateOf(HWND hwnd) {
  std::string s = IsWindowEnabled(hwnd) ? "enabled" : "disabled";
  HWND focus = GetFocus();
  if (focus != nullptr && (focus == hwnd || IsChild(hwnd, focus))) s += ",focused";
  return s;
}

void dumpDialog(HWND dlg, std::string* out) {
  *out += "dialog: " + quoted(textOf(dlg)) + "\n";
  for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    const std::u16string cls = classOf(c);
    if (cls == u"Dialog") continue;  // child dialogs have lines of their own
    *out += "  control: " + std::to_string(GetDlgCtrlID(c)) + " " + quoted(cls) + " " + quoted(textOf(c)) +
            " state=" + stateOf(c) + valueOf(c, cls) + "\n";
  }
}

void findDialogs(HWND parent, std::string* out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    if (classOf(c) == u"Dialog") dumpDialog(c, out);
    findDialogs(c, out);
  }
}

}  // namespace

std::string quoted(const std::u16string& text) {
  std::string out = "\"";
  for (char c : wideToUtf8(text)) {
    if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

bool controlCentre(int id, POINT* out) {
  for (HWND top : topLevels()) {
    HWND c = findControl(top, id);
    if (c == nullptr) continue;
    RECT r;
    GetWindowRect(c, &r);
    *out = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return true;
  }
  return menuBarButtonCentre(static_cast<UINT>(id), out);
}

bool menuItemCentre(const std::u16string& text, POINT* out) {
  const std::vector<OpenMenu> open = openMenus();
  for (auto level = open.rbegin(); level != open.rend(); ++level) {
    const menus::Menu* m = menus::find(level->menu);
    for (size_t i = 0; m != nullptr && i < m->items.size(); ++i) {
      if (m->items[i].text != text) continue;
      const RECT r = menus::itemRectOnScreen(*level, static_cast<int>(i));
      *out = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      return true;
    }
  }
  return false;
}

std::string dialogsDump() {
  std::string out;
  for (HWND top : topLevels()) {
    if (classOf(top) == u"Dialog") dumpDialog(top, &out);
    findDialogs(top, &out);
  }
  return out;
}

std::string menusDump() {
  std::string out;
  int depth = 0;
  for (const OpenMenu& level : openMenus()) {
    out += "menu: level=" + std::to_string(depth++) + " selected=" + std::to_string(level.selected);
    const menus::Menu* m = menus::find(level.menu);
    for (size_t i = 0; m != nullptr && i < m->items.size(); ++i) {
      const menus::Item& item = m->items[i];
      out += " " + ((item.flags & MF_SEPARATOR) ? std::string("-") : quoted(item.text));
      if (item.flags & (MF_GRAYED | MF_DISABLED)) out += "(grayed)";
      if (item.flags & MF_CHECKED) out += "(checked)";
      if (item.sub != nullptr) out += "(popup)";
    }
    out += "\n";
  }
  return out;
}

}  // namespace wince::detail
