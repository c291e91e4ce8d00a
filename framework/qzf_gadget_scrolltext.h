// A long word-wrapped text in a framed box, shown a page of lines at a
// time, scrolled by the up and down keys or by a scroll bar. The bar goes
// when the whole text fits.
#pragma once

#include <cstdint>

#include "qzf_form_description.h"
#include "qzf_gadget.h"
#include "qzf_gadget_parts.h"

class CQZFGadgetScrollText : public CQZFGadget {
 public:
  CQZFGadgetScrollText();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  // The value names a string resource whose text is shown.
  void setValue(int32_t stringId) override;
  void setText(const char16_t* text) override;
  void replaceInText(const char16_t* token, const char16_t* value) override;
  CQZFGadget* getGadget() override { return this; }

  int getFirstLine() const { return firstLine_; }
  int getLinesPerPage() const { return linesPerPage_; }
  int getLineCount() const { return lineCount_; }
  int getTextWidth() const { return textWidth_; }
  bool isBarShown() const { return barShown_; }

 private:
  void measure();
  void wrap(int width);
  bool scrollBy(int lines);

  int16_t boxWidth_ = -1, boxHeight_ = -1;
  uint16_t font_ = QZ_NO_ID;
  int textWidth_ = 0, textHeight_ = 0;
  int firstLine_ = 0, linesPerPage_ = 1, lineCount_ = 0;
  QZFLevelColour frame_{0, 0}, background_{0, 0};
  QZFScrollBar bar_;
  bool barShown_ = true;
};
