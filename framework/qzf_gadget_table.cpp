#include "qzf_gadget_table.h"

#include <algorithm>

#include "app_serialise_stream.h"
#include "qzf_font_manager.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_table";
}

CQZFGadgetTable::CQZFGadgetTable() {
  setName("gdtTable");
  setTakesFocus(true);
}

int16_t CQZFGadgetTable::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFTablePart>(d, kSource, &status);
  if (!part) return status;
  rows_.clear();
  cursor_.clear();
  if (padding_ == 0) padding_ = 2;
  rect_.w = part->width;
  rect_.h = part->height;
  frame_ = part->frame;
  background_ = part->background;
  selection_ = part->selection;
  bar_.setLook(part->scrollBar);
  flags_ = part->flags;
  // A page of no rows would have no row height.
  rowsPerPage_ = std::max<int>(1, part->rowsPerPage);
  rowHeight_ = rect_.h / rowsPerPage_;
  font_ = part->font;
  columns_.clear();
  for (const QZFColumnDescription& c : part->columns) {
    columns_.push_back({c.flags, c.widthPercent, 0, 0, c.alignment});
  }
  layout();
  return 0;
}

void CQZFGadgetTable::layout() {
  CQZFGadget::layout();
  placeBox(rect_.w, rect_.h);
  barShown_ = (flags_ & kScrollBarFlag) && rowsPerPage_ < getRowCount() && getGraphics();
  rowsWidth_ = rect_.w - 2 * kInset;
  if (barShown_) {
    bar_.measure(*getGraphics(), rect_.w, rect_.h);
    rowsWidth_ -= bar_.barWidth();
  }
  int x = kInset;
  for (Column& c : columns_) {
    c.x = static_cast<int16_t>(x);
    c.width = static_cast<int16_t>(rowsWidth_ * c.share / 100);
    x += c.width;
  }
  cursor_.keepCurrentVisible(rowsPerPage_);
  invalidate();
}

void CQZFGadgetTable::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  if (!g || !g->isRectangleDirty(rect)) return;
  QZFDrawFramedBox(*g, rect, background_, frame_);
  const auto band = [&](int row) {
    return QZRect{static_cast<int16_t>(rect.x + kInset),
                  static_cast<int16_t>(rect.y + kInset + (row - cursor_.first) * rowHeight_),
                  static_cast<int16_t>(rowsWidth_), static_cast<int16_t>(rowHeight_ - 2 * kInset)};
  };
  if (cursor_.selected >= 0 && cursor_.isVisible(cursor_.selected, rowsPerPage_)) {
    g->fillRectangle(band(cursor_.selected), 0, selection_.level, selection_.colour);
  }
  if (hasFocus() && cursor_.current >= 0) {
    if (!cursor_.isVisible(cursor_.current, rowsPerPage_)) {
      layout();
      return;
    }
    g->fillRectangle(band(cursor_.current), 0, focusLevel_, focusColour_);
  }
  if (barShown_) bar_.draw(*g, rect, cursor_.first, getRowCount(), rowsPerPage_);
  for (int i = 0; i < rowsPerPage_ && cursor_.first + i < getRowCount(); ++i) {
    drawRow(rows_[static_cast<size_t>(cursor_.first + i)], rect.x, rect.y + kInset + i * rowHeight_);
  }
}

void CQZFGadgetTable::drawRow(const std::vector<Cell>& row, int x, int top) {
  CQZFGraphics* g = getGraphics();
  CQZFFontManager* fonts = getFontManager();
  const int bandHeight = rowHeight_ - 2 * kInset;
  // Cells are drawn whole whatever the form's fading.
  constexpr int kCellLevel = 255;
  for (size_t c = 0; c < columns_.size() && c < row.size(); ++c) {
    const Column& column = columns_[c];
    const Cell& cell = row[c];
    if (column.flags & kImageColumn) {
      if (!hasBlob(cell.image)) continue;
      const int room = column.width - blobWidth(cell.image);
      const int dx = column.alignment == 2 ? room : column.alignment == 1 ? room / 2 : 0;
      g->drawBlob(cell.image, x + column.x + dx, top + (bandHeight - blobHeight(cell.image)) / 2, 0, kCellLevel);
    } else if (cell.text && fonts) {
      const int y = top + (bandHeight - fonts->lineHeight(font_)) / 2;
      fonts->drawText(cell.text->c_str(), x + column.x, y, column.width, static_cast<int>(column.alignment), font_,
                      kCellLevel);
    }
  }
}

void CQZFGadgetTable::choose() {
  cursor_.selected = cursor_.current;
  layout();
  // The event goes last: the form may rebuild its gadgets in answer.
  sendEvent({.type = kQZFEventTable, .rowIndex = static_cast<uint16_t>(cursor_.selected)});
}

Handled CQZFGadgetTable::onKey(const QZFKeyEvent& key) {
  if (!key.keyDown || cursor_.current < 0) return Handled::kPassOn;
  if (key.code == kQZFKeyUp || key.code == kQZFKeyDown) {
    const int next = cursor_.current + (key.code == kQZFKeyUp ? -1 : 1);
    if (next < 0 || next >= getRowCount()) return Handled::kPassOn;
    cursor_.current = next;
    layout();
    return Handled::kDone;
  }
  if (key.code != kQZFKeyReturn) return Handled::kPassOn;
  choose();
  return Handled::kDone;
}

Handled CQZFGadgetTable::onPen(const QZFPenEvent& pen) {
  if (!insideInclusive(pen.x, pen.y)) {
    if (bar_.release()) invalidate();
    return Handled::kPassOn;
  }
  const int x = pen.x - rect_.x, y = pen.y - rect_.y;
  const int count = getRowCount();
  if (barShown_ && (x >= bar_.barX() || bar_.isHeld())) {
    int first = cursor_.first;
    const QZFScrollRequest request = bar_.onPen(pen.type, x, y, count, rowsPerPage_, &first);
    if (request == QZFScrollRequest::kLineUp && cursor_.first > 0) --cursor_.first;
    if (request == QZFScrollRequest::kLineDown && cursor_.first + rowsPerPage_ < count) ++cursor_.first;
    if (request == QZFScrollRequest::kSetFirst) cursor_.first = first;
    if (request != QZFScrollRequest::kNone) cursor_.pullCurrentIntoPage(rowsPerPage_, count);
    layout();
    return Handled::kDone;
  }
  if (count > 0) cursor_.current = std::min(cursor_.first + (y - kInset) / std::max(1, rowHeight_), count - 1);
  invalidate();
  if (pen.type == QZFPenType::kUp && count > 0) choose();
  return Handled::kDone;
}

// --- Rows ---------------------------------------------------------------------

int16_t CQZFGadgetTable::addRow() {
  if (rows_.size() >= 0x7FFF) return report(kSource, 200, QZ_ERR_NO_MEMORY);
  rows_.emplace_back(columns_.size());
  if (cursor_.current < 0) cursor_.current = 0;
  layout();
  return static_cast<int16_t>(rows_.size() - 1);
}

void CQZFGadgetTable::selectRow(int index) {
  cursor_.selected = index >= 0 && index < getRowCount() ? index : -1;
  layout();
}

CQZFGadgetTable::Cell* CQZFGadgetTable::cell(int column, int row) {
  if (column < 0 || row < 0 || column >= static_cast<int>(columns_.size()) || row >= getRowCount()) return nullptr;
  return &rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

const CQZFGadgetTable::Cell* CQZFGadgetTable::cell(int column, int row) const {
  return const_cast<CQZFGadgetTable*>(this)->cell(column, row);
}

void CQZFGadgetTable::setCellText(int column, int row, const char16_t* text, int32_t value) {
  Cell* c = cell(column, row);
  if (!c || isImageColumn(column)) return;
  c->text = QZFTextOf(text);
  c->value = value;
  invalidate();
}

void CQZFGadgetTable::setCell(int column, int row, uint16_t id, int32_t value) {
  Cell* c = cell(column, row);
  if (!c) return;
  if (isImageColumn(column)) {
    c->image = id;
    c->value = value;
    invalidate();
  } else {
    const std::u16string text = stringText(id);
    setCellText(column, row, text.empty() ? nullptr : text.c_str(), value);
  }
}

void CQZFGadgetTable::replaceInCellText(int column, int row, const char16_t* token, const char16_t* value) {
  Cell* c = cell(column, row);
  if (!c || isImageColumn(column) || !c->text) return;
  QZFReplaceFirst(*c->text, token, value);
  invalidate();
}

uint16_t CQZFGadgetTable::getCellImage(int column, int row) const {
  const Cell* c = cell(column, row);
  return c && isImageColumn(column) ? c->image : 0;
}

const char16_t* CQZFGadgetTable::getCellText(int column, int row) const {
  const Cell* c = cell(column, row);
  return c && !isImageColumn(column) && c->text ? c->text->c_str() : nullptr;
}

int32_t CQZFGadgetTable::getCellValue(int column, int row) const {
  const Cell* c = cell(column, row);
  return c ? c->value : 0;
}

void CQZFGadgetTable::clearRows() {
  rows_.clear();
  cursor_.clear();
  layout();
}

// --- Saved state --------------------------------------------------------------

namespace {

// Moves one cell in the stream's direction.
int16_t transferCell(SerialiseStream& stream, CQZFGadgetTable::Cell& c) {
  uint16_t image = c.image;
  uint32_t value = static_cast<uint32_t>(c.value);
  int16_t status = serialiseU16(stream, &image, 1);
  if (status == 0) status = serialiseU32(stream, &value, 1);
  if (status == 0) status = QZFSerialiseText(stream, c.text);
  c.image = image;
  c.value = static_cast<int32_t>(value);
  return status;
}

}  // namespace

int16_t CQZFGadgetTable::readRows(SerialiseStream& stream, uint16_t count) {
  rows_.clear();
  for (uint16_t r = 0; r < count; ++r) {
    std::vector<Cell> row(columns_.size());
    for (Cell& c : row) {
      // A cell that fails drops its row.
      if (const int16_t status = transferCell(stream, c); status < 0) return status;
    }
    rows_.push_back(std::move(row));
  }
  return 0;
}

int16_t CQZFGadgetTable::serialise(SerialiseStream& stream) {
  uint16_t indices[3] = {static_cast<uint16_t>(cursor_.first), static_cast<uint16_t>(cursor_.current),
                         static_cast<uint16_t>(cursor_.selected)};
  uint16_t count = static_cast<uint16_t>(rows_.size());
  if (const int16_t r = serialiseU16(stream, indices, 3); r < 0) return report(kSource, 300, r);
  if (const int16_t r = serialiseU16(stream, &count, 1); r < 0) return report(kSource, 301, r);
  if (QZFIsReading(stream)) {
    const int16_t r = readRows(stream, count);
    // The indices read are held to the rows there are.
    const int last = getRowCount() - 1;
    cursor_.first = std::clamp<int>(static_cast<int16_t>(indices[0]), 0, std::max(0, last));
    cursor_.current = std::clamp<int>(static_cast<int16_t>(indices[1]), -1, last);
    cursor_.selected = std::clamp<int>(static_cast<int16_t>(indices[2]), -1, last);
    layout();
    return r < 0 ? report(kSource, 310, r) : 0;
  }
  for (auto& row : rows_) {
    for (Cell& c : row) {
      if (const int16_t status = transferCell(stream, c); status < 0) return report(kSource, 320, status);
    }
  }
  return 0;
}
