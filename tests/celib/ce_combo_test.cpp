#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce_combo.h"
#include "ce_window_fixture.h"

namespace {

// Sees the combo box's keys through the library's handlers.
class KeyedCombo : public CeCombo {
 public:
  std::vector<UINT> keys;
  void OnKeyDown(UINT vk, UINT, UINT, bool&) override { keys.push_back(vk); }
};

using CeComboTest = CeWindowTest;

TEST_F(CeComboTest, WrappersReachTheComboBox) {
  KeyedCombo combo;
  ASSERT_TRUE(combo.Create(u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, RECT{10, 10, 150, 100}, parent, 5, nullptr));
  EXPECT_EQ(GetDlgCtrlID(combo.m_hWnd), 5);
  for (const char16_t* s : {u"Klondike", u"Spider", u"Golf"}) combo.AddString(s);
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.InsertString(0, u"Yukon"), 0);
  EXPECT_EQ(combo.FindString(-1, u"sp"), 2);
  EXPECT_EQ(combo.FindStringExact(-1, u"golf"), 3);
  EXPECT_EQ(combo.FindString(-1, u"none"), CB_ERR);
  EXPECT_EQ(combo.SelectString(-1, u"Klo"), 1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  WCHAR text[16];
  EXPECT_EQ(combo.GetLBText(2, text), 6);
  EXPECT_EQ(std::u16string(text), u"Spider");
  EXPECT_EQ(combo.GetLBTextLen(9), CB_ERR);
  int cookie = 0;
  combo.SetItemDataPtr(2, &cookie);
  EXPECT_EQ(combo.GetItemDataPtr(2), &cookie);
  EXPECT_EQ(combo.GetItemData(2), reinterpret_cast<DWORD_PTR>(&cookie));
  EXPECT_EQ(combo.DeleteString(0), 3);

  // The drop-down's edit is its first child; selections and the clipboard go there.
  HWND edit = GetWindow(combo.m_hWnd, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  GetWindowTextW(combo.m_hWnd, text, 16);
  EXPECT_EQ(std::u16string(text), u"Klondike");
  combo.SetEditSel(0, 4);
  EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 4)));
  combo.Cut();
  GetWindowTextW(combo.m_hWnd, text, 16);
  EXPECT_EQ(std::u16string(text), u"dike");
  combo.Paste();
  GetWindowTextW(combo.m_hWnd, text, 16);
  EXPECT_EQ(std::u16string(text), u"Klondike");

  combo.ShowDropDown(TRUE);
  EXPECT_TRUE(combo.GetDroppedState());
  combo.ShowDropDown(FALSE);
  EXPECT_FALSE(combo.GetDroppedState());
  EXPECT_EQ(combo.SetLocale(0x0407), 0x0409u);
  EXPECT_EQ(combo.GetLocale(), 0x0407u);
  combo.SetDroppedWidth(200);
  EXPECT_EQ(combo.GetDroppedWidth(), 200);
  combo.SetExtendedUI(TRUE);
  EXPECT_TRUE(combo.GetExtendedUI());
  RECT dropped{};
  combo.GetDroppedControlRect(&dropped);
  EXPECT_EQ(dropped.bottom - dropped.top, 90);  // the height it was made with

  SetFocus(combo.m_hWnd);
  SendMessageW(combo.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(combo.keys, (std::vector<UINT>{VK_DOWN}));
}

TEST_F(CeComboTest, NoWindowNoCombo) {
  CeCombo combo;
  EXPECT_FALSE(combo.Create(u"", WS_CHILD, 0, RECT{0, 0, 10, 10}, reinterpret_cast<HWND>(0x7FF0), 1, nullptr));
  EXPECT_EQ(combo.m_hWnd, nullptr);
}

}  // namespace
