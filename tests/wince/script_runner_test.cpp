// Scripts driving a program headless: the order of the input they make, the
// virtual time they let pass, and how they end.
#include "runtime_test_util.h"

namespace {

using namespace runtime_test;

std::string msgName(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return "KEYDOWN";
    case WM_KEYUP: return "KEYUP";
    case WM_CHAR: return "CHAR";
    case WM_IME_COMPOSITION: return "COMPOSE";
    case WM_LBUTTONDOWN: return "DOWN";
    case WM_MOUSEMOVE: return "MOVE";
    case WM_LBUTTONUP: return "UP";
    case WM_TIMER: return "TIMER";
    case WM_CLOSE: return "CLOSE";
    case 0x8001: return "POWER";
    default: return "";
  }
}

bool g_ignoreClose = false;

LRESULT CALLBACK recordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::string name = msgName(msg);
  if (msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE || msg == WM_LBUTTONUP) {
    seen().push_back(name + " " + std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam)) +
                     " " + std::to_string(wParam));
    return 0;
  }
  if (msg == WM_IME_COMPOSITION) {
    const LONG bytes = ImmGetCompositionString(ImmGetContext(hwnd), GCS_RESULTSTR, nullptr, 0);
    seen().push_back(name + " " + std::to_string(wParam) + " " + std::to_string(bytes));
    return 0;
  }
  if (msg == WM_TIMER) {
    seen().push_back(name + " " + std::to_string(GetTickCount()));
    return 0;
  }
  if (!name.empty()) seen().push_back(name + " " + std::to_string(wParam));
  if (msg == WM_CLOSE && g_ignoreClose) return 0;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class Scripts : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testFolder();
    seen().clear();
    g_ignoreClose = false;
  }

  int run(const std::string& script, std::function<void(HWND)> setup = nullptr) {
    return runScript(dir_, script, [setup](HINSTANCE instance) {
      HWND hwnd = makeMainWindow(instance, recordProc);
      if (setup) setup(hwnd);
      return messageLoop();
    });
  }

  std::filesystem::path dir_;
};

TEST_F(Scripts, KeysCharactersAndTheirOrder) {
  EXPECT_EQ(run("key press 5\nkey down left\nkey up left\nchar \xc3\xa9U\n"), 0);
  std::vector<std::string> want = {"KEYDOWN 53", "CHAR 53",  "KEYUP 53", "KEYDOWN 37",
                                   "KEYUP 37",   "CHAR 233", "CHAR 85",  "CLOSE 0"};
  EXPECT_EQ(seen(), want);
}

TEST_F(Scripts, ComposedTextArrivesInTurn) {
  EXPECT_EQ(run("char a\ncompose \xc3\xbc\xc3\x9f\nchar b\n"), 0);
  std::vector<std::string> want = {"CHAR 97", "COMPOSE 223 4", "CHAR 98", "CLOSE 0"};
  EXPECT_EQ(seen(), want);
}

TEST_F(Scripts, TapAndDragGoThroughTheStylus) {
  EXPECT_EQ(run("tap 3 4\ndrag 10 10 50 10\n"), 0);
  std::vector<std::string> want = {"DOWN 3,4 1",    "UP 3,4 0",      "DOWN 10,10 1",  "MOVE 16,10 1",
                                   "MOVE 23,10 1",  "MOVE 30,10 1",  "MOVE 36,10 1",  "MOVE 43,10 1",
                                   "MOVE 50,10 1",  "UP 50,10 0",    "CLOSE 0"};
  EXPECT_EQ(seen(), want);
}

TEST_F(Scripts, WaitLetsVirtualTimePassTimerByTimer) {
  EXPECT_EQ(run("wait 35\nwait 0\nkey press 1\n", [](HWND hwnd) { SetTimer(hwnd, 1, 10, nullptr); }), 0);
  ASSERT_GE(seen().size(), 3u);
  EXPECT_EQ(seen()[0], "TIMER 10");
  EXPECT_EQ(seen()[1], "TIMER 20");
  EXPECT_EQ(seen()[2], "TIMER 30");
  EXPECT_EQ(seen()[3], "KEYDOWN 49");
}

TEST_F(Scripts, ProgramThatIgnoresCloseStillEnds) {
  g_ignoreClose = true;
  EXPECT_EQ(run(""), 0);
  EXPECT_EQ(seen(), std::vector<std::string>{"CLOSE 0"});
}

TEST_F(Scripts, FailedCommandFailsTheRun) {
  std::string bad = (dir_ / "no-such-folder" / "x.png").string();
  EXPECT_EQ(run("screenshot " + bad + "\ndump " + (dir_ / "none" / "s.txt").string() + "\n"), 3);
  EXPECT_FALSE(std::filesystem::exists(bad));
}

TEST_F(Scripts, ProgramThatEndsBeforeItsScriptFailsTheRun) {
  EXPECT_EQ(run("key press 1\nwait 10\nscreenshot never.png\n", [](HWND hwnd) { PostMessage(hwnd, WM_CLOSE, 0, 0); }),
            3);
  EXPECT_EQ(seen(), std::vector<std::string>{"CLOSE 0"});
}

// A power thread as the programs have one: it reads the power queue and
// posts each transition to the window.
struct PowerThread {
  HWND hwnd;
  HANDLE queue;
  std::atomic<bool> stop{false};
};

DWORD WINAPI powerThread(LPVOID arg) {
  auto* p = static_cast<PowerThread*>(arg);
  while (!p->stop) {
    if (WaitForSingleObject(p->queue, INFINITE) != WAIT_OBJECT_0) break;
    POWER_BROADCAST pb{};
    DWORD read = 0;
    DWORD flags = 0;
    if (ReadMsgQueue(p->queue, &pb, sizeof pb, &read, 0, &flags)) {
      PostMessage(p->hwnd, 0x8001, (pb.Flags & POWER_STATE_ON) ? 1 : 0, 0);
    }
  }
  return 0;
}

TEST_F(Scripts, SuspendAndResumeReachThePowerThread) {
  PowerThread power;
  HANDLE notifications = nullptr;
  HANDLE thread = nullptr;
  int code = runScript(dir_, "suspend\nresume\n", [&](HINSTANCE instance) {
    power.hwnd = makeMainWindow(instance, recordProc);
    MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), 0, 0, sizeof(POWER_BROADCAST), TRUE};
    power.queue = CreateMsgQueue(nullptr, &options);
    notifications = RequestPowerNotifications(power.queue, PBT_TRANSITION);
    thread = CreateThread(nullptr, 0, powerThread, &power, 0, nullptr);
    int result = messageLoop();
    power.stop = true;
    SetEvent(power.queue);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    StopPowerNotifications(notifications);
    CloseMsgQueue(power.queue);
    return result;
  });
  EXPECT_EQ(code, 0);
  std::vector<std::string> want = {"POWER 0", "POWER 1", "CLOSE 0"};
  EXPECT_EQ(seen(), want);
}

}  // namespace
