// A private device root for fuzz targets that go through database files.
// No folder value is set, so databases live in the current folder (the root).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "../scratch_root.h"
#include "wince/file.h"

inline const std::filesystem::path& fuzzFolder() {
  static const FuzzScratchRoot root("pellwyn-fuzz");
  return root.folder();
}

// Writes the input as <name>.pdb in the scratch folder.
inline void writeFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream out(fuzzFolder() / (name + ".pdb"), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
