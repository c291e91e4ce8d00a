// The interpreter on arbitrary bytecode: the first byte picks the lists, the
// rest is code. Every read is bounded and every evaluation ends.
#include <cstdint>

#include "sol_expression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SolCardEntry kA[] = {{1, 13}, {2, 12}, {6, 15}, {4, 1}};
  static const SolCardEntry kB[] = {{3, 5}};
  if (size == 0) return 0;
  const SolCardList a = {kA, data[0] & 3};
  const SolCardList b = (data[0] & 4) ? SolCardList{kB, 1} : SolCardList{};
  SolExpression::Evaluate(a, b, data + 1, size - 1);
  return 0;
}
