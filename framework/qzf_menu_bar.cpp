#include "qzf_menu_bar.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_menu_handler.h"

namespace {

// Submenus of a bar at the top open below it, those of a bar at the bottom above it.
constexpr uint8_t kBelowBar = kQZFPlaceLeft | kQZFPlaceTop;
constexpr uint8_t kAboveBar = kQZFPlaceLeft | kQZFPlaceBottom;

}  // namespace

int16_t CQZFMenuBar::load(uint16_t id, const QZFMenuDescription& description) {
  return loadAt(id, description, 0, 0, description.flags);
}

int CQZFMenuBar::textInset() const { return fonts_ ? 2 * fonts_->textWidth(u" ", look_.font) : 0; }

void CQZFMenuBar::layout() {
  widths_.assign(items_.size(), 0);
  for (size_t n = 0; n < items_.size(); ++n) {
    if (!isHidden(items_[n]) && fonts_)
      widths_[n] = fonts_->textWidth(items_[n].label.c_str(), look_.font) + 2 * textInset();
  }
  int innerW = screenWidth() - insetLeft() - insetRight();
  int innerH = lineHeight();
  const int tileW = hasFrame() ? blobWidth(look_.frame[1]) : 0;
  const int tileH = hasFrame() ? blobHeight(look_.frame[7]) : 0;
  if (tileW > 0 && tileH > 0) {
    innerW -= innerW % tileW;
    innerH = (innerH + tileH - 1) / tileH * tileH;
  }
  const int h = std::min(innerH + insetTop() + insetBottom(), screenHeight());
  // A bar placed by its bottom edge sits on the bottom of the screen.
  const int y = (flags_ & kQZFPlaceBottom) ? std::max(0, screenHeight() - h) : 0;
  rect_ = {0, static_cast<int16_t>(y), static_cast<int16_t>(innerW + insetLeft() + insetRight()),
           static_cast<int16_t>(h)};
}

int CQZFMenuBar::getItemX(int index) const {
  int x = rect_.x + insetLeft();
  for (int n = 0; n < index; ++n) x += widths_[static_cast<size_t>(n)];
  return x;
}

int CQZFMenuBar::itemAt(int x, int) const {
  int left = rect_.x + insetLeft();
  for (size_t n = 0; n < items_.size(); ++n) {
    if (widths_[n] > 0 && x >= left && x < left + widths_[n]) return static_cast<int>(n);
    left += widths_[n];
  }
  return -1;
}

void CQZFMenuBar::choose(int index) {
  if (index < 0 || index >= getItemCount()) return;
  const Item& item = items_[static_cast<size_t>(index)];
  if (item.flags & kQZFItemDisabled) return;
  select(index);
  CQZFMenuHandler* menus = handler();
  if (!menus) return;
  if (item.flags & kQZFItemSubmenu) {
    const bool below = (flags_ & kQZFPlaceTop) != 0;
    static_cast<void>(menus->openSubmenu(item.id, getItemX(index), below ? rect_.y + rect_.h : rect_.y,
                                         below ? kBelowBar : kAboveBar));
    return;
  }
  sendChosen(item.id);
  menus->closeMenus();
}

Handled CQZFMenuBar::onKey(const QZFKeyEvent& key) {
  if (!isShown()) return Handled::kPassOn;
  if (!key.keyDown) {
    if (key.code != kQZFKeyMenu) return Handled::kPassOn;
    if (CQZFMenuHandler* menus = handler()) menus->closeMenus();
    return Handled::kDone;
  }
  switch (key.code) {
    case kQZFKeyLeft: select(step(selected_, -1)); return Handled::kDone;
    case kQZFKeyRight: select(step(selected_, 1)); return Handled::kDone;
    case kQZFKeyReturn:
    case kQZFKeyUp:
    case kQZFKeyDown: choose(selected_); return Handled::kDone;
    case kQZFKeySoftLeft:
    case kQZFKeySoftRight:
      if (CQZFMenuHandler* menus = handler()) menus->closeMenus();
      return Handled::kDone;
    default: return Handled::kPassOn;
  }
}

void CQZFMenuBar::draw() {
  if (!isDirty()) return;
  const QZRect inner{static_cast<int16_t>(rect_.x + insetLeft()), static_cast<int16_t>(rect_.y + insetTop()),
                     static_cast<int16_t>(rect_.w - insetLeft() - insetRight()),
                     static_cast<int16_t>(rect_.h - insetTop() - insetBottom())};
  fill(inner, look_.background);
  for (size_t n = 0; n < items_.size(); ++n) {
    if (widths_[n] == 0) continue;
    const int x = getItemX(static_cast<int>(n));
    const QZRect column{static_cast<int16_t>(x), inner.y, static_cast<int16_t>(widths_[n]), inner.h};
    if (static_cast<int>(n) == selected_) fill(column, look_.selection);
    drawItemText(items_[n], column, x + textInset());
  }
  drawFrame();
}
