// The help page of a game's settings form: its title names the game, its
// text explains the game's settings. The settings form opens it and names
// the game.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppCustomiseHelpForm : public CQZFForm {
 public:
  static constexpr uint16_t kOk = 1;
  static constexpr uint16_t kText = 20;
  static constexpr uint16_t kTitlePattern = 1524;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  // The type's help text, and the title with the game's name for its "#".
  void setGame(int32_t gameType);
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
};
