// Menu objects, popup tracking through the device's input, and the popups
// of soft-key bars.
#include <vector>

#include "device_screen.h"
#include "window_test_util.h"
#include "wince/menu.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/host/system.h"
#include "wince/host/shell.h"
#include "wince/host/menu.h"

namespace {

using wintest::WindowTest;

class MenuTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    wince::resetShell();
    ASSERT_TRUE(wince::selectDeviceProfile("pocketpc-qvga"));
    wince::detail::resizeDeviceScreen(240, 320);
    owner = make("owner", WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    wince::dispatchPending();
    take();
  }
  void TearDown() override {
    wince::setModalHook(nullptr);
    wince::resetShell();
    WindowTest::TearDown();
    wince::selectDeviceProfile("smartphone");
  }
  HWND owner{};
};

TEST_F(MenuTest, ItemsFromATemplateAndTheirStates) {
  HMENU bar = LoadMenu(nullptr, MAKEINTRESOURCE(9001));
  ASSERT_NE(bar, nullptr);
  HMENU game = GetSubMenu(bar, 0);
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(GetMenuItemCount(game), 3);
  EXPECT_EQ(GetMenuItemID(game, 0), 40001u);
  EXPECT_EQ(GetMenuItemID(bar, 0), 0xFFFFFFFFu);  // a popup entry

  WCHAR text[8];
  MENUITEMINFO info{sizeof info, MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU, 0, 0, 0, nullptr, nullptr, nullptr, 0, text, 8};
  ASSERT_TRUE(GetMenuItemInfo(bar, 0, TRUE, &info));
  EXPECT_EQ(std::u16string(text), u"Game");
  EXPECT_EQ(info.hSubMenu, game);
  info.fMask = MIIM_STATE;
  ASSERT_TRUE(GetMenuItemInfo(bar, 40000, FALSE, &info));  // by command, found in the submenu
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_GRAYED));
  EXPECT_FALSE(GetMenuItemInfo(bar, 12345, FALSE, &info));

  EXPECT_EQ(EnableMenuItem(bar, 40000, MF_BYCOMMAND | MF_ENABLED), static_cast<DWORD>(MF_GRAYED));
  EXPECT_EQ(CheckMenuItem(game, 0, MF_BYPOSITION | MF_CHECKED), 0u);
  EXPECT_EQ(CheckMenuItem(game, 40001, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(game, 999, MF_CHECKED), 0xFFFFFFFFu);

  MENUITEMINFO rename{sizeof rename, MIIM_TYPE, MFT_STRING, 0, 0, nullptr, nullptr, nullptr, 0,
                      const_cast<LPWSTR>(u"Quit"), 0};
  ASSERT_TRUE(SetMenuItemInfo(game, 2, TRUE, &rename));
  info.fMask = MIIM_TYPE;
  info.dwTypeData = text;
  info.cch = 8;
  GetMenuItemInfo(game, 40000, FALSE, &info);
  EXPECT_EQ(std::u16string(text), u"Quit");

  ASSERT_TRUE(AppendMenu(game, MF_STRING, 40005, u"Undo"));
  ASSERT_TRUE(CheckMenuRadioItem(game, 40000, 40005, 40005, MF_BYCOMMAND));
  info.fMask = MIIM_STATE;
  GetMenuItemInfo(game, 40005, FALSE, &info);
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  EXPECT_TRUE(DeleteMenu(bar, 40001, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(game), 3);
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(game));  // submenus go with their menu
}

TEST_F(MenuTest, DamagedTemplatesGiveNoMenu) {
  auto words = [](std::vector<WORD> w) { return w; };
  const std::vector<std::vector<WORD>> damaged = {
      words({0}),                                  // header cut short
      words({0, 0, MF_END, 1, u'A'}),               // text never ends
      words({0, 0, 0, 1, u'A', 0}),                 // the level never ends
      words({0, 0, MF_POPUP | MF_END, u'P', 0}),    // the popup's level is missing
      words({0, 40, MF_END, 1, u'A', 0}),           // items start past the end
  };
  for (const auto& d : damaged) {
    EXPECT_EQ(wince::menuFromTemplate(reinterpret_cast<const BYTE*>(d.data()), d.size() * 2), nullptr);
  }
  std::vector<WORD> deep = {0, 0};
  for (int i = 0; i < 40; ++i) deep.insert(deep.end(), {MF_POPUP | MF_END, u'P', 0});
  EXPECT_EQ(wince::menuFromTemplate(reinterpret_cast<const BYTE*>(deep.data()), deep.size() * 2), nullptr);
  const std::vector<WORD> good = {0, 0, MF_END, 7, u'A', 0};
  HMENU m = wince::menuFromTemplate(reinterpret_cast<const BYTE*>(good.data()), good.size() * 2);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetMenuItemID(m, 0), 7u);
  DestroyMenu(m);
}

TEST_F(MenuTest, PopupTracksKeysAndTapsAndTellsTheOwner) {
  HMENU menu = CreatePopupMenu();
  HMENU more = CreatePopupMenu();
  AppendMenu(more, MF_STRING, 60, u"Deeper");
  AppendMenu(menu, MF_STRING, 50, u"First");
  AppendMenu(menu, MF_STRING | MF_GRAYED, 51, u"Grey");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), u"More");

  struct Case {
    const char* name;
    std::function<void()> act;
    UINT chosen;
  };
  const auto keys = [](std::initializer_list<UINT> list) {
    for (UINT vk : list) {
      wince::injectKey(vk, true);
      wince::injectKey(vk, false);
    }
  };
  const Case cases[] = {
      {"down, return", [&] { keys({VK_DOWN, VK_RETURN}); }, 50},
      {"past the grey item into the submenu", [&] { keys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}); }, 60},
      {"escape", [&] { keys({VK_DOWN, VK_ESCAPE}); }, 0},
      {"tap outside", [&] {
         wince::injectStylus(WM_LBUTTONDOWN, 230, 300);
         wince::injectStylus(WM_LBUTTONUP, 230, 300);
       }, 0},
      {"tap on the first item", [&] {
         wince::injectStylus(WM_LBUTTONDOWN, 30, 110);
         wince::injectStylus(WM_LBUTTONUP, 30, 110);
       }, 50},
  };
  for (const Case& c : cases) {
    wince::setModalHook([&](HWND, wince::ModalKind kind) {
      EXPECT_EQ(kind, wince::ModalKind::Menu);
      EXPECT_EQ(wince::openMenus().size(), 1u);
      c.act();
    });
    take();
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 20, 100, owner, nullptr), static_cast<BOOL>(c.chosen)) << c.name;
    EXPECT_TRUE(wince::openMenus().empty());
    const auto heard = take({WM_ENTERMENULOOP, WM_EXITMENULOOP});
    EXPECT_EQ(heard, (wintest::Log{"owner:0x211", "owner:0x212"})) << c.name;
  }
  // Without TPM_RETURNCMD the choice arrives as WM_COMMAND.
  wince::setModalHook([&](HWND, wince::ModalKind) { keys({VK_DOWN, VK_RETURN}); });
  std::vector<WPARAM> commands;
  handler = [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_COMMAND) commands.push_back(wp);
    return std::nullopt;
  };
  EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 20, 100, owner, nullptr));
  wince::dispatchPending();
  EXPECT_EQ(commands, (std::vector<WPARAM>{50}));
  DestroyMenu(menu);
}

TEST_F(MenuTest, ASoftKeyOpensItsPopupAndTheChoiceReachesTheOwner) {
  SHMENUBARINFO mbi{};
  mbi.cbSize = sizeof mbi;
  mbi.hwndParent = owner;
  mbi.nToolBarId = 9800;
  ASSERT_TRUE(SHCreateMenuBar(&mbi));
  SetActiveWindow(owner);
  HMENU popup = reinterpret_cast<HMENU>(SendMessage(mbi.hwndMB, SHCMBM_GETSUBMENU, 0, 40002));
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetMenuItemID(popup, 0), 40001u);
  EXPECT_EQ(SendMessage(mbi.hwndMB, SHCMBM_GETSUBMENU, 0, 40001), 0);

  std::vector<WPARAM> commands;
  handler = [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_COMMAND) commands.push_back(LOWORD(wp));
    return std::nullopt;
  };
  HMENU opened{};
  wince::setModalHook([&](HWND, wince::ModalKind) {
    opened = wince::openMenus().front().menu;
    wince::injectKey(VK_DOWN, true);
    wince::injectKey(VK_RETURN, true);
  });
  wince::injectKey(VK_TSOFT2, true);
  wince::injectKey(VK_TSOFT2, false);
  wince::dispatchPending();
  EXPECT_EQ(opened, popup);
  EXPECT_EQ(commands, (std::vector<WPARAM>{40001}));
}

}  // namespace
