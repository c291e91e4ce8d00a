// A scratch device root per test, with the install key's folders set:
// SaveDir is \save (<root>/save) and InstallDir is \install (<root>/install);
// the current folder "." is the device root.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "test_scratch.h"
#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/registry.h"

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = scratchFolder();
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "install");
    ASSERT_TRUE(wince::setDeviceRoot(root_));
    setFolder(u"SaveDir", u"\\save");
    setFolder(u"InstallDir", u"\\install");
  }

  // Sets (or with a null folder removes) a folder value of the install key.
  static void setFolder(const char16_t* value, const char16_t* folder) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              0);
    if (folder == nullptr) {
      RegDeleteValue(key, value);
    } else {
      const auto bytes = static_cast<DWORD>(2 * (std::char_traits<char16_t>::length(folder) + 1));
      RegSetValueEx(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), bytes);
    }
    RegCloseKey(key);
  }

  std::filesystem::path savePath(const std::string& name) const { return root_ / "save" / (name + ".pdb"); }
  std::filesystem::path installPath(const std::string& name) const { return root_ / "install" / (name + ".pdb"); }

  static std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  std::filesystem::path root_;
};
