#include "app_hints.h"

#include "app_card.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_serialise_stream.h"
#include "app_stock_pile.h"

namespace {

constexpr int kValueOffsetY = 80;
constexpr int kValueOffsetX = 81;
constexpr int kValueSmallOffsetY = 78;
constexpr int kValueSmallOffsetX = 79;
constexpr uint8_t kLevelStep = 20;
constexpr int kHoldRounds = 3;

}  // namespace

CAppHints::CAppHints(CAppGame* game) : CQZFObject(game), game_(game) {
  offsetX_ = static_cast<uint8_t>(game->services().value(kValueOffsetX));
  offsetY_ = static_cast<uint8_t>(game->services().value(kValueOffsetY));
}

void CAppHints::attach(bool reloadOffsets) {
  if (!reloadOffsets) return;
  offsetX_ = static_cast<uint8_t>(game_->services().value(kValueSmallOffsetX));
  offsetY_ = static_cast<uint8_t>(game_->services().value(kValueSmallOffsetY));
}

void CAppHints::addCandidate(CAppCard* card) {
  if (card && candidates_.size() < kMaxCandidates) candidates_.push_back(card);
}

void CAppHints::clear() {
  candidates_.clear();
  nextCandidate_ = 0;
  frame_ = 0;
  fadingIn_ = holding_ = fadingOut_ = 0;
}

void CAppHints::start(int32_t x, int32_t y) {
  markerX_ = static_cast<int16_t>(x + offsetX_);
  markerY_ = static_cast<int16_t>(y - offsetY_);
  frame_ = 0;
  level_ = 0;
  fadingIn_ = 1;
  holding_ = fadingOut_ = 0;
  game_->services().playSound(4004, 8, 0, 64, 30);
}

void CAppHints::showNext() {
  game_->settings().noHelp = 0;
  if (!candidates_.empty()) {
    const CAppCard* card = candidates_[nextCandidate_];
    const size_t next = nextCandidate_ + 1U;
    nextCandidate_ = static_cast<uint8_t>(next >= candidates_.size() ? 0 : next);
    start(card->x(), card->y());
  } else if (const auto* stock = static_cast<const CAppStockPile*>(game_->firstPile(kPileStock))) {
    if (!stock->empty() || stock->canRedeal()) start(stock->x(), stock->y());
  }
  ++hintsShown_;
}

void CAppHints::tick() {
  if (!isVisible()) return;
  game_->services().resetIdleCounter();
  const uint32_t now = game_->services().now();
  if (now - lastStep_ <= stepInterval_) return;
  lastStep_ = now;
  if (++frame_ >= 3) {
    frame_ = 0;
    if (holding_ && ++holdRounds_ >= kHoldRounds) {
      holding_ = 0;
      fadingOut_ = 1;
      holdRounds_ = 0;
    }
  }
  if (fadingIn_) {
    level_ = static_cast<uint8_t>(level_ + kLevelStep);
    if (level_ >= 240) {
      level_ = 255;
      fadingIn_ = 0;
      holding_ = 1;
    }
  }
  if (fadingOut_) {
    level_ = static_cast<uint8_t>(level_ - kLevelStep);
    if (level_ <= kLevelStep) {
      level_ = 0;
      fadingIn_ = holding_ = fadingOut_ = 0;
    }
  }
}

int16_t CAppHints::serialise(SerialiseStream& stream) {
  const int16_t status = serialiseU16(stream, &hintsShown_, 1);
  if (status < 0) return game_->report("app_object_hints", 254, status);
  return 0;
}
