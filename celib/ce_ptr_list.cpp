#include "ce_ptr_list.h"

#include <algorithm>
#include <cstdlib>

#include "wince/system.h"
#include "wince/text.h"

CePtrListBase::CePtrListBase(int firstIndex, int policy, CompareFunc compare, DeleteFunc deleteObject)
    : m_nFirstIndex(firstIndex),
      m_nDisposal(policy),
      m_pfnDeleteObject(deleteObject),
      m_pfnCompare(compare ? compare : &CompareByValue) {}

int CePtrListBase::CompareByValue(const void* a, const void* b) { return a < b ? -1 : a > b ? 1 : 0; }

// A new node between two neighbours (null at the ends); the cursor goes to it.
void CePtrListBase::Link(void* element, Node* prev, Node* next, int position) {
  Node* node = new Node{prev, next, element};
  (prev ? prev->next : m_pHead) = node;
  (next ? next->prev : m_pTail) = node;
  ++m_nCount;
  m_pCursor = node;
  m_nCursorPos = position;
}

void CePtrListBase::AddHeadElement(void* element) { Link(element, nullptr, m_pHead, 1); }

void CePtrListBase::AddTailElement(void* element) { Link(element, m_pTail, nullptr, m_nCount + 1); }

void CePtrListBase::InsertAt(int index, void* element) {
  const int position = index - m_nFirstIndex + 1;
  if (position <= 1) return AddHeadElement(element);
  if (position > m_nCount) return AddTailElement(element);
  Node* before = NodeAt(position);
  Link(element, before->prev, before, position);
}

// The nearest of head, cursor and tail is the starting point; a list with
// no cursor walks forward from the head.
CePtrListBase::Node* CePtrListBase::NodeAt(int p) {
  if (p < 1 || p > m_nCount) return nullptr;
  if (p == 1) return m_pHead;
  if (p == m_nCount) return m_pTail;
  if (m_pCursor) {
    if (p == m_nCursorPos) return m_pCursor;
    if (p == m_nCursorPos + 1) return m_pCursor->next;
    if (p == m_nCursorPos - 1) return m_pCursor->prev;
  }
  Node* node;
  if (p < m_nCursorPos) {
    if (p < m_nCursorPos - p) {
      node = m_pHead;
      for (int at = 1; at < p; ++at) node = node->next;
    } else {
      node = m_pCursor;
      for (int at = m_nCursorPos; at > p; --at) node = node->prev;
    }
  } else if (m_nCount - p < p - m_nCursorPos) {
    node = m_pTail;
    for (int at = m_nCount; at > p; --at) node = node->prev;
  } else {
    int at = m_pCursor ? m_nCursorPos : 1;
    node = m_pCursor ? m_pCursor : m_pHead;
    for (; at < p; ++at) node = node->next;
  }
  return node;
}

void* CePtrListBase::ElementAt(int index) {
  const int position = index - m_nFirstIndex + 1;
  Node* node = NodeAt(position);
  if (!node) return nullptr;
  m_pCursor = node;
  m_nCursorPos = position;
  return node->element;
}

int CePtrListBase::RemoveAt(int index) {
  const int position = index - m_nFirstIndex + 1;
  Node* node = NodeAt(position);
  if (!node) return 1;
  (node->prev ? node->prev->next : m_pHead) = node->next;
  (node->next ? node->next->prev : m_pTail) = node->prev;
  --m_nCount;
  if (node->next) {
    m_pCursor = node->next;
    m_nCursorPos = position;
  } else {
    m_pCursor = m_pTail;
    m_nCursorPos = m_nCount;
  }
  Dispose(node->element);
  delete node;
  UpdateMarks(position);
  return 0;
}

void CePtrListBase::RemoveAll() {
  while (m_pHead) {
    Node* node = m_pHead;
    m_pHead = node->next;
    Dispose(node->element);
    delete node;
  }
  m_pTail = m_pCursor = nullptr;
  m_nCursorPos = m_nCount = 0;
  m_pMarks.reset();
}

void CePtrListBase::Dispose(void* element) const {
  if (!element) return;
  switch (m_nDisposal) {
    case kCeDisposeDelete:
      if (m_pfnDeleteObject) m_pfnDeleteObject(element);
      break;
    case kCeDisposeFree:
      std::free(element);
      break;
    case kCeDisposeLocalFree:
      LocalFree(element);
      break;
    case kCeDisposeRelease:
      static_cast<IUnknown*>(element)->Release();
      break;
    case kCeDisposeSysFree:
      SysFreeString(static_cast<BSTR>(element));
      break;
    default:
      break;
  }
}

void CePtrListBase::AddMark(int from, int to) {
  if (to < from) return;
  if (!m_pMarks) m_pMarks = std::make_unique<std::vector<Mark>>();
  m_pMarks->push_back(Mark{from, to});
}

bool CePtrListBase::GetMark(int i, int& from, int& to) const {
  if (i < 0 || i >= GetMarkCount()) return false;
  from = (*m_pMarks)[static_cast<size_t>(i)].from;
  to = (*m_pMarks)[static_cast<size_t>(i)].to;
  return true;
}

void CePtrListBase::UpdateMarks(int removed) {
  if (!m_pMarks) return;
  for (Mark& mark : *m_pMarks) {
    if (mark.from <= removed && removed <= mark.to) {
      if (--mark.to < mark.from) m_bMarksChanged = true;
    } else if (mark.from > removed) {
      --mark.from;
      --mark.to;
    }
  }
  std::erase_if(*m_pMarks, [](const Mark& mark) { return mark.to < mark.from; });
  if (m_pMarks->empty()) m_pMarks.reset();
}
