#include "qzf_gadget_timer.h"

#include <algorithm>
#include <cstdint>

#include "app_serialise_stream.h"
#include "qzf_application.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_gadget_parts.h"
#include "qzf_helpers.h"
#include "qzf_metrics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_timer";
}

CQZFGadgetTimer::CQZFGadgetTimer() { setName("gdtTmr"); }

int16_t CQZFGadgetTimer::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFTimerPart>(d, kSource, &status);
  if (!part) return status;
  const CQZFApplication* app = findOwner<CQZFApplication>();
  metrics_ = app ? app->getMetrics() : nullptr;
  if (!metrics_) return report(kSource, 73, QZ_ERR_BAD_STATE);
  // No padding, but the neighbours stay: navigation may rest on a label and
  // must go on from it.
  dropPadding();
  takeBox(part->width, part->height, part->font);
  if (!part->format.empty()) setText(part->format.c_str());
  if (!part->token.empty()) token_ = part->token;
  setValue(part->start);
  if (template_ && token_) rebuild();
  layout();
  return 0;
}

void CQZFGadgetTimer::rebuild() {
  invalidate();
  QZFWChar number[24];
  QZFIntToString(number, current_ / 100);
  CQZFGadget::setText(template_->c_str());
  CQZFGadget::replaceInText(token_->c_str(), number);
  if (CQZFGadgetHandler* handler = findOwner<CQZFGadgetHandler>()) {
    handler->layout();
  } else {
    layout();
  }
}

void CQZFGadgetTimer::update() {
  if (!running_) return;
  if (current_ != target_) {
    // The frame time is unsigned: count in 64 bits so that a long pause
    // still ends the count at the target.
    const int64_t delta = metrics_ ? metrics_->getFrameInterval(0, UINT32_MAX) : 0;
    current_ = static_cast<int32_t>(std::max<int64_t>(int64_t{current_} - delta, target_));
    if (template_ && token_) rebuild();
    return;
  }
  const CQZFForm* form = getForm();
  if (!form || !form->isActive()) return;
  running_ = false;
  sendEvent({.type = kQZFEventTimer});
}

void CQZFGadgetTimer::setValue(int32_t hundredths) {
  current_ = hundredths;
  target_ = 0;
  running_ = current_ != target_;
  layout();
}

void CQZFGadgetTimer::setText(const char16_t* text) {
  if (text) {
    template_ = std::u16string(text);
  } else {
    template_.reset();
  }
}

void CQZFGadgetTimer::replaceInText(const char16_t* token, const char16_t* value) {
  invalidate();
  if (getText() && template_) QZFReplaceFirst(*template_, token, value);
}

int16_t CQZFGadgetTimer::serialise(SerialiseStream& stream) {
  uint32_t current = static_cast<uint32_t>(current_), target = static_cast<uint32_t>(target_);
  uint8_t running = running_ ? 1 : 0;
  if (const int16_t r = serialiseU32(stream, &current, 1); r < 0) return report(kSource, 140, r);
  if (const int16_t r = serialiseU32(stream, &target, 1); r < 0) return report(kSource, 141, r);
  if (const int16_t r = serialiseU8(stream, &running, 1); r < 0) return report(kSource, 142, r);
  // Both texts are kept only while something is shown.
  const bool shown = getText() != nullptr;
  QZFOptionalText format = shown ? template_ : std::nullopt;
  QZFOptionalText token = shown ? token_ : std::nullopt;
  if (const int16_t r = QZFSerialiseText(stream, format); r < 0) return report(kSource, 147, r);
  if (const int16_t r = QZFSerialiseText(stream, token); r < 0) return report(kSource, 148, r);
  if (QZFIsReading(stream)) {
    current_ = static_cast<int32_t>(current);
    target_ = static_cast<int32_t>(target);
    running_ = running != 0;
    template_ = format;
    token_ = token;
  }
  return 0;
}
