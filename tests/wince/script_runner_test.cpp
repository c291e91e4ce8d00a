// Scripts driving a program headless: the order of the input they make, the
// virtual time they let pass, and how they end.
#include <fstream>
#include <iterator>

#include "control_gallery.h"
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

namespace {

std::string readAll(const std::filesystem::path& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

INT_PTR CALLBACK galleryDialog(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) gallery::fill(dlg);
  if (msg == WM_DRAWITEM) gallery::drawSwatch(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) seen().push_back("COMMAND " + std::to_string(LOWORD(wp)));
  return msg == WM_INITDIALOG || msg == WM_DRAWITEM;
}

TEST_F(Scripts, ControlsAreTappedByIdAndDumpedWithTheirState) {
  const TemplateBuilder t = gallery::dialogTemplate();
  const auto dump = dir_ / "dialog.txt";
  const std::string script = "tapcontrol 102\ntapcontrol 105\ndump " + dump.string() + "\ntapcontrol 999\n";
  const int code = runScript(dir_, script, [&](HINSTANCE instance) {
    HWND main = makeMainWindow(instance, recordProc);
    HWND dlg = CreateDialogIndirectParam(instance, t.get(), main, galleryDialog, 0);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
      if (IsDialogMessage(dlg, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
  }, "pocketpc-qvga");
  EXPECT_NE(code, 0);  // the last tap finds no control 999
  const std::string text = readAll(dump);
  EXPECT_NE(text.find("dialog: \"Options\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  control: 102 \"BUTTON\" \"Sound effects\" state=enabled value=0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  control: 105 \"BUTTON\" \"Three cards\" state=enabled,focused value=1\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("  control: 106 \"COMBOBOX\" \"Spider\" state=enabled value=1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  control: 101 \"EDIT\" \"Player\" state=enabled\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  control: 107 \"SysListView32\" \"\" state=enabled value=-1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  control: 108 \"SysTabControl32\" \"\" state=enabled value=0\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(seen().begin(), seen().end(), "COMMAND 102"), 1);
}

TEST_F(Scripts, MenuItemsArePickedByTheirText) {
  const auto dump = dir_ / "menu.txt";
  const auto after = dir_ / "after.txt";
  const std::string script =
      "key press softkey2\ndump " + dump.string() + "\npick New\ndump " + after.string() + "\npick New\n";
  static std::vector<WPARAM> commands;
  commands.clear();
  const auto proc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_COMMAND) commands.push_back(wp);
    return recordProc(hwnd, msg, wp, lp);
  };
  EXPECT_NE(runScript(dir_, script, [&](HINSTANCE instance) {
              HWND main = makeMainWindow(instance, proc);
              SHMENUBARINFO mbi{};
              mbi.cbSize = sizeof mbi;
              mbi.hwndParent = main;
              mbi.nToolBarId = 9800;
              SHCreateMenuBar(&mbi);
              return messageLoop();
            }, "pocketpc-qvga"), 0);  // the second pick finds no open menu
  EXPECT_NE(readAll(dump).find("menu: level=0 selected=-1 \"New\" - \"Exit\"(grayed)\n"), std::string::npos)
      << readAll(dump);
  EXPECT_EQ(readAll(after).find("menu:"), std::string::npos);
  EXPECT_EQ(commands, (std::vector<WPARAM>{40001}));
}

}  // namespace
