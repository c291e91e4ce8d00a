// The on-screen button that ends the program, in the screen's top right
// corner: its picture, pressed while the pen is down on it.
#pragma once

#include "qzf_minimise.h"

class CAppMinimise : public CQZFMinimise {
 public:
  static constexpr uint16_t kButton = 219;
  static constexpr uint16_t kButtonPressed = 220;

  // Placed by the layout values, sized by its picture.
  explicit CAppMinimise(CQZFObject* owner);
  void drawOverlay() override;
};
