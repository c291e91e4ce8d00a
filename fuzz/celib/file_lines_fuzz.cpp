// The input as a text file read line by line, as UTF-16 or ANSI text by its
// first two bytes.
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "../scratch_root.h"
#include "ce_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzScratchRoot scratch("celib_file_lines");
  if (!scratch.ready()) return 0;
  {
    std::ofstream out(scratch.folder() / "input.txt", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CeFile file;
  if (!file.OpenText(u"\\input.txt", GENERIC_READ, 0, false)) std::abort();
  WCHAR line[17];
  // Every call consumes at least one unit, so the lines run out.
  size_t calls = 0;
  while (!file.AtEnd()) {
    const int units = file.ReadLine(line, 17);
    if (units < 0 || units > 16 || ++calls > size + 1) std::abort();
  }
  return 0;
}
