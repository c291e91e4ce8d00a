#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ce_ptr_array.h"
#include "ce_string.h"

namespace {

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }
intptr_t V(void* p) { return reinterpret_cast<intptr_t>(p); }

// Orders the elements by their value and records what the array does.
class ValueArray : public CePtrArray {
 public:
  int Compare(void* a, void* b) override { return V(a) < V(b) ? -1 : V(a) > V(b) ? 1 : 0; }
  void Grow() override {
    CePtrArray::Grow();
    capacities.push_back(GetCapacity());
  }
  void RemoveAt(int index) override {
    removed.push_back(V(GetAt(index)));
    CePtrArray::RemoveAt(index);
  }
  std::vector<intptr_t> Values() const {
    std::vector<intptr_t> values;
    for (int i = 0; i < GetCount(); ++i) values.push_back(V(GetAt(i)));
    return values;
  }

  std::vector<int> capacities;
  std::vector<intptr_t> removed;
};

DWORD RaisedBy(auto&& call) {
  try {
    call();
  } catch (const CeStructuredException& e) {
    return e.code;
  }
  return 0;
}

TEST(CePtrArray, GrowsInWideningSteps) {
  ValueArray array;
  for (int i = 0; i < 100; ++i) array.Add(P(i));
  EXPECT_EQ(array.capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  EXPECT_EQ(array.GetCount(), 100);
  EXPECT_EQ(V(array.GetAt(99)), 99);
}

TEST(CePtrArray, ClampedAccess) {
  ValueArray array;
  EXPECT_EQ(array.GetAt(0), nullptr);
  EXPECT_EQ(RaisedBy([&] { array.SetAt(0, P(1)); }), kCeErrCount);
  EXPECT_EQ(RaisedBy([&] { array.RemoveAt(0); }), kCeErrCount);
  for (int v : {10, 20, 30}) array.Add(P(v));
  EXPECT_EQ(V(array.GetAt(-5)), 10);
  EXPECT_EQ(V(array.GetAt(7)), 30);
  array.SetAt(9, P(31));
  array.InsertAt(-1, P(5));
  array.InsertAt(99, P(40));
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{5, 10, 20, 31, 40}));
  array.RemoveAt(-3);
  array.RemoveAt(50);
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{10, 20, 31}));
  array.Swap(0, 2);
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{31, 20, 10}));
}

TEST(CePtrArray, SortedAddPlacesByBinarySearch) {
  ValueArray array;
  array.SetSorted(true);
  struct Case {
    intptr_t value;
    int index;
  };
  for (Case c : {Case{50, 0}, Case{10, 0}, Case{30, 1}, Case{60, 3}, Case{20, 1}}) {
    EXPECT_EQ(array.Add(P(c.value)), c.index) << c.value;
  }
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{10, 20, 30, 50, 60}));
  EXPECT_EQ(RaisedBy([&] { array.Add(P(30)); }), kCeErrNotSorted);
  EXPECT_EQ(array.GetCount(), 5);
  array.SetAllowDuplicates(true);
  EXPECT_EQ(array.Add(P(30)), 2);  // before the equal element
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{10, 20, 30, 30, 50, 60}));
}

TEST(CePtrArray, BinarySearchReportsTheInsertionPoint) {
  ValueArray array;
  EXPECT_EQ(RaisedBy([&] {
              int index;
              array.BinarySearch(P(1), index);
            }),
            kCeErrNotSorted);
  array.SetSorted(true);
  for (int v : {10, 20, 30}) array.Add(P(v));
  struct Case {
    intptr_t wanted;
    bool found;
    int index;
  };
  for (Case c : {Case{5, false, 0}, Case{10, true, 0}, Case{25, false, 2}, Case{30, true, 2}, Case{99, false, 3}}) {
    int index = -1;
    EXPECT_EQ(array.BinarySearch(P(c.wanted), index), c.found) << c.wanted;
    EXPECT_EQ(index, c.index) << c.wanted;
  }
}

TEST(CePtrArray, FindInEachMode) {
  // Orders by the value's tens only, so equal elements need not be the
  // same pointer.
  class TensArray : public CePtrArray {
   public:
    int Compare(void* a, void* b) override { return static_cast<int>(V(a) / 10 - V(b) / 10); }
  };
  TensArray array;
  for (int v : {31, 12, 25}) array.Add(P(v));
  EXPECT_EQ(array.Find(P(29)), 2);  // unsorted: first that compares equal
  EXPECT_EQ(array.Find(P(40)), -1);
  array.SetSorted(true);
  EXPECT_EQ(V(array.GetAt(0)), 12);
  EXPECT_EQ(array.Find(P(35)), 2);
  // An element that the sort order misplaces is still found by identity.
  array.SetAt(0, P(99));
  EXPECT_EQ(array.Find(P(99)), 0);
  EXPECT_EQ(array.Find(P(77)), -1);

  CePtrArray identity;  // the base comparison: identity only
  int a = 0;
  int b = 0;
  identity.Add(&a);
  identity.Add(&b);
  EXPECT_EQ(identity.Find(&b), 1);
  EXPECT_EQ(identity.Find(nullptr), -1);
}

TEST(CePtrArray, SetSortedSortsOnce) {
  ValueArray array;
  const std::vector<intptr_t> input{9, 3, 7, 1, 8, 2, 2, 6, 5, 4, 0, 11, 10};
  for (intptr_t v : input) array.Add(P(v));
  array.SetSorted(true);
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{0, 1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  array.SetSorted(false);
  array.Swap(0, 12);
  array.SetSorted(true);
  EXPECT_EQ(V(array.GetAt(0)), 0);
  array.Swap(0, 12);
  array.SetSorted(true);  // unchanged flag: no sort
  EXPECT_EQ(V(array.GetAt(0)), 11);
}

TEST(CePtrArray, SortSurvivesAnInconsistentComparison) {
  class Contrary : public CePtrArray {
   public:
    int Compare(void*, void*) override { return -1; }
  };
  Contrary array;
  for (int v = 0; v < 20; ++v) array.Add(P(v));
  array.SetSorted(true);  // must stay inside the array
  EXPECT_EQ(array.GetCount(), 20);
}

TEST(CePtrArray, CountAndCapacity) {
  ValueArray array;
  for (int v : {1, 2, 3, 4, 5}) array.Add(P(v));
  array.SetCount(2);
  EXPECT_EQ(array.removed, (std::vector<intptr_t>{5, 4, 3}));  // last first
  array.SetCount(4);
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{1, 2, 0, 0}));
  array.SetCount(30);
  EXPECT_EQ(array.GetCapacity(), 30);
  EXPECT_EQ(array.GetAt(29), nullptr);

  EXPECT_EQ(RaisedBy([&] { array.SetCapacity(0x0FFFFFFF); }), kCeErrCapacity);
  EXPECT_EQ(RaisedBy([&] { array.SetCapacity(-1); }), kCeErrCapacity);
  EXPECT_EQ(RaisedBy([&] { array.SetCount(-1); }), kCeErrCount);
  EXPECT_EQ(RaisedBy([&] { array.SetCount(0x0FFFFFFF); }), kCeErrCount);
  EXPECT_EQ(array.GetCount(), 30);

  // A capacity below the count drops the elements beyond it.
  array.removed.clear();
  array.SetCapacity(3);
  EXPECT_EQ(array.GetCount(), 3);
  EXPECT_TRUE(array.removed.empty());
  array.Add(P(7));
  EXPECT_EQ(array.Values(), (std::vector<intptr_t>{1, 2, 0, 7}));

  array.RemoveAll();
  EXPECT_EQ(array.GetCount(), 0);
  EXPECT_EQ(array.GetCapacity(), 0);
}

TEST(CePtrArray, LockIsMadeOnFirstUseAndNests) {
  CePtrArray array;
  array.Unlock();  // no lock yet: nothing
  array.Lock();
  array.Lock();
  array.Add(P(1));
  array.Unlock();
  array.Unlock();
  EXPECT_EQ(array.GetCount(), 1);
}

}  // namespace
