// Property sheets: a full-screen dialog holding page dialogs, one shown at a
// time, with a tab strip along the bottom to change pages (or, for a wizard,
// Back, Next, Finish and Cancel buttons). Pages learn of activation, apply
// and cancel through WM_NOTIFY (PSN_*); the sheet answers PSM_* messages.
#pragma once

#include "wince/controls.h"
#include "wince/types.h"
#include "wince/window.h"

// --- Page descriptions ---
#define PSP_DEFAULT 0x0000
#define PSP_DLGINDIRECT 0x0001
#define PSP_USEHICON 0x0002
#define PSP_USEICONID 0x0004
#define PSP_USETITLE 0x0008
#define PSP_USECALLBACK 0x0080

// Page callback messages.
#define PSPCB_RELEASE 1
#define PSPCB_CREATE 2

struct _PROPSHEETPAGEW;
typedef UINT(CALLBACK* LPFNPSPCALLBACKW)(HWND hwnd, UINT msg, struct _PROPSHEETPAGEW* page);

typedef struct _PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCWSTR pszTemplate;
    LPCDLGTEMPLATE pResource;  // PSP_DLGINDIRECT
  };
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszTitle;  // PSP_USETITLE: text, or a string id
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKW pfnCallback;
  UINT* pcRefParent;
} PROPSHEETPAGEW, PROPSHEETPAGE, *LPPROPSHEETPAGEW, *LPPROPSHEETPAGE;
typedef const PROPSHEETPAGEW* LPCPROPSHEETPAGEW;
typedef const PROPSHEETPAGEW* LPCPROPSHEETPAGE;

// --- Sheet header ---
#define PSH_DEFAULT 0x0000
#define PSH_PROPTITLE 0x0001
#define PSH_USEHICON 0x0002
#define PSH_USEICONID 0x0004
#define PSH_PROPSHEETPAGE 0x0008
#define PSH_WIZARD 0x0020
#define PSH_USEPSTARTPAGE 0x0040
#define PSH_NOAPPLYNOW 0x0080
#define PSH_USECALLBACK 0x0100
#define PSH_MODELESS 0x0400
#define PSH_MAXIMIZE 0x2000

// Sheet callback messages.
#define PSCB_INITIALIZED 1
#define PSCB_PRECREATE 2
#define PSCB_GETVERSION 3

typedef int(CALLBACK* PFNPROPSHEETCALLBACK)(HWND hwnd, UINT msg, LPARAM lParam);

typedef struct _PROPSHEETHEADERW {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszCaption;
  UINT nPages;
  union {
    UINT nStartPage;
    LPCWSTR pszStartPage;  // PSH_USEPSTARTPAGE: a page title
  };
  union {
    LPCPROPSHEETPAGEW ppsp;  // PSH_PROPSHEETPAGE
    void* phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;
} PROPSHEETHEADERW, PROPSHEETHEADER, *LPPROPSHEETHEADERW, *LPPROPSHEETHEADER;
typedef const PROPSHEETHEADERW* LPCPROPSHEETHEADERW;
typedef const PROPSHEETHEADERW* LPCPROPSHEETHEADER;

// --- Notifications to the pages (WM_NOTIFY, the header in a PSHNOTIFY) ---
#define PSN_FIRST (0u - 200u)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)

#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

typedef struct _PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

// --- Messages to the sheet ---
#define PSM_SETCURSEL (WM_USER + 101)
#define PSM_REMOVEPAGE (WM_USER + 102)
#define PSM_CHANGED (WM_USER + 104)
#define PSM_RESTARTWINDOWS (WM_USER + 105)
#define PSM_REBOOTSYSTEM (WM_USER + 106)
#define PSM_CANCELTOCLOSE (WM_USER + 107)
#define PSM_QUERYSIBLINGS (WM_USER + 108)
#define PSM_UNCHANGED (WM_USER + 109)
#define PSM_APPLY (WM_USER + 110)
#define PSM_SETWIZBUTTONS (WM_USER + 112)
#define PSM_PRESSBUTTON (WM_USER + 113)
#define PSM_SETCURSELID (WM_USER + 114)
#define PSM_GETTABCONTROL (WM_USER + 116)
#define PSM_ISDIALOGMESSAGE (WM_USER + 117)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)
#define PSM_SETTITLEW (WM_USER + 120)
#define PSM_SETFINISHTEXTW (WM_USER + 121)
#define PSM_SETTITLE PSM_SETTITLEW
#define PSM_SETFINISHTEXT PSM_SETFINISHTEXTW

// PSM_PRESSBUTTON's buttons.
#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6

// PSM_SETWIZBUTTONS's flags.
#define PSWIZB_BACK 0x1
#define PSWIZB_NEXT 0x2
#define PSWIZB_FINISH 0x4
#define PSWIZB_DISABLEDFINISH 0x8

// What a modal sheet answers after OK when a page asked for a restart.
#define ID_PSRESTARTWINDOWS 2
#define ID_PSREBOOTSYSTEM 3

// Runs the sheet: modal, it answers 1 after OK (or ID_PSRESTARTWINDOWS /
// ID_PSREBOOTSYSTEM when a page asked), 0 after Cancel and -1 when the sheet
// could not be made; modeless (PSH_MODELESS), the sheet's window.
INT_PTR PropertySheet(LPCPROPSHEETHEADERW header);
#define PropertySheetW PropertySheet
