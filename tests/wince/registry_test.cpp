// The registry: values and keys, persistence after every change, atomic
// writes, and a damaged file.
#include "wince/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "registry_store.h"
#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
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

TEST_F(RegistryTest, ADamagedFileIsMovedAsideAndTheRegistryStartsEmpty) {
  const char* damaged[] = {
      "",
      "not a registry\n",
      "wince-registry 1\nvalue \"a\" sz \"b\"\n",
      "wince-registry 1\nkey \"HKEY_NOWHERE\\x\"\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\\"\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"\nvalue \"v\" 3 hex:abc\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"\nvalue \"v\" dword 0x12\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"\nvalue \"v\" sz \"\\q\"\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"\nvalue \"v\" 99999999999 hex:\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"\nvalue \"v\" 3 hex:00\nvalue \"V\" 3 hex:00\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"\nvalue \"v\" sz \"\xff\"\n",
      "wince-registry 1\nkey \"HKEY_CURRENT_USER\\a\"",
  };
  for (const char* text : damaged) {
    std::ofstream(wince::registryFilePath(), std::ios::binary) << text;
    wince::reloadRegistry();
    HKEY k = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"a", 0, 0, &k), ERROR_FILE_NOT_FOUND) << text;
    EXPECT_EQ(fileText(wince::registryFilePath().string() + ".damaged"), text);
    EXPECT_FALSE(fs::exists(wince::registryFilePath()));
    HKEY fresh = create(HKEY_CURRENT_USER, u"fresh");
    EXPECT_TRUE(fs::exists(wince::registryFilePath()));
    RegCloseKey(fresh);
  }
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
  std::string error;
  ASSERT_TRUE(wince::detail::readRegistryText(text, back, &error)) << error << "\n" << text;
  EXPECT_EQ(wince::detail::writeRegistryText(back), text);
  EXPECT_EQ(back.roots[2].children[u"software"].values[u"lone\xd800"].name, u"lone\xd800");
}

}  // namespace
