// The registry's text file: writing, and a reader that checks everything.
#include "registry_store.h"

#include <cstdio>

#include "wince/host/text.h"
#include "wince/registry.h"
#include "wince/text.h"

namespace wince::detail {

namespace {

constexpr const char* kHeader = "wince-registry 1";
constexpr const char* kRoots[4] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
constexpr size_t kMaxKeyName = 255;
constexpr size_t kMaxValueName = 16383;
constexpr size_t kMaxDepth = 512;

void appendQuoted(std::string& out, std::u16string_view text) {
  out.push_back('"');
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (c == u'\\')
      out += "\\\\";
    else if (c == u'"')
      out += "\\\"";
    else if (c == u'\n')
      out += "\\n";
    else if (c == u'\r')
      out += "\\r";
    else if (c == u'\t')
      out += "\\t";
    else if (pair) {
      out += wideToUtf8(text.substr(i, 2));
      ++i;
    } else if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += wideToUtf8(text.substr(i, 1));
    }
  }
  out.push_back('"');
}

// A REG_SZ that is exactly one terminated string can be written as text.
bool isPlainString(const RegistryValue& v) {
  if (v.type != REG_SZ || v.data.size() < 2 || v.data.size() % 2) return false;
  for (size_t i = 0; i + 2 < v.data.size(); i += 2) {
    if (v.data[i] == 0 && v.data[i + 1] == 0) return false;
  }
  return v.data[v.data.size() - 2] == 0 && v.data.back() == 0;
}

void writeKey(std::string& out, const RegistryKey& key, const std::u16string& path) {
  out += "key ";
  appendQuoted(out, path);
  if (!key.keyClass.empty()) {
    out += " class ";
    appendQuoted(out, key.keyClass);
  }
  out += "\n";
  for (const auto& [folded, v] : key.values) {
    out += "value ";
    appendQuoted(out, v.name);
    if (isPlainString(v)) {
      std::u16string text;
      for (size_t i = 0; i + 2 < v.data.size(); i += 2)
        text.push_back(static_cast<char16_t>(v.data[i] | v.data[i + 1] << 8));
      out += " sz ";
      appendQuoted(out, text);
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
      char number[32];
      std::snprintf(
          number, sizeof number, " dword 0x%08x",
          static_cast<unsigned>(v.data[0] | v.data[1] << 8 | v.data[2] << 16 | static_cast<unsigned>(v.data[3]) << 24));
      out += number;
    } else {
      out += " " + std::to_string(v.type) + " hex:";
      static const char digits[] = "0123456789abcdef";
      for (BYTE b : v.data) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
      }
    }
    out += "\n";
  }
  for (const auto& [folded, child] : key.children) writeKey(out, child, path + u"\\" + child.name);
}

// Reads the records of one line; every method fails rather than guesses.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}

  bool word(std::string_view expected) {
    if (line_.substr(pos_, expected.size()) != expected) return false;
    pos_ += expected.size();
    return true;
  }
  bool atEnd() const { return pos_ == line_.size(); }
  std::string_view rest() {
    std::string_view r = line_.substr(pos_);
    pos_ = line_.size();
    return r;
  }
  std::string_view token() {
    size_t end = line_.find(' ', pos_);
    if (end == std::string_view::npos) end = line_.size();
    std::string_view t = line_.substr(pos_, end - pos_);
    pos_ = end;
    return t;
  }

  bool quoted(std::u16string& out) {
    out.clear();
    if (!word("\"")) return false;
    while (pos_ < line_.size()) {
      char c = line_[pos_];
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c != '\\') {
        if (!utf8Unit(out)) return false;
        continue;
      }
      if (++pos_ >= line_.size()) return false;
      char e = line_[pos_++];
      switch (e) {
        case '\\':
          out.push_back(u'\\');
          break;
        case '"':
          out.push_back(u'"');
          break;
        case 'n':
          out.push_back(u'\n');
          break;
        case 'r':
          out.push_back(u'\r');
          break;
        case 't':
          out.push_back(u'\t');
          break;
        case 'u': {
          unsigned value = 0;
          if (!hex(line_.substr(pos_, 4), &value) || line_.size() - pos_ < 4) return false;
          out.push_back(static_cast<char16_t>(value));
          pos_ += 4;
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  static bool hex(std::string_view digits, unsigned* value) {
    if (digits.empty() || digits.size() > 8) return false;
    unsigned v = 0;
    for (char c : digits) {
      int d = c >= '0' && c <= '9'   ? c - '0'
              : c >= 'a' && c <= 'f' ? c - 'a' + 10
              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                     : -1;
      if (d < 0) return false;
      v = v << 4 | static_cast<unsigned>(d);
    }
    *value = v;
    return true;
  }

 private:
  // One UTF-8 sequence (checked) appended as UTF-16.
  bool utf8Unit(std::u16string& out) {
    auto b = static_cast<unsigned char>(line_[pos_]);
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || line_.size() - pos_ < len) return false;
    int units =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line_.data() + pos_, static_cast<int>(len), nullptr, 0);
    if (units <= 0) return false;
    char16_t buffer[2];
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line_.data() + pos_, static_cast<int>(len), buffer, units);
    if (len == 1 && b < 0x20) return false;  // control characters are escaped
    out.append(buffer, static_cast<size_t>(units));
    pos_ += len;
    return true;
  }

  std::string_view line_;
  size_t pos_ = 0;
};

bool splitPath(const std::u16string& path, size_t* root, std::vector<std::u16string>* parts) {
  parts->clear();
  size_t start = 0;
  for (;;) {
    size_t end = path.find(u'\\', start);
    std::u16string part = path.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
    if (part.empty() || part.size() > kMaxKeyName) return false;
    parts->push_back(part);
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  if (parts->size() > kMaxDepth) return false;
  std::string first = wideToUtf8(parts->front());
  for (size_t r = 0; r < 4; ++r) {
    if (first == kRoots[r]) {
      *root = r;
      parts->erase(parts->begin());
      return true;
    }
  }
  return false;
}

bool readValue(LineReader& in, RegistryValue& v) {
  if (!in.quoted(v.name) || v.name.size() > kMaxValueName || !in.word(" ")) return false;
  std::string_view kind = in.token();
  if (kind == "sz") {
    std::u16string text;
    if (!in.word(" ") || !in.quoted(text) || !in.atEnd()) return false;
    v.type = REG_SZ;
    for (char16_t c : text) {
      v.data.push_back(static_cast<BYTE>(c));
      v.data.push_back(static_cast<BYTE>(c >> 8));
    }
    v.data.push_back(0);
    v.data.push_back(0);
    return true;
  }
  if (kind == "dword") {
    unsigned value = 0;
    if (!in.word(" 0x")) return false;
    std::string_view digits = in.rest();
    if (digits.size() != 8 || !LineReader::hex(digits, &value)) return false;
    v.type = REG_DWORD;
    v.data = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
              static_cast<BYTE>(value >> 24)};
    return true;
  }
  if (kind.empty() || kind.size() > 10) return false;
  uint64_t type = 0;
  for (char c : kind) {
    if (c < '0' || c > '9') return false;
    type = type * 10 + static_cast<uint64_t>(c - '0');
  }
  if (type > 0xFFFFFFFFu || !in.word(" hex:")) return false;
  v.type = static_cast<DWORD>(type);
  std::string_view digits = in.rest();
  if (digits.size() % 2) return false;
  v.data.reserve(digits.size() / 2);
  for (size_t i = 0; i < digits.size(); i += 2) {
    unsigned byte = 0;
    if (!LineReader::hex(digits.substr(i, 2), &byte)) return false;
    v.data.push_back(static_cast<BYTE>(byte));
  }
  return true;
}

}  // namespace

std::u16string foldName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = towlower(c);
  return folded;
}

const char* rootName(size_t root) { return root < 4 ? kRoots[root] : ""; }

std::string writeRegistryText(const RegistryTree& tree) {
  std::string out = std::string(kHeader) + "\n";
  for (size_t r = 0; r < 4; ++r) writeKey(out, tree.roots[r], utf8ToWide(kRoots[r]));
  return out;
}

namespace {

// Reads the records of a file into a tree, one line at a time; each method
// returns why a line is left out, or "" when it was taken.
class TreeBuilder {
 public:
  explicit TreeBuilder(RegistryTree& tree) : tree_(tree) {}

  std::string line(std::string_view text) {
    LineReader in(text);
    if (in.word("key ")) return key(in);
    if (in.word("value ")) return value(in);
    if (text.empty()) return "";
    return "unknown record";
  }

 private:
  // A key whose path reads is kept even when the rest of its line is
  // damaged: its values still belong to it.
  std::string key(LineReader& in) {
    std::u16string path, keyClass;
    size_t root = 0;
    std::vector<std::u16string> parts;
    current_ = nullptr;
    if (!in.quoted(path) || !splitPath(path, &root, &parts)) return "bad key path";
    RegistryKey* k = &tree_.roots[root];
    bool created = parts.empty();
    for (const std::u16string& part : parts) {
      auto [it, isNew] = k->children.try_emplace(foldName(part));
      if (isNew) it->second.name = part;
      k = &it->second;
      created = isNew;
    }
    if (!created && (!k->values.empty() || !k->children.empty() || !k->keyClass.empty())) return "key listed twice";
    current_ = k;
    if (in.word(" class ") && !in.quoted(keyClass)) return "bad key class";
    if (!in.atEnd()) return "text after the key";
    k->keyClass = keyClass;
    return "";
  }

  std::string value(LineReader& in) {
    if (!current_) return "value without a readable key line before it";
    RegistryValue v;
    if (!readValue(in, v)) return "bad value";
    if (!current_->values.try_emplace(foldName(v.name), std::move(v)).second) return "value listed twice";
    return "";
  }

  RegistryTree& tree_;
  RegistryKey* current_ = nullptr;
};

}  // namespace

std::vector<RegistryDrop> readRegistryText(std::string_view text, RegistryTree& tree) {
  tree = RegistryTree{};
  std::vector<RegistryDrop> dropped;
  TreeBuilder builder(tree);
  size_t lineNumber = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    std::string why = ++lineNumber == 1 ? (line == kHeader ? "" : "not a registry file") : builder.line(line);
    if (!why.empty()) dropped.push_back({lineNumber, std::move(why)});
  }
  if (lineNumber == 0) dropped.push_back({1, "empty file"});
  return dropped;
}

}  // namespace wince::detail
