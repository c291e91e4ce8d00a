// Accelerator tables from the resource table.
#include "wince/host/resource.h"
#include "wince/host/window.h"
#include "wince/resource.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

using Accelerators = WindowTest;

TEST_F(Accelerators, ControlKeysBecomeCommandsOthersPassThrough) {
  const ACCELTABLEENTRY table[] = {{FVIRTKEY | FCONTROL, 'A', 40011, 0},
                                   {FVIRTKEY | FCONTROL | FLASTKEY, 'Q', 40000, 0}};
  const wince::ResourceEntry entries[] = {
      {nullptr, 9, nullptr, 2, reinterpret_cast<const BYTE*>(table), static_cast<DWORD>(sizeof table)}};
  const wince::ResourceTable resources{entries, 1};
  wince::registerResourceTable(&resources);
  HACCEL accel = LoadAccelerators(nullptr, MAKEINTRESOURCE(2));
  ASSERT_NE(accel, nullptr);

  HWND main = make("main", WS_VISIBLE);
  std::vector<WPARAM> commands;
  handler = [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_COMMAND) commands.push_back(wp);
    return std::nullopt;
  };
  struct Case {
    bool control, shift;
    UINT vk;
    int translated;
    WPARAM command;
  };
  const Case cases[] = {{true, false, 'A', 1, MAKEWPARAM(40011, 1)}, {true, false, 'Q', 1, MAKEWPARAM(40000, 1)},
                        {false, false, 'A', 0, 0},                  {true, true, 'A', 0, 0},
                        {true, false, 'B', 0, 0}};
  for (const Case& c : cases) {
    wince::setKeyState(VK_CONTROL, c.control);
    wince::setKeyState(VK_SHIFT, c.shift);
    MSG m{main, WM_KEYDOWN, c.vk, 1, 0, POINT{}};
    commands.clear();
    EXPECT_EQ(TranslateAccelerator(main, accel, &m), c.translated) << c.vk;
    EXPECT_EQ(commands, c.command != 0 ? std::vector<WPARAM>{c.command} : std::vector<WPARAM>{}) << c.vk;
  }
  MSG up{main, WM_KEYUP, 'A', 1, 0, POINT{}};
  EXPECT_EQ(TranslateAccelerator(main, accel, &up), 0);
  EXPECT_EQ(TranslateAccelerator(main, nullptr, &up), 0);
  wince::unregisterResourceTable(&resources);
}

}  // namespace
