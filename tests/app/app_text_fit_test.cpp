// Every text of every form and menu, in each of the five languages, measured
// with its own font against the room its gadget or menu gives it, on the
// installed data. What it finds, all at once:
//   - a form, a title tab or a gadget reaching past the screen or its form;
//   - a word broken in two because it is wider than its label or checkbox;
//   - a text taller than the box it is drawn in (its last lines cut off);
//   - two gadgets that show something lying over each other or touching;
//   - a soft key's word wider than its key, a menu as wide or as tall as the screen;
//   - a line of the title's facts wider than the fader's area.
// Besides the descriptions' own texts, the texts the application puts into
// gadgets are tried in them: the game names, the rule choices of each game,
// the statistics' page names, the trophies' texts, the notices of damaged
// data and failed saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app_form_customisehelp.h"
#include "app_form_ids.h"
#include "app_form_newgame.h"
#include "app_form_specificsettings.h"
#include "app_form_title.h"
#include "app_game_rule_options.h"
#include "app_installed_fixture.h"
#include "app_object_trophy.h"
#include "app_storage_notices.h"
#include "app_stats_fader.h"
#include "app_value_tables.h"
#include "qz_database_file.h"
#include "qzf_form_description.h"
#include "qzf_form_handler.h"
#include "qzf_font_manager.h"
#include "qzf_gadget.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"
#include "qzf_menu_description.h"
#include "qzf_menu_handler.h"
#include "qzf_menu_list.h"
#include "qzf_menu_quick.h"
#include "qzf_resource.h"
#include "wince/host/text.h"

namespace {

constexpr uint16_t kLanguages[] = {1031, 1033, 1034, 1036, 1040};
// Side by side, gadgets closer than this touch.
constexpr int kLeastGap = 2;

// Titles the application gives a form: the pattern with its "#" replaced by
// each of the names in turn.
struct TitleTexts {
  uint16_t formId;
  uint16_t pattern;
  std::vector<uint16_t> names;
};

// Texts the application puts into a gadget of a form, each tried in turn.
struct GadgetTexts {
  uint16_t formId;
  uint16_t gadgetId;
  std::vector<uint16_t> strings;
};

std::vector<uint16_t> range(uint16_t first, uint16_t last) {
  std::vector<uint16_t> ids;
  for (uint16_t id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

// The game names of the title and the statistics' pages.
const std::vector<uint16_t> kGameNames = {1153, 1159, 1165, 1182, 1177, 1179, 1180, 1181, 1183, 1184, 1178, 1171};

std::vector<GadgetTexts> applicationTexts() {
  std::vector<GadgetTexts> all = {
      {1000, CAppTitleForm::kGameName, kGameNames},
      {1386, 1357, kGameNames},
      {1386, 1357, {1232}},
      // The trophies' texts, their names and how the named ones are earned.
      {1426, AppTrophyCabinet::kLowerText, range(1393, 1418)},
      {1426, AppTrophyCabinet::kUpperText, range(1419, 1431)},
      {1426, AppTrophyCabinet::kNameText, range(1445, 1457)},
      {1426, AppTrophyCabinet::kUpperText, range(1432, 1444)},
      {1426, AppTrophyCabinet::kUpperText, range(1458, 1470)},
  };
  // Every entry of every game's cycled rule options, in its value button.
  for (int32_t type = 1; type <= kAppGameTypes; ++type) {
    const AppGameRuleOptions& game = *AppRuleOptionsOf(type);
    for (const AppCycledOption& option : game.options) {
      all.push_back({game.formId, option.gadget, std::vector<uint16_t>(option.texts.begin(), option.texts.end())});
    }
  }
  return all;
}

// Texts the application composes at run time, in the current language.
struct ComposedTexts {
  uint16_t formId;
  uint16_t gadgetId;
  std::vector<std::u16string> texts;
};

// What the players' alert tells of damaged data and failed saves, each kind
// with and without a copy kept, for a player of the longest name of wide
// letters and a copy numbered in two digits.
std::vector<ComposedTexts> composedTexts() {
  const std::u16string player = u"WWWWWWWWWW";
  const std::u16string copy = u"\\My Documents\\Pellwyn\\" + player + u"-QZSUser.pdb.damaged.10";
  std::vector<std::u16string> notices;
  for (CAppStorageNotices::Kind kind : {CAppStorageNotices::kProfileLost, CAppStorageNotices::kPartDropped,
                                         CAppStorageNotices::kSavedGameDropped, CAppStorageNotices::kSettingsDamaged,
                                         CAppStorageNotices::kSaveFailed}) {
    for (const std::u16string& kept : {copy, std::u16string()}) {
      notices.push_back(CAppStorageNotices::textOf({kind, player, kept}));
    }
  }
  return {{kAppFormUserAlert, 20, notices}};
}

std::vector<TitleTexts> applicationTitles() {
  std::vector<TitleTexts> all = {
      {1300, 1145, kGameNames},  // the game options
      {kAppFormCustomiseHelp, CAppCustomiseHelpForm::kTitlePattern, kGameNames},
  };
  // Each game's rules form, with the game's own name.
  for (int32_t type = 1; type <= kAppGameTypes; ++type) {
    all.push_back({AppRuleOptionsOf(type)->formId, CAppSpecificGameSettingsForm::kTitleText, {AppGameNameString(type)}});
  }
  return all;
}

std::string utf8(const std::u16string& text) { return wince::wideToUtf8(text); }

std::string describe(const CQZFGadget& g) {
  const char16_t* text = g.getText();
  return "gadget " + std::to_string(g.getId()) + (text && *text ? " \"" + utf8(text) + "\"" : std::string());
}

bool overlapAlong(int a, int aw, int b, int bw) { return a < b + bw && b < a + aw; }

// The resource ids of a type in the built data database.
std::vector<uint16_t> resourceIds(uint32_t type) {
  std::ifstream in(std::filesystem::path(PELLWYN_BINARY_DIR) / "data" / "pellwyn" / "install" / "Pellwyn.pdb",
                   std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  std::vector<uint16_t> ids;
  if (QZParseDatabaseHeader(bytes.data(), bytes.size(), header) != QZ_OK ||
      QZParseDatabase(bytes.data(), bytes.size(), bytes.size(), QZDatabaseKind::Resource, header, entries) != QZ_OK) {
    return ids;
  }
  for (const QZDatabaseEntry& e : entries) {
    if (e.type == type) ids.push_back(e.id);
  }
  return ids;
}

class TextFitTest : public InstalledAppTest {
 protected:
  void report(const std::string& where, const std::string& what) { findings_.insert(where + ": " + what); }

  CQZFGraphics& graphics() const { return *app_->getGraphics(); }
  CQZFFontManager& fonts() const { return *app_->getFontManager(); }
  int screenWidth() const { return graphics().getWindowWidth(); }
  int screenHeight() const { return graphics().getWindowHeight(); }

  // A form of the id opened from its description alone, on top.
  CQZFForm* openPlain(uint16_t formId) {
    if (app_->getFormHandler()->openForm(formId, std::make_unique<CQZFForm>(), 0) != 0) return nullptr;
    return app_->getFormHandler()->findForm(formId);
  }
  void closeTop(CQZFForm& form) {
    if (CQZFMenuHandler* menus = form.getMenuHandler()) menus->closeAndDeleteMenus();
    form.close();
    app_->getFormHandler()->tick();
  }
  // The form's description as the form read it.
  QZFFormDescription description(uint16_t formId) const {
    QZFFormDescription d;
    QZResourceLock lock;
    const uint8_t* bytes = lock.lock(QZFourCC("aFRM"), formId);
    const std::span<const int16_t> values = app_->getCurrentValueTable();
    const QZFDescriptionContext context{values.data(), values.size(), CQZFResourceManager::getStringText};
    if (bytes) static_cast<void>(QZFReadFormDescription(bytes, lock.size(), context, &d));
    return d;
  }

  // Whether a word wider than the room still breaks whole: after its
  // hyphens, dots or backslashes (a file name), each piece fitting.
  bool breaksAtJoints(const std::u16string& word, uint16_t font, int room) {
    size_t from = 0;
    for (size_t i = 0; i < word.size(); ++i) {
      const bool joint = word[i] == u'-' || word[i] == u'.' || word[i] == u'\\';
      if (!joint && i + 1 < word.size()) continue;
      if (fonts().textWidth(word.substr(from, i + 1 - from).c_str(), font) > room) return false;
      from = i + 1;
    }
    return true;
  }
  // The widest word of the text that is wider than the room, or empty.
  std::u16string brokenWord(const char16_t* text, uint16_t font, int room) {
    std::u16string word;
    for (const char16_t* p = text;; ++p) {
      if (*p && *p != u' ' && *p != u'\n') {
        word += *p;
        continue;
      }
      if (!word.empty() && fonts().textWidth(word.c_str(), font) > room && !breaksAtJoints(word, font, room)) {
        return word;
      }
      word.clear();
      if (!*p) return word;
    }
  }
  // A wrapped text in a column of the width and a box of the height.
  void checkWrapped(const std::string& where, const CQZFGadget& g, uint16_t font, int column, int height) {
    const char16_t* text = g.getText();
    if (!text || !*text) return;
    if (const std::u16string word = brokenWord(text, font, column); !word.empty()) {
      report(where, describe(g) + " breaks \"" + utf8(word) + "\" (room " + std::to_string(column) + ")");
    }
    QZFTextSize size;
    fonts().measureText(text, font, std::max(column, 1), &size, nullptr, nullptr);
    if (size.height > height) {
      report(where, describe(g) + " is " + std::to_string(size.height) + " high in a box of " + std::to_string(height));
    }
  }
  // Whether the gadget puts anything on the screen.
  static bool showsSomething(const CQZFGadget& g, const QZFGadgetDescription& d) {
    if (g.getRect().w <= 0 || g.getRect().h <= 0) return false;
    if (std::holds_alternative<QZFLabelPart>(d.part) || std::holds_alternative<QZFURLPart>(d.part)) {
      return g.getText() && *g.getText();
    }
    return !std::holds_alternative<QZFTimerPart>(d.part);
  }

  void checkGadget(const std::string& where, const CQZFForm& form, const CQZFGadget& g, const QZFGadgetDescription& d) {
    const QZRect& r = g.getRect();
    const QZRect& area = form.getGadgetRect();
    if (r.w > 0 && r.h > 0 &&
        (r.x < 0 || r.x + r.w > area.w || r.y < 0 || area.y + r.y + r.h > screenHeight())) {
      report(where, describe(g) + " reaches out of its form or the screen");
    }
    if (const auto* label = std::get_if<QZFLabelPart>(&d.part)) {
      checkWrapped(where, g, label->font, r.w, r.h);
    } else if (const auto* box = std::get_if<QZFCheckboxPart>(&d.part)) {
      const int boxWidth =
          graphics().getBlob(box->unchecked) ? graphics().getBlobWidth(box->unchecked) : fonts().lineHeight(box->font);
      checkWrapped(where, g, box->font, r.w - 2 * d.padding - boxWidth - box->gap, r.h - 2 * d.padding);
    }
  }

  void checkOverlaps(const std::string& where, const CQZFForm& form, const QZFFormDescription& d) {
    std::vector<const CQZFGadget*> shown;
    for (const QZFGadgetDescription& gd : d.gadgets) {
      const CQZFGadget* g = form.getGadget(gd.id);
      if (g && showsSomething(*g, gd)) shown.push_back(g);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
      for (size_t j = i + 1; j < shown.size(); ++j) {
        const QZRect& a = shown[i]->getRect();
        const QZRect& b = shown[j]->getRect();
        const bool rows = overlapAlong(a.y, a.h, b.y, b.h);
        const bool columns = overlapAlong(a.x, a.w, b.x, b.w);
        const bool touchSideways = rows && overlapAlong(a.x - kLeastGap, a.w + 2 * kLeastGap, b.x, b.w);
        if ((rows && columns) || touchSideways) {
          report(where, describe(*shown[i]) + (rows && columns ? " lies over " : " touches ") + describe(*shown[j]));
        }
      }
    }
  }

  void checkTitle(const std::string& where, const CQZFForm& form) {
    const QZRect& frame = form.getFormRect();
    const QZRect& title = form.getTitleRect();
    if (form.getTitle() && (title.x < frame.x || title.x + title.w > frame.x + frame.w)) {
      report(where, "title \"" + utf8(form.getTitle()) + "\" is wider than the form");
    }
  }

  void checkForm(const std::string& language, uint16_t formId) {
    const std::string where = language + " form " + std::to_string(formId);
    CQZFForm* form = openPlain(formId);
    if (!form) {
      report(where, "does not open");
      return;
    }
    const QZFFormDescription d = description(formId);
    checkFrame(where, *form);
    checkTitle(where, *form);
    for (const TitleTexts& titles : applicationTitles()) {
      if (titles.formId != formId) continue;
      for (uint16_t name : titles.names) {
        std::u16string title = CQZFResourceManager::getStringText(titles.pattern);
        if (const size_t at = title.find(u'#'); at != std::u16string::npos) {
          title.replace(at, 1, CQZFResourceManager::getStringText(name));
        }
        form->setTitle(title.c_str());
        checkTitle(where, *form);
      }
    }
    for (const QZFGadgetDescription& gd : d.gadgets) {
      if (const CQZFGadget* g = form->getGadget(gd.id)) checkGadget(where, *form, *g, gd);
    }
    checkOverlaps(where, *form, d);
    for (const GadgetTexts& texts : applicationTexts()) {
      if (texts.formId != formId) continue;
      for (uint16_t string : texts.strings) {
        form->setGadgetValue(texts.gadgetId, string);
        const CQZFGadget* g = form->getGadget(texts.gadgetId);
        for (const QZFGadgetDescription& gd : d.gadgets) {
          if (g && gd.id == texts.gadgetId) checkGadget(where, *form, *g, gd);
        }
        checkOverlaps(where, *form, d);
      }
    }
    for (const ComposedTexts& texts : composedTexts()) {
      if (texts.formId != formId) continue;
      for (const std::u16string& text : texts.texts) {
        form->setGadgetText(texts.gadgetId, text.c_str());
        const CQZFGadget* g = form->getGadget(texts.gadgetId);
        for (const QZFGadgetDescription& gd : d.gadgets) {
          if (g && gd.id == texts.gadgetId) checkGadget(where, *form, *g, gd);
        }
        checkOverlaps(where, *form, d);
        checkFrame(where, *form);
      }
    }
    closeTop(*form);
  }

  void checkFrame(const std::string& where, const CQZFForm& form) {
    const QZRect& frame = form.getFormRect();
    if (frame.x < 0 || frame.y < 0 || frame.x + frame.w > screenWidth() || frame.y + frame.h > screenHeight()) {
      report(where, "reaches past the screen (" + std::to_string(frame.h) + " high)");
    }
  }

  // A menu opened on a form: a quick menu as the form's own, the others as submenus.
  void checkMenu(const std::string& language, uint16_t menuId, CQZFForm& host) {
    const std::string where = language + " menu " + std::to_string(menuId);
    QZFMenuDescription d;
    {
      QZResourceLock lock;
      const uint8_t* bytes = lock.lock(kQZFMenuType, menuId);
      if (!bytes || QZFReadMenuDescription(bytes, lock.size(), &d) != QZ_OK) {
        report(where, "cannot be read");
        return;
      }
    }
    CQZFMenuHandler& menus = *host.getMenuHandler();
    const bool quick = d.kind == kQZFMenuKindQuick;
    const int16_t opened = quick ? menus.openMenu(menuId) : menus.openSubmenu(menuId, screenWidth() / 2, 0, 0);
    if (opened < 0 || menus.getMenuCount() == 0) {
      report(where, "does not open");
      return;
    }
    CQZFMenu* menu = menus.getMenu(menus.getMenuCount() - 1);
    if (const auto* keys = dynamic_cast<const CQZFMenuQuick*>(menu)) {
      for (int side = 0; side < 2; ++side) {
        const CQZFMenuQuick::Button& key = keys->getButton(side);
        const int room = key.rect.w - 2 * fonts().horizontalPadding();
        if (key.present() && fonts().textWidth(key.label.c_str(), d.quick.font) > room) {
          report(where, "soft key \"" + utf8(key.label) + "\" is wider than its key");
        }
      }
    } else if (const auto* list = dynamic_cast<const CQZFMenuList*>(menu)) {
      const QZRect& r = list->getRect();
      if (r.w >= screenWidth() || r.h >= screenHeight()) {
        std::string widest;
        for (int i = 0; i < list->getItemCount(); ++i) widest += " \"" + utf8(list->getItemText(i)) + "\"";
        report(where, "fills the screen (" + std::to_string(r.w) + " x " + std::to_string(r.h) + "):" + widest);
      }
    }
    menus.closeAndDeleteMenus();
  }

  // The title's facts, one line each in the fader's area.
  void checkFacts(const std::string& language) {
    const int width = app_->getCurrentValueTable()[kAppValueFaderWidth];
    std::vector<uint16_t> lines = range(1221, 1224);
    for (uint16_t id : range(1301, 1312)) lines.push_back(id);
    for (uint16_t id : lines) {
      const std::u16string text = CQZFResourceManager::getStringText(id);
      if (fonts().textWidth(text.c_str(), CAppStatsFader::kFont) > width) {
        report(language + " title", "fact \"" + utf8(text) + "\" is wider than the fader's area");
      }
    }
  }

  std::string findings() const {
    std::ostringstream out;
    for (const std::string& f : findings_) out << "\n  " << f;
    return out.str();
  }

  std::set<std::string> findings_;
};

}  // namespace

TEST_F(TextFitTest, EveryTextOfEveryFormAndMenuFitsInEveryLanguage) {
  startWithPlayer();
  const std::vector<uint16_t> forms = resourceIds(QZFourCC("aFRM"));
  const std::vector<uint16_t> menus = resourceIds(kQZFMenuType);
  ASSERT_GT(forms.size(), 50u);
  ASSERT_GT(menus.size(), 5u);
  const std::map<uint16_t, std::string> names = {{1031, "de"}, {1033, "en"}, {1034, "es"}, {1036, "fr"}, {1040, "it"}};
  for (uint16_t language : kLanguages) {
    setLanguage(language);
    for (uint16_t id : forms) checkForm(names.at(language), id);
    // The menus open on a form with a menu of its own (the title screen's).
    CQZFForm* host = openPlain(1000);
    ASSERT_NE(host, nullptr);
    for (uint16_t id : menus) checkMenu(names.at(language), id, *host);
    closeTop(*host);
    checkFacts(names.at(language));
  }
  EXPECT_TRUE(findings_.empty()) << findings_.size() << " texts do not fit:" << findings();
}
