#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ce_ptr_list.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }

template <class T>
std::vector<T*> Elements(CePtrList<T>& list) {
  std::vector<T*> elements;
  for (int i = list.GetLBound(); i <= list.GetUBound(); ++i) elements.push_back(list.GetAt(i));
  return elements;
}

std::vector<void*> Values(std::initializer_list<intptr_t> values) {
  std::vector<void*> out;
  for (intptr_t v : values) out.push_back(P(v));
  return out;
}

TEST(CePtrList, IndicesStartAtTheFirstIndex) {
  for (int first : {0, 1}) {
    CePtrList<void> list(first, kCeDisposeNothing);
    for (int v : {1, 2, 3}) list.AddTail(P(v));
    EXPECT_EQ(list.GetLBound(), first);
    EXPECT_EQ(list.GetUBound(), first + 2);
    EXPECT_EQ(list.GetAt(first), P(1));
    EXPECT_EQ(list.GetAt(first + 2), P(3));
    EXPECT_EQ(list.GetAt(first - 1), nullptr);
    EXPECT_EQ(list.GetAt(first + 3), nullptr);
  }
}

TEST(CePtrList, InsertionPlaces) {
  CePtrList<void> list(1, kCeDisposeNothing);
  list.InsertAt(1, P(20));   // empty list: the only element
  list.InsertAt(0, P(10));   // below the first index: at the front
  list.InsertAt(3, P(40));   // count + first index: appended
  list.InsertAt(3, P(30));   // before the element now at index 3
  EXPECT_EQ(list.GetCursorIndex(), 3);
  list.InsertAfterCursor(P(35));
  EXPECT_EQ(list.GetCursorIndex(), 4);
  list.AddHead(P(5));
  EXPECT_EQ(list.GetCursorIndex(), 1);
  list.AddTail(P(50));
  EXPECT_EQ(Elements(list), Values({5, 10, 20, 30, 35, 40, 50}));
}

TEST(CePtrList, PositionalAccessFromEveryStartingPoint) {
  // A long list read in orders that start the walk from the head, the
  // cursor (both ways) and the tail.
  CePtrList<void> list(0, kCeDisposeNothing);
  for (int v = 0; v < 40; ++v) list.AddTail(P(v));
  for (int i : {20, 21, 19, 3, 17, 5, 36, 25, 30, 0, 39, 38, 12, 11}) {
    EXPECT_EQ(list.GetAt(i), P(i));
    EXPECT_EQ(list.GetCursorIndex(), i);
  }
  for (int i = 39; i >= 0; --i) EXPECT_EQ(list.GetAt(i), P(i));
}

TEST(CePtrList, RemovalMovesTheCursorToTheFollower) {
  CePtrList<void> list(1, kCeDisposeNothing);
  for (int v : {1, 2, 3, 4}) list.AddTail(P(v));
  EXPECT_EQ(list.RemoveAt(0), 1);
  EXPECT_EQ(list.RemoveAt(5), 1);
  EXPECT_EQ(list.RemoveAt(2), 0);
  EXPECT_EQ(list.GetCursorIndex(), 2);
  EXPECT_EQ(list.GetAt(list.GetCursorIndex()), P(3));
  EXPECT_EQ(list.RemoveAt(3), 0);  // the tail: the cursor is the new tail
  EXPECT_EQ(list.GetCursorIndex(), 2);
  EXPECT_EQ(list.RemoveAtCursor(), 0);
  EXPECT_EQ(Elements(list), Values({1}));
  EXPECT_EQ(list.RemoveAt(1), 0);  // the only element
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCursorIndex(), 0);
  EXPECT_EQ(list.RemoveAtCursor(), 1);
  list.AddTail(P(9));
  EXPECT_EQ(Elements(list), Values({9}));
}

struct Counted {
  explicit Counted(int& deaths) : deaths(deaths) {}
  ~Counted() { ++deaths; }
  int& deaths;
};

class Released : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID, void**) override { return E_FAIL; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  ULONG references = 1;
};

TEST(CePtrList, DisposalPolicies) {
  int deaths = 0;
  {
    CePtrList<Counted> owned(0, kCeDisposeDelete);
    for (int i = 0; i < 3; ++i) owned.AddTail(new Counted(deaths));
    owned.RemoveAt(1);
    EXPECT_EQ(deaths, 1);
  }
  EXPECT_EQ(deaths, 3);  // the rest go with the list

  Counted kept(deaths);
  {
    CePtrList<Counted> borrowed(0, kCeDisposeNothing);
    borrowed.AddTail(&kept);
    borrowed.RemoveAll();
  }
  EXPECT_EQ(deaths, 3);

  Released object;
  {
    CePtrList<IUnknown> interfaces(0, kCeDisposeRelease);
    interfaces.AddTail(&object);
  }
  EXPECT_EQ(object.references, 0u);

  // The heap policies free what they hold (the leak checker sees a miss).
  CePtrList<void> heap(0, kCeDisposeFree);
  heap.AddTail(std::malloc(8));
  CePtrList<void> local(0, kCeDisposeLocalFree);
  local.AddTail(LocalAlloc(LPTR, 8));
  CePtrList<WCHAR> strings(0, kCeDisposeSysFree);
  strings.AddTail(SysAllocString(u"text"));
  strings.AddTail(nullptr);
}

TEST(CePtrList, MarksFollowRemovals) {
  CePtrList<void> list(1, kCeDisposeNothing);
  for (int v = 1; v <= 8; ++v) list.AddTail(P(v));
  list.AddMark(2, 3);
  list.AddMark(5, 7);
  list.RemoveAt(6);  // inside the second: it shortens
  list.RemoveAt(1);  // before both: they move down
  int from = 0;
  int to = 0;
  ASSERT_EQ(list.GetMarkCount(), 2);
  EXPECT_TRUE(list.GetMark(0, from, to));
  EXPECT_EQ(from, 1);
  EXPECT_EQ(to, 2);
  EXPECT_TRUE(list.GetMark(1, from, to));
  EXPECT_EQ(from, 4);
  EXPECT_EQ(to, 5);
  EXPECT_FALSE(list.MarksChanged());
  list.RemoveAt(1);
  list.RemoveAt(1);  // the first mark is used up
  EXPECT_TRUE(list.MarksChanged());
  ASSERT_EQ(list.GetMarkCount(), 1);
  list.RemoveAt(2);
  list.RemoveAt(2);
  EXPECT_EQ(list.GetMarkCount(), 0);
  EXPECT_FALSE(list.GetMark(0, from, to));
}

TEST(CePtrList, CompareDefaultsToPointerOrder) {
  CePtrList<void> list(0, kCeDisposeNothing);
  EXPECT_LT(list.Compare(P(1), P(2)), 0);
  EXPECT_GT(list.Compare(P(2), P(1)), 0);
  EXPECT_EQ(list.Compare(P(2), P(2)), 0);
  CePtrList<void> reversed(0, kCeDisposeNothing, [](const void* a, const void* b) { return a < b ? 1 : -1; });
  EXPECT_GT(reversed.Compare(P(1), P(2)), 0);
}

}  // namespace
