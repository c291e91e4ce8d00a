// Pellwyn's progress screen while the program starts and stops: its picture,
// the bar's frame and the bar, clipped to the share of steps done.
#pragma once

#include <cstdint>

#include "qzf_load_screen.h"

class CAppLoadScreen : public CQZFLoadScreen {
 public:
  explicit CAppLoadScreen(CQZFObject* owner) : CQZFLoadScreen(owner) {}
  ~CAppLoadScreen() override;

  // Draws only while its three blob sets are loaded.
  void drawProgress() override;
  // Takes the application's graphics (-50 without) and loads the three sets.
  [[nodiscard]] int16_t loadImages(int flag) override;
  void releaseImages() override;
  // 100 when there are no steps, else the share of steps done.
  int getPercent() const;

 private:
  bool imagesLoaded() const;

  int loadedSets_ = 0;
};
