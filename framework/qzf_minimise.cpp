#include "qzf_minimise.h"

#include "qzf_application.h"
#include "qzf_graphics.h"

namespace {

constexpr int kPenUp = 0;
constexpr int kPenDown = 1;

}  // namespace

CQZFMinimise::CQZFMinimise(CQZFObject* owner) : CQZFObject(owner) { setKind(kQZFKindMinimise, this); }

CQZFApplication* CQZFMinimise::application() const {
  return static_cast<CQZFApplication*>(find(kQZFKindApplication));
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

int CQZFMinimise::onPen(int type, int x, int y) {
  if (contains(x, y)) {
    if (type == kPenDown) {
      pressed_ = true;
      invalidateButton();
      return 1;
    }
    // The button owns only a gesture that started on it: a card dragged over
    // it or dropped on it is passed on.
    if (!pressed_) return 2;
    if (type == kPenUp) {
      pressed_ = false;
      invalidateButton();
      if (CQZFApplication* app = application()) app->requestMinimise();
    }
    return 1;
  }
  if (!pressed_) return 2;
  if (type == kPenUp) {
    pressed_ = false;
    invalidateButton();
  }
  return 1;
}
