// The base of the three menu kinds a form shows: the quick menu (the soft
// keys), the menu bar and the popup menu. A menu is loaded from its decoded
// description, sits in a rectangle of the screen, fades in and out by a level
// (0 fully shown, 255 invisible), takes keys and the pen from its menu
// handler and tells the form when one of its items is chosen.
#pragma once

#include <cstdint>

#include "qz_rect.h"
#include "qz_types.h"
#include "qzf_events.h"
#include "qzf_object.h"

class CQZFFontManager;
class CQZFGraphics;
class CQZFMenuHandler;
class CQZFMetrics;
class CQZFResourceManager;
struct QZFMenuDescription;

// What a form's onMenuEvent gets: a menu was opened or shown (kind 0, no
// item), or an item was chosen (kind 1).
enum QZFMenuEventKind : int32_t {
  kQZFMenuOpened = 0,
  kQZFMenuItemChosen = 1,
};

struct QZFMenuEvent {
  uint16_t menuId = QZ_NO_ID;
  int32_t kind = kQZFMenuOpened;
  uint16_t itemId = QZ_NO_ID;
};

// What a menu answers to the pen: it took the pen, the pen is outside it
// (the handler closes it), or the pen passes through it to the form.
enum class QZFMenuPen : int16_t { kThrough = 0, kTaken = 1, kOutside = 2 };

class CQZFMenu : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindMenu;
  static constexpr int16_t kInvisible = 255;
  // A fading menu moves this many levels per hundredth of a second.
  static constexpr int kFadeSpeed = 20;

  explicit CQZFMenu(CQZFObject* owner);
  ~CQZFMenu() override;

  // Loads the menu with its anchor point and placement flags; 0 or a
  // negative status. The base stores the id and takes the application's
  // objects: -50 without an application.
  [[nodiscard]] virtual int16_t loadAt(uint16_t id, const QZFMenuDescription& description, int x, int y, uint8_t flags);
  // Loads the menu where its description places it.
  [[nodiscard]] virtual int16_t load(uint16_t id, const QZFMenuDescription& description) = 0;
  // The high byte of the flags of every item with the id (disabled, hidden,
  // marked) becomes that of `flags`.
  virtual void setItemFlags(uint16_t itemId, uint16_t flags) {}
  // Shows or hides the menu: at once without fading, else by the fade steps.
  virtual void show(bool shown);
  // The description's kind code (QZFMenuKindCode).
  virtual uint8_t getMenuKind() const = 0;
  // A key (keyDown) or a character; kDone when the menu took it.
  virtual Handled onKey(const QZFKeyEvent& key) = 0;
  virtual QZFMenuPen onPen(const QZFPenEvent& pen) = 0;
  // Runs at the end of every fade step.
  virtual void onFadeStep() {}
  // Draws what is dirty.
  virtual void draw() = 0;

  // One fade step: the level moves toward 0 (shown) or 255 (hidden).
  void update();
  void invalidate() const;
  bool isDirty() const;

  uint16_t getId() const { return id_; }
  const QZRect& getRect() const { return rect_; }
  bool isShown() const { return shown_; }
  bool isFinished() const { return finished_; }
  // The handler removes a finished menu at its next update.
  void finish() { finished_ = true; }
  bool isFading() const { return fading_; }
  int16_t getLevel() const { return level_; }
  void setFading(bool on) { fading_ = on; }
  void setLevel(int16_t level) { level_ = level; }

 protected:
  CQZFMenuHandler* handler() const;
  // Tells the form the item was chosen.
  void sendChosen(uint16_t itemId);
  // A description level as drawn: lowered by the menu's own level.
  int drawLevel(uint8_t level) const { return level - level_; }
  int screenWidth() const;
  int screenHeight() const;
  int blobWidth(uint16_t id) const;
  int blobHeight(uint16_t id) const;

  CQZFGraphics* graphics_ = nullptr;
  CQZFResourceManager* resources_ = nullptr;
  CQZFFontManager* fonts_ = nullptr;
  CQZFMetrics* metrics_ = nullptr;
  QZRect rect_{};
  uint8_t flags_ = 0;
  int16_t anchorX_ = 0;
  int16_t anchorY_ = 0;

 private:
  uint16_t id_ = QZ_NO_ID;
  bool fading_ = false;
  int16_t level_ = kInvisible;
  bool shown_ = false;
  bool finished_ = false;
};
