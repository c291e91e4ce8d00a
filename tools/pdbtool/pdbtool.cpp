// pdbtool: builds resource databases from text manifests, and lists, extracts
// and checks database files.
//
//   pdbtool build MANIFEST OUTPUT.pdb [--search DIR]... [--with OTHER.pdb]...
//   pdbtool list FILE.pdb
//   pdbtool extract FILE.pdb FOLDER
//   pdbtool check FILE.pdb [--with OTHER.pdb]...
//   pdbtool dump FILE.pdb aFRM|aMNU ID       a form or menu as its source text
//   pdbtool compile SOURCE OUTPUT.bin        one form or menu source (ids as numbers)
//
// Building and checking look at every form and menu: each compiles back from
// its dump to the same bytes, and every string and menu it names is in the
// database itself or in a --with database; building also wants every blob it
// names in a blob set of those, or declared as a placeholder.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/code_page_1252.h"
#include "base/utf8.h"
#include "desc_check.h"
#include "desc_text.h"
#include "manifest.h"
#include "qz_blob_decode.h"
#include "qz_database_file.h"
#include "tool_file.h"
#include "tool_number.h"

namespace {

namespace fs = std::filesystem;

struct Database {
  std::vector<uint8_t> bytes;
  QZDatabaseHeader header;
  QZDatabaseKind kind = QZDatabaseKind::Resource;
  std::vector<QZDatabaseEntry> entries;
};

// A whole file, or false after saying why it cannot be read.
template <class Bytes>
bool readFile(const fs::path& path, Bytes& out) {
  std::string error;
  if (tools::readWholeFile(path, out, error)) return true;
  std::fprintf(stderr, "pdbtool: %s\n", error.c_str());
  return false;
}

// Writes a whole file in one step, or says why it could not.
bool writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::string error;
  if (tools::writeWholeFile(path, bytes, error)) return true;
  std::fprintf(stderr, "pdbtool: %s\n", error.c_str());
  return false;
}

// A stored name: 1 to 31 bytes and a terminating zero.
bool hasStoredName(const QZDatabaseHeader& h) {
  return h.name[0] != 0 && std::find(h.name, h.name + QZ_DB_NAME_SIZE, 0) != h.name + QZ_DB_NAME_SIZE;
}

// Reads and checks a file; the attributes' low bit tells resources from records.
bool loadDatabase(const fs::path& path, Database& db) {
  if (!readFile(path, db.bytes)) return false;
  if (QZParseDatabaseHeader(db.bytes.data(), db.bytes.size(), db.header) != QZ_OK) {
    std::fprintf(stderr, "pdbtool: %s: shorter than a database header\n", path.c_str());
    return false;
  }
  if (!hasStoredName(db.header)) {
    std::fprintf(stderr, "pdbtool: %s: not a database (its header holds no name)\n", path.c_str());
    return false;
  }
  db.kind = (db.header.attributes & 1) ? QZDatabaseKind::Resource : QZDatabaseKind::Record;
  if (QZParseDatabase(db.bytes.data(), db.bytes.size(), db.bytes.size(), db.kind, db.header, db.entries) != QZ_OK) {
    std::fprintf(stderr, "pdbtool: %s: damaged directory\n", path.c_str());
    return false;
  }
  return true;
}

// The stored name as the program reads it: each byte widened to a character.
std::u16string storedName(const QZDatabaseHeader& h) {
  std::u16string name;
  for (uint32_t i = 0; i < QZ_DB_NAME_SIZE && h.name[i] != 0; ++i) name += static_cast<char16_t>(h.name[i]);
  return name;
}

// Manifests, file names and our output are UTF-8.
std::string utf8(const std::u16string& text) { return base::utf16ToUtf8(text); }

const uint8_t* entryData(const Database& db, const QZDatabaseEntry& e) { return db.bytes.data() + e.offset; }

bool isDescription(uint32_t type) { return type == kDescFormType || type == kDescMenuType; }
DescType descType(uint32_t type) { return type == kDescFormType ? DescType::Form : DescType::Menu; }

// What a database holds that forms and menus may name.
void addToUniverse(uint32_t type, uint16_t id, const uint8_t* data, uint32_t size, DescUniverse& universe) {
  if (type == QZFourCC("aSTR") || type == QZFourCC("tSTR")) universe.strings.insert(id);
  if (type == kDescMenuType) universe.menus.insert(id);
  if (type != QZFourCC("aBST")) return;
  QZBlobSetData set;
  if (QZDecodeBlobSet(data, size, &set) != 0) return;
  for (int16_t i = 0; i < set.count; ++i) universe.blobs.insert(static_cast<uint16_t>(set.entries[i].id));
}

bool addDatabaseToUniverse(const fs::path& path, DescUniverse& universe) {
  Database db;
  if (!loadDatabase(path, db)) return false;
  for (const QZDatabaseEntry& e : db.entries) addToUniverse(e.type, e.id, entryData(db, e), e.size, universe);
  return true;
}

// The text of a string resource, for the dump's comments.
DescStringText stringsOf(const Database& db) {
  return [&db](uint16_t id, std::string& text) {
    for (const QZDatabaseEntry& e : db.entries) {
      const bool wide = e.type == QZFourCC("tSTR");
      if ((e.type != QZFourCC("aSTR") && !wide) || e.id != id || db.kind != QZDatabaseKind::Resource) continue;
      const uint8_t* at = entryData(db, e);
      std::u16string units;
      for (uint32_t i = 0; wide ? i + 1 < e.size : i < e.size; i += wide ? 2 : 1) {
        const char16_t c = wide ? static_cast<char16_t>(at[i] | (at[i + 1] << 8)) : base::widenCodePage1252(at[i]);
        if (c == 0) break;
        units += c == u'\n' ? u' ' : c;
      }
      text = utf8(units);
      return true;
    }
    return false;
  };
}

// The dump must compile back to the very bytes it came from; a difference
// means the text would not describe them.
bool dumpText(const Description& d, const std::vector<uint8_t>& bytes, const DescStringText& strings, std::string& text,
              std::string& error) {
  text = printDescription(d, strings);
  Description again;
  if (!parseDescription(text, {}, again, error)) return false;
  const std::vector<uint8_t> rewritten = writeDescription(again);
  if (rewritten == bytes) return true;
  size_t at = 0;
  while (at < rewritten.size() && at < bytes.size() && rewritten[at] == bytes[at]) ++at;
  error = "the text does not give back byte " + std::to_string(at) + " (bytes not as the compiler writes them)";
  return false;
}

// Every check of one description; the number of problems reported.
int checkOne(const std::string& label, const Description& d, const std::vector<uint8_t>& bytes,
             const DescUniverse& universe) {
  std::vector<std::string> problems = checkDescription(d);
  for (std::string& p : checkReferences(d, universe)) problems.push_back(std::move(p));
  std::string text, error;
  if (!dumpText(d, bytes, nullptr, text, error)) problems.push_back("round trip: " + error);
  for (const std::string& p : problems) std::fprintf(stderr, "%s: %s\n", label.c_str(), p.c_str());
  return static_cast<int>(problems.size());
}

// The options after a command's fixed arguments: --search DIR and --with DB.
struct Options {
  std::vector<fs::path> search;
  std::vector<fs::path> with;
};

// Checks the compiled forms and menus of a manifest against what it and the
// --with databases hold; the number of problems.
int checkManifestDescriptions(const fs::path& manifestPath, const Manifest& m, const std::vector<fs::path>& with) {
  DescUniverse universe;
  universe.blobs = m.placeholders;
  for (const ManifestResource& r : m.resources) {
    addToUniverse(r.type, r.id, r.data.data(), static_cast<uint32_t>(r.data.size()), universe);
  }
  for (const fs::path& path : with) {
    if (!addDatabaseToUniverse(path, universe)) return 1;
  }
  int problems = 0;
  for (const Description& d : m.descriptions) {
    problems += checkOne(manifestPath.string(), d, writeDescription(d), universe);
  }
  return problems;
}

int build(const fs::path& manifestPath, const fs::path& output, const Options& options) {
  const std::vector<fs::path>& search = options.search;
  std::string text;
  if (!readFile(manifestPath, text)) return 1;
  Manifest m;
  std::string error;
  if (!parseManifest(text, manifestPath, search, m, error)) {
    std::fprintf(stderr, "%s: %s\n", manifestPath.c_str(), error.c_str());
    return 1;
  }
  for (const std::string& warning : m.warnings) std::fprintf(stderr, "%s: warning: %s\n", manifestPath.c_str(), warning.c_str());
  if (checkManifestDescriptions(manifestPath, m, options.with) != 0) return 1;
  const std::u16string name = base::utf8ToUtf16(m.name);
  if (!QZIsValidDatabaseName(name.c_str())) {
    std::fprintf(stderr, "%s: database name '%s' is not usable as a file name\n", manifestPath.c_str(), m.name.c_str());
    return 1;
  }
  QZDatabaseHeader header;
  QZStoreDatabaseName(name.c_str(), header.name);
  header.attributes = m.attributes;
  header.version = m.version;
  header.type = m.type;
  header.creator = m.creator;
  std::vector<QZDatabaseItem> items;
  for (const ManifestResource& r : m.resources) {
    QZDatabaseItem item;
    item.type = r.type;
    item.id = r.id;
    item.data = r.data.data();
    item.size = static_cast<uint32_t>(r.data.size());
    items.push_back(item);
  }
  std::vector<uint8_t> bytes;
  if (!QZBuildDatabase(header, QZDatabaseKind::Resource, items, bytes)) {
    std::fprintf(stderr, "pdbtool: %s: the resources do not fit a database\n", manifestPath.c_str());
    return 1;
  }
  return writeFile(output, bytes) ? 0 : 1;
}

int list(const fs::path& path) {
  Database db;
  if (!loadDatabase(path, db)) return 1;
  const QZDatabaseHeader& h = db.header;
  std::printf("name %s\ntype %s\ncreator %s\nattributes %u\nversion %u\nentries %u\n", utf8(storedName(h)).c_str(),
              fourCCText(h.type).c_str(), fourCCText(h.creator).c_str(), h.attributes, h.version, h.count);
  for (const QZDatabaseEntry& e : db.entries) {
    if (db.kind == QZDatabaseKind::Resource) {
      std::printf("resource %s %u size %u offset %u\n", fourCCText(e.type).c_str(), e.id, e.size, e.offset);
    } else {
      std::printf("record attributes %02x id %02x%02x%02x size %u offset %u\n", e.extra[0], e.extra[1], e.extra[2],
                  e.extra[3], e.size, e.offset);
    }
  }
  return 0;
}

std::string entryFileName(const Database& db, size_t index) {
  const QZDatabaseEntry& e = db.entries[index];
  return db.kind == QZDatabaseKind::Resource ? fourCCText(e.type) + "_" + std::to_string(e.id) + ".bin"
                                             : "record_" + std::to_string(index) + ".bin";
}

// Refuses, naming both entries, when two would be written to one file (a
// type and id stored twice, or types that differ only in unprintable bytes).
bool namesAreUnique(const fs::path& path, const Database& db) {
  std::map<std::string, size_t> first;
  for (size_t i = 0; i < db.entries.size(); ++i) {
    const auto [at, fresh] = first.emplace(entryFileName(db, i), i);
    if (fresh) continue;
    std::fprintf(stderr, "pdbtool: %s: entries %zu and %zu would both be extracted as %s; nothing extracted\n",
                 path.c_str(), at->second, i, at->first.c_str());
    return false;
  }
  return true;
}

int extract(const fs::path& path, const fs::path& folder) {
  Database db;
  if (!loadDatabase(path, db) || !namesAreUnique(path, db)) return 1;
  std::error_code ec;
  fs::create_directories(folder, ec);
  for (size_t i = 0; i < db.entries.size(); ++i) {
    const QZDatabaseEntry& e = db.entries[i];
    const std::string file = entryFileName(db, i);
    const auto begin = db.bytes.begin() + e.offset;
    if (!writeFile(folder / file, std::vector<uint8_t>(begin, begin + e.size))) return 1;
  }
  return 0;
}

// The forms and menus of a database, checked as the build checks them but
// for blobs: the placeholders for artwork still to come are known only to
// the manifests, so blobs are checked when building.
int checkDescriptions(const fs::path& path, const Database& db, const std::vector<fs::path>& with) {
  DescUniverse universe;
  universe.checkBlobs = false;
  for (const QZDatabaseEntry& e : db.entries) addToUniverse(e.type, e.id, entryData(db, e), e.size, universe);
  for (const fs::path& other : with) {
    if (!addDatabaseToUniverse(other, universe)) return 1;
  }
  int problems = 0;
  for (const QZDatabaseEntry& e : db.entries) {
    if (db.kind != QZDatabaseKind::Resource || !isDescription(e.type)) continue;
    const std::string label = path.string() + ": " + fourCCText(e.type) + " " + std::to_string(e.id);
    const std::vector<uint8_t> bytes(entryData(db, e), entryData(db, e) + e.size);
    Description d;
    std::string error;
    if (!readDescription(descType(e.type), e.id, bytes.data(), bytes.size(), d, error)) {
      std::fprintf(stderr, "%s: %s\n", label.c_str(), error.c_str());
      ++problems;
      continue;
    }
    problems += checkOne(label, d, bytes, universe);
  }
  return problems;
}

int check(const fs::path& path, const Options& options) {
  Database db;
  if (!loadDatabase(path, db)) return 1;
  int problems = checkDescriptions(path, db, options.with);
  const std::u16string name = storedName(db.header);
  if (!QZIsValidDatabaseName(name.c_str())) {
    std::fprintf(stderr, "%s: stored name is not usable as a file name\n", path.c_str());
    ++problems;
  }
  if (base::utf8ToUtf16(fs::path(path).stem().string()) != name) {
    std::fprintf(stderr, "%s: stored name '%s' differs from the file name, so it will not open\n", path.c_str(),
                 utf8(name).c_str());
    ++problems;
  }
  std::set<std::pair<uint32_t, uint16_t>> seen;
  for (const QZDatabaseEntry& e : db.entries) {
    if (db.kind == QZDatabaseKind::Resource && !seen.insert({e.type, e.id}).second) {
      std::fprintf(stderr, "%s: duplicate resource %s %u\n", path.c_str(), fourCCText(e.type).c_str(), e.id);
      ++problems;
    }
  }
  return problems == 0 ? 0 : 1;
}

int dump(const fs::path& path, const std::string& typeText, const std::string& idText) {
  Database db;
  uint32_t type = 0;
  uint64_t id = 0;
  if (!parseFourCC(typeText, type) || !isDescription(type) ||
      !tools::parseNumber(idText, 0, 0xFFFF, id, tools::NumberBase::DecimalOrHex)) {
    std::fprintf(stderr, "pdbtool: dump takes aFRM or aMNU and an id from 0 to 65535\n");
    return 2;
  }
  if (!loadDatabase(path, db)) return 1;
  for (const QZDatabaseEntry& e : db.entries) {
    if (db.kind != QZDatabaseKind::Resource || e.type != type || e.id != id) continue;
    const std::vector<uint8_t> bytes(entryData(db, e), entryData(db, e) + e.size);
    Description d;
    std::string text, error;
    if (!readDescription(descType(type), e.id, bytes.data(), bytes.size(), d, error) ||
        !dumpText(d, bytes, stringsOf(db), text, error)) {
      std::fprintf(stderr, "%s: %s %s: %s\n", path.c_str(), typeText.c_str(), idText.c_str(), error.c_str());
      return 1;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
  }
  std::fprintf(stderr, "%s: no %s %s\n", path.c_str(), typeText.c_str(), idText.c_str());
  return 1;
}

int compile(const fs::path& source, const fs::path& output) {
  std::string text;
  if (!readFile(source, text)) return 1;
  Description d;
  std::string error;
  if (!parseDescription(text, {}, d, error)) {
    std::fprintf(stderr, "%s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  const std::vector<std::string> problems = checkDescription(d);
  for (const std::string& p : problems) std::fprintf(stderr, "%s: %s\n", source.c_str(), p.c_str());
  if (!problems.empty()) return 1;
  return writeFile(output, writeDescription(d)) ? 0 : 1;
}

int usage() {
  std::fprintf(stderr,
               "usage: pdbtool build MANIFEST OUTPUT.pdb [--search DIR]... [--with OTHER.pdb]...\n"
               "       pdbtool list FILE.pdb\n"
               "       pdbtool extract FILE.pdb FOLDER\n"
               "       pdbtool check FILE.pdb [--with OTHER.pdb]...\n"
               "       pdbtool dump FILE.pdb aFRM|aMNU ID\n"
               "       pdbtool compile SOURCE OUTPUT.bin\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Options follow the fixed arguments: build has two, check one.
  const size_t fixed = !args.empty() && args[0] == "build" ? 3 : !args.empty() && args[0] == "check" ? 2 : args.size();
  Options options;
  for (size_t i = fixed; i < args.size(); i += 2) {
    const bool search = args[i] == "--search" && args[0] == "build";
    if ((!search && args[i] != "--with") || i + 1 >= args.size()) return usage();
    (search ? options.search : options.with).emplace_back(args[i + 1]);
  }
  if (args.size() >= 3 && args[0] == "build") return build(args[1], args[2], options);
  if (args.size() == 2 && args[0] == "list") return list(args[1]);
  if (args.size() == 3 && args[0] == "extract") return extract(args[1], args[2]);
  if (args.size() >= 2 && args[0] == "check") return check(args[1], options);
  if (args.size() == 4 && args[0] == "dump") return dump(args[1], args[2], args[3]);
  if (args.size() == 3 && args[0] == "compile") return compile(args[1], args[2]);
  return usage();
}
