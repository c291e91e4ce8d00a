#include "backend.h"

#include <utility>

namespace wince::detail {

namespace {
std::unique_ptr<Backend>& slot() {
  static std::unique_ptr<Backend> backend;
  return backend;
}
}  // namespace

void installBackend(std::unique_ptr<Backend> backend) { slot() = std::move(backend); }

Backend* activeBackend() { return slot().get(); }

bool backendWait(DWORD dueInMs) {
  Backend* b = activeBackend();
  return b != nullptr && b->wait(dueInMs);
}

void backendWake() {
  if (Backend* b = activeBackend()) b->wake();
}

}  // namespace wince::detail
