// Tests of a whole Carrowin program in this process: the main window made by
// the program's own start, on the virtual clock, played through the
// runtime's stylus and key input.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "device_screen.h"
#include "sol_app.h"
#include "sol_main_wnd.h"
#include "sol_test_support.h"
#include "ui_state.h"
#include "wince/controls.h"
#include "wince/host/clock.h"
#include "wince/host/registry.h"
#include "wince/host/system.h"
#include "wince/host/window.h"

class CarrowinAppTest : public ::testing::Test {
 protected:
  // A fresh device: no registry values, the build's screen, a clock at 1 s.
  void SetUp() override {
    std::error_code ignored;
    std::filesystem::remove(wince::registryFilePath(), ignored);
    wince::reloadRegistry();
    Start();
  }
  void TearDown() override { Stop(); }

  void Start() {
    wince::resetWindowing();
    wince::setInstanceNamespace(("carrowin-app-" + std::to_string(::getpid())).c_str());
    if (!customProfile) {
      ASSERT_TRUE(wince::selectDeviceProfile(kProfile));
    }
    const wince::DeviceProfile& profile = wince::deviceProfile();
    wince::detail::resizeDeviceScreen(profile.screenWidth, profile.screenHeight);
    wince::useVirtualClock(1000);
    // Message boxes are answered OK; a dialog gets `onDialog`, `taps` (on
    // its control of that id, wherever it lies, else as a bar command), then
    // `answer`. A menu gets a tap on its item `menuPick`.
    // The colour chooser gets `chooserKey` on its grid, then OK.
    wince::setModalHook([this](HWND window, wince::ModalKind kind) {
      if (kind == wince::ModalKind::Menu) {
        // A tap on the item that `menuPick` names.
        POINT at{};
        if (wince::detail::menuItemCentre(menuPick, &at)) {
          wince::injectStylus(WM_LBUTTONDOWN, at.x, at.y);
          wince::injectStylus(WM_LBUTTONUP, at.x, at.y);
          menuPick.clear();
        } else {
          ::PostMessage(window, WM_CANCELMODE, 0, 0);  // no such item: the menu closes, the test fails
        }
      } else if (kind == wince::ModalKind::MessageBox) {
        ++messageBoxes;
        wince::endModalLoop(window, IDOK);
      } else if (HWND grid = ::GetDlgItem(window, kChooserGrid)) {
        // Commands queued for the dialog below wait until the chooser is done.
        std::vector<MSG> held;
        for (MSG m; ::PeekMessage(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE);) held.push_back(m);
        if (chooserKey) ::PostMessage(grid, WM_KEYDOWN, chooserKey, 0);
        ::PostMessage(window, WM_COMMAND, IDOK, 0);
        for (const MSG& m : held) ::PostMessage(m.hwnd, m.message, m.wParam, m.lParam);
      } else if (kind == wince::ModalKind::Dialog) {
        dialogs.push_back(std::u16string(Main().OpenDialog().GetString()));
        if (onDialog) {
          const std::function<void(HWND)> run = std::move(onDialog);
          onDialog = nullptr;
          wince::dispatchPending();  // the dialog is drawn
          run(window);
        }
        for (UINT id : taps) TapControl(window, id);
        taps.clear();
        ::PostMessage(window, WM_COMMAND, answer, 0);
      }
    });
    ASSERT_TRUE(InitInstance(GetModuleHandle(nullptr), SW_SHOW));
    wince::dispatchPending();
  }
  // Closes the program as the user would (options and game are saved).
  void Stop() {
    if (g_pMainWnd && g_pMainWnd->m_hWnd) {
      wince::injectClose();
      wince::dispatchPending();
    }
    ExitInstance();
    wince::resetWindowing();
    wince::useRealClock();
  }
  void Restart() {
    Stop();
    Start();
  }
  // The program dies (no orderly close, nothing saved), then starts again
  // as a new process would, reading the registry from its file.
  void KillAndRestart() {
    ExitInstance();
    wince::resetWindowing();
    wince::useRealClock();
    wince::reloadRegistry();
    Start();
  }

  // The control `id` among the window's descendants, depth first.
  static HWND FindControl(HWND window, int id) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (::GetDlgCtrlID(child) == id) return child;
      if (HWND found = FindControl(child, id)) return found;
    }
    return nullptr;
  }
  static void TapControl(HWND window, UINT id) {
    HWND control = FindControl(window, static_cast<int>(id));
    if (control) {
      ::PostMessage(::GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    } else {
      ::PostMessage(window, WM_COMMAND, id, 0);
    }
  }

#if !CARROWIN_SPIDER
  // Klondike One Card, untimed, without animation, in the play mode.
  void Deal(uint8_t playMode, uint32_t game = 1) {
    SolOptions& o = Main().Options();
    o.gameType = 0;
    o.timedGame = 0;
    o.playMode = playMode;
    o.animation = 0;
    Field().TakeOptions();
    EXPECT_TRUE(Main().LoadRules());
    Main().NewGame(game, true);
  }
#endif

  SolMainWnd& Main() { return *g_pMainWnd; }
  SolGameField& Field() { return *g_pMainWnd->Field(); }
  SolRuleSet& Rules() { return *g_pMainWnd->RuleSet(); }

  // Screen point of a point in the field's client area.
  POINT OnScreen(POINT p) {
    ::ClientToScreen(Field().m_hWnd, &p);
    return p;
  }
  // A point on the visible part of a pile's card (kSolNone: its base, or
  // its top card when it has cards).
  POINT CardPoint(int pile, int position) {
    SolTargetSet& t = Field().Targets();
    const size_t n = Field().Metrics().piles[pile].cards.size();
    if (position == kSolNone && n > 0) position = static_cast<int>(n - 1);
    int i = t.Find(static_cast<uint16_t>(pile), static_cast<uint16_t>(position));
    EXPECT_GE(i, 0) << "pile " << pile << " position " << position;
    if (i < 0) return {0, 0};
    return {t.At(i).rect.left + 3, t.At(i).rect.top + 3};
  }
  void Stylus(UINT msg, POINT p) {
    const POINT s = OnScreen(p);
    wince::injectStylus(msg, s.x, s.y);
    wince::dispatchPending();
  }
  void Tap(POINT p) {
    Stylus(WM_LBUTTONDOWN, p);
    Stylus(WM_LBUTTONUP, p);
  }
  void Drag(POINT from, POINT to) {
    Stylus(WM_LBUTTONDOWN, from);
    Stylus(WM_MOUSEMOVE, {(from.x + to.x) / 2, (from.y + to.y) / 2});
    Stylus(WM_MOUSEMOVE, to);
    Stylus(WM_LBUTTONUP, to);
  }
  void Command(UINT id) {
    ::SendMessage(Main().m_hWnd, WM_COMMAND, id, 0);
    wince::dispatchPending();
  }
  // A tap on the menu bar's button of `command` (an icon or a soft key).
  bool TapBarButton(UINT command) {
    POINT at{};
    if (!wince::detail::controlCentre(static_cast<int>(command), &at)) return false;
    wince::injectStylus(WM_LBUTTONDOWN, at.x, at.y);
    wince::injectStylus(WM_LBUTTONUP, at.x, at.y);
    wince::dispatchPending();
    return true;
  }
  // The menu bar's menu opened with a tap, and its item `text` chosen.
  void MenuItem(const char16_t* text) {
    menuPick = text;
    ASSERT_TRUE(TapBarButton(kSolCmdMenu));
    EXPECT_TRUE(menuPick.empty()) << "no menu opened";
  }
  static uint16_t Pixel(POINT p) { return wince::detail::deviceScreen().row(p.y)[p.x]; }
  static uint16_t Rgb565(COLORREF c) {
    return static_cast<uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
  }
  // Puts the live game into a layout (see Arrange) and shows it.
  void Show(const Layout& layout) {
    Arrange(Rules(), layout);
    Field().BuildViews();
    Field().SetupMetrics();
    Field().Redraw();
  }
  // Where a card lies in the field's views: pile and position.
  bool FindCard(int card, int& pile, int& position) {
    const auto& piles = Field().Metrics().piles;
    for (size_t p = 0; p < piles.size(); ++p) {
      for (size_t i = 0; i < piles[p].cards.size(); ++i) {
        if (piles[p].cards[i].card == card) {
          pile = static_cast<int>(p);
          position = static_cast<int>(i);
          return true;
        }
      }
    }
    return false;
  }
  // The views and the rule engine's model agree card for card.
  void ExpectViewsMatchModel() {
    const auto& cards = Rules().Cards();
    for (size_t c = 0; c < cards.size(); ++c) {
      int pile = -1;
      int position = -1;
      ASSERT_TRUE(FindCard(static_cast<int>(c), pile, position)) << "card " << c;
      EXPECT_EQ(pile, cards[c].pile) << "card " << c;
      EXPECT_EQ(position, cards[c].position) << "card " << c;
      EXPECT_EQ(Field().Metrics().piles[pile].cards[position].faceUp, cards[c].faceUp != 0) << "card " << c;
    }
  }

  static const char* const kProfile;
  bool customProfile = false;  // a test's own device, set before Start
  std::u16string menuPick;     // the item the next menu gets tapped on
  static constexpr int kChooserGrid = 0x3100;
  UINT chooserKey = 0;
  UINT answer = IDOK;
  std::vector<UINT> taps;  // commands the next dialog gets before `answer`
  std::function<void(HWND)> onDialog;  // run on the next dialog before its taps
  int messageBoxes = 0;
  std::vector<std::u16string> dialogs;
};
