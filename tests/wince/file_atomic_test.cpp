// Whole-file replacement: every place that replaces a file (the registry,
// CopyFile, the first-start install, PNG files and program saves) keeps the
// old file whole when the write is cut short before the rename, and leaves
// no temporary file behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "wince/host/file.h"
#include "wince/host/png_io.h"
#include "wince/host/registry.h"
#include "wince/registry.h"
#include "wince/system.h"

namespace fs = std::filesystem;

namespace {

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

bool setRegistryValue(const WCHAR* name) {
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Game", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const DWORD value = 1;
  const LONG result = RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool writeImage(const fs::path& path, int side) {
  const std::vector<uint8_t> rgb(static_cast<size_t>(side) * side * 3, 0x80);
  return wince::writePngRgb(path.string(), rgb.data(), side, side, static_cast<size_t>(side) * 3);
}

// One place that replaces a file: `prepare` makes the old file and returns
// its host path, `write` replaces it and tells whether it succeeded.
struct Site {
  const char* name;
  std::function<fs::path(const fs::path& root)> prepare;
  std::function<bool(const fs::path& root)> write;
};

const Site kSites[] = {
    {"the helper itself",
     [](const fs::path& root) {
       writeText(root / "plain.bin", "old");
       return root / "plain.bin";
     },
     [](const fs::path& root) { return wince::writeFileAtomically(root / "plain.bin", "new", 3); }},
    {"a program's save",
     [](const fs::path& root) {
       writeText(root / "save.dat", "old save");
       return root / "save.dat";
     },
     [](const fs::path&) { return wince::writeDeviceFileAtomically(u"\\save.dat", "new save", 8); }},
    {"the registry",
     [](const fs::path&) {
       EXPECT_TRUE(setRegistryValue(u"Old"));
       return wince::registryFilePath();
     },
     [](const fs::path&) { return setRegistryValue(u"New"); }},
    {"CopyFile",
     [](const fs::path& root) {
       writeText(root / "from.bin", "copied contents");
       writeText(root / "to.bin", "old");
       return root / "to.bin";
     },
     [](const fs::path&) { return CopyFile(u"\\from.bin", u"\\to.bin", FALSE) != FALSE; }},
    {"the first-start install",
     [](const fs::path& root) {
       writeText(root.parent_path() / (root.filename().string() + "-build") / "game.pdb", "old build");
       EXPECT_TRUE(wince::installProgram(root.parent_path() / (root.filename().string() + "-build"),
                                         u"\\Program Files\\Game", nullptr, nullptr, 0));
       return root / "Program Files" / "Game" / "game.pdb";
     },
     [](const fs::path& root) {
       const fs::path build = root.parent_path() / (root.filename().string() + "-build");
       writeText(build / "game.pdb", "new build");
       // The build's copy is newer than the installed one.
       fs::last_write_time(build / "game.pdb", fs::last_write_time(root / "Program Files" / "Game" / "game.pdb") +
                                                   std::chrono::seconds(2));
       return wince::installProgram(build, u"\\Program Files\\Game", nullptr, nullptr, 0);
     }},
    {"a PNG file",
     [](const fs::path& root) {
       EXPECT_TRUE(writeImage(root / "shot.png", 1));
       return root / "shot.png";
     },
     [](const fs::path& root) { return writeImage(root / "shot.png", 4); }},
};

TEST(AtomicWrite, AWriteCutShortBeforeTheRenameKeepsTheOldFileAndLeavesNoTemporary) {
  int index = 0;
  for (const Site& site : kSites) {
    SCOPED_TRACE(site.name);
    const fs::path root = fs::path(PELLWYN_TEST_TMP) / ("atomic_write_" + std::to_string(index++));
    fs::remove_all(root);
    fs::remove_all(root.parent_path() / (root.filename().string() + "-build"));
    ASSERT_TRUE(wince::setDeviceRoot(root));
    const fs::path target = site.prepare(root);
    const std::string before = fileText(target);
    ASSERT_FALSE(before.empty());

    bool temporaryWritten = false;
    wince::setBeforeRenameHookForTest([&](const fs::path& temporary) {
      temporaryWritten = temporary == wince::temporaryFileFor(target) && fs::exists(temporary);
      return false;
    });
    EXPECT_FALSE(site.write(root));
    EXPECT_TRUE(temporaryWritten);
    EXPECT_EQ(fileText(target), before);
    EXPECT_FALSE(fs::exists(wince::temporaryFileFor(target)));

    wince::setBeforeRenameHookForTest(nullptr);
    EXPECT_TRUE(site.write(root));
    EXPECT_NE(fileText(target), before);
    EXPECT_FALSE(fs::exists(wince::temporaryFileFor(target)));
  }
}

TEST(AtomicWrite, AProgramSeesWhyASaveFailed) {
  const fs::path root = fs::path(PELLWYN_TEST_TMP) / "atomic_write_errors";
  fs::remove_all(root);
  ASSERT_TRUE(wince::setDeviceRoot(root));
  EXPECT_FALSE(wince::writeDeviceFileAtomically(u"\\No Such Folder\\save.dat", "x", 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(wince::writeDeviceFileAtomically(nullptr, "x", 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fs::is_empty(root));
}

}  // namespace
