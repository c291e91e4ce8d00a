// Files and folders of the emulated device.
//
// Device paths use backslashes and start at the device root: "\Program
// Files\Pellwyn\x.pdb" or "Program Files\Pellwyn\x.pdb" (a path without a
// leading backslash counts from the root too; the device has no current
// folder). "." and ".." parts are resolved and never climb above the root.
// Each device path maps to a host path under the device root folder:
// --root DIR, else $WINCE_ROOT, else $XDG_DATA_HOME/wince/<program> (or
// ~/.local/share/wince/<program>). Forward slashes are accepted as
// separators too.
//
// Names on the device are case-insensitive: opening, finding and testing an
// existing file or folder matches its name without regard to case; a new
// name is created as given.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "wince/types.h"

namespace wince {

// The host path of a device path (existing names matched without regard to
// case). Empty for a null path.
std::filesystem::path hostPath(const WCHAR* devicePath);

// A registry value the first-start install sets (see wince/runtime.h).
struct InstallValue {
  const WCHAR* name;
  const WCHAR* data;
};

// Replaces the device file `devicePath` with `size` bytes in one step (a
// temporary file beside it, synced to disk, renamed over the old one): when
// it fails the old file stays whole: false with the last error set.
bool writeDeviceFileAtomically(const WCHAR* devicePath, const void* data, size_t size);

// fopen for a narrow device path (code page 1252, as the device's narrow C
// library takes it), for code that builds its paths in narrow text. Null
// with errno set as fopen would.
FILE* fopenDevicePath(const char* path, const char* mode);

}  // namespace wince

// --- C streams on device paths (the C library's FILE) ---
FILE* _wfopen(const WCHAR* path, const WCHAR* mode);
int _wremove(const WCHAR* path);
int _wrename(const WCHAR* from, const WCHAR* to);

// --- Attributes and find data ---
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

typedef struct _WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwOID;
  WCHAR cFileName[MAX_PATH];
} WIN32_FIND_DATAW, WIN32_FIND_DATA, *LPWIN32_FIND_DATAW, *LPWIN32_FIND_DATA;

// FindFirstFile("folder\*.pdb"): the pattern's last part may hold * and ?,
// matched without regard to case ("*.*" matches names without a dot too).
// The entries of the folder are listed sorted by name (case-insensitive,
// then by exact units), "." and ".." left out. INVALID_HANDLE_VALUE with
// ERROR_FILE_NOT_FOUND (nothing matches) or ERROR_PATH_NOT_FOUND (no such
// folder); FindNextFile ends with ERROR_NO_MORE_FILES. Names longer than
// MAX_PATH-1 units are left out.
HANDLE FindFirstFile(LPCWSTR pattern, LPWIN32_FIND_DATA data);
BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE find);
inline HANDLE FindFirstFileW(LPCWSTR p, LPWIN32_FIND_DATA d) { return FindFirstFile(p, d); }
inline BOOL FindNextFileW(HANDLE f, LPWIN32_FIND_DATA d) { return FindNextFile(f, d); }

// --- Folder and file operations (errors through SetLastError) ---
// CreateDirectory fails with ERROR_ALREADY_EXISTS when the name exists and
// ERROR_PATH_NOT_FOUND when the parent is missing; RemoveDirectory fails with
// ERROR_DIR_NOT_EMPTY on a folder that holds anything. MoveFile fails when
// the target exists; CopyFile with failIfExists too. The device root itself
// cannot be removed, moved or deleted.
typedef void* LPSECURITY_ATTRIBUTES;
BOOL CreateDirectory(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectory(LPCWSTR path);
BOOL DeleteFile(LPCWSTR path);
BOOL MoveFile(LPCWSTR from, LPCWSTR to);
BOOL CopyFile(LPCWSTR from, LPCWSTR to, BOOL failIfExists);
// FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_NORMAL, or FILE_ATTRIBUTE_READONLY
// for a file the program may not write; INVALID_FILE_ATTRIBUTES when absent.
DWORD GetFileAttributes(LPCWSTR path);
inline BOOL CreateDirectoryW(LPCWSTR p, LPSECURITY_ATTRIBUTES s) { return CreateDirectory(p, s); }
inline BOOL RemoveDirectoryW(LPCWSTR p) { return RemoveDirectory(p); }
inline BOOL DeleteFileW(LPCWSTR p) { return DeleteFile(p); }
inline BOOL MoveFileW(LPCWSTR f, LPCWSTR t) { return MoveFile(f, t); }
inline BOOL CopyFileW(LPCWSTR f, LPCWSTR t, BOOL e) { return CopyFile(f, t, e); }
inline DWORD GetFileAttributesW(LPCWSTR p) { return GetFileAttributes(p); }

// --- Handle-based file access (CloseHandle closes) ---
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu
#define INVALID_FILE_SIZE 0xFFFFFFFFu
typedef void* LPOVERLAPPED;

// Sharing is not enforced. CREATE_ALWAYS and OPEN_ALWAYS succeed on an
// existing file with ERROR_ALREADY_EXISTS; CREATE_NEW fails with
// ERROR_FILE_EXISTS; OPEN_EXISTING and TRUNCATE_EXISTING fail with
// ERROR_FILE_NOT_FOUND. A folder cannot be opened (ERROR_ACCESS_DENIED).
HANDLE CreateFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD creation,
                  DWORD flagsAndAttributes, HANDLE templateFile);
inline HANDLE CreateFileW(LPCWSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD c, DWORD f, HANDLE t) {
  return CreateFile(p, a, s, sa, c, f, t);
}
// Reading at the end succeeds with 0 bytes. Reading needs GENERIC_READ,
// writing GENERIC_WRITE (else ERROR_ACCESS_DENIED). overlapped must be null.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
// Returns the new position's low 32 bits (high ones in *distanceHigh when
// given); INVALID_SET_FILE_POINTER with the last error set on failure.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL SetEndOfFile(HANDLE file);
BOOL FlushFileBuffers(HANDLE file);

typedef struct _BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
  DWORD dwOID;
} BY_HANDLE_FILE_INFORMATION, *LPBY_HANDLE_FILE_INFORMATION;
BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info);

// The program's device path (see wince::setModuleFileName); a null module
// means the program. Copies at most size-1 units and terminates; returns the
// units copied, or size with ERROR_INSUFFICIENT_BUFFER when truncated.
DWORD GetModuleFileName(HMODULE module, LPWSTR buffer, DWORD size);
inline DWORD GetModuleFileNameW(HMODULE m, LPWSTR b, DWORD n) { return GetModuleFileName(m, b, n); }
