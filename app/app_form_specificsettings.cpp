#include "app_form_specificsettings.h"

#include <string>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_newgame.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_serialise_stream.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_gadget_parts.h"
#include "qzf_resource.h"

namespace {

constexpr char16_t kNameToken[] = u"#";
// The longest title and game name a form reads (Four Corners has the longest name).
constexpr int kTitleUnits = 40;
constexpr int kNameUnits = 18;
// FreeCell answers its box's events itself.
constexpr uint16_t kFreecellHandledBox = 1341;

std::u16string stringOf(uint16_t id, int units) {
  std::u16string text(static_cast<size_t>(units) + 1, u'\0');
  CQZFResourceManager::getString(id, text.data(), units);
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return text;
}

CAppGameForm* openPlayScreen(CQZFFormHandler& handler) {
  CQZFForm* form = handler.findForm(kAppFormGame);
  return form && !form->isClosed() ? dynamic_cast<CAppGameForm*>(form) : nullptr;
}

// The open settings form an alert acts on: the first of the twelve ids found.
CAppSpecificGameSettingsForm* openSettingsForm(CQZFFormHandler& handler) {
  for (const AppGameRuleOptions* game : AppRuleOptionsByFormId()) {
    if (auto* form = dynamic_cast<CAppSpecificGameSettingsForm*>(handler.findForm(game->formId))) return form;
  }
  return nullptr;
}

}  // namespace

CAppSpecificGameSettingsForm::CAppSpecificGameSettingsForm(int32_t gameType)
    : gameType_(gameType), options_(AppRuleOptionsOf(gameType)) {
  if (options_) setName(options_->tag);
}

int16_t CAppSpecificGameSettingsForm::fail(int line, int16_t code) {
  return CQZFApplication::report(this, options_ ? options_->source : "app_form_specificsettings", line, code);
}

CAppUserForm* CAppSpecificGameSettingsForm::profile() const { return app_ ? app_->getUserForm() : nullptr; }

CAppGameRules* CAppSpecificGameSettingsForm::rules() const {
  CAppUserForm* user = profile();
  return user ? &user->settings().rules : nullptr;
}

int16_t CAppSpecificGameSettingsForm::open(uint16_t formId, uint32_t param) {
  app_ = findOwner<CAppApplication>();
  if (!app_) return fail(__LINE__, QZ_ERR_BAD_STATE);
  if (!app_->getFormHandler() || !profile()) return fail(__LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return fail(__LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  return 0;
}

Handled CAppSpecificGameSettingsForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened) return Handled::kPassOn;
  if (!app_ || !options_ || !rules()) {
    static_cast<void>(fail(__LINE__, QZ_ERR_BAD_STATE));
    return Handled::kDone;
  }
  choices_ = options_->read(*rules(), choices_);
  showChoices();
  showTitle();
  return Handled::kDone;
}

int16_t CAppSpecificGameSettingsForm::serialise(SerialiseStream& stream) {
  if (!QZFIsReading(stream)) takeTicks();
  if (const int16_t r = serialiseU8(stream, choices_.index, kAppMaxCycledOptions); r < 0) return fail(__LINE__, r);
  if (const int16_t r = serialiseU8(stream, choices_.ticked, kAppMaxRuleBoxes); r < 0) return fail(__LINE__, r);
  if (!QZFIsReading(stream) || !options_) return 0;
  // Whatever was stored, every index names an entry.
  for (size_t k = 0; k < options_->options.size(); ++k) {
    choices_.index[k] = static_cast<uint8_t>(choices_.index[k] % options_->options[k].count());
  }
  showChoices();
  return 0;
}

void CAppSpecificGameSettingsForm::showChoices() {
  if (!options_) return;
  for (size_t k = 0; k < options_->options.size(); ++k) {
    const AppCycledOption& o = options_->options[k];
    setGadgetValue(o.gadget, o.texts[choices_.index[k] % o.texts.size()]);
  }
  for (size_t k = 0; k < options_->boxes.size(); ++k) setGadgetValue(options_->boxes[k].gadget, choices_.ticked[k]);
}

// "# rules" with the game's name; the text grows as it needs, so no name is cut.
void CAppSpecificGameSettingsForm::showTitle() {
  std::u16string title = stringOf(kTitleText, kTitleUnits);
  const std::u16string name = stringOf(AppGameNameString(gameType_), kNameUnits);
  if (const size_t at = title.find(kNameToken); at != std::u16string::npos) title.replace(at, 1, name);
  setTitle(title.c_str());
}

AppRuleChoices CAppSpecificGameSettingsForm::shownChoices() const {
  AppRuleChoices shown = choices_;
  for (size_t k = 0; options_ && k < options_->boxes.size(); ++k) {
    shown.ticked[k] = getGadgetValue(options_->boxes[k].gadget) != 0 ? 1 : 0;
  }
  return shown;
}

void CAppSpecificGameSettingsForm::takeTicks() { choices_ = shownChoices(); }

void CAppSpecificGameSettingsForm::cycleChoice(int k, bool next) {
  if (!options_ || k < 0 || static_cast<size_t>(k) >= options_->options.size()) return;
  const AppCycledOption& o = options_->options[static_cast<size_t>(k)];
  const int count = o.count();
  const int index = choices_.index[k] % count;
  choices_.index[k] = static_cast<uint8_t>((index + (next ? 1 : count - 1)) % count);
  setGadgetValue(o.gadget, o.texts[choices_.index[k]]);
}

void CAppSpecificGameSettingsForm::setDefaults() {
  if (!options_) return;
  takeTicks();
  choices_ = options_->withDefaults(choices_);
  showChoices();
}

bool CAppSpecificGameSettingsForm::isDefaultChoice() const { return options_ && options_->isDefault(shownChoices()); }

bool CAppSpecificGameSettingsForm::differsFromStored() const {
  const CAppGameRules* stored = rules();
  return options_ && stored && options_->differsFrom(shownChoices(), *stored);
}

int32_t CAppSpecificGameSettingsForm::applySettings(int32_t askingForm) {
  CAppUserForm* user = profile();
  if (!options_ || !user) return askingForm;
  takeTicks();
  user->settings().settingsChanged = 1;
  options_->write(choices_, user->settings().rules);
  return askingForm;
}

void CAppSpecificGameSettingsForm::store() {
  static_cast<void>(applySettings(kAppFormGame));
  if (CAppUserForm* user = profile(); user && gameType_ >= 1 && gameType_ <= kAppGameTypes) {
    user->profile().customRules[gameType_ - 1] = defaultChoice_ ? 0 : 1;
  }
}

void CAppSpecificGameSettingsForm::closeForm() {
  invalidate();
  close();
}

Handled CAppSpecificGameSettingsForm::onKeyEvent(const QZFKeyEvent& key) {
  if ((key.code != kQZFKeyLeft && key.code != kQZFKeyRight) || !options_ || !getGadgetHandler()) {
    return Handled::kPassOn;
  }
  const uint16_t focused = getGadgetHandler()->getFocusedId();
  for (size_t k = 0; k < options_->options.size(); ++k) {
    if (options_->options[k].gadget != focused) continue;
    if (key.keyDown) cycleChoice(static_cast<int>(k), key.code == kQZFKeyRight);
    return Handled::kDone;
  }
  return Handled::kPassOn;
}

Handled CAppSpecificGameSettingsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.type == kQZFEventCheckbox) {
    takeTicks();
    return gameType_ == kGameFreecell && event.gadgetId == kFreecellHandledBox ? Handled::kDone : Handled::kPassOn;
  }
  switch (event.gadgetId) {
    case kDone: return done();
    case kCancel: closeForm(); return Handled::kDone;
    case kDefaults: setDefaults(); return Handled::kPassOn;
    case kHelp: return openHelp();
    default: break;
  }
  for (size_t k = 0; options_ && k < options_->options.size(); ++k) {
    const uint16_t v = options_->options[k].gadget;
    if (event.gadgetId == v || event.gadgetId == v + 2) cycleChoice(static_cast<int>(k), true);
    if (event.gadgetId == v + 1) cycleChoice(static_cast<int>(k), false);
  }
  return Handled::kPassOn;
}

Handled CAppSpecificGameSettingsForm::done() {
  CQZFFormHandler* handler = app_->getFormHandler();
  if (!handler) {
    static_cast<void>(fail(__LINE__, 2));
    return Handled::kPassOn;
  }
  takeTicks();
  defaultChoice_ = isDefaultChoice();
  if (!differsFromStored()) {
    closeForm();
    return Handled::kDone;
  }
  CAppGameForm* play = openPlayScreen(*handler);
  CAppUserForm* user = profile();
  if (play && play->game() && !play->game()->isEndAnimationRunning()) {
    static_cast<void>(app_->openForm(kAskInGame, kAppTagAlert, getFormId()));
    return Handled::kDone;
  }
  const int slot = gameType_ - 1;
  if (user && slot >= 0 && slot < kAppGameTypes && user->profile().getSavedGameLength(slot) != 0) {
    static_cast<void>(app_->openForm(kAskSavedGame, kAppTagAlert, getFormId()));
    return Handled::kDone;
  }
  store();
  closeForm();
  if (play) play->dealAnew();
  return Handled::kDone;
}

// The help page of this game's rules; it learns the game from its open parameter.
Handled CAppSpecificGameSettingsForm::openHelp() {
  if (!app_->getFormHandler()) {
    static_cast<void>(fail(__LINE__, 2));
    return Handled::kPassOn;
  }
  static_cast<void>(app_->openForm(kHelpForm, kAppTagCustomiseHelp, static_cast<uint32_t>(gameType_)));
  return Handled::kDone;
}

void CAppSpecificGameSettingsForm::confirmFromAlert(CAppApplication& app, uint16_t button) {
  CQZFFormHandler* handler = app.getFormHandler();
  CAppUserForm* user = app.getUserForm();
  if (!handler) return;
  CAppSpecificGameSettingsForm* form = openSettingsForm(*handler);
  const uint32_t type = user ? user->settings().currentGameType : 0;
  if (button == kConfirmSavedGame && form && user && type >= 1 && type <= kAppGameTypes) {
    user->discardSavedGame(static_cast<int>(type - 1));
  }
  if (form) form->store();
  if (button == kConfirmInGame) {
    if (CAppGameForm* play = openPlayScreen(*handler)) play->dealAnew();
    handler->closeFormsTo(handler->findForm(kAppFormGame) ? kAppFormGame : kAppFormTitle, false);
    return;
  }
  handler->closeFormsTo(handler->findForm(kAppFormTitle) ? kAppFormTitle : kAppFormUser, false);
}

namespace {

template <class Form>
void registerForm(CAppApplication& app) {
  app.registerClass<Form>(AppRuleOptionsOf(Form::kType)->tag);
}

}  // namespace

void AppRegisterGameSettingsForms(CAppApplication& app) {
  registerForm<CAppKlondikeSettingsForm>(app);
  registerForm<CAppFreecellSettingsForm>(app);
  registerForm<CAppSpiderSettingsForm>(app);
  registerForm<CAppCalcSettingsForm>(app);
  registerForm<CAppGolfSettingsForm>(app);
  registerForm<CAppIdiotSettingsForm>(app);
  registerForm<CAppCanfieldSettingsForm>(app);
  registerForm<CAppClockSettingsForm>(app);
  registerForm<CAppFourCornersSettingsForm>(app);
  registerForm<CAppYukonSettingsForm>(app);
  registerForm<CAppSultanSettingsForm>(app);
  registerForm<CAppPyramidSettingsForm>(app);
}
