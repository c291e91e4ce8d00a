// The registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees of keys and
// typed values, kept in one text file in the device root ("registry.txt")
// and written again (temporary file, then rename) after every change, so a
// crash never loses a change that was reported done.
//
// Key paths use backslashes; names of keys and values are case-insensitive
// and keep the case they were created with. Enumeration lists sub-keys and
// values in name order (case-insensitive). The calls return ERROR_SUCCESS
// (0) or an error code (they do not set the last error).
//
// Loading: the file is read when the first call needs it, or when the device
// root changes, line by line: every sound key and value is kept and a damaged
// line (bad syntax, bad sizes, bad escapes) is left out, with the values of a
// key line whose path is damaged. When anything was left out, a copy of the
// file is kept aside as "registry.txt.damaged.N" (the first N not taken, so
// an older copy is never replaced), the file is written again with what was
// kept, and wince::takeRegistryDamage tells the program. Until the copy could
// be made nothing is written over the damaged file: changes then fail with
// ERROR_WRITE_FAULT.
#pragma once

#include <string>

#include "wince/types.h"

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u)))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

typedef DWORD REGSAM;
typedef void* LPSECURITY_ATTRIBUTES;

// Opens or creates `subKey` (and every missing key above it) under `key`.
// `keyClass` is stored and otherwise ignored; disposition may be null.
LONG RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM sam,
                    LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
// ERROR_FILE_NOT_FOUND when the key does not exist. A null or empty subKey
// opens `key` itself again.
LONG RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM sam, PHKEY result);
LONG RegCloseKey(HKEY key);

// Reads value `name` (null or "" = the key's default value). type and size
// may be null. *size is the buffer size in bytes on entry and the value's size
// on return; a buffer too small gives ERROR_MORE_DATA (nothing copied), a null
// data pointer just measures. REG_SZ sizes include the terminator as stored.
LONG RegQueryValueEx(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
// Stores the bytes as given. Any type may hold any size: a REG_DWORD stored
// with more than 4 bytes keeps them all and reads back the same way.
LONG RegSetValueEx(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValue(HKEY key, LPCWSTR name);
// Deletes subKey with everything below it.
LONG RegDeleteKey(HKEY key, LPCWSTR subKey);

// Enumerates by index; ERROR_NO_MORE_ITEMS past the end. Name sizes are in
// units: on entry the buffer's size including the terminator, on return the
// name's length without it (ERROR_MORE_DATA when it does not fit).
LONG RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                  LPDWORD classSize, LPFILETIME lastWrite);
LONG RegEnumValue(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                  LPBYTE data, LPDWORD dataSize);

inline LONG RegCreateKeyExW(HKEY k, LPCWSTR s, DWORD r, LPWSTR c, DWORD o, REGSAM m, LPSECURITY_ATTRIBUTES a,
                            PHKEY out, LPDWORD d) {
  return RegCreateKeyEx(k, s, r, c, o, m, a, out, d);
}
inline LONG RegOpenKeyExW(HKEY k, LPCWSTR s, DWORD o, REGSAM m, PHKEY out) { return RegOpenKeyEx(k, s, o, m, out); }
inline LONG RegQueryValueExW(HKEY k, LPCWSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s) {
  return RegQueryValueEx(k, n, r, t, d, s);
}
inline LONG RegSetValueExW(HKEY k, LPCWSTR n, DWORD r, DWORD t, const BYTE* d, DWORD s) {
  return RegSetValueEx(k, n, r, t, d, s);
}
inline LONG RegDeleteValueW(HKEY k, LPCWSTR n) { return RegDeleteValue(k, n); }
inline LONG RegDeleteKeyW(HKEY k, LPCWSTR s) { return RegDeleteKey(k, s); }
inline LONG RegEnumKeyExW(HKEY k, DWORD i, LPWSTR n, LPDWORD ns, LPDWORD r, LPWSTR c, LPDWORD cs, LPFILETIME t) {
  return RegEnumKeyEx(k, i, n, ns, r, c, cs, t);
}
inline LONG RegEnumValueW(HKEY k, DWORD i, LPWSTR n, LPDWORD ns, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD ds) {
  return RegEnumValue(k, i, n, ns, r, t, d, ds);
}

namespace wince {

// What the registry left out of a damaged file when it read it.
struct RegistryDamage {
  DWORD droppedLines = 0;  // damaged lines, and the value lines of a damaged key line
  std::u16string copy;     // device path of the copy kept aside; empty while none could be made
};

// Reads the registry file when that has not happened yet. True once after a
// damaged file was read, with what was left out, so the program can tell the
// player; false for a sound file, a missing one, and every later call.
bool takeRegistryDamage(RegistryDamage* damage);

}  // namespace wince
