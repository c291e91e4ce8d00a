// A slider: a bar image with a knob whose value runs from 0 to 100, moved
// by the left and right keys in steps or set by the pen; each change is
// reported to the form.
#pragma once

#include <cstdint>

#include "qzf_gadget.h"

class CQZFGadgetSliderbar : public CQZFGadget {
 public:
  // The bar and knob drawn when their images are not there.
  static constexpr int kPlainBarWidth = 64, kPlainBarHeight = 4, kPlainKnobWidth = 6, kPlainKnobHeight = 12;

  CQZFGadgetSliderbar();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  // Held to 0..100.
  void setValue(int32_t value) override;
  void setText(const char16_t*) override {}
  void replaceInText(const char16_t*, const char16_t*) override {}
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  int barWidth() const;
  int barHeight() const;
  int knobWidth() const;
  int knobHeight() const;
  // The bar's left edge for a gadget rectangle starting at x.
  int barX(int x) const { return x + (rect_.w - barWidth()) / 2; }
  void sendValue();

  uint16_t bar_ = QZ_NO_ID, focusedBar_ = QZ_NO_ID, knob_ = QZ_NO_ID;
  uint8_t barLevel_ = 255, focusedBarLevel_ = 255;
  uint8_t step_ = 25;
};
