// A check box with a wrapped text beside it: on or off alone, or one of a
// group of which exactly one is on. Activating it sends the form a checkbox
// event.
#pragma once

#include <cstdint>

#include "qzf_gadget.h"

class CQZFGadgetCheckbox : public CQZFGadget {
 public:
  CQZFGadgetCheckbox();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  void setText(const char16_t* text) override;
  void replaceInText(const char16_t* token, const char16_t* value) override;
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  bool isPressed() const { return pressed_; }

 private:
  void activate();
  void measure();
  // The box's side: its image's width and height, or a square of the line
  // height when the image is not there.
  int boxWidth() const;
  int boxHeight() const;

  bool pressed_ = false;
  int16_t widthLimit_ = -1;
  int16_t fixedHeight_ = -1;
  uint16_t unchecked_ = QZ_NO_ID, checked_ = QZ_NO_ID;
  uint16_t focusedUnchecked_ = QZ_NO_ID, focusedChecked_ = QZ_NO_ID;
  uint8_t level_ = 255, focusedLevel_ = 255;
  uint16_t font_ = QZ_NO_ID;
  int16_t gap_ = 0;
  int16_t textX_ = 0, textY_ = 0, textWidth_ = 0, textHeight_ = 0, boxX_ = 0, boxY_ = 0;
};
