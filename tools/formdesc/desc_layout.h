// The byte layouts of form descriptions (aFRM) and menu descriptions (aMNU)
// as tables of named fields: the one place that says where each value lies.
// The text compiler, the writer, the dump and the data checks all walk these
// tables, so a field is named, placed and checked the same way everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Entries of the application's layout-value table: a value index names one.
constexpr uint16_t kDescValueCount = 216;
// Unanchored positions 0xFFF0-0xFFFF are the special places of the gadget area.
constexpr uint16_t kDescSpecialFirst = 0xFFF0;
constexpr uint16_t kDescNone = 0xFFFF;

// How a field's bytes read and print.
enum class FieldKind : uint8_t {
  Number8,  // a plain number
  Number16,
  Number32,
  Level,        // a drawing level, 0-255
  Blob,         // a blob id, or none
  Font,         // a font: the blob id of its first glyph
  String,       // a string id, or none
  Gadget,       // the id of another gadget of the form, or none
  Menu,         // the id of an aMNU description, or none
  Value,        // a value index that must name an entry: T<n>
  ValueOr,      // a value index, or the field's word for 0xFFFF
  Axis,         // 5 bytes: flags, anchor gadget, value index
  Rgb,          // 3 bytes: #rrggbb
  LevelColour,  // 4 bytes: level #rrggbb
  BlobLevel,    // 3 bytes: blob level
  Box,          // 7 bytes: left cap, middle tile, right cap, level
  Blobs,        // `count` blob ids
  Char,         // a character code (8 bits): 'A' or a number
  Flags8,       // named bits
  Flags16,
  Choice8,  // one of named values
};

struct FieldName {
  const char* word;
  uint16_t value;
};

// A field applies only while the 16-bit (or 8-bit) number at `offset` has
// `mask` set (set = true) or clear; mask 0: always.
struct FieldCondition {
  uint16_t offset = 0;
  uint8_t width = 0;
  uint16_t mask = 0;
  bool set = false;
};

struct Field {
  const char* name;
  uint16_t offset;
  FieldKind kind;
  uint32_t fallback = 0;               // the value written when the text leaves the field out
  std::span<const FieldName> names{};  // bits, choices, or the word for 0xFFFF (ValueOr)
  uint8_t count = 0;                   // Blobs: how many ids
  FieldCondition when{};
  bool yAxis = false;  // Axis: y alignment names
};

// A record: fixed fields, optionally followed by repeated sub-records whose
// count the record holds, and fixed sub-records (slots) inside its bytes.
struct RecordLayout;
struct SlotLayout {
  const char* word;
  uint16_t offset;
  const RecordLayout* layout;
};
struct RecordLayout {
  const char* name;  // the kind word in the text
  uint8_t code;      // the kind code in the bytes (gadgets and menus)
  uint16_t size;
  std::span<const Field> fields;
  const RecordLayout* item = nullptr;  // the repeated sub-record
  const char* itemWord = nullptr;
  uint16_t countOffset = 0;
  uint8_t countWidth = 0;  // 1 or 2 bytes; 0 without items
  std::span<const SlotLayout> slots{};
};

const RecordLayout& formHeaderLayout();
// Gadget kinds 1-12; null for any other code or word.
const RecordLayout* gadgetLayout(int code);
const RecordLayout* gadgetLayoutNamed(const std::string& word);
// Menu kinds: 0 quick, 1 bar, 2 popup.
const RecordLayout* menuLayout(int code);
const RecordLayout* menuLayoutNamed(const std::string& word);

// Every field of a layout in byte order: a gadget's shared head first.
std::vector<const Field*> fieldsOf(const RecordLayout& layout);
// Field lookup by name within a layout; null when the layout has none.
const Field* findField(const RecordLayout& layout, const std::string& name);
const SlotLayout* findSlot(const RecordLayout& layout, const std::string& word);
// Whether a field applies to these record bytes (see FieldCondition).
bool fieldApplies(const Field& field, const uint8_t* record);
// Bytes a field takes.
size_t fieldWidth(const Field& field);
