#include "app_form_trophy.h"

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

namespace {

// The trophies' pictures by group (large, then small) and the form's own (the empty slot).
constexpr int kSets[] = {81, 82, 83, 84, 86, 87, 88, 89, 103};
constexpr int kWashLevel = 100;

}  // namespace

using namespace AppTrophyCabinet;

CAppTrophyForm::CAppTrophyForm() { setName(kAppTagTrophyCabinet); }

CAppTrophyForm::~CAppTrophyForm() = default;

int16_t CAppTrophyForm::fail(int line, int16_t code) {
  return CQZFApplication::report(this, "app_form_trophy", line, code);
}

int16_t CAppTrophyForm::open(uint16_t formId, uint32_t param) {
  app_ = findOwner<CAppApplication>();
  if (!app_ || !app_->getFormHandler() || !app_->getUserForm()) return fail(__LINE__, QZ_ERR_BAD_STATE);
  settings_ = &app_->getUserForm()->settings();
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return fail(__LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  paintBackground();
  return 0;
}

int CAppTrophyForm::themeIndex() const {
  const int theme = settings_ ? settings_->colourScheme : CAppColourSchemes::kDefaultScheme;
  return theme >= 0 && theme < CAppColourSchemes::kSchemes ? theme : CAppColourSchemes::kDefaultScheme;
}

// The cabinet's plane, washed in the colours of the player's theme unless
// the player chose no wash.
void CAppTrophyForm::paintBackground() {
  CQZFGraphics* g = getGraphics();
  if (!g) return;
  if (g->isPlaneLoaded(kPlane)) g->releasePlane(kPlane);
  if (g->loadPlane(kPlane, 0) < 0 || settings_->backgroundScheme == kAppNoScheme) return;
  if (g->drawToPlane(kPlane) < 0) return;
  const CAppColourSchemes::Scheme& theme = app_->colourSchemes().scheme(themeIndex());
  const uint16_t top = CQZFGraphics::makeColour(theme.top[0], theme.top[1], theme.top[2]);
  const auto values = app_->getCurrentValueTable();
  const int w = values[kAppValueScreenWidth], h = values[kAppValueScreenHeight];
  if (settings_->backgroundGradient) {
    g->fillGradient(0, 0, w, h, 0, kWashLevel, top,
                    CQZFGraphics::makeColour(theme.bottom[0], theme.bottom[1], theme.bottom[2]));
  } else {
    g->fillRect(0, 0, w, h, 0, kWashLevel, top);
  }
  g->flush();
  g->drawToScreen();
}

Handled CAppTrophyForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormOpened) build();
  // The labels come back with the texts they had when the form was saved.
  if (event.type == kQZFFormRestored) clearTexts();
  if (event.type == kQZFFormRemoved) release();
  return Handled::kDone;
}

void CAppTrophyForm::build() {
  CQZFGraphics* g = getGraphics();
  if (!app_ || !g) return;
  for (size_t i = 0; i < std::size(kSets); ++i) {
    if (g->loadBlobSet(kSets[i], 0) >= 0) loadedSets_ |= 1u << i;
  }
  clearTexts();
  const auto values = app_->getCurrentValueTable();
  for (int a = 0; a < kTrophies; ++a) {
    trophies_[a] = std::make_unique<CAppTrophy>(this);
    const Slot slot = slotOf(values, a);
    static_cast<void>(trophies_[a]->init(static_cast<uint8_t>(a), slot.x, slot.y));
  }
}

void CAppTrophyForm::release() {
  CQZFGraphics* g = getGraphics();
  if (!g) return;
  g->releasePlane(kPlane);
  for (size_t i = 0; i < std::size(kSets); ++i) {
    if (loadedSets_ & (1u << i)) g->releaseBlobSet(kSets[i]);
  }
  loadedSets_ = 0;
}

void CAppTrophyForm::clearTexts() {
  for (uint16_t id : {kUpperText, kLowerText, kNameText}) setGadgetText(id, u"");
  texts_ = {};
}

void CAppTrophyForm::showTexts(const Texts& texts) {
  if (texts.label == texts_.label && texts.labelString == texts_.labelString && texts.nameString == texts_.nameString) {
    return;
  }
  clearTexts();
  if (texts.label != kNoText) setGadgetValue(texts.label, texts.labelString);
  if (texts.nameString != 0) setGadgetValue(kNameText, texts.nameString);
  texts_ = texts;
}

Handled CAppTrophyForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (app_) app_->playSelectSound();
  if (event.type != kQZFEventButton || event.gadgetId != kClose) return Handled::kPassOn;
  invalidate();
  close();
  return Handled::kDone;
}

void CAppTrophyForm::select(const Cursor& next) {
  if (trophies_[cursor_.index]) trophies_[cursor_.index]->deselect();
  cursor_ = next;
  if (trophies_[cursor_.index]) trophies_[cursor_.index]->invalidate();
}

Handled CAppTrophyForm::onKeyEvent(const QZFKeyEvent& key) {
  CQZFGadgetHandler* gadgets = getGadgetHandler();
  if (!key.keyDown || !gadgets) return Handled::kPassOn;
  Cursor next = cursor_;
  next.focus = gadgets->getFocusedId();
  if (next.focus != kShelf && next.focus != kClose) return Handled::kPassOn;
  if (!move(next, key.code)) return Handled::kPassOn;
  if (next.focus != gadgets->getFocusedId()) gadgets->setFocus(next.focus);
  select(next);
  return Handled::kPassOn;
}

int CAppTrophyForm::trophyAt(int x, int y) const {
  for (int a = 0; a < kTrophies; ++a) {
    if (trophies_[a] && trophies_[a]->hitTest(x, y)) return a;
  }
  return -1;
}

Handled CAppTrophyForm::onPenEvent(const QZFPenEvent& event) {
  if (!isActive()) return Handled::kPassOn;
  Cursor next = cursor_;
  if (pen(next, penPressed_, event.type, trophyAt(event.x, event.y))) select(next);
  return Handled::kPassOn;
}

Handled CAppTrophyForm::drawBackground() {
  if (CQZFGraphics* g = getGraphics()) static_cast<void>(g->restoreBackgroundFromPlane(kPlane));
  return Handled::kDone;
}

Handled CAppTrophyForm::drawForeground() {
  for (const auto& trophy : trophies_) {
    if (trophy) trophy->draw();
  }
  if (cursor_.shown && trophies_[cursor_.index]) trophies_[cursor_.index]->drawSelected();
  return Handled::kDone;
}
