// One field's value in the text: read from tokens into a record's bytes,
// and printed back from them. Ids may be written as symbols that a manifest
// declared (strings, and blobs such as fonts and chrome).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "desc_layout.h"

struct DescSymbols {
  std::map<std::string, uint16_t> strings;
  std::map<std::string, uint16_t> blobs;
};

// A decimal or 0x-hexadecimal number up to max.
bool parseDescNumber(const std::string& token, uint32_t max, uint32_t& out);

// Reads the field's value from tokens[pos...] into `record`, advancing pos
// past what it took; false with a reason in `error`.
bool parseFieldValue(const Field& field, const std::vector<std::string>& tokens, size_t& pos,
                     const DescSymbols& symbols, uint8_t* record, std::string& error);
// Writes the value a field has when the text leaves it out.
void writeFieldFallback(const Field& field, uint8_t* record);
// The value as the text writes it.
std::string printFieldValue(const Field& field, const uint8_t* record);
// Whether the field holds the value writeFieldFallback writes.
bool fieldIsFallback(const Field& field, const uint8_t* record);
