// The graphics layer inside a real program: the launcher runs it headless,
// it draws its first screen into a window, and the script's screenshot of the
// device screen matches the golden picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "golden_scene.h"
#include "imgpack_png.h"
#include "qz_font.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "wince/host/png_io.h"
#include "wince/host/runtime.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/window.h"

namespace {

LRESULT CALLBACK screenProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      QZUpdateScreen(nullptr);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

int WINAPI screenWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = screenProc;
  wc.hInstance = instance;
  wc.lpszClassName = u"QZGraphicsScreen";
  RegisterClass(&wc);
  HWND window = CreateWindow(u"QZGraphicsScreen", u"Graphics", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             instance, nullptr);
  // A full-screen program: no title bar over its first rows.
  SHFullScreen(window, SHFS_HIDETASKBAR);
  const golden::Resources resources = golden::programResources();
  QZSetGraphicsResourceReader([&resources](uint32_t type, int id, std::vector<uint8_t>* out) -> int16_t {
    const auto it = resources.find({type, id});
    if (it == resources.end()) return -5;
    *out = it->second;
    return 0;
  });
  QZSetGraphicsConfig(QZGraphicsConfig{32, 1400, 130, 0});
  if (!window || QZStartGraphics(window) != 0 || QZSetScreenMode(16, 240, 320) != 0 || !golden::drawProgramScreen()) return 1;
  InvalidateRect(window, nullptr, FALSE);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  QZStopFont();
  QZStopGraphics();
  QZSetGraphicsResourceReader(nullptr);
  return 0;
}

TEST(HeadlessProgram, ScreenshotOfTheFirstScreenMatchesItsGoldenPicture) {
  const std::filesystem::path dir = std::filesystem::path(PELLWYN_TEST_TMP) / "headless_screen";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "root");
  const std::string shot = (dir / "screen.png").string();
  std::ofstream(dir / "script.txt") << "wait 100\nscreenshot " << shot << "\n";
  const wince::Program program{"qz-graphics-test", "Graphics", "smartphone", screenWinMain, nullptr,
                               nullptr, nullptr, nullptr, nullptr, 0};
  std::vector<std::string> args = {"qz-graphics-test", "--headless", "--script", (dir / "script.txt").string(),
                                   "--root", (dir / "root").string()};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  ASSERT_EQ(wince::runProgram(program, static_cast<int>(args.size()), argv.data()), 0);
  imgpack::Image actual, expected;
  std::string error;
  ASSERT_TRUE(imgpack::readPng(shot, &actual, &error)) << error;
  ASSERT_TRUE(imgpack::readPng(std::string(PELLWYN_SOURCE_DIR) + "/tests/platform/golden/program_screen.png", &expected,
                               &error))
      << error;
  EXPECT_EQ(actual.width, 240);
  EXPECT_EQ(actual.height, 320);
  EXPECT_TRUE(actual.pixels == expected.pixels) << "screenshot in " << shot;
}

}  // namespace
