// PLN images: any bytes load into a plane or leave it unused.
#include <cstddef>
#include <cstdint>

#include "qz_bitmap.h"
#include "qz_plane.h"
#include "qz_pln.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool started = QZStartGraphics(nullptr) == 0;
  if (!started) return 0;
  QZPlane* plane = QZGetPlane(1, true);
  if (QZLoadPlaneFromPlnBytes(plane, data, size) == 0) {
    QZDrawToPlane(1);
    QZDrawToScreen();
  }
  QZDeletePlane(1);
  return 0;
}
