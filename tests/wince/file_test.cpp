// Device paths, C streams, folder listings, file operations and the
// first-start install.
#include "wince/file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "wince/host/file.h"
#include "wince/registry.h"
#include "wince/system.h"
#include "wince/text.h"
#include "wince/thread.h"

namespace fs = std::filesystem;

namespace {

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(PELLWYN_TEST_TMP) /
            (std::string("file_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    ASSERT_TRUE(wince::setDeviceRoot(root_));
  }

  void touch(const fs::path& relative, const std::string& content = "x") {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << content;
  }

  std::vector<std::u16string> find(const WCHAR* pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFile(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    return names;
  }

  fs::path root_;
};

TEST_F(FileTest, DevicePathsMapUnderTheRoot) {
  touch("Data/Mixed Case.PDB");
  struct Case {
    const WCHAR* device;
    fs::path host;
  };
  const Case cases[] = {
      {u"\\Program Files\\Pellwyn\\x.pdb", "Program Files/Pellwyn/x.pdb"},
      {u"Program Files/Pellwyn\\x.pdb", "Program Files/Pellwyn/x.pdb"},
      {u"\\\\a\\\\b\\", "a/b"},
      {u"\\a\\.\\b\\..\\c", "a/c"},
      {u"\\..\\..\\escape", "escape"},                     // never above the root
      {u"\\DATA\\mixed case.pdb", "Data/Mixed Case.PDB"},  // existing names match without case
      {u"\\data\\New.pdb", "Data/New.pdb"},
      {u"\\caf\u00e9", "caf\xc3\xa9"},
  };
  for (const Case& c : cases) EXPECT_EQ(wince::hostPath(c.device), root_ / c.host) << c.host;
  EXPECT_EQ(wince::hostPath(u""), root_);
  EXPECT_EQ(wince::devicePath(root_ / "Data" / "Mixed Case.PDB"), u"\\Data\\Mixed Case.PDB");
  EXPECT_EQ(wince::devicePath(root_), u"\\");
  EXPECT_EQ(wince::devicePath(root_.parent_path() / "elsewhere"), u"");
}

TEST_F(FileTest, StreamsOpenDevicePaths) {
  ASSERT_TRUE(CreateDirectory(u"\\Saves", nullptr));
  FILE* f = _wfopen(u"\\Saves\\game.dat", u"wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fwrite("abcdef", 1, 6, f), 6u);
  std::fclose(f);
  f = _wfopen(u"\\saves\\GAME.DAT", u"rb");
  ASSERT_NE(f, nullptr);
  std::fseek(f, 0, SEEK_END);
  EXPECT_EQ(std::ftell(f), 6);
  std::fseek(f, 2, SEEK_SET);
  char buffer[4] = {};
  EXPECT_EQ(std::fread(buffer, 1, 3, f), 3u);
  EXPECT_STREQ(buffer, "cde");
  std::fclose(f);
  f = _wfopen(u"\\Saves\\text.txt", u"w+t, ccs=UNICODE");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  f = wince::fopenDevicePath("\\SAVES\\game.dat", "rb");  // narrow device paths too
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  ASSERT_TRUE(CreateDirectory(u"\\Caf\u00e9", nullptr));
  f = wince::fopenDevicePath("\\Caf\xe9\\x.bin", "wb");  // code page 1252
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(fs::exists(root_ / "Caf\xc3\xa9" / "x.bin"));

  EXPECT_EQ(_wfopen(u"\\Missing\\x", u"rb"), nullptr);
  EXPECT_EQ(_wfopen(u"\\Saves\\game.dat", u"rq"), nullptr);
  EXPECT_EQ(_wfopen(nullptr, u"rb"), nullptr);
  EXPECT_EQ(_wfopen(u"\\Saves", u"rb"), nullptr);  // a folder is no stream
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(_wremove(u"\\Saves\\game.dat"), 0);
  EXPECT_EQ(_wremove(u"\\Saves\\game.dat"), -1);
}

TEST_F(FileTest, FindFilesIsSortedAndMatchesWithoutCase) {
  for (const char* name : {"b.pdb", "A.pdb", "c.PDB", "d.txt", "noext", "a.pdbx"}) touch(fs::path("Folder") / name);
  fs::create_directories(root_ / "Folder" / "e.pdb");
  EXPECT_EQ(find(u"\\Folder\\*.pdb"), (std::vector<std::u16string>{u"A.pdb", u"b.pdb", u"c.PDB", u"e.pdb"}));
  EXPECT_EQ(find(u"\\folder\\*.*").size(), 7u);
  EXPECT_EQ(find(u"\\Folder\\?.TXT"), (std::vector<std::u16string>{u"d.txt"}));
  EXPECT_EQ(find(u"\\Folder\\*ext"), (std::vector<std::u16string>{u"noext"}));
  EXPECT_EQ(find(u"\\Folder\\B.PDB"), (std::vector<std::u16string>{u"b.pdb"}));

  WIN32_FIND_DATA data;
  HANDLE h = FindFirstFile(u"\\Folder\\e*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  FindClose(h);
  h = FindFirstFile(u"\\Folder\\d.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.nFileSizeLow, 1u);
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));
  EXPECT_FALSE(FindNextFile(h, &data));

  EXPECT_EQ(FindFirstFile(u"\\Folder\\*.zip", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFile(u"\\Nowhere\\*.pdb", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileTest, FolderAndFileOperationsInSequence) {
  struct Step {
    const char* what;
    BOOL result;
    bool expected;
  };
  touch("file.txt", "hello");
  const Step steps[] = {
      {"create folder", CreateDirectory(u"\\Folder", nullptr), true},
      {"create again", CreateDirectory(u"\\folder", nullptr), false},
      {"create without parent", CreateDirectory(u"\\A\\B", nullptr), false},
      {"copy", CopyFile(u"\\file.txt", u"\\Folder\\copy.txt", TRUE), true},
      {"copy onto existing", CopyFile(u"\\file.txt", u"\\Folder\\copy.txt", TRUE), false},
      {"copy over", CopyFile(u"\\file.txt", u"\\Folder\\copy.txt", FALSE), true},
      {"copy missing", CopyFile(u"\\none.txt", u"\\x.txt", FALSE), false},
      {"remove non-empty", RemoveDirectory(u"\\Folder"), false},
      {"move onto existing", MoveFile(u"\\file.txt", u"\\Folder\\copy.txt"), false},
      {"move", MoveFile(u"\\Folder\\copy.txt", u"\\moved.txt"), true},
      {"change case", MoveFile(u"\\moved.txt", u"\\MOVED.txt"), true},
      {"move missing", MoveFile(u"\\none.txt", u"\\x.txt"), false},
      {"delete folder as file", DeleteFile(u"\\Folder"), false},
      {"remove folder", RemoveDirectory(u"\\Folder"), true},
      {"delete", DeleteFile(u"\\file.txt"), true},
      {"delete missing", DeleteFile(u"\\file.txt"), false},
      {"remove root", RemoveDirectory(u"\\"), false},
      {"move root", MoveFile(u"\\", u"\\elsewhere"), false},
  };
  for (const Step& s : steps) EXPECT_EQ(s.result != FALSE, s.expected) << s.what;
  EXPECT_TRUE(fs::exists(root_ / "MOVED.txt"));
  EXPECT_FALSE(fs::exists(root_ / "moved.txt"));
  std::ifstream moved(root_ / "MOVED.txt");
  std::string content;
  moved >> content;
  EXPECT_EQ(content, "hello");
}

TEST_F(FileTest, ErrorCodesOfFailedOperations) {
  touch("file.txt");
  CreateDirectory(u"\\Folder", nullptr);
  struct Case {
    const char* what;
    std::function<BOOL()> call;
    DWORD error;
  };
  const Case cases[] = {
      {"create existing", [] { return CreateDirectory(u"\\FOLDER", nullptr); }, ERROR_ALREADY_EXISTS},
      {"create without parent", [] { return CreateDirectory(u"\\A\\B", nullptr); }, ERROR_PATH_NOT_FOUND},
      {"copy onto existing", [] { return CopyFile(u"\\file.txt", u"\\file.txt", FALSE); }, ERROR_FILE_EXISTS},
      {"delete missing", [] { return DeleteFile(u"\\none"); }, ERROR_FILE_NOT_FOUND},
      {"delete folder", [] { return DeleteFile(u"\\Folder"); }, ERROR_ACCESS_DENIED},
      {"remove a file", [] { return RemoveDirectory(u"\\file.txt"); }, ERROR_DIRECTORY},
      {"move onto existing", [] { return MoveFile(u"\\file.txt", u"\\Folder"); }, ERROR_ALREADY_EXISTS},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST_F(FileTest, HandleBasedReadingAndWriting) {
  HANDLE f =
      CreateFile(u"\\text.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  const WCHAR line[] = {0xFEFF, u'a', u'\r', u'\n'};
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(f, line, 8, &done, nullptr));
  EXPECT_EQ(done, 8u);
  EXPECT_EQ(GetFileSize(f, nullptr), 8u);
  EXPECT_EQ(SetFilePointer(f, 2, nullptr, FILE_BEGIN), 2u);
  WCHAR back[4] = {};
  ASSERT_TRUE(ReadFile(f, back, 8, &done, nullptr));
  EXPECT_EQ(done, 6u);  // short read at the end
  EXPECT_EQ(std::u16string(back, 3), u"a\r\n");
  ASSERT_TRUE(ReadFile(f, back, 8, &done, nullptr));
  EXPECT_EQ(done, 0u);  // the end: success with nothing
  EXPECT_EQ(SetFilePointer(f, -2, nullptr, FILE_END), 6u);
  EXPECT_EQ(SetFilePointer(f, -100, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_TRUE(SetEndOfFile(f));
  EXPECT_TRUE(FlushFileBuffers(f));
  BY_HANDLE_FILE_INFORMATION info;
  ASSERT_TRUE(GetFileInformationByHandle(f, &info));
  EXPECT_EQ(info.nFileSizeLow, 6u);
  EXPECT_EQ(WaitForSingleObject(f, 0), WAIT_FAILED);  // files are not waitable
  EXPECT_TRUE(CloseHandle(f));
  EXPECT_FALSE(ReadFile(f, back, 2, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  struct Open {
    DWORD access;
    DWORD creation;
    bool opens;
    DWORD error;
  };
  const Open opens[] = {
      {GENERIC_READ, OPEN_EXISTING, true, 0},
      {GENERIC_WRITE, CREATE_NEW, false, ERROR_FILE_EXISTS},
      {GENERIC_WRITE, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {GENERIC_READ, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
  };
  for (const Open& o : opens) {
    HANDLE h = CreateFile(u"\\TEXT.TXT", o.access, 0, nullptr, o.creation, 0, nullptr);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, o.opens) << o.creation;
    EXPECT_EQ(GetLastError(), o.error) << o.creation;
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  HANDLE readOnly = CreateFile(u"\\text.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(WriteFile(readOnly, line, 2, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(readOnly);
  EXPECT_EQ(CreateFile(u"\\none.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(CreateFile(u"\\", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

TEST_F(FileTest, AttributesAndModuleName) {
  touch("file.txt");
  CreateDirectory(u"\\Folder", nullptr);
  EXPECT_EQ(GetFileAttributes(u"\\FILE.TXT"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributes(u"\\folder"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributes(u"\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributes(u"\\none"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  wince::setModuleFileName(u"\\Program Files\\Pellwyn\\Pellwyn.exe");
  WCHAR name[MAX_PATH];
  EXPECT_EQ(GetModuleFileName(nullptr, name, MAX_PATH), 34u);
  EXPECT_EQ(std::u16string(name), u"\\Program Files\\Pellwyn\\Pellwyn.exe");
  WCHAR small[8];
  EXPECT_EQ(GetModuleFileName(nullptr, small, 8), 8u);
  EXPECT_EQ(std::u16string(small), u"\\Progra");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(FileTest, InstallCopiesTheBuildsDataAndSetsMissingValues) {
  fs::path data = root_.parent_path() / (root_.filename().string() + "_data");
  fs::remove_all(data);
  fs::create_directories(data / "songs");
  std::ofstream(data / "a.pdb") << "build 1";
  std::ofstream(data / "songs" / "s.it") << "song";
  const wince::InstallValue values[] = {{u"InstallDir", u"\\Program Files\\Pellwyn"}, {u"SaveDir", u"\\My Documents"}};
  const WCHAR* key = u"SOFTWARE\\Apps\\Pellwyn";
  ASSERT_TRUE(wince::installProgram(data, u"\\Program Files\\Pellwyn", key, values, 2));
  EXPECT_TRUE(fs::exists(root_ / "Program Files" / "Pellwyn" / "songs" / "s.it"));

  HKEY k;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &k), ERROR_SUCCESS);
  WCHAR dir[64];
  DWORD size = sizeof dir;
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueEx(k, u"InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(dir), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::u16string(dir), u"\\Program Files\\Pellwyn");
  // A value the user changed survives the next start.
  const WCHAR changed[] = u"\\Storage Card";
  ASSERT_EQ(RegSetValueEx(k, u"SaveDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(changed), sizeof changed),
            ERROR_SUCCESS);
  RegCloseKey(k);

  // A rebuilt data file arrives; one the program changed since stays.
  fs::path installed = root_ / "Program Files" / "Pellwyn";
  std::ofstream(installed / "songs" / "s.it") << "changed by the program";
  fs::last_write_time(installed / "songs" / "s.it", fs::file_time_type::clock::now() + std::chrono::hours(1));
  std::ofstream(data / "a.pdb") << "build 2";
  fs::last_write_time(data / "a.pdb", fs::file_time_type::clock::now() + std::chrono::hours(2));
  ASSERT_TRUE(wince::installProgram(data, u"\\Program Files\\Pellwyn", key, values, 2));
  std::string content;
  std::getline(std::ifstream(installed / "a.pdb"), content);
  EXPECT_EQ(content, "build 2");
  std::getline(std::ifstream(installed / "songs" / "s.it"), content);
  EXPECT_EQ(content, "changed by the program");
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &k), ERROR_SUCCESS);
  size = sizeof dir;
  ASSERT_EQ(RegQueryValueEx(k, u"SaveDir", nullptr, nullptr, reinterpret_cast<BYTE*>(dir), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(dir), u"\\Storage Card");
  RegCloseKey(k);
}

}  // namespace
