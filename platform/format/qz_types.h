// Status codes and four-character codes shared by the platform layer.
#pragma once

#include <cstdint>

// Every operation returns a signed 16-bit status: 0 success, negative failure.
using QZStatus = int16_t;

constexpr QZStatus QZ_OK = 0;
constexpr QZStatus QZ_ERR_GENERAL = -1;
constexpr QZStatus QZ_ERR_SIZE_MISMATCH = -4;
constexpr QZStatus QZ_ERR_NO_RESOURCE = -5;
constexpr QZStatus QZ_ERR_NO_MEMORY = -9;
constexpr QZStatus QZ_ERR_OVERRUN = -10;
constexpr QZStatus QZ_ERR_NO_DATABASE = -12;
constexpr QZStatus QZ_ERR_CHECKSUM = -13;
constexpr QZStatus QZ_ERR_VERSION = -14;

// A four-character code: the first character in the top byte.
constexpr uint32_t QZFourCC(const char (&code)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

constexpr uint16_t QZ_NO_ID = 0xFFFF;
