#include "app_random.h"

namespace {

constexpr uint32_t kValueMask = 0x3FFFFFFF;
constexpr uint32_t kSecondStart = 31;

uint32_t stepIndex(uint32_t index) { return index + 1 == CAppRandom::kTableSize ? 0 : index + 1; }

}  // namespace

CAppRandom::CAppRandom() { seed(0); }

void CAppRandom::seed(uint32_t s) {
  i_ = 0;
  j_ = kSecondStart;
  table_[0] = s & kValueMask;
  table_[1] = 1;
  for (int k = 2; k < kTableSize; ++k) {
    table_[k] = (table_[k - 2] + table_[k - 1]) & kValueMask;
  }
}

uint32_t CAppRandom::next() {
  const uint32_t c = (table_[i_] + table_[j_]) & kValueMask;
  table_[i_] = c;
  i_ = stepIndex(i_);
  j_ = stepIndex(j_);
  return c >> 6;
}

uint32_t CAppRandom::draw(int32_t n) {
  if (n == 0) {
    return 0;
  }
  // Negate in unsigned arithmetic so that the most negative value is safe.
  const uint32_t m = n < 0 ? 0U - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  uint32_t b = 2;
  while (b < m) {
    b <<= 1;
  }
  return (next() & (b - 1)) % m;
}
