// The saved game: the live game as one blob, and its checked reader.
#include <cstring>

#include "sol_options.h"
#include "sol_platform.h"
#include "sol_ruleset.h"

namespace {

// Fixed part of the blob: variant, game number, t, reserved, finished, m.
constexpr size_t kFixedBytes = 17;
// Larger than any real game (104 cards, 19 piles and a long history).
constexpr DWORD kBlobMax = 16u << 20;

class BlobWriter {
 public:
  explicit BlobWriter(std::vector<uint8_t>& out) : m_out(out) {}
  void Put(uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) m_out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }

 private:
  std::vector<uint8_t>& m_out;
};

class BlobReader {
 public:
  BlobReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Get(uint32_t& v, int bytes) {
    if (static_cast<size_t>(bytes) > m_size - m_pos) return false;
    v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(m_data[m_pos + static_cast<size_t>(i)]) << (8 * i);
    m_pos += static_cast<size_t>(bytes);
    return true;
  }
  template <class T>
  bool Get(T& field) {
    uint32_t v;
    if (!Get(v, sizeof(T))) return false;
    field = static_cast<T>(v);
    return true;
  }
  bool Skip(size_t n) {
    if (n > m_size - m_pos) return false;
    m_pos += n;
    return true;
  }
  size_t Remaining() const { return m_size - m_pos; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
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

// Adapts the writer to the field lists.
class WriteIo {
 public:
  explicit WriteIo(BlobWriter& w) : m_w(w) {}
  template <class T>
  bool Get(T& field) {
    m_w.Put(static_cast<uint32_t>(field), sizeof(T));
    return true;
  }

 private:
  BlobWriter& m_w;
};

}  // namespace

std::vector<uint8_t> SolRuleSet::EncodeGame(uint32_t gameNumber) const {
  std::vector<uint8_t> out;
  if (!HasGame()) return out;
  BlobWriter w(out);
  WriteIo io(w);
  w.Put(static_cast<uint16_t>(Variant()), 2);
  w.Put(gameNumber, 4);
  for (SolCardState s : m_cards) CardFields(io, s);
  for (SolPileState s : m_piles) PileFields(io, s);
  w.Put(static_cast<uint32_t>(m_moveTable.size()), 2);
  for (const SolMoveRule& r : m_moveTable) {
    w.Put(r.from, 2);
    w.Put(r.to, 2);
  }
  for (const SolCounter& c : m_counters) {
    w.Put(static_cast<uint16_t>(c.value), 2);
    w.Put(c.followUp, 2);
  }
  w.Put(0, 4);  // reserved
  w.Put(m_finished, 1);
  w.Put(static_cast<uint32_t>(m_history->Count()), 4);
  for (size_t i = 0; i < m_history->Count(); ++i) {
    SolMoveRecord r = m_history->Records()[i];
    RecordFields(io, r);
  }
  return out;
}

bool SolRuleSet::DecodeGame(const uint8_t* blob, size_t size, uint32_t& gameNumber) {
  ResetGame();
  if (!Loaded() || !blob) return false;
  const size_t c = CardCount(), p = PileCount(), n = m_rules.counters.size();
  BlobReader r(blob, size);
  uint16_t variant;
  uint32_t number;
  if (!r.Get(variant) || static_cast<int16_t>(variant) != Variant() || !r.Get(number)) return false;
  AllocateGame();
  auto fail = [this] {
    ResetGame();
    return false;
  };
  for (SolCardState& s : m_cards) {
    if (!CardFields(r, s)) return fail();
  }
  for (SolPileState& s : m_piles) {
    if (!PileFields(r, s)) return fail();
  }
  uint16_t t;
  if (!r.Get(t)) return fail();
  // The whole size must be exactly what the counts imply.
  if (r.Remaining() < 4u * t + 4u * n + 9u) return fail();
  m_moveTable.resize(t);
  for (SolMoveRule& m : m_moveTable) {
    r.Get(m.from);
    r.Get(m.to);
  }
  m_counters.resize(n);
  for (SolCounter& k : m_counters) {
    r.Get(k.value);
    r.Get(k.followUp);
  }
  uint32_t records = 0;
  if (!r.Skip(4) || !r.Get(m_finished) || !r.Get(records) || r.Remaining() / 16 != records || r.Remaining() % 16 != 0 ||
      size != kFixedBytes + 8 * c + 32 * p + 4u * t + 4 * n + 16ull * records) {
    return fail();
  }
  std::vector<SolMoveRecord> history(records);
  for (SolMoveRecord& rec : history) RecordFields(r, rec);

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
  for (const SolCounter& k : m_counters) {
    if (k.followUp >= m_rules.eventKinds.size() && k.followUp != 0) return fail();
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
        ok = rec.number < n;
        break;
      default:
        break;
    }
    if (!ok) return fail();
  }
  for (const SolMoveRecord& rec : history) m_history->Append(rec);
  gameNumber = number;
  Invalidate();
  return true;
}

void SolRuleSet::SaveGame(const WCHAR* gameName, uint32_t gameNumber) const {
  if (!HasGame()) return;
  const CeString path = SolRegistryPath(gameName, SolRegKind::GameState, Name().c_str());
  SolRegKey key;
  if (!key.Create(path.GetString(), nullptr)) return;
  const std::vector<uint8_t> blob = EncodeGame(gameNumber);
  const DWORD size = static_cast<DWORD>(blob.size());
  const uint8_t failed = 0;
  key.Set(u"size", kSolRegDword, &size, sizeof size);
  key.Set(u"data", kSolRegBinary, blob.data(), size);
  key.Set(u"failed", kSolRegBinary, &failed, 1);
}

bool SolRuleSet::LoadGame(const WCHAR* gameName, uint32_t& gameNumber) {
  ResetGame();
  const CeString path = SolRegistryPath(gameName, SolRegKind::GameState, Name().c_str());
  SolRegKey key;
  if (!key.Open(path.GetString())) return false;
  auto discard = [&] {
    key.Close();
    SolRegKey::Delete(path.GetString());
    return false;
  };
  uint8_t failed = 0;
  DWORD size = 1;
  if (key.Query(u"failed", nullptr, &failed, &size) && size == 1 && failed == 1) return discard();
  // The guard is on disk before the blob is parsed: a crash while loading or
  // playing this game makes the next start throw it away.
  failed = 1;
  key.Set(u"failed", kSolRegBinary, &failed, 1);
  DWORD stored = 0;
  size = sizeof stored;
  if (!key.Query(u"size", nullptr, &stored, &size) || size != sizeof stored || stored > kBlobMax) return discard();
  std::vector<uint8_t> blob(stored);
  size = stored;
  if (!key.Query(u"data", nullptr, blob.data(), &size) || size != stored) return discard();
  if (!DecodeGame(blob.data(), blob.size(), gameNumber)) return discard();
  return true;
}
