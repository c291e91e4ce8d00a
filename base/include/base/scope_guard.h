// A scope guard: runs its action when it leaves scope, unless dismissed.
//
//   base::ScopeGuard closeFile([&] { close(fd); });
//   ...
//   closeFile.dismiss();  // the file now belongs to someone else
#pragma once

#include <utility>

namespace base {

template <class Action>
class [[nodiscard]] ScopeGuard {
 public:
  explicit ScopeGuard(Action action) : m_action(std::move(action)) {}
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;
  ~ScopeGuard() {
    if (m_armed) m_action();
  }

  void dismiss() { m_armed = false; }

 private:
  Action m_action;
  bool m_armed = true;
};

}  // namespace base
