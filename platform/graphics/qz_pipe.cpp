#include "qz_pipe.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "qz_blit.h"
#include "qz_fill.h"
#include "qz_plane.h"
#include "qz_sine.h"

namespace {

enum : uint32_t { kBlob = 1, kFill = 2, kRotated = 3, kCopy = 4, kGradient = 5 };
constexpr uint16_t kByEntry = 1;

#pragma pack(push, 1)
struct BlobRecord {
  uint32_t type, length;
  uint32_t reference;  // blob id, or set id << 16 | entry index with kByEntry
  uint16_t flags;
  int16_t x, y, level;
};
struct FillRecord {
  uint32_t type, length;
  uint32_t colour;
  int16_t x, y, width, height;
  uint16_t flags;
  int16_t level;
};
struct RotatedRecord {
  uint32_t type, length;
  int32_t plane;  // table index
  int16_t cx, cy;
  uint16_t flags;
  int16_t level, sine, cosine, angle, unused;
};
struct CopyRecord {
  uint32_t type, length;
  int32_t plane;
  int16_t sx, sy, dx, dy, width, height, level, unused;
};
struct GradientRecord {
  uint32_t type, length;
  uint32_t first, second;
  int16_t x, y, width, height;
  uint16_t flags;
  int16_t level;
};
#pragma pack(pop)
static_assert(sizeof(BlobRecord) == 20 && sizeof(FillRecord) == 24 && sizeof(RotatedRecord) == 28 &&
              sizeof(CopyRecord) == 28 && sizeof(GradientRecord) == 28);

template <typename T>
T read(const uint8_t* p) {
  T r;
  std::memcpy(&r, p, sizeof r);
  return r;
}

int16_t s16(int v) { return static_cast<int16_t>(v); }

}  // namespace

QZGraphicsPipe::QZGraphicsPipe(uint32_t capacity)
    : start_(new (std::nothrow) uint8_t[capacity ? capacity : 1]), capacity_(start_ ? capacity : 0) {
  reset();
}

QZGraphicsPipe::~QZGraphicsPipe() = default;

void QZGraphicsPipe::reset() {
  write_ = start_.get();
  bytesFree_ = capacity_;
}

uint8_t* QZGraphicsPipe::allocate(uint32_t n) {
  if (bytesFree_ < n) {
    if (!autoFlush_) return nullptr;
    flush();
    if (bytesFree_ < n) return nullptr;
  }
  uint8_t* at = write_;
  write_ += n;
  bytesFree_ -= n;
  return at;
}

template <typename Record>
int16_t QZGraphicsPipe::queue(const Record& record) {
  uint8_t* at = allocate(sizeof(Record));
  if (!at) return -2;
  std::memcpy(at, &record, sizeof(Record));
  return 0;
}

int16_t QZGraphicsPipe::drawBlob(int blobId, int x, int y, int flags, int level) {
  if (level == 0) return 0;
  return queue(BlobRecord{kBlob, sizeof(BlobRecord), static_cast<uint16_t>(blobId),
                          static_cast<uint16_t>(flags & ~kByEntry), s16(x), s16(y), s16(level)});
}

int16_t QZGraphicsPipe::drawBlobEntry(const QZBlobEntry* entry, int x, int y, int flags, int level) {
  if (level == 0) return 0;
  uint32_t handle = 0;
  if (!QZBlobEntryHandle(entry, &handle)) return 0;
  return queue(BlobRecord{kBlob, sizeof(BlobRecord), handle, static_cast<uint16_t>(flags | kByEntry), s16(x), s16(y),
                          s16(level)});
}

int16_t QZGraphicsPipe::fillRect(uint16_t colour, int x, int y, int width, int height, int flags, int level) {
  if (level == 0) return 0;
  return queue(FillRecord{kFill, sizeof(FillRecord), colour, s16(x), s16(y), s16(width), s16(height),
                          static_cast<uint16_t>(flags), s16(level)});
}

int16_t QZGraphicsPipe::fillRectangle(uint16_t colour, const QZRect* r, int flags, int level) {
  return fillRect(colour, r->x, r->y, r->w, r->h, flags, level);
}

int16_t QZGraphicsPipe::fillGradient(uint16_t first, uint16_t second, int x, int y, int width, int height, int flags,
                                     int level) {
  if (level == 0) return 0;
  return queue(GradientRecord{kGradient, sizeof(GradientRecord), first, second, s16(x), s16(y), s16(width),
                              s16(height), static_cast<uint16_t>(flags), s16(level)});
}

int16_t QZGraphicsPipe::fillGradientRectangle(uint16_t first, uint16_t second, const QZRect* r, int flags,
                                              int level) {
  return fillGradient(first, second, r->x, r->y, r->w, r->h, flags, level);
}

int16_t QZGraphicsPipe::drawPlaneRotated(int planeId, int cx, int cy, int flags, int level, int angle) {
  if (angle < 0 || angle > 255 || level == 0 || !QZGetPlane(planeId, false)) return 0;
  return queue(RotatedRecord{kRotated, sizeof(RotatedRecord), QZPlaneIndex(planeId), s16(cx), s16(cy),
                             static_cast<uint16_t>(flags), s16(level), QZSineTable[angle].sine,
                             s16(-QZSineTable[angle].negCosine), s16(angle), 0});
}

int16_t QZGraphicsPipe::copyPlane(int planeId, int sx, int sy, int dx, int dy, int width, int height, int level) {
  if (!QZGetPlane(planeId, false)) return 0;
  return queue(CopyRecord{kCopy, sizeof(CopyRecord), QZPlaneIndex(planeId), s16(sx), s16(sy), s16(dx), s16(dy),
                          s16(width), s16(height), s16(level), 0});
}

int16_t QZGraphicsPipe::copyPlaneRectangle(int planeId, const QZRect* s, int dx, int dy, int level) {
  return copyPlane(planeId, s->x, s->y, dx, dy, s->w, s->h, level);
}

void QZGraphicsPipe::run(const uint8_t* p, uint32_t type) {
  const QZPlane* dest = QZGetDrawPlane();
  const int planeWidth = dest ? dest->width : 0, planeHeight = dest ? dest->height : 0;
  switch (type) {
    case kBlob: {
      const auto r = read<BlobRecord>(p);
      if (r.flags & kByEntry) {
        QZDrawBlobEntry(QZBlobEntryFromHandle(r.reference), r.x, r.y, r.flags & ~kByEntry, r.level);
      } else {
        QZDrawBlob(static_cast<int>(r.reference), r.x, r.y, r.flags, r.level);
      }
      break;
    }
    case kFill: {
      const auto r = read<FillRecord>(p);
      QZLLFill16BPP(std::max<int>(r.x, 0), std::max<int>(r.y, 0), std::min(planeWidth, r.x + r.width),
                    std::min(planeHeight, r.y + r.height), static_cast<uint16_t>(r.colour), r.flags, r.level);
      break;
    }
    case kGradient: {
      const auto r = read<GradientRecord>(p);
      QZFillGradient16BPP(std::max<int>(r.x, 0), std::max<int>(r.y, 0), std::min(planeWidth, r.x + r.width),
                          std::min(planeHeight, r.y + r.height), static_cast<uint16_t>(r.first),
                          static_cast<uint16_t>(r.second), r.flags, r.level);
      break;
    }
    case kRotated: {
      const auto r = read<RotatedRecord>(p);
      const QZPlane* plane = QZGetPlane(r.plane, false);
      if (!plane) break;
      if (r.sine != 0 || r.cosine != 256 || r.level < 255 || r.flags != 0) {
        QZDrawPlaneRotated(plane, r.cx, r.cy, r.sine, r.cosine, r.level, r.flags);
      } else {
        QZSpriteDraw(plane, 0, 0, r.cx - plane->width / 2, r.cy - plane->height / 2, plane->width, plane->height);
      }
      break;
    }
    case kCopy: {
      const auto r = read<CopyRecord>(p);
      QZSpriteDraw(QZGetPlane(r.plane, false), r.sx, r.sy, r.dx, r.dy, r.width, r.height);
      break;
    }
    default:
      break;
  }
}

void QZGraphicsPipe::flush() {
  const uint8_t* p = start_.get();
  const uint8_t* end = write_;
  while (p + 8 <= end) {
    const auto type = read<uint32_t>(p);
    const auto length = read<uint32_t>(p + 4);
    if (length < 8 || length > static_cast<size_t>(end - p)) break;
    run(p, type);
    p += length;
  }
  reset();
}
