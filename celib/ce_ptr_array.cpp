#include "ce_ptr_array.h"

#include <cstring>

#include "ce_string.h"

CePtrArray::~CePtrArray() {
  RemoveAll();
  if (m_pLock) {
    DeleteCriticalSection(m_pLock);
    delete m_pLock;
  }
}

void CePtrArray::Grow() {
  int step = m_nCapacity <= 8 ? 4 : m_nCapacity <= 64 ? 16 : m_nCapacity / 4;
  SetCapacity(m_nCapacity + step);
}

int CePtrArray::Compare(void* a, void* b) { return a == b ? 0 : -1; }

int CePtrArray::Add(void* element) {
  int index = m_nCount;
  if (m_bSorted && BinarySearch(element, index) && !m_bAllowDuplicates) CeRaiseException(kCeErrNotSorted);
  InsertAt(index, element);
  return index;
}

void CePtrArray::RemoveAll() {
  SetCount(0);
  SetCapacity(0);
}

void CePtrArray::RemoveAt(int index) {
  if (m_nCount == 0) CeRaiseException(kCeErrCount);
  index = ClampIndex(index);
  std::memmove(m_pData + index, m_pData + index + 1, sizeof(void*) * static_cast<size_t>(m_nCount - index - 1));
  --m_nCount;
}

int CePtrArray::ClampIndex(int index) const {
  if (index < 0) return 0;
  return index >= m_nCount ? m_nCount - 1 : index;
}

void* CePtrArray::GetAt(int index) const { return m_nCount ? m_pData[ClampIndex(index)] : nullptr; }

void CePtrArray::SetAt(int index, void* element) {
  if (m_nCount == 0) CeRaiseException(kCeErrCount);
  m_pData[ClampIndex(index)] = element;
}

void CePtrArray::InsertAt(int index, void* element) {
  if (index < 0) index = 0;
  if (index > m_nCount) index = m_nCount;
  if (m_nCount == m_nCapacity) Grow();
  std::memmove(m_pData + index + 1, m_pData + index, sizeof(void*) * static_cast<size_t>(m_nCount - index));
  m_pData[index] = element;
  ++m_nCount;
}

// Sorted: the equal element the binary search finds, else the identical
// pointer by a scan. Unsorted: the first element that compares equal.
int CePtrArray::Find(void* element) {
  if (m_bSorted) {
    int index;
    if (BinarySearch(element, index)) return index;
    for (int i = 0; i < m_nCount; ++i) {
      if (m_pData[i] == element) return i;
    }
    return -1;
  }
  for (int i = 0; i < m_nCount; ++i) {
    if (Compare(m_pData[i], element) == 0) return i;
  }
  return -1;
}

bool CePtrArray::BinarySearch(void* element, int& index) {
  if (!m_bSorted) CeRaiseException(kCeErrNotSorted);
  int lo = 0;
  int hi = m_nCount - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = Compare(m_pData[mid], element);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void CePtrArray::SetCapacity(int n) {
  if (n < 0 || n > kMaxSize) CeRaiseException(kCeErrCapacity);
  if (n == m_nCapacity) return;
  if (n == 0) {
    CeFree(m_pData);
    m_pData = nullptr;
  } else {
    void* block = m_pData;
    CeRealloc(block, sizeof(void*) * static_cast<size_t>(n));
    m_pData = static_cast<void**>(block);
  }
  m_nCapacity = n;
  // Elements beyond the new capacity are gone (not passed to RemoveAt).
  if (m_nCount > n) m_nCount = n;
}

void CePtrArray::SetCount(int n) {
  if (n < 0 || n > kMaxSize) CeRaiseException(kCeErrCount);
  if (n > m_nCapacity) SetCapacity(n);
  if (n > m_nCount) {
    std::memset(m_pData + m_nCount, 0, sizeof(void*) * static_cast<size_t>(n - m_nCount));
  } else {
    for (int i = m_nCount - 1; i >= n; --i) RemoveAt(i);
  }
  m_nCount = n;
}

void CePtrArray::Swap(int i, int j) {
  void* held = m_pData[i];
  m_pData[i] = m_pData[j];
  m_pData[j] = held;
}

void CePtrArray::Sort() {
  if (m_nCount > 1) SortRange(0, m_nCount - 1);
}

// Quicksort around the middle element, following the pivot when it is
// swapped; recursion on the left part, a loop on the right. The scans stop
// at the range's ends even for a comparison that is not consistent.
void CePtrArray::SortRange(int lo, int hi) {
  while (lo < hi) {
    int i = lo;
    int j = hi;
    int p = (lo + hi) / 2;
    while (i <= j) {
      while (i < hi && Compare(m_pData[i], m_pData[p]) < 0) ++i;
      while (j > lo && Compare(m_pData[j], m_pData[p]) > 0) --j;
      if (i <= j) {
        Swap(i, j);
        if (p == i) {
          p = j;
        } else if (p == j) {
          p = i;
        }
        ++i;
        --j;
      }
    }
    if (lo < j) SortRange(lo, j);
    lo = i;
  }
}

void CePtrArray::SetSorted(bool sorted) {
  if (sorted == m_bSorted) return;
  m_bSorted = sorted;
  if (sorted) Sort();
}

void CePtrArray::Lock() {
  if (!m_pLock) {
    m_pLock = new CRITICAL_SECTION{};
    InitializeCriticalSection(m_pLock);
  }
  EnterCriticalSection(m_pLock);
}

void CePtrArray::Unlock() {
  if (m_pLock) LeaveCriticalSection(m_pLock);
}
