// The interface pictures by group: frames (form, alert, popup and menu bar),
// title bar, buttons and accent buttons, selector arrows, check boxes, round
// buttons, slider, text entry and cursor, submenu arrows and marks, scroll
// arrows, soft keys, keyboard keys, alert signs, the rule and the minimise
// button; and the play screen's pictures (toolbar strip, corner ornament,
// toolbar and its buttons, tutorial arrow, hint marker).
#pragma once

#include <string>

#include "canvas.h"
#include "chrome_paint.h"
#include "chrome_recipe.h"

struct PieceJob {
  const ChromeRecipe& recipe;
  const ChromePiece& piece;
  Palette& palette;
  std::string group() const { return piece.name.substr(0, piece.name.find('.')); }
  std::string part() const { return piece.name.substr(piece.name.find('.') + 1); }
  // The size of a sibling piece of the same group ("group.part"); false when
  // the recipe does not name it.
  bool sibling(const std::string& part, int& width, int& height) const;
};

// Draws the piece into canvas (of the piece's size); false with a reason for
// a group or part that is not known or a group that misses a piece it needs.
bool drawChromePiece(const PieceJob& job, Canvas& canvas, std::string& error);
