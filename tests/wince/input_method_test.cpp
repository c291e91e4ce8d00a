// The input method: one context per window, the result string of its last
// composition, and how a composition reaches the window.
#include "shell_test_util.h"

#include "wince/host/shell.h"

namespace {

using namespace shell_test;

using InputMethod = ShellTest;

// The composition message waiting for `hwnd`, taken from the queue.
bool takeComposition(HWND hwnd, MSG* msg) {
  return PeekMessage(msg, hwnd, WM_IME_COMPOSITION, WM_IME_COMPOSITION, PM_REMOVE) != FALSE;
}

TEST_F(InputMethod, ComposedTextIsTheResultStringOfTheKeyWindow) {
  wince::injectComposition(u"h\u00E9llo");
  MSG msg{};
  ASSERT_TRUE(takeComposition(main_, &msg));
  EXPECT_EQ(msg.lParam, GCS_RESULTSTR);
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(u'o'));
  HIMC context = ImmGetContext(main_);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(ImmGetContext(main_), context);

  // Buffer sizes in bytes: 0 asks for the size; a buffer short of the whole
  // string gets nothing.
  struct Case {
    DWORD bytes;
    LONG result;
    std::u16string after;
  };
  const Case cases[] = {
      {0, 10, u"~~~~~~~"},
      {9, IMM_ERROR_GENERAL, u"~~~~~~~"},
      {10, 10, u"h\u00E9llo~~"},
      {14, 10, u"h\u00E9llo~~"},
  };
  for (const Case& c : cases) {
    std::u16string buffer(7, u'~');
    EXPECT_EQ(ImmGetCompositionString(context, GCS_RESULTSTR, buffer.data(), c.bytes), c.result) << c.bytes;
    EXPECT_EQ(buffer, c.after) << c.bytes;
  }
  EXPECT_EQ(ImmGetCompositionString(context, GCS_RESULTSTR, nullptr, 10), IMM_ERROR_GENERAL);
  EXPECT_EQ(ImmGetCompositionString(context, 0x0008, nullptr, 0), IMM_ERROR_NODATA);
  EXPECT_EQ(ImmGetCompositionString(nullptr, GCS_RESULTSTR, nullptr, 0), IMM_ERROR_GENERAL);
  EXPECT_TRUE(ImmReleaseContext(main_, context));
  EXPECT_FALSE(ImmReleaseContext(main_, nullptr));
}

TEST_F(InputMethod, EachWindowKeepsItsOwnComposition) {
  HWND other = CreateWindowEx(0, u"ShellTestMain", u"Other", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                              wince::programInstance(), nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(main_);
  wince::injectComposition(u"ab");
  HIMC mine = ImmGetContext(main_);
  HIMC its = ImmGetContext(other);
  ASSERT_NE(its, nullptr);
  EXPECT_NE(mine, its);
  EXPECT_EQ(ImmGetCompositionString(mine, GCS_RESULTSTR, nullptr, 0), 4);
  EXPECT_EQ(ImmGetCompositionString(its, GCS_RESULTSTR, nullptr, 0), 0);
  EXPECT_FALSE(ImmReleaseContext(other, mine));

  // A window that dies takes its context along.
  DestroyWindow(main_);
  EXPECT_EQ(ImmGetCompositionString(mine, GCS_RESULTSTR, nullptr, 0), IMM_ERROR_GENERAL);
  EXPECT_FALSE(ImmReleaseContext(main_, mine));
  EXPECT_EQ(ImmGetContext(main_), nullptr);
  EXPECT_EQ(ImmGetContext(nullptr), nullptr);
  EXPECT_EQ(ImmGetContext(other), its);
}

TEST_F(InputMethod, NothingIsComposedWithoutTextOrAWindowForKeys) {
  MSG msg{};
  wince::injectComposition(u"");
  EXPECT_FALSE(takeComposition(nullptr, &msg));
  EnableWindow(main_, FALSE);
  wince::injectComposition(u"x");
  EXPECT_FALSE(takeComposition(nullptr, &msg));
  EXPECT_EQ(ImmGetCompositionString(ImmGetContext(main_), GCS_RESULTSTR, nullptr, 0), 0);
}

}  // namespace
