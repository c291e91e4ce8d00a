#include "qzf_menu_quick.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_menu_handler.h"
#include "qzf_resource.h"

namespace {

constexpr uint8_t kQuickFlagMask = kQZFQuickAtTop | kQZFQuickOpensUp;
// The plain box of a button without images: its colours and the room around the label.
constexpr uint16_t kPlainFill = 0x1949;     // a deep blue
constexpr uint16_t kPlainPressed = 0x3A4F;  // lighter while pressed
constexpr uint16_t kPlainRule = 0x6B92;
constexpr int kPlainMargin = 8;

}  // namespace

int16_t CQZFMenuQuick::load(uint16_t id, const QZFMenuDescription& description) {
  return loadAt(id, description, 0, 0, description.flags);
}

bool CQZFMenuQuick::hasImage(uint16_t blob) const { return graphics_ && graphics_->getBlob(blob); }

int CQZFMenuQuick::plainHeight() const { return (fonts_ ? fonts_->lineHeight(font_) : 0) + kPlainMargin; }

int16_t CQZFMenuQuick::loadAt(uint16_t id, const QZFMenuDescription& description, int x, int y, uint8_t flags) {
  if (const int16_t r = CQZFMenu::loadAt(id, description, x, y, flags); r < 0) return r;
  flags_ = flags & kQuickFlagMask;
  font_ = description.quick.font;
  int top = screenHeight(), height = 0;
  for (int side = 0; side < 2; ++side) {
    Button& b = buttons_[side];
    static_cast<QZFSoftKeyDescription&>(b) = description.quick.keys[side];
    b.label = CQZFResourceManager::getStringText(b.text);
    b.pressed = false;
    if (!b.present()) continue;
    const bool image = hasImage(b.blob);
    place(side, image ? blobWidth(b.blob) : screenWidth() / 2, image ? blobHeight(b.blob) : plainHeight());
    top = std::min<int>(top, b.rect.y);
    height = std::max<int>(height, b.rect.h);
  }
  rect_ = {0, static_cast<int16_t>(height > 0 ? top : 0), static_cast<int16_t>(screenWidth()),
           static_cast<int16_t>(height)};
  CQZFMenu::show(true);
  return 0;
}

void CQZFMenuQuick::place(int side, int width, int height) {
  const int y = (flags_ & kQZFQuickAtTop) ? 0 : screenHeight() - height;
  const int x = side == 0 ? 0 : screenWidth() - width;
  buttons_[side].rect = {static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(width),
                         static_cast<int16_t>(height)};
}

void CQZFMenuQuick::work(int side) {
  const Button& b = buttons_[side];
  if (!(b.flags & kQZFSoftKeyOpensSubmenu)) {
    sendChosen(b.itemId);
    return;
  }
  CQZFMenuHandler* menus = handler();
  if (!menus) return;
  const int y = (flags_ & kQZFQuickOpensUp) ? screenHeight() - b.rect.h : b.rect.h;
  const uint8_t placement = static_cast<uint8_t>(flags_ + (side == 0 ? kQZFPlaceLeft : kQZFPlaceRight));
  static_cast<void>(menus->openSubmenu(b.itemId, side == 0 ? 0 : screenWidth(), y, placement));
}

Handled CQZFMenuQuick::onKey(const QZFKeyEvent& key) {
  int side = -1;
  if (key.keyDown && key.code == kQZFKeySoftLeft) side = 0;
  if ((key.keyDown && key.code == kQZFKeySoftRight) || (!key.keyDown && key.code == kQZFKeyMenu)) side = 1;
  if (side < 0 || !buttons_[side].present()) return Handled::kPassOn;
  work(side);
  return Handled::kDone;
}

CQZFMenuQuick::Press CQZFMenuQuick::press(Button& b, const QZFPenEvent& pen) {
  if (!b.present()) return Press::kNotMine;
  switch (pen.type) {
    case QZFPenType::kDown:
      if (!QZPointInRect(pen.x, pen.y, &b.rect)) return Press::kNotMine;
      b.pressed = true;
      invalidate();
      return Press::kTaken;
    case QZFPenType::kMove:
      if (!b.pressed) return Press::kNotMine;
      invalidate();
      return Press::kTaken;
    case QZFPenType::kUp:
      if (!b.pressed) return Press::kNotMine;
      b.pressed = false;
      invalidate();
      return QZPointInRect(pen.x, pen.y, &b.rect) ? Press::kWork : Press::kTaken;
    default: return Press::kNotMine;
  }
}

QZFMenuPen CQZFMenuQuick::onPen(const QZFPenEvent& pen) {
  for (int side = 0; side < 2; ++side) {
    const Press answer = press(buttons_[side], pen);
    if (answer == Press::kNotMine) continue;
    if (answer == Press::kWork) work(side);
    return QZFMenuPen::kTaken;
  }
  return QZFMenuPen::kThrough;
}

void CQZFMenuQuick::draw() {
  for (const Button& b : buttons_) {
    if (b.present() && graphics_ && graphics_->isRectangleDirty(b.rect)) drawButton(b);
  }
}

void CQZFMenuQuick::drawButton(const Button& b) const {
  const bool pressedImage = b.pressed && b.pressedBlob != QZ_NO_ID;
  const uint16_t blob = pressedImage ? b.pressedBlob : b.blob;
  const int level = drawLevel(pressedImage ? b.pressedLevel : b.level);
  if (level <= 0) return;
  if (hasImage(blob)) {
    graphics_->drawBlob(blob, b.rect.x, b.rect.y, 0, level);
  } else {
    graphics_->fillRectangle(b.rect, 0, level, b.pressed ? kPlainPressed : kPlainFill);
    graphics_->fillRect(b.rect.x, b.rect.y, b.rect.w, 1, 0, level, kPlainRule);
  }
  if (b.text == QZ_NO_ID || !fonts_) return;
  const int diff = b.rect.h - fonts_->lineHeight(font_);
  const int y = b.rect.y + diff / 2 + (diff % 2 != 0 ? 1 : 0);
  fonts_->drawText(b.label.c_str(), b.rect.x, y, b.rect.w, 1, font_, level);
}
