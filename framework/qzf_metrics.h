// Frame and second intervals for animation and timers, measured on the
// platform's clock in hundredths of a second.
#pragma once

#include <cstdint>

#include "qzf_object.h"

class CQZFMetrics : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindMetrics;

  explicit CQZFMetrics(CQZFObject* owner = nullptr);

  // Both clocks restart now with intervals 0.
  void reset();
  // Once per frame: the time since the last frame and the whole seconds
  // since the last change of second.
  void frame();
  // The interval clamped (unsigned): minimum when below it, else at most maximum.
  uint32_t getFrameInterval(uint32_t minimum, uint32_t maximum) const;
  uint32_t getSecondsInterval(uint32_t minimum, uint32_t maximum) const;
  // Hundredths of a second, and whole seconds, of the platform's clock.
  static uint32_t getTime();
  static uint32_t getSeconds();

 private:
  uint32_t lastFrameTime_ = 0;
  uint32_t frameInterval_ = 0;
  uint32_t lastSecond_ = 0;
  uint32_t secondsInterval_ = 0;
};
