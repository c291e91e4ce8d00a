#include "qzf_gadget_button.h"

#include <algorithm>

#include "app_serialise_stream.h"
#include "qzf_font_manager.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_button";
}

CQZFGadgetButton::CQZFGadgetButton() {
  setName("gdtButton");
  setTakesFocus(true);
}

int16_t CQZFGadgetButton::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFButtonPart>(d, kSource, &status);
  if (!part) return status;
  normal_ = part->normal;
  pressedCaps_ = part->pressed;
  focused_ = part->focused;
  font_ = part->font;
  minimumWidth_ = part->minimumWidth;
  setText(part->text.empty() ? nullptr : part->text.c_str());
  layout();
  return 0;
}

const QZFBoxImages& CQZFGadgetButton::activeCaps() const {
  if (pressed_ && pressedCaps_.ids[0] != QZ_NO_ID) return pressedCaps_;
  if (hasFocus() && focused_.ids[0] != QZ_NO_ID) return focused_;
  return normal_;
}

void CQZFGadgetButton::layout() {
  CQZFGadget::layout();
  measure();
  invalidate();
}

void CQZFGadgetButton::measure() {
  CQZFFontManager* fonts = getFontManager();
  const char16_t* text = getText();
  int height = fonts && font_ != QZ_NO_ID ? fonts->lineHeight(font_) : 0;
  const int textWidth = fonts && font_ != QZ_NO_ID && text ? fonts->textWidth(text, font_) : 0;
  int width = textWidth;
  // Caps that are named but not loaded measure as no caps: the button is then
  // drawn as a plain frame around its text.
  if (hasBlob(normal_.ids[0])) {
    const int middle = std::max(1, blobWidth(normal_.ids[1]));
    width = blobWidth(normal_.ids[0]);
    if (text && *text && normal_.ids[1] != QZ_NO_ID) {
      width += blobWidth(normal_.ids[2]) + middle * ((textWidth + middle - 1) / middle);
    }
    height = std::max(height, blobHeight(normal_.ids[0]));
  }
  if (minimumWidth_ != -1) width = std::max<int>(width, minimumWidth_);
  placeBox(width + 2 * padding_, height + 2 * padding_);
}

void CQZFGadgetButton::drawFocus(const QZRect& rect, int level) {
  if (focused_.ids[0] == QZ_NO_ID) CQZFGadget::drawFocus(rect, level);
}

void CQZFGadgetButton::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  if (!g || !g->isRectangleDirty(rect)) return;
  const QZFBoxImages& caps = activeCaps();
  const int capsLevel = combineLevel(level, caps.level);
  const char16_t* text = getText();
  bool showText = true;
  if (hasBlob(caps.ids[0])) {
    const int limit = rect.x + rect.w - blobWidth(caps.ids[2]) - padding_;
    if (text && *text && caps.ids[2] != QZ_NO_ID) {
      QZFDrawCaps(*g, caps, rect.x + padding_, rect.y + padding_, limit, capsLevel);
    } else {
      g->drawBlob(caps.ids[0], rect.x + padding_, rect.y + padding_, 0, capsLevel);
      showText = false;
    }
  } else {
    // Without its images the button is a frame, filled while it is held.
    if (pressed_) g->fillRectangle(rect, 0, level, focusColour_);
    g->drawFrameRectangle(rect, 1, level, focusColour_);
  }
  CQZFFontManager* fonts = getFontManager();
  if (!showText || !text || !fonts || font_ == QZ_NO_ID) return;
  const int y = rect.y + (rect.h - fonts->lineHeight(font_)) / 2;
  fonts->drawText(text, rect.x, y, rect.w, 1, font_, level);
}

Handled CQZFGadgetButton::onKey(const QZFKeyEvent& key) {
  if (!key.keyDown || key.code != kQZFKeyReturn) return Handled::kPassOn;
  sendEvent({.type = kQZFEventButton});
  return Handled::kDone;
}

Handled CQZFGadgetButton::onPen(const QZFPenEvent& pen) {
  switch (trackPress(pen, pressed_)) {
    case PressStep::kPressed: return Handled::kDone;
    case PressStep::kReleased: sendEvent({.type = kQZFEventButton}); return Handled::kDone;
    default: return Handled::kPassOn;
  }
}

void CQZFGadgetButton::setValue(int32_t stringId) { setTextFromStringId(static_cast<uint16_t>(stringId)); }

void CQZFGadgetButton::setText(const char16_t* text) {
  CQZFGadget::setText(text);
  measure();
  invalidate();
}

void CQZFGadgetButton::replaceInText(const char16_t* token, const char16_t* value) {
  CQZFGadget::replaceInText(token, value);
  measure();
  invalidate();
}

int16_t CQZFGadgetButton::serialise(SerialiseStream& stream) {
  uint16_t minimum = static_cast<uint16_t>(minimumWidth_);
  if (const int16_t r = serialiseU16(stream, &minimum, 1); r < 0) return report(kSource, 181, r);
  QZFOptionalText text = QZFTextOf(getText());
  if (const int16_t r = QZFSerialiseText(stream, text); r < 0) return report(kSource, 185, r);
  minimumWidth_ = static_cast<int16_t>(minimum);
  if (QZFIsReading(stream)) setText(text ? text->c_str() : nullptr);
  return 0;
}
