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
