// The keypad: a focus that moves from pile to pile over the game's cursor
// grid and up and down inside a column, and the action key that picks cards
// up and puts them down. With one-touch play the focus rests only on piles
// that can play.
#include <algorithm>
#include <cstdlib>

#include "app_card.h"
#include "app_game.h"
#include "app_in_hand_pile.h"
#include "app_sounds.h"
#include "app_stock_pile.h"
#include "app_tableau_pile.h"

namespace {

constexpr int kFocusTries = 20;

}  // namespace

CAppCardPile* CAppGame::focusedPile() const { return pile(focusPile_); }

uint8_t CAppGame::gridCell(int row, int column) const {
  const CAppGameDefinition& d = *definition_;
  if (row < 0 || row >= d.gridRows || column < 0 || column >= d.gridColumns) return CAppGameDefinition::kNoPile;
  const uint8_t cell = d.cursorGrid[row][column];
  return cell < pileCount() ? cell : CAppGameDefinition::kNoPile;
}

void CAppGame::setFocusedPileSelected(bool flag) {
  focusSelected_ = flag ? 1 : 0;
  if (!keyboardMode_) return;
  if (CAppCardPile* p = focusedPile()) p->setSelected(flag);
}

void CAppGame::locateFocusInGrid() {
  const CAppGameDefinition& d = *definition_;
  for (int row = 0; row < d.gridRows; ++row) {
    for (int column = 0; column < d.gridColumns; ++column) {
      if (gridCell(row, column) == focusPile_) {
        cursorRow_ = static_cast<uint8_t>(row);
        cursorColumn_ = static_cast<uint8_t>(column);
        return;
      }
    }
  }
}

bool CAppGame::isPyramidRowClear() const {
  if (type_ != kGamePyramid || cursorRow_ > 6) return true;
  const int first = cursorRow_ * (cursorRow_ + 1) / 2;
  for (int i = 0; i <= cursorRow_; ++i) {
    const CAppCardPile* r = pileOf(kPileReserve, first + i);
    if (r && !r->empty()) return false;
  }
  return true;
}

bool CAppGame::stockCanAct() const {
  const auto* stock = static_cast<const CAppStockPile*>(firstPile(kPileStock));
  if (!stock) return false;
  const CAppCardPile* waste = firstPile(kPileWaste);
  return !stock->empty() || (stock->canRedeal() && waste && !waste->empty());
}

bool CAppGame::canFocusPile(int index) {
  const CAppCardPile* p = pile(index);
  if (!p) return false;
  if (!option(kOptionOneTouch) || keepPlaying_)
    return !(type_ == kGamePyramid && p->kind() == kPileReserve && p->empty());
  if (stockCanAct()) {
    if (p->kind() == kPileStock) return true;
    if (movable_.empty()) return false;
  } else if (movable_.empty()) {
    return true;
  }
  for (size_t i = 0; i < movable_.size(); ++i) {
    if (p->depthOf(movable_[i]) >= 0) {
      chosenCandidate_ = static_cast<uint8_t>(i);
      return true;
    }
  }
  return false;
}

int CAppGame::candidateIndex(const CAppCard* card) const {
  const auto it = std::find(movable_.begin(), movable_.end(), card);
  return it == movable_.end() ? -1 : static_cast<int>(it - movable_.begin());
}

void CAppGame::selectNearest(CAppCardPile& p, int32_t y) {
  p.setSelected(true);
  if (p.kind() != kPileTableau || !p.selectedCard()) return;
  // Deeper cards lie higher up: go up while that comes nearer.
  while (true) {
    CAppCard* best = p.selectedCard();
    if (p.selectionUp() != 1) return;
    if (std::abs(p.selectedCard()->y() - y) >= std::abs(best->y() - y)) {
      p.setSelectedCard(best);
      return;
    }
  }
}

// Moves the cursor along a row (dRow 0) or a column (dColumn 0), wrapping,
// to the first pile other than the focus that may take it; the old focus
// keeps it when none does.
CAppCardPile* CAppGame::moveFocusAlong(int dRow, int dColumn) {
  CAppCardPile* old = focusedPile();
  if (old) old->setSelected(false);
  const int rows = definition_->gridRows, columns = definition_->gridColumns;
  int row = cursorRow_, column = cursorColumn_;
  for (int tries = 0; tries < (dRow != 0 ? rows : columns); ++tries) {
    row = (row + dRow + rows) % rows;
    column = (column + dColumn + columns) % columns;
    const uint8_t cell = gridCell(row, column);
    if (cell == CAppGameDefinition::kNoPile || cell == focusPile_ || !canFocusPile(cell)) continue;
    focusPile_ = cell;
    cursorRow_ = static_cast<uint8_t>(row);
    cursorColumn_ = static_cast<uint8_t>(column);
    return focusedPile();
  }
  if (old) old->setSelected(true);
  return nullptr;
}

int CAppGame::focusInRow(int direction) {
  const CAppCardPile* old = focusedPile();
  const int32_t y = old && old->selectedCard() ? old->selectedCard()->y() : 0;
  CAppCardPile* p = moveFocusAlong(0, direction);
  if (!p) return 0;
  selectNearest(*p, y);
  return 1;
}

int CAppGame::focusInColumn(int direction) {
  CAppCardPile* old = focusedPile();
  if (old && old->selectedCard()) {
    CAppCard* start = old->selectedCard();
    const auto step = [&] { return direction > 0 ? old->selectionDown() : old->selectionUp(); };
    if (!option(kOptionOneTouch)) {
      if (step() == 1) return 1;
    } else {
      while (step() == 1) {
        const int i = candidateIndex(old->selectedCard());
        if (i >= 0) {
          chosenCandidate_ = static_cast<uint8_t>(i);
          return 1;
        }
      }
      old->setSelectedCard(start);
    }
  }
  CAppCardPile* p = moveFocusAlong(direction, 0);
  if (!p) return 0;
  p->setSelected(true);
  // Entered from above, a column shows its first card that can be chosen.
  if (direction > 0 && p->kind() == kPileTableau) {
    while (p->selectionUp() == 1) {
    }
  }
  return 1;
}

int CAppGame::focusStep(int keyCode) {
  switch (keyCode) {
    case kKeyLeft: return focusInRow(-1);
    case kKeyRight: return focusInRow(1);
    case kKeyUp: return focusInColumn(-1);
    default: return focusInColumn(1);
  }
}

// After a failed try the cursor slides one cell across the way it travels
// (left: a row down, right: a row up, up: a column left, down: a column
// right) and takes the pile it finds there.
void CAppGame::slideAcross(int keyCode) {
  const CAppGameDefinition& d = *definition_;
  const bool rows = keyCode == kKeyLeft || keyCode == kKeyRight;
  const int size = rows ? d.gridRows : d.gridColumns;
  const int step = keyCode == kKeyLeft || keyCode == kKeyDown ? 1 : -1;
  int row = cursorRow_, column = cursorColumn_;
  for (int n = 0; n < size; ++n) {
    if (rows) row = (row + step + size) % size;
    else column = (column + step + size) % size;
    const uint8_t cell = gridCell(row, column);
    const bool again = keyCode == kKeyRight ? cell == CAppGameDefinition::kNoPile : cell == focusPile_;
    if (!again) break;
  }
  const uint8_t cell = gridCell(row, column);
  if (cell == CAppGameDefinition::kNoPile) {
    locateFocusInGrid();
    return;
  }
  cursorRow_ = static_cast<uint8_t>(row);
  cursorColumn_ = static_cast<uint8_t>(column);
  focusPile_ = cell;
}

void CAppGame::enterKeyboardMode() {
  keyboardMode_ = 1;
  const CAppCardPile* stock = firstPile(kPileStock);
  focusPile_ = stock ? stock->index() : 0;
  locateFocusInGrid();
  if (type_ == kGamePyramid) {
    // The lowest row that still holds a card of the pyramid.
    for (int row = definition_->gridRows - 1; row >= 0; --row) {
      for (int column = 0; column < definition_->gridColumns; ++column) {
        const CAppCardPile* p = pile(gridCell(row, column));
        if (p && p->kind() == kPileReserve && !p->empty()) {
          cursorRow_ = static_cast<uint8_t>(row);
          row = -1;
          break;
        }
      }
    }
  }
  if (CAppCardPile* p = focusedPile()) p->setSelected(true);
}

void CAppGame::markFromFocus() {
  if (!option(kOptionMarkAll) && !option(kOptionMarkUseful)) return;
  markDropTargets(false);
  dropTargets_.clear();
  showPlayableMarks(false);
  CAppCardPile* p = focusedPile();
  if (!p || p->empty()) return;
  CAppCard* card = p->selectedCard() ? p->selectedCard() : p->topCard();
  const int depth = p->depthOf(card);
  collectDropTargets(card, p->cardFromTop(depth + 1), p, p->kind());
}

void CAppGame::onKey(int keyCode) {
  if (dealPending_) {
    finishDealAnimation();
    settleRequested_ = 1;
    settle();
    return;
  }
  if (endAnimation_) {
    stopEndAnimation();
    return;
  }
  if (!keyboardMode_ || !focusedPile()) {
    enterKeyboardMode();
    if (option(kOptionOneTouch)) markFromFocus();
    return;
  }
  if (!option(kOptionOneTouch)) {
    if (type_ == kGamePyramid && (keyCode == kKeyLeft || keyCode == kKeyRight) && isPyramidRowClear() &&
        cursorRow_ > 0) {
      --cursorRow_;
    }
    static_cast<void>(focusStep(keyCode));
    return;
  }
  for (int tries = 0; tries < kFocusTries && focusStep(keyCode) == 0; ++tries) {
    if (CAppCardPile* p = focusedPile()) p->setSelected(false);
    slideAcross(keyCode);
    CAppCardPile* p = focusedPile();
    if (!p) break;
    p->setSelected(true);
    if (canFocusPile(focusPile_)) break;
  }
  CAppCardPile* p = focusedPile();
  if (p && !p->empty() && p->kind() != kPileStock && !movable_.empty() && !keepPlaying_ &&
      chosenCandidate_ < movable_.size() && p->depthOf(movable_[chosenCandidate_]) >= 0) {
    p->setSelectedCard(movable_[chosenCandidate_]);
  }
  markFromFocus();
}

void CAppGame::onAction() {
  if (dealPending_) {
    finishDealAnimation();
    settleRequested_ = 1;
    if (CAppCardPile* p = focusedPile(); p && keyboardMode_) p->setSelected(true);
    settle();
    return;
  }
  if (endAnimation_) {
    stopEndAnimation();
    return;
  }
  if (!focusedPile()) {
    enterKeyboardMode();
    return;
  }
  if (!keyboardMode_) {
    // The focus shows again where it was.
    keyboardMode_ = 1;
    locateFocusInGrid();
    focusedPile()->setSelected(true);
    return;
  }
  CAppCardPile* focus = focusedPile();
  focus->setSelected(false);
  markDropTargets(false);
  dropTargets_.clear();
  CAppCard* keep = nullptr;  // the card the focus pile shows selected afterwards
  const CAppCardPile* discard = type_ == kGamePyramid ? firstPile(kPileFoundation) : nullptr;
  const int discarded = discard ? discard->count() : 0;
  if (inHand_->count() > 0) {
    keep = inHand_->topCard();
    const CAppCardPile* target = dropCarriedCards(focus->x() + 1, focus->y() + 1);
    if (target) {
      settleRequested_ = 1;
    } else {
      showPlayableMarks(true);
    }
    carriedByTap_ = 0;
  } else {
    if (focus->kind() == kPileStock) {
      focus->setMarked(false);
      focus->activate(focus->x() + 1, focus->y() + 1);
      settleRequested_ = 1;
    } else {
      const CAppCard* card = focus->selectedCard();
      const bool picked = card ? pickUpAt(card->x() + 2, card->y() + 2) : pickUpAt(focus->x() + 1, focus->y() + 1);
      if (picked && type_ == kGamePyramid && inHand_->count() == 0) {
        sounds_->playPlace(0);
        settleRequested_ = 1;
      }
    }
    if (inHand_->count() > 0) keep = playFromHandByKey();
  }
  // A pair (or a king) gone to the discard pile leaves an empty place
  // behind: the focus moves on to the discard pile (it stays on the stock).
  const CAppCardPile* now = focusedPile();
  if (discard && inHand_->count() == 0 && discard->count() > discarded && now && now->kind() != kPileStock) {
    focusPile_ = discard->index();
    locateFocusInGrid();
  }
  if (CAppCardPile* p = focusedPile()) {
    p->setSelected(true);
    if (keep && p->kind() == kPileTableau && p->depthOf(keep) >= 0) p->setSelectedCard(keep);
  }
  settle();
}

// Cards just picked up by the action key: one-touch plays them at once where
// they go (the focus follows them); otherwise they wait in the hand for the
// next action, with their targets marked.
CAppCard* CAppGame::playFromHandByKey() {
  CAppCard* card = inHand_->topCard();
  if (!option(kOptionOneTouch)) {
    carriedByTap_ = 1;
    inHand_->layoutCards();
    showPlayableMarks(false);
    CAppCardPile* source = inHand_->source();
    collectDropTargets(card, source ? source->topCard() : nullptr, source, inHand_->sourceKind());
    return nullptr;
  }
  const CAppCardPile* target = dropCarriedCards(0, 0);
  if (!target) return card;
  settleRequested_ = 1;
  if (type_ != kGameIdiot && type_ != kGameFourCorners) {
    focusPile_ = target->index();
    locateFocusInGrid();
  }
  return card;
}

void CAppGame::leaveKeyboardMode() {
  if (!keyboardMode_) return;
  if (CAppCardPile* p = focusedPile()) p->setSelected(false);
  keyboardMode_ = 0;
}

void CAppGame::reselectFocus() {
  CAppCardPile* p = focusedPile();
  if (!keyboardMode_ || !p) return;
  CAppCard* selected = p->selectedCard();
  p->setSelected(false);
  p->setSelected(focusSelected_ != 0);
  if (selected && focusSelected_ && p->depthOf(selected) >= 0) p->setSelectedCard(selected);
}
