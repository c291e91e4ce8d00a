// A tuning screen for the first colour scheme: the table's top and bottom
// colour and the cards' tint, one slider each, with the values shown as
// numbers. OK and Apply recolour everything; Cancel leaves the scheme.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;

class CAppColourSettingsForm : public CQZFForm {
 public:
  static constexpr uint16_t kOk = 1;
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kApply = 6;
  static constexpr uint16_t kFirstSlider = 1401;
  static constexpr uint16_t kFirstNumber = 20;
  static constexpr int kValues = 9;
  // Values 6-8 are tints, stored with this bias.
  static constexpr int kFirstTint = 6;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // The sliders into the scheme, and everything recoloured.
  void apply();
  // The numbers of the nine values, from the scheme or from the sliders.
  void refreshLabels(bool fromSliders);

  static int valueToPosition(int value) { return value * 100 / 255; }
  static int positionToValue(int position) { return position * 255 / 100; }

 private:
  uint16_t& schemeValue(int i);

  CAppApplication* app_ = nullptr;
};
