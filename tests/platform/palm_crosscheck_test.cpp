// Cross-checks of the database file format against an independent reader and
// writer, Debian's Palm::PDB (package libpalm-pdb-perl).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "database_fixture.h"
#include "qz_record_database.h"
#include "qz_resource_database.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");

const std::string kScript = std::string(PELLWYN_SOURCE_DIR) + "/tests/platform/palm/palm_pdb.pl";

bool palmAvailable() {
  static const bool available = std::system("perl -MPalm::PDB -MPalm::Raw -e 1 >/dev/null 2>&1") == 0;
  return available;
}

// Runs the script and returns what it printed; "" on failure.
std::string palm(const std::string& command, const std::filesystem::path& file) {
  const std::string line = "perl '" + kScript + "' " + command + " '" + file.string() + "'";
  std::string out;
  if (FILE* pipe = popen(line.c_str(), "r")) {
    char buffer[512];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    if (pclose(pipe) != 0) out.clear();
  }
  return out;
}

uint32_t code(const std::string& text) {
  return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) | (uint32_t(uint8_t(text[2])) << 8) |
         uint8_t(text[3]);
}

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class PalmCrossCheck : public DatabaseTest {
 protected:
  void SetUp() override {
    if (!palmAvailable()) GTEST_SKIP() << "perl with Palm::PDB (libpalm-pdb-perl) is not installed";
    DatabaseTest::SetUp();
  }
};

}  // namespace

TEST_F(PalmCrossCheck, OurResourceDatabaseReadsTheSame) {
  const std::string big(3000, '\x5A');
  const std::vector<std::tuple<std::string, uint16_t, std::string>> resources = {
      {"aGML", 0, std::string("\0\x44\0\0\0\0\0\0\0\0", 10)}, {"aSTR", 7, std::string("hi\0", 3)},
      {"tSTR", 65534, "w\0"}, {"aPCM", 4001, big}};
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Gamma", kCreator, QZFourCC("ARES")), 0);
  ASSERT_EQ(db.open(u"Gamma", kCreator, QZFourCC("ARES"), false, false), 0);
  for (auto it = resources.rbegin(); it != resources.rend(); ++it) {
    const auto& [type, id, data] = *it;
    ASSERT_EQ(db.addResource(code(type), id, static_cast<uint32_t>(data.size()), data.data()), 0);
  }
  ASSERT_EQ(db.close(), 0);
  std::string expected = "name Gamma\ntype ARES\ncreator QzSo\nresource 1\n";
  for (const auto& [type, id, data] : resources) expected += type + " " + std::to_string(id) + " " + hex(data) + "\n";
  EXPECT_EQ(palm("read", savePath("Gamma")), expected);
}

TEST_F(PalmCrossCheck, OurRecordDatabaseReadsTheSame) {
  CQZRecordDatabaseWin32 db;
  ASSERT_EQ(db.create(u"Delta-QZSUser", kCreator, QZFourCC("USER")), 0);
  ASSERT_EQ(db.open(u"Delta-QZSUser", kCreator, QZFourCC("USER"), false), 0);
  uint16_t index = 0;
  std::memcpy(db.appendRecord(3, index), "abc", 3);
  db.appendRecord(2, index);
  ASSERT_EQ(db.close(), 0);
  EXPECT_EQ(palm("read", savePath("Delta-QZSUser")),
            "name Delta-QZSUser\ntype USER\ncreator QzSo\nresource 0\nrecord 616263\nrecord 0000\n");
}

TEST_F(PalmCrossCheck, TheirResourceDatabaseOpensAndSavesByteForByte) {
  std::filesystem::create_directories(root_ / "save");
  ASSERT_EQ(palm("write-resources", savePath("Alpha")), "");
  const std::vector<uint8_t> theirs = readFile(savePath("Alpha"));
  ASSERT_FALSE(theirs.empty());
  CQZResourceDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Alpha", kCreator, QZFourCC("ARES"), false, false), 0);
  ASSERT_EQ(db.getResourceSize(QZFourCC("aFRM"), 1000), 5);
  EXPECT_EQ(db.getResource(QZFourCC("aFRM"), 1000)[4], 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(db.getResource(QZFourCC("aSTR"), 7))), "hi");
  ASSERT_EQ(db.save(), 0);
  EXPECT_EQ(readFile(savePath("Alpha")), theirs);
}

TEST_F(PalmCrossCheck, TheirRecordDatabaseOpensAndSavesByteForByte) {
  std::filesystem::create_directories(root_ / "save");
  ASSERT_EQ(palm("write-records", savePath("Beta")), "");
  const std::vector<uint8_t> theirs = readFile(savePath("Beta"));
  CQZRecordDatabaseWin32 db;
  ASSERT_EQ(db.open(u"Beta", kCreator, QZFourCC("USER"), false), 0);
  ASSERT_EQ(db.getRecordCount(), 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(db.getRecord(1)), db.getRecordSize(1)), "second!");
  ASSERT_EQ(db.close(), 0);
  EXPECT_EQ(readFile(savePath("Beta")), theirs);
}
