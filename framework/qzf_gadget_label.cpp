#include "qzf_gadget_label.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_form_description.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_label";
}

CQZFGadgetLabel::CQZFGadgetLabel() { setName("gdtLbl"); }

int16_t CQZFGadgetLabel::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFLabelPart>(d, kSource, &status);
  if (!part) return status;
  // No padding, but the neighbours stay: navigation may rest on a label and
  // must go on from it.
  dropPadding();
  takeBox(part->width, part->height, part->font);
  setText(part->text.empty() ? nullptr : part->text.c_str());
  layout();
  return 0;
}

void CQZFGadgetLabel::takeBox(int16_t width, int16_t height, uint16_t font) {
  boxWidth_ = width;
  boxHeight_ = height;
  font_ = font;
}

void CQZFGadgetLabel::layout() {
  CQZFGadget::layout();
  measure();
}

void CQZFGadgetLabel::measure() {
  int w = boxWidth_ == -1 ? automaticWidth(true) : boxWidth_;
  int h = boxHeight_ == -1 ? automaticHeight() : boxHeight_;
  const char16_t* text = getText();
  CQZFFontManager* fonts = getFontManager();
  int textHeight = 0;
  if (text && *text && fonts) {
    QZFTextSize size;
    fonts->measureText(text, font_, w, &size, nullptr, nullptr);
    w = size.width;
    textHeight = size.height;
  } else {
    h = 0;
  }
  textHeight = std::min(textHeight, h);
  if (boxHeight_ == -1) h = textHeight;
  textHeight_ = static_cast<int16_t>(textHeight);
  placeBox(w, h);
}

void CQZFGadgetLabel::draw(const QZRect& rect, int level) {
  const char16_t* text = getText();
  CQZFFontManager* fonts = getFontManager();
  if (!text || !fonts) return;
  const int top = rect.y + (rect.h - textHeight_) / 2;
  fonts->drawTextBox(text, rect.x, top, rect.w, rect.y + rect.h - top, static_cast<int>(boxAlignment_), font_, level);
}

void CQZFGadgetLabel::setValue(int32_t stringId) { setTextFromStringId(static_cast<uint16_t>(stringId)); }

void CQZFGadgetLabel::setText(const char16_t* text) {
  invalidate();
  CQZFGadget::setText(text);
  measure();
  invalidate();
}

void CQZFGadgetLabel::replaceInText(const char16_t* token, const char16_t* value) {
  invalidate();
  CQZFGadget::replaceInText(token, value);
  measure();
  invalidate();
}

void CQZFGadgetLabel::setFont(uint16_t font) {
  invalidate();
  font_ = font;
  measure();
  invalidate();
}

int16_t CQZFGadgetLabel::serialise(SerialiseStream& stream) {
  QZFOptionalText text = QZFTextOf(getText());
  if (const int16_t r = QZFSerialiseText(stream, text); r < 0) return report(kSource, 172, r);
  if (QZFIsReading(stream)) setText(text ? text->c_str() : nullptr);
  return 0;
}
