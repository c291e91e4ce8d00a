// Menus driven by the runtime's script, the whole way a person's keys and
// taps take: the device's keys and stylus, the shell's soft-key bar (its
// soft keys and Back taken over, so they arrive as hot keys), the window,
// the application's translation, the form handler, the form and its menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../wince/runtime_test_util.h"
#include "../wince/string_block.h"
#include "menu_source.h"
#include "qzf_font_manager.h"
#include "qzf_form_description.h"
#include "qzf_form.h"
#include "qzf_form_handler.h"
#include "qzf_menu.h"
#include "qzf_menu_description.h"
#include "qzf_ui.h"
#include "solid_blobs.h"
#include "started_graphics_fixture.h"
#include "string_source.h"
#include "wince/host/clock.h"
#include "wince/host/resource.h"
#include "wince/shell.h"

namespace {

using menu_source::SoftKey;
using Log = std::vector<std::string>;

constexpr char16_t kTable[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr uint16_t kFont = 200;
const int16_t kValues[3] = {0, 100, 50};
constexpr UINT kBarId = 7800;
constexpr UINT_PTR kFrameTimer = 1;

enum StringId : uint16_t { kMenu = 100, kBack, kFile, kGo, kNew, kQuit };

class LoggingForm : public CQZFForm {
 public:
  Handled onMenuEvent(const QZFMenuEvent& event) override {
    log.push_back("menu " + std::to_string(event.menuId) + " " + std::to_string(event.kind) +
                  (event.kind == kQZFMenuItemChosen ? " " + std::to_string(event.itemId) : ""));
    return Handled::kPassOn;
  }
  Handled onKeyEvent(const QZFKeyEvent& key) override {
    log.push_back("key " + std::to_string(key.code));
    return Handled::kPassOn;
  }
  Log log;
};

CQZFApplication* g_app = nullptr;

// The program's window does what Pellwyn's does with its messages: the
// application translates them; the menu key becomes the game's menu code;
// the stylus comes as pen events; a timer runs the frames.
LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const MSG message{hwnd, msg, wParam, lParam, 0, {}};
  switch (msg) {
    case WM_KEYDOWN:
      if (wParam == VK_APPS) {
        g_app->onKey(kQZFKeyMenu, 0);
        return 0;
      }
      g_app->onSystemEvent(message);
      return 0;
    case WM_KEYUP:
    case WM_CHAR:
    case WM_HOTKEY: g_app->onSystemEvent(message); return 0;
    case WM_LBUTTONDOWN: g_app->onPen(1, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEMOVE: g_app->onPen(2, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP: g_app->onPen(0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_TIMER:
      g_app->getUI()->tick();
      g_app->getUI()->draw();
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

class MenuScriptTest : public started_graphics::StartedGraphicsTest {
 protected:
  // The user interface is made at time 0 of the virtual clock the script runs on.
  void prepare() override {
    wince::useVirtualClock(0);
    app_.values = kValues;
  }
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    addSolidBlobs(2, kFont, std::vector<std::pair<int, int>>(26, {6, 10}), 0xFFFF);
    app_.setFontManager(&fonts_);
    ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
    menu_source::Look look;
    look.font = kFont;
    StringSource::Resources resources;
    resources[{kQZFMenuType, 20}] = menu_source::quick(2, kFont, {kMenu, 11}, {kBack, 30, 2});
    resources[{kQZFMenuType, 21}] = menu_source::list(1, 1, {{30, kFile, 0x0004}, {12, kGo}}, look);
    resources[{kQZFMenuType, 30}] = menu_source::list(2, 0, {{41, kNew}, {31, kQuit, 0x0004}}, look);
    resources[{kQZFMenuType, 31}] = menu_source::list(2, 0, {{51, kGo}}, look);
    resources[{kQZFFormType, 1}] = menu_source::form(20);
    resources[{kQZFFormType, 2}] = menu_source::form(21);
    CQZResourceManager::instance().addSource(std::make_unique<StringSource>(
        std::map<uint16_t, std::u16string>{
            {kMenu, u"MENU"}, {kBack, u"BACK"}, {kFile, u"FILE"}, {kGo, u"GO"}, {kNew, u"NEW"}, {kQuit, u"QUIT"}},
        std::move(resources)));
    // The program's soft-key bar resource.
    barData_ = {0, 2, I_IMAGENONE, 40001, 4, 0, 7810, 0, NOMENU, I_IMAGENONE, 40002, 4, 0, 7811, 0, NOMENU};
    strings_ = stringBlock(7810, {u"Menu", u"Back"});
    entries_[0] = {nullptr,
                   10,
                   nullptr,
                   kBarId,
                   reinterpret_cast<const BYTE*>(barData_.data()),
                   static_cast<DWORD>(barData_.size() * 2)};
    entries_[1] = {nullptr,
                   6,
                   nullptr,
                   7810 / 16 + 1,
                   reinterpret_cast<const BYTE*>(strings_.data()),
                   static_cast<DWORD>(strings_.size() * 2)};
    table_ = {entries_, 2};
    wince::registerResourceTable(&table_);
    g_app = &app_;
  }
  void TearDown() override {
    g_app = nullptr;
    wince::unregisterResourceTable(&table_);
    app_.getUI()->getFormHandler()->closeAllForms();
    app_.setFontManager(nullptr);
    CQZResourceManager::instance().reset();
    StartedGraphicsTest::TearDown();
    wince::useRealClock();
  }

  // Runs the script on a program whose window shows the form; what the form was told.
  Log run(uint16_t formId, const std::string& script) {
    Log log;
    const std::filesystem::path dir = runtime_test::testFolder();
    const int code = runtime_test::runScript(dir, script, [&](HINSTANCE instance) {
      HWND window = runtime_test::makeMainWindow(instance, hostProc, u"MenuHost");
      SHMENUBARINFO info{};
      info.cbSize = sizeof info;
      info.hwndParent = window;
      info.nToolBarId = kBarId;
      info.hInstRes = instance;
      if (!window || !SHCreateMenuBar(&info)) return 1;
      for (UINT key : {VK_TSOFT1, VK_TSOFT2, VK_TBACK}) {
        SendMessage(info.hwndMB, SHCMBM_OVERRIDEKEY, key,
                    MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
      }
      auto form = std::make_unique<LoggingForm>();
      LoggingForm* raw = form.get();
      if (app_.getUI()->getFormHandler()->openForm(formId, std::move(form), 0) != 0) return 1;
      raw->log.clear();
      SetTimer(window, kFrameTimer, 20, nullptr);
      const int result = runtime_test::messageLoop();
      log = raw->log;
      return result;
    });
    EXPECT_EQ(code, 0);
    return log;
  }

  CQZFFontManager fonts_{&app_};
  std::vector<WORD> barData_;
  std::vector<WORD> strings_;
  wince::ResourceEntry entries_[2];
  wince::ResourceTable table_{};
};

TEST_F(MenuScriptTest, SoftKeysWorkTheQuickMenuAndItsPopup) {
  // Hot keys closer together than half a second count once: the script waits between them.
  const Log log = run(1,
                      "wait 600\n"
                      "key press softkey1\n"
                      "wait 600\n"
                      "key press softkey2\n"  // the popup opens up from the right soft key
                      "key press down\n"
                      "key press action\n"  // QUIT opens its submenu beside it
                      "key press action\n"  // GO there
                      "wait 600\n"
                      "key press softkey2\n"
                      "tap 10 10\n"  // outside: the popup closes, nothing chosen
                      "wait 100\n"
                      "key press menu\n"  // the menu key works the right soft key too
                      "wait 600\n"
                      "key press back\n"
                      "key press left\n");
  EXPECT_EQ(log, (Log{"menu 20 1 11", "menu 30 0", "menu 31 0", "menu 31 1 51", "menu 30 0", "menu 30 0", "key 37"}));
}

TEST_F(MenuScriptTest, TheMenuKeyOpensTheBarAndKeysAndTheStylusRunItsCommands) {
  const Log log = run(2,
                      "key press menu\n"  // the bar, and FILE's popup below it
                      "key press down\n"
                      "key press down\n"
                      "key press action\n"  // NEW, after wrapping past QUIT
                      "wait 100\n"
                      "key press menu\n"
                      "key press left\n"  // the popup cannot go left: it closes
                      "key press right\n"
                      "key press action\n"  // GO on the bar
                      "wait 100\n"
                      "key press menu\n"
                      "tap 60 5\n"  // GO on the bar (52-90): the release closes the popup and chooses it
                      "wait 100\n"
                      "key press right\n");
  EXPECT_EQ(log, (Log{"menu 30 0", "menu 30 0", "menu 30 1 41", "menu 30 0", "menu 30 0", "menu 21 1 12",
                      "menu 21 1 12", "key 39"}));
}

}  // namespace
