#include "qzf_load_screen.h"

void CQZFLoadScreen::step() {
  if (current_ < total_) ++current_;
  drawProgress();
}
