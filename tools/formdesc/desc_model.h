// A form or menu description as records of bytes laid out by the tables of
// desc_layout, and the one writer and the one reader of each format:
//
//   aFRM: the 49-byte header, then one record per gadget (22-byte head and
//         the kind's part; keyboards add their keys, tables their columns)
//   aMNU: kind 1 bar or 2 popup: 43 bytes and 10 bytes per item;
//         kind 0 quick: 36 bytes holding the two soft-key buttons
//
// The writer sets every count from the records it is given; the reader
// checks every size and count against the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "desc_layout.h"

enum class DescType : uint8_t { Form, Menu };

constexpr uint32_t kDescFormType = 0x6146524D;  // aFRM
constexpr uint32_t kDescMenuType = 0x614D4E55;  // aMNU

struct DescRecord {
  const RecordLayout* layout = nullptr;
  std::vector<uint8_t> bytes;     // layout->size bytes; counts are set by the writer
  std::vector<DescRecord> items;  // keys, columns or menu items
  int line = 0;                   // the source line that opened it (0 when read from bytes)
};

struct Description {
  DescType type = DescType::Form;
  uint16_t id = 0;
  DescRecord head;                  // form header, or the whole menu
  std::vector<DescRecord> gadgets;  // forms only
};

uint32_t descResourceType(DescType type);
// A record of the layout holding every field's fallback value.
DescRecord makeRecord(const RecordLayout& layout);

std::vector<uint8_t> writeDescription(const Description& description);
// Reads bytes the writer could have made; false with the reason and the
// byte offset in `error` for anything it cannot place.
bool readDescription(DescType type, uint16_t id, const uint8_t* bytes, size_t size, Description& out,
                     std::string& error);
