#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app_serialise_stream.h"
#include "qz_preferences.h"
#include "qz_resource_database.h"
#include "qzf_application.h"
#include "qzf_preferences.h"
#include "test_scratch.h"
#include "wince/file.h"
#include "wince/host/file.h"

namespace {

// Three settings; "extra" adds a fourth, as a newer program version would.
class TestPreferences : public CQZFPreferences {
 public:
  explicit TestPreferences(bool extra = false) : CQZFPreferences(nullptr, 0x7072, 1), extra_(extra) {}
  void setDefaults() override {
    volume = 100;
    level = 3;
    flags = 0xAB;
    more = 0;
  }
  QZStatus serialiseSettings(SerialiseStream& s) override {
    QZStatus st = serialiseU16(s, &volume, 1);
    if (st == 0) st = serialiseU32(s, &level, 1);
    if (st == 0) st = serialiseU8(s, &flags, 1);
    if (st == 0 && extra_) st = serialiseU8(s, &more, 1);
    return st;
  }
  uint16_t volume = 0;
  uint32_t level = 0;
  uint8_t flags = 0;
  uint8_t more = 0;

 private:
  bool extra_;
};

class NothingToSave : public CQZFPreferences {
 public:
  NothingToSave() : CQZFPreferences(nullptr, 0x7073, 1) {}
  void setDefaults() override {}
};

class FrameworkPreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto root = scratchFolder();
    std::filesystem::remove_all(root);
    ASSERT_TRUE(wince::setDeviceRoot(root));
    QZSetPreferencesOwner(u"Pellwyn", QZFourCC("QzSo"));
    ASSERT_EQ(QZOpenPreferences(), 0);
  }
  void TearDown() override { QZClosePreferences(); }
};

}  // namespace

TEST_F(FrameworkPreferencesTest, SaveAndLoadBack) {
  TestPreferences saved;
  EXPECT_EQ(saved.getKind(), kQZFKindPreferences);
  saved.setDefaults();
  saved.volume = 7;
  saved.level = 0x01020304;
  ASSERT_EQ(saved.save(), 0);
  EXPECT_EQ(QZGetPreferencesSize(0x7072, true), 4 + 2 + 4 + 1);
  TestPreferences loaded;
  ASSERT_EQ(loaded.load(), 0);
  EXPECT_EQ(loaded.volume, 7);
  EXPECT_EQ(loaded.level, 0x01020304u);
}

TEST_F(FrameworkPreferencesTest, ABlockOfAnotherSizeKeepsTheDefaults) {
  TestPreferences saved;
  saved.setDefaults();
  saved.volume = 9;
  ASSERT_EQ(saved.save(), 0);
  TestPreferences newer(true);
  EXPECT_EQ(newer.load(), -4);
  EXPECT_EQ(newer.volume, 100);
  TestPreferences absent;
  ASSERT_EQ(QZGetPreferencesDatabase()->removeResource(QZPreferencesType(0x7072, true), 0), 0);
  EXPECT_EQ(absent.load(), -4);
  EXPECT_EQ(absent.level, 3u);
}

TEST_F(FrameworkPreferencesTest, AFlippedByteFailsTheChecksum) {
  TestPreferences saved;
  saved.setDefaults();
  saved.volume = 9;
  ASSERT_EQ(saved.save(), 0);
  uint8_t* block = QZGetPreferencesDatabase()->getResource(QZPreferencesType(0x7072, true), 0);
  block[5] ^= 0x01;
  TestPreferences loaded;
  EXPECT_EQ(loaded.load(), -4);
  EXPECT_EQ(loaded.volume, 100);
}

TEST_F(FrameworkPreferencesTest, NothingToSaveStoresNothing) {
  NothingToSave nothing;
  EXPECT_EQ(nothing.save(), -4);
  EXPECT_EQ(QZGetPreferencesSize(0x7073, true), 0);
}

namespace {

class ReportingApplication : public CQZFApplication {
 public:
  void reportError(const char* source, int line, int16_t code) override {
    reports.push_back(std::string(source) + ":" + std::to_string(line) + ":" + std::to_string(code));
  }
  std::vector<std::string> reports;
};

// Counting the block fails: the walk itself reports its error.
class FailingCount : public CQZFPreferences {
 public:
  explicit FailingCount(CQZFObject* owner) : CQZFPreferences(owner, 0x7074, 1) {}
  void setDefaults() override {}
  QZStatus serialiseSettings(SerialiseStream&) override { return -10; }
};

}  // namespace

TEST_F(FrameworkPreferencesTest, AFailedCountIsReportedToTheApplication) {
  ReportingApplication app;
  FailingCount prefs(&app);
  EXPECT_EQ(prefs.load(), -10);
  EXPECT_EQ(app.reports, std::vector<std::string>{"qzf_preferences:40:-10"});
}
