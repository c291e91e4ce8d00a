// The gadgets of one form, in the order they were added: the handler owns
// them, keeps the focus, moves it with the navigation keys along the
// gadgets' neighbour ids, passes events, ticks and drawing on, and writes
// and reads their state for saved forms.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "qz_rect.h"
#include "qzf_events.h"
#include "qzf_gadget.h"
#include "qzf_object.h"

struct QZFGadgetDescription;
struct SerialiseStream;

class CQZFGadgetHandler : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindGadgetHandler;

  explicit CQZFGadgetHandler(CQZFObject* owner = nullptr);

  // Takes the gadget and runs its init: init's result (the gadget is gone
  // when it is negative); -1 for no gadget. The first gadget that takes the
  // focus gets it.
  [[nodiscard]] int16_t addGadget(const QZFGadgetDescription& description, std::unique_ptr<CQZFGadget> gadget);
  void removeGadget(uint16_t id);
  void clear();
  void setFocus(uint16_t id);
  uint16_t getFocusedId() const;
  CQZFGadget* find(uint16_t id) const;
  // The position from the first added; 0xFFFF when absent.
  uint16_t indexOf(uint16_t id) const;
  CQZFGadget* at(int index) const;
  int getCount() const { return static_cast<int>(gadgets_.size()); }

  void setValue(uint16_t id, int32_t value);
  int32_t getValue(uint16_t id) const;
  void setText(uint16_t id, const char16_t* text);
  const char16_t* getText(uint16_t id) const;
  void replaceInText(uint16_t id, const char16_t* token, const char16_t* value);
  uint16_t getNeighbour(uint16_t id, int direction) const;
  void setAnchors(uint16_t id, const QZFAnchor& x, const QZFAnchor& y);
  // Value 1 for the selected gadget of the group, 0 for the others.
  void selectInGroup(int16_t groupId, uint16_t selectedId);

  void update();
  void draw(int level);
  void invalidateAll();
  bool isAnyDirty() const;
  void layout();
  // The box around all gadgets; `rect` stays as given without gadgets.
  void getExtent(QZRect& rect) const;

  // Navigation keys to the focused gadget, then along the neighbours; other
  // keys and characters to the gadgets from the last added back.
  Handled onKey(const QZFKeyEvent& key);
  Handled onPen(const QZFPenEvent& pen);
  void onTextInput(const char16_t* text);

  // Count, focused id, then each gadget's tag and state; -50 when a read
  // state does not match the gadgets.
  int16_t serialise(SerialiseStream& stream) override;

 private:
  CQZFGadget* focused() const { return focused_; }
  void giveFocus(CQZFGadget* gadget);
  // Walks from the gadget along one direction to the first that can take
  // the focus; null when the walk ends. `last` is the last gadget reached.
  CQZFGadget* walk(CQZFGadget* from, int direction, CQZFGadget** last) const;
  Handled navigate(int code);
  void patchReferences(const CQZFGadget& removed);
  int16_t fail(int line, int16_t code);

  std::vector<std::unique_ptr<CQZFGadget>> gadgets_;
  CQZFGadget* focused_ = nullptr;
};
