// pdbtool: builds resource databases from text manifests, and lists, extracts
// and checks database files.
//
//   pdbtool build MANIFEST OUTPUT.pdb [--search DIR]...
//   pdbtool list FILE.pdb
//   pdbtool extract FILE.pdb FOLDER
//   pdbtool check FILE.pdb
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "manifest.h"
#include "qz_database_file.h"

namespace {

namespace fs = std::filesystem;

struct Database {
  std::vector<uint8_t> bytes;
  QZDatabaseHeader header;
  QZDatabaseKind kind = QZDatabaseKind::Resource;
  std::vector<QZDatabaseEntry> entries;
};

bool readFile(const fs::path& path, std::vector<uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool writeFileReplacing(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  return !ec;
}

// Reads and checks a file; the attributes' low bit tells resources from records.
bool loadDatabase(const fs::path& path, Database& db) {
  if (!readFile(path, db.bytes)) {
    std::fprintf(stderr, "pdbtool: cannot read %s\n", path.c_str());
    return false;
  }
  if (QZParseDatabaseHeader(db.bytes.data(), db.bytes.size(), db.header) != QZ_OK) {
    std::fprintf(stderr, "pdbtool: %s: shorter than a database header\n", path.c_str());
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

int build(const fs::path& manifestPath, const fs::path& output, const std::vector<fs::path>& search) {
  std::vector<uint8_t> text;
  if (!readFile(manifestPath, text)) {
    std::fprintf(stderr, "pdbtool: cannot read %s\n", manifestPath.c_str());
    return 1;
  }
  Manifest m;
  std::string error;
  if (!parseManifest(std::string(text.begin(), text.end()), manifestPath.parent_path(), search, m, error)) {
    std::fprintf(stderr, "%s: %s\n", manifestPath.c_str(), error.c_str());
    return 1;
  }
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
  if (!QZBuildDatabase(header, QZDatabaseKind::Resource, items, bytes) || !writeFileReplacing(output, bytes)) {
    std::fprintf(stderr, "pdbtool: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
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
    if (!writeFileReplacing(folder / file, std::vector<uint8_t>(begin, begin + e.size))) {
      std::fprintf(stderr, "pdbtool: cannot write %s\n", (folder / file).c_str());
      return 1;
    }
  }
  return 0;
}

int check(const fs::path& path) {
  Database db;
  if (!loadDatabase(path, db)) return 1;
  int problems = 0;
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

int usage() {
  std::fprintf(stderr,
               "usage: pdbtool build MANIFEST OUTPUT.pdb [--search DIR]...\n"
               "       pdbtool list FILE.pdb\n"
               "       pdbtool extract FILE.pdb FOLDER\n"
               "       pdbtool check FILE.pdb\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 3 && args[0] == "build") {
    std::vector<fs::path> search;
    for (size_t i = 3; i < args.size(); i += 2) {
      if (args[i] != "--search" || i + 1 >= args.size()) return usage();
      search.emplace_back(args[i + 1]);
    }
    return build(args[1], args[2], search);
  }
  if (args.size() == 2 && args[0] == "list") return list(args[1]);
  if (args.size() == 3 && args[0] == "extract") return extract(args[1], args[2]);
  if (args.size() == 2 && args[0] == "check") return check(args[1]);
  return usage();
}
