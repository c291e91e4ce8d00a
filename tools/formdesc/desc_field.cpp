#include "desc_field.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>

#include "base/byte_order.h"

namespace {

using K = FieldKind;

bool parseNumber(const std::string& token, uint32_t max, uint32_t& out) {
  if (token.empty()) return false;
  const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
  uint64_t value = 0;
  for (size_t i = hex ? 2 : 0; i < token.size(); ++i) {
    const char c = token[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > max) return false;
  }
  out = static_cast<uint32_t>(value);
  return true;
}

bool isIdentifier(const std::string& token) {
  if (token.empty() || !(std::isalpha(static_cast<unsigned char>(token[0])) || token[0] == '_')) return false;
  for (char c : token) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

bool namedValue(std::span<const FieldName> names, const std::string& token, uint32_t& out) {
  for (const FieldName& n : names) {
    if (token == n.word) return out = n.value, true;
  }
  return false;
}

const char* nameOf(std::span<const FieldName> names, uint32_t value) {
  for (const FieldName& n : names) {
    if (n.value == value) return n.word;
  }
  return nullptr;
}

std::string hex(uint32_t value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
  return buffer;
}

// Cursor over the tokens of one field.
class Tokens {
 public:
  Tokens(const std::vector<std::string>& tokens, size_t& pos, const Field& field, std::string& error)
      : tokens_(tokens), pos_(pos), field_(field), error_(error) {}

  bool next(std::string& token) {
    if (pos_ >= tokens_.size()) return fail("needs a value");
    token = tokens_[pos_++];
    return true;
  }
  bool fail(const std::string& reason) {
    error_ = std::string(field_.name) + ": " + reason;
    return false;
  }
  bool peek(const char* word) const { return pos_ < tokens_.size() && tokens_[pos_] == word; }
  size_t left() const { return tokens_.size() - pos_; }

 private:
  const std::vector<std::string>& tokens_;
  size_t& pos_;
  const Field& field_;
  std::string& error_;
};

// A number up to max, one of the field's words, or (with symbols) a symbol.
bool readId(Tokens& t, const Field& field, uint32_t max, const std::map<std::string, uint16_t>* symbols,
            const char* noneWord, uint32_t& out) {
  std::string token;
  if (!t.next(token)) return false;
  if (namedValue(field.names, token, out)) return true;
  if (noneWord && token == noneWord) return out = kDescNone, true;
  if (parseNumber(token, max, out)) return true;
  if (symbols && isIdentifier(token)) {
    const auto found = symbols->find(token);
    if (found == symbols->end()) return t.fail("unknown symbol '" + token + "'");
    out = found->second;
    return true;
  }
  return t.fail("bad value '" + token + "'");
}

bool readLevel(Tokens& t, uint8_t& out) {
  std::string token;
  uint32_t value = 0;
  if (!t.next(token)) return false;
  if (!parseNumber(token, 255, value)) return t.fail("level '" + token + "' is not 0-255");
  out = static_cast<uint8_t>(value);
  return true;
}

bool readRgb(Tokens& t, uint8_t* at) {
  std::string token;
  uint32_t value = 0;
  if (!t.next(token)) return false;
  if (token.size() != 7 || token[0] != '#' || !parseNumber("0x" + token.substr(1), 0xFFFFFF, value)) {
    return t.fail("colour '" + token + "' is not #rrggbb");
  }
  at[0] = static_cast<uint8_t>(value >> 16);
  at[1] = static_cast<uint8_t>(value >> 8);
  at[2] = static_cast<uint8_t>(value);
  return true;
}

bool readValueIndex(Tokens& t, const Field& field, bool specials, uint16_t& out) {
  std::string token;
  uint32_t value = 0;
  if (!t.next(token)) return false;
  if (namedValue(field.names, token, value)) return out = static_cast<uint16_t>(value), true;
  if (specials) {
    static constexpr FieldName kSpecial[] = {{"start", 0xFFF0}, {"half", 0xFFF1}, {"full", 0xFFF2}};
    // Other special places only as numbers 0xFFF0-0xFFFF (position 0).
    const bool special = parseNumber(token, 0xFFFF, value) && value >= kDescSpecialFirst;
    if (special || namedValue(kSpecial, token, value)) return out = static_cast<uint16_t>(value), true;
  }
  if (token.size() < 2 || token[0] != 'T' || !parseNumber(token.substr(1), 0xFFFF, value)) {
    return t.fail("'" + token + "' is not a value index T<n>");
  }
  out = static_cast<uint16_t>(value);
  return true;
}

std::string valueIndexText(const Field& field, uint16_t index, bool specials) {
  if (const char* word = nameOf(field.names, index)) return word;
  if (specials && index >= kDescSpecialFirst) {
    if (index == 0xFFF0) return "start";
    if (index == 0xFFF1) return "half";
    if (index == 0xFFF2) return "full";
    return hex(index, 4);
  }
  return "T" + std::to_string(index);
}

constexpr FieldName kXAlign[] = {{"left", 0}, {"centre", 1}, {"right", 2}};
constexpr FieldName kYAlign[] = {{"top", 0}, {"centre", 1}, {"bottom", 4}};

// x T5 | x half | x anchor GADGET ALIGN T5
bool readAxis(Tokens& t, const Field& field, uint8_t* at) {
  std::span<const FieldName> aligns = field.yAxis ? std::span<const FieldName>(kYAlign) : kXAlign;
  uint16_t index = 0;
  if (!t.peek("anchor")) {
    if (!readValueIndex(t, field, true, index)) return false;
    at[0] = 0;
    base::storeBE16(at + 1, kDescNone);
    base::storeBE16(at + 3, index);
    return true;
  }
  std::string token;
  uint32_t anchor = 0;
  uint32_t align = 0;
  t.next(token);
  if (!t.next(token)) return false;
  if (!parseNumber(token, 0xFFFF, anchor)) return t.fail("anchor '" + token + "' is not a gadget id");
  if (!t.next(token)) return false;
  if (!namedValue(aligns, token, align) && !parseNumber(token, 15, align)) {
    return t.fail("alignment '" + token + "' is not known");
  }
  if (!readValueIndex(t, field, false, index)) return false;
  at[0] = static_cast<uint8_t>(0x80 | align);
  base::storeBE16(at + 1, static_cast<uint16_t>(anchor));
  base::storeBE16(at + 3, index);
  return true;
}

std::string axisText(const Field& field, const uint8_t* at) {
  const uint16_t index = base::loadBE16(at + 3);
  if (!(at[0] & 0x80)) return valueIndexText(field, index, true);
  std::span<const FieldName> aligns = field.yAxis ? std::span<const FieldName>(kYAlign) : kXAlign;
  const uint8_t align = at[0] & 0x0F;
  const char* word = nameOf(aligns, align);
  return "anchor " + std::to_string(base::loadBE16(at + 1)) + " " + (word ? word : std::to_string(align)) + " " +
         valueIndexText(field, index, false);
}

bool readBits(Tokens& t, const Field& field, uint32_t max, uint32_t& out) {
  std::string token;
  if (!t.next(token)) return false;
  out = 0;
  size_t start = 0;
  while (start <= token.size()) {
    const size_t bar = std::min(token.find('|', start), token.size());
    const std::string part = token.substr(start, bar - start);
    uint32_t bit = 0;
    if (!namedValue(field.names, part, bit) && !parseNumber(part, max, bit)) {
      return t.fail("flag '" + part + "' is not known");
    }
    out |= bit;
    start = bar + 1;
  }
  return true;
}

std::string bitsText(const Field& field, uint32_t value, int digits) {
  if (value == 0) return "0";
  std::string out;
  for (const FieldName& n : field.names) {
    if ((value & n.value) != n.value) continue;
    out += (out.empty() ? "" : "|") + std::string(n.word);
    value &= ~static_cast<uint32_t>(n.value);
  }
  if (value != 0) out += (out.empty() ? "" : "|") + hex(value, digits);
  return out;
}

bool readChar(Tokens& t, const Field& field, uint8_t& out) {
  std::string token;
  uint32_t value = 0;
  if (!t.next(token)) return false;
  if (namedValue(field.names, token, value) || parseNumber(token, 255, value)) {
    return out = static_cast<uint8_t>(value), true;
  }
  const bool quoted = token.size() >= 3 && token.front() == '\'' && token.back() == '\'';
  const std::string body = quoted ? token.substr(1, token.size() - 2) : std::string();
  if (body.size() == 1 && body[0] >= 0x20 && body[0] < 0x7F && body[0] != '\\') {
    return out = static_cast<uint8_t>(body[0]), true;
  }
  if (body == "\\'" || body == "\\\\") return out = static_cast<uint8_t>(body[1]), true;
  return t.fail("character '" + token + "' is not 'c' or a number");
}

std::string charText(const Field& field, uint8_t c) {
  if (const char* word = nameOf(field.names, c)) return word;
  if (c == '\'' || c == '\\') return std::string("'\\") + static_cast<char>(c) + "'";
  if (c >= 0x20 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
  return std::to_string(c);
}

// A number, or the field's word for it; ids print 0xFFFF as none.
std::string idText(const Field& field, uint32_t value, bool id = true) {
  if (const char* word = nameOf(field.names, value)) return word;
  return id && value == kDescNone ? "none" : std::to_string(value);
}

std::string rgbText(const uint8_t* at) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", at[0], at[1], at[2]);
  return buffer;
}

bool readU16Id(Tokens& t, const Field& field, const std::map<std::string, uint16_t>* symbols, uint8_t* at) {
  uint32_t value = 0;
  if (!readId(t, field, 0xFFFF, symbols, "none", value)) return false;
  base::storeBE16(at, static_cast<uint16_t>(value));
  return true;
}

// `count` ids, or one `none` for all of them (told apart by the tokens left:
// fewer than a full list; `trailing` more follow the ids, as a box's level).
bool readBlobs(Tokens& t, const Field& field, const DescSymbols& symbols, uint8_t* at, int count, size_t trailing) {
  if (t.peek("none") && t.left() < static_cast<size_t>(count) + trailing) {
    std::string token;
    t.next(token);
    for (int i = 0; i < count; ++i) base::storeBE16(at + 2 * i, kDescNone);
    return true;
  }
  for (int i = 0; i < count; ++i) {
    if (!readU16Id(t, field, &symbols.blobs, at + 2 * i)) return false;
  }
  return true;
}

std::string blobsText(const Field& field, const uint8_t* at, int count) {
  bool allNone = true;
  std::string out;
  for (int i = 0; i < count; ++i) {
    const uint16_t id = base::loadBE16(at + 2 * i);
    allNone = allNone && id == kDescNone;
    out += (i ? " " : "") + idText(field, id);
  }
  return allNone && count > 1 ? "none" : out;
}

}  // namespace

bool parseDescNumber(const std::string& token, uint32_t max, uint32_t& out) { return parseNumber(token, max, out); }

bool parseFieldValue(const Field& field, const std::vector<std::string>& tokens, size_t& pos,
                     const DescSymbols& symbols, uint8_t* record, std::string& error) {
  Tokens t(tokens, pos, field, error);
  uint8_t* at = record + field.offset;
  uint32_t value = 0;
  switch (field.kind) {
    case K::Number8:
    case K::Number16:
    case K::Number32: {
      const uint32_t max = field.kind == K::Number8 ? 0xFF : field.kind == K::Number16 ? 0xFFFF : 0xFFFFFFFF;
      if (!readId(t, field, max, nullptr, nullptr, value)) return false;
      if (field.kind == K::Number8) at[0] = static_cast<uint8_t>(value);
      if (field.kind == K::Number16) base::storeBE16(at, static_cast<uint16_t>(value));
      if (field.kind == K::Number32) base::storeBE32(at, value);
      return true;
    }
    case K::Level: return readLevel(t, at[0]);
    case K::Blob:
    case K::Font: return readU16Id(t, field, &symbols.blobs, at);
    case K::String: return readU16Id(t, field, &symbols.strings, at);
    case K::Gadget:
    case K::Menu: return readU16Id(t, field, nullptr, at);
    case K::Value:
    case K::ValueOr: {
      uint16_t index = 0;
      if (!readValueIndex(t, field, false, index)) return false;
      base::storeBE16(at, index);
      return true;
    }
    case K::Axis: return readAxis(t, field, at);
    case K::Rgb: return readRgb(t, at);
    case K::LevelColour: return readLevel(t, at[0]) && readRgb(t, at + 1);
    case K::BlobLevel: return readU16Id(t, field, &symbols.blobs, at) && readLevel(t, at[2]);
    case K::Box: return readBlobs(t, field, symbols, at, 3, 1) && readLevel(t, at[6]);
    case K::Blobs: return readBlobs(t, field, symbols, at, field.count, 0);
    case K::Char: return readChar(t, field, at[0]);
    case K::Flags8:
    case K::Flags16:
      if (!readBits(t, field, field.kind == K::Flags8 ? 0xFF : 0xFFFF, value)) return false;
      if (field.kind == K::Flags8) at[0] = static_cast<uint8_t>(value);
      if (field.kind == K::Flags16) base::storeBE16(at, static_cast<uint16_t>(value));
      return true;
    case K::Choice8: {
      std::string token;
      if (!t.next(token)) return false;
      if (!namedValue(field.names, token, value) && !parseNumber(token, 0xFF, value)) {
        return t.fail("'" + token + "' is not known");
      }
      at[0] = static_cast<uint8_t>(value);
      return true;
    }
  }
  return t.fail("cannot be read");
}

void writeFieldFallback(const Field& field, uint8_t* record) {
  uint8_t* at = record + field.offset;
  const uint32_t v = field.fallback;
  switch (field.kind) {
    case K::Number32: base::storeBE32(at, v); return;
    case K::Axis:
      at[0] = 0;
      base::storeBE16(at + 1, kDescNone);
      base::storeBE16(at + 3, static_cast<uint16_t>(v));
      return;
    case K::Rgb: base::storeBE16(at, static_cast<uint16_t>(v >> 8)), at[2] = static_cast<uint8_t>(v); return;
    case K::LevelColour: base::storeBE32(at, v); return;
    case K::BlobLevel: base::storeBE16(at, kDescNone), at[2] = 255; return;
    case K::Box:
      for (int i = 0; i < 3; ++i) base::storeBE16(at + 2 * i, kDescNone);
      at[6] = 255;
      return;
    case K::Blobs:
      for (int i = 0; i < field.count; ++i) base::storeBE16(at + 2 * i, static_cast<uint16_t>(v));
      return;
    default:
      if (fieldWidth(field) == 1) {
        at[0] = static_cast<uint8_t>(v);
      } else {
        base::storeBE16(at, static_cast<uint16_t>(v));
      }
  }
}

bool fieldIsFallback(const Field& field, const uint8_t* record) {
  std::vector<uint8_t> fallback(field.offset + fieldWidth(field));
  writeFieldFallback(field, fallback.data());
  for (size_t i = field.offset; i < fallback.size(); ++i) {
    if (fallback[i] != record[i]) return false;
  }
  return true;
}

std::string printFieldValue(const Field& field, const uint8_t* record) {
  const uint8_t* at = record + field.offset;
  const uint16_t u16 = fieldWidth(field) >= 2 ? base::loadBE16(at) : at[0];
  switch (field.kind) {
    case K::Number8: return idText(field, at[0], false);
    case K::Number16: return idText(field, u16, false);
    case K::Number32: return std::to_string(base::loadBE32(at));
    case K::Level: return std::to_string(at[0]);
    case K::Blob:
    case K::Font:
    case K::String:
    case K::Gadget:
    case K::Menu: return idText(field, u16);
    case K::Value:
    case K::ValueOr: return valueIndexText(field, u16, false);
    case K::Axis: return axisText(field, at);
    case K::Rgb: return rgbText(at);
    case K::LevelColour: return std::to_string(at[0]) + " " + rgbText(at + 1);
    case K::BlobLevel: return idText(field, u16) + " " + std::to_string(at[2]);
    case K::Box: return blobsText(field, at, 3) + " " + std::to_string(at[6]);
    case K::Blobs: return blobsText(field, at, field.count);
    case K::Char: return charText(field, at[0]);
    case K::Flags8: return bitsText(field, at[0], 2);
    case K::Flags16: return bitsText(field, u16, 4);
    case K::Choice8: {
      const char* word = nameOf(field.names, at[0]);
      return word ? word : std::to_string(at[0]);
    }
  }
  return std::string();
}
