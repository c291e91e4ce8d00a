// The base of every screen: a form is opened from its description, owns its
// gadgets, sits in the form handler's stack, is active while nothing covers
// it, closes by marking (the form handler removes it at its next tick), draws
// its frame, title and background, routes keys and the pen to its hooks and
// gadgets, and tells its hooks what happens to it through events.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "qz_rect.h"
#include "qz_types.h"
#include "qzf_events.h"
#include "qzf_object.h"

class CQZFApplication;
class CQZFFontManager;
class CQZFGadget;
class CQZFGadgetHandler;
class CQZFGraphics;
class CQZFMenuHandler;
class CQZFRsrcDatabase;
struct CQZFGadgetEvent;
struct QZFFormDescription;
struct QZFGadgetDescription;
struct QZFMenuEvent;
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

// The pieces of a form's frame, clockwise from the top-left corner.
enum QZFFramePiece : int {
  kQZFFrameTopLeft = 0,
  kQZFFrameTop = 1,
  kQZFFrameTopRight = 2,
  kQZFFrameRight = 3,
  kQZFFrameBottomRight = 4,
  kQZFFrameBottom = 5,
  kQZFFrameBottomLeft = 6,
  kQZFFrameLeft = 7,
};

class CQZFForm : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindForm;

  CQZFForm();
  ~CQZFForm() override;

  // Opens the form from its description (its gadgets made anew), lays it out
  // and centres it on the screen; 0 or a negative status (reported).
  [[nodiscard]] virtual int16_t open(uint16_t formId, uint32_t param);
  // Opens again with the stored id and parameter, then sends event 1.
  [[nodiscard]] int16_t reopen();
  // Once per frame from the form handler's tick: the menu made anew when the
  // form's menu id changed, the gadgets, the menus, then onUpdate.
  virtual void update();
  // Event 2 when the flag is set, else event 3.
  virtual void setActive(bool active);
  // Keys: the menus, onKeyEvent, then the gadgets; a Back key nobody took
  // goes to onBack. While a menu is open it answers alone.
  virtual Handled onKey(const QZFKeyEvent& key);
  // The pen: the menus first (alone while one is open); a press on the title
  // drags the form; else onPenEvent (inside the gadget area) and the
  // gadgets, in gadget coordinates.
  virtual Handled onPen(const QZFPenEvent& pen);
  // The text goes to every gadget.
  virtual Handled onTextInput(const char16_t* text);
  virtual Handled onEvent(const QZFFormEvent& event) { return Handled::kPassOn; }
  // What a gadget of the form reports (a press, a new value, a chosen row).
  virtual Handled onGadgetEvent(const CQZFGadgetEvent& event) { return Handled::kPassOn; }
  // A menu of the form was opened, or one of its items chosen.
  virtual Handled onMenuEvent(const QZFMenuEvent& event) { return Handled::kPassOn; }
  // The hooks an application form fills; the base passes everything on.
  virtual Handled onKeyEvent(const QZFKeyEvent& key) { return Handled::kPassOn; }
  // The pen in gadget coordinates.
  virtual Handled onPenEvent(const QZFPenEvent& pen) { return Handled::kPassOn; }
  virtual Handled onUpdate() { return Handled::kPassOn; }
  virtual Handled drawBackground() { return Handled::kPassOn; }
  virtual Handled drawForeground() { return Handled::kPassOn; }
  // Closes the form when the application lets Back close forms, else asks
  // the application to minimise.
  virtual Handled onBack();

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

  // Draws what is dirty and uncovered: background, frame, title and gadgets
  // (only an outline while the form is dragged), then its menus while the
  // form is active or a menu is open.
  void draw();
  // Marks what the form covers in the dirty grid (event 4 first).
  void restoreBackground();
  // Marks the form's rectangle and its menus for redrawing (nothing before
  // open found the graphics).
  void invalidate();
  bool isDirty() const;
  // Nothing covers the form and no menu is open.
  bool isActive() const;
  // No menu is open and no gadget has the focus.
  bool isUnfocused() const;
  // A bar or popup menu, or a submenu, is open on the form.
  bool isMenuOpen() const;

  // One cover less; the form becomes active (event 2) when nothing covers it.
  void reveal();
  // One cover more (at most 255); an active form becomes inactive (event 3).
  void obscure();
  uint8_t getObscureCount() const { return obscureCount_; }

  // Places the gadget area in the middle of the screen and the frame and
  // the title around it.
  void computeLayout();
  void calculateTitleSize();
  // Moves the form; with clamp it stays on the screen where it fits.
  void moveBy(int dx, int dy, bool clamp);
  void centre(bool clamp = true);
  // The gadget area's height becomes the bottom of the gadgets' box.
  void fitHeightToGadgets();

  // The title is the string's text (none for an empty string).
  void setTitleById(uint16_t stringId);
  // A copy of the text (none for null); the title is measured again.
  void setTitle(const char16_t* text);
  const char16_t* getTitle() const { return title_ ? title_->c_str() : nullptr; }
  void setBackgroundColour(uint16_t colour);
  uint16_t getBackgroundColour() const { return backgroundColour_; }
  // The form draws itself with the gadgets fit to their box (no fixed height).
  bool isFitToGadgets() const { return fitToGadgets_; }

  // Gadget operations by id; those that change gadgets lay the form out again.
  [[nodiscard]] int16_t addGadget(const QZFGadgetDescription& description, std::unique_ptr<CQZFGadget> gadget);
  void removeGadget(uint16_t id);
  void setGadgetValue(uint16_t id, int32_t value);
  void setGadgetText(uint16_t id, const char16_t* text);
  void replaceInGadgetText(uint16_t id, const char16_t* token, const char16_t* value);
  int32_t getGadgetValue(uint16_t id) const;
  const char16_t* getGadgetText(uint16_t id) const;
  CQZFGadget* getGadget(uint16_t id) const;

  // Drawing with rectangles in gadget coordinates.
  void fillRect(const QZRect& rect, int flags, int level, uint16_t colour);
  void fillGradient(const QZRect& rect, int flags, int level, uint16_t top, uint16_t bottom);
  void drawFrame(const QZRect& rect, int thickness, int level, uint16_t colour);
  void invalidateRect(const QZRect& rect);
  bool isRectDirty(const QZRect& rect) const;

  // Asks the form handler to remove the form at its next tick.
  void close() { closed_ = true; }
  bool isClosed() const { return closed_; }
  uint16_t getFormId() const { return formId_; }
  uint32_t getOpenParam() const { return openParam_; }
  bool isAnyLanguage() const { return anyLanguage_; }
  bool isDragging() const { return dragging_; }
  const QZRect& getFormRect() const { return formRect_; }
  const QZRect& getTitleRect() const { return titleRect_; }
  const QZRect& getClientRect() const { return clientRect_; }
  // The gadget area: gadget coordinates are relative to its origin.
  const QZRect& getGadgetRect() const { return gadgetRect_; }
  uint16_t getMenuId() const { return menuId_; }
  // The form's menu becomes this one at the next update (0xFFFF: none).
  void setMenuId(uint16_t id) { menuId_ = id; }
  // Menu handler operations; nothing without a menu.
  void setMenuItemFlags(uint16_t itemId, uint16_t flags);
  void toggleMenu();
  void setMenuFading(bool on);
  // The form's menus; null without a menu.
  CQZFMenuHandler* getMenuHandler() const { return menus_.get(); }
  // The form's gadgets; null before the first open.
  CQZFGadgetHandler* getGadgetHandler() const { return gadgets_.get(); }

 protected:
  // The part of open every form needs: the gadget handler (emptied or
  // made) and the application's managers, form id and parameter stored.
  [[nodiscard]] int16_t prepareOpen(uint16_t formId, uint32_t param);
  void setAnyLanguage(bool any) { anyLanguage_ = any; }
  void setFadeLevel(uint8_t level) { fadeLevel_ = level; }
  void setWholeScreenBackground(bool whole) { wholeScreenBackground_ = whole; }
  void setDragOutline(bool outline) { dragOutline_ = outline; }
  // Places the gadget area (a form whose area another object drives).
  void setGadgetRect(const QZRect& rect) { gadgetRect_ = rect; }
  void send(QZFFormEventType type) { static_cast<void>(onEvent({type})); }
  CQZFGraphics* getGraphics() const { return graphics_; }
  CQZFFontManager* getFontManager() const { return fonts_; }

 private:
  int16_t fail(int line, int16_t code);
  // Reads the description and builds its gadgets; 0 or -5.
  int16_t build(CQZFApplication& app);
  void takeHeader(const QZFFormDescription& description);
  // Writes or reads the custom state, or serialise without one.
  int16_t transferOwnState(SerialiseStream& stream, CQZFRsrcDatabase* database, bool saving);
  bool hasFrame() const { return frame_[kQZFFrameTopLeft] != QZ_NO_ID; }
  int blobWidth(uint16_t id) const;
  int blobHeight(uint16_t id) const;
  int screenWidth() const;
  int screenHeight() const;
  // The drawing level of a field's level under the form's fade.
  int faded(uint8_t level) const;
  void drawFramePieces(int level);
  void drawTitle();
  // The bottom of the gadgets' box; 0 without gadgets.
  int16_t gadgetsBottom() const;
  // The gadgets laid out again, and the height refitted on a fit-to-gadgets form.
  void relayout();
  QZRect toScreen(const QZRect& rect) const;
  // Makes the menu handler for the form's menu id and opens the menu (shown
  // when `open`); a handler that could not be made leaves the form without menus.
  void makeMenus(bool open);
  // The menus are drawn while the form is active or one of them is open.
  bool menusVisible() const;
  // Menus that stopped being drawn leave their area to what lies under them:
  // it is marked for redrawing (and so is the area of menus that appeared).
  void followMenuVisibility();
  void drawBody();

  uint16_t formId_ = QZ_NO_ID;
  bool closed_ = false;
  uint8_t obscureCount_ = 1;
  uint32_t openParam_ = 0;
  uint16_t frame_[8] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};
  uint8_t frameLevel_ = 255;
  uint16_t titleBar_[3] = {QZ_NO_ID, QZ_NO_ID, QZ_NO_ID};
  uint8_t titleBarLevel_ = 255;
  uint16_t titleFont_ = QZ_NO_ID;
  uint8_t titleTextLevel_ = 255;
  uint16_t backgroundColour_ = 0;
  uint8_t backgroundLevel_ = 255;
  std::optional<std::u16string> title_;
  bool dragOutline_ = true;
  bool dragging_ = false;
  int16_t lastPenX_ = 0;
  int16_t lastPenY_ = 0;
  uint16_t menuId_ = QZ_NO_ID;
  bool anyLanguage_ = false;
  bool fitToGadgets_ = false;
  uint8_t fadeLevel_ = 255;
  bool wholeScreenBackground_ = false;
  CQZFApplication* app_ = nullptr;
  CQZFGraphics* graphics_ = nullptr;
  CQZFFontManager* fonts_ = nullptr;
  QZRect formRect_{};
  QZRect titleRect_{};
  QZRect clientRect_{};
  QZRect gadgetRect_{};
  std::unique_ptr<CQZFGadgetHandler> gadgets_;
  std::unique_ptr<CQZFMenuHandler> menus_;
  // The menu id the handler was made for: a menu that fails to open is not tried again every frame.
  uint16_t menusMadeFor_ = QZ_NO_ID;
  // Whether the menus were to be drawn at the last update.
  bool menusShown_ = false;
};
