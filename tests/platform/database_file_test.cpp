#include <gtest/gtest.h>

#include <cstring>

#include "database_fixture.h"
#include "base/byte_order.h"
#include "qz_core_database.h"
#include "qz_database_folders.h"
#include "qz_database_file.h"
#include "qz_record_database.h"
#include "qz_resource_database.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kAres = QZFourCC("ARES");

std::vector<uint8_t> twoResourceFile() {
  QZDatabaseHeader header;
  QZStoreDatabaseName(u"Alpha", header.name);
  header.attributes = QZ_DB_ATTRIBUTES_RESOURCE;
  header.type = kAres;
  header.creator = kCreator;
  const uint8_t a[5] = {1, 2, 3, 4, 5};
  const uint8_t b[3] = {6, 7, 8};
  std::vector<QZDatabaseItem> items(2);
  items[0].type = QZFourCC("aFRM");
  items[0].id = 1000;
  items[0].data = a;
  items[0].size = 5;
  items[1].type = QZFourCC("aSTR");
  items[1].id = 7;
  items[1].data = b;
  items[1].size = 3;
  std::vector<uint8_t> out;
  EXPECT_TRUE(QZBuildDatabase(header, QZDatabaseKind::Resource, items, out));
  return out;
}

}  // namespace

TEST(DatabaseFile, TwoResourcesLayoutAndSizes) {
  const std::vector<uint8_t> file = twoResourceFile();
  ASSERT_EQ(file.size(), 108u);
  EXPECT_EQ(base::loadBE16(file.data() + 32), 9);
  EXPECT_EQ(base::loadBE16(file.data() + 34), 1);
  EXPECT_EQ(base::loadBE32(file.data() + 78 + 6), 100u);
  EXPECT_EQ(base::loadBE32(file.data() + 88 + 6), 105u);
  EXPECT_EQ(file[98], 0);
  EXPECT_EQ(file[99], 0);
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  ASSERT_EQ(QZParseDatabase(file.data(), file.size(), file.size(), QZDatabaseKind::Resource, header, entries), 0);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].size, 5u);
  EXPECT_EQ(entries[1].size, 3u);
  EXPECT_EQ(header.type, kAres);
  EXPECT_TRUE(QZDatabaseNameMatches(header.name, u"Alpha"));
}

TEST(DatabaseFile, PutU32StoresHighByteFirst) {
  CQZCoreDatabaseWin32 core;
  uint8_t buffer[8] = {};
  core.putU32(buffer, 0, 0x41524553);
  EXPECT_EQ(std::memcmp(buffer, "ARES", 4), 0);
  core.putU64(buffer, 0, 0x0102030405060708ull);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[7], 8);
  EXPECT_EQ(core.getU64(buffer, 0), 0x0102030405060708ull);
  EXPECT_EQ(core.getU16(buffer, 6), 0x0708);
}

// Damaged directories must be refused before any size is trusted.
TEST(DatabaseFile, BadDirectoriesAreRefused) {
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    size_t truncateTo;
  };
  const Case cases[] = {
      {"offset into the directory", 78 + 6, 90, 0},
      {"offset past the end", 88 + 6, 200, 0},
      {"offsets going down", 88 + 6, 99, 0},
      {"count larger than the file", 76, 0xFFFF0000u, 0},
      {"file ends inside the gap", 0, 0, 98},
      {"file ends inside the header", 0, 0, 40},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = twoResourceFile();
    if (c.truncateTo != 0) {
      file.resize(c.truncateTo);
    } else if (c.at == 76) {
      base::storeBE16(file.data() + 76, static_cast<uint16_t>(c.value >> 16));
    } else {
      base::storeBE32(file.data() + c.at, c.value);
    }
    QZDatabaseHeader header;
    std::vector<QZDatabaseEntry> entries;
    EXPECT_EQ(QZParseDatabase(file.data(), file.size(), file.size(), QZDatabaseKind::Resource, header, entries), -1)
        << c.what;
    EXPECT_TRUE(entries.empty()) << c.what;
  }
}

TEST(DatabaseFile, NameRules) {
  struct Case {
    const char16_t* name;
    bool valid;
  };
  const Case cases[] = {
      {u"Alpha", true},
      {u"Pellwyn-Settings", true},
      {u"Zo\u00EB-QZSUser", true},
      {u"", false},
      {u"..", false},
      {u".", false},
      {u"a\\b", false},
      {u"a/b", false},
      {u"a:b", false},
      {u"tab\there", false},
      {u"\u0141ukasz", false},
      {u"0123456789012345678901234567890", true},
      {u"01234567890123456789012345678901", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QZIsValidDatabaseName(c.name), c.valid) << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
  }
  uint8_t stored[32];
  QZStoreDatabaseName(u"Zo\u00EB", stored);
  EXPECT_EQ(stored[2], 0xEB);
  EXPECT_TRUE(QZDatabaseNameMatches(stored, u"Zo\u00EB"));
  EXPECT_FALSE(QZDatabaseNameMatches(stored, u"Zo"));
}

using CoreDatabaseTest = DatabaseTest;

TEST_F(CoreDatabaseTest, NewDatabasesAreEightyBytes) {
  CQZResourceDatabaseWin32 resources;
  CQZRecordDatabaseWin32 records;
  ASSERT_EQ(resources.create(u"Res", kCreator, QZFourCC("PREF")), 0);
  ASSERT_EQ(records.create(u"Rec", kCreator, QZFourCC("USER")), 0);
  const std::vector<uint8_t> res = readFile(savePath("Res"));
  const std::vector<uint8_t> rec = readFile(savePath("Rec"));
  ASSERT_EQ(res.size(), 80u);
  ASSERT_EQ(rec.size(), 80u);
  EXPECT_EQ(base::loadBE16(res.data() + 32), 9);
  EXPECT_EQ(base::loadBE16(rec.data() + 32), 8);
  EXPECT_EQ(base::loadBE16(res.data() + 34), 1);
  EXPECT_EQ(base::loadBE32(res.data() + 60), QZFourCC("PREF"));
  EXPECT_EQ(base::loadBE32(res.data() + 64), kCreator);
  EXPECT_EQ(std::memcmp(res.data(), "Res\0", 4), 0);
  for (size_t i = 36; i < 60; ++i) EXPECT_EQ(res[i], 0) << i;
  for (size_t i = 68; i < 80; ++i) EXPECT_EQ(res[i], 0) << i;
}

TEST_F(CoreDatabaseTest, CreateFallsBackToTheCurrentFolderWithoutSaveDir) {
  setFolder(u"SaveDir", nullptr);
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Beta", kCreator, kAres), 0);
  EXPECT_TRUE(std::filesystem::exists(root_ / "Beta.pdb"));
  std::u16string path;
  CQZCoreDatabaseWin32 core;
  ASSERT_TRUE(core.buildPath(path, u"Beta", true, 12, false));
  EXPECT_EQ(path, u".\\Beta.pdb");
  EXPECT_FALSE(core.buildPath(path, u"Beta", true, 0, false));
}

TEST_F(CoreDatabaseTest, FolderValuesComeFromTheInstallKey) {
  setFolder(u"SaveDir3", u"\\extra");
  std::u16string folder;
  EXPECT_TRUE(QZGetDatabaseFolder(5, folder));
  EXPECT_EQ(folder, u"\\extra");
  EXPECT_FALSE(QZGetDatabaseFolder(4, folder));
  EXPECT_TRUE(QZGetDatabaseFolder(1, folder));
  EXPECT_EQ(folder, u"\\install");
  EXPECT_FALSE(QZGetDatabaseFolder(13, folder));
  // A value stored without its terminator is read safely.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn", 0, KEY_ALL_ACCESS, &key), 0);
  const std::u16string full(200, u'x');
  RegSetValueEx(key, u"SaveDir0", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.data()), 256);
  RegCloseKey(key);
  EXPECT_TRUE(QZGetDatabaseFolder(2, folder));
  EXPECT_EQ(folder, std::u16string(128, u'x'));
}

TEST_F(CoreDatabaseTest, FindWalksEverySlotAndCutsNames) {
  writeFile(savePath("Alpha"), twoResourceFile());
  writeFile(installPath("Alpha"), twoResourceFile());
  writeFile(installPath("Other"), {1, 2, 3});
  const std::string longName(40, 'L');
  writeFile(installPath(longName), twoResourceFile());
  CQZCoreDatabaseWin32 core;
  std::vector<std::u16string> found;
  std::u16string name;
  for (bool first = true; core.findNextDatabase(kCreator, kAres, first, name) == 0; first = false) found.push_back(name);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0], u"Alpha");
  EXPECT_EQ(found[1], u"Alpha");
  EXPECT_EQ(found[2], std::u16string(31, u'L'));
  EXPECT_EQ(core.findNextDatabase(kCreator, kAres, false, name), -1);
}

TEST_F(CoreDatabaseTest, OverlongPathsGiveNoFolder) {
  CQZCoreDatabaseWin32 core;
  std::u16string path;
  const std::u16string name(260, u'x');
  EXPECT_FALSE(core.buildPath(path, name.c_str(), true, 1, false));
}
