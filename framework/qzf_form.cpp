#include "qzf_form.h"

#include "qzf_application.h"
#include "qzf_graphics.h"

CQZFForm::CQZFForm() { setKind(kKind, this); }

int16_t CQZFForm::open(uint16_t formId, uint32_t param) {
  CQZFApplication* app = findOwner<CQZFApplication>();
  if (!app) return CQZFApplication::report(this, "qzf_form", 144, QZ_ERR_BAD_STATE);
  graphics_ = app->getGraphics();
  formId_ = formId;
  openParam_ = param;
  return 0;
}

void CQZFForm::setActive(bool active) { send(active ? kQZFFormActivated : kQZFFormDeactivated); }

void CQZFForm::invalidate() {
  if (graphics_) graphics_->invalidateRectangle(formRect_);
}

void CQZFForm::reveal() {
  if (obscureCount_ == 0) return;
  if (--obscureCount_ == 0) {
    send(kQZFFormActivated);
    invalidate();
  }
}

void CQZFForm::obscure() {
  if (obscureCount_ == 255) return;
  if (obscureCount_++ == 0) {
    send(kQZFFormDeactivated);
    invalidate();
  }
}
