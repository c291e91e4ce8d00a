// One playing card on the table: suit, rank, face, where it is and where it
// belongs, and the small animations it runs by itself (turning over, sliding
// home, and the free flight of a won game's end).
#pragma once

#include <cstdint>

#include "qzf_object.h"

class CAppGame;

class CAppCard : public CQZFObject {
 public:
  static constexpr uint16_t kKind = 4098;
  // Hundredths between the frames of the turn-over animation.
  static constexpr uint32_t kFlipFrameTime = 10;
  static constexpr int kEdgeOnLarge = 1232, kEdgeOnSmall = 1233, kShadowLarge = 1234, kShadowSmall = 1239;

  explicit CAppCard(CAppGame* game);

  void setup(int32_t suit, uint8_t rank, bool large);

  uint8_t id() const { return id_; }
  void setId(uint8_t id) { id_ = id; }
  int32_t suit() const { return suit_; }
  uint8_t rank() const { return rank_; }
  // 1 for suits 1 and 3, 0 for suits 0 and 2.
  int colour() const { return (suit_ == 1 || suit_ == 3) ? 1 : 0; }
  bool isFaceUp() const { return faceUp_ != 0; }
  bool isFlipping() const { return flipping_ != 0; }
  bool isFlying() const { return flying_ != 0; }
  bool isMoving() const { return flipping_ || flying_; }
  bool isAtHome() const { return atHome_ != 0; }
  bool isMarked() const { return marked_ != 0; }
  bool isSelected() const { return selected_ != 0; }
  bool isCarried() const { return carried_ != 0; }
  bool hasHighlight() const { return highlight_ != 0; }
  int16_t x() const { return x_; }
  int16_t y() const { return y_; }
  int16_t homeX() const { return homeX_; }
  int16_t homeY() const { return homeY_; }
  uint8_t width() const { return width_; }
  uint8_t height() const { return height_; }
  bool isLarge() const { return large_ != 0; }
  // 0 and 1 show the back and its turned picture, 2 the card edge-on.
  uint8_t flipFrame() const { return flipFrame_; }

  // The pictures that go with the card's style: its shadow, and the mark of
  // a playable card (a rim, then a dot beside it).
  int shadowBlob() const { return large_ ? kShadowLarge : kShadowSmall; }
  int markBlob() const { return shadowBlob() + 3; }
  // A turning card casts none; a lifted one (flying or carried) casts it farther.
  bool castsShadow() const { return flipping_ == 0; }
  int shadowOffset() const { return flying_ || carried_ ? 4 : 2; }
  // The back picture of the turn-over frame shown now: the back itself, its
  // turned picture (the next blob), then the card seen edge-on.
  int backBlob(int backImage) const;

  void turnFaceUp();
  void turnFaceDown();
  // Turns face up, animated when the game animates cards.
  void flipUp();
  void setHome(int16_t x, int16_t y) {
    homeX_ = x;
    homeY_ = y;
  }
  // Puts the card at its home position.
  void moveHome();
  // Clamped to the screen; leaving the home tolerance clears at home.
  void setX(int32_t x);
  void setY(int32_t y);
  void setCarried(bool carried);
  void setHighlight(bool on) { highlight_ = on ? 1 : 0; }
  void setSelected(bool on) { selected_ = on ? 1 : 0; }
  void setMarked(bool on) { marked_ = on ? 1 : 0; }
  bool contains(int32_t px, int32_t py) const;

  // A slide from the current position home, starting at startTime (which
  // may lie ahead), taking duration hundredths.
  void startSlide(uint32_t startTime, uint8_t duration, bool turnOnArrival);
  // One frame of the running animation; true while the card still moves.
  bool update();
  // Ends a slide or a turn at once.
  void finishSlide();

  // The free flight: velocity and acceleration in sixteenths of a pixel per
  // hundredth (and per hundredth squared), from the current position and
  // time. Bounce mode 1 sways: the fall's acceleration dies away and the
  // sideways one turns back past a speed of 20.
  void launch(int32_t vx, int32_t vy, int32_t ax, int32_t ay, int32_t bounceMode);
  // One step of the flight; false once the card has left the screen (it then
  // stops flying).
  bool stepFlight();

  // Four bytes: id, suit, rank, face up.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  // Puts the card home and ends its slide; whether it was to turn on arrival.
  bool arrive();

  CAppGame* game_;
  uint8_t id_ = 0;
  int32_t suit_ = 0;
  uint8_t rank_ = 1;
  uint8_t faceUp_ = 0;
  int16_t homeX_ = 0, homeY_ = 0;
  int16_t x_ = 0, y_ = 0;
  uint32_t flipStart_ = 0;
  uint8_t flipping_ = 0;
  uint8_t flipFrame_ = 0;
  uint8_t flying_ = 0;
  uint8_t selected_ = 0;
  uint8_t highlight_ = 0;
  uint8_t marked_ = 0;
  uint8_t carried_ = 0;
  int16_t slideStartX_ = 0, slideStartY_ = 0;
  int16_t slideDx_ = 0, slideDy_ = 0;
  uint32_t slideStart_ = 0;
  uint8_t slideDuration_ = 0;
  uint8_t turnOnArrival_ = 0;
  uint8_t large_ = 1;
  uint8_t width_ = 0, height_ = 0;
  uint8_t atHome_ = 1;
  uint8_t toleranceX_ = 0, toleranceY_ = 0;
  // The flight, in sixteenths of a pixel (kept wide: a long fall would
  // overflow 16 bits).
  int32_t fixedX_ = 0, fixedY_ = 0;
  int32_t velocityX_ = 0, velocityY_ = 0;
  int32_t accelerationX_ = 0, accelerationY_ = 0;
  int32_t bounceMode_ = 0;
};
