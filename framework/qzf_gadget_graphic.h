// A graphic: one image (the gadget's value is its blob id) centred in a box
// of fixed size or of the image's own.
#pragma once

#include <cstdint>

#include "qzf_gadget.h"

class CQZFGadgetGraphic : public CQZFGadget {
 public:
  CQZFGadgetGraphic();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void layout() override;
  // The value is the blob id shown; 0xFFFF shows nothing and keeps the size.
  void setValue(int32_t blobId) override;
  void setText(const char16_t*) override {}
  void replaceInText(const char16_t*, const char16_t*) override {}
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  int16_t boxWidth_ = -1, boxHeight_ = -1;
  uint8_t level_ = 255;
};
