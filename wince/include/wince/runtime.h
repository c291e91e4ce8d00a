// How a program meets the runtime: each executable defines its descriptor
// (wince::kProgram) and links the library's main(), which reads the command
// line, prepares the emulated device and calls the program's WinMain.
//
// Command line (see --help):
//   --headless        no window: the device screen in memory, a virtual clock
//   --script FILE     drive the program from a script (see README.md)
//   --zoom N          window pixels per device pixel (default 2 for a
//                     240-pixel-wide screen, 1 for 480)
//   --root DIR        device root folder (also $WINCE_ROOT)
//   --profile NAME    device profile (default: the program's own)
//   --help
#pragma once

#include <cstddef>
#include <string>

#include "wince/file.h"
#include "wince/types.h"

namespace wince {

// The program's state as plain text, one fact a line, appended to out.
using StateDumpHook = void (*)(std::string& out);

struct Program {
  const char* name;            // executable name: device root folder, messages
  const char* title;           // desktop window title
  const char* profile;         // device profile name
  int (*winMain)(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
  StateDumpHook dumpState;     // may be null; WinMain may set another later

  // First-start install (what an installer would have done); installDir
  // null means nothing to install.
  const char* dataFolder;      // host folder with the data the build made
  const WCHAR* installDir;     // device folder it goes to
  const WCHAR* registryKey;    // HKEY_LOCAL_MACHINE key for the values
  const InstallValue* installValues;
  size_t installValueCount;
};

// Defined by each executable.
extern const Program kProgram;

// The instance handle WinMain receives.
HINSTANCE programInstance();

void setStateDumpHook(StateDumpHook hook);

}  // namespace wince
