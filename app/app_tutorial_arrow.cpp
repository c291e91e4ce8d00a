#include "app_tutorial_arrow.h"

#include "app_game_services.h"
#include "qzf_graphics.h"

namespace {

// Layout values of the arrow's picture.
constexpr int kArrowHeight = 13, kArrowWidth = 14;
constexpr int kOpaque = 255;
constexpr int kBelowPoint = 5;

}  // namespace

CAppTutorialArrow::CAppTutorialArrow(CAppGameServices& services, CQZFGraphics& graphics)
    : services_(services), graphics_(graphics) {}

void CAppTutorialArrow::invalidate() {
  graphics_.grid().invalidateRect(arrowX_, arrowY_, services_.value(kArrowWidth), services_.value(kArrowHeight));
}

void CAppTutorialArrow::showAt(int x, int y) {
  if (shown_) invalidate();
  baseX_ = arrowX_ = static_cast<int16_t>(x);
  baseY_ = arrowY_ = static_cast<int16_t>(y + kBelowPoint);
  upwards_ = true;
  lastTurn_ = services_.now();
  shown_ = true;
  invalidate();
}

void CAppTutorialArrow::hide() {
  if (shown_) invalidate();
  shown_ = false;
}

void CAppTutorialArrow::tick() {
  if (!shown_) return;
  services_.resetIdleCounter();
  invalidate();
  const uint32_t now = services_.now();
  const uint32_t elapsed = now - lastTurn_;
  if (elapsed > kPeriod) {
    upwards_ = !upwards_;
    lastTurn_ = now;
    baseX_ = arrowX_;
    baseY_ = arrowY_;
  } else {
    const auto d = static_cast<int16_t>(elapsed * kAmplitude / kPeriod);
    if (!upwards_) arrowY_ = static_cast<int16_t>(baseY_ + d);
    else if (d < baseY_) arrowY_ = static_cast<int16_t>(baseY_ - d);
  }
  invalidate();
}

void CAppTutorialArrow::draw() {
  if (shown_ && graphics_.isRectDirty(arrowX_, arrowY_, services_.value(kArrowWidth), services_.value(kArrowHeight))) {
    graphics_.drawBlob(kImage, arrowX_, arrowY_, 0, kOpaque);
  }
}
