#include "qzf_menu_popup.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_menu_handler.h"

namespace {

// Stand-in sizes of an arrow and an icon whose images are missing.
constexpr int kPlainArrowWidth = 5;
constexpr int kPlainIconWidth = 6;
constexpr uint8_t kPlaceMask = 0x0F;
constexpr uint8_t kTopLeft = kQZFPlaceTop | kQZFPlaceLeft;

int roundUp(int v, int unit) { return unit > 0 ? (v + unit - 1) / unit * unit : v; }

// One edge of the menu against its anchor: `start` puts the near edge on it
// (moved back to fit), `end` the far edge, neither centres; never before 0.
int place(int anchor, int size, int screen, bool start, bool end) {
  int at = anchor - size / 2;
  if (start) at = std::min(anchor, screen - size);
  if (end) at = anchor - size;
  return std::max(0, at);
}

}  // namespace

int16_t CQZFMenuPopup::load(uint16_t id, const QZFMenuDescription& description) {
  uint8_t flags = description.flags;
  if ((flags & kPlaceMask) == 0) flags |= kTopLeft;
  // The screen is known once the base has found the graphics: anchor 0 until then.
  int16_t r = CQZFMenuList::loadAt(id, description, 0, 0, flags);
  if (r < 0) return r;
  const int x = (flags & kQZFPlaceLeft) ? 0 : (flags & kQZFPlaceRight) ? screenWidth() : screenWidth() / 2;
  const int y = (flags & kQZFPlaceTop) ? 0 : (flags & kQZFPlaceBottom) ? screenHeight() : screenHeight() / 2;
  anchorX_ = static_cast<int16_t>(x);
  anchorY_ = static_cast<int16_t>(y);
  layout();
  return r;
}

int CQZFMenuPopup::arrowWidth() const {
  const uint16_t arrow = opensLeft_ ? look_.arrowLeft : look_.arrowRight;
  return graphics_ && graphics_->getBlob(arrow) ? blobWidth(arrow) : kPlainArrowWidth;
}

int CQZFMenuPopup::iconWidth(const Item& item) const {
  if (!(item.flags & kQZFItemIcon)) return 0;
  const int w = std::max(blobWidth(item.markedIcon), blobWidth(item.icon));
  return w > 0 ? w : kPlainIconWidth;
}

void CQZFMenuPopup::layout() {
  const int pad = fonts_ ? fonts_->horizontalPadding() : 0;
  rowHeight_ = lineHeight();
  int widestIcon = 0, widestText = 0, shown = 0;
  bool submenus = false;
  for (const Item& item : items_) {
    if (isHidden(item)) continue;
    ++shown;
    widestIcon = std::max(widestIcon, iconWidth(item));
    rowHeight_ = std::max({rowHeight_, blobHeight(item.markedIcon), blobHeight(item.icon)});
    if (item.flags & kQZFItemBlob) {
      widestText = std::max(widestText, blobWidth(item.text));
      rowHeight_ = std::max(rowHeight_, blobHeight(item.text));
    } else if (fonts_) {
      widestText = std::max(widestText, fonts_->textWidth(item.label.c_str(), look_.font) + pad);
    }
    submenus = submenus || (item.flags & kQZFItemSubmenu);
  }
  if (submenus) rowHeight_ = std::max({rowHeight_, blobHeight(look_.arrowLeft), blobHeight(look_.arrowRight)});
  iconColumn_ = widestIcon + pad;
  arrowColumn_ = submenus ? arrowWidth() + pad : 0;
  int innerW = iconColumn_ + widestText + arrowColumn_ + 2;
  int innerH = rowHeight_ * shown;
  if (hasFrame()) {
    innerW = roundUp(innerW, blobWidth(look_.frame[1]));
    innerH = roundUp(innerH, blobHeight(look_.frame[7]));
  }
  const int w = std::min(innerW + insetLeft() + insetRight(), screenWidth());
  const int h = std::min(innerH + insetTop() + insetBottom(), screenHeight());
  const int x = place(anchorX_, w, screenWidth(), flags_ & kQZFPlaceLeft, flags_ & kQZFPlaceRight);
  const int y = place(anchorY_, h, screenHeight(), flags_ & kQZFPlaceTop, flags_ & kQZFPlaceBottom);
  rect_ = {static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(w), static_cast<int16_t>(h)};
  const bool left = screenWidth() - (x + w) < x;
  if (left != opensLeft_) {
    // The arrow column moves to the other side; its width follows its arrow.
    opensLeft_ = left;
    arrowColumn_ = submenus ? arrowWidth() + pad : 0;
  }
}

QZRect CQZFMenuPopup::itemArea() const {
  return {static_cast<int16_t>(rect_.x + insetLeft()), static_cast<int16_t>(rect_.y + insetTop()),
          static_cast<int16_t>(rect_.w - insetLeft() - insetRight()),
          static_cast<int16_t>(rect_.h - insetTop() - insetBottom())};
}

int CQZFMenuPopup::getRowY(int index) const {
  if (isHidden(items_[static_cast<size_t>(index)])) return -1;
  int y = itemArea().y;
  for (int n = 0; n < index; ++n) y += isHidden(items_[static_cast<size_t>(n)]) ? 0 : rowHeight_;
  return y;
}

int CQZFMenuPopup::itemAt(int, int y) const {
  if (rowHeight_ <= 0 || y < itemArea().y) return -1;
  int row = (y - itemArea().y) / rowHeight_;
  for (size_t n = 0; n < items_.size(); ++n) {
    if (isHidden(items_[n])) continue;
    if (row-- == 0) return static_cast<int>(n);
  }
  return -1;
}

void CQZFMenuPopup::choose(int index) {
  if (index < 0 || index >= getItemCount()) return;
  const Item& item = items_[static_cast<size_t>(index)];
  if (item.flags & 0x0102) return;
  select(index);
  CQZFMenuHandler* menus = handler();
  if (!menus) return;
  if (item.flags & kQZFItemSubmenu) {
    const int rowY = getRowY(index);
    const bool upper = rowY < screenHeight() / 2;
    const uint8_t side = opensLeft_ ? kQZFPlaceRight : kQZFPlaceLeft;
    static_cast<void>(menus->openSubmenu(item.id, opensLeft_ ? rect_.x : rect_.x + rect_.w,
                                         upper ? rowY : rowY + rowHeight_,
                                         static_cast<uint8_t>(side | (upper ? kQZFPlaceTop : kQZFPlaceBottom))));
    return;
  }
  sendChosen(item.id);
  menus->closeMenus();
}

Handled CQZFMenuPopup::onKey(const QZFKeyEvent& key) {
  // A hidden popup (a root the menu key has not shown) leaves every key to the form.
  if (!isShown()) return Handled::kPassOn;
  CQZFMenuHandler* menus = handler();
  if (!key.keyDown) {
    if (key.code != kQZFKeyMenu) return Handled::kPassOn;
    if (menus) menus->closeMenus();
    return Handled::kDone;
  }
  switch (key.code) {
    case kQZFKeyUp: select(step(selected_, -1)); return Handled::kDone;
    case kQZFKeyDown: select(step(selected_, 1)); return Handled::kDone;
    case kQZFKeyReturn: choose(selected_); return Handled::kDone;
    case kQZFKeyBack:
    case kQZFKeySoftLeft:
    case kQZFKeySoftRight:
      if (menus) menus->closeMenus();
      return Handled::kDone;
    case kQZFKeyLeft:
    case kQZFKeyRight: {
      const bool towardSubmenus = (key.code == kQZFKeyLeft) == opensLeft_;
      if (towardSubmenus && selected_ >= 0 && (items_[static_cast<size_t>(selected_)].flags & kQZFItemSubmenu)) {
        choose(selected_);
      } else if (menus) {
        menus->closeNewestMenu();
      }
      return Handled::kDone;
    }
    default: return Handled::kPassOn;
  }
}

void CQZFMenuPopup::drawMarks(const Item& item, const QZRect& row) const {
  const int level = drawLevel(look_.textLevel);
  const int left = row.x + (opensLeft_ ? arrowColumn_ : 0);
  if (item.flags & kQZFItemIcon) {
    const uint16_t icon = (item.flags & kQZFItemMarked) ? item.markedIcon : item.icon;
    if (graphics_->getBlob(icon)) {
      graphics_->drawBlob(icon, left + (iconColumn_ - blobWidth(icon)) / 2, row.y + (row.h - blobHeight(icon)) / 2, 0,
                          level);
    } else if (item.flags & kQZFItemMarked) {
      // A marked item without its image: a small square.
      graphics_->fillRect(left + (iconColumn_ - 4) / 2, row.y + (row.h - 4) / 2, 4, 4, 0, level,
                          look_.selection.colour);
    }
  }
  if (!(item.flags & kQZFItemSubmenu)) return;
  const uint16_t arrow = opensLeft_ ? look_.arrowLeft : look_.arrowRight;
  const int columnX = opensLeft_ ? row.x : row.x + row.w - arrowColumn_;
  if (graphics_->getBlob(arrow)) {
    graphics_->drawBlob(arrow, columnX + (arrowColumn_ - blobWidth(arrow)) / 2, row.y + (row.h - blobHeight(arrow)) / 2,
                        0, level);
    return;
  }
  // Without the image: a small triangle pointing to the side submenus open on.
  const int x0 = columnX + (arrowColumn_ - kPlainArrowWidth) / 2, mid = row.y + row.h / 2;
  for (int i = 0; i < kPlainArrowWidth; ++i) {
    const int half = opensLeft_ ? i : kPlainArrowWidth - 1 - i;
    graphics_->fillRect(x0 + i, mid - half, 1, 2 * half + 1, 0, level, look_.selection.colour);
  }
}

void CQZFMenuPopup::draw() {
  if (!isDirty() || !graphics_) return;
  const QZRect area = itemArea();
  fill(area, look_.background);
  for (size_t n = 0; n < items_.size(); ++n) {
    const Item& item = items_[n];
    const int y = getRowY(static_cast<int>(n));
    if (y < 0) continue;
    if (y + rowHeight_ > area.y + area.h) break;
    const QZRect row{area.x, static_cast<int16_t>(y), area.w, static_cast<int16_t>(rowHeight_)};
    if (static_cast<int>(n) == selected_) fill(row, look_.selection);
    const int textX = area.x + (opensLeft_ ? arrowColumn_ : 0) + iconColumn_;
    if (item.flags & kQZFItemBlob) {
      const int level = drawLevel(look_.background.level);
      if (level > 0) {
        graphics_->drawBlob(item.text, area.x + (area.w - blobWidth(item.text)) / 2,
                            y + (rowHeight_ - blobHeight(item.text)) / 2, 0, level);
      }
      continue;
    }
    drawItemText(item, row, textX);
    if (drawLevel(look_.textLevel) > 0) drawMarks(item, row);
  }
  drawFrame();
}
