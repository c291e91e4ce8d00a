// The card artwork database as the game reads it: every blob set and blob id
// the play screen, the choosers and the trophy cabinet name, at the card
// sizes and with the frames they draw.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "art_database.h"
#include "card_artwork.h"

namespace {

constexpr int kLargeW = 31, kLargeH = 43, kSmallW = 21, kSmallH = 29;

class CardArtworkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    database_ = new ArtDatabase;
    ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynCards.pdb", *database_, error))
        << error;
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }

  // The blob of the set with the id, or null.
  static const BlobPicture* blob(int setId, int blobId) {
    const auto set = database_->sets.find(setId);
    if (set == database_->sets.end()) return nullptr;
    for (const BlobPicture& b : set->second) {
      if (b.id == blobId) return &b;
    }
    return nullptr;
  }

  static void expectBlob(int setId, int blobId, int width, int height) {
    const BlobPicture* b = blob(setId, blobId);
    ASSERT_NE(b, nullptr) << "set " << setId << " blob " << blobId;
    EXPECT_EQ(b->width, width) << "blob " << blobId;
    EXPECT_EQ(b->height, height) << "blob " << blobId;
  }

  static ArtDatabase* database_;
};

ArtDatabase* CardArtworkTest::database_ = nullptr;

struct FrontCase {
  int firstSet;
  bool setPerSuit;
  int firstBlob;
  int width, height;
};

const FrontCase kFronts[] = {
    {85, false, 977, kLargeW, kLargeH}, {80, false, 873, kSmallW, kSmallH}, {91, true, 1121, kLargeW, kLargeH},
    {95, false, 1173, kSmallW, kSmallH}, {81, true, 925, kLargeW, kLargeH}, {86, true, 1029, kSmallW, kSmallH},
};

TEST_F(CardArtworkTest, EveryFrontSetHoldsItsFiftyTwoFacesAtItsCardSize) {
  for (const FrontCase& f : kFronts) {
    for (int i = 0; i < 52; ++i) expectBlob(f.firstSet + (f.setPerSuit ? i / 13 : 0), f.firstBlob + i, f.width, f.height);
  }
}

TEST_F(CardArtworkTest, EveryBackHasBothTurnOverFramesAtBothSizes) {
  const std::vector<BackPlace> places = backPlaces();
  ASSERT_EQ(places.size(), 29u);
  for (const BackPlace& p : places) {
    for (int frame = 0; frame < 2; ++frame) {
      expectBlob(p.largeSet, p.largeBlob + frame, kLargeW, kLargeH);
      expectBlob(p.smallSet, p.smallBlob + frame, kSmallW, kSmallH);
    }
  }
  expectBlob(53, 814, kSmallW, kSmallH);
}

TEST_F(CardArtworkTest, PlayScreenExtrasAndChooserPicturesExist) {
  const struct {
    int set, blob, width, height;
  } extras[] = {
      {102, 1232, kLargeW, kLargeH}, {102, 1234, kLargeW, kLargeH}, {102, 1235, kLargeW + 4, kLargeH + 4},
      {102, 1236, kLargeW + 4, kLargeH + 4}, {102, 1237, kLargeW, kLargeH}, {102, 1238, kLargeW, kLargeH},
      {103, 1233, kSmallW, kSmallH}, {103, 1239, kSmallW, kSmallH}, {103, 1240, kSmallW + 4, kSmallH + 4},
      {103, 1241, kSmallW + 4, kSmallH + 4}, {103, 1242, kSmallW, kSmallH}, {103, 1243, kSmallW, kSmallH},
      {106, 1248, kLargeW, kLargeH}, {106, 1249, kLargeW, kLargeH}, {106, 1250, kLargeW, kLargeH},
      {106, 1251, kLargeW, kLargeH}, {26, 760, kSmallW, kSmallH},
  };
  for (const auto& e : extras) expectBlob(e.set, e.blob, e.width, e.height);
}

TEST_F(CardArtworkTest, EveryBlobIdFitsTheBlobMap) {
  for (const auto& [setId, blobs] : database_->sets) {
    for (const BlobPicture& b : blobs) EXPECT_LT(b.id, 1400) << "set " << setId;
  }
}

// Cards fanned down a column show only their top rows: the index strip
// alone must tell every card of a deck from every other.
TEST_F(CardArtworkTest, TheIndexStripOfEveryFaceIsDistinctWithinItsDeck) {
  for (const FrontCase& f : kFronts) {
    const int strip = f.height == kLargeH ? 12 : 9;
    std::set<std::vector<uint32_t>> seen;
    for (int i = 0; i < 52; ++i) {
      const BlobPicture* b = blob(f.firstSet + (f.setPerSuit ? i / 13 : 0), f.firstBlob + i);
      ASSERT_NE(b, nullptr);
      seen.emplace(b->argb.begin(), b->argb.begin() + strip * b->width);
    }
    EXPECT_EQ(seen.size(), 52u) << "deck starting at " << f.firstBlob;
  }
}

TEST_F(CardArtworkTest, BacksAreDistinctAndFacesShareTheShadowsOutline) {
  std::set<std::vector<uint32_t>> backs;
  for (const BackPlace& p : backPlaces()) backs.insert(blob(p.largeSet, p.largeBlob)->argb);
  EXPECT_EQ(backs.size(), 29u);
  const BlobPicture* shadow = blob(102, 1234);
  const BlobPicture* face = blob(85, 977);
  ASSERT_TRUE(shadow && face);
  for (size_t i = 0; i < face->argb.size(); ++i) {
    EXPECT_EQ(face->argb[i] != 0, shadow->argb[i] != 0) << "pixel " << i;
  }
}

TEST(CardFaceOrder, SuitsRunOneThreeTwoZeroWithTheKingFirst) {
  EXPECT_EQ(faceBlob(977, 1, 13), 977);
  EXPECT_EQ(faceBlob(977, 1, 1), 989);
  EXPECT_EQ(faceBlob(977, 3, 13), 990);
  EXPECT_EQ(faceBlob(977, 2, 12), 1004);
  EXPECT_EQ(faceBlob(977, 0, 1), 1028);
}

}  // namespace
