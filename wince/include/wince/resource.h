// Executable resources: a table compiled into each program from its resource
// script by tools/rc (CMake: wince_add_resources(TARGET SCRIPT)), and the
// calls that find and read it.
//
// A resource is keyed by type and name. Both are either an integer
// (MAKEINTRESOURCE) or a string; a custom type such as "SOLDB" or "aFRM" is
// a string type, compared without regard to case. A string name "#123" means
// the integer 123. The instance handle is not used to choose a table: every
// table registered in the process is searched in registration order.
//
// Data layouts (what the resource compiler writes, little-endian):
// - RT_STRING: blocks of 16 strings, block id = string id / 16 + 1; each
//   string is a WORD count followed by that many UTF-16 units, unterminated.
// - RT_DIALOG: the dialog-template layout (DLGTEMPLATE, then menu, class and
//   title as WORD 0 / 0xFFFF+ordinal / terminated text; with DS_SETFONT the
//   point size and face; then each DLGITEMTEMPLATE on a DWORD boundary with
//   its class, title and extra-data count).
// - RT_MENU: MENUITEMTEMPLATEHEADER {0, 0}, then for each item WORD flags
//   (MF_POPUP, MF_END on the last item of a level, MF_SEPARATOR, MF_GRAYED,
//   MF_CHECKED), the WORD command id unless MF_POPUP, and the terminated text.
// - RT_ACCELERATOR: ACCELTABLEENTRY records; FLASTKEY marks the last.
// - RT_BITMAP: a device-independent bitmap without file header
//   (BITMAPINFOHEADER, 24 bits, bottom-up, rows padded to 4 bytes).
// - RT_ICON: the icon image file's bytes (PNG) as the script names them.
// - RT_RCDATA soft-key bars (SOFTKEYBAR statement): SoftKeyBarHeader then
//   buttonCount SoftKeyBarButton records, all WORDs.
#pragma once

#include <cstddef>

#include "wince/types.h"

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)

// --- Layouts ---
#pragma pack(push, 2)
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
} DLGTEMPLATE, *LPDLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
} DLGITEMTEMPLATE, *LPDLGITEMTEMPLATE;

typedef struct {
  WORD versionNumber;
  WORD offset;
} MENUITEMTEMPLATEHEADER;
#pragma pack(pop)

// Accelerator flags and record.
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10
#define FLASTKEY 0x80
typedef struct {
  WORD fFlags;  // F* above
  WORD wAnsi;   // virtual key with FVIRTKEY, else the character
  WORD wId;     // command
  WORD padding;
} ACCELTABLEENTRY;

// Soft-key bar resource (RT_RCDATA): header, then the buttons.
#define I_IMAGENONE 0xFFFE
#define NOMENU 0xFFFF
typedef struct {
  WORD menuId;       // RT_MENU whose popups the buttons open, 0 for none
  WORD buttonCount;
} SoftKeyBarHeader;
typedef struct {
  WORD image;        // I_IMAGENONE
  WORD command;      // WM_COMMAND id sent by the button
  WORD state;        // TBSTATE_ENABLED 0x04
  WORD style;        // TBSTYLE_BUTTON 0 / TBSTYLE_DROPDOWN 8, | TBSTYLE_AUTOSIZE 0x10
  WORD stringId;     // RT_STRING id of the label
  WORD reserved;     // 0
  WORD submenu;      // index of the popup in menuId, or NOMENU
} SoftKeyBarButton;

// Menu item flags used in RT_MENU templates.
#define MF_STRING 0x0000
#define MF_GRAYED 0x0001
#define MF_DISABLED 0x0002
#define MF_CHECKED 0x0008
#define MF_POPUP 0x0010
#define MF_END 0x0080
#define MF_SEPARATOR 0x0800

// Dialog template style that announces a font.
#define DS_SETFONT 0x40L

// --- Calls ---
// FindResource: null with ERROR_RESOURCE_TYPE_NOT_FOUND /
// ERROR_RESOURCE_NAME_NOT_FOUND when absent. LoadResource returns a handle
// that LockResource turns into the read-only data, valid for the life of the
// process; nothing needs freeing.
HRSRC FindResource(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
inline HRSRC FindResourceW(HMODULE m, LPCWSTR n, LPCWSTR t) { return FindResource(m, n, t); }

// Copies string `id` into buffer, truncated to size-1 units and terminated;
// returns the units copied (0 when absent or size < 1; with size 1 only the
// terminator is written). With a null buffer and size 0 it returns the
// length; use LoadStringPointer for the pointer form.
int LoadString(HINSTANCE instance, UINT id, LPWSTR buffer, int size);
inline int LoadStringW(HINSTANCE i, UINT id, LPWSTR b, int n) { return LoadString(i, id, b, n); }
// The pointer form: the read-only, unterminated text of string `id`, whose
// WORD count is the unit just before it (pointer[-1]); null when absent.
// Stands in for LoadString(instance, id, NULL, 0), whose int result cannot
// hold a pointer here.
LPCWSTR LoadStringPointer(HINSTANCE instance, UINT id);

// Handles that stand for the resource data; null when absent.
HACCEL LoadAccelerators(HINSTANCE instance, LPCWSTR name);
HMENU LoadMenu(HINSTANCE instance, LPCWSTR name);
HICON LoadIcon(HINSTANCE instance, LPCWSTR name);
inline HACCEL LoadAcceleratorsW(HINSTANCE i, LPCWSTR n) { return LoadAccelerators(i, n); }
inline HMENU LoadMenuW(HINSTANCE i, LPCWSTR n) { return LoadMenu(i, n); }
inline HICON LoadIconW(HINSTANCE i, LPCWSTR n) { return LoadIcon(i, n); }
// LoadIcon's icons need no freeing; DestroyIcon accepts them, and frees the
// drawable icons of LoadImage and CreateIconIndirect (gdi.h).
BOOL DestroyIcon(HICON icon);
