// The registry's tree and its text file format.
//
// The file starts with the line "wince-registry 1"; then one record a line:
//   key "<root>\<path>" [class "<class>"]
//   value "<name>" sz "<text>"          REG_SZ of one terminated string
//   value "<name>" dword 0x0000002a     REG_DWORD of exactly 4 bytes
//   value "<name>" <type> hex <bytes>   anything else, bytes as hex digits
// A value belongs to the key line before it. The reader keeps what it can
// of a damaged file (see readRegistryText). Quoted text is UTF-8 with the
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

// A line of the file that the reader left out, and why.
struct RegistryDrop {
  size_t line = 0;  // 1-based
  std::string why;
};

// The file text of a tree.
std::string writeRegistryText(const RegistryTree& tree);
// Reads file text into `tree` (which it empties first) line by line: every
// sound key and value is kept and every damaged line is left out. A value
// line goes with its key line: the values after a key line whose path is
// damaged, or that lists a key a second time, are left out with it (a
// damaged class after a sound path only loses the class). A missing line end
// after the last line is no damage. Returns the lines left out, in order;
// none for a sound file. A file without the header line (an empty one too)
// counts its first line as left out.
std::vector<RegistryDrop> readRegistryText(std::string_view text, RegistryTree& tree);

}  // namespace wince::detail
