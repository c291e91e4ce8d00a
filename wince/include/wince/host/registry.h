// The registry file, for the launcher and the tests (programs use
// wince/registry.h).
#pragma once

#include <filesystem>

#include "wince/registry.h"

namespace wince {

// The registry file of the current device root.
std::filesystem::path registryFilePath();
// Drops the loaded registry (open keys become invalid) so the next call
// reads the file again; used when the device root changes and by tests.
void reloadRegistry();

}  // namespace wince
