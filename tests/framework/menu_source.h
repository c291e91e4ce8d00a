// Menu descriptions (aMNU) and plain form descriptions (aFRM) for the menu
// tests: written as description source and made by the build's one writer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "desc_model.h"
#include "desc_text.h"
#include "qz_types.h"

namespace menu_source {

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
  uint16_t arrowLeft = QZ_NO_ID, arrowRight = QZ_NO_ID;  // popups only
};

struct Item {
  uint16_t id = QZ_NO_ID;  // a command, or the submenu with flag 0x0004
  uint16_t text = QZ_NO_ID;
  uint16_t flags = 0;
  uint16_t markedIcon = QZ_NO_ID;  // with flag 0x0008
  uint16_t icon = QZ_NO_ID;
};

struct SoftKey {
  uint16_t text = QZ_NO_ID;
  uint16_t item = QZ_NO_ID;  // a command, or the submenu with flag 2
  uint8_t flags = 0;
  uint16_t pressedBlob = QZ_NO_ID;
  uint8_t pressedLevel = 255;
  uint16_t blob = QZ_NO_ID;
  uint8_t level = 255;
};

inline std::vector<uint8_t> compile(const std::string& source) {
  Description d;
  std::string error;
  EXPECT_TRUE(parseDescription(source, {}, d, error)) << error << "\n" << source;
  return writeDescription(d);
}

inline std::string n(unsigned value) { return std::to_string(value); }

inline std::string colour(const Rgb& c) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.r, c.g, c.b);
  return n(c.level) + " " + hex;
}

// A bar (kind 1) or popup (kind 2) with its items.
inline std::vector<uint8_t> list(uint8_t kind, uint8_t placement, const std::vector<Item>& items,
                                 const Look& look = {}) {
  std::string s = std::string("menu 1 ") + (kind == 1 ? "bar" : "popup") + "\n";
  s += "placement " + n(placement) + "\n";
  s += "background " + colour(look.background) + "\nselection " + colour(look.selection) + "\n";
  s += "disabled " + colour(look.disabled) + "\n";
  s += "font " + n(look.font) + "\ntext-level " + n(look.textLevel) + "\n";
  s += "disabled-font " + n(look.disabledFont) + "\ndisabled-level " + n(look.disabledTextLevel) + "\n";
  s += "frame";
  for (const uint16_t id : look.frame) s += " " + n(id);
  s += "\nframe-level " + n(look.frameLevel) + "\n";
  if (kind == 2) s += "arrow-left " + n(look.arrowLeft) + "\narrow-right " + n(look.arrowRight) + "\n";
  for (const Item& item : items) {
    s += "item flags " + n(item.flags) + ((item.flags & 0x0004) ? " submenu " : " id ") + n(item.id);
    s += ((item.flags & 0x0002) ? " image " : " text ") + n(item.text);
    if (item.flags & 0x0008) s += " icon-marked " + n(item.markedIcon) + " icon " + n(item.icon);
    s += "\n";
  }
  return compile(s);
}

// A quick menu with its two soft keys.
inline std::vector<uint8_t> quick(uint8_t placement, uint16_t font, const SoftKey& left, const SoftKey& right) {
  std::string s = "menu 1 quick\nplacement " + n(placement) + "\nfont " + n(font) + "\n";
  const SoftKey* keys[2] = {&left, &right};
  for (int side = 0; side < 2; ++side) {
    const SoftKey& k = *keys[side];
    s += std::string(side == 0 ? "left" : "right") + " text " + n(k.text) + " flags " + n(k.flags);
    s += ((k.flags & 2) ? " submenu " : " item ") + n(k.item);
    s += " pressed " + n(k.pressedBlob) + " " + n(k.pressedLevel) + " image " + n(k.blob) + " " + n(k.level) + "\n";
  }
  return compile(s);
}

// A form without frame, title or gadgets: a gadget area of the layout values
// at indices 1 and 2, on an opaque black background, naming its menu.
inline std::vector<uint8_t> form(uint16_t menuId) {
  return compile("form 1\nwidth T1\nheight T2\nbackground 255 #000000\nmenu " + n(menuId) + "\n");
}

}  // namespace menu_source
