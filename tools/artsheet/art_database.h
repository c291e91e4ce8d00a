// The blob sets of a resource database file, decoded into plain pictures for
// review and for the checks of the artwork.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct BlobPicture {
  int id = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // row by row; 0 = transparent
};

struct ArtDatabase {
  std::map<int, std::vector<BlobPicture>> sets;  // by blob-set id, blobs in set order
  std::map<int, BlobPicture> planes;             // raw 'aPLN' images by plane id
};

// Reads every 'aBST' resource and every raw 'aPLN' image (header, then
// width x height RGB565 pixels; other encodings are passed over) of a
// database file image; false with a message when the image or one of its
// sets is damaged.
bool parseArtDatabase(const uint8_t* bytes, size_t size, ArtDatabase& out, std::string& error);
// The same for a file.
bool readArtDatabase(const std::string& path, ArtDatabase& out, std::string& error);
