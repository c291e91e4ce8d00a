// Walking a positional list by consecutive indices (the cursor makes each
// step constant), adding and removing window handles in the hash set, and
// sorted insertion into the pointer array, each next to a standard peer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <list>
#include <unordered_set>
#include <vector>

#include "ce_ptr_array.h"
#include "ce_ptr_list.h"
#include "ce_set.h"

namespace {

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }

void BM_CePtrListWalkByIndex(benchmark::State& state) {
  CePtrList<void> list(1, kCeDisposeNothing);
  for (int i = 0; i < state.range(0); ++i) list.AddTail(P(i));
  for (auto _ : state) {
    for (int i = list.GetLBound(); i <= list.GetUBound(); ++i) benchmark::DoNotOptimize(list.GetAt(i));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CePtrListWalkByIndex)->Arg(16)->Arg(1024);

void BM_StdListWalk(benchmark::State& state) {
  std::list<void*> list;
  for (int i = 0; i < state.range(0); ++i) list.push_back(P(i));
  for (auto _ : state) {
    for (void* element : list) benchmark::DoNotOptimize(element);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StdListWalk)->Arg(16)->Arg(1024);

// A handful of modeless windows opened and closed, as the dialogs do.
void BM_CeSetOpenClose(benchmark::State& state) {
  CeSet<HWND, HWND> set(10);
  for (auto _ : state) {
    for (uintptr_t w = 1; w <= 8; ++w) set.SetAt(reinterpret_cast<HWND>(w << 4));
    for (uintptr_t w = 1; w <= 8; ++w) benchmark::DoNotOptimize(set.RemoveKey(reinterpret_cast<HWND>(w << 4)));
  }
}
BENCHMARK(BM_CeSetOpenClose);

void BM_StdUnorderedSetOpenClose(benchmark::State& state) {
  std::unordered_set<HWND> set;
  for (auto _ : state) {
    for (uintptr_t w = 1; w <= 8; ++w) set.insert(reinterpret_cast<HWND>(w << 4));
    for (uintptr_t w = 1; w <= 8; ++w) benchmark::DoNotOptimize(set.erase(reinterpret_cast<HWND>(w << 4)));
  }
}
BENCHMARK(BM_StdUnorderedSetOpenClose);

class ValueArray : public CePtrArray {
 public:
  int Compare(void* a, void* b) override {
    return reinterpret_cast<intptr_t>(a) < reinterpret_cast<intptr_t>(b) ? -1 : a == b ? 0 : 1;
  }
};

// Pseudo-random values, sorted on insertion.
void BM_CePtrArraySortedAdd(benchmark::State& state) {
  for (auto _ : state) {
    ValueArray array;
    array.SetSorted(true);
    array.SetAllowDuplicates(true);
    uint32_t seed = 1;
    for (int i = 0; i < state.range(0); ++i) {
      seed = seed * 1103515245u + 12345u;
      array.Add(P(seed >> 8));
    }
    benchmark::DoNotOptimize(array.GetAt(0));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CePtrArraySortedAdd)->Arg(64)->Arg(1024);

void BM_StdVectorSortedInsert(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<intptr_t> array;
    uint32_t seed = 1;
    for (int i = 0; i < state.range(0); ++i) {
      seed = seed * 1103515245u + 12345u;
      const intptr_t value = seed >> 8;
      array.insert(std::lower_bound(array.begin(), array.end(), value), value);
    }
    benchmark::DoNotOptimize(array.front());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StdVectorSortedInsert)->Arg(64)->Arg(1024);

}  // namespace
