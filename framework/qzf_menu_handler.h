// The menus open on one form: the form's own menu at the bottom (the root: a
// quick menu, a menu bar or a popup menu) and the submenus opened from it on
// top, newest last. Keys and the pen go to the newest menu first; the menu
// key shows and hides the root. While menus cover the form (anything but a
// quick menu alone) the form is obscured by exactly one count.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "qzf_events.h"
#include "qzf_menu.h"
#include "qzf_object.h"

class CQZFForm;

class CQZFMenuHandler : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindMenuHandler;

  explicit CQZFMenuHandler(CQZFObject* owner);
  ~CQZFMenuHandler() override;

  // The menu becomes the form's only menu, hidden; the form is told it was
  // opened. The menu's load result; -50 without its description or without
  // a form, -9 for an unknown kind, QZ_ERR_GENERAL for a damaged description
  // (nothing is open then).
  [[nodiscard]] int16_t openMenu(uint16_t menuId);
  // Opens a submenu on top, shown, at (x, y) with the placement flags.
  [[nodiscard]] int16_t openSubmenu(uint16_t menuId, int x, int y, uint8_t flags);
  // Every menu but the root is finished (removed at the next update); the root is hidden.
  void closeMenus();
  // The newest menu that is not finished is finished, or hidden when it is the root.
  void closeNewestMenu();
  // Closes and deletes every menu at once.
  void closeAndDeleteMenus();
  // The menu key: shows or hides the root.
  void toggleMenu();
  // Fading menus move their level by steps; the others jump.
  void setFading(bool on);
  // setItemFlags of the newest menu, while menus cover the form.
  void setItemFlags(uint16_t itemId, uint16_t flags);

  Handled onKey(const QZFKeyEvent& key);
  Handled onPen(const QZFPenEvent& pen);
  // Removes the finished menus and runs the others' fade step.
  void update();
  // Draws the menus from the root up while they are visible.
  void draw();
  void invalidate() const;
  bool isDirty() const;

  // The root menu's id; 0xFFFF without one.
  uint16_t getMenuId() const;
  // More than one menu open, or a root that is shown and not a quick menu.
  bool coversForm() const;
  // The open menus, root first (finished ones included until the next update).
  int getMenuCount() const { return static_cast<int>(menus_.size()); }
  CQZFMenu* getMenu(int index) const { return menus_[static_cast<size_t>(index)].get(); }

 private:
  // Keeps the menu objects alive while a menu's own call runs: deleting
  // menus during it only retires them.
  class Dispatch;

  int16_t fail(int line, int16_t code);
  // A new menu of the description's kind read from the resource, loaded
  // (by load for a root, by loadAt for a submenu); its status in `result`.
  std::unique_ptr<CQZFMenu> makeMenu(uint16_t menuId, bool root, int x, int y, uint8_t flags, int16_t* result);
  void adopt(CQZFMenu& menu) const;
  // The form is obscured while menus cover it and revealed when they stop.
  void syncCover();
  void removeMenus(bool finishedOnly);
  CQZFMenu* root() const { return menus_.empty() ? nullptr : menus_.front().get(); }
  // The newest menu not yet finished (the root at least); null without menus.
  CQZFMenu* newest() const;
  CQZFForm* form() const;

  std::vector<std::unique_ptr<CQZFMenu>> menus_;
  std::vector<std::unique_ptr<CQZFMenu>> retired_;
  int dispatching_ = 0;
  bool fading_ = false;
  bool covering_ = false;
};
