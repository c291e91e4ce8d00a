// artsheet DATABASE.pdb OUTDIR [SCALE]
// Writes a contact sheet of every blob set of a resource database
// (OUTDIR/set-ID.png) and one of all blobs of each size across the sets
// (OUTDIR/size-WxH.png, in set order) and one of each raw plane
// (OUTDIR/plane-ID.png), enlarged SCALE times (3 by default),
// for review.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "art_database.h"
#include "contact_sheet.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: artsheet DATABASE.pdb OUTDIR [SCALE]\n");
    return 2;
  }
  ArtDatabase database;
  std::string error;
  if (!readArtDatabase(argv[1], database, error)) {
    std::fprintf(stderr, "artsheet: %s\n", error.c_str());
    return 1;
  }
  SheetLayout layout;
  if (argc == 4) layout.scale = std::max(1, std::min(8, std::atoi(argv[3])));
  std::filesystem::create_directories(argv[2]);
  std::map<std::string, std::vector<BlobPicture>> bySize;
  std::map<std::string, std::vector<BlobPicture>> sheets;
  for (const auto& [setId, blobs] : database.sets) {
    sheets["set-" + std::to_string(setId)] = blobs;
    for (const BlobPicture& blob : blobs) {
      bySize["size-" + std::to_string(blob.width) + "x" + std::to_string(blob.height)].push_back(blob);
    }
  }
  sheets.insert(bySize.begin(), bySize.end());
  for (const auto& [planeId, plane] : database.planes) sheets["plane-" + std::to_string(planeId)] = {plane};
  for (const auto& [name, blobs] : sheets) {
    const std::string path = std::string(argv[2]) + "/" + name + ".png";
    if (!writeContactSheet(blobs, layout, path)) {
      std::fprintf(stderr, "artsheet: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
