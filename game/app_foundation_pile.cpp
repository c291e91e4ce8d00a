#include "app_foundation_pile.h"

#include <vector>

#include "app_card.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"
#include "app_serialise_stream.h"

namespace {

constexpr uint32_t kDealStep = 25;
constexpr uint8_t kDealDuration = 100;

uint8_t wrapRank(int r) {
  const int m = r % 13;
  return static_cast<uint8_t>(m == 0 ? 13 : m);
}

}  // namespace

CAppFoundationPile::CAppFoundationPile(CAppGame* game) : CAppCardPile(game, kPileFoundation) {}

void CAppFoundationPile::setRules(const FoundationSpec& spec) {
  spec_ = spec;
  baseRank_ = spec.baseRank;
}

void CAppFoundationPile::announceCompletion() {
  if (completionAnnounced_ || spec_.capacity <= 1 || count() != spec_.capacity) return;
  const CAppCard* top = topCard();
  if (top && top->isFlying()) return;
  game_->services().playSound(4006, 8, 0, 128, 128);
  completionAnnounced_ = 1;
}

bool CAppFoundationPile::rankRule(const CAppCard& card, const CAppCard& top) const {
  if (spec_.buildSuit == 0 && card.suit() != top.suit()) return false;
  if (spec_.buildSuit == 1 && card.colour() == top.colour()) return false;
  if (game_->type() == kGameGolf && game_->settings().golfKingStops && top.rank() == 13) return false;
  if (spec_.rankStep == 0) return true;
  const int r = top.rank();
  const int s = spec_.rankStep;
  switch (spec_.buildDirection) {
    case 0: return card.rank() == wrapRank(r + s);
    case 1: {
      // A signed remainder: below the ace nothing follows unless it is 0.
      const int m = (r - s) % 13;
      if (m < 0) return false;
      return card.rank() == (m == 0 ? 13 : m);
    }
    default: {
      const int up = spec_.wrap ? wrapRank(r + s) : r + s;
      const int down = spec_.wrap ? wrapRank(r - s + 13) : r - s;
      return card.rank() == up || card.rank() == down;
    }
  }
}

bool CAppFoundationPile::canAccept(CAppCard* card) {
  if (game_->type() == kGamePyramid || count() >= spec_.capacity) return false;
  const CAppInHandPile& hand = game_->inHand();
  if (spec_.singleCards && hand.count() <= 1) {
    const CAppCard* top = topCard();
    if (!top) return card->rank() == baseRank_ && (spec_.baseSuit == 4 || card->suit() == spec_.baseSuit);
    return rankRule(*card, *top);
  }
  return acceptsRun();
}

bool CAppFoundationPile::acceptsRun() {
  CAppInHandPile& hand = game_->inHand();
  if (hand.count() != spec_.capacity) return false;
  // The hand's bottom card lay on top of the run: it must be the base card,
  // and each card above it must follow the one below.
  bool ok = true;
  for (int i = hand.count() - 1; i >= 0 && ok; --i) {
    const CAppCard* card = hand.cardFromTop(i);
    if (i == hand.count() - 1) {
      ok = card->rank() == baseRank_ && (spec_.baseSuit == 4 || card->suit() == spec_.baseSuit);
    } else {
      ok = rankRule(*card, *hand.cardFromTop(i + 1));
    }
  }
  return ok;
}

void CAppFoundationPile::activate(int32_t x, int32_t y) {
  if (empty() || !spec_.takeBack) return;
  CAppInHandPile& hand = game_->inHand();
  hand.attach(this, kPileFoundation);
  hand.placeAt(x_, y_, x - x_, y - y_);
  hand.addCard(removeTopCard());
}

void CAppFoundationPile::takeSeedCard(CAppCardPile& stock) {
  if (spec_.seedRank == 0) return;
  std::vector<CAppCard*> skipped;
  CAppCard* seed = nullptr;
  while (CAppCard* card = stock.removeTopCard()) {
    if (card->rank() == spec_.seedRank && (spec_.seedSuit == 4 || card->suit() == spec_.seedSuit)) {
      seed = card;
      break;
    }
    skipped.push_back(card);
  }
  if (seed) {
    seed->turnFaceUp();
    seed->setHome(x_, y_);
    if (game_->option(kOptionAnimate)) {
      seed->startSlide(game_->advanceAnimationClock(kDealStep), kDealDuration, false);
      game_->addAnimatingCard(seed);
    }
    addCard(seed);
  }
  for (CAppCard* card : skipped) stock.addCard(card);
}

uint8_t CAppFoundationPile::emptyLabelRank() {
  if (baseRank_ == 0) return 0;
  const bool dealtBase = game_->type() == kGameCanfield || game_->type() == kGameFourCorners;
  if (dealtBase && labelShown_ && game_->isDealPending()) return 0;
  labelShown_ = 0;
  return baseRank_;
}

int CAppFoundationPile::wantedRank() const {
  if (game_->type() != kGameCalc || !game_->settings().calcShowNextRank) return -1;
  if (game_->isFinished() && !game_->keepsPlaying()) return -1;
  const CAppCard* top = topCard();
  if (!top) return spec_.baseRank;
  if (top->rank() == 13) return -1;
  return (top->rank() + spec_.rankStep) % 13;
}

QZRect CAppFoundationPile::wantedRankStrip() const {
  const CAppGameServices& s = game_->services();
  const int16_t h = s.value(kValueExtraTop);
  return QZRect{x_, static_cast<int16_t>(y_ - h - s.value(kValueLabelHeight)), width_, h};
}

void CAppFoundationPile::rankText(int rank, char16_t (&text)[3]) {
  static constexpr char16_t kCourt[] = {u'K', u'A', 0, 0, 0, 0, 0, 0, 0, 0, 0, u'J', u'Q'};
  const int r = rank % 13;
  if (kCourt[r] != 0) {
    text[0] = kCourt[r];
    text[1] = 0;
  } else if (r < 10) {
    text[0] = static_cast<char16_t>(u'0' + r);
    text[1] = 0;
  } else {
    text[0] = u'1';
    text[1] = u'0';
    text[2] = 0;
  }
}

int16_t CAppFoundationPile::serialise(SerialiseStream& stream) {
  int16_t status = serialiseU8(stream, &completionAnnounced_, 1);
  if (status < 0) return game_->report("app_object_cardpile_foundation", 379, status);
  status = serialiseU8(stream, &baseRank_, 1);
  if (status < 0) return game_->report("app_object_cardpile_foundation", 380, status);
  return CAppCardPile::serialise(stream);
}

bool CAppCellPile::canAccept(CAppCard* card) { return empty() && game_->inHand().count() == 1; }

void CAppCellPile::activate(int32_t x, int32_t y) {
  if (empty()) return;
  CAppInHandPile& hand = game_->inHand();
  hand.attach(this, kPileCell);
  hand.placeAt(x_, y_, x - x_, y - y_);
  hand.addCard(removeTopCard());
}
