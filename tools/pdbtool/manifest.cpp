#include "manifest.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "base/code_page_1252.h"
#include "base/utf8.h"
#include "desc_check.h"
#include "desc_text.h"
#include "qz_types.h"
#include "tool_file.h"
#include "tool_number.h"

namespace {

bool toCp1252(char32_t c, uint8_t& out) {
  return c <= 0xFFFF && base::narrowCodePage1252(static_cast<char16_t>(c), &out);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool readHex(const std::string& s, size_t& i, size_t digits, uint32_t& value) {
  value = 0;
  for (size_t k = 0; k < digits; ++k, ++i) {
    const int d = i < s.size() ? hexDigit(s[i]) : -1;
    if (d < 0) return false;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return true;
}

// A quoted string as characters; \xHH gives a raw byte, kept as 0x110000+HH.
bool parseQuoted(const std::string& s, std::u32string& out, std::string& error) {
  if (s.size() < 2 || s.front() != '"' || s.back() != '"') {
    error = "string must be in double quotes";
    return false;
  }
  const std::string body = s.substr(1, s.size() - 2);
  for (size_t i = 0; i < body.size();) {
    if (body[i] != '\\') {
      char32_t c = 0;
      if (!base::readUtf8(body, i, c)) {
        error = "malformed UTF-8";
        return false;
      }
      out += c;
      continue;
    }
    const char e = i + 1 < body.size() ? body[i + 1] : '\0';
    i += 2;
    uint32_t value = 0;
    switch (e) {
      case 'n': out += U'\n'; break;
      case 't': out += U'\t'; break;
      case '\\': out += U'\\'; break;
      case '"': out += U'"'; break;
      case 'x':
        if (!readHex(body, i, 2, value)) return error = "bad \\x escape", false;
        out += static_cast<char32_t>(0x110000 + value);
        break;
      case 'u':
        if (!readHex(body, i, 4, value)) return error = "bad \\u escape", false;
        out += static_cast<char32_t>(value);
        break;
      default: error = "unknown escape"; return false;
    }
  }
  return true;
}

bool narrowString(const std::u32string& text, std::vector<uint8_t>& out, std::string& error) {
  for (char32_t c : text) {
    uint8_t b = 0;
    if (c >= 0x110000) {
      b = static_cast<uint8_t>(c - 0x110000);
    } else if (!toCp1252(c, b)) {
      error = "character not in Windows-1252";
      return false;
    }
    out.push_back(b);
  }
  out.push_back(0);
  return true;
}

bool wideString(const std::u32string& text, std::vector<uint8_t>& out, std::string& error) {
  auto put = [&out](uint32_t unit) {
    out.push_back(static_cast<uint8_t>(unit));
    out.push_back(static_cast<uint8_t>(unit >> 8));
  };
  for (char32_t c : text) {
    if (c >= 0x110000) {
      error = "\\x escapes are for 8-bit strings";
      return false;
    }
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  put(0);
  return true;
}

bool hexBytes(std::istringstream& words, std::vector<uint8_t>& out, std::string& error) {
  std::string word;
  std::string digits;
  while (words >> word) digits += word;
  for (size_t i = 0; i < digits.size(); i += 2) {
    uint32_t value = 0;
    size_t at = i;
    if (!readHex(digits, at, 2, value)) {
      error = "bad hex bytes";
      return false;
    }
    out.push_back(static_cast<uint8_t>(value));
  }
  return true;
}

bool fileBytes(const std::string& name, const std::filesystem::path& manifestDir,
               const std::vector<std::filesystem::path>& searchDirs, std::vector<uint8_t>& out, std::string& error) {
  std::vector<std::filesystem::path> candidates{manifestDir / name};
  for (const auto& dir : searchDirs) candidates.push_back(dir / name);
  for (const auto& path : candidates) {
    std::error_code missing;
    if (std::filesystem::exists(path, missing)) return tools::readWholeFile(path, out, error);
  }
  error = "file not found: " + name;
  return false;
}

std::string restOfLine(std::istringstream& words) {
  std::string rest;
  std::getline(words, rest);
  const size_t start = rest.find_first_not_of(" \t");
  const size_t end = rest.find_last_not_of(" \t\r");
  return start == std::string::npos ? std::string() : rest.substr(start, end - start + 1);
}

bool parseResource(std::istringstream& words, const std::filesystem::path& manifestDir,
                   const std::vector<std::filesystem::path>& searchDirs, ManifestResource& r, std::string& error) {
  std::string type;
  long id = -1;
  std::string source;
  if (!(words >> type >> id >> source) || !parseFourCC(type, r.type) || id < 0 || id > 0xFFFF) {
    error = "expected: resource TYPE ID SOURCE ...";
    return false;
  }
  r.id = static_cast<uint16_t>(id);
  if (source == "hex") return hexBytes(words, r.data, error);
  if (source == "file") return fileBytes(restOfLine(words), manifestDir, searchDirs, r.data, error);
  std::u32string text;
  if (source == "string") return parseQuoted(restOfLine(words), text, error) && narrowString(text, r.data, error);
  if (source == "wstring") return parseQuoted(restOfLine(words), text, error) && wideString(text, r.data, error);
  error = "unknown source '" + source + "'";
  return false;
}

// What parsing one manifest (and the ones it includes) gathers.
struct PendingSource {
  std::filesystem::path path;
  DescType type;
};
struct ManifestState {
  Manifest& out;
  const std::vector<std::filesystem::path>& searchDirs;
  std::set<std::pair<uint32_t, uint16_t>> seen;
  std::vector<PendingSource> sources;
  std::filesystem::path file;  // the manifest being read
  int depth = 0;
};

bool parseText(const std::string& text, const std::filesystem::path& dir, ManifestState& state, std::string& error);

bool addResource(ManifestState& state, ManifestResource r, std::string& error) {
  if (!state.seen.insert({r.type, r.id}).second) return error = "duplicate resource", false;
  state.out.resources.push_back(std::move(r));
  return true;
}

bool addSymbol(std::map<std::string, uint16_t>& symbols, const std::string& name, long id, std::string& error) {
  if (name.empty() || id < 0 || id > 0xFFFF) return error = "expected: NAME ID", false;
  if (!symbols.emplace(name, static_cast<uint16_t>(id)).second)
    return error = "symbol " + name + " is declared twice", false;
  return true;
}

// string NAME ID "text" / wstring NAME ID "text"
bool parseSymbolString(std::istringstream& words, bool wide, ManifestState& state, std::string& error) {
  std::string name;
  long id = -1;
  words >> name >> id;
  ManifestResource r;
  r.type = QZFourCC(wide ? "tSTR" : "aSTR");
  r.id = static_cast<uint16_t>(id);
  if (!addSymbol(state.out.symbols.strings, name, id, error) ||
      !encodeQuotedString(restOfLine(words), wide, r.data, error)) {
    return false;
  }
  TranslationPlan& plan = state.out.translations;
  plan.strings[name] = {r.type, r.id, state.file};
  if (std::find(plan.manifests.begin(), plan.manifests.end(), state.file) == plan.manifests.end()) {
    plan.manifests.push_back(state.file);
  }
  return addResource(state, std::move(r), error);
}

bool parseInclude(const std::string& name, const std::filesystem::path& dir, ManifestState& state, std::string& error) {
  if (state.depth >= 8) return error = "includes nest too deep", false;
  std::vector<uint8_t> bytes;
  if (!fileBytes(name, dir, {}, bytes, error)) return false;
  const std::filesystem::path path = dir / name;
  const std::filesystem::path outer = state.file;
  state.file = path.lexically_normal();
  ++state.depth;
  std::string inner;
  const bool ok = parseText(std::string(bytes.begin(), bytes.end()), path.parent_path(), state, inner);
  --state.depth;
  state.file = outer;
  if (!ok) error = path.string() + ": " + inner;
  return ok;
}

// The symbol of an artwork piece: "checkbox.focusOff" names CHECKBOX_FOCUS_OFF.
std::string pieceSymbol(const std::string& piece) {
  std::string name;
  for (char c : piece) {
    if (c == '.') {
      name += '_';
    } else {
      if (std::isupper(static_cast<unsigned char>(c)) && !name.empty() && name.back() != '_') name += '_';
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return name;
}

// pieces FILE: a blob symbol for every `piece NAME SET ID WIDTH HEIGHT` line
// of an artwork list, so the artwork's list is the one place ids are set.
bool parsePieces(const std::string& name, const std::filesystem::path& dir, ManifestState& state, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!fileBytes(name, dir, {}, bytes, error)) return false;
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream words(line);
    std::string key;
    std::string piece;
    long set = -1;
    long id = -1;
    if (!(words >> key) || key != "piece") continue;
    std::string reason;
    if (!(words >> piece >> set >> id) || !addSymbol(state.out.symbols.blobs, pieceSymbol(piece), id, reason)) {
      error =
          name + " line " + std::to_string(number) + ": " + (reason.empty() ? "expected: piece NAME SET ID" : reason);
      return false;
    }
  }
  return true;
}

// name NAME, type TYPE, creator CREATOR, attributes N, version N: one word
// each, so a name with a space is refused rather than cut short.
bool parseHeaderLine(const std::string& key, std::istringstream& words, Manifest& out, std::string& error) {
  if (key != "name" && key != "type" && key != "creator" && key != "attributes" && key != "version") {
    return error = "unknown line '" + key + "'", false;
  }
  std::string value;
  std::string extra;
  if (!(words >> value)) return error = key + " wants a value", false;
  if (words >> extra) return error = key + " takes one word, but '" + extra + "' follows '" + value + "'", false;
  if (key == "name") return out.name = value, true;
  if (key == "type") return parseFourCC(value, out.type) || (error = "bad type", false);
  if (key == "creator") return parseFourCC(value, out.creator) || (error = "bad creator", false);
  uint64_t number = 0;
  if (!tools::parseNumber(value, 0, 0xFFFF, number, tools::NumberBase::DecimalOrHex)) {
    return error = key + " wants a number from 0 to 65535, not '" + value + "'", false;
  }
  (key == "attributes" ? out.attributes : out.version) = static_cast<uint16_t>(number);
  return true;
}

bool parseLine(const std::string& line, const std::filesystem::path& dir, ManifestState& state, std::string& error) {
  Manifest& out = state.out;
  std::istringstream words(line);
  std::string key;
  if (!(words >> key) || key[0] == '#') return true;
  if (key == "resource") {
    ManifestResource r;
    return parseResource(words, dir, state.searchDirs, r, error) && addResource(state, std::move(r), error);
  }
  if (key == "string" || key == "wstring") return parseSymbolString(words, key == "wstring", state, error);
  if (key == "blob" || key == "placeholder") {
    std::string name;
    long id = -1;
    words >> name >> id;
    if (!addSymbol(out.symbols.blobs, name, id, error)) return false;
    if (key == "placeholder") out.placeholders.insert(static_cast<uint16_t>(id));
    return true;
  }
  if (key == "include") return parseInclude(restOfLine(words), dir, state, error);
  if (key == "language") return parseLanguageLine(restOfLine(words), out.translations, error);
  if (key == "pending") return parsePendingLine(restOfLine(words), out.translations, error);
  if (key == "pieces") return parsePieces(restOfLine(words), dir, state, error);
  if (key == "form" || key == "menu") {
    const std::string name = restOfLine(words);
    if (name.empty()) return error = "expected: " + key + " FILE", false;
    state.sources.push_back({dir / name, key == "form" ? DescType::Form : DescType::Menu});
    return true;
  }
  return parseHeaderLine(key, words, out, error);
}

bool parseText(const std::string& text, const std::filesystem::path& dir, ManifestState& state, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string reason;
    if (!parseLine(line, dir, state, reason)) {
      error = "line " + std::to_string(number) + ": " + reason;
      return false;
    }
  }
  return true;
}

// Compiles a form or menu source, checks it on its own and adds it.
bool compileSource(const PendingSource& source, ManifestState& state, std::string& error) {
  std::vector<uint8_t> bytes;
  std::string reason;
  Description d;
  if (!fileBytes(source.path.string(), {}, {}, bytes, reason) ||
      !parseDescription(std::string(bytes.begin(), bytes.end()), state.out.symbols, d, reason)) {
    error = source.path.string() + ": " + reason;
    return false;
  }
  if (d.type != source.type) {
    error = source.path.string() + ": holds a " + (d.type == DescType::Form ? "form" : "menu") + ", listed as a " +
            (source.type == DescType::Form ? "form" : "menu");
    return false;
  }
  const std::vector<std::string> problems = checkDescription(d);
  if (!problems.empty()) {
    error = source.path.string() + ": " + problems.front();
    return false;
  }
  ManifestResource r{descResourceType(d.type), d.id, writeDescription(d)};
  if (!addResource(state, std::move(r), reason)) {
    error = source.path.string() + ": " + reason;
    return false;
  }
  state.out.descriptions.push_back(std::move(d));
  return true;
}

}  // namespace

bool parseFourCC(const std::string& text, uint32_t& code) {
  if (text.size() != 4) return false;
  code = 0;
  for (char c : text) code = (code << 8) | static_cast<uint8_t>(c);
  return true;
}

std::string fourCCText(uint32_t code) {
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<char>(code >> shift);
    out += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return out;
}

bool encodeQuotedString(const std::string& quoted, bool wide, std::vector<uint8_t>& out, std::string& error) {
  std::u32string text;
  return parseQuoted(quoted, text, error) && (wide ? wideString(text, out, error) : narrowString(text, out, error));
}

bool parseManifest(const std::string& text, const std::filesystem::path& manifestPath,
                   const std::vector<std::filesystem::path>& searchDirs, Manifest& out, std::string& error) {
  ManifestState state{out, searchDirs, {}, {}, manifestPath.lexically_normal(), 0};
  if (!parseText(text, manifestPath.parent_path(), state, error)) return false;
  std::vector<ManifestResource> translated;
  if (!addTranslations(out.translations, translated, out.warnings, error)) return false;
  for (ManifestResource& r : translated) {
    const std::string label = fourCCText(r.type) + " " + std::to_string(r.id);
    if (!addResource(state, std::move(r), error)) {
      error = "translation " + label + ": " + error + " (a language's id block overlaps other ids)";
      return false;
    }
  }
  for (const PendingSource& source : state.sources) {
    if (!compileSource(source, state, error)) return false;
  }
  if (out.name.empty() || out.type == 0 || out.creator == 0) {
    error = "name, type and creator are required";
    return false;
  }
  return true;
}
