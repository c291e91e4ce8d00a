// A push button: a box of tiled caps (normal, pressed and focused looks)
// with a centred text line; a press and release on it, or the action key,
// sends the form a button event.
#pragma once

#include <cstdint>

#include "qzf_form_description.h"
#include "qzf_gadget.h"

class CQZFGadgetButton : public CQZFGadget {
 public:
  CQZFGadgetButton();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  // The value names a string resource whose text the button shows.
  void setValue(int32_t stringId) override;
  void setText(const char16_t* text) override;
  void replaceInText(const char16_t* token, const char16_t* value) override;
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  bool isPressed() const { return pressed_; }

 private:
  // The caps the button shows now.
  const QZFBoxImages& activeCaps() const;
  void measure();

  bool pressed_ = false;
  QZFBoxImages normal_, pressedCaps_, focused_;
  uint16_t font_ = QZ_NO_ID;
  int16_t minimumWidth_ = -1;
};
