// The move history of the live game: every change a player can take back,
// oldest first, undone record by record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum SolRecordKind : int32_t {
  kSolRecMove = 0,     // player move: number = from pile, value = from position
  kSolRecAction = 1,   // action executed: number = action, value = previous value
  kSolRecAccept = 2,   // accept flag changed: number = card
  kSolRecCounter = 3,  // counter taken: number = counter
};

struct SolMoveRecord {
  int32_t kind;
  uint8_t stepStart;
  uint8_t reserved;
  uint16_t number;
  int16_t value;
  int16_t toPile;
  int16_t toPos;
  uint8_t reserved2[2];
};
static_assert(sizeof(SolMoveRecord) == 16);

class SolMoveHistory {
 public:
  static constexpr size_t kGrowth = 10;
  using AppendObserver = void (*)(void* context);

  SolMoveHistory();

  // Appends a record and returns its index; tells the observer (the main
  // window resets its hint index).
  size_t Append(const SolMoveRecord& record);
  bool GetAt(size_t index, SolMoveRecord& out) const;
  bool RemoveAt(size_t index);

  size_t Count() const { return m_records.size(); }
  size_t Capacity() const { return m_records.capacity(); }
  const SolMoveRecord* Records() const { return m_records.data(); }
  void SetObserver(AppendObserver observer, void* context);

 private:
  std::vector<SolMoveRecord> m_records;
  AppendObserver m_observer = nullptr;
  void* m_context = nullptr;
};
