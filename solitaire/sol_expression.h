// The expression interpreter: a small stack machine over two card lists that
// answers one rule question (may this run be picked, dropped, may this event
// fire). Nothing is allocated per evaluation.
#pragma once

#include <cstddef>
#include <cstdint>

// One card-list entry; a face-down card reads as {6, 15}.
struct SolCardEntry {
  int32_t suit;
  int32_t rank;
};

constexpr SolCardEntry kSolFaceDownEntry = {6, 15};

// A card list: `count` entries followed, logically, by the terminator {0, 0}.
// An absent list reads as an empty one.
struct SolCardList {
  const SolCardEntry* entries = nullptr;
  int count = 0;
};

// The binary stack operators; each returns false and changes nothing when
// the stack holds fewer than two values.
class SolExprStack {
 public:
  static bool Swap(int16_t* stack, int count);
  static bool Add(int16_t* stack, int& count);
  static bool Sub(int16_t* stack, int& count);
  static bool Mul(int16_t* stack, int& count);
  static bool Div(int16_t* stack, int& count);
  static bool Sink(int16_t* stack, int count);
  static bool Raise(int16_t* stack, int count);
};

class SolExpression {
 public:
  // Work (opcodes executed, code bytes scanned, stack values moved) before an
  // evaluation is cut off as a runaway loop; the shipped rule sets need a
  // small fraction of it.
  static constexpr int kWorkBudget = 100000;

  // Runs `size` bytes of code (a 0 byte ends it earlier); true when the top
  // of the stack is 0 at the end.
  static bool Evaluate(const SolCardList& listA, const SolCardList& listB, const uint8_t* code, size_t size);
};
