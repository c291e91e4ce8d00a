// A small chained hash set of handle-sized keys (17 buckets). Nodes come
// from blocks and are recycled through a free list, so adding and removing
// keys seldom touches the heap; the table and blocks are released as soon
// as the set becomes empty.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "ce_string.h"

// Iteration position: a node of the set, null after the last.
struct CeSetPosition;
using CePosition = CeSetPosition*;

template <class KEY, class ARG_KEY>
class CeSet {
 public:
  explicit CeSet(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 1) {}
  ~CeSet() { RemoveAll(); }
  CeSet(const CeSet&) = delete;
  CeSet& operator=(const CeSet&) = delete;

  int GetCount() const { return m_nCount; }
  bool IsEmpty() const { return m_nCount == 0; }
  bool Lookup(ARG_KEY key) const { return Find(key) != nullptr; }

  // Inserts the key unless it is present.
  void SetAt(ARG_KEY key) {
    if (Find(key)) return;
    if (!m_pHashTable) {
      m_pHashTable = static_cast<Node**>(CeMalloc(sizeof(Node*) * kHashTableSize));
      std::memset(m_pHashTable, 0, sizeof(Node*) * kHashTableSize);
    }
    Node* node = NewNode();
    node->nHashValue = Hash(key);
    node->key = key;
    node->pNext = m_pHashTable[node->nHashValue];
    m_pHashTable[node->nHashValue] = node;
  }

  // True when the key was present; removing the last key frees everything.
  bool RemoveKey(ARG_KEY key) {
    if (!m_pHashTable) return false;
    for (Node** link = &m_pHashTable[Hash(key)]; *link; link = &(*link)->pNext) {
      Node* node = *link;
      if (node->key != key) continue;
      *link = node->pNext;
      node->pNext = m_pFreeList;
      m_pFreeList = node;
      if (--m_nCount == 0) RemoveAll();
      return true;
    }
    return false;
  }

  void RemoveAll() {
    CeFree(m_pHashTable);
    m_pHashTable = nullptr;
    m_nCount = 0;
    m_pFreeList = nullptr;
    while (m_pBlocks) {
      Block* previous = m_pBlocks->previous;
      CeFree(m_pBlocks);
      m_pBlocks = previous;
    }
  }

  // The position before the first key, or null for an empty set.
  CePosition GetStartPosition() const { return m_nCount ? kBeforeFirst() : nullptr; }

  // Yields the key at `position` and advances it (null after the last).
  void GetNextAssoc(CePosition& position, KEY& key) const {
    Node* node = position == kBeforeFirst() ? FirstNodeFrom(0) : reinterpret_cast<Node*>(position);
    key = node->key;
    Node* next = node->pNext ? node->pNext : FirstNodeFrom(node->nHashValue + 1);
    position = reinterpret_cast<CePosition>(next);
  }

 private:
  static constexpr unsigned kHashTableSize = 17;

  struct Node {
    Node* pNext;
    unsigned nHashValue;
    KEY key;
  };
  // A block is this link followed by m_nBlockSize nodes.
  struct Block {
    Block* previous;
  };
  static_assert(alignof(Node) <= alignof(Block), "nodes follow the block link");

  static CePosition kBeforeFirst() { return reinterpret_cast<CePosition>(~uintptr_t{0}); }

  static unsigned Hash(ARG_KEY key) {
    uintptr_t value;
    if constexpr (std::is_pointer_v<KEY>) {
      value = reinterpret_cast<uintptr_t>(key);
    } else {
      value = static_cast<uintptr_t>(key);
    }
    return static_cast<unsigned>((value >> 4) % kHashTableSize);
  }

  Node* Find(ARG_KEY key) const {
    if (!m_pHashTable) return nullptr;
    for (Node* node = m_pHashTable[Hash(key)]; node; node = node->pNext) {
      if (node->key == key) return node;
    }
    return nullptr;
  }

  Node* FirstNodeFrom(unsigned bucket) const {
    for (; bucket < kHashTableSize; ++bucket) {
      if (m_pHashTable[bucket]) return m_pHashTable[bucket];
    }
    return nullptr;
  }

  // Takes a node from the free list, filling it with a new block when empty;
  // a block's first node is handed out first.
  Node* NewNode() {
    if (!m_pFreeList) {
      auto* block = static_cast<Block*>(
          CeMalloc(sizeof(Block) + sizeof(Node) * static_cast<size_t>(m_nBlockSize)));
      block->previous = m_pBlocks;
      m_pBlocks = block;
      Node* nodes = reinterpret_cast<Node*>(block + 1);
      for (int i = m_nBlockSize - 1; i >= 0; --i) {
        nodes[i].pNext = m_pFreeList;
        m_pFreeList = &nodes[i];
      }
    }
    Node* node = m_pFreeList;
    m_pFreeList = node->pNext;
    ++m_nCount;
    node->key = KEY();
    return node;
  }

  Node** m_pHashTable = nullptr;
  int m_nCount = 0;
  Node* m_pFreeList = nullptr;
  Block* m_pBlocks = nullptr;
  int m_nBlockSize;
};
