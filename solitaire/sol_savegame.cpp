// The saved game: the live game as one blob, and its checked reader.
#include "base/byte_order.h"
#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "sol_options.h"
#include "sol_platform.h"
#include "sol_ruleset.h"

namespace {

// Fixed part of the blob: variant, game number, t, seconds, finished, m.
constexpr size_t kFixedBytes = 17;
// Larger than any real game (104 cards, 19 piles and a long history).
constexpr DWORD kBlobMax = 16u << 20;

// The two directions of the field lists below: Get(field) reads the field
// from the blob, or writes it there. Fields are little-endian, of their
// type's width.
class ReadIo {
 public:
  explicit ReadIo(base::ByteReader& r) : m_r(r) {}
  template <class T>
  bool Get(T& field) {
    return m_r.readLE(field);
  }

 private:
  base::ByteReader& m_r;
};

class WriteIo {
 public:
  explicit WriteIo(base::ByteWriter& w) : m_w(w) {}
  template <class T>
  bool Get(T& field) {
    return m_w.writeLE(field);
  }

 private:
  base::ByteWriter& m_w;
};

// Field lists shared by the writer and the reader.
template <class Io>
bool CardFields(Io& io, SolCardState& s) {
  return io.Get(s.faceUp) && io.Get(s.pick) && io.Get(s.accept) && io.Get(s.reserved) && io.Get(s.pile) &&
         io.Get(s.position);
}
template <class Io>
bool PileFields(Io& io, SolPileState& s) {
  return io.Get(s.x) && io.Get(s.y) && io.Get(s.fan) && io.Get(s.active) && io.Get(s.reserved) && io.Get(s.count) &&
         io.Get(s.dropExpr) && io.Get(s.pickExpr) && io.Get(s.fixedAccept) && io.Get(s.enabled) &&
         io.Get(s.reserved2[0]) && io.Get(s.reserved2[1]) && io.Get(s.reserved2[2]) && io.Get(s.marker1) &&
         io.Get(s.marker2);
}
template <class Io>
bool RecordFields(Io& io, SolMoveRecord& r) {
  return io.Get(r.kind) && io.Get(r.stepStart) && io.Get(r.reserved) && io.Get(r.number) && io.Get(r.value) &&
         io.Get(r.toPile) && io.Get(r.toPos) && io.Get(r.reserved2[0]) && io.Get(r.reserved2[1]);
}

// A stored counter as play leaves it: the follow-up of its rule, and a value
// between 0 and the initial one (play only takes from it or sets it back).
bool CounterFits(const uint8_t* at, const SolCounterDef& def) {
  const int16_t value = static_cast<int16_t>(base::loadLE16(at));
  return base::loadLE16(at + 2) == def.followUp && (def.initial < 0 || (value >= 0 && value <= def.initial));
}

// Counters that rule sets gained at the end after their games were first
// saved, newest group first: the double tap to a foundation added 24 to each
// Klondike set. A blob short of the newest groups is an earlier build's.
constexpr size_t kLaterCounters[] = {24};

// Whether the rest of the blob, from just after t, holds k counters that fit
// their rules and then m history records as the size says: 4t + 4k + 9 + 16m
// bytes, m stored just before the records.
bool HoldsCounters(const base::ByteReader& r, size_t t, size_t k, const std::vector<SolCounterDef>& defs) {
  const size_t rest = r.remaining(), head = 4 * t + 4 * k + 9;
  const uint8_t* at = r.data() + r.position();
  if (rest < head || rest - head != 16ull * base::loadLE32(at + head - 4)) return false;
  for (size_t i = 0; i < k; ++i) {
    if (!CounterFits(at + 4 * t + 4 * i, defs[i])) return false;
  }
  return true;
}

// How many counters the blob holds: the rule set's n, or fewer when an
// earlier build saved it. n + 1 when no layout fits.
size_t StoredCounters(const base::ByteReader& r, size_t t, const std::vector<SolCounterDef>& defs) {
  size_t k = defs.size();
  if (HoldsCounters(r, t, k, defs)) return k;
  for (size_t later : kLaterCounters) {
    if (later > k) break;
    k -= later;
    if (HoldsCounters(r, t, k, defs)) return k;
  }
  return defs.size() + 1;
}

}  // namespace

std::vector<uint8_t> SolRuleSet::EncodeGame(uint32_t gameNumber, uint32_t elapsed) const {
  if (!HasGame()) return {};
  base::ByteWriter w;
  WriteIo io(w);
  w.writeLE16(static_cast<uint16_t>(Variant()));
  w.writeLE32(gameNumber);
  for (SolCardState s : m_cards) CardFields(io, s);
  for (SolPileState s : m_piles) PileFields(io, s);
  w.writeLE16(static_cast<uint16_t>(m_moveTable.size()));
  for (const SolMoveRule& r : m_moveTable) {
    w.writeLE16(r.from);
    w.writeLE16(r.to);
  }
  for (const SolCounter& c : m_counters) {
    w.writeLE16(static_cast<uint16_t>(c.value));
    w.writeLE16(c.followUp);
  }
  w.writeLE32(elapsed);
  w.writeU8(m_finished);
  w.writeLE32(static_cast<uint32_t>(m_history->Count()));
  for (size_t i = 0; i < m_history->Count(); ++i) {
    SolMoveRecord r = m_history->Records()[i];
    RecordFields(io, r);
  }
  return w.take();
}

bool SolRuleSet::DecodeGame(const uint8_t* blob, size_t size, uint32_t& gameNumber, uint32_t* elapsed) {
  ResetGame();
  if (!Loaded() || !blob) return false;
  const size_t c = CardCount(), p = PileCount(), n = m_rules.counters.size();
  base::ByteReader r(blob, size);
  ReadIo io(r);
  const uint16_t variant = r.readLE16();
  const uint32_t number = r.readLE32();
  if (r.failed() || static_cast<int16_t>(variant) != Variant()) return false;
  AllocateGame();
  auto fail = [this] {
    ResetGame();
    return false;
  };
  for (SolCardState& s : m_cards) {
    if (!CardFields(io, s)) return fail();
  }
  for (SolPileState& s : m_piles) {
    if (!PileFields(io, s)) return fail();
  }
  const uint16_t t = r.readLE16();
  if (r.failed()) return fail();
  // The whole size must be exactly what the counts imply.
  const size_t stored = StoredCounters(r, t, m_rules.counters);
  if (stored > n) return fail();
  m_moveTable.resize(t);
  for (SolMoveRule& m : m_moveTable) {
    m.from = r.readLE16();
    m.to = r.readLE16();
  }
  m_counters.resize(stored);
  for (SolCounter& k : m_counters) {
    k.value = static_cast<int16_t>(r.readLE16());
    k.followUp = r.readLE16();
  }
  const uint32_t seconds = r.readLE32();
  m_finished = r.readU8();
  const uint32_t records = r.readLE32();
  if (r.failed() || r.remaining() / 16 != records || r.remaining() % 16 != 0 ||
      size != kFixedBytes + 8 * c + 32 * p + 4u * t + 4 * stored + 16ull * records) {
    return fail();
  }
  std::vector<SolMoveRecord> history(records);
  for (SolMoveRecord& rec : history) RecordFields(io, rec);

  // Card states must form a permutation of the places of the piles.
  std::vector<int> seen(p, 0);
  std::vector<std::vector<uint8_t>> taken(p);
  for (size_t i = 0; i < p; ++i) {
    const SolPileState& s = m_piles[i];
    if (s.count < 0 || static_cast<size_t>(s.count) > c || s.dropExpr >= m_rules.expressions.size() ||
        s.pickExpr >= m_rules.expressions.size()) {
      return fail();
    }
    taken[i].assign(static_cast<size_t>(s.count), 0);
  }
  for (const SolCardState& s : m_cards) {
    if (s.pile >= p || s.position < 0 || s.position >= m_piles[s.pile].count || taken[s.pile][static_cast<size_t>(s.position)]) {
      return fail();
    }
    taken[s.pile][static_cast<size_t>(s.position)] = 1;
    ++seen[s.pile];
  }
  for (size_t i = 0; i < p; ++i) {
    if (seen[i] != m_piles[i].count) return fail();
  }
  for (const SolMoveRule& m : m_moveTable) {
    if ((m.from != kSolAnyPile && m.from >= p) || (m.to != kSolAnyPile && m.to >= p)) return fail();
  }
  if (m_finished > 1) return fail();
  for (const SolMoveRecord& rec : history) {
    bool ok = false;
    switch (rec.kind) {
      case kSolRecMove:
        ok = rec.number < p && rec.toPile >= 0 && static_cast<size_t>(rec.toPile) < p;
        break;
      case kSolRecAction:
        ok = rec.number < m_rules.actions.size();
        break;
      case kSolRecAccept:
        ok = rec.number < c;
        break;
      case kSolRecCounter:
        ok = rec.number < stored;
        break;
      default:
        break;
    }
    if (!ok) return fail();
  }
  for (const SolMoveRecord& rec : history) m_history->Append(rec);
  gameNumber = number;
  if (elapsed) *elapsed = seconds;
  Invalidate();
  if (stored < n) OpenCounters(stored);
  return true;
}

void SolRuleSet::SaveGame(const WCHAR* gameName, uint32_t gameNumber, uint32_t elapsed) const {
  if (!HasGame()) return;
  const CeString path = SolRegistryPath(gameName, SolRegKind::GameState, Name().c_str());
  SolRegKey key;
  if (!key.Create(path.GetString(), nullptr)) return;
  const std::vector<uint8_t> blob = EncodeGame(gameNumber, elapsed);
  const DWORD size = static_cast<DWORD>(blob.size());
  const uint8_t failed = 0;
  key.Set(u"size", kSolRegDword, &size, sizeof size);
  key.Set(u"data", kSolRegBinary, blob.data(), size);
  key.Set(u"failed", kSolRegBinary, &failed, 1);
}

bool SolRuleSet::LoadGame(const WCHAR* gameName, uint32_t& gameNumber, bool* refused, uint32_t* elapsed) {
  ResetGame();
  if (refused) *refused = false;
  const CeString path = SolRegistryPath(gameName, SolRegKind::GameState, Name().c_str());
  SolRegKey key;
  if (!key.Open(path.GetString())) return false;
  auto discard = [&] {
    if (refused) *refused = true;
    key.Close();
    SolRegKey::Delete(path.GetString());
    return false;
  };
  uint8_t failed = 0;
  DWORD size = 1;
  if (key.Query(u"failed", nullptr, &failed, &size) && size == 1 && failed == 1) return discard();
  // The guard is on disk before the blob is parsed: a crash while the game
  // is read and shown makes the next start throw it away.
  failed = 1;
  key.Set(u"failed", kSolRegBinary, &failed, 1);
  DWORD stored = 0;
  size = sizeof stored;
  if (!key.Query(u"size", nullptr, &stored, &size) || size != sizeof stored || stored > kBlobMax) return discard();
  std::vector<uint8_t> blob(stored);
  size = stored;
  if (!key.Query(u"data", nullptr, blob.data(), &size) || size != stored) return discard();
  if (!DecodeGame(blob.data(), blob.size(), gameNumber, elapsed)) return discard();
  return true;
}

void SolRuleSet::ConfirmRestored(const WCHAR* gameName) const {
  SolRegKey key;
  if (!key.Open(SolRegistryPath(gameName, SolRegKind::GameState, Name().c_str()).GetString())) return;
  const uint8_t failed = 0;
  key.Set(u"failed", kSolRegBinary, &failed, 1);
}
