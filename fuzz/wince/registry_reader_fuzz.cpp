// The registry file reader on any bytes: a clear refusal or a tree that
// writes back to text the reader accepts again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  wince::detail::RegistryTree tree;
  std::string error;
  if (!wince::detail::readRegistryText(text, tree, &error)) return 0;
  std::string written = wince::detail::writeRegistryText(tree);
  wince::detail::RegistryTree again;
  if (!wince::detail::readRegistryText(written, again, &error)) std::abort();
  if (wince::detail::writeRegistryText(again) != written) std::abort();
  return 0;
}
