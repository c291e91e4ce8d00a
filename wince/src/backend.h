// The back end: what stands between the runtime and the desktop. One back end
// is active per process (SDL2 window or headless); the message queue asks it
// for input when it has nothing else to deliver.
#pragma once

#include <memory>
#include <string>

#include "wince/types.h"

namespace wince::detail {

class Backend {
 public:
  virtual ~Backend() = default;

  // The queue is idle: nothing posted, nothing to paint, no timer due for
  // dueInMs (INFINITE: no timer at all). Wait at most that long for input and
  // post what arrives. False when no input will ever come again.
  virtual bool wait(DWORD dueInMs) = 0;
  // Thread-safe: ends a blocking wait early (a post from another thread).
  virtual void wake() = 0;
  // Writes what the user sees as a PNG file; false with a message on failure.
  virtual bool screenshot(const std::string& path, std::string* error) = 0;
  virtual bool headless() const = 0;
};

// Makes `backend` the active one (null: none, as in unit tests).
void installBackend(std::unique_ptr<Backend> backend);
Backend* activeBackend();

// The queue's side: with no back end, wait returns false at once and wake
// does nothing.
bool backendWait(DWORD dueInMs);
void backendWake();

}  // namespace wince::detail
