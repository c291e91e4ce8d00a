#include "app_in_hand_pile.h"

#include "app_card.h"
#include "app_game.h"
#include "app_game_services.h"

namespace {

constexpr uint32_t kPlayDelay = 12;
constexpr uint8_t kPlayDuration = 50;

}  // namespace

CAppInHandPile::CAppInHandPile(CAppGame* game) : CAppCardPile(game, kPileInHand) {
  const CAppGameServices& s = game->services();
  grabX_ = s.value(kValueGrabX);
  grabY_ = s.value(kValueGrabY);
  step_ = s.value(kValueFanStep);
}

void CAppInHandPile::setStyle(bool large) {
  if (large) return;
  place(0, 0, false);
  grabX_ = halfWidth_;
  grabY_ = halfHeight_;
}

void CAppInHandPile::placeAt(int32_t x, int32_t y, int32_t grabX, int32_t grabY) {
  setX(x);
  setY(y);
  grabX_ = grabX;
  grabY_ = grabY;
}

void CAppInHandPile::setX(int32_t x) {
  const int32_t right = game_->services().value(kValueScreenWidth) - width_;
  x_ = static_cast<int16_t>(x < 0 ? 0 : (x > right ? right : x));
  lastX_ = x_;
}

void CAppInHandPile::setY(int32_t y) {
  const int32_t bottom = game_->services().value(kValueScreenHeight) - height_;
  y_ = static_cast<int16_t>(y < 0 ? 0 : (y > bottom ? bottom : y));
  lastY_ = y_;
}

int32_t CAppInHandPile::bottom() const { return y_ + step_ * (count() - 1) + height_; }

void CAppInHandPile::addCard(CAppCard* card) {
  // A quiet hand only holds the cards: no sound, flag or position changes.
  if (quiet_) {
    pushTop(card);
    return;
  }
  card->finishSlide();
  card->setCarried(true);
  if (game_->isKeyboardMode() && !game_->isAutoMoving()) {
    card->setHighlight(true);
    selected_ = 1;
  }
  CAppCardPile::addCard(card);
}

void CAppInHandPile::released(CAppCard* card) {
  if (!card || quiet_) return;
  card->setCarried(false);
  card->setHighlight(false);
  if (empty()) selected_ = 0;
}

CAppCard* CAppInHandPile::removeTopCard() {
  CAppCard* card = CAppCardPile::removeTopCard();
  released(card);
  return card;
}

CAppCard* CAppInHandPile::removeBottomCard() {
  CAppCard* card = CAppCardPile::removeBottomCard();
  released(card);
  return card;
}

void CAppInHandPile::layoutCards() {
  for (int i = 0; i < count(); ++i) {
    CAppCard* card = cardFromTop(i);
    card->setHome(x_, static_cast<int16_t>(y_ + i * step_));
    card->moveHome();
  }
}

void CAppInHandPile::dragTo(int32_t px, int32_t py) {
  const int32_t right = game_->services().value(kValueScreenWidth) - width_;
  const int32_t x = px - grabX_;
  const int32_t y = py - grabY_;
  x_ = static_cast<int16_t>(x < 0 ? 0 : (x > right ? right : x));
  y_ = static_cast<int16_t>(y < 0 ? 0 : y);
  if (selected_) {
    for (CAppCard* card : cards_) card->setHighlight(false);
    selected_ = 0;
  }
  for (int i = 0; i < count(); ++i) {
    CAppCard* card = cardFromTop(i);
    card->setX(x_);
    card->setY(y_ + i * step_);
  }
}

void CAppInHandPile::showAtLastPosition() {
  x_ = lastX_;
  y_ = lastY_;
  selected_ = 1;
  for (CAppCard* card : cards_) card->setHighlight(true);
  layoutCards();
}

void CAppInHandPile::returnCards() {
  if (empty() || !source_) return;
  const bool busy = game_->isBusy();
  game_->setBusy(true);
  while (CAppCard* card = removeTopCard()) source_->addCard(card);
  source_->layoutCards();
  game_->setBusy(busy);
}

void CAppInHandPile::moveAll(CAppCardPile& target, bool bottomFirst, bool animate) {
  while (!empty()) {
    CAppCard* card = bottomFirst ? removeBottomCard() : removeTopCard();
    game_->moveCard(card, target, animate, kPlayDelay, kPlayDuration);
  }
  refillSource(animate);
}

bool CAppInHandPile::dropOn(CAppCardPile* target, bool animate) {
  if (!target || empty() || !target->canAccept(topCard())) return false;
  moveAll(*target, false, animate);
  return true;
}

void CAppInHandPile::placeOn(CAppCardPile& target, bool animate) { moveAll(target, false, animate); }

void CAppInHandPile::transferTo(CAppCardPile& target, bool animate) {
  layoutCards();
  moveAll(target, game_->type() == kGameSpider, animate);
}

void CAppInHandPile::refillSource(bool animate) {
  // Undo and redo replay the refills from their own entries.
  if (game_->state().isApplying()) return;
  if (!source_ || !source_->empty() || !source_->refillsWhenEmpty()) return;
  if (sourceKind_ != kPileTableau && sourceKind_ != kPileReserve) return;
  CAppCardPile* giver = nullptr;
  AppPileKind giverKind = kPileReserve;
  if (sourceKind_ == kPileTableau) giver = game_->firstPile(kPileReserve);
  if (!giver || giver->empty()) {
    giver = game_->firstPile(kPileWaste);
    giverKind = kPileWaste;
  }
  if (!giver || giver->empty()) {
    giver = game_->firstPile(kPileStock);
    giverKind = kPileStock;
  }
  if (!giver || giver->empty()) return;
  CAppCard* card = giver->removeTopCard();
  const bool turned = !card->isFaceUp();
  if (turned) card->flipUp();
  game_->moveCard(card, *source_, animate, kPlayDelay, kPlayDuration);
  game_->state().recordMove(card, turned, giver, giverKind, source_, sourceKind_);
}
