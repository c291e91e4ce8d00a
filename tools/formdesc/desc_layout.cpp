#include "desc_layout.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

using K = FieldKind;

constexpr FieldName kNone[] = {{"none", kDescNone}};
constexpr FieldName kAuto[] = {{"auto", kDescNone}};
constexpr FieldName kFit[] = {{"fit", kDescNone}};
constexpr FieldName kSame[] = {{"same", 0}};
constexpr FieldName kAlign[] = {{"left", 0}, {"centre", 1}, {"right", 2}};
constexpr FieldName kAccept[] = {{"letters", 1}, {"digits", 2}, {"glyphs", 4}, {"lower", 8}};
constexpr FieldName kScrollBar[] = {{"scrollbar", 2}};
constexpr FieldName kColumnFlags[] = {{"image", 1}};
constexpr FieldName kPlacement[] = {{"top", 1}, {"bottom", 2}, {"left", 4}, {"right", 8}};
constexpr FieldName kQuickPlacement[] = {{"top", 1}, {"up", 2}};
constexpr FieldName kItemFlags[] = {{"blob", 0x0002},     {"submenu", 0x0004}, {"icon", 0x0008},
                                    {"disabled", 0x0100}, {"hidden", 0x0200},  {"marked", 0x0400}};
constexpr FieldName kButtonFlags[] = {{"submenu", 2}};

constexpr uint32_t kOpaqueBlack = 0xFF000000;  // level 255, colour #000000

// Arrays of fields joined into one, for the parts that several records share.
template <size_t... N>
constexpr std::array<Field, (N + ...)> join(const std::array<Field, N>&... parts) {
  std::array<Field, (N + ...)> out{};
  size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), out.begin() + at), at += N), ...);
  return out;
}

// The scroll bar's arrows, track and thumb from offset `at` (list, scroll
// text and table).
constexpr std::array<Field, 7> scrollBar(uint16_t at) {
  return {{{"arrow-up", at, K::Blob, kDescNone},
           {"arrow-up-pressed", static_cast<uint16_t>(at + 2), K::Blob, kDescNone},
           {"arrow-down", static_cast<uint16_t>(at + 4), K::Blob, kDescNone},
           {"arrow-down-pressed", static_cast<uint16_t>(at + 6), K::Blob, kDescNone},
           {"arrow-level", static_cast<uint16_t>(at + 8), K::Level, 255},
           {"track", static_cast<uint16_t>(at + 9), K::LevelColour, kOpaqueBlack},
           {"thumb", static_cast<uint16_t>(at + 13), K::LevelColour, kOpaqueBlack}}};
}

// Form header, 49 bytes; the gadget count at 47.
constexpr Field kFormHeader[] = {
    {"frame", 0, K::Blobs, kDescNone, {}, 8},
    {"frame-level", 16, K::Level, 255},
    {"title-bar", 17, K::Blobs, kDescNone, {}, 3},
    {"title-bar-level", 23, K::Level, 255},
    {"title-font", 24, K::Font, 0},
    {"title-level", 26, K::Level, 255},
    {"title", 27, K::String, kDescNone},
    {"background", 29, K::LevelColour, kOpaqueBlack},
    {"focus", 33, K::LevelColour, kOpaqueBlack},
    {"width", 37, K::Value},
    {"height", 39, K::ValueOr, kDescNone, kFit},
    {"menu", 41, K::Menu, kDescNone},
    {"padding", 43, K::ValueOr, kDescNone, kNone},
    {"first-focus", 45, K::Gadget, kDescNone},
};

// The head every gadget record starts with; id (0) and kind (2) come from
// the line that opens the gadget.
constexpr Field kGadgetHead[] = {
    {"x", 3, K::Axis, kDescSpecialFirst}, {"y", 8, K::Axis, kDescSpecialFirst, {}, 0, {}, true},
    {"align", 13, K::Choice8, 0, kAlign}, {"up", 14, K::Gadget, kDescNone},
    {"right", 16, K::Gadget, kDescNone},  {"down", 18, K::Gadget, kDescNone},
    {"left", 20, K::Gadget, kDescNone},
};

constexpr Field kButton[] = {
    {"text", 22, K::String, kDescNone},
    {"normal", 24, K::Box},
    {"pressed", 31, K::Box},
    {"focused", 38, K::Box},
    {"font", 45, K::Font},
    {"min-width", 47, K::ValueOr, kDescNone, kNone},
};
constexpr Field kSliderbar[] = {
    {"bar", 22, K::BlobLevel},
    {"focused-bar", 25, K::BlobLevel},
    {"knob", 28, K::Blob, kDescNone},
    {"step", 30, K::Number8, 1},
};
constexpr Field kLabel[] = {
    {"text", 22, K::String, kDescNone},
    {"width", 24, K::ValueOr, kDescNone, kAuto},
    {"height", 26, K::ValueOr, kDescNone, kAuto},
    {"font", 28, K::Font},
};
constexpr Field kCheckbox[] = {
    {"text", 22, K::String, kDescNone},
    {"group", 24, K::Number16, kDescNone, kNone},
    {"unchecked", 26, K::Blob, kDescNone},
    {"checked", 28, K::Blob, kDescNone},
    {"level", 30, K::Level, 255},
    {"focused-unchecked", 31, K::Blob, kDescNone},
    {"focused-checked", 33, K::Blob, kDescNone},
    {"focused-level", 35, K::Level, 255},
    {"gap", 36, K::ValueOr, kDescNone, kNone},
    {"width-limit", 38, K::ValueOr, kDescNone, kNone},
    {"height", 40, K::ValueOr, kDescNone, kAuto},
    {"font", 42, K::Font},
};
constexpr Field kTextEntry[] = {
    {"text", 22, K::String, kDescNone},
    {"max-length", 24, K::Number16, 16},
    {"width", 26, K::Value},
    {"normal", 28, K::Box},
    {"focused", 35, K::Box},
    {"cursor", 42, K::Blob, kDescNone},
    {"accept", 44, K::Flags8, 3, kAccept},
    {"font", 45, K::Font},
};
constexpr Field kKey[] = {
    {"column", 0, K::Number8},        {"row", 1, K::Number8},      {"char", 2, K::Char, 0x20},
    {"second", 3, K::Char, 0, kSame}, {"normal", 4, K::BlobLevel}, {"focused", 7, K::BlobLevel},
    {"pressed", 10, K::BlobLevel},
};
constexpr Field kKeyboard[] = {
    {"columns", 22, K::Number8, 1}, {"rows", 23, K::Number8, 1}, {"cell-width", 24, K::Value},
    {"cell-height", 26, K::Value},  {"font", 28, K::Font},
};
constexpr Field kGraphic[] = {
    {"image", 22, K::BlobLevel},
    {"width", 25, K::ValueOr, kDescNone, kAuto},
    {"height", 27, K::ValueOr, kDescNone, kAuto},
};
constexpr Field kURL[] = {
    {"width", 22, K::ValueOr, kDescNone, kAuto},
    {"font", 24, K::Font},
    {"colour", 26, K::Rgb},
    {"focused-colour", 29, K::Rgb},
    {"pressed-colour", 32, K::Rgb},
    {"caption", 35, K::String, kDescNone},
    {"address", 37, K::String, kDescNone},
    {"text", 39, K::String, kDescNone},
};
// Size, frame, background and selection of lists and tables.
constexpr auto kGridLook = std::to_array<Field>({
    {"width", 22, K::Value},
    {"height", 24, K::Value},
    {"frame", 26, K::LevelColour, kOpaqueBlack},
    {"background", 30, K::LevelColour, kOpaqueBlack},
    {"selection", 34, K::LevelColour, kOpaqueBlack},
});
constexpr auto kList = join(kGridLook,
                            std::to_array<Field>({
                                {"flags", 38, K::Flags8, 0, kScrollBar},
                                {"min-row-height", 39, K::ValueOr, kDescNone, kNone},
                            }),
                            scrollBar(41));
constexpr Field kTimer[] = {
    {"width", 22, K::ValueOr, kDescNone, kAuto},
    {"height", 24, K::ValueOr, kDescNone, kAuto},
    {"font", 26, K::Font},
    {"start", 28, K::Number32},
    {"mode", 32, K::Number8},
    {"token", 33, K::String, kDescNone},
    {"template", 35, K::String, kDescNone},
};
// The scroll text record is 55 bytes: its thumb colour ends at offset 54.
constexpr auto kScrollText = join(std::to_array<Field>({
                                      {"text", 22, K::String, kDescNone},
                                      {"width", 24, K::ValueOr, kDescNone, kAuto},
                                      {"height", 26, K::ValueOr, kDescNone, kAuto},
                                      {"font", 28, K::Font},
                                      {"frame", 30, K::LevelColour, kOpaqueBlack},
                                      {"background", 34, K::LevelColour, kOpaqueBlack},
                                  }),
                                  scrollBar(38));
constexpr Field kColumn[] = {
    {"width", 0, K::Number8, 100},
    {"align", 1, K::Choice8, 0, kAlign},
    {"flags", 2, K::Flags8, 0, kColumnFlags},
};
constexpr auto kTable = join(kGridLook, scrollBar(38),
                             std::to_array<Field>({
                                 {"flags", 55, K::Flags8, 0, kScrollBar},
                                 {"rows-per-page", 56, K::Number8, 1},
                                 {"font", 57, K::Font},
                             }));

constexpr RecordLayout kKeyLayout{"key", 0, 13, kKey};
constexpr RecordLayout kColumnLayout{"column", 0, 3, kColumn};

constexpr RecordLayout kFormHeaderLayout{"form", 0, 49, kFormHeader, nullptr, nullptr, 47, 2};

constexpr RecordLayout kGadgets[] = {
    {"button", 1, 49, kButton},
    {"slider", 2, 31, kSliderbar},
    {"label", 3, 30, kLabel},
    {"checkbox", 4, 44, kCheckbox},
    {"text-entry", 5, 47, kTextEntry},
    {"keyboard", 6, 31, kKeyboard, &kKeyLayout, "key", 30, 1},
    {"graphic", 7, 29, kGraphic},
    {"url", 8, 41, kURL},
    {"list", 9, 58, kList},
    {"timer", 10, 37, kTimer},
    {"scroll-text", 11, 55, kScrollText},
    {"table", 12, 60, kTable, &kColumnLayout, "column", 59, 1},
};

// Menu item, 10 bytes: the id is a command, or the submenu's aMNU id; the
// text a string, or for blob items a blob id; icons only for icon items.
constexpr FieldCondition kItemSubmenu{4, 2, 0x0004, true};
constexpr FieldCondition kItemCommand{4, 2, 0x0004, false};
constexpr FieldCondition kItemBlob{4, 2, 0x0002, true};
constexpr FieldCondition kItemText{4, 2, 0x0002, false};
constexpr FieldCondition kItemIcon{4, 2, 0x0008, true};
constexpr Field kItem[] = {
    {"id", 0, K::Number16, kDescNone, kNone, 0, kItemCommand},
    {"submenu", 0, K::Menu, kDescNone, {}, 0, kItemSubmenu},
    {"text", 2, K::String, kDescNone, {}, 0, kItemText},
    {"image", 2, K::Blob, kDescNone, {}, 0, kItemBlob},
    {"flags", 4, K::Flags16, 0, kItemFlags},
    {"icon-marked", 6, K::Blob, kDescNone, {}, 0, kItemIcon},
    {"icon", 8, K::Blob, kDescNone, {}, 0, kItemIcon},
};
constexpr RecordLayout kItemLayout{"item", 0, 10, kItem};

// Bar and popup, 43 bytes and the items; the bar reads no arrows.
constexpr auto kBar = std::to_array<Field>({
    {"placement", 1, K::Flags8, 0, kPlacement},
    {"background", 2, K::LevelColour, kOpaqueBlack},
    {"selection", 6, K::LevelColour, kOpaqueBlack},
    {"disabled", 10, K::LevelColour, kOpaqueBlack},
    {"font", 14, K::Font},
    {"text-level", 16, K::Level, 255},
    {"disabled-font", 17, K::Font, kDescNone, kNone},
    {"disabled-level", 19, K::Level, 255},
    {"frame", 20, K::Blobs, kDescNone, {}, 8},
    {"frame-level", 36, K::Level, 255},
});
constexpr auto kPopup = join(kBar, std::to_array<Field>({
                                       {"arrow-left", 37, K::Blob, kDescNone},
                                       {"arrow-right", 39, K::Blob, kDescNone},
                                   }));

// Soft-key button, 11 bytes: present only with both a text and an item.
constexpr FieldCondition kButtonSubmenu{4, 1, 0x02, true};
constexpr FieldCondition kButtonCommand{4, 1, 0x02, false};
constexpr Field kSoftKey[] = {
    {"text", 0, K::String, kDescNone},
    {"item", 2, K::Number16, kDescNone, kNone, 0, kButtonCommand},
    {"submenu", 2, K::Menu, kDescNone, {}, 0, kButtonSubmenu},
    {"flags", 4, K::Flags8, 0, kButtonFlags},
    {"pressed", 5, K::BlobLevel},
    {"image", 8, K::BlobLevel},
};
constexpr RecordLayout kSoftKeyLayout{"button", 0, 11, kSoftKey};
constexpr SlotLayout kSoftKeys[] = {{"left", 4, &kSoftKeyLayout}, {"right", 15, &kSoftKeyLayout}};
// Quick menu, 36 bytes (26-35 are not read and stay 0).
constexpr Field kQuick[] = {
    {"placement", 1, K::Flags8, 0, kQuickPlacement},
    {"font", 2, K::Font},
};

constexpr RecordLayout kMenus[] = {
    {"quick", 0, 36, kQuick, nullptr, nullptr, 0, 0, kSoftKeys},
    {"bar", 1, 43, kBar, &kItemLayout, "item", 41, 2},
    {"popup", 2, 43, kPopup, &kItemLayout, "item", 41, 2},
};

template <size_t N>
const RecordLayout* named(const RecordLayout (&table)[N], const std::string& word) {
  for (const RecordLayout& layout : table) {
    if (word == layout.name) return &layout;
  }
  return nullptr;
}

}  // namespace

const RecordLayout& formHeaderLayout() { return kFormHeaderLayout; }

const RecordLayout* gadgetLayout(int code) { return code >= 1 && code <= 12 ? &kGadgets[code - 1] : nullptr; }
const RecordLayout* gadgetLayoutNamed(const std::string& word) { return named(kGadgets, word); }
const RecordLayout* menuLayout(int code) { return code >= 0 && code <= 2 ? &kMenus[code] : nullptr; }
const RecordLayout* menuLayoutNamed(const std::string& word) { return named(kMenus, word); }

std::vector<const Field*> fieldsOf(const RecordLayout& layout) {
  std::vector<const Field*> out;
  const bool gadget = &layout >= std::begin(kGadgets) && &layout < std::end(kGadgets);
  if (gadget) {
    for (const Field& f : kGadgetHead) out.push_back(&f);
  }
  for (const Field& f : layout.fields) out.push_back(&f);
  return out;
}

const Field* findField(const RecordLayout& layout, const std::string& name) {
  for (const Field* f : fieldsOf(layout)) {
    if (name == f->name) return f;
  }
  return nullptr;
}

const SlotLayout* findSlot(const RecordLayout& layout, const std::string& word) {
  for (const SlotLayout& s : layout.slots) {
    if (word == s.word) return &s;
  }
  return nullptr;
}

bool fieldApplies(const Field& field, const uint8_t* record) {
  const FieldCondition& c = field.when;
  if (c.mask == 0) return true;
  const uint16_t value =
      c.width == 2 ? static_cast<uint16_t>((record[c.offset] << 8) | record[c.offset + 1]) : record[c.offset];
  return ((value & c.mask) != 0) == c.set;
}

size_t fieldWidth(const Field& field) {
  switch (field.kind) {
    case K::Number8:
    case K::Level:
    case K::Char:
    case K::Flags8:
    case K::Choice8: return 1;
    case K::Number32:
    case K::LevelColour: return 4;
    case K::Axis: return 5;
    case K::Rgb:
    case K::BlobLevel: return 3;
    case K::Box: return 7;
    case K::Blobs: return 2u * field.count;
    default: return 2;
  }
}
