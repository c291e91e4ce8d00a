#include "sol_expression.h"

#include "sol_rules.h"

namespace {

int16_t Wrap(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// The state of one evaluation; lives on the caller's stack.
class Machine {
 public:
  Machine(const SolCardList& a, const SolCardList& b, const uint8_t* code, size_t size)
      : m_code(code), m_size(size) {
    m_lists[0] = a;
    m_lists[1] = b;
  }

  bool Run() {
    while (Byte(m_pc) != kOpEnd) {
      if (++m_work > SolExpression::kWorkBudget) return false;
      switch (Execute()) {
        case Flow::Next:
          Step(m_pc);
          break;
        case Flow::Stop:
          return Result();
        case Flow::Fail:
          return false;
      }
    }
    return Result();
  }

 private:
  enum class Flow { Next, Stop, Fail };

  uint8_t Byte(size_t p) const { return p < m_size ? m_code[p] : uint8_t{kOpEnd}; }
  // Moves past the opcode at p: three bytes for a PUSH, one otherwise.
  void Step(size_t& p) const {
    const uint8_t op = Byte(p);
    if (op == kOpEnd) return;
    p += op == kOpPush ? 3 : 1;
    if (p > m_size) p = m_size;
  }
  bool Result() const { return m_count > 0 && m_stack[m_count - 1] == 0; }

  void Push(int32_t v) {
    if (m_count < kSolStackMax) m_stack[m_count++] = Wrap(v);
  }
  int16_t Pop() { return m_count > 0 ? m_stack[--m_count] : 0; }

  const SolCardEntry& Current() const {
    static constexpr SolCardEntry kEnd = {0, 0};
    const SolCardList& list = m_lists[m_current];
    const int cursor = m_cursor[m_current];
    return cursor < list.count ? list.entries[cursor] : kEnd;
  }

  Flow Execute() {
    const uint8_t op = Byte(m_pc);
    switch (op) {
      case kOpPush:
        if (m_pc + 1 < m_size) Push(m_code[m_pc + 1]);
        return Flow::Next;
      case kOpLoopEnd:
        return ScanBackToLoop() ? Flow::Next : Flow::Fail;
      case kOpAdd:
        SolExprStack::Add(m_stack, m_count);
        return Flow::Next;
      case kOpSub:
        SolExprStack::Sub(m_stack, m_count);
        return Flow::Next;
      case kOpMul:
        SolExprStack::Mul(m_stack, m_count);
        return Flow::Next;
      case kOpDiv:
        SolExprStack::Div(m_stack, m_count);
        return Flow::Next;
      case kOpAbs:
        if (m_count > 0) m_stack[m_count - 1] = Wrap(m_stack[m_count - 1] < 0 ? -m_stack[m_count - 1] : m_stack[m_count - 1]);
        return Flow::Next;
      case kOpDup:
        if (m_count > 0) Push(m_stack[m_count - 1]);
        return Flow::Next;
      case kOpOdd:
        if (m_count > 0) m_stack[m_count - 1] = static_cast<int16_t>(m_stack[m_count - 1] % 2);
        return Flow::Next;
      case kOpDrop:
        Pop();
        return Flow::Next;
      case kOpSink:
        m_work += m_count;
        SolExprStack::Sink(m_stack, m_count);
        return Flow::Next;
      case kOpRaise:
        m_work += m_count;
        SolExprStack::Raise(m_stack, m_count);
        return Flow::Next;
      case kOpSwap:
        SolExprStack::Swap(m_stack, m_count);
        return Flow::Next;
      case kOpSavePair:
        SavePair(Pop());
        return Flow::Next;
      case kOpSaveRun:
        SaveRun(Pop());
        return Flow::Next;
      case kOpBreak:
        return ScanForward(kOpLoop, kOpLoopEnd, false) ? Flow::Next : Flow::Fail;
      case kOpElse:
        return ScanForward(kOpIf, kOpEndIf, false) ? Flow::Next : Flow::Fail;
      case kOpIf:
        if (Pop() == 0) return Flow::Next;
        return ScanForward(kOpIf, kOpEndIf, true) ? Flow::Next : Flow::Stop;
      case kOpNextCard:
        if (m_cursor[m_current] < m_lists[m_current].count) ++m_cursor[m_current];
        return Flow::Next;
      case kOpRestore:
        m_work += kSolSlotMax;
        Restore(Pop());
        return Flow::Next;
      case kOpRank:
        Push(Current().rank);
        return Flow::Next;
      case kOpRewind:
        m_cursor[m_current] = 0;
        return Flow::Next;
      case kOpGotoNext:
        return GotoNext() ? Flow::Next : Flow::Stop;
      case kOpSuit:
        Push(Current().suit);
        return Flow::Next;
      case kOpOtherList:
        m_current ^= 1;
        return Flow::Next;
      default:  // ALT, NEXT-MARK, LOOP, ENDIF and unknown opcodes do nothing
        return Flow::Next;
    }
  }

  // Forward scan with depth counting; leaves the code pointer on the opcode
  // that closes the construct (or, for IF, on an ELSE at depth 1). False
  // when the code ends first.
  bool ScanForward(uint8_t open, uint8_t close, bool stopAtElse) {
    size_t p = m_pc;
    int depth = 1;
    for (;;) {
      Step(p);
      ++m_work;
      const uint8_t op = Byte(p);
      if (op == kOpEnd) return false;
      if (stopAtElse && op == kOpElse && depth == 1) break;
      if (op == open) ++depth;
      if (op == close && --depth == 0) break;
    }
    m_pc = p;
    return true;
  }

  // Backward scan from a LOOP-END to its LOOP, stepping over PUSH operands by
  // their closing byte.
  bool ScanBackToLoop() {
    size_t p = m_pc;
    int depth = 1;
    while (p > 0) {
      --p;
      ++m_work;
      if (m_code[p] == kOpPush && p > 0) {
        if (p < 2) return false;
        p -= 2;
      }
      if (m_code[p] == kOpLoop && --depth == 0) {
        m_pc = p;
        return true;
      }
      if (m_code[p] == kOpLoopEnd) ++depth;
    }
    return false;
  }

  bool GotoNext() {
    size_t p = m_pc;
    for (;;) {
      Step(p);
      ++m_work;
      const uint8_t op = Byte(p);
      if (op == kOpEnd || op == kOpAlt) return false;
      if (op == kOpNextMark) break;
    }
    m_pc = p;
    return true;
  }

  void SavePair(int16_t k) {
    if ((k != 0 && k != 1) || m_count < 2) return;
    m_slot[k][0] = m_stack[m_count - 1];
    m_slot[k][1] = m_stack[m_count - 2];
    m_slotCount[k] = 2;
  }

  // Saves the top 0, the non-zero values below it and the next 0, top first.
  void SaveRun(int16_t k) {
    if ((k != 0 && k != 1) || m_count == 0 || m_stack[m_count - 1] != 0) return;
    int n = 0;
    m_slot[k][n++] = 0;
    for (int i = m_count - 2; i >= 0 && n < kSolSlotMax; --i) {
      m_slot[k][n++] = m_stack[i];
      if (m_stack[i] == 0) break;
    }
    m_slotCount[k] = n;
  }

  void Restore(int16_t k) {
    if (k != 0 && k != 1) return;
    for (int i = m_slotCount[k] - 1; i >= 0; --i) Push(m_slot[k][i]);
  }

  const uint8_t* m_code;
  size_t m_size;
  size_t m_pc = 0;
  int16_t m_stack[kSolStackMax];
  int m_count = 0;
  SolCardList m_lists[2];
  int m_cursor[2] = {0, 0};
  int m_current = 0;
  int16_t m_slot[2][kSolSlotMax];
  int m_slotCount[2] = {0, 0};
  int m_work = 0;  // charged against SolExpression::kWorkBudget
};

}  // namespace

bool SolExprStack::Swap(int16_t* stack, int count) {
  if (count < 2) return false;
  const int16_t t = stack[count - 1];
  stack[count - 1] = stack[count - 2];
  stack[count - 2] = t;
  return true;
}

bool SolExprStack::Add(int16_t* stack, int& count) {
  if (count < 2) return false;
  stack[count - 2] = Wrap(stack[count - 2] + stack[count - 1]);
  --count;
  return true;
}

bool SolExprStack::Sub(int16_t* stack, int& count) {
  if (count < 2) return false;
  stack[count - 2] = Wrap(stack[count - 2] - stack[count - 1]);
  --count;
  return true;
}

bool SolExprStack::Mul(int16_t* stack, int& count) {
  if (count < 2) return false;
  stack[count - 2] = Wrap(static_cast<int32_t>(stack[count - 2]) * stack[count - 1]);
  --count;
  return true;
}

// Division by 0 gives 0; INT16_MIN / -1 wraps like every other result.
bool SolExprStack::Div(int16_t* stack, int& count) {
  if (count < 2) return false;
  const int32_t divisor = stack[count - 1];
  stack[count - 2] = divisor == 0 ? 0 : Wrap(static_cast<int32_t>(stack[count - 2]) / divisor);
  --count;
  return true;
}

bool SolExprStack::Sink(int16_t* stack, int count) {
  if (count < 2) return true;
  const int16_t top = stack[count - 1];
  for (int i = count - 1; i > 0; --i) stack[i] = stack[i - 1];
  stack[0] = top;
  return true;
}

bool SolExprStack::Raise(int16_t* stack, int count) {
  if (count < 2) return true;
  const int16_t bottom = stack[0];
  for (int i = 0; i < count - 1; ++i) stack[i] = stack[i + 1];
  stack[count - 1] = bottom;
  return true;
}

bool SolExpression::Evaluate(const SolCardList& listA, const SolCardList& listB, const uint8_t* code, size_t size) {
  if (!code) return false;
  Machine machine(listA, listB, code, size);
  return machine.Run();
}
