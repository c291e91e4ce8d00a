// A popup menu: a column of items placed at an anchor point, used for every
// submenu too. Up and Down move the selection, Return chooses it; Left or
// Right opens the selected item's submenu on the side where there is more
// room, or closes the popup. Items may show a blob in place of text, an icon
// that follows their marked flag, and an arrow when they open a submenu.
#pragma once

#include <cstdint>

#include "qzf_menu_list.h"

class CQZFMenuPopup : public CQZFMenuList {
 public:
  explicit CQZFMenuPopup(CQZFObject* owner) : CQZFMenuList(owner) {}

  // The anchor from the description's placement flags (a corner, an edge's
  // middle or the screen's middle; none: the top-left corner).
  [[nodiscard]] int16_t load(uint16_t id, const QZFMenuDescription& description) override;
  uint8_t getMenuKind() const override { return kQZFMenuKindPopup; }
  Handled onKey(const QZFKeyEvent& key) override;
  void draw() override;

  // Submenus open on the left (there is less room on the right).
  bool opensLeft() const { return opensLeft_; }
  int getRowHeight() const { return rowHeight_; }
  // The screen y of the item's row; -1 for a hidden item.
  int getRowY(int index) const;

 protected:
  void layout() override;
  uint16_t hiddenFlags() const override { return kQZFItemHidden; }
  uint16_t skippedFlags() const override { return 0x0302; }
  // Inside the frame.
  QZRect itemArea() const override;
  // The shown item in the row under y.
  int itemAt(int x, int y) const override;
  void choose(int index) override;

 private:
  int arrowWidth() const;
  int iconWidth(const Item& item) const;
  void drawMarks(const Item& item, const QZRect& row) const;

  int rowHeight_ = 0;
  int iconColumn_ = 0;
  int arrowColumn_ = 0;
  bool opensLeft_ = false;
};
