// A menu description (resource aMNU, id = menu id) decoded into plain values.
// Three kinds share the first byte: a quick menu (the two soft keys), a menu
// bar (a row of items) and a popup menu (a column of items). The decoder
// checks the size of the resource against its header and item count: a
// description that does not fit gives an error status and no menu.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "qz_types.h"
#include "qzf_form_description.h"

constexpr uint32_t kQZFMenuType = QZFourCC("aMNU");
// The header of a bar or popup description, before its items.
constexpr size_t kQZFMenuHeaderSize = 43;
constexpr size_t kQZFMenuItemSize = 10;
// A quick menu: kind, flags, font and the two soft-key blocks.
constexpr size_t kQZFQuickMenuSize = 26;
constexpr size_t kQZFSoftKeySize = 11;

// Kind codes of the description's first byte.
enum QZFMenuKindCode : uint8_t {
  kQZFMenuKindQuick = 0,
  kQZFMenuKindBar = 1,
  kQZFMenuKindPopup = 2,
};

// Flags of a bar or popup item.
enum QZFMenuItemFlag : uint16_t {
  kQZFItemBlob = 0x0002,      // popup: the text id is a blob id drawn in place of text
  kQZFItemSubmenu = 0x0004,   // the item id is the aMNU id of a submenu
  kQZFItemIcon = 0x0008,      // popup: the item shows one of its two icons
  kQZFItemDisabled = 0x0100,  // shown, not selectable
  kQZFItemHidden = 0x0200,
  kQZFItemMarked = 0x0400,  // popup: the first icon is shown
};

// Placement flags of bars and popups: which edge of the menu sits at the anchor.
enum QZFMenuPlacement : uint8_t {
  kQZFPlaceTop = 0x01,
  kQZFPlaceBottom = 0x02,
  kQZFPlaceLeft = 0x04,
  kQZFPlaceRight = 0x08,
};

// Flags of a quick menu.
enum QZFQuickMenuFlag : uint8_t {
  kQZFQuickAtTop = 0x01,    // the soft keys sit at the top of the screen
  kQZFQuickOpensUp = 0x02,  // submenus open upwards from the bottom edge
};

// A soft key's own flags.
constexpr uint8_t kQZFSoftKeyOpensSubmenu = 0x02;

struct QZFMenuItemDescription {
  uint16_t id = QZ_NO_ID;    // sent to the form, or the submenu's aMNU id
  uint16_t text = QZ_NO_ID;  // string id (blob id for a blob item)
  uint16_t flags = 0;
  uint16_t markedIcon = QZ_NO_ID;
  uint16_t icon = QZ_NO_ID;
};

// What a bar and a popup read.
struct QZFMenuListDescription {
  QZFLevelColour background, selection, disabled;
  uint16_t font = 0;
  uint8_t textLevel = 0;
  uint16_t disabledFont = QZ_NO_ID;  // none: the text font and level
  uint8_t disabledTextLevel = 0;
  uint16_t frame[8] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID,
                       QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};  // clockwise from the top-left corner
  uint8_t frameLevel = 0;
  uint16_t arrowLeft = QZ_NO_ID;   // popup: submenus open to the left
  uint16_t arrowRight = QZ_NO_ID;  // popup: submenus open to the right
  std::vector<QZFMenuItemDescription> items;
};

struct QZFSoftKeyDescription {
  uint16_t text = QZ_NO_ID;
  uint16_t itemId = QZ_NO_ID;
  uint8_t flags = 0;
  uint16_t pressedBlob = QZ_NO_ID;  // none: the normal blob
  uint8_t pressedLevel = 0;
  uint16_t blob = QZ_NO_ID;
  uint8_t level = 0;

  // A key exists only with both a text and an item.
  bool present() const { return text != QZ_NO_ID && itemId != QZ_NO_ID; }
};

struct QZFQuickMenuDescription {
  uint16_t font = 0;
  QZFSoftKeyDescription keys[2];  // left, right
};

struct QZFMenuDescription {
  uint8_t kind = kQZFMenuKindQuick;
  uint8_t flags = 0;
  QZFMenuListDescription list;    // bar and popup
  QZFQuickMenuDescription quick;  // quick menu
};

// Decodes a whole description: 0; QZ_ERR_NO_MEMORY for a kind code other
// than the three (as the menu handler reports it); QZ_ERR_GENERAL when the
// header or the items pass the end of the resource.
[[nodiscard]] QZStatus QZFReadMenuDescription(const uint8_t* bytes, size_t size, QZFMenuDescription* out);
