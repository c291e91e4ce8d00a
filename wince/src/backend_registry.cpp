#include <utility>

#include "backend.h"

#include "wince/host/window.h"

namespace wince::detail {

namespace {
std::unique_ptr<Backend>& slot() {
  static std::unique_ptr<Backend> backend;
  return backend;
}
}  // namespace

void installBackend(std::unique_ptr<Backend> backend) {
  setEventSource(backend.get());
  slot() = std::move(backend);
}

Backend* activeBackend() { return slot().get(); }

}  // namespace wince::detail
