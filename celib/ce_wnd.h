// CeMsgWnd, the message cracker that turns each message into a call of one
// virtual handler, and CeWnd, which joins it to CeBaseWnd and adds the
// window-class machinery: the first procedure that binds a new window to
// its object, the steady procedure that dispatches through the object,
// subclassing, superclassing of standard controls under "TheWnd:<name>",
// and the crash handler around every dispatch.
#pragma once

#include "ce_base_wnd.h"
#include "wince/system.h"
#include "wince/types.h"
#include "wince/window.h"

class CeMsgWnd {
 public:
  CeMsgWnd();
  CeMsgWnd(const CeMsgWnd& other) = default;
  CeMsgWnd& operator=(const CeMsgWnd& other) = default;
  virtual ~CeMsgWnd() = default;

  // Hands the message being dispatched to the super procedure (or the
  // platform default).
  virtual LRESULT Default();
  // Cracks `msg` into its handler; `handled` tells whether it took it.
  virtual LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

  virtual void OnChar(UINT ch, UINT repeat, UINT flags, bool& handled);
  virtual void OnClose(bool& handled);
  virtual int OnCreate(CREATESTRUCTW* cs, bool& handled);
  virtual int OnCommand(UINT wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnNotify(int id, NMHDR* header, bool& handled);
  virtual void OnDestroy(bool& handled);
  virtual void OnEnable(BOOL enable, bool& handled);
  virtual int OnEraseBkgnd(HDC dc, bool& handled);
  virtual void OnKeyDown(UINT vk, UINT repeat, UINT flags, bool& handled);
  virtual void OnKeyUp(UINT vk, UINT repeat, UINT flags, bool& handled);
  virtual void OnLButtonDblClk(UINT keys, POINT pt, bool& handled);
  virtual void OnLButtonDown(UINT keys, POINT pt, bool& handled);
  virtual void OnLButtonUp(UINT keys, POINT pt, bool& handled);
  virtual void OnMouseMove(UINT keys, POINT pt, bool& handled);
  virtual void OnMove(int x, int y, bool& handled);
  virtual void OnPaint(bool& handled);
  virtual void OnShowWindow(BOOL show, UINT status, bool& handled);
  // Calls OnOrientationChange when the display orientation changed.
  virtual void OnSize(UINT type, int cx, int cy, bool& handled);
  virtual void OnTimer(UINT id, bool& handled);
  virtual void OnSettingChange(WORD flag, LPCWSTR section, bool& handled);
  virtual void OnOrientationChange(int cx, int cy, bool& handled);
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual void OnFirstMessage(HWND hwnd);
  // After WM_DESTROY, with the window gone from the object: an owner may
  // delete the object here.
  virtual void OnFinalMessage(HWND hwnd);

  // Refreshes m_bNotSquare and forwards to the platform call.
  LONG ChangeDisplaySettingsEx(LPCWSTR device, DEVMODEW* mode, HWND hwnd, DWORD flags, LPVOID param);

  WNDPROC m_pfnSuperProc = nullptr;
  HWND m_hWndCur = nullptr;
  UINT m_uMsg = 0;
  WPARAM m_wParam = 0;
  LPARAM m_lParam = 0;
  DWORD m_nOrientation = 0;
  bool m_bNotSquare = false;

 private:
  // The display orientation now; false when the query failed.
  bool QueryOrientation(DWORD& orientation);
};

class CeWnd : public CeBaseWnd, public CeMsgWnd {
 public:
  CeWnd() = default;
  CeWnd(const CeWnd& other) = default;
  CeWnd& operator=(const CeWnd& other) = default;
  // Unbinds a live window from the object before destroying it, so that no
  // message of its destruction reaches a half-destroyed object.
  ~CeWnd() override;

  // Registers a class whose first procedure is StartWndProc (unregistering
  // the name first). Null instance: the program's module; null brush: white.
  // The cursor and menu name are not used.
  static bool RegisterClassW(LPCWSTR name, UINT style, int cbClsExtra, int cbWndExtra, HICON icon, HCURSOR cursor,
                             HBRUSH background, LPCWSTR menuName, HINSTANCE instance);
  // "TheWnd:GENERIC", registered when it is not there yet.
  static LPCWSTR CreateGenericWndClass(HINSTANCE instance);
  // Registers "TheWnd:<name>" over the system class `name`, whose procedure
  // goes to superProc. 1 when the system has no such class or the
  // superclass exists already; else the new class's atom (0 on failure).
  static int RegisterWndSuperclass(LPCWSTR name, WNDPROC& superProc, bool* registered, HINSTANCE instance);
  // True when `name` is a class of this library.
  static int IsCeWndProc(LPCWSTR name, HINSTANCE instance);

  // 1 when the window was made and bound to this object.
  int Create(LPCWSTR className, HWND parent, const RECT& rc, LPCWSTR windowName, DWORD style, DWORD exStyle,
             UINT id, HINSTANCE instance = nullptr);
  // A null rectangle leaves position and size to the system.
  int Create(LPCWSTR className, HWND parent, const RECT* rc, LPCWSTR windowName, DWORD style, DWORD exStyle,
             HMENU menu, HINSTANCE instance = nullptr);
  int Create(LPCWSTR className, HWND parent, int x, int y, int cx, int cy, LPCWSTR windowName, DWORD style,
             DWORD exStyle, HMENU menu, HINSTANCE instance = nullptr);

  // Dispatches an existing window's messages through this object; 0 when
  // the object has a window already or `hwnd` is no window.
  int Subclass(HWND hwnd);
  int Subclass(UINT id, HWND dialog);
  // Gives the window its own procedure back and detaches it.
  HWND Unsubclass();

  // Part of the interface; does nothing.
  void SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL topMost);

 private:
  static LRESULT CALLBACK StartWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT Dispatch(CeWnd* wnd, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static bool IsLibraryProc(WNDPROC proc);
};

// The crash handler's report: tells the user that the window (its text, or
// "No Window" for null) crashed and asks the program to quit. Returns 0, the
// result the window or dialog procedure hands back.
LRESULT CeReportCrash(HWND window);
