// Windowing for the back ends, the launcher and the tests (programs use
// wince/window.h): the event source, device input, modal loops, message
// loop helpers, the reset between runs and the single-instance settings.
#pragma once

#include <cstdint>
#include <functional>

#include "wince/window.h"

namespace wince {

// Where GetMessage waits when nothing is queued, no window needs painting
// and no timer is due. The back end installs one.
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Wait up to timeoutMs (INFINITE: no timer is set) for input and feed it in
  // with the inject* calls below. Under the virtual clock do not wait: run
  // the next scripted step, or advance the clock (by at most timeoutMs, so a
  // timer fires exactly on time). Return false when no input will ever come
  // again (the script has ended): the queue then runs on its own (below).
  virtual bool waitForEvents(DWORD timeoutMs) = 0;
  // Quick look for input, from PeekMessage. Never blocks.
  virtual void pollEvents() {}
  // A message was posted from another thread: end waitForEvents early.
  // Called from any thread.
  virtual void wake() {}
};
// Without a source (or once it returned false) the queue runs on its own: on
// the real clock it blocks until a timer is due or another thread posts; on
// the virtual clock it moves the clock to the next timer's due time (and
// blocks for a post when no timer is set).
void setEventSource(EventSource* source);

// Input from the device. Keys go to the focus window (else the active
// window) as WM_KEYDOWN/WM_KEYUP, with GetAsyncKeyState updated at once;
// repeated downs count as auto-repeat. Characters post WM_CHAR to the same
// window. Stylus messages (WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP) take
// device-screen coordinates and go to the capture window, else to the
// window under the point, in its client coordinates with MK_LBUTTON while
// the stylus is down; a tap on an inactive top-level window activates it.
// Input for a disabled window (a modal loop's owner) is dropped.
void injectKey(UINT vk, bool down);
void injectChar(WCHAR ch);
void injectStylus(UINT msg, int x, int y);
// Closing the desktop window: WM_CLOSE to the program's main window (the
// top owner of the active window).
void injectClose();
// The desktop window gained or lost focus: WM_ACTIVATE to the program's
// active (or last active) top-level window, with its WM_SETFOCUS or
// WM_KILLFOCUS.
void injectAppActive(bool active);
// Called with each key before it is queued; returning true consumes it
// (the shell turns overridden soft keys into WM_HOTKEY this way).
void setKeyFilter(std::function<bool(UINT vk, bool down)> filter);
// The key state alone, without messages (tests); clearKeyStates releases
// every key (focus loss, test set-up).
void setKeyState(int vk, bool down);
void clearKeyStates();

// Modal loops (dialog boxes, message boxes, menu tracking). runModalLoop
// disables the owner's top-level window (WM_CANCELMODE, WM_ENABLE FALSE),
// calls the modal hook, dispatches messages (the owner's too,
// timers included) until endModalLoop(window, result), then re-enables the
// owner (activation returns to it when the modal window is hidden or
// destroyed). A WM_QUIT met inside ends the loop with
// IDCANCEL and is posted again for the outer loop.
enum class ModalKind { Dialog, MessageBox, Menu };
INT_PTR runModalLoop(HWND owner, HWND window, ModalKind kind);
void endModalLoop(HWND window, INT_PTR result);
// Depth of nested modal loops now running.
int modalDepth();
// Called once per modal loop, inside it, before the first message.
void setModalHook(std::function<void(HWND window, ModalKind kind)> hook);

// Message loop helpers for headless runs and tests (GUI thread only).
// Dispatches everything queued and every due paint and timer without moving
// the clock. Returns false when WM_QUIT is pending (it stays pending).
bool dispatchPending();
// Under the virtual clock: advances the clock by ms in steps that end at
// each timer's due time, dispatching what is pending after each step.
// Returns false when WM_QUIT is pending.
bool runFor(uint64_t ms);
// The exit code of PostQuitMessage when WM_QUIT is pending.
bool quitPending(int* exitCode);

// Destroys every window and clears classes, timers, queue, input state and
// hooks: a fresh start for the next test or program run.
void resetWindowing();

// Single instance across processes: files live in the user's runtime folder
// (XDG_RUNTIME_DIR, else the temp folder), under the namespace given here or
// by WINCE_INSTANCE_NAMESPACE (headless runs default to one of their own
// process), so parallel test runs never meet.
void setInstanceNamespace(const char* ns);
// Called when another process asked this one to come forward, after the
// program's window was activated (the SDL back end raises its window).
void setRaiseHook(std::function<void()> hook);

}  // namespace wince
