// What the menu bar and the popup menu share: their look (colours, fonts,
// frame), their items with the texts loaded, the selection and its walk, the
// frame around the menu and an item's text drawn as enabled or disabled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qzf_menu.h"
#include "qzf_menu_description.h"

class CQZFMenuList : public CQZFMenu {
 public:
  explicit CQZFMenuList(CQZFObject* owner) : CQZFMenu(owner) {}

  // Takes the look and the items, lays the menu out and selects the first
  // selectable item.
  [[nodiscard]] int16_t loadAt(uint16_t id, const QZFMenuDescription& description, int x, int y,
                               uint8_t flags) override;
  void setItemFlags(uint16_t itemId, uint16_t flags) override;
  // Over the item area a release chooses the item under the pen, a press or
  // a move selects it; a release elsewhere is outside the menu, the rest is taken.
  QZFMenuPen onPen(const QZFPenEvent& pen) override;

  // The selected item's index; -1 when no item can be selected.
  int getSelected() const { return selected_; }
  int getItemCount() const { return static_cast<int>(items_.size()); }
  uint16_t getItemId(int index) const { return items_[static_cast<size_t>(index)].id; }
  uint16_t getItemFlags(int index) const { return items_[static_cast<size_t>(index)].flags; }
  const std::u16string& getItemText(int index) const { return items_[static_cast<size_t>(index)].label; }

 protected:
  struct Item : QZFMenuItemDescription {
    std::u16string label;
  };

  // Places the menu and its items after a load or a change of flags.
  virtual void layout() = 0;
  // Items with any of these flags are not drawn, and with these the
  // selection passes over them.
  virtual uint16_t hiddenFlags() const = 0;
  virtual uint16_t skippedFlags() const = 0;
  // Where the items are, and the shown item at a screen point in it (-1: none).
  virtual QZRect itemArea() const = 0;
  virtual int itemAt(int x, int y) const = 0;
  // Opens the item's submenu, or tells the form and closes the menus;
  // nothing for an item that cannot be chosen.
  virtual void choose(int index) = 0;

  bool isHidden(const Item& item) const { return (item.flags & hiddenFlags()) != 0; }
  bool isSkipped(const Item& item) const { return (item.flags & skippedFlags()) != 0; }
  // The next selectable item from `from` in the direction (1 or -1),
  // wrapping; `from` itself when it is the only one, -1 when there is none.
  int step(int from, int direction) const;
  void select(int index);

  // The frame's corner sizes (0 without a frame).
  bool hasFrame() const { return look_.frame[0] != QZ_NO_ID; }
  int insetLeft() const { return hasFrame() ? blobWidth(look_.frame[0]) : 0; }
  int insetTop() const { return hasFrame() ? blobHeight(look_.frame[0]) : 0; }
  int insetRight() const { return hasFrame() ? blobWidth(look_.frame[4]) : 0; }
  int insetBottom() const { return hasFrame() ? blobHeight(look_.frame[4]) : 0; }
  // The height of a line of text with the menus' padding below it.
  int lineHeight() const;
  // Fills a rectangle in a colour at its level (nothing at or below the menu's level).
  void fill(const QZRect& rect, const QZFLevelColour& colour) const;
  // The item's text at (x, y) in a row of the height, left aligned and
  // vertically centred, with the disabled font and fill when it is disabled.
  void drawItemText(const Item& item, const QZRect& row, int textX) const;
  void drawFrame() const;

  QZFMenuListDescription look_;
  std::vector<Item> items_;
  int selected_ = -1;
};
