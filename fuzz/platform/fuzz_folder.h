// A private device root for fuzz targets that go through database files.
// No folder value is set, so databases live in the current folder (the root).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "wince/file.h"
#include "wince/host/file.h"

inline const std::filesystem::path& fuzzFolder() {
  static const std::filesystem::path folder = [] {
    const auto path = std::filesystem::temp_directory_path() / ("pellwyn-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    wince::setDeviceRoot(path);
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
