// Base types, handles, structures and macros of the handheld OS API.
// Text is UTF-16 in char16_t; message parameters and window longs are
// pointer-sized; LONG and DWORD stay 32-bit as on the device.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY
#define CONST const

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef int INT;
typedef unsigned int UINT;
typedef int BOOL;
typedef uint8_t BOOLEAN;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef char16_t WCHAR;
typedef WCHAR TCHAR;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef float FLOAT;

typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

typedef WORD ATOM;
typedef DWORD COLORREF;
typedef LONG HRESULT;
typedef UINT MMRESULT;
typedef WORD LANGID;
typedef DWORD LCID;

typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* PVOID;
typedef BYTE* LPBYTE;
typedef BYTE* PBYTE;
typedef WORD* LPWORD;
typedef DWORD* LPDWORD;
typedef DWORD* PDWORD;
typedef LONG* LPLONG;
typedef BOOL* LPBOOL;
typedef INT* LPINT;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR* LPTSTR;
typedef const WCHAR* LPCTSTR;
typedef WCHAR* PWSTR;
typedef const WCHAR* PCWSTR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are opaque values handed out by the runtime's tables: never
// dereferenced, never reused, low four bits zero.
#define WINCE_DECLARE_HANDLE(name) \
  struct name##__ {                \
    int unused;                    \
  };                               \
  typedef struct name##__* name

typedef void* HANDLE;
typedef HANDLE* LPHANDLE;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;
typedef void* HLOCAL;
WINCE_DECLARE_HANDLE(HWND);
WINCE_DECLARE_HANDLE(HINSTANCE);
WINCE_DECLARE_HANDLE(HDC);
WINCE_DECLARE_HANDLE(HBITMAP);
WINCE_DECLARE_HANDLE(HBRUSH);
WINCE_DECLARE_HANDLE(HPEN);
WINCE_DECLARE_HANDLE(HFONT);
WINCE_DECLARE_HANDLE(HRGN);
WINCE_DECLARE_HANDLE(HPALETTE);
WINCE_DECLARE_HANDLE(HICON);
WINCE_DECLARE_HANDLE(HMENU);
WINCE_DECLARE_HANDLE(HACCEL);
WINCE_DECLARE_HANDLE(HKEY);
WINCE_DECLARE_HANDLE(HRSRC);
WINCE_DECLARE_HANDLE(HWAVEOUT);
WINCE_DECLARE_HANDLE(HKL);
WINCE_DECLARE_HANDLE(HIMC);
WINCE_DECLARE_HANDLE(HDWP);
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
typedef HKEY* PHKEY;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *LPMSG;

typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *LPSYSTEMTIME;

typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *LPFILETIME;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);
typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID);

#define LOBYTE(w) (static_cast<BYTE>(static_cast<DWORD_PTR>(w) & 0xff))
#define HIBYTE(w) (static_cast<BYTE>((static_cast<DWORD_PTR>(w) >> 8) & 0xff))
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define MAKEWORD(a, b) (static_cast<WORD>((static_cast<BYTE>(a)) | (static_cast<WORD>(static_cast<BYTE>(b)) << 8)))
#define MAKELONG(a, b) (static_cast<LONG>((static_cast<WORD>(a)) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELRESULT(l, h) (static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(l, h))))
#define GET_X_LPARAM(lp) (static_cast<int>(static_cast<SHORT>(LOWORD(lp))))
#define GET_Y_LPARAM(lp) (static_cast<int>(static_cast<SHORT>(HIWORD(lp))))

#define MAKEINTRESOURCE(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCEW(i) MAKEINTRESOURCE(i)
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)

#define RGB(r, g, b) \
  (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(c) (LOBYTE(c))
#define GetGValue(c) (LOBYTE(static_cast<WORD>(c) >> 8))
#define GetBValue(c) (LOBYTE((c) >> 16))

#define MAKELANGID(p, s) ((static_cast<WORD>(s) << 10) | static_cast<WORD>(p))
#define PRIMARYLANGID(l) (static_cast<WORD>(l) & 0x3ff)

#define S_OK (static_cast<HRESULT>(0))
#define E_FAIL (static_cast<HRESULT>(0x80004005u))
#define E_OUTOFMEMORY (static_cast<HRESULT>(0x8007000Eu))
#define SUCCEEDED(hr) ((static_cast<HRESULT>(hr)) >= 0)
#define FAILED(hr) ((static_cast<HRESULT>(hr)) < 0)

#define INFINITE 0xFFFFFFFFu
#define MAX_PATH 260
