// The launcher's side of wince/runtime.h, for its main() and the tests.
#pragma once

#include <string>

#include "wince/runtime.h"

namespace wince {

// The library's main(): parses argv, prepares the device and runs WinMain.
// Returns the process exit code.
int runProgram(const Program& program, int argc, char** argv);

// The runtime's own facts (profile, clock, windows, message boxes, shell
// state), then a line "[program]" and the hook's text.
std::string stateDump();

}  // namespace wince
