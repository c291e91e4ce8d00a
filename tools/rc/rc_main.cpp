// wince-rc: compiles a resource script into C++ source for the runtime's
// resource table.
//   wince-rc SCRIPT OUTPUT.cpp [DEPFILE]
#include <fstream>
#include <iostream>
#include <sstream>

#include "rc_emit.h"
#include "rc_script.h"
#include "tool_file.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: wince-rc SCRIPT OUTPUT.cpp [DEPFILE]\n";
    return 2;
  }
  try {
    rc::Script script = rc::readScript(argv[1]);
    std::ostringstream source;
    rc::emitTable(script, std::filesystem::path(argv[1]).filename().string(), source);
    // Written in one step, so a failed run never leaves half a file.
    std::string error;
    if (!tools::writeWholeFile(argv[2], source.str(), error)) throw rc::ScriptError(error);
    if (argc == 4) {
      std::ofstream dep(argv[3]);
      dep << argv[2] << ":";
      for (const auto& d : script.dependencies) dep << " " << d.string();
      dep << "\n";
    }
  } catch (const std::exception& e) {
    std::cerr << "wince-rc: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
