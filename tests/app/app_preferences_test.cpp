// The player list: adding, removing and finding players, and the stored
// record that brings back the current player.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app_preferences.h"
#include "app_serialise_stream.h"
#include "qz_preferences.h"
#include "test_scratch.h"
#include "wince/host/file.h"

namespace {

std::u16string nameOf(const CAppPreferences& p, int i) {
  char16_t out[CAppPreferences::kNameUnits] = {};
  return p.getName(i, out) ? std::u16string(out) : u"?";
}

class PlayerListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto root = scratchFolder();
    std::filesystem::remove_all(root);
    ASSERT_TRUE(wince::setDeviceRoot(root));
    QZSetPreferencesOwner(u"Pellwyn", QZFourCC("QzSo"));
    ASSERT_EQ(QZOpenPreferences(), 0);
    list_.setDefaults();
  }
  void TearDown() override { QZClosePreferences(); }

  void add(std::initializer_list<const char16_t*> names) {
    for (const char16_t* n : names) ASSERT_TRUE(list_.addUser(n, nullptr)) << std::u16string(n).size();
  }

  CAppPreferences list_{nullptr};
};

}  // namespace

TEST_F(PlayerListTest, AddingSetsCurrentAndRefusesLongDuplicateAndNinthNames) {
  int16_t index = -1;
  ASSERT_TRUE(list_.addUser(u"Ann", &index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(list_.getCurrent(), 0);
  EXPECT_TRUE(list_.addUser(u"0123456789", &index));  // ten units
  EXPECT_EQ(list_.getCurrent(), 1);
  EXPECT_FALSE(list_.addUser(u"01234567890", &index));  // eleven
  EXPECT_FALSE(list_.addUser(u"Ann", &index));
  add({u"C", u"D", u"E", u"F", u"G", u"H"});
  EXPECT_EQ(list_.getCount(), 8);
  EXPECT_FALSE(list_.addUser(u"Ninth", &index));
  EXPECT_EQ(list_.find(u"G"), 6);
  EXPECT_EQ(list_.find(u"g"), -1);
  char16_t database[CAppPreferences::kDatabaseNameUnits] = {};
  ASSERT_TRUE(list_.getDatabaseName(1, database));
  EXPECT_EQ(std::u16string(database), u"0123456789-QZSUser");
  EXPECT_FALSE(list_.getDatabaseName(8, database));
}

TEST_F(PlayerListTest, DeletingKeepsTheCurrentPlayerWhereItCan) {
  add({u"A", u"B", u"C"});
  list_.setCurrent(2);
  ASSERT_TRUE(list_.deleteUser(0));
  EXPECT_EQ(list_.getCurrent(), 1);
  EXPECT_EQ(nameOf(list_, 1), u"C");
  // The current one goes: the index stays, now naming the next (or none).
  ASSERT_TRUE(list_.deleteUser(1));
  EXPECT_EQ(list_.getCurrent(), 1);
  EXPECT_FALSE(list_.isValidIndex(1));
  EXPECT_FALSE(list_.deleteUser(1));
  EXPECT_FALSE(list_.deleteUser(-1));
}

TEST_F(PlayerListTest, TheRecordBringsBackTheCurrentPlayer) {
  add({u"Ann", u"Bob"});
  list_.setCurrent(1);
  ASSERT_EQ(list_.save(), 0);
  EXPECT_EQ(QZGetPreferencesSize(CAppPreferences::kPreferencesId, true), 4 + 33);
  CAppPreferences loaded(nullptr);
  ASSERT_EQ(loaded.load(), 0);
  EXPECT_EQ(loaded.getCurrent(), 1);
  EXPECT_EQ(nameOf(loaded, 1), u"Bob");
}

TEST_F(PlayerListTest, NoCurrentPlayerIsStoredWithoutAName) {
  add({u"Ann"});
  list_.setCurrent(-1);
  ASSERT_EQ(list_.save(), 0);
  CAppPreferences loaded(nullptr);
  ASSERT_EQ(loaded.load(), 0);
  EXPECT_EQ(loaded.getCurrent(), -1);
  EXPECT_EQ(loaded.getCount(), 1);
  EXPECT_EQ(nameOf(loaded, 0), u"");
}

// Records no save writes: a count past eight, a current index past the
// count, a name without its terminator.
TEST_F(PlayerListTest, ARecordThatCannotBeIsRefused) {
  struct Case {
    uint16_t count, current;
    char16_t lastUnit;
  };
  for (const Case c : {Case{9, 0, 0}, Case{2, 2, 0}, Case{2, 0xFFFE, 0}, Case{1, 0, u'x'}}) {
    uint8_t block[33] = {};
    SerialiseStream writer{SERIALISE_WRITE_MEMORY, block, sizeof block, 7, nullptr};
    uint16_t fields[2] = {c.count, c.current};
    ASSERT_EQ(serialiseU16(writer, fields, 2), 0);
    uint16_t name[11] = {u'A', u'B', u'C', u'D', u'E', u'F', u'G', u'H', u'I', u'J', c.lastUnit};
    ASSERT_EQ(serialiseU16Array(writer, 11, name), 0);
    CAppPreferences read(nullptr);
    SerialiseStream reader{SERIALISE_READ_MEMORY, block, sizeof block, 0, nullptr};
    EXPECT_LT(read.serialiseSettings(reader), 0) << c.count << " " << c.current;
    EXPECT_EQ(read.getCount(), 0);
  }
}
