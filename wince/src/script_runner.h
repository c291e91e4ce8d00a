// Runs a parsed script against the program, one step each time the message
// queue runs dry, so every input is handled before the next command.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "script.h"

namespace wince::detail {

class ScriptRunner {
 public:
  struct Hooks {
    // Writes the screen as a PNG; false with *error on failure.
    std::function<bool(const std::string& path, std::string* error)> screenshot;
    // Gives another thread the chance to post what a power transition
    // started (the back end returns when a post arrives or after a while).
    std::function<void()> awaitPost;
  };

  ScriptRunner(std::vector<ScriptCommand> commands, Hooks hooks);

  // The queue is idle and the next timer is due in dueInMs (INFINITE: none).
  // Runs commands until one gave the program input, then answers 0; or
  // answers how long the back end should let time pass (at most dueInMs)
  // before calling again. After the last command the program is asked to
  // end: an open message box is dismissed, WM_CLOSE goes to the active
  // window, then WM_QUIT is posted.
  DWORD step(DWORD dueInMs);

  // Whether a command failed (reported on stderr as "script line N: ..."),
  // or the program ended before the script did.
  bool failed() const;

 private:
  bool runCommand(const ScriptCommand& cmd);  // true when it gave input
  DWORD stepWait(const ScriptCommand& cmd, DWORD dueInMs);
  bool stepInput(const ScriptCommand& cmd);
  bool locate(const ScriptCommand& cmd);
  DWORD stepEnd();
  void fail(const ScriptCommand& cmd, const std::string& what);

  std::vector<ScriptCommand> commands_;
  Hooks hooks_;
  size_t next_ = 0;
  ScriptCommand located_{};  // a tapcontrol or pick turned into a tap
  int phase_ = 0;            // progress inside a multi-step command
  uint64_t waitUntil_ = 0;   // wait: when it ends
  int endPhase_ = 0;
  bool failed_ = false;
};

}  // namespace wince::detail
