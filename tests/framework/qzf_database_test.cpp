#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "../platform/database_fixture.h"
#include "qzf_database.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kUser = QZFourCC("USER");
constexpr uint32_t kForm = QZFourCC("Afrm");

using FrameworkDatabaseTest = DatabaseTest;

TEST_F(FrameworkDatabaseTest, AResourceDatabaseIsReadWholeOnOpenAndWrittenBackOnClose) {
  {
    CQZFRsrcDatabase db;
    ASSERT_TRUE(db.isValid());
    ASSERT_EQ(db.create(u"Forms", kCreator, kUser), 0);
    ASSERT_EQ(db.open(u"Forms", kCreator, kUser, false), 0);
    const uint8_t bytes[] = {1, 2, 3};
    ASSERT_EQ(db.addResource(kForm, 5, sizeof bytes, bytes), 0);
    EXPECT_EQ(db.getResourceSize(kForm, 5), 3);
    ASSERT_EQ(db.close(), 0);
  }
  CQZFRsrcDatabase db;
  ASSERT_EQ(db.open(u"Forms", kCreator, kUser, false), 0);
  const uint8_t* data = db.getResource(kForm, 5);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::memcmp(data, "\1\2\3", 3), 0);
  EXPECT_EQ(db.resizeResource(kForm, 5, 5), 0);
  EXPECT_EQ(db.getResourceSize(kForm, 5), 5);
  EXPECT_EQ(db.removeResource(kForm, 5), 0);
  EXPECT_EQ(db.getResource(kForm, 5), nullptr);
  EXPECT_EQ(db.getResourceSize(kForm, 5), 0);
  EXPECT_EQ(db.deleteDatabase(), 0);
  EXPECT_FALSE(std::filesystem::exists(savePath("Forms")));
}

TEST_F(FrameworkDatabaseTest, StatusCodesOfTheUnderlyingDatabaseComeThrough) {
  CQZFRsrcDatabase resources;
  EXPECT_EQ(resources.open(u"Missing", kCreator, kUser, false), QZ_ERR_NO_DATABASE);
  EXPECT_EQ(resources.save(), QZ_ERR_GENERAL);
  EXPECT_EQ(resources.deleteDatabase(), QZ_ERR_GENERAL);
  CQZFRecDatabase records;
  EXPECT_EQ(records.open(u"Missing", kCreator, kUser, false), QZ_ERR_NO_DATABASE);
  EXPECT_EQ(records.close(), QZ_ERR_GENERAL);
  EXPECT_EQ(records.getRecordCount(), 0);
  EXPECT_EQ(records.getRecord(0), nullptr);
}

TEST_F(FrameworkDatabaseTest, RecordsArePackedBigEndianThroughTheWrapper) {
  {
    CQZFRecDatabase db;
    ASSERT_EQ(db.create(u"Profile", kCreator, kUser), 0);
    ASSERT_EQ(db.open(u"Profile", kCreator, kUser, false), 0);
    uint16_t index = 0xFFFF;
    uint8_t* record = db.appendRecord(19, index);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(db.putU8(record, 0, 0xAB), 0);
    EXPECT_EQ(db.putU16(record, 1, 0x1234), 0);
    EXPECT_EQ(db.putU32(record, 3, 0xA1B2C3D4u), 0);
    EXPECT_EQ(db.putU64(record, 7, 0x0102030405060708ull), 0);
    EXPECT_EQ(db.putChars(record, "hi", 15, 2), 0);
    EXPECT_EQ(db.putText(record, u"\u00E9", 17, 1), 0);
    EXPECT_EQ(record[1], 0x12);
    EXPECT_EQ(record[3], 0xA1);
    EXPECT_EQ(record[7], 0x01);
    ASSERT_EQ(db.close(), 0);
  }
  CQZFRecDatabase db;
  ASSERT_EQ(db.open(u"Profile", kCreator, kUser, false), 0);
  ASSERT_EQ(db.getRecordCount(), 1);
  EXPECT_EQ(db.getRecordSize(0), 19);
  const uint8_t* record = db.getRecord(0);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(db.getU8(record, 0), 0xAB);
  EXPECT_EQ(db.getU16(record, 1), 0x1234);
  EXPECT_EQ(db.getU32(record, 3), 0xA1B2C3D4u);
  EXPECT_EQ(db.getU64(record, 7), 0x0102030405060708ull);
  char chars[3] = {};
  db.getChars(chars, record, 15, 2);
  EXPECT_STREQ(chars, "hi");
  char16_t text[2] = {};
  db.getText(text, record, 17, 1);
  EXPECT_EQ(text[0], u'\u00E9');  // text is stored one byte per character
  uint8_t block[2] = {};
  db.getBlock(block, record, 1, 2);
  EXPECT_EQ(block[0], 0x12);
  EXPECT_EQ(block[1], 0x34);
  EXPECT_EQ(db.releaseRecord(0), 0);
}

TEST_F(FrameworkDatabaseTest, FindDatabaseListsTheStoredDatabasesOfACreatorAndType) {
  CQZFRecDatabase maker;
  ASSERT_EQ(maker.create(u"Ann-QZSUser", kCreator, kUser), 0);
  ASSERT_EQ(maker.create(u"Bob-QZSUser", kCreator, kUser), 0);
  ASSERT_EQ(maker.create(u"Other", kCreator, QZFourCC("PREF")), 0);

  CQZFRecDatabase db;
  std::set<std::u16string> names;
  std::u16string name;
  for (QZStatus r = db.findDatabase(kCreator, kUser, true, name); r == 0; r = db.findDatabase(kCreator, kUser, false, name)) {
    names.insert(name);
  }
  EXPECT_EQ(names, (std::set<std::u16string>{u"Ann-QZSUser", u"Bob-QZSUser"}));
  CQZFRsrcDatabase resources;
  EXPECT_EQ(resources.findDatabase(kCreator, QZFourCC("PREF"), true, name), 0);
  EXPECT_EQ(name, u"Other");
}

}  // namespace
