// The resource-script reader on any text: resources or a ScriptError.
#include <cstdint>
#include <string>

#include "rc_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    rc::parseScript(text, "/nonexistent-fuzz-folder", "fuzz.rc");
  } catch (const rc::ScriptError&) {
  }
  return 0;
}
