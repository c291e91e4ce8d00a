// Carrowin as a player meets it, in each of the three builds (the suite is
// named after the build): the hint that blinks on the drawn field, the icon
// bar and its option, the clock and the saved game across a restart or a
// crash, the winner's name box, the gliding move, the rules page scrolled,
// and the statistics and best times on the build's screen.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "carrowin_app_fixture.h"
#include "ce_hidpi.h"
#include "sol_dialog.h"
#include "wince/host/shell.h"
#include "wince/htmlview.h"

#ifndef CARROWIN_PLAYER_SUITE
#error "the build names the suite"
#endif

namespace {

class CARROWIN_PLAYER_SUITE : public CarrowinAppTest {
 protected:
  // A point of the field that no card or pile base covers, away from the
  // clock: the background shows there.
  POINT BackgroundPoint() {
    RECT client;
    ::GetClientRect(Field().m_hWnd, &client);
    for (LONG y = client.bottom / 2; y < client.bottom - HIDPI_ScaleY(30); y += 4) {
      for (LONG x = 2; x < client.right / 2; x += 4) {
        bool covered = false;
        for (size_t i = 0; i < Field().Targets().Count(); ++i) {
          const RECT& r = Field().Targets().At(i).rect;
          covered = covered || (x >= r.left - 2 && x < r.right + 2 && y >= r.top - 2 && y < r.bottom + 2);
        }
        if (!covered) return OnScreen({x, y});
      }
    }
    ADD_FAILURE() << "no free place on the field";
    return {0, 0};
  }
  // The passes of a hint as the field blinks them: the card (when the move
  // is no tap) four times, then the target's top card (or base) four
  // times, each marked, unmarked, marked, unmarked.
  std::vector<std::pair<int, int>> HintPasses(uint16_t from, uint16_t to) {
    const auto top = [this](int p) {
      const int n = static_cast<int>(Field().Metrics().piles[static_cast<size_t>(p)].cards.size());
      return n > 0 ? n - 1 : static_cast<int>(kSolNone);
    };
    std::vector<std::pair<int, int>> marked;
    if (to == kSolAnyPile) {
      marked.emplace_back(from, top(from));
    } else {
      int pile = -1;
      int position = -1;
      EXPECT_TRUE(FindCard(from, pile, position));
      marked.emplace_back(pile, position);
      marked.emplace_back(to, top(to));
    }
    std::vector<std::pair<int, int>> passes;
    for (const auto& m : marked) {
      for (int pass = 0; pass < 4; ++pass) {
        passes.push_back(pass % 2 == 0 ? m : std::pair<int, int>{kSolNone, kSolNone});
      }
    }
    return passes;
  }
  std::pair<int, int> Selection() { return {Field().SelectedPile(), Field().SelectedCard()}; }
  // The screen point in the middle of a pile's card as last drawn.
  POINT CardMiddle(int pile, int position) {
    const int i = Field().Targets().Find(static_cast<uint16_t>(pile), static_cast<uint16_t>(position));
    EXPECT_GE(i, 0);
    if (i < 0) return {0, 0};
    const RECT& r = Field().Targets().At(static_cast<size_t>(i)).rect;
    return OnScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  // The first descendant whose class (or text) is `name`, depth first.
  static HWND FindNamed(HWND window, const char16_t* name, int (*read)(HWND, LPWSTR, int)) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      WCHAR text[64] = {};
      read(child, text, 64);
      if (std::u16string(text) == name) return child;
      if (HWND found = FindNamed(child, name, read)) return found;
    }
    return nullptr;
  }
  static HWND FindClass(HWND window, const char16_t* cls) { return FindNamed(window, cls, ::GetClassName); }
  static HWND FindText(HWND window, const char16_t* text) { return FindNamed(window, text, ::GetWindowText); }
  HWND Bar() { return wince::menuBarOf(Main().m_hWnd); }
};

// Show Next Move keeps the field drawn and blinks the card, then where it
// goes, a pass every 200 ms on the clock; a command from the menu before it
// leaves no part of the field black.
TEST_F(CARROWIN_PLAYER_SUITE, TheHintBlinksOnTheDrawnFieldPassByPass) {
  MenuItem(u"Restart Game");
  const POINT free = BackgroundPoint();
  EXPECT_EQ(Pixel(free), Rgb565(Main().Options().bgColor));
  uint16_t from = 0;
  uint16_t to = 0;
  ASSERT_TRUE(Rules().FindMove(0, from, to));
  const std::vector<std::pair<int, int>> passes = HintPasses(from, to);
  ASSERT_TRUE(TapBarButton(kSolCmdHint));
  const POINT first = CardMiddle(passes[0].first, passes[0].second);
  std::vector<uint16_t> looks;
  wince::runFor(100);
  for (size_t pass = 0; pass < passes.size(); ++pass) {
    EXPECT_EQ(Selection(), passes[pass]) << "pass " << pass;
    EXPECT_TRUE(Field().IsBlinking());
    EXPECT_EQ(Pixel(free), Rgb565(Main().Options().bgColor)) << "pass " << pass;
    looks.push_back(Pixel(first));
    wince::runFor(200);
  }
  EXPECT_FALSE(Field().IsBlinking());
  EXPECT_EQ(Selection(), (std::pair<int, int>{kSolNone, kSolNone}));
  // The first card shows marked and unmarked in turn.
  EXPECT_NE(looks[0], looks[1]);
  EXPECT_EQ(looks[0], looks[2]);
  EXPECT_EQ(looks[1], looks[3]);
  EXPECT_EQ(Pixel(first), looks[1]);
  // A tap on the field ends a hint at once.
  ASSERT_TRUE(TapBarButton(kSolCmdHint));
  EXPECT_TRUE(Field().IsBlinking());
  Tap(BackgroundPoint());
  EXPECT_FALSE(Field().IsBlinking());
  EXPECT_EQ(Selection(), (std::pair<int, int>{kSolNone, kSolNone}));
}

// The icon bar: Undo, Show Next Move, Help and the menu, each a picture of
// the strip; the option "Softkey Menu" puts the two soft keys in its place
// and back, and the choice outlives a restart.
TEST_F(CARROWIN_PLAYER_SUITE, TheIconBarAndTheSoftkeyMenuOption) {
  ASSERT_EQ(Main().Options().softkeyMenu, 0);
  ASSERT_EQ(::SendMessage(Bar(), TB_BUTTONCOUNT, 0, 0), 6);
  const UINT commands[] = {kSolCmdUndo, kSolCmdHint, kSolCmdHelp, kSolCmdMenu};
  const uint16_t barColour = Pixel(POINT{1, wince::deviceProfile().screenHeight - 2});
  for (int image = 0; image < 4; ++image) {
    TBBUTTON button{};
    const LRESULT index = ::SendMessage(Bar(), TB_COMMANDTOINDEX, commands[image], 0);
    ASSERT_TRUE(::SendMessage(Bar(), TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(button.iBitmap, image);
    POINT at{};
    ASSERT_TRUE(wince::detail::controlCentre(static_cast<int>(commands[image]), &at));
    EXPECT_NE(Pixel(at), barColour) << "no picture for " << commands[image];
  }
  // Help opens the rules; Undo with nothing to undo says so.
  ASSERT_TRUE(TapBarButton(kSolCmdHelp));
  EXPECT_EQ(dialogs.back(), u"Game Rules");
  const int shown = messageBoxes;
  ASSERT_TRUE(TapBarButton(kSolCmdUndo));
  EXPECT_EQ(messageBoxes, shown + 1);

  const auto setOption = [this](bool softkeys) {
    onDialog = [softkeys](HWND window) {
      ::SendMessage(FindControl(window, 5013), BM_SETCHECK, softkeys ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    Command(kSolCmdOptions);
  };
  setOption(true);
  EXPECT_EQ(Main().Options().softkeyMenu, 1);
  EXPECT_EQ(::SendMessage(Bar(), TB_BUTTONCOUNT, 0, 0), 2);
  POINT at{};
  EXPECT_FALSE(wince::detail::controlCentre(kSolCmdHint, &at));
  // The soft keys' menu holds what the icons did.
  MenuItem(u"Show Next Move");
  EXPECT_TRUE(Field().IsBlinking());
  Restart();
  EXPECT_EQ(Main().Options().softkeyMenu, 1);
  EXPECT_EQ(::SendMessage(Bar(), TB_BUTTONCOUNT, 0, 0), 2);
  setOption(false);
  EXPECT_EQ(::SendMessage(Bar(), TB_BUTTONCOUNT, 0, 0), 6);
}

// The clock of a game left at exit goes on from where it was at the next
// start, so a timed game cannot be stretched by starting again.
TEST_F(CARROWIN_PLAYER_SUITE, AResumedGameKeepsItsClock) {
  Main().Options().timedGame = 1;
  Main().Options().timeLimit = 1;
  wince::runFor(25000);
  const uint32_t played = Main().Elapsed();
  EXPECT_GE(played, 24u);
  Restart();
  EXPECT_EQ(Main().Elapsed(), played);
  wince::runFor(3000);
  EXPECT_GE(Main().Elapsed(), played + 2);
  Restart();
  EXPECT_GE(Main().Elapsed(), played + 2);
  // Past the minute the time is up, as if no restart had come between.
  dialogs.clear();
  wince::runFor((62 - Main().Elapsed()) * 1000);
  ASSERT_FALSE(dialogs.empty());
  EXPECT_EQ(dialogs.back(), u"Sorry…");
}

// The saved game's guard is for a crash while the game is read and shown:
// a crash later, during play, leaves the game saved last to the next start.
TEST_F(CARROWIN_PLAYER_SUITE, AKillDuringPlayKeepsTheGameSavedLast) {
  const uint16_t stock = 0;
  ASSERT_TRUE(Rules().CanTapPile(stock));
  Tap(CardPoint(stock, kSolNone));
  const size_t steps = Rules().History()->Count();
  ASSERT_GT(steps, 0u);
  const uint32_t game = Main().Options().curGameNumber;
  Restart();
  ASSERT_EQ(Rules().History()->Count(), steps);
  Tap(CardPoint(stock, kSolNone));  // played, then lost with the crash
  const int shown = messageBoxes;
  KillAndRestart();
  EXPECT_EQ(messageBoxes, shown);  // nothing to tell
  EXPECT_EQ(Main().Options().curGameNumber, game);
  EXPECT_EQ(Rules().History()->Count(), steps);
  ExpectViewsMatchModel();
}

// The winner's name box has the focus when it opens: typing replaces the
// last name offered.
TEST_F(CARROWIN_PLAYER_SUITE, TheWinnersNameIsTypedAtOnce) {
  WCHAR name[16] = u"Ann";
  onDialog = [](HWND) {
    for (char16_t c : std::u16string(u"Zoe")) wince::injectChar(c);
    wince::dispatchPending();
  };
  EXPECT_EQ(SolNameEntryDlg(name).DoModal(Main().m_hWnd), IDOK);
  EXPECT_EQ(std::u16string(name), u"Zoe");
}

// With the animation on, a move is drawn in frames paced on the clock: it
// glides for a few tens of milliseconds instead of jumping to its end.
TEST_F(CARROWIN_PLAYER_SUITE, AMoveGlidesOnTheClock) {
  struct Frame {
    uint64_t at;
    std::vector<uint16_t> screen;
  };
  std::vector<Frame> frames;
  const int listener = wince::addClockListener(
      [&frames] { frames.push_back({wince::clockNowMs(), wince::detail::deviceScreen().pixels}); });
  const auto tapStock = [&](uint8_t animation) {
    Main().Options().animation = animation;
    Field().TakeOptions();
    frames.clear();
    const uint64_t before = wince::clockNowMs();
    Tap(CardPoint(0, kSolNone));
    return wince::clockNowMs() - before;
  };
  const uint64_t glide = tapStock(1);
  const std::vector<Frame> moving = frames;
  const uint64_t jump = tapStock(0);
  wince::removeClockListener(listener);
  ASSERT_GE(moving.size(), 4u);
  EXPECT_GE(glide, 40u);
  EXPECT_EQ(jump, 0u);
  // Each frame shows the card further on.
  for (size_t i = 1; i < 4; ++i) EXPECT_NE(moving[i].screen, moving[i - 1].screen) << "frame " << i;
}

// The rules page scrolled by part of a line: the line ends below the
// view's band of paper, never up against the header's line.
TEST_F(CARROWIN_PLAYER_SUITE, ARulesLineScrolledPartlyStaysOffTheHeaderLine) {
  int inked = -1;
  onDialog = [&inked](HWND window) {
    HWND viewer = FindClass(window, DISPLAYCLASS);
    ASSERT_NE(viewer, nullptr);
    RECT r;
    ::GetWindowRect(viewer, &r);
    const uint16_t paper = Pixel({r.left + 1, r.top});
    inked = 0;
    for (int top = 1; top < HIDPI_ScaleY(16); ++top) {
      ::SendMessage(viewer, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, top), 0);
      wince::dispatchPending();
      for (LONG y = r.top; y < r.top + HIDPI_ScaleY(4); ++y) {
        for (LONG x = r.left; x < r.left + (r.right - r.left) / 2; ++x) inked += Pixel({x, y}) != paper;
      }
    }
  };
  ASSERT_TRUE(TapBarButton(kSolCmdHelp));
  EXPECT_EQ(inked, 0);
}

// Statistics: every label on one line ("Average Game Time:" too); best
// times: the list no higher than its limit and within the page, the time
// column whole.
TEST_F(CARROWIN_PLAYER_SUITE, StatisticsAndBestTimesFitTheScreen) {
  onDialog = [](HWND window) {
    for (const char16_t* text :
         {u"Games Played:", u"Games Won:", u"Win Rate:", u"Total Time:", u"Average Game Time:"}) {
      HWND label = FindText(window, text);
      ASSERT_NE(label, nullptr) << "no label";
      HDC dc = ::GetDC(label);
      HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessage(label, WM_GETFONT, 0, 0)));
      SIZE size{};
      ::GetTextExtentPoint32(dc, text, static_cast<int>(std::u16string(text).size()), &size);
      ::SelectObject(dc, old);
      ::ReleaseDC(label, dc);
      RECT r;
      ::GetClientRect(label, &r);
      EXPECT_LE(size.cx, r.right) << "wraps";
    }
  };
  Command(kSolCmdStatistics);
  EXPECT_EQ(dialogs.back(), u"Statistics");

  const int limit = CARROWIN_QVGA ? 161 : 312;
  onDialog = [limit](HWND window) {
    HWND list = FindControl(window, 1004);
    ASSERT_NE(list, nullptr);
    RECT r;
    ::GetWindowRect(list, &r);
    RECT page;
    ::GetWindowRect(::GetParent(list), &page);
    EXPECT_LE(r.bottom - r.top, limit);
    EXPECT_LE(r.bottom, page.bottom);
    RECT inside;
    ::GetClientRect(list, &inside);
    const LRESULT name = ::SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0);
    const LRESULT time = ::SendMessage(list, LVM_GETCOLUMNWIDTH, 1, 0);
    EXPECT_LE(name + time, inside.right);
  };
  Command(kSolCmdBestTimes);
  EXPECT_EQ(dialogs.back(), u"Best Times");
}

// A double tap plays to a foundation only in Klondike; the help says so
// only there.
TEST_F(CARROWIN_PLAYER_SUITE, TheHelpPromisesADoubleTapOnlyWhereItPlays) {
  CeString help;
  help.LoadString(GetModuleHandle(nullptr), 114);
  const std::u16string text(help.GetString());
  EXPECT_EQ(text.find(u"two quick taps") != std::u16string::npos, !CARROWIN_SPIDER);
  EXPECT_EQ(text.find(u"foundation") != std::u16string::npos, !CARROWIN_SPIDER);
  // Spider's columns and stock offer no tap that plays to a foundation.
  for (uint16_t p = 1; CARROWIN_SPIDER && p <= 10; ++p) EXPECT_EQ(Rules().Rules().piles[p].tapEvent, 0) << p;
}

}  // namespace
