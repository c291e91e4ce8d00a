// The base of every screen: a form sits in the form handler's stack, is
// active while nothing covers it, closes by marking (the form handler removes
// it at its next tick) and tells its hooks what happens to it through events.
#pragma once

#include <cstdint>
#include <memory>

#include "qz_rect.h"
#include "qz_types.h"
#include "qzf_events.h"
#include "qzf_object.h"

class CQZFGadgetHandler;
class CQZFGraphics;
class CQZFRsrcDatabase;
struct SerialiseStream;

// What happened to a form (the first field of the record onEvent gets).
enum QZFFormEventType : int32_t {
  kQZFFormOpened = 0,
  kQZFFormRemoved = 1,
  kQZFFormActivated = 2,
  kQZFFormDeactivated = 3,
  kQZFFormRestoringBackground = 4,
  kQZFFormSaving = 5,
  kQZFFormSaved = 6,
  kQZFFormRestoring = 7,
  kQZFFormRestored = 8,
};

struct QZFFormEvent {
  int32_t type = 0;
};

class CQZFForm : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindForm;

  CQZFForm();
  ~CQZFForm() override;

  // Opens the form from its description (its gadgets made anew); 0 or a
  // negative status.
  [[nodiscard]] virtual int16_t open(uint16_t formId, uint32_t param);
  // Once per frame from the form handler's tick.
  virtual void update() {}
  // Event 2 when the flag is set, else event 3.
  virtual void setActive(bool active);
  virtual Handled onKey(const QZFKeyEvent& key) { return Handled::kPassOn; }
  virtual Handled onPen(const QZFPenEvent& pen) { return Handled::kPassOn; }
  virtual Handled onTextInput(const char16_t* text) { return Handled::kPassOn; }
  virtual Handled onEvent(const QZFFormEvent& event) { return Handled::kPassOn; }

  // The size of the saved state: the counted gadget state and own state, the
  // custom state and 8 bytes for the menu id and open parameter.
  int32_t getSaveSize() override;
  // A form with custom state (non-zero size) saves it through these in place of serialise.
  virtual int32_t getCustomStateSize() { return 0; }
  [[nodiscard]] virtual int16_t saveCustomState(uint16_t recordSize, uint16_t position, CQZFRsrcDatabase* database,
                                                uint8_t* record) {
    return 0;
  }
  [[nodiscard]] virtual int16_t restoreCustomState(uint16_t recordSize, uint16_t position, CQZFRsrcDatabase* database,
                                                   uint8_t* record) {
    return 0;
  }
  // The gadgets' state, menu id, open parameter and the form's own state for saved forms;
  // 0 or the first negative status (reported).
  [[nodiscard]] int16_t saveState(SerialiseStream& stream, CQZFRsrcDatabase* database);
  [[nodiscard]] int16_t restoreState(SerialiseStream& stream, CQZFRsrcDatabase* database);

  void draw() {}
  void restoreBackground() {}
  // Marks the form's rectangle for redrawing (nothing before open found the graphics).
  void invalidate();

  // One cover less; the form becomes active (event 2) when nothing covers it.
  void reveal();
  // One cover more (at most 255); an active form becomes inactive (event 3).
  void obscure();
  uint8_t getObscureCount() const { return obscureCount_; }

  // Asks the form handler to remove the form at its next tick.
  void close() { closed_ = true; }
  bool isClosed() const { return closed_; }
  uint16_t getFormId() const { return formId_; }
  uint32_t getOpenParam() const { return openParam_; }
  bool isAnyLanguage() const { return anyLanguage_; }
  const QZRect& getFormRect() const { return formRect_; }
  // The gadget area: gadget coordinates are relative to its origin.
  const QZRect& getGadgetRect() const { return gadgetRect_; }
  uint16_t getMenuId() const { return menuId_; }
  // The form's gadgets; null before the first open.
  CQZFGadgetHandler* getGadgetHandler() const { return gadgets_.get(); }

 protected:
  void setAnyLanguage(bool any) { anyLanguage_ = any; }
  void send(QZFFormEventType type) { static_cast<void>(onEvent({type})); }

 private:
  int16_t fail(int line, int16_t code);
  // Writes or reads the custom state, or serialise without one.
  int16_t transferOwnState(SerialiseStream& stream, CQZFRsrcDatabase* database, bool saving);

  uint16_t formId_ = QZ_NO_ID;
  bool closed_ = false;
  uint8_t obscureCount_ = 1;
  uint32_t openParam_ = 0;
  uint16_t menuId_ = QZ_NO_ID;
  bool anyLanguage_ = false;
  CQZFGraphics* graphics_ = nullptr;
  QZRect formRect_{};
  QZRect gadgetRect_{};
  std::unique_ptr<CQZFGadgetHandler> gadgets_;
};
