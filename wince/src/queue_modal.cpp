// Nested message loops for dialog boxes, message boxes and menus.
#include <algorithm>
#include <vector>

#include "window_internal.h"

#include "wince/host/window.h"

namespace wince::win {

namespace {

struct ModalFrame {
  HWND window;
  bool ended;
  INT_PTR result;
};

struct ModalState {
  std::vector<ModalFrame*> frames;  // innermost last
  std::function<void(HWND, ModalKind)> hook;
};

ModalState& modal() {
  static ModalState s;
  return s;
}

void finish(ModalFrame* f, INT_PTR result) {
  f->ended = true;
  f->result = result;
  // Wakes a loop blocked in GetMessage; dispatching it does nothing.
  PostMessage(nullptr, WM_NULL, 0, 0);
}

}  // namespace

void endModalFor(HWND hwnd) {
  for (ModalFrame* f : modal().frames) {
    if (!f->ended && isAncestor(hwnd, f->window)) finish(f, f->result);
  }
}

void resetModal() { modal().hook = nullptr; }

}  // namespace wince::win

namespace wince {

INT_PTR runModalLoop(HWND owner, HWND window, ModalKind kind) {
  win::ModalState& s = win::modal();
  const HWND ownerTop = win::topLevelOf(owner);
  bool disabledOwner = false;
  if (ownerTop != nullptr && IsWindowEnabled(ownerTop)) {
    EnableWindow(ownerTop, FALSE);  // sends WM_CANCELMODE, then WM_ENABLE
    disabledOwner = true;
  }
  win::ModalFrame frame{window, false, IDCANCEL};
  // Also when an exception from a window procedure leaves the loop: the
  // frame goes and the owner is enabled again.
  struct Unwind {
    win::ModalState& s;
    win::ModalFrame* frame;
    HWND owner;
    ~Unwind() {
      std::erase(s.frames, frame);
      if (owner != nullptr && IsWindow(owner)) EnableWindow(owner, TRUE);
    }
  } unwind{s, &frame, disabledOwner ? ownerTop : nullptr};
  s.frames.push_back(&frame);
  if (s.hook) s.hook(window, kind);
  MSG msg;
  while (!frame.ended && IsWindow(window)) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      frame.result = IDCANCEL;
      break;
    }
    if (kind == ModalKind::Dialog && IsDialogMessage(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return frame.result;
}

void endModalLoop(HWND window, INT_PTR result) {
  auto& frames = win::modal().frames;
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    if ((*it)->window == window && !(*it)->ended) {
      win::finish(*it, result);
      return;
    }
  }
}

int modalDepth() { return static_cast<int>(win::modal().frames.size()); }

void setModalHook(std::function<void(HWND window, ModalKind kind)> hook) { win::modal().hook = std::move(hook); }

}  // namespace wince
