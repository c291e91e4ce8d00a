// A private scratch folder for fuzz targets that go through database files:
// folder slot 0 points at it and every other slot gives no folder.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "qz_database_folders.h"

inline const std::filesystem::path& fuzzFolder() {
  static const std::filesystem::path folder = [] {
    const auto path = std::filesystem::temp_directory_path() / ("pellwyn-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    const std::string s = path.string();
    QZSetDatabaseFolderSource([s](int slot, std::u16string& out) {
      if (slot == 0) out.assign(s.begin(), s.end());
      return slot == 0;
    });
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(fuzzFolder(), ec);
    });
    return path;
  }();
  return folder;
}

// Writes the input as <name>.pdb in the scratch folder.
inline void writeFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream out(fuzzFolder() / (name + ".pdb"), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
