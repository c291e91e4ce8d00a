// A menu bar: a row of text items across the screen at its top (or bottom).
// The left and right keys move the selection, Return, Up and Down choose
// it; an item either tells the form it was chosen or opens a popup submenu
// below (or above) itself.
#pragma once

#include <cstdint>
#include <vector>

#include "qzf_menu_list.h"

class CQZFMenuBar : public CQZFMenuList {
 public:
  explicit CQZFMenuBar(CQZFObject* owner) : CQZFMenuList(owner) {}

  // Placement flags from the description: bit 0 at the top of the screen,
  // bit 1 at the bottom.
  [[nodiscard]] int16_t load(uint16_t id, const QZFMenuDescription& description) override;
  uint8_t getMenuKind() const override { return kQZFMenuKindBar; }
  Handled onKey(const QZFKeyEvent& key) override;
  void draw() override;

  // Where an item's column starts on the screen and how wide it is (0 for a hidden item).
  int getItemX(int index) const;
  int getItemWidth(int index) const { return widths_[static_cast<size_t>(index)]; }

 protected:
  void layout() override;
  uint16_t hiddenFlags() const override { return 0x020B; }
  uint16_t skippedFlags() const override { return 0x030B; }
  QZRect itemArea() const override { return rect_; }
  // The shown item in the column under x.
  int itemAt(int x, int y) const override;
  void choose(int index) override;

 private:
  int textInset() const;

  std::vector<int> widths_;
};
