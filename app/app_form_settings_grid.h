// What the appearance choosers share: a grid of picture cells (card backs,
// card-front styles, backgrounds, colour themes), some of them on pages,
// with a chosen cell, a cursor the keys move and the pen. A choice is written
// to the player's settings only on OK.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "qz_rect.h"
#include "qzf_form.h"

class CAppApplication;
struct CAppSettings;
class CAppProfile;

namespace AppChooserGrid {

// The cell after `index` in its row of `columns` cells (forward or back,
// round the row), passing over cells `skip` answers true for; the index
// itself when the row has no other cell.
int stepInRow(int index, int columns, bool forward, const std::function<bool(int)>& skip);
// Cell i of a grid that starts at (x0, 0) with `columns` cells a row, each
// w + 10 from the last and rows h + 10 apart.
QZRect cell(int x0, int w, int h, int columns, int i);

}  // namespace AppChooserGrid

class CAppChooserForm : public CQZFForm {
 public:
  static constexpr uint16_t kOk = 1;
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kGrid = 11;
  static constexpr uint16_t kName = 20;
  static constexpr uint16_t kPageSelector = 1391;
  static constexpr uint16_t kPageBack = 1392;
  static constexpr uint16_t kPageForward = 1393;

  // Needs the application, its form handler and the profile (-50 otherwise).
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  // After the click: OK applies and closes, Cancel closes, the others go to onButton.
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // A release inside a cell chooses it (or tells why it cannot be chosen).
  Handled onPenEvent(const QZFPenEvent& pen) override;
  Handled onKeyEvent(const QZFKeyEvent& key) override;
  // The dirty cells: picture, lock, the chosen frame on its page, the cursor.
  Handled drawForeground() override;

  void choose(int i);
  void moveCursor(int i);
  virtual void apply() = 0;

  int getPageShown() const { return pageShown_; }
  int getChosenPage() const { return chosenPage_; }
  int getChosen() const { return chosen_; }
  int getCursor() const { return cursor_; }
  bool isCursorShown() const { return cursorShown_; }

 protected:
  // How a member draws its cells: frames as an inset from the cell's corner
  // and the size they add to the cell.
  struct Look {
    int columns;
    int chosenInset, chosenGrow;
    int cursorInset, cursorGrow;
    int dirtyGrow;
    uint16_t lockImage;  // 0: no lock picture
    int lockLevel;
  };
  virtual const Look& look() const = 0;
  virtual int cellCount() const = 0;
  virtual int cellWidth() const = 0;
  virtual int cellHeight() const = 0;
  virtual int firstX() const = 0;
  virtual bool isLocked(int i) const = 0;
  virtual bool isEmpty(int i) const { return false; }
  virtual void drawPicture(int i, const QZRect& at) = 0;
  // Event 0: the stored choice; negative when a picture set fails.
  [[nodiscard]] virtual int16_t loadChoice() = 0;
  virtual void releasePictures() {}
  // After a choice: the member names it where it has a name label.
  virtual void showChoice() {}
  // The keys each member reads (key-down only); kPassOn for the others.
  virtual Handled onArrow(int32_t code, uint16_t focus) = 0;
  // Buttons other than OK and Cancel, and the other gadgets' events.
  virtual Handled onButton(const CQZFGadgetEvent& event) { return Handled::kPassOn; }

  bool isChoosable(int i) const { return !isEmpty(i) && !isLocked(i); }
  // Chooses the cell, or shows why it cannot be chosen.
  void tryChoose(int i);
  void showLockedMessage();
  // The cell's rectangle (w by h) in gadget coordinates.
  QZRect cellRect(int i) const;
  void invalidateCell(int i);
  void setCursorShown(bool shown);
  void focus(uint16_t id);
  uint16_t focusedId() const;
  void setPage(int page);
  int16_t value(int index) const;
  void invalidateGrid();

  CAppApplication* app_ = nullptr;
  CAppSettings* settings_ = nullptr;
  CAppProfile* profile_ = nullptr;
  int pageShown_ = 0;
  int chosenPage_ = 0;
  int chosen_ = 0;
  int cursor_ = 0;
  bool cursorShown_ = true;
  bool penPressed_ = false;

 private:
  int16_t fail(int line, int16_t code);
  QZRect grown(int i, int inset, int grow) const;
};
