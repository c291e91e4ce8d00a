// Menu objects: a table of handles (never reused), items by position or by
// command (searched through submenus), and the RT_MENU template reader.
#include <algorithm>
#include <map>
#include <memory>

#include "menu_internal.h"
#include "wince/system.h"
#include "wince/host/resource.h"

namespace wince::menus {

namespace {

struct Table {
  std::map<uintptr_t, std::unique_ptr<Menu>> menus;
  uintptr_t next = 0x10;
};

Table& table() {
  static Table t;
  return t;
}

HMENU add(std::unique_ptr<Menu> m) {
  Table& t = table();
  const uintptr_t handle = t.next;
  t.next += 0x10;
  t.menus[handle] = std::move(m);
  return reinterpret_cast<HMENU>(handle);
}

constexpr int kMaxDepth = 16;

// One level of a template: items until the one marked MF_END.
bool readLevel(const BYTE* data, size_t size, size_t* at, int depth, Menu* out) {
  if (depth > kMaxDepth) return false;
  for (;;) {
    if (*at + 2 > size) return false;
    const WORD flags = static_cast<WORD>(data[*at] | (data[*at + 1] << 8));
    *at += 2;
    Item item;
    item.flags = flags & ~static_cast<UINT>(MF_END);
    if (!(flags & MF_POPUP)) {
      if (*at + 2 > size) return false;
      item.id = static_cast<WORD>(data[*at] | (data[*at + 1] << 8));
      *at += 2;
    }
    for (;;) {
      if (*at + 2 > size) return false;
      const auto ch = static_cast<char16_t>(data[*at] | (data[*at + 1] << 8));
      *at += 2;
      if (ch == 0) break;
      item.text.push_back(ch);
    }
    if (flags & MF_POPUP) {
      auto sub = std::make_unique<Menu>();
      if (!readLevel(data, size, at, depth + 1, sub.get())) {
        for (Item& i : sub->items) DestroyMenu(i.sub);
        return false;
      }
      item.sub = add(std::move(sub));
    }
    out->items.push_back(std::move(item));
    if (flags & MF_END) return true;
  }
}

// The item addressed by position or command; with a command the search goes
// into submenus and *holder is the menu that holds it.
Item* locate(HMENU menu, UINT item, UINT flags, HMENU* holder = nullptr) {
  Menu* m = find(menu);
  if (m == nullptr) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return nullptr;
    if (holder != nullptr) *holder = menu;
    return &m->items[item];
  }
  for (Item& i : m->items) {
    if (!(i.flags & MF_POPUP) && i.id == item) {
      if (holder != nullptr) *holder = menu;
      return &i;
    }
  }
  for (Item& i : m->items) {
    if (i.sub == nullptr) continue;
    if (Item* found = locate(i.sub, item, flags, holder)) return found;
  }
  return nullptr;
}

Item makeItem(UINT flags, UINT_PTR id, LPCWSTR text) {
  Item item;
  item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_RADIOCHECK);
  if (flags & MF_POPUP) {
    item.sub = reinterpret_cast<HMENU>(id);
  } else {
    item.id = static_cast<UINT>(id);
  }
  if (text != nullptr && !(flags & MF_SEPARATOR)) item.text = text;
  return item;
}

}  // namespace

Menu* find(HMENU menu) {
  auto& all = table().menus;
  auto it = all.find(reinterpret_cast<uintptr_t>(menu));
  return it != all.end() ? it->second.get() : nullptr;
}

bool selectable(const Item& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }

}  // namespace wince::menus

namespace wince {

HMENU menuFromTemplate(const BYTE* data, size_t size) {
  if (data == nullptr || size < sizeof(MENUITEMTEMPLATEHEADER)) return nullptr;
  auto m = std::make_unique<menus::Menu>();
  size_t at = sizeof(MENUITEMTEMPLATEHEADER) + static_cast<size_t>(data[2] | (data[3] << 8));
  if (!menus::readLevel(data, size, &at, 0, m.get())) {
    for (menus::Item& i : m->items) DestroyMenu(i.sub);
    return nullptr;
  }
  m->source = data;
  m->sourceSize = static_cast<DWORD>(size);
  return menus::add(std::move(m));
}

const BYTE* menuTemplate(HMENU menu, DWORD* size) {
  const menus::Menu* m = menus::find(menu);
  if (size != nullptr) *size = m != nullptr ? m->sourceSize : 0;
  return m != nullptr ? m->source : nullptr;
}

}  // namespace wince

using namespace wince::menus;

HMENU CreateMenu() { return add(std::make_unique<Menu>()); }
HMENU CreatePopupMenu() { return CreateMenu(); }

BOOL DestroyMenu(HMENU menu) {
  Menu* m = find(menu);
  if (m == nullptr) return FALSE;
  std::vector<HMENU> subs;
  for (const Item& i : m->items) {
    if (i.sub != nullptr) subs.push_back(i.sub);
  }
  table().menus.erase(reinterpret_cast<uintptr_t>(menu));
  for (HMENU sub : subs) DestroyMenu(sub);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return find(menu) != nullptr; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
  Menu* m = find(menu);
  if (m == nullptr) return FALSE;
  m->items.push_back(makeItem(flags, id, text));
  return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text) {
  Menu* m = find(menu);
  if (m == nullptr) return FALSE;
  size_t at = m->items.size();
  if (flags & MF_BYPOSITION) {
    at = std::min<size_t>(position, m->items.size());
  } else {
    const auto it = std::find_if(m->items.begin(), m->items.end(), [&](const Item& i) { return i.id == position; });
    if (it == m->items.end()) return FALSE;
    at = static_cast<size_t>(it - m->items.begin());
  }
  m->items.insert(m->items.begin() + static_cast<long>(at), makeItem(flags & ~MF_BYPOSITION, id, text));
  return TRUE;
}

namespace {

BOOL removeItem(HMENU menu, UINT item, UINT flags, bool destroySub) {
  HMENU holder{};
  Item* found = locate(menu, item, flags, &holder);
  if (found == nullptr) return FALSE;
  const HMENU sub = found->sub;
  Menu* m = find(holder);
  m->items.erase(m->items.begin() + (found - m->items.data()));
  if (destroySub && sub != nullptr) DestroyMenu(sub);
  return TRUE;
}

}  // namespace

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) { return removeItem(menu, item, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags) { return removeItem(menu, item, flags, false); }

HMENU GetSubMenu(HMENU menu, int position) {
  const Item* item = position >= 0 ? locate(menu, static_cast<UINT>(position), MF_BYPOSITION) : nullptr;
  return item != nullptr ? item->sub : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  const Menu* m = find(menu);
  return m != nullptr ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  const Item* item = position >= 0 ? locate(menu, static_cast<UINT>(position), MF_BYPOSITION) : nullptr;
  return item != nullptr && item->sub == nullptr ? item->id : 0xFFFFFFFFu;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info) {
  const Item* found = locate(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (found == nullptr || info == nullptr) return FALSE;
  if (info->fMask & MIIM_STATE) {
    info->fState = ((found->flags & (MF_GRAYED | MF_DISABLED)) ? MFS_GRAYED : 0) | (found->flags & MFS_CHECKED);
  }
  if (info->fMask & MIIM_ID) info->wID = found->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = found->sub;
  if (info->fMask & MIIM_DATA) info->dwItemData = found->data;
  if (info->fMask & MIIM_TYPE) {
    info->fType = found->flags & (MFT_SEPARATOR | MFT_RADIOCHECK);
    if (info->dwTypeData != nullptr && info->cch > 0) {
      const size_t n = std::min<size_t>(found->text.size(), info->cch - 1);
      std::copy_n(found->text.begin(), n, info->dwTypeData);
      info->dwTypeData[n] = 0;
      info->cch = static_cast<UINT>(n);
    } else {
      info->cch = static_cast<UINT>(found->text.size());
    }
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
  Item* found = locate(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (found == nullptr || info == nullptr) return FALSE;
  if (info->fMask & MIIM_STATE) found->flags = (found->flags & ~(MFS_GRAYED | MFS_CHECKED)) | (info->fState & (MFS_GRAYED | MFS_CHECKED));
  if (info->fMask & MIIM_ID) found->id = info->wID;
  if (info->fMask & MIIM_SUBMENU) found->sub = info->hSubMenu;
  if (info->fMask & MIIM_DATA) found->data = info->dwItemData;
  if (info->fMask & MIIM_TYPE) {
    found->flags = (found->flags & ~(MFT_SEPARATOR | MFT_RADIOCHECK)) | (info->fType & (MFT_SEPARATOR | MFT_RADIOCHECK));
    found->text = info->dwTypeData != nullptr && !(info->fType & MFT_SEPARATOR) ? info->dwTypeData : u"";
  }
  return TRUE;
}

DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  Item* found = locate(menu, item, flags & MF_BYPOSITION);
  if (found == nullptr) return 0xFFFFFFFFu;
  const DWORD old = found->flags & (MF_GRAYED | MF_DISABLED);
  found->flags = (found->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  Item* found = locate(menu, item, flags & MF_BYPOSITION);
  if (found == nullptr) return 0xFFFFFFFFu;
  const DWORD old = found->flags & MF_CHECKED;
  found->flags = (found->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  HMENU holder{};
  const Item* a = locate(menu, first, flags & MF_BYPOSITION, &holder);
  const Item* b = locate(menu, last, flags & MF_BYPOSITION);
  Menu* m = find(holder);
  if (a == nullptr || b == nullptr || m == nullptr) return FALSE;
  const auto from = static_cast<size_t>(a - m->items.data());
  const auto to = static_cast<size_t>(b - m->items.data());
  if (to >= m->items.size() || from > to) return FALSE;
  bool found = false;
  for (size_t i = from; i <= to; ++i) {
    Item& it = m->items[i];
    const bool on = (flags & MF_BYPOSITION) ? i == check : it.id == check;
    it.flags = (it.flags & ~MF_CHECKED) | (on ? MF_CHECKED | MF_RADIOCHECK : 0);
    found = found || on;
  }
  return found ? TRUE : FALSE;
}
