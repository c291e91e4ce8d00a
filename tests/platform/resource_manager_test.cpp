#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "database_fixture.h"
#include "base/byte_order.h"
#include "qz_database_file.h"
#include "qz_resource_manager.h"
#include "wince/host/file.h"
#include "wince/host/resource.h"
#include "wince/resource.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kForm = QZFourCC("aFRM");

using Resources = std::map<std::pair<uint32_t, uint16_t>, std::string>;

// A resource table standing in for the executable's: strings 7, 8 and a
// 1100-character string 9 in block 1, an 'aFRM' named "0" and an 'aFRM' 5.
class ExecutableResources {
 public:
  ExecutableResources() {
    const std::u16string strings[16] = {u"", u"", u"", u"", u"", u"", u"", u"exe 7", u"exe 8",
                                        std::u16string(1100, u'L')};
    for (const std::u16string& text : strings) {
      block_.push_back(static_cast<uint8_t>(text.size()));
      block_.push_back(static_cast<uint8_t>(text.size() >> 8));
      for (char16_t c : text) {
        block_.push_back(static_cast<uint8_t>(c));
        block_.push_back(static_cast<uint8_t>(c >> 8));
      }
    }
    entries_[0] = {nullptr, 6, nullptr, 1, block_.data(), static_cast<DWORD>(block_.size())};
    entries_[1] = {u"aFRM", 0, u"0", 0, reinterpret_cast<const BYTE*>("zero"), 4};
    entries_[2] = {u"aFRM", 0, nullptr, 5, reinterpret_cast<const BYTE*>("five!"), 5};
    table_ = {entries_, 3};
    wince::registerResourceTable(&table_);
  }
  ~ExecutableResources() { wince::unregisterResourceTable(&table_); }

 private:
  std::vector<uint8_t> block_;
  wince::ResourceEntry entries_[3];
  wince::ResourceTable table_{};
};

std::string idMap(int16_t count, uint16_t entrySize, const std::vector<std::array<uint32_t, 5>>& entries) {
  std::string out(6, '\0');
  auto* p = reinterpret_cast<uint8_t*>(out.data());
  base::storeBE16(p + 2, static_cast<uint16_t>(count));
  base::storeBE16(p + 4, entrySize);
  for (const auto& e : entries) {
    std::string entry(entrySize, '\0');
    auto* q = reinterpret_cast<uint8_t*>(entry.data());
    base::storeBE16(q, static_cast<uint16_t>(e[0]));
    base::storeBE32(q + 2, e[1]);
    base::storeBE16(q + 6, static_cast<uint16_t>(e[2]));
    base::storeBE16(q + 8, static_cast<uint16_t>(e[3]));
    base::storeBE16(q + 10, static_cast<uint16_t>(e[4]));
    out += entry;
  }
  return out;
}

std::string modeList(std::initializer_list<uint16_t> modes) {
  std::string out;
  for (uint16_t m : modes) {
    std::string entry(10, '\0');
    base::storeBE16(reinterpret_cast<uint8_t*>(entry.data()), m);
    out += entry;
  }
  return out;
}

class ResourceManagerTest : public DatabaseTest {
 protected:
  void writeDatabase(const std::filesystem::path& path, const char16_t* storedName, const Resources& resources) {
    QZDatabaseHeader header;
    QZStoreDatabaseName(storedName, header.name);
    header.attributes = QZ_DB_ATTRIBUTES_RESOURCE;
    header.type = QZ_TYPE_ARES;
    header.creator = kCreator;
    std::vector<QZDatabaseItem> items;
    for (const auto& [key, bytes] : resources) {
      QZDatabaseItem item;
      item.type = key.first;
      item.id = key.second;
      item.data = reinterpret_cast<const uint8_t*>(bytes.data());
      item.size = static_cast<uint32_t>(bytes.size());
      items.push_back(item);
    }
    std::vector<uint8_t> out;
    ASSERT_TRUE(QZBuildDatabase(header, QZDatabaseKind::Resource, items, out));
    writeFile(path, out);
  }
  std::string fetch(uint32_t type, uint16_t id) {
    QZResourceHandle* h = manager_.getResource(type, id);
    if (h == nullptr) return "(none)";
    std::string out(reinterpret_cast<const char*>(h->getData()), h->size);
    h->release();
    delete h;
    return out;
  }
  CQZResourceManager manager_;
};

}  // namespace

TEST_F(ResourceManagerTest, NewestSourceFirstThenTheExecutable) {
  writeDatabase(installPath("A"), u"A", {{{kForm, 1}, "formA"}, {{QZ_TYPE_ASTR, 7}, "from A"}, {{kForm, 2}, "onlyA"}});
  writeDatabase(installPath("B"), u"B", {{{kForm, 1}, "formB"}});
  ExecutableResources exe;
  manager_.addSource(std::make_unique<CQZResourceSourceEXE>());
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  EXPECT_EQ(fetch(kForm, 1), "formB");
  EXPECT_EQ(fetch(kForm, 2), "onlyA");
  EXPECT_EQ(fetch(kForm, 3), "(none)");

  char16_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  QZResourceHandle* s = manager_.getString(7);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(std::u16string(s->getText()), u"from A");
  EXPECT_EQ(s->getTextLength(), 6);
  EXPECT_EQ(s->copyText(1, buffer), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], u'#');
  buffer[0] = u'#';
  EXPECT_EQ(s->copyText(0, buffer), 0);
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(s->copyText(5, buffer), 4);
  EXPECT_EQ(std::u16string(buffer), u"from");
  s->release();
  delete s;
  s = manager_.getString(8);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(std::u16string(s->getText()), u"exe 8");
  s->release();
  delete s;
}

TEST_F(ResourceManagerTest, ExecutableSource) {
  ExecutableResources exe;
  manager_.addSource(std::make_unique<CQZResourceSourceEXE>());
  EXPECT_EQ(fetch(kForm, 0), "zero");
  EXPECT_EQ(fetch(kForm, 5), "five!");
  EXPECT_EQ(fetch(kForm, 6), "(none)");
  QZResourceHandle* s = manager_.getString(9);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->size, 2048u);
  EXPECT_EQ(s->getTextLength(), 1023);
  s->release();
  EXPECT_EQ(s->data, nullptr);
  delete s;
  EXPECT_EQ(manager_.getString(10), nullptr);
}

TEST_F(ResourceManagerTest, NoDatabaseFoundIsAnError) {
  EXPECT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), -1);
}

TEST_F(ResourceManagerTest, IdMapFollowsModeAndLanguage) {
  writeDatabase(installPath("A"), u"A",
                {{{kForm, 1000}, "plain"},
                 {{kForm, 1100}, "french"},
                 {{kForm, 2000}, "two thousand"},
                 {{QZ_TYPE_ARIL, 1}, idMap(2, 12, {{0, kForm, 1036, 1000, 1100}, {0, kForm, 0, 2000, 2100}})}});
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  EXPECT_EQ(fetch(kForm, 1000), "plain");
  EXPECT_EQ(manager_.findMappedId(kForm, 2000), 2100);
  EXPECT_EQ(fetch(kForm, 2000), "two thousand");  // the mapped id exists nowhere
  manager_.setModeAndLanguage(0, 1036);
  EXPECT_EQ(fetch(kForm, 1000), "french");
  manager_.setModeAndLanguage(0, 1033);
  EXPECT_EQ(fetch(kForm, 1000), "plain");
}

TEST_F(ResourceManagerTest, OlderSourceMappingWins) {
  writeDatabase(installPath("A"), u"A", {{{QZ_TYPE_ARIL, 1}, idMap(1, 12, {{0, kForm, 0, 5, 50}})}});
  writeDatabase(installPath("B"), u"B", {{{QZ_TYPE_ARIL, 1}, idMap(1, 16, {{0, kForm, 0, 5, 60}})}});
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  EXPECT_EQ(manager_.findMappedId(kForm, 5), 50);
  manager_.reloadMaps();
  EXPECT_EQ(manager_.findMappedId(kForm, 5), 50);
}

TEST_F(ResourceManagerTest, ModeListAndSampleHooks) {
  writeDatabase(installPath("A"), u"A", {{{QZ_TYPE_AGML, 0}, modeList({2, 7}) + "xyz"}});
  writeDatabase(installPath("B"), u"B", {{{QZ_TYPE_AGML, 0}, modeList({7, 9})}});
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  EXPECT_TRUE(manager_.hasGraphicsMode(2));
  EXPECT_TRUE(manager_.hasGraphicsMode(9));
  EXPECT_FALSE(manager_.hasGraphicsMode(3));
  static std::string calls;
  calls.clear();
  manager_.setSampleHooks([] { calls += "unload "; }, [] { calls += "load"; });
  manager_.setModeAndLanguage(2, 1033);
  EXPECT_EQ(calls, "unload load");
  EXPECT_TRUE(manager_.hasGraphicsMode(7));
  manager_.clearMaps();
  EXPECT_FALSE(manager_.hasGraphicsMode(7));
}

TEST_F(ResourceManagerTest, MisnamedDatabaseIsFoundButAnswersNothing) {
  writeDatabase(installPath("Files"), u"Stored", {{{kForm, 1}, "x"}});
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  EXPECT_EQ(fetch(kForm, 1), "(none)");
}

TEST_F(ResourceManagerTest, ReleasedDataStaysCachedAndLiveHandlesSurviveReloads) {
  writeDatabase(installPath("A"), u"A", {{{kForm, 1}, "first"}});
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  EXPECT_EQ(fetch(kForm, 1), "first");
  writeDatabase(installPath("A"), u"A", {{{kForm, 1}, "again"}});
  EXPECT_EQ(fetch(kForm, 1), "first");

  QZResourceHandle* held = nullptr;
  const uint8_t* data = QZLockResource(held, kForm, 1);
  ASSERT_EQ(data, nullptr);  // the program's manager has no sources here
  held = manager_.getResource(kForm, 1);
  ASSERT_NE(held, nullptr);
  manager_.setModeAndLanguage(1, 1033);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(held->getData()), 5), "first");
  held->release();
  delete held;
  EXPECT_EQ(fetch(kForm, 1), "again");  // the put-off unload ran at the last release
}

TEST_F(ResourceManagerTest, TextIsReadWithinTheResource) {
  std::string wide;
  for (char c : std::string("Hi!")) wide += std::string{c, '\0'};
  writeDatabase(installPath("A"), u"A",
                {{{QZ_TYPE_ASTR, 1}, "no terminator"},
                 {{QZ_TYPE_ASTR, 2}, std::string("\x80 \x93q\x94\0tail", 10)},
                 {{QZ_TYPE_TSTR, 3}, wide + "Z"},
                 {{QZ_TYPE_ASTR, 4}, ""}});
  ASSERT_EQ(manager_.addSourceDatabases(kCreator, QZ_TYPE_ARES), 0);
  const std::pair<uint16_t, std::u16string> cases[] = {
      {1, u"no terminator"}, {2, u"\u20AC \u201Cq\u201D"}, {3, u"Hi!"}, {4, u""}};
  for (const auto& [id, text] : cases) {
    QZResourceHandle* h = manager_.getString(id);
    ASSERT_NE(h, nullptr) << id;
    EXPECT_EQ(std::u16string(h->getText()), text) << id;
    EXPECT_EQ(h->getTextLength(), text.size()) << id;
    h->release();
    delete h;
  }
}

TEST(ResourceParsers, IdMapChecksCountAndEntrySize) {
  const std::vector<std::array<uint32_t, 5>> two = {{0, kForm, 0, 1, 2}, {3, kForm, 0, 4, 5}};
  struct Case {
    const char* what;
    std::string bytes;
    size_t expected;
  };
  const Case cases[] = {
      {"both entries", idMap(2, 12, two), 2},
      {"negative count", idMap(-2, 12, two), 0},
      {"entry size below 12", idMap(2, 11, {}) + std::string(40, '\1'), 0},
      {"count past the data", idMap(9, 12, two), 2},
      {"half an entry", idMap(2, 12, two).substr(0, 6 + 12 + 5), 1},
      {"header only", std::string(4, '\0'), 0},
  };
  for (const Case& c : cases) {
    const auto* p = reinterpret_cast<const uint8_t*>(c.bytes.data());
    EXPECT_EQ(QZParseIdMap(p, static_cast<uint32_t>(c.bytes.size()), 3, 0).size(), c.expected) << c.what;
  }
  const std::string map = idMap(2, 12, two);
  EXPECT_EQ(QZParseIdMap(reinterpret_cast<const uint8_t*>(map.data()), static_cast<uint32_t>(map.size()), 1, 0).size(), 1u);
  const std::string modes = modeList({4, 5}) + "123456789";
  EXPECT_EQ(QZParseModeList(reinterpret_cast<const uint8_t*>(modes.data()), static_cast<uint32_t>(modes.size())),
            (std::vector<uint16_t>{4, 5}));
}

// The data the build makes, installed as the runtime's first start does.
TEST_F(ResourceManagerTest, ShippedDataListsTheDisplayModes) {
  setFolder(u"InstallDir", nullptr);
  const wince::InstallValue value{u"InstallDir", u"\\Program Files\\Pellwyn"};
  ASSERT_TRUE(wince::installProgram(std::filesystem::path(PELLWYN_BINARY_DIR) / "data/pellwyn/install",
                                    u"\\Program Files\\Pellwyn", u"SOFTWARE\\Apps\\Pellwyn", &value, 1));
  ASSERT_EQ(manager_.addSourceDatabases(QZFourCC("QzSo"), QZ_TYPE_ARES), 0);
  EXPECT_TRUE(manager_.hasGraphicsMode(68));
  EXPECT_TRUE(manager_.hasGraphicsMode(69));
}

TEST(ResourceHolders, LockCopyAndUnlockOnTheProgramsManager) {
  ExecutableResources exe;
  CQZResourceManager& manager = CQZResourceManager::instance();
  manager.addSource(std::make_unique<CQZResourceSourceEXE>());
  QZResourceHandle* holder = nullptr;
  ASSERT_NE(QZLockResource(holder, QZFourCC("aFRM"), 5), nullptr);
  EXPECT_EQ(std::u16string(QZLockString(holder, 7)), u"exe 7");
  EXPECT_EQ(QZGetStringLength(holder, 8), 5);
  EXPECT_EQ(QZGetStringLength(holder, 99), 0);
  EXPECT_EQ(holder, nullptr);
  char16_t buffer[4];
  EXPECT_EQ(QZCopyString(7, buffer, 4), 1);
  EXPECT_EQ(std::u16string(buffer), u"exe");
  EXPECT_EQ(QZCopyString(99, buffer, 4), 0);
  QZLockString(holder, 8);
  QZUnlockResource(holder);
  EXPECT_EQ(holder, nullptr);
  manager.reset();
}
