// The quick menu: the two soft-key buttons in the bottom (or top) corners of
// the screen. The left soft key works the left button, the right soft key
// and the menu key the right one, and the stylus either. A button tells the
// form its item was chosen or opens a popup submenu from its corner. It
// stays on screen: it never covers the form and has no selection.
#pragma once

#include <cstdint>
#include <string>

#include "qzf_menu.h"
#include "qzf_menu_description.h"

class CQZFMenuQuick : public CQZFMenu {
 public:
  explicit CQZFMenuQuick(CQZFObject* owner) : CQZFMenu(owner) {}

  [[nodiscard]] int16_t loadAt(uint16_t id, const QZFMenuDescription& description, int x, int y,
                               uint8_t flags) override;
  [[nodiscard]] int16_t load(uint16_t id, const QZFMenuDescription& description) override;
  // The quick menu is always shown.
  void show(bool) override {}
  uint8_t getMenuKind() const override { return kQZFMenuKindQuick; }
  Handled onKey(const QZFKeyEvent& key) override;
  QZFMenuPen onPen(const QZFPenEvent& pen) override;
  void draw() override;

  struct Button : QZFSoftKeyDescription {
    std::u16string label;
    bool pressed = false;
    QZRect rect{};
  };
  // 0 left, 1 right.
  const Button& getButton(int side) const { return buttons_[side]; }

 private:
  // A button's answer to the pen.
  enum class Press { kWork, kTaken, kNotMine };

  void place(int side, int width, int height);
  void work(int side);
  Press press(Button& button, const QZFPenEvent& pen);
  void drawButton(const Button& button) const;
  // Without its images, a button is drawn as a plain box of this size.
  int plainHeight() const;
  bool hasImage(uint16_t blob) const;

  uint16_t font_ = 0;
  Button buttons_[2];
};
