// Window table, creation and destruction, window longs and text.
#include <algorithm>
#include <cstring>

#include "wince/gdi.h"
#include "wince/host/window.h"
#include "wince/text.h"
#include "window_internal.h"

namespace wince::win {

constinit Gui theGui;

namespace {

void createDesktop(Gui& g) {
  registerSystemClasses();
  auto w = std::make_unique<Window>();
  w->handle = reinterpret_cast<HWND>(uintptr_t{1} << kHandleShift);
  w->cls = findClass(u"#desktop");
  w->cls->liveWindows++;
  w->proc = w->cls->wc.lpfnWndProc;
  w->style = WS_VISIBLE | WS_CLIPCHILDREN;
  g.desktop = w->handle;
  g.slots.push_back(std::move(w));
  g.paintOrderStale = true;
}

}  // namespace

void initialiseGui() {
  theGui.initialised = true;
  createDesktop(theGui);
}

HWND newHandle() {
  Gui& g = gui();
  g.slots.emplace_back();
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(g.slots.size()) << kHandleShift);
}

Window* desktopWindow() { return find(gui().desktop); }
bool isDesktop(HWND hwnd) { return hwnd != nullptr && hwnd == gui().desktop; }
bool isTopLevel(const Window* w) { return w != nullptr && w->parent == gui().desktop; }

HWND topLevelOf(HWND hwnd) {
  Window* w = find(hwnd);
  while (w != nullptr && !isTopLevel(w)) w = find(w->parent);
  return (w != nullptr && !isDesktop(w->handle)) ? w->handle : nullptr;
}

bool isAncestor(HWND ancestor, HWND hwnd) {
  for (Window* w = find(hwnd); w != nullptr; w = find(w->parent)) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

namespace {

void defaultGeometry(bool topLevel, int& x, int& y, int& cx, int& cy) {
  const RECT work = topLevel ? workArea() : RECT{0, 0, 0, 0};
  if (x == CW_USEDEFAULT) {
    x = work.left;
    y = work.top;
  }
  if (cx == CW_USEDEFAULT) {
    cx = work.right - work.left;
    cy = work.bottom - work.top;
  }
}

// Unlinks a dead window from its parent and frees it and its subtree.
void freeSubtree(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  for (HWND child : std::vector<HWND>(w->children)) freeSubtree(child);
  killWindowTimers(hwnd);
  dropPostedFor(hwnd);
  forgetWindow(hwnd);
  unpublishInstance(hwnd);
  if (w->dirty) gui().dirtyCount--;
  if (w->region) DeleteObject(w->region);
  if (w->dialog && w->dialog->font) DeleteObject(w->dialog->font);
  if (w->cls) w->cls->liveWindows--;
  if (Window* p = find(w->parent)) std::erase(p->children, hwnd);
  const uintptr_t index = (reinterpret_cast<uintptr_t>(hwnd) >> kHandleShift) - 1;
  gui().slots[index].reset();
}

void markDestroying(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  w->destroying = true;
  for (HWND child : w->children) markDestroying(child);
}

// WM_DESTROY to the window, then to each child and its children.
void sendDestroy(HWND hwnd) {
  callWindow(hwnd, WM_DESTROY, 0, 0);
  Window* w = find(hwnd);
  if (w == nullptr) return;
  for (HWND child : std::vector<HWND>(w->children)) sendDestroy(child);
}

std::vector<HWND> ownedWindows(HWND owner) {
  std::vector<HWND> out;
  for (HWND top : desktopWindow()->children) {
    Window* t = find(top);
    if (t != nullptr && t->owner == owner && !t->destroying) out.push_back(top);
  }
  return out;
}

}  // namespace

}  // namespace wince::win

using namespace wince::win;

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int cx, int cy,
                    HWND parent, HMENU menuOrId, HINSTANCE hInstance, LPVOID param) {
  noteGuiThread();
  WindowClass* cls = findClass(className);
  if (cls == nullptr) return nullptr;
  const bool child = (style & WS_CHILD) != 0;
  Window* parentWindow = find(parent);
  if (child && (parentWindow == nullptr || parentWindow->destroying)) return nullptr;
  if (!child && parent != nullptr && parentWindow == nullptr) return nullptr;

  Gui& g = gui();
  defaultGeometry(!child, x, y, cx, cy);
  auto w = std::make_unique<Window>();
  w->handle = newHandle();
  w->cls = cls;
  w->proc = cls->wc.lpfnWndProc;
  w->style = style & ~(WS_VISIBLE);
  w->exStyle = exStyle;
  w->id = child ? reinterpret_cast<UINT_PTR>(menuOrId) : 0;
  w->instance = hInstance;
  w->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
  if (title != nullptr) w->text = title;
  w->extra.assign(static_cast<size_t>(std::max(cls->wc.cbWndExtra, 0) + 3) / 4, 0);
  if (child) {
    w->parent = parent;
  } else {
    w->parent = g.desktop;
    w->owner = topLevelOf(parent);  // a child as owner stands for its top-level window
  }
  const HWND hwnd = w->handle;
  Window* p = find(w->parent);
  if (child) {
    p->children.push_back(hwnd);  // new children go to the bottom, in creation order
  } else {
    // New top-level windows go on top, below the topmost ones unless topmost.
    auto at = p->children.begin();
    if (!(exStyle & WS_EX_TOPMOST)) {
      while (at != p->children.end() && (find(*at)->exStyle & WS_EX_TOPMOST)) ++at;
    }
    p->children.insert(at, hwnd);
  }
  cls->liveWindows++;
  g.slots.back() = std::move(w);

  CREATESTRUCTW cs{};
  cs.lpCreateParams = param;
  cs.hInstance = hInstance;
  cs.hMenu = menuOrId;
  cs.hwndParent = parent;
  cs.x = x;
  cs.y = y;
  cs.cx = cx;
  cs.cy = cy;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = title;
  cs.lpszClass = cls->name.c_str();
  cs.dwExStyle = exStyle;
  if (callWindow(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  Window* made = find(hwnd);
  if (made == nullptr || made->destroying) return nullptr;
  const RECT client = clientRectLocal(made);
  callWindow(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  if ((made = find(hwnd)) == nullptr) return nullptr;
  const POINT origin{made->rect.left + client.left, made->rect.top + client.top};
  callWindow(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  if (!IsWindow(hwnd)) return nullptr;
  if (!child) publishInstance(hwnd);
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || w->destroying || isDesktop(hwnd)) return FALSE;
  // Owned windows go first, as they cannot outlive their owner.
  for (HWND owned : ownedWindows(hwnd)) DestroyWindow(owned);
  if ((w = find(hwnd)) == nullptr || w->destroying) return FALSE;

  const bool wasVisible = visibleOnScreen(w);
  const RECT area = windowRectScreen(w);
  markDestroying(hwnd);
  w->style &= ~WS_VISIBLE;
  markPaintOrderStale();
  if (wasVisible) invalidateScreenArea(area, hwnd);
  if (isAncestor(hwnd, gui().active)) activateAfterLoss(hwnd);
  if (isAncestor(hwnd, gui().focus)) SetFocus(nullptr);
  if (isAncestor(hwnd, gui().capture)) ReleaseCapture();
  endModalFor(hwnd);
  sendDestroy(hwnd);
  freeSubtree(hwnd);
  markPaintOrderStale();
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return isLiveWindow(hwnd) ? TRUE : FALSE; }

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc != nullptr ? proc(hwnd, msg, wParam, lParam) : 0;
}

namespace {

LONG_PTR* extraSlot(Window* w, int index) {
  if (index < 0 || index % 4 != 0) return nullptr;
  const size_t slot = static_cast<size_t>(index) / 4;
  return slot < w->extra.size() ? &w->extra[slot] : nullptr;
}

}  // namespace

LONG_PTR GetWindowLong(HWND hwnd, int index) {
  Window* w = find(hwnd);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWL_USERDATA: return w->userData;
    default: {
      LONG_PTR* slot = extraSlot(w, index);
      return slot != nullptr ? *slot : 0;
    }
  }
}

LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
  Window* w = find(hwnd);
  if (w == nullptr) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWL_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(w->proc);
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWL_ID:
      old = static_cast<LONG_PTR>(w->id);
      w->id = static_cast<UINT_PTR>(value);
      return old;
    case GWL_STYLE: {
      // Visibility changes through ShowWindow only; the frame follows on
      // the next SetWindowPos(SWP_FRAMECHANGED).
      old = static_cast<LONG>(w->style);
      w->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
      return old;
    }
    case GWL_EXSTYLE:
      old = static_cast<LONG>(w->exStyle);
      w->exStyle = static_cast<DWORD>(value);
      return old;
    case GWL_USERDATA:
      old = w->userData;
      w->userData = value;
      return old;
    default: {
      LONG_PTR* slot = extraSlot(w, index);
      if (slot == nullptr) return 0;
      old = *slot;
      *slot = value;
      return old;
    }
  }
}

int GetWindowText(HWND hwnd, LPWSTR buf, int n) {
  if (buf == nullptr || n <= 0) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetWindowText(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

namespace wince {

void resetWindowing() {
  Gui& g = gui();
  while (!desktopWindow()->children.empty()) {
    const HWND top = desktopWindow()->children.front();
    if (!DestroyWindow(top)) freeSubtree(top);
  }
  dropTimers();
  resetQueue();
  resetInput();
  resetModal();
  resetInstances();
  resetClipboard();
  std::erase_if(g.classes, [](const auto& c) { return !c->system; });
  g.active = g.lastActive = g.focus = g.capture = nullptr;
  g.appActive = true;
  clearUpdate(desktopWindow());
  markPaintOrderStale();
}

}  // namespace wince
