// The arrow the tutorial points with: shown at a place on the play screen, it
// bobs ten pixels up and down, turning every 70 hundredths of a second, and
// keeps the frames coming fast while it moves.
#pragma once

#include <cstdint>

class CAppGameServices;
class CQZFGraphics;

class CAppTutorialArrow {
 public:
  static constexpr int kImage = 1228;
  static constexpr uint8_t kPeriod = 70, kAmplitude = 10;

  CAppTutorialArrow(CAppGameServices& services, CQZFGraphics& graphics);

  // Shows the arrow pointing at (x, y): its top five pixels below.
  void showAt(int x, int y);
  void hide();
  bool isShown() const { return shown_; }
  int x() const { return arrowX_; }
  int y() const { return arrowY_; }
  // Every frame while shown.
  void tick();
  void draw();

 private:
  void invalidate();

  CAppGameServices& services_;
  CQZFGraphics& graphics_;
  bool shown_ = false;
  int16_t baseX_ = 0, baseY_ = 0, arrowX_ = 0, arrowY_ = 0;
  uint32_t lastTurn_ = 0;
  bool upwards_ = true;
};
