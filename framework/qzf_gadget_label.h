// A label: word-wrapped text in a box of fixed or automatic size. The
// timer and the rows of a list are labels.
#pragma once

#include <cstdint>

#include "qzf_gadget.h"

class CQZFGadgetLabel : public CQZFGadget {
 public:
  CQZFGadgetLabel();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void layout() override;
  // The value names a string resource whose text the label shows.
  void setValue(int32_t stringId) override;
  void setText(const char16_t* text) override;
  void replaceInText(const char16_t* token, const char16_t* value) override;
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  void setFont(uint16_t font);
  uint16_t getFont() const { return font_; }

 protected:
  // Takes the label's part of the description: box size and font.
  void takeBox(int16_t width, int16_t height, uint16_t font);
  // The size from the text wrapped in the box.
  void measure();

 private:
  int16_t boxWidth_ = -1;
  int16_t boxHeight_ = -1;
  int16_t textHeight_ = 0;
  uint16_t font_ = QZ_NO_ID;
};
