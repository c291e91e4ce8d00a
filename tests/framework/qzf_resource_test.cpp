#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics_fixture.h"
#include "qz_blob.h"
#include "qz_plane.h"
#include "qz_resource_manager.h"
#include "qzf_application.h"
#include "qzf_resource.h"
#include "string_source.h"

namespace {

constexpr uint32_t kPln = QZFourCC("aPLN");
constexpr uint32_t kBst = QZFourCC("aBST");

// A 2x1 raw PLN image.
std::vector<uint8_t> rawPln() {
  std::vector<uint8_t> b(17, 0);
  b[1] = 17;
  b[9] = 4;   // data length
  b[11] = 2;  // width
  b[13] = 1;  // height
  b.insert(b.end(), {0x1F, 0x00, 0xE0, 0x07});
  return b;
}

// An empty blob set: header, a one-colour palette, no blobs.
std::vector<uint8_t> emptyBlobSet() {
  std::vector<uint8_t> b(15, 0);
  b[1] = 15;
  b[14] = 1;
  b.insert(b.end(), {0, 0});
  return b;
}

class ReportingApp : public CQZFApplication {
 public:
  void reportError(const char* source, int line, int16_t code) override {
    reports.push_back(std::string(source) + ":" + std::to_string(line) + ":" + std::to_string(code));
  }
  std::vector<std::string> reports;
};

class ResourceManagerTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    CQZResourceManager::instance().addSource(
        std::make_unique<StringSource>(std::map<uint16_t, std::u16string>{{10, u"Up"}, {11, u"Down the line"}}));
  }
  void TearDown() override {
    GraphicsTest::TearDown();
    CQZResourceManager::instance().reset();
  }

  CQZFResourceManager manager_;
};

TEST_F(ResourceManagerTest, IsKindFourAndFoundFromBelow) {
  ReportingApp app;
  CQZFResourceManager manager(&app);
  CQZFObject child(&manager);
  EXPECT_EQ(manager.getKind(), kQZFKindResourceManager);
  EXPECT_EQ(child.find(kQZFKindResourceManager), &manager);
  EXPECT_EQ(manager.init(), 0);
  EXPECT_EQ(manager.shutdown(), 0);
}

TEST_F(ResourceManagerTest, StringsAreCopiedWithinTheBufferAndAbsentOnesLeaveItAlone) {
  EXPECT_EQ(manager_.getStringLength(11), 13);
  EXPECT_EQ(manager_.getStringLength(99), 0);

  char16_t buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  manager_.getString(11, buffer, 5);
  EXPECT_EQ(std::u16string(buffer), u"Down");
  EXPECT_EQ(buffer[5], u'#');

  manager_.getString(10, buffer, 8);
  EXPECT_EQ(std::u16string(buffer), u"Up");

  std::fill(std::begin(buffer), std::end(buffer), u'#');
  manager_.getString(99, buffer, 8);
  EXPECT_EQ(std::u16string(buffer, 8), u"########");
}

TEST_F(ResourceManagerTest, APlaneSharedByTwoUsersIsLoadedOnceAndFreedWithTheLast) {
  resources_[{kPln, 7}] = rawPln();
  EXPECT_EQ(manager_.loadPlane(7), 0);
  ASSERT_NE(QZGetPlane(7, false), nullptr);
  resources_.clear();  // a second load would fail: the plane must be kept, not reloaded
  EXPECT_EQ(manager_.loadPlane(7), 0);
  EXPECT_EQ(manager_.useCount(kPln, 7), 2);

  manager_.releasePlane(7);
  EXPECT_NE(QZGetPlane(7, false), nullptr);
  manager_.releasePlane(7);
  EXPECT_EQ(QZGetPlane(7, false), nullptr);
  EXPECT_EQ(manager_.useCount(kPln, 7), 0);
}

TEST_F(ResourceManagerTest, APlaneDeletedBehindTheManagersBackIsLoadedAgain) {
  resources_[{kPln, 3}] = rawPln();
  ASSERT_EQ(manager_.loadPlane(3), 0);
  QZDeletePlane(3);
  EXPECT_EQ(manager_.loadPlane(3), 0);
  EXPECT_NE(QZGetPlane(3, false), nullptr);
}

TEST_F(ResourceManagerTest, AMissingPlaneCountsItsUserButLoadsNothing) {
  EXPECT_EQ(manager_.loadPlane(5), 0);
  EXPECT_EQ(QZGetPlane(5, false), nullptr);
  EXPECT_EQ(manager_.useCount(kPln, 5), 1);
  manager_.releasePlane(5);
  manager_.releasePlane(12);  // never loaded: nothing
  EXPECT_EQ(manager_.useCount(kPln, 12), 0);
}

TEST_F(ResourceManagerTest, BlobSetsAreUseCounted) {
  resources_[{kBst, 4}] = emptyBlobSet();
  EXPECT_EQ(manager_.loadBlobSet(4, 0), 0);
  EXPECT_EQ(manager_.loadBlobSet(4, 0), 0);
  ASSERT_NE(QZFindBlobSet(4), nullptr);
  manager_.releaseBlobSet(4);
  EXPECT_NE(QZFindBlobSet(4), nullptr);
  manager_.releaseBlobSet(4);
  EXPECT_EQ(QZFindBlobSet(4), nullptr);
}

TEST_F(ResourceManagerTest, ReleasingABlobSetThatNeverLoadedDoesNothing) {
  resources_[{kBst, 6}] = emptyBlobSet();
  ASSERT_EQ(QZLoadBlobSet(6, 0), 0);  // loaded by someone else
  manager_.releaseBlobSet(6);
  EXPECT_EQ(manager_.loadBlobSet(9, 0), 0);  // absent: counted, not loaded
  manager_.releaseBlobSet(9);
  EXPECT_NE(QZFindBlobSet(6), nullptr);
  EXPECT_EQ(manager_.useCount(kBst, 9), 1);
  QZUnloadBlobSet(6);
}

TEST_F(ResourceManagerTest, ACopiedBlobSetIsFreedWithItsLastUserAndAFailedCopyKeepsItsCount) {
  EXPECT_EQ(manager_.copyBlobSet(20, 21, 100), -5);  // no source set
  EXPECT_EQ(manager_.useCount(kBst, 21), 1);
  EXPECT_EQ(QZFindBlobSet(21), nullptr);

  resources_[{kBst, 20}] = emptyBlobSet();
  ASSERT_EQ(manager_.loadBlobSet(20, 0), 0);
  EXPECT_EQ(manager_.copyBlobSet(20, 21, 100), 0);
  ASSERT_NE(QZFindBlobSet(21), nullptr);
  EXPECT_EQ(manager_.useCount(kBst, 21), 2);
  manager_.releaseBlobSet(21);
  EXPECT_NE(QZFindBlobSet(21), nullptr);
  manager_.releaseBlobSet(21);
  EXPECT_EQ(QZFindBlobSet(21), nullptr);
  manager_.releaseBlobSet(20);
}

TEST_F(ResourceManagerTest, ALockHoldsOneResourceAtATime) {
  resources_.clear();
  QZResourceLock lock;
  EXPECT_EQ(lock.lock(QZ_TYPE_TSTR, 42), nullptr);
  EXPECT_EQ(lock.size(), 0u);
  const uint8_t* data = lock.lock(QZ_TYPE_TSTR, 10);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(lock.size(), 4u);
  EXPECT_EQ(lock.lockStringLength(11), 13);

  char16_t buffer[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(lock.copyString(11, buffer, 4), 1);
  EXPECT_EQ(std::u16string(buffer), u"Dow");
  EXPECT_EQ(lock.copyString(11, buffer, 1), 0);  // room for the terminator only
  EXPECT_EQ(lock.copyString(77, buffer, 4), 0);
  lock.unlock();
  EXPECT_EQ(lock.size(), 0u);
}

}  // namespace
