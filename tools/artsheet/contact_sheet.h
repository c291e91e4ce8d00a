// Contact sheets: the blobs of a set side by side on a checked ground (so
// that transparent pixels show), enlarged, written as a PNG.
#pragma once

#include <string>
#include <vector>

#include "art_database.h"

struct SheetLayout {
  int columns = 13;
  int scale = 3;
};

bool writeContactSheet(const std::vector<BlobPicture>& blobs, const SheetLayout& layout, const std::string& path);
