// The form handler as the user interface drives it: ticks, pen and key
// events, text input, drawing and the active state go to the top of its
// stack of forms. The stack itself and the saved forms come with the forms;
// until then the handler holds no form and passes every event on.
#pragma once

#include <cstdint>

#include "qzf_events.h"
#include "qzf_object.h"

class CQZFFormHandler : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindFormHandler;

  explicit CQZFFormHandler(CQZFObject* owner = nullptr) : CQZFObject(owner) { setKind(kKind, this); }

  virtual void tick() {}
  virtual Handled onPen(const QZFPenEvent& pen) { return Handled::kPassOn; }
  virtual Handled onKey(const QZFKeyEvent& key) { return Handled::kPassOn; }
  virtual Handled onTextInput(const char16_t* text) { return Handled::kPassOn; }
  virtual void drawForms() {}
  virtual void setActive(int active) { active_ = active != 0; }
  virtual void closeAllForms() {}
  bool isActive() const { return active_; }
  // The stack of open forms, index 0 at the bottom.
  virtual int getFormCount() const { return 0; }
  virtual const CQZFObject* getForm(int index) const { return nullptr; }

 private:
  bool active_ = true;
};
