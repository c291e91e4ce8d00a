// The graphics pipe: drawing commands queued in one byte buffer and run in
// order against the drawing plane of the moment of the flush. Records name
// planes by table index and blobs by id or by {set id, entry index}, so a
// plane or set released before the flush is skipped, never touched.
#pragma once

#include <cstdint>
#include <memory>

#include "qz_blob.h"
#include "qz_rect.h"

class QZGraphicsPipe {
 public:
  explicit QZGraphicsPipe(uint32_t capacity);
  ~QZGraphicsPipe();
  QZGraphicsPipe(const QZGraphicsPipe&) = delete;
  QZGraphicsPipe& operator=(const QZGraphicsPipe&) = delete;

  void reset();
  // n bytes at the write position: flushes first when full and auto-flush is
  // on; null when there is no room.
  uint8_t* allocate(uint32_t n);
  void flush();
  void setAutoFlush(bool on) { autoFlush_ = on ? 1 : 0; }

  int16_t drawBlob(int blobId, int x, int y, int flags, int level);
  int16_t drawBlobEntry(const QZBlobEntry* entry, int x, int y, int flags, int level);
  int16_t fillRect(uint16_t colour, int x, int y, int width, int height, int flags, int level);
  int16_t fillRectangle(uint16_t colour, const QZRect* rect, int flags, int level);
  int16_t fillGradient(uint16_t first, uint16_t second, int x, int y, int width, int height, int flags, int level);
  int16_t fillGradientRectangle(uint16_t first, uint16_t second, const QZRect* rect, int flags, int level);
  int16_t drawPlaneRotated(int planeId, int cx, int cy, int flags, int level, int angle);
  int16_t copyPlane(int planeId, int sx, int sy, int dx, int dy, int width, int height, int level);
  int16_t copyPlaneRectangle(int planeId, const QZRect* source, int dx, int dy, int level);

  uint32_t capacity() const { return capacity_; }
  uint32_t bytesFree() const { return bytesFree_; }

 private:
  template <typename Record>
  int16_t queue(const Record& record);
  void run(const uint8_t* record, uint32_t type);

  std::unique_ptr<uint8_t[]> start_;
  uint8_t* write_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t bytesFree_ = 0;
  uint32_t autoFlush_ = 1;
};
