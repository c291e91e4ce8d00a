#include "app_card.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app_game.h"
#include "app_game_services.h"
#include "app_serialise_stream.h"
#include "app_sounds.h"

CAppCard::CAppCard(CAppGame* game) : CQZFObject(game), game_(game) {
  setKind(kKind, this);
  flipStart_ = game_->services().now();
}

void CAppCard::setup(int32_t suit, uint8_t rank, bool large) {
  faceUp_ = flipping_ = flying_ = selected_ = highlight_ = marked_ = carried_ = 0;
  flipFrame_ = 0;
  slideStartX_ = slideStartY_ = slideDx_ = slideDy_ = 0;
  slideStart_ = 0;
  slideDuration_ = turnOnArrival_ = 0;
  fixedX_ = fixedY_ = velocityX_ = velocityY_ = accelerationX_ = accelerationY_ = bounceMode_ = 0;
  suit_ = suit;
  rank_ = rank;
  large_ = large ? 1 : 0;
  const CAppGameServices& s = game_->services();
  height_ = static_cast<uint8_t>(s.value(large ? kValueCardHeight : kValueSmallCardHeight));
  width_ = static_cast<uint8_t>(s.value(large ? kValueCardWidth : kValueSmallCardWidth));
  toleranceX_ = static_cast<uint8_t>(s.value(kValueHomeToleranceX));
  toleranceY_ = static_cast<uint8_t>(s.value(kValueHomeToleranceY));
}

void CAppCard::turnFaceUp() {
  faceUp_ = 1;
  flipping_ = 0;
  flipFrame_ = 0;
}

void CAppCard::turnFaceDown() {
  faceUp_ = 0;
  flipping_ = 0;
  flipFrame_ = 0;
}

void CAppCard::flipUp() {
  if (!game_->option(kOptionAnimate)) {
    turnFaceUp();
    return;
  }
  flipping_ = 1;
  flipStart_ = game_->services().now();
}

int CAppCard::backBlob(int backImage) const {
  if (flipFrame_ >= 2) return large_ ? kEdgeOnLarge : kEdgeOnSmall;
  return backImage + flipFrame_;
}

void CAppCard::moveHome() {
  setX(homeX_);
  setY(homeY_);
}

namespace {

bool withinTolerance(int32_t v, int32_t home, int32_t tolerance) {
  const int32_t low = home - tolerance < 0 ? 0 : home - tolerance;
  return v >= low && v <= home + tolerance;
}

}  // namespace

void CAppCard::setX(int32_t x) {
  const int32_t right = game_->services().value(kValueScreenWidth) - width_;
  if (x > right) x = right;
  if (x < 0) x = 0;
  x_ = static_cast<int16_t>(x);
  if (!withinTolerance(x_, homeX_, toleranceX_)) atHome_ = 0;
}

void CAppCard::setY(int32_t y) {
  if (y < 0) y = 0;
  y_ = static_cast<int16_t>(y);
  if (!withinTolerance(y_, homeY_, toleranceY_)) atHome_ = 0;
}

void CAppCard::setCarried(bool carried) {
  const uint8_t flag = carried ? 1 : 0;
  if (flag == carried_) return;
  carried_ = flag;
  if (carried_) game_->sounds().playPickUp();
}

bool CAppCard::contains(int32_t px, int32_t py) const {
  return px >= x_ && px <= x_ + width_ && py >= y_ && py <= y_ + height_;
}

void CAppCard::startSlide(uint32_t startTime, uint8_t duration, bool turnOnArrival) {
  slideStartX_ = x_;
  slideStartY_ = y_;
  slideDx_ = static_cast<int16_t>(homeX_ - x_);
  slideDy_ = static_cast<int16_t>(homeY_ - y_);
  slideStart_ = startTime;
  slideDuration_ = duration;
  turnOnArrival_ = turnOnArrival ? 1 : 0;
  flying_ = 1;
}

bool CAppCard::arrive() {
  const bool turn = turnOnArrival_ != 0;
  x_ = homeX_;
  y_ = homeY_;
  flying_ = 0;
  turnOnArrival_ = 0;
  atHome_ = 1;
  return turn;
}

bool CAppCard::update() {
  const uint32_t now = game_->services().now();
  if (flying_) {
    // A start that lies ahead (a delayed slide) leaves the card where it is.
    const int32_t elapsed = static_cast<int32_t>(now - slideStart_);
    if (elapsed < 0) return true;
    if (elapsed < slideDuration_) {
      x_ = static_cast<int16_t>(slideStartX_ + slideDx_ * elapsed / slideDuration_);
      y_ = static_cast<int16_t>(slideStartY_ + slideDy_ * elapsed / slideDuration_);
      return true;
    }
    const bool turn = arrive();
    if (!flipping_) game_->sounds().playLand();
    if (turn) turnFaceUp();
    return flipping_ != 0;
  }
  if (flipping_ && now - flipStart_ > kFlipFrameTime) {
    if (flipFrame_ == 0) game_->sounds().playFlip();
    const uint8_t before = flipFrame_++;
    flipStart_ = now;
    if (before >= 2) turnFaceUp();
  }
  return flipping_ != 0;
}

void CAppCard::finishSlide() {
  const bool turning = flipping_ != 0;
  if (arrive() || turning) turnFaceUp();
}

namespace {

// Flight positions are kept in sixteenths of a pixel.
constexpr int32_t kFlightScale = 16;
// Past this sideways speed a swaying card turns back.
constexpr int32_t kSwaySpeed = 20;

int16_t toCoordinate(int32_t fixed) {
  return static_cast<int16_t>(std::clamp<int32_t>(fixed / kFlightScale, INT16_MIN, INT16_MAX));
}

}  // namespace

void CAppCard::launch(int32_t vx, int32_t vy, int32_t ax, int32_t ay, int32_t bounceMode) {
  flying_ = 1;
  flipping_ = 0;
  bounceMode_ = bounceMode;
  fixedX_ = x_ * kFlightScale;
  fixedY_ = y_ * kFlightScale;
  velocityX_ = vx;
  velocityY_ = vy;
  accelerationX_ = ax;
  accelerationY_ = ay;
  slideStart_ = game_->services().now();
}

bool CAppCard::stepFlight() {
  const uint32_t now = game_->services().now();
  const auto dt = static_cast<int32_t>(std::min<uint32_t>(now - slideStart_, 1000));
  slideStart_ = now;
  velocityX_ += accelerationX_ * dt;
  velocityY_ += accelerationY_ * dt;
  fixedX_ += dt * velocityX_;
  fixedY_ += dt * velocityY_;
  if (bounceMode_ == 1) {
    if (accelerationY_ > 0) --accelerationY_;
    // Turned towards the middle, so a card that stays past the limit for a
    // second step does not turn away again.
    if (velocityX_ > kSwaySpeed) accelerationX_ = -std::abs(accelerationX_);
    if (velocityX_ < -kSwaySpeed) accelerationX_ = std::abs(accelerationX_);
  }
  x_ = toCoordinate(fixedX_);
  y_ = toCoordinate(fixedY_);
  atHome_ = 0;
  const CAppGameServices& s = game_->services();
  const bool onScreen =
      x_ <= s.value(kValueScreenWidth) && y_ <= s.value(kValueScreenHeight) && x_ + width_ >= 0 && y_ + height_ >= 0;
  if (!onScreen) flying_ = 0;
  return onScreen;
}

int16_t CAppCard::serialise(SerialiseStream& stream) {
  uint8_t suit = static_cast<uint8_t>(suit_);
  static constexpr int kLines[] = {528, 529, 530, 531};
  uint8_t* fields[] = {&id_, &suit, &rank_, &faceUp_};
  for (int i = 0; i < 4; ++i) {
    const int16_t status = serialiseU8(stream, fields[i], 1);
    if (status < 0) return game_->report("app_object_card", kLines[i], status);
  }
  suit_ = suit;
  return 0;
}
