// Menus on a form, driven as the window drives them: soft keys as hot keys,
// arrows and Return as key presses and the menu key as the platform sends it,
// through the user interface's translation, the form handler and the form.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app_serialise_stream.h"
#include "application_fixture.h"
#include "menu_source.h"
#include "qzf_font_manager.h"
#include "qzf_form_description.h"
#include "qzf_form.h"
#include "qzf_form_dump.h"
#include "qzf_form_handler.h"
#include "qzf_menu_bar.h"
#include "qzf_menu_description.h"
#include "qzf_menu_handler.h"
#include "qzf_menu_popup.h"
#include "qzf_menu_quick.h"
#include "qzf_metrics.h"
#include "qzf_ui.h"
#include "solid_blobs.h"
#include "started_graphics_fixture.h"
#include "string_source.h"
#include "wince/host/clock.h"
#include "wince/shell.h"

namespace {

using menu_source::Item;
using menu_source::SoftKey;
using started_graphics::Report;

constexpr char16_t kTable[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr uint16_t kFont = 200;
constexpr uint16_t kKeyBlob = 300;      // 60 x 20 soft key
constexpr uint16_t kPressedBlob = 301;  // the same, pressed
constexpr uint16_t kKeyColour = 0x07E0;
constexpr uint16_t kPressedColour = 0xF800;
constexpr uint16_t kGlyphColour = 0xFFFF;
// Layout values: 0 = 0, 1 = 100 (width), 2 = 50 (height).
const int16_t kValues[3] = {0, 100, 50};

enum StringId : uint16_t { kMenu = 100, kBack, kFile, kGo, kNew, kQuit, kHelp };
const std::map<uint16_t, std::u16string> kStrings = {{kMenu, u"MENU"}, {kBack, u"BACK"}, {kFile, u"FILE"}, {kGo, u"GO"},
                                                     {kNew, u"NEW"},   {kQuit, u"QUIT"}, {kHelp, u"HELP"}};

// A form that notes what its menus tell it, when it stops and starts being
// active, and the keys its own hook is offered.
class MenuForm : public CQZFForm {
 public:
  Handled onMenuEvent(const QZFMenuEvent& event) override {
    log.push_back("menu " + std::to_string(event.menuId) + " " + std::to_string(event.kind) +
                  (event.kind == kQZFMenuItemChosen ? " " + std::to_string(event.itemId) : ""));
    if (onChosen && event.kind == kQZFMenuItemChosen) onChosen(event);
    return Handled::kPassOn;
  }
  Handled onEvent(const QZFFormEvent& event) override {
    if (event.type == kQZFFormActivated) log.push_back("active");
    if (event.type == kQZFFormDeactivated) log.push_back("inactive");
    return Handled::kPassOn;
  }
  Handled onKeyEvent(const QZFKeyEvent& key) override {
    log.push_back("key " + std::to_string(key.code));
    return Handled::kPassOn;
  }
  std::vector<std::string> take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
  std::vector<std::string> log;
  std::function<void(const QZFMenuEvent&)> onChosen;
};

using Log = std::vector<std::string>;

// Bars and popups write in the test font.
const menu_source::Look kLook = [] {
  menu_source::Look look;
  look.font = kFont;
  return look;
}();

class FormMenuTest : public started_graphics::StartedGraphicsTest {
 protected:
  void prepare() override {
    wince::useVirtualClock(1000000);
    app_.values = kValues;
  }
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    addSolidBlobs(2, kFont, std::vector<std::pair<int, int>>(26, {6, 10}), kGlyphColour);
    addSolidBlobs(3, kKeyBlob, {{60, 20}}, kKeyColour);
    addSolidBlobs(4, kPressedBlob, {{60, 20}}, kPressedColour);
    app_.setFontManager(&fonts_);
    ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
  }
  void TearDown() override {
    forms()->closeAllForms();
    app_.setFontManager(nullptr);
    CQZResourceManager::instance().reset();
    StartedGraphicsTest::TearDown();
    wince::useRealClock();
  }

  CQZFFormHandler* forms() { return app_.getUI()->getFormHandler(); }
  void serve(std::map<uint16_t, std::vector<uint8_t>> menus, std::map<uint16_t, std::vector<uint8_t>> forms) {
    StringSource::Resources resources;
    for (auto& [id, bytes] : menus) resources[{kQZFMenuType, id}] = std::move(bytes);
    for (auto& [id, bytes] : forms) resources[{kQZFFormType, id}] = std::move(bytes);
    CQZResourceManager::instance().addSource(std::make_unique<StringSource>(kStrings, std::move(resources)));
  }
  MenuForm* open(uint16_t formId) {
    auto form = std::make_unique<MenuForm>();
    MenuForm* raw = form.get();
    const int16_t r = forms()->openForm(formId, std::move(form), 0);
    EXPECT_EQ(r, 0);
    return r == 0 ? raw : nullptr;
  }
  CQZFMenuHandler* menus(MenuForm* form) { return form->getMenuHandler(); }

  // The window's messages, as the platform hands them to the application.
  void softKey(int key) {
    wince::advanceClock(600);  // hot keys closer together than half a second count once
    app_.onSystemEvent(windowMessage(WM_HOTKEY, 0, MAKELPARAM(0, key)));
  }

  CQZFFontManager fonts_{&app_};
  void press(WPARAM key) { app_.onSystemEvent(windowMessage(WM_KEYDOWN, key)); }
  void menuKey() { app_.onKey(kQZFKeyMenu, 0); }
  void tap(int x, int y) {
    app_.onPen(1, x, y);
    app_.onPen(0, x, y);
  }
  // One frame: the forms' and menus' update, then the drawing.
  void frame() {
    app_.getUI()->tick();
    app_.getUI()->draw();
    g_->flush();
  }
};

// --- The reader ---------------------------------------------------------------

TEST(MenuDescriptionTest, ReadsEachKindAndRefusesWhatDoesNotFit) {
  const std::vector<uint8_t> quick =
      menu_source::quick(2, 7, {kMenu, 11, 0, kPressedBlob, 200, kKeyBlob, 100}, {kBack, 12, 2});
  QZFMenuDescription d;
  ASSERT_EQ(QZFReadMenuDescription(quick.data(), quick.size(), &d), QZ_OK);
  EXPECT_EQ(d.kind, kQZFMenuKindQuick);
  EXPECT_EQ(d.flags, 2);
  EXPECT_EQ(d.quick.font, 7);
  EXPECT_EQ(d.quick.keys[0].pressedBlob, kPressedBlob);
  EXPECT_EQ(d.quick.keys[0].pressedLevel, 200);
  EXPECT_EQ(d.quick.keys[0].blob, kKeyBlob);
  EXPECT_EQ(d.quick.keys[0].level, 100);
  EXPECT_EQ(d.quick.keys[1].itemId, 12);
  EXPECT_EQ(d.quick.keys[1].flags, 2);

  menu_source::Look look;
  look.disabledFont = 9;
  look.frame[4] = 44;
  look.arrowRight = 45;
  const std::vector<uint8_t> popup = menu_source::list(2, 8, {{1, kNew, 0x0004}, {2, kQuit, 0x0408, 50, 51}}, look);
  ASSERT_EQ(QZFReadMenuDescription(popup.data(), popup.size(), &d), QZ_OK);
  EXPECT_EQ(d.kind, kQZFMenuKindPopup);
  EXPECT_EQ(d.list.background.colour, CQZFGraphics::makeColour(0, 0, 128));
  EXPECT_EQ(d.list.disabledFont, 9);
  EXPECT_EQ(d.list.frame[4], 44);
  EXPECT_EQ(d.list.arrowRight, 45);
  ASSERT_EQ(d.list.items.size(), 2u);
  EXPECT_EQ(d.list.items[1].flags, 0x0408);
  EXPECT_EQ(d.list.items[1].markedIcon, 50);
  EXPECT_EQ(d.list.items[1].icon, 51);

  std::vector<uint8_t> unknown = popup;
  unknown[0] = 3;
  std::vector<uint8_t> manyItems = popup;
  manyItems[42] = 3;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    QZStatus status;
  };
  const Case cases[] = {
      {"nothing", {}, QZ_ERR_GENERAL},
      {"kind only", {1}, QZ_ERR_GENERAL},
      {"unknown kind", unknown, QZ_ERR_NO_MEMORY},
      {"quick cut short", std::vector<uint8_t>(quick.begin(), quick.begin() + 25), QZ_ERR_GENERAL},
      {"header cut short", std::vector<uint8_t>(popup.begin(), popup.begin() + 42), QZ_ERR_GENERAL},
      {"last item cut short", std::vector<uint8_t>(popup.begin(), popup.end() - 1), QZ_ERR_GENERAL},
      {"more items than bytes", manyItems, QZ_ERR_GENERAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QZFMenuDescription untouched;
    untouched.flags = 99;
    EXPECT_EQ(QZFReadMenuDescription(c.bytes.data(), c.bytes.size(), &untouched), c.status);
    EXPECT_EQ(untouched.flags, 99);
  }
}

// --- Opening -----------------------------------------------------------------

TEST_F(FormMenuTest, AMenuThatCannotOpenLeavesTheFormWithoutOneAndIsReported) {
  std::vector<uint8_t> damaged = menu_source::list(1, 1, {{1, kGo}});
  damaged.pop_back();
  std::vector<uint8_t> unknown = menu_source::list(1, 1, {{1, kGo}});
  unknown[0] = 7;
  serve({{21, damaged}, {22, unknown}}, {{1, menu_source::form(20)},
                                         {2, menu_source::form(21)},
                                         {3, menu_source::form(22)},
                                         {4, menu_source::form(QZ_NO_ID)}});
  struct Case {
    uint16_t form;
    int16_t status;
  };
  for (const Case c : {Case{1, QZ_ERR_BAD_STATE}, Case{2, QZ_ERR_GENERAL}, Case{3, QZ_ERR_NO_MEMORY}}) {
    SCOPED_TRACE(c.form);
    app_.reports.clear();
    MenuForm* form = open(c.form);
    ASSERT_NE(form, nullptr);
    ASSERT_NE(menus(form), nullptr);
    EXPECT_EQ(menus(form)->getMenuCount(), 0);
    EXPECT_EQ(menus(form)->getMenuId(), QZ_NO_ID);
    EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_menu_handler", 76, c.status}}));
    // Without a menu the keys still reach the form.
    press(VK_LEFT);
    EXPECT_EQ(form->take().back(), "key 37");
    // A missing menu is not tried again every frame.
    frame();
    EXPECT_EQ(app_.reports.size(), 1u);
  }
  MenuForm* plain = open(4);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(menus(plain), nullptr);
}

// --- Quick menu ----------------------------------------------------------------

class QuickMenuTest : public FormMenuTest {
 protected:
  void serveQuick(uint8_t flags, const SoftKey& left, const SoftKey& right) {
    serve({{20, menu_source::quick(flags, kFont, left, right)},
           {30, menu_source::list(2, 0, {{41, kNew}, {42, kQuit}}, kLook)}},
          {{1, menu_source::form(20)}});
  }
  const CQZFMenuQuick& quick(MenuForm* form) { return *dynamic_cast<const CQZFMenuQuick*>(menus(form)->getMenu(0)); }
};

TEST_F(QuickMenuTest, SoftKeysAndTheMenuKeyWorkTheirButtons) {
  serveQuick(0, {kMenu, 11, 0, QZ_NO_ID, 255, kKeyBlob}, {kBack, 12, 0, QZ_NO_ID, 255, kKeyBlob});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->take(), (Log{"menu 20 0", "active"}));
  EXPECT_EQ(menus(form)->getMenuId(), 20);
  EXPECT_FALSE(menus(form)->coversForm());
  softKey(VK_TSOFT1);
  softKey(VK_TSOFT2);
  menuKey();
  EXPECT_EQ(form->take(), (Log{"menu 20 1 11", "menu 20 1 12", "menu 20 1 12"}));
  // The quick menu takes nothing else: the form still gets the arrows and stays active.
  press(VK_DOWN);
  EXPECT_EQ(form->take(), (Log{"key 40"}));
  EXPECT_TRUE(form->isActive());
}

TEST_F(QuickMenuTest, AMissingButtonLeavesItsKeyToTheMenuHandler) {
  serveQuick(0, {kMenu, 11}, {kBack, QZ_NO_ID});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  form->take();
  EXPECT_FALSE(quick(form).getButton(1).present());
  // 113 reaches the menu handler's menu key: the quick menu stays as it is, and the form is told it is shown.
  softKey(VK_TSOFT2);
  EXPECT_EQ(form->take(), (Log{"menu 20 0"}));
  EXPECT_TRUE(form->isActive());
}

TEST_F(QuickMenuTest, ButtonsSitInTheCornersOfTheirEdge) {
  serveQuick(0, {kMenu, 11, 0, QZ_NO_ID, 255, kKeyBlob}, {kBack, 12, 0, QZ_NO_ID, 255, kKeyBlob});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(quick(form).getButton(0).rect, (QZRect{0, 300, 60, 20}));
  EXPECT_EQ(quick(form).getButton(1).rect, (QZRect{180, 300, 60, 20}));
  EXPECT_EQ(quick(form).getRect(), (QZRect{0, 300, 240, 20}));
  forms()->closeAllForms();
  CQZResourceManager::instance().reset();
  serveQuick(1, {kMenu, 11, 0, QZ_NO_ID, 255, kKeyBlob}, {kBack, 12, 0, QZ_NO_ID, 255, kKeyBlob});
  form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(quick(form).getButton(0).rect.y, 0);
  EXPECT_EQ(quick(form).getRect().y, 0);
}

TEST_F(QuickMenuTest, APressLiftedOutsideSendsNothingAndRedrawsTheButton) {
  serveQuick(0, {kMenu, 11, 0, kPressedBlob, 255, kKeyBlob}, {kBack, 12, 0, QZ_NO_ID, 255, kKeyBlob});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  form->take();
  frame();
  EXPECT_EQ(pixelAt(1, 319), kKeyColour);
  app_.onPen(1, 10, 310);
  EXPECT_TRUE(quick(form).getButton(0).pressed);
  frame();
  EXPECT_EQ(pixelAt(1, 319), kPressedColour);
  app_.onPen(2, 100, 200);
  app_.onPen(0, 100, 200);
  EXPECT_FALSE(quick(form).getButton(0).pressed);
  frame();
  EXPECT_EQ(pixelAt(1, 319), kKeyColour);
  EXPECT_EQ(form->take(), (Log{}));
  // Pressed and lifted on the button: chosen.
  tap(230, 305);
  EXPECT_EQ(form->take(), (Log{"menu 20 1 12"}));
}

TEST_F(QuickMenuTest, ASubmenuOpensFromTheButtonsCorner) {
  serveQuick(2, {kMenu, 11, 0, QZ_NO_ID, 255, kKeyBlob}, {kBack, 30, 2, QZ_NO_ID, 255, kKeyBlob});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  form->take();
  softKey(VK_TSOFT2);
  ASSERT_EQ(menus(form)->getMenuCount(), 2);
  const CQZFMenu* popup = menus(form)->getMenu(1);
  EXPECT_EQ(popup->getId(), 30);
  // Placement 10: the bottom-right corner on the right screen edge at the top of the button.
  EXPECT_EQ(popup->getRect().x + popup->getRect().w, 240);
  EXPECT_EQ(popup->getRect().y + popup->getRect().h, 300);
  EXPECT_TRUE(menus(form)->coversForm());
  EXPECT_FALSE(form->isActive());
  EXPECT_EQ(form->take(), (Log{"menu 30 0", "inactive"}));
  // The popup has the keys now; its second item is chosen and the menus close.
  press(VK_DOWN);
  press(VK_RETURN);
  EXPECT_EQ(form->take(), (Log{"menu 30 1 42", "active"}));
  frame();
  EXPECT_EQ(menus(form)->getMenuCount(), 1);
}

TEST_F(QuickMenuTest, ButtonsWithoutImagesAreDrawnAsPlainBoxesWithTheirLabels) {
  serveQuick(0, {kMenu, 11}, {kBack, 12});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  frame();
  // Half the screen each, a line of text and its margin high, at the bottom.
  EXPECT_EQ(quick(form).getButton(0).rect, (QZRect{0, 302, 120, 18}));
  EXPECT_EQ(quick(form).getButton(1).rect, (QZRect{120, 302, 120, 18}));
  EXPECT_NE(pixelAt(2, 318), started_graphics::kBackground);
  // The label is centred: "MENU" is four 7-pixel glyphs from x 46, rows 306-315.
  EXPECT_EQ(pixelAt(47, 310), kGlyphColour);
  EXPECT_NE(pixelAt(40, 310), kGlyphColour);
}

// A screen that fills the display under its soft keys, like a title or play
// screen: it paints its background only where the display needs it (the
// cells marked for redrawing that no form above covers).
class ScreenForm : public MenuForm {
 public:
  static constexpr uint16_t kColour = 0x001F;
  ScreenForm() { setWholeScreenBackground(true); }
  Handled drawBackground() override {
    getGraphics()->fillBackground(kColour);
    return Handled::kDone;
  }
};

// The screen and, opened over it, a small form without menus or one with
// soft keys of its own in another colour.
class CoveredSoftKeysTest : public QuickMenuTest {
 protected:
  // Layout values: 0 = 0, 1 = 100, 2 = 50, 3 = 240 (screen width), 4 = 320 (screen height).
  static constexpr int16_t kScreenValues[5] = {0, 100, 50, 240, 320};
  void prepare() override {
    FormMenuTest::prepare();
    app_.values = kScreenValues;
  }
  void SetUp() override {
    QuickMenuTest::SetUp();
    const std::string screen = "form 1\nwidth T3\nheight T4\nbackground 0 #000000\nmenu 20\n";
    serve({{20, menu_source::quick(2, kFont, {kMenu, 11, 0, QZ_NO_ID, 255, kKeyBlob},
                                   {kBack, 30, 2, QZ_NO_ID, 255, kKeyBlob})},
           {21, menu_source::quick(2, kFont, {kGo, 13, 0, QZ_NO_ID, 255, kPressedBlob},
                                   {kQuit, 14, 0, QZ_NO_ID, 255, kPressedBlob})},
           {30, menu_source::list(2, 0, {{41, kNew}, {42, kQuit}}, kLook)}},
          {{1, menu_source::compile(screen)},
           {2, menu_source::compile("form 2\nwidth T1\nheight T2\nbackground 255 #000000\n")},
           {3, menu_source::form(21)}});
  }
  // One frame as the window runs it: after the copy to the screen the dirty
  // grid is cleared, so the next frame draws only what was marked since.
  void frame() {
    app_.getUI()->tick();
    app_.drawFrame();
  }
  // The colours of the left and right soft keys under their labels.
  std::pair<uint16_t, uint16_t> strip() { return {pixelAt(2, 318), pixelAt(182, 318)}; }
};

TEST_F(CoveredSoftKeysTest, TheStripShowsTheTopFormsSoftKeysOrNone) {
  using Strip = std::pair<uint16_t, uint16_t>;
  const Strip screenKeys{kKeyColour, kKeyColour};
  struct Case {
    const char* name;
    uint16_t cover;     // the form opened over the screen
    bool fromMenu;      // opened by an item of the right soft key's submenu, else directly
    Strip covered;      // the strip while the form is open
  };
  const Case cases[] = {
      {"no soft keys, from the menu", 2, true, {ScreenForm::kColour, ScreenForm::kColour}},
      {"no soft keys, directly", 2, false, {ScreenForm::kColour, ScreenForm::kColour}},
      {"own soft keys, from the menu", 3, true, {kPressedColour, kPressedColour}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto made = std::make_unique<ScreenForm>();
    ScreenForm* screen = made.get();
    ASSERT_EQ(forms()->openForm(1, std::move(made), 0), 0);
    frame();
    EXPECT_EQ(strip(), screenKeys);
    if (c.fromMenu) {
      screen->onChosen = [&](const QZFMenuEvent&) { static_cast<void>(open(c.cover)); };
      softKey(VK_TSOFT2);
      frame();
      press(VK_DOWN);
      press(VK_RETURN);
    } else {
      ASSERT_NE(open(c.cover), nullptr);
    }
    frame();
    frame();
    ASSERT_EQ(forms()->getTopFormId(), c.cover);
    EXPECT_EQ(strip(), c.covered);
    // Closed again, the screen below shows its own soft keys.
    forms()->closeForm(c.cover);
    frame();
    frame();
    EXPECT_EQ(strip(), screenKeys);
    forms()->closeAllForms();
    frame();
  }
}

// --- Menu bar and popups ------------------------------------------------------

class MenuBarTest : public FormMenuTest {
 protected:
  void SetUp() override {
    FormMenuTest::SetUp();
    serve({{21, menu_source::list(1, 1, {{30, kFile, 0x0004}, {12, kGo}, {13, kHelp, 0x0100}}, kLook)},
           {30, menu_source::list(2, 0, {{41, kNew}, {31, kQuit, 0x0004}}, kLook)},
           {31, menu_source::list(2, 0, {{51, kGo}}, kLook)},
           {22, menu_source::list(1, 1, {{1, kFile, 0x0200}, {2, kGo}, {3, kHelp, 0x0100}}, kLook)}},
          {{1, menu_source::form(21)}, {2, menu_source::form(22)}});
  }
  const CQZFMenuBar& bar(MenuForm* form) { return *dynamic_cast<const CQZFMenuBar*>(menus(form)->getMenu(0)); }
};

TEST_F(MenuBarTest, TheMenuKeyShowsTheBarAndOpensTheSelectedSubmenu) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->take(), (Log{"menu 21 0", "active"}));
  EXPECT_FALSE(bar(form).isShown());
  EXPECT_TRUE(form->isActive());
  menuKey();
  // Shown, the form covered, Return sent to the bar: its first item opens its popup below the bar.
  EXPECT_TRUE(bar(form).isShown());
  EXPECT_FALSE(form->isActive());
  EXPECT_EQ(form->take(), (Log{"inactive", "menu 30 0", "menu 30 0"}));
  ASSERT_EQ(menus(form)->getMenuCount(), 2);
  const CQZFMenu* popup = menus(form)->getMenu(1);
  EXPECT_EQ(popup->getRect().x, bar(form).getItemX(0));
  EXPECT_EQ(popup->getRect().y, bar(form).getRect().y + bar(form).getRect().h);
  // Keys go to the popup, then Return chooses; everything closes and the form is active again.
  press(VK_RETURN);
  EXPECT_EQ(form->take(), (Log{"menu 30 1 41", "active"}));
  EXPECT_FALSE(bar(form).isShown());
  frame();
  EXPECT_EQ(menus(form)->getMenuCount(), 1);
}

TEST_F(MenuBarTest, TheStateDumpListsTheOpenMenusRootFirst) {
  auto menusLine = [this] {
    std::string dump;
    QZFDescribeForms(forms(), dump);
    const size_t at = dump.find("menus=");
    return at == std::string::npos ? dump : dump.substr(at, dump.find('\n', at) - at);
  };
  ASSERT_NE(open(1), nullptr);
  EXPECT_EQ(menusLine(), "menus=21:bar");
  menuKey();
  EXPECT_EQ(menusLine(), "menus=21:bar 30:popup");
  // A chosen item finishes the popup: the dump no longer lists it.
  press(VK_RETURN);
  EXPECT_EQ(menusLine(), "menus=21:bar");
}

TEST_F(MenuBarTest, TheMenuKeyAgainClosesEverything) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  menuKey();
  form->take();
  menuKey();
  EXPECT_FALSE(bar(form).isShown());
  EXPECT_TRUE(form->isActive());
  EXPECT_EQ(form->take(), (Log{"active"}));
  // Closed, the bar leaves the arrows to the form.
  press(VK_RIGHT);
  EXPECT_EQ(form->take(), (Log{"key 39"}));
}

TEST_F(MenuBarTest, SelectionSkipsHiddenAndDisabledItems) {
  MenuForm* form = open(2);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(bar(form).getSelected(), 1);
  // Shown without the menu key's Return: right and left come back to the one selectable item.
  menus(form)->getMenu(0)->show(true);
  press(VK_RIGHT);
  EXPECT_EQ(bar(form).getSelected(), 1);
  press(VK_LEFT);
  EXPECT_EQ(bar(form).getSelected(), 1);
}

TEST_F(MenuBarTest, ItemFlagsChangeOnlyTheirHighByte) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  menuKey();
  // While menus cover the form the newest menu's items change: the popup's submenu item.
  form->setMenuItemFlags(31, 0x0100);
  const auto* popup = dynamic_cast<const CQZFMenuPopup*>(menus(form)->getMenu(1));
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->getItemFlags(1), 0x0104);
  // Disabled, it can be neither selected nor chosen.
  press(VK_DOWN);
  EXPECT_EQ(popup->getSelected(), 0);
  press(VK_RIGHT);
  EXPECT_EQ(menus(form)->getMenuCount(), 2);
}

TEST_F(MenuBarTest, ArrowsOpenAndCloseSubmenusOnTheirSide) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  menuKey();
  const auto* popup = dynamic_cast<const CQZFMenuPopup*>(menus(form)->getMenu(1));
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(popup->opensLeft());
  press(VK_DOWN);
  press(VK_RIGHT);
  ASSERT_EQ(menus(form)->getMenuCount(), 3);
  const CQZFMenu* sub = menus(form)->getMenu(2);
  EXPECT_EQ(sub->getRect().x, popup->getRect().x + popup->getRect().w);
  EXPECT_EQ(sub->getRect().y, popup->getRowY(1));
  // Left on the submenu closes it; Back closes the rest.
  press(VK_LEFT);
  EXPECT_TRUE(menus(form)->getMenu(2)->isFinished());
  softKey(VK_TBACK);
  EXPECT_TRUE(form->isActive());
  frame();
  EXPECT_EQ(menus(form)->getMenuCount(), 1);
}

TEST_F(MenuBarTest, ATapOutsideTwoMenusClosesBothAndTheFormGetsNothing) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  menuKey();
  form->take();
  tap(200, 200);
  EXPECT_TRUE(menus(form)->getMenu(1)->isFinished());
  EXPECT_FALSE(bar(form).isShown());
  EXPECT_TRUE(form->isActive());
  EXPECT_EQ(form->take(), (Log{"active"}));
  // Pens of type 32 never reach the menus.
  menuKey();
  EXPECT_EQ(menus(form)->onPen(QZFPenEvent::make(32, 200, 200)), Handled::kPassOn);
  EXPECT_TRUE(bar(form).isShown());
}

TEST_F(MenuBarTest, TapsChooseBarAndPopupItems) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  // NEW in the popup the menu key opened.
  menuKey();
  form->take();
  ASSERT_EQ(menus(form)->getMenuCount(), 2);
  const auto* popup = dynamic_cast<const CQZFMenuPopup*>(menus(form)->getMenu(1));
  ASSERT_NE(popup, nullptr);
  tap(popup->getRect().x + 3, popup->getRowY(0) + 2);
  EXPECT_EQ(form->take(), (Log{"menu 30 1 41", "active"}));
  // GO on the bar while the popup is open: the press is swallowed, the
  // release closes the popup and chooses GO.
  menuKey();
  form->take();
  tap(bar(form).getItemX(1) + 2, bar(form).getRect().y + 2);
  EXPECT_EQ(form->take(), (Log{"menu 21 1 12", "active"}));
  // The disabled HELP does nothing (the bar, shown by hand, covers the form at the first tap).
  menus(form)->getMenu(0)->show(true);
  tap(bar(form).getItemX(2) + 2, bar(form).getRect().y + 2);
  EXPECT_EQ(form->take(), (Log{"inactive"}));
  EXPECT_EQ(bar(form).getSelected(), 1);
}

TEST_F(MenuBarTest, AnItemThatReplacesTheMenuDoesNotPullTheRugFromUnderIt) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  form->onChosen = [form](const QZFMenuEvent&) { static_cast<void>(form->getMenuHandler()->openMenu(22)); };
  menuKey();
  press(VK_RETURN);
  EXPECT_EQ(menus(form)->getMenuId(), 22);
  EXPECT_EQ(menus(form)->getMenuCount(), 1);
  EXPECT_TRUE(form->isActive());
}

TEST_F(MenuBarTest, ABarIsDrawnOnlyWhileShown) {
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  frame();
  const QZRect r = bar(form).getRect();
  EXPECT_EQ(r, (QZRect{0, 0, 240, 12}));
  EXPECT_EQ(pixelAt(239, 11), started_graphics::kBackground);
  menuKey();
  frame();
  // The background on the right, the selected FILE column in yellow under its text.
  EXPECT_EQ(pixelAt(239, 11), CQZFGraphics::makeColour(0, 0, 128));
  EXPECT_EQ(pixelAt(bar(form).getItemX(0), 11), CQZFGraphics::makeColour(255, 255, 0));
}

// --- Popup placement and fading ------------------------------------------------

TEST_F(FormMenuTest, APopupWithoutItsImagesDrawsPlainFrameMarksAndArrows) {
  menu_source::Look look = kLook;
  for (int i = 0; i < 8; ++i) look.frame[i] = static_cast<uint16_t>(800 + i);  // named, not loaded
  serve({{25, menu_source::list(2, 5, {{12, kGo}, {41, kNew, 0x0408, 900, 901}, {31, kQuit, 0x0004}}, look)}},
        {{1, menu_source::form(25)}});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  menuKey();
  frame();
  const uint16_t yellow = CQZFGraphics::makeColour(255, 255, 0), navy = CQZFGraphics::makeColour(0, 0, 128);
  // Icon column 6 + 2, text 28 + 2, arrow column 5 + 2, and 2: 47 wide; three 12-pixel rows.
  EXPECT_EQ(menus(form)->getMenu(0)->getRect(), (QZRect{0, 0, 47, 36}));
  // The frame is a line round the menu.
  EXPECT_EQ(pixelAt(46, 20), yellow);
  EXPECT_EQ(pixelAt(44, 20), navy);
  // NEW is marked: a small square in its icon column.
  EXPECT_EQ(pixelAt(3, 17), yellow);
  EXPECT_EQ(pixelAt(3, 13), navy);
  // QUIT opens a submenu: a triangle pointing right in its arrow column.
  EXPECT_EQ(pixelAt(41, 30), yellow);
  EXPECT_EQ(pixelAt(41, 25), navy);
  EXPECT_EQ(pixelAt(45, 30), yellow);
  EXPECT_EQ(pixelAt(45, 29), navy);
}

TEST_F(FormMenuTest, PopupRootsSitWhereTheirFlagsPutThem) {
  struct Case {
    uint8_t flags;
    bool right, bottom;
  };
  for (const Case c : {Case{0, false, false}, Case{5, false, false}, Case{10, true, true}}) {
    SCOPED_TRACE(static_cast<int>(c.flags));
    forms()->closeAllForms();
    CQZResourceManager::instance().reset();
    serve({{25, menu_source::list(2, c.flags, {{1, kNew}, {2, kQuit}}, kLook)}}, {{1, menu_source::form(25)}});
    MenuForm* form = open(1);
    ASSERT_NE(form, nullptr);
    const QZRect r = menus(form)->getMenu(0)->getRect();
    EXPECT_EQ(c.right ? r.x + r.w : r.x, c.right ? 240 : 0);
    EXPECT_EQ(c.bottom ? r.y + r.h : r.y, c.bottom ? 320 : 0);
    // A hidden popup root leaves the keys to the form until the menu key shows it.
    form->take();
    press(VK_DOWN);
    EXPECT_EQ(form->take(), (Log{"key 40"}));
  }
}

TEST_F(FormMenuTest, AFadingMenuMovesTwentyLevelsAHundredth) {
  serve({{21, menu_source::list(1, 1, {{12, kGo}}, kLook)}}, {{1, menu_source::form(21)}});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  form->setMenuFading(true);
  CQZFMenu* bar = menus(form)->getMenu(0);
  bar->show(true);
  std::vector<int> levels;
  for (int n = 0; n < 3; ++n) {
    wince::advanceClock(50);
    app_.getMetrics()->frame();
    bar->update();
    levels.push_back(bar->getLevel());
  }
  EXPECT_EQ(levels, (std::vector<int>{155, 55, 0}));
}

// --- The form's side ------------------------------------------------------------

TEST_F(FormMenuTest, ANewMenuIdTakesEffectAtTheNextFrameAndIsSaved) {
  serve({{20, menu_source::quick(0, kFont, {kMenu, 11}, {kBack, 12})},
         {23, menu_source::quick(0, kFont, {kGo, 13}, {kQuit, 14})}},
        {{1, menu_source::form(20)}});
  MenuForm* form = open(1);
  ASSERT_NE(form, nullptr);
  frame();
  form->setMenuId(23);
  frame();
  EXPECT_EQ(menus(form)->getMenuId(), 23);
  const auto* quick = dynamic_cast<const CQZFMenuQuick*>(menus(form)->getMenu(0));
  ASSERT_NE(quick, nullptr);
  EXPECT_EQ(quick->getButton(0).label, u"GO");
  form->take();
  softKey(VK_TSOFT1);
  EXPECT_EQ(form->take(), (Log{"menu 23 1 13"}));
  // The saved state names the open menu after the gadgets' count and focus.
  std::vector<uint8_t> buffer(static_cast<size_t>(form->getSaveSize()));
  SerialiseStream stream{SERIALISE_WRITE_MEMORY, buffer.data(), static_cast<uint16_t>(buffer.size()), 0, nullptr};
  ASSERT_EQ(form->saveState(stream, nullptr), 0);
  EXPECT_EQ(buffer[4], 0);
  EXPECT_EQ(buffer[5], 23);
}

}  // namespace
