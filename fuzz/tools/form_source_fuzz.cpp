// Any text as a form or menu source: refused with a reason, or compiled to
// bytes that the reader takes back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "desc_check.h"
#include "desc_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DescSymbols symbols;
  symbols.strings["TEXT"] = 7;
  symbols.blobs["FONT"] = 240;
  Description d;
  std::string error;
  if (!parseDescription(std::string(reinterpret_cast<const char*>(data), size), symbols, d, error)) return 0;
  checkDescription(d);
  checkReferences(d, DescUniverse{});
  const std::vector<uint8_t> bytes = writeDescription(d);
  Description again;
  if (!readDescription(d.type, d.id, bytes.data(), bytes.size(), again, error)) std::abort();
  printDescription(again);
  return 0;
}
