#include "soldb_asm.h"

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

struct Line {
  int number;
  std::string text;
};

struct Statement {
  int line;
  std::vector<std::string> head;
  std::vector<Line> body;  // indented continuation lines
  std::string raw;         // the rules text block
};

struct AsmError : std::runtime_error {
  AsmError(int line, const std::string& what) : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

const char* const kMnemonics[] = {"END",  "PUSH",  "ALT",   "MARK",     "LOOP",     "ENDLOOP", "ADD",  "SUB",
                                  "MUL",  "DIV",   "ABS",   "DUP",      "ODD",      "DROP",    "SINK", "RAISE",
                                  "SWAP", "SAVEPAIR", "SAVERUN", "BREAK", "ENDIF",  "ELSE",    "IF",   "NEXT",
                                  "RESTORE", "RANK", "REWIND", "GOTONEXT", "SUIT",   "OTHER"};
static_assert(sizeof(kMnemonics) / sizeof(kMnemonics[0]) == kOpLast + 1);

const std::map<std::string, int> kEventKinds = {{"auto", 0}, {"repeat", 1}, {"tap", 2}, {"opening", 3}};
const std::map<std::string, int> kActionKinds = {{"move", 0},   {"field", 1}, {"flag", 2}, {"forbid", 3},
                                                 {"allow", 4},  {"win", 5},   {"reset", 6}};
const std::map<std::string, int> kRangeModes = {{"span", 0}, {"top", 1}, {"at", 2}};
const std::map<std::string, int> kTargetModes = {{"same", 0}, {"top", 1}, {"pos", 2}};
const std::map<std::string, int> kFields = {{"active", 6},  {"enabled", 8}, {"reverse", 9}, {"drop", 10},
                                            {"marker", 11}, {"shuffle", 12}, {"pick", 13}};
const std::map<std::string, int> kFlags = {{"faceup", 0}, {"pick", 1}, {"accept", 7}};
const std::map<std::string, int> kFans = {{"none", 0}, {"left", 1}, {"right", 2}, {"up", 3}, {"down", 4}};

std::vector<std::string> Tokens(const std::string& text, int line) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (text[i] == '"') {
      const size_t end = text.find('"', i + 1);
      if (end == std::string::npos) throw AsmError(line, "unterminated string");
      out.push_back(text.substr(i, end - i + 1));
      i = end + 1;
    } else {
      size_t end = i;
      while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
      out.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

std::string StripComment(const std::string& s) {
  bool quoted = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '"') quoted = !quoted;
    if (s[i] == '#' && !quoted) return s.substr(0, i);
  }
  return s;
}

bool Blank(const std::string& s) {
  for (char c : s) {
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool ParseNumber(const std::string& s, long& v) {
  if (s.empty()) return false;
  try {
    size_t used = 0;
    v = std::stol(s, &used, 0);
    return used == s.size();
  } catch (const std::exception&) {
    return false;
  }
}

// Replaces {var}, {var+n} and {var-n} by numbers.
std::string Substitute(const std::string& text, const std::string& var, long value, int line) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t open = text.find('{', i);
    if (open == std::string::npos) break;
    const size_t close = text.find('}', open);
    if (close == std::string::npos) throw AsmError(line, "unterminated {");
    const std::string inner = text.substr(open + 1, close - open - 1);
    out += text.substr(i, open - i);
    const std::string rest = inner.compare(0, var.size(), var) == 0 ? inner.substr(var.size()) : "x";
    if (rest.empty() || rest[0] == '+' || rest[0] == '-') {
      long offset = 0;
      if (!rest.empty() && !ParseNumber(rest, offset)) throw AsmError(line, "bad substitution {" + inner + "}");
      out += std::to_string(value + offset);
    } else {
      out += text.substr(open, close - open + 1);
    }
    i = close + 1;
  }
  return out + text.substr(i);
}

// Expands repeat blocks (which may nest) and the values set by let.
std::vector<Line> ExpandRepeats(const std::vector<Line>& lines, size_t& at, bool nested,
                                std::map<std::string, long>& values) {
  std::vector<Line> out;
  while (at < lines.size()) {
    Line l = lines[at++];
    for (const auto& [var, value] : values) l.text = Substitute(l.text, var, value, l.number);
    const std::vector<std::string> t = Tokens(l.text, l.number);
    if (!t.empty() && t[0] == "let" && !std::isspace(static_cast<unsigned char>(l.text[0]))) {
      long v;
      if (t.size() != 3 || !ParseNumber(t[2], v)) throw AsmError(l.number, "let NAME NUMBER");
      values[t[1]] = v;
      continue;
    }
    if (!t.empty() && t[0] == "end" && !std::isspace(static_cast<unsigned char>(l.text[0]))) {
      if (!nested) throw AsmError(l.number, "end without repeat");
      return out;
    }
    if (!t.empty() && t[0] == "repeat" && !std::isspace(static_cast<unsigned char>(l.text[0]))) {
      long from, to;
      if (t.size() != 4 || !ParseNumber(t[2], from) || !ParseNumber(t[3], to)) throw AsmError(l.number, "repeat VAR FROM TO");
      const std::vector<Line> body = ExpandRepeats(lines, at, true, values);
      for (long v = from; v <= to; ++v) {
        for (const Line& b : body) out.push_back({b.number, Substitute(b.text, t[1], v, b.number)});
      }
      continue;
    }
    out.push_back(l);
  }
  if (nested) throw AsmError(lines.empty() ? 0 : lines.back().number, "repeat without end");
  return out;
}

std::vector<Statement> Parse(const std::string& text) {
  std::vector<Line> lines;
  std::vector<Statement> statements;
  std::istringstream in(text);
  std::string s;
  int number = 0;
  while (std::getline(in, s)) {
    ++number;
    if (s.rfind("rules <<", 0) == 0) {
      Statement st{number, {"rules"}, {}, {}};
      const int start = number;
      bool first = true;
      for (;;) {
        if (!std::getline(in, s)) throw AsmError(start, "rules text without >>");
        ++number;
        if (s == ">>") break;
        if (!first) st.raw += '\n';
        st.raw += s;
        first = false;
      }
      statements.push_back(std::move(st));
      continue;
    }
    s = StripComment(s);
    if (!Blank(s)) lines.push_back({number, s});
  }
  size_t at = 0;
  std::map<std::string, long> values;
  for (const Line& l : ExpandRepeats(lines, at, false, values)) {
    if (std::isspace(static_cast<unsigned char>(l.text[0]))) {
      if (statements.empty() || statements.back().head.empty() || statements.back().head[0] == "rules") {
        throw AsmError(l.number, "indented line without a statement");
      }
      statements.back().body.push_back(l);
    } else {
      statements.push_back({l.number, Tokens(l.text, l.number), {}, {}});
    }
  }
  return statements;
}

class Assembler {
 public:
  explicit Assembler(SolRuleData& out) : m_out(out) {}

  void Run(const std::vector<Statement>& statements) {
    for (const Statement& st : statements) Declare(st);
    for (const Statement& st : statements) Build(st);
  }

 private:
  enum Category { kPile, kAction, kEvent, kExpr, kCond, kCounter, kCategories };

  void Name(Category c, const std::string& name, int line) {
    auto& names = m_names[c];
    if (names.count(name)) throw AsmError(line, "'" + name + "' declared twice");
    names[name] = m_next[c]++;
  }

  void Declare(const Statement& st) {
    const std::string& k = st.head[0];
    auto need = [&](size_t n) {
      if (st.head.size() < n) throw AsmError(st.line, k + ": missing operands");
    };
    if (k == "pile") need(2), Name(kPile, st.head[1], st.line);
    if (k == "action") need(3), Name(kAction, st.head[1], st.line);
    if (k == "expr") need(2), Name(kExpr, st.head[1], st.line);
    if (k == "cond") need(2), Name(kCond, st.head[1], st.line);
    if (k == "counter") need(2), Name(kCounter, st.head[1], st.line);
    if (k == "event") {
      need(3);
      Name(kEvent, st.head[1], st.line);
      for (const Line& l : st.body) {
        const std::vector<std::string> t = Tokens(l.text, l.number);
        if (t[0] == "if") ++m_next[kCond];
      }
    }
    if (k == "define") {
      need(2);
      m_macros[st.head[1]] = std::vector<std::string>(st.head.begin() + 2, st.head.end());
      for (const Line& l : st.body) {
        for (const std::string& tok : Tokens(l.text, l.number)) m_macros[st.head[1]].push_back(tok);
      }
    }
  }

  long Number(const std::string& s, int line, long lo = -32768, long hi = 65535) const {
    long v;
    if (!ParseNumber(s, v) || v < lo || v > hi) throw AsmError(line, "bad number '" + s + "'");
    return v;
  }

  uint16_t Ref(Category c, const std::string& s, int line, bool any = false) const {
    static const char* const kWhat[] = {"pile", "action", "event", "expression", "condition", "counter"};
    long v;
    if (any && s == "*") return kSolAnyPile;
    if (ParseNumber(s, v)) return static_cast<uint16_t>(Number(s, line, 0, 65535));
    auto it = m_names[c].find(s);
    if (it == m_names[c].end()) throw AsmError(line, std::string("unknown ") + kWhat[c] + " '" + s + "'");
    return static_cast<uint16_t>(it->second);
  }

  static long Symbol(const std::map<std::string, int>& table, const std::string& s, int line, const char* what) {
    auto it = table.find(s);
    if (it != table.end()) return it->second;
    long v;
    if (ParseNumber(s, v) && v >= 0 && v <= 255) return v;
    throw AsmError(line, std::string("unknown ") + what + " '" + s + "'");
  }

  // key=value operands of the head and of every continuation line.
  static std::map<std::string, std::string> Keys(const Statement& st, size_t from) {
    std::map<std::string, std::string> keys;
    auto add = [&](const std::string& tok, int line) {
      const size_t eq = tok.find('=');
      if (eq == std::string::npos || eq == 0) throw AsmError(line, "expected key=value, got '" + tok + "'");
      if (!keys.emplace(tok.substr(0, eq), tok.substr(eq + 1)).second) throw AsmError(line, "key given twice: " + tok);
    };
    for (size_t i = from; i < st.head.size(); ++i) add(st.head[i], st.line);
    for (const Line& l : st.body) {
      for (const std::string& tok : Tokens(l.text, l.number)) add(tok, l.number);
    }
    return keys;
  }

  void Build(const Statement& st) {
    const std::vector<std::string>& h = st.head;
    const std::string& k = h[0];
    const int line = st.line;
    auto operands = [&](size_t n) {
      if (h.size() != n + 1) throw AsmError(line, k + " takes " + std::to_string(n) + " operands");
    };
    if (k == "name") {
      operands(1);
      if (h[1].size() < 2 || h[1].front() != '"') throw AsmError(line, "name needs a quoted text");
      m_out.name = h[1].substr(1, h[1].size() - 2);
    } else if (k == "variant") {
      operands(1);
      m_out.header[kSolVariant] = static_cast<uint16_t>(Number(h[1], line));
    } else if (k == "rulewords") {
      operands(3);
      for (int i = 0; i < 3; ++i) m_out.header[kSolRuleWord1 + i] = static_cast<uint16_t>(Number(h[1 + static_cast<size_t>(i)], line));
    } else if (k == "wide") {
      operands(1);
      m_out.header[kSolWide] = static_cast<uint16_t>(Number(h[1], line));
    } else if (k == "params") {
      for (size_t i = 1; i < h.size(); ++i) m_out.params.push_back(static_cast<uint8_t>(Number(h[i], line, 0, 255)));
    } else if (k == "rules") {
      m_out.rulesText = st.raw;
    } else if (k == "cards") {
      Cards(st);
    } else if (k == "card") {
      operands(3);
      m_out.cards.push_back({static_cast<int16_t>(Number(h[1], line)), static_cast<uint8_t>(Number(h[2], line, 0, 255)),
                             static_cast<uint8_t>(Number(h[3], line, 0, 255))});
    } else if (k == "expr") {
      operands(1);
      m_out.expressions.push_back(Code(st));
    } else if (k == "pile") {
      m_out.piles.push_back(Pile(st));
    } else if (k == "action") {
      m_out.actions.push_back(Action(st));
    } else if (k == "movetable") {
      operands(2);
      m_out.moveTable.push_back({Ref(kPile, h[1], line, true), Ref(kPile, h[2], line, true)});
    } else if (k == "swap") {
      operands(3);
      m_out.swaps.push_back({Ref(kPile, h[1], line), static_cast<uint16_t>(Number(h[2], line, 0)),
                             static_cast<uint16_t>(Number(h[3], line, 0))});
    } else if (k == "flip" || k == "lock" || k == "mark") {
      operands(2);
      auto& table = k == "flip" ? m_out.flips : k == "lock" ? m_out.locks : m_out.marks;
      table.push_back({Ref(kPile, h[1], line), static_cast<uint16_t>(Number(h[2], line, 0))});
    } else if (k == "event") {
      Event(st);
    } else if (k == "cond") {
      if (h.size() != 4 && h.size() != 5) throw AsmError(line, "cond NAME EXPR PILEA [PILEB]");
      Condition(std::vector<std::string>(h.begin() + 2, h.end()), line);
    } else if (k == "when") {
      operands(2);
      m_out.eventConditions.push_back({Ref(kEvent, h[1], line), Ref(kCond, h[2], line)});
    } else if (k == "link") {
      operands(2);
      m_out.eventActions.push_back({Ref(kEvent, h[1], line), Ref(kAction, h[2], line)});
    } else if (k == "counter") {
      operands(3);
      m_out.counters.push_back({static_cast<int16_t>(Number(h[2], line, -32768, 32767)), Ref(kEvent, h[3], line)});
    } else if (k == "limit") {
      operands(2);
      m_out.limits.push_back({Ref(kEvent, h[1], line), Ref(kCounter, h[2], line)});
    } else if (k != "define") {
      throw AsmError(line, "unknown statement '" + k + "'");
    }
    if (!st.body.empty() && k != "expr" && k != "pile" && k != "action" && k != "event" && k != "define") {
      throw AsmError(st.body[0].number, "unexpected indented line");
    }
  }

  void Cards(const Statement& st) {
    const std::vector<std::string>& h = st.head;
    if (h.size() < 4 || h[2] != "suits") throw AsmError(st.line, "cards KIND suits S... [repeat N]");
    const int16_t kind = static_cast<int16_t>(Number(h[1], st.line));
    std::vector<uint8_t> suits;
    long repeat = 1;
    for (size_t i = 3; i < h.size(); ++i) {
      if (h[i] == "repeat") {
        if (i + 2 != h.size()) throw AsmError(st.line, "repeat N ends the statement");
        repeat = Number(h[i + 1], st.line, 1, 1000);
        break;
      }
      suits.push_back(static_cast<uint8_t>(Number(h[i], st.line, 1, 4)));
    }
    for (long r = 0; r < repeat; ++r) {
      for (uint8_t suit : suits) {
        for (uint8_t rank = 1; rank <= 13; ++rank) m_out.cards.push_back({kind, suit, rank});
      }
    }
  }

  void Emit(const std::string& tok, int line, SolBytes& code, int depth) {
    if (depth > 32) throw AsmError(line, "macros nest too deeply");
    auto macro = m_macros.find(tok);
    if (macro != m_macros.end()) {
      for (const std::string& t : macro->second) Emit(t, line, code, depth + 1);
      return;
    }
    long v;
    if (ParseNumber(tok, v)) {
      if (v < 0 || v > 255) throw AsmError(line, "PUSH takes 0-255");
      code.insert(code.end(), {kOpPush, static_cast<uint8_t>(v), kOpPush});
      return;
    }
    for (int op = 2; op <= kOpLast; ++op) {
      if (tok == kMnemonics[op]) {
        code.push_back(static_cast<uint8_t>(op));
        return;
      }
    }
    throw AsmError(line, "unknown mnemonic '" + tok + "'");
  }

  SolBytes Code(const Statement& st) {
    SolBytes code;
    for (const Line& l : st.body) {
      const std::vector<std::string> t = Tokens(l.text, l.number);
      for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == "PUSH") {
          if (i + 1 >= t.size()) throw AsmError(l.number, "PUSH needs a value");
          Emit(t[++i], l.number, code, 0);
        } else {
          Emit(t[i], l.number, code, 0);
        }
      }
    }
    std::string why;
    if (!SolCheckExpression(code.data(), code.size(), why)) throw AsmError(st.line, "expression " + st.head[1] + ": " + why);
    return code;
  }

  SolPileDef Pile(const Statement& st) {
    SolPileDef p{};
    const int line = st.line;
    for (const auto& field : Keys(st, 2)) {
      // Named references rather than a structured binding: lambdas below capture them.
      const std::string& key = field.first;
      const std::string& value = field.second;
      auto num = [&] { return Number(value, line); };
      auto u8 = [&] { return static_cast<uint8_t>(Number(value, line, 0, 255)); };
      auto u16 = [&] { return static_cast<uint16_t>(Number(value, line, 0, 65535)); };
      auto event = [&] { return value == "none" ? uint16_t{0} : Ref(kEvent, value, line); };
      if (key == "kind") p.kind = static_cast<int16_t>(num());
      else if (key == "x") p.x = static_cast<int16_t>(num());
      else if (key == "y") p.y = static_cast<int16_t>(num());
      else if (key == "xmode") p.xMode = u8();
      else if (key == "ymode") p.yMode = u8();
      else if (key == "fan") p.fan = static_cast<uint8_t>(Symbol(kFans, value, line, "fan"));
      else if (key == "base") p.baseKind = u8();
      else if (key == "faceup") p.faceUp = u8();
      else if (key == "active") p.active = u8();
      else if (key == "deal") p.dealCount = u16();
      else if (key == "pick") p.pickExpr = Ref(kExpr, value, line);
      else if (key == "drop") p.dropExpr = Ref(kExpr, value, line);
      else if (key == "tap") p.tapEvent = event();
      else if (key == "reserved") p.reserved = u16();
      else if (key == "empty") p.emptyTapEvent = event();
      else if (key == "dropevent") p.dropEvent = event();
      else if (key == "fixed") p.fixedAccept = u8();
      else if (key == "enabled") p.enabled = u8();
      else if (key == "order") p.orderKey = u8();
      else if (key == "fanmode") p.fanLimitMode = u8();
      else if (key == "fanlimit") p.fanLimit = u16();
      else if (key == "marker") p.marker1 = static_cast<uint8_t>(u16() & 0xFF), p.marker2 = static_cast<uint8_t>(u16() >> 8);
      else if (key == "rank" || key == "marker1") p.marker1 = u8();
      else if (key == "suit" || key == "marker2") p.marker2 = u8();
      else throw AsmError(line, "unknown pile key '" + key + "'");
    }
    return p;
  }

  SolAction Action(const Statement& st) {
    SolAction a{};
    const int line = st.line;
    a.kind = static_cast<uint8_t>(Symbol(kActionKinds, st.head[2], line, "action kind"));
    for (const auto& field : Keys(st, 3)) {
      // Named references rather than a structured binding: lambdas below capture them.
      const std::string& key = field.first;
      const std::string& value = field.second;
      auto u16 = [&] { return static_cast<uint16_t>(Number(value, line, 0, 65535)); };
      if (key == "pile" || key == "from") a.pile = Ref(kPile, value, line, true);
      else if (key == "target" || key == "to") a.target = Ref(kPile, value, line, true);
      else if (key == "counter") a.pile = Ref(kCounter, value, line);
      else if (key == "range") a.rangeMode = static_cast<uint8_t>(Symbol(kRangeModes, value, line, "range mode"));
      else if (key == "start") a.start = u16();
      else if (key == "count") a.count = u16();
      else if (key == "at") a.targetMode = static_cast<uint8_t>(Symbol(kTargetModes, value, line, "target mode"));
      else if (key == "tpos") a.targetPos = u16();
      else if (key == "select") a.selector = static_cast<uint8_t>(Number(value, line, 0, 255));
      else if (key == "field") a.selector = static_cast<uint8_t>(Symbol(kFields, value, line, "pile field"));
      else if (key == "flag") a.selector = static_cast<uint8_t>(Symbol(kFlags, value, line, "card flag"));
      else if (key == "value") {
        long number;
        const bool expr = a.kind == kSolActPileField && !ParseNumber(value, number);
        a.value = expr ? Ref(kExpr, value, line) : u16();
      } else {
        throw AsmError(line, "unknown action key '" + key + "'");
      }
    }
    return a;
  }

  void Condition(const std::vector<std::string>& t, int line) {
    m_out.conditions.push_back({Ref(kExpr, t[0], line), Ref(kPile, t[1], line),
                                t.size() > 2 ? Ref(kPile, t[2], line, true) : kSolAnyPile});
  }

  void Event(const Statement& st) {
    if (st.head.size() != 3) throw AsmError(st.line, "event NAME KIND");
    const uint16_t e = static_cast<uint16_t>(m_out.eventKinds.size());
    m_out.eventKinds.push_back(static_cast<uint8_t>(Symbol(kEventKinds, st.head[2], st.line, "event kind")));
    for (const Line& l : st.body) {
      const std::vector<std::string> t = Tokens(l.text, l.number);
      if (t[0] == "if" && (t.size() == 3 || t.size() == 4)) {
        const uint16_t c = static_cast<uint16_t>(m_out.conditions.size());
        Condition(std::vector<std::string>(t.begin() + 1, t.end()), l.number);
        m_out.eventConditions.push_back({e, c});
      } else if (t[0] == "do" && t.size() >= 2) {
        for (size_t i = 1; i < t.size(); ++i) m_out.eventActions.push_back({e, Ref(kAction, t[i], l.number)});
      } else if (t[0] == "limit" && t.size() == 2) {
        m_out.limits.push_back({e, Ref(kCounter, t[1], l.number)});
      } else {
        throw AsmError(l.number, "expected: if EXPR PILEA [PILEB] | do ACTION... | limit COUNTER");
      }
    }
  }

  SolRuleData& m_out;
  std::map<std::string, int> m_names[kCategories];
  int m_next[kCategories] = {};
  std::map<std::string, std::vector<std::string>> m_macros;
};

std::string PileRef(uint16_t p) { return p == kSolAnyPile ? "*" : std::to_string(p); }

}  // namespace

bool SolAssemble(const std::string& text, SolRuleData& out, std::string& error) {
  out = SolRuleData{};
  try {
    Assembler(out).Run(Parse(text));
  } catch (const AsmError& e) {
    error = e.what();
    return false;
  }
  return SolValidateRuleData(out, error);
}

std::string SolDisassembleCode(const SolBytes& code) {
  std::string out;
  for (size_t p = 0; p < code.size();) {
    if (!out.empty()) out += ' ';
    if (code[p] == kOpPush && p + 1 < code.size()) {
      out += std::to_string(code[p + 1]);
      p += 3;
    } else {
      out += code[p] <= kOpLast ? kMnemonics[code[p]] : "?";
      ++p;
    }
  }
  return out;
}

std::string SolDisassemble(const SolRuleData& d) {
  std::ostringstream o;
  o << "name \"" << d.name << "\"\n";
  o << "variant " << d.header[kSolVariant] << "\n";
  o << "rulewords " << d.header[1] << ' ' << d.header[2] << ' ' << d.header[3] << "\n";
  o << "wide " << d.header[kSolWide] << "\n";
  if (!d.params.empty()) {
    o << "params";
    for (uint8_t b : d.params) o << ' ' << static_cast<int>(b);
    o << "\n";
  }
  o << "rules <<\n" << d.rulesText << "\n>>\n";
  for (const SolCardDef& c : d.cards) o << "card " << c.kind << ' ' << int{c.suit} << ' ' << int{c.rank} << "\n";
  for (size_t i = 0; i < d.expressions.size(); ++i) o << "expr x" << i << "\n    " << SolDisassembleCode(d.expressions[i]) << "\n";
  for (size_t i = 0; i < d.piles.size(); ++i) {
    const SolPileDef& p = d.piles[i];
    o << "pile p" << i << " kind=" << p.kind << " x=" << p.x << " y=" << p.y << " xmode=" << int{p.xMode}
      << " ymode=" << int{p.yMode} << " fan=" << int{p.fan} << " base=" << int{p.baseKind} << " faceup=" << int{p.faceUp}
      << " active=" << int{p.active} << " deal=" << p.dealCount << "\n    pick=" << p.pickExpr << " drop=" << p.dropExpr
      << " tap=" << p.tapEvent << " reserved=" << p.reserved << " empty=" << p.emptyTapEvent << " dropevent=" << p.dropEvent
      << " fixed=" << int{p.fixedAccept} << " enabled=" << int{p.enabled} << " order=" << int{p.orderKey}
      << " fanmode=" << int{p.fanLimitMode} << " fanlimit=" << p.fanLimit << " marker1=" << int{p.marker1}
      << " marker2=" << int{p.marker2} << "\n";
  }
  for (size_t i = 0; i < d.actions.size(); ++i) {
    const SolAction& a = d.actions[i];
    o << "action a" << i << ' ' << int{a.kind} << " range=" << int{a.rangeMode} << " pile=" << PileRef(a.pile)
      << " start=" << a.start << " count=" << a.count << " target=" << PileRef(a.target) << " at=" << int{a.targetMode}
      << " select=" << int{a.selector} << " tpos=" << a.targetPos << " value=" << a.value << "\n";
  }
  for (const SolMoveRule& m : d.moveTable) o << "movetable " << PileRef(m.from) << ' ' << PileRef(m.to) << "\n";
  for (const SolDealSwap& s : d.swaps) o << "swap " << s.pile << ' ' << s.card << ' ' << s.position << "\n";
  for (const SolDealFlip& f : d.flips) o << "flip " << f.pile << ' ' << f.position << "\n";
  for (const SolDealPlace& l : d.locks) o << "lock " << l.pile << ' ' << l.position << "\n";
  for (const SolDealPlace& m : d.marks) o << "mark " << m.pile << ' ' << m.position << "\n";
  for (size_t i = 0; i < d.eventKinds.size(); ++i) o << "event e" << i << ' ' << int{d.eventKinds[i]} << "\n";
  for (const SolEventAction& l : d.eventActions) o << "link " << l.event << ' ' << l.action << "\n";
  for (size_t i = 0; i < d.conditions.size(); ++i) {
    const SolCondition& c = d.conditions[i];
    o << "cond c" << i << ' ' << c.expr << ' ' << c.pileA << ' ' << PileRef(c.pileB) << "\n";
  }
  for (const SolEventCondition& l : d.eventConditions) o << "when " << l.event << ' ' << l.condition << "\n";
  for (size_t i = 0; i < d.counters.size(); ++i) o << "counter k" << i << ' ' << d.counters[i].initial << ' ' << d.counters[i].followUp << "\n";
  for (const SolEventLimit& l : d.limits) o << "limit " << l.event << ' ' << l.counter << "\n";
  return o.str();
}

bool SolAssembleFile(const std::string& path, SolRuleData& out, std::string& error) {
  std::string text;
  if (!SolReadSource(path, text, error)) return false;
  return SolAssemble(text, out, error);
}

bool SolReadSource(const std::string& path, std::string& text, std::string& error, int depth) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  if (depth > 8) {
    error = path + ": includes nest too deeply";
    return false;
  }
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("include ", 0) == 0) {
      std::string included;
      if (!SolReadSource(folder + line.substr(8), included, error, depth + 1)) return false;
      text += included;
    } else {
      text += line + "\n";
    }
  }
  return true;
}
