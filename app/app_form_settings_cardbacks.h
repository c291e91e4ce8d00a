// The card backs: three pages of twelve, the profile's first three choice
// lists, in two rows of six. Locked backs are earned with trophies.
#pragma once

#include <vector>

#include "app_form_settings_grid.h"

class CAppCardBacksForm : public CAppChooserForm {
 public:
  static constexpr int kPages = 3;
  static constexpr int kColumns = 6;
  static constexpr int kCells = 12;

  CAppCardBacksForm();
  // Pages 0, 1, 2 round; the cursor goes to the first cell.
  void turnPage(bool forward);
  void apply() override;

 protected:
  const Look& look() const override;
  int cellCount() const override { return kCells; }
  int cellWidth() const override;
  int cellHeight() const override;
  int firstX() const override;
  bool isLocked(int i) const override;
  bool isEmpty(int i) const override;
  void drawPicture(int i, const QZRect& at) override;
  [[nodiscard]] int16_t loadChoice() override;
  void releasePictures() override;
  void showChoice() override;
  Handled onArrow(int32_t code, uint16_t focus) override;
  Handled onButton(const CQZFGadgetEvent& event) override;

 private:
  void showNames();
  std::vector<int> sets_;
};
