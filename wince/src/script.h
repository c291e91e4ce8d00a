// Scripts that drive a program: plain text (UTF-8), one command a line, '#'
// starts a comment. Used by the headless back end, by tests and from the command line.
//
//   key down|up|press KEY     KEY: a name (left, right, up, down, action,
//                              return, back, softkey1, softkey2, 0-9, a-z, ...)
//                              or a virtual-key number
//   char TEXT                  WM_CHAR for each UTF-16 unit of TEXT; U+XXXX
//                              stands for one unit given in hex (U+0023 for '#')
//   compose TEXT               TEXT as the input method's result (as for char)
//   tap X Y                    stylus down and up at device pixel (X, Y)
//   drag X1 Y1 X2 Y2           stylus down, moves along the line, up
//   tapcontrol ID              a tap on the middle of the visible control
//                              with this id (in the topmost window that has one)
//   pick TEXT                  a tap on the item of an open popup menu that
//                              reads TEXT
//   wait MS                    let MS milliseconds pass (timers fire), at most
//                              two hours (kLongestWaitMs)
//   answer ANSWER              answer the open message box, or the next one:
//                              ok, cancel, yes, no, abort, retry, ignore or a number
//   screenshot FILE            the screen as a PNG file
//   dump FILE                  the program's state as plain text
//   suspend / resume           a power transition of the device
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wince/types.h"

namespace wince::detail {

enum class ScriptOp {
  KeyDown, KeyUp, KeyPress, Char, Compose, Tap, Drag, TapControl, Pick, Wait, Answer, Screenshot, Dump, Suspend, Resume
};

struct ScriptCommand {
  ScriptOp op;
  int line = 0;          // 1-based, for messages
  int args[4] = {};      // key, coordinates, milliseconds or answer
  std::u16string text;   // Char, Compose, Pick
  std::string path;      // Screenshot, Dump
};

// The longest wait: the virtual clock still steps through every timer on
// the way, so a longer one would take long real minutes.
constexpr int kLongestWaitMs = 2 * 60 * 60 * 1000;

// False with "line N: ..." in *error at the first bad line. A UTF-8
// byte-order mark before the first line is skipped.
bool parseScript(std::string_view text, std::vector<ScriptCommand>* out, std::string* error);
bool loadScript(const std::string& path, std::vector<ScriptCommand>* out, std::string* error);

// Virtual-key code of a key name or number; -1 when unknown.
int scriptKeyCode(std::string_view name);
// Message-box answer (IDOK...) of a name or number; -1 when unknown.
int scriptAnswerCode(std::string_view name);

}  // namespace wince::detail
