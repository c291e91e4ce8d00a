// The end of a won game: the cards are thrown off their piles one by one,
// taking turns among the piles, and fly off the screen. Mode 1 lets each card
// fall and sway, faster and faster; mode 2 bursts them out in every direction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "qzf_object.h"

class CAppCard;
class CAppCardPile;
class CAppGame;

class CAppEndGameAnim : public CQZFObject {
 public:
  // Hundredths before the first card leaves.
  static constexpr uint16_t kFirstInterval = 800;

  explicit CAppEndGameAnim(CAppGame* game);

  // Takes the piles that hold cards, in pile order.
  void start(int32_t mode);
  // Every frame: the next card leaves when its time has come, and every
  // flying card moves on.
  void tick();
  // Ends the animation at once: every card thrown goes back on its pile.
  void stop();
  // No card flies and no pile that gave cards holds any more.
  bool isDone() const { return done_; }
  int32_t mode() const { return mode_; }
  // The flying cards, first launched first.
  const std::vector<CAppCard*>& flying() const { return flying_; }

 private:
  void launchFrom(CAppCardPile& pile);
  bool sourcesHoldCards() const;

  CAppGame* game_;
  int32_t mode_ = 1;
  std::vector<CAppCardPile*> sources_;
  size_t nextSource_ = 0;
  std::vector<CAppCard*> flying_;
  // Every card thrown and the pile it left, in launch order.
  std::vector<std::pair<CAppCard*, CAppCardPile*>> launched_;
  uint32_t lastLaunch_ = 0;
  uint16_t launchInterval_ = kFirstInterval;
  int cardsLeft_ = 0;
  bool done_ = false;
};
