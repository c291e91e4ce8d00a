#include "app_stock_pile.h"

#include "app_card.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"
#include "app_serialise_stream.h"
#include "app_sounds.h"

namespace {

constexpr uint32_t kTurnStep = 25;
constexpr uint8_t kDealDuration = 100;

}  // namespace

int CAppStockPile::fill(std::span<CAppCard* const> cards) {
  for (CAppCard* card : cards) {
    if (spec_.stockFaceUp) {
      card->turnFaceUp();
    } else {
      card->turnFaceDown();
    }
    addCard(card);
  }
  redeals_ = 0;
  return static_cast<int>(cards.size());
}

int CAppStockPile::dealInfo() const {
  if (game_->type() == kGameSpider) return spec_.turnCount ? count() / spec_.turnCount : 0;
  return redeals_;
}

bool CAppStockPile::hitTest(int32_t x, int32_t y) const {
  int32_t right = x_ + width_;
  if (game_->type() == kGameSpider) right += game_->services().value(kValueWasteFanStep) / 2 * (count() / 10);
  return hitRect(x, y, x_, y_, right, y_ + height_);
}

bool CAppStockPile::canAccept(CAppCard* card) {
  const uint8_t pairSum = game_->definition().pairSum;
  const CAppCard* top = topCard();
  return pairSum != 0 && top && top->isFaceUp() && top->rank() + card->rank() == pairSum;
}

void CAppStockPile::layoutCards() {
  if (game_->type() != kGameSpider) return;
  const int step = game_->services().value(kValueWasteFanStep) / 2;
  for (int i = 0; i < count(); ++i) {
    CAppCard* card = cardFromBottom(i);
    card->setHome(static_cast<int16_t>(x_ + step * (i / 10)), y_);
    if (!card->isFlying()) card->moveHome();
  }
}

void CAppStockPile::activate(int32_t x, int32_t y) {
  if (!empty() && spec_.topPlayable) {
    playTop(x, y);
    return;
  }
  if (!empty()) {
    topCard()->setMarked(false);
    if (spec_.noDealOverGap && !game_->stockDealAllowed()) return;
    switch (spec_.dealTarget) {
      case 0: dealToWaste(); break;
      case 1: dealToTableau(); break;
      default: dealToFoundation(); break;
    }
  } else {
    redeal();
  }
  layoutCards();
}

void CAppStockPile::playTop(int32_t x, int32_t y) {
  CAppCard* top = topCard();
  if (top->rank() != game_->definition().pairSum) {
    CAppInHandPile& hand = game_->inHand();
    hand.attach(this, kPileStock);
    hand.placeAt(top->x(), top->y(), x - top->x(), y - top->y());
    hand.addCard(removeTopCard());
    return;
  }
  CAppCardPile* foundation = game_->firstPile(kPileFoundation);
  if (!foundation) return;
  game_->state().recordMove(top, false, this, kPileStock, foundation, kPileFoundation);
  game_->movePlayedCard(removeTopCard(), *foundation);
}

void CAppStockPile::dealToWaste() {
  CAppCardPile* waste = game_->firstPile(kPileWaste);
  if (!waste) return;
  game_->state().recordMove(topCard(), true, this, kPileStock, waste, kPileWaste);
  const bool animate = game_->option(kOptionAnimate) != 0;
  std::vector<CAppCard*> moved;
  for (int i = 0; i < spec_.turnCount && !empty(); ++i) {
    CAppCard* card = removeTopCard();
    waste->addCard(card);
    moved.push_back(card);
    if (!animate) card->turnFaceUp();
  }
  if (!animate) return;
  game_->setDealPending(true);
  const uint32_t now = game_->services().now();
  for (size_t k = moved.size(); k-- > 0;) {
    CAppCard* card = moved[k];
    card->setX(x_);
    card->setY(y_);
    card->startSlide(now + kTurnStep * static_cast<uint32_t>(k), 0, true);
    game_->addAnimatingCard(card);
  }
}

void CAppStockPile::dealToTableau() {
  const int columns = game_->kindCount(kPileTableau);
  const bool animate = game_->option(kOptionAnimate) != 0;
  if (animate) game_->setDealPending(true);
  const uint32_t now = game_->services().now();
  // One card to each column, never past the last column.
  for (int i = 0; i < spec_.turnCount && i < columns && !empty(); ++i) {
    CAppCardPile* column = game_->pileOf(kPileTableau, i);
    CAppCard* card = removeTopCard();
    column->addCard(card);
    game_->state().recordMove(card, true, this, kPileStock, column, kPileTableau);
    if (!animate) {
      card->turnFaceUp();
      continue;
    }
    card->setX(x_);
    card->setY(y_);
    card->startSlide(now + kTurnStep * static_cast<uint32_t>(i), kDealDuration, false);
    card->flipUp();
    game_->addAnimatingCard(card);
  }
}

void CAppStockPile::dealToFoundation() {
  CAppCardPile* foundation = game_->firstPile(kPileFoundation);
  if (!foundation) return;
  CAppCard* card = topCard();
  game_->state().recordMove(card, true, this, kPileStock, foundation, kPileFoundation);
  removeTopCard();
  foundation->addCard(card);
  if (!game_->option(kOptionAnimate)) {
    card->turnFaceUp();
    return;
  }
  game_->setDealPending(true);
  card->setX(x_);
  card->setY(y_);
  card->startSlide(game_->services().now(), 0, true);
  game_->addAnimatingCard(card);
}

void CAppStockPile::redeal() {
  CAppCardPile* waste = game_->firstPile(kPileWaste);
  if (!waste || waste->empty() || !canRedeal()) return;
  game_->sounds().playRedeal();
  game_->state().recordMove(waste->topCard(), !spec_.stockFaceUp, waste, kPileWaste, this, kPileStock);
  while (CAppCard* card = waste->removeTopCard()) {
    if (spec_.stockFaceUp) {
      card->turnFaceUp();
    } else {
      card->turnFaceDown();
    }
    addCard(card);
  }
  ++redeals_;
}

int16_t CAppStockPile::serialise(SerialiseStream& stream) {
  const int16_t status = serialiseU8(stream, &redeals_, 1);
  if (status < 0) return game_->report("app_object_cardpile_stock", 371, status);
  return CAppCardPile::serialise(stream);
}

void CAppWastePile::addCard(CAppCard* card) {
  CAppCardPile::addCard(card);
  layoutCards();
}

CAppCard* CAppWastePile::removeTopCard() {
  // The move search lifts cards quietly and leaves no trace.
  if (!game_->inHand().isQuiet()) extraFlag_ = 1;
  CAppCard* card = CAppCardPile::removeTopCard();
  layoutCards();
  return card;
}

void CAppWastePile::layoutCards() {
  if (spec_.fan == 4) return;
  const int step = game_->services().value(kValueWasteFanStep) * (spec_.fan == 2 ? -1 : 1);
  for (int i = 0; i < count(); ++i) {
    const int depth = count() - 1 - i;
    const int shift = depth >= 2 ? 0 : (count() >= 3 ? 2 - depth : (count() == 2 ? 1 - depth : 0));
    CAppCard* card = cardFromBottom(i);
    card->setHome(static_cast<int16_t>(x_ + step * shift), y_);
    if (!card->isFlying()) card->moveHome();
  }
}

bool CAppWastePile::hitTest(int32_t x, int32_t y) const {
  const CAppGameServices& s = game_->services();
  int32_t left = x_;
  int32_t right = x_ + s.value(kValueCardWidth);
  const int32_t fan = 2 * s.value(kValueWasteFanStep);
  if (spec_.fan == 3) right += fan;
  if (spec_.fan == 2) left -= fan;
  return hitRect(x, y, left, y_, right, y_ + s.value(kValueCardHeight));
}

bool CAppWastePile::idiotDiscards(const CAppCard& card) const {
  const CAppInHandPile& hand = game_->inHand();
  const bool countSource = game_->settings().idiotCountSourceColumn != 0;
  if (card.rank() == 1) return false;
  for (int i = 0; i < game_->kindCount(kPileTableau); ++i) {
    const CAppCardPile* column = game_->pileOf(kPileTableau, i);
    if ((!countSource && column == hand.source()) || column->empty()) continue;
    const CAppCard* top = column->topCard();
    if (top->suit() == card.suit() && (card.rank() < top->rank() || top->rank() == 1)) return true;
  }
  return false;
}

bool CAppWastePile::canAccept(CAppCard* card) {
  const CAppInHandPile& hand = game_->inHand();
  const uint8_t pairSum = game_->definition().pairSum;
  if (pairSum != 0) {
    const CAppCard* top = topCard();
    const bool fromWaste = hand.sourceKind() == kPileWaste;
    if (top && top->rank() + card->rank() == pairSum && (!fromWaste || game_->settings().pyramidPairCovered)) {
      return true;
    }
    return hand.sourceKind() == kPileStock;
  }
  if (game_->type() == kGameIdiot) return idiotDiscards(*card);
  return hand.sourceKind() == kPileStock;
}

void CAppWastePile::activate(int32_t x, int32_t y) {
  if (empty() || !spec_.playable) return;
  CAppCard* top = topCard();
  const uint8_t pairSum = game_->definition().pairSum;
  if (pairSum != 0 && top->rank() == pairSum) {
    CAppCardPile* foundation = game_->firstPile(kPileFoundation);
    if (!foundation) return;
    game_->state().recordMove(top, false, this, kPileWaste, foundation, kPileFoundation);
    game_->movePlayedCard(removeTopCard(), *foundation);
    return;
  }
  removeTopCard();
  CAppInHandPile& hand = game_->inHand();
  if (!top->isFlying() && top->contains(x, y)) {
    hand.placeAt(top->x(), top->y(), x - top->x(), y - top->y());
  } else {
    top->finishSlide();
    hand.placeAt(x - halfWidth_, y - halfHeight_, halfWidth_, halfHeight_);
  }
  hand.attach(this, kPileWaste);
  hand.addCard(top);
}
