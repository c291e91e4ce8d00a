#include "shell_test_util.h"

#include "wince/host/shell.h"
#include "wince/host/system.h"

namespace {

using namespace shell_test;

using ShellCalls = ShellTest;

// Rectangles as text, so that a mismatch shows both.
std::string str(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

std::string rect(LONG l, LONG t, LONG r, LONG b) { return str({l, t, r, b}); }

SIPINFO sipInfo() {
  SIPINFO sip{};
  sip.cbSize = sizeof sip;
  EXPECT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0));
  return sip;
}

TEST_F(ShellCalls, VisibleDesktopFollowsTheBarAndFullScreen) {
  const wince::DeviceProfile& p = wince::deviceProfile();
  int top = p.taskBarHeight;
  EXPECT_EQ(str(sipInfo().rcVisibleDesktop), rect(0, top, 240, 320));

  HWND bar = makeBar();
  int barTop = 320 - p.menuBarHeight;
  SIPINFO sip = sipInfo();
  EXPECT_EQ(str(sip.rcVisibleDesktop), rect(0, top, 240, barTop));
  EXPECT_EQ(sip.rcSipRect.top, barTop);
  EXPECT_EQ(sip.fdwFlags & SIPF_ON, 0u);

  // Full screen the way the programs do it: task bar hidden, bar moved away.
  ASSERT_TRUE(SHFullScreen(main_, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
  SetWindowPos(bar, nullptr, -1, -1, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(str(sipInfo().rcVisibleDesktop), rect(0, 0, 240, 320));
  const wince::ShellState& s = wince::shellState();
  EXPECT_TRUE(s.taskBarHidden && s.sipButtonHidden && s.startIconHidden);
  EXPECT_EQ(s.fullScreenWindow, main_);

  ASSERT_TRUE(SHFullScreen(main_, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON));
  EXPECT_FALSE(s.taskBarHidden || s.sipButtonHidden || s.startIconHidden);
  EXPECT_FALSE(SHFullScreen(nullptr, SHFS_HIDETASKBAR));
}

TEST_F(ShellCalls, SipInfoRefusesOtherRequests) {
  SIPINFO sip{};
  EXPECT_FALSE(SHSipInfo(SPI_GETWORKAREA, 0, &sip, 0));
  EXPECT_FALSE(SHSipInfo(SPI_GETSIPINFO, 0, nullptr, 0));
  EXPECT_TRUE(SHSipInfo(SPI_SETSIPINFO, 0, &sip, 0));
}

TEST_F(ShellCalls, InitDialogSizesToTheWorkArea) {
  const wince::DeviceProfile& p = wince::deviceProfile();
  struct Case {
    DWORD flags;
    std::string want;
  } cases[] = {
      {SHIDIF_SIZEDLGFULLSCREEN, rect(0, p.taskBarHeight, 240, 320 - p.menuBarHeight)},
      {SHIDIF_DONEBUTTON | SHIDIF_SIZEDLG, rect(0, p.taskBarHeight, 240, 320 - p.menuBarHeight)},
      {SHIDIF_FULLSCREENNOMENUBAR, rect(0, p.taskBarHeight, 240, 320)},
      {SHIDIF_DONEBUTTON, rect(10, 20, 110, 120)},
  };
  for (const Case& c : cases) {
    HWND dlg = CreateWindowEx(0, u"ShellTestMain", u"Dlg", WS_POPUP | WS_VISIBLE, 10, 20, 100, 100, main_, nullptr,
                              wince::programInstance(), nullptr);
    SHINITDLGINFO info{SHIDIM_FLAGS, dlg, c.flags};
    EXPECT_TRUE(SHInitDialog(&info));
    RECT rc;
    GetWindowRect(dlg, &rc);
    EXPECT_EQ(str(rc), c.want) << "flags " << c.flags;
    DestroyWindow(dlg);
  }
  EXPECT_EQ(wince::shellState().dialogsInitialised, 4);
  SHINITDLGINFO bad{SHIDIM_FLAGS, nullptr, 0};
  EXPECT_FALSE(SHInitDialog(&bad));
}

TEST_F(ShellCalls, RecordedCallsSucceed) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_CAPEDIT_CLASS};
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  icc.dwICC = ICC_TAB_CLASSES;
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  EXPECT_EQ(wince::shellState().commonControls, static_cast<DWORD>(ICC_CAPEDIT_CLASS | ICC_TAB_CLASSES));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));

  EXPECT_EQ(GXOpenInput(), 1);
  EXPECT_TRUE(wince::shellState().gameInputOpen);
  EXPECT_EQ(GXCloseInput(), 1);
  EXPECT_FALSE(wince::shellState().gameInputOpen);

  HIMC imc = ImmGetContext(main_);
  ASSERT_NE(imc, nullptr);
  EXPECT_NE(ImmEscape(GetKeyboardLayout(0), imc, IME_ESC_SET_MODE, reinterpret_cast<LPVOID>(3)), 0);
  EXPECT_EQ(wince::shellState().inputMode, 3u);
  EXPECT_TRUE(ImmReleaseContext(main_, imc));
  EXPECT_EQ(ImmGetContext(nullptr), nullptr);

  SHACTIVATEINFO sai{};
  sai.cbSize = sizeof sai;
  EXPECT_TRUE(SHHandleWMActivate(main_, WA_ACTIVE, 0, &sai, 0));
  EXPECT_EQ(sai.fActive, 1u);
  EXPECT_TRUE(SHHandleWMActivate(main_, WA_INACTIVE, 0, &sai, 0));
  EXPECT_EQ(sai.fActive, 0u);
  EXPECT_TRUE(SHHandleWMSettingChange(main_, SPI_SETSIPINFO, 0, &sai));
}

TEST_F(ShellCalls, PerWindowCallsNeedALiveWindow) {
  EXPECT_TRUE(SHSipPreference(main_, SIP_UP));
  EXPECT_TRUE(SHDoneButton(main_, SHDB_HIDE));
  EXPECT_TRUE(SHSetNavBarText(main_, u"Cards"));
  EXPECT_EQ(wince::shellState().sipPreference, SIP_UP);
  EXPECT_EQ(wince::shellState().doneButton, static_cast<DWORD>(SHDB_HIDE));
  EXPECT_EQ(wince::shellState().navBarText, u"Cards");
  EXPECT_FALSE(SHSetNavBarText(main_, nullptr));
  EXPECT_TRUE(DrawMenuBar(main_));
  DestroyWindow(main_);
  EXPECT_FALSE(SHSipPreference(main_, SIP_DOWN));
  EXPECT_FALSE(SHDoneButton(main_, SHDB_SHOW));
  EXPECT_FALSE(SHSetNavBarText(main_, u"Gone"));
  EXPECT_FALSE(DrawMenuBar(main_));
  EXPECT_EQ(wince::shellState().sipPreference, SIP_UP);
  EXPECT_EQ(SHShowOutOfMemory(nullptr, 0), IDOK);
  EXPECT_EQ(wince::shellState().outOfMemoryShown, 1);
}

TEST_F(ShellCalls, ModuleHandleIsTheProgramsOwn) {
  EXPECT_EQ(GetModuleHandleW(nullptr), wince::programInstance());
  EXPECT_EQ(GetModuleHandleW(u"coredll.dll"), nullptr);
}

}  // namespace
