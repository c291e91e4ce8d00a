#include <gtest/gtest.h>

#include <cstring>

#include "database_fixture.h"
#include "base/byte_order.h"
#include "qz_record_database.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kUser = QZFourCC("USER");

using RecordDatabaseTest = DatabaseTest;

}  // namespace

TEST_F(RecordDatabaseTest, CreateOpenAppendAndReadBack) {
  CQZRecordDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Ann-QZSUser", kCreator, kUser), 0);
  ASSERT_EQ(db.open(u"Ann-QZSUser", kCreator, kUser, false), 0);
  EXPECT_EQ(db.getRecordCount(), 0);
  EXPECT_EQ(db.getRecord(0), nullptr);
  uint16_t index = 99;
  for (uint16_t i = 0; i < 3; ++i) {
    uint8_t* data = db.appendRecord(4, index);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(index, i);
    EXPECT_EQ(data[3], 0);
    std::memset(data, 'a' + i, 3);
  }
  ASSERT_NE(db.appendRecord(0, index), nullptr);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(db.getRecordCount(), 4);
  EXPECT_EQ(db.getRecord(4), nullptr);
  EXPECT_EQ(db.getRecordSize(4), 0);
  EXPECT_EQ(db.releaseRecord(1), 0);
  ASSERT_EQ(db.close(), 0);
  EXPECT_EQ(db.close(), -1);

  const std::vector<uint8_t> file = readFile(savePath("Ann-QZSUser"));
  ASSERT_EQ(file.size(), 80u + 4 * 8 + 12);
  EXPECT_EQ(base::loadBE32(file.data() + 78), 80u + 32);

  ASSERT_EQ(db.open(u"Ann-QZSUser", kCreator, kUser, false), 0);
  ASSERT_EQ(db.getRecordCount(), 4);
  EXPECT_EQ(db.getRecordSize(1), 4);
  EXPECT_EQ(db.getRecord(1)[0], 'b');
  EXPECT_EQ(db.getRecordSize(3), 0);
}

TEST_F(RecordDatabaseTest, KeepsAttributeAndUniqueIdBytes) {
  CQZRecordDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Keep", kCreator, kUser), 0);
  ASSERT_EQ(db.open(u"Keep", kCreator, kUser, false), 0);
  uint16_t index = 0;
  db.appendRecord(2, index);
  ASSERT_EQ(db.close(), 0);
  std::vector<uint8_t> file = readFile(savePath("Keep"));
  const uint8_t kept[4] = {0x40, 0xBC, 0x00, 0x01};
  std::memcpy(file.data() + 82, kept, 4);
  base::storeBE32(file.data() + 36, 0x12345678);  // a creation date: written back as read
  writeFile(savePath("Keep"), file);
  ASSERT_EQ(db.open(u"Keep", kCreator, kUser, false), 0);
  ASSERT_EQ(db.save(), 0);
  EXPECT_EQ(readFile(savePath("Keep")), file);
}

// A file without the 2-byte gap: data is read at the stored offsets.
TEST_F(RecordDatabaseTest, ReadsAtStoredOffsetsWithoutGap) {
  std::vector<uint8_t> file(78 + 16 + 5, 0);
  std::memcpy(file.data(), "NoGap", 5);
  base::storeBE32(file.data() + 60, QZFourCC("TEXt"));
  base::storeBE32(file.data() + 64, QZFourCC("REAd"));
  base::storeBE16(file.data() + 76, 2);
  base::storeBE32(file.data() + 78, 94);
  base::storeBE32(file.data() + 86, 96);
  std::memcpy(file.data() + 94, "HIabc", 5);
  writeFile(savePath("NoGap"), file);
  CQZRecordDatabaseWin32 db;
  ASSERT_EQ(db.open(u"NoGap", QZFourCC("REAd"), QZFourCC("TEXt"), true), 0);
  ASSERT_EQ(db.getRecordCount(), 2);
  ASSERT_EQ(db.getRecordSize(0), 2);
  EXPECT_EQ(std::memcmp(db.getRecord(0), "HI", 2), 0);
  EXPECT_EQ(std::memcmp(db.getRecord(1), "abc", 3), 0);
}

TEST_F(RecordDatabaseTest, DeleteAndClosedCodes) {
  CQZRecordDatabaseWin32 db;
  EXPECT_EQ(db.open(u"None", kCreator, kUser, false), -12);
  EXPECT_EQ(db.deleteDatabase(), -1);
  ASSERT_EQ(db.create(u"Gone", kCreator, kUser), 0);
  ASSERT_EQ(db.open(u"Gone", kCreator, kUser, false), 0);
  EXPECT_EQ(db.open(u"Gone", kCreator, kUser, false), -12);
  EXPECT_EQ(db.deleteDatabase(), 0);
  EXPECT_FALSE(std::filesystem::exists(savePath("Gone")));
  EXPECT_EQ(db.getRecordCount(), 0);
}
