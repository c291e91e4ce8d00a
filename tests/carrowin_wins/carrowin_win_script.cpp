// carrowin_win_script LINE WORK: turns a winning line (a rule set, a game
// number and the steps that win it, as `soldb solve` prints them) into a
// headless script that wins the deal through the stylus alone, at the
// places where this build's layout shows the cards.
//
// A first session of the program, in this process, chooses the rule set,
// deals the game and closes, so that WORK/root holds the game as a saved
// one. A second session resumes a copy of that device and goes through the
// line with the stylus: before each step it reads the rectangles the field
// registered for the cards, makes the step as a drag from the card to the
// target pile (or a tap on a pile) and writes that gesture down.
// WORK/script.txt then wins the game in the program run with --root
// WORK/root, dumping its state on the way (start.txt, won.txt while the name
// is asked, best.txt with the best times shown, next.txt at the next deal).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sol_app.h"
#include "sol_main_wnd.h"
#include "sol_platform.h"
#include "soldb_solve.h"
#include "wince/host/clock.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/host/system.h"
#include "wince/host/window.h"

namespace fs = std::filesystem;

namespace {

struct WinningLine {
  std::string ruleset;
  uint32_t game = 0;
  std::vector<SolMove> steps;
};

bool Fail(const std::string& what) {
  std::fprintf(stderr, "carrowin_win_script: %s\n", what.c_str());
  return false;
}

// "ruleset NAME", "game N" and "steps" followed by every step up to the end;
// "#" starts a comment.
bool ReadLine(const fs::path& path, WinningLine& line) {
  std::ifstream in(path);
  if (!in) return Fail("cannot read " + path.string());
  std::string text;
  bool inSteps = false;
  while (std::getline(in, text)) {
    text = text.substr(0, text.find('#'));
    std::istringstream words(text);
    std::string word;
    if (!(words >> word)) continue;
    if (inSteps) {
      do {
        SolMove step{};
        if (!SolParseStep(word, step)) return Fail(path.string() + ": '" + word + "' is no step");
        line.steps.push_back(step);
      } while (words >> word);
    } else if (word == "ruleset") {
      std::getline(words >> std::ws, line.ruleset);
      line.ruleset.erase(line.ruleset.find_last_not_of(" \t\r") + 1);
    } else if (word == "game") {
      if (!(words >> line.game)) return Fail(path.string() + ": the game number is missing");
    } else if (word == "steps") {
      inSteps = true;
    } else {
      return Fail(path.string() + ": unknown line '" + text + "'");
    }
  }
  if (line.ruleset.empty() || line.steps.empty()) return Fail(path.string() + ": no rule set or no steps");
  return true;
}

SolMainWnd& Main() { return *g_pMainWnd; }
SolRuleSet& Rules() { return *g_pMainWnd->RuleSet(); }
SolGameField& Field() { return *g_pMainWnd->Field(); }

// Starts the program on a device root, as the launcher does, on the virtual
// clock; no dialog is expected, so any that opens is closed and noted.
bool Start(const fs::path& root, bool& dialogShown) {
  wince::resetWindowing();
  if (!wince::setDeviceRoot(root)) return Fail("cannot use the device root " + root.string());
  wince::reloadRegistry();
  // Other script makers may run at the same time: each process is its own device.
  wince::setInstanceNamespace(("carrowin-win-script-" + std::to_string(::getpid())).c_str());
  if (!wince::selectDeviceProfile(CARROWIN_PROFILE)) return Fail("unknown profile");
  wince::useVirtualClock(0);
  wince::setModalHook([&dialogShown](HWND window, wince::ModalKind) {
    dialogShown = true;
    wince::endModalLoop(window, IDCANCEL);
  });
  if (!InitInstance(GetModuleHandle(nullptr), SW_SHOW)) return Fail("the program did not start");
  wince::dispatchPending();
  return true;
}

// Closes the program as the player would: the options and the game are saved.
void Stop() {
  wince::injectClose();
  wince::dispatchPending();
  ExitInstance();
  wince::resetWindowing();
}

// The variant whose rule set has the line's name: the suit count chooses it
// in the Spider builds, the game type in the Klondike build.
bool ChooseRuleSet(const std::string& name) {
  SolOptions& o = Main().Options();
#if CARROWIN_SPIDER
  constexpr int kChoices = 3;
  const auto choose = [&o](int i) { o.suitsNumber = i == 2 ? 4 : i + 1; };
#else
  constexpr int kChoices = 4;
  const auto choose = [&o](int i) { o.gameType = static_cast<uint32_t>(i); };
#endif
  for (int i = 0; i < kChoices; ++i) {
    choose(i);
    if (Main().LoadRules() && Rules().Name() == name) return true;
  }
  return Fail("this build has no rule set \"" + name + "\"");
}

// The rectangle registered for a pile's card (kSolNone: its top card, or its
// base when it is empty), in the field's client coordinates.
bool EntryRect(int pile, int position, RECT& rect) {
  const auto& piles = Field().Metrics().piles;
  if (pile < 0 || static_cast<size_t>(pile) >= piles.size()) return false;
  const SolTargetSet& targets = Field().Targets();
  const int count = static_cast<int>(piles[static_cast<size_t>(pile)].cards.size());
  if (position == kSolNone && count > 0) position = count - 1;
  const int i = targets.Find(static_cast<uint16_t>(pile), static_cast<uint16_t>(position));
  if (i < 0) return false;
  rect = targets.At(static_cast<size_t>(i)).rect;
  return true;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT OnScreen(POINT p) {
  ::ClientToScreen(Field().m_hWnd, &p);
  return p;
}

// The part of a fanned card that the next card of its pile leaves visible.
RECT VisiblePart(RECT card, int pile, int position) {
  RECT next{};
  if (!EntryRect(pile, position + 1, next)) return card;
  if (next.top > card.top) card.bottom = std::min(card.bottom, next.top);
  if (next.bottom < card.bottom) card.top = std::max(card.top, next.bottom);
  if (next.left > card.left) card.right = std::min(card.right, next.left);
  if (next.right < card.right) card.left = std::max(card.left, next.right);
  return card;
}

// A stylus gesture in device-screen pixels: a tap when `to` equals `from`.
struct Gesture {
  POINT from;
  POINT to;
};

// One step as a gesture: a tap on the pile, or a drag that takes the card
// by its visible part and lets go where the dragged card's centre (the
// point a drop is judged at) lies on the target's top card or base.
bool StepGesture(const SolMove& step, Gesture& gesture) {
  RECT target{};
  if (step.to == kSolAnyPile) {
    if (!EntryRect(step.from, kSolNone, target)) return Fail("pile " + std::to_string(step.from) + " is not shown");
    gesture.from = gesture.to = OnScreen(Centre(target));
    return true;
  }
  if (step.from >= Rules().CardCount()) return Fail("the game has no card " + std::to_string(step.from));
  // The field's views follow the game card for card.
  const SolCardState& state = Rules().Cards()[step.from];
  const int pile = state.pile;
  const int position = state.position;
  RECT card{};
  if (!EntryRect(pile, position, card) || !EntryRect(step.to, kSolNone, target)) {
    return Fail("card " + std::to_string(step.from) + " or pile " + std::to_string(step.to) + " is not shown");
  }
  const RECT visible = VisiblePart(card, pile, position);
  if (visible.right - visible.left < 2 || visible.bottom - visible.top < 2) {
    return Fail("card " + std::to_string(step.from) + " shows too little to be taken");
  }
  const POINT press = OnScreen(Centre(visible));
  const POINT from = Centre(card);
  const POINT to = Centre(target);
  gesture = {press, {press.x + to.x - from.x, press.y + to.y - from.y}};
  return true;
}

std::string Command(const Gesture& g) {
  const auto xy = [](POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); };
  if (g.from.x == g.to.x && g.from.y == g.to.y) return "tap " + xy(g.from);
  return "drag " + xy(g.from) + " " + xy(g.to);
}

// The gesture on this process's program: down, two moves, up.
void Perform(const Gesture& g) {
  const auto stylus = [](UINT msg, POINT p) {
    wince::injectStylus(msg, p.x, p.y);
    wince::dispatchPending();
  };
  stylus(WM_LBUTTONDOWN, g.from);
  if (g.from.x != g.to.x || g.from.y != g.to.y) {
    stylus(WM_MOUSEMOVE, {(g.from.x + g.to.x) / 2, (g.from.y + g.to.y) / 2});
    stylus(WM_MOUSEMOVE, g.to);
  }
  stylus(WM_LBUTTONUP, g.to);
}

bool SameCards(const SolRuleSet& a, const SolRuleSet& b) {
  for (size_t c = 0; c < a.CardCount(); ++c) {
    const SolCardState& x = a.Cards()[c];
    const SolCardState& y = b.Cards()[c];
    if (x.pile != y.pile || x.position != y.position || x.faceUp != y.faceUp) return false;
  }
  return true;
}

// The player's first session: the rule set chosen, the game dealt and left.
bool DealAndLeave(const fs::path& root, const WinningLine& line) {
  bool dialog = false;
  if (!Start(root, dialog) || !ChooseRuleSet(line.ruleset)) return false;
  Main().NewGame(line.game, true);
  Stop();
  return !dialog || Fail("a dialog opened on the deal");
}

// The second session resumes the game and goes through the line with the
// stylus, each gesture written to the script as it is made; the rules alone
// play the line alongside, and the game must follow them card for card,
// until the last step wins (whose name entry the session cancels). In the
// script each step waits a little after it, so that the game takes time, as
// a player's does, and a card's glide has ended before the next step.
bool WriteScript(const fs::path& work, const fs::path& lineFile, const WinningLine& line) {
  bool dialog = false;
  if (!Start(work / "replay", dialog)) return false;
  if (Rules().Name() != line.ruleset || Main().Options().curGameNumber != line.game) {
    return Fail("the second session did not resume the game dealt in the first");
  }
  Main().Options().animation = 0;
  Field().TakeOptions();
  size_t size = 0;
  const uint8_t* record = SolFindResource(Main().Options().RuleSetId(), u"SOLDB", size);
  SolRuleSet rules;
  uint32_t game = line.game;
  if (!record || !rules.Load(record, size, SolScreen{})) return Fail("the rule set cannot be read");
  rules.StartGame(game);
  std::ofstream script(work / "script.txt");
  script << "# " << line.ruleset << ", game " << line.game << ": the " << line.steps.size() << " steps of "
         << lineFile.filename().string() << " through the stylus\n"
         << "wait 200\ndump " << (work / "start.txt").string() << "\n";
  for (size_t i = 0; i < line.steps.size(); ++i) {
    const std::string where = "step " + std::to_string(i + 1) + " (" + SolStepText(line.steps[i]) + ")";
    if (rules.Finished() || !SolPlayStep(rules, line.steps[i])) return Fail(where + " is not legal");
    Gesture gesture{};
    if (!StepGesture(line.steps[i], gesture)) return Fail(where + " cannot be shown");
    script << Command(gesture) << "\nwait 150\n";
    Perform(gesture);
    if (rules.Finished() && i + 1 < line.steps.size()) return Fail(where + " wins before the line ends");
    if (!rules.Finished() && (dialog || !SameCards(rules, Rules()))) {
      return Fail(where + " through the stylus did not play the step");
    }
  }
  if (!rules.Finished() || !dialog) return Fail("the line does not win the game");
  // The win asks for a name; it goes into the best times, which are shown
  // and closed, and the next deal follows.
  script << "dump " << (work / "won.txt").string() << "\n"
         << "tapcontrol 1007\nchar Stylus\nkey press softkey1\nwait 200\n"
         << "dump " << (work / "best.txt").string() << "\n"
         << "key press softkey1\nwait 200\n"
         << "dump " << (work / "next.txt").string() << "\n";
  ExitInstance();
  wince::resetWindowing();
  return static_cast<bool>(script.flush()) || Fail("cannot write the script");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: carrowin_win_script LINE WORK\n");
    return 2;
  }
  WinningLine line;
  if (!ReadLine(argv[1], line)) return 1;
  const fs::path work = argv[2];
  std::error_code ignored;
  fs::remove_all(work, ignored);
  fs::create_directories(work / "root");
  fs::create_directories(work / "replay");
  if (!DealAndLeave(work / "root", line)) return 1;
  const fs::path saved = wince::registryFilePath();
  if (!fs::copy_file(saved, work / "replay" / saved.filename(), ignored)) {
    Fail("the first session left no registry");
    return 1;
  }
  return WriteScript(work, argv[1], line) ? 0 : 1;
}
