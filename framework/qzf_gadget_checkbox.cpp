#include "qzf_gadget_checkbox.h"

#include <algorithm>

#include "app_serialise_stream.h"
#include "qzf_font_manager.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_checkbox";
}

CQZFGadgetCheckbox::CQZFGadgetCheckbox() {
  setName("gdtChkBox");
  setTakesFocus(true);
}

int16_t CQZFGadgetCheckbox::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFCheckboxPart>(d, kSource, &status);
  if (!part) return status;
  setGroupId(static_cast<int16_t>(part->group));
  unchecked_ = part->unchecked;
  checked_ = part->checked;
  level_ = part->level;
  focusedUnchecked_ = part->focusedUnchecked;
  focusedChecked_ = part->focusedChecked;
  focusedLevel_ = part->focusedLevel;
  gap_ = part->gap;
  widthLimit_ = part->widthLimit;
  fixedHeight_ = part->height;
  font_ = part->font;
  setText(part->text.empty() ? nullptr : part->text.c_str());
  layout();
  return 0;
}

int CQZFGadgetCheckbox::boxWidth() const {
  if (hasBlob(unchecked_)) return blobWidth(unchecked_);
  return getFontManager() ? getFontManager()->lineHeight(font_) : 0;
}

int CQZFGadgetCheckbox::boxHeight() const { return hasBlob(unchecked_) ? blobHeight(unchecked_) : boxWidth(); }

void CQZFGadgetCheckbox::layout() {
  CQZFGadget::layout();
  measure();
}

void CQZFGadgetCheckbox::measure() {
  invalidate();
  const int box = boxWidth();
  int width = box;
  int height = fixedHeight_ == -1 ? boxHeight() : fixedHeight_;
  boxX_ = padding_;
  textWidth_ = textHeight_ = 0;
  const char16_t* text = getText();
  CQZFFontManager* fonts = getFontManager();
  if (text && *text && fonts) {
    const int room = widthLimit_ != -1 ? widthLimit_ : automaticWidth(false);
    QZFTextSize size;
    fonts->measureText(text, font_, room - box - gap_, &size, nullptr, nullptr);
    textWidth_ = static_cast<int16_t>(size.width);
    textHeight_ = static_cast<int16_t>(fixedHeight_ != -1 ? std::min<int>(size.height, fixedHeight_) : size.height);
    height = std::max<int>(height, textHeight_);
    textX_ = static_cast<int16_t>(box + padding_ + gap_);
    width = box + textWidth_ + gap_;
  }
  const int h = height + 2 * padding_;
  boxY_ = static_cast<int16_t>((h - boxHeight()) / 2);
  textY_ = static_cast<int16_t>((h - textHeight_) / 2);
  placeBox(width + 2 * padding_, h);
  invalidate();
}

void CQZFGadgetCheckbox::drawFocus(const QZRect& rect, int level) {
  if (focusedUnchecked_ == QZ_NO_ID) CQZFGadget::drawFocus(rect, level);
}

void CQZFGadgetCheckbox::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  if (!g || !g->isRectangleDirty(rect)) return;
  const bool focusLook = hasFocus() && focusedUnchecked_ != QZ_NO_ID;
  const uint16_t image =
      focusLook ? (getValue() ? focusedChecked_ : focusedUnchecked_) : (getValue() ? checked_ : unchecked_);
  const int x = rect.x + boxX_, y = rect.y + boxY_;
  if (hasBlob(image)) {
    g->drawBlob(image, x, y, 0, combineLevel(level, focusLook ? focusedLevel_ : level_));
  } else {
    // Without its images the box is a square frame, filled when checked.
    const QZRect square{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(boxWidth()),
                        static_cast<int16_t>(boxHeight())};
    g->drawFrameRectangle(square, 1, level, focusColour_);
    if (getValue()) {
      g->fillRect(square.x + 2, square.y + 2, square.w - 4, square.h - 4, 0, level, focusColour_);
    }
  }
  const char16_t* text = getText();
  CQZFFontManager* fonts = getFontManager();
  if (!text || !fonts) return;
  const int top = rect.y + textY_;
  fonts->drawTextBox(text, rect.x + textX_, top, textWidth_, rect.y + rect.h - top, 0, font_, level);
}

void CQZFGadgetCheckbox::activate() {
  const int16_t group = getGroupId();
  if (group == -1) {
    setValue(getValue() ? 0 : 1);
  } else if (getValue() == 0) {
    if (CQZFGadgetHandler* handler = findOwner<CQZFGadgetHandler>()) {
      handler->selectInGroup(group, static_cast<uint16_t>(getId()));
    }
  }
  sendEvent(
      {.type = kQZFEventCheckbox, .group = static_cast<uint16_t>(group), .checked = static_cast<uint8_t>(getValue())});
}

Handled CQZFGadgetCheckbox::onKey(const QZFKeyEvent& key) {
  if (!key.keyDown || key.code != kQZFKeyReturn) return Handled::kPassOn;
  activate();
  return Handled::kDone;
}

Handled CQZFGadgetCheckbox::onPen(const QZFPenEvent& pen) {
  const PressStep step = trackPress(pen, pressed_);
  if (step == PressStep::kOutside) return Handled::kPassOn;
  if (step == PressStep::kReleased) activate();
  return Handled::kDone;
}

void CQZFGadgetCheckbox::setText(const char16_t* text) {
  CQZFGadget::setText(text);
  measure();
  invalidate();
}

void CQZFGadgetCheckbox::replaceInText(const char16_t* token, const char16_t* value) {
  CQZFGadget::replaceInText(token, value);
  measure();
  invalidate();
}

int16_t CQZFGadgetCheckbox::serialise(SerialiseStream& stream) {
  uint32_t value = static_cast<uint32_t>(getValue());
  if (const int16_t r = serialiseU32(stream, &value, 1); r < 0) return report(kSource, 173, r);
  QZFOptionalText text = QZFTextOf(getText());
  if (const int16_t r = QZFSerialiseText(stream, text); r < 0) return report(kSource, 176, r);
  if (QZFIsReading(stream)) {
    setValue(static_cast<int32_t>(value));
    setText(text ? text->c_str() : nullptr);
  }
  return 0;
}
