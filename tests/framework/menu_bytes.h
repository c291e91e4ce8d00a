// Menu descriptions (aMNU) and plain form descriptions (aFRM) built byte by
// byte for the menu tests, in the layout the readers take.
#pragma once

#include <cstdint>
#include <vector>

#include "qz_types.h"
#include "qzf_form_description.h"
#include "qzf_menu_description.h"

namespace menu_bytes {

inline void put16(std::vector<uint8_t>& b, size_t at, uint16_t value) {
  b[at] = static_cast<uint8_t>(value >> 8);
  b[at + 1] = static_cast<uint8_t>(value);
}

struct Rgb {
  uint8_t level = 255, r = 0, g = 0, b = 0;
};

struct Look {
  Rgb background{255, 0, 0, 128};
  Rgb selection{255, 255, 255, 0};
  Rgb disabled{128, 128, 128, 128};
  uint16_t font = 0;
  uint8_t textLevel = 255;
  uint16_t disabledFont = QZ_NO_ID;
  uint8_t disabledTextLevel = 0;
  uint16_t frame[8] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};
  uint8_t frameLevel = 255;
  uint16_t arrowLeft = QZ_NO_ID, arrowRight = QZ_NO_ID;
};

struct Item {
  uint16_t id = QZ_NO_ID;
  uint16_t text = QZ_NO_ID;
  uint16_t flags = 0;
  uint16_t markedIcon = QZ_NO_ID;
  uint16_t icon = QZ_NO_ID;
};

// A bar (kind 1) or popup (kind 2) with its items.
inline std::vector<uint8_t> list(uint8_t kind, uint8_t flags, const std::vector<Item>& items, const Look& look = {}) {
  std::vector<uint8_t> b(kQZFMenuHeaderSize + items.size() * kQZFMenuItemSize, 0);
  b[0] = kind;
  b[1] = flags;
  const Rgb colours[3] = {look.background, look.selection, look.disabled};
  for (size_t i = 0; i < 3; ++i) {
    b[2 + 4 * i] = colours[i].level;
    b[3 + 4 * i] = colours[i].r;
    b[4 + 4 * i] = colours[i].g;
    b[5 + 4 * i] = colours[i].b;
  }
  put16(b, 14, look.font);
  b[16] = look.textLevel;
  put16(b, 17, look.disabledFont);
  b[19] = look.disabledTextLevel;
  for (size_t i = 0; i < 8; ++i) put16(b, 20 + 2 * i, look.frame[i]);
  b[36] = look.frameLevel;
  put16(b, 37, look.arrowLeft);
  put16(b, 39, look.arrowRight);
  put16(b, 41, static_cast<uint16_t>(items.size()));
  for (size_t n = 0; n < items.size(); ++n) {
    const size_t at = kQZFMenuHeaderSize + n * kQZFMenuItemSize;
    put16(b, at, items[n].id);
    put16(b, at + 2, items[n].text);
    put16(b, at + 4, items[n].flags);
    put16(b, at + 6, items[n].markedIcon);
    put16(b, at + 8, items[n].icon);
  }
  return b;
}

struct SoftKey {
  uint16_t text = QZ_NO_ID;
  uint16_t item = QZ_NO_ID;
  uint8_t flags = 0;
  uint16_t pressedBlob = QZ_NO_ID;
  uint8_t pressedLevel = 255;
  uint16_t blob = QZ_NO_ID;
  uint8_t level = 255;
};

// A quick menu with its two soft keys, padded to the 36 bytes of the format.
inline std::vector<uint8_t> quick(uint8_t flags, uint16_t font, const SoftKey& left, const SoftKey& right) {
  std::vector<uint8_t> b(36, 0);
  b[0] = kQZFMenuKindQuick;
  b[1] = flags;
  put16(b, 2, font);
  const SoftKey keys[2] = {left, right};
  for (size_t side = 0; side < 2; ++side) {
    const size_t at = 4 + side * kQZFSoftKeySize;
    put16(b, at, keys[side].text);
    put16(b, at + 2, keys[side].item);
    b[at + 4] = keys[side].flags;
    put16(b, at + 5, keys[side].pressedBlob);
    b[at + 7] = keys[side].pressedLevel;
    put16(b, at + 8, keys[side].blob);
    b[at + 10] = keys[side].level;
  }
  return b;
}

// A form without frame, title or gadgets: a gadget area of the layout values
// at indices 1 and 2, on an opaque background, naming its menu.
inline std::vector<uint8_t> form(uint16_t menuId) {
  std::vector<uint8_t> b(kQZFFormHeaderSize, 0xFF);
  b[29] = 255;
  b[30] = b[31] = b[32] = 0;
  put16(b, 37, 1);
  put16(b, 39, 2);
  put16(b, 41, menuId);
  put16(b, 47, 0);
  return b;
}

}  // namespace menu_bytes
