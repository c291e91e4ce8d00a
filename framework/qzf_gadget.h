// The base of every gadget kind: what each gadget has (id, group, anchored
// position, rectangle in the form's gadget coordinates, focus look, value,
// text and neighbours) and the resolution of its anchored position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "qz_rect.h"
#include "qz_types.h"
#include "qzf_events.h"
#include "qzf_form_description.h"
#include "qzf_object.h"

class CQZFFontManager;
class CQZFForm;
class CQZFGraphics;
class CQZFResourceManager;
struct CQZFGadgetEvent;

// One axis of a gadget's position: a fixed position, or an offset from
// another gadget's rectangle (alignment 1 the middle; 2 the right edge for
// x, 4 the bottom edge for y).
struct QZFAnchor {
  int16_t position = 0;
  bool anchored = false;
  int16_t anchorId = 0;
  uint8_t alignment = 0;
  int16_t offset = 0;
};

enum QZFDirection : int { kQZFUp = 0, kQZFRight = 1, kQZFDown = 2, kQZFLeft = 3 };

// Replaces the first occurrence of the token (none for an empty or null one).
void QZFReplaceFirst(std::u16string& text, const char16_t* token, const char16_t* value);

class CQZFGadget : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindGadget;

  CQZFGadget();

  virtual void draw(const QZRect& rect, int level) {}
  // Fills the rectangle with the focus colour when it is dirty.
  virtual void drawFocus(const QZRect& rect, int level);
  // Takes the managers from the form and the application and the shared
  // fields of the description: 0, or -50 when one is missing (reported).
  [[nodiscard]] virtual int16_t init(const QZFGadgetDescription& description);
  virtual Handled onKey(const QZFKeyEvent& key) { return Handled::kPassOn; }
  virtual Handled onPen(const QZFPenEvent& pen) { return Handled::kPassOn; }
  virtual Handled onTextInput(const char16_t* text) { return Handled::kPassOn; }
  virtual void update() {}
  // Resolves the anchored axes from the anchor gadgets' rectangles.
  virtual void layout();
  virtual bool canFocus() const { return true; }
  virtual void setValue(int32_t value);
  virtual int32_t getValue() const { return value_; }
  // A copy of the text; null clears it.
  virtual void setText(const char16_t* text);
  // The text, or null without one.
  virtual const char16_t* getText() const { return text_ ? text_->c_str() : nullptr; }
  // Replaces the first occurrence of the token in the text.
  virtual void replaceInText(const char16_t* token, const char16_t* value);
  // The gadget of a kind (every kind answers itself); null for the bare base.
  virtual CQZFGadget* getGadget() { return nullptr; }

  // Draws at the form's gadget-area origin, the focus look first.
  void drawAt(int level);
  // The rectangle in the form's gadget coordinates.
  const QZRect& getRect() const { return rect_; }
  void invalidate() const;
  bool isDirty() const;
  uint16_t getNeighbour(int direction) const;
  void setNeighbour(int direction, uint16_t id) { neighbours_[direction & 3] = id; }
  void setAnchors(const QZFAnchor& x, const QZFAnchor& y);
  const QZFAnchor& getXAnchor() const { return x_; }
  const QZFAnchor& getYAnchor() const { return y_; }

  int16_t getId() const { return id_; }
  int16_t getGroupId() const { return groupId_; }
  // Whether the gadget takes the focus when it is added or when the focused one goes.
  bool takesFocus() const { return takesFocus_; }
  bool hasFocus() const { return hasFocus_; }
  void setHasFocus(bool focus) { hasFocus_ = focus; }

 protected:
  // What a pen did to a gadget that is pressed like a button.
  enum class PressStep { kOutside, kPressed, kReleased, kOther };

  // Runs the base init and finds the kind's part of the description; null
  // (with the reported status in *status) when either fails.
  template <class Part>
  const Part* initAs(const QZFGadgetDescription& description, const char* source, int16_t* status) {
    *status = CQZFGadget::init(description);
    if (*status < 0) {
      *status = report(source, 1, *status);
      return nullptr;
    }
    const Part* part = std::get_if<Part>(&description.part);
    if (!part) *status = report(source, 2, QZ_ERR_BAD_STATE);
    return part;
  }
  // A press inside holds, a release inside after a press lets go (kReleased),
  // and anything outside lets go unreleased; each change is invalidated.
  PressStep trackPress(const QZFPenEvent& pen, bool& pressed);
  // An image's own level under the level the form draws at.
  static int combineLevel(int formLevel, int ownLevel);
  // The text of a string resource; empty when it is absent or empty.
  static std::u16string stringText(uint16_t stringId);
  // The left edge of a box of the width at x under the box alignment.
  int16_t boxX(int x, int w) const;
  // The rectangle of the size at the resolved position under the box alignment.
  void placeBox(int w, int h);
  // The point lies in the gadget's rectangle, its right and bottom edges included.
  bool insideInclusive(int x, int y) const;
  // setText with a string resource's text (none for an empty or missing string).
  void setTextFromStringId(uint16_t stringId);
  // The form's onGadgetEvent with the gadget's id filled in.
  void sendEvent(CQZFGadgetEvent event);
  // Sizes of the form's images; 0 for none or for one that is not loaded.
  int blobWidth(uint16_t id) const;
  int blobHeight(uint16_t id) const;
  bool hasBlob(uint16_t id) const;
  // The automatic width at the resolved x: the room to the gadget area's
  // edge the box grows toward (doubled when centred and asked to); the
  // automatic height: the room below y in the gadget area, or on the screen
  // when the area has no height of its own (never below 0).
  int automaticWidth(bool doubleCentred) const;
  int automaticHeight() const;
  // Forgets the neighbours and the form's padding (kinds that take neither).
  void dropPadding() { padding_ = 0; }
  int16_t report(const char* source, int line, int16_t code);

  void setTakesFocus(bool takes) { takesFocus_ = takes; }
  void setGroupId(int16_t id) { groupId_ = id; }
  CQZFForm* getForm() const { return form_; }
  CQZFGraphics* getGraphics() const { return graphics_; }
  CQZFFontManager* getFontManager() const { return fonts_; }
  CQZFResourceManager* getResources() const { return resources_; }
  // The rectangle on the screen (the form's gadget-area origin added).
  QZRect screenRect() const;

  QZRect rect_{};
  uint32_t boxAlignment_ = 0;
  int16_t padding_ = 0;
  uint16_t focusColour_ = 0;
  uint8_t focusLevel_ = 127;

 private:
  int16_t fail(int line) const;
  int16_t anchorPosition(const QZFAnchor& anchor, bool vertical) const;

  CQZFForm* form_ = nullptr;
  CQZFGraphics* graphics_ = nullptr;
  CQZFFontManager* fonts_ = nullptr;
  CQZFResourceManager* resources_ = nullptr;
  int16_t id_ = -1;
  int16_t groupId_ = -1;
  bool takesFocus_ = false;
  QZFAnchor x_, y_;
  bool hasFocus_ = false;
  int32_t value_ = 0;
  std::optional<std::u16string> text_;
  uint16_t neighbours_[4] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};
};
