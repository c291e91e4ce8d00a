// Waiting for kernel objects and for input at once.
#include <thread>

#include "wince/host/clock.h"
#include "wince/thread.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

using MsgWait = WindowTest;

TEST_F(MsgWait, InputOrAnObjectEndsTheWait) {
  HWND main = make("main", 0);
  HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &event, 0, QS_ALLINPUT, 0), WAIT_TIMEOUT);
  PostMessage(main, WM_USER, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &event, INFINITE, QS_ALLINPUT, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &event, 0, 0, 0), WAIT_TIMEOUT);  // input not asked for
  SetEvent(event);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, 0), WAIT_OBJECT_0);
  CloseHandle(event);
}

TEST_F(MsgWait, AnotherThreadSignalsWhileTheGuiThreadWaits) {
  wince::useRealClock();
  HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  std::thread signaller([event] { SetEvent(event); });
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &event, INFINITE, QS_ALLINPUT, 0), WAIT_OBJECT_0);
  signaller.join();
  HWND main = make("main", 0);
  std::thread poster([main] { PostMessage(main, WM_USER, 0, 0); });
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, 0), WAIT_OBJECT_0);
  poster.join();
  CloseHandle(event);
}

TEST_F(MsgWait, ThreadMessagesUseTheIdsOfTheThreadCalls) {
  make("main", 0);
  EXPECT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_APP, 1, 0));
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_APP));
}

}  // namespace
