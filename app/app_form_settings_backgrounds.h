// The table backgrounds: two pages of three, with the colour wash laid over
// them (ten washes, the last one none) as a gradient or a flat colour.
// Backgrounds other than the first are earned with trophies.
#pragma once

#include <cstdint>

#include "app_form_settings_grid.h"

struct CAppSettings;

class CAppBackgroundsForm : public CAppChooserForm {
 public:
  static constexpr int kPages = 2;
  static constexpr int kCells = 3;
  static constexpr int kWashes = 10;
  static constexpr uint16_t kWash = 1411;
  static constexpr uint16_t kWashBack = 1412;
  static constexpr uint16_t kWashForward = 1413;
  static constexpr uint16_t kGradient = 1414;

  CAppBackgroundsForm();
  void turnPage(bool forward);
  void cycleWash(bool forward);
  void apply() override;

  // The wash selector's index of a stored wash (99, none, is the last).
  static int washIndexOf(uint8_t wash);
  static uint8_t washOf(int index);
  // Writes background (page, cell), the wash of selector index `wash` and
  // the gradient flag; each that differs from the stored one sets the
  // settings-changed flag.
  static void store(CAppSettings& settings, int page, int cell, int wash, bool gradient);
  int getWashIndex() const { return wash_; }

 protected:
  const Look& look() const override;
  int cellCount() const override { return kCells; }
  int cellWidth() const override;
  int cellHeight() const override;
  int firstX() const override;
  bool isLocked(int i) const override;
  void drawPicture(int i, const QZRect& at) override;
  [[nodiscard]] int16_t loadChoice() override;
  void releasePictures() override;
  Handled onArrow(int32_t code, uint16_t focus) override;
  Handled onButton(const CQZFGadgetEvent& event) override;

 private:
  bool locked_[kPages][kCells] = {};
  int wash_ = 0;
  bool setLoaded_ = false;
};
