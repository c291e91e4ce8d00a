// The rule queries evaluate conditions without allocating: card lists are
// slices of one array kept by the rule set.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "sol_test_support.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  ++g_allocations;
  return std::malloc(size ? size : 1);
}
// Kept out of line: inlined, the compiler would see free() meet a pointer
// from operator new, not knowing that this operator new is malloc.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

TEST(Allocation, QueriesAllocateNothing) {
  for (const char* set : {"klondike", "spider"}) {
    SolRuleSet rules;
    const long start = g_allocations;
    LoadShipped(rules, set);
    ASSERT_GT(g_allocations - start, 0) << "the counting allocator is not in use";
    uint32_t game = 17;
    rules.StartGame(game);
    std::vector<SolMove> moves;
    moves.reserve(1000);
    rules.ListMoves(moves);  // lays out the card lists once
    const long before = g_allocations;
    for (int i = 0; i < 20; ++i) rules.ListMoves(moves);
    uint16_t from, to;
    rules.FindMove(0, from, to);
    for (uint16_t c = 0; c < rules.CardCount(); ++c) {
      rules.CanPickCard(c);
      for (uint16_t p = 0; p < rules.PileCount(); ++p) rules.CanMoveCardTo(c, p);
    }
    for (uint16_t p = 0; p < rules.PileCount(); ++p) rules.CanTapPile(p);
    EXPECT_EQ(g_allocations - before, 0) << set;
  }
}

}  // namespace
