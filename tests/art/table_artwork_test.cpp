// The backgrounds as the title screen, the play screen, the backgrounds
// chooser and the trophy cabinet read them: planes 1-8 at the screen's size,
// thumbnails 867-872 and the padlock 866 in blob set 79; the load screen's
// pictures and the title header.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "art_database.h"

namespace {

TEST(TableArtwork, PlanesAndThumbnailsExistAtTheirSizes) {
  ArtDatabase database;
  std::string error;
  ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynTables.pdb", database, error))
      << error;
  std::set<std::vector<uint32_t>> distinct;
  for (int plane = 1; plane <= 8; ++plane) {
    const auto found = database.planes.find(plane);
    ASSERT_NE(found, database.planes.end()) << "plane " << plane;
    EXPECT_EQ(found->second.width, 240);
    EXPECT_EQ(found->second.height, 320);
    distinct.insert(found->second.argb);
  }
  EXPECT_EQ(distinct.size(), 8u);
  const auto set = database.sets.find(79);
  ASSERT_NE(set, database.sets.end());
  std::set<int> ids;
  for (const BlobPicture& b : set->second) {
    ids.insert(b.id);
    EXPECT_EQ(b.width, 60) << "blob " << b.id;
    EXPECT_EQ(b.height, 80) << "blob " << b.id;
  }
  EXPECT_EQ(ids, (std::set<int>{866, 867, 868, 869, 870, 871, 872}));
}

TEST(TableArtwork, LoadScreenAndTitleHeaderPicturesExist) {
  ArtDatabase database;
  std::string error;
  ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynTables.pdb", database, error))
      << error;
  // The progress bar fills 127 x 24 at (57, 273); its frame sits one pixel out.
  const struct {
    int set, blob, width, height;
  } pictures[] = {{5, 236, 127, 24}, {6, 239, 129, 26}, {7, 238, 218, 110}, {98, 1229, 214, 96}};
  for (const auto& p : pictures) {
    const auto set = database.sets.find(p.set);
    ASSERT_NE(set, database.sets.end()) << "set " << p.set;
    ASSERT_EQ(set->second.size(), 1u);
    EXPECT_EQ(set->second[0].id, p.blob);
    EXPECT_EQ(set->second[0].width, p.width);
    EXPECT_EQ(set->second[0].height, p.height);
  }
}

TEST(TableArtwork, TheDialHasAFrontAndASideTileOfEveryGameWithPressedLooks) {
  ArtDatabase database;
  std::string error;
  ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynTables.pdb", database, error))
      << error;
  const auto set = database.sets.find(13);
  ASSERT_NE(set, database.sets.end());
  std::map<int, const BlobPicture*> byId;
  for (const BlobPicture& b : set->second) byId[b.id] = &b;
  auto expectSize = [&](int id, int width, int height) {
    ASSERT_EQ(byId.count(id), 1u) << "blob " << id;
    EXPECT_EQ(byId[id]->width, width) << "blob " << id;
    EXPECT_EQ(byId[id]->height, height) << "blob " << id;
  };
  // Front image of each game type 1-12; the side image is two ids later.
  for (int front : {716, 712, 744, 748, 732, 728, 740, 752, 736, 756, 720, 724}) {
    for (int pressed = 0; pressed < 2; ++pressed) {
      expectSize(front + pressed, 66, 66);
      expectSize(front + 2 + pressed, 34, 34);
    }
    EXPECT_NE(byId[front]->argb, byId[front + 1]->argb) << "the pressed look of " << front;
  }
  for (int arrow = 708; arrow <= 711; ++arrow) expectSize(arrow, 24, 24);
  expectSize(1230, 34, 34);
}

}  // namespace
