#include "translations.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/byte_order.h"
#include "manifest.h"
#include "qz_types.h"

namespace {

constexpr uint16_t kIdMapId = 1;
constexpr uint16_t kIdMapEntrySize = 12;

struct Translated {
  uint32_t type;
  uint16_t id;
  uint16_t mapped;
  uint16_t language;
};

std::filesystem::path translationFile(const std::filesystem::path& manifest, const TranslationLanguage& language) {
  std::filesystem::path file = manifest;
  file.replace_extension("." + language.code + ".txt");
  return file;
}

// The lines of one translation file: SYMBOL "text".
bool readTranslationFile(const std::filesystem::path& file, const std::filesystem::path& manifest,
                         const TranslationLanguage& language, const TranslationPlan& plan,
                         std::vector<ManifestResource>& resources, std::vector<Translated>& map,
                         std::set<std::string>& done, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream words(line);
    std::string symbol;
    if (!(words >> symbol) || symbol[0] == '#') continue;
    const std::string where = file.string() + " line " + std::to_string(number) + ": ";
    const auto found = plan.strings.find(symbol);
    if (found == plan.strings.end() || found->second.manifest != manifest) {
      error = where + symbol + " is no string of " + manifest.filename().string();
      return false;
    }
    if (!done.insert(symbol).second) {
      error = where + symbol + " is translated twice";
      return false;
    }
    std::string quoted;
    std::getline(words, quoted);
    const size_t start = quoted.find_first_not_of(" \t");
    const size_t end = quoted.find_last_not_of(" \t\r");
    quoted = start == std::string::npos ? std::string() : quoted.substr(start, end - start + 1);
    const TranslatableString& s = found->second;
    const uint32_t mapped = static_cast<uint32_t>(s.id) + language.base;
    if (mapped >= QZ_NO_ID) {
      error = where + symbol + ": id " + std::to_string(s.id) + " + " + std::to_string(language.base) +
              " is past the last id";
      return false;
    }
    ManifestResource r;
    r.type = s.type;
    r.id = static_cast<uint16_t>(mapped);
    std::string reason;
    if (!encodeQuotedString(quoted, s.type == QZFourCC("tSTR"), r.data, reason)) {
      error = where + reason;
      return false;
    }
    resources.push_back(std::move(r));
    map.push_back({s.type, s.id, static_cast<uint16_t>(mapped), language.id});
  }
  return true;
}

// The symbols of a manifest that `done` lacks, in the order of their ids.
std::vector<std::string> missingSymbols(const TranslationPlan& plan, const std::filesystem::path& manifest,
                                        const std::set<std::string>& done) {
  std::map<uint16_t, std::string> missing;
  for (const auto& [symbol, s] : plan.strings) {
    if (s.manifest == manifest && !done.contains(symbol)) missing.emplace(s.id, symbol);
  }
  std::vector<std::string> out;
  for (const auto& [id, symbol] : missing) out.push_back(symbol);
  return out;
}

std::string missingReport(const TranslationLanguage& language, const std::filesystem::path& manifest,
                          const std::vector<std::string>& missing) {
  std::string report = "language " + std::to_string(language.id) + " (" + language.code +
                       "): " + std::to_string(missing.size()) + " string(s) of " + manifest.filename().string() +
                       " without a translation in " + translationFile(manifest, language).filename().string() + ":";
  for (const std::string& symbol : missing) report += " " + symbol;
  return report;
}

ManifestResource idMap(const std::vector<Translated>& map) {
  ManifestResource r;
  r.type = QZFourCC("aRIL");
  r.id = kIdMapId;
  r.data.resize(6 + map.size() * kIdMapEntrySize);
  uint8_t* at = r.data.data();
  base::storeBE16(at + 2, static_cast<uint16_t>(map.size()));
  base::storeBE16(at + 4, kIdMapEntrySize);
  at += 6;
  for (const Translated& t : map) {
    base::storeBE16(at, 0);  // every graphics mode
    base::storeBE32(at + 2, t.type);
    base::storeBE16(at + 6, t.language);
    base::storeBE16(at + 8, t.id);
    base::storeBE16(at + 10, t.mapped);
    at += kIdMapEntrySize;
  }
  return r;
}

}  // namespace

bool parseLanguageLine(const std::string& rest, TranslationPlan& plan, std::string& error) {
  std::istringstream words(rest);
  long id = -1;
  long base = -1;
  std::string code;
  std::string extra;
  if (!(words >> id >> code >> base) || (words >> extra) || id <= 0 || id >= QZ_NO_ID || base <= 0 ||
      base >= QZ_NO_ID || code.empty() || code.find_first_of("./\\") != std::string::npos) {
    error = "expected: language ID CODE BASE";
    return false;
  }
  for (const TranslationLanguage& l : plan.languages) {
    if (l.id == id || l.code == code || l.base == base) {
      error = "language " + std::to_string(id) + " (" + code + ") repeats an id, code or base";
      return false;
    }
  }
  plan.languages.push_back({static_cast<uint16_t>(id), code, static_cast<uint16_t>(base)});
  return true;
}

bool parsePendingLine(const std::string& rest, TranslationPlan& plan, std::string& error) {
  std::istringstream words(rest);
  std::string name;
  bool any = false;
  while (words >> name) {
    plan.pending.insert(name);
    any = true;
  }
  if (!any) error = "expected: pending FILE...";
  return any;
}

bool addTranslations(const TranslationPlan& plan, std::vector<ManifestResource>& resources,
                     std::vector<std::string>& warnings, std::string& error) {
  std::vector<Translated> map;
  std::vector<std::string> refused;
  for (const TranslationLanguage& language : plan.languages) {
    for (const std::filesystem::path& manifest : plan.manifests) {
      const std::filesystem::path file = translationFile(manifest, language);
      std::set<std::string> done;
      if (std::filesystem::exists(file) &&
          !readTranslationFile(file, manifest, language, plan, resources, map, done, error)) {
        return false;
      }
      const std::vector<std::string> missing = missingSymbols(plan, manifest, done);
      if (missing.empty()) continue;
      const bool pending = plan.pending.contains(manifest.filename().string());
      (pending ? warnings : refused)
          .push_back(missingReport(language, manifest, missing) + (pending ? " (pending)" : ""));
    }
  }
  if (!refused.empty()) {
    error = refused.front();
    for (size_t i = 1; i < refused.size(); ++i) error += "\n" + refused[i];
    return false;
  }
  if (map.size() > static_cast<size_t>(INT16_MAX)) {
    error = "more translated strings than one id map holds";
    return false;
  }
  if (!map.empty()) resources.push_back(idMap(map));
  return true;
}
