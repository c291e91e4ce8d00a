// Windows, the message queue, timers, painting, input state, accelerators,
// modal loops and dialogs of the handheld OS, plus the hooks a back end uses
// to feed input in and run the program's loops.
//
// All window calls belong to one GUI thread (the first thread that creates a
// window or reads the queue). PostMessage and PostThreadMessage are safe from
// any thread; SendMessage from another thread waits until the GUI thread
// takes the message from its queue.
#pragma once

#include <cstdint>

#include "wince/resource.h"
#include "wince/types.h"

// ---------------------------------------------------------------------------
// Messages

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SYSCOLORCHANGE 0x0015
#define WM_SHOWWINDOW 0x0018
#define WM_SETTINGCHANGE 0x001A
#define WM_CANCELMODE 0x001F
#define WM_NEXTDLGCTL 0x0028
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_DELETEITEM 0x002D
#define WM_VKEYTOITEM 0x002E
#define WM_CHARTOITEM 0x002F
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_QUERYDRAGICON 0x0037
#define WM_COMPAREITEM 0x0039
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NOTIFY 0x004E
#define WM_HELP 0x0053
#define WM_STYLECHANGED 0x007D
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_GETDLGCODE 0x0087
#define WM_KEYFIRST 0x0100
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_DEADCHAR 0x0103
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_KEYLAST 0x0108
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_INITMENUPOPUP 0x0117
#define WM_MENUCHAR 0x0120
#define WM_ENTERIDLE 0x0121
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MOUSELAST 0x0209
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212
#define WM_CAPTURECHANGED 0x0215
#define WM_IME_REQUEST 0x0288
#define WM_CUT 0x0300
#define WM_COPY 0x0301
#define WM_PASTE 0x0302
#define WM_CLEAR 0x0303
#define WM_HOTKEY 0x0312
#define WM_USER 0x0400
#define WM_APP 0x8000

// WM_ACTIVATE low word
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// WM_SIZE wParam
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

// Mouse key flags in wParam of stylus messages
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008

// Scroll requests (WM_HSCROLL/WM_VSCROLL low word)
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8

// ---------------------------------------------------------------------------
// Classes, styles, window longs

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_NOCLOSE 0x0200
#define CS_GLOBALCLASS 0x4000

#define WS_OVERLAPPED 0x00000000u
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_CLIPSIBLINGS 0x04000000u
#define WS_CLIPCHILDREN 0x02000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_DLGFRAME 0x00400000u
#define WS_VSCROLL 0x00200000u
#define WS_HSCROLL 0x00100000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_GROUP 0x00020000u
#define WS_TABSTOP 0x00010000u

#define WS_EX_DLGMODALFRAME 0x00000001u
#define WS_EX_TOPMOST 0x00000008u
#define WS_EX_WINDOWEDGE 0x00000100u
#define WS_EX_CLIENTEDGE 0x00000200u
#define WS_EX_CONTROLPARENT 0x00010000u
#define WS_EX_STATICEDGE 0x00020000u
#define WS_EX_NOACTIVATE 0x08000000u
#define WS_EX_CAPTIONOKBTN 0x80000000u

#define CW_USEDEFAULT (static_cast<int>(0x80000000u))

// Window longs are pointer-sized. Non-negative indices address the class's
// extra bytes in 4-byte steps (each slot holds a full pointer-sized value);
// DWL_* are those slots of a dialog.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define DWL_MSGRESULT 0
#define DWL_DLGPROC 4
#define DWL_USER 8
#define DLGWINDOWEXTRA 12

typedef struct tagWNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
} WNDCLASSW, WNDCLASS, *PWNDCLASS, *LPWNDCLASS, *LPWNDCLASSW;

typedef struct tagCREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTW, CREATESTRUCT, *LPCREATESTRUCT, *LPCREATESTRUCTW;

typedef struct tagWINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
} WINDOWPOS, *LPWINDOWPOS;

typedef struct tagNMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
} NMHDR, *LPNMHDR;

ATOM RegisterClass(const WNDCLASSW* wc);
BOOL UnregisterClass(LPCWSTR className, HINSTANCE hInstance);
BOOL GetClassInfo(HINSTANCE hInstance, LPCWSTR className, WNDCLASSW* out);
int GetClassName(HWND hwnd, LPWSTR buf, int n);

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int cx, int cy,
                    HWND parent, HMENU menuOrId, HINSTANCE hInstance, LPVOID param);
inline HWND CreateWindow(LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int cx, int cy, HWND parent,
                         HMENU menuOrId, HINSTANCE hInstance, LPVOID param) {
  return CreateWindowEx(0, className, title, style, x, y, cx, cy, parent, menuOrId, hInstance, param);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

LONG_PTR GetWindowLong(HWND hwnd, int index);
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);
int GetWindowText(HWND hwnd, LPWSTR buf, int n);
int GetWindowTextLength(HWND hwnd);
BOOL SetWindowText(HWND hwnd, LPCWSTR text);

// ---------------------------------------------------------------------------
// Tree, z-order, search

#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

#define HWND_TOP (reinterpret_cast<HWND>(0))
#define HWND_BOTTOM (reinterpret_cast<HWND>(1))
#define HWND_TOPMOST (reinterpret_cast<HWND>(-1))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(-2))

// A child's parent, or a popup's owner; NULL for an unowned top-level window.
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDesktopWindow();
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId);
// Within this process first; for a class that another process of this user
// has published (its first top-level window of that class), a stand-in
// handle whose SetForegroundWindow raises that process's window. The title
// is matched only within this process.
HWND FindWindow(LPCWSTR className, LPCWSTR title);
HWND ChildWindowFromPoint(HWND parent, POINT pt);
HWND WindowFromPoint(POINT pt);

// ---------------------------------------------------------------------------
// Geometry

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200

BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count);
BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP dwp, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL EndDeferWindowPos(HDWP dwp);
BOOL BringWindowToTop(HWND hwnd);
// Windows carry no menu of their own here (soft-key bars are windows):
// TRUE for a live window.
BOOL DrawMenuBar(HWND hwnd);
// Stores a rectangular region (its bounding box) that clips painting and hit
// testing; the window owns the region afterwards. NULL removes it.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn);

// ---------------------------------------------------------------------------
// State: show, enable, activate, focus, capture

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9

BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// Masks the low bits of the handle. Raises another process's window through
// a handle FindWindow returned for it. The desktop window coming forward
// deactivates the program, as losing the desktop focus does.
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// ---------------------------------------------------------------------------
// Message queue

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Waits for one of the objects (thread.h) or, with a non-zero wake mask,
// for anything GetMessage would hand out; WAIT_OBJECT_0 + count means
// input. The timeout counts on the runtime's clock.
#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_INPUT (QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_KEY)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_ALLEVENTS | QS_SENDMESSAGE)
#define MWMO_WAITALL 0x0001
#define MWMO_ALERTABLE 0x0002
#define MWMO_INPUTAVAILABLE 0x0004
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD timeoutMs, DWORD wakeMask, DWORD flags);
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD timeoutMs, DWORD wakeMask);
DWORD GetMessagePos();
LONG GetMessageTime();

// ---------------------------------------------------------------------------
// Timers: WM_TIMER is made when the queue holds nothing else, at most one per
// timer at a time; setting an existing id again restarts it.

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---------------------------------------------------------------------------
// Painting

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

#define RDW_INVALIDATE 0x0001
#define RDW_ERASE 0x0004
#define RDW_UPDATENOW 0x0100
#define RDW_ALLCHILDREN 0x0080

#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL UpdateWindow(HWND hwnd);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
// The update area is one rectangle: the region receives it.
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// A DC on the client area (the whole screen for NULL) / the whole window.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags);

// ---------------------------------------------------------------------------
// Scroll bars and carets

#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2

#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS 0x0010
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)

typedef struct tagSCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
} SCROLLINFO, *LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;

// The position is kept within [nMin, nMax - max(nPage, 1) + 1]. The runtime
// draws the bars of WS_VSCROLL/WS_HSCROLL windows, and stylus taps and drags
// on them arrive as WM_VSCROLL/WM_HSCROLL (SB_LINE*, SB_PAGE*, SB_THUMBTRACK,
// SB_THUMBPOSITION, SB_ENDSCROLL).
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT pt);

// ---------------------------------------------------------------------------
// Clipboard (within the process). Data handed to SetClipboardData comes from
// LocalAlloc and belongs to the clipboard from then on.

#define CF_TEXT 1
#define CF_UNICODETEXT 13

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

// ---------------------------------------------------------------------------
// Keys and accelerators

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD9 0x69
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_F23 0x86
// The handheld's own names for its keys.
#define VK_TSOFT1 VK_F1
#define VK_TSOFT2 VK_F2
#define VK_TTALK VK_F3
#define VK_TEND VK_F4
#define VK_TVOLUMEUP VK_F6
#define VK_TVOLUMEDOWN VK_F7
#define VK_TBACK VK_ESCAPE
#define VK_TACTION VK_F23
#define VK_APP1 0xC1
#define VK_APP2 0xC2
#define VK_APP3 0xC3
#define VK_APP4 0xC4

// Bit 0x8000: the key is down now (a plain array read, fed by injectKey).
SHORT GetAsyncKeyState(int vk);

// The table comes from LoadAccelerators (resource.h). On WM_KEYDOWN (or
// WM_CHAR for character entries) matching an entry, with Shift, Control and
// Alt exactly as the entry asks: sends WM_COMMAND(MAKEWPARAM(cmd, 1), 0) to
// hwnd and answers 1; otherwise 0.
int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg);

// ---------------------------------------------------------------------------
// Dialogs

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

#define DS_MODALFRAME 0x80
#define DS_CENTER 0x0800

#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// Button check state (buttons keep it once their own code arrives).
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001


INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam);
INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE tmpl, HWND owner, DLGPROC proc, LPARAM initParam);
HWND CreateDialogParam(HINSTANCE hInstance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam);
HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE tmpl, HWND owner, DLGPROC proc,
                               LPARAM initParam);
BOOL EndDialog(HWND dlg, INT_PTR result);
LRESULT DefDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// For a message of the dialog or its controls: Tab and Shift+Tab move the
// focus between tab stops, Return sends IDOK and Escape IDCANCEL (unless the
// control asks for the key through WM_GETDLGCODE); anything else is
// translated and dispatched. TRUE when the message was the dialog's.
BOOL IsDialogMessage(HWND dlg, LPMSG msg);
HWND GetDlgItem(HWND dlg, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL SetDlgItemText(HWND dlg, int id, LPCWSTR text);
UINT GetDlgItemText(HWND dlg, int id, LPWSTR buf, int n);
LRESULT SendDlgItemMessage(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL MapDialogRect(HWND dlg, LPRECT rect);
// The item's text as a decimal number (optional sign when `isSigned`);
// *translated (may be null) is FALSE and the result 0 when the text is not
// a number in range.
UINT GetDlgItemInt(HWND dlg, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned);
// BM_SETCHECK to every item from firstId to lastId: checked for checkId.
BOOL CheckRadioButton(HWND dlg, int firstId, int lastId, int checkId);
// The next (or previous) tab stop after `control`, wrapping around; the
// first one for a null control.
HWND GetNextDlgTabItem(HWND dlg, HWND control, BOOL previous);
// The next (or previous) visible, enabled control of `control`'s group
// (a group starts at a WS_GROUP control), wrapping within the group.
HWND GetNextDlgGroupItem(HWND dlg, HWND control, BOOL previous);

// ---------------------------------------------------------------------------
// Wide-name aliases used by programs that spell the calls with a W

#define RegisterClassW RegisterClass
#define UnregisterClassW UnregisterClass
#define GetClassInfoW GetClassInfo
#define GetClassNameW GetClassName
#define CreateWindowExW CreateWindowEx
#define CreateWindowW CreateWindow
#define DefWindowProcW DefWindowProc
#define CallWindowProcW CallWindowProc
#define GetWindowLongW GetWindowLong
#define SetWindowLongW SetWindowLong
#define GetWindowLongPtr GetWindowLong
#define SetWindowLongPtr SetWindowLong
#define GetWindowLongPtrW GetWindowLong
#define SetWindowLongPtrW SetWindowLong
#define GetWindowTextW GetWindowText
#define GetWindowTextLengthW GetWindowTextLength
#define SetWindowTextW SetWindowText
#define FindWindowW FindWindow
#define GetMessageW GetMessage
#define PeekMessageW PeekMessage
#define DispatchMessageW DispatchMessage
#define SendMessageW SendMessage
#define SendNotifyMessageW SendNotifyMessage
#define PostMessageW PostMessage
#define PostThreadMessageW PostThreadMessage
#define TranslateAcceleratorW TranslateAccelerator
#define DialogBoxParamW DialogBoxParam
#define DialogBoxIndirectParamW DialogBoxIndirectParam
#define CreateDialogParamW CreateDialogParam
#define CreateDialogIndirectParamW CreateDialogIndirectParam
#define DefDlgProcW DefDlgProc
#define IsDialogMessageW IsDialogMessage
#define SetDlgItemTextW SetDlgItemText
#define GetDlgItemTextW GetDlgItemText
#define SendDlgItemMessageW SendDlgItemMessage
