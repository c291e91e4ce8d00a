// The data checks of a description: every value index names an entry of the
// layout-value table, every gadget a form names is one of its own (anchors
// placed before the gadgets that hang on them, as layout runs in one pass),
// soft keys have both a text and an item, keys lie inside their keyboard;
// and every string, blob (fonts included) and menu it names exists.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "desc_model.h"

// What the databases hold that a description may name.
struct DescUniverse {
  std::set<uint16_t> strings;  // aSTR and tSTR ids
  std::set<uint16_t> blobs;    // blob ids of every blob set (and declared placeholders)
  std::set<uint16_t> menus;    // aMNU ids
  bool checkBlobs = true;      // false: blob ids are not looked at
};

// Problems found in the description alone, each naming where it lies.
std::vector<std::string> checkDescription(const Description& description);
// Strings, blobs and menus the description names that the universe lacks.
std::vector<std::string> checkReferences(const Description& description, const DescUniverse& universe);
