#include <gtest/gtest.h>

#include <cstring>

#include "database_fixture.h"
#include "base/byte_order.h"
#include "qz_preferences.h"
#include "qz_resource_database.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");

class PreferencesTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    QZSetPreferencesOwner(u"Pellwyn", kCreator);
  }
  void TearDown() override {
    QZClosePreferences();
    DatabaseTest::TearDown();
  }
  std::filesystem::path settings() const { return savePath("Pellwyn-Settings"); }
};

// Where the data of a block starts in a settings file's bytes.
size_t dataOf(const std::vector<uint8_t>& file, uint32_t type) {
  const uint16_t count = base::loadBE16(file.data() + 76);
  for (size_t e = 78; e < 78 + 10u * count; e += 10) {
    if (base::loadBE32(file.data() + e) == type) return base::loadBE32(file.data() + e + 6);
  }
  ADD_FAILURE() << "no such block";
  return 0;
}

}  // namespace

TEST(PreferencesChecksum, KnownValues) {
  std::vector<uint8_t> counting(16);
  for (uint8_t i = 0; i < 16; ++i) counting[i] = i;
  const std::vector<uint8_t> zeros(200, 0);
  EXPECT_EQ(QZComputePreferencesChecksum(zeros.data(), 4), 0xA96594C0u);
  EXPECT_EQ(QZComputePreferencesChecksum(zeros.data(), 5), 0xA9658047u);
  EXPECT_EQ(QZComputePreferencesChecksum(zeros.data(), 12), 0xA9653340u);
  EXPECT_EQ(QZComputePreferencesChecksum(zeros.data(), 200), 0xA9697AB0u);
  EXPECT_EQ(QZComputePreferencesChecksum(counting.data(), 16), 0xA965648Au);
  std::vector<uint8_t> changed = counting;
  changed[0] = 0xFF;
  changed[3] = 0xFF;
  EXPECT_EQ(QZComputePreferencesChecksum(changed.data(), 16), 0xA965648Au);
  changed[4] ^= 1;
  EXPECT_NE(QZComputePreferencesChecksum(changed.data(), 16), 0xA965648Au);
}

TEST(PreferencesChecksum, BlockTypes) {
  EXPECT_EQ(QZPreferencesType(0x515A, false), QZFourCC("QZUN"));
  EXPECT_EQ(QZPreferencesType(0x515A, true), QZFourCC("QZSA"));
  EXPECT_EQ(QZPreferencesType(0x434D, true), QZFourCC("CMSA"));
  EXPECT_EQ(QZPreferencesType(0x7072, true), QZFourCC("prSA"));
}

TEST_F(PreferencesTest, FirstStartCreatesAndOpensTheSettings) {
  ASSERT_EQ(QZOpenPreferences(), 0);
  EXPECT_EQ(readFile(settings()).size(), 80u);
  ASSERT_EQ(QZLoadSystemPreferences(), 0);
  const QZSystemPreferences& p = QZGetSystemPreferences();
  EXPECT_EQ(p.idleInterval, 10);
  EXPECT_EQ(p.tickInterval, -1);
  EXPECT_EQ(p.currentState, 512);
  EXPECT_EQ(p.requestedState, 512);
  EXPECT_EQ(p.soundMode, 3);
}

TEST_F(PreferencesTest, SystemPreferencesRoundTripInPlace) {
  ASSERT_EQ(QZOpenPreferences(), 0);
  QZSystemPreferences& p = QZGetSystemPreferences();
  p = QZSystemPreferences{};
  p.tickInterval = 5;
  p.soundMode = 1;
  p.firstStartDone = 1;
  p.musicVolume = 300;
  p.language = 1036;
  p.orientation = 2;
  ASSERT_EQ(QZSaveSystemPreferences(), 0);
  ASSERT_EQ(QZClosePreferences(), 0);

  const std::vector<uint8_t> file = readFile(settings());
  ASSERT_EQ(file.size(), 80u + 20 + 12 + 200);
  ASSERT_EQ(QZOpenPreferences(), 0);
  uint8_t block[200];
  ASSERT_EQ(QZReadPreferences(0x515A, true, block, 200), 0);
  EXPECT_EQ(base::loadLE32(block + 152), 1u);
  EXPECT_EQ(block[172], 1);
  EXPECT_EQ(base::loadLE16(block + 178), 300);
  EXPECT_EQ(base::loadLE16(block + 194), 1036);
  EXPECT_EQ(base::loadLE16(block + 196), 2);
  p = QZSystemPreferences{};
  ASSERT_EQ(QZLoadSystemPreferences(), 0);
  EXPECT_EQ(p.tickInterval, 5);
  EXPECT_EQ(p.soundMode, 1);
  EXPECT_EQ(p.language, 1036);
}

TEST_F(PreferencesTest, ExactSizeRuleAndShortSavedBlock) {
  ASSERT_EQ(QZOpenPreferences(), 0);
  uint8_t small[150] = {};
  ASSERT_EQ(QZWritePreferences(0x515A, true, small, sizeof small), 0);
  EXPECT_EQ(QZGetPreferencesSize(0x515A, true), 150);
  uint8_t bigger[151];
  std::memset(bigger, 0xEE, sizeof bigger);
  EXPECT_EQ(QZReadPreferences(0x515A, true, bigger, sizeof bigger), -1);
  EXPECT_EQ(bigger[0], 0xEE);
  QZGetSystemPreferences().soundMode = 0;
  ASSERT_EQ(QZLoadSystemPreferences(), 0);
  EXPECT_EQ(QZGetSystemPreferences().soundMode, 3);
  EXPECT_EQ(QZGetPreferencesSize(0x1234, true), 0);
}

TEST_F(PreferencesTest, ChecksummedBlocks) {
  ASSERT_EQ(QZOpenPreferences(), 0);
  uint8_t block[12] = {0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(QZSetPreferences(0x7072, true, block, sizeof block, true), 0);
  EXPECT_EQ(base::loadLE32(block), QZComputePreferencesChecksum(block, sizeof block));
  uint8_t read[12] = {};
  EXPECT_EQ(QZGetPreferences(0x7072, true, read, sizeof read, true), 0);
  EXPECT_EQ(std::memcmp(read, block, sizeof block), 0);
  // A changed byte after the checksum fails the check.
  block[6] ^= 0x10;
  ASSERT_EQ(QZWritePreferences(0x7072, true, block, sizeof block), 0);
  EXPECT_EQ(QZGetPreferences(0x7072, true, read, sizeof read, true), -1);
  // Records too short to hold a checksum are refused.
  EXPECT_EQ(QZSetPreferences(0x7073, true, block, 3, true), -1);
  EXPECT_EQ(QZGetPreferences(0x7072, true, read, 3, true), -1);
}

TEST_F(PreferencesTest, WriteReplacesTheOldBlock) {
  ASSERT_EQ(QZOpenPreferences(), 0);
  ASSERT_EQ(QZWritePreferences(0x4142, true, "abcd", 4), 0);
  ASSERT_EQ(QZWritePreferences(0x4142, true, "xy", 2), 0);
  char read[2];
  ASSERT_EQ(QZReadPreferences(0x4142, true, read, 2), 0);
  EXPECT_EQ(std::memcmp(read, "xy", 2), 0);
}

// The settings database damaged in each of its parts: what can be read is
// kept, a numbered copy of the file is kept aside before anything is written
// over it, and the damage is told once.
TEST_F(PreferencesTest, DamagedSettingsKeepWhatCanBeReadAndACopy) {
  struct Case {
    const char* what;
    void (*apply)(std::vector<uint8_t>&);
    bool languageKept, playerKept, told;
  };
  const Case cases[] = {
      {"nothing", [](std::vector<uint8_t>&) {}, true, true, false},
      {"a bit inside the player block",
       [](std::vector<uint8_t>& f) { f[dataOf(f, QZPreferencesType(0x7072, true)) + 6] ^= 4; }, true, false, true},
      {"zeros over bytes 72-96", [](std::vector<uint8_t>& f) { std::fill(f.begin() + 72, f.begin() + 96, 0); }, false,
       false, true},
      {"an offset past the end", [](std::vector<uint8_t>& f) { base::storeBE32(f.data() + 78 + 6, 5000); }, false,
       false, true},
      {"a bit of the type", [](std::vector<uint8_t>& f) { f[61] ^= 1; }, false, false, true},
      {"a bit of the creator", [](std::vector<uint8_t>& f) { f[66] ^= 1; }, false, false, true},
      {"the header cut short", [](std::vector<uint8_t>& f) { f.resize(50); }, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(settings());
    std::filesystem::remove(settings().string() + ".damaged.1");
    ASSERT_EQ(QZOpenPreferences(), 0);
    QZGetSystemPreferences().language = 1031;
    ASSERT_EQ(QZSaveSystemPreferences(), 0);
    char player[8] = "\0\0\0\0Ann";
    ASSERT_EQ(QZSetPreferences(0x7072, true, player, sizeof player, true), 0);
    ASSERT_EQ(QZClosePreferences(), 0);
    std::vector<uint8_t> damaged = readFile(settings());
    c.apply(damaged);
    writeFile(settings(), damaged);

    ASSERT_EQ(QZOpenPreferences(), 0);
    QZGetSystemPreferences().language = 0;
    ASSERT_EQ(QZLoadSystemPreferences(), 0);
    EXPECT_EQ(QZGetSystemPreferences().language, c.languageKept ? 1031 : 0);
    char read[8] = {};
    EXPECT_EQ(QZGetPreferences(0x7072, true, read, sizeof read, true) == 0, c.playerKept);
    std::u16string copy;
    ASSERT_EQ(QZTakePreferencesDamage(copy), c.told);
    EXPECT_FALSE(QZTakePreferencesDamage(copy));  // told once
    if (c.told) {
      EXPECT_EQ(copy, u"\\save\\Pellwyn-Settings.pdb.damaged.1");
      EXPECT_EQ(readFile(settings().string() + ".damaged.1"), damaged);
    } else {
      EXPECT_FALSE(std::filesystem::exists(settings().string() + ".damaged.1"));
    }
    ASSERT_EQ(QZClosePreferences(), 0);
  }
}

TEST_F(PreferencesTest, ACopyAsideNeverOverwritesAnOlderOne) {
  ASSERT_EQ(QZOpenPreferences(), 0);
  ASSERT_EQ(QZClosePreferences(), 0);
  writeFile(settings(), {1, 2, 3});
  writeFile(settings().string() + ".damaged.1", {9});
  ASSERT_EQ(QZOpenPreferences(), 0);
  std::u16string copy;
  ASSERT_TRUE(QZTakePreferencesDamage(copy));
  EXPECT_EQ(readFile(settings().string() + ".damaged.1"), std::vector<uint8_t>{9});
  EXPECT_EQ(readFile(settings().string() + ".damaged.2"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(PreferencesTest, OverlongTitleIsRefused) {
  QZSetPreferencesOwner(u"A title far too long for it", kCreator);
  EXPECT_EQ(QZOpenPreferences(), -1);
  EXPECT_FALSE(std::filesystem::exists(root_ / "save"));
}
