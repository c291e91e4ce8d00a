#include "qzf_menu_list.h"

#include "qz_bitmap.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_resource.h"

namespace {

constexpr uint16_t kHighByte = 0xFF00;

// Edge tiles from `from` while they end before `to`; nothing for a missing tile.
template <class Draw>
void tile(int from, int to, int size, Draw draw) {
  for (int at = from; size > 0 && at < to; at += size) draw(at);
}

}  // namespace

int16_t CQZFMenuList::loadAt(uint16_t id, const QZFMenuDescription& description, int x, int y, uint8_t flags) {
  if (const int16_t r = CQZFMenu::loadAt(id, description, x, y, flags); r < 0) return r;
  look_ = description.list;
  look_.items.clear();
  items_.clear();
  items_.reserve(description.list.items.size());
  for (const QZFMenuItemDescription& d : description.list.items) {
    Item item;
    static_cast<QZFMenuItemDescription&>(item) = d;
    if (!(d.flags & kQZFItemBlob)) item.label = CQZFResourceManager::getStringText(d.text);
    items_.push_back(std::move(item));
  }
  flags_ = flags;
  anchorX_ = static_cast<int16_t>(x);
  anchorY_ = static_cast<int16_t>(y);
  layout();
  selected_ = step(-1, 1);
  return 0;
}

void CQZFMenuList::setItemFlags(uint16_t itemId, uint16_t flags) {
  for (Item& item : items_) {
    if (item.id == itemId) item.flags = static_cast<uint16_t>((item.flags & ~kHighByte) | (flags & kHighByte));
  }
  invalidate();
  layout();
  // A selection that can no longer be selected moves on to one that can.
  if (selected_ < 0 || isSkipped(items_[static_cast<size_t>(selected_)])) selected_ = step(selected_, 1);
  invalidate();
}

QZFMenuPen CQZFMenuList::onPen(const QZFPenEvent& pen) {
  const QZRect area = itemArea();
  const bool in = QZPointInRect(pen.x, pen.y, &area);
  const int index = in ? itemAt(pen.x, pen.y) : -1;
  switch (pen.type) {
    case QZFPenType::kUp:
      if (!in) return QZFMenuPen::kOutside;
      choose(index);
      return QZFMenuPen::kTaken;
    case QZFPenType::kDown:
    case QZFPenType::kMove:
      if (index >= 0 && !isSkipped(items_[static_cast<size_t>(index)])) select(index);
      return QZFMenuPen::kTaken;
    default: return QZFMenuPen::kTaken;
  }
}

int CQZFMenuList::step(int from, int direction) const {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return -1;
  int at = from < 0 ? (direction > 0 ? -1 : 0) : from;
  for (int n = 0; n < count; ++n) {
    at = (at + direction + count) % count;
    if (!isSkipped(items_[static_cast<size_t>(at)])) return at;
  }
  return -1;
}

void CQZFMenuList::select(int index) {
  if (index == selected_) return;
  selected_ = index;
  invalidate();
}

int CQZFMenuList::lineHeight() const { return fonts_ ? fonts_->lineHeight(look_.font) + fonts_->verticalPadding() : 0; }

void CQZFMenuList::fill(const QZRect& rect, const QZFLevelColour& colour) const {
  const int level = drawLevel(colour.level);
  if (level > 0 && graphics_) graphics_->fillRectangle(rect, 0, level, colour.colour);
}

void CQZFMenuList::drawItemText(const Item& item, const QZRect& row, int textX) const {
  const bool disabled = (item.flags & kQZFItemDisabled) != 0;
  const bool ownFont = disabled && look_.disabledFont != QZ_NO_ID;
  const uint16_t font = ownFont ? look_.disabledFont : look_.font;
  const int level = drawLevel(ownFont ? look_.disabledTextLevel : look_.textLevel);
  // Below 16 bits a blended fill over the text would smear it: the fill goes under.
  const bool fillOver = QZGetScreenDepth() >= 16;
  if (disabled && !fillOver) fill(row, look_.disabled);
  if (fonts_ && level > 0 && !item.label.empty()) {
    const int y = row.y + (row.h - fonts_->lineHeight(font)) / 2;
    fonts_->drawText(item.label.c_str(), textX, y, row.x + row.w - textX, 0, font, level);
  }
  if (disabled && fillOver) fill(row, look_.disabled);
}

void CQZFMenuList::drawFrame() const {
  const int level = drawLevel(look_.frameLevel);
  if (!hasFrame() || level <= 0 || !graphics_) return;
  const uint16_t* f = look_.frame;
  if (!graphics_->getBlob(f[0])) {
    // No frame images: a plain line in the selection colour stands in.
    graphics_->drawFrameRectangle(rect_, 1, level, look_.selection.colour);
    return;
  }
  const int left = rect_.x, top = rect_.y, right = rect_.x + rect_.w, bottom = rect_.y + rect_.h;
  const int bottomY = bottom - blobHeight(f[5]), rightX = right - blobWidth(f[3]);
  auto blob = [&](uint16_t id, int x, int y) { graphics_->drawBlob(id, x, y, 0, level); };
  tile(left + blobWidth(f[0]), right - blobWidth(f[2]), blobWidth(f[1]), [&](int x) { blob(f[1], x, top); });
  tile(left + blobWidth(f[6]), right - blobWidth(f[4]), blobWidth(f[5]), [&](int x) { blob(f[5], x, bottomY); });
  tile(top + blobHeight(f[0]), bottom - blobHeight(f[6]), blobHeight(f[7]), [&](int y) { blob(f[7], left, y); });
  tile(top + blobHeight(f[2]), bottom - blobHeight(f[4]), blobHeight(f[3]), [&](int y) { blob(f[3], rightX, y); });
  blob(f[0], left, top);
  blob(f[2], right - blobWidth(f[2]), top);
  blob(f[4], right - blobWidth(f[4]), bottom - blobHeight(f[4]));
  blob(f[6], left, bottom - blobHeight(f[6]));
}
