// The stack of open forms: forms open on top, close by marking and are
// removed once per frame; keys, pen and text go to the top form; drawing
// restores backgrounds from the top down and draws from the bottom up. The
// handler owns every form handed to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qzf_events.h"
#include "qzf_form.h"
#include "qzf_object.h"

class CQZFRsrcDatabase;

class CQZFFormHandler : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindFormHandler;

  explicit CQZFFormHandler(CQZFObject* owner = nullptr);
  // Marks every form closed and removes them all.
  ~CQZFFormHandler() override;

  // Opens the form and pushes it on top: 0; -9 for no form; else the form's
  // own open status, and the form is gone.
  [[nodiscard]] int16_t openForm(uint16_t formId, std::unique_ptr<CQZFForm> form, uint32_t param);
  // Marks the topmost form with the id closed.
  void closeForm(uint16_t formId);
  // Marks closed, from the top down, every form above the topmost form with
  // the id (and that form too when inclusive); all forms when none has it.
  void closeFormsTo(uint16_t formId, bool inclusive);
  virtual void closeAllForms();
  // The top form's id; 0xFFFF without forms.
  uint16_t getTopFormId() const;
  // The topmost form with the id, or null.
  CQZFForm* findForm(uint16_t formId) const;
  // A new form of the registered class tag, or null.
  std::unique_ptr<CQZFForm> createObjectByTag(const std::string& tag) const;

  // Writes every named open form, bottom first, as one Afrm record into the
  // user database, replacing what it held in one atomic write: 0; -9 without
  // memory; the database's status when it cannot be made; -10 when a record
  // cannot be written (the database then stays as it was).
  [[nodiscard]] int16_t saveForms(uint32_t creator, const char16_t* name);
  // Opens the saved forms again in order: 0; the database's status when it
  // cannot be opened. At the first bad record: 4 when a form with
  // keepFormId (-1: none) is open, after closing every other form; else -4
  // with every form closed. Whatever could not be read is noted as damage
  // (takeRestoreDamage), and a copy of the damaged file is kept aside first;
  // while no copy could be made, saveForms writes nothing over the file.
  [[nodiscard]] int16_t restoreForms(uint32_t creator, const char16_t* name, bool deleteAfter, int32_t keepFormId);

  // What the last restoreForms could not read.
  struct RestoreDamage {
    // The file did not open, a record was bad, or the database held bytes
    // or entries no form read: forms may be missing.
    bool formsDropped = false;
    // Parts of their state that restored forms left out (noteDroppedPart).
    uint16_t partsDropped = 0;
    // The device path of the copy kept aside; empty when none could be made.
    std::u16string copy;
  };
  // A form being restored left out a damaged part of its state.
  void noteDroppedPart() { ++damage_.partsDropped; }
  // The damage of the last restore, once: false when there was none.
  bool takeRestoreDamage(RestoreDamage& out);

  // Removes the forms marked closed and updates the others, top first.
  virtual void tick();
  virtual Handled onPen(const QZFPenEvent& pen);
  virtual Handled onKey(const QZFKeyEvent& key);
  virtual Handled onTextInput(const char16_t* text);
  virtual void drawForms();
  // Every form, top first.
  virtual void setActive(int active);
  bool isActive() const { return active_; }
  uint16_t getLanguage() const { return language_; }

  // The stack of open forms, index 0 at the bottom.
  int getFormCount() const { return static_cast<int>(forms_.size()); }
  const CQZFForm* getForm(int index) const { return forms_[static_cast<size_t>(index)].get(); }

 private:
  CQZFForm* top() const { return forms_.empty() ? nullptr : forms_.back().get(); }
  // Whether removed forms still pass their activity on (not while the
  // application stops or starts again).
  bool passesActivityOn() const;
  void remove(size_t index);
  // One saved form: 0 or a negative status.
  int16_t writeRecord(CQZFRsrcDatabase& database, CQZFForm& form, uint16_t id, int32_t stateSize);
  bool restoreRecord(CQZFRsrcDatabase& database, uint8_t* record, uint16_t size);
  int16_t failRestore(int32_t keepFormId);
  // Restores the records in order: 0, or failRestore's result at the first bad one.
  int16_t restoreRecords(CQZFRsrcDatabase& database, int32_t keepFormId);
  // Keeps a copy of the damaged database file (true, also when the file is
  // gone); without one (false) the file is kept from saveForms.
  bool keepDamagedCopy(const char16_t* name);

  bool active_ = true;
  uint16_t language_;
  std::vector<std::unique_ptr<CQZFForm>> forms_;
  RestoreDamage damage_;
  // Databases found damaged of which no copy could be made yet.
  std::vector<std::u16string> keepFiles_;
};
