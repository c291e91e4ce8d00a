// The registry's tree and its text file format.
//
// The file starts with the line "wince-registry 1"; then one record a line:
//   key "<root>\<path>" [class "<class>"]
//   value "<name>" sz "<text>"          REG_SZ of one terminated string
//   value "<name>" dword 0x0000002a     REG_DWORD of exactly 4 bytes
//   value "<name>" <type> hex <bytes>   anything else, bytes as hex digits
// A value belongs to the key line before it. Quoted text is UTF-8 with the
// escapes \\ \" \n \r \t and \uXXXX (any other unit, e.g. a lone surrogate).
// Roots are HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and
// HKEY_USERS.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "wince/types.h"

namespace wince::detail {

struct RegistryValue {
  std::u16string name;  // as created
  DWORD type = 0;
  std::vector<BYTE> data;
};

// Maps are keyed by the lower-cased name, so lookups ignore case and
// enumeration follows the case-insensitive name order.
struct RegistryKey {
  std::u16string name;
  std::u16string keyClass;
  std::map<std::u16string, RegistryKey> children;
  std::map<std::u16string, RegistryValue> values;
};

// The four roots, indexed by the low bits of the predefined HKEY values.
struct RegistryTree {
  RegistryKey roots[4];
};

std::u16string foldName(std::u16string_view name);
const char* rootName(size_t root);

// The file text of a tree.
std::string writeRegistryText(const RegistryTree& tree);
// Reads file text into `tree` (which it empties first). False, with the
// line number in `error`, for any fault: the caller then starts empty.
bool readRegistryText(std::string_view text, RegistryTree& tree, std::string* error);

}  // namespace wince::detail
