#include "qz_blob.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "qz_bitmap.h"
#include "qz_colour.h"
#include "qz_plane.h"
#include "qz_types.h"

namespace {

struct BlobState {
  std::vector<QZBlobEntry*> map;
  std::vector<std::unique_ptr<QZBlobSet>> slots;
  int clipMode = 1;
  QZRect clipRect{};
};

BlobState& state() {
  static BlobState s;
  return s;
}

void clearMapFor(const QZBlobSet* set) {
  for (QZBlobEntry*& slot : state().map) {
    if (slot && slot >= set->entries.get() && slot < set->entries.get() + set->count) slot = nullptr;
  }
}

void registerEntry(QZBlobEntry* e) {
  if (e->id >= 0 && static_cast<size_t>(e->id) < state().map.size()) state().map[e->id] = e;
}

enum class Mode { Copy, Blend, Add };

struct PixelOp {
  Mode mode;
  uint32_t factor;
};

// A card row is a few dozen pixels: copied inline in 16-byte pieces (the
// last one overlapping), it costs less than the call into the library's
// copy, which long rows still take.
inline void copyRow(uint16_t* d, const uint16_t* s, int n) {
  const size_t bytes = static_cast<size_t>(n) * 2;
  auto* to = reinterpret_cast<uint8_t*>(d);
  const auto* from = reinterpret_cast<const uint8_t*>(s);
  if (bytes > 256) {
    std::memcpy(to, from, bytes);
  } else if (bytes >= 16) {
    using Piece = uint8_t __attribute__((vector_size(16)));
    Piece last;
    std::memcpy(&last, from + bytes - 16, 16);
    for (size_t i = 0; i + 16 < bytes; i += 16) {
      Piece p;
      std::memcpy(&p, from + i, 16);
      std::memcpy(to + i, &p, 16);
    }
    std::memcpy(to + bytes - 16, &last, 16);
  } else if (bytes >= 8) {
    uint64_t a, b;
    std::memcpy(&a, from, 8);
    std::memcpy(&b, from + bytes - 8, 8);
    std::memcpy(to, &a, 8);
    std::memcpy(to + bytes - 8, &b, 8);
  } else {
    for (int i = 0; i < n; ++i) d[i] = s[i];
  }
}

inline void drawSpan(uint16_t* d, ptrdiff_t step, const uint16_t* s, int n, const PixelOp& op) {
  switch (op.mode) {
    case Mode::Copy:
      if (step == 1) {
        copyRow(d, s, n);
      } else {
        for (int i = 0; i < n; ++i, d += step) *d = s[i];
      }
      break;
    case Mode::Blend:
      for (int i = 0; i < n; ++i, d += step) *d = QZBlendPixel(*d, QZSplit(s[i]), op.factor);
      break;
    case Mode::Add:
      for (int i = 0; i < n; ++i, d += step) *d = QZAddPixel(*d, QZSplit(s[i]), op.factor);
      break;
  }
}

// The usual card draw: opaque, unflipped, whole rows wide, no hit mask. The
// same walk over the runs as the general loop below, without its per-span
// clipping and mode choice. `dst` is where row r0 starts.
void copyMaskedRows(const QZBlobEntry* e, uint16_t* dst, ptrdiff_t pitch, int r0, int r1) {
  const uint8_t* mask = e->mask;
  const uint16_t* src = e->pixels;
  const int w = e->width;
  bool opaque = false;
  for (int r = 0; r < r1; ++r) {
    uint16_t* row = dst + static_cast<ptrdiff_t>(r - r0) * pitch;
    const bool drawn = r >= r0;
    for (int col = 0; col < w;) {
      const int run = *mask++;
      if (opaque) {
        if (drawn) copyRow(row + col, src, run);
        src += run;
      }
      col += run;
      opaque = !opaque;
    }
  }
}

inline void clearSpan(uint16_t* d, ptrdiff_t step, int n) {
  for (int i = 0; i < n; ++i, d += step) *d = 0;
}

}  // namespace

QZBlobSet::~QZBlobSet() { unload(); }

int16_t QZBlobSet::load(int resourceId) {
  std::vector<uint8_t> bytes;
  if (QZReadGraphicsResource(QZFourCC('a', 'B', 'S', 'T'), resourceId, &bytes) < 0) return QZ_ERR_NO_RESOURCE;
  if (QZGetScreenDepth() != 16 || bytes.empty()) return QZ_ERR_GENERAL;
  return decode(bytes.data(), bytes.size());
}

int16_t QZBlobSet::decode(const uint8_t* b, size_t size) {
  unload();
  QZBlobSetData decoded;
  if (const int16_t r = QZDecodeBlobSet(b, size, &decoded); r < 0) return r;
  entries = std::move(decoded.entries);
  data = std::move(decoded.block);
  dataSize = decoded.dataSize;
  count = decoded.count;
  for (int i = 0; i < count; ++i) registerEntry(&entries[i]);
  return 0;
}

int16_t QZBlobSet::unload() {
  if (!entries) return 0;
  clearMapFor(this);
  entries.reset();
  data.reset();
  dataSize = 0;
  count = 0;
  return 0;
}

std::unique_ptr<QZBlobSet> QZBlobSet::copy(int newSetId, int firstId) const {
  auto set = std::make_unique<QZBlobSet>();
  set->setId = static_cast<int16_t>(newSetId);
  set->data.reset(new (std::nothrow) uint16_t[dataSize / 2 + 1]());
  set->entries.reset(new (std::nothrow) QZBlobEntry[count > 0 ? count : 1]());
  if (!set->data || !set->entries) return nullptr;
  set->dataSize = dataSize;
  set->count = count;
  const auto* from = reinterpret_cast<const uint8_t*>(data.get());
  auto* to = reinterpret_cast<uint8_t*>(set->data.get());
  if (dataSize) std::memcpy(to, from, dataSize);
  for (int i = 0; i < count; ++i) {
    QZBlobEntry& e = set->entries[i];
    e = entries[i];
    e.pixels = reinterpret_cast<uint16_t*>(to + (reinterpret_cast<const uint8_t*>(entries[i].pixels) - from));
    if (e.mask) e.mask = to + (entries[i].mask - from);
    e.id = static_cast<int16_t>(firstId + i);
    registerEntry(&e);
  }
  return set;
}

int16_t QZStartGraphicsBlob() {
  QZStopGraphicsBlob();
  const QZGraphicsConfig& c = QZGetGraphicsConfig();
  try {
    state().map.assign(c.blobMapSize > 0 ? c.blobMapSize : 64, nullptr);
    state().slots.resize(c.blobSetCount > 0 ? c.blobSetCount : 32);
  } catch (const std::bad_alloc&) {
    return QZ_ERR_NO_MEMORY;
  }
  state().clipMode = 1;
  return 0;
}

void QZStopGraphicsBlob() {
  state().slots.clear();
  state().map.clear();
}

QZBlobEntry* QZGetBlobEntry(int blobId) {
  const size_t index = static_cast<size_t>(blobId & 0x7FF);
  return index < state().map.size() ? state().map[index] : nullptr;
}

QZBlobSet* QZFindBlobSet(int setId) {
  for (const std::unique_ptr<QZBlobSet>& set : state().slots) {
    if (set && set->setId == setId) return set.get();
  }
  return nullptr;
}

bool QZBlobEntryHandle(const QZBlobEntry* entry, uint32_t* handle) {
  for (const std::unique_ptr<QZBlobSet>& set : state().slots) {
    if (set && entry >= set->entries.get() && entry < set->entries.get() + set->count) {
      *handle = (static_cast<uint32_t>(static_cast<uint16_t>(set->setId)) << 16) |
                static_cast<uint32_t>(entry - set->entries.get());
      return true;
    }
  }
  return false;
}

QZBlobEntry* QZBlobEntryFromHandle(uint32_t handle) {
  const QZBlobSet* set = QZFindBlobSet(static_cast<int16_t>(handle >> 16));
  const uint32_t index = handle & 0xFFFF;
  return set && index < static_cast<uint32_t>(set->count) ? &set->entries[index] : nullptr;
}

int16_t QZAddBlobSet(std::unique_ptr<QZBlobSet> set) {
  for (std::unique_ptr<QZBlobSet>& slot : state().slots) {
    if (!slot) {
      slot = std::move(set);
      return 0;
    }
  }
  return QZ_ERR_NO_ROOM;
}

int16_t QZRemoveBlobSet(const QZBlobSet* set) {
  for (std::unique_ptr<QZBlobSet>& slot : state().slots) {
    if (slot && slot.get() == set) {
      slot.reset();
      return 0;
    }
  }
  return QZ_ERR_NO_ROOM;
}

int16_t QZCheckBlobSet(int setId) { return QZFindBlobSet(setId) ? 0 : QZ_ERR_GENERAL; }

int16_t QZLoadBlobSet(int setId, int) {
  if (QZFindBlobSet(setId)) return 0;
  auto set = std::make_unique<QZBlobSet>();
  if (const int16_t r = set->load(setId); r < 0) return r;
  set->setId = static_cast<int16_t>(setId);
  return QZAddBlobSet(std::move(set));
}

int16_t QZUnloadBlobSet(int setId) {
  const QZBlobSet* set = QZFindBlobSet(setId);
  if (!set) return QZ_ERR_GENERAL;
  return QZRemoveBlobSet(set);
}

int16_t QZCopyBlobSet(int sourceSetId, int newSetId, int firstBlobId) {
  const QZBlobSet* source = QZFindBlobSet(sourceSetId);
  if (!source) return QZ_ERR_NO_RESOURCE;
  if (QZFindBlobSet(newSetId)) return 0;
  std::unique_ptr<QZBlobSet> set = source->copy(newSetId, firstBlobId);
  if (!set) return QZ_ERR_NO_ROOM;
  return QZAddBlobSet(std::move(set));
}


int16_t QZTintBlobSet(int setId, int red, int green, int blue, int keySetId, uint16_t keyColour) {
  QZBlobSet* set = QZFindBlobSet(setId);
  if (!set) return QZ_ERR_NO_RESOURCE;
  const QZBlobSet* key = nullptr;
  if (keySetId != -1) {
    key = QZFindBlobSet(keySetId);
    if (!key) return QZ_ERR_NO_RESOURCE;
    if (key->count != set->count) return QZ_ERR_GENERAL;
  }
  for (int i = 0; i < set->count; ++i) {
    QZBlobEntry& e = set->entries[i];
    if (key && key->entries[i].pixelBytes != e.pixelBytes) continue;
    const uint16_t* keyPixels = key ? key->entries[i].pixels : nullptr;
    for (uint32_t k = 0; k < e.pixelBytes / 2; ++k) {
      if (!keyPixels || keyPixels[k] == keyColour) e.pixels[k] = QZTintRGB565(e.pixels[k], red, green, blue);
    }
  }
  return 0;
}

void QZRenderBlob(const QZBlobEntry* e, int x, int y, int flags, int level, const QZRect* part) {
  QZPlane* plane = QZGetDrawPlane();
  uint16_t* pixels = QZPlaneImageBits(plane);
  if (level <= 0 || !pixels) return;
  PixelOp op{Mode::Copy, 0};
  if (flags & kQZBlobAdditive) {
    op = {Mode::Add, static_cast<uint32_t>(std::min(level, 256) >> 4)};
  } else if (level < 256) {
    op = {Mode::Blend, static_cast<uint32_t>(level >> 3)};
  }
  uint16_t* hit = e->hasMask ? QZPlaneMaskBits(plane) : nullptr;
  const int w = e->width, h = e->height;
  const bool flipH = flags & kQZBlobFlipHorizontal, flipV = flags & kQZBlobFlipVertical;
  // Source window of rows and columns, and where its first pixel lands.
  const int r0 = flipV ? h - part->y - part->h : part->y;
  const int r1 = r0 + part->h;
  const int c0 = flipH ? w - part->x - part->w : part->x;
  const int c1 = c0 + part->w;
  const ptrdiff_t rowStep = flipV ? -plane->pitch : plane->pitch;
  const ptrdiff_t colStep = flipH ? -1 : 1;
  const ptrdiff_t firstRow = static_cast<ptrdiff_t>(flipV ? y + part->h - 1 : y) * plane->pitch;
  const int firstCol = flipH ? x + part->w - 1 : x;
  auto at = [&](int r, int c) { return firstRow + (r - r0) * rowStep + firstCol + (c - c0) * colStep; };

  if (!e->hasMask) {
    for (int r = r0; r < r1; ++r) {
      drawSpan(pixels + at(r, c0), colStep, e->pixels + static_cast<size_t>(r) * w + c0, c1 - c0, op);
    }
    return;
  }
  if (op.mode == Mode::Copy && !flipH && !flipV && !hit && c0 == 0 && c1 == w) {
    copyMaskedRows(e, pixels + at(r0, 0), plane->pitch, r0, r1);
    return;
  }
  const uint8_t* mask = e->mask;
  const uint16_t* src = e->pixels;
  bool opaque = false;
  for (int r = 0; r < r1; ++r) {
    const bool drawn = r >= r0;
    for (int col = 0; col < w;) {
      const int run = *mask++;
      if (opaque && run > 0) {
        const int a = std::max(col, c0), b = std::min(col + run, c1);
        if (drawn && a < b) {
          drawSpan(pixels + at(r, a), colStep, src + (a - col), b - a, op);
          if (hit) clearSpan(hit + at(r, a), colStep, b - a);
        }
        src += run;
      }
      col += run;
      opaque = !opaque;
    }
  }
}

int16_t QZDrawBlobEntry(const QZBlobEntry* e, int x, int y, int flags, int level) {
  if (!e || !e->active) return QZ_ERR_GENERAL;
  if (QZGetScreenDepth() != 16) return QZ_ERR_NOT_16_BIT;
  const QZPlane* plane = QZGetDrawPlane();
  if (!QZPlaneImageBits(plane)) return QZ_ERR_GENERAL;
  int left = 0, top = 0, right = plane->width, bottom = plane->height;
  if (state().clipMode == 2 && !(flags & kQZBlobNoClip)) {
    const QZRect& c = state().clipRect;
    left = std::max(left, static_cast<int>(c.x));
    top = std::max(top, static_cast<int>(c.y));
    right = std::min(right, c.x + c.w);
    bottom = std::min(bottom, c.y + c.h);
  }
  int pw = e->width, ph = e->height, px = 0, py = 0;
  if (x + pw < left || y + ph < top || x >= right || y >= bottom) return 0;
  if (x < left) {
    px += left - x;
    pw -= left - x;
    x = left;
  }
  if (x + pw > right) pw = right - x;
  if (y < top) {
    py += top - y;
    ph -= top - y;
    y = top;
  }
  if (y + ph > bottom) ph = bottom - y;
  if (pw <= 0 || ph <= 0) return 0;
  const QZRect part{static_cast<int16_t>(px), static_cast<int16_t>(py), static_cast<int16_t>(pw),
                    static_cast<int16_t>(ph)};
  QZRenderBlob(e, x, y, flags, level, &part);
  return 0;
}

int16_t QZDrawBlob(int blobId, int x, int y, int flags, int level) {
  return QZDrawBlobEntry(QZGetBlobEntry(blobId), x, y, flags, level);
}

int16_t QZDrawBlobs(int count, const int16_t* records) {
  if (!QZPlaneImageBits(QZGetDrawPlane())) return QZ_ERR_GENERAL;
  if (QZGetScreenDepth() != 16) return QZ_ERR_NOT_16_BIT;
  for (int i = 0; i < count; ++i, records += 3) {
    const auto word = static_cast<uint16_t>(records[0]);
    const QZBlobEntry* e = QZGetBlobEntry(word);
    if (!e || !e->active) return QZ_ERR_GENERAL;
    QZDrawBlobEntry(e, records[1], records[2], word & 0xF800, kQZOpaqueLevel);
  }
  return 0;
}

int QZCheckForPointInBlob(int blobId, int blobX, int blobY, int pointX, int pointY) {
  const QZBlobEntry* e = QZGetBlobEntry(blobId);
  if (!e || !e->active) return 0;
  const int depth = QZGetScreenDepth();
  if (depth != 8 && depth != 16) return 0;
  if (pointX < blobX || pointX > blobX + e->width || pointY < blobY || pointY > blobY + e->height) return 0;
  if (!e->hasMask) return 1;
  const int relX = pointX - blobX, relRow = pointY - blobY;
  if (relRow >= e->height || e->width == 0) return 0;
  const uint8_t* mask = e->mask;
  bool opaque = false;
  for (int r = 0; r <= relRow; ++r) {
    for (int end = 0; end < e->width;) {
      const int run = *mask++;
      end += run;
      if (r == relRow && end >= relX) return opaque ? 1 : 0;
      opaque = !opaque;
    }
  }
  return 0;
}

void QZUnclipBlobs() { state().clipMode = 0; }
void QZClipBlobsToPlane() { state().clipMode = 1; }
void QZClipBlobsToRectangle(int x, int y, int width, int height) {
  QZSetRect(&state().clipRect, x, y, width, height);
  state().clipMode = 2;
}
void QZClipBlobsToRect(const QZRect* rect) { QZClipBlobsToRectangle(rect->x, rect->y, rect->w, rect->h); }

int16_t QZSetPixel(int x, int y, int value) {
  const QZPlane* p = QZGetDrawPlane();
  uint16_t* bits = QZPlaneImageBits(p);
  if (!bits || x < 0 || y < 0 || x >= p->width || y >= p->height) return QZ_ERR_GENERAL;
  const size_t row = static_cast<size_t>(y) * p->pitch;
  switch (QZGetScreenDepth()) {
    case 2: {
      uint16_t& word = bits[row + x / 8];
      const int shift = 14 - 2 * (x % 8);
      const int v = value >= 3 ? 3 : value;
      word = static_cast<uint16_t>((word & ~(3 << shift)) | (v << shift));
      return 0;
    }
    case 8:
      reinterpret_cast<uint8_t*>(bits)[row * 2 + x] = static_cast<uint8_t>(value);
      return 0;
    case 16:
      bits[row + x] = static_cast<uint16_t>(value);
      return 0;
    default:
      return QZ_ERR_NOT_16_BIT;
  }
}

int QZSetPixels(const int16_t* records, int count) {
  const int depth = QZGetScreenDepth();
  const QZPlane* p = QZGetDrawPlane();
  uint16_t* bits = QZPlaneImageBits(p);
  if (depth != 16 || !bits) return depth;
  for (int i = 0; i < count; ++i, records += 3) {
    const int x = records[0], y = records[1];
    if (x >= 0 && y >= 0 && x < p->width && y < p->height) {
      bits[static_cast<size_t>(y) * p->pitch + x] = static_cast<uint16_t>(records[2]);
    }
  }
  return depth;
}

int QZGetPixel(int planeId, int x, int y) {
  const QZPlane* p = QZGetPlane(planeId, false);
  const uint16_t* bits = QZPlaneImageBits(p);
  if (!bits || x < 0 || y < 0 || x >= p->width || y >= p->height) return 0;
  const size_t row = static_cast<size_t>(y) * p->pitch;
  switch (QZGetScreenDepth()) {
    case 8:
      return reinterpret_cast<const uint8_t*>(bits)[row * 2 + x];
    case 16:
      return bits[row + x];
    default:
      return 0;
  }
}
