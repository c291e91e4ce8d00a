// Blob sets of solid-coloured blobs made in memory, registered in the blob
// map, for tests that draw or measure blobs without artwork.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "qz_blob.h"

// Blobs of the sizes (width, height) from firstId on, all in one colour.
inline void addSolidBlobs(int setId, int firstId, const std::vector<std::pair<int, int>>& sizes, uint16_t colour) {
  QZBlobSet source;
  size_t pixels = 0;
  for (const auto& [w, h] : sizes) pixels += static_cast<size_t>(w) * h;
  source.count = static_cast<int16_t>(sizes.size());
  source.dataSize = static_cast<uint32_t>(pixels * 2);
  source.data.reset(new uint16_t[pixels + 1]);
  source.entries.reset(new QZBlobEntry[sizes.size()]());
  size_t at = 0;
  for (size_t i = 0; i < sizes.size(); ++i) {
    QZBlobEntry& e = source.entries[i];
    e.active = 1;
    e.width = static_cast<int16_t>(sizes[i].first);
    e.height = static_cast<int16_t>(sizes[i].second);
    e.pixels = source.data.get() + at;
    e.pixelBytes = e.pixelBytesEven = static_cast<uint32_t>(e.width * e.height * 2);
    for (int k = 0; k < e.width * e.height; ++k) e.pixels[k] = colour;
    at += static_cast<size_t>(e.width) * e.height;
  }
  ASSERT_EQ(QZAddBlobSet(source.copy(setId, firstId)), 0);
}
