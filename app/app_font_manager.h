// Pellwyn's font metrics: the spacing of the bitmap fonts comes from the
// display's layout values, the line height from the font's first glyph.
#pragma once

#include <cstdint>

#include "qzf_font_manager.h"

class CAppFontManager : public CQZFFontManager {
 public:
  explicit CAppFontManager(CQZFObject* owner) : CQZFFontManager(owner) {}

  // Room below a line, and beside it.
  int verticalPadding() override;
  int horizontalPadding() override;
  // The line height stays the framework's: the height of the font's blob.
  int letterSpacing(uint16_t font) override;
  int spaceWidth(uint16_t font) override;

 private:
  int value(uint16_t index) const;
};
