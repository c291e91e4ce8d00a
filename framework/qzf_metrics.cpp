#include "qzf_metrics.h"

#include "qz_system.h"

namespace {

uint32_t clamp(uint32_t value, uint32_t minimum, uint32_t maximum) {
  if (value < minimum) return minimum;
  return value < maximum ? value : maximum;
}

}  // namespace

CQZFMetrics::CQZFMetrics(CQZFObject* owner) : CQZFObject(owner) {
  setKind(kKind, this);
  reset();
}

void CQZFMetrics::reset() {
  lastFrameTime_ = getTime();
  frameInterval_ = 0;
  lastSecond_ = getSeconds();
  secondsInterval_ = 0;
}

void CQZFMetrics::frame() {
  const uint32_t now = getTime();
  frameInterval_ = now - lastFrameTime_;
  lastFrameTime_ = now;
  const uint32_t seconds = getSeconds();
  secondsInterval_ = seconds - lastSecond_;
  if (seconds != lastSecond_) lastSecond_ = seconds;
}

uint32_t CQZFMetrics::getFrameInterval(uint32_t minimum, uint32_t maximum) const {
  return clamp(frameInterval_, minimum, maximum);
}

uint32_t CQZFMetrics::getSecondsInterval(uint32_t minimum, uint32_t maximum) const {
  return clamp(secondsInterval_, minimum, maximum);
}

uint32_t CQZFMetrics::getTime() { return QZGetTicks(); }

uint32_t CQZFMetrics::getSeconds() { return QZGetTicks() / 100; }
