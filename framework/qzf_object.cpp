#include "qzf_object.h"

CQZFObject* CQZFObject::getOwner() const {
  return owner_ ? owner_->self_ : nullptr;
}

CQZFObject* CQZFObject::find(uint16_t kind) const {
  for (const CQZFObject* o = owner_; o; o = o->owner_) {
    if (o->kind_ == kind) return o->self_;
  }
  return nullptr;
}

void CQZFObject::setName(const char* text) {
  int i = 0;
  for (; text && i < kNameSize - 1 && text[i]; ++i) name_[i] = text[i];
  for (; i < kNameSize; ++i) name_[i] = 0;
}
