// Whole files for the build-time tools. Reading says clearly why a file
// cannot be read (a folder, a missing or unreadable file) instead of taking a
// folder as an empty file. Writing replaces the output in one step: the bytes
// go to "<name>.tmp" beside it, are flushed to disk and renamed over it; on
// any failure (a full disk, a folder in the way) the temporary file is
// removed and the old output stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tools {

// False with `error` naming the file and the reason.
bool readWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& out, std::string& error);
bool readWholeFile(const std::filesystem::path& path, std::string& out, std::string& error);

// False with `error` naming the file and the reason.
bool writeWholeFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error);
inline bool writeWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, std::string& error) {
  return writeWholeFile(path, bytes.data(), bytes.size(), error);
}
inline bool writeWholeFile(const std::filesystem::path& path, const std::string& text, std::string& error) {
  return writeWholeFile(path, text.data(), text.size(), error);
}

}  // namespace tools
