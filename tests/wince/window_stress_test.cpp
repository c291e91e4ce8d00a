// Random sequences of window calls, with procedures that destroy, create,
// post and send from inside their handlers, over live and dead handles
// alike. Run under the sanitizers, this finds use of freed windows and
// broken bookkeeping that the targeted tests might miss.
#include <random>

#include "window_test_util.h"

#include "wince/host/window.h"

namespace {

using wintest::WindowTest;

class WindowStress : public WindowTest {
 protected:
  HWND pick() { return pool[rng() % pool.size()]; }

  // Every window reachable from the desktop is live, and the sibling links
  // agree both ways.
  void checkTree(HWND parent) {
    HWND prev = nullptr;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      ASSERT_TRUE(IsWindow(c));
      ASSERT_EQ(GetWindow(c, GW_HWNDPREV), prev);
      prev = c;
      checkTree(c);
    }
  }

  std::mt19937 rng{12345};
  std::vector<HWND> pool;
};

TEST_F(WindowStress, RandomCallsKeepTheWindowManagerConsistent) {
  handler = [this](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg < WM_USER || msg > WM_USER + 6) {
      if (msg == WM_TIMER && rng() % 4 == 0) DestroyWindow(h);
      return std::nullopt;
    }
    switch (msg - WM_USER) {
      case 0: DestroyWindow(pick()); break;
      case 1: PostMessage(pick(), WM_USER + rng() % 7, 0, 0); break;
      case 2: SendMessage(pick(), WM_USER + 3 + rng() % 2, 0, 0); break;
      case 3: InvalidateRect(pick(), nullptr, rng() % 2); break;
      case 4: pool.push_back(make("c", WS_CHILD | WS_VISIBLE, h, RECT{1, 1, 20, 20})); break;
      case 5: SetTimer(h, rng() % 3, 5 + rng() % 20, nullptr); break;
      case 6: SetFocus(pick()); break;
    }
    return 0;
  };
  for (int i = 0; i < 4; ++i) pool.push_back(make("top", WS_VISIBLE | (i % 2 ? WS_POPUP : 0), nullptr));
  for (int step = 0; step < 3000; ++step) {
    const HWND h = pick();
    switch (rng() % 12) {
      case 0: pool.push_back(make("w", WS_VISIBLE | WS_CHILD, h, RECT{2, 2, 30, 30})); break;
      case 1: pool.push_back(make("p", WS_VISIBLE | WS_POPUP, h, RECT{0, 0, 50, 50})); break;
      case 2: DestroyWindow(h); break;
      case 3: PostMessage(h, WM_USER + rng() % 7, 0, 0); break;
      case 4: SendMessage(h, WM_USER + rng() % 7, 0, 0); break;
      case 5: ShowWindow(h, rng() % 2 ? SW_SHOW : SW_HIDE); break;
      case 6:
        SetWindowPos(h, rng() % 2 ? HWND_TOP : HWND_BOTTOM, rng() % 50, rng() % 50, rng() % 80, rng() % 80, 0);
        break;
      case 7: EnableWindow(h, rng() % 2); break;
      case 8:
        wince::injectStylus(WM_LBUTTONDOWN, rng() % 120, rng() % 120);
        wince::injectStylus(WM_LBUTTONUP, 5, 5);
        break;
      case 9: wince::injectKey('A' + rng() % 26, true); break;
      case 10: SetParent(h, pick()); break;
      default: wince::runFor(rng() % 15); break;
    }
    if (pool.size() > 200) pool.erase(pool.begin(), pool.begin() + 100);
    if (step % 100 == 0) {
      wince::dispatchPending();
      checkTree(GetDesktopWindow());
    }
  }
  handler = nullptr;
  wince::dispatchPending();
  checkTree(GetDesktopWindow());
}

}  // namespace
