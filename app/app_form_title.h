// The title screen: the table of the current colour scheme with the game's
// name over the whole screen. Back on it ends the program.
#pragma once

#include "qzf_form.h"

class CAppTitleForm : public CQZFForm {
 public:
  static constexpr int kTablePlane = 1;

  CAppTitleForm();

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled drawBackground() override;
  Handled onBack() override;
  // Any player action restarts the fast frames.
  Handled onKeyEvent(const QZFKeyEvent& key) override;
};
