// The game's moves: the pen, picking cards up, dropping them, and the
// automatic moves that settling runs.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app_card.h"
#include "app_foundation_pile.h"
#include "app_game.h"
#include "app_in_hand_pile.h"
#include "app_reserve_pile.h"
#include "app_sounds.h"
#include "app_stock_pile.h"
#include "app_tableau_pile.h"

namespace {

constexpr uint32_t kAutoMoveDelay = 25;
constexpr uint8_t kAutoMoveDuration = 50;
constexpr uint32_t kPairDelay = 12;
constexpr uint8_t kPairDuration = 50;
// The placing sound rises with the distance a one-touch drop covers, in the
// application's fixed-point units (128 to the pixel).
constexpr int kFixedPoint = 128;
constexpr int kPitchSteps[] = {4300, 8700, 13000, 17500};

bool eligible(int r, int lo, int hi) { return hi < lo ? (r >= lo || r <= hi) : (r >= lo && r <= hi); }

}  // namespace

int CAppGame::maxMovableCards(bool toEmptyColumn) const {
  if (kindCount(kPileCell) == 0) return cardCount();
  int c = 1;
  for (int i = 0; i < kindCount(kPileCell); ++i) c += pileOf(kPileCell, i)->empty() ? 1 : 0;
  int e = 0;
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    const auto* t = static_cast<const CAppTableauPile*>(pileOf(kPileTableau, i));
    if (t->empty() && t->rules().emptyAccepts == 1) ++e;
  }
  if (toEmptyColumn && e > 0) --e;
  // Wide, then saturated: a wrapped byte would forbid every group move.
  long result = c;
  for (int i = 0; i < e && result < 255; ++i) result *= 2;
  return static_cast<int>(std::min<long>(result, 255));
}

bool CAppGame::isOneTouch() const {
  const CAppCard* top = inHand_->topCard();
  return option(kOptionOneTouch) && top && top->isAtHome();
}

bool CAppGame::qualifies(CAppCardPile* pile, bool oneTouch, int32_t x, int32_t y) const {
  return pile && (oneTouch || pile->hitTest(x, y)) && pile->canAccept(inHand_->topCard());
}

void CAppGame::turnTableauTop(CAppCardPile& column) {
  CAppCard* top = column.topCard();
  top->flipUp();
  addAnimatingCard(top);
  state_->recordMove(top, true, &column, kPileTableau, &column, kPileTableau);
  services_->resetIdleCounter();
}

void CAppGame::onPenDown(int32_t x, int32_t y) {
  if (dealPending_) {
    finishDealAnimation();
    settleRequested_ = 1;
    settle();
    return;
  }
  if (endAnimation_) return;
  leaveKeyboardMode();
  markDropTargets(false);
  clearPlayableMarks();
  if (inHand_->count() > 0 && !carriedByTap_) {
    returnCarriedCards();
    for (auto& p : piles_) p->setSelected(false);
  }
  pickUpAt(x, y);
  if (inHand_->count() > 0) {
    CAppCardPile* source = inHand_->source();
    collectDropTargets(inHand_->topCard(), source ? source->topCard() : nullptr, source, inHand_->sourceKind());
  } else {
    // A pair gone, the stock turned, or nothing done: the search starts
    // afresh, as the marks it leaves behind were cleared above.
    if (definition_->pairSum != 0) sounds_->playPlace(0);
    settleRequested_ = 1;
    settle();
  }
  showPlayableMarks(true);
}

void CAppGame::onPenMove(int32_t x, int32_t y) {
  if (inHand_->count() == 0) return;
  inHand_->dragTo(x, y);
  if (!option(kOptionMarkAll) && !option(kOptionMarkUseful)) highlightDropTargetsAt();
}

void CAppGame::onPenUp(int32_t x, int32_t y) {
  if (endAnimation_ || inHand_->count() == 0) return;
  clearPlayableMarks();
  markDropTargets(false);
  for (auto& p : piles_) p->setMarked(false);
  const CAppCard* top = inHand_->topCard();
  if (!carriedByTap_ && !option(kOptionOneTouch) && top->isAtHome()) {
    carriedByTap_ = 1;
    inHand_->layoutCards();
    CAppCardPile* source = inHand_->source();
    if (source) source->setSelected(false);
    collectDropTargets(inHand_->topCard(), source ? source->topCard() : nullptr, source, inHand_->sourceKind());
    return;
  }
  if (dropCarriedCards(x, y)) {
    carriedByTap_ = 0;
    settleRequested_ = 1;
    settle();
    return;
  }
  // The cards went back; the marks cleared above come from a new search.
  settleRequested_ = 1;
  settle();
  carriedByTap_ = 0;
  for (auto& p : piles_) p->setSelected(false);
  showPlayableMarks(true);
}

bool CAppGame::pickUpAt(int32_t x, int32_t y) {
  if (inHand_->count() > 0) return false;
  CAppCardPile* stock = firstPile(kPileStock);
  if (stock && stock->hitTest(x, y)) {
    if (type_ == kGameKlondike || type_ == kGameSpider) {
      for (int i = 0; i < kindCount(kPileTableau); ++i) {
        CAppCardPile* column = pileOf(kPileTableau, i);
        const CAppCard* top = column->topCard();
        if (top && !top->isFaceUp() && !top->isFlipping()) turnTableauTop(*column);
      }
    }
    stock->activate(x, y);
    return true;
  }
  std::vector<CAppCardPile*> order;
  if (CAppCardPile* waste = firstPile(kPileWaste)) order.push_back(waste);
  for (int i = 0; i < kindCount(kPileFoundation); ++i) order.push_back(pileOf(kPileFoundation, i));
  for (int i = 0; i < kindCount(kPileTableau); ++i) order.push_back(pileOf(kPileTableau, i));
  for (int i = kindCount(kPileReserve) - 1; i >= 0; --i) order.push_back(pileOf(kPileReserve, i));
  for (int i = 0; i < kindCount(kPileCell); ++i) order.push_back(pileOf(kPileCell, i));
  for (CAppCardPile* p : order) {
    if (p->hitTest(x, y)) {
      p->activate(x, y);
      return true;
    }
  }
  return false;
}

void CAppGame::dropOnto(CAppCardPile& target, AppPileKind kind, CAppCard* recorded) {
  state_->recordMove(recorded, false, inHand_->source(), inHand_->sourceKind(), &target, kind);
  // A run goes onto a foundation from its top card (Spider's ace first);
  // everywhere else the deepest card goes down first.
  const bool animate = option(kOptionAnimate) != 0;
  if (kind == kPileFoundation) {
    inHand_->transferTo(target, animate);
  } else {
    inHand_->placeOn(target, animate);
  }
}

CAppCardPile* CAppGame::dropCarriedCards(int32_t x, int32_t y) {
  resetAutoMoveTime(false);
  CAppCard* top = inHand_->topCard();
  if (!top) return nullptr;
  const bool sameCard = top == lastDropped_;
  lastDropped_ = top;
  const bool oneTouch = isOneTouch();
  CAppCardPile* source = inHand_->source();
  CAppCardPile* target = dropOnFoundation(oneTouch, x, y);
  if (!target && type_ == kGameIdiot) {
    target = dropOnWaste(x, y);
    if (!target) target = dropOnTableau(x, y, sameCard);
  } else if (!target) {
    target = dropOnTableau(x, y, sameCard);
    if (!target) target = dropOnReserve(x, y);
    if (!target) target = dropOnWaste(x, y);
  }
  if (!target) target = dropOnStockPair(x, y);
  if (!target) target = dropOnCell(x, y);
  if (!target) {
    returnCarriedCards();
    return nullptr;
  }
  if (oneTouch && source) {
    const int d = std::abs(target->x() - source->x()) * kFixedPoint;
    int step = 0;
    while (step < 4 && d > kPitchSteps[step]) ++step;
    sounds_->playPlace(step);
  }
  return target;
}

CAppCardPile* CAppGame::dropOnFoundation(bool oneTouch, int32_t x, int32_t y) {
  const int n = kindCount(kPileFoundation);
  const CAppCardPile* source = inHand_->source();
  int start = 0;
  if (inHand_->sourceKind() == kPileFoundation && source)
    start = std::max(0, source->index() - firstIndex(kPileFoundation));
  for (int k = 0; k < n; ++k) {
    CAppCardPile* f = pileOf(kPileFoundation, (start + k) % n);
    if (f == source || !qualifies(f, oneTouch, x, y)) continue;
    dropOnto(*f, kPileFoundation, type_ == kGameSpider ? inHand_->bottomCard() : inHand_->topCard());
    return f;
  }
  return nullptr;
}

CAppCardPile* CAppGame::dropOnTableau(int32_t x, int32_t y, bool sameCard) {
  const int n = kindCount(kPileTableau);
  if (n == 0) return nullptr;
  CAppCard* card = inHand_->topCard();
  const bool oneTouch = isOneTouch();
  if (type_ == kGameCalc && oneTouch) {
    const uint8_t v = calcCycle_ >= 3 ? 0 : static_cast<uint8_t>(calcCycle_ + 1);
    calcCycle_ = v;
    CAppCardPile* p = pileOf(kPileTableau, v);
    if (!p || !p->canAccept(card)) {
      calcCycle_ = v == 0 ? 4 : static_cast<uint8_t>(v - 1);
      return nullptr;
    }
    dropOnto(*p, kPileTableau, card);
    return p;
  }
  const CAppCardPile* source = inHand_->source();
  const int start = inHand_->sourceKind() == kPileTableau && source ? source->index() - firstIndex(kPileTableau) : 0;
  const bool freecell = type_ == kGameFreecell;
  const bool fits = inHand_->count() <= maxMovableCards(true);
  CAppTableauPile* choice = nullptr;
  int choiceRun = 0;
  for (int k = 0; k < n; ++k) {
    auto* p = static_cast<CAppTableauPile*>(pileOf(kPileTableau, (start + k) % n));
    if (p == source || !qualifies(p, oneTouch, x, y)) continue;
    const bool emptyPile = p->empty();
    if (sameCard) {
      if (emptyPile && freecell && !fits) continue;
      choice = p;
      break;
    }
    if (type_ == kGameSpider) {
      const int run = p->runLength();
      const bool suitNow = !emptyPile && p->topCard()->suit() == card->suit();
      const bool suitBefore = choice && !choice->empty() && choice->topCard()->suit() == card->suit();
      if (emptyPile ? (!choice || run >= choiceRun)
                    : (!choice || (suitNow && !suitBefore) || (suitNow && suitBefore && run > choiceRun))) {
        choice = p;
        choiceRun = run;
      }
    } else if (type_ == kGameFourCorners) {
      const bool suitNow = !emptyPile && p->topCard()->suit() == card->suit();
      if (emptyPile ? !choice : (suitNow || !choice || choice->empty())) choice = p;
    } else if (!emptyPile) {
      choice = p;
      break;
    } else if (!freecell || fits) {
      choice = p;
    }
  }
  if (!choice) return nullptr;
  dropOnto(*choice, kPileTableau, card);
  return choice;
}

void CAppGame::sendPairToFoundation(CAppCardPile& partner, AppPileKind partnerKind, bool animate) {
  CAppCardPile* foundation = firstPile(kPileFoundation);
  CAppCard* other = partner.topCard();
  if (!foundation || !other) return;
  state_->recordMove(other, false, &partner, partnerKind, foundation, kPileFoundation);
  moveCard(partner.removeTopCard(), *foundation, animate, kPairDelay, kPairDuration);
}

CAppCardPile* CAppGame::dropOnReserve(int32_t x, int32_t y) {
  const bool oneTouch = isOneTouch();
  const CAppCardPile* source = inHand_->source();
  for (int i = kindCount(kPileReserve) - 1; i >= 0; --i) {
    CAppCardPile* r = pileOf(kPileReserve, i);
    if ((r == source && type_ != kGameClock) || !qualifies(r, oneTouch, x, y)) continue;
    if (definition_->pairSum == 0) {
      dropOnto(*r, kPileReserve, inHand_->topCard());
      return r;
    }
    CAppCardPile* foundation = firstPile(kPileFoundation);
    if (!foundation) return nullptr;
    dropOnto(*foundation, kPileFoundation, inHand_->topCard());
    sendPairToFoundation(*r, kPileReserve, false);
    return r;
  }
  return nullptr;
}

CAppCardPile* CAppGame::dropOnWaste(int32_t x, int32_t y) {
  CAppCardPile* waste = firstPile(kPileWaste);
  const bool oneTouch = isOneTouch();
  if (!waste || !qualifies(waste, oneTouch, x, y)) return nullptr;
  const uint8_t pairSum = definition_->pairSum;
  const AppPileKind from = inHand_->sourceKind();
  const CAppCard* wasteTop = waste->topCard();
  const bool plain =
      pairSum == 0 || (from == kPileWaste && !settings().pyramidPairCovered) || (oneTouch && from == kPileStock);
  if (plain || !wasteTop || wasteTop->rank() + inHand_->topCard()->rank() != pairSum) {
    dropOnto(*waste, kPileWaste, inHand_->topCard());
    waste->layoutCards();
    return waste;
  }
  CAppCardPile* foundation = firstPile(kPileFoundation);
  if (!foundation) return nullptr;
  dropOnto(*foundation, kPileFoundation, inHand_->topCard());
  sendPairToFoundation(*waste, kPileWaste, option(kOptionAnimate) != 0);
  waste->layoutCards();
  return waste;
}

CAppCardPile* CAppGame::dropOnStockPair(int32_t x, int32_t y) {
  CAppCardPile* stock = firstPile(kPileStock);
  CAppCardPile* foundation = firstPile(kPileFoundation);
  const uint8_t pairSum = definition_->pairSum;
  if (!stock || !foundation || pairSum == 0 || !qualifies(stock, isOneTouch(), x, y)) return nullptr;
  if (stock->topCard()->rank() + inHand_->topCard()->rank() != pairSum) return nullptr;
  dropOnto(*foundation, kPileFoundation, inHand_->topCard());
  sendPairToFoundation(*stock, kPileStock, option(kOptionAnimate) != 0);
  return foundation;
}

CAppCardPile* CAppGame::dropOnCell(int32_t x, int32_t y) {
  const bool oneTouch = isOneTouch();
  for (int i = 0; i < kindCount(kPileCell); ++i) {
    CAppCardPile* c = pileOf(kPileCell, i);
    // Back onto its own cell is no move: the cards simply return.
    if (c == inHand_->source() || !qualifies(c, oneTouch, x, y)) continue;
    dropOnto(*c, kPileCell, inHand_->topCard());
    return c;
  }
  return nullptr;
}

void CAppGame::moveCard(CAppCard* card, CAppCardPile& target, bool animate, uint32_t step, uint8_t duration) {
  const int16_t fromX = card->x();
  const int16_t fromY = card->y();
  target.addCard(card);
  if (!animate) return;
  card->setX(fromX);
  card->setY(fromY);
  card->startSlide(advanceAnimationClock(step), duration, false);
  addAnimatingCard(card);
}

void CAppGame::movePlayedCard(CAppCard* card, CAppCardPile& foundation) {
  if (!card) return;
  const bool animate = option(kOptionAnimate) != 0;
  if (animate) resetAutoMoveTime(true);
  moveCard(card, foundation, animate, kPairDelay, kPairDuration);
}

bool CAppGame::autoTurnTableauTops() {
  if (!option(kOptionAutoTurn) || !animating_.empty()) return false;
  bool turned = false;
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    CAppCardPile* column = pileOf(kPileTableau, i);
    const CAppCard* top = column->topCard();
    const bool carriedFrom = inHand_->count() > 0 && column == inHand_->source();
    if (!top || carriedFrom || top->isFaceUp() || top->isFlipping()) continue;
    turnTableauTop(*column);
    turned = true;
  }
  return turned;
}

uint8_t CAppGame::getFoundationBase() const {
  if (option(kOptionAutoMoves) == 2 && (type_ == kGameCanfield || type_ == kGameFourCorners)) {
    const auto* f = static_cast<const CAppFoundationPile*>(pileOf(kPileFoundation, 1));
    if (f) return f->baseRank();
  }
  return 1;
}

uint8_t CAppGame::safeAutoMoveRank() const {
  if (option(kOptionAutoMoves) != 2) return 13;
  const bool ranked = type_ == kGameKlondike || type_ == kGameFreecell || type_ == kGameCanfield ||
                      type_ == kGameFourCorners || type_ == kGameYukon;
  if (!ranked) return 13;
  const int base = getFoundationBase();
  int c = 13;
  int wrapped = 0;
  for (int i = 0; i < kindCount(kPileFoundation); ++i) {
    const CAppCard* top = pileOf(kPileFoundation, i)->topCard();
    if (!top) {
      c = base;
      continue;
    }
    const int t = top->rank();
    const int w = base < t ? 1 : 0;
    if (base >= 2 && c < base && t >= base) {
      c = t;
      wrapped = w;
    } else if (t >= c) {
      wrapped = w;
    } else if (!(wrapped && t < base)) {
      c = t;
      wrapped = w;
    }
  }
  const int next = (c > 12 && c < 255) ? 1 : c + 1;
  if (next != base) return static_cast<uint8_t>(next);
  return static_cast<uint8_t>((c > 12 && c < 255) ? 0 : c);
}

bool CAppGame::autoMoveOneCard(CAppCardPile& source, uint8_t lo, uint8_t hi) {
  CAppCard* card = source.topCard();
  if (!card || card->isMoving() || !card->isFaceUp() || !eligible(card->rank(), lo, hi)) return false;
  for (int i = 0; i < kindCount(kPileFoundation); ++i) {
    CAppCardPile* f = pileOf(kPileFoundation, i);
    if (!f->canAccept(card)) continue;
    autoMoving_ = 0;
    moveCard(source.removeTopCard(), *f, option(kOptionAnimate) != 0, kAutoMoveDelay, kAutoMoveDuration);
    autoMoving_ = 1;
    state_->recordMove(card, false, &source, source.kind(), f, kPileFoundation);
    return true;
  }
  return false;
}

void CAppGame::refillAfterAutoMove(CAppCardPile& pile) {
  if (!pile.refillsWhenEmpty() || !pile.empty()) return;
  CAppCardPile* giver = nullptr;
  if (pile.kind() == kPileTableau) giver = firstPile(kPileReserve);
  if (!giver || giver->empty()) giver = firstPile(kPileWaste);
  if (!giver || giver->empty()) giver = firstPile(kPileStock);
  if (!giver || giver->empty()) return;
  CAppCard* card = giver->removeTopCard();
  const bool turned = !card->isFaceUp();
  if (turned) card->flipUp();
  moveCard(card, pile, option(kOptionAnimate) != 0, kPairDelay, kAutoMoveDuration);
  state_->recordMove(card, turned, giver, giver->kind(), &pile, pile.kind());
}

bool CAppGame::autoMoveRun(CAppCardPile& column) {
  const CAppCard* top = column.topCard();
  const auto* first = static_cast<const CAppFoundationPile*>(firstPile(kPileFoundation));
  if (!top || top->isMoving() || !first) return false;
  auto& tableau = static_cast<CAppTableauPile&>(column);
  const int capacity = first->rules().capacity;
  inHand_->setQuiet(true);
  inHand_->attach(&column, kPileTableau);
  inHand_->addCard(column.removeTopCard());
  const int limit = maxMovableCards(false);
  while (inHand_->count() < limit && !column.empty() && tableau.runRule(*inHand_->topCard(), *column.topCard())) {
    inHand_->addCard(column.removeTopCard());
  }
  bool moved = false;
  if (inHand_->count() == capacity) {
    for (int i = 0; i < kindCount(kPileFoundation) && !moved; ++i) {
      CAppCardPile* f = pileOf(kPileFoundation, i);
      if (!f->canAccept(inHand_->topCard())) continue;
      state_->recordMove(inHand_->topCard(), false, &column, kPileTableau, f, kPileFoundation);
      inHand_->transferTo(*f, option(kOptionAnimate) != 0);
      column.setSelected(false);
      moved = true;
    }
  }
  if (!moved) inHand_->returnCards();
  inHand_->setQuiet(false);
  return moved;
}

bool CAppGame::autoMoveStep() {
  if (option(kOptionAutoMoves) == 0 || definition_->pairSum != 0 || kindCount(kPileFoundation) == 0) return false;
  bool moved = false;
  const auto* first = static_cast<const CAppFoundationPile*>(firstPile(kPileFoundation));
  if (first->rules().singleCards) {
    const uint8_t hi = safeAutoMoveRank();
    const uint8_t lo = getFoundationBase();
    if (CAppCardPile* waste = firstPile(kPileWaste)) moved = autoMoveOneCard(*waste, lo, hi);
    for (int i = 0; i < kindCount(kPileTableau); ++i) {
      CAppCardPile* column = pileOf(kPileTableau, i);
      if (autoMoveOneCard(*column, lo, hi)) {
        moved = true;
        refillAfterAutoMove(*column);
      }
    }
    for (int i = 0; i < kindCount(kPileCell); ++i) moved = autoMoveOneCard(*pileOf(kPileCell, i), lo, hi) || moved;
    for (int i = 0; i < kindCount(kPileReserve); ++i) {
      CAppCardPile* r = pileOf(kPileReserve, i);
      if (autoMoveOneCard(*r, lo, hi)) {
        moved = true;
        refillAfterAutoMove(*r);
      }
    }
  } else {
    for (int i = 0; i < kindCount(kPileTableau); ++i) moved = autoMoveRun(*pileOf(kPileTableau, i)) || moved;
  }
  if (moved) {
    sounds_->playPlace(0);
    services_->resetIdleCounter();
  }
  return moved;
}
