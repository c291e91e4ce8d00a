#include "art_database.h"

#include <fstream>
#include <iterator>

#include "qz_blob.h"
#include "qz_database_file.h"

namespace {

uint32_t widen(uint16_t v) {
  const uint32_t r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1F;
  return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// Lays a decoded blob out as a full picture: the mask's runs alternate
// transparent and opaque, running on across rows.
BlobPicture expand(const QZBlobEntry& e) {
  BlobPicture p;
  p.id = e.id;
  p.width = e.width;
  p.height = e.height;
  const size_t total = static_cast<size_t>(e.width) * e.height;
  p.argb.assign(total, 0);
  const size_t stored = e.pixelBytes / 2;
  if (!e.hasMask) {
    for (size_t i = 0; i < total && i < stored; ++i) p.argb[i] = widen(e.pixels[i]);
    return p;
  }
  size_t at = 0, next = 0;
  bool opaqueRun = false;
  for (size_t r = 0; at < total && next < stored; ++r, opaqueRun = !opaqueRun) {
    const size_t run = e.mask[r];
    for (size_t k = 0; k < run && at < total; ++k, ++at) {
      if (opaqueRun && next < stored) p.argb[at] = widen(e.pixels[next++]);
    }
  }
  return p;
}

// A plane stored raw; false for other encodings or sizes that do not add up.
bool readRawPlane(const uint8_t* b, size_t size, BlobPicture& out) {
  if (size < 18) return false;
  const size_t headerLength = static_cast<size_t>(b[0] << 8 | b[1]);
  const int width = b[10] << 8 | b[11], height = b[12] << 8 | b[13];
  if (headerLength < 18 || headerLength > size || size - headerLength != static_cast<size_t>(width) * height * 2) {
    return false;
  }
  out.width = width;
  out.height = height;
  for (size_t i = headerLength; i + 1 < size; i += 2) out.argb.push_back(widen(static_cast<uint16_t>(b[i] | b[i + 1] << 8)));
  return true;
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

bool parseArtDatabase(const uint8_t* bytes, size_t size, ArtDatabase& out, std::string& error) {
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  if (QZParseDatabase(bytes, size, size, QZDatabaseKind::Resource, header, entries) != QZ_OK) {
    error = "not a resource database";
    return false;
  }
  for (const QZDatabaseEntry& entry : entries) {
    BlobPicture plane;
    if (entry.type == QZFourCC("aPLN") && readRawPlane(bytes + entry.offset, entry.size, plane)) {
      plane.id = entry.id;
      out.planes[entry.id] = plane;
    }
    if (entry.type != QZFourCC("aBST")) continue;
    QZBlobSet set;
    if (set.decode(bytes + entry.offset, entry.size) != 0) {
      error = "blob set " + std::to_string(entry.id) + " is damaged";
      return false;
    }
    std::vector<BlobPicture>& pictures = out.sets[entry.id];
    for (int i = 0; i < set.count; ++i) pictures.push_back(expand(set.entries[i]));
  }
  return true;
}

bool readArtDatabase(const std::string& path, ArtDatabase& out, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!readFile(path, bytes)) {
    error = "cannot read " + path;
    return false;
  }
  if (parseArtDatabase(bytes.data(), bytes.size(), out, error)) return true;
  error = path + ": " + error;
  return false;
}
