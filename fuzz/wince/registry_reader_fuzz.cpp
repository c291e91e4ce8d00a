// The registry file reader on any bytes: whatever it keeps writes back to
// text that it reads again whole, to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  wince::detail::RegistryTree tree;
  wince::detail::readRegistryText(text, tree);
  std::string written = wince::detail::writeRegistryText(tree);
  wince::detail::RegistryTree again;
  if (!wince::detail::readRegistryText(written, again).empty()) std::abort();
  if (wince::detail::writeRegistryText(again) != written) std::abort();
  return 0;
}
