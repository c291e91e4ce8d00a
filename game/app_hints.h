// The hint marker: the cards the move search found, shown one at a time by
// a marker that fades in, holds and fades out; the stock when nothing else
// can move. The number of requests is saved with the game.
#pragma once

#include <cstdint>
#include <vector>

#include "qzf_object.h"

class CAppCard;
class CAppGame;

class CAppHints : public CQZFObject {
 public:
  static constexpr int kMaxCandidates = 50;
  static constexpr uint16_t kMarkerImage = 1244;

  explicit CAppHints(CAppGame* game);

  // Takes the marker offsets for small cards when asked.
  void attach(bool reloadOffsets);
  void addCandidate(CAppCard* card);
  void clear();
  // The next candidate, or the stock while it can still turn; counts every request.
  void showNext();
  // One frame of the marker's fade.
  void tick();

  bool isVisible() const { return fadingIn_ || holding_ || fadingOut_; }
  int16_t markerX() const { return markerX_; }
  int16_t markerY() const { return markerY_; }
  uint8_t level() const { return level_; }
  uint8_t frame() const { return frame_; }
  int candidateCount() const { return static_cast<int>(candidates_.size()); }
  uint16_t hintsShown() const { return hintsShown_; }

  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  void start(int32_t x, int32_t y);

  CAppGame* game_;
  std::vector<CAppCard*> candidates_;
  uint8_t nextCandidate_ = 0;
  uint32_t lastStep_ = 0;
  uint8_t stepInterval_ = 4;
  uint8_t level_ = 0;
  uint8_t holdRounds_ = 0;
  uint8_t fadingIn_ = 0, holding_ = 0, fadingOut_ = 0;
  uint8_t frame_ = 0;
  int16_t markerX_ = 0, markerY_ = 0;
  uint8_t offsetX_ = 0, offsetY_ = 0;
  uint16_t hintsShown_ = 0;
};
