#include "imgpack_blob.h"

#include <algorithm>
#include <map>

#include "imgpack_lz.h"

namespace imgpack {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v >> 16);
  put16(out, v & 0xFFFF);
}

bool isOpaque(const BlobImage& b, size_t k) { return b.opaque.empty() || b.opaque[k]; }

bool hasTransparency(const BlobImage& b) {
  return std::any_of(b.opaque.begin(), b.opaque.end(), [](uint8_t o) { return o == 0; });
}

void emitRun(std::vector<uint8_t>& runs, int length) {
  while (length > 255) {
    runs.push_back(255);
    runs.push_back(0);
    length -= 255;
  }
  runs.push_back(static_cast<uint8_t>(length));
}

std::vector<uint16_t> opaquePixels(const BlobImage& b) {
  std::vector<uint16_t> out;
  for (size_t k = 0; k < b.pixels.size(); ++k) {
    if (isOpaque(b, k)) out.push_back(b.pixels[k]);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> maskRuns(const BlobImage& b) {
  std::vector<uint8_t> runs;
  bool opaque = false;
  for (int y = 0; y < b.height; ++y) {
    int x = 0;
    while (x < b.width) {
      int n = 0;
      while (x + n < b.width && isOpaque(b, static_cast<size_t>(y) * b.width + x + n) == opaque) ++n;
      emitRun(runs, n);
      x += n;
      opaque = !opaque;
    }
  }
  return runs;
}

bool buildBlobSet(const std::vector<BlobImage>& blobs, BlobStorage storage, std::vector<uint8_t>* out,
                  std::string* error) {
  const bool direct = storage == BlobStorage::Direct;
  std::map<uint16_t, uint8_t> palette;
  std::vector<uint16_t> paletteOrder;
  if (!direct) {
    for (const BlobImage& b : blobs) {
      for (uint16_t c : opaquePixels(b)) {
        if (palette.count(c)) continue;
        if (palette.size() == 256) {
          *error = "more than 256 colours for a palette set";
          return false;
        }
        palette[c] = static_cast<uint8_t>(palette.size());
        paletteOrder.push_back(c);
      }
    }
  }
  std::vector<uint8_t> directory, area;
  for (const BlobImage& b : blobs) {
    const bool masked = hasTransparency(b);
    const std::vector<uint8_t> runs = masked ? maskRuns(b) : std::vector<uint8_t>{};
    const std::vector<uint16_t> pixels = opaquePixels(b);
    const size_t pixelField = direct ? pixels.size() * 2 : pixels.size();
    if (runs.size() > 0xFFFF || pixelField > 0xFFFF) {
      *error = "blob " + std::to_string(b.id) + " holds more than 65535 bytes";
      return false;
    }
    put16(directory, static_cast<uint16_t>(b.id));
    put16(directory, static_cast<uint32_t>(b.width));
    put16(directory, static_cast<uint32_t>(b.height));
    directory.push_back(masked ? 1 : 0);
    directory.push_back(0);
    put16(directory, static_cast<uint32_t>(runs.size()));
    put16(directory, static_cast<uint32_t>(pixelField));
    area.insert(area.end(), runs.begin(), runs.end());
    for (uint16_t c : pixels) {
      if (direct) {
        area.push_back(static_cast<uint8_t>(c));
        area.push_back(static_cast<uint8_t>(c >> 8));
      } else {
        area.push_back(palette[c]);
      }
    }
  }
  const bool packed = storage != BlobStorage::Palette;
  const std::vector<uint8_t> stored = packed ? encodeLZ(area.data(), area.size()) : area;
  const size_t paletteCount = direct ? 0 : paletteOrder.size();
  out->clear();
  put16(*out, 16);
  put32(*out, static_cast<uint32_t>(area.size()));
  put32(*out, static_cast<uint32_t>(stored.size()));
  put16(*out, static_cast<uint32_t>(blobs.size()));
  out->push_back(direct ? 16 : 8);
  out->push_back(direct ? 8 : (packed ? 1 : 0));
  out->push_back(static_cast<uint8_t>(paletteCount == 256 ? 0 : paletteCount));
  out->push_back(0);
  // An empty palette of an 8-bit set would read as 256 entries: write one.
  if (!direct && paletteOrder.empty()) {
    paletteOrder.push_back(0);
    (*out)[14] = 1;
  }
  for (uint16_t c : paletteOrder) {
    out->push_back(static_cast<uint8_t>(c));
    out->push_back(static_cast<uint8_t>(c >> 8));
  }
  out->insert(out->end(), directory.begin(), directory.end());
  out->insert(out->end(), stored.begin(), stored.end());
  return true;
}

}  // namespace imgpack
