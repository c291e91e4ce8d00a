// The move search (how many useful moves are open, and which cards they
// move) and the rule queries it and the drops share. The search lifts cards
// into a quiet hand, asks the piles, and puts everything back as it was.
#include <algorithm>
#include <vector>

#include "app_card.h"
#include "app_foundation_pile.h"
#include "app_game.h"
#include "app_hints.h"
#include "app_in_hand_pile.h"
#include "app_reserve_pile.h"
#include "app_sounds.h"
#include "app_stock_pile.h"
#include "app_tableau_pile.h"

namespace {

// The foundations' single-card rule for a card that is not in the hand.
bool foundationTakesAlone(const CAppGame& game, const CAppCard& card) {
  for (int i = 0; i < game.kindCount(kPileFoundation); ++i) {
    const auto* f = static_cast<const CAppFoundationPile*>(game.pileOf(kPileFoundation, i));
    const FoundationSpec& spec = f->rules();
    if (!spec.singleCards || f->isFull() || game.type() == kGamePyramid) continue;
    const CAppCard* top = f->topCard();
    if (!top && card.rank() == f->baseRank() && (spec.baseSuit == 4 || card.suit() == spec.baseSuit)) return true;
    if (top && f->rankRule(card, *top)) return true;
  }
  return false;
}

// Lifts the top cards of a pile into the quiet hand for the search.
class Lift {
 public:
  Lift(CAppInHandPile& hand, CAppCardPile& source) : hand_(hand), source_(source) {
    hand_.attach(&source, source.kind());
  }
  ~Lift() {
    while (CAppCard* card = hand_.removeTopCard()) source_.addCard(card);
  }
  Lift(const Lift&) = delete;
  Lift& operator=(const Lift&) = delete;
  void take() { hand_.addCard(source_.removeTopCard()); }

 private:
  CAppInHandPile& hand_;
  CAppCardPile& source_;
};

}  // namespace

bool CAppGame::foundationAccepts(CAppCard* card) {
  for (int i = 0; i < kindCount(kPileFoundation); ++i) {
    if (pileOf(kPileFoundation, i)->canAccept(card)) return true;
  }
  return false;
}

bool CAppGame::tableauAccepts(CAppCard* card, const CAppCardPile* source) {
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    CAppCardPile* p = pileOf(kPileTableau, i);
    if (p == source || !p->canAccept(card)) continue;
    // A lone column card gains nothing from an empty column; a card from a
    // cell or a reserve does (it frees its place).
    if (!source || !p->empty() || !source->empty() || source->kind() != kPileTableau) return true;
  }
  return false;
}

bool CAppGame::reserveAccepts(CAppCard* card, const CAppCardPile* source) {
  for (int i = 0; i < kindCount(kPileReserve); ++i) {
    CAppCardPile* r = pileOf(kPileReserve, i);
    if (source && r->empty()) continue;
    if (r == source && type_ != kGameClock) continue;
    if (!r->canAccept(card)) continue;
    return !(type_ == kGameClock && r == source && r->count() == 3);
  }
  return false;
}

int CAppGame::cellMoveKind(CAppCard* card, CAppCard* cardBelow) {
  bool accepted = false;
  for (int i = 0; i < kindCount(kPileCell) && !accepted; ++i) accepted = pileOf(kPileCell, i)->canAccept(card);
  if (!accepted) return 0;
  if (!cardBelow || (cardBelow->isFaceUp() && !foundationTakesAlone(*this, *cardBelow))) return 1;
  return 2;
}

bool CAppGame::pairsWithWaste(CAppCard* card) {
  CAppCardPile* waste = firstPile(kPileWaste);
  if (!waste) return false;
  const CAppCard* top = waste->topCard();
  const uint8_t pairSum = definition_->pairSum;
  return (pairSum != 0 && top && top->rank() + card->rank() == pairSum) || waste->canAccept(card);
}

bool CAppGame::pairsWithStockTop(const CAppCard* card) const {
  const CAppCardPile* stock = firstPile(kPileStock);
  const CAppCard* top = stock ? stock->topCard() : nullptr;
  const uint8_t pairSum = definition_->pairSum;
  return pairSum != 0 && top && top != card && top->isFaceUp() && top->rank() + card->rank() == pairSum;
}

bool CAppGame::stockDealAllowed() const {
  if (kindCount(kPileTableau) == 0) return true;
  const int32_t rule = definition_->tableaux.front().emptyAccepts;
  if (rule == 0 || rule == 2) return true;
  bool gap = false;
  int cards = 0;
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    const CAppCardPile* p = pileOf(kPileTableau, i);
    gap = gap || p->empty();
    cards += p->count();
  }
  return !(gap && cards >= kindCount(kPileTableau));
}

void CAppGame::pushMovable(CAppCard* card) {
  if (movable_.size() < kMaxCandidates) movable_.push_back(card);
}

// A useful move is also one the hint marker shows.
void CAppGame::pushUseful(CAppCard* card) {
  if (useful_.size() < kMaxCandidates) useful_.push_back(card);
  hints_->addCandidate(card);
}

void CAppGame::pushCandidate(CAppCard* card) {
  pushUseful(card);
  pushMovable(card);
}

bool CAppGame::playsFromHand(CAppCard* card) {
  const CAppCardPile* source = inHand_->source();
  return foundationAccepts(card) || tableauAccepts(card, source) || reserveAccepts(card, source) ||
         pairsWithStockTop(card) || (settings().pyramidPairCovered && pairsWithWaste(card)) ||
         card->rank() == definition_->pairSum;
}

int CAppGame::searchWasteTop() {
  auto* waste = static_cast<CAppWastePile*>(firstPile(kPileWaste));
  if (!waste || waste->empty() || !waste->rules().playable) return 0;
  CAppCard* card = waste->topCard();
  Lift lift(*inHand_, *waste);
  lift.take();
  if (!playsFromHand(card)) return 0;
  pushCandidate(card);
  CAppCard* next = waste->topCard();
  return next && next->isFaceUp() && foundationTakesAlone(*this, *next) ? 2 : 1;
}

int CAppGame::searchReserves() {
  int count = 0;
  const uint8_t pairSum = definition_->pairSum;
  for (int i = 0; i < kindCount(kPileReserve); ++i) {
    auto* r = static_cast<CAppReservePile*>(pileOf(kPileReserve, i));
    CAppCard* card = r->topCard();
    if (!card || !card->isFaceUp() || !r->isUncovered()) continue;
    Lift lift(*inHand_, *r);
    lift.take();
    if (card->rank() == pairSum || reserveAccepts(card, r) || foundationAccepts(card) || tableauAccepts(card, r) ||
        pairsWithWaste(card) || pairsWithStockTop(card)) {
      pushCandidate(card);
      ++count;
    }
  }
  return count;
}

int CAppGame::searchCells() {
  int count = 0;
  for (int i = 0; i < kindCount(kPileCell); ++i) {
    CAppCardPile* cell = pileOf(kPileCell, i);
    CAppCard* card = cell->topCard();
    if (!card) continue;
    Lift lift(*inHand_, *cell);
    lift.take();
    if (foundationAccepts(card) || tableauAccepts(card, cell)) {
      pushCandidate(card);
      ++count;
    }
  }
  return count;
}

int CAppGame::checkTableauTargets(CAppCard* card, CAppCard* cardBelow, CAppCardPile* source, int groupSize) {
  auto& from = static_cast<CAppTableauPile&>(*source);
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    auto* p = static_cast<CAppTableauPile*>(pileOf(kPileTableau, i));
    if (p == source || !p->canAccept(card)) continue;
    if (p->empty() && !cardBelow) continue;
    if (p->empty() && type_ == kGameFreecell && maxMovableCards(true) < groupSize) continue;
    const CAppCard* top = p->topCard();
    const bool suitGain = top && cardBelow && top->suit() == card->suit() && cardBelow->suit() != card->suit();
    bool longer = false;
    if (type_ == kGameSpider && top && top->suit() == card->suit()) {
      // The run the group belongs to in its column, against the run it joins.
      int sourceRun = groupSize;
      const CAppCard* upper = card;
      for (int d = 0; cardBelow && from.cardFromTop(d) && from.runRule(*upper, *from.cardFromTop(d)); ++d) {
        upper = from.cardFromTop(d);
        ++sourceRun;
      }
      longer = p->runLength() + groupSize > sourceRun;
    }
    const bool useful = !cardBelow || !cardBelow->isFaceUp() || foundationTakesAlone(*this, *cardBelow) ||
                        !from.runRule(*card, *cardBelow) || suitGain || longer;
    if (useful) {
      pushCandidate(card);
      return 1;
    }
    // A legal move that only shifts the card between equal places.
    pushMovable(card);
    return 0;
  }
  return 0;
}

int CAppGame::searchTableaux() {
  int count = 0;
  CAppCardPile* waste = firstPile(kPileWaste);
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    auto* column = static_cast<CAppTableauPile*>(pileOf(kPileTableau, i));
    const TableauSpec& spec = column->rules();
    if (column->empty() || spec.rankStep == 0) continue;
    if (!column->topCard()->isFaceUp()) {
      pushCandidate(column->topCard());
      ++count;
      continue;
    }
    Lift lift(*inHand_, *column);
    lift.take();
    const int limit = maxMovableCards(false);
    while (spec.pickUp != 0 && !column->empty() && inHand_->count() < limit) {
      CAppCard* next = column->topCard();
      if (!next->isFaceUp()) break;
      if (spec.pickUp == 1 && !column->runRule(*inHand_->topCard(), *next)) break;
      lift.take();
    }
    std::vector<CAppCard*> group;
    for (int d = inHand_->count() - 1; d >= 0; --d) group.push_back(inHand_->cardFromTop(d));
    // group[0] is the card that lay on top; group.back() the deepest.
    if (group.size() >= 2 && foundationAccepts(inHand_->topCard())) {
      pushCandidate(inHand_->topCard());
      ++count;
    }
    // The deepest card goes back after each try, from the longest group down.
    for (int size = static_cast<int>(group.size()); size >= 1; --size) {
      CAppCard* base = group[static_cast<size_t>(size - 1)];
      CAppCard* below = column->topCard();
      const bool wholePile = !spec.liftWholePile || column->empty();
      if (size == 1 && waste && waste->canAccept(base)) {
        pushCandidate(base);
        ++count;
      }
      if (wholePile) count += checkTableauTargets(base, below, column, size);
      if (size == 1) {
        const int kind = cellMoveKind(base, below);
        if (kind == 1) pushMovable(base);
        if (kind == 2) pushCandidate(base);
        count += kind;
      }
      if (size > 1) column->addCard(inHand_->removeTopCard());
    }
  }
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    CAppCardPile* column = pileOf(kPileTableau, i);
    CAppCard* top = column->topCard();
    if (!top || !top->isFaceUp()) continue;
    Lift lift(*inHand_, *column);
    lift.take();
    if (foundationAccepts(top)) {
      pushCandidate(top);
      ++count;
    }
  }
  return count;
}

int CAppGame::searchStockAndWaste() {
  auto* stock = static_cast<CAppStockPile*>(firstPile(kPileStock));
  if (!stock) return 0;
  int count = 0;
  if (!stock->empty() && (type_ != kGameIdiot || stockDealAllowed())) {
    hints_->addCandidate(stock->topCard());
    ++count;
  }
  auto* waste = static_cast<CAppWastePile*>(firstPile(kPileWaste));
  const int step = std::max<int>(1, stock->rules().turnCount);
  const auto walk = [&](CAppCardPile& pile, AppPileKind asKind) {
    std::vector<CAppCard*> taken;
    while (CAppCard* c = pile.removeTopCard()) taken.push_back(c);
    for (size_t k = 0; k < taken.size(); ++k) {
      const bool shows = (k + 1) % static_cast<size_t>(step) == 0 || k + 1 == taken.size();
      if (!shows) continue;
      CAppCard* card = taken[k];
      inHand_->attach(&pile, asKind);
      inHand_->addCard(card);
      if (playsFromHand(card)) {
        pushCandidate(card);
        ++count;
      }
      inHand_->removeTopCard();
    }
    for (size_t k = taken.size(); k-- > 0;) pile.addCard(taken[k]);
  };
  if (stock->rules().dealTarget == 0 && waste) walk(*stock, kPileWaste);
  const bool redealable = stock->canRedeal() && waste && !waste->empty() && (stock->empty() || waste->extraFlag());
  if (redealable) walk(*waste, kPileWaste);
  stock->layoutCards();
  return count;
}

uint8_t CAppGame::findMoves() {
  // Busy: cards going back to their piles are put back, not played (a Clock
  // pile would take them under and turn its next card).
  const uint8_t wasBusy = busy_;
  busy_ = 1;
  inHand_->setQuiet(true);
  sounds_->setMuted(true);
  movable_.clear();
  useful_.clear();
  hints_->clear();
  int count = searchWasteTop() + searchReserves() + searchCells() + searchTableaux() + searchStockAndWaste();
  const auto* first = static_cast<const CAppFoundationPile*>(firstPile(kPileFoundation));
  if (first && first->rules().takeBack) {
    for (int i = 0; i < kindCount(kPileFoundation); ++i) {
      CAppCardPile* f = pileOf(kPileFoundation, i);
      CAppCard* top = f->topCard();
      if (!top) continue;
      Lift lift(*inHand_, *f);
      lift.take();
      if (tableauAccepts(top, f)) pushMovable(top);
    }
  }
  if (type_ == kGameSpider) {
    if (const auto* stock = static_cast<const CAppStockPile*>(firstPile(kPileStock))) count += stock->dealInfo();
  }
  if (type_ == kGameFreecell) {
    bool emptyCell = false;
    for (int i = 0; i < kindCount(kPileCell); ++i) emptyCell = emptyCell || pileOf(kPileCell, i)->empty();
    const bool none = useful_.empty();
    for (int i = 0; emptyCell && i < kindCount(kPileTableau); ++i) {
      CAppCard* top = pileOf(kPileTableau, i)->topCard();
      if (!top) continue;
      pushMovable(top);
      if (none) pushUseful(top);
    }
  }
  sounds_->setMuted(false);
  inHand_->setQuiet(false);
  busy_ = wasBusy;
  // Saturated: a count that wrapped to 0 would end a game that can go on.
  return static_cast<uint8_t>(std::min(count, 255));
}
