#include "qzf_minimise.h"

#include "qzf_application.h"
#include "qzf_graphics.h"

CQZFMinimise::CQZFMinimise(CQZFObject* owner) : CQZFObject(owner) { setKind(kKind, this); }

CQZFApplication* CQZFMinimise::application() const {
  return findOwner<CQZFApplication>();
}

CQZFGraphics* CQZFMinimise::getGraphics() const {
  CQZFApplication* app = application();
  return app ? app->getGraphics() : nullptr;
}

bool CQZFMinimise::contains(int x, int y) const {
  const auto ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
  const auto left = static_cast<uint32_t>(button_.x), top = static_cast<uint32_t>(button_.y);
  return left <= ux && ux <= left + static_cast<uint32_t>(button_.w) && top <= uy &&
         uy <= top + static_cast<uint32_t>(button_.h);
}

void CQZFMinimise::invalidateButton() const {
  if (CQZFGraphics* graphics = getGraphics()) graphics->invalidateRectangle(button_);
}

Handled CQZFMinimise::onPen(const QZFPenEvent& pen) {
  if (contains(pen.x, pen.y)) {
    if (pen.type == QZFPenType::kDown) {
      pressed_ = true;
      invalidateButton();
      return Handled::kDone;
    }
    // The button owns only a gesture that started on it: a card dragged over
    // it or dropped on it is passed on.
    if (!pressed_) return Handled::kPassOn;
    if (pen.type == QZFPenType::kUp) {
      pressed_ = false;
      invalidateButton();
      if (CQZFApplication* app = application()) app->requestMinimise();
    }
    return Handled::kDone;
  }
  if (!pressed_) return Handled::kPassOn;
  if (pen.type == QZFPenType::kUp) {
    pressed_ = false;
    invalidateButton();
  }
  return Handled::kDone;
}
