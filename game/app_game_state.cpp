#include "app_game_state.h"

#include <vector>

#include "app_card.h"
#include "app_foundation_pile.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"
#include "app_serialise_stream.h"
#include "app_stock_pile.h"

namespace {

constexpr int kUndoSound = 4002;
constexpr int kRedoPitch = 5;

void turnOver(CAppCard* card) {
  if (card->isFaceUp()) {
    card->turnFaceDown();
  } else {
    card->turnFaceUp();
  }
}

}  // namespace

CAppGameState::CAppGameState(CAppGame* game) : CQZFObject(game), game_(game) { setKind(kKind, this); }

void CAppGameState::recordMove(CAppCard* card, bool turned, CAppCardPile* from, int32_t fromKind, CAppCardPile* to,
                               int32_t toKind, bool automatic) {
  if (!card || !from || !to) return;
  CardMove m;
  m.card = card;
  m.cardId = card->id();
  m.fromPile = from;
  m.fromIndex = from->index();
  m.fromKind = fromKind;
  m.toPile = to;
  m.toIndex = to->index();
  m.toKind = toKind;
  m.turnOver = turned ? 1 : 0;
  m.automatic = (automatic || game_->isAutoMoving()) ? 1 : 0;
  undoList_.push_front(m);
  redoList_.clear();
}

void CAppGameState::clear() {
  undoList_.clear();
  redoList_.clear();
}

void CAppGameState::abandon() { clear(); }

void CAppGameState::undo() {
  if (!undoList_.empty()) {
    flipSteps_ = 0;
    undoSteps_ = 0;
    undoStep();
  }
  ++undoCount_;
}

void CAppGameState::redo() {
  if (redoList_.empty()) return;
  redoSteps_ = 0;
  flipSteps_ = 0;
  redoStep();
}

bool CAppGameState::isPair(const CardMove& m) const {
  const uint8_t pairSum = game_->definition().pairSum;
  return pairSum != 0 && m.card->rank() < pairSum;
}

bool CAppGameState::isTableauDeal(const CardMove& m) const {
  const bool stockDeals = game_->definition().stock.dealTarget == 1;
  return stockDeals && m.involvesStock() && (m.fromKind == kPileTableau || m.toKind == kPileTableau);
}

bool CAppGameState::refilled(const CardMove& m) const { return m.toPile->refillsWhenEmpty() && m.toPile->empty(); }

void CAppGameState::flipBack(CardMove& m) const {
  if (m.turnOver) turnOver(m.card);
}

bool CAppGameState::moveBack(CardMove& m) {
  if (m.inPlace()) {
    flipBack(m);
    return true;
  }
  CAppCardPile& target = *m.toPile;
  const bool fromBottom = game_->type() == kGameClock;
  if (target.depthOf(m.card) < 0) return false;
  CAppInHandPile& hand = game_->inHand();
  hand.setQuiet(true);
  hand.attach(&target, static_cast<AppPileKind>(m.toKind));
  CAppCard* card = nullptr;
  do {
    card = fromBottom ? target.removeBottomCard() : target.removeTopCard();
    if (m.turnOver) turnOver(card);
    hand.addCard(card);
  } while (card != m.card);
  hand.placeOn(*m.fromPile, false);
  hand.setQuiet(false);
  return true;
}

bool CAppGameState::moveForward(CardMove& m) {
  if (m.inPlace()) {
    flipBack(m);
    return true;
  }
  CAppCardPile& source = *m.fromPile;
  if (source.depthOf(m.card) < 0) return false;
  CAppInHandPile& hand = game_->inHand();
  hand.setQuiet(true);
  hand.attach(&source, static_cast<AppPileKind>(m.fromKind));
  CAppCard* card = nullptr;
  do {
    card = source.removeTopCard();
    if (m.turnOver) turnOver(card);
    hand.addCard(card);
  } while (card != m.card);
  hand.placeOn(*m.toPile, false);
  hand.setQuiet(false);
  return true;
}

void CAppGameState::undoStockEntry(CardMove& m) {
  CAppCardPile& target = *m.toPile;
  if (target.depthOf(m.card) < 0) {
    abandon();
    return;
  }
  // One card at a time, so the source gets them back in its own order.
  CAppCard* formerTop = target.topCard();
  CAppCard* card = nullptr;
  do {
    card = target.removeTopCard();
    if (m.turnOver) turnOver(card);
    m.fromPile->addCard(card);
  } while (card != m.card);
  // A redeal turned the waste back into the stock: it no longer counts.
  if (m.fromKind == kPileWaste && m.toKind == kPileStock) {
    auto* stock = static_cast<CAppStockPile*>(m.toPile);
    if (stock->redeals() > 0) stock->setRedeals(static_cast<uint8_t>(stock->redeals() - 1));
  }
  m.card = formerTop;
  m.cardId = formerTop->id();
  redoList_.push_front(m);
}

void CAppGameState::redoStockEntry(CardMove& m) {
  CAppCardPile& source = *m.fromPile;
  if (source.depthOf(m.card) < 0) {
    abandon();
    return;
  }
  CAppCard* formerTop = source.topCard();
  CAppCard* card = nullptr;
  do {
    card = source.removeTopCard();
    if (m.turnOver) turnOver(card);
    m.toPile->addCard(card);
  } while (card != m.card);
  if (m.fromKind == kPileWaste && m.toKind == kPileStock) {
    auto* stock = static_cast<CAppStockPile*>(m.toPile);
    stock->setRedeals(static_cast<uint8_t>(stock->redeals() + 1));
  }
  m.card = formerTop;
  m.cardId = formerTop->id();
  undoList_.push_front(m);
}

void CAppGameState::undoTableauDeal(CardMove first) {
  const int turnCount = game_->definition().stock.turnCount;
  CardMove m = first;
  for (int taken = 1;; ++taken) {
    if (m.toPile->topCard() != m.card) {
      abandon();
      return;
    }
    CAppCard* card = m.toPile->removeTopCard();
    if (m.turnOver) turnOver(card);
    m.fromPile->addCard(card);
    redoList_.push_front(m);
    // The cards of one deal went to the columns in order, so the next older
    // entry of the same deal names a column further left.
    if (taken >= turnCount || undoList_.empty()) return;
    const CardMove& next = undoList_.front();
    if (!isTableauDeal(next) || next.toIndex >= m.toIndex) return;
    m = next;
    undoList_.pop_front();
  }
}

void CAppGameState::redoTableauDeal(CardMove first) {
  const int turnCount = game_->definition().stock.turnCount;
  CardMove m = first;
  for (int taken = 1;; ++taken) {
    if (m.fromPile->topCard() != m.card) {
      abandon();
      return;
    }
    CAppCard* card = m.fromPile->removeTopCard();
    if (m.turnOver) turnOver(card);
    m.toPile->addCard(card);
    undoList_.push_front(m);
    if (taken >= turnCount || redoList_.empty()) return;
    const CardMove& next = redoList_.front();
    if (!isTableauDeal(next) || next.toIndex <= m.toIndex) return;
    m = next;
    redoList_.pop_front();
  }
}

void CAppGameState::afterMove(const CardMove& m) {
  if (m.toKind == kPileWaste || m.fromKind == kPileWaste) {
    if (CAppCardPile* waste = game_->firstPile(kPileWaste)) waste->layoutCards();
  }
  if (m.toKind == kPileFoundation) static_cast<CAppFoundationPile*>(m.toPile)->clearCompletion();
}

void CAppGameState::undoStep() {
  ++undoSteps_;
  game_->returnCarriedCards();
  game_->finishAnimations();
  game_->settings().noUndo = 0;
  game_->services().playSound(kUndoSound, 8, 0, 64, 30);
  CardMove m = undoList_.front();
  undoList_.pop_front();
  const bool wasBusy = game_->isBusy();
  game_->setBusy(true);
  applying_ = 1;
  bool chain = false;
  bool stockRefill = false;
  if (m.involvesStock()) {
    if (isTableauDeal(m)) {
      undoTableauDeal(m);
    } else {
      undoStockEntry(m);
      // A column or reserve refilled from the stock goes back with the move
      // that emptied it.
      stockRefill = m.fromKind == kPileStock && refilled(m);
      const bool pair = isPair(m) && m.fromKind != kPileWaste && m.toKind != kPileWaste;
      if (pair && !undoList_.empty()) {
        CardMove other = undoList_.front();
        undoList_.pop_front();
        if (moveBack(other)) {
          redoList_.push_front(other);
        } else {
          abandon();
        }
      }
    }
  } else {
    if (m.fromPile->empty()) --undoSteps_;
    const bool spiderRun = game_->type() == kGameSpider && m.toKind == kPileFoundation;
    bool ok = true;
    if (spiderRun) {
      const int n = static_cast<CAppFoundationPile*>(m.toPile)->rules().capacity;
      ok = m.toPile->count() >= n && m.toPile->depthOf(m.card) >= 0;
      for (int i = 0; ok && i < n; ++i) m.fromPile->addCard(m.toPile->removeTopCard());
    } else {
      ok = moveBack(m);
    }
    if (ok) {
      redoList_.push_front(m);
      chain = true;
    } else {
      abandon();
    }
  }
  afterMove(m);
  game_->setBusy(wasBusy);
  applying_ = 0;
  if (stockRefill && !undoList_.empty()) {
    --undoSteps_;
    undoStep();
    return;
  }
  if (!chain || undoList_.empty()) return;
  if (isPair(m)) {
    CardMove other = undoList_.front();
    undoList_.pop_front();
    game_->setBusy(true);
    applying_ = 1;
    if (moveBack(other)) {
      redoList_.push_front(other);
    } else {
      abandon();
    }
    afterMove(other);
    game_->setBusy(wasBusy);
    applying_ = 0;
    --undoSteps_;
    return;
  }
  // The automatic moves after a player's move go back with it. (The
  // option-based guess the rules describe would also take back a player's
  // own foundation move and the command before it.)
  if (m.automatic || refilled(m)) {
    --undoSteps_;
    undoStep();
  } else if (game_->option(kOptionAutoTurn) && m.inPlace() && !undoList_.empty()) {
    ++flipSteps_;
    undoStep();
    while (undoSteps_ - flipSteps_ < flipSteps_ && !undoList_.empty()) undoStep();
  }
}

void CAppGameState::redoStep() {
  ++redoSteps_;
  game_->returnCarriedCards();
  game_->finishAnimations();
  game_->services().playSound(kUndoSound, 8, kRedoPitch, 64, 30);
  CardMove m = redoList_.front();
  redoList_.pop_front();
  applying_ = 1;
  if (m.involvesStock()) {
    if (isTableauDeal(m)) {
      redoTableauDeal(m);
    } else {
      redoStockEntry(m);
    }
  } else {
    const bool spiderRun = game_->type() == kGameSpider && m.toKind == kPileFoundation;
    bool ok = true;
    if (spiderRun) {
      const int n = static_cast<CAppFoundationPile*>(m.toPile)->rules().capacity;
      ok = m.fromPile->count() >= n && m.fromPile->depthOf(m.card) >= 0;
      for (int i = 0; ok && i < n; ++i) m.toPile->addCard(m.fromPile->removeTopCard());
    } else {
      ok = moveForward(m);
    }
    if (ok) {
      undoList_.push_front(m);
    } else {
      abandon();
    }
  }
  afterMove(m);
  applying_ = 0;
  if (redoList_.empty()) return;
  const CardMove& next = redoList_.front();
  const bool pair = isPair(m) && m.toKind == kPileFoundation;
  if (pair || next.automatic || refilled(next)) redoStep();
}

int16_t CAppGameState::serialise(SerialiseStream& stream) {
  const bool reading = stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
  int16_t status = serialiseU16(stream, &undoCount_, 1);
  if (status < 0) return game_->report("app_game_state", 600, status);
  uint16_t n = static_cast<uint16_t>(undoList_.size() > 0xFFFF ? 0xFFFF : undoList_.size());
  status = serialiseU16(stream, &n, 1);
  if (status < 0) return game_->report("app_game_state", 604, status);
  if (reading) clear();
  for (uint16_t i = 0; i < n; ++i) {
    CardMove m = reading ? CardMove{} : undoList_[i];
    uint32_t kinds[2] = {static_cast<uint32_t>(m.fromKind), static_cast<uint32_t>(m.toKind)};
    // The turn-over byte: bit 0 turned, bit 1 automatic.
    uint8_t flags = static_cast<uint8_t>(m.turnOver | (m.automatic << 1));
    struct Field {
      int line;
      int width;
      void* value;
    };
    const Field fields[] = {{6, 1, &m.cardId}, {7, 4, &kinds[0]},   {8, 1, &m.fromIndex},
                            {9, 4, &kinds[1]}, {10, 1, &m.toIndex}, {11, 1, &flags}};
    for (const Field& f : fields) {
      status = f.width == 1 ? serialiseU8(stream, static_cast<uint8_t*>(f.value), 1)
                            : serialiseU32(stream, static_cast<uint32_t*>(f.value), 1);
      if (status < 0) return game_->report("app_object_cardmove", f.line, status);
    }
    if (!reading) continue;
    m.card = game_->card(m.cardId);
    m.fromPile = game_->pile(m.fromIndex);
    m.toPile = game_->pile(m.toIndex);
    const bool kindsMatch = m.fromPile && m.toPile && kinds[0] == static_cast<uint32_t>(m.fromPile->kind()) &&
                            kinds[1] == static_cast<uint32_t>(m.toPile->kind());
    if (!m.card || !kindsMatch) return game_->report("app_object_cardmove", 6, QZ_ERR_SIZE_MISMATCH);
    m.fromKind = static_cast<int32_t>(kinds[0]);
    m.toKind = static_cast<int32_t>(kinds[1]);
    m.turnOver = flags & 1;
    m.automatic = (flags >> 1) & 1;
    undoList_.push_back(m);
  }
  return 0;
}
