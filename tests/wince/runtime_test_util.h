// Helpers for tests that run a small program through the launcher, headless
// and driven by a script, in this process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "wince/host/runtime.h"
#include "wince/runtime.h"
#include "wince/wince.h"

namespace runtime_test {

// A folder of its own for the running test, emptied first.
inline std::filesystem::path testFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir =
      std::filesystem::path(PELLWYN_TEST_TMP) / (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::filesystem::path writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The WinMain of the program under test calls this.
inline std::function<int(HINSTANCE)>& programBody() {
  static std::function<int(HINSTANCE)> body;
  return body;
}

inline int WINAPI testWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) { return programBody()(instance); }

inline wince::Program testProgram(const char* profile = "smartphone") {
  return {"wince-test", "Test", profile, testWinMain, nullptr, nullptr, nullptr, nullptr, nullptr, 0};
}

// Runs the program headless with `args` after argv[0].
inline int runProgram(const wince::Program& program, std::vector<std::string> args) {
  args.insert(args.begin(), program.name);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return wince::runProgram(program, static_cast<int>(args.size()), argv.data());
}

// Runs `body` as WinMain, headless, with `script` in dir and the device root
// under it.
inline int runScript(const std::filesystem::path& dir, const std::string& script, std::function<int(HINSTANCE)> body,
                     const char* profile = "smartphone") {
  programBody() = std::move(body);
  std::filesystem::path file = writeFile(dir / "script.txt", script);
  return runProgram(testProgram(profile),
                    {"--headless", "--root", (dir / "root").string(), "--script", file.string()});
}

// A plain message loop, as programs run it.
inline int messageLoop() {
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// Registers a window class of `proc` and makes a visible window over the
// whole device screen.
inline HWND makeMainWindow(HINSTANCE instance, WNDPROC proc, const WCHAR* className = u"TestMain") {
  WNDCLASS wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = className;
  RegisterClass(&wc);
  return CreateWindowEx(0, className, u"Test", WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
}

// Messages a window procedure saw, in order, as "NAME wParam lParam" lines.
inline std::vector<std::string>& seen() {
  static std::vector<std::string> lines;
  return lines;
}

}  // namespace runtime_test
