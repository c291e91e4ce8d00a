#include "sol_history.h"

SolMoveHistory::SolMoveHistory() { m_records.reserve(kGrowth); }

size_t SolMoveHistory::Append(const SolMoveRecord& record) {
  if (m_records.size() == m_records.capacity()) m_records.reserve(m_records.capacity() + kGrowth);
  m_records.push_back(record);
  if (m_observer) m_observer(m_context);
  return m_records.size() - 1;
}

bool SolMoveHistory::GetAt(size_t index, SolMoveRecord& out) const {
  if (index >= m_records.size()) return false;
  out = m_records[index];
  return true;
}

bool SolMoveHistory::RemoveAt(size_t index) {
  if (index >= m_records.size()) return false;
  m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

void SolMoveHistory::SetObserver(AppendObserver observer, void* context) {
  m_observer = observer;
  m_context = context;
}
