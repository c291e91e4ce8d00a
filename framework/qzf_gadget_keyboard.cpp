#include "qzf_gadget_keyboard.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_form.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_keyboard";
}

CQZFGadgetKeyboard::CQZFGadgetKeyboard() { setName("gdtKybd"); }

int16_t CQZFGadgetKeyboard::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFKeyboardPart>(d, kSource, &status);
  if (!part) return status;
  // Cells without size cannot be found by the pen nor drawn.
  if (part->cellWidth < 1 || part->cellHeight < 1) return report(kSource, 64, QZ_ERR_GENERAL);
  columns_ = part->columns;
  rows_ = part->rows;
  cellWidth_ = part->cellWidth;
  cellHeight_ = part->cellHeight;
  font_ = part->font;
  grid_.assign(static_cast<size_t>(columns_ * rows_), -1);
  keys_.clear();
  spans_.clear();
  for (QZFKeyDescription key : part->keys) {
    // A key placed outside the grid is left out; one spanning past it is cut.
    if (key.column >= columns_ || key.row >= rows_) continue;
    if (key.secondCode == 0) key.secondCode = key.code;
    int spanColumns = 1, spanRows = 1;
    if (hasBlob(key.images[kNormal])) {
      spanColumns = std::max(1, (blobWidth(key.images[kNormal]) + cellWidth_ - 1) / cellWidth_);
      spanRows = std::max(1, (blobHeight(key.images[kNormal]) + cellHeight_ - 1) / cellHeight_);
    }
    spanColumns = std::min(spanColumns, columns_ - key.column);
    spanRows = std::min(spanRows, rows_ - key.row);
    const int index = static_cast<int>(keys_.size());
    keys_.push_back(key);
    spans_.push_back({key.column, key.row, static_cast<int16_t>(spanColumns), static_cast<int16_t>(spanRows)});
    for (int r = key.row; r < key.row + spanRows; ++r) {
      for (int c = key.column; c < key.column + spanColumns; ++c) grid_[static_cast<size_t>(r * columns_ + c)] = index;
    }
  }
  layout();
  return 0;
}

void CQZFGadgetKeyboard::layout() {
  CQZFGadget::layout();
  placeBox(columns_ * cellWidth_ + 2 * padding_, rows_ * cellHeight_ + 2 * padding_);
  invalidate();
}

int CQZFGadgetKeyboard::keyAt(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return -1;
  return grid_[static_cast<size_t>(row * columns_ + column)];
}

char16_t CQZFGadgetKeyboard::characterOf(const QZFKeyDescription& key) const {
  return shift_ != capsLock_ ? key.secondCode : key.code;
}

void CQZFGadgetKeyboard::press(int column, int row) {
  const int index = keyAt(column, row);
  CQZFForm* form = getForm();
  if (index < 0 || !form) return;
  const bool shiftBefore = shift_;
  // The character goes the whole way round the form, and so back to us.
  static_cast<void>(form->onKey(QZFKeyEvent::character(characterOf(keys_[static_cast<size_t>(index)]))));
  if (shift_ == shiftBefore) shift_ = false;
  invalidate();
}

Handled CQZFGadgetKeyboard::moveCurrent(int dColumn, int dRow) {
  const int from = keyAt(column_, row_);
  for (int c = column_ + dColumn, r = row_ + dRow; c >= 0 && r >= 0 && c < columns_ && r < rows_;
       c += dColumn, r += dRow) {
    if (keyAt(c, r) != from) {
      column_ = c;
      row_ = r;
      invalidate();
      return Handled::kDone;
    }
  }
  return Handled::kPassOn;
}

Handled CQZFGadgetKeyboard::onKey(const QZFKeyEvent& key) {
  if (key.code == kShiftCode || key.code == kCapsLockCode) {
    (key.code == kShiftCode ? shift_ : capsLock_) ^= true;
    invalidate();
    return Handled::kPassOn;
  }
  if (!key.keyDown) return Handled::kPassOn;
  switch (key.code) {
    case kQZFKeyLeft: return moveCurrent(-1, 0);
    case kQZFKeyRight: return moveCurrent(1, 0);
    case kQZFKeyUp: return moveCurrent(0, -1);
    case kQZFKeyDown: return moveCurrent(0, 1);
    case kQZFKeyReturn: press(column_, row_); return Handled::kPassOn;
    default: return Handled::kPassOn;
  }
}

Handled CQZFGadgetKeyboard::onPen(const QZFPenEvent& pen) {
  if (!insideInclusive(pen.x, pen.y)) {
    if (penHeld_) {
      penHeld_ = false;
      invalidate();
    }
    return Handled::kPassOn;
  }
  // The padding and the far edges belong to the nearest cells.
  column_ = std::clamp((pen.x - padding_ - rect_.x) / cellWidth_, 0, std::max(0, columns_ - 1));
  row_ = std::clamp((pen.y - padding_ - rect_.y) / cellHeight_, 0, std::max(0, rows_ - 1));
  if (pen.type == QZFPenType::kUp) {
    penHeld_ = false;
    press(column_, row_);
  } else {
    penHeld_ = true;
  }
  invalidate();
  return Handled::kPassOn;
}

QZRect CQZFGadgetKeyboard::keyRect(int index, State state, int x, int y) const {
  const QZRect& span = spans_[static_cast<size_t>(index)];
  const uint16_t image = keys_[static_cast<size_t>(index)].images[state];
  const int left = x + padding_ + span.x * cellWidth_, top = y + padding_ + span.y * cellHeight_;
  if (hasBlob(image)) {
    return {static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(blobWidth(image)),
            static_cast<int16_t>(blobHeight(image))};
  }
  return {static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(span.w * cellWidth_),
          static_cast<int16_t>(span.h * cellHeight_)};
}

void CQZFGadgetKeyboard::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  CQZFFontManager* fonts = getFontManager();
  if (!g || !fonts || keys_.empty() || !g->isRectangleDirty(rect)) return;
  const int current = keyAt(column_, row_);
  for (int i = 0; i < static_cast<int>(keys_.size()); ++i) {
    const QZFKeyDescription& key = keys_[static_cast<size_t>(i)];
    State state = kNormal;
    if (i == current && penHeld_ && key.images[kPressed] != QZ_NO_ID) {
      state = kPressed;
    } else if (i == current && (hasFocus() || penHeld_) && key.images[kFocused] != QZ_NO_ID) {
      state = kFocused;
    }
    const QZRect r = keyRect(i, state, rect.x, rect.y);
    if (!g->isRectangleDirty(r)) continue;
    const int keyLevel = combineLevel(level, key.levels[state]);
    if (hasBlob(key.images[state])) {
      g->drawBlob(key.images[state], r.x, r.y, 0, keyLevel);
    } else if (key.images[state] != QZ_NO_ID) {
      // A key whose image is not there is a frame of its cells.
      g->drawFrameRectangle(r, 1, keyLevel, focusColour_);
    }
    const char16_t c = characterOf(key);
    fonts->drawGlyph(c, r.x + (r.w - fonts->charWidth(c, font_)) / 2, r.y + (r.h - fonts->lineHeight(font_)) / 2, false,
                     font_, keyLevel);
  }
}

void CQZFGadgetKeyboard::drawFocus(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  if (!g || !hasFocus()) return;
  const int current = keyAt(column_, row_);
  if (current >= 0 && keys_[static_cast<size_t>(current)].images[kFocused] != QZ_NO_ID) return;
  const QZRect cell{static_cast<int16_t>(rect.x + padding_ + column_ * cellWidth_),
                    static_cast<int16_t>(rect.y + padding_ + row_ * cellHeight_), static_cast<int16_t>(cellWidth_),
                    static_cast<int16_t>(cellHeight_)};
  if (g->isRectangleDirty(cell)) g->fillRectangle(cell, 0, focusLevel_, focusColour_);
}
