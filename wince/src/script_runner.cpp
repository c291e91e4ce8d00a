#include "script_runner.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "messagebox.h"
#include "ui_state.h"
#include "wince/clock.h"
#include "wince/host/runtime.h"
#include "wince/host/shell.h"
#include "wince/host/text.h"
#include "wince/host/thread.h"
#include "wince/host/window.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/text.h"
#include "wince/thread.h"
#include "wince/window.h"

namespace wince::detail {

namespace {

// Stylus moves of a drag are this many device pixels apart.
constexpr int kDragStep = 8;

int dragMoves(const ScriptCommand& cmd) {
  int dx = std::abs(cmd.args[2] - cmd.args[0]);
  int dy = std::abs(cmd.args[3] - cmd.args[1]);
  int longest = dx > dy ? dx : dy;
  return longest / kDragStep + 1;
}

bool writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

ScriptRunner::ScriptRunner(std::vector<ScriptCommand> commands, Hooks hooks)
    : commands_(std::move(commands)), hooks_(std::move(hooks)) {}

bool ScriptRunner::failed() const {
  if (next_ < commands_.size()) {
    std::fprintf(stderr, "script line %d: the program ended before it\n", commands_[next_].line);
    return true;
  }
  return failed_;
}

void ScriptRunner::fail(const ScriptCommand& cmd, const std::string& what) {
  std::fprintf(stderr, "script line %d: %s\n", cmd.line, what.c_str());
  failed_ = true;
}

DWORD ScriptRunner::step(DWORD dueInMs) {
  while (next_ < commands_.size()) {
    const ScriptCommand& cmd = commands_[next_];
    if (cmd.op == ScriptOp::Wait) {
      DWORD ms = stepWait(cmd, dueInMs);
      if (ms > 0) return ms;
      continue;
    }
    if (cmd.op == ScriptOp::Tap || cmd.op == ScriptOp::Drag || cmd.op == ScriptOp::KeyPress) {
      if (stepInput(cmd)) return 0;
      continue;
    }
    if (cmd.op == ScriptOp::TapControl || cmd.op == ScriptOp::Pick) {
      if (phase_ == 0 && !locate(cmd)) {
        ++next_;
        continue;
      }
      if (stepInput(located_)) return 0;
      continue;
    }
    ++next_;
    if (runCommand(cmd)) return 0;
  }
  return stepEnd();
}

DWORD ScriptRunner::stepWait(const ScriptCommand& cmd, DWORD dueInMs) {
  uint64_t now = clockNowMs();
  if (phase_ == 0) {
    waitUntil_ = now + static_cast<uint64_t>(cmd.args[0]);
    phase_ = 1;
  }
  if (now >= waitUntil_) {
    phase_ = 0;
    ++next_;
    return 0;
  }
  uint64_t left = waitUntil_ - now;
  return static_cast<DWORD>(dueInMs < left ? dueInMs : left);
}

// Where a control or menu item is now, as a tap there; false (the run
// fails) when it is not on the screen.
bool ScriptRunner::locate(const ScriptCommand& cmd) {
  POINT at{};
  const bool found = cmd.op == ScriptOp::TapControl ? controlCentre(cmd.args[0], &at) : menuItemCentre(cmd.text, &at);
  if (!found) {
    fail(cmd, cmd.op == ScriptOp::TapControl ? "no control " + std::to_string(cmd.args[0]) + " on the screen"
                                             : "no open menu item \"" + wideToUtf8(cmd.text) + "\"");
    return false;
  }
  located_ = cmd;
  located_.op = ScriptOp::Tap;
  located_.args[0] = at.x;
  located_.args[1] = at.y;
  return true;
}

// Multi-step input: one step per idle queue, so the program handles the down
// (and the character it makes) before the up.
bool ScriptRunner::stepInput(const ScriptCommand& cmd) {
  int steps = cmd.op == ScriptOp::Drag ? dragMoves(cmd) + 1 : 1;  // phases after the down
  if (cmd.op == ScriptOp::KeyPress) {
    injectKey(static_cast<UINT>(cmd.args[0]), phase_ == 0);
  } else if (phase_ == 0) {
    injectStylus(WM_LBUTTONDOWN, cmd.args[0], cmd.args[1]);
  } else if (phase_ == steps) {
    int x = cmd.op == ScriptOp::Drag ? cmd.args[2] : cmd.args[0];
    int y = cmd.op == ScriptOp::Drag ? cmd.args[3] : cmd.args[1];
    injectStylus(WM_LBUTTONUP, x, y);
  } else {
    int moves = steps - 1;
    int x = cmd.args[0] + (cmd.args[2] - cmd.args[0]) * phase_ / moves;
    int y = cmd.args[1] + (cmd.args[3] - cmd.args[1]) * phase_ / moves;
    injectStylus(WM_MOUSEMOVE, x, y);
  }
  if (phase_ == steps) {
    phase_ = 0;
    ++next_;
  } else {
    ++phase_;
  }
  return true;
}

bool ScriptRunner::runCommand(const ScriptCommand& cmd) {
  std::string error;
  switch (cmd.op) {
    case ScriptOp::KeyDown:
    case ScriptOp::KeyUp:
      injectKey(static_cast<UINT>(cmd.args[0]), cmd.op == ScriptOp::KeyDown);
      return true;
    case ScriptOp::Char:
      for (char16_t c : cmd.text) injectChar(c);
      return true;
    case ScriptOp::Compose:
      injectComposition(cmd.text);
      return true;
    case ScriptOp::Answer:
      answerMessageBox(cmd.args[0]);
      return true;
    case ScriptOp::Screenshot:
      if (!hooks_.screenshot(cmd.path, &error)) fail(cmd, error);
      return false;
    case ScriptOp::Dump:
      if (!writeText(cmd.path, stateDump())) fail(cmd, "cannot write " + cmd.path);
      return false;
    case ScriptOp::Suspend:
    case ScriptOp::Resume:
      if ((cmd.op == ScriptOp::Suspend ? simulateSuspend() : simulateResume()) > 0 && hooks_.awaitPost) {
        hooks_.awaitPost();
      }
      return true;
    default:
      return false;
  }
}

// The program is asked to end the way a user would end it; a program that
// still runs after that gets WM_QUIT, and one that survives even that is a
// fault of the program, reported and ended here.
DWORD ScriptRunner::stepEnd() {
  switch (endPhase_++) {
    case 0:
      if (messageBoxOpen()) {
        dismissMessageBox();
        --endPhase_;
      }
      return 0;
    case 1:
      injectClose();
      return 0;
    case 2:
      PostQuitMessage(0);
      return 0;
    default:
      std::fprintf(stderr, "the program did not end after its script\n");
      std::exit(3);
  }
}

}  // namespace wince::detail
