#include "app_card_pile.h"

#include <algorithm>

#include "app_card.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"
#include "app_serialise_stream.h"

CAppCardPile::CAppCardPile(CAppGame* game, AppPileKind kind) : CQZFObject(game), game_(game), kind_(kind) {
  setKind(kKind, this);
  height_ = static_cast<uint8_t>(game->services().value(kValueCardHeight));
  width_ = static_cast<uint8_t>(game->services().value(kValueCardWidth));
  halfHeight_ = (height_ >> 1) & 0x7F;
  halfWidth_ = (width_ >> 1) & 0x7F;
}

void CAppCardPile::place(int32_t x, int32_t y, bool large) {
  const CAppGameServices& s = game_->services();
  wordA_ = x;
  wordB_ = y;
  x_ = static_cast<int16_t>(s.toPixelX(x));
  y_ = static_cast<int16_t>(s.toPixelY(y));
  selected_ = 0;
  if (!large) {
    height_ = static_cast<uint8_t>(s.value(kValueSmallCardHeight));
    width_ = static_cast<uint8_t>(s.value(kValueSmallCardWidth));
    halfHeight_ = (height_ >> 1) & 0x7F;
    halfWidth_ = (width_ >> 1) & 0x7F;
  }
}

CAppCard* CAppCardPile::cardFromTop(int i) const {
  if (i < 0 || i >= count()) return nullptr;
  return cards_[cards_.size() - 1 - static_cast<size_t>(i)];
}

int CAppCardPile::depthOf(const CAppCard* card) const {
  for (int i = 0; i < count(); ++i) {
    if (cardFromTop(i) == card) return i;
  }
  return -1;
}

bool CAppCardPile::findCard(uint8_t id) const {
  return std::any_of(cards_.begin(), cards_.end(), [id](const CAppCard* c) { return c->id() == id; });
}

void CAppCardPile::clear() {
  cards_.clear();
  selectedCard_ = nullptr;
}

void CAppCardPile::pushTop(CAppCard* card) { cards_.push_back(card); }

void CAppCardPile::pushBottom(CAppCard* card) { cards_.insert(cards_.begin(), card); }

void CAppCardPile::addCard(CAppCard* card) {
  card->setHome(x_, y_);
  if (!card->isFlying()) card->moveHome();
  pushTop(card);
}

CAppCard* CAppCardPile::takeFrom(bool top) {
  if (cards_.empty()) return nullptr;
  CAppCard* card = top ? cards_.back() : cards_.front();
  if (top) {
    cards_.pop_back();
  } else {
    cards_.erase(cards_.begin());
  }
  if (selected_) card->setSelected(false);
  if (!game_->isAutoMoving() || selectedCard_ == card) selectedCard_ = nullptr;
  return card;
}

bool CAppCardPile::dealtFaceUp(int32_t mode, int i, int count, int lastUp) {
  switch (mode) {
    case 0: return true;
    case 2: return i >= count - lastUp;
    case 3: return i % 2 == 1;
    default: return false;
  }
}

bool CAppCardPile::dealCard(CAppCardPile& stock, bool faceUp, bool animatedTurn, int16_t homeY) {
  static constexpr uint32_t kDealStep = 25;
  static constexpr uint8_t kDealDuration = 100;
  CAppCard* card = stock.removeTopCard();
  if (!card) return false;
  card->setHome(x_, homeY);
  if (!faceUp) {
    card->turnFaceDown();
  } else if (animatedTurn) {
    card->flipUp();
  } else {
    card->turnFaceUp();
  }
  if (game_->option(kOptionAnimate)) {
    card->startSlide(game_->advanceAnimationClock(kDealStep), kDealDuration, false);
    game_->addAnimatingCard(card);
  }
  addCard(card);
  return true;
}

CAppCard* CAppCardPile::removeTopCard() { return takeFrom(true); }

CAppCard* CAppCardPile::removeBottomCard() { return takeFrom(false); }

std::optional<uint16_t> CAppCardPile::frameColour() const {
  if (kind_ == kPileInHand) return std::nullopt;
  return kPinkFrame;
}

void CAppCardPile::layoutCards() {
  for (CAppCard* card : cards_) {
    card->setHome(x_, y_);
    if (!card->isFlying()) card->moveHome();
  }
}

void CAppCardPile::setSelected(bool flag) {
  const uint8_t value = flag ? 1 : 0;
  if (value == selected_) return;
  selected_ = value;
  if (selected_) {
    if (!cards_.empty()) setSelectedCard(topCard());
  } else if (selectedCard_) {
    selectedCard_->setSelected(false);
  }
}

void CAppCardPile::setSelectedCard(CAppCard* card) {
  if (selectedCard_) selectedCard_->setSelected(false);
  selectedCard_ = card;
  if (card) card->setSelected(true);
}

CAppCard* CAppCardPile::cardBelowSelected() const {
  if (!selectedCard_ || cards_.empty()) return nullptr;
  const int depth = depthOf(selectedCard_);
  return depth < 0 ? nullptr : cardFromTop(depth + 1);
}

void CAppCardPile::setMarked(bool flag) {
  const uint8_t value = flag ? 1 : 0;
  if (value == marked_) return;
  marked_ = value;
  if (CAppCard* top = topCard()) top->setMarked(flag);
}

bool CAppCardPile::hitRect(int32_t px, int32_t py, int32_t left, int32_t top, int32_t right, int32_t bottom) const {
  const CAppInHandPile& hand = game_->inHand();
  if (hand.count() > 0 && !game_->isCarriedByTap()) {
    const auto within = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
    const bool across = within(hand.left(), left, right) || within(hand.right(), left, right);
    const bool down = within(hand.top(), top, bottom) || within(hand.bottom(), top, bottom);
    return across && down;
  }
  return px >= left && px <= right && py >= top && py <= bottom;
}

bool CAppCardPile::hitTest(int32_t x, int32_t y) const { return hitRect(x, y, x_, y_, x_ + width_, y_ + height_); }

int16_t CAppCardPile::serialise(SerialiseStream& stream) {
  static constexpr const char* kSource = "app_object_cardpile";
  uint32_t words[2] = {static_cast<uint32_t>(wordA_), static_cast<uint32_t>(wordB_)};
  uint8_t bytes[4] = {static_cast<uint8_t>(cards_.size()), index_, selected_, extraFlag_};
  for (int i = 0; i < 2; ++i) {
    const int16_t status = serialiseU32(stream, &words[i], 1);
    if (status < 0) return game_->report(kSource, 384 + i, status);
  }
  for (int i = 0; i < 4; ++i) {
    const int16_t status = serialiseU8(stream, &bytes[i], 1);
    if (status < 0) return game_->report(kSource, 386 + i, status);
  }
  if (!serialise_detail::reading(&stream)) {
    // A save leaves the pile as it is: play goes on with the cards where they lie.
    for (CAppCard* card : cards_) {
      uint8_t id = card->id();
      const int16_t status = serialiseU8(stream, &id, 1);
      if (status < 0) return game_->report(kSource, 411, status);
    }
    return 0;
  }
  wordA_ = static_cast<int32_t>(words[0]);
  wordB_ = static_cast<int32_t>(words[1]);
  index_ = bytes[1];
  selected_ = bytes[2] ? 1 : 0;
  extraFlag_ = bytes[3];
  cards_.clear();
  selectedCard_ = nullptr;
  for (int i = 0; i < bytes[0]; ++i) {
    uint8_t id = 0;
    const int16_t status = serialiseU8(stream, &id, 1);
    if (status < 0) return game_->report(kSource, 411, status);
    CAppCard* card = game_->card(id);
    if (!card) return game_->report(kSource, 411, QZ_ERR_SIZE_MISMATCH);
    CAppCardPile::addCard(card);
  }
  return 0;
}
