// Images for BITMAP resources: a PNG or BMP file as a device-independent
// bitmap without file header (24 bits, bottom-up, rows padded to 4 bytes;
// a BMP keeps its own header and pixels).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rc {

// Empty with `error` set when the file cannot be read or decoded.
std::vector<uint8_t> loadBitmapAsDib(const std::filesystem::path& file, std::string* error);

}  // namespace rc
