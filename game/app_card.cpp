#include "app_card.h"

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
