#include <gtest/gtest.h>

#include "wince/host/shell.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace {

class ShellTray : public ::testing::Test {
 protected:
  void SetUp() override { wince::resetShell(); }
  void TearDown() override { wince::resetShell(); }

  static NOTIFYICONDATAW data(uintptr_t window, UINT id, UINT flags, uintptr_t icon, const char16_t* tip = u"") {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = reinterpret_cast<HWND>(window);
    d.uID = id;
    d.uFlags = flags;
    d.uCallbackMessage = 3025;
    d.hIcon = reinterpret_cast<HICON>(icon);
    std::char_traits<char16_t>::copy(d.szTip, tip, std::char_traits<char16_t>::length(tip) + 1);
    return d;
  }
};

TEST_F(ShellTray, AddModifyDeleteByWindowAndId) {
  NOTIFYICONDATAW a = data(0x10, 1, NIF_MESSAGE | NIF_ICON, 0x100, u"ignored");
  NOTIFYICONDATAW b = data(0x10, 2, NIF_ICON | NIF_TIP, 0x200, u"two");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &a));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &b));
  const auto& icons = wince::trayIcons();
  ASSERT_EQ(icons.size(), 2u);
  EXPECT_EQ(icons[0].callbackMessage, 3025u);
  EXPECT_EQ(icons[0].tip, u"");  // no NIF_TIP: the tip is not taken
  EXPECT_EQ(icons[1].callbackMessage, 0u);
  EXPECT_EQ(icons[1].tip, u"two");

  NOTIFYICONDATAW change = data(0x10, 1, NIF_ICON, 0x300);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &change));
  EXPECT_EQ(icons[0].icon, reinterpret_cast<HICON>(0x300));
  EXPECT_EQ(icons[0].callbackMessage, 3025u);

  ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &a));
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].id, 2u);
}

TEST_F(ShellTray, RefusesWhatDoesNotFitTheRecord) {
  NOTIFYICONDATAW a = data(0x10, 1, NIF_ICON, 0x100);
  NOTIFYICONDATAW otherWindow = data(0x20, 1, NIF_ICON, 0x100);
  EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &a));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &a));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &a));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &a));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &otherWindow));
  EXPECT_FALSE(Shell_NotifyIcon(7, &a));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(wince::trayIcons().size(), 1u);
}

TEST_F(ShellTray, FullTipWithoutTerminatorIsCutAtTheField) {
  NOTIFYICONDATAW a = data(0x10, 1, NIF_TIP, 0);
  std::fill(std::begin(a.szTip), std::end(a.szTip), u'x');
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &a));
  EXPECT_EQ(wince::trayIcons()[0].tip, std::u16string(64, u'x'));
}

}  // namespace
