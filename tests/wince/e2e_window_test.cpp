// The SDL2 back end in a real X window: the pellwyn program runs under a
// virtual X server, and its own screenshot command reads the window back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "wince/host/png_io.h"

namespace {

bool onPath(const char* program) {
  std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

TEST(E2eWindow, PellwynOpensItsWindowUnderXvfb) {
  if (!onPath("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed";
  std::filesystem::path dir = std::filesystem::path(PELLWYN_TEST_TMP) / "E2eWindow";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::path program = std::filesystem::path(PELLWYN_BINARY_DIR) / "programs" / "pellwyn";
  ASSERT_TRUE(std::filesystem::exists(program)) << program;
  std::filesystem::path shot = dir / "window.png";
  std::ofstream(dir / "script.txt") << "wait 300\nscreenshot " << shot.string() << "\n";

  // X and SDL keep some allocations for the life of the process; only the
  // program's own leaks matter, and the headless tests look for those.
  std::string command = "ASAN_OPTIONS=detect_leaks=0 WINCE_INSTANCE_NAMESPACE=e2e-window xvfb-run -a -s '-screen 0 "
                        "640x800x24' " +
                        program.string() + " --root " + (dir / "root").string() + " --script " +
                        (dir / "script.txt").string() + " >" + (dir / "log.txt").string() + " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << std::ifstream(dir / "log.txt").rdbuf();

  wince::RgbImage image;
  std::string error;
  ASSERT_TRUE(wince::readPng(shot.string(), &image, &error)) << error;
  // The 240x320 phone screen at the default zoom of 2.
  EXPECT_EQ(image.width, 480);
  EXPECT_EQ(image.height, 640);
  // The program's plain green screen, near the top-left corner.
  const uint8_t* p = image.pixel(20, 20);
  EXPECT_NEAR(p[0], 0, 4);
  EXPECT_NEAR(p[1], 96, 4);
  EXPECT_NEAR(p[2], 48, 4);
}

}  // namespace
