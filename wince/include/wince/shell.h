// The device shell: soft-key bars, full screen, the input panel, message
// boxes, common-controls set-up, game input and the input method. Calls that
// have nothing to do on the desktop succeed and record what they were asked
// (wince/host/shell.h), so tests can check them.
#pragma once

#include "wince/types.h"
#include "wince/window.h"

// --- Message boxes ---
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u
#define MB_APPLMODAL 0x00000000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

// Drawn by the runtime inside the device screen, centred over the screen,
// and run modally (the owner is disabled meanwhile). Keys: Left/Right move
// between the buttons, Return takes the selected one, the soft keys take the
// first and the last button, Back takes Cancel (else No, else OK). The
// stylus takes the button it is lifted on. Returns IDOK..IDNO; IDCANCEL when
// the program is quitting. Every call is recorded (wince::messageBoxLog).
int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
#define MessageBoxW MessageBox

// --- Soft-key bars ---
#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

typedef struct tagSHMENUBARINFO {
  DWORD cbSize;
  HWND hwndParent;
  DWORD dwFlags;
  UINT nToolBarId;     // soft-key bar resource (RT_RCDATA)
  HINSTANCE hInstRes;
  int nBmpId;
  int cBmpImages;
  HWND hwndMB;         // out: the bar window
  COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

// Makes the bar window at the bottom of the screen, owned by hwndParent,
// with the labels of its first two buttons (left and right soft key). A
// soft key, or a tap on its half of the bar, sends WM_COMMAND with the
// button's command id to the owner. FALSE when the resource is missing or
// damaged.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

#define SHCMBM_SETSUBMENU (WM_USER + 400)
#define SHCMBM_GETSUBMENU (WM_USER + 401)
#define SHCMBM_GETMENU (WM_USER + 402)
// wParam: VK_TSOFT1, VK_TSOFT2 or VK_TBACK; lParam: MAKELPARAM(mask, value)
// of SHMBOF_* flags. With SHMBOF_NOTIFY set the key reaches the owner as
// WM_HOTKEY (lParam MAKELPARAM(modifiers, vk); MOD_KEYUP on release) as well
// as WM_KEYDOWN/WM_KEYUP; with SHMBOF_NODEFAULT the bar does nothing with it.
#define SHCMBM_OVERRIDEKEY (WM_USER + 403)
#define SHMBOF_NODEFAULT 0x00000001
#define SHMBOF_NOTIFY 0x00000002
#define MOD_KEYUP 0x1000

// --- Full screen ---
#define SHFS_SHOWTASKBAR 0x0001
#define SHFS_HIDETASKBAR 0x0002
#define SHFS_SHOWSIPBUTTON 0x0004
#define SHFS_HIDESIPBUTTON 0x0008
#define SHFS_SHOWSTARTICON 0x0010
#define SHFS_HIDESTARTICON 0x0020
BOOL SHFullScreen(HWND hwnd, DWORD state);

// --- Input panel ---
#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001
#define SIPF_DOCKED 0x00000002
#define SIPF_LOCKED 0x00000004
typedef struct tagSIPINFO {
  DWORD cbSize;
  DWORD fdwFlags;
  RECT rcVisibleDesktop;
  RECT rcSipRect;
  DWORD dwImDataSize;
  void* pvImData;
} SIPINFO, *PSIPINFO;
// SPI_GETSIPINFO: the panel is never up; the visible desktop is the work
// area less the soft-key bar (the whole screen below the top bar while the
// program is full screen), and the panel's rectangle starts where it ends.
BOOL SHSipInfo(UINT action, UINT param, void* info, UINT winIni);

// --- Dialogs and activation ---
#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
typedef struct tagSHINITDLGINFO {
  DWORD dwMask;
  HWND hDlg;
  DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;
// Sizes the dialog to the work area less the bar when asked (SHIDIF_SIZEDLG*).
BOOL SHInitDialog(PSHINITDLGINFO info);

typedef struct tagSHACTIVATEINFO {
  DWORD cbSize;
  HWND hwndLastFocus;
  UINT fSipUp : 1;
  UINT fSipOnDeactivation : 1;
  UINT fActive : 1;
  UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;
BOOL SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info, DWORD flags);
BOOL SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// Input-panel preference of a window, the Done button of a dialog, the
// navigation bar's text, the out-of-memory box: recorded (ShellState).
#define SIP_UP 0
#define SIP_DOWN 1
#define SIP_FORCEDOWN 2
#define SIP_UNCHANGED 3
#define SIP_INPUTDIALOG 4
#define SHDB_SHOW 0x0001
#define SHDB_HIDE 0x0002
BOOL SHSipPreference(HWND hwnd, int state);
BOOL SHDoneButton(HWND hwnd, DWORD state);
BOOL SHSetNavBarText(HWND hwnd, LPCWSTR text);

// Tap-and-hold recognition. The desktop has no hold gesture: the call counts
// in the shell's records and answers 0 (no gesture), as a tap that lifts
// before the delay does on the device.
#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define GN_CONTEXTMENU 1000
typedef struct tagSHRGI {
  DWORD cbSize;
  HWND hwndClient;
  POINT ptDown;
  DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;
typedef struct tagNMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
} NMRGINFO, *PNMRGINFO;
DWORD SHRecognizeGesture(SHRGINFO* info);
int SHShowOutOfMemory(HWND owner, UINT flags);

// --- Common controls ---
#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_DATE_CLASSES 0x00000100
#define ICC_COOL_CLASSES 0x00000400
#define ICC_INTERNET_CLASSES 0x00000800
#define ICC_TOOLTIP_CLASSES 0x00001000
#define ICC_CAPEDIT_CLASS 0x00002000
typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// List view and header messages and styles that programs send to controls
// of their own making (the runtime has no list view class).
#define LVS_REPORT 0x0001
#define LVS_TYPEMASK 0x0003
#define LVS_NOSCROLL 0x2000
#define LVM_FIRST 0x1000
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define HDM_FIRST 0x1200
#define HDM_LAYOUT (HDM_FIRST + 5)
// HDM_LAYOUT: the header fits itself into *prc (which it shrinks by its own
// height) and fills *pwpos with where it should go.
typedef struct tagHDLAYOUT {
  RECT* prc;
  WINDOWPOS* pwpos;
} HDLAYOUT, *LPHDLAYOUT;

// --- Notification area (tray) ---
#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004
typedef struct tagNOTIFYICONDATAW {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  WCHAR szTip[64];
} NOTIFYICONDATAW, NOTIFYICONDATA, *PNOTIFYICONDATAW, *PNOTIFYICONDATA;
// Icons are keyed by window and id. NIM_ADD fails for a key already shown,
// NIM_MODIFY and NIM_DELETE for one not shown; NIM_ADD and NIM_MODIFY take
// the fields that uFlags names. Nothing is drawn: the icons are recorded
// (wince::trayIcons).
BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATAW data);
#define Shell_NotifyIconW Shell_NotifyIcon

// --- Game input ---
int GXOpenInput();
int GXCloseInput();

// --- Input method ---
// Every window has one input context, which keeps what the input method
// composed for it. WM_IME_COMPOSITION tells the window that its composition
// changed: lParam holds the GCS_* flags of what changed, wParam the last
// character composed.
#define WM_IME_COMPOSITION 0x010F
#define GCS_RESULTSTR 0x0100  // the result string: text the user finished
#define IMM_ERROR_NODATA (-1)
#define IMM_ERROR_GENERAL (-2)
#define IME_ESC_SET_MODE 0x0800
// The window's context; null for no window. GUI thread only.
HIMC ImmGetContext(HWND hwnd);
// FALSE unless `context` is the window's.
BOOL ImmReleaseContext(HWND hwnd, HIMC context);
// The string `index` of the context's composition, UTF-16 without a
// terminator. With bufferBytes 0: the bytes it needs. Else copies it into
// `buffer` and returns the bytes copied. IMM_ERROR_NODATA for an index other
// than GCS_RESULTSTR; IMM_ERROR_GENERAL for a bad context (or one whose
// window is gone), a null buffer, or a buffer too small for the whole string
// (nothing is copied then).
LONG ImmGetCompositionString(HIMC context, DWORD index, LPVOID buffer, DWORD bufferBytes);
LRESULT ImmEscape(HKL layout, HIMC context, UINT escape, LPVOID data);
HKL GetKeyboardLayout(DWORD threadId);
