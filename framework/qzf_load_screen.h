// The base of the start-up progress screen: the application's start and stop
// advance it one step per manager; the derived screen draws the progress.
#pragma once

#include <cstdint>

#include "qzf_object.h"

class CQZFGraphics;

class CQZFLoadScreen : public CQZFObject {
 public:
  // The kind stays unset: nothing searches for the load screen.
  explicit CQZFLoadScreen(CQZFObject* owner = nullptr) : CQZFObject(owner) {}

  virtual void drawProgress() = 0;
  [[nodiscard]] virtual int16_t loadImages(int flag) = 0;
  virtual void releaseImages() = 0;

  // One step more, never past the total; then the progress is drawn.
  void step();
  void addSteps(uint16_t count) { total_ = static_cast<uint16_t>(total_ + count); }
  uint16_t getTotal() const { return total_; }
  uint16_t getCurrent() const { return current_; }

 protected:
  void setGraphics(CQZFGraphics* graphics) { graphics_ = graphics; }
  CQZFGraphics* getGraphics() const { return graphics_; }

 private:
  uint16_t total_ = 0;
  uint16_t current_ = 0;
  CQZFGraphics* graphics_ = nullptr;
};
