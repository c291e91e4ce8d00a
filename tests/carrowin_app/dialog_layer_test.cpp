// The dialog layer in the Klondike program: the header over its content,
// a dialog without a title, and the pages' validate and apply steps.
#include "carrowin_app_fixture.h"
#include "sol_dialog_base.h"

namespace {

using DialogLayerTest = CarrowinAppTest;

// The first child of the header that is not its title: the content dialog.
HWND ContentOf(HWND header) {
  for (HWND child = ::GetWindow(header, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) != 6000) return child;
  }
  return nullptr;
}

struct Seen {
  bool titleShown = true;
  RECT content{};
  int scrollMax = -1;
};

// Runs `dialog` with a hook that records what the header shows, then answers.
Seen Look(SolDialog& dialog, std::vector<UINT> commands) {
  Seen seen;
  wince::setModalHook([&](HWND window, wince::ModalKind kind) {
    if (kind != wince::ModalKind::Dialog) return;
    seen.titleShown = ::IsWindowVisible(::GetDlgItem(window, 6000));
    HWND content = ContentOf(window);
    ::GetWindowRect(content, &seen.content);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&seen.content), 2);
    SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
    ::GetScrollInfo(content, SB_VERT, &si);
    seen.scrollMax = si.nMax;
    for (UINT id : commands) ::PostMessage(window, WM_COMMAND, id, 0);
  });
  dialog.DoModal(nullptr);
  return seen;
}

class StatisticsLike : public SolDialog {
 public:
  explicit StatisticsLike(UINT titleId) : SolDialog(610, titleId, 501, 128, 128) {}
  bool IsScrollable() override { return true; }
};

TEST_F(DialogLayerTest, TheTitleBandIsThereOnlyWithATitle) {
  StatisticsLike titled(117);
  const Seen a = Look(titled, {IDCANCEL});
  EXPECT_TRUE(a.titleShown);
  EXPECT_EQ(a.content.top, 50);  // 25 logical units at 192 dpi
  // The controls fit: no scroll bar.
  EXPECT_EQ(a.scrollMax, 0);
  StatisticsLike bare(0);
  const Seen b = Look(bare, {IDCANCEL});
  EXPECT_FALSE(b.titleShown);
  EXPECT_EQ(b.content.top, 0);
}

class CheckedPage : public SolTabPage {
 public:
  CheckedPage(SolPagedDialog& owner, UINT templateId, bool valid) : SolTabPage(owner, templateId), m_valid(valid) {}
  bool Validate(bool) override { return m_valid; }

 private:
  bool m_valid;
};

class TwoPages : public SolTabbedDialog {
 public:
  explicit TwoPages(bool secondValid) : SolTabbedDialog(3011, 501, 109, 109), m_secondValid(secondValid) {}
  void CreatePages() override {
    AddTab(3012, std::make_unique<CheckedPage>(*this, 600, true));
    AddTab(3013, std::make_unique<CheckedPage>(*this, 601, m_secondValid));
  }
  void ApplyPages() override { ++applied; }
  void CancelPages() override { ++cancelled; }
  int applied = 0;
  int cancelled = 0;

 private:
  bool m_secondValid;
};

TEST_F(DialogLayerTest, OkAppliesThePagesOnlyWhenEveryPageAccepts) {
  TwoPages refusing(false);
  Look(refusing, {IDOK, IDCANCEL});  // OK leaves the dialog open; Cancel ends it
  EXPECT_EQ(refusing.applied, 0);
  EXPECT_EQ(refusing.cancelled, 1);
  TwoPages accepting(true);
  Look(accepting, {IDOK});
  EXPECT_EQ(accepting.applied, 1);
  EXPECT_EQ(accepting.cancelled, 0);
}

TEST_F(DialogLayerTest, TheTabStripShowsThePageOfTheChosenTab) {
  TwoPages dialog(true);
  bool firstShown = false;
  bool secondShown = false;
  wince::setModalHook([&](HWND window, wince::ModalKind kind) {
    if (kind != wince::ModalKind::Dialog) return;
    HWND tab = ::GetDlgItem(ContentOf(window), 6005);
    ::SendMessage(tab, TCM_SETCURSEL, 1, 0);
    NMHDR change{tab, 6005, TCN_SELCHANGE};
    ::SendMessage(ContentOf(window), WM_NOTIFY, 6005, reinterpret_cast<LPARAM>(&change));
    firstShown = ::IsWindowVisible(dialog.Page(0)->m_hWnd);
    secondShown = ::IsWindowVisible(dialog.Page(1)->m_hWnd);
    ::PostMessage(window, WM_COMMAND, IDCANCEL, 0);
  });
  dialog.DoModal(nullptr);
  EXPECT_FALSE(firstShown);
  EXPECT_TRUE(secondShown);
  EXPECT_EQ(dialog.CurrentPage(), 1);
}

}  // namespace
