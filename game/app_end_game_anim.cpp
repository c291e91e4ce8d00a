#include "app_end_game_anim.h"

#include <algorithm>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_game.h"
#include "app_sounds.h"

CAppEndGameAnim::CAppEndGameAnim(CAppGame* game) : CQZFObject(game), game_(game) {}

void CAppEndGameAnim::start(int32_t mode) {
  mode_ = mode;
  sources_.clear();
  for (int i = 0; i < game_->pileCount() && sources_.size() < CAppGame::kMaxPiles; ++i) {
    if (!game_->pile(i)->empty()) sources_.push_back(game_->pile(i));
  }
  cardsLeft_ = game_->cardCount();
  lastLaunch_ = game_->services().now();
  launchInterval_ = kFirstInterval;
  done_ = sources_.empty();
}

bool CAppEndGameAnim::sourcesHoldCards() const {
  return std::any_of(sources_.begin(), sources_.end(), [](const CAppCardPile* p) { return !p->empty(); });
}

void CAppEndGameAnim::launchFrom(CAppCardPile& pile) {
  CAppGameServices& s = game_->services();
  CAppCard* card = pile.removeTopCard();
  if (!card) return;
  int32_t vx = 0, vy = 0, ax = 0, ay = 0;
  if (mode_ == 1) {
    launchInterval_ = static_cast<uint16_t>(s.random(cardsLeft_));
    vx = s.random(10) - 5;
    vy = s.random(3);
    game_->sounds().playLaunch();
    ax = -1;
    ay = 3;
  } else {
    launchInterval_ = 0;
    const int h = s.random(7);
    if (s.random(2) == 1) {
      ax = -(s.random(2) + 1);
      vx = -(h + 2);
    } else {
      ax = s.random(2) + 1;
      vx = h + 2;
    }
    const int l = s.random(6);
    if (s.random(2) == 1) {
      ay = -(s.random(4) + 1);
      vy = -(l + 2);
    } else {
      ay = s.random(4) + 1;
      vy = l + 2;
    }
    game_->sounds().playPlace(s.random(5));
  }
  card->setSelected(false);
  card->setMarked(false);
  card->launch(vx, vy, ax, ay, mode_);
  flying_.push_back(card);
  launched_.emplace_back(card, &pile);
}

void CAppEndGameAnim::tick() {
  if (done_) return;
  const uint32_t now = game_->services().now();
  if (!sources_.empty() && now - lastLaunch_ > launchInterval_) {
    nextSource_ = (nextSource_ + 1) % sources_.size();
    // A pile that has run empty gives nothing this time.
    if (CAppCardPile* pile = sources_[nextSource_]; !pile->empty()) {
      lastLaunch_ = now;
      if (cardsLeft_ > 0) --cardsLeft_;
      launchFrom(*pile);
    }
  }
  std::vector<CAppCard*> still;
  for (CAppCard* card : flying_) {
    if (card->stepFlight()) still.push_back(card);
  }
  flying_.swap(still);
  if (flying_.empty() && !sourcesHoldCards()) done_ = true;
  game_->services().resetIdleCounter();
}

void CAppEndGameAnim::stop() {
  for (auto it = launched_.rbegin(); it != launched_.rend(); ++it) {
    it->second->addCard(it->first);
    it->first->finishSlide();
  }
  launched_.clear();
  flying_.clear();
  done_ = true;
}
