// Menu objects (from RT_MENU templates or built by calls), their items, and
// popup menus tracked modally: a tap on an item or Return chooses it, a tap
// outside or Escape cancels, Up and Down move, Right opens a submenu and
// Left closes it. The owner hears WM_ENTERMENULOOP, WM_INITMENUPOPUP, the
// chosen WM_COMMAND and WM_EXITMENULOOP.
#pragma once

#include "wince/resource.h"
#include "wince/types.h"
#include "wince/window.h"

#define MF_BYCOMMAND 0x0000
#define MF_BYPOSITION 0x0400
#define MF_ENABLED 0x0000
#define MF_UNCHECKED 0x0000
#define MF_RADIOCHECK 0x0200

#define MIIM_STATE 0x0001
#define MIIM_ID 0x0002
#define MIIM_SUBMENU 0x0004
#define MIIM_CHECKMARKS 0x0008
#define MIIM_TYPE 0x0010
#define MIIM_DATA 0x0020
#define MFT_STRING 0x0000
#define MFT_RADIOCHECK 0x0200
#define MFT_SEPARATOR 0x0800
#define MFS_ENABLED 0x0000
#define MFS_UNCHECKED 0x0000
#define MFS_GRAYED 0x0003
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED 0x0008

typedef struct tagMENUITEMINFOW {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPWSTR dwTypeData;
  UINT cch;
} MENUITEMINFOW, MENUITEMINFO, *LPMENUITEMINFOW, *LPMENUITEMINFO;
typedef const MENUITEMINFOW* LPCMENUITEMINFOW;

#define TPM_LEFTALIGN 0x0000
#define TPM_CENTERALIGN 0x0004
#define TPM_RIGHTALIGN 0x0008
#define TPM_TOPALIGN 0x0000
#define TPM_VCENTERALIGN 0x0010
#define TPM_BOTTOMALIGN 0x0020
#define TPM_NONOTIFY 0x0080
#define TPM_RETURNCMD 0x0100

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its submenus.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// flags: MF_STRING, MF_POPUP (id is the submenu), MF_SEPARATOR, MF_GRAYED,
// MF_CHECKED; `position` counts by MF_BYPOSITION or names a command.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text);
// DeleteMenu destroys a submenu it removes; RemoveMenu does not.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
// The command of the item at the position; 0xFFFFFFFF for a submenu or none.
UINT GetMenuItemID(HMENU menu, int position);
// By command, the search goes into submenus.
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
// The previous state (MF_GRAYED / MF_CHECKED bits), or 0xFFFFFFFF without
// such an item.
DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// Runs the popup modally at (x, y) in screen pixels. The chosen command is
// posted to `owner` as WM_COMMAND, or returned with TPM_RETURNCMD (0 when
// nothing was chosen).
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, void* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

#define AppendMenuW AppendMenu
#define InsertMenuW InsertMenu
#define GetMenuItemInfoW GetMenuItemInfo
#define SetMenuItemInfoW SetMenuItemInfo
