// The launcher: command-line flags, device profile and root, first-start
// install.
#include <cstdlib>

#include "runtime_test_util.h"
#include "wince/host/file.h"
#include "wince/host/png_io.h"
#include "wince/host/runtime.h"

namespace {

using namespace runtime_test;

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testFolder();
    programBody() = [](HINSTANCE) { return 0; };
  }
  std::filesystem::path dir_;
};

TEST_F(Launcher, FlagErrorsAndHelp) {
  struct Case {
    std::vector<std::string> args;
    int code;
  } cases[] = {
      {{"--help"}, 0},
      {{"--bogus"}, 2},
      {{"--zoom", "0"}, 2},
      {{"--zoom", "9"}, 2},
      {{"--zoom", "2x"}, 2},
      {{"--zoom"}, 2},
      {{"--script"}, 2},
      {{"--root"}, 2},
      {{"--headless", "--profile", "no-such-device"}, 1},
      {{"--headless", "--script", "no-such-script.txt"}, 1},
      {{"--headless", "--script", "."}, 1},  // a folder
  };
  bool ran = false;
  programBody() = [&](HINSTANCE) {
    ran = true;
    return 0;
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--root", (dir_ / "root").string()});
    EXPECT_EQ(runProgram(testProgram(), args), c.code) << c.args[0];
  }
  EXPECT_FALSE(ran);
}

TEST_F(Launcher, ProfileFromProgramOrFlag) {
  struct Case {
    const char* programProfile;
    std::vector<std::string> extra;
    int width;
    int height;
  } cases[] = {
      {"smartphone", {}, 240, 320},
      {"pocketpc-vga", {}, 480, 640},
      {"pocketpc-qvga", {}, 240, 320},
      {"smartphone", {"--profile", "pocketpc-vga"}, 480, 640},
  };
  for (const Case& c : cases) {
    SIZE seenSize{};
    programBody() = [&](HINSTANCE instance) {
      seenSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      EXPECT_EQ(instance, wince::programInstance());
      return 7;
    };
    std::vector<std::string> args = {"--headless", "--root", (dir_ / "root").string()};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    EXPECT_EQ(runProgram(testProgram(c.programProfile), args), 7);  // WinMain's result
    EXPECT_EQ(seenSize.cx, c.width);
    EXPECT_EQ(seenSize.cy, c.height);
  }
}

TEST_F(Launcher, DeviceRootFromFlagThenEnvironment) {
  std::filesystem::path seenRoot;
  programBody() = [&](HINSTANCE) {
    seenRoot = wince::deviceRoot();
    return 0;
  };
  setenv("WINCE_ROOT", (dir_ / "from-env").c_str(), 1);
  EXPECT_EQ(runProgram(testProgram(), {"--headless"}), 0);
  EXPECT_EQ(seenRoot, dir_ / "from-env");
  EXPECT_EQ(runProgram(testProgram(), {"--headless", "--root", (dir_ / "from-flag").string()}), 0);
  EXPECT_EQ(seenRoot, dir_ / "from-flag");
  unsetenv("WINCE_ROOT");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "from-flag"));
}

TEST_F(Launcher, FirstStartInstallsDataAndRegistryValues) {
  std::filesystem::create_directories(dir_ / "data");
  writeFile(dir_ / "data" / "cards.pdb", "data");
  std::string dataFolder = (dir_ / "data").string();
  const wince::InstallValue values[] = {{u"InstallDir", u"\\Program Files\\Test"}, {u"SaveDir", u"\\Saves"}};
  wince::Program program = testProgram();
  program.dataFolder = dataFolder.c_str();
  program.installDir = u"\\Program Files\\Test";
  program.registryKey = u"SOFTWARE\\Apps\\Test";
  program.installValues = values;
  program.installValueCount = 2;

  std::u16string installDir;
  WCHAR module[MAX_PATH] = {};
  programBody() = [&](HINSTANCE) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Test", 0, KEY_READ, &key), ERROR_SUCCESS);
    WCHAR buf[128] = {};
    DWORD type = 0;
    DWORD size = sizeof buf;
    EXPECT_EQ(RegQueryValueEx(key, u"InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_SUCCESS);
    installDir = buf;
    RegCloseKey(key);
    GetModuleFileName(nullptr, module, MAX_PATH);
    return 0;
  };
  EXPECT_EQ(runProgram(program, {"--headless", "--root", (dir_ / "root").string()}), 0);
  EXPECT_EQ(installDir, u"\\Program Files\\Test");
  EXPECT_EQ(std::u16string(module), u"\\Program Files\\Test\\wince-test.exe");
  EXPECT_EQ(readFile(dir_ / "root" / "Program Files" / "Test" / "cards.pdb"), "data");
}

TEST_F(Launcher, HeadlessRunWithoutScriptStartsAndEnds) {
  programBody() = [](HINSTANCE instance) {
    HWND hwnd = makeMainWindow(instance, DefWindowProc);
    EXPECT_NE(hwnd, nullptr);
    return messageLoop();
  };
  EXPECT_EQ(runProgram(testProgram(), {"--headless", "--root", (dir_ / "root").string()}), 0);
}

}  // namespace
