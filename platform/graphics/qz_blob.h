// Blob sets: many small RGB565 sprites with optional run-length masks, loaded
// from 'aBST' resources, reached by blob id through one blob map, and drawn
// into the drawing plane opaque, blended, or added, flipped and clipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "qz_blob_decode.h"
#include "qz_rect.h"


constexpr uint16_t kQZBlobFlipVertical = 0x0800;
constexpr uint16_t kQZBlobFlipHorizontal = 0x1000;
constexpr uint16_t kQZBlobNoClip = 0x2000;
constexpr uint16_t kQZBlobAdditive = 0x4000;

class QZBlobSet {
 public:
  QZBlobSet() = default;
  ~QZBlobSet();
  QZBlobSet(const QZBlobSet&) = delete;
  QZBlobSet& operator=(const QZBlobSet&) = delete;

  // Fetches the 'aBST' resource and decodes it (16-bit display only).
  int16_t load(int resourceId);
  // Decodes resource bytes; every size, run and count is checked against the
  // bytes: -1 for bad data, -9 out of memory. A failure leaves the set empty.
  int16_t decode(const uint8_t* bytes, size_t size);
  int16_t unload();
  // A deep copy whose entry i has blob id firstId + i.
  std::unique_ptr<QZBlobSet> copy(int newSetId, int firstId) const;

  int16_t setId = 0;
  int16_t count = 0;
  std::unique_ptr<QZBlobEntry[]> entries;
  std::unique_ptr<uint16_t[]> data;  // every entry's pixels and mask, dataSize bytes
  uint32_t dataSize = 0;
};

// Blob map and set slots (graphics start and stop).
int16_t QZStartGraphicsBlob();
void QZStopGraphicsBlob();
// The map entry of a blob id (id AND 0x7FF), or null when out of range or empty.
QZBlobEntry* QZGetBlobEntry(int blobId);

// A handle {set id << 16 | entry index} that names a loaded set's entry
// without holding a pointer, and its lookup (null once the set is gone).
bool QZBlobEntryHandle(const QZBlobEntry* entry, uint32_t* handle);
QZBlobEntry* QZBlobEntryFromHandle(uint32_t handle);

int16_t QZLoadBlobSet(int setId, int option);
int16_t QZUnloadBlobSet(int setId);
int16_t QZCopyBlobSet(int sourceSetId, int newSetId, int firstBlobId);
int16_t QZTintBlobSet(int setId, int red, int green, int blue, int keySetId, uint16_t keyColour);
int16_t QZCheckBlobSet(int setId);
// Puts a set into a free slot, which then owns it; -2 (the set deleted) when
// every slot is taken.
int16_t QZAddBlobSet(std::unique_ptr<QZBlobSet> set);
// Takes the set out of its slot and deletes it; -2 when no slot holds it.
int16_t QZRemoveBlobSet(const QZBlobSet* set);
QZBlobSet* QZFindBlobSet(int setId);

int16_t QZDrawBlob(int blobId, int x, int y, int flags, int level);
int16_t QZDrawBlobEntry(const QZBlobEntry* entry, int x, int y, int flags, int level);
// Records of three values {id with flag bits in its top five bits, x, y}, opaque.
int16_t QZDrawBlobs(int count, const int16_t* records);
// Draws the part {px, py, pw, ph} of a blob (relative to its turned picture) at (x, y).
void QZRenderBlob(const QZBlobEntry* entry, int x, int y, int flags, int level, const QZRect* part);
int QZCheckForPointInBlob(int blobId, int blobX, int blobY, int pointX, int pointY);

void QZUnclipBlobs();
void QZClipBlobsToPlane();
void QZClipBlobsToRectangle(int x, int y, int width, int height);
void QZClipBlobsToRect(const QZRect* rect);

int16_t QZSetPixel(int x, int y, int value);
// Records {x, y, colour}; draws at depth 16 only and returns the depth.
int QZSetPixels(const int16_t* records, int count);
int QZGetPixel(int planeId, int x, int y);
