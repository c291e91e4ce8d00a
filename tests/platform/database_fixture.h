// A scratch folder per test, with the database folder slots pointed into it:
// slot 0 (SaveDir) is <tmp>/save, slot 1 (InstallDir) is <tmp>/install, and
// slot 12 (the current folder) is <tmp>/current.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "qz_database_folders.h"

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::path(PELLWYN_TEST_TMP) / (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "install");
    QZSetDatabaseFolderSource([this](int slot, std::u16string& folder) {
      if (slot == 0 && saveDirSet_) folder = toU16(root_ / "save");
      if (slot == 1) folder = toU16(root_ / "install");
      if (slot == 12) folder = toU16(root_ / "current");
      return !folder.empty();
    });
  }
  void TearDown() override { QZSetDatabaseFolderSource({}); }

  static std::u16string toU16(const std::filesystem::path& path) {
    const std::string s = path.string();
    return std::u16string(s.begin(), s.end());
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
  bool saveDirSet_ = true;
};
