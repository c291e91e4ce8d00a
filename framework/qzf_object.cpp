#include "qzf_object.h"

CQZFObject* CQZFObject::find(uint16_t kind) const {
  for (const CQZFObject* o = owner_; o != nullptr; o = o->owner_) {
    if (o->kind_ == kind) return o->self_;
  }
  return nullptr;
}

void CQZFObject::setName(const char* name) {
  int i = 0;
  for (; name != nullptr && i < 9 && name[i] != 0; ++i) name_[i] = name[i];
  for (; i < 10; ++i) name_[i] = 0;
}
