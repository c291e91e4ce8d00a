#include "solve_table.h"

#include "app_card.h"
#include "app_foundation_pile.h"
#include "app_in_hand_pile.h"
#include "app_play_services.h"
#include "app_stock_pile.h"

namespace {

constexpr int kLayoutEntries = 256;
// Frames of the play screen, in hundredths of a second.
constexpr uint32_t kFrame = 2;
constexpr uint32_t kLongestFlight = 60000;
// The pen takes a card this far below its top edge: inside the strip a fan leaves visible.
constexpr int32_t kGrabDepth = 4;

const char* keyName(int key) {
  switch (key) {
    case CAppGame::kKeyLeft: return "left";
    case CAppGame::kKeyRight: return "right";
    case CAppGame::kKeyUp: return "up";
    case CAppGame::kKeyDown: return "down";
    default: return "action";
  }
}

}  // namespace

std::string SolveStep::scriptLine() const {
  switch (kind) {
    case Kind::kTap: return "tap " + std::to_string(x1) + " " + std::to_string(y1);
    case Kind::kDrag:
      return "drag " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
             std::to_string(y2);
    default: return std::string("key press ") + keyName(key);
  }
}

SolveTable::SolveTable(int32_t type, uint32_t deal, bool marks, bool animate) {
  for (int entry = 0; entry < kLayoutEntries; ++entry) {
    if (const int16_t v = AppGameLayoutValue(entry); v != 0) services_.setValue(entry, v);
  }
  AppGameSettings& s = services_.settings();
  s.tutorialPending = 0;
  s.dealNumber[type - 1] = deal;
  s.currentGameType = type;
  s.instructionsShown[type - 1] = 1;
  if (!animate) services_.stillPlay();
  s.options[type - 1][kOptionMarkUseful] = marks ? 1 : 0;
  game_ = std::make_unique<CAppGame>(nullptr, &services_);
  static_cast<void>(game_->init(type));
  if (animate) settleFlights();
}

void SolveTable::play(const SolveStep& step) {
  services_.forms.clear();
  switch (step.kind) {
    case SolveStep::Kind::kTap:
      game_->onPenDown(step.x1, step.y1);
      game_->onPenUp(step.x1, step.y1);
      break;
    case SolveStep::Kind::kDrag:
      game_->onPenDown(step.x1, step.y1);
      game_->onPenMove(step.x2, step.y2);
      game_->onPenUp(step.x2, step.y2);
      break;
    case SolveStep::Kind::kKey:
      if (step.key == SolveStep::kActionKey) game_->onAction();
      else game_->onKey(step.key);
      break;
  }
}

uint32_t SolveTable::settleFlights() {
  uint32_t spent = 0;
  while ((game_->animatingCount() > 0 || game_->isDealPending()) && spent < kLongestFlight) {
    services_.advanceTime(kFrame);
    spent += kFrame;
    game_->tick();
  }
  return spent;
}

std::vector<uint8_t> SolveTable::save() const {
  std::vector<uint8_t> bytes;
  static_cast<void>(game_->saveToBytes(bytes));
  return bytes;
}

void SolveTable::load(const std::vector<uint8_t>& bytes) {
  static_cast<void>(game_->loadFromBytes(bytes));
  services_.forms.clear();
}

std::string SolveTable::position() const {
  std::string key;
  for (int i = 0; i < game_->pileCount(); ++i) {
    const CAppCardPile& p = *game_->pile(i);
    key += static_cast<char>(p.count());
    for (int k = 0; k < p.count(); ++k) {
      const CAppCard* c = p.cardFromBottom(k);
      key += static_cast<char>(c->id());
      key += c->isFaceUp() ? 'u' : 'd';
    }
  }
  if (const auto* stock = static_cast<const CAppStockPile*>(game_->firstPile(kPileStock))) {
    key += static_cast<char>(stock->redeals());
  }
  return key;
}

bool SolveTable::isLost() const {
  for (int form : services_.forms) {
    if (form == kFormGameOver) return true;
  }
  return false;
}

int SolveTable::foundationCards() const {
  int n = 0;
  for (int i = 0; i < game_->kindCount(kPileFoundation); ++i) n += game_->pileOf(kPileFoundation, i)->count();
  return n;
}

namespace {

// The face-up column cards lying on a face-up card for which test(below, card) holds.
template <class Test>
int faceUpPairs(const CAppGame& game, Test test) {
  int n = 0;
  for (int i = 0; i < game.kindCount(kPileTableau); ++i) {
    const CAppCardPile& p = *game.pileOf(kPileTableau, i);
    for (int k = 1; k < p.count(); ++k) {
      const CAppCard& below = *p.cardFromBottom(k - 1);
      const CAppCard& card = *p.cardFromBottom(k);
      n += below.isFaceUp() && card.isFaceUp() && test(below, card) ? 1 : 0;
    }
  }
  return n;
}

// How many cards the foundations building up by their steps take before
// this rank's card (suits aside); 13 when none takes it.
int cardsBefore(const CAppGame& game, uint8_t rank) {
  int best = 13;
  for (int i = 0; i < game.kindCount(kPileFoundation); ++i) {
    const auto* f = static_cast<const CAppFoundationPile*>(game.pileOf(kPileFoundation, i));
    const FoundationSpec& spec = f->rules();
    if (spec.buildDirection != 0 || !spec.singleCards || f->count() >= spec.capacity) continue;
    const CAppCard* top = f->topCard();
    int next = top ? (top->rank() - 1 + spec.rankStep) % 13 + 1 : f->baseRank();
    for (int k = 0; k < best && k < spec.capacity - f->count(); ++k) {
      if (next == rank) best = k;
      next = (next - 1 + spec.rankStep) % 13 + 1;
    }
  }
  return best;
}

}  // namespace

int SolveTable::builtCards() const {
  return faceUpPairs(*game_,
                     [](const CAppCard& below, const CAppCard& card) { return below.rank() == card.rank() + 1; });
}

int SolveTable::blockingCards() const {
  const CAppGame& game = *game_;
  return faceUpPairs(game, [&game](const CAppCard& below, const CAppCard& card) {
    return cardsBefore(game, below.rank()) < cardsBefore(game, card.rank());
  });
}

int SolveTable::freePlaces() const {
  int n = 0;
  for (int i = 0; i < game_->pileCount(); ++i) {
    const CAppCardPile& p = *game_->pile(i);
    n += (p.kind() == kPileCell || p.kind() == kPileTableau) && p.empty() ? 1 : 0;
  }
  return n;
}

int SolveTable::faceUpCards() const {
  int n = 0;
  for (int i = 0; i < game_->pileCount(); ++i) {
    const CAppCardPile& p = *game_->pile(i);
    if (p.kind() == kPileStock || p.kind() == kPileWaste) continue;
    for (int k = 0; k < p.count(); ++k) n += p.cardFromBottom(k)->isFaceUp() ? 1 : 0;
  }
  return n;
}

void SolveTable::grabPoint(const CAppCard& card, int32_t& x, int32_t& y) {
  x = card.x() + card.width() / 2;
  y = card.y() + kGrabDepth;
}

// On the top card's strip, as the piles that overlap (the pyramid's rows)
// leave that part of it to the card alone; an empty pile in its middle.
void SolveTable::dropPoint(const CAppCardPile& pile, int32_t& x, int32_t& y) {
  if (const CAppCard* top = pile.topCard()) {
    grabPoint(*top, x, y);
    return;
  }
  x = pile.x() + pile.width() / 2;
  y = pile.y() + pile.height() / 2;
}
