// The base of every framework and game object: a 16-bit kind, an owner and a
// short name; find() walks the owner chain for the nearest object of a kind.
#pragma once

#include <cstdint>

#include "qz_types.h"

struct SerialiseStream;

class CQZFObject {
 public:
  CQZFObject() = default;
  explicit CQZFObject(CQZFObject* owner) : owner_(owner) {}
  virtual ~CQZFObject() = default;
  CQZFObject(const CQZFObject&) = delete;
  CQZFObject& operator=(const CQZFObject&) = delete;

  virtual QZStatus serialise(SerialiseStream* stream) { return QZ_OK; }
  virtual uint32_t getSaveSize() { return 0; }

  void setOwner(CQZFObject* owner) { owner_ = owner; }
  void setKind(uint16_t kind, CQZFObject* self) {
    kind_ = kind;
    self_ = self;
  }
  uint16_t getKind() const { return kind_; }
  // The owner's self pointer, or null without an owner.
  CQZFObject* getOwner() const { return owner_ != nullptr ? owner_->self_ : nullptr; }
  // The nearest object of that kind above this one (never this one).
  CQZFObject* find(uint16_t kind) const;
  // Keeps at most 9 characters.
  void setName(const char* name);
  const char* getName() const { return name_; }

 private:
  uint16_t kind_ = 0xFFFF;
  CQZFObject* owner_ = nullptr;
  CQZFObject* self_ = nullptr;
  char name_[10] = {};
};
