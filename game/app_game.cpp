#include "app_game.h"

#include <algorithm>

#include "app_card.h"
#include "app_end_game_anim.h"
#include "app_foundation_pile.h"
#include "app_hints.h"
#include "app_in_hand_pile.h"
#include "app_object_timer.h"
#include "app_random.h"
#include "app_reserve_pile.h"
#include "app_sounds.h"
#include "app_stock_pile.h"
#include "app_tableau_pile.h"
#include "qz_types.h"

namespace {

constexpr uint32_t kAutoMoveLead = 25;
constexpr uint32_t kDealStep = 25;
constexpr uint8_t kDealDuration = 100;

// Slots of the first-index bytes, in the saved game's order.
int kindSlot(AppPileKind kind) {
  switch (kind) {
    case kPileStock: return 0;
    case kPileWaste: return 1;
    case kPileFoundation: return 2;
    case kPileTableau: return 3;
    case kPileReserve: return 4;
    case kPileCell: return 5;
    default: return -1;
  }
}

}  // namespace

CAppGame::CAppGame(CQZFObject* owner, CAppGameServices* services) : CQZFObject(owner), services_(services) {
  setKind(kKind, this);
  setName("game");
  sounds_ = std::make_unique<CAppSounds>(this, services);
  definition_ = std::make_unique<CAppGameDefinition>(this);
  state_ = std::make_unique<CAppGameState>(this);
  inHand_ = std::make_unique<CAppInHandPile>(this);
  hints_ = std::make_unique<CAppHints>(this);
}

CAppGame::~CAppGame() = default;

int16_t CAppGame::report(const char* source, int line, int16_t code) {
  services_->reportError(source, line, code);
  return code;
}

int16_t CAppGame::init(int32_t type) {
  if (type < 1 || type > kGameTypeCount) return report("app_game", 118, QZ_ERR_BAD_STATE);
  type_ = type;
  definition_ = std::make_unique<CAppGameDefinition>(this);
  definition_->setup(type_, false, *services_);
  clock_ = std::make_unique<CObjectTimer>(this, services_);
  clock_->setElapsed(0);
  hints_->attach(definition_->largeCards == 0);
  newGame(false);
  return 0;
}

CAppCardPile* CAppGame::pile(int index) const {
  return index >= 0 && index < pileCount() ? piles_[static_cast<size_t>(index)].get() : nullptr;
}

CAppCard* CAppGame::card(int id) const {
  return id >= 0 && id < cardCount() ? cards_[static_cast<size_t>(id)] : nullptr;
}

int CAppGame::firstIndex(AppPileKind kind) const {
  const int slot = kindSlot(kind);
  return slot < 0 ? 0 : firstIndex_[static_cast<size_t>(slot)];
}

int CAppGame::kindCount(AppPileKind kind) const {
  switch (kind) {
    case kPileStock: return definition_->hasStock;
    case kPileWaste: return definition_->hasWaste;
    case kPileFoundation: return definition_->foundationCount();
    case kPileTableau: return definition_->tableauCount();
    case kPileReserve: return definition_->reserveCount();
    case kPileCell: return definition_->cellCount();
    default: return 0;
  }
}

CAppCardPile* CAppGame::pileOf(AppPileKind kind, int i) const {
  if (i < 0 || i >= kindCount(kind)) return nullptr;
  CAppCardPile* p = pile(firstIndex(kind) + i);
  return p && p->kind() == kind ? p : nullptr;
}

uint32_t CAppGame::resetAutoMoveTime(bool force) {
  const uint32_t now = services_->now();
  if (force || static_cast<int32_t>(now - kAutoMoveLead - autoMoveStamp_) > 0) autoMoveStamp_ = now - kAutoMoveLead;
  return now;
}

uint32_t CAppGame::advanceAnimationClock(uint32_t step) {
  autoMoveStamp_ += step;
  return autoMoveStamp_;
}

void CAppGame::addAnimatingCard(CAppCard* card) {
  // Only a card that moves joins, and only once: a second entry would step
  // it twice a frame, and a resting one would hold the table unjudged.
  if (!card || !card->isMoving() || std::find(animating_.begin(), animating_.end(), card) != animating_.end()) return;
  if (animating_.size() >= kMaxCards) return;
  animating_.push_back(card);
}

void CAppGame::finishAnimations() {
  for (CAppCard* card : animating_) card->finishSlide();
  animating_.clear();
}

void CAppGame::returnCarriedCards() {
  inHand_->returnCards();
  carriedByTap_ = 0;
}

void CAppGame::setStartFlags() {
  AppGameSettings& s = settings();
  s.noUndo = 1;
  s.noHelp = (option(kOptionMarkAll) || option(kOptionMarkUseful)) ? 0 : 1;
}

void CAppGame::rebuildDefinition() {
  const uint8_t large = definition_->largeCards;
  definition_ = std::make_unique<CAppGameDefinition>(this);
  definition_->setup(type_, false, *services_);
  if (definition_->largeCards == large) settings().rebuildFlag = 0;
}

void CAppGame::destroyTable() {
  endAnim_.reset();
  animating_.clear();
  movable_.clear();
  useful_.clear();
  dropTargets_.clear();
  piles_.clear();
  inHand_ = std::make_unique<CAppInHandPile>(this);
  state_ = std::make_unique<CAppGameState>(this);
  cards_.clear();
  cardStore_.clear();
}

void CAppGame::newGame(bool resetStartFlags) {
  services_->playSound(4007, 8, 0, 48, 30);
  services_->chooseBackground();
  keepPlaying_ = 0;
  if (resetStartFlags) setStartFlags();
  destroyTable();
  resetAutoMoveTime(true);
  if (settings().rebuildFlag) rebuildDefinition();
  dealNumber_ = settings().dealNumber[type_ - 1];
  endAnimation_ = 0;
  finished_ = 0;
  hints_ = std::make_unique<CAppHints>(this);
  hints_->attach(definition_->largeCards == 0);
  if (clock_) clock_->setElapsed(0);
  createCards();
  shuffle();
  numberCards();
  layOutAndDeal();
}

void CAppGame::createCards() {
  static constexpr int32_t kFourSuits[4] = {1, 2, 0, 3};
  static constexpr int32_t kTwoSuits[4] = {1, 2, 1, 2};
  const int32_t* suits = definition_->suitCount == 1 ? nullptr : definition_->suitCount == 2 ? kTwoSuits : kFourSuits;
  const bool large = definition_->largeCards != 0;
  for (int deck = 0; deck < definition_->deckCount; ++deck) {
    for (uint8_t rank = 1; rank <= 13; ++rank) {
      for (int k = 0; k < 4; ++k) {
        auto card = std::make_unique<CAppCard>(this);
        card->setup(suits ? suits[k] : 1, rank, large);
        cards_.push_back(card.get());
        cardStore_.push_back(std::move(card));
      }
    }
  }
}

void CAppGame::shuffle() { shuffleDeal<CAppCard*>(dealNumber_, cards_); }

void CAppGame::numberCards() {
  for (size_t i = 0; i < cards_.size(); ++i) cards_[i]->setId(static_cast<uint8_t>(i));
}

void CAppGame::placePiles(CAppStockPile& stock) {
  const CAppGameDefinition& d = *definition_;
  const bool large = d.largeCards != 0;
  const auto adopt = [&](std::unique_ptr<CAppCardPile> p, int32_t x, int32_t y) -> CAppCardPile& {
    p->setIndex(static_cast<uint8_t>(piles_.size()));
    p->place(x, y, large);
    piles_.push_back(std::move(p));
    return *piles_.back();
  };
  if (d.hasWaste) {
    firstIndex_[kindSlot(kPileWaste)] = static_cast<uint8_t>(piles_.size());
    auto waste = std::make_unique<CAppWastePile>(this);
    waste->setRules(d.waste);
    adopt(std::move(waste), d.waste.x, d.waste.y);
  }
  firstIndex_[kindSlot(kPileFoundation)] = static_cast<uint8_t>(piles_.size());
  for (const FoundationSpec& spec : d.foundations) {
    auto f = std::make_unique<CAppFoundationPile>(this);
    f->setRules(spec);
    auto& pile = static_cast<CAppFoundationPile&>(adopt(std::move(f), spec.x, spec.y));
    pile.takeSeedCard(stock);
  }
  firstIndex_[kindSlot(kPileTableau)] = static_cast<uint8_t>(piles_.size());
  for (const TableauSpec& spec : d.tableaux) {
    auto t = std::make_unique<CAppTableauPile>(this);
    t->setRules(spec);
    auto& pile = static_cast<CAppTableauPile&>(adopt(std::move(t), spec.x, spec.y));
    pile.deal(spec.dealCount, stock);
  }
  firstIndex_[kindSlot(kPileReserve)] = static_cast<uint8_t>(piles_.size());
  for (const ReserveSpec& spec : d.reserves) {
    auto r = std::make_unique<CAppReservePile>(this);
    r->setRules(spec);
    auto& pile = static_cast<CAppReservePile&>(adopt(std::move(r), spec.x, spec.y));
    pile.deal(stock);
  }
  firstIndex_[kindSlot(kPileCell)] = static_cast<uint8_t>(piles_.size());
  for (const CellSpec& spec : d.cells) adopt(std::make_unique<CAppCellPile>(this), spec.x, spec.y);
}

void CAppGame::layOutAndDeal() {
  busy_ = 1;
  firstIndex_.fill(0);
  lastDropped_ = nullptr;
  freshDeal_ = 1;
  const CAppGameDefinition& d = *definition_;
  auto stock = std::make_unique<CAppStockPile>(this);
  stock->place(d.stock.x, d.stock.y, d.largeCards != 0);
  stock->setRules(d.stock);
  stock->fill(cards_);
  placePiles(*stock);
  if (d.hasStock) {
    firstIndex_[kindSlot(kPileStock)] = static_cast<uint8_t>(piles_.size());
    stock->setIndex(static_cast<uint8_t>(piles_.size()));
    piles_.push_back(std::move(stock));
  }
  inHand_ = std::make_unique<CAppInHandPile>(this);
  inHand_->setStyle(d.largeCards != 0);
  state_ = std::make_unique<CAppGameState>(this);
  focusPile_ = d.cursorGrid[0][0] == CAppGameDefinition::kNoPile ? 0 : d.cursorGrid[0][0];
  locateFocusInGrid();
  if (CAppCardPile* s = firstPile(kPileStock)) dealSpecialFirstCard(*s);
  finishDeal();
}

void CAppGame::dealSpecialFirstCard(CAppCardPile& stock) {
  const bool firstCard = type_ == kGameGolf || type_ == kGameCanfield ||
                         (type_ == kGameFourCorners && settings().fourCornersFirstCardBase);
  CAppCardPile* first = firstPile(kPileFoundation);
  if (!firstCard || !first || stock.empty()) return;
  CAppCard* card = stock.removeTopCard();
  for (int i = 0; i < kindCount(kPileFoundation); ++i) {
    auto* f = static_cast<CAppFoundationPile*>(pileOf(kPileFoundation, i));
    FoundationSpec spec = f->rules();
    spec.baseRank = card->rank();
    f->setRules(spec);
  }
  moveCard(card, *first, option(kOptionAnimate) != 0, kDealStep, kDealDuration);
  card->turnFaceUp();
}

void CAppGame::finishDeal() {
  if (CAppCardPile* p = focusedPile(); p && keyboardMode_) p->setSelected(focusSelected_ != 0);
  if (option(kOptionAnimate)) {
    dealPending_ = 1;
    startFormsDue_ = 1;
  } else {
    settleRequested_ = 1;
    settle();
  }
  services_->resetIdleCounter();
  busy_ = 0;
}

void CAppGame::replayDeal() {
  busy_ = 1;
  keepPlaying_ = 0;
  services_->playSound(4030, 8, 0, 256, 30);
  setStartFlags();
  if (type_ == kGameCanfield || type_ == kGameFourCorners) {
    for (int i = 0; i < kindCount(kPileFoundation); ++i) {
      static_cast<CAppFoundationPile*>(pileOf(kPileFoundation, i))->setLabelShown(true);
    }
  }
  // The same cards in the same order, on a table built afresh from the rules.
  const int32_t large = definition_->largeCards;
  std::vector<CAppCard*> order = cards_;
  for (CAppCard* c : order) c->setup(c->suit(), c->rank(), large != 0);
  endAnim_.reset();
  animating_.clear();
  movable_.clear();
  useful_.clear();
  dropTargets_.clear();
  piles_.clear();
  resetAutoMoveTime(true);
  if (settings().rebuildFlag) {
    definition_ = std::make_unique<CAppGameDefinition>(this);
    definition_->setup(type_, false, *services_);
    settings().rebuildFlag = 0;
  }
  endAnimation_ = 0;
  finished_ = 0;
  if (clock_) clock_->setElapsed(0);
  layOutAndDeal();
  state_->clear();
}

void CAppGame::settle() {
  if (!settleRequested_ || inHand_->count() > 0) return;
  resetAutoMoveTime(true);
  clearPlayableMarks();
  markDropTargets(false);
  dropTargets_.clear();
  autoMoving_ = 1;
  while (autoTurnTableauTops() || autoMoveStep()) {
  }
  if (freshDeal_) state_->clear();
  if (!animating_.empty() || inHand_->count() > 0) {
    evaluationDeferred_ = 1;
  } else {
    evaluationDeferred_ = 0;
    if (isWon()) {
      if (!endAnimation_) onWon();
    } else {
      movesFound_ = findMoves();
      if (movesFound_ == 0 && !keepPlaying_ && !finished_) onNoMoves();
    }
    freshDeal_ = 0;
  }
  autoMoving_ = 0;
  showPlayableMarks(true);
  settleRequested_ = 0;
  reselectFocus();
}

bool CAppGame::allFoundationsFull() const {
  for (int i = 0; i < kindCount(kPileFoundation); ++i) {
    if (!static_cast<CAppFoundationPile*>(pileOf(kPileFoundation, i))->isFull()) return false;
  }
  return true;
}

bool CAppGame::isWon() const {
  if (inHand_->count() > 0) return false;
  if (type_ == kGamePyramid) {
    if (settings().pyramidWinByFoundation) {
      const auto* f = static_cast<CAppFoundationPile*>(firstPile(kPileFoundation));
      return f && f->count() >= f->rules().capacity;
    }
    for (int i = 0; i < kindCount(kPileReserve); ++i) {
      if (!pileOf(kPileReserve, i)->empty()) return false;
    }
    return true;
  }
  if (type_ == kGameGolf) {
    for (int i = 0; i < kindCount(kPileTableau); ++i) {
      if (!pileOf(kPileTableau, i)->empty()) return false;
    }
    return true;
  }
  if (kindCount(kPileFoundation) > 0) return allFoundationsFull();
  if (type_ == kGameClock) {
    for (int i = 0; i < kindCount(kPileReserve); ++i) {
      const CAppCardPile* r = pileOf(kPileReserve, i);
      if (r->count() != 4 || !r->topCard()->isFaceUp()) return false;
    }
  }
  for (int i = 0; i < kindCount(kPileTableau); ++i) {
    if (!static_cast<CAppTableauPile*>(pileOf(kPileTableau, i))->isComplete()) return false;
  }
  if (type_ == kGameIdiot) {
    const CAppCardPile* stock = firstPile(kPileStock);
    return !stock || stock->empty();
  }
  return true;
}

void CAppGame::onWon() {
  endAnim_ = std::make_unique<CAppEndGameAnim>(this);
  endAnim_->start(services_->random(10) < 6 ? 2 : 1);
  endAnimation_ = 1;
  finished_ = 1;
  if (clock_) clock_->stop();
  services_->recordGameResult(type_, 1, clock_ ? clock_->getElapsed() : 0, hints_->hintsShown(), state_->undoCount());
  services_->discardSavedGame(type_ - 1);
  services_->advanceDealNumber(type_ - 1);
  if (services_->topFormId() == kFormPlayScreen) services_->playSound(4008, 8, 0, 16, 128);
}

bool CAppGame::isEndAnimationDone() const { return !endAnim_ || endAnim_->isDone(); }

void CAppGame::stopEndAnimation() {
  if (endAnim_) endAnim_->stop();
}

void CAppGame::onNoMoves() {
  finished_ = 1;
  if (clock_) clock_->stop();
  services_->playSound(4009, 8, 0, 24, 30);
  services_->openForm(kFormGameOver, 0);
}

void CAppGame::undoUntilMovesAvailable() {
  finished_ = 0;
  if (clock_) clock_->start();
  while (state_->undoSize() > 0) {
    const size_t before = state_->undoSize();
    state_->undo();
    if (findMoves() > 0) break;
    // An undo that takes nothing back would loop for ever.
    if (state_->undoSize() >= before) break;
  }
  settleRequested_ = 1;
  settle();
}

void CAppGame::showStartForms() {
  if (!startFormsDue_) return;
  startFormsDue_ = 0;
  AppGameSettings& s = settings();
  if (s.tutorialPending) {
    services_->openForm(kFormTutorial, 1);
    s.tutorialPending = 0;
    setStartFlags();
  } else if (!s.instructionsShown[type_ - 1]) {
    services_->openForm(kFormInstructions, type_);
    s.instructionsShown[type_ - 1] = 1;
    setStartFlags();
  }
}

void CAppGame::finishDealAnimation() {
  finishAnimations();
  if (dealPending_) {
    dealPending_ = 0;
    showStartForms();
  }
  resetAutoMoveTime(true);
}

void CAppGame::tick() {
  if (endAnimation_) {
    if (endAnim_) endAnim_->tick();
    return;
  }
  hints_->tick();
  // A deal whose flights a save ended is still pending: it ends on this tick.
  if (animating_.empty() && !dealPending_) return;
  services_->resetIdleCounter();
  std::vector<CAppCard*> still;
  for (CAppCard* card : animating_) {
    if (card->update()) still.push_back(card);
  }
  animating_.swap(still);
  if (!animating_.empty()) return;
  if (dealPending_) {
    dealPending_ = 0;
    showStartForms();
  }
  settleRequested_ = 1;
  settle();
}
