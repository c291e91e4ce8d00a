// One instance per program: a second process finds the first and raises it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "../common/wait_until.h"
#include "runtime_test_util.h"
#include "wince/host/file.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/window.h"

namespace {

// The runtime's lock files and sockets go to a folder of the test's own (a
// short path: socket names are limited to 107 bytes), removed at its end.
class OwnRuntimeFolder {
 public:
  OwnRuntimeFolder() {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) previous = old;
    char name[] = "/tmp/wince-instance-XXXXXX";
    if (mkdtemp(name) != nullptr) path = name;
    setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
  }
  ~OwnRuntimeFolder() {
    if (previous.empty())
      unsetenv("XDG_RUNTIME_DIR");
    else
      setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
    std::error_code error;
    std::filesystem::remove_all(path, error);
  }
  OwnRuntimeFolder(const OwnRuntimeFolder&) = delete;
  OwnRuntimeFolder& operator=(const OwnRuntimeFolder&) = delete;

  std::filesystem::path path;

 private:
  std::string previous;
};

constexpr const char16_t* kClass = u"SoloMain";

// The first instance: opens its window, reports ready through the pipe,
// and runs its loop until asked to come forward (exit code 7) or until a
// guard timer against a hang gives up (exit code 2).
[[noreturn]] void runFirstInstance(int readyFd) {
  wince::resetWindowing();
  wince::useRealClock();
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_TIMER) PostQuitMessage(2);
    return DefWindowProc(h, msg, wp, lp);
  };
  wc.lpszClassName = kClass;
  RegisterClass(&wc);
  HWND main = CreateWindowEx(0, kClass, u"Solo", WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND other = CreateWindowEx(0, kClass, u"Other", WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  static HWND raisedTo = nullptr;
  wince::setRaiseHook([] {
    raisedTo = GetForegroundWindow();
    PostQuitMessage(7);
  });
  SetTimer(main, 1, test_wait::kHangGuardMs, nullptr);
  if (main == nullptr || other == nullptr || write(readyFd, "r", 1) != 1) _exit(3);
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
  const bool raisedMain = raisedTo == main;
  wince::resetWindowing();
  // The published window (the first of its class) came to the front.
  _exit(m.wParam == 7 && !raisedMain ? 4 : static_cast<int>(m.wParam));
}

TEST(SingleInstance, SecondProcessFindsAndRaisesTheFirst) {
  const OwnRuntimeFolder folder;
  const std::filesystem::path& runtimeFolder = folder.path;
  const std::string ns = "instance-test-" + std::to_string(getpid());
  wince::setInstanceNamespace(ns.c_str());
  wince::resetWindowing();
  EXPECT_EQ(FindWindow(kClass, nullptr), nullptr);  // nobody runs yet

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    runFirstInstance(fds[1]);
  }
  close(fds[1]);
  char ready = 0;
  ASSERT_EQ(read(fds[0], &ready, 1), 1);
  close(fds[0]);

  HWND found = FindWindow(kClass, nullptr);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(FindWindow(u"somebody else", nullptr), nullptr);
  EXPECT_FALSE(IsWindow(found));  // a stand-in, not a window of ours
  // The caller sets the low bit, as the programs do.
  EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(found) | 1)));

  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7);
  // Gone with its process, and its files with it.
  EXPECT_EQ(FindWindow(kClass, nullptr), nullptr);
  EXPECT_FALSE(SetForegroundWindow(found));
  EXPECT_TRUE(std::filesystem::is_empty(runtimeFolder));
}

TEST(SingleInstance, TheNextProcessTakesOverAndNothingStaysBehind) {
  const OwnRuntimeFolder folder;
  const std::filesystem::path& runtimeFolder = folder.path;
  wince::setInstanceNamespace(("instance-next-" + std::to_string(getpid())).c_str());
  wince::resetWindowing();
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = kClass;
  RegisterClass(&wc);
  for (int run = 0; run < 2; ++run) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Another process of the program: it finds nobody, publishes its
      // window and ends.
      HWND w = FindWindow(kClass, nullptr) == nullptr
                   ? CreateWindowEx(0, kClass, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)
                   : nullptr;
      const bool published = w != nullptr && !std::filesystem::is_empty(runtimeFolder);
      wince::resetWindowing();
      _exit(published ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "run " << run;
    EXPECT_TRUE(std::filesystem::is_empty(runtimeFolder)) << "run " << run;
  }
  // This process publishes in its turn while it runs, and cleans up.
  HWND mine = CreateWindowEx(0, kClass, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(mine, nullptr);
  EXPECT_FALSE(std::filesystem::is_empty(runtimeFolder));
  DestroyWindow(mine);
  EXPECT_TRUE(std::filesystem::is_empty(runtimeFolder));
  wince::resetWindowing();
}

TEST(SingleInstance, NamespacesKeepRunsApart) {
  const std::string base = "instance-ns-" + std::to_string(getpid());
  wince::setInstanceNamespace((base + "-a").c_str());
  wince::resetWindowing();
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = kClass;
  RegisterClass(&wc);
  HWND mine = CreateWindowEx(0, kClass, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(FindWindow(kClass, nullptr), mine);  // our own window, found locally
  DestroyWindow(mine);
  EXPECT_EQ(FindWindow(kClass, nullptr), nullptr);  // no stale socket answers
  wince::resetWindowing();
}

// Another process of the program on the device root `root`: it publishes its
// window, says so through `readyFd` and runs until `stopFd` is closed.
[[noreturn]] void runOnRoot(const std::filesystem::path& root, const std::string& ns, const WCHAR* className,
                            int readyFd, int stopFd) {
  wince::resetWindowing();
  wince::setInstanceNamespace(ns.c_str());
  if (!wince::setDeviceRoot(root)) _exit(3);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = className;
  RegisterClass(&wc);
  if (CreateWindowEx(0, className, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr) == nullptr ||
      write(readyFd, "r", 1) != 1) {
    _exit(4);
  }
  char byte = 0;
  while (read(stopFd, &byte, 1) > 0) {
  }
  wince::resetWindowing();
  _exit(0);
}

// The first process of a program on a device root; stopped and waited for
// when it goes out of scope.
class OtherProcess {
 public:
  OtherProcess(const std::filesystem::path& root, const std::string& ns, const WCHAR* className) {
    int ready[2], stop[2];
    if (pipe(ready) != 0 || pipe(stop) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(stop[1]);
      runOnRoot(root, ns, className, ready[1], stop[0]);
    }
    close(ready[1]);
    close(stop[0]);
    stopFd_ = stop[1];
    char byte = 0;
    started_ = pid_ > 0 && read(ready[0], &byte, 1) == 1;
    close(ready[0]);
  }
  ~OtherProcess() {
    if (stopFd_ >= 0) close(stopFd_);
    int status = 0;
    if (pid_ > 0) waitpid(pid_, &status, 0);
  }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  bool started() const { return started_; }

 private:
  pid_t pid_ = -1;
  int stopFd_ = -1;
  bool started_ = false;
};

TEST(SingleInstance, OneInstanceRunsPerDeviceRootNotPerUser) {
  const OwnRuntimeFolder folder;
  const std::string ns = "instance-root-" + std::to_string(getpid());
  const std::filesystem::path roots = std::filesystem::path(PELLWYN_TEST_TMP) / "instance-roots";
  std::filesystem::remove_all(roots);
  const OtherProcess first(roots / "a", ns, kClass);
  ASSERT_TRUE(first.started());
  wince::setInstanceNamespace(ns.c_str());
  wince::resetWindowing();
  ASSERT_TRUE(wince::setDeviceRoot(roots / "b"));
  EXPECT_EQ(FindWindow(kClass, nullptr), nullptr);  // another device: nobody runs there
  ASSERT_TRUE(wince::setDeviceRoot(roots / "b" / ".." / "a"));
  EXPECT_NE(FindWindow(kClass, nullptr), nullptr);  // the same folder, however named
  wince::resetWindowing();
}

TEST(SingleInstance, AStartRefusedForARunningInstanceSaysWhyAndFails) {
  const OwnRuntimeFolder folder;
  const std::string ns = "instance-refused-" + std::to_string(getpid());
  const std::filesystem::path roots = std::filesystem::path(PELLWYN_TEST_TMP) / "instance-refused";
  std::filesystem::remove_all(roots);
  const OtherProcess first(roots / "a", ns, u"TestMain");
  ASSERT_TRUE(first.started());
  wince::setInstanceNamespace(ns.c_str());
  // The program's own check, as both programs make it: bring the running
  // one forward and end, or start.
  runtime_test::programBody() = [](HINSTANCE instance) {
    if (HWND running = FindWindow(u"TestMain", nullptr)) {
      SetForegroundWindow(running);
      return 0;
    }
    return runtime_test::makeMainWindow(instance, DefWindowProc) != nullptr ? 0 : 5;
  };
  const wince::Program program = runtime_test::testProgram();
  testing::internal::CaptureStderr();
  EXPECT_EQ(runtime_test::runProgram(program, {"--headless", "--root", (roots / "a").string()}), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("wince-test: not started: it is already running with the device root"), std::string::npos)
      << said;
  EXPECT_NE(said.find("instance-refused/a"), std::string::npos) << said;
  EXPECT_EQ(runtime_test::runProgram(program, {"--headless", "--root", (roots / "b").string()}), 0);
}

}  // namespace
