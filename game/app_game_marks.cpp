// The marks that show the player where carried cards may go and which cards
// can move.
#include "app_card.h"
#include "app_game.h"
#include "app_hints.h"
#include "app_in_hand_pile.h"
#include "app_stock_pile.h"
#include "app_tableau_pile.h"

bool CAppGame::takeBackAllowed() const {
  const AppGameSettings& s = settings();
  switch (type_) {
    case kGameKlondike: return s.klondikeTakeBack != 0;
    case kGameFreecell: return s.freecellTakeBack != 0;
    case kGameCalc: return s.calcTakeBack != 0;
    case kGameYukon: return s.yukonTakeBack != 0;
    default: return false;
  }
}

bool CAppGame::usefulTableauTarget(CAppCard* card, CAppCard* cardBelow, const CAppCardPile* source,
                                   CAppTableauPile& target) {
  if (!source || source->kind() != kPileTableau || !cardBelow || !cardBelow->isFaceUp()) return true;
  if (foundationAccepts(cardBelow)) return true;
  const auto& from = static_cast<const CAppTableauPile&>(*source);
  const CAppCard* top = target.topCard();
  if (!from.runRule(*card, *cardBelow)) return true;
  if (top && top->suit() == card->suit() && cardBelow->suit() != card->suit()) return true;
  const int targetRun = target.runLength();
  const uint8_t targetBase = target.runBaseRank();
  const int sourceRun = from.runLength();
  if (type_ == kGameSpider && inHand_->count() + sourceRun < targetRun) return true;
  return targetRun > 0 && targetBase == 13 && (sourceRun == 0 || from.runBaseRank() != 13);
}

void CAppGame::collectDropTargets(CAppCard* card, CAppCard* cardBelow, CAppCardPile* source, AppPileKind sourceKind) {
  markDropTargets(false);
  dropTargets_.clear();
  if (!card || !card->isFaceUp()) return;
  if (sourceKind == kPileFoundation && !takeBackAllowed()) return;
  inHand_->attach(source, sourceKind);
  const bool all = option(kOptionMarkAll) != 0;
  if (!all && !option(kOptionMarkUseful)) return;
  for (int i = 0; i < pileCount(); ++i) {
    CAppCardPile* p = pile(i);
    if (p == source || !p->canAccept(card)) continue;
    if (all) {
      dropTargets_.push_back(p);
      continue;
    }
    bool useful = false;
    switch (p->kind()) {
      case kPileWaste:
        useful = (type_ != kGamePyramid || sourceKind != kPileWaste || settings().pyramidPairCovered) &&
                 pairsWithWaste(card);
        break;
      case kPileStock: useful = pairsWithStockTop(card); break;
      case kPileFoundation:
      case kPileReserve: useful = true; break;
      case kPileTableau:
        useful = usefulTableauTarget(card, cardBelow, source, static_cast<CAppTableauPile&>(*p));
        break;
      default: break;
    }
    const auto* stock = static_cast<const CAppStockPile*>(firstPile(kPileStock));
    const bool stockForbids = sourceKind == kPileStock && stock && !stock->rules().topPlayable;
    if (useful && !(stockForbids && p->kind() != kPileWaste)) dropTargets_.push_back(p);
  }
  markDropTargets(true);
}

void CAppGame::markDropTargets(bool on) {
  for (CAppCardPile* p : dropTargets_) p->setMarked(on);
}

void CAppGame::highlightDropTargetsAt() {
  CAppCard* top = inHand_->topCard();
  for (int i = 0; i < pileCount(); ++i) {
    CAppCardPile* p = pile(i);
    p->setMarked(top && p != inHand_->source() && p->hitTest(inHand_->left(), inHand_->top()) && p->canAccept(top));
  }
}

void CAppGame::showPlayableMarks(bool on) {
  if (option(kOptionMarkAll)) {
    for (CAppCard* c : movable_) c->setMarked(on);
  }
  if (option(kOptionMarkUseful)) {
    for (CAppCard* c : useful_) c->setMarked(on);
  }
  if (!option(kOptionMarkAll) && !option(kOptionMarkUseful)) return;
  if ((type_ == kGameIdiot || type_ == kGameSpider) && !stockDealAllowed()) return;
  auto* stock = static_cast<CAppStockPile*>(firstPile(kPileStock));
  const CAppCardPile* waste = firstPile(kPileWaste);
  if (stock && (!stock->empty() || (stock->canRedeal() && waste && !waste->empty()))) stock->setMarked(on);
}

void CAppGame::clearPlayableMarks() {
  for (CAppCard* c : movable_) c->setMarked(false);
  for (CAppCard* c : useful_) c->setMarked(false);
  movable_.clear();
  useful_.clear();
  hints_->clear();
  if (CAppCardPile* stock = firstPile(kPileStock)) stock->setMarked(false);
}
