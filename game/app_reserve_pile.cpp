#include "app_reserve_pile.h"

#include <algorithm>

#include "app_card.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"

namespace {

int pyramidRow(int n) {
  int row = 0;
  int first = 0;
  while (n >= first + row + 1) {
    first += row + 1;
    ++row;
  }
  return row;
}

}  // namespace

CAppReservePile::CAppReservePile(CAppGame* game) : CAppCardPile(game, kPileReserve) {
  fanStep_ = game->services().value(kValueFanStep);
}

void CAppReservePile::deal(CAppCardPile& stock) {
  const int count = spec_.dealCount;
  for (int i = 0; i < count; ++i) {
    const auto y = static_cast<int16_t>(spec_.fanMode == 1 ? y_ + fanStep_ * this->count() : y_);
    if (!dealCard(stock, dealtFaceUp(spec_.dealFaceMode, i, count, 1), false, y)) break;
  }
  layoutCards();
}

void CAppReservePile::addCard(CAppCard* card) {
  card->setHome(x_, static_cast<int16_t>(spec_.fanMode == 1 ? y_ + fanStep_ * count() : y_));
  if (!card->isFlying()) card->moveHome();
  const bool clock = game_->type() == kGameClock;
  const CAppGameState& state = game_->state();
  if (clock && !game_->isBusy()) {
    pushBottom(card);
    if (!state.isApplying()) turnNextClockCard();
  } else {
    pushTop(card);
  }
  layoutCards();
}

void CAppReservePile::turnNextClockCard() {
  CAppCard* turn = nullptr;
  if (topCard()->isFaceUp()) {
    const int last = game_->firstIndex(kPileReserve) + game_->kindCount(kPileReserve);
    for (int i = index() + 1; i < last && !turn; ++i) {
      const CAppCard* top = game_->pile(i)->topCard();
      if (top && !top->isFaceUp()) turn = game_->pile(i)->topCard();
    }
  } else {
    turn = topCard();
  }
  if (!turn) return;
  turn->flipUp();
  game_->addAnimatingCard(turn);
  game_->state().recordMove(turn, true, this, kPileReserve, this, kPileReserve, true);
}

void CAppReservePile::layoutCards() {
  if (count() >= 2) {
    const CAppGameServices& s = game_->services();
    const int room = (s.value(kValueAreaHeight) - y_ - height_) / (count() - 1);
    fanStep_ = static_cast<int16_t>(std::clamp<int>(room, 0, s.value(kValueFanStep)));
  }
  for (int i = 0; i < count(); ++i) {
    CAppCard* card = cardFromBottom(i);
    card->setHome(x_, static_cast<int16_t>(spec_.fanMode == 1 ? y_ + fanStep_ * i : y_));
    if (!card->isFlying()) card->moveHome();
  }
}

bool CAppReservePile::hitTest(int32_t x, int32_t y) const {
  if (game_->definition().pairSum != 0 && empty()) return false;
  const int32_t bottom = y_ + height_ + (spec_.fanMode == 1 ? fanStep_ * count() : 0);
  return hitRect(x, y, x_, y_, x_ + width_, bottom);
}

std::optional<uint16_t> CAppReservePile::frameColour() const {
  if (game_->definition().pairSum != 0) return std::nullopt;
  return kBlueFrame;
}

bool CAppReservePile::isUncovered() const {
  if (!spec_.coverable || game_->type() != kGamePyramid) return true;
  const int n = index() - kPyramidFirstPile;
  if (n > 20) return true;
  const int row = pyramidRow(n);
  const CAppInHandPile& hand = game_->inHand();
  const bool pairCovered = game_->settings().pyramidPairCovered != 0;
  for (int cover : {n + row + 1, n + row + 2}) {
    const CAppCardPile* pile = game_->pileOf(kPileReserve, cover);
    if (!pile) continue;
    if (!pile->empty()) return false;
    if (!pairCovered && hand.count() > 0 && hand.sourceKind() == kPileReserve && hand.source() == pile) return false;
  }
  return true;
}

bool CAppReservePile::isClockComplete() const {
  if (count() != 4) return false;
  for (const CAppCard* card : cards_) {
    if (!card->isFaceUp() || card->rank() != index() + 1) return false;
  }
  return true;
}

bool CAppReservePile::canAccept(CAppCard* card) {
  if (game_->type() == kGamePyramid) {
    const uint8_t pairSum = game_->definition().pairSum;
    return isUncovered() && !empty() && pairSum != 0 && topCard()->rank() + card->rank() == pairSum;
  }
  if (game_->type() == kGameClock) {
    // Index 13 is never an hour pile; the test stays as the rules wrote it.
    if (index() == 13 && topCard() && !topCard()->isFaceUp()) return false;
    return card->rank() == index() + 1 && !isClockComplete();
  }
  return empty() && spec_.acceptsWhenEmpty == 1;
}

void CAppReservePile::activate(int32_t x, int32_t y) {
  if (empty() || !isUncovered()) return;
  CAppCard* top = topCard();
  const uint8_t pairSum = game_->definition().pairSum;
  if (pairSum != 0 && top->rank() == pairSum) {
    CAppCardPile* foundation = game_->firstPile(kPileFoundation);
    if (!foundation) return;
    game_->state().recordMove(top, false, this, kPileReserve, foundation, kPileFoundation);
    game_->movePlayedCard(removeTopCard(), *foundation);
    return;
  }
  if (game_->type() == kGameClock && (isClockComplete() || !top->isFaceUp() || !top->contains(x, y))) return;
  CAppInHandPile& hand = game_->inHand();
  hand.attach(this, kPileReserve);
  hand.placeAt(top->x(), top->y(), x - top->x(), y - top->y());
  hand.addCard(removeTopCard());
}
