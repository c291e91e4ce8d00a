// A doubly linked list of pointer-sized elements addressed by index. It
// remembers the node it last reached (the cursor), so walking by
// consecutive indices costs one step per call; the owner chooses the first
// index (0 or 1) and what happens to an element when it is removed.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "wince/types.h"

// What a list does with an element it removes.
enum CeDisposal {
  kCeDisposeDelete = 1,     // destroy and delete the object (the list's type)
  kCeDisposeFree = 2,       // free from the C heap
  kCeDisposeLocalFree = 3,  // the local heap's free
  kCeDisposeRelease = 4,    // Release of a reference-counted interface
  kCeDisposeSysFree = 5,    // free an automation string
  kCeDisposeNothing = 6,
};

class CePtrListBase {
 public:
  // Orders two elements: negative, 0 or positive.
  using CompareFunc = int (*)(const void* a, const void* b);
  using DeleteFunc = void (*)(void* element);

  CePtrListBase(const CePtrListBase&) = delete;
  CePtrListBase& operator=(const CePtrListBase&) = delete;
  ~CePtrListBase() { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  int GetLBound() const { return m_nFirstIndex; }
  int GetUBound() const { return m_nCount + m_nFirstIndex - 1; }
  // Index of the cursor (the node last reached or changed).
  int GetCursorIndex() const { return m_nCursorPos + m_nFirstIndex - 1; }
  int Compare(const void* a, const void* b) const { return m_pfnCompare(a, b); }

  // Index at or below the first: at the front; past the last: appended.
  void InsertAt(int index, void* element);
  void InsertAfterCursor(void* element) { InsertAt(GetCursorIndex() + 1, element); }
  // 0, or 1 for an index outside the list (nothing removed). The cursor
  // moves to the node that followed (the new tail after removing the tail).
  int RemoveAt(int index);
  int RemoveAtCursor() { return RemoveAt(GetCursorIndex()); }
  void RemoveAll();

  // Ranges of positions (1 .. count) kept in step with removals: removing a
  // position inside a range shortens it, before it moves it down; a range
  // that becomes empty is dropped and MarksChanged turns true.
  void AddMark(int from, int to);
  int GetMarkCount() const { return m_pMarks ? static_cast<int>(m_pMarks->size()) : 0; }
  bool GetMark(int i, int& from, int& to) const;
  bool MarksChanged() const { return m_bMarksChanged; }

 protected:
  CePtrListBase(int firstIndex, int policy, CompareFunc compare, DeleteFunc deleteObject);

  void AddHeadElement(void* element);
  void AddTailElement(void* element);
  // The element at the index (the cursor moves there); null outside the list.
  void* ElementAt(int index);

 private:
  struct Node {
    Node* prev;
    Node* next;
    void* element;
  };
  struct Mark {
    int from;
    int to;
  };

  Node* NodeAt(int position);
  void Link(void* element, Node* prev, Node* next, int position);
  void Dispose(void* element) const;
  void UpdateMarks(int removedPosition);
  static int CompareByValue(const void* a, const void* b);

  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
  Node* m_pCursor = nullptr;
  int m_nFirstIndex;
  int m_nCursorPos = 0;
  int m_nCount = 0;
  bool m_bMarksChanged = false;
  int m_nDisposal;
  DeleteFunc m_pfnDeleteObject;
  CompareFunc m_pfnCompare;
  std::unique_ptr<std::vector<Mark>> m_pMarks;
};

// The list of T pointers; with kCeDisposeDelete it deletes them as T.
template <class T>
class CePtrList : public CePtrListBase {
 public:
  CePtrList(int firstIndex, int policy, CompareFunc compare = nullptr)
      : CePtrListBase(firstIndex, policy, compare, DeleterFor()) {}

  T* GetAt(int index) { return static_cast<T*>(ElementAt(index)); }
  void AddHead(T* element) { AddHeadElement(Erase(element)); }
  void AddTail(T* element) { AddTailElement(Erase(element)); }
  void InsertAt(int index, T* element) { CePtrListBase::InsertAt(index, Erase(element)); }
  void InsertAfterCursor(T* element) { CePtrListBase::InsertAfterCursor(Erase(element)); }

 private:
  static void* Erase(T* element) { return const_cast<std::remove_const_t<T>*>(element); }
  static DeleteFunc DeleterFor() {
    if constexpr (std::is_object_v<T> && std::is_destructible_v<T>) {
      return [](void* element) { delete static_cast<T*>(element); };
    } else {
      return nullptr;
    }
  }
};
