// Property sheets: pages made on demand, the notifications they get as the
// tab strip, the keys and the sheet's messages move between them, OK and
// Cancel, tall pages, and the wizard's buttons.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "device_screen.h"
#include "dialog_template_builder.h"
#include "golden_screen.h"
#include "wince/host/resource.h"
#include "wince/propsheet.h"
#include "wince/resource.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

constexpr WORD kFirst = 800, kSecond = 801, kThird = 802, kTall = 803;
constexpr WORD kEdit = 100, kCheck = 101;

std::string codeName(UINT code) {
  static const std::map<UINT, const char*> names = {
      {PSN_SETACTIVE, "setactive"}, {PSN_KILLACTIVE, "killactive"},
      {PSN_APPLY, "apply"},         {PSN_RESET, "reset"},
      {PSN_WIZBACK, "back"},        {PSN_WIZNEXT, "next"},
      {PSN_WIZFINISH, "finish"},    {PSN_QUERYCANCEL, "querycancel"},
  };
  const auto it = names.find(code);
  return it != names.end() ? it->second : "other";
}

// What the pages heard ("page 0 setactive"), and the answers they give.
struct PageLog {
  std::vector<std::string> events;
  std::map<std::string, LRESULT> answers;  // "0 killactive" -> answer
};
PageLog* gPages = nullptr;

INT_PTR CALLBACK pageProc(HWND page, UINT msg, WPARAM, LPARAM lParam) {
  static std::map<HWND, int> index;
  if (msg == WM_INITDIALOG) {
    const auto* desc = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    index[page] = static_cast<int>(desc->lParam);
    gPages->events.push_back("page " + std::to_string(desc->lParam) + " init");
    return TRUE;
  }
  if (msg != WM_NOTIFY) return FALSE;
  const auto* n = reinterpret_cast<const PSHNOTIFY*>(lParam);
  const std::string key = std::to_string(index[page]) + " " + codeName(n->hdr.code);
  gPages->events.push_back("page " + key);
  const auto it = gPages->answers.find(key);
  SetWindowLong(page, DWL_MSGRESULT, it != gPages->answers.end() ? it->second : 0);
  return TRUE;
}

constexpr WORD kHalfRedIcon = 9012;  // in the test resources: left half red, right half clear

class PropSheetTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    gPages = &log;
    const char16_t* titles[] = {u"General", u"Cards", u"Sounds"};
    for (int i = 0; i < 3; ++i) {
      pages_[i]
          .header(WS_CHILD | WS_VISIBLE, 2, 0, 0, 120, 60, titles[i])
          .item(WS_BORDER | WS_TABSTOP, 4, 4, 80, 12, kEdit, 0x81, u"")
          .item(BS_AUTOCHECKBOX | WS_TABSTOP, 4, 20, 80, 12, kCheck, 0x80, u"Check");
    }
    pages_[3].header(WS_CHILD, 1, 0, 0, 120, 600, u"Long").item(SS_LEFT, 4, 4, 60, 10, 0xFFFF, 0x82, u"Top");
    const WORD ids[] = {kFirst, kSecond, kThird, kTall};
    for (int i = 0; i < 4; ++i) {
      entries_[i] = {nullptr, 5, nullptr, ids[i], pages_[i].bytes.data(), static_cast<DWORD>(pages_[i].bytes.size())};
    }
    table_ = {entries_, 4};
    wince::registerResourceTable(&table_);
    owner = make("owner", WS_VISIBLE, nullptr, RECT{0, 0, 240, 300});
    wince::dispatchPending();
  }
  void TearDown() override {
    wince::setModalHook(nullptr);
    WindowTest::TearDown();
    wince::unregisterResourceTable(&table_);
    gPages = nullptr;
  }

  void addPage(WORD templateId, DWORD flags = 0, LPCWSTR title = nullptr) {
    PROPSHEETPAGEW p{};
    p.dwSize = sizeof p;
    p.dwFlags = flags | (title != nullptr ? PSP_USETITLE : 0);
    p.pszTemplate = MAKEINTRESOURCE(templateId);
    p.pszTitle = title;
    p.pfnDlgProc = pageProc;
    p.lParam = static_cast<LPARAM>(descs.size());
    descs.push_back(p);
  }
  PROPSHEETHEADERW header(DWORD flags, UINT start = 0) {
    PROPSHEETHEADERW h{};
    h.dwSize = sizeof h;
    h.dwFlags = PSH_PROPSHEETPAGE | flags;
    h.hwndParent = owner;
    h.pszCaption = u"Options";
    h.nPages = static_cast<UINT>(descs.size());
    h.nStartPage = start;
    h.ppsp = descs.data();
    return h;
  }
  HWND openModeless(DWORD flags = 0, UINT start = 0) {
    const PROPSHEETHEADERW h = header(flags | PSH_MODELESS, start);
    sheet = reinterpret_cast<HWND>(PropertySheet(&h));
    wince::dispatchPending();
    return sheet;
  }

  // A modeless sheet's message loop: its keys go through PSM_ISDIALOGMESSAGE.
  void pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!SendMessage(sheet, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg))) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    }
    wince::dispatchPending();
  }
  void key(UINT vk) {
    wince::injectKey(vk, true);
    pump();
    wince::injectKey(vk, false);
    pump();
  }
  void tapTab(int index) {
    const HWND tabs = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
    RECT r;
    ASSERT_TRUE(SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
    wince::injectStylus(WM_LBUTTONDOWN, r.left + 3, r.top + 3);
    wince::injectStylus(WM_LBUTTONUP, r.left + 3, r.top + 3);
    pump();
  }
  HWND currentPage() const { return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  std::vector<std::string> heard() { return std::exchange(log.events, {}); }

  PageLog log;
  std::vector<PROPSHEETPAGEW> descs;
  HWND owner{};
  HWND sheet{};
  TemplateBuilder pages_[4];
  wince::ResourceEntry entries_[4]{};
  wince::ResourceTable table_{};
};

TEST_F(PropSheetTest, OpensOnTheStartPageWithTabsNamedAfterThePages) {
  addPage(kFirst);
  addPage(kSecond, 0, u"Deck");
  addPage(kThird);
  ASSERT_NE(openModeless(0, 1), nullptr);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 1 init", "page 1 setactive"}));  // only the page shown is made
  const HWND tabs = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
  const char16_t* expected[] = {u"General", u"Deck", u"Sounds"};
  for (int i = 0; i < 3; ++i) {
    WCHAR text[16] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 16;
    SendMessage(tabs, TCM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::u16string(text), expected[i]);
  }
  // The page fills the sheet above the tab strip.
  RECT page, strip;
  GetWindowRect(currentPage(), &page);
  GetWindowRect(tabs, &strip);
  EXPECT_EQ(page.bottom, strip.top);
  EXPECT_EQ(GetParent(GetFocus()), currentPage());
}

TEST_F(PropSheetTest, ThePropertiesTitleIsBuiltFromTheCaption) {
  addPage(kFirst);
  ASSERT_NE(openModeless(PSH_PROPTITLE), nullptr);
  const auto title = [&] {
    WCHAR text[64] = {};
    GetWindowText(sheet, text, 64);
    return std::u16string(text);
  };
  EXPECT_EQ(title(), u"Properties for Options");
  SendMessage(sheet, PSM_SETTITLE, 0, reinterpret_cast<LPARAM>(u"Deck"));
  EXPECT_EQ(title(), u"Deck");
  SendMessage(sheet, PSM_SETTITLE, PSH_PROPTITLE, reinterpret_cast<LPARAM>(u"Deck"));
  EXPECT_EQ(title(), u"Properties for Deck");
}

// Pages with an icon, by resource id or by handle, show it left of their
// tab's text, the tab's own colour around it.
TEST_F(PropSheetTest, TabsShowThePagesIcons) {
  for (const char* profile : {"pocketpc-qvga", "pocketpc-vga"}) {
    ASSERT_TRUE(goldentest::usePocketPc(profile));
    const int scale = wince::deviceProfile().dpi / 96;
    owner = nullptr;
    descs.clear();
    addPage(kFirst);
    descs.back().dwFlags |= PSP_USEICONID;
    descs.back().pszIcon = MAKEINTRESOURCE(kHalfRedIcon);
    addPage(kSecond);
    HICON own = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(kHalfRedIcon), IMAGE_ICON, 16 * scale,
                                             16 * scale, 0));
    descs.back().dwFlags |= PSP_USEHICON;
    descs.back().hIcon = own;
    addPage(kThird);
    ASSERT_NE(openModeless(), nullptr) << profile;
    const HWND tabs = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
    UpdateWindow(GetDesktopWindow());
    UpdateWindow(sheet);
    UpdateWindow(currentPage());
    UpdateWindow(tabs);
    const auto& screen = wince::detail::deviceScreen();
    const auto iconPixel = [&](int index, int x) {
      RECT r;
      SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
      POINT at{r.left + (8 + x) * scale, (r.top + r.bottom) / 2};
      ClientToScreen(tabs, &at);
      return screen.pixels[static_cast<size_t>(at.y) * screen.width + at.x];
    };
    constexpr uint16_t kRed565 = 0xF800;
    for (int tab : {0, 1}) {
      EXPECT_EQ(iconPixel(tab, 1), kRed565) << profile << " " << tab;  // the icon's red half
      EXPECT_NE(iconPixel(tab, 14), 0) << profile << " " << tab;       // its clear half shows the tab
      EXPECT_NE(iconPixel(tab, 14), kRed565) << profile << " " << tab;
    }
    EXPECT_NE(iconPixel(2, 1), kRed565) << profile;  // no icon
    goldentest::expectScreenLike("sheet-icons-" + std::to_string(wince::deviceProfile().dpi));
    DestroyWindow(sheet);
    DestroyIcon(own);
  }
}

TEST_F(PropSheetTest, AStartPagePastTheEndOpensTheFirst) {
  addPage(kFirst);
  addPage(kSecond);
  ASSERT_NE(openModeless(0, 7), nullptr);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 init", "page 0 setactive"}));
}

TEST_F(PropSheetTest, TapsAndArrowsChangePagesUnlessThePageHoldsOn) {
  addPage(kFirst);
  addPage(kSecond);
  addPage(kThird);
  ASSERT_NE(openModeless(), nullptr);
  heard();
  const HWND first = currentPage();
  tapTab(2);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 killactive", "page 2 init", "page 2 setactive"}));
  EXPECT_FALSE(IsWindowVisible(first));
  key(VK_LEFT);  // the tab strip has the focus after the tap
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 2 killactive", "page 1 init", "page 1 setactive"}));
  log.answers["1 killactive"] = TRUE;  // invalid input: stay
  tapTab(0);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 1 killactive"}));
  EXPECT_EQ(SendMessage(GetFocus(), TCM_GETCURSEL, 0, 0), 1);  // the strip shows the page still current
  log.answers.clear();
  EXPECT_TRUE(SendMessage(sheet, PSM_SETCURSEL, 0, 0));
  EXPECT_EQ(currentPage(), first);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 1 killactive", "page 0 setactive"}));
}

TEST_F(PropSheetTest, TabWalksFromTheStripIntoThePage) {
  addPage(kFirst);
  ASSERT_NE(openModeless(), nullptr);
  const HWND page = currentPage();
  EXPECT_EQ(GetFocus(), GetDlgItem(page, kEdit));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(page, kCheck));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0)));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(page, kEdit));
  key(VK_TAB);
  key(VK_UP);  // the d-pad walks within the page too
  EXPECT_EQ(GetFocus(), GetDlgItem(page, kEdit));
}

TEST_F(PropSheetTest, ASetActiveAnswerNamingATemplateGoesThere) {
  addPage(kFirst);
  addPage(kSecond);
  addPage(kThird);
  log.answers["0 setactive"] = reinterpret_cast<LRESULT>(MAKEINTRESOURCE(kThird));
  ASSERT_NE(openModeless(), nullptr);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 init", "page 0 setactive", "page 2 init", "page 2 setactive"}));
  EXPECT_EQ(GetDlgCtrlID(currentPage()), 0);
  EXPECT_TRUE(IsWindowVisible(currentPage()));
  EXPECT_EQ(SendMessage(reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0)), TCM_GETCURSEL, 0, 0), 2);
}

TEST_F(PropSheetTest, ModalSheetEndsWithOneAfterOkAndZeroAfterCancel) {
  addPage(kFirst);
  addPage(kSecond);
  addPage(kThird);
  wince::setModalHook([](HWND, wince::ModalKind) { wince::injectKey(VK_RETURN, true); });
  PROPSHEETHEADERW h = header(0, 1);
  EXPECT_EQ(PropertySheet(&h), 1);  // only the page made is asked to apply
  EXPECT_EQ(heard(),
            (std::vector<std::string>{"page 1 init", "page 1 setactive", "page 1 killactive", "page 1 apply"}));
  EXPECT_TRUE(IsWindowEnabled(owner));

  wince::setModalHook([](HWND, wince::ModalKind) { wince::injectKey(VK_ESCAPE, true); });
  h = header(0, 0);
  EXPECT_EQ(PropertySheet(&h), 0);
  EXPECT_EQ(heard(),
            (std::vector<std::string>{"page 0 init", "page 0 setactive", "page 0 querycancel", "page 0 reset"}));
}

TEST_F(PropSheetTest, APageCanRefuseCancel) {
  addPage(kFirst);
  ASSERT_NE(openModeless(), nullptr);
  heard();
  log.answers["0 querycancel"] = TRUE;
  key(VK_ESCAPE);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 querycancel"}));
  EXPECT_NE(currentPage(), nullptr);
  log.answers.clear();
  SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 querycancel", "page 0 reset"}));
  EXPECT_EQ(currentPage(), nullptr);
  DestroyWindow(sheet);
}

TEST_F(PropSheetTest, ARefusedApplyKeepsTheSheetOpen) {
  addPage(kFirst);
  addPage(kSecond);
  ASSERT_NE(openModeless(), nullptr);
  tapTab(1);
  heard();
  log.answers["0 apply"] = PSNRET_INVALID;  // back to the first page
  SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 1 killactive", "page 0 apply", "page 0 setactive"}));
  EXPECT_TRUE(IsWindowVisible(sheet));
  log.answers.clear();
  SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 killactive", "page 0 apply", "page 1 apply"}));
  EXPECT_EQ(currentPage(), nullptr);  // a modeless sheet is done: the program destroys it
  EXPECT_FALSE(IsWindowVisible(sheet));
  DestroyWindow(sheet);
}

TEST_F(PropSheetTest, APageTallerThanItsPlaceScrolls) {
  addPage(kTall);
  ASSERT_NE(openModeless(), nullptr);
  const HWND page = currentPage();
  EXPECT_TRUE(GetWindowLong(page, GWL_STYLE) & WS_VSCROLL);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(page, SB_VERT, &si);
  RECT client;
  GetClientRect(page, &client);
  EXPECT_EQ(si.nMax + 1, 600 * HIWORD(GetDialogBaseUnits()) / 8);
  EXPECT_EQ(static_cast<int>(si.nPage), client.bottom);
  const HWND label = GetWindow(page, GW_CHILD);
  RECT before, after;
  GetWindowRect(label, &before);
  SendMessage(page, WM_VSCROLL, SB_PAGEDOWN, 0);
  GetWindowRect(label, &after);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), client.bottom);
  EXPECT_EQ(after.top, before.top - client.bottom);
  SendMessage(page, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), si.nMax - client.bottom + 1);
}

TEST_F(PropSheetTest, RemovingTheCurrentPageShowsItsNeighbour) {
  addPage(kFirst);
  addPage(kSecond);
  addPage(kThird);
  ASSERT_NE(openModeless(0, 2), nullptr);
  heard();
  EXPECT_TRUE(SendMessage(sheet, PSM_REMOVEPAGE, 2, 0));
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 1 init", "page 1 setactive"}));
  const HWND tabs = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
  EXPECT_EQ(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(SendMessage(sheet, PSM_REMOVEPAGE, 5, 0));
}

TEST_F(PropSheetTest, AWizardStepsWithItsButtonsAndFinishes) {
  addPage(kFirst);
  addPage(kSecond);
  addPage(kThird);
  ASSERT_NE(openModeless(PSH_WIZARD), nullptr);
  EXPECT_EQ(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0), 0);
  heard();
  key(VK_RETURN);  // Next
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 next", "page 1 init", "page 1 setactive"}));
  log.answers["1 next"] = reinterpret_cast<LRESULT>(MAKEINTRESOURCE(kFirst));
  SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 1 next", "page 0 setactive"}));
  log.answers["0 next"] = -1;  // stays
  SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 next"}));
  SendMessage(sheet, PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, 0x3024)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, 0x3025)));
  key(VK_RETURN);  // Finish now
  EXPECT_EQ(heard(), (std::vector<std::string>{"page 0 finish"}));
  EXPECT_EQ(currentPage(), nullptr);
  DestroyWindow(sheet);
}

TEST_F(PropSheetTest, AHeaderWithoutItsPageArrayIsRefused) {
  addPage(kFirst);
  PROPSHEETHEADERW h = header(0);
  h.ppsp = nullptr;
  EXPECT_EQ(PropertySheet(&h), -1);
  EXPECT_EQ(PropertySheet(nullptr), -1);
}

}  // namespace
