#include "qzf_form_handler.h"

#include <cstddef>
#include <utility>

#include "qzf_application.h"
#include "qzf_helpers.h"

CQZFFormHandler::CQZFFormHandler(CQZFObject* owner) : CQZFObject(owner), language_(QZFGetLanguage()) {
  setKind(kKind, this);
}

CQZFFormHandler::~CQZFFormHandler() {
  for (auto& form : forms_) form->close();
  tick();
}

int16_t CQZFFormHandler::openForm(uint16_t formId, std::unique_ptr<CQZFForm> form, uint32_t param) {
  if (!form) return QZ_ERR_NO_MEMORY;
  form->setOwner(this);
  const int16_t result = form->open(formId, param);
  if (result != 0) return result;
  CQZFForm* opened = form.get();
  if (CQZFForm* below = top()) below->obscure();
  forms_.push_back(std::move(form));
  opened->reveal();
  return 0;
}

void CQZFFormHandler::closeForm(uint16_t formId) {
  if (CQZFForm* form = findForm(formId)) {
    form->invalidate();
    form->close();
  }
}

void CQZFFormHandler::closeFormsTo(uint16_t formId, bool inclusive) {
  for (size_t i = forms_.size(); i-- > 0;) {
    CQZFForm& form = *forms_[i];
    const bool last = form.getFormId() == formId;
    if (last && !inclusive) return;
    form.invalidate();
    form.close();
    if (last) return;
  }
}

void CQZFFormHandler::closeAllForms() {
  for (auto& form : forms_) {
    form->invalidate();
    form->close();
  }
}

uint16_t CQZFFormHandler::getTopFormId() const { return top() ? top()->getFormId() : QZ_NO_ID; }

CQZFForm* CQZFFormHandler::findForm(uint16_t formId) const {
  for (size_t i = forms_.size(); i-- > 0;) {
    if (forms_[i]->getFormId() == formId) return forms_[i].get();
  }
  return nullptr;
}

std::unique_ptr<CQZFForm> CQZFFormHandler::createObjectByTag(const std::string& tag) const {
  const CQZFApplication* app = findOwner<CQZFApplication>();
  return app ? app->createObject<CQZFForm>(tag) : nullptr;
}

bool CQZFFormHandler::passesActivityOn() const {
  const CQZFApplication* app = findOwner<CQZFApplication>();
  return !app || !(app->isStopping() || app->isReinitialiseRequested());
}

void CQZFFormHandler::remove(size_t index) {
  CQZFForm* form = forms_[index].get();
  const bool passOn = passesActivityOn();
  if (passOn) form->obscure();
  static_cast<void>(form->onEvent({kQZFFormRemoved}));
  // The form's own events may have opened forms above it: find it again.
  for (index = forms_.size(); index-- > 0 && forms_[index].get() != form;) {
  }
  std::unique_ptr<CQZFForm> removed = std::move(forms_[index]);
  const bool wasTop = index + 1 == forms_.size();
  forms_.erase(forms_.begin() + static_cast<std::ptrdiff_t>(index));
  if (wasTop && passOn && top()) top()->reveal();
}

void CQZFFormHandler::tick() {
  // Top down; forms opened meanwhile land above the walk and wait for the
  // next tick, and only the tick removes forms.
  for (size_t i = forms_.size(); i-- > 0;) {
    if (i >= forms_.size()) continue;
    if (forms_[i]->isClosed()) {
      remove(i);
    } else {
      forms_[i]->update();
    }
  }
}

Handled CQZFFormHandler::onPen(const QZFPenEvent& pen) { return top() ? top()->onPen(pen) : Handled::kPassOn; }
Handled CQZFFormHandler::onKey(const QZFKeyEvent& key) { return top() ? top()->onKey(key) : Handled::kPassOn; }
Handled CQZFFormHandler::onTextInput(const char16_t* text) {
  return top() ? top()->onTextInput(text) : Handled::kPassOn;
}

void CQZFFormHandler::drawForms() {
  for (size_t i = forms_.size(); i-- > 0;) forms_[i]->restoreBackground();
  for (size_t i = 0; i < forms_.size(); ++i) forms_[i]->draw();
}

void CQZFFormHandler::setActive(int active) {
  active_ = active != 0;
  for (size_t i = forms_.size(); i-- > 0;) forms_[i]->setActive(active_);
}
