// Creation, destruction, classes, window longs and text.
#include "window_test_util.h"

#include "wince/host/window.h"

namespace {

using wintest::Log;
using wintest::WindowTest;

using WindowLifecycle = WindowTest;

TEST_F(WindowLifecycle, VisibleTopLevelGetsCreateSizeMoveShowActivateFocusInOrder) {
  HWND main = make("main", WS_VISIBLE);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(take(), (Log{"main:CREATE", "main:SIZE", "main:MOVE", "main:SHOWWINDOW", "main:ACTIVATE",
                         "main:SETFOCUS"}));
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(GetFocus(), main);
  EXPECT_EQ(GetForegroundWindow(), main);
}

TEST_F(WindowLifecycle, CreateCarriesItsParameterAndSizeBeforeReturning) {
  int marker = 0;
  void* seen = nullptr;
  LPARAM size = 0;
  handler = [&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (msg == WM_CREATE) seen = reinterpret_cast<CREATESTRUCT*>(lp)->lpCreateParams;
    if (msg == WM_SIZE) size = lp;
    return std::nullopt;
  };
  HWND h = CreateWindowEx(0, kClass, u"t", WS_BORDER, 5, 6, 50, 40, nullptr, nullptr, nullptr, &marker);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(seen, &marker);
  EXPECT_EQ(LOWORD(size), 48);  // one-pixel border on each side
  EXPECT_EQ(HIWORD(size), 38);
}

TEST_F(WindowLifecycle, CreateFailsWhenCreateAnswersMinusOne) {
  handler = [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CREATE) return -1;
    return std::nullopt;
  };
  EXPECT_EQ(make("bad", WS_VISIBLE), nullptr);
  EXPECT_EQ(take(), (Log{"bad:CREATE", "bad:DESTROY"}));
  // No window of the class is left behind.
  EXPECT_TRUE(UnregisterClass(kClass, nullptr));
}

TEST_F(WindowLifecycle, CreateRefusesUnknownClassAndChildWithoutParent) {
  EXPECT_EQ(CreateWindowEx(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(make("orphan", WS_CHILD), nullptr);
  EXPECT_EQ(make("stale", WS_CHILD, reinterpret_cast<HWND>(0x7770)), nullptr);
}

TEST_F(WindowLifecycle, DestroySendsDestroyParentFirstAndKillsTheWholeTree) {
  HWND main = make("main", WS_VISIBLE);
  HWND a = make("a", WS_CHILD | WS_VISIBLE, main);
  HWND a1 = make("a1", WS_CHILD | WS_VISIBLE, a);
  HWND b = make("b", WS_CHILD | WS_VISIBLE, main);
  take();
  EXPECT_TRUE(DestroyWindow(main));
  EXPECT_EQ(take({WM_DESTROY}), (Log{"main:DESTROY", "a:DESTROY", "a1:DESTROY", "b:DESTROY"}));
  for (HWND h : {main, a, a1, b}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowLifecycle, StaleHandlesAreSafeEverywhere) {
  HWND h = make("gone", WS_VISIBLE);
  ASSERT_TRUE(DestroyWindow(h));
  EXPECT_FALSE(DestroyWindow(h));
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessage(h, WM_USER, 0, 0));
  EXPECT_EQ(GetWindowLong(h, GWL_STYLE), 0);
  EXPECT_FALSE(ShowWindow(h, SW_SHOW));
  EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
  EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
  EXPECT_EQ(SetFocus(h), nullptr);
  EXPECT_EQ(GetParent(h), nullptr);
  RECT r;
  EXPECT_FALSE(GetWindowRect(h, &r));
  // Nonsense values are just as safe.
  for (uintptr_t v : {uintptr_t{0}, uintptr_t{1}, uintptr_t{0x17}, uintptr_t{0xFFFFFFF0}}) {
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(v)));
  }
}

TEST_F(WindowLifecycle, HandlesAreNeverReusedAndHaveLowBitsClear) {
  std::vector<HWND> seen;
  for (int i = 0; i < 20; ++i) {
    HWND h = make("w", 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(h) & 0xF, 0u);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), h), 0);
    seen.push_back(h);
    DestroyWindow(h);
  }
}

TEST_F(WindowLifecycle, DestroyInsideItsOwnHandlersIsSafe) {
  HWND main = make("main", WS_VISIBLE);
  int destroys = 0;
  handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_USER) {
      DestroyWindow(h);
      PostMessage(h, WM_USER + 1, 0, 0);  // refused: the window is gone
      return 0;
    }
    if (msg == WM_DESTROY) {
      ++destroys;
      EXPECT_FALSE(DestroyWindow(h));  // already on its way out
    }
    return std::nullopt;
  };
  PostMessage(main, WM_USER, 0, 0);
  PostMessage(main, WM_USER + 2, 0, 0);  // queued for a window that will die
  EXPECT_TRUE(wince::dispatchPending());
  EXPECT_EQ(destroys, 1);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_TRUE(take({WM_USER + 1, WM_USER + 2}).empty());
}

TEST_F(WindowLifecycle, OwnedWindowsDieWithTheirOwner) {
  HWND main = make("main", WS_VISIBLE);
  HWND popup = make("popup", WS_POPUP | WS_VISIBLE, main);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), main);
  take();
  DestroyWindow(main);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(take({WM_DESTROY}), (Log{"popup:DESTROY", "main:DESTROY"}));
}

TEST_F(WindowLifecycle, DefWindowProcCloseDestroys) {
  HWND main = make("main", WS_VISIBLE);
  SendMessage(main, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main));
}

TEST_F(WindowLifecycle, ClassRegistration) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = u"testwindow";  // names compare without case
  EXPECT_EQ(RegisterClass(&wc), 0);
  HWND h = make("w", 0);
  EXPECT_FALSE(UnregisterClass(kClass, nullptr));
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClass(kClass, nullptr));
  EXPECT_FALSE(UnregisterClass(kClass, nullptr));

  wc.style = CS_GLOBALCLASS | CS_HREDRAW;
  wc.lpszClassName = u"Mine";
  ASSERT_NE(RegisterClass(&wc), 0);
  WNDCLASSW out{};
  ASSERT_TRUE(GetClassInfo(nullptr, u"mine", &out));
  EXPECT_EQ(out.style, static_cast<UINT>(CS_HREDRAW));
  for (const char16_t* system : {u"BUTTON", u"EDIT", u"STATIC", u"LISTBOX", u"COMBOBOX", u"SCROLLBAR"}) {
    EXPECT_TRUE(GetClassInfo(nullptr, system, &out)) << "system class";
  }
  EXPECT_FALSE(GetClassInfo(nullptr, u"Nothing", &out));
}

TEST_F(WindowLifecycle, WindowLongsArePointerSized) {
  HWND h = make("w", WS_CHILD, make("p", 0));
  const LONG_PTR big = static_cast<LONG_PTR>(0x123456789ABCDEF0ull);
  EXPECT_EQ(SetWindowLong(h, GWL_USERDATA, big), 0);
  EXPECT_EQ(GetWindowLong(h, GWL_USERDATA), big);
  // Extra bytes: 8 declared, so slots at 0 and 4, each a full pointer.
  SetWindowLong(h, 0, big);
  SetWindowLong(h, 4, big + 1);
  EXPECT_EQ(GetWindowLong(h, 0), big);
  EXPECT_EQ(GetWindowLong(h, 4), big + 1);
  EXPECT_EQ(SetWindowLong(h, 8, 5), 0);  // past the extra bytes
  EXPECT_EQ(GetWindowLong(h, 8), 0);
  EXPECT_EQ(GetWindowLong(h, 2), 0);  // not on a slot

  SetWindowLong(h, GWL_ID, 42);
  EXPECT_EQ(GetWindowLong(h, GWL_ID), 42);
  EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_CHILD);
  SetWindowLong(h, GWL_EXSTYLE, WS_EX_NOACTIVATE);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE)), WS_EX_NOACTIVATE);
}

TEST_F(WindowLifecycle, SubclassingThroughWindowProcLong) {
  static WNDPROC original = nullptr;
  static int calls = 0;
  calls = 0;
  HWND h = make("w", 0);
  original = reinterpret_cast<WNDPROC>(SetWindowLong(
      h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        ++calls;
        return CallWindowProc(original, w, m, wp, lp);
      })));
  ASSERT_NE(original, nullptr);
  take();
  SendMessage(h, WM_USER, 0, 0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(take(), (Log{"w:0x400"}));
}

TEST_F(WindowLifecycle, TextIsTruncatedToTheBuffer) {
  HWND h = make("w", 0);
  ASSERT_TRUE(SetWindowText(h, u"Solitaire"));
  EXPECT_EQ(GetWindowTextLength(h), 9);
  WCHAR buf[5];
  EXPECT_EQ(GetWindowText(h, buf, 5), 4);
  EXPECT_EQ(std::u16string(buf), u"Soli");
  WCHAR one[1] = {u'x'};
  EXPECT_EQ(GetWindowText(h, one, 1), 0);
  EXPECT_EQ(one[0], 0);
  EXPECT_EQ(FindWindow(kClass, u"solitaire"), h);
  EXPECT_EQ(FindWindow(kClass, u"Other"), nullptr);
}

}  // namespace
