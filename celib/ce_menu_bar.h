// CMenuBar: the owner of a window's shell menu bar, in either of its two
// looks (an icon bar of buttons with popups, or two soft keys whose right
// one opens a popup), with lookups that find a command in either look and
// operations on the buttons and menu items they find.
#pragma once

#include <string>

#include "wince/types.h"
#include "wince/window.h"

// What a lookup found: kind 0 a bar button (handle = its command), kind 1 a
// menu item by command, kind 2 a menu item by position (handle = the menu).
struct CMenuBarItem {
  int kind = 0;
  UINT_PTR handle = 0;
  UINT id = 0;
};

class CMenuBar {
 public:
  CMenuBar(HWND owner, HINSTANCE instance, UINT iconBarId, UINT softkeyBarId, bool softkeyMode, int bitmapId,
           int imageCount, DWORD flags);
  // The bar window belongs to one object only.
  CMenuBar(const CMenuBar&) = delete;
  CMenuBar& operator=(const CMenuBar&) = delete;
  virtual ~CMenuBar();

  bool GetSoftkeyMode() const { return m_bSoftkeyMode; }
  bool SetSoftkeyMode(bool softkeyMode);
  UINT GetBarID() const { return m_bSoftkeyMode ? m_nSoftkeyBarId : m_nIconBarId; }
  bool SetBarID(UINT id);
  HWND GetMenuBarHWND() const { return m_hWndBar; }
  void ShowMenuBar(BOOL show);
  void ShowHideSIP(bool show);
  BOOL IsMenuButtonHidden(UINT command) const;
  void DrawMenuBar() {}
  HMENU GetMenuHandle(DWORD command) const;
  HMENU GetMenuHandle(DWORD command, int position) const;

  bool GetItem_BtnBtn(UINT a, UINT b, CMenuBarItem& item) const;
  bool GetItem_BtnItem(UINT a, UINT b, CMenuBarItem& item) const;
  bool GetItem_BtnSub(UINT a, UINT stringId, CMenuBarItem& item) const;
  bool GetItem_ItemItem(UINT a, UINT b, CMenuBarItem& item) const;
  bool GetItem_ItemItem(UINT button, UINT a, UINT b, CMenuBarItem& item) const;
  bool GetItem_ItemItem(UINT button, UINT a, HMENU menu, UINT b, CMenuBarItem& item) const;
  bool GetItem_SubSub(UINT s1, UINT s2, CMenuBarItem& item) const;
  bool GetItem_SubSub(UINT button, UINT s1, UINT s2, CMenuBarItem& item) const;

  void EnableItem(const CMenuBarItem& item, bool enable);
  // checkState: 0 toggles, 1 checks, anything else unchecks.
  void CheckItem(const CMenuBarItem& item, int checkState);
  void CheckRadioItem(const CMenuBarItem& first, const CMenuBarItem& last, const CMenuBarItem& checked);
  void DeleteItem(const CMenuBarItem& item);
  void ShowItem(const CMenuBarItem& item, bool show);
  void SetItemText(const CMenuBarItem& item, LPCWSTR text);

 private:
  void Create(HWND owner, HINSTANCE instance, UINT iconBarId, UINT softkeyBarId, bool softkeyMode, int bitmapId,
              int imageCount, DWORD flags);
  void Recreate(bool softkeyMode);
  // Position of the popup entry with `text` in `menu` or below it (depth
  // first); *holder receives the menu that holds it. -1 when absent.
  static int GetSubMenuPos(HMENU menu, LPCWSTR text, HMENU* holder);
  bool ButtonItem(UINT command, CMenuBarItem& item) const;
  static bool CommandItem(HMENU menu, UINT command, CMenuBarItem& item);
  bool SubItem(HMENU menu, LPCWSTR text, CMenuBarItem& item) const;
  // The text of a string resource (empty when absent).
  std::u16string ResourceText(UINT id) const;

  HWND m_hWndBar = nullptr;
  HWND m_hWndOwner = nullptr;
  DWORD m_dwFlags = 0;
  HINSTANCE m_hInstance = nullptr;
  UINT m_nIconBarId = 0;
  UINT m_nSoftkeyBarId = 0;
  int m_nBitmapId = 0;
  int m_nImageCount = 0;
  bool m_bSoftkeyMode = false;
  UINT m_nRightSoftkeyCommand = 0;
  HMENU m_hRightSoftkeyMenu = nullptr;
};
