// Activation, focus, enabling, capture, input routing, tree and geometry.
#include "window_test_util.h"

#include "wince/host/clock.h"
#include "wince/host/window.h"

namespace {

using wintest::Log;
using wintest::WindowTest;

using WindowState = WindowTest;

TEST_F(WindowState, ActivationMovesBetweenTopLevelWindowsInOrder) {
  HWND a = make("a", WS_VISIBLE);
  HWND b = make("b", WS_VISIBLE);
  EXPECT_EQ(GetActiveWindow(), b);
  take();
  SetActiveWindow(a);
  EXPECT_EQ(take({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}),
            (Log{"b:ACTIVATE", "a:ACTIVATE", "b:KILLFOCUS", "a:SETFOCUS"}));
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), a);  // brought to the top
  DestroyWindow(a);
  EXPECT_EQ(GetActiveWindow(), b);  // the next window takes over
  EXPECT_EQ(GetFocus(), b);
}

TEST_F(WindowState, ActivateParametersNameTheOtherWindow) {
  HWND a = make("a", WS_VISIBLE);
  HWND b = make("b", WS_VISIBLE);
  std::vector<std::pair<WPARAM, LPARAM>> seen;
  handler = [&](HWND, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (msg == WM_ACTIVATE) seen.emplace_back(wp, lp);
    return std::nullopt;
  };
  SetActiveWindow(a);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(WPARAM{WA_INACTIVE}, reinterpret_cast<LPARAM>(a)));
  EXPECT_EQ(seen[1], std::make_pair(WPARAM{WA_ACTIVE}, reinterpret_cast<LPARAM>(b)));
}

TEST_F(WindowState, FocusMovesWithKillThenSet) {
  HWND main = make("main", WS_VISIBLE);
  HWND c1 = make("c1", WS_CHILD | WS_VISIBLE, main);
  HWND c2 = make("c2", WS_CHILD | WS_VISIBLE, main);
  std::vector<std::pair<std::string, WPARAM>> seen;
  handler = [&](HWND h, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) seen.emplace_back(nameOf(h) + ":" + wintest::messageName(msg), wp);
    return std::nullopt;
  };
  EXPECT_EQ(SetFocus(c1), main);
  EXPECT_EQ(SetFocus(c2), c1);
  using P = std::pair<std::string, WPARAM>;
  EXPECT_EQ(seen, (std::vector<P>{{"main:KILLFOCUS", reinterpret_cast<WPARAM>(c1)},
                                  {"c1:SETFOCUS", reinterpret_cast<WPARAM>(main)},
                                  {"c1:KILLFOCUS", reinterpret_cast<WPARAM>(c2)},
                                  {"c2:SETFOCUS", reinterpret_cast<WPARAM>(c1)}}));
  DestroyWindow(c2);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowState, EnableSendsEnableAndReportsThePreviousState) {
  HWND main = make("main", WS_VISIBLE);
  take();
  EXPECT_FALSE(EnableWindow(main, FALSE));  // was enabled
  EXPECT_TRUE(EnableWindow(main, FALSE));   // already disabled: no message
  EXPECT_TRUE(EnableWindow(main, TRUE));
  EXPECT_EQ(take({WM_ENABLE, WM_CANCELMODE}), (Log{"main:CANCELMODE", "main:ENABLE", "main:ENABLE"}));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(WindowState, ShowAndHide) {
  HWND main = make("main", 0);
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_FALSE(ShowWindow(main, SW_SHOWNORMAL));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetActiveWindow(), main);
  HWND child = make("child", WS_CHILD | WS_VISIBLE, main);
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_TRUE(ShowWindow(main, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(child));  // hidden with its parent
  EXPECT_EQ(GetActiveWindow(), nullptr);
  HWND na = make("na", 0, nullptr, RECT{0, 0, 10, 10}, WS_EX_NOACTIVATE);
  ShowWindow(na, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowState, ParentOwnerAndSiblingOrder) {
  HWND main = make("main", WS_VISIBLE);
  HWND popup = make("popup", WS_POPUP, main);
  HWND lone = make("lone", WS_OVERLAPPED, main);
  HWND c1 = make("c1", WS_CHILD, main);
  HWND c2 = make("c2", WS_CHILD, main);
  HWND c3 = make("c3", WS_CHILD, main);
  EXPECT_EQ(GetParent(c1), main);
  EXPECT_EQ(GetParent(popup), main);  // a popup's owner
  EXPECT_EQ(GetParent(lone), nullptr);
  EXPECT_EQ(GetParent(main), nullptr);
  EXPECT_EQ(GetWindow(lone, GW_OWNER), main);
  // Children stack in creation order, the first on top.
  EXPECT_EQ(GetWindow(main, GW_CHILD), c1);
  EXPECT_EQ(GetWindow(c1, GW_HWNDNEXT), c2);
  EXPECT_EQ(GetWindow(c3, GW_HWNDPREV), c2);
  EXPECT_EQ(GetWindow(c2, GW_HWNDLAST), c3);
  EXPECT_EQ(GetWindow(c3, GW_HWNDNEXT), nullptr);
  SetWindowPos(c3, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(main, GW_CHILD), c3);
  SetWindowPos(c3, c1, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(c1, GW_HWNDNEXT), c3);
  EXPECT_TRUE(IsChild(main, c2));
  EXPECT_FALSE(IsChild(main, popup));
  EXPECT_FALSE(IsChild(main, main));
  // The first visible, enabled, activatable top-level window of the thread.
  std::vector<HWND> tops;
  EnumWindows([](HWND h, LPARAM lp) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&tops));
  EXPECT_EQ(tops.size(), 3u);
  EXPECT_EQ(SetParent(c2, popup), main);
  EXPECT_EQ(GetParent(c2), popup);
}

TEST_F(WindowState, OwnedWindowsStayAboveTheirOwnerAndTopmostAboveAll) {
  HWND main = make("main", WS_VISIBLE);
  HWND bar = make("bar", WS_POPUP | WS_VISIBLE, main, RECT{0, 60, 100, 80}, WS_EX_NOACTIVATE);
  HWND other = make("other", WS_VISIBLE);
  HWND tip = make("tip", WS_POPUP | WS_VISIBLE, nullptr, RECT{0, 0, 10, 10}, WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  auto order = [] {
    std::vector<HWND> out;
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
      out.push_back(h);
    }
    return out;
  };
  EXPECT_EQ(order(), (std::vector<HWND>{tip, other, bar, main}));
  SetActiveWindow(main);
  EXPECT_EQ(order(), (std::vector<HWND>{tip, bar, main, other}));
  BringWindowToTop(other);
  EXPECT_EQ(order(), (std::vector<HWND>{tip, other, bar, main}));
  HWND later = make("later", WS_VISIBLE);  // created below the topmost window
  EXPECT_EQ(order().front(), tip);
  EXPECT_EQ(order()[1], later);
  SetWindowPos(main, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(order().back(), main);
}

TEST_F(WindowState, GeometryWithFramesAndNesting) {
  HWND main = make("main", WS_VISIBLE, nullptr, RECT{10, 20, 110, 220});
  HWND child = make("child", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, main, RECT{5, 6, 55, 46});
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 26);
  EXPECT_EQ(r.right, 65);
  GetClientRect(child, &r);
  EXPECT_EQ(r.right, 50 - 2 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(r.bottom, 38);
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 16);
  EXPECT_EQ(p.y, 27);
  ScreenToClient(main, &p);
  EXPECT_EQ(p.x, 6);
  POINT q[2] = {{0, 0}, {1, 1}};
  MapWindowPoints(child, main, q, 2);
  EXPECT_EQ(q[1].x, 7);
  EXPECT_EQ(q[1].y, 8);

  take();
  MoveWindow(child, 1, 2, 30, 30, TRUE);
  EXPECT_EQ(take({WM_SIZE, WM_MOVE}), (Log{"child:SIZE", "child:MOVE"}));
  SetWindowPos(child, nullptr, 0, 0, 30, 30, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(take({WM_SIZE, WM_MOVE}).empty());  // nothing changed
  // A style change shows in the client area after SWP_FRAMECHANGED.
  SetWindowLong(child, GWL_STYLE, WS_CHILD | WS_VISIBLE);
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  GetClientRect(child, &r);
  EXPECT_EQ(r.right, 30);

  HDWP dwp = BeginDeferWindowPos(2);
  dwp = DeferWindowPos(dwp, child, nullptr, 3, 3, 10, 10, SWP_NOZORDER);
  GetWindowRect(child, &r);
  EXPECT_EQ(r.right - r.left, 30);  // nothing moves before the end
  EXPECT_TRUE(EndDeferWindowPos(dwp));
  GetWindowRect(child, &r);
  EXPECT_EQ(r.right - r.left, 10);
}

TEST_F(WindowState, DefaultPositionIsTheWorkArea) {
  HWND main = CreateWindowEx(0, kClass, u"", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                             nullptr, nullptr, nullptr);
  RECT work{}, r{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, work.left);
  EXPECT_EQ(r.top, work.top);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
}

class StylusTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    main = make("main", WS_VISIBLE, nullptr, RECT{0, 0, 200, 200});
    child = make("child", WS_CHILD | WS_VISIBLE, main, RECT{50, 50, 100, 100});
    handler = [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
      if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        hits.push_back(nameOf(h) + ":" + wintest::messageName(msg) + "@" + std::to_string(GET_X_LPARAM(lp)) + "," +
                       std::to_string(GET_Y_LPARAM(lp)) + (wp & MK_LBUTTON ? "+" : ""));
      }
      return std::nullopt;
    };
    wince::dispatchPending();
  }
  HWND main{}, child{};
  std::vector<std::string> hits;
};

TEST_F(StylusTest, TapsGoToTheWindowUnderThePointInClientCoordinates) {
  wince::injectStylus(WM_LBUTTONDOWN, 60, 70);
  wince::injectStylus(WM_MOUSEMOVE, 10, 10);
  wince::injectStylus(WM_LBUTTONUP, 10, 10);
  wince::injectStylus(WM_MOUSEMOVE, 60, 70);  // no hover without contact
  wince::dispatchPending();
  EXPECT_EQ(hits, (Log{"child:LBUTTONDOWN@10,20+", "main:MOUSEMOVE@10,10+", "main:LBUTTONUP@10,10"}));
}

TEST_F(StylusTest, CaptureTakesEverythingWithSignedCoordinates) {
  SetCapture(child);
  wince::injectStylus(WM_LBUTTONDOWN, 60, 70);
  wince::injectStylus(WM_MOUSEMOVE, 5, 5);
  wince::injectStylus(WM_LBUTTONUP, 150, 2);
  wince::dispatchPending();
  EXPECT_EQ(hits, (Log{"child:LBUTTONDOWN@10,20+", "child:MOUSEMOVE@-45,-45+", "child:LBUTTONUP@100,-48"}));
  take();
  ReleaseCapture();
  EXPECT_EQ(take({WM_CAPTURECHANGED}), (Log{"child:CAPTURECHANGED"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(StylusTest, DoubleTapMakesADoubleClickForClassesThatAskForIt) {
  wince::injectStylus(WM_LBUTTONDOWN, 60, 60);
  wince::injectStylus(WM_LBUTTONUP, 60, 60);
  wince::advanceClock(100);
  wince::injectStylus(WM_LBUTTONDOWN, 61, 60);
  wince::injectStylus(WM_LBUTTONUP, 61, 60);
  wince::advanceClock(1000);
  wince::injectStylus(WM_LBUTTONDOWN, 61, 60);
  wince::dispatchPending();
  EXPECT_EQ(hits, (Log{"child:LBUTTONDOWN@10,10+", "child:LBUTTONUP@10,10", "child:LBUTTONDBLCLK@11,10+",
                       "child:LBUTTONUP@11,10", "child:LBUTTONDOWN@11,10+"}));
}

TEST_F(StylusTest, InputForADisabledWindowIsDropped) {
  EnableWindow(main, FALSE);
  wince::injectStylus(WM_LBUTTONDOWN, 60, 70);
  wince::injectStylus(WM_LBUTTONUP, 60, 70);
  wince::injectKey('A', true);
  take();
  wince::dispatchPending();
  EXPECT_TRUE(hits.empty());
  EXPECT_TRUE(take({WM_KEYDOWN, WM_CHAR}).empty());
  EXPECT_TRUE(GetAsyncKeyState('A') & 0x8000);  // the key state still follows the device
}

TEST_F(StylusTest, TapOnAnInactiveWindowActivatesItFirst) {
  HWND other = make("other", WS_VISIBLE, nullptr, RECT{150, 150, 200, 200});
  ASSERT_EQ(GetActiveWindow(), other);
  take();
  WPARAM how = 0;
  auto record = handler;
  handler = [&](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (h == main && msg == WM_ACTIVATE) how = wp;
    return record(h, msg, wp, lp);
  };
  wince::injectStylus(WM_LBUTTONDOWN, 10, 10);
  wince::dispatchPending();
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(how, WPARAM{WA_CLICKACTIVE});
  EXPECT_EQ(take({WM_ACTIVATE, WM_LBUTTONDOWN}), (Log{"other:ACTIVATE", "main:ACTIVATE", "main:LBUTTONDOWN"}));
}

TEST_F(WindowState, KeysGoToTheFocusAndTheKeyStateIsAnArrayRead) {
  HWND main = make("main", WS_VISIBLE);
  HWND edit = make("edit", WS_CHILD | WS_VISIBLE, main);
  SetFocus(edit);
  std::vector<std::pair<std::string, LPARAM>> keys;
  handler = [&](HWND h, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (msg == WM_KEYDOWN || msg == WM_KEYUP) keys.emplace_back(nameOf(h) + ":" + wintest::messageName(msg), lp);
    return std::nullopt;
  };
  wince::injectKey(VK_DOWN, true);
  EXPECT_EQ(GetAsyncKeyState(VK_DOWN) & 0x8000, 0x8000);
  wince::injectKey(VK_DOWN, true);  // auto-repeat
  wince::injectKey(VK_DOWN, false);
  EXPECT_EQ(GetAsyncKeyState(VK_DOWN), 0);
  wince::dispatchPending();
  using P = std::pair<std::string, LPARAM>;
  EXPECT_EQ(keys, (std::vector<P>{{"edit:KEYDOWN", 1}, {"edit:KEYDOWN", 1 | (LPARAM{1} << 30)},
                                  {"edit:KEYUP", 1 | (LPARAM{3} << 30)}}));
  // A filter can take keys (the shell's soft keys).
  wince::setKeyFilter([](UINT vk, bool) { return vk == VK_F1; });
  keys.clear();
  wince::injectKey(VK_F1, true);
  wince::dispatchPending();
  EXPECT_TRUE(keys.empty());
}

TEST_F(WindowState, AppLosingAndRegainingFocus) {
  HWND main = make("main", WS_VISIBLE);
  HWND edit = make("edit", WS_CHILD | WS_VISIBLE, main);
  SetFocus(edit);
  take();
  wince::injectAppActive(false);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  wince::injectAppActive(true);
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(take({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}),
            (Log{"main:ACTIVATE", "edit:KILLFOCUS", "main:ACTIVATE", "main:SETFOCUS", "main:KILLFOCUS",
                 "edit:SETFOCUS"}));
  wince::injectClose();
  wince::dispatchPending();
  EXPECT_FALSE(IsWindow(main));
}

TEST_F(WindowState, BringingTheDesktopForwardDeactivatesTheProgram) {
  HWND main = make("main", WS_VISIBLE);
  take();
  EXPECT_TRUE(SetForegroundWindow(GetDesktopWindow()));
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(take({WM_ACTIVATE, WM_KILLFOCUS}), (Log{"main:ACTIVATE", "main:KILLFOCUS"}));
  EXPECT_TRUE(SetForegroundWindow(main));
  EXPECT_EQ(GetForegroundWindow(), main);
}

TEST(ScrollInfo, PositionIsClampedToTheRangeLessThePage) {
  wince::resetWindowing();
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = u"Scrolled";
  RegisterClass(&wc);
  HWND h = CreateWindowEx(0, u"Scrolled", u"", WS_VSCROLL, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  struct Case {
    int min, max;
    UINT page;
    int pos, expected;
  };
  const Case cases[] = {{0, 100, 10, 95, 91}, {0, 100, 10, -5, 0}, {0, 100, 0, 150, 100}, {0, 100, 1, 100, 100},
                        {10, 20, 50, 15, 10}, {0, 9, 10, 3, 0}};
  for (const Case& c : cases) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, c.min, c.max, c.page, c.pos, 0};
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, FALSE), c.expected) << c.min << ".." << c.max << " page " << c.page;
    SCROLLINFO out{sizeof out, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(h, SB_VERT, &out);
    EXPECT_EQ(out.nPos, c.expected);
  }
  SetScrollRange(h, SB_HORZ, 0, 5, FALSE);
  EXPECT_EQ(SetScrollPos(h, SB_HORZ, 9, FALSE), 0);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 5);
  wince::resetWindowing();
}

}  // namespace
