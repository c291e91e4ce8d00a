// Any bytes as a form (first byte even) or menu (odd) description: refused
// with a reason, or dumped as text that compiles again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "desc_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const DescType type = (data[0] & 1) ? DescType::Menu : DescType::Form;
  Description d;
  std::string error;
  if (!readDescription(type, 1, data + 1, size - 1, d, error)) return 0;
  const std::string text = printDescription(d);
  Description again;
  if (!parseDescription(text, {}, again, error)) {
    std::fprintf(stderr, "the dump does not compile: %s\n%s", error.c_str(), text.c_str());
    std::abort();
  }
  writeDescription(again);
  return 0;
}
