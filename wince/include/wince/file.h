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
#include <string_view>

#include "wince/types.h"

namespace wince {

// The device root folder (host path). setDeviceRoot creates it when missing
// and returns false when it cannot. defaultDeviceRoot(program) is the
// XDG-based default for a program name.
bool setDeviceRoot(const std::filesystem::path& hostFolder);
const std::filesystem::path& deviceRoot();
std::filesystem::path defaultDeviceRoot(std::string_view program);

// The host path of a device path (existing names matched without regard to
// case). Empty for a null path.
std::filesystem::path hostPath(const WCHAR* devicePath);
// The device path ("\..." with backslashes) of a host path under the root;
// empty when the host path lies outside it.
std::u16string devicePath(const std::filesystem::path& hostPath);

// First-start install: what an installer would have done. Creates the
// program's install folder `installDir` (a device path) when missing and
// copies every file of hostDataFolder into it that is not there yet (files
// the program changed stay as they are); then, in HKEY_LOCAL_MACHINE key
// `registryKey`, sets each REG_SZ value of `values` that does not exist yet.
// Returns false when the folder cannot be made or a copy or the registry
// write fails.
struct InstallValue {
  const WCHAR* name;
  const WCHAR* data;
};
bool installProgram(const std::filesystem::path& hostDataFolder, const WCHAR* installDir, const WCHAR* registryKey,
                    const InstallValue* values, size_t valueCount);

// The program's module path as GetModuleFileName reports it
// ("\Program Files\<program>\<program>.exe"); set by the launcher.
void setModuleFileName(const WCHAR* devicePath);

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
// FILE_ATTRIBUTE_DIRECTORY or FILE_ATTRIBUTE_NORMAL (| READONLY when the
// host file is not writable); INVALID_FILE_ATTRIBUTES when absent.
DWORD GetFileAttributes(LPCWSTR path);
inline BOOL CreateDirectoryW(LPCWSTR p, LPSECURITY_ATTRIBUTES s) { return CreateDirectory(p, s); }
inline BOOL RemoveDirectoryW(LPCWSTR p) { return RemoveDirectory(p); }
inline BOOL DeleteFileW(LPCWSTR p) { return DeleteFile(p); }
inline BOOL MoveFileW(LPCWSTR f, LPCWSTR t) { return MoveFile(f, t); }
inline BOOL CopyFileW(LPCWSTR f, LPCWSTR t, BOOL e) { return CopyFile(f, t, e); }
inline DWORD GetFileAttributesW(LPCWSTR p) { return GetFileAttributes(p); }

// The program's device path (see wince::setModuleFileName); a null module
// means the program. Copies at most size-1 units and terminates; returns the
// units copied, or size with ERROR_INSUFFICIENT_BUFFER when truncated.
DWORD GetModuleFileName(HMODULE module, LPWSTR buffer, DWORD size);
inline DWORD GetModuleFileNameW(HMODULE m, LPWSTR b, DWORD n) { return GetModuleFileName(m, b, n); }
