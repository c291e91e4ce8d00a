// The text manifest from which pdbtool builds a resource database:
//
//   name Pellwyn-Data          database name (1-31 characters)
//   type ARES                  four-character codes
//   creator QzSo
//   attributes 9               optional (9 by default), as is "version 1"
//   resource aGML 0 hex 0002 0000 0000 0000 0000
//   resource aSTR 1011 string "Windows-1252 text, zero-terminated"
//   resource tSTR 7 wstring "UTF-16 text, little-endian, zero-terminated"
//   resource aFRM 1000 file forms/title.bin
//
// Forms and menus are compiled from their text sources (desc_text.h), and
// may name strings and blobs by symbol:
//
//   string GALLERY_TITLE 2100 "Gadget gallery"   aSTR 2100, symbol GALLERY_TITLE
//   wstring SNOWMAN 2101 "\u2603"                 tSTR 2101, symbol SNOWMAN
//   blob FONT_TEXT 0                              a symbol for a blob id
//   placeholder FRAME_TOP_LEFT 1300               the same, for a blob the artwork
//                                                 has yet to draw: the checks let it pass
//   include ../chrome.txt                         the lines of another manifest
//   language 1031 de 10000                        a language of the strings (translations.h)
//   pending alerts.txt                            translations still to come
//   pieces ../art/chrome.txt                      a blob symbol for each `piece NAME SET ID ...`
//                                                 line of an artwork list: button.normal.left
//                                                 is BUTTON_NORMAL_LEFT
//   form forms/gallery.txt                        compiled to aFRM (its id from the source)
//   menu menus/gallery_bar.txt                    compiled to aMNU
//
// Lines starting with '#' are comments. Strings take the escapes \n \t \\ \"
// \xHH (one byte) and \uHHHH. Files are looked for beside the manifest, then
// in each search folder (where other build steps put what they make).
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "desc_field.h"
#include "desc_model.h"
#include "translations.h"

struct ManifestResource {
  uint32_t type = 0;
  uint16_t id = 0;
  std::vector<uint8_t> data;
};

struct Manifest {
  std::string name;
  uint32_t type = 0;
  uint32_t creator = 0;
  uint16_t attributes = 9;
  uint16_t version = 1;
  std::vector<ManifestResource> resources;
  DescSymbols symbols;
  std::set<uint16_t> placeholders;        // blob ids declared with `placeholder`
  std::vector<Description> descriptions;  // compiled forms and menus (also in resources)
  TranslationPlan translations;           // languages and the strings they translate
  std::vector<std::string> warnings;      // translations still missing in pending manifests
};

// Parses the manifest file, the text of which is given; on failure returns
// false with "line N: reason" in error.
bool parseManifest(const std::string& text, const std::filesystem::path& manifestPath,
                   const std::vector<std::filesystem::path>& searchDirs, Manifest& out, std::string& error);

// A quoted string of a manifest line as the bytes of an 'aSTR' (Windows-1252)
// or, when wide, a 'tSTR' (UTF-16LE) resource, terminator included.
bool encodeQuotedString(const std::string& quoted, bool wide, std::vector<uint8_t>& out, std::string& error);

// A four-character code from its text; false unless exactly four characters.
bool parseFourCC(const std::string& text, uint32_t& code);
std::string fourCCText(uint32_t code);
