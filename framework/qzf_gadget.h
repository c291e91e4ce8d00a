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
#include "qzf_object.h"

class CQZFFontManager;
class CQZFForm;
class CQZFGraphics;
class CQZFResourceManager;
struct QZFGadgetDescription;

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
