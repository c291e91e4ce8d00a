#include <gtest/gtest.h>

#include <cstring>

#include "database_fixture.h"
#include "base/byte_order.h"
#include "qz_resource_database.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kType = QZFourCC("ARES");
constexpr uint32_t kA = QZFourCC("aAAA");
constexpr uint32_t kB = QZFourCC("aBBB");

class ResourceDatabaseTest : public DatabaseTest {
 protected:
  // A database "Data" holding A (10 bytes 0..9) and B ("xyz"), in that order.
  void makeData() {
    CQZResourceDatabaseWin32 db;
    ASSERT_EQ(db.create(u"Data", kCreator, kType), 0);
    ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
    const uint8_t a[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_EQ(db.addResource(kB, 2, 3, "xyz"), 0);
    ASSERT_EQ(db.addResource(kA, 1, 10, a), 0);
    ASSERT_EQ(db.close(), 0);
  }
  // The types in file order.
  std::vector<uint32_t> fileOrder() {
    const std::vector<uint8_t> file = readFile(savePath("Data"));
    std::vector<uint32_t> types;
    for (uint16_t i = 0; i < base::loadBE16(file.data() + 76); ++i) types.push_back(base::loadBE32(file.data() + 78 + 10 * i));
    return types;
  }
};

}  // namespace

TEST_F(ResourceDatabaseTest, AddsGoFirstAndSaveKeepsListOrder) {
  makeData();
  EXPECT_EQ(fileOrder(), (std::vector<uint32_t>{kA, kB}));
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.addResource(QZFourCC("c111"), 0, 1, "1"), 0);
  ASSERT_EQ(db.addResource(QZFourCC("c222"), 0, 1, "2"), 0);
  ASSERT_EQ(db.close(), 0);
  EXPECT_EQ(fileOrder(), (std::vector<uint32_t>{QZFourCC("c222"), QZFourCC("c111"), kA, kB}));
}

TEST_F(ResourceDatabaseTest, OpenSaveIsByteIdentical) {
  makeData();
  const std::vector<uint8_t> before = readFile(savePath("Data"));
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.save(), 0);
  EXPECT_EQ(readFile(savePath("Data")), before);
}

TEST_F(ResourceDatabaseTest, EditingRules) {
  makeData();
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  EXPECT_EQ(db.addResource(kA, 1, 2, "zz"), -1);
  EXPECT_EQ(db.getResourceSize(kA, 1), 10);
  EXPECT_EQ(db.getResource(kA, 1)[0], 0);

  ASSERT_EQ(db.resizeResource(kA, 1, 4), 0);
  EXPECT_EQ(db.getResourceSize(kA, 1), 4);
  ASSERT_EQ(db.resizeResource(kA, 1, 20), 0);
  const uint8_t* a = db.getResource(kA, 1);
  EXPECT_EQ(a[3], 3);
  for (int i = 4; i < 20; ++i) EXPECT_EQ(a[i], 0) << i;

  EXPECT_EQ(db.resizeResource(kA, 9, 4), -1);
  EXPECT_EQ(db.removeResource(kA, 9), -1);
  EXPECT_EQ(db.removeResource(kA, 1), 0);
  EXPECT_EQ(db.getResource(kA, 1), nullptr);
  EXPECT_EQ(db.count(), 1);

  uint8_t out[8] = {};
  EXPECT_EQ(db.readResource(kB, 2, 2, out), 2);
  EXPECT_EQ(out[1], 'y');
  EXPECT_EQ(db.readResource(kB, 3, 2, out), 0);
  EXPECT_EQ(db.releaseResource(kB, 2), -1);
  EXPECT_EQ(db.loadResource(kB, 3), -5);
  EXPECT_EQ(db.unloadResource(kB, 3), -5);
}

TEST_F(ResourceDatabaseTest, IdFFFFIsNeverReturned) {
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Data", kCreator, kType), 0);
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.addResource(kA, 0xFFFF, 1, "x"), 0);
  EXPECT_EQ(db.getResource(kA, 0xFFFF), nullptr);
  // Presence is tested on the entry, not its data: no duplicate is added.
  EXPECT_EQ(db.addResource(kA, 0xFFFF, 1, "y"), -1);
  EXPECT_EQ(db.getResourceSize(kA, 0xFFFF), 1);
}

TEST_F(ResourceDatabaseTest, OnDemandReadsDataOnFirstUseAndIsNeverSaved) {
  makeData();
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, true, false), 0);
  EXPECT_TRUE(db.isPartial());
  // Change A's bytes in the file after open: the first lookup reads them.
  std::vector<uint8_t> file = readFile(savePath("Data"));
  const uint32_t offsetA = base::loadBE32(file.data() + 78 + 6);
  file[offsetA] = 0x77;
  writeFile(savePath("Data"), file);
  ASSERT_NE(db.getResource(kA, 1), nullptr);
  EXPECT_EQ(db.getResource(kA, 1)[0], 0x77);
  EXPECT_EQ(db.save(), -1);
  EXPECT_EQ(db.close(), 0);
  EXPECT_EQ(readFile(savePath("Data")), file);
}

TEST_F(ResourceDatabaseTest, UnloadMakesItPartial) {
  makeData();
  const std::vector<uint8_t> before = readFile(savePath("Data"));
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.unloadResource(kA, 1), 0);
  ASSERT_EQ(db.addResource(kA, 5, 1, "q"), 0);
  EXPECT_EQ(db.save(), -1);
  EXPECT_EQ(db.close(), 0);
  EXPECT_EQ(readFile(savePath("Data")), before);
}

TEST_F(ResourceDatabaseTest, LoadAllFillsEveryEntry) {
  makeData();
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, true, false), 0);
  ASSERT_EQ(db.loadAllResources(), 0);
  std::filesystem::remove(savePath("Data"));
  ASSERT_NE(db.getResource(kB, 2), nullptr);
  EXPECT_EQ(std::memcmp(db.getResource(kB, 2), "xyz", 3), 0);
  ASSERT_EQ(db.unloadAllResources(), 0);
  EXPECT_EQ(db.getResource(kB, 2), nullptr);
  EXPECT_EQ(db.readResource(kB, 2, 3, nullptr), 0xFFFF);
}

TEST_F(ResourceDatabaseTest, OpenCodes) {
  makeData();
  CQZResourceDatabaseWin32 db;
  EXPECT_EQ(db.open(u"Missing", kCreator, kType, false, false), -12);
  EXPECT_EQ(db.open(u"Data", kCreator, QZFourCC("PREF"), false, false), -12);
  EXPECT_EQ(db.open(u"..", kCreator, kType, false, false), -12);
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  EXPECT_EQ(db.open(u"Data", kCreator, kType, false, false), -12);
  EXPECT_EQ(db.close(), 0);
  EXPECT_EQ(db.close(), -1);
  EXPECT_EQ(db.save(), -1);

  std::vector<uint8_t> file = readFile(savePath("Data"));
  base::storeBE32(file.data() + 78 + 6, 3);  // offset into the header
  writeFile(savePath("Data"), file);
  EXPECT_EQ(db.open(u"Data", kCreator, kType, false, false), -1);
  EXPECT_EQ(db.open(u"Data", kCreator, kType, true, false), -1);
}

TEST_F(ResourceDatabaseTest, StoredNameMustMatchUnlessAnyName) {
  makeData();
  std::filesystem::rename(savePath("Data"), savePath("Renamed"));
  CQZResourceDatabaseWin32 db;
  EXPECT_EQ(db.open(u"Renamed", kCreator, kType, false, false), -12);
  EXPECT_EQ(db.open(u"Renamed", kCreator, kType, false, true), 0);
}

TEST_F(ResourceDatabaseTest, SaveDirWinsOverInstallDir) {
  makeData();
  std::filesystem::copy_file(savePath("Data"), installPath("Data"));
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.addResource(kA, 7, 1, "n"), 0);
  ASSERT_EQ(db.close(), 0);
  EXPECT_GT(readFile(savePath("Data")).size(), readFile(installPath("Data")).size());
}

TEST_F(ResourceDatabaseTest, FailedSaveKeepsTheOldFile) {
  makeData();
  const std::vector<uint8_t> before = readFile(savePath("Data"));
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.addResource(kA, 8, 1, "n"), 0);
  // The temporary file cannot be made when a folder stands in its place.
  std::filesystem::create_directories(savePath("Data").string() + ".tmp");
  EXPECT_EQ(db.save(), -1);
  EXPECT_EQ(readFile(savePath("Data")), before);
  EXPECT_NE(db.getResource(kA, 8), nullptr);
  std::filesystem::remove(savePath("Data").string() + ".tmp");
  EXPECT_EQ(db.save(), 0);
  EXPECT_NE(readFile(savePath("Data")), before);
}

TEST_F(ResourceDatabaseTest, DeleteReportsAFileThatCouldNotBeRemoved) {
  makeData();
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  EXPECT_EQ(db.deleteDatabase(), 0);
  EXPECT_FALSE(std::filesystem::exists(savePath("Data")));
  EXPECT_FALSE(db.isOpen());
  makeData();
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  std::filesystem::remove(savePath("Data"));
  EXPECT_EQ(db.deleteDatabase(), -1);
  EXPECT_FALSE(db.isOpen());
}

TEST_F(ResourceDatabaseTest, DestructorSavesACompleteDatabase) {
  makeData();
  {
    CQZResourceDatabaseWin32 db;
    ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
    ASSERT_EQ(db.addResource(kA, 3, 2, "hi"), 0);
  }
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  EXPECT_EQ(db.getResourceSize(kA, 3), 2);
}

TEST_F(ResourceDatabaseTest, LargeResourcesKeepTheirFullSize) {
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Big", kCreator, kType), 0);
  ASSERT_EQ(db.open(u"Big", kCreator, kType, false, false), 0);
  std::vector<uint8_t> big(70000, 0x5A);
  ASSERT_EQ(db.addResource(kA, 1, static_cast<uint32_t>(big.size()), big.data()), 0);
  EXPECT_EQ(db.getResourceSize(kA, 1), 0xFFFF);
  EXPECT_EQ(db.getResourceLength(kA, 1), 70000u);
  ASSERT_EQ(db.close(), 0);
  ASSERT_EQ(db.open(u"Big", kCreator, kType, true, false), 0);
  EXPECT_EQ(db.getResourceLength(kA, 1), 70000u);
  EXPECT_EQ(db.getResource(kA, 1)[69999], 0x5A);
}

TEST_F(ResourceDatabaseTest, TheEntryCountCannotWrap) {
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Full", kCreator, kType), 0);
  ASSERT_EQ(db.open(u"Full", kCreator, kType, false, false), 0);
  for (uint32_t i = 0; i < 0xFFFF; ++i) ASSERT_EQ(db.addResource(kA, static_cast<uint16_t>(i), 0, nullptr), 0);
  EXPECT_EQ(db.addResource(kB, 1, 1, "x"), -1);
  EXPECT_EQ(db.count(), 0xFFFF);
  db.unloadAllResources();  // nothing to write
}

// Blocks that are not carried over must not be pointed at on save.
TEST_F(ResourceDatabaseTest, ApplicationAndSortInfoOffsetsAreDropped) {
  makeData();
  std::vector<uint8_t> file = readFile(savePath("Data"));
  base::storeBE32(file.data() + 52, 100);
  base::storeBE32(file.data() + 56, 101);
  writeFile(savePath("Data"), file);
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  ASSERT_EQ(db.close(), 0);
  file = readFile(savePath("Data"));
  EXPECT_EQ(base::loadBE32(file.data() + 52), 0u);
  EXPECT_EQ(base::loadBE32(file.data() + 56), 0u);
}

// A file from another tool may hold one type and id twice: the first is the
// one every lookup finds, and the database never comes to hold two of them.
TEST_F(ResourceDatabaseTest, ATwinFromAnotherToolIsDroppedOnOpen) {
  makeData();
  std::vector<uint8_t> file = readFile(savePath("Data"));
  base::storeBE32(file.data() + 78 + 10, kA);  // B becomes a second A 1
  base::storeBE16(file.data() + 78 + 14, 1);
  writeFile(savePath("Data"), file);
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Data", kCreator, kType, false, false), 0);
  EXPECT_EQ(db.count(), 1);
  EXPECT_EQ(db.getResourceSize(kA, 1), 10);
  ASSERT_EQ(db.removeResource(kA, 1), 0);
  EXPECT_EQ(db.getResource(kA, 1), nullptr);
  ASSERT_EQ(db.addResource(kA, 1, 3, "new"), 0);
  ASSERT_EQ(db.close(), 0);
  file = readFile(savePath("Data"));
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  ASSERT_EQ(QZParseDatabase(file.data(), file.size(), file.size(), QZDatabaseKind::Resource, header, entries), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].size, 3u);
  EXPECT_EQ(std::memcmp(file.data() + entries[0].offset, "new", 3), 0);
}
