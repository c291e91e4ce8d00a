#include "ce_menu_bar.h"

#include <memory>
#include <string>

#include "ce_string.h"
#include "wince/controls.h"
#include "wince/menu.h"
#include "wince/resource.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

// The right soft key's command: the word at byte 20 of the bar resource
// (the second button's command). 0 when the resource is missing or short.
UINT RightSoftkeyCommand(HINSTANCE instance, UINT barId) {
  HRSRC res = ::FindResourceW(instance, MAKEINTRESOURCE(barId), RT_RCDATA);
  if (res == nullptr || ::SizeofResource(instance, res) < 22) return 0;
  const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(instance, res)));
  return static_cast<UINT>(data[20] | (data[21] << 8));
}

}  // namespace

CMenuBar::CMenuBar(HWND owner, HINSTANCE instance, UINT iconBarId, UINT softkeyBarId, bool softkeyMode, int bitmapId,
                   int imageCount, DWORD flags) {
  Create(owner, instance, iconBarId, softkeyBarId, softkeyMode, bitmapId, imageCount, flags);
}

CMenuBar::~CMenuBar() {
  if (m_hWndBar != nullptr) ::DestroyWindow(m_hWndBar);
}

void CMenuBar::Create(HWND owner, HINSTANCE instance, UINT iconBarId, UINT softkeyBarId, bool softkeyMode,
                      int bitmapId, int imageCount, DWORD flags) {
  m_hWndOwner = owner;
  m_hInstance = instance;
  m_nIconBarId = iconBarId;
  m_nSoftkeyBarId = softkeyBarId;
  m_bSoftkeyMode = softkeyMode;
  m_nBitmapId = bitmapId;
  m_nImageCount = imageCount;
  m_dwFlags = flags;
  m_hWndBar = nullptr;
  m_nRightSoftkeyCommand = 0;
  m_hRightSoftkeyMenu = nullptr;
  if (softkeyMode && softkeyBarId == 0) return;
  if (owner == nullptr || instance == nullptr) {
    ::MessageBoxW(nullptr, u"Window was empty.", nullptr, MB_OK);
    return;
  }
  SHMENUBARINFO mbi{};
  mbi.cbSize = sizeof mbi;
  mbi.hwndParent = owner;
  mbi.dwFlags = flags;
  mbi.nToolBarId = softkeyMode ? softkeyBarId : iconBarId;
  mbi.hInstRes = instance;
  mbi.nBmpId = softkeyMode ? 0 : bitmapId;
  mbi.cBmpImages = softkeyMode ? 0 : imageCount;
  if (!SHCreateMenuBar(&mbi)) {
    CeString text;
    GetErrorText(text, ::GetLastError());
    ::MessageBoxW(nullptr, text.GetString(), nullptr, MB_ICONERROR | MB_TOPMOST);
    return;
  }
  m_hWndBar = mbi.hwndMB;
  ::ShowWindow(m_hWndBar, SW_SHOW);
  if (!softkeyMode) return;
  m_nRightSoftkeyCommand = RightSoftkeyCommand(instance, softkeyBarId);
  if (m_nRightSoftkeyCommand != 0) {
    m_hRightSoftkeyMenu = reinterpret_cast<HMENU>(::SendMessageW(m_hWndBar, SHCMBM_GETSUBMENU, 0, m_nRightSoftkeyCommand));
  }
}

void CMenuBar::Recreate(bool softkeyMode) {
  if (m_hWndBar != nullptr) {
    SHFullScreen(m_hWndBar, SHFS_HIDETASKBAR);
    ::DestroyWindow(m_hWndBar);
    m_hWndBar = nullptr;
  }
  Create(m_hWndOwner, m_hInstance, m_nIconBarId, m_nSoftkeyBarId, softkeyMode, m_nBitmapId, m_nImageCount, m_dwFlags);
  if (m_hWndBar != nullptr) SHFullScreen(m_hWndBar, SHFS_SHOWTASKBAR);
}

bool CMenuBar::SetSoftkeyMode(bool softkeyMode) {
  if (softkeyMode == m_bSoftkeyMode) return false;
  Recreate(softkeyMode);
  return true;
}

bool CMenuBar::SetBarID(UINT id) {
  if (id == GetBarID()) return false;
  if (m_bSoftkeyMode) {
    m_nSoftkeyBarId = id;
  } else {
    m_nIconBarId = id;
  }
  Recreate(m_bSoftkeyMode);
  return true;
}

void CMenuBar::ShowMenuBar(BOOL show) {
  if (m_hWndBar != nullptr) ::ShowWindow(m_hWndBar, show ? SW_SHOW : SW_HIDE);
}

void CMenuBar::ShowHideSIP(bool show) { SHFullScreen(m_hWndOwner, show ? SHFS_SHOWSIPBUTTON : SHFS_HIDESIPBUTTON); }

BOOL CMenuBar::IsMenuButtonHidden(UINT command) const {
  return m_hWndBar != nullptr ? static_cast<BOOL>(::SendMessageW(m_hWndBar, TB_ISBUTTONHIDDEN, command, 0)) : FALSE;
}

HMENU CMenuBar::GetMenuHandle(DWORD command) const {
  if (m_hWndBar == nullptr) return nullptr;
  if (m_bSoftkeyMode) command = m_nRightSoftkeyCommand;
  return reinterpret_cast<HMENU>(::SendMessageW(m_hWndBar, SHCMBM_GETSUBMENU, 0, command));
}

HMENU CMenuBar::GetMenuHandle(DWORD command, int position) const {
  if (m_hWndBar == nullptr) return nullptr;
  HMENU menu = GetMenuHandle(command);
  return m_bSoftkeyMode ? ::GetSubMenu(menu, position) : menu;
}

std::u16string CMenuBar::ResourceText(UINT id) const {
  LPCWSTR text = ::LoadStringPointer(m_hInstance, id);
  return text != nullptr ? std::u16string(text, text[-1]) : std::u16string();
}

bool CMenuBar::ButtonItem(UINT command, CMenuBarItem& item) const {
  item = CMenuBarItem{0, command, 0};
  return true;
}

bool CMenuBar::CommandItem(HMENU menu, UINT command, CMenuBarItem& item) {
  if (menu == nullptr) return false;
  item = CMenuBarItem{1, reinterpret_cast<UINT_PTR>(menu), command};
  return true;
}

bool CMenuBar::SubItem(HMENU menu, LPCWSTR text, CMenuBarItem& item) const {
  if (menu == nullptr || text == nullptr) return false;
  HMENU holder = nullptr;
  const int pos = GetSubMenuPos(menu, text, &holder);
  if (pos < 0) return false;
  item = CMenuBarItem{2, reinterpret_cast<UINT_PTR>(holder), static_cast<UINT>(pos)};
  return true;
}

int CMenuBar::GetSubMenuPos(HMENU menu, LPCWSTR text, HMENU* holder) {
  const size_t len = wcslen(text);
  std::u16string buffer(len + 2, u'\0');
  for (UINT pos = 0;; ++pos) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = buffer.data();
    info.cch = static_cast<UINT>(len + 2);
    if (!::GetMenuItemInfoW(menu, pos, TRUE, &info)) return -1;
    if (info.hSubMenu == nullptr) continue;
    if (wcscmp(buffer.c_str(), text) == 0) {
      *holder = menu;
      return static_cast<int>(pos);
    }
    const int inner = GetSubMenuPos(info.hSubMenu, text, holder);
    if (inner >= 0) return inner;
  }
}

bool CMenuBar::GetItem_BtnBtn(UINT a, UINT b, CMenuBarItem& item) const {
  if (m_bSoftkeyMode && b == 0) return false;
  return ButtonItem(m_bSoftkeyMode ? b : a, item);
}

bool CMenuBar::GetItem_BtnItem(UINT a, UINT b, CMenuBarItem& item) const {
  return m_bSoftkeyMode ? CommandItem(m_hRightSoftkeyMenu, b, item) : ButtonItem(a, item);
}

bool CMenuBar::GetItem_BtnSub(UINT a, UINT stringId, CMenuBarItem& item) const {
  if (!m_bSoftkeyMode) return ButtonItem(a, item);
  WCHAR text[50] = {};
  ::LoadStringW(m_hInstance, stringId, text, 50);  // at most 49 characters take part
  return SubItem(m_hRightSoftkeyMenu, text, item);
}

bool CMenuBar::GetItem_ItemItem(UINT a, UINT b, CMenuBarItem& item) const {
  if (m_bSoftkeyMode) return CommandItem(m_hRightSoftkeyMenu, b, item);
  if (m_hWndBar == nullptr) return false;
  TBBUTTON button{};
  for (WPARAM i = 0; ::SendMessageW(m_hWndBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)); ++i) {
    auto popup = reinterpret_cast<HMENU>(::SendMessageW(m_hWndBar, SHCMBM_GETSUBMENU, 0, button.idCommand));
    if (popup == nullptr) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    if (::GetMenuItemInfoW(popup, a, FALSE, &info)) return CommandItem(popup, a, item);
  }
  return false;
}

bool CMenuBar::GetItem_ItemItem(UINT button, UINT a, UINT b, CMenuBarItem& item) const {
  return m_bSoftkeyMode ? CommandItem(m_hRightSoftkeyMenu, b, item) : CommandItem(GetMenuHandle(button), a, item);
}

bool CMenuBar::GetItem_ItemItem(UINT button, UINT a, HMENU menu, UINT b, CMenuBarItem& item) const {
  return m_bSoftkeyMode ? CommandItem(menu, b, item) : CommandItem(GetMenuHandle(button), a, item);
}

bool CMenuBar::GetItem_SubSub(UINT s1, UINT s2, CMenuBarItem& item) const {
  if (m_bSoftkeyMode) return SubItem(m_hRightSoftkeyMenu, ResourceText(s2).c_str(), item);
  if (m_hWndBar == nullptr) return false;
  const std::u16string text = ResourceText(s1);
  TBBUTTON button{};
  for (WPARAM i = 0; ::SendMessageW(m_hWndBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)); ++i) {
    auto popup = reinterpret_cast<HMENU>(::SendMessageW(m_hWndBar, SHCMBM_GETSUBMENU, 0, button.idCommand));
    if (popup != nullptr && SubItem(popup, text.c_str(), item)) return true;
  }
  return false;
}

bool CMenuBar::GetItem_SubSub(UINT button, UINT s1, UINT s2, CMenuBarItem& item) const {
  if (m_bSoftkeyMode) return SubItem(m_hRightSoftkeyMenu, ResourceText(s2).c_str(), item);
  return SubItem(GetMenuHandle(button), ResourceText(s1).c_str(), item);
}

void CMenuBar::EnableItem(const CMenuBarItem& item, bool enable) {
  const auto menu = reinterpret_cast<HMENU>(item.handle);
  const UINT state = enable ? MF_ENABLED : MF_GRAYED;
  if (item.kind == 0 && m_hWndBar != nullptr) {
    ::SendMessageW(m_hWndBar, TB_ENABLEBUTTON, item.handle, MAKELONG(enable ? 1 : 0, 0));
  } else if (item.kind == 1) {
    ::EnableMenuItem(menu, item.id, MF_BYCOMMAND | state);
  } else if (item.kind == 2) {
    ::EnableMenuItem(menu, item.id, MF_BYPOSITION | state);
  }
}

void CMenuBar::CheckItem(const CMenuBarItem& item, int checkState) {
  if (item.kind == 0 && m_hWndBar != nullptr) {
    bool check = checkState == 1;
    if (checkState == 0) {
      const LRESULT state = ::SendMessageW(m_hWndBar, TB_GETSTATE, item.handle, 0);
      check = state != -1 && !(state & TBSTATE_CHECKED);
    }
    ::SendMessageW(m_hWndBar, TB_CHECKBUTTON, item.handle, MAKELONG(check ? 1 : 0, 0));
  } else if (item.kind == 1) {
    const auto menu = reinterpret_cast<HMENU>(item.handle);
    bool check = checkState == 1;
    if (checkState == 0) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STATE;
      check = ::GetMenuItemInfoW(menu, item.id, FALSE, &info) && !(info.fState & MFS_CHECKED);
    }
    ::CheckMenuItem(menu, item.id, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
  }
}

void CMenuBar::CheckRadioItem(const CMenuBarItem& first, const CMenuBarItem& last, const CMenuBarItem& checked) {
  if (first.kind != 1) return;
  ::CheckMenuRadioItem(reinterpret_cast<HMENU>(first.handle), first.id, last.id, checked.id, MF_BYCOMMAND);
}

void CMenuBar::DeleteItem(const CMenuBarItem& item) {
  if (item.kind == 0 && m_hWndBar != nullptr) {
    const LRESULT index = ::SendMessageW(m_hWndBar, TB_COMMANDTOINDEX, item.handle, 0);
    ::SendMessageW(m_hWndBar, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
  } else if (item.kind == 1 || item.kind == 2) {
    ::DeleteMenu(reinterpret_cast<HMENU>(item.handle), item.id, item.kind == 1 ? MF_BYCOMMAND : MF_BYPOSITION);
  }
}

void CMenuBar::ShowItem(const CMenuBarItem& item, bool show) {
  if (item.kind == 0 && m_hWndBar != nullptr) {
    ::SendMessageW(m_hWndBar, TB_HIDEBUTTON, item.handle, MAKELONG(show ? 0 : 1, 0));
  }
}

void CMenuBar::SetItemText(const CMenuBarItem& item, LPCWSTR text) {
  if (item.kind == 0 && m_hWndBar != nullptr) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<LPWSTR>(text);
    info.cchText = static_cast<int>(wcslen(text));
    ::SendMessageW(m_hWndBar, TB_SETBUTTONINFOW, item.handle, reinterpret_cast<LPARAM>(&info));
  } else if (item.kind == 1 || item.kind == 2) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<LPWSTR>(text);
    ::SetMenuItemInfoW(reinterpret_cast<HMENU>(item.handle), item.id, item.kind == 2, &info);
  }
}
