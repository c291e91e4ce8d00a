#include "app_tableau_pile.h"

#include <algorithm>
#include <vector>

#include "app_card.h"
#include "app_foundation_pile.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"

namespace {

bool suitRule(int32_t rule, const CAppCard& a, const CAppCard& b) {
  if (rule == 0) return a.suit() == b.suit();
  if (rule == 1) return a.colour() != b.colour();
  return true;
}

// Ranks compared as bytes, the way the rules were written.
bool stepDown(uint8_t upper, uint8_t lower, uint8_t step, bool wrap) {
  if (wrap && lower == 1) return upper == 13;
  return static_cast<uint8_t>(lower - step) == upper;
}

bool stepUp(uint8_t upper, uint8_t lower, uint8_t step, bool wrap) {
  if (wrap && lower == 13) return upper == 1;
  return static_cast<uint8_t>(lower + step) == upper;
}

}  // namespace

CAppTableauPile::CAppTableauPile(CAppGame* game) : CAppCardPile(game, kPileTableau) {
  fanStep_ = game->services().value(kValueFanStep);
}

bool CAppTableauPile::buildRule(const CAppCard& card, const CAppCard& lower) const {
  if (!spec_.buildAllowed) return false;
  if (!suitRule(spec_.buildSuit, card, lower)) return false;
  if (spec_.rankStep == 0) return true;
  const bool wrap = spec_.wrap != 0;
  switch (spec_.buildDirection) {
    case 0: return stepUp(card.rank(), lower.rank(), spec_.rankStep, wrap);
    case 1: return stepDown(card.rank(), lower.rank(), spec_.rankStep, wrap);
    default:
      return static_cast<uint8_t>(lower.rank() + spec_.rankStep) == card.rank() ||
             static_cast<uint8_t>(lower.rank() - spec_.rankStep) == card.rank();
  }
}

bool CAppTableauPile::runRule(const CAppCard& upper, const CAppCard& lower) const {
  if (!spec_.buildAllowed || !lower.isFaceUp()) return false;
  if (!suitRule(spec_.runSuit, upper, lower)) return false;
  if (spec_.rankStep == 0) return true;
  const bool wrap = spec_.wrap != 0;
  switch (spec_.buildDirection) {
    case 1: return stepDown(upper.rank(), lower.rank(), spec_.rankStep, wrap);
    case 0: return stepUp(upper.rank(), lower.rank(), spec_.rankStep, wrap);
    default:
      return static_cast<uint8_t>(lower.rank() + spec_.rankStep) == upper.rank() ||
             static_cast<uint8_t>(lower.rank() - spec_.rankStep) == upper.rank();
  }
}

void CAppTableauPile::addCard(CAppCard* card) {
  card->setHome(x_, static_cast<int16_t>(spec_.fanMode == 1 ? y_ + fanStep_ * count() : y_));
  if (!card->isFlying()) card->moveHome();
  pushTop(card);
  layoutCards();
}

void CAppTableauPile::layoutCards() {
  // Short columns keep their step; longer ones shrink it to fit the area,
  // never below 0 (the cards then stack).
  if (count() >= 3) {
    const CAppGameServices& s = game_->services();
    const int room = (s.value(kValueAreaHeight) - y_ - s.value(kValueCardHeight)) / (count() - 1);
    fanStep_ = static_cast<int16_t>(std::clamp<int>(room, 0, s.value(kValueFanStep)));
  }
  for (int i = 0; i < count(); ++i) {
    CAppCard* card = cardFromBottom(i);
    card->setHome(x_, static_cast<int16_t>(spec_.fanMode == 1 ? y_ + fanStep_ * i : y_));
    if (!card->isFlying()) card->moveHome();
  }
}

bool CAppTableauPile::hitTest(int32_t x, int32_t y) const {
  const int32_t bottom = y_ + height_ + (spec_.fanMode == 1 && count() > 0 ? fanStep_ * (count() - 1) : 0);
  return hitRect(x, y, x_, y_, x_ + width_, bottom);
}

bool CAppTableauPile::canAccept(CAppCard* card) {
  if (game_->type() == kGameCalc) {
    if (game_->inHand().sourceKind() == kPileStock) return true;
    if (spec_.rankStep == 0) return false;
  }
  const CAppCard* top = topCard();
  if (!top) return spec_.emptyAccepts == 1 || (spec_.emptyAccepts == 2 && card->rank() == 13);
  return top->isFaceUp() && buildRule(*card, *top);
}

void CAppTableauPile::deal(int count, CAppCardPile& stock) {
  const CAppGameServices& s = game_->services();
  if (spec_.dealCount > 1) {
    const int room = (s.value(kValueAreaHeight) - y_ - height_) / (spec_.dealCount - 1);
    fanStep_ = static_cast<int16_t>(std::clamp<int>(room, 0, s.value(kValueFanStep)));
  }
  const int lastUp = game_->type() == kGameYukon ? 5 : 1;
  int32_t y = y_;
  for (int i = 0; i < count; ++i) {
    if (!dealCard(stock, dealtFaceUp(spec_.dealFaceMode, i, count, lastUp), true, static_cast<int16_t>(y))) break;
    if (spec_.fanMode == 1) y += fanStep_;
  }
  layoutCards();
}

void CAppTableauPile::activate(int32_t x, int32_t y) {
  CAppCard* top = topCard();
  if (!top || top->isMoving()) return;
  if (spec_.pickUp == 0 && y < top->y()) return;
  if (!top->isFaceUp()) {
    game_->addAnimatingCard(top);
    top->flipUp();
    game_->state().recordMove(top, true, this, kPileTableau, this, kPileTableau);
    return;
  }
  std::vector<CAppCard*> run{removeTopCard()};
  const int limit = game_->maxMovableCards(false);
  while (spec_.pickUp != 0 && !empty()) {
    CAppCard* next = topCard();
    if (y > next->y() + fanStep_ || static_cast<int>(run.size()) >= limit || !next->isFaceUp()) break;
    if (spec_.pickUp == 1 && !runRule(*run.back(), *next)) break;
    run.push_back(removeTopCard());
  }
  if (spec_.liftWholePile && !empty()) {
    const bool alone = run.size() == 1 && game_->foundationAccepts(run.front());
    if (!alone) {
      while (!empty()) run.push_back(removeTopCard());
    }
  }
  CAppInHandPile& hand = game_->inHand();
  hand.attach(this, kPileTableau);
  const CAppCard* deepest = run.back();
  if (deepest->contains(x, y)) {
    hand.placeAt(deepest->x(), deepest->y(), x - deepest->x(), y - deepest->y());
  } else {
    hand.placeAt(x - halfWidth_, y - halfHeight_, halfWidth_, halfHeight_);
  }
  for (CAppCard* card : run) hand.addCard(card);
}

void CAppTableauPile::setSelected(bool flag) {
  const bool wasSelected = isSelected();
  CAppCardPile::setSelected(flag);
  if (!flag || wasSelected || empty()) return;
  if (spec_.liftWholePile) setSelectedCard(bottomCard());
}

int CAppTableauPile::selectionUp() {
  if (spec_.pickUp == 0 || !selectedCard_ || empty()) return 0;
  const int depth = depthOf(selectedCard_);
  if (depth < 0) {
    setSelectedCard(nullptr);
    return 0;
  }
  CAppCard* below = cardFromTop(depth + 1);
  if (!below || !below->isFaceUp()) return 0;
  if (spec_.pickUp != 2 && !runRule(*selectedCard_, *below)) return 0;
  setSelectedCard(below);
  return 1;
}

int CAppTableauPile::selectionDown() {
  if (!selectedCard_ || empty()) return 0;
  const int depth = depthOf(selectedCard_);
  if (depth <= 0) return 0;
  CAppCard* above = cardFromTop(depth - 1);
  if (!above->isFaceUp()) return 0;
  if (spec_.pickUp != 2 && !buildRule(*above, *selectedCard_)) return 0;
  setSelectedCard(above);
  return 1;
}

int CAppTableauPile::runLength() const {
  if (empty()) return 0;
  int n = 1;
  while (n < count()) {
    const CAppCard* upper = cardFromTop(n - 1);
    const CAppCard* lower = cardFromTop(n);
    if (!upper->isFaceUp() || !runRule(*upper, *lower)) break;
    ++n;
  }
  runBaseRank_ = cardFromTop(n - 1)->rank();
  return n;
}

bool CAppTableauPile::isComplete() const {
  if (count() > 1) return false;
  if (empty()) return spec_.clearWhenEmpty != 0;
  return topCard()->rank() == spec_.clearRank;
}
