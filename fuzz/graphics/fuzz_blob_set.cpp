// Blob sets: any bytes decode into a set or none; every decoded blob draws
// inside the plane, flipped, clipped and blended, and answers hit tests.
#include <cstddef>
#include <cstdint>

#include "qz_blob.h"
#include "qz_plane.h"
#include "qz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool started = QZStartGraphics(nullptr) == 0 && QZCreateScreenPlane(48, 40) == 0;
  if (!started) return 0;
  QZBlobSet set;
  if (set.decode(data, size) != 0) return 0;
  for (int i = 0; i < set.count && i < 64; ++i) {
    const QZBlobEntry* e = &set.entries[i];
    for (int flags : {0, 0x0800, 0x1000, 0x1800 | 0x4000}) {
      QZDrawBlobEntry(e, -e->width / 2, -e->height / 2, flags, 256);
      QZDrawBlobEntry(e, 40, 30, flags, 100);
    }
    QZClipBlobsToRectangle(5, 5, 20, 10);
    QZDrawBlobEntry(e, 3, 3, 0, 256);
    QZClipBlobsToPlane();
    QZDrawBlob(e->id, 0, 0, 0x2000, 256);
    for (int px = -1; px <= e->width + 1 && px < 64; ++px) QZCheckForPointInBlob(e->id, 0, 0, px, e->height / 2);
  }
  return 0;
}
