#include "app_application.h"

#include <cstdio>
#include <new>

#include "app_font_manager.h"
#include "app_form_about.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_game_end.h"
#include "app_form_ids.h"
#include "app_form_stats.h"
#include "app_form_chooseseed.h"
#include "app_form_gamesettings.h"
#include "app_form_newgame.h"
#include "app_form_specificsettings.h"
#include "app_form_title.h"
#include "app_form_trophy_alert.h"
#include "app_form_settings_backgrounds.h"
#include "app_form_settings_cardbacks.h"
#include "app_form_settings_cardfronts.h"
#include "app_form_settings_colourtheme.h"
#include "app_form_trophy.h"
#include "app_form_coloursettings.h"
#include "app_form_customisehelp.h"
#include "app_form_instructions.h"
#include "app_form_languagesettings.h"
#include "app_form_soundsettings.h"
#include "app_form_tutorial.h"
#include "app_form_user.h"
#include "app_form_user_setup.h"
#include "app_game_flow.h"
#include "app_load_screen.h"
#include "app_preferences.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qz_controls.h"
#include "qz_lifecycle.h"
#include "qz_startup.h"
#include "qz_system.h"
#include "qzf_audio.h"
#include "qzf_controls.h"
#include "qzf_database.h"
#include "qzf_form_dump.h"
#include "qzf_form_handler.h"
#include "qzf_graphics.h"
#include "qz_core_database.h"
#include "qz_preferences.h"
#include "qzf_helpers.h"
#include "qzf_minimise.h"
#include "qzf_ui.h"

namespace {

// Pellwyn's two displays: portrait, then landscape.
const QZGraphicsMode kModes[] = {
    {'D', 16, 240, 320, 0},
    {'E', 16, 320, 240, 0},
};
const QZFModeTable kModeTable{kModes, 2};

// One glyph per character, in the fonts' blob order.
constexpr char16_t kCharacterTable[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!$'-,.?:/+()={}@abcdefghijklmnopqrstuvwxyz"
    u"ÀÈÌÒÙàèìòùÁÉÍÓÚÝáéíóúýÂÊÎÔÛâêîôûÃÑÕãñõÄËÏÖÜŸäëïöüÿÅåÆæî£ÇçÐðØø¿¡ß";

constexpr uint32_t kUserType = QZFourCC("USER");
// A screen of this size is too small for the game.
constexpr int kTooSmallWidth = 176;
constexpr int kTooSmallHeight = 220;
constexpr uint16_t kTooSmallAlert = 1011;
constexpr uint16_t kCreateCancel = 2;
constexpr int kSlowFrame = 10;
constexpr int kFastFrame = 2;

// The forms the menu items open.
struct MenuForm {
  uint16_t item;
  uint16_t formId;
  const char* tag;
};
constexpr MenuForm kMenuForms[] = {
    {15, 1300, kAppTagGameSettings},    {1004, 1040, kAppTagSoundSettings},
    {1006, 1080, kAppTagLanguageSettings},    {1007, 1100, kAppTagAbout},
    {1008, 1110, kAppTagAlert}, {1009, 1120, kAppTagAlert},
    {1010, 1180, kAppTagTutorial},   {1012, 1386, kAppTagStats},
    {1013, 1426, kAppTagTrophyCabinet},  {1014, kAppFormSelectUser, kAppTagSelectUser},
    {1015, 1390, kAppTagCardBacks},   {1016, 1430, kAppTagCardFronts},
    {1017, 1410, kAppTagBackgrounds},   {1033, 1395, kAppTagChooseSeed},
    {1034, 1415, kAppTagTheme},   {1040, 1456, kAppTagNewGame},
};
constexpr uint16_t kMenuMinimise = 1001;
constexpr uint16_t kMenuGameSettings = 1011;

int getLaunchSettings(QZApplicationConfig* c) {
  c->installKeyStringId = 7423;
  c->productKeyStringId = 7422;
  c->iconId = 10;
  c->acceleratorId = 11;
  c->classStringId = 7421;
  c->titleStringId = 7420;
  c->menuBarId = 7800;
  c->creator = QZFourCC("QzSo");
  c->blobMapSize = 1400;
  c->blobSetSlots = 130;
  c->planeSlots = 10;
  c->borderColour = 0;
  c->menuBarHook = [](HWND) {};
  return 0;
}

QZApplicationInterface* createApplication() { return new (std::nothrow) CAppApplication(); }

// The controls and the manager's standard buttons they take.
enum KeyMapControl : int { kControlUp = 0, kControlDown = 1, kControlLeft = 2, kControlRight = 3, kControlAction = 8 };
enum StandardButton : int {
  kButtonUp = 0, kButtonDown = 1, kButtonApp1 = 2, kButtonApp2 = 3, kButtonApp3 = 4,
  kButtonReturn = 6, kButtonLeft = 7, kButtonRight = 8,
};

// Devices known to have a direction pad with a centre key.
bool hasDirectionPad(QZControlsManager& controls) {
  const uint32_t device = QZGetDeviceID();
  return device == QZFourCC("H102") || device == QZFourCC("D051") || device == QZFourCC("Zi22") ||
         controls.isAvailable() != 0;
}

}  // namespace

CAppApplication::CAppApplication() : users_(*this), notices_(*this) { schemes_.setAppliedScheme(CAppColourSchemes::kNoneApplied); }

CAppApplication::~CAppApplication() {
  // The base's destructor stops its managers; what this object lent goes first.
  setLoadScreen(nullptr);
  setFontManager(nullptr);
  setControls(nullptr);
}

void CAppApplication::reportError(const char* source, int line, int16_t code) {
  char text[160];
  std::snprintf(text, sizeof text, "File: %s\nLine: %d\nError: %d", source, line, code);
  lastError_ = text;
}

int16_t CAppApplication::preInit(const QZFModeTable** out) {
  *out = &kModeTable;
  return 2;
}

std::span<const int16_t> CAppApplication::getValueTable(int displayKind) {
  const AppScaleFactors factors = AppScaleFactorsFor(displayKind);
  setScaling(factors.x, factors.y);
  return AppValueTable(displayKind);
}

int16_t CAppApplication::registerClasses() {
  if (const int16_t r = CQZFApplication::registerClasses(); r < 0) return fail(__LINE__, r);
  registerClass<CAppTitleForm>(kAppTagTitle);
  registerClass<CAppGameForm>(kAppTagGame);
  registerClass<CAppUserForm>(kAppTagUser);
  registerClass<CAppAlertForm>(kAppTagAlert);
  registerClass<CAppCreateUserForm>(kAppTagCreateUser);
  registerClass<CAppSelectUserForm>(kAppTagSelectUser);
  registerClass<CAppRenameUserForm>(kAppTagRenameUser);
  registerClass<CAppDeleteUserForm>(kAppTagDeleteUser);
  registerClass<CAppImportUserForm>(kAppTagImportUser);
  registerClass<CAppTrophyAlertForm>(kAppTagTrophyAlert);
  registerClass<CAppUnlockAlertForm>(kAppTagUnlockAlert);
  registerClass<CAppGameOverForm>(kAppTagGameOver);
  registerClass<CAppGameWonForm>(kAppTagGameWon);
  registerClass<CAppStatsForm>(kAppTagStats);
  registerClass<CAppResetStatsForm>(kAppTagResetStats);
  registerClass<CAppAboutForm>(kAppTagAbout);
  registerClass<CAppTrophyForm>(kAppTagTrophyCabinet);
  registerClass<CAppCardBacksForm>(kAppTagCardBacks);
  registerClass<CAppCardFrontsForm>(kAppTagCardFronts);
  registerClass<CAppBackgroundsForm>(kAppTagBackgrounds);
  registerClass<CAppThemeForm>(kAppTagTheme);
  registerClass<CAppNewGameForm>(kAppTagNewGame);
  registerClass<CAppChooseSeedForm>(kAppTagChooseSeed);
  registerClass<CAppGameSettingsForm>(kAppTagGameSettings);
  AppRegisterGameSettingsForms(*this);
  registerClass<CAppTutorialForm>(kAppTagTutorial);
  registerClass<CAppInstructionsForm>(kAppTagInstructions);
  registerClass<CAppCustomiseHelpForm>(kAppTagCustomiseHelp);
  registerClass<CAppSoundSettingsForm>(kAppTagSoundSettings);
  registerClass<CAppLanguageSettingsForm>(kAppTagLanguageSettings);
  registerClass<CAppColourSettingsForm>(kAppTagColourSettings);
  return 0;
}

void CAppApplication::stepLoadScreen() {
  if (loadScreen_) loadScreen_->step();
}

// --- Start ----------------------------------------------------------------------

int16_t CAppApplication::init() {
  loadScreen_.reset(new (std::nothrow) CAppLoadScreen(this));
  if (!loadScreen_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  loadScreen_->addSteps(kOwnSteps);
  setLoadScreen(loadScreen_.get());
  if (const int16_t r = CQZFApplication::init(); r < 0) return fail(__LINE__, r);
  controls_.reset(new (std::nothrow) CQZFControls(this));
  if (!controls_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  if (const int16_t r = controls_->init(0, &AppSetupKeyMap); r < 0) return fail(__LINE__, r);
  setControls(controls_.get());
  stepLoadScreen();
  if (const int16_t r = schemes_.loadColourSchemes(*getGraphics(), loadScreen_.get()); r < 0) {
    return fail(__LINE__, r);
  }
  if (getGraphics()->getWindowWidth() == kTooSmallWidth && getGraphics()->getWindowHeight() == kTooSmallHeight) {
    static_cast<void>(QZAlert(kTooSmallAlert));
    QZCloseMainWindow();
  }
  if (const int16_t r = startFonts(); r < 0) return r;
  loadTitleSong();
  curve_.build(*this);
  stepLoadScreen();
  bool listValid = false;
  if (const int16_t r = loadPreferences(&listValid); r < 0) return r;
  stepLoadScreen();
  chooseStartForm(listValid);
  takeProfile();
  applyColourScheme();
  stepLoadScreen();
  stepLoadScreen();
  closeLoadScreen();
  return 0;
}

int16_t CAppApplication::startFonts() {
  fonts_.reset(new (std::nothrow) CAppFontManager(this));
  if (!fonts_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  if (const int16_t r = fonts_->setCharacterTable(kCharacterTable); r < 0) return fail(__LINE__, r);
  setFontManager(fonts_.get());
  stepLoadScreen();
  return 0;
}

void CAppApplication::loadTitleSong() {
  if (CQZFAudioManager* audio = getAudioManager()) static_cast<void>(audio->loadScreamTrackerSong(kTitleSong));
}

// No stored list (or one of another size) is a first start.
int16_t CAppApplication::loadPreferences(bool* listValid) {
  preferences_.reset(new (std::nothrow) CAppPreferences(this));
  if (!preferences_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  const QZStatus r = preferences_->load();
  if (r < 0 && r != QZ_ERR_SIZE_MISMATCH) return fail(__LINE__, r);
  *listValid = r == 0;
  return 0;
}

// Every player database found, and every file that is named as one but
// whose header is damaged: its player stays in the list, and reading it
// keeps a copy aside and tells what was lost.
void CAppApplication::listPlayers() {
  preferences_->clear();
  CQZFRsrcDatabase finder;
  std::u16string name;
  const auto add = [this](const std::u16string& database) {
    const size_t at = database.find(CAppPreferences::kDatabaseSuffix);
    const bool named = at != std::u16string::npos && at + QZFWStrLen(CAppPreferences::kDatabaseSuffix) == database.size();
    if (named && preferences_->find(database.substr(0, at).c_str()) < 0) {
      static_cast<void>(preferences_->addUser(database.substr(0, at).c_str(), nullptr));
    }
  };
  for (bool first = true; finder.findDatabase(QZFGetCreatorID(), kUserType, first, name) == 0; first = false) {
    add(name);
  }
  CQZCoreDatabaseWin32 files;
  for (bool first = true; files.findNextFile(first, name) == 0; first = false) add(name);
}

void CAppApplication::chooseStartForm(bool listValid) {
  CQZFFormHandler* handler = getFormHandler();
  char16_t remembered[CAppPreferences::kNameUnits] = {};
  const bool hadUser = listValid && preferences_->getName(preferences_->getCurrent(), remembered);
  listPlayers();
  bool restored = false;
  if (hadUser) {
    preferences_->setCurrent(preferences_->find(remembered));
    restored = users_.restorePlayer(preferences_->getCurrent());
  }
  if (!restored || handler->getFormCount() == 0 || !listValid) {
    handler->closeAllForms();
    handler->tick();
    static_cast<void>(openForm(kAppFormUser, kAppTagUser, 0));
  }
  if (handler->getTopFormId() == kAppFormUser) static_cast<void>(openForm(kAppFormTitle, kAppTagTitle, 0));
  if (restored) return;
  if (preferences_->getCount() > 0) {
    preferences_->setCurrent(-1);
    static_cast<void>(openForm(kAppFormSelectUser, kAppTagSelectUser, 0));
  } else if (openForm(kAppFormCreateUser, kAppTagCreateUser, 0) == 0) {
    // The first player cannot be skipped.
    handler->findForm(kAppFormCreateUser)->removeGadget(kCreateCancel);
  }
}

void CAppApplication::takeProfile() {
  CAppUserForm* profile = getUserForm();
  settings_ = profile ? &profile->settings() : nullptr;
  if (!settings_) return;
  schemes_.setAppliedScheme(static_cast<uint8_t>(settings_->colourScheme));
  schemes_.setBackgroundPlane(settings_->backgroundImage);
}

void CAppApplication::closeLoadScreen() {
  if (!loadScreen_) return;
  loadScreen_->releaseImages();
  setLoadScreen(nullptr);
  loadScreen_.reset();
}

// --- Stop -----------------------------------------------------------------------

int16_t CAppApplication::shutdown() {
  closeLoadScreen();
  loadScreen_.reset(new (std::nothrow) CAppLoadScreen(this));
  if (loadScreen_) {
    loadScreen_->addSteps(kStopSteps);
    if (loadScreen_->loadImages(0) < 0) loadScreen_.reset();
  }
  setLoadScreen(loadScreen_.get());
  saveAtStop();
  settings_ = nullptr;
  stepLoadScreen();
  preferences_.reset();
  stepLoadScreen();
  stepLoadScreen();
  if (fonts_) static_cast<void>(fonts_->reset());
  setFontManager(nullptr);
  fonts_.reset();
  setMinimise(nullptr);
  stepLoadScreen();
  if (controls_) controls_->shutdown();
  setControls(nullptr);
  controls_.reset();
  stepLoadScreen();
  const int16_t r = CQZFApplication::shutdown();
  closeLoadScreen();
  return r;
}

void CAppApplication::saveAtStop() {
  CAppUserForm* profile = getUserForm();
  if (profile && preferences_) static_cast<void>(profile->saveProfile(preferences_->getCurrent()));
  if (preferences_) static_cast<void>(preferences_->save());
  if (QZSaveSystemPreferences() != QZ_OK || QZSavePreferencesFile() != QZ_OK) notices_.addSaveFailure();
  notices_.tellSaveFailureNow();
}

// --- Frames ---------------------------------------------------------------------

void CAppApplication::onUpdate() {
  ++frames_;
  const bool fast = startFrames_ < kFastFrames;
  if (fast) ++startFrames_;
  setFrameParameters(fast ? kFastFrame : kSlowFrame, fast ? kFastFrame : kSlowFrame);
}

int16_t CAppApplication::postUpdate() {
  const int16_t r = users_.postUpdate();
  notices_.showNext();
  return r;
}

void CAppApplication::drawFrame() {
  const bool whole = getGraphics() && getGraphics()->grid().isWholeScreen();
  CQZFApplication::drawFrame();
  lastFrameWhole_ = whole;
}

// --- Forms and menus -----------------------------------------------------------

CQZFFormHandler* CAppApplication::getFormHandler() const { return getUI() ? getUI()->getFormHandler() : nullptr; }

CAppUserForm* CAppApplication::getUserForm() const {
  CQZFFormHandler* handler = getFormHandler();
  CQZFForm* form = handler ? handler->findForm(kAppFormUser) : nullptr;
  return form && !form->isClosed() ? dynamic_cast<CAppUserForm*>(form) : nullptr;
}

int16_t CAppApplication::openForm(uint16_t formId, const char* tag, uint32_t param) {
  CQZFFormHandler* handler = getFormHandler();
  if (!handler) return fail(__LINE__, QZ_ERR_BAD_STATE);
  return handler->openForm(formId, createObject<CQZFForm>(tag), param);
}

void CAppApplication::playSelectSound() {
  if (CQZFAudioManager* audio = getAudioManager()) static_cast<void>(audio->playSound(kSelectSound, 8, 0, 64, 30));
}

void CAppApplication::playMenuSound() {
  if (CQZFAudioManager* audio = getAudioManager()) static_cast<void>(audio->playSound(kMenuSound, 8, 0, 64, 30));
}

void CAppApplication::playTitleSong(bool on) {
  CQZFAudioManager* audio = getAudioManager();
  if (audio && audio->getSong()) static_cast<void>(audio->selectSong(on ? 0 : -1, false));
}

int CAppApplication::onMenuCommand(uint16_t item, int kind) {
  if (kind != 1) return 2;
  const MenuForm* chosen = nullptr;
  for (const MenuForm& m : kMenuForms) {
    if (m.item == item) chosen = &m;
  }
  const bool known = chosen || item == kMenuMinimise || item == kMenuGameSettings;
  if (!known) return 2;
  playMenuSound();
  if (item == kMenuMinimise) requestMinimise();
  // The settings form of the current game type (none for another type).
  const AppGameRuleOptions* game =
      item == kMenuGameSettings && settings_ ? AppRuleOptionsOf(static_cast<int32_t>(settings_->currentGameType)) : nullptr;
  // A form that cannot be made is simply not opened.
  if (chosen) static_cast<void>(openForm(chosen->formId, chosen->tag, 0));
  if (game) static_cast<void>(openForm(game->formId, game->tag, 0));
  return 1;
}

void CAppApplication::startChosenGame() { AppGameFlow::nextGame(*this); }

// --- Look -----------------------------------------------------------------------

void CAppApplication::applyColourScheme() {
  if (CQZFGraphics* graphics = getGraphics()) schemes_.applyColourScheme(*graphics, getCurrentValueTable(), settings_);
}

void CAppApplication::applyBackground() {
  CQZFGraphics* graphics = getGraphics();
  if (graphics && settings_) schemes_.applyBackground(*graphics, getCurrentValueTable(), *settings_);
}

// --- State dump -----------------------------------------------------------------

void CAppApplication::describe(std::string& out) const {
  out += "application=pellwyn\n";
  out += "frames=" + std::to_string(frames_) + "\n";
  out += std::string("screen=") + (loadScreen_ ? "load" : "forms") + "\n";
  std::string player = "none";
  if (preferences_ && preferences_->isValidIndex(preferences_->getCurrent())) {
    const char16_t* name = preferences_->getName(preferences_->getCurrent());
    player.clear();
    for (const char16_t* p = name; *p; ++p) player += *p < 0x80 ? static_cast<char>(*p) : '?';
  }
  out += "player=" + player + "\n";
  out += "players=" + std::to_string(preferences_ ? preferences_->getCount() : 0) + "\n";
  std::string lastError = lastError_;
  for (char& c : lastError) c = c == '\n' ? ' ' : c;
  out += "last_error=" + lastError + "\n";
  const CQZFFormHandler* handler = getFormHandler();
  QZFDescribeForms(handler, out);
  out += "top_form=" + std::to_string(handler ? handler->getTopFormId() : 0xFFFF) + "\n";
  describeMusic(out);
  // "screen" when the last frame copied the whole screen.
  std::string updates = lastFrameWhole_ ? "screen" : "";
  for (size_t i = 0; getGraphics() && !lastFrameWhole_ && i < getGraphics()->grid().getUpdateList().size(); ++i) {
    const QZRect& r = getGraphics()->grid().getUpdateList()[i];
    updates += (updates.empty() ? "" : " ") + std::to_string(r.x) + "," + std::to_string(r.y) + "," +
               std::to_string(r.w) + "," + std::to_string(r.h);
  }
  out += "update_list=" + updates + "\n";
  if (settings_) {
    const uint32_t type = settings_->currentGameType;
    out += "game_type=" + std::to_string(type) + "\n";
    std::string options;
    for (int i = 0; type >= 1 && type <= kAppGameTypes && i < kAppOptionBytes; ++i) {
      options += (i ? "," : "") + std::to_string(settings_->gameOptions[type - 1][i]);
    }
    out += "game_options=" + options + "\n";
    out += "look=theme:" + std::to_string(settings_->colourScheme) + " wash:" +
           std::to_string(settings_->backgroundScheme) + " gradient:" + std::to_string(settings_->backgroundGradient) +
           " background:" + std::to_string(settings_->backgroundImage) + " back:" +
           std::to_string(settings_->cardBackLarge) + " front:" + std::to_string(settings_->cardFrontLargeImage) + "\n";
    const AppGameRuleOptions* rules = AppRuleOptionsOf(static_cast<int32_t>(type));
    out += "game_rules=" + (rules ? rules->describe(settings_->rules) : std::string()) + "\n";
    describeStatistics(type, out);
  }
  if (const auto* play = dynamic_cast<const CAppGameForm*>(handler ? handler->findForm(kAppFormGame) : nullptr)) {
    play->describe(out);
  }
}

int AppSetupKeyMap(QZControlsManager& controls) {
  const auto assign = [&controls](int control, int button) {
    controls.assignWithTwin(controls.defaultKey(button), control);
  };
  assign(kControlUp, kButtonUp);
  assign(kControlDown, kButtonDown);
  const bool pad = hasDirectionPad(controls);
  assign(kControlLeft, pad ? kButtonLeft : kButtonApp1);
  assign(kControlRight, pad ? kButtonRight : kButtonApp2);
  assign(kControlAction, pad ? kButtonReturn : kButtonApp3);
  return 0;
}

// The title song: none (not loaded), off or playing, with the volume and the
// mute of the music.
void CAppApplication::describeMusic(std::string& out) const {
  const CQZFAudioManager* audio = getAudioManager();
  const char* state = !audio || !audio->getSong() ? "none" : audio->getSongIndex() >= 0 ? "playing" : "off";
  out += std::string("music=") + state;
  if (audio) {
    out += " volume:" + std::to_string(audio->getMusicVolume()) + " muted:" + (audio->isMusicMuted() ? "1" : "0");
  }
  out += "\n";
}

// The player's statistics of all games and of the game type shown.
void CAppApplication::describeStatistics(uint32_t type, std::string& out) const {
  const CAppUserForm* user = getUserForm();
  if (!user) return;
  const auto line = [&out](const char* name, const CAppProfile::Statistics& s) {
    out += std::string("statistics.") + name + "=played:" + std::to_string(s.games) +
           " won:" + std::to_string(s.wins) + " lost:" + std::to_string(s.losses) + "\n";
  };
  line("all", user->profile().statistics[0]);
  if (type >= 1 && type <= kAppGameTypes) line("game", user->profile().statistics[type]);
}

QZApplicationHooks AppApplicationHooks() {
  QZApplicationHooks hooks{};
  hooks.getLaunchSettings = getLaunchSettings;
  hooks.createApplication = createApplication;
  return hooks;
}
