// The registry: values and keys, persistence after every change, atomic
// writes, and a damaged file.
#include "wince/registry.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "registry_store.h"
#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/host/text.h"
#include "wince/system.h"
#include "wince/text.h"

namespace fs = std::filesystem;

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(PELLWYN_TEST_TMP) /
            (std::string("registry_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    ASSERT_TRUE(wince::setDeviceRoot(root_));
  }

  HKEY create(HKEY parent, const WCHAR* path) {
    HKEY k = nullptr;
    EXPECT_EQ(RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
    return k;
  }

  static std::vector<BYTE> query(HKEY k, const WCHAR* name, DWORD* type = nullptr) {
    DWORD size = 0;
    if (RegQueryValueEx(k, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return {0xEE};
    std::vector<BYTE> data(size);
    EXPECT_EQ(RegQueryValueEx(k, name, nullptr, type, data.data(), &size), ERROR_SUCCESS);
    return data;
  }

  static std::string fileText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path root_;
};

std::vector<BYTE> bytes(const void* p, size_t n) {
  auto* b = static_cast<const BYTE*>(p);
  return std::vector<BYTE>(b, b + n);
}

TEST_F(RegistryTest, ValuesSurviveAReload) {
  struct Value {
    HKEY root;
    const WCHAR* key;
    const WCHAR* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  const WCHAR text[] = u"\\Program Files\\Pellwyn \"q\"\n\u00e9\u20ac";
  const WCHAR unterminated[] = {u'a', u'b'};
  const DWORD number = 0x1234ABCD;
  const uint64_t wide = 0x1122334455667788ull;
  const Value values[] = {
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn", u"InstallDir", REG_SZ, bytes(text, sizeof text)},
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn", u"Unterminated", REG_SZ,
       bytes(unterminated, sizeof unterminated)},
      {HKEY_CURRENT_USER, u"SOFTWARE\\Game\\prefs", u"Count", REG_DWORD, bytes(&number, 4)},
      {HKEY_CURRENT_USER, u"SOFTWARE\\Game\\prefs", u"Wide", REG_DWORD, bytes(&wide, 8)},  // more than 4 bytes
      {HKEY_CURRENT_USER, u"SOFTWARE\\Game\\gameState\\Klondike", u"State", REG_BINARY, {0, 1, 0xFF, 0, 10}},
      {HKEY_CURRENT_USER, u"SOFTWARE\\Game\\gameState\\Klondike", u"", REG_BINARY, {}},  // default value, empty
      {HKEY_CURRENT_USER, u"SOFTWARE\\Game", u"Control\x01Name", 77, {1}},
  };
  for (const Value& v : values) {
    HKEY k = create(v.root, v.key);
    EXPECT_EQ(RegSetValueEx(k, v.name, 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())), ERROR_SUCCESS);
    RegCloseKey(k);
  }
  wince::reloadRegistry();
  for (const Value& v : values) {
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(v.root, v.key, 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(query(k, v.name, &type), v.data);
    EXPECT_EQ(type, v.type);
    RegCloseKey(k);
  }
  EXPECT_FALSE(fs::exists(wince::registryFilePath().string() + ".tmp"));
}

TEST_F(RegistryTest, NamesIgnoreCaseAndEnumerateInOrder) {
  HKEY k = create(HKEY_CURRENT_USER, u"Software\\Game");
  RegCloseKey(create(k, u"zeta"));
  RegCloseKey(create(k, u"Alpha"));
  RegCloseKey(create(k, u"beta"));
  for (const WCHAR* name : {u"Zed", u"apple", u"Mid"}) {
    const DWORD v = 1;
    RegSetValueEx(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
  }
  HKEY again = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"SOFTWARE\\GAME\\ALPHA", 0, KEY_READ, &again), ERROR_SUCCESS);
  RegCloseKey(again);
  EXPECT_EQ(query(k, u"APPLE").size(), 4u);

  std::vector<std::u16string> keys, values;
  WCHAR name[16];
  DWORD size = 16;
  for (DWORD i = 0; (size = 16, RegEnumKeyEx(k, i, name, &size, nullptr, nullptr, nullptr, nullptr)) == ERROR_SUCCESS;
       ++i) {
    EXPECT_EQ(size, wcslen(name));
    keys.push_back(name);
  }
  for (DWORD i = 0; (size = 16, RegEnumValue(k, i, name, &size, nullptr, nullptr, nullptr, nullptr)) == ERROR_SUCCESS;
       ++i) {
    values.push_back(name);
  }
  EXPECT_EQ(keys, (std::vector<std::u16string>{u"Alpha", u"beta", u"zeta"}));
  EXPECT_EQ(values, (std::vector<std::u16string>{u"apple", u"Mid", u"Zed"}));
  size = 3;
  EXPECT_EQ(RegEnumKeyEx(k, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(RegEnumKeyEx(k, 3, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  RegCloseKey(k);
}

TEST_F(RegistryTest, QueryMeasuresAndRefusesSmallBuffers) {
  HKEY k = create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn");
  const WCHAR text[] = u"SaveDir";
  ASSERT_EQ(RegSetValueEx(k, u"SaveDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text), ERROR_SUCCESS);
  DWORD size = 0;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueEx(k, u"SaveDir", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof text);
  BYTE small[4] = {9, 9, 9, 9};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueEx(k, u"SaveDir", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, sizeof text);
  EXPECT_EQ(small[0], 9);
  EXPECT_EQ(RegQueryValueEx(k, u"SaveDir0", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueEx(k, u"SaveDir", nullptr, nullptr, small, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteValue(k, u"savedir"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(k, u"savedir"), ERROR_FILE_NOT_FOUND);
  HKEY missing = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Shell\\PhoneKeyMatch\\PhoneDigits", 0, KEY_READ,
                         &missing),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(k);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsTreeAndStaleHandlesFail) {
  HKEY game = create(HKEY_CURRENT_USER, u"SOFTWARE\\Game");
  HKEY deep = create(game, u"statistics\\Klondike");
  DWORD disposition = 0;
  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyEx(game, u"statistics", 0, nullptr, 0, 0, nullptr, &again, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  EXPECT_EQ(RegDeleteKey(game, u"statistics"), ERROR_SUCCESS);
  const DWORD v = 1;
  EXPECT_EQ(RegSetValueEx(deep, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyEx(game, u"statistics", 0, 0, &again), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(game, u"statistics"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(game, u""), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(deep), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(deep), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueEx(deep, u"x", nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  RegCloseKey(game);
  wince::reloadRegistry();
  HKEY k = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"SOFTWARE\\Game", 0, 0, &k), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"SOFTWARE\\Game\\statistics", 0, 0, &k), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, EveryChangeIsOnDiskAtOnce) {
  HKEY k = create(HKEY_CURRENT_USER, u"SOFTWARE\\Game");
  const DWORD v = 42;
  ASSERT_EQ(RegSetValueEx(k, u"Answer", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_SUCCESS);
  std::string text = fileText(wince::registryFilePath());
  EXPECT_NE(text.find("value \"Answer\" dword 0x0000002a"), std::string::npos) << text;
  ASSERT_EQ(RegDeleteValue(k, u"Answer"), ERROR_SUCCESS);
  EXPECT_EQ(fileText(wince::registryFilePath()).find("Answer"), std::string::npos);
  RegCloseKey(k);
}

TEST_F(RegistryTest, AFailedWriteKeepsTheOldFileAndUndoesTheChange) {
  HKEY k = create(HKEY_CURRENT_USER, u"SOFTWARE\\Game");
  const DWORD v = 1;
  ASSERT_EQ(RegSetValueEx(k, u"Kept", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_SUCCESS);
  std::string before = fileText(wince::registryFilePath());
  // A folder where the temporary file should go makes the write fail.
  fs::create_directories(wince::registryFilePath().string() + ".tmp");
  EXPECT_EQ(RegSetValueEx(k, u"Lost", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_WRITE_FAULT);
  EXPECT_EQ(RegQueryValueEx(k, u"Lost", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValue(k, u"Kept"), ERROR_WRITE_FAULT);
  EXPECT_EQ(query(k, u"Kept").size(), 4u);
  EXPECT_EQ(fileText(wince::registryFilePath()), before);
  fs::remove(wince::registryFilePath().string() + ".tmp");
  RegCloseKey(k);
}

// A program's registry as a game keeps it: options, a saved game and
// statistics, each value named "key/value".
class DamagedRegistryTest : public RegistryTest {
 protected:
  struct Stored {
    const WCHAR* key;
    const WCHAR* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  static const std::vector<Stored>& stored() {
    static const std::vector<Stored> values = {
        {u"prefs", u"playMode", REG_BINARY, {1}},
        {u"prefs", u"timeLimit", REG_DWORD, {3, 0, 0, 0}},
        {u"prefs", u"name", REG_SZ, {'A', 0, 'n', 0, 'n', 0, 0, 0}},
        {u"gameState", u"data", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}},
        {u"gameState", u"size", REG_DWORD, {8, 0, 0, 0}},
        {u"statistics", u"data", REG_BINARY, {10, 0, 0, 0}},
    };
    return values;
  }
  static std::string label(const Stored& v) {
    return wince::wideToUtf8(std::u16string(v.key) + u"/" + v.name);
  }

  // Stores every value; the file's text.
  std::string writeSample() {
    for (const Stored& v : stored()) {
      WCHAR keyClass[] = u"appData";
      HKEY k = nullptr;
      EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, (std::u16string(u"SOFTWARE\\Game\\") + v.key).c_str(), 0,
                               keyClass, 0, 0, nullptr, &k, nullptr),
                ERROR_SUCCESS);
      EXPECT_EQ(RegSetValueEx(k, v.name, 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())), ERROR_SUCCESS);
      RegCloseKey(k);
    }
    return fileText(wince::registryFilePath());
  }

  // The labels of the values that read back as stored.
  static std::set<std::string> kept() {
    std::set<std::string> out;
    for (const Stored& v : stored()) {
      HKEY k = nullptr;
      if (RegOpenKeyEx(HKEY_CURRENT_USER, (std::u16string(u"SOFTWARE\\Game\\") + v.key).c_str(), 0, 0, &k) !=
          ERROR_SUCCESS) {
        continue;
      }
      DWORD type = 0;
      if (query(k, v.name, &type) == v.data && type == v.type) out.insert(label(v));
      RegCloseKey(k);
    }
    return out;
  }
  static std::set<std::string> allBut(std::set<std::string> lost) {
    std::set<std::string> out;
    for (const Stored& v : stored()) {
      if (!lost.count(label(v))) out.insert(label(v));
    }
    return out;
  }

  void writeFile(const std::string& text) { std::ofstream(wince::registryFilePath(), std::ios::binary) << text; }
  fs::path copyName(int n) const { return wince::registryFilePath().string() + ".damaged." + std::to_string(n); }
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST_F(DamagedRegistryTest, EverySoundLineIsKeptAndOnlyTheDamagedOnesAreLeftOut) {
  struct Case {
    const char* damage;
    std::function<std::string(const std::string&)> apply;
    std::set<std::string> lost;
    DWORD dropped;  // 0: the file is sound
  };
  const std::string keyLine = "key \"HKEY_CURRENT_USER\\\\SOFTWARE\\\\Game\\\\gameState\"";
  const Case cases[] = {
      {"the last line end cut off", [](const std::string& t) { return t.substr(0, t.size() - 1); }, {}, 0},
      {"a bad hex digit", [](const std::string& t) { return replaced(t, "hex:0102", "hex:01x2"); },
       {"gameState/data"}, 1},
      {"cut inside a line", [](const std::string& t) { return t.substr(0, t.find("hex:0a000000") + 11); },
       {"statistics/data"}, 1},
      {"a bit flipped in a key path",
       [&](const std::string& t) { return replaced(t, keyLine, replaced(keyLine, "USER", "USEZ")); },
       {"gameState/data", "gameState/size"}, 3},
      {"a key class without its closing quote",
       [&](const std::string& t) { return replaced(t, keyLine + " class \"appData\"", keyLine + " class \"appData"); },
       {}, 1},
      {"a bit flipped in the header", [](const std::string& t) { return replaced(t, "wince-registry", "wince-regisUry"); },
       {}, 1},
      {"a value name without its closing quote",
       [](const std::string& t) { return replaced(t, "\"name\" sz", "\"name sz"); }, {"prefs/name"}, 1},
      {"zeros over the end of one line and the start of the next",
       [](const std::string& t) {
         std::string out = t;
         const auto at = static_cast<long>(out.find("\"Ann\""));
         std::fill(out.begin() + at, out.begin() + at + 12, '\0');
         return out;
       },
       {"prefs/name", "prefs/playMode"}, 1},
      {"a dword of too few digits", [](const std::string& t) { return replaced(t, "0x00000003", "0x0003"); },
       {"prefs/timeLimit"}, 1},
      {"a control character in text", [](const std::string& t) { return replaced(t, "\"Ann\"", "\"A\x01n\""); },
       {"prefs/name"}, 1},
      {"malformed UTF-8 in text", [](const std::string& t) { return replaced(t, "\"Ann\"", "\"A\xffn\""); },
       {"prefs/name"}, 1},
      {"a type number out of range",
       [](const std::string& t) { return replaced(t, "\"playMode\" 3 hex", "\"playMode\" 99999999999 hex"); },
       {"prefs/playMode"}, 1},
      {"a value listed twice",
       [](const std::string& t) {
         return replaced(t, "0x00000008", "0x00000008\nvalue \"SIZE\" 3 hex:ff");
       },
       {}, 1},
      {"a key listed twice, with a value",
       [](const std::string& t) {
         return t + "key \"HKEY_CURRENT_USER\\\\SOFTWARE\\\\Game\\\\statistics\" class \"appData\"\nvalue \"data\" 3 hex:ff\n";
       },
       {}, 2},
      {"an unknown record", [](const std::string& t) { return replaced(t, "key", "what is this\nkey"); }, {}, 1},
      {"a value before any key",
       [](const std::string& t) { return replaced(t, "key", "value \"stray\" sz \"x\"\nkey"); }, {}, 1},
      {"the whole file garbage", [](const std::string&) { return std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16); },
       {"prefs/playMode", "prefs/timeLimit", "prefs/name", "gameState/data", "gameState/size", "statistics/data"}, 3},
      {"an empty file", [](const std::string&) { return std::string(); },
       {"prefs/playMode", "prefs/timeLimit", "prefs/name", "gameState/data", "gameState/size", "statistics/data"}, 1},
  };
  const std::string sound = writeSample();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.damage);
    fs::remove_all(root_);
    ASSERT_TRUE(wince::setDeviceRoot(root_));
    const std::string damaged = c.apply(sound);
    writeFile(damaged);
    wince::reloadRegistry();
    EXPECT_EQ(kept(), allBut(c.lost));
    wince::RegistryDamage damage;
    ASSERT_EQ(wince::takeRegistryDamage(&damage), c.dropped != 0);
    EXPECT_FALSE(wince::takeRegistryDamage(&damage));  // told once
    if (c.dropped == 0) {
      EXPECT_FALSE(fs::exists(copyName(1)));
      continue;
    }
    EXPECT_EQ(damage.droppedLines, c.dropped);
    // The damaged file is kept aside as it was, and the registry file now
    // holds what was kept.
    EXPECT_EQ(damage.copy, u"\\registry.txt.damaged.1");
    EXPECT_EQ(fileText(copyName(1)), damaged);
    wince::reloadRegistry();
    EXPECT_FALSE(wince::takeRegistryDamage(nullptr));
    EXPECT_EQ(kept(), allBut(c.lost));
  }
}

TEST_F(DamagedRegistryTest, CopiesAsideAreNumberedAndNeverReplaced) {
  const std::string sound = writeSample();
  const std::string oldCopy = "an older copy under the name used before";
  std::ofstream(wince::registryFilePath().string() + ".damaged") << oldCopy;
  for (int n = 1; n <= 2; ++n) {
    const std::string damaged = sound + "damage " + std::to_string(n) + "\n";
    writeFile(damaged);
    wince::reloadRegistry();
    wince::RegistryDamage damage;
    ASSERT_TRUE(wince::takeRegistryDamage(&damage));
    EXPECT_EQ(damage.copy, u"\\registry.txt.damaged." + wince::utf8ToWide(std::to_string(n)));
    EXPECT_EQ(fileText(copyName(n)), damaged);
  }
  EXPECT_EQ(fileText(copyName(1)), sound + "damage 1\n");
  EXPECT_EQ(fileText(wince::registryFilePath().string() + ".damaged"), oldCopy);
  EXPECT_EQ(kept(), allBut({}));
}

TEST_F(DamagedRegistryTest, NothingIsWrittenOverADamagedFileUntilItsCopyIsKept) {
  const std::string damaged = replaced(writeSample(), "hex:0102", "hex:01x2");
  writeFile(damaged);
  wince::reloadRegistry();
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, ENOSPC);
  EXPECT_EQ(kept(), allBut({"gameState/data"}));
  wince::RegistryDamage damage;
  ASSERT_TRUE(wince::takeRegistryDamage(&damage));
  EXPECT_EQ(damage.copy, u"");
  HKEY k = create(HKEY_CURRENT_USER, u"SOFTWARE\\Game\\prefs");
  const DWORD v = 5;
  EXPECT_EQ(RegSetValueEx(k, u"timeLimit", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_WRITE_FAULT);
  EXPECT_EQ(fileText(wince::registryFilePath()), damaged);
  EXPECT_FALSE(fs::exists(copyName(1)));
  // Once there is room the copy is made first, then the change is saved.
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, 0);
  EXPECT_EQ(RegSetValueEx(k, u"timeLimit", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_SUCCESS);
  EXPECT_EQ(fileText(copyName(1)), damaged);
  RegCloseKey(k);
  wince::reloadRegistry();
  EXPECT_FALSE(wince::takeRegistryDamage(nullptr));
  EXPECT_EQ(kept(), allBut({"gameState/data", "prefs/timeLimit"}));
}

TEST_F(RegistryTest, EveryFailingStepOfASaveKeepsTheOldFileAndUndoesTheChange) {
  HKEY k = create(HKEY_CURRENT_USER, u"SOFTWARE\\Game");
  const DWORD v = 1;
  ASSERT_EQ(RegSetValueEx(k, u"Kept", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_SUCCESS);
  const std::string before = fileText(wince::registryFilePath());
  for (auto step : {wince::AtomicWriteStep::Write, wince::AtomicWriteStep::Flush, wince::AtomicWriteStep::Rename}) {
    for (int error : {ENOSPC, EIO}) {
      wince::setAtomicWriteFaultForTest(step, error);
      EXPECT_EQ(RegSetValueEx(k, u"Lost", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_WRITE_FAULT);
      EXPECT_EQ(RegQueryValueEx(k, u"Lost", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
      EXPECT_EQ(fileText(wince::registryFilePath()), before);
      EXPECT_FALSE(fs::exists(wince::temporaryFileFor(wince::registryFilePath())));
    }
  }
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, 0);
  EXPECT_EQ(RegSetValueEx(k, u"Saved", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_SUCCESS);
  RegCloseKey(k);
}

TEST(RegistryStoreTest, WrittenTextReadsBackTheSameTree) {
  wince::detail::RegistryTree tree;
  auto& key = tree.roots[2].children[u"software"];
  key.name = u"SOFTWARE";
  key.keyClass = u"appData";
  key.values[u"a"] = {u"A", REG_SZ, {'x', 0, 0, 0}};
  key.values[u"lone\xd800"] = {u"lone\xd800", REG_MULTI_SZ, {1, 2, 3}};
  std::string text = wince::detail::writeRegistryText(tree);
  wince::detail::RegistryTree back;
  ASSERT_TRUE(wince::detail::readRegistryText(text, back).empty()) << text;
  EXPECT_EQ(wince::detail::writeRegistryText(back), text);
  EXPECT_EQ(back.roots[2].children[u"software"].values[u"lone\xd800"].name, u"lone\xd800");
}

}  // namespace
