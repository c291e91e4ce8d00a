// The SDL2 back end in a real X window: the pellwyn program runs under a
// virtual X server, and its own screenshot command reads the window back.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../common/wait_until.h"
#include "wince/host/png_io.h"

namespace {

namespace fs = std::filesystem;

bool onPath(const char* program) {
  std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

std::string readText(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window's frames come in real time, as fast as the machine allows: the
// script dumps the state and takes a screenshot every 100 ms, and the test
// takes the first screenshot after a dump that shows two frames drawn (the
// first copies the whole screen). The screen never has to come to rest: the
// new-player form's cursor redraws its entry at almost every frame.
class WindowRun {
 public:
  explicit WindowRun(const fs::path& dir) : dir_(dir) {}

  fs::path dump(int n) const { return dir_ / ("state-" + std::to_string(n) + ".txt"); }
  fs::path shot(int n) const { return dir_ / ("window-" + std::to_string(n) + ".png"); }

  void writeScript(int steps) const {
    std::ofstream script(dir_ / "script.txt");
    for (int n = 0; n < steps; ++n) {
      script << "wait 100\ndump " << dump(n).string() << "\nscreenshot " << shot(n).string() << "\n";
    }
  }

  // Starts the program in the background; its process id lands in "pid",
  // the exit status of the run in "status".
  bool start(const fs::path& program) const {
    // X and SDL keep some allocations for the life of the process; only the
    // program's own leaks matter, and the headless tests look for those.
    const std::string command = "(ASAN_OPTIONS=detect_leaks=0 WINCE_INSTANCE_NAMESPACE=e2e-window xvfb-run -a -s "
                                "'-screen 0 640x800x24' sh -c 'echo $$ >\"$0\"; exec \"$1\" --root \"$2\" --script "
                                "\"$3\"' " +
                                (dir_ / "pid").string() + " " + program.string() + " " + (dir_ / "root").string() +
                                " " + (dir_ / "script.txt").string() + " >" + (dir_ / "log.txt").string() +
                                " 2>&1; echo $? >" + (dir_ / "status").string() + ") &";
    return std::system(command.c_str()) == 0;
  }

  // The first step whose dump shows two frames drawn; its screenshot is
  // complete once the next step's dump is there. -1 on a hang.
  int firstDrawnStep() const {
    int next = 0, drawn = -1;
    test_wait::waitUntil([&] {
      for (; fs::exists(dump(next + 1)); ++next) {
        const std::string state = readText(dump(next));
        const size_t at = state.find("\nframes=");
        if (at != std::string::npos && std::atoi(state.c_str() + at + 8) >= 2) {
          drawn = next;
          return true;
        }
      }
      return fs::exists(dir_ / "status");  // ended early
    });
    return drawn;
  }

  // Closes the program as the desktop would (SDL turns the signal into its
  // quit event) and waits for the run to end; its exit status.
  int stop() const {
    test_wait::waitUntil([&] { return fs::exists(dir_ / "pid"); });
    const int pid = std::atoi(readText(dir_ / "pid").c_str());
    if (pid > 0) kill(pid, SIGTERM);
    if (!test_wait::waitUntil([&] { return fs::exists(dir_ / "status"); })) return -1;
    return std::atoi(readText(dir_ / "status").c_str());
  }

 private:
  fs::path dir_;
};

TEST(E2eWindow, PellwynOpensItsWindowUnderXvfb) {
  if (!onPath("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed";
  const fs::path dir = fs::path(PELLWYN_TEST_TMP) / "E2eWindow";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path program = fs::path(PELLWYN_BINARY_DIR) / "programs" / "pellwyn";
  ASSERT_TRUE(fs::exists(program)) << program;

  // Two minutes of steps: a guard against a hang, ended at the first frame.
  const WindowRun run(dir);
  run.writeScript(1200);
  ASSERT_TRUE(run.start(program));
  const int step = run.firstDrawnStep();
  // Closed before its script ended (status 3), or, should the close not
  // reach it, at the script's end (0): nothing else wrong.
  const int status = run.stop();
  EXPECT_TRUE(status == 3 || status == 0) << status << "\n" << readText(dir / "log.txt");
  ASSERT_GE(step, 0) << "no frame drawn\n" << readText(dir / "log.txt");

  wince::RgbImage image;
  std::string error;
  ASSERT_TRUE(wince::readPng(run.shot(step).string(), &image, &error)) << error;
  // The 240x320 phone screen at the default zoom of 2.
  EXPECT_EQ(image.width, 480);
  EXPECT_EQ(image.height, 640);
  // The title screen's table in the default green theme, near the top-left corner.
  const uint8_t* p = image.pixel(20, 20);
  EXPECT_GT(p[1], p[0]);
  EXPECT_GT(p[1], p[2]);
  EXPECT_GT(p[1], 40);
}

}  // namespace
