#include "qzf_form.h"

#include <new>

#include "app_serialise_stream.h"
#include "qzf_application.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

CQZFForm::CQZFForm() { setKind(kKind, this); }

CQZFForm::~CQZFForm() = default;

int16_t CQZFForm::open(uint16_t formId, uint32_t param) {
  if (gadgets_) {
    gadgets_->clear();
  } else {
    gadgets_.reset(new (std::nothrow) CQZFGadgetHandler(this));
    if (!gadgets_) return fail(135, QZ_ERR_NO_MEMORY);
  }
  CQZFApplication* app = findOwner<CQZFApplication>();
  if (!app) return fail(144, QZ_ERR_BAD_STATE);
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

int16_t CQZFForm::fail(int line, int16_t code) { return CQZFApplication::report(this, "qzf_form", line, code); }

int32_t CQZFForm::getSaveSize() {
  const int32_t custom = getCustomStateSize();
  SerialiseStream counter;
  if (gadgets_) static_cast<void>(gadgets_->serialise(counter));
  if (custom == 0) static_cast<void>(serialise(counter));
  return counter.position + custom + 8;
}

int16_t CQZFForm::transferOwnState(SerialiseStream& stream, CQZFRsrcDatabase* database, bool saving) {
  if (getCustomStateSize() == 0) return serialise(stream);
  return saving ? saveCustomState(stream.limit, stream.position, database, stream.data)
                : restoreCustomState(stream.limit, stream.position, database, stream.data);
}

int16_t CQZFForm::saveState(SerialiseStream& stream, CQZFRsrcDatabase* database) {
  // No menu handler is open before menus come: the saved id says none.
  uint16_t menuId = QZ_NO_ID;
  int16_t r = gadgets_ ? gadgets_->serialise(stream) : 0;
  if (r < 0) return fail(1101, r);
  r = serialiseU16(stream, &menuId, 1);
  if (r < 0) return fail(1104, r);
  r = serialiseU32(stream, &openParam_, 1);
  if (r < 0) return fail(1105, r);
  r = transferOwnState(stream, database, true);
  if (r < 0) return fail(getCustomStateSize() ? 1110 : 1114, r);
  return 0;
}

int16_t CQZFForm::restoreState(SerialiseStream& stream, CQZFRsrcDatabase* database) {
  int16_t r = gadgets_ ? gadgets_->serialise(stream) : 0;
  if (r < 0) return fail(1126, r);
  r = serialiseU16(stream, &menuId_, 1);
  if (r < 0) return fail(1129, r);
  r = serialiseU32(stream, &openParam_, 1);
  if (r < 0) return fail(1132, r);
  r = transferOwnState(stream, database, false);
  if (r < 0) return fail(getCustomStateSize() ? 1137 : 1141, r);
  return 0;
}
