// The new-game form: the twelve games as a grid of their dial pictures, four
// to a row. Choosing a game marks it and names it; choosing it again (or OK)
// makes it the current game and starts it, keeping the game in play as the
// old game's saved game.
#pragma once

#include <array>
#include <cstdint>

#include "qz_rect.h"
#include "qzf_form.h"

class CAppApplication;
struct CAppSettings;

// The name string of a game type, 0 for a type outside 1-12.
uint16_t AppGameNameString(int32_t type);
// What the game-choice forms work with: the application (with its form
// handler) and the current profile's settings; false when one is missing.
bool AppBindChoiceForm(CQZFObject& form, CAppApplication*& app, CAppSettings*& settings);

// Where the grid's cells lie and how the keypad cursor walks them.
class CAppNewGameGrid {
 public:
  static constexpr int kCells = 12;
  static constexpr int kColumns = 4;
  static constexpr int kRows = kCells / kColumns;
  // What a direction key does to the cursor: the cell it reaches, or
  // kLeave when it leaves the grid (up from the top row, down from the
  // bottom one); kIgnored for any other key.
  static constexpr int kLeave = -1;
  static constexpr int kIgnored = -2;

  // Icons of iconWidth x iconHeight, the grid centred in width: columns e,
  // e + (w + 10), ... with e = width / 2 - 2w - 15; rows 5, w + 15, 2w + 25.
  void layout(int iconWidth, int iconHeight, int width);
  // Cell i's frame (icon plus 2 on every side) with the grid's top at gridY.
  QZRect cellRect(int i, int gridY) const;
  // The cell strictly inside whose frame the point lies, else -1.
  int hitTest(int x, int y, int gridY) const;
  static int step(int cursor, int keyCode);
  int iconWidth() const { return iconWidth_; }
  int iconHeight() const { return iconHeight_; }

 private:
  std::array<int16_t, kCells> x_{};
  std::array<int16_t, kCells> y_{};
  int iconWidth_ = 0;
  int iconHeight_ = 0;
};

class CAppNewGameForm : public CQZFForm {
 public:
  static constexpr uint16_t kGrid = 11;
  static constexpr uint16_t kName = 20;
  static constexpr uint16_t kOk = 1;
  static constexpr uint16_t kCancel = 2;
  // The blob set of the games' pictures (the title dial's).
  static constexpr int kPictureSet = 13;

  CAppNewGameForm();
  ~CAppNewGameForm() override;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  Handled onKeyEvent(const QZFKeyEvent& key) override;
  Handled onPenEvent(const QZFPenEvent& pen) override;
  Handled drawForeground() override;

  // Marks cell i; the marked one again confirms and closes.
  void choose(int i);
  // The marked game becomes the current game and is started (see the .cpp).
  void confirm();
  // The cursor to cell i, shown.
  void moveCursor(int i);
  int hitTest(int x, int y) const;
  void drawGrid();

  int getChosen() const { return chosen_; }
  int getCursor() const { return cursor_; }
  bool isCursorShown() const { return cursorShown_; }
  const CAppNewGameGrid& grid() const { return grid_; }

 protected:
  // The application, its form handler and the profile's settings; -50 without them.
  [[nodiscard]] int16_t bindProfile();

 private:
  void fill();
  int gridTop() const;
  void invalidateCell(int i);
  void showCursor(bool shown);
  void closeForm();
  bool focusOnGrid() const;
  Handled onDirection(int keyCode);

  CAppApplication* app_ = nullptr;
  CAppSettings* settings_ = nullptr;
  CAppNewGameGrid grid_;
  int chosen_ = 0;
  int cursor_ = 0;
  bool cursorShown_ = false;
  bool penPressed_ = false;
  bool picturesLoaded_ = false;
  uint32_t openingType_ = 1;
};
