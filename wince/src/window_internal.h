// The window manager's state: classes, the window table and the GUI thread's
// bookkeeping (activation, focus, capture, paint order). Window objects are
// found by handle on every use: code never keeps a Window* across a call into
// a window procedure, because the procedure may destroy the window.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "wince/window.h"

namespace wince::win {

struct WindowClass {
  std::u16string name;
  WNDCLASSW wc{};  // lpszClassName points into name
  ATOM atom = 0;
  int liveWindows = 0;
  bool system = false;
};

// What a dialog window carries beyond a plain window.
struct DialogState {
  DLGPROC proc = nullptr;
  bool modal = false;
  bool ended = false;  // EndDialog came, perhaps before the modal loop began
  INT_PTR result = 0;
  HWND lastFocus{};  // the control to focus again on activation
  HFONT font{};
  WORD defaultId = 0;  // DM_SETDEFID; 0: the template's default push button
  int contentHeight = 0;         // the template's height in pixels
  bool scrollsContent = false;  // a page taller than its place: WM_VSCROLL moves the controls
};

// A standard control's own data, owned by its window.
struct ControlState {
  virtual ~ControlState() = default;
};

struct Window {
  HWND handle{};
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT_PTR id = 0;
  HINSTANCE instance{};
  HWND parent{};  // the desktop for top-level windows
  HWND owner{};   // top-level windows only
  std::vector<HWND> children;  // z-order, topmost first
  RECT rect{};                 // in the parent's client coordinates
  std::u16string text;
  LONG_PTR userData = 0;
  std::vector<LONG_PTR> extra;  // one slot per 4 bytes of cbWndExtra
  HFONT font{};
  HICON icons[2]{};
  bool redraw = true;
  bool destroying = false;
  // Painting: the update area as a bounding rectangle in client coordinates.
  bool dirty = false;
  bool erase = false;
  RECT update{};
  size_t paintIndex = 0;  // position in the paint order while visible
  HRGN region{};
  RECT regionBox{};  // window coordinates
  SCROLLINFO scroll[2]{};
  std::unique_ptr<DialogState> dialog;
  std::unique_ptr<ControlState> control;
  bool stylusTransparent = false;  // taps reach the windows below (group boxes)
};

struct Gui {
  bool initialised = false;
  std::vector<std::unique_ptr<Window>> slots;  // handle = (index + 1) << 4
  std::vector<std::unique_ptr<WindowClass>> classes;
  ATOM nextAtom = 0xC000;
  HWND desktop{};
  HWND active{};
  HWND lastActive{};
  HWND focus{};
  HWND capture{};
  bool appActive = true;
  // Visible windows, bottom to top, each before its children: the order in
  // which painting one over the other gives the screen.
  std::vector<HWND> paintOrder;
  bool paintOrderStale = true;
  int dirtyCount = 0;
};

// The window table. Built before any code runs; the desktop window is made
// on first use.
extern Gui theGui;
void initialiseGui();

inline Gui& gui() {
  if (!theGui.initialised) [[unlikely]]
    initialiseGui();
  return theGui;
}

constexpr uintptr_t kHandleShift = 4;

// The live window of a handle, or null.
inline Window* find(HWND hwnd) {
  const auto value = reinterpret_cast<uintptr_t>(hwnd);
  if (value == 0 || (value & ((uintptr_t{1} << kHandleShift) - 1)) != 0) return nullptr;
  Gui& g = gui();
  const uintptr_t index = (value >> kHandleShift) - 1;
  if (index >= g.slots.size()) return nullptr;
  return g.slots[index].get();
}
Window* desktopWindow();
bool isDesktop(HWND hwnd);
HWND topLevelOf(HWND hwnd);
bool isTopLevel(const Window* w);
bool isAncestor(HWND ancestor, HWND hwnd);  // true also when equal
HWND newHandle();
WindowClass* findClass(LPCWSTR name);
void registerSystemClasses();

// IsWindow: a live window other than the desktop.
inline bool isLiveWindow(HWND hwnd) { return find(hwnd) != nullptr && hwnd != theGui.desktop; }

// Calls the window's procedure; 0 for a dead handle.
inline LRESULT callWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = find(hwnd);
  if (w == nullptr || w->proc == nullptr) return 0;
  return w->proc(hwnd, msg, wParam, lParam);
}

// Geometry helpers (window_geometry.cpp).
// Height of the title row a captioned pop-up narrower than the screen draws
// below its top border (0 for others: a full-width window's title shows in
// the task bar).
int titleRowOf(DWORD style, LONG width);
RECT clientRectLocal(const Window* w);   // client area in window coordinates
RECT windowRectScreen(const Window* w);
RECT clientRectScreen(const Window* w);
POINT clientOriginScreen(const Window* w);
bool visibleOnScreen(const Window* w);   // it and every ancestor WS_VISIBLE
RECT screenRect();
RECT workArea();

// Paint bookkeeping (window_paint.cpp).
void markPaintOrderStale();
const std::vector<HWND>& currentPaintOrder();
void invalidateClient(Window* w, const RECT* rect, bool erase);
// Everything under a screen area, except the subtree of `skip`, repaints.
void invalidateScreenArea(const RECT& area, HWND skip);
void clearUpdate(Window* w);
// The first window (in paint order) waiting for WM_PAINT that passes the
// filter, or null.
HWND nextWindowToPaint(HWND filter);
inline bool anyWindowDirty() { return gui().dirtyCount != 0; }

// Hit testing (window_tree.cpp): the deepest visible, enabled window under a
// screen point.
HWND hitTest(POINT screenPt);

// The frame (window_frame.cpp): draws the border and scroll bars; a stylus
// event on a scroll bar (or during a drag that began on one) becomes
// WM_VSCROLL / WM_HSCROLL, and the function answers true.
void drawFrame(HWND hwnd);
bool scrollBarStylus(UINT msg, POINT screenPt, HWND target);
void resetScrollTracking();

// Z-order (window_zorder.cpp). restack gives a parent's children a new
// order and repaints what came on top; raiseToTop brings a window (with the
// windows it owns, which stay above it) to the top, below topmost windows.
void restack(HWND parent, std::vector<HWND> order);
void raiseToTop(HWND hwnd);

// State helpers (window_state.cpp).
HWND activate(HWND hwnd, WORD how);
void activateAfterLoss(HWND leaving);
void forgetWindow(HWND hwnd);  // clears focus, capture and activation refs

// Timers (timer.cpp).
void killWindowTimers(HWND hwnd);
void dropTimers();
bool timerExists(HWND hwnd, UINT_PTR id);
// Milliseconds until the next timer is due (0 when one is due), or INFINITE.
DWORD msUntilNextTimer(uint64_t now);
extern uint64_t earliestTimerDue;  // kept by timer.cpp
inline uint64_t nextTimerDue() { return earliestTimerDue; }  // UINT64_MAX without timers
// Fills a WM_TIMER for the earliest due timer passing the filter; with
// `remove` the timer starts its next period.
bool takeDueTimer(MSG* msg, HWND filter, uint64_t now, bool remove);

// Queue (queue.cpp, queue_input.cpp, queue_modal.cpp).
void noteGuiThread();
DWORD guiThreadId();
bool isGuiThread();
inline bool matchesWindowFilter(HWND hwnd, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
  return hwnd == filter || IsChild(filter, hwnd);
}
void postToFront(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Drops the messages posted to a window that is being freed: a message is
// never delivered to a dead window.
void dropPostedFor(HWND hwnd);
// Where the stylus is, stamped on every message: a plain read.
extern POINT stylusNow;
inline POINT stylusPosition() { return stylusNow; }
// Where keys go: the focus window, else the active window; null while that
// window's top-level window is disabled.
HWND keyTarget();
void resetQueue();
void resetInput();
void resetModal();

// Empties and closes the clipboard (window_clipboard.cpp).
void resetClipboard();

// Dialog clean-up when a dialog window dies (dialog.cpp).
void endModalFor(HWND hwnd);

// A dialog made as a child of `parent` (a property sheet's page), whatever
// its template's style says: hidden, at the parent's client origin; null
// when anything fails. WM_INITDIALOG has been sent when it returns.
HWND createChildDialog(HINSTANCE instance, const BYTE* data, size_t size, HWND parent, DLGPROC proc, LPARAM param);
// A template of a hidden popup without controls, for the runtime's own
// dialogs that make their controls themselves.
LPCDLGTEMPLATE blankDialogTemplate();
// Templates handed over by pointer carry no size; none is this large.
constexpr size_t kIndirectTemplateLimit = 64 * 1024;

// Single instance (instance.cpp).
void publishInstance(HWND hwnd);
void unpublishInstance(HWND hwnd);
HWND findRemoteInstance(LPCWSTR className);
bool isRemoteInstance(HWND hwnd);
bool raiseRemoteInstance(HWND hwnd);
void resetInstances();
// A start refused for another instance: since beginStartCheck, this process
// found another instance of a class (FindWindow) and published no window.
void beginStartCheck();
bool startWasRefused();
// Runs a raise request another process sent (GUI thread). Looked at on
// every fetch: a plain load of the flag, the rest out of line.
extern std::atomic<bool> raiseRequested;
void runRaiseRequest();
inline void serviceInstanceRequests() {
  if (raiseRequested.load(std::memory_order_relaxed)) [[unlikely]]
    runRaiseRequest();
}

// Rectangle arithmetic on the runtime's own terms.
inline bool rectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (rectEmpty(r)) r = RECT{0, 0, 0, 0};
  return r;
}
inline RECT unite(const RECT& a, const RECT& b) {
  if (rectEmpty(a)) return b;
  if (rectEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}
inline RECT offset(const RECT& r, LONG dx, LONG dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
inline bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace wince::win
