#include "app_form_tutorial.h"

#include <cstdio>
#include <string>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_instructions.h"
#include "app_form_user.h"
#include "app_settings.h"
#include "app_tutorial_arrow.h"
#include "app_value_tables.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"

namespace {

constexpr const char* kSource = "app_form_tutorial";
constexpr uint16_t kNoImage = 0xFFFF;
// The toolbar's picture, shown on the first step.
constexpr uint16_t kToolbarPicture = 704;
// The texts of steps 3-14.
constexpr uint16_t kPlainSteps[] = {1553, 1554, 1555, 1556, 1557, 1558, 1559, 1560, 1561, 1562, 1608, 1563};

}  // namespace

CAppTutorialForm::~CAppTutorialForm() {
  if (CAppTutorialArrow* pointer = arrow()) pointer->hide();
}

int16_t CAppTutorialForm::open(uint16_t formId, uint32_t param) {
  app_ = findOwner<CAppApplication>();
  if (!app_ || !app_->getFormHandler()) return CQZFApplication::report(this, kSource, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0)
    return CQZFApplication::report(this, kSource, __LINE__, r);
  begin(param == 0 ? kPlayMode : static_cast<uint8_t>(param));
  return 0;
}

CAppTutorialArrow* CAppTutorialForm::arrow() const {
  CQZFFormHandler* handler = app_ ? app_->getFormHandler() : nullptr;
  auto* play = handler ? dynamic_cast<CAppGameForm*>(handler->findForm(kAppFormGame)) : nullptr;
  return play ? play->tutorialArrow() : nullptr;
}

void CAppTutorialForm::fillSteps() {
  const auto values = app_->getCurrentValueTable();
  const auto value = [&values](int index) {
    return static_cast<size_t>(index) < values.size() ? values[static_cast<size_t>(index)] : int16_t{0};
  };
  const int16_t y = value(kAppValueTutorialArrowY);
  steps_[0] = {kPlayMode, kToolbarPicture, 1, value(kAppValueTutorialArrowX1), y, 1538};
  steps_[1] = {kPlayMode, kNoImage, 1, value(kAppValueTutorialArrowX2), y, 1539};
  steps_[2] = {kPlayMode, kNoImage, 1, value(kAppValueTutorialArrowX3), y, 1540};
  for (size_t i = 0; i < std::size(kPlainSteps); ++i) {
    steps_[3 + i] = {kPlayMode, kNoImage, 0, value(kAppValueTutorialArrowX3), y, kPlainSteps[i]};
  }
}

void CAppTutorialForm::begin(uint8_t mode) {
  if (!app_) return;
  fillSteps();
  mode_ = mode;
  if (mode_ == kPlayMode) setTitleById(kTitle);
  collectSteps();
  showStep();
}

void CAppTutorialForm::collectSteps() {
  number_ = 1;
  count_ = 0;
  first_ = last_ = current_ = -1;
  for (int16_t i = 0; i < kSteps; ++i) {
    if (steps_[i].group != mode_) continue;
    last_ = i;
    if (first_ == -1) first_ = i;
    ++count_;
  }
  current_ = first_;
}

void CAppTutorialForm::showStep() {
  // The form is built again from its description, its buttons with it.
  if (const int16_t r = CQZFForm::open(getFormId(), getOpenParam()); r < 0) {
    static_cast<void>(CQZFApplication::report(this, kSource, __LINE__, r));
    return;
  }
  if (mode_ == kPlayMode) setTitleById(kTitle);
  if (number_ == 1) removeGadget(kPrevious);
  if (number_ == count_) removeGadget(kNext);
  CAppTutorialArrow* pointer = arrow();
  if (current_ >= 0 && current_ < kSteps) {
    const Step& step = steps_[current_];
    if (step.image != kNoImage) setGadgetValue(kPicture, step.image);
    if (pointer && step.arrow) pointer->showAt(step.x, step.y);
    else if (pointer) pointer->hide();
    setGadgetValue(kText, step.text);
  }
  char counter[16];
  std::snprintf(counter, sizeof counter, "%d/%d", number_, count_);
  const std::u16string text(counter, counter + std::char_traits<char>::length(counter));
  setGadgetText(kCounter, text.c_str());
  if (CQZFGraphics* graphics = getGraphics()) graphics->invalidateAll();
}

void CAppTutorialForm::next() {
  while (current_ < last_ && current_ < kSteps - 1) {
    ++current_;
    if (steps_[current_].group == mode_) {
      ++number_;
      break;
    }
  }
  showStep();
}

void CAppTutorialForm::previous() {
  while (first_ < current_ && current_ < kSteps) {
    --current_;
    if (steps_[current_].group == mode_) {
      --number_;
      break;
    }
  }
  showStep();
}

// The rules of the current game follow the tour once per game type.
void CAppTutorialForm::finish() {
  CAppUserForm* profile = app_->getUserForm();
  const uint32_t type = profile ? profile->settings().currentGameType : 0;
  invalidate();
  close();
  if (type < 1 || type > kAppGameTypes || profile->profile().instructionsShown[type - 1]) return;
  if (app_->openForm(kAppFormInstructions, kAppTagInstructions, type) == 0) {
    profile->profile().instructionsShown[type - 1] = 1;
  }
}

Handled CAppTutorialForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened) return Handled::kPassOn;
  if (app_) AppFormLook::applyThemeColour(*this, *app_);
  return Handled::kDone;
}

Handled CAppTutorialForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  const uint16_t id = event.gadgetId;
  if (!app_ || event.type != kQZFEventButton || (id != kNext && id != kPrevious && id != kDone)) {
    return Handled::kPassOn;
  }
  app_->playSelectSound();
  if (id == kNext) next();
  else if (id == kPrevious) previous();
  else finish();
  return Handled::kDone;
}

Handled CAppTutorialForm::onUpdate() {
  if (CAppTutorialArrow* pointer = arrow()) pointer->tick();
  return Handled::kDone;
}
