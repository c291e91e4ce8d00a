// The colour themes: nine swatches in three rows, each in its theme's form
// colour. The chosen theme colours the forms and washes the background.
#pragma once

#include "app_form_settings_grid.h"

struct CAppSettings;

class CAppThemeForm : public CAppChooserForm {
 public:
  static constexpr int kThemes = 9;
  static constexpr int kColumns = 3;

  CAppThemeForm();
  // A theme other than the stored one becomes the form theme and the wash,
  // and the application recolours; the same theme changes nothing.
  void apply() override;
  // The theme as the form theme and the wash; false (nothing written) when
  // it is the stored one.
  static bool store(CAppSettings& settings, int theme);

 protected:
  const Look& look() const override;
  int cellCount() const override { return kThemes; }
  int cellWidth() const override;
  int cellHeight() const override;
  int firstX() const override;
  bool isLocked(int) const override { return false; }
  void drawPicture(int i, const QZRect& at) override;
  [[nodiscard]] int16_t loadChoice() override;
  Handled onArrow(int32_t code, uint16_t focus) override;
};
