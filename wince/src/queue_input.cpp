// Input from the back end: keys, characters and the stylus, the key state,
// and the translations of key messages (characters and accelerators).
#include <array>
#include <atomic>
#include <cstdlib>

#include "wince/clock.h"
#include "wince/host/resource.h"
#include "wince/host/window.h"
#include "wince/resource.h"
#include "wince/system.h"
#include "shell_taskbar.h"
#include "window_internal.h"

namespace wince::win {

constinit POINT stylusNow{};

namespace {

constexpr uint8_t kDown = 1;
constexpr uint8_t kPressed = 2;  // went down since the last GetAsyncKeyState

struct InputState {
  std::array<std::atomic<uint8_t>, 256> keys{};
  std::function<bool(UINT, bool)> keyFilter;
  bool stylusDown = false;
  HWND lastDownWindow{};
  uint64_t lastDownTime = 0;
  POINT lastDownPoint{};
  HWND focusBeforeDeactivation{};
};

InputState& input() {
  static InputState s;
  return s;
}

bool isDoubleClick(HWND target, POINT pt, uint64_t now) {
  InputState& s = input();
  Window* w = find(target);
  if (w == nullptr || !(w->cls->wc.style & CS_DBLCLKS) || s.lastDownWindow != target) return false;
  if (now - s.lastDownTime > 500) return false;
  const int slopX = std::max(GetSystemMetrics(SM_CXDOUBLECLK), 2) / 2;
  const int slopY = std::max(GetSystemMetrics(SM_CYDOUBLECLK), 2) / 2;
  return std::abs(pt.x - s.lastDownPoint.x) <= slopX && std::abs(pt.y - s.lastDownPoint.y) <= slopY;
}

WCHAR characterFor(WPARAM vk) {
  if (vk >= 'A' && vk <= 'Z') {
    const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    return static_cast<WCHAR>(shift ? vk : vk - 'A' + 'a');
  }
  if (vk >= '0' && vk <= '9') return static_cast<WCHAR>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<WCHAR>(vk - VK_NUMPAD0 + '0');
  if (vk == VK_SPACE) return u' ';
  if (vk == VK_RETURN) return u'\r';
  return 0;
}

bool modifiersMatch(WORD flags) {
  const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  const bool alt = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
  return shift == ((flags & FSHIFT) != 0) && control == ((flags & FCONTROL) != 0) && alt == ((flags & FALT) != 0);
}

}  // namespace

HWND keyTarget() {
  HWND target = GetFocus() != nullptr ? GetFocus() : GetActiveWindow();
  if (target == nullptr || !IsWindowEnabled(topLevelOf(target))) return nullptr;
  return target;
}


void resetInput() {
  InputState& s = input();
  for (auto& k : s.keys) k = 0;
  s.keyFilter = nullptr;
  stylusNow = POINT{};
  s.stylusDown = false;
  s.lastDownWindow = nullptr;
  s.lastDownTime = 0;
  s.focusBeforeDeactivation = nullptr;
  resetScrollTracking();
}

}  // namespace wince::win

using namespace wince::win;

SHORT GetAsyncKeyState(int vk) {
  auto& key = input().keys[static_cast<size_t>(vk) & 0xFF];
  const uint8_t v = key.fetch_and(static_cast<uint8_t>(~kPressed));
  return static_cast<SHORT>(((v & kDown) ? 0x8000 : 0) | ((v & kPressed) ? 1 : 0));
}

BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr || msg->message != WM_KEYDOWN) return FALSE;
  const WCHAR ch = characterFor(msg->wParam);
  if (ch == 0) return FALSE;
  postToFront(msg->hwnd, WM_CHAR, ch, msg->lParam);
  return TRUE;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg) {
  if (hwnd == nullptr || msg == nullptr) return 0;
  const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  if (!keyDown && msg->message != WM_CHAR) return 0;
  size_t count = 0;
  const ACCELTABLEENTRY* entries = wince::acceleratorEntries(table, &count);
  for (size_t i = 0; entries != nullptr && i < count; ++i) {
    const ACCELTABLEENTRY& e = entries[i];
    const bool virtualKey = (e.fFlags & FVIRTKEY) != 0;
    if (virtualKey != keyDown || e.wAnsi != msg->wParam) continue;
    if (virtualKey && !modifiersMatch(e.fFlags)) continue;
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(e.wId, 1), 0);
    return 1;
  }
  return 0;
}

namespace wince {

void setKeyState(int vk, bool down) {
  auto& key = win::input().keys[static_cast<size_t>(vk) & 0xFF];
  key = down ? static_cast<uint8_t>(win::kDown | win::kPressed) : uint8_t{0};
}

void clearKeyStates() {
  for (auto& k : win::input().keys) k = 0;
}

void setKeyFilter(std::function<bool(UINT vk, bool down)> filter) { win::input().keyFilter = std::move(filter); }

void injectKey(UINT vk, bool down) {
  auto& key = win::input().keys[vk & 0xFF];
  const bool wasDown = (key.load() & win::kDown) != 0;
  setKeyState(static_cast<int>(vk), down);
  if (win::input().keyFilter && win::input().keyFilter(vk, down)) return;
  const HWND target = win::keyTarget();
  if (target == nullptr) return;
  LPARAM lParam = 1;
  if (wasDown) lParam |= LPARAM{1} << 30;
  if (!down) lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  PostMessage(target, down ? WM_KEYDOWN : WM_KEYUP, vk, lParam);
}

void injectChar(WCHAR ch) {
  if (const HWND target = win::keyTarget()) PostMessage(target, WM_CHAR, ch, 1);
}

void injectStylus(UINT msg, int x, int y) {
  win::InputState& s = win::input();
  const POINT pt{x, y};
  stylusNow = pt;
  if (msg == WM_MOUSEMOVE && !s.stylusDown && GetCapture() == nullptr) return;  // no hover on a stylus
  HWND target = GetCapture();
  if (target == nullptr) {
    target = win::hitTest(pt);
    if (target != nullptr && !IsWindowEnabled(win::topLevelOf(target))) target = nullptr;
  }
  // A scroll-bar drag keeps the stylus wherever it goes.
  if (win::scrollBarStylus(msg, pt, target)) {
    s.stylusDown = msg != WM_LBUTTONUP;
    return;
  }
  if (target == nullptr) {
    if (msg == WM_LBUTTONUP) s.stylusDown = false;
    detail::taskBarStylus(msg, pt);  // the shell's own strip
    return;
  }
  if (msg == WM_LBUTTONDOWN) {
    s.stylusDown = true;
    const HWND top = win::topLevelOf(target);
    if (top != nullptr && top != GetActiveWindow()) {
      Window* t = win::find(top);
      if (!(t->exStyle & WS_EX_NOACTIVATE)) win::activate(top, WA_CLICKACTIVE);
    }
    if (!IsWindow(target)) return;
    const uint64_t now = clockNowMs();
    if (win::isDoubleClick(target, pt, now)) {
      msg = WM_LBUTTONDBLCLK;
      s.lastDownWindow = nullptr;
    } else {
      s.lastDownWindow = target;
      s.lastDownTime = now;
      s.lastDownPoint = pt;
    }
  } else if (msg == WM_LBUTTONUP) {
    s.stylusDown = false;
  }
  POINT client = pt;
  ScreenToClient(target, &client);
  PostMessage(target, msg, s.stylusDown ? MK_LBUTTON : 0,
              MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

void injectClose() {
  HWND root = GetActiveWindow() != nullptr ? GetActiveWindow() : win::gui().lastActive;
  while (root != nullptr && GetWindow(root, GW_OWNER) != nullptr) root = GetWindow(root, GW_OWNER);
  if (root == nullptr) root = GetWindow(GetDesktopWindow(), GW_CHILD);
  if (root != nullptr) PostMessage(root, WM_CLOSE, 0, 0);
}

void injectAppActive(bool active) {
  win::Gui& g = win::gui();
  if (active == g.appActive) return;
  win::InputState& s = win::input();
  const HWND target = g.active != nullptr ? g.active : g.lastActive;
  if (!active) {
    g.appActive = false;
    s.focusBeforeDeactivation = g.focus;
    clearKeyStates();
    if (IsWindow(target)) SendMessage(target, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    SetFocus(nullptr);
    return;
  }
  g.appActive = true;
  if (!IsWindow(target)) return;
  g.active = target;
  SendMessage(target, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  const HWND remembered = s.focusBeforeDeactivation;
  if (IsWindow(remembered) && win::isAncestor(target, remembered)) SetFocus(remembered);
}

}  // namespace wince
