// Message order and re-entrancy of the queue.
#include <atomic>
#include <thread>

#include "window_test_util.h"

#include "wince/host/clock.h"
#include "wince/host/window.h"

namespace {

using wintest::Log;
using wintest::WindowTest;

using QueueOrder = WindowTest;

// Runs GetMessage/TranslateMessage/DispatchMessage until the queue has
// nothing left that is due; false when WM_QUIT came.
bool pump() { return wince::dispatchPending(); }

TEST_F(QueueOrder, PostedThenQuitThenPaintThenTimer) {
  HWND main = make("main", WS_VISIBLE);
  ASSERT_TRUE(pump());  // the first paint
  take();
  SetTimer(main, 1, 10, nullptr);
  wince::advanceClock(10);
  InvalidateRect(main, nullptr, FALSE);
  PostMessage(main, WM_USER, 0, 0);
  PostMessage(main, WM_USER + 1, 0, 0);
  MSG m;
  std::vector<UINT> order;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    order.push_back(m.message);
    DispatchMessage(&m);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_PAINT, WM_TIMER}));

  PostMessage(main, WM_USER + 2, 0, 0);
  PostQuitMessage(3);
  InvalidateRect(main, nullptr, FALSE);
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));  // 0, never -1
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(QueueOrder, PeekLeavesOrRemovesAndFilters) {
  HWND a = make("a", 0);
  HWND b = make("b", 0);
  PostMessage(a, WM_USER, 1, 0);
  PostMessage(b, WM_USER, 2, 0);
  PostMessage(nullptr, WM_USER + 5, 3, 0);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, 1u);
  ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));  // thread messages only
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_USER + 1, WM_USER + 9, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(m.wParam, 1u);
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueOrder, TranslatedCharacterComesBeforeQueuedKeyUp) {
  make("main", WS_VISIBLE);
  pump();
  take();
  struct Case {
    UINT vk;
    bool shift;
    WPARAM ch;  // 0: no character
  };
  const Case cases[] = {{'A', false, 'a'}, {'A', true, 'A'}, {'7', false, '7'}, {VK_NUMPAD0 + 3, false, '3'},
                        {VK_RETURN, false, 13}, {VK_SPACE, false, ' '}, {VK_LEFT, false, 0}, {VK_ESCAPE, false, 0},
                        {VK_F1, false, 0}};
  for (const Case& c : cases) {
    wince::setKeyState(VK_SHIFT, c.shift);
    wince::injectKey(c.vk, true);
    wince::injectKey(c.vk, false);
    std::vector<WPARAM> chars;
    std::vector<UINT> kinds;
    handler = [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      kinds.push_back(msg);
      if (msg == WM_CHAR) chars.push_back(wp);
      return std::nullopt;
    };
    pump();
    handler = nullptr;
    if (c.ch != 0) {
      EXPECT_EQ(kinds, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP})) << "vk " << c.vk;
      EXPECT_EQ(chars, (std::vector<WPARAM>{c.ch})) << "vk " << c.vk;
    } else {
      EXPECT_EQ(kinds, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP})) << "vk " << c.vk;
    }
  }
}

TEST_F(QueueOrder, SendMessageNestsInsideHandlers) {
  HWND a = make("a", 0);
  HWND b = make("b", 0);
  Log trace;
  handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg < WM_USER) return std::nullopt;
    const std::string who = nameOf(h);
    trace.push_back(who + ">" + std::to_string(msg - WM_USER));
    if (h == a && msg == WM_USER) SendMessage(b, WM_USER + 1, 0, 0);
    if (h == b && msg == WM_USER + 1) {
      PostMessage(a, WM_USER + 3, 0, 0);  // runs after the whole chain
      SendMessage(a, WM_USER + 2, 0, 0);
    }
    trace.push_back(who + "<" + std::to_string(msg - WM_USER));
    return msg;
  };
  EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), WM_USER);
  EXPECT_EQ(trace, (Log{"a>0", "b>1", "a>2", "a<2", "b<1", "a<0"}));
  trace.clear();
  pump();
  EXPECT_EQ(trace, (Log{"a>3", "a<3"}));
}

TEST_F(QueueOrder, DestroyingAWindowFromAnotherWindowsHandler) {
  HWND a = make("a", WS_VISIBLE);
  HWND b = make("b", WS_VISIBLE);
  handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == a && msg == WM_USER) DestroyWindow(b);
    return std::nullopt;
  };
  PostMessage(a, WM_USER, 0, 0);
  PostMessage(b, WM_USER, 0, 0);
  SetTimer(b, 1, 5, nullptr);
  InvalidateRect(b, nullptr, TRUE);
  take();
  wince::runFor(20);
  EXPECT_FALSE(IsWindow(b));
  // b got its WM_DESTROY and nothing after it: no paint, timer or post.
  const Log got = take();
  auto it = std::find(got.begin(), got.end(), "b:DESTROY");
  ASSERT_NE(it, got.end());
  for (++it; it != got.end(); ++it) EXPECT_NE(it->rfind("b:", 0), 0u) << *it;
}

TEST_F(QueueOrder, PostFromAnotherThreadWakesABlockedGetMessage) {
  wince::useRealClock();
  HWND main = make("main", 0);
  std::atomic<bool> go{false};
  std::thread poster([&] {
    while (!go.load()) std::this_thread::yield();
    PostMessage(main, WM_USER + 7, 1, 2);
  });
  go = true;
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));  // blocks until the post
  poster.join();
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 7));
  EXPECT_EQ(m.hwnd, main);
}

// Drains the posted messages, returning their wParams in the order taken.
std::vector<WPARAM> takeAllPosted() {
  std::vector<WPARAM> got;
  MSG m;
  while (PeekMessage(&m, nullptr, WM_USER, WM_USER, PM_REMOVE)) got.push_back(m.wParam);
  return got;
}

TEST_F(QueueOrder, PostsOfOtherThreadsKeepTheirPlaceAmongOwnPosts) {
  HWND main = make("main", 0);
  HWND gone = make("gone", 0);
  auto fromOtherThread = [](HWND h, std::vector<WPARAM> params) {
    std::thread([&] {
      for (WPARAM p : params) PostMessage(h, WM_USER, p, 0);
    }).join();
  };
  PostMessage(main, WM_USER, 1, 0);
  fromOtherThread(main, {2});
  PostMessage(main, WM_USER, 3, 0);
  fromOtherThread(main, {4, 5});
  fromOtherThread(gone, {6});  // its window is destroyed before the fetch
  DestroyWindow(gone);
  fromOtherThread(gone, {7});  // to a window already dead
  PostMessage(main, WM_USER, 8, 0);
  EXPECT_EQ(takeAllPosted(), (std::vector<WPARAM>{1, 2, 3, 4, 5, 8}));
}

TEST_F(QueueOrder, ManyPostsComeOutInOrderWhileTheQueueGrows) {
  HWND main = make("main", 0);
  std::vector<WPARAM> want;
  WPARAM next = 0;
  auto postSome = [&](int n) {
    for (int i = 0; i < n; ++i, ++next) {
      PostMessage(main, WM_USER, next, 0);
      want.push_back(next);
    }
  };
  postSome(50);
  MSG m;
  std::vector<WPARAM> got;
  for (int i = 0; i < 30 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++i) got.push_back(m.wParam);
  postSome(300);  // grows the queue while its oldest message is not at its start
  const std::vector<WPARAM> rest = takeAllPosted();
  got.insert(got.end(), rest.begin(), rest.end());
  EXPECT_EQ(got, want);
}

TEST_F(QueueOrder, SendFromAnotherThreadRunsOnTheGuiThread) {
  wince::useRealClock();
  HWND main = make("main", 0);
  const std::thread::id gui = std::this_thread::get_id();
  std::thread::id ranOn;
  handler = [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_USER) return std::nullopt;
    ranOn = std::this_thread::get_id();
    PostQuitMessage(0);
    return static_cast<LRESULT>(wp * 2);
  };
  LRESULT result = 0;
  std::thread sender([&] { result = SendMessage(main, WM_USER, 21, 0); });
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
  sender.join();
  EXPECT_EQ(result, 42);
  EXPECT_EQ(ranOn, gui);
}

TEST_F(QueueOrder, ThreadMessagesReachTheGuiThread) {
  make("main", 0);
  DWORD pid = 0;
  const DWORD tid = GetWindowThreadProcessId(GetWindow(GetDesktopWindow(), GW_CHILD), &pid);
  ASSERT_NE(tid, 0u);
  EXPECT_EQ(pid, static_cast<DWORD>(getpid()));
  EXPECT_TRUE(PostThreadMessage(tid, WM_APP, 9, 0));
  EXPECT_FALSE(PostThreadMessage(tid + 1, WM_APP, 9, 0));
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, nullptr);
  EXPECT_EQ(m.wParam, 9u);
}

TEST_F(QueueOrder, ModalLoopDisablesOwnerKeepsItsTimersAndEnablesItAfter) {
  HWND main = make("main", WS_VISIBLE);
  HWND box = make("box", WS_POPUP | WS_VISIBLE, main);
  SetTimer(main, 1, 10, nullptr);
  take();
  int ownerTicks = 0;
  handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == main && msg == WM_TIMER && ++ownerTicks == 3) wince::endModalLoop(box, IDYES);
    return std::nullopt;
  };
  int hooked = 0;
  wince::setModalHook([&](HWND w, wince::ModalKind kind) {
    ++hooked;
    EXPECT_EQ(w, box);
    EXPECT_EQ(kind, wince::ModalKind::MessageBox);
    EXPECT_EQ(wince::modalDepth(), 1);
    EXPECT_FALSE(IsWindowEnabled(main));
  });
  EXPECT_EQ(wince::runModalLoop(main, box, wince::ModalKind::MessageBox), IDYES);
  EXPECT_EQ(hooked, 1);
  EXPECT_EQ(ownerTicks, 3);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(wince::modalDepth(), 0);
  EXPECT_EQ(take({WM_CANCELMODE, WM_ENABLE}), (Log{"main:CANCELMODE", "main:ENABLE", "main:ENABLE"}));
}

TEST_F(QueueOrder, QuitInsideNestedModalLoopsUnwindsEveryLevel) {
  HWND main = make("main", WS_VISIBLE);
  HWND outer = make("outer", WS_POPUP | WS_VISIBLE, main);
  HWND inner = make("inner", WS_POPUP | WS_VISIBLE, outer);
  INT_PTR innerResult = 0;
  wince::setModalHook([&](HWND w, wince::ModalKind) {
    if (w == outer) {
      innerResult = wince::runModalLoop(outer, inner, wince::ModalKind::Dialog);
    } else {
      PostQuitMessage(5);
    }
  });
  EXPECT_EQ(wince::runModalLoop(main, outer, wince::ModalKind::Dialog), IDCANCEL);
  EXPECT_EQ(innerResult, IDCANCEL);
  int code = 0;
  EXPECT_TRUE(wince::quitPending(&code));  // left for the program's own loop
  EXPECT_EQ(code, 5);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(outer));
}

TEST_F(QueueOrder, DestroyingTheModalWindowEndsItsLoop) {
  HWND main = make("main", WS_VISIBLE);
  HWND box = make("box", WS_POPUP | WS_VISIBLE, main);
  wince::setModalHook([&](HWND w, wince::ModalKind) { PostMessage(w, WM_CLOSE, 0, 0); });
  EXPECT_EQ(wince::runModalLoop(main, box, wince::ModalKind::Dialog), IDCANCEL);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(IsWindowEnabled(main));
}

}  // namespace
