#include "sol_rules.h"

#include <algorithm>
#include <map>
#include <span>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace {

// The record's reader: little-endian fields, byte runs and NUL-terminated
// texts, each checked against the bytes left.
class Reader {
 public:
  Reader(const uint8_t* bytes, size_t size) : m_r(bytes, size) {}

  template <class T>
  bool Field(T& v) {
    return m_r.readLE(v);
  }
  bool Bytes(size_t n, std::vector<uint8_t>& out) {
    const std::span<const uint8_t> bytes = m_r.viewBytes(n);
    if (m_r.failed()) return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
  }
  // A NUL-terminated string of at most `limit` characters before the NUL.
  bool Text(std::string& out, size_t limit) {
    const std::span<const uint8_t> rest = m_r.rest();
    const auto nul = std::find(rest.begin(), rest.end(), uint8_t{0});
    const auto len = static_cast<size_t>(nul - rest.begin());
    if (nul == rest.end() || len > limit) return false;
    out.assign(rest.begin(), nul);
    return m_r.skip(len + 1);
  }
  size_t Remaining() const { return m_r.remaining(); }
  size_t Pos() const { return m_r.position(); }

 private:
  base::ByteReader m_r;
};

// The record's writer; Field takes a reference so that one field list serves
// both directions.
class Writer {
 public:
  template <class T>
  bool Field(T& v) {
    return m_w.writeLE(v);
  }
  void Text(const std::string& s) {
    m_w.writeBytes(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    m_w.writeU8(0);
  }
  void Bytes(const std::vector<uint8_t>& b) { m_w.writeBytes(b); }
  SolBytes Take() { return m_w.take(); }

 private:
  base::ByteWriter m_w;
};

// One description of each record type drives reading and writing alike.
template <class Io>
bool Fields(Io& io, SolCardDef& r) {
  return io.Field(r.kind) && io.Field(r.suit) && io.Field(r.rank);
}
template <class Io>
bool Fields(Io& io, SolPileDef& r) {
  return io.Field(r.kind) && io.Field(r.x) && io.Field(r.y) && io.Field(r.xMode) && io.Field(r.yMode) && io.Field(r.fan) &&
         io.Field(r.baseKind) && io.Field(r.faceUp) && io.Field(r.active) && io.Field(r.dealCount) &&
         io.Field(r.pickExpr) && io.Field(r.dropExpr) && io.Field(r.tapEvent) && io.Field(r.reserved) &&
         io.Field(r.emptyTapEvent) && io.Field(r.dropEvent) && io.Field(r.fixedAccept) && io.Field(r.enabled) &&
         io.Field(r.orderKey) && io.Field(r.fanLimitMode) && io.Field(r.fanLimit) && io.Field(r.marker1) &&
         io.Field(r.marker2);
}
template <class Io>
bool Fields(Io& io, SolAction& r) {
  return io.Field(r.kind) && io.Field(r.rangeMode) && io.Field(r.pile) && io.Field(r.start) && io.Field(r.count) &&
         io.Field(r.target) && io.Field(r.targetMode) && io.Field(r.selector) && io.Field(r.targetPos) &&
         io.Field(r.value);
}
template <class Io>
bool Fields(Io& io, SolMoveRule& r) {
  return io.Field(r.from) && io.Field(r.to);
}
template <class Io>
bool Fields(Io& io, SolDealSwap& r) {
  return io.Field(r.pile) && io.Field(r.card) && io.Field(r.position);
}
template <class Io>
bool Fields(Io& io, SolDealPlace& r) {
  return io.Field(r.pile) && io.Field(r.position);
}
template <class Io>
bool Fields(Io& io, uint8_t& r) {
  return io.Field(r);
}
template <class Io>
bool Fields(Io& io, SolEventAction& r) {
  return io.Field(r.event) && io.Field(r.action);
}
template <class Io>
bool Fields(Io& io, SolCondition& r) {
  return io.Field(r.expr) && io.Field(r.pileA) && io.Field(r.pileB);
}
template <class Io>
bool Fields(Io& io, SolEventCondition& r) {
  return io.Field(r.event) && io.Field(r.condition);
}
template <class Io>
bool Fields(Io& io, SolCounterDef& r) {
  return io.Field(r.initial) && io.Field(r.followUp);
}
template <class Io>
bool Fields(Io& io, SolEventLimit& r) {
  return io.Field(r.event) && io.Field(r.counter);
}

template <class T>
bool ReadTable(Reader& r, uint16_t count, std::vector<T>& out) {
  // Every record takes at least one byte: a count past the bytes left fails
  // before it sizes the table.
  if (count > r.Remaining()) return false;
  out.assign(count, T{});
  for (T& item : out) {
    if (!Fields(r, item)) return false;
  }
  return true;
}

template <class T>
void WriteTable(Writer& w, const std::vector<T>& table) {
  for (T item : table) Fields(w, item);
}

// The tables in record order, with the header word that counts each one.
template <class Visit>
bool ForEachTable(SolRuleData& d, Visit&& visit) {
  return visit(d.cards, 6) && visit(d.piles, 7) && visit(d.actions, 8) && visit(d.moveTable, 9) &&
         visit(d.swaps, 10) && visit(d.flips, 11) && visit(d.locks, 12) && visit(d.marks, 13) &&
         visit(d.eventKinds, 14) && visit(d.eventActions, 15) && visit(d.expressions, 16) &&
         visit(d.conditions, 17) && visit(d.eventConditions, 18) && visit(d.counters, 19) &&
         visit(d.limits, 20);
}

bool ReadExpressions(Reader& r, uint16_t count, std::vector<SolBytes>& out) {
  if (2u * count > r.Remaining()) return false;  // each starts with its 16-bit length
  out.assign(count, SolBytes{});
  for (SolBytes& code : out) {
    uint16_t n = 0;
    if (!r.Field(n) || !r.Bytes(n, code)) return false;
  }
  return true;
}

std::string Describe(const char* what, size_t index, const char* fault) {
  return std::string(what) + " " + std::to_string(index) + ": " + fault;
}

// Index checks of every table against the tables it refers to.
class Validator {
 public:
  Validator(const SolRuleData& d, std::string& error) : m_d(d), m_error(error) {}

  bool Run() {
    return Header() && Piles() && Actions() && DealTables() && Events() && Expressions() && Deal();
  }

 private:
  bool Fail(std::string text) {
    m_error = std::move(text);
    return false;
  }
  size_t Cards() const { return m_d.cards.size(); }
  size_t PileCount() const { return m_d.piles.size(); }
  bool Pile(uint16_t p) const { return p < PileCount(); }
  bool PileOrAny(uint16_t p) const { return p == kSolAnyPile || Pile(p); }
  bool Event(uint16_t e) const { return e < m_d.eventKinds.size(); }
  bool Expr(uint16_t x) const { return x < m_d.expressions.size(); }
  // An event field where 0 means "none" even when the set has no events.
  bool EventOrNone(uint16_t e) const { return e == 0 || Event(e); }

  bool Header() {
    if (m_d.name.empty() || m_d.name.size() > kSolNameMax) return Fail("the name must have 1 to 31 characters");
    if (m_d.cards.empty() || m_d.piles.empty()) return Fail("a set needs cards and piles");
    for (size_t i = 0; i < m_d.cards.size(); ++i) {
      const SolCardDef& c = m_d.cards[i];
      if (c.suit < 1 || c.suit > 4 || c.rank < 1 || c.rank > 13) return Fail(Describe("card", i, "suit or rank out of range"));
    }
    return true;
  }

  bool Piles() {
    for (size_t i = 0; i < PileCount(); ++i) {
      const SolPileDef& p = m_d.piles[i];
      if (!Expr(p.pickExpr) || !Expr(p.dropExpr)) return Fail(Describe("pile", i, "pick or drop expression out of range"));
      if (!EventOrNone(p.tapEvent) || !EventOrNone(p.emptyTapEvent) || !EventOrNone(p.dropEvent)) {
        return Fail(Describe("pile", i, "event out of range"));
      }
    }
    return true;
  }

  bool Actions() {
    for (size_t i = 0; i < m_d.actions.size(); ++i) {
      const SolAction& a = m_d.actions[i];
      switch (a.kind) {
        case kSolActMove:
          if (!Pile(a.pile) || !Pile(a.target)) return Fail(Describe("action", i, "pile out of range"));
          break;
        case kSolActPileField:
          if (!Pile(a.pile)) return Fail(Describe("action", i, "pile out of range"));
          if ((a.selector == kSolFieldDropExpr || a.selector == kSolFieldPickExpr) && !Expr(a.value)) {
            return Fail(Describe("action", i, "expression out of range"));
          }
          break;
        case kSolActCardFlag:
          if (!Pile(a.pile)) return Fail(Describe("action", i, "pile out of range"));
          break;
        case kSolActForbid:
        case kSolActAllow:
          if (!PileOrAny(a.pile) || !PileOrAny(a.target)) return Fail(Describe("action", i, "pile out of range"));
          break;
        case kSolActWin:
          break;
        case kSolActResetCounter:
          if (a.pile >= m_d.counters.size()) return Fail(Describe("action", i, "counter out of range"));
          break;
        default:
          return Fail(Describe("action", i, "unknown kind"));
      }
    }
    return true;
  }

  bool DealTables() {
    for (const SolMoveRule& m : m_d.moveTable) {
      if (!PileOrAny(m.from) || !PileOrAny(m.to)) return Fail("move table: pile out of range");
    }
    for (const SolDealSwap& s : m_d.swaps) {
      if (!Pile(s.pile) || s.card >= Cards()) return Fail("deal swap: pile or card out of range");
    }
    for (const auto* table : {&m_d.flips, &m_d.locks, &m_d.marks}) {
      for (const SolDealPlace& p : *table) {
        if (!Pile(p.pile)) return Fail("deal flip, lock or mark: pile out of range");
      }
    }
    return true;
  }

  bool Events() {
    for (size_t i = 0; i < m_d.eventKinds.size(); ++i) {
      if (m_d.eventKinds[i] > kSolEventOpening) return Fail(Describe("event", i, "unknown kind"));
    }
    for (const SolEventAction& l : m_d.eventActions) {
      if (!Event(l.event) || l.action >= m_d.actions.size()) return Fail("event action: index out of range");
    }
    for (size_t i = 0; i < m_d.conditions.size(); ++i) {
      const SolCondition& c = m_d.conditions[i];
      if (!Expr(c.expr) || !Pile(c.pileA) || !PileOrAny(c.pileB)) {
        return Fail(Describe("condition", i, "index out of range"));
      }
    }
    for (const SolEventCondition& l : m_d.eventConditions) {
      if (!Event(l.event) || l.condition >= m_d.conditions.size()) return Fail("event condition: index out of range");
    }
    for (const SolCounterDef& c : m_d.counters) {
      if (!EventOrNone(c.followUp)) return Fail("counter: follow-up event out of range");
    }
    for (const SolEventLimit& l : m_d.limits) {
      if (!Event(l.event) || l.counter >= m_d.counters.size()) return Fail("event limit: index out of range");
    }
    return true;
  }

  bool Expressions() {
    for (size_t i = 0; i < m_d.expressions.size(); ++i) {
      const SolBytes& code = m_d.expressions[i];
      std::string why;
      if (!SolCheckExpression(code.data(), code.size(), why)) return Fail(Describe("expression", i, why.c_str()));
      if (SolExpressionDepthBound(code.data(), code.size(), static_cast<int>(Cards())) > kSolStackMax) {
        return Fail(Describe("expression", i, "stack depth not bounded by 500"));
      }
    }
    return true;
  }

  // The deal counts add up to the card count, with enough cards of each kind.
  bool Deal() {
    std::map<int, long> need;
    std::map<int, long> have;
    long total = 0;
    for (const SolPileDef& p : m_d.piles) {
      need[p.kind] += p.dealCount;
      total += p.dealCount;
    }
    for (const SolCardDef& c : m_d.cards) ++have[c.kind];
    if (total != static_cast<long>(Cards())) return Fail("deal counts do not add up to the card count");
    for (const auto& [kind, n] : need) {
      if (n > have[kind]) return Fail("not enough cards of kind " + std::to_string(kind) + " for the deal");
    }
    return true;
  }

  const SolRuleData& m_d;
  std::string& m_error;
};

// Stack-depth bound over the structured code: an upper bound of the depth
// reached, with every loop that grows the stack run once per card-list entry
// (plus the terminator).
class DepthWalk {
 public:
  DepthWalk(const uint8_t* code, size_t size, int maxCards) : m_code(code), m_size(size), m_iterations(maxCards + 1) {}

  int Run() {
    int peak = 0;
    int depth = 0;
    if (!Block(depth, peak, 0, false) || m_pos != m_size) return -1;
    return peak;
  }

 private:
  static int Effect(uint8_t op) {
    switch (op) {
      case kOpPush:
      case kOpSuit:
      case kOpRank:
      case kOpDup:
        return 1;
      case kOpAdd:
      case kOpSub:
      case kOpMul:
      case kOpDiv:
      case kOpDrop:
      case kOpIf:
      case kOpSavePair:
      case kOpSaveRun:
        return -1;
      case kOpRestore:
        return kSolSlotMax - 1;
      default:
        return 0;
    }
  }

  // Walks until the end or a closing opcode of the enclosing construct; the
  // closing opcode is left for the caller. `depth` is the bound on entry and
  // on exit, `peak` the highest bound seen.
  bool Block(int& depth, int& peak, int loops, bool inIf) {
    while (m_pos < m_size) {
      const uint8_t op = m_code[m_pos];
      if (op == kOpEndIf || op == kOpElse) return inIf;
      if (op == kOpLoopEnd) return loops > 0;
      if (op == kOpBreak && loops == 0) return false;
      m_pos += op == kOpPush ? 3 : 1;
      if (op == kOpIf) {
        if (!IfBlock(depth, peak, loops)) return false;
      } else if (op == kOpLoop) {
        if (!LoopBlock(depth, peak, loops)) return false;
      } else {
        depth = std::max(0, depth + Effect(op));
        peak = std::max(peak, depth);
      }
    }
    return true;
  }

  bool IfBlock(int& depth, int& peak, int loops) {
    depth = std::max(0, depth - 1);
    int thenDepth = depth;
    if (!Block(thenDepth, peak, loops, true) || m_pos >= m_size) return false;
    int elseDepth = depth;
    if (m_code[m_pos] == kOpElse) {
      ++m_pos;
      if (!Block(elseDepth, peak, loops, true) || m_pos >= m_size) return false;
    }
    if (m_code[m_pos] != kOpEndIf) return false;
    ++m_pos;
    depth = std::max(thenDepth, elseDepth);
    return true;
  }

  bool LoopBlock(int& depth, int& peak, int loops) {
    int bodyDepth = depth;
    int bodyPeak = depth;
    if (!Block(bodyDepth, bodyPeak, loops + 1, false) || m_pos >= m_size || m_code[m_pos] != kOpLoopEnd) return false;
    ++m_pos;
    const long growth = std::max(0, bodyDepth - depth);
    const long loopPeak = bodyPeak + growth * m_iterations;
    const int bounded = static_cast<int>(std::min<long>(loopPeak, 1 << 20));
    peak = std::max(peak, bounded);
    depth = bounded;  // a BREAK may leave from the highest point
    return true;
  }

  const uint8_t* m_code;
  size_t m_size;
  int m_iterations;
  size_t m_pos = 0;
};

}  // namespace

bool SolCheckExpression(const uint8_t* code, size_t size, std::string& error) {
  for (size_t p = 0; p < size;) {
    const uint8_t op = code[p];
    if (op == kOpEnd || op > kOpLast) {
      error = "opcode " + std::to_string(op) + " at byte " + std::to_string(p);
      return false;
    }
    if (op == kOpPush) {
      if (p + 2 >= size || code[p + 2] != kOpPush) {
        error = "incomplete PUSH at byte " + std::to_string(p);
        return false;
      }
      p += 3;
    } else {
      ++p;
    }
  }
  if (SolExpressionDepthBound(code, size, 0) < 0) {
    error = "unbalanced IF/ELSE/ENDIF or LOOP/LOOP-END, or BREAK outside a loop";
    return false;
  }
  return true;
}

int SolExpressionDepthBound(const uint8_t* code, size_t size, int maxCards) {
  return DepthWalk(code, size, maxCards).Run();
}

bool SolValidateRuleData(const SolRuleData& data, std::string& error) {
  return Validator(data, error).Run();
}

bool SolReadRuleData(const uint8_t* bytes, size_t size, SolRuleData& out, std::string& error, size_t* consumed) {
  out = SolRuleData{};
  if (!bytes) {
    error = "no rule-set data";
    return false;
  }
  Reader r(bytes, size);
  for (uint16_t& w : out.header) {
    if (!r.Field(w)) {
      error = "record shorter than its header";
      return false;
    }
  }
  if (!r.Text(out.name, kSolNameMax)) {
    error = "name not terminated within 32 bytes";
    return false;
  }
  if (!r.Bytes(out.header[kSolParamCount], out.params)) {
    error = "parameter bytes past the end";
    return false;
  }
  if (!r.Text(out.rulesText, r.Remaining())) {
    error = "rules text not terminated";
    return false;
  }
  const bool tables = ForEachTable(out, [&](auto& table, int word) {
    using T = typename std::decay_t<decltype(table)>::value_type;
    if constexpr (std::is_same_v<T, SolBytes>) {
      return ReadExpressions(r, out.header[word], table);
    } else {
      return ReadTable(r, out.header[word], table);
    }
  });
  if (!tables) {
    error = "tables run past the end of the record";
    return false;
  }
  if (consumed) *consumed = r.Pos();
  return SolValidateRuleData(out, error);
}

SolBytes SolWriteRuleData(const SolRuleData& data) {
  SolRuleData d = data;
  d.header[kSolParamCount] = static_cast<uint16_t>(d.params.size());
  ForEachTable(d, [&](auto& table, int word) {
    d.header[word] = static_cast<uint16_t>(table.size());
    return true;
  });
  Writer w;
  for (uint16_t word : d.header) w.Field(word);
  w.Text(d.name);
  w.Bytes(d.params);
  w.Text(d.rulesText);
  ForEachTable(d, [&](auto& table, int) {
    using T = typename std::decay_t<decltype(table)>::value_type;
    if constexpr (std::is_same_v<T, SolBytes>) {
      for (const SolBytes& code : table) {
        uint16_t n = static_cast<uint16_t>(code.size());
        w.Field(n);
        w.Bytes(code);
      }
    } else {
      WriteTable(w, table);
    }
    return true;
  });
  return w.Take();
}
