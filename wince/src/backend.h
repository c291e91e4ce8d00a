// The back end: what stands between the runtime and the desktop. One back end
// is active per process (an SDL2 window or headless); the message queue asks
// it for input through wince::EventSource when it has nothing to deliver.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "script.h"
#include "wince/host/window.h"
#include "wince/window.h"

namespace wince::detail {

class Backend : public EventSource {
 public:
  // Writes what the user sees as a PNG file; false with *error on failure.
  virtual bool screenshot(const std::string& path, std::string* error) = 0;
  virtual bool headless() const = 0;
  // Whether a script command failed (the process then ends with an error).
  virtual bool scriptFailed() const { return false; }
};

// The back ends the launcher can choose. `script` may be empty (no script).
// The SDL2 one returns null with *error when no window can be opened.
std::unique_ptr<Backend> makeHeadlessBackend(std::vector<ScriptCommand> script);
std::unique_ptr<Backend> makeSdlBackend(const char* title, int zoom, std::vector<ScriptCommand> script,
                                        std::string* error);

// The desktop's keys and what they stand for on the device, one a line.
void printDesktopKeyMap(FILE* out);

// Makes `backend` the active one and the queue's event source (null: none).
void installBackend(std::unique_ptr<Backend> backend);
Backend* activeBackend();

}  // namespace wince::detail
