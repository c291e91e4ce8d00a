// The languages of a database's strings. The manifest declares each language
// and the block of ids its strings take:
//
//   language 1031 de 10000        German: the strings of alerts.txt are
//                                 translated in alerts.de.txt beside it
//   pending alerts.txt ...        manifests whose translations may still be
//                                 missing: reported, not refused
//
// A translation file holds one line per string of its manifest, the string's
// symbol and its text (the manifest's escapes):
//
//   ALERT_OK "OK"
//
// The translation of string N is stored as string BASE + N of the same type,
// and an id map ('aRIL' 1) sends N to it while that language is in force.
// Every string of a manifest needs a translation in every language; what is
// missing is named by language, manifest and symbol.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

struct ManifestResource;

struct TranslationLanguage {
  uint16_t id = 0;    // the system's language id (1031 German)
  std::string code;   // the translation files' suffix (de)
  uint16_t base = 0;  // added to a string's id for its translation
};

// A string a manifest declared, for its translations.
struct TranslatableString {
  uint32_t type = 0;
  uint16_t id = 0;
  std::filesystem::path manifest;  // the file that declared it
};

struct TranslationPlan {
  std::vector<TranslationLanguage> languages;
  std::set<std::string> pending;                      // manifest file names
  std::map<std::string, TranslatableString> strings;  // by symbol
  std::vector<std::filesystem::path> manifests;       // files that declared strings, in order
};

// "language ID CODE BASE" and "pending FILE..." (the words after the key).
bool parseLanguageLine(const std::string& rest, TranslationPlan& plan, std::string& error);
bool parsePendingLine(const std::string& rest, TranslationPlan& plan, std::string& error);

// Reads every translation file and adds the translated strings and the id
// map to `resources`; false with the reason when a file is broken, names an
// unknown symbol, or a manifest that is not pending lacks a translation.
// Missing strings of pending manifests are added to `warnings`.
bool addTranslations(const TranslationPlan& plan, std::vector<ManifestResource>& resources,
                     std::vector<std::string>& warnings, std::string& error);
