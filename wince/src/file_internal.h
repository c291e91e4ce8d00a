// Helpers shared by the file calls.
#pragma once

#include <filesystem>
#include <string>

#include "wince/types.h"

namespace wince::detail {

// A host file name (UTF-8 bytes) as UTF-16, and back.
std::u16string hostNameToWide(const std::string& name);

// Sets the last error from errno and returns FALSE.
BOOL failFromErrno(int error);

// True when the host path is the device root itself.
bool isDeviceRoot(const std::filesystem::path& host);

// FILETIME (100 ns since 1601) of a host time in seconds and nanoseconds.
FILETIME fileTimeOf(int64_t seconds, int64_t nanoseconds);

}  // namespace wince::detail
