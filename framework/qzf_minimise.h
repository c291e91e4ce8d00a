// The base of the on-screen button that closes the game: a press on it and a
// release on it request the minimise; the derived overlay draws the button.
#pragma once

#include <cstdint>

#include "qz_rect.h"
#include "qzf_events.h"
#include "qzf_object.h"

class CQZFApplication;
class CQZFGraphics;

class CQZFMinimise : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindMinimise;

  explicit CQZFMinimise(CQZFObject* owner);

  virtual void drawOverlay() = 0;

  // kDone when the pen event belongs to the button, else kPassOn.
  Handled onPen(const QZFPenEvent& pen);
  bool isPressed() const { return pressed_; }
  const QZRect& getButton() const { return button_; }

 protected:
  void setButton(const QZRect& button) { button_ = button; }
  // The application's graphics object as it is now (it is made anew when the
  // application starts again).
  CQZFGraphics* getGraphics() const;

 private:
  CQZFApplication* application() const;
  bool contains(int x, int y) const;
  void invalidateButton() const;

  bool pressed_ = false;
  QZRect button_{};
};
