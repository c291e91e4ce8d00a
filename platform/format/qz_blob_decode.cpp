#include "qz_blob_decode.h"

#include <cstring>
#include <new>
#include <vector>

#include "base/byte_order.h"
#include "base/byte_reader.h"
#include "qz_lz.h"

namespace {

constexpr uint32_t kMaxUnpacked = 64u << 20;

uint32_t even(uint32_t n) { return (n + 1) & ~1u; }

// Walks a mask of h rows of width w: the opaque pixel count, or -1 when the
// runs run out or a row does not add up to exactly w.
int64_t maskOpaqueCount(const uint8_t* mask, size_t length, int w, int h) {
  size_t at = 0;
  bool opaque = false;
  int64_t total = 0;
  for (int row = 0; row < h; ++row) {
    int sum = 0;
    while (sum < w) {
      if (at >= length) return -1;
      const int run = mask[at++];
      if (opaque) total += run;
      sum += run;
      opaque = !opaque;
    }
    if (sum != w) return -1;
  }
  return total;
}

struct DirectoryRecord {
  int16_t id;
  int16_t width;
  int16_t height;
  bool hasMask;
  uint16_t maskLength;
  uint16_t pixelCount;
};

// The next 12-byte record of the directory.
DirectoryRecord readRecord(base::ByteReader& r) {
  DirectoryRecord d{};
  r.readBE(d.id);
  r.readBE(d.width);
  r.readBE(d.height);
  d.hasMask = r.readU8() != 0;
  r.skip(1);
  r.readBE(d.maskLength);
  r.readBE(d.pixelCount);
  return d;
}

}  // namespace

int16_t QZDecodeBlobSet(const uint8_t* b, size_t size, QZBlobSetData* out) {
  if (!b || size < 15) return -1;
  base::ByteReader header(b, 15);
  const size_t headerLength = header.readBE16();
  const uint32_t unpacked = header.readBE32();
  const uint32_t packed = header.readBE32();
  const int n = static_cast<int16_t>(header.readBE16());
  const uint8_t depth = header.readU8();
  const uint8_t packing = header.readU8();
  size_t paletteCount = header.readU8();
  const bool direct = depth == 16 && packing == 8;
  const bool isPacked = packing != 0;
  if (paletteCount == 0 && packing != 8) paletteCount = 256;
  if (n < 0 || headerLength < 15 || headerLength > size) return -1;
  const size_t directoryAt = headerLength + 2 * paletteCount;
  const size_t dataAt = directoryAt + 12 * static_cast<size_t>(n);
  if (dataAt > size) return -1;

  std::vector<uint8_t> expanded;
  const uint8_t* area = b + dataAt;
  size_t areaLength = size - dataAt;
  if (isPacked) {
    if (packed > areaLength || unpacked > kMaxUnpacked) return -1;
    try {
      expanded.resize(unpacked);
    } catch (const std::bad_alloc&) {
      return -9;
    }
    if (QZLZ::decompress(area, packed, expanded.data(), expanded.size()) != static_cast<int32_t>(unpacked)) return -1;
    area = expanded.data();
    areaLength = expanded.size();
  }

  uint16_t palette[256] = {};
  for (size_t i = 0; i < paletteCount; ++i) {
    palette[i] = base::loadLE16(b + headerLength + 2 * i);
  }

  // First pass: check every blob against the data area and size the block.
  uint64_t blockSize = 0;
  size_t areaAt = 0;
  base::ByteReader directory(b + directoryAt, dataAt - directoryAt);
  for (int i = 0; i < n; ++i) {
    const DirectoryRecord r = readRecord(directory);
    if (r.width < 0 || r.height < 0 || (direct && (r.pixelCount & 1))) return -1;
    const size_t maskBytes = r.hasMask ? r.maskLength : 0;
    if (maskBytes + r.pixelCount > areaLength - areaAt) return -1;
    const int64_t pixels = r.hasMask ? maskOpaqueCount(area + areaAt, maskBytes, r.width, r.height)
                                     : static_cast<int64_t>(r.width) * r.height;
    if (pixels < 0 || pixels != (direct ? r.pixelCount / 2 : r.pixelCount)) return -1;
    areaAt += maskBytes + r.pixelCount;
    const uint32_t pixelBytes = direct ? r.pixelCount : 2u * r.pixelCount;
    blockSize += even(pixelBytes) + even(static_cast<uint32_t>(maskBytes));
  }

  std::unique_ptr<QZBlobEntry[]> entries(new (std::nothrow) QZBlobEntry[n > 0 ? n : 1]());
  std::unique_ptr<uint16_t[]> block(new (std::nothrow) uint16_t[blockSize / 2 + 1]());
  if (!entries || !block) return -9;
  auto* data = reinterpret_cast<uint8_t*>(block.get());

  // Second pass: place pixels and masks.
  size_t blockAt = 0;
  areaAt = 0;
  directory.seek(0);
  for (int i = 0; i < n; ++i) {
    const DirectoryRecord r = readRecord(directory);
    QZBlobEntry& e = entries[i];
    const uint32_t pixelBytes = direct ? r.pixelCount : 2u * r.pixelCount;
    const size_t maskBytes = r.hasMask ? r.maskLength : 0;
    e.id = r.id;
    e.pixels = reinterpret_cast<uint16_t*>(data + blockAt);
    e.mask = r.hasMask ? data + blockAt + even(pixelBytes) : nullptr;
    if (r.hasMask) std::memcpy(e.mask, area + areaAt, maskBytes);
    areaAt += maskBytes;
    const uint8_t* src = area + areaAt;
    if (direct) {
      for (uint32_t k = 0; k < pixelBytes / 2; ++k) e.pixels[k] = base::loadLE16(src + 2 * k);
    } else {
      for (uint32_t k = 0; k < r.pixelCount; ++k) e.pixels[k] = palette[src[k]];
    }
    areaAt += r.pixelCount;
    e.active = 1;
    e.width = r.width;
    e.height = r.height;
    e.hasMask = r.hasMask ? 1 : 0;
    e.pixelBytes = pixelBytes;
    e.pixelBytesEven = even(pixelBytes);
    blockAt += even(pixelBytes) + even(static_cast<uint32_t>(maskBytes));
  }
  out->entries = std::move(entries);
  out->block = std::move(block);
  out->dataSize = static_cast<uint32_t>(blockSize);
  out->count = static_cast<int16_t>(n);
  return 0;
}
