#include "ce_prop_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce_window_fixture.h"
#include "dialog_template_builder.h"
#include "wince/host/resource.h"
#include "wince/host/window.h"
#include "wince/resource.h"

namespace {

constexpr WORD kPages[] = {710, 711, 712};

std::vector<std::string>* gCalls = nullptr;

// Records its handlers' calls as "<index> <name>".
class RecordingPage : public CePropertyPage {
 public:
  RecordingPage(int index, LPCWSTR title) : CePropertyPage(kPages[index], title), index_(index) {}
  void Note(const char* what) const { gCalls->push_back(std::to_string(index_) + " " + what); }
  BOOL OnInitDialog() override {
    Note("init");
    return CePropertyPage::OnInitDialog();
  }
  LRESULT OnSetActive() override {
    Note("setactive");
    return CePropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    Note("killactive");
    return CePropertyPage::OnKillActive();
  }
  int OnApply() override {
    Note("apply");
    return CePropertyPage::OnApply();
  }
  void OnReset() override { Note("reset"); }
  void OnNext() override { Note("next"); }

 private:
  int index_;
};

class RefusingSheet : public CePropertySheet {
 public:
  bool refuse = true;
  int asked = 0;
  bool OnSheetApply() override {
    ++asked;
    return refuse;
  }
};

class CePropSheetTest : public CeWindowTest {
 protected:
  void SetUp() override {
    CeWindowTest::SetUp();
    gCalls = &calls;
    for (int i = 0; i < 3; ++i) {
      templates_[i].header(WS_CHILD, 1, 0, 0, 120, 60, u"").item(WS_BORDER | WS_TABSTOP, 4, 4, 80, 12, 100, 0x81, u"");
      entries_[i] = {
          nullptr, 5, nullptr, kPages[i], templates_[i].bytes.data(), static_cast<DWORD>(templates_[i].bytes.size())};
    }
    table_ = {entries_, 3};
    wince::registerResourceTable(&table_);
  }
  void TearDown() override {
    wince::setModalHook(nullptr);
    CeWindowTest::TearDown();
    wince::unregisterResourceTable(&table_);
    gCalls = nullptr;
  }
  std::vector<std::string> Heard() { return std::exchange(calls, {}); }
  static HWND Tabs(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)); }

  std::vector<std::string> calls;
  RecordingPage pages[3] = {{0, u"One"}, {1, u"Two"}, {2, u"Three"}};
  TemplateBuilder templates_[3];
  wince::ResourceEntry entries_[3]{};
  wince::ResourceTable table_{};
};

TEST_F(CePropSheetTest, AddPageNumbersThePagesAndModalRunEmptiesTheSheet) {
  CePropertySheet sheet;
  for (RecordingPage& page : pages) EXPECT_EQ(sheet.AddPage(&page), 1);
  EXPECT_EQ(sheet.m_psh.nPages, 3u);
  EXPECT_EQ(pages[2].GetCurrentPage(), 2);
  EXPECT_EQ(sheet.m_psh.dwFlags, static_cast<DWORD>(PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_MAXIMIZE));
  HWND seen{};
  wince::setModalHook([&](HWND dlg, wince::ModalKind) {
    seen = dlg;
    EXPECT_EQ(sheet.m_hWnd, dlg);  // bound by the callback
    EXPECT_EQ(sheet.m_bModal, 0);
    EXPECT_NE(pages[0].m_hWnd, nullptr);  // bound on its WM_INITDIALOG
    wince::injectKey(VK_RETURN, true);
  });
  EXPECT_EQ(sheet.DoModal(u"Options", parent), 1);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(sheet.m_nResult, 1);
  EXPECT_EQ(sheet.m_hWnd, nullptr);
  EXPECT_EQ(sheet.m_psh.nPages, 0u);
  EXPECT_EQ(sheet.m_psh.ppsp, nullptr);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0 init", "0 setactive", "0 killactive", "0 apply"}));

  // Again without pages: an empty sheet.
  wince::setModalHook([&](HWND dlg, wince::ModalKind) {
    EXPECT_EQ(SendMessageW(Tabs(dlg), TCM_GETITEMCOUNT, 0, 0), 0);
    wince::injectKey(VK_ESCAPE, true);
  });
  EXPECT_EQ(sheet.DoModal(u"Options", parent), 0);
  EXPECT_TRUE(Heard().empty());
}

TEST_F(CePropSheetTest, TheStartPageIsReachedThroughTheFirstActivationOnly) {
  CePropertySheet sheet;
  for (RecordingPage& page : pages) sheet.AddPage(&page);
  sheet.SetStartPage(2u);
  ASSERT_TRUE(sheet.Create(u"Options", parent));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0 init", "0 setactive", "2 init", "2 setactive"}));
  EXPECT_EQ(sheet.GetCurrentPageHwnd(), pages[2].m_hWnd);
  EXPECT_EQ(sheet.m_nStartPage, 0);
  sheet.SetCurSel(&pages[0]);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"2 killactive", "0 setactive"}));
  EXPECT_EQ(sheet.GetCurrentPageHwnd(), pages[0].m_hWnd);
}

TEST_F(CePropSheetTest, AStartPagePastTheSheetStaysOnTheFirst) {
  CePropertySheet sheet;
  sheet.AddPage(&pages[0]);
  sheet.AddPage(&pages[1]);
  sheet.SetStartPage(9u);
  ASSERT_TRUE(sheet.Create(u"Options", parent));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0 init", "0 setactive"}));
  EXPECT_EQ(sheet.GetCurrentPageHwnd(), pages[0].m_hWnd);
}

TEST_F(CePropSheetTest, TheSheetCanRefuseApplyThroughTheFirstPageOnly) {
  RefusingSheet sheet;
  for (RecordingPage& page : pages) sheet.AddPage(&page);
  ASSERT_TRUE(sheet.Create(u"Options", parent));
  sheet.SetCurSel(1);
  Heard();
  sheet.Apply();
  EXPECT_EQ(Heard(), (std::vector<std::string>{"1 killactive", "0 apply"}));  // refused: page 1 never asked
  EXPECT_EQ(sheet.asked, 1);
  EXPECT_EQ(sheet.m_nResult, 0);
  EXPECT_NE(sheet.GetCurrentPageHwnd(), nullptr);
  sheet.refuse = false;
  sheet.Apply();
  EXPECT_EQ(Heard(), (std::vector<std::string>{"1 killactive", "0 apply", "1 apply"}));
  EXPECT_EQ(sheet.asked, 2);
  EXPECT_EQ(sheet.m_nResult, 1);
}

TEST_F(CePropSheetTest, ResetAndWizardNotificationsAnswerZero) {
  CePropertySheet sheet;
  sheet.AddPage(&pages[0]);
  ASSERT_TRUE(sheet.Create(u"Options", parent));
  Heard();
  for (UINT code : {PSN_RESET, PSN_WIZBACK, PSN_WIZNEXT, PSN_WIZFINISH, PSN_HELP}) {
    PSHNOTIFY n{{sheet.m_hWnd, 0, code}, 0};
    SetWindowLongW(pages[0].m_hWnd, DWL_MSGRESULT, 55);
    EXPECT_EQ(SendMessageW(pages[0].m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n)), 0) << code;
  }
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0 reset", "0 next"}));
  // A page's OK presses the sheet's: posted, so it arrives with the next messages.
  pages[0].OnOK();
  EXPECT_EQ(sheet.m_nResult, 1);
  wince::dispatchPending();
  EXPECT_EQ(sheet.GetCurrentPageHwnd(), nullptr);
}

TEST_F(CePropSheetTest, AWizardRunsItsPagesInTurn) {
  CePropertySheet sheet;
  sheet.AddPage(&pages[0]);
  sheet.AddPage(&pages[1]);
  wince::setModalHook([&](HWND, wince::ModalKind) {
    sheet.SetWizButtons(PSWIZB_NEXT);
    wince::injectKey(VK_RETURN, true);  // Next
    wince::injectKey(VK_RETURN, false);
    sheet.PressButton(PSBTN_FINISH);
  });
  EXPECT_EQ(sheet.DoWizard(u"Set up", parent), 1);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0 init", "0 setactive", "0 next", "1 init", "1 setactive"}));
  EXPECT_EQ(sheet.m_nResult, 1);
}

}  // namespace
