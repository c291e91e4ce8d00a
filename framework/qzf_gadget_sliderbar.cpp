#include "qzf_gadget_sliderbar.h"

#include <algorithm>

#include "app_serialise_stream.h"
#include "qzf_form_description.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_sliderbar";
}

CQZFGadgetSliderbar::CQZFGadgetSliderbar() {
  setName("gdtSdrbr");
  setTakesFocus(true);
}

int16_t CQZFGadgetSliderbar::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFSliderbarPart>(d, kSource, &status);
  if (!part) return status;
  bar_ = part->bar;
  barLevel_ = part->barLevel;
  focusedBar_ = part->focusedBar;
  focusedBarLevel_ = part->focusedBarLevel;
  knob_ = part->knob;
  step_ = part->step;
  layout();
  return 0;
}

int CQZFGadgetSliderbar::barWidth() const { return hasBlob(bar_) ? blobWidth(bar_) : kPlainBarWidth; }
int CQZFGadgetSliderbar::barHeight() const { return hasBlob(bar_) ? blobHeight(bar_) : kPlainBarHeight; }
int CQZFGadgetSliderbar::knobWidth() const { return hasBlob(knob_) ? blobWidth(knob_) : kPlainKnobWidth; }
int CQZFGadgetSliderbar::knobHeight() const { return hasBlob(knob_) ? blobHeight(knob_) : kPlainKnobHeight; }

void CQZFGadgetSliderbar::layout() {
  CQZFGadget::layout();
  placeBox(barWidth() + knobWidth() + 2 * padding_, std::max(barHeight(), knobHeight()) + 2 * padding_);
  invalidate();
}

void CQZFGadgetSliderbar::drawFocus(const QZRect& rect, int level) {
  if (focusedBar_ == QZ_NO_ID) CQZFGadget::drawFocus(rect, level);
}

void CQZFGadgetSliderbar::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  if (!g || !g->isRectangleDirty(rect)) return;
  const bool focusLook = hasFocus() && focusedBar_ != QZ_NO_ID;
  const uint16_t bar = focusLook ? focusedBar_ : bar_;
  const int barLevel = combineLevel(level, focusLook ? focusedBarLevel_ : barLevel_);
  const int x = barX(rect.x);
  const int barY = rect.y + (rect.h - barHeight()) / 2;
  const int knobX = x + barWidth() * getValue() / 100 - knobWidth() / 2;
  const int knobY = rect.y + (rect.h - knobHeight()) / 2;
  // Missing images are drawn as plain bars in the focus colour.
  if (hasBlob(bar)) {
    g->drawBlob(bar, x, barY, 0, barLevel);
  } else {
    g->fillRect(x, barY, barWidth(), barHeight(), 0, barLevel, focusColour_);
  }
  if (hasBlob(knob_)) {
    g->drawBlob(knob_, knobX, knobY, 0, barLevel);
  } else {
    g->fillRect(knobX, knobY, knobWidth(), knobHeight(), 0, barLevel, focusColour_);
  }
}

void CQZFGadgetSliderbar::setValue(int32_t value) { CQZFGadget::setValue(std::clamp(value, 0, 100)); }

void CQZFGadgetSliderbar::sendValue() {
  sendEvent({.type = kQZFEventSliderbar, .value = static_cast<uint8_t>(getValue())});
}

Handled CQZFGadgetSliderbar::onKey(const QZFKeyEvent& key) {
  if (!key.keyDown || (key.code != kQZFKeyLeft && key.code != kQZFKeyRight)) return Handled::kPassOn;
  setValue(getValue() + (key.code == kQZFKeyLeft ? -step_ : step_));
  sendValue();
  return Handled::kDone;
}

Handled CQZFGadgetSliderbar::onPen(const QZFPenEvent& pen) {
  const bool known = pen.type == QZFPenType::kUp || pen.type == QZFPenType::kDown || pen.type == QZFPenType::kMove;
  if (!known || !insideInclusive(pen.x, pen.y) || barWidth() <= 0) return Handled::kPassOn;
  setValue((pen.x - barX(rect_.x)) * 100 / barWidth());
  sendValue();
  return Handled::kDone;
}

int16_t CQZFGadgetSliderbar::serialise(SerialiseStream& stream) {
  uint32_t value = static_cast<uint32_t>(getValue());
  if (const int16_t r = serialiseU32(stream, &value, 1); r < 0) return report(kSource, 130, r);
  if (QZFIsReading(stream)) setValue(static_cast<int32_t>(value));
  return 0;
}
