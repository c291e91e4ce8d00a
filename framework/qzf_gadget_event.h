// What a gadget tells its form (the form's onGadgetEvent): the gadget's id,
// the event type (the gadget's kind code) and the fields of that type.
#pragma once

#include <cstdint>

#include "qz_types.h"

class CQZFGadget;

// Event types: the kind code of the gadget that sends them.
enum QZFGadgetEventType : int32_t {
  kQZFEventButton = 1,
  kQZFEventSliderbar = 2,
  kQZFEventCheckbox = 4,
  kQZFEventList = 9,
  kQZFEventTimer = 10,
  kQZFEventTable = 12,
};

struct CQZFGadgetEvent {
  uint16_t gadgetId = QZ_NO_ID;
  int32_t type = 0;
  // Slider bar: the new value (0..100).
  uint8_t value = 0;
  // Checkbox: its group (0xFFFF alone) and whether it is now checked.
  uint16_t group = QZ_NO_ID;
  uint8_t checked = 0;
  // List: the chosen row's index and id and the row itself; table: the chosen row's index.
  uint16_t rowIndex = 0;
  uint16_t rowId = QZ_NO_ID;
  CQZFGadget* row = nullptr;
};
