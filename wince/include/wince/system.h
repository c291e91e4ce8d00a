// Device profiles and system information: the emulated handheld's screen,
// dpi, platform and OS identity, and the calls that report them.
//
// The selected device profile is the one source of the screen size, dpi and
// platform strings for the whole runtime. The launcher selects it by name
// before WinMain; tests select one (or a custom profile) in their set-up.
#pragma once

#include <cstdarg>

#include "wince/types.h"

// --- Errors ---
#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_INVALID_FUNCTION 1L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_DATA 13L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_INVALID_NAME 123L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_MORE_DATA 234L
#define ERROR_DIRECTORY 267L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#define ERROR_BADDB 1009L
#define ERROR_MR_MID_NOT_FOUND 317L
#define ERROR_BADKEY 1010L
#define ERROR_KEY_DELETED 1018L
#define ERROR_TIMEOUT 1460L

// Per-thread last error.
DWORD GetLastError();
void SetLastError(DWORD error);

// --- Metrics ---
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CYMENU 15
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CXDRAG 68
#define SM_CYDRAG 69
// The device screen's size for 0/1; sizes of borders, scroll bars and
// icons scaled with the profile's dpi; 0 for anything unknown.
int GetSystemMetrics(int index);

// Dialog base units for the dialog templates' 8-point font: (6, 13) at 96 dpi,
// scaled with the dpi. Horizontal in the low word, vertical in the high word.
LONG GetDialogBaseUnits();

// --- SystemParametersInfo ---
#define SPI_GETWORKAREA 48
#define SPI_SETSIPINFO 224
#define SPI_GETSIPINFO 225
#define SPI_GETPLATFORMTYPE 257
#define SPI_GETOEMINFO 258
// SPI_GETWORKAREA: pv is a RECT, the screen less the top bar.
// SPI_GETPLATFORMTYPE / SPI_GETOEMINFO: pv is a WCHAR buffer of uiParam
// bytes; the text is copied with its terminator, or the call fails with
// ERROR_INSUFFICIENT_BUFFER. Anything else fails with ERROR_INVALID_PARAMETER.
BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pv, UINT winIni);
// The program's instance for a null name (the only module there is); null
// for any other name.
HMODULE GetModuleHandle(LPCWSTR moduleName);
#define GetModuleHandleW GetModuleHandle

// The system's libraries a program may load by name: "Htmlview.dll" (export
// ordinal 1 or "InitHTMLControl"). Any other name fails with
// ERROR_MOD_NOT_FOUND. Each load counts; FreeLibrary undoes one.
typedef void(WINAPI* FARPROC)();
HMODULE LoadLibrary(LPCWSTR fileName);
#define LoadLibraryW LoadLibrary
// By ordinal (MAKEINTRESOURCE) or by name; null with ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE module, LPCWSTR procName);
#define GetProcAddressW GetProcAddress
BOOL FreeLibrary(HMODULE module);
inline BOOL SystemParametersInfoW(UINT action, UINT uiParam, void* pv, UINT winIni) {
  return SystemParametersInfo(action, uiParam, pv, winIni);
}

// --- Version and hardware ---
#define VER_PLATFORM_WIN32_CE 3
typedef struct _OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
} OSVERSIONINFOW, OSVERSIONINFO, *LPOSVERSIONINFOW, *LPOSVERSIONINFO;
BOOL GetVersionEx(LPOSVERSIONINFO info);
inline BOOL GetVersionExW(LPOSVERSIONINFO info) { return GetVersionEx(info); }

#define PROCESSOR_INTEL_PENTIUM 586
#define PROCESSOR_STRONGARM 2577
#define PROCESSOR_ARM720 1824
#define PROCESSOR_ARCHITECTURE_ARM 5
typedef struct _SYSTEM_INFO {
  WORD wProcessorArchitecture;
  WORD wReserved;
  DWORD dwPageSize;
  LPVOID lpMinimumApplicationAddress;
  LPVOID lpMaximumApplicationAddress;
  DWORD_PTR dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
} SYSTEM_INFO, *LPSYSTEM_INFO;
// Reports an ARM processor (PROCESSOR_STRONGARM), one of it.
void GetSystemInfo(LPSYSTEM_INFO info);

// Memory figures are the device's: 32-bit counts of bytes.
typedef struct _MEMORYSTATUS {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  DWORD dwTotalPhys;
  DWORD dwAvailPhys;
  DWORD dwTotalPageFile;
  DWORD dwAvailPageFile;
  DWORD dwTotalVirtual;
  DWORD dwAvailVirtual;
} MEMORYSTATUS, *LPMEMORYSTATUS;
// A fixed 64 MB device with 24 MB free.
void GlobalMemoryStatus(LPMEMORYSTATUS status);

#define AC_LINE_OFFLINE 0
#define AC_LINE_ONLINE 1
#define AC_LINE_UNKNOWN 255
#define BATTERY_FLAG_HIGH 1
#define BATTERY_FLAG_LOW 2
#define BATTERY_FLAG_CRITICAL 4
#define BATTERY_FLAG_CHARGING 8
#define BATTERY_FLAG_NO_BATTERY 128
#define BATTERY_FLAG_UNKNOWN 255
#define BATTERY_PERCENTAGE_UNKNOWN 255
#define BATTERY_LIFE_UNKNOWN 0xFFFFFFFFu
typedef struct _SYSTEM_POWER_STATUS_EX {
  BYTE ACLineStatus;
  BYTE BatteryFlag;
  BYTE BatteryLifePercent;
  BYTE Reserved1;
  DWORD BatteryLifeTime;
  DWORD BatteryFullLifeTime;
  BYTE Reserved2;
  BYTE BackupBatteryFlag;
  BYTE BackupBatteryLifePercent;
  BYTE Reserved3;
  DWORD BackupBatteryLifeTime;
  DWORD BackupBatteryFullLifeTime;
} SYSTEM_POWER_STATUS_EX, *PSYSTEM_POWER_STATUS_EX;
// Mains power and a high battery at 100 % unless a test changed it.
BOOL GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL update);

// --- Language, time and date ---
#define LANG_NEUTRAL 0x00
#define LANG_GERMAN 0x07
#define LANG_ENGLISH 0x09
#define LANG_SPANISH 0x0a
#define LANG_FRENCH 0x0c
#define LANG_ITALIAN 0x10
#define LANG_DUTCH 0x13
#define LANG_NORWEGIAN 0x14
#define LANG_PORTUGUESE 0x16
#define SUBLANG_DEFAULT 0x01
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
// From LC_ALL, LC_MESSAGES or LANG ("de_DE.UTF-8" -> 0x0407, "pt_BR" ->
// 0x0416, ...); 0x0409 (English, United States) when unset, "C" or "POSIX".
LANGID GetUserDefaultLangID();
LCID GetUserDefaultLCID();
LANGID GetSystemDefaultLangID();

// Local time: the host's local time, or under the virtual clock a fixed
// date (Wednesday 2 January 2008, 09:00:00.000) plus the clock's elapsed time,
// so headless runs are deterministic.
void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);

#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002
#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008
// Fixed patterns per primary language of the locale (English "M/d/yyyy" and
// "h:mm:ss tt"; German "dd.MM.yyyy" and "HH:mm:ss"; ...). A picture string
// (d dd ddd dddd M MM MMM MMMM yy yyyy / h hh H HH m mm s ss t tt) overrides
// the pattern; quoted text is copied. Null time = now. Returns the units
// written with the terminator; a size of 0 measures; ERROR_INSUFFICIENT_BUFFER
// when the buffer is too small.
int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR out, int size);
int GetTimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR out, int size);
inline int GetDateFormatW(LCID l, DWORD f, const SYSTEMTIME* t, LPCWSTR p, LPWSTR o, int n) {
  return GetDateFormat(l, f, t, p, o, n);
}
inline int GetTimeFormatW(LCID l, DWORD f, const SYSTEMTIME* t, LPCWSTR p, LPWSTR o, int n) {
  return GetTimeFormat(l, f, t, p, o, n);
}

// --- Display settings ---
#define DM_DISPLAYORIENTATION 0x00800000
#define DM_DISPLAYQUERYORIENTATION 0x01000000
#define DMDO_0 0
#define DMDO_90 1
#define DMDO_180 2
#define DMDO_270 4
#define CDS_TEST 0x00000002
#define CDS_RESET 0x40000000
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_RESTART 1
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define DISP_CHANGE_BADPARAM (-5)
#define CCHDEVICENAME 32
#define CCHFORMNAME 32
typedef struct _devicemodeW {
  WCHAR dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  WCHAR dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmDisplayOrientation;
} DEVMODEW, DEVMODE, *LPDEVMODEW, *LPDEVMODE;
// Orientation only. DM_DISPLAYQUERYORIENTATION with CDS_TEST answers the
// supported orientations in dmDisplayOrientation (DMDO_0 only: the emulated
// display does not rotate); DM_DISPLAYORIENTATION with CDS_TEST reads the
// current one. Setting any orientation but the current one answers
// DISP_CHANGE_BADMODE (unless a test made the display rotatable); setting the
// current one succeeds.
LONG ChangeDisplaySettingsEx(LPCWSTR device, LPDEVMODE mode, HWND hwnd, DWORD flags, LPVOID param);
inline LONG ChangeDisplaySettingsExW(LPCWSTR d, LPDEVMODE m, HWND h, DWORD f, LPVOID p) {
  return ChangeDisplaySettingsEx(d, m, h, f, p);
}

// --- Local heap and system messages ---
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
// The local heap is the C heap. LocalFree returns null on success (and for
// a null handle); LocalReAlloc keeps the block on failure and returns null.
HLOCAL LocalAlloc(UINT flags, size_t bytes);
HLOCAL LocalReAlloc(HLOCAL memory, size_t bytes, UINT flags);
HLOCAL LocalFree(HLOCAL memory);

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
// The emulated system has no message table: every request yields nothing
// (0, ERROR_MR_MID_NOT_FOUND), so callers take their own fallback text.
DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                    va_list* arguments);
inline DWORD FormatMessageW(DWORD f, LPCVOID s, DWORD m, DWORD l, LPWSTR b, DWORD n, va_list* a) {
  return FormatMessage(f, s, m, l, b, n, a);
}

// --- Structured exceptions ---
#define EXCEPTION_NONCONTINUABLE 0x1
// A raised exception travels as a C++ exception of this type until a handler
// (the programs' crash handlers) catches it; the arguments are copied (at
// most EXCEPTION_MAXIMUM_PARAMETERS).
#define EXCEPTION_MAXIMUM_PARAMETERS 15
struct StructuredException {
  DWORD code;
  DWORD flags;
  DWORD argumentCount;
  ULONG_PTR arguments[EXCEPTION_MAXIMUM_PARAMETERS];
};
[[noreturn]] void RaiseException(DWORD code, DWORD flags, DWORD argumentCount, const ULONG_PTR* arguments);

// --- Component interfaces ---
typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID, IID;
typedef const IID& REFIID;
// The base of every reference-counted component interface: Release is its
// third operation.
struct IUnknown {
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};
