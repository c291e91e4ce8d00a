#include <gtest/gtest.h>

#include <array>

#include "base/byte_order.h"
#include "base/scope_guard.h"

namespace {

TEST(ByteOrderTest, LoadsAndStoresMirrorEachOther) {
  std::array<uint8_t, 4> b{};
  base::storeBE32(b.data(), 0x01020304u);
  EXPECT_EQ(b, (std::array<uint8_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(base::loadBE32(b.data()), 0x01020304u);
  EXPECT_EQ(base::loadLE32(b.data()), 0x04030201u);
  EXPECT_EQ(base::loadBE16(b.data() + 2), 0x0304);
  base::storeLE32(b.data(), 0xA1B2C3D4u);
  EXPECT_EQ(b, (std::array<uint8_t, 4>{0xD4, 0xC3, 0xB2, 0xA1}));
  base::storeLE16(b.data(), 0xFFEE);
  base::storeBE16(b.data() + 2, 0xFFEE);
  EXPECT_EQ(b, (std::array<uint8_t, 4>{0xEE, 0xFF, 0xFF, 0xEE}));
  EXPECT_EQ(base::loadLE16(b.data()), 0xFFEE);
  static_assert(base::loadBE16(std::array<uint8_t, 2>{0x80, 0x01}.data()) == 0x8001);
}

TEST(ScopeGuardTest, RunsOnLeavingScopeUnlessDismissed) {
  int runs = 0;
  {
    base::ScopeGuard guard([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  {
    base::ScopeGuard guard([&] { ++runs; });
    guard.dismiss();
  }
  EXPECT_EQ(runs, 1);
}

TEST(ScopeGuardTest, RunsWhenAnExceptionLeavesTheScope) {
  int runs = 0;
  try {
    base::ScopeGuard guard([&] { ++runs; });
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(runs, 1);
}

}  // namespace
