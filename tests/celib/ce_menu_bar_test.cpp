#include <gtest/gtest.h>

#include <vector>

#include "ce_menu_bar.h"
#include "wince/clock.h"
#include "wince/controls.h"
#include "wince/menu.h"
#include "wince/runtime.h"
#include "wince/resource.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/host/resource.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"

namespace {

constexpr UINT kIconBar = 107;
constexpr UINT kSoftBar = 130;
constexpr UINT kShortBar = 131;
constexpr WORD kMenu = 200;

std::vector<WORD> text(const std::u16string& s) {
  std::vector<WORD> w(s.begin(), s.end());
  w.push_back(0);
  return w;
}

class CMenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::useVirtualClock(1000);
    ASSERT_TRUE(wince::selectDeviceProfile("pocketpc-qvga"));
    softBar_ = {kMenu, 2, I_IMAGENONE, 40001, 4, 0, 300, 0, NOMENU, I_IMAGENONE, 40002, 4, 0, 301, 0, 0};
    iconBar_ = {kMenu, 2, 0, 40010, 4, 8, 0, 0, 0, 1, 40011, 4, 8, 0, 0, 1};
    shortBar_ = {kMenu, 1, I_IMAGENONE, 40001, 4, 0, 300, 0, NOMENU};
    // Game { New, Options { Deck { Red } }, Exit }, Help { About }
    menu_ = {0, 0};
    const auto add = [&](std::vector<WORD> w) { menu_.insert(menu_.end(), w.begin(), w.end()); };
    add({MF_POPUP});
    add(text(u"Game"));
    add({0, 40001});
    add(text(u"New"));
    add({MF_POPUP});
    add(text(u"Options"));
    add({MF_POPUP | MF_END});
    add(text(u"Deck"));
    add({MF_END, 40020});
    add(text(u"Red"));
    add({MF_END, 40000});
    add(text(u"Exit"));
    add({MF_POPUP | MF_END});
    add(text(u"Help"));
    add({MF_END, 40030});
    add(text(u"About"));
    strings_ = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // ids 288..299
    for (const char16_t* s : {u"Done", u"Menu", u"Deck", u"Options"}) {
      const std::u16string t(s);
      strings_.push_back(static_cast<WORD>(t.size()));
      strings_.insert(strings_.end(), t.begin(), t.end());
    }
    strings_.insert(strings_.end(), {0, 0, 0, 0});  // ids 304..319
    const auto entry = [](WORD type, WORD id, const std::vector<WORD>& data) {
      return wince::ResourceEntry{nullptr, type, nullptr, id, reinterpret_cast<const BYTE*>(data.data()),
                                  static_cast<DWORD>(data.size() * 2)};
    };
    entries_[0] = entry(10, kSoftBar, softBar_);
    entries_[1] = entry(10, kIconBar, iconBar_);
    entries_[2] = entry(10, kShortBar, shortBar_);
    entries_[3] = entry(4, kMenu, menu_);
    entries_[4] = entry(6, 300 / 16 + 1, strings_);
    table_ = {entries_, 5};
    wince::registerResourceTable(&table_);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"BarOwner";
    RegisterClassW(&wc);
    owner = CreateWindowExW(0, u"BarOwner", u"", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr, nullptr);
    instance = wince::programInstance();
  }
  void TearDown() override {
    wince::setModalHook(nullptr);
    wince::resetWindowing();
    wince::resetShell();
    wince::unregisterResourceTable(&table_);
    wince::useRealClock();
    wince::selectDeviceProfile("smartphone");
  }

  HWND owner{};
  HINSTANCE instance{};
  std::vector<WORD> softBar_, iconBar_, shortBar_, menu_, strings_;
  wince::ResourceEntry entries_[5]{};
  wince::ResourceTable table_{};
};

TEST_F(CMenuBarTest, ModeSwitchesRemakeTheBarOnlyWhenTheyChangeSomething) {
  CMenuBar bar(owner, instance, kIconBar, kSoftBar, false, 500, 4, 0);
  const HWND first = bar.GetMenuBarHWND();
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(bar.SetSoftkeyMode(false));
  EXPECT_EQ(bar.GetMenuBarHWND(), first);
  EXPECT_FALSE(bar.SetBarID(kIconBar));
  EXPECT_TRUE(bar.SetBarID(kShortBar));  // replaces the icon-bar id only
  EXPECT_EQ(bar.GetBarID(), kShortBar);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(bar.SetSoftkeyMode(true));
  EXPECT_EQ(bar.GetBarID(), kSoftBar);
  EXPECT_TRUE(bar.GetSoftkeyMode());
  EXPECT_TRUE(wince::shellState().taskBarHidden == false);
}

TEST_F(CMenuBarTest, NoBarWithoutASoftKeyBarOrWithoutAnOwner) {
  {
    CMenuBar bar(owner, instance, kIconBar, 0, true, 500, 4, 0);
    EXPECT_EQ(bar.GetMenuBarHWND(), nullptr);
    EXPECT_TRUE(wince::messageBoxLog().empty());
  }
  wince::setModalHook([](HWND, wince::ModalKind) { wince::injectKey(VK_RETURN, true); });
  CMenuBar bar(nullptr, instance, kIconBar, kSoftBar, false, 500, 4, 0);
  EXPECT_EQ(bar.GetMenuBarHWND(), nullptr);
  ASSERT_EQ(wince::messageBoxLog().size(), 1u);
  EXPECT_EQ(wince::messageBoxLog()[0].text, u"Window was empty.");
  EXPECT_TRUE(bar.GetMenuHandle(1) == nullptr);
}

TEST_F(CMenuBarTest, SoftKeyModeFindsItemsInTheRightSoftKeysMenu) {
  CMenuBar bar(owner, instance, kIconBar, kSoftBar, true, 500, 4, 0);
  HMENU game = bar.GetMenuHandle(12345);  // any id: the right soft key's popup
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(GetMenuItemID(game, 0), 40001u);
  EXPECT_EQ(bar.GetMenuHandle(1, 1), GetSubMenu(game, 1));

  CMenuBarItem item;
  ASSERT_TRUE(bar.GetItem_BtnSub(40010, 302, item));  // "Deck", two levels down
  EXPECT_EQ(item.kind, 2);
  EXPECT_EQ(item.handle, reinterpret_cast<UINT_PTR>(GetSubMenu(game, 1)));
  EXPECT_EQ(item.id, 0u);
  const UINT before = GetMenuItemCount(GetSubMenu(game, 1));
  bar.CheckItem(item, 1);  // kind 2: no effect
  MENUITEMINFOW info{sizeof info, MIIM_STATE, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr, 0};
  GetMenuItemInfoW(GetSubMenu(game, 1), 0, TRUE, &info);
  EXPECT_EQ(info.fState, 0u);
  EXPECT_EQ(static_cast<UINT>(GetMenuItemCount(GetSubMenu(game, 1))), before);

  ASSERT_TRUE(bar.GetItem_BtnItem(40010, 40000, item));
  EXPECT_EQ(item.kind, 1);
  bar.CheckItem(item, 0);  // toggles on
  info.fMask = MIIM_STATE;
  GetMenuItemInfoW(game, 40000, FALSE, &info);
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  bar.EnableItem(item, false);
  GetMenuItemInfoW(game, 40000, FALSE, &info);
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED | MFS_GRAYED));
  bar.SetItemText(item, u"Quit");
  WCHAR t[8];
  MENUITEMINFOW read{sizeof read, MIIM_TYPE, 0, 0, 0, nullptr, nullptr, nullptr, 0, t, 8};
  GetMenuItemInfoW(game, 40000, FALSE, &read);
  EXPECT_EQ(std::u16string(t), u"Quit");
  EXPECT_FALSE(bar.GetItem_BtnBtn(40010, 0, item));
  EXPECT_FALSE(bar.GetItem_SubSub(303, 999, item));
}

TEST_F(CMenuBarTest, IconModeWorksOnButtonsAndTheirPopups) {
  CMenuBar bar(owner, instance, kIconBar, kSoftBar, false, 500, 4, 0);
  CMenuBarItem item;
  ASSERT_TRUE(bar.GetItem_ItemItem(40030, 0, item));  // "About", in the second button's popup
  EXPECT_EQ(item.kind, 1);
  EXPECT_EQ(item.handle, reinterpret_cast<UINT_PTR>(bar.GetMenuHandle(40011)));
  EXPECT_FALSE(bar.GetItem_ItemItem(49999, 0, item));
  ASSERT_TRUE(bar.GetItem_SubSub(302, 0, item));  // "Deck" under the first button
  EXPECT_EQ(item.kind, 2);

  ASSERT_TRUE(bar.GetItem_BtnBtn(40011, 40002, item));
  EXPECT_EQ(item.kind, 0);
  bar.ShowItem(item, false);
  EXPECT_TRUE(bar.IsMenuButtonHidden(40011));
  bar.CheckItem(item, 0);
  EXPECT_TRUE(SendMessageW(bar.GetMenuBarHWND(), TB_GETSTATE, 40011, 0) & TBSTATE_CHECKED);
  bar.DeleteItem(item);
  EXPECT_EQ(SendMessageW(bar.GetMenuBarHWND(), TB_COMMANDTOINDEX, 40011, 0), -1);
}

TEST_F(CMenuBarTest, AShortSoftKeyResourceGivesNoRightSoftKey) {
  CMenuBar bar(owner, instance, kIconBar, kShortBar, true, 500, 4, 0);
  ASSERT_NE(bar.GetMenuBarHWND(), nullptr);
  EXPECT_EQ(bar.GetMenuHandle(40002), nullptr);
  CMenuBarItem item;
  EXPECT_FALSE(bar.GetItem_BtnItem(0, 40001, item));
}

}  // namespace
