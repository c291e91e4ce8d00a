// The runtime's file services for the launcher, the back ends and the tests
// (programs use wince/file.h): the device root, the first-start install and
// whole-file replacement on host paths.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

#include "wince/file.h"

namespace wince {

// The device root folder (host path). setDeviceRoot creates it when missing
// and returns false when it cannot. defaultDeviceRoot(program) is the
// XDG-based default for a program name.
bool setDeviceRoot(const std::filesystem::path& hostFolder);
const std::filesystem::path& deviceRoot();
std::filesystem::path defaultDeviceRoot(std::string_view program);

// The device path ("\..." with backslashes) of a host path under the root;
// empty when the host path lies outside it.
std::u16string devicePath(const std::filesystem::path& hostPath);

// First-start install: what an installer would have done. Creates the
// program's install folder `installDir` (a device path, with every missing
// folder above it) and copies the files of hostDataFolder (with its
// sub-folders) into it, each one that is missing there or older than the
// build's copy, so a rebuild's data arrives and a file the program changed
// later stays; then, in HKEY_LOCAL_MACHINE key `registryKey`, sets each
// REG_SZ value of `values` that does not exist yet. Returns false when a
// folder cannot be made, a copy fails or the registry write fails.
bool installProgram(const std::filesystem::path& hostDataFolder, const WCHAR* installDir, const WCHAR* registryKey,
                    const InstallValue* values, size_t valueCount);

// The program's module path as GetModuleFileName reports it
// ("\Program Files\<program>\<program>.exe"); set by the launcher.
void setModuleFileName(const WCHAR* devicePath);

// Replaces the file `target` in one step: `fill` writes the new contents to
// a temporary file beside it (temporaryFileFor), which is synced to disk and
// renamed over the target. When anything fails the temporary is removed, the
// old file stays whole, and the result is false with errno telling why.
bool writeFileAtomically(const std::filesystem::path& target, const std::function<bool(int fd)>& fill);
bool writeFileAtomically(const std::filesystem::path& target, const void* data, size_t size);
// The same with the contents of the file `from`.
bool copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);
// Where the new contents of `target` are written before the rename.
std::filesystem::path temporaryFileFor(const std::filesystem::path& target);

// Tests: called with the finished temporary file just before each rename;
// returning false fails the write there (errno EIO), as a crash or a full
// disk would. An empty hook removes it.
void setBeforeRenameHookForTest(std::function<bool(const std::filesystem::path& temporary)> hook);

// Tests: the steps of a whole-file write at which a device can fail.
enum class AtomicWriteStep { Write, Flush, Rename };
// Tests: every whole-file write from now on fails at `step` with errno
// `error` (ENOSPC as on a full disk, EIO as on a failing one); error 0 ends
// it. The temporary file is removed and the old file stays whole, as always.
void setAtomicWriteFaultForTest(AtomicWriteStep step, int error);

}  // namespace wince
