// The game clock: the playing time of a game in hundredths of a second,
// advanced once per whole second while it runs and shown on the play screen
// as hours, minutes and seconds.
#pragma once

#include <cstdint>

#include "qz_rect.h"
#include "qzf_object.h"

class CQZFGraphics;
class CQZFMetrics;
class CQZFApplication;
class CAppGameServices;

class CObjectTimer : public CQZFObject {
 public:
  static constexpr uint16_t kKind = 4096;
  // Room for "hhhhh:mm:ss" of the largest time and the terminator.
  static constexpr int kTextSize = 16;
  // The most one update adds: a minute, so a long pause costs at most that.
  static constexpr uint32_t kMaxStep = 6000;
  static constexpr uint16_t kFont = 535;

  // Stopped, with no time counted. The clock's place comes from the game's
  // layout values; without them it is neither drawn nor redrawn.
  CObjectTimer(CQZFObject* owner, const CAppGameServices* layout);

  void start();
  // Once per frame: counts the time since the last update when a new whole
  // second began with this frame.
  void update();
  void stop();
  void setElapsed(uint32_t t);
  // Draws the time, when its rectangle is dirty, centred in the clock's
  // width at the play screen's origin plus the clock's offset. Later
  // changes mark the rectangle at the origin of the last draw.
  void draw(int originX, int originY);

  bool isRunning() const { return running_ != 0; }
  uint32_t getElapsed() const { return elapsed_; }
  uint32_t getLastUpdate() const { return lastUpdate_; }

  // t in hundredths of a second as "h:mm:ss".
  static void format(uint32_t t, char16_t (&text)[kTextSize]);

  // The running flag (8 bits), then the elapsed time (32 bits).
  int16_t serialise(SerialiseStream& stream) override;

 private:
  // The clock's rectangle on the screen at the last drawn origin; false
  // without a layout.
  bool clockRect(QZRect* rect) const;
  void invalidate() const;
  uint32_t now() const;
  CQZFMetrics* metrics() const;
  CQZFGraphics* graphics() const;

  CQZFApplication* application_ = nullptr;
  const CAppGameServices* layout_ = nullptr;
  uint8_t running_ = 0;
  uint32_t lastUpdate_ = 0;
  uint32_t elapsed_ = 0;
  int originX_ = 0;
  int originY_ = 0;
};
