// End to end, headless: a small program paints, takes a key and a tap, asks
// a question in a message box that the script answers, and the script keeps
// its screen as PNG files and its state as text.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime_test_util.h"
#include "wince/host/png_io.h"

namespace {

using namespace runtime_test;

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kGreen = RGB(0, 248, 0);
constexpr COLORREF kBlue = RGB(0, 0, 248);
constexpr COLORREF kYellow = RGB(248, 248, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Demo {
  WCHAR typed = 0;
  POINT tap{-1, -1};
  int answer = 0;
} g_demo;

void fill(HDC hdc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(hdc, &r, brush);
  DeleteObject(brush);
}

LRESULT CALLBACK demoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      fill(hdc, {20, 20, 60, 60}, g_demo.typed == u'5' ? kGreen : kGrey);
      if (g_demo.tap.x >= 0) fill(hdc, {g_demo.tap.x - 5, g_demo.tap.y - 5, g_demo.tap.x + 5, g_demo.tap.y + 5}, kBlue);
      fill(hdc, {180, 20, 220, 60}, g_demo.answer == IDYES ? kYellow : g_demo.answer ? kBlack : kGrey);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CHAR:
      g_demo.typed = static_cast<WCHAR>(wParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP:
      g_demo.tap = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      InvalidateRect(hwnd, nullptr, TRUE);
      g_demo.answer = MessageBox(hwnd, u"Keep the tap?", u"Question", MB_YESNO | MB_ICONQUESTION);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void dumpDemo(std::string& out) {
  out += "typed: " + std::string(1, static_cast<char>(g_demo.typed)) + "\n";
  out += "tap: " + std::to_string(g_demo.tap.x) + "," + std::to_string(g_demo.tap.y) + "\n";
  out += "answer: " + std::to_string(g_demo.answer) + "\n";
}

void expectPixel(const wince::RgbImage& image, int x, int y, COLORREF color) {
  const uint8_t* p = image.pixel(x, y);
  EXPECT_EQ(RGB(p[0], p[1], p[2]), color) << "at " << x << "," << y;
}

TEST(E2eHeadless, KeyTapMessageBoxAndScreenshots) {
  std::filesystem::path dir = testFolder();
  g_demo = Demo{};
  std::string script =
      "key press 5\n"
      "tap 120 200\n"
      "screenshot " + (dir / "box.png").string() + "\n"
      "answer yes\n"
      "screenshot " + (dir / "final.png").string() + "\n"
      "dump " + (dir / "state.txt").string() + "\n";
  int code = runScript(dir, script, [](HINSTANCE instance) {
    wince::setStateDumpHook(dumpDemo);
    HWND hwnd = makeMainWindow(instance, demoProc);
    UpdateWindow(hwnd);
    return messageLoop();
  });
  EXPECT_EQ(code, 0);

  wince::RgbImage final;
  std::string error;
  ASSERT_TRUE(wince::readPng((dir / "final.png").string(), &final, &error)) << error;
  ASSERT_EQ(final.width, 240);
  ASSERT_EQ(final.height, 320);
  expectPixel(final, 40, 40, kGreen);
  expectPixel(final, 120, 200, kBlue);
  expectPixel(final, 200, 40, kYellow);
  expectPixel(final, 5, 300, RGB(248, 252, 248));  // white in RGB565

  // While the box was up it covered the middle of the screen.
  wince::RgbImage box;
  ASSERT_TRUE(wince::readPng((dir / "box.png").string(), &box, &error)) << error;
  expectPixel(box, 200, 40, kGrey);
  EXPECT_NE(std::memcmp(box.pixel(0, 160), final.pixel(0, 160), 240 * 3), 0);

  std::string state = readFile(dir / "state.txt");
  EXPECT_NE(state.find("profile: smartphone\n"), std::string::npos) << state;
  EXPECT_NE(state.find("message-box: \"Question\" \"Keep the tap?\" type=0x24 answer=6\n"), std::string::npos)
      << state;
  EXPECT_NE(state.find("[program]\ntyped: 5\ntap: 120,200\nanswer: 6\n"), std::string::npos) << state;
}

}  // namespace
