// A form description (resource aFRM, id = form id) decoded into plain
// values: the form's header and one description per gadget, with positions
// and sizes looked up in the layout-value table, colours made and texts
// loaded. The decoder checks every size and index against the resource and
// the table: a description that does not fit gives QZ_ERR_GENERAL and no form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "qz_types.h"

constexpr uint32_t kQZFFormType = QZFourCC("aFRM");
constexpr size_t kQZFFormHeaderSize = 49;
constexpr size_t kQZFGadgetHeadSize = 22;
// Entries of the application's layout-value table for every display.
constexpr size_t kQZFValueTableSize = 216;

// Gadget kind codes of the description.
enum QZFGadgetKind : uint8_t {
  kQZFGadgetButton = 1,
  kQZFGadgetSliderbar = 2,
  kQZFGadgetLabel = 3,
  kQZFGadgetCheckbox = 4,
  kQZFGadgetTextEntry = 5,
  kQZFGadgetKeyboard = 6,
  kQZFGadgetGraphic = 7,
  kQZFGadgetURL = 8,
  kQZFGadgetList = 9,
  kQZFGadgetTimer = 10,
  kQZFGadgetScrollText = 11,
  kQZFGadgetTable = 12,
};

// The class tag of a kind ("gdtButton" ...); null for an unknown kind.
const char* QZFGadgetTag(int kind);

// What the decoder needs from its surroundings.
struct QZFDescriptionContext {
  const int16_t* values = nullptr;  // the layout-value table
  size_t valueCount = 0;
  // The text of a string resource; empty when it is absent or empty.
  std::function<std::u16string(uint16_t stringId)> text;
};

// One axis of a gadget's position: anchored to another gadget's rectangle
// (resolved at layout time) or a position in the gadget area.
struct QZFAxisDescription {
  bool anchored = false;
  uint16_t anchorId = QZ_NO_ID;
  uint8_t alignment = 0;
  int16_t offset = 0;
  int16_t position = 0;
};

struct QZFLevelColour {
  uint8_t level = 0;
  uint16_t colour = 0;
};

// Left cap, middle tile and right cap of a box, with their level.
struct QZFBoxImages {
  uint16_t ids[3] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};
  uint8_t level = 0;
};

// The arrows, track and thumb of a scroll bar.
struct QZFScrollBarLook {
  uint16_t up = QZ_NO_ID, upPressed = QZ_NO_ID, down = QZ_NO_ID, downPressed = QZ_NO_ID;
  uint8_t arrowLevel = 0;
  QZFLevelColour track, thumb;
};

struct QZFButtonPart {
  std::u16string text;
  QZFBoxImages normal, pressed, focused;
  uint16_t font = 0;
  int16_t minimumWidth = -1;  // 0xFFFF: none
};
struct QZFSliderbarPart {
  uint16_t bar = QZ_NO_ID;
  uint8_t barLevel = 0;
  uint16_t focusedBar = QZ_NO_ID;
  uint8_t focusedBarLevel = 0;
  uint16_t knob = QZ_NO_ID;
  uint8_t step = 0;
};
struct QZFLabelPart {
  std::u16string text;
  int16_t width = -1, height = -1;  // -1: automatic
  uint16_t font = 0;
};
struct QZFCheckboxPart {
  std::u16string text;
  uint16_t group = QZ_NO_ID;
  uint16_t unchecked = QZ_NO_ID, checked = QZ_NO_ID;
  uint8_t level = 0;
  uint16_t focusedUnchecked = QZ_NO_ID, focusedChecked = QZ_NO_ID;
  uint8_t focusedLevel = 0;
  int16_t gap = 0, widthLimit = -1, height = -1;
  uint16_t font = 0;
};
struct QZFTextEntryPart {
  std::u16string text;
  uint16_t maxLength = 0;
  int16_t width = 0;
  QZFBoxImages normal, focused;
  uint16_t cursor = QZ_NO_ID;
  uint8_t accepted = 0;
  uint16_t font = 0;
};
struct QZFKeyDescription {
  uint8_t column = 0, row = 0, code = 0, secondCode = 0;
  uint16_t images[3] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};  // normal, focused, pressed
  uint8_t levels[3] = {};
};
struct QZFKeyboardPart {
  uint8_t columns = 0, rows = 0;
  int16_t cellWidth = 0, cellHeight = 0;
  uint16_t font = 0;
  std::vector<QZFKeyDescription> keys;
};
struct QZFGraphicPart {
  uint16_t image = QZ_NO_ID;
  uint8_t level = 0;
  int16_t width = -1, height = -1;  // -1 (0xFFFF): the image's own size
};
struct QZFURLPart {
  int16_t width = -1;  // -1: automatic
  uint16_t font = 0;
  uint8_t colours[3] = {};  // palette indices: normal, focused, pressed
  std::u16string caption, address, text;
};
struct QZFListPart {
  int16_t width = 0, height = 0;
  QZFLevelColour frame, background, selection;
  uint8_t flags = 0;
  int16_t minimumRowHeight = -1;  // -1: none
  QZFScrollBarLook scrollBar;
};
struct QZFTimerPart {
  int16_t width = -1, height = -1;
  uint16_t font = 0;
  int32_t start = 0;  // hundredths of a second
  uint8_t mode = 0;
  std::u16string token, format;
};
struct QZFScrollTextPart {
  std::u16string text;
  int16_t width = -1, height = -1;
  uint16_t font = 0;
  QZFLevelColour frame, background;
  QZFScrollBarLook scrollBar;
};
struct QZFColumnDescription {
  uint8_t flags = 0, alignment = 0, widthPercent = 0;
};
struct QZFTablePart {
  int16_t width = 0, height = 0;
  QZFLevelColour frame, background, selection;
  QZFScrollBarLook scrollBar;
  uint8_t flags = 0, rowsPerPage = 0;
  uint16_t font = 0;
  std::vector<QZFColumnDescription> columns;
};

using QZFGadgetPart =
    std::variant<QZFButtonPart, QZFSliderbarPart, QZFLabelPart, QZFCheckboxPart, QZFTextEntryPart, QZFKeyboardPart,
                 QZFGraphicPart, QZFURLPart, QZFListPart, QZFTimerPart, QZFScrollTextPart, QZFTablePart>;

// What a gadget's init receives.
struct QZFGadgetDescription {
  uint16_t id = QZ_NO_ID;
  uint8_t kind = 0;
  QZFAxisDescription x, y;
  uint8_t boxAlignment = 0;
  uint16_t neighbours[4] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};  // up, right, down, left
  int16_t padding = 0;
  uint16_t focusColour = 0;
  uint8_t focusLevel = 0;
  QZFGadgetPart part;
};

struct QZFFormDescription {
  uint16_t frame[8] = {};  // clockwise from the top-left corner; frame[0] 0xFFFF: no frame
  uint8_t frameLevel = 0;
  uint16_t titleBar[3] = {};  // left cap, middle, right cap; titleBar[0] 0xFFFF: none
  uint8_t titleBarLevel = 0;
  uint16_t titleFont = 0;
  uint8_t titleTextLevel = 0;
  uint16_t titleStringId = QZ_NO_ID;
  std::u16string title;
  QZFLevelColour background;
  QZFLevelColour focus;
  int16_t gadgetWidth = 0, gadgetHeight = 0;
  bool fitToGadgets = false;
  uint16_t menuId = QZ_NO_ID;
  int16_t padding = 0;
  uint16_t firstFocusId = QZ_NO_ID;
  uint16_t gadgetCount = 0;
  // The gadgets built from the records, in order. An unknown kind code ends
  // the building: it and every record after it give no gadget.
  std::vector<QZFGadgetDescription> gadgets;
};

// Decodes a whole description; 0, or QZ_ERR_GENERAL when a record or a
// value index lies outside the resource or the table.
[[nodiscard]] QZStatus QZFReadFormDescription(const uint8_t* bytes, size_t size, const QZFDescriptionContext& context,
                                              QZFFormDescription* out);
