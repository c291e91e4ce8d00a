#include <gtest/gtest.h>

#include <functional>

#include "sol_options.h"
#include "param_name.h"
#include "sol_platform.h"
#include "sol_test_support.h"

namespace {

// Each test uses its own game name, so their registry keys never meet.
class SavedGame : public testing::Test {
 protected:
  void Start(const char* set, uint32_t game) {
    LoadShipped(rules, set);
    number = game;
    rules.StartGame(number);
  }
  CeString Key() const {
    return SolRegistryPath(name.GetString(), SolRegKind::GameState, rules.Name().c_str());
  }
  bool Exists() const {
    SolRegKey key;
    return key.Open(Key().GetString());
  }
  void Store(const std::vector<uint8_t>& blob) {
    SolRegKey key;
    ASSERT_TRUE(key.Create(Key().GetString(), nullptr));
    const DWORD size = static_cast<DWORD>(blob.size());
    key.Set(u"size", kSolRegDword, &size, 4);
    key.Set(u"data", kSolRegBinary, blob.data(), size);
  }

  CeString name = CeString(u"SaveTest");
  SolRuleSet rules;
  uint32_t number = 0;
};

TEST_F(SavedGame, BlobLayoutAndSize) {
  Start("klondike", 1);
  const std::vector<uint8_t> blob = rules.EncodeGame(1, 0x01020304);
  const size_t n = rules.Counters().size();
  EXPECT_EQ(blob.size(), 853u + 4 * n);
  EXPECT_EQ(blob[0] | blob[1] << 8, 212);
  EXPECT_EQ(blob[2], 1);
  // t = 1 and the entry {W, W}, the n counters, then the seconds played,
  // finished, m = 0.
  const size_t t = 6 + 8 * 52 + 32 * 13;
  EXPECT_EQ(blob[t], 1);
  EXPECT_EQ(std::vector<uint8_t>(blob.begin() + t + 2, blob.begin() + t + 6), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  const size_t seconds = t + 6 + 4 * n;
  EXPECT_EQ(std::vector<uint8_t>(blob.begin() + static_cast<std::ptrdiff_t>(seconds), blob.end()),
            (std::vector<uint8_t>{4, 3, 2, 1, 0, 0, 0, 0, 0}));
  Start("klondike_ii", 1);
  PlayStep(rules, {0, kSolAnyPile});
  EXPECT_EQ(rules.EncodeGame(1).size(), 853u + 4 * rules.Counters().size() + 16 * rules.History()->Count());
}

// The seconds played go with the game; a blob of an earlier version, which
// left them at 0, reads as no time played.
TEST_F(SavedGame, TheSecondsPlayedComeBackWithTheGame) {
  name = u"SaveSeconds";
  Start("klondike", 8);
  rules.SaveGame(name.GetString(), number, 95);
  uint32_t restored = 0;
  uint32_t seconds = 0;
  ASSERT_TRUE(rules.LoadGame(name.GetString(), restored, nullptr, &seconds));
  EXPECT_EQ(seconds, 95u);
  rules.ConfirmRestored(name.GetString());
  Store(rules.EncodeGame(number));
  ASSERT_TRUE(rules.LoadGame(name.GetString(), restored, nullptr, &seconds));
  EXPECT_EQ(seconds, 0u);
}

TEST_F(SavedGame, RoundTripThenUndo) {
  name = u"SaveRoundTrip";
  Start("klondike_ii", 31);
  std::vector<SolMove> moves;
  std::vector<GameSnapshot> before;
  for (int i = 0; i < 40; ++i) {
    rules.ListMoves(moves);
    if (moves.empty()) break;
    before.emplace_back(rules);
    PlayStep(rules, moves[static_cast<size_t>(i * 7) % moves.size()]);
  }
  const GameSnapshot saved(rules);
  const size_t records = rules.History()->Count();
  rules.SaveGame(name.GetString(), number);
  SolRuleSet other;
  LoadShipped(other, "klondike_ii");
  uint32_t restored = 0;
  ASSERT_TRUE(other.LoadGame(name.GetString(), restored));
  EXPECT_EQ(restored, 31u);
  EXPECT_TRUE(GameSnapshot(other) == saved);
  EXPECT_EQ(other.History()->Count(), records);
  while (!before.empty()) {
    ASSERT_TRUE(other.UndoStep());
    ASSERT_TRUE(GameSnapshot(other) == before.back());
    before.pop_back();
  }
}

// The guard is for a crash while the game is read and shown: once shown, a
// crash during play leaves the game saved last; a crash before that throws
// it away at the next start.
TEST_F(SavedGame, CrashGuard) {
  name = u"SaveCrash";
  Start("klondike", 4);
  rules.SaveGame(name.GetString(), number);
  uint32_t restored = 0;
  ASSERT_TRUE(rules.LoadGame(name.GetString(), restored));
  rules.ConfirmRestored(name.GetString());
  ASSERT_TRUE(rules.LoadGame(name.GetString(), restored));
  EXPECT_EQ(restored, 4u);
  EXPECT_FALSE(rules.LoadGame(name.GetString(), restored));
  EXPECT_FALSE(rules.HasGame());
  EXPECT_FALSE(Exists());
}

TEST_F(SavedGame, NoKeyCreatesNothing) {
  name = u"SaveNone";
  Start("spider", 4);
  uint32_t restored = 0;
  EXPECT_FALSE(rules.LoadGame(name.GetString(), restored));
  EXPECT_FALSE(Exists());
}

TEST_F(SavedGame, OtherVariantRefused) {
  name = u"SaveVariant";
  Start("klondike", 4);
  std::vector<uint8_t> blob = rules.EncodeGame(4);
  LoadShipped(rules, "klondike_one_card");
  Store(blob);  // a Klondike (212) game under the One Card (213) key
  uint32_t restored = 0;
  EXPECT_FALSE(rules.LoadGame(name.GetString(), restored));
  EXPECT_FALSE(Exists());
}

// The counters that the Klondike sets gained last (the double tap to a
// foundation: three for the waste and each column).
constexpr size_t kTapCounters = 24;

void PutLE32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The game as the build before those counters saved it: its blob without
// them, and the history without the records of their events. The game must
// have been played without a tap to a foundation.
std::vector<uint8_t> EarlierLayout(const SolRuleSet& rules, uint32_t game, uint32_t seconds) {
  const std::vector<uint8_t> blob = rules.EncodeGame(game, seconds);
  const size_t table = 6 + 8 * rules.CardCount() + 32 * rules.PileCount();
  const size_t counters = table + 2 + 4 * static_cast<size_t>(blob[table] | blob[table + 1] << 8);
  const size_t kept = rules.Counters().size() - kTapCounters;
  std::vector<uint8_t> old(blob.begin(), blob.begin() + static_cast<std::ptrdiff_t>(counters + 4 * kept));
  PutLE32(old, seconds);
  old.push_back(rules.Finished() ? 1 : 0);
  const SolRuleData& d = rules.Rules();
  std::vector<size_t> records;
  for (size_t i = 0; i < rules.History()->Count(); ++i) {
    const SolMoveRecord& r = rules.History()->Records()[i];
    const bool tapCounter = r.kind == kSolRecCounter && r.number >= kept;
    const bool tapReset = r.kind == kSolRecAction && d.actions[r.number].kind == kSolActResetCounter &&
                          d.actions[r.number].pile >= kept;
    if (!tapCounter && !tapReset) records.push_back(i);
    EXPECT_FALSE((tapCounter || tapReset) && r.stepStart) << "a step begins with a tap to a foundation";
  }
  PutLE32(old, static_cast<uint32_t>(records.size()));
  const size_t first = blob.size() - 16 * rules.History()->Count();
  for (size_t i : records) {
    const auto at = blob.begin() + static_cast<std::ptrdiff_t>(first + 16 * i);
    old.insert(old.end(), at, at + 16);
  }
  return old;
}

struct EarlierGame {
  const char* set;
  uint32_t game;
  int steps;         // played before the save
  uint32_t seconds;  // 0 as builds before the saved clock left them
};

const EarlierGame kEarlierGames[] = {
    {"klondike", 12, 25, 0},
    {"klondike_one_card", 5, 40, 431},
    {"klondike_ii", 31, 30, 77},
    {"klondike_limited", 9, 35, 1200},
};

void PrintTo(const EarlierGame& g, std::ostream* os) { *os << g.set; }

class EarlierSave : public SavedGame, public testing::WithParamInterface<EarlierGame> {};

// A step of the player other than a tap to a foundation, chosen by i.
SolMove PlainStep(const std::vector<SolMove>& moves, int i) {
  std::vector<SolMove> plain;
  for (const SolMove& m : moves) {
    if (m.to != kSolAnyPile || m.from == 0) plain.push_back(m);
  }
  return plain.empty() ? SolMove{0, kSolAnyPile} : plain[static_cast<size_t>(i * 7) % plain.size()];
}

// The saved game of the earlier build resumes with the counters it lacked
// set from the cards as at a deal, exactly as the game played on the new
// rules has them; it then plays on alike, double taps included, and undoes
// back to where it resumed.
TEST_P(EarlierSave, ResumesAndPlaysOn) {
  const EarlierGame& g = GetParam();
  name = CeString(u"SaveEarlier");
  Start(g.set, g.game);
  ASSERT_GE(rules.Counters().size(), kTapCounters);
  std::vector<SolMove> moves;
  for (int i = 0; i < g.steps; ++i) {
    rules.ListMoves(moves);
    if (moves.empty()) break;
    PlayStep(rules, PlainStep(moves, i));
  }
  Store(EarlierLayout(rules, number, g.seconds));

  SolRuleSet resumed;
  LoadShipped(resumed, g.set);
  uint32_t restored = 0, seconds = 99;
  bool refused = true;
  ASSERT_TRUE(resumed.LoadGame(name.GetString(), restored, &refused, &seconds));
  EXPECT_FALSE(refused);
  EXPECT_EQ(restored, g.game);
  EXPECT_EQ(seconds, g.seconds);
  EXPECT_TRUE(Exists());
  ASSERT_TRUE(GameSnapshot(resumed) == GameSnapshot(rules));

  std::vector<GameSnapshot> before;
  int taps = 0;
  for (int i = 0; i < 60 && !rules.Finished(); ++i) {
    rules.ListMoves(moves);
    std::vector<SolMove> resumedMoves;
    resumed.ListMoves(resumedMoves);
    ASSERT_EQ(resumedMoves, moves) << "step " << i;
    if (moves.empty()) break;
    // A double tap to a foundation whenever one is on offer.
    SolMove step = PlainStep(moves, i);
    for (const SolMove& m : moves) {
      if (m.to == kSolAnyPile && m.from != 0) step = m;
    }
    taps += step.to == kSolAnyPile && step.from != 0;
    before.emplace_back(resumed);
    ASSERT_TRUE(PlayStep(rules, step));
    ASSERT_TRUE(PlayStep(resumed, step));
    ASSERT_TRUE(GameSnapshot(resumed) == GameSnapshot(rules)) << "step " << i;
  }
  EXPECT_GT(taps, 0);
  while (!before.empty()) {
    ASSERT_TRUE(resumed.UndoStep());
    ASSERT_TRUE(GameSnapshot(resumed) == before.back());
    before.pop_back();
  }
}

INSTANTIATE_TEST_SUITE_P(SavedGame, EarlierSave, testing::ValuesIn(kEarlierGames), test_names::ByField<&EarlierGame::set>{});

// Spider has no counters: its blob is read as it always was.
TEST_F(SavedGame, SpiderRoundTripUnchanged) {
  name = u"SaveSpider";
  Start("spider_two_suits", 17);
  std::vector<SolMove> moves;
  for (int i = 0; i < 20; ++i) {
    rules.ListMoves(moves);
    if (moves.empty()) break;
    PlayStep(rules, moves[static_cast<size_t>(i * 5) % moves.size()]);
  }
  const std::vector<uint8_t> blob = rules.EncodeGame(number, 61);
  ASSERT_TRUE(rules.Counters().empty());
  rules.SaveGame(name.GetString(), number, 61);
  SolRuleSet other;
  LoadShipped(other, "spider_two_suits");
  uint32_t restored = 0, seconds = 0;
  ASSERT_TRUE(other.LoadGame(name.GetString(), restored, nullptr, &seconds));
  EXPECT_EQ(seconds, 61u);
  EXPECT_TRUE(GameSnapshot(other) == GameSnapshot(rules));
  EXPECT_EQ(other.EncodeGame(restored, 61), blob);
  std::vector<uint8_t> shorter = blob;
  shorter.erase(shorter.end() - 4 - 16 * static_cast<std::ptrdiff_t>(rules.History()->Count()) - 9,
                shorter.end() - 16 * static_cast<std::ptrdiff_t>(rules.History()->Count()) - 9);
  EXPECT_FALSE(other.DecodeGame(shorter.data(), shorter.size(), restored));
}

// The sizes of the Klondike set that the damages depend on.
struct KlondikeSizes {
  size_t expressions, actions, counters;
};

struct Damage {
  const char* what;
  std::function<void(std::vector<uint8_t>&, const KlondikeSizes&)> change;
};

constexpr size_t kCards = 6, kPiles = 6 + 8 * 52, kTable = kPiles + 32 * 13;
// The finished flag, after the one move-table entry, the counters and the
// seconds played.
size_t Finished(const KlondikeSizes& k) { return kTable + 10 + 4 * k.counters; }

// The blob as the build before the double-tap counters wrote it.
void DropTapCounters(std::vector<uint8_t>& b, const KlondikeSizes& k) {
  const auto end = b.begin() + static_cast<std::ptrdiff_t>(kTable + 6 + 4 * k.counters);
  b.erase(end - 4 * kTapCounters, end);
}

const Damage kDamages[] = {
    {"one byte short", [](auto& b, auto&) { b.pop_back(); }},
    {"one byte more", [](auto& b, auto&) { b.push_back(0); }},
    {"card in no pile", [](auto& b, auto&) { b[kCards + 4] = 13; }},
    {"two cards in one place",
     [](auto& b, auto&) { b[kCards + 6] = b[kCards + 8 + 6], b[kCards + 4] = b[kCards + 8 + 4]; }},
    {"pile count", [](auto& b, auto&) { b[kPiles + 10] += 1; }},
    {"pile expression", [](auto& b, auto& k) { b[kPiles + 12] = static_cast<uint8_t>(k.expressions); }},
    {"move table pile", [](auto& b, auto&) { b[kTable + 2] = 13, b[kTable + 3] = 0; }},
    {"move table count", [](auto& b, auto&) { b[kTable] = 2; }},
    {"finished flag", [](auto& b, auto& k) { b[Finished(k)] = 2; }},
    {"history count", [](auto& b, auto& k) { b[Finished(k) + 1] = 1; }},
    {"history action", [](auto& b, auto& k) {
       b[Finished(k) + 1] = 1;
       std::vector<uint8_t> rec(16, 0);
       rec[0] = 1, rec[6] = static_cast<uint8_t>(k.actions);  // one past the last action
       b.insert(b.end(), rec.begin(), rec.end());
     }},
    {"history kind", [](auto& b, auto& k) {
       b[Finished(k) + 1] = 1;
       std::vector<uint8_t> rec(16, 0);
       rec[0] = 4;
       b.insert(b.end(), rec.begin(), rec.end());
     }},
    {"counter above its initial value", [](auto& b, auto&) { b[kTable + 6] = 2; }},
    {"counter below 0", [](auto& b, auto&) { b[kTable + 6] = 0xFF, b[kTable + 7] = 0xFF; }},
    {"counter follow-up not its rule's", [](auto& b, auto&) { b[kTable + 8] = 1; }},
    {"a counter more than the rules have",
     [](auto& b, auto& k) { b.insert(b.begin() + static_cast<std::ptrdiff_t>(Finished(k) - 4), 4, 0); }},
    {"earlier layout, one byte short", [](auto& b, auto& k) {
       DropTapCounters(b, k);
       b.pop_back();
     }},
    {"earlier layout, history of a counter it lacks", [](auto& b, auto& k) {
       DropTapCounters(b, k);
       b[Finished(k) - 4 * kTapCounters + 1] = 1;
       std::vector<uint8_t> rec(16, 0);
       rec[0] = 3, rec[6] = static_cast<uint8_t>(k.counters - kTapCounters);
       b.insert(b.end(), rec.begin(), rec.end());
     }},
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.what; }

class DamagedSave : public testing::TestWithParam<Damage> {};

TEST_P(DamagedSave, RefusedAndDeleted) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  uint32_t game = 6;
  rules.StartGame(game);
  std::vector<uint8_t> blob = rules.EncodeGame(game);
  uint32_t restored = 0;
  ASSERT_TRUE(rules.DecodeGame(blob.data(), blob.size(), restored));
  const SolRuleData& d = rules.Rules();
  ASSERT_LT(d.actions.size(), 256u);
  GetParam().change(blob, KlondikeSizes{d.expressions.size(), d.actions.size(), d.counters.size()});
  EXPECT_FALSE(rules.DecodeGame(blob.data(), blob.size(), restored));
  EXPECT_FALSE(rules.HasGame());
  // Through the registry the damaged game is deleted at once.
  const CeString path = SolRegistryPath(u"SaveDamaged", SolRegKind::GameState, "Klondike");
  {
    SolRegKey key;
    ASSERT_TRUE(key.Create(path.GetString(), nullptr));
    const DWORD size = static_cast<DWORD>(blob.size());
    key.Set(u"size", kSolRegDword, &size, 4);
    key.Set(u"data", kSolRegBinary, blob.data(), size);
  }
  EXPECT_FALSE(rules.LoadGame(u"SaveDamaged", restored));
  SolRegKey key;
  EXPECT_FALSE(key.Open(path.GetString()));
}

INSTANTIATE_TEST_SUITE_P(SavedGame, DamagedSave, testing::ValuesIn(kDamages), test_names::ByField<&Damage::what>{});

}  // namespace
