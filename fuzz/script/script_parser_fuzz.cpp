#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<wince::detail::ScriptCommand> commands;
  std::string error;
  bool ok = wince::detail::parseScript(std::string_view(reinterpret_cast<const char*>(data), size), &commands, &error);
  // A script is either read whole or refused whole, with a message.
  if (ok == error.empty() && (ok || commands.empty())) return 0;
  __builtin_trap();
}
