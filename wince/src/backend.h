// The back end: what stands between the runtime and the desktop. One back end
// is active per process (an SDL2 window or headless); the message queue asks
// it for input through wince::EventSource when it has nothing to deliver.
#pragma once

#include <memory>
#include <string>

#include "wince/window.h"

namespace wince::detail {

class Backend : public EventSource {
 public:
  // Writes what the user sees as a PNG file; false with *error on failure.
  virtual bool screenshot(const std::string& path, std::string* error) = 0;
  virtual bool headless() const = 0;
};

// Makes `backend` the active one and the queue's event source (null: none).
void installBackend(std::unique_ptr<Backend> backend);
Backend* activeBackend();

}  // namespace wince::detail
