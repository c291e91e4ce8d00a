// A compiled string-table block, for tests that register string resources.
#pragma once

#include <string>
#include <vector>

#include "wince/types.h"

// A string-table block (16 strings) holding `texts` from id first.
inline std::vector<WORD> stringBlock(UINT first, const std::vector<std::u16string>& texts) {
  std::vector<WORD> block;
  for (UINT id = first / 16 * 16; id < first / 16 * 16 + 16; ++id) {
    if (id >= first && id - first < texts.size()) {
      const std::u16string& t = texts[id - first];
      block.push_back(static_cast<WORD>(t.size()));
      block.insert(block.end(), t.begin(), t.end());
    } else {
      block.push_back(0);
    }
  }
  return block;
}
