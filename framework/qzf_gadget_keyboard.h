// An on-screen keyboard: keys of one or more cells on a grid. Choosing a
// key hands its character to the form as a typed character, so that the
// form's text entry takes it; shift (for one key) and caps lock pick the
// keys' second characters.
#pragma once

#include <cstdint>
#include <vector>

#include "qzf_form_description.h"
#include "qzf_gadget.h"

class CQZFGadgetKeyboard : public CQZFGadget {
 public:
  static constexpr int kShiftCode = 16;
  static constexpr int kCapsLockCode = 20;

  CQZFGadgetKeyboard();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  void setValue(int32_t) override {}
  void setText(const char16_t*) override {}
  void replaceInText(const char16_t*, const char16_t*) override {}
  CQZFGadget* getGadget() override { return this; }

  int getColumn() const { return column_; }
  int getRow() const { return row_; }
  bool isShifted() const { return shift_; }
  bool isCapsLocked() const { return capsLock_; }
  // The index of the key on the cell; -1 for none.
  int keyAt(int column, int row) const;
  // Hands the character of the key on the cell to the form.
  void press(int column, int row);

 private:
  enum State { kNormal = 0, kFocused = 1, kPressed = 2 };

  char16_t characterOf(const QZFKeyDescription& key) const;
  // The key's rectangle for its state (the cells it spans without an image).
  QZRect keyRect(int index, State state, int x, int y) const;
  // Moves along a row or column to the next cell of another key.
  Handled moveCurrent(int dColumn, int dRow);

  int columns_ = 0, rows_ = 0;
  int cellWidth_ = 1, cellHeight_ = 1;
  uint16_t font_ = QZ_NO_ID;
  bool shift_ = false, capsLock_ = false, penHeld_ = false;
  int column_ = 0, row_ = 0;
  std::vector<int> grid_;  // row by row: key index or -1
  std::vector<QZFKeyDescription> keys_;
  std::vector<QZRect> spans_;  // each key's cells: column, row, columns, rows
};
