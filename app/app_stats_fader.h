// Four facts about the chosen game on the title screen, one line at a time:
// a heading and a fact fade in, stay two seconds, fade out, and the next
// line follows. Choosing another game starts again at the first line.
#pragma once

#include <cstdint>

#include "qz_rect.h"
#include "qzf_object.h"

class CAppApplication;

class CAppStatsFader : public CQZFObject {
 public:
  static constexpr int kLines = 4;
  static constexpr uint32_t kFadeTime = 1200;
  static constexpr uint32_t kHoldTime = 200;
  static constexpr uint16_t kFont = 388;

  explicit CAppStatsFader(CQZFObject* owner) : CQZFObject(owner) {}

  [[nodiscard]] int16_t init(int32_t gameType);
  // The game's facts from the first line on, fading in from the level shown now.
  void setGameType(int32_t gameType);
  void update();
  void draw() const;
  void invalidate() const;

  int getLine() const { return line_; }
  uint8_t getLevel() const { return level_; }
  bool isFadingIn() const { return fadingIn_; }
  bool isFadingOut() const { return fadingOut_; }

 private:
  QZRect area() const;

  CAppApplication* app_ = nullptr;
  uint16_t facts_[kLines] = {};
  uint8_t line_ = 0;
  uint32_t phaseStart_ = 0;
  uint8_t level_ = 0;
  bool fadingIn_ = false;
  bool fadingOut_ = false;
};
