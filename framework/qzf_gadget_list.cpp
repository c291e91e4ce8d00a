#include "qzf_gadget_list.h"

#include <algorithm>
#include <new>

#include "qzf_application.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_list";
// A pen type no list takes.
constexpr int kRefusedPenType = 32;
}  // namespace

// The rows' form: made ready without a description; its gadget area is
// wherever the list puts it.
class CQZFGadgetList::RowForm : public CQZFForm {
 public:
  [[nodiscard]] int16_t start() { return prepareOpen(QZ_NO_ID, 0); }
  void place(const QZRect& area) { setGadgetRect(area); }
};

CQZFGadgetList::CQZFGadgetList() {
  setName("gdtLst");
  setTakesFocus(true);
}

CQZFGadgetList::~CQZFGadgetList() = default;

int16_t CQZFGadgetList::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFListPart>(d, kSource, &status);
  if (!part) return status;
  if (!rowForm_) {
    rowForm_.reset(new (std::nothrow) RowForm());
    if (!rowForm_) return report(kSource, 85, QZ_ERR_NO_MEMORY);
    rowForm_->setOwner(this);
  }
  if (const int16_t r = rowForm_->start(); r < 0) return r;
  rows_.clear();
  flags_ = part->flags;
  minimumRowHeight_ = part->minimumRowHeight;
  frame_ = part->frame;
  background_ = part->background;
  selection_ = part->selection;
  bar_.setLook(part->scrollBar);
  if (padding_ == 0) padding_ = 2;
  rect_.w = part->width;
  rect_.h = part->height;
  rowHeight_ = std::max<int>(1, rect_.h);
  rowsY_ = 1;
  layout();
  return 0;
}

int CQZFGadgetList::getRowCount() const {
  return rowForm_ && rowForm_->getGadgetHandler() ? rowForm_->getGadgetHandler()->getCount() : 0;
}

CQZFGadget* CQZFGadgetList::getRow(int index) const {
  return rowForm_ && rowForm_->getGadgetHandler() ? rowForm_->getGadgetHandler()->at(index) : nullptr;
}

void CQZFGadgetList::layout() {
  CQZFGadget::layout();
  placeBox(rect_.w, rect_.h);
  QZRect extent{0, 0, 0, rect_.h};
  if (rowForm_ && rowForm_->getGadgetHandler()) rowForm_->getGadgetHandler()->getExtent(extent);
  // A row height or a page of no rows would leave nothing to scroll by.
  rowHeight_ = std::max<int>({1, extent.h, minimumRowHeight_});
  rowsPerPage_ = std::max(1, rect_.h / rowHeight_);
  rowsX_ = padding_;
  rowsWidth_ = rect_.w - 2 * padding_;
  if (hasBar() && getGraphics()) {
    bar_.measure(*getGraphics(), rect_.w, rect_.h);
    rowsWidth_ -= bar_.barWidth();
  }
  if (rowForm_) rowForm_->place({0, 0, static_cast<int16_t>(rowsWidth_), rect_.h});
  rows_.keepCurrentVisible(rowsPerPage_);
  invalidate();
}

void CQZFGadgetList::placeOnBand(const CQZFGadget& row, int index, int left, int top) {
  const int centring = (rowHeight_ - row.getRect().h) / 2;
  const int y = top + rowsY_ + index * rowHeight_ + centring;
  rowForm_->place({static_cast<int16_t>(left + rowsX_), static_cast<int16_t>(y), static_cast<int16_t>(rowsWidth_),
                   static_cast<int16_t>(rowHeight_ - 2 * centring)});
}

void CQZFGadgetList::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  if (!g || !g->isRectangleDirty(rect)) return;
  QZFDrawFramedBox(*g, rect, background_, frame_);
  const auto band = [&](int row) {
    return QZRect{static_cast<int16_t>(rect.x + rowsX_),
                  static_cast<int16_t>(rect.y + rowsY_ + (row - rows_.first) * rowHeight_),
                  static_cast<int16_t>(rowsWidth_), static_cast<int16_t>(rowHeight_)};
  };
  if (rows_.selected >= 0 && rows_.isVisible(rows_.selected, rowsPerPage_)) {
    g->fillRectangle(band(rows_.selected), 0, selection_.level, selection_.colour);
  }
  if (hasFocus() && rows_.current >= 0) {
    if (!rows_.isVisible(rows_.current, rowsPerPage_)) {
      layout();
      return;
    }
    g->fillRectangle(band(rows_.current), 0, focusLevel_, focusColour_);
  }
  const int count = getRowCount();
  if (hasBar()) bar_.draw(*g, rect, rows_.first, count, rowsPerPage_);
  for (int i = 0; i < rowsPerPage_ && rows_.first + i < count; ++i) {
    CQZFGadget* row = getRow(rows_.first + i);
    placeOnBand(*row, i, rect.x, rect.y);
    row->drawAt(level);
  }
}

void CQZFGadgetList::update() {
  const QZRect r = screenRect();
  const int count = getRowCount();
  for (int i = 0; i < rowsPerPage_ && rows_.first + i < count; ++i) {
    CQZFGadget* row = getRow(rows_.first + i);
    placeOnBand(*row, i, r.x, r.y);
    row->update();
  }
}

int16_t CQZFGadgetList::addItem(uint16_t rowId, uint8_t alignment, uint16_t font, const char16_t* text) {
  CQZFApplication* app = findOwner<CQZFApplication>();
  if (!app || !rowForm_) return report(kSource, 200, QZ_ERR_BAD_STATE);
  std::unique_ptr<CQZFGadget> row = app->createObject<CQZFGadget>(QZFGadgetTag(kQZFGadgetLabel));
  if (!row) return report(kSource, 203, QZ_ERR_NO_MEMORY);
  QZFGadgetDescription d;
  d.id = rowId;
  d.kind = kQZFGadgetLabel;
  d.x.position = static_cast<int16_t>(alignment == 1 ? rowsWidth_ / 2 : alignment == 2 ? rowsWidth_ : 0);
  d.boxAlignment = alignment <= 2 ? alignment : 0;
  d.padding = padding_;
  d.focusColour = focusColour_;
  d.focusLevel = focusLevel_;
  d.part = QZFLabelPart{text ? text : u"", static_cast<int16_t>(rowsWidth_), -1, font};
  CQZFGadget* added = row.get();
  if (const int16_t r = rowForm_->getGadgetHandler()->addGadget(d, std::move(row)); r < 0) return r;
  added->setHasFocus(false);
  added->invalidate();
  if (rows_.current < 0) rows_.current = 0;
  layout();
  return 0;
}

void CQZFGadgetList::clear() {
  if (rowForm_ && rowForm_->getGadgetHandler()) rowForm_->getGadgetHandler()->clear();
  rows_.clear();
  layout();
}

void CQZFGadgetList::selectItem(int index) {
  rows_.selected = index >= 0 && index < getRowCount() ? index : -1;
  layout();
}

void CQZFGadgetList::choose() {
  rows_.selected = rows_.current;
  layout();
  // The event goes last: the form may rebuild its gadgets in answer.
  CQZFGadget* row = getRow(rows_.current);
  sendEvent({.type = kQZFEventList,
             .rowIndex = static_cast<uint16_t>(rows_.current),
             .rowId = row ? static_cast<uint16_t>(row->getId()) : QZ_NO_ID,
             .row = row ? row->getGadget() : nullptr});
}

Handled CQZFGadgetList::onKey(const QZFKeyEvent& key) {
  const int count = getRowCount();
  if (key.keyDown && (key.code == kQZFKeyUp || key.code == kQZFKeyDown)) {
    const int next = rows_.current + (key.code == kQZFKeyUp ? -1 : 1);
    if (rows_.current < 0 || next < 0 || next >= count) return Handled::kPassOn;
    rows_.current = next;
    layout();
    return Handled::kDone;
  }
  if (rows_.current < 0) return Handled::kPassOn;
  CQZFGadget* row = getRow(rows_.current);
  if (!row) return Handled::kDone;
  const QZRect r = screenRect();
  placeOnBand(*row, rows_.current - rows_.first, r.x, r.y);
  const Handled answer = row->onKey(key);
  if (!key.keyDown || key.code != kQZFKeyReturn) return answer;
  choose();
  return Handled::kDone;
}

void CQZFGadgetList::scroll(QZFScrollRequest request, int first) {
  const int count = getRowCount();
  if (request == QZFScrollRequest::kLineUp && rows_.first > 0) --rows_.first;
  if (request == QZFScrollRequest::kLineDown && rows_.first + rowsPerPage_ < count) ++rows_.first;
  if (request == QZFScrollRequest::kSetFirst) rows_.first = first;
  if (request != QZFScrollRequest::kNone) rows_.pullCurrentIntoPage(rowsPerPage_, count);
}

Handled CQZFGadgetList::onPen(const QZFPenEvent& pen) {
  if (static_cast<int>(pen.type) == kRefusedPenType) return Handled::kPassOn;
  if (!insideInclusive(pen.x, pen.y)) {
    if (bar_.release()) invalidate();
    return Handled::kPassOn;
  }
  const int count = getRowCount();
  const int x = pen.x - rect_.x, y = pen.y - rect_.y;
  if (hasBar() && (x >= bar_.barX() || bar_.isHeld())) {
    int first = rows_.first;
    const QZFScrollRequest request = bar_.onPen(pen.type, x, y, count, rowsPerPage_, &first);
    scroll(request, first);
    layout();
    return Handled::kDone;
  }
  rows_.current = std::min(rows_.first + (y - rowsY_) / rowHeight_, count - 1);
  bool taken = false;
  const QZRect r = screenRect();
  // The pen in the row form's coordinates: from the form's gadget area to the band.
  const int dx = r.x - rect_.x, dy = r.y - rect_.y;
  for (int i = 0; i < rowsPerPage_ && rows_.first + i < count; ++i) {
    CQZFGadget* row = getRow(rows_.first + i);
    placeOnBand(*row, i, r.x, r.y);
    const QZRect area = rowForm_->getGadgetRect();
    taken |= row->onPen(pen.relativeTo(area.x - dx, area.y - dy)) == Handled::kDone;
  }
  invalidate();
  if (pen.type == QZFPenType::kUp && rows_.current >= 0 && !taken) choose();
  return Handled::kDone;
}
