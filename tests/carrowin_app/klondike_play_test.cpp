// The Klondike program played through the stylus: a deal won by taps, undo
// back to the deal, drags, the saved game, the clock and the statistics.
#include "carrowin_app_fixture.h"
#include "sol_best_times.h"
#include "sol_dialog.h"
#include "sol_platform.h"
#include "sol_statistics.h"

const char* const CarrowinAppTest::kProfile = "pocketpc-vga";

namespace {

class KlondikeTest : public CarrowinAppTest {
 protected:
  // Jacks to kings of every suit left on four columns (king at the bottom),
  // everything below them on the foundations: twelve moves from the win.
  void Endgame() {
    Layout layout(13);
    for (int suit = 1; suit <= 4; ++suit) {
      for (int rank = 1; rank <= 10; ++rank) layout[8 + suit].push_back({K(suit, rank), true});
    }
    // Colours alternate down each column: suits 1 and 3 black, 2 and 4 red.
    const int columns[4][3] = {{1, 2, 1}, {2, 1, 2}, {3, 4, 3}, {4, 3, 4}};
    for (int c = 0; c < 4; ++c) {
      for (int i = 0; i < 3; ++i) layout[2 + c].push_back({K(columns[c][i], 13 - i), true});
    }
    Show(layout);
  }
  // The twelve moves: each column's top card to the foundation of its suit.
  std::vector<SolMove> EndgameMoves() {
    std::vector<SolMove> moves;
    const int columns[4][3] = {{1, 2, 1}, {2, 1, 2}, {3, 4, 3}, {4, 3, 4}};
    for (int i = 2; i >= 0; --i) {
      for (int c = 0; c < 4; ++c) {
        moves.push_back({static_cast<uint16_t>(K(columns[c][i], 13 - i)), static_cast<uint16_t>(8 + columns[c][i])});
      }
    }
    return moves;
  }
  // The options dialog with the game type list set to `type`, then OK.
  void ChooseGameType(int type) {
    wince::setModalHook([type](HWND window, wince::ModalKind kind) {
      if (kind != wince::ModalKind::Dialog) return;
      HWND list = FindControl(window, 5003);
      ::SendMessage(list, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
      ::PostMessage(window, WM_COMMAND, IDOK, 0);
    });
    ::SendMessage(g_pMainWnd->m_hWnd, WM_COMMAND, kSolCmdOptions, 0);
    wince::dispatchPending();
  }
  static int K(int suit, int rank) { return (suit - 1) * 13 + rank - 1; }

  void TapMove(const SolMove& m) {
    int pile = -1;
    int position = -1;
    ASSERT_TRUE(FindCard(m.from, pile, position));
    Tap(CardPoint(pile, position));
    Tap(CardPoint(m.to, kSolNone));
  }
  void TapStock() { Tap(CardPoint(0, kSolNone)); }

  SolStatistics Stats() { return SolStatistics::Load(Main().GameName(), Rules().Name().c_str()); }
};

TEST_F(KlondikeTest, AGameIsWonByTapsAndCountedAsWon) {
  Deal(kSolTapping, 7);
  Endgame();
  // The winner types a name at once.
  onDialog = [](HWND) {
    for (char16_t c : std::u16string(u"Zoe")) wince::injectChar(c);
    wince::dispatchPending();
  };
  const uint32_t game = Main().Options().curGameNumber;
  const std::vector<SolMove> moves = EndgameMoves();
  for (size_t i = 0; i + 1 < moves.size(); ++i) {
    TapMove(moves[i]);
    ASSERT_EQ(Rules().History()->Count() > 0, true) << "move " << i;
    ASSERT_FALSE(Rules().Finished()) << "move " << i;
    ASSERT_NO_FATAL_FAILURE(ExpectViewsMatchModel()) << "after move " << i;
  }
  TapMove(moves.back());
  // The win is booked and a new random deal follows at once.
  const SolStatistics stats = Stats();
  EXPECT_EQ(stats.played, 1);
  EXPECT_EQ(stats.won, 1);
  EXPECT_NE(Main().Options().curGameNumber, game);
  EXPECT_EQ(Rules().History()->Count(), 0u);
  EXPECT_FALSE(Rules().Finished());
  // The time enters the best times: the name is asked, then the table shown.
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[0], u"Congratulations!");
  EXPECT_EQ(dialogs[1], u"Best Times");
  SolBestTimes best;
  best.Load(Main().GameName(), Rules().Name().c_str());
  EXPECT_EQ(best.At(0).seconds, 1u);
  EXPECT_EQ(std::u16string(best.At(0).name), u"Zoe");
  // New Game right after the win counts nothing more than the new game.
  Command(kSolCmdNewGame);
  EXPECT_EQ(Stats().played, 2);
  EXPECT_EQ(Stats().won, 1);
}

// Two quick taps on the top card of a column or the waste play it to the
// first foundation that takes it, in both pointer modes and with the keys;
// the hint lists that tap; a card that fits nowhere stays, and undo puts a
// played card back.
TEST_F(KlondikeTest, TwoQuickTapsPlayACardToAFoundation) {
  // Ace and two of spades (suit 1) on the first two columns, the two of
  // hearts on the waste, the five of hearts on the third column; the rest in
  // the stock.
  const int ace = K(1, 1), two = K(1, 2), heartTwo = K(2, 2), five = K(2, 5);
  Layout layout(13);
  for (int c = 0; c < 52; ++c) {
    if (c != ace && c != two && c != heartTwo && c != five) layout[0].push_back({c, false});
  }
  layout[1] = {{heartTwo, true}};
  layout[2] = {{ace, true}};
  layout[3] = {{two, true}};
  layout[4] = {{five, true}};
  for (uint8_t mode : {kSolDragDrop, kSolTapping, kSolKeyboardCW}) {
    Deal(mode, 3);
    Show(layout);
    EXPECT_TRUE(Rules().CanTapPile(2));
    EXPECT_FALSE(Rules().CanTapPile(3));  // no ace of spades home yet
    uint16_t from = 0;
    uint16_t to = 0;
    ASSERT_TRUE(Rules().FindMove(1, from, to));  // after the stock's tap
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, kSolAnyPile);
    const auto twice = [&](int pile) {
      if (mode == kSolKeyboardCW) {
        Field().MarkForPicking();
        Field().Targets().PlaceCursor(static_cast<uint16_t>(pile), 0);
        for (int i = 0; i < 2; ++i) {
          wince::injectKey(VK_RETURN, true);
          wince::injectKey(VK_RETURN, false);
          wince::dispatchPending();
        }
      } else {
        const size_t before = Rules().History()->Count();
        Tap(CardPoint(pile, 0));
        EXPECT_EQ(Rules().History()->Count(), before) << "one tap played, mode " << int{mode};
        Tap(CardPoint(pile, 0));
      }
    };
    twice(4);  // the five of hearts fits no foundation
    EXPECT_EQ(Rules().History()->Count(), 0u) << int{mode};
    Tap({2, 500});  // tapping mode: the five is no longer selected
    twice(2);
    EXPECT_EQ(Rules().Cards()[static_cast<size_t>(ace)].pile, 9) << int{mode};
    EXPECT_TRUE(Rules().CanTapPile(3));
    Command(kSolCmdUndo);
    EXPECT_EQ(Rules().Cards()[static_cast<size_t>(ace)].pile, 2) << int{mode};
    twice(2);
    twice(3);
    EXPECT_EQ(Rules().Cards()[static_cast<size_t>(two)].pile, 9) << int{mode};
    EXPECT_EQ(Rules().Cards()[static_cast<size_t>(two)].position, 1) << int{mode};
    // The waste's two of hearts: its ace is not home.
    EXPECT_FALSE(Rules().CanTapPile(1));
    ExpectViewsMatchModel();
  }
}

TEST_F(KlondikeTest, ATapOnACardSelectsItAndATapElsewhereDeselects) {
  Deal(kSolTapping, 7);
  Endgame();
  const POINT top = CardPoint(2, 2);
  Tap(top);
  EXPECT_EQ(Field().SelectedPile(), 2);
  EXPECT_EQ(Field().SelectedCard(), 2);
  Tap({2, 500});
  EXPECT_EQ(Field().SelectedPile(), kSolNone);
  // An illegal target keeps the selection.
  Tap(top);
  Tap(CardPoint(3, kSolNone));
  EXPECT_EQ(Field().SelectedPile(), 2);
  EXPECT_EQ(Rules().History()->Count(), 0u);
}

TEST_F(KlondikeTest, UndoTakesTheGameBackToTheDealThenSaysNoUndo) {
  Deal(kSolTapping, 3);
  const std::vector<SolCardState> dealt = Rules().Cards();
  for (size_t i = 0; i < 6; ++i) TapStock();
  ASSERT_NE(Rules().History()->Count(), 0u);
  for (int i = 0; i < 6; ++i) Command(kSolCmdUndo);
  EXPECT_EQ(Rules().History()->Count(), 0u);
  for (size_t c = 0; c < dealt.size(); ++c) {
    EXPECT_EQ(Rules().Cards()[c].pile, dealt[c].pile);
    EXPECT_EQ(Rules().Cards()[c].position, dealt[c].position);
  }
  ExpectViewsMatchModel();
  EXPECT_EQ(messageBoxes, 0);
  Command(kSolCmdUndo);
  EXPECT_EQ(messageBoxes, 1);
}

TEST_F(KlondikeTest, ADragStartsBeyondThreePixelsAndADropOffTheTargetsPutsTheRunBack) {
  Deal(kSolDragDrop);
  // The waste's top card after a tap on the stock can be picked.
  Tap(CardPoint(0, kSolNone));
  ASSERT_FALSE(Field().Metrics().piles[1].cards.empty());
  const POINT at = CardPoint(1, kSolNone);
  Stylus(WM_LBUTTONDOWN, at);
  Stylus(WM_MOUSEMOVE, {at.x + 3, at.y + 3});
  EXPECT_FALSE(Field().IsDragging());
  Stylus(WM_MOUSEMOVE, {at.x + 4, at.y});
  EXPECT_TRUE(Field().IsDragging());
  const size_t undo = Rules().History()->Count();
  Stylus(WM_MOUSEMOVE, {at.x + 4, 600});
  Stylus(WM_LBUTTONUP, {at.x + 4, 600});
  EXPECT_FALSE(Field().IsDragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Rules().History()->Count(), undo);
  ExpectViewsMatchModel();
}

TEST_F(KlondikeTest, AGameIsWonByDragsToo) {
  Deal(kSolDragDrop, 9);
  Endgame();
  for (const SolMove& m : EndgameMoves()) {
    int pile = -1;
    int position = -1;
    ASSERT_TRUE(FindCard(m.from, pile, position));
    Drag(CardPoint(pile, position), CardPoint(m.to, kSolNone));
  }
  EXPECT_EQ(Stats().won, 1);
}

TEST_F(KlondikeTest, AGameSavedAtExitResumesAndADamagedOneIsReplaced) {
  Deal(kSolTapping, 4);
  for (size_t i = 0; i < 3; ++i) TapStock();
  const std::vector<SolCardState> before = Rules().Cards();
  const size_t history = Rules().History()->Count();
  const uint32_t game = Main().Options().curGameNumber;
  Restart();
  EXPECT_EQ(Main().Options().gameType, 0u);
  EXPECT_EQ(Main().Options().curGameNumber, game);
  EXPECT_EQ(Rules().History()->Count(), history);
  for (size_t c = 0; c < before.size(); ++c) EXPECT_EQ(Rules().Cards()[c].pile, before[c].pile);
  ExpectViewsMatchModel();
  // Cut the saved game short: the next start deals a new game instead.
  Stop();
  SolRegKey key;
  const CeString path = SolRegistryPath(u"Klondike", SolRegKind::GameState, "Klondike One Card");
  ASSERT_TRUE(key.Open(path.GetString()));
  const uint8_t cut[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(key.Set(u"data", kSolRegBinary, cut, sizeof cut));
  key.Close();
  const int shown = messageBoxes;
  Start();
  EXPECT_EQ(messageBoxes, shown + 1);  // the player is told
  EXPECT_EQ(Rules().History()->Count(), 0u);
  EXPECT_NE(Main().Options().curGameNumber, game);
  ExpectViewsMatchModel();
}

TEST_F(KlondikeTest, TheTimeLimitEndsAGameAndBooksTheLimit) {
  Deal(kSolTapping);
  SolOptions& o = Main().Options();
  o.timedGame = 1;
  o.timeLimit = 1;
  const uint32_t game = o.curGameNumber;
  answer = kSolCmdRestart;
  wince::runFor(59000);
  EXPECT_TRUE(dialogs.empty());
  wince::runFor(2000);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0], u"Sorry…");
  const SolStatistics stats = Stats();
  EXPECT_EQ(stats.played, 1);
  EXPECT_EQ(stats.won, 0);
  EXPECT_EQ(stats.seconds, 60u);
  // Restart deals the same game again with a fresh clock.
  EXPECT_EQ(o.curGameNumber, game);
  EXPECT_LT(Main().Elapsed(), 2u);
}

TEST_F(KlondikeTest, TimeInAMenuOrDialogIsNotCounted) {
  Deal(kSolTapping);
  wince::runFor(3000);
  const uint32_t played = Main().Elapsed();
  EXPECT_GE(played, 2u);
  ::SendMessage(Main().m_hWnd, WM_ENTERMENULOOP, 0, 0);
  wince::runFor(10000);
  ::SendMessage(Main().m_hWnd, WM_EXITMENULOOP, 0, 0);
  wince::runFor(100);
  EXPECT_EQ(Main().Elapsed(), played);
}

TEST_F(KlondikeTest, OptionsSurviveARestart) {
  SolOptions& o = Main().Options();
  o.playMode = kSolTapping;
  o.cardBack = 2;
  o.bgColor = 0x804000;
  Restart();
  EXPECT_EQ(Main().Options().playMode, kSolTapping);
  EXPECT_EQ(Main().Options().cardBack, 2u);
  EXPECT_EQ(Main().Options().bgColor, 0x804000u);
}

TEST_F(KlondikeTest, TheOptionsDialogChangesTheGameTypeAndTheLookAndSurvivesARestart) {
  Deal(kSolTapping, 3);
  TapStock();
  const uint32_t game = Main().Options().curGameNumber;
  const size_t history = Rules().History()->Count();
  // Two taps on the card back, one on the background (a step right in the
  // colour chooser), OK.
  const uint32_t background = Main().Options().bgColor;
  taps = {1003, 1003, 5012};
  chooserKey = VK_RIGHT;
  Command(kSolCmdOptions);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0], u"Options");
  EXPECT_EQ(Main().Options().cardBack, 2u);
  EXPECT_NE(Main().Options().bgColor, background);
  EXPECT_EQ(Main().Options().gameType, 0u);
  const uint32_t chosen = Main().Options().bgColor;
  Restart();
  EXPECT_EQ(Main().Options().bgColor, chosen);
  EXPECT_EQ(Main().Options().cardBack, 2u);
  EXPECT_EQ(Main().Options().curGameNumber, game);
  EXPECT_EQ(Rules().History()->Count(), history);
}

TEST_F(KlondikeTest, AGameTypeChangedAndBackRestoresTheFirstGame) {
  Deal(kSolTapping, 3);
  TapStock();
  TapStock();
  const uint32_t game = Main().Options().curGameNumber;
  const std::vector<SolCardState> before = Rules().Cards();
  ChooseGameType(2);
  EXPECT_EQ(Main().Options().gameType, 2u);
  EXPECT_EQ(Rules().Name(), "Klondike");
  EXPECT_EQ(Rules().History()->Count(), 0u);
  ChooseGameType(0);
  EXPECT_EQ(Main().Options().gameType, 0u);
  EXPECT_EQ(Main().Options().curGameNumber, game);
  ASSERT_EQ(Rules().Cards().size(), before.size());
  for (size_t c = 0; c < before.size(); ++c) EXPECT_EQ(Rules().Cards()[c].pile, before[c].pile);
  ExpectViewsMatchModel();
}

TEST_F(KlondikeTest, KeyboardPlayPicksAndDropsWithTheCursor) {
  Deal(kSolKeyboardCW);
  Main().Options().playMode = kSolKeyboardCW;
  Field().TakeOptions();
  Field().MarkForPicking();
  Field().Redraw();
  // Enter on the stock (the first target) turns a card.
  SolTargetSet& t = Field().Targets();
  t.PlaceCursor(0, kSolNone);
  const size_t waste = Field().Metrics().piles[1].cards.size();
  wince::injectKey(VK_RETURN, true);
  wince::injectKey(VK_RETURN, false);
  wince::dispatchPending();
  EXPECT_EQ(Field().Metrics().piles[1].cards.size(), waste + 1);
  ExpectViewsMatchModel();
  // The arrows move the cursor over the marked targets.
  uint16_t pile = 0;
  uint16_t card = 0;
  ASSERT_TRUE(t.GetCursor(pile, card));
  wince::injectKey(VK_RIGHT, true);
  wince::injectKey(VK_RIGHT, false);
  wince::dispatchPending();
  uint16_t next = 0;
  ASSERT_TRUE(t.GetCursor(next, card));
  EXPECT_NE(next, pile);
}

}  // namespace
