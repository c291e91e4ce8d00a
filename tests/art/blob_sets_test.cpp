// The blob sets the program loads, found in the artwork databases of the
// install folder: a set that is missing at start-up ends the start, and a
// screen whose set is missing shows nothing.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "art_database.h"

namespace {

TEST(BlobSets, EverySetTheProgramLoadsExistsOnceWithinTheSlots) {
  std::multiset<int> sets;
  std::set<int> planes;
  for (const char* database : {"PellwynCards", "PellwynFonts", "PellwynTables", "PellwynChrome", "PellwynPlay"}) {
    ArtDatabase art;
    std::string error;
    ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/" + std::string(database) + ".pdb", art,
                                error))
        << error;
    for (const auto& [setId, blobs] : art.sets) {
      sets.insert(setId);
      EXPECT_LT(setId, 130) << database;
      for (const BlobPicture& b : blobs) EXPECT_LT(b.id, 1400) << "set " << setId;
    }
    for (const auto& [planeId, plane] : art.planes) planes.insert(planeId);
  }
  const std::vector<int> loaded = {
      // start-up, in the order it loads them
      0, 8, 9, 10, 1, 2, 3, 4, 97, 23, 24, 21, 20, 14, 19, 18, 15, 17, 22, 16, 25, 99,
      // colour scheme: title header, toolbar, strip, ornament
      98, 12, 100, 11,
      // load screen, title dial, choosers' padlocks and thumbnails, random back, front styles
      5, 7, 6, 13, 26, 53, 79, 106,
      // play screen, card extras, trophy images (large, small)
      101, 104, 102, 103, 81, 82, 83, 84, 86, 87, 88, 89,
      // card fronts of the other two styles
      85, 80, 91, 92, 93, 94, 95,
      // card backs, large and small, of the three chooser pages
      54, 110, 111, 112, 124, 118, 119, 120, 121, 122, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 70, 71, 72, 73, 74,
      75, 76, 77, 78, 27, 107, 108, 109, 123, 113, 114, 115, 116, 117, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 43,
      44, 45, 46, 47, 48, 49, 50, 51};
  for (int set : loaded) EXPECT_EQ(sets.count(set), 1u) << "blob set " << set;
  for (int plane = 1; plane <= 8; ++plane) EXPECT_EQ(planes.count(plane), 1u) << "plane " << plane;
}

}  // namespace
