// The card-front styles: three in a row; the third is earned with the last trophy.
#pragma once

#include "app_form_settings_grid.h"

class CAppCardFrontsForm : public CAppChooserForm {
 public:
  static constexpr int kStyles = 3;

  CAppCardFrontsForm();
  void apply() override;
  // The style whose first large image the settings hold (style 0 for any other).
  static int styleOf(uint16_t firstLargeImage);

 protected:
  const Look& look() const override;
  int cellCount() const override { return kStyles; }
  int cellWidth() const override;
  int cellHeight() const override;
  int firstX() const override;
  bool isLocked(int i) const override { return locked_[i]; }
  void drawPicture(int i, const QZRect& at) override;
  [[nodiscard]] int16_t loadChoice() override;
  void releasePictures() override;
  void showChoice() override;
  Handled onArrow(int32_t code, uint16_t focus) override;

 private:
  bool locked_[kStyles] = {false, false, true};
  bool setLoaded_ = false;
};
