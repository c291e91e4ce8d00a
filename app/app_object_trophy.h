// One trophy of the cabinet: its slot on a shelf, its small and large
// pictures and its text. The cabinet's geometry (shelves bent into arcs, the
// panel that shows one trophy large) and its cursor rules are plain
// functions of the layout values, so they are told once here.
#pragma once

#include <cstdint>
#include <span>

#include "qz_rect.h"
#include "qzf_events.h"
#include "qzf_object.h"

class CAppApplication;
class CAppTrophyForm;
class CAppUserForm;
class CQZFFormHandler;
class CQZFGraphics;

namespace AppTrophyCabinet {

constexpr int kTrophies = 52;
constexpr int kPerShelf = 13;
constexpr int kShelves = 4;
// Trophies from this index on have a name of their own, and a text that
// tells whether the player holds them.
constexpr int kFirstNamed = 39;
// Trophies above this one show their panel in the upper half.
constexpr int kLastLowerPanel = 25;
// Gadgets of the cabinet's description.
constexpr uint16_t kClose = 1;
constexpr uint16_t kShelf = 11;
constexpr uint16_t kUpperText = 22;
constexpr uint16_t kLowerText = 23;
constexpr uint16_t kNameText = 24;
constexpr uint16_t kNoText = 0;

// Pictures and texts by trophy index.
constexpr uint16_t largeImage(int a) { return static_cast<uint16_t>(925 + a); }
constexpr uint16_t smallImage(int a) { return static_cast<uint16_t>(1029 + a); }
constexpr uint16_t textString(int a) { return static_cast<uint16_t>(a >= kFirstNamed ? 1406 + a : 1393 + a); }
// The blob sets of a trophy's group (0-12, 13-25, 26-38, 39-51).
constexpr int largeSet(int a) { return 81 + a / kPerShelf; }
constexpr int smallSet(int a) { return 86 + a / kPerShelf; }

// The top-left corner of trophy a's slot, in the form's gadget coordinates.
struct Slot {
  int16_t x;
  int16_t y;
};
Slot slotOf(std::span<const int16_t> values, int a);
// Strictly inside the slot: one pitch wide and one slot high.
bool hits(std::span<const int16_t> values, const Slot& slot, int x, int y);
// The panel that shows trophy a large.
QZRect panelOf(std::span<const int16_t> values, int a);

// The texts that trophy a shows: one label gets a string; the named trophies
// also put their name in the name box.
struct Texts {
  uint16_t label = kNoText;
  uint16_t labelString = 0;
  uint16_t nameString = 0;  // 0: no name box
};
Texts textsOf(int a, bool held);

// Where the keys are: the focused gadget (shelves or close button), the
// selected trophy and whether its panel shows.
struct Cursor {
  uint16_t focus = kShelf;
  uint8_t index = 0;
  bool shown = false;
};
// Moves the cursor by an arrow key; false when the key changes nothing.
bool move(Cursor& cursor, int32_t key);
// A pen event over trophy `hit` (-1: none) while `pressed` tells whether the
// stroke began on the cabinet: a press or a drag shows the trophy under the
// pen, a drag off the trophies hides the panel, lifting the pen always does.
// False when the event is none of the cabinet's.
bool pen(Cursor& cursor, bool& pressed, QZFPenType type, int hit);

}  // namespace AppTrophyCabinet

class CAppTrophy : public CQZFObject {
 public:
  explicit CAppTrophy(CAppTrophyForm* form);

  // Keeps the links, the index and the slot; -50 without the application.
  [[nodiscard]] int16_t init(uint8_t index, int16_t x, int16_t y);
  // Marks for drawing all that the trophy shows when selected: its slot with
  // the selection frame, and its panel with the name box above it.
  void invalidate() const;
  // The small picture when the slot is dirty: solid when held, else faint over an empty slot.
  void draw() const;
  // draw(), the selection frame, the panel with the large picture and the texts.
  void drawSelected() const;
  // The texts cleared and invalidate().
  void deselect() const;
  bool hitTest(int x, int y) const;

  uint8_t getIndex() const { return index_; }
  bool isHeld() const;
  AppTrophyCabinet::Slot getSlot() const { return {x_, y_}; }

 private:
  [[nodiscard]] std::span<const int16_t> values() const;
  QZRect slotRect() const;
  void drawNameBox(uint16_t colour, uint16_t frame) const;

  CAppTrophyForm* form_;
  CAppApplication* app_ = nullptr;
  CQZFGraphics* graphics_ = nullptr;
  CAppUserForm* profile_ = nullptr;
  CQZFFormHandler* formHandler_ = nullptr;
  uint8_t index_ = 0;
  int16_t x_ = 0;
  int16_t y_ = 0;
};
