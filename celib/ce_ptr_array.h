// A growable array of untyped pointers, optionally kept sorted by a virtual
// comparison, with an optional lock made on first use. Misuse raises a
// structured exception: kCeErrNotSorted (a search of an unsorted array, or a
// refused duplicate), kCeErrCapacity and kCeErrCount.
#pragma once

#include "wince/thread.h"
#include "wince/types.h"

inline constexpr DWORD kCeErrNotSorted = 0xFFFFFFFEu;  // -2
inline constexpr DWORD kCeErrCapacity = 0xFFFFFFECu;   // -20
inline constexpr DWORD kCeErrCount = 0xFFFFFFEBu;      // -21

class CePtrArray {
 public:
  // Largest capacity and count.
  static constexpr int kMaxSize = 0x0FFFFFFE;

  CePtrArray() = default;
  CePtrArray(const CePtrArray&) = delete;
  CePtrArray& operator=(const CePtrArray&) = delete;

  // Enlarges the capacity by one step: +4 up to 8, +16 up to 64, then +1/4.
  virtual void Grow();
  // Negative, 0 or positive for a before, equal to or after b; the base
  // tells only identical pointers apart from the rest (0 / -1).
  virtual int Compare(void* a, void* b);
  virtual ~CePtrArray();
  // Sorted: placed by binary search (before an equal element; a refused
  // duplicate raises kCeErrNotSorted). Otherwise appended. Returns the index.
  virtual int Add(void* element);
  virtual void RemoveAll();
  // Removes the element at the index clamped to the elements; a derived
  // class that owns its elements frees it here.
  virtual void RemoveAt(int index);

  int GetCount() const { return m_nCount; }
  int GetCapacity() const { return m_nCapacity; }
  // The element at the index clamped to the elements; null when empty.
  void* GetAt(int index) const;
  // Stores at the index clamped to the elements; raises kCeErrCount when
  // there are none.
  void SetAt(int index, void* element);
  void InsertAt(int index, void* element);
  // Index of the element, or -1 (see the source for the sorted fallback).
  int Find(void* element);
  // Out index: the equal element found, or where the element would go.
  bool BinarySearch(void* element, int& index);
  void SetCapacity(int n);
  void SetCount(int n);
  void Swap(int i, int j);
  void Sort();
  bool IsSorted() const { return m_bSorted; }
  void SetSorted(bool sorted);
  bool GetAllowDuplicates() const { return m_bAllowDuplicates; }
  void SetAllowDuplicates(bool allow) { m_bAllowDuplicates = allow; }
  // Callers sharing the array between threads bracket their use with these;
  // the first Lock creates the critical section.
  void Lock();
  void Unlock();

 private:
  int ClampIndex(int index) const;
  void SortRange(int lo, int hi);

  void** m_pData = nullptr;
  int m_nCount = 0;
  int m_nCapacity = 0;
  bool m_bSorted = false;
  bool m_bAllowDuplicates = false;
  CRITICAL_SECTION* m_pLock = nullptr;
};
