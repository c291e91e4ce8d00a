#include "qzf_gadget_parts.h"

#include <algorithm>
#include <vector>

#include "app_serialise_stream.h"
#include "qzf_graphics.h"

bool QZFIsReading(const SerialiseStream& stream) {
  return stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
}

QZFOptionalText QZFTextOf(const char16_t* text) { return text ? QZFOptionalText(text) : std::nullopt; }

int16_t QZFSerialiseText(SerialiseStream& stream, QZFOptionalText& text) {
  const bool reading = QZFIsReading(stream);
  uint16_t length = !reading && text ? static_cast<uint16_t>(std::min<size_t>(text->size() + 1, 0xFFFF)) : 0;
  if (const int16_t r = serialiseU16(stream, &length, 1); r < 0) return r;
  if (length == 0) {
    if (reading) text.reset();
    return 0;
  }
  std::vector<uint16_t> units(length, 0);
  if (!reading) std::copy_n(text->begin(), length - 1, units.begin());
  if (const int16_t r = serialiseU16Array(stream, length, units.data()); r < 0) return r;
  if (reading) {
    units.back() = 0;
    text = std::u16string(units.begin(), std::find(units.begin(), units.end(), 0));
  }
  return 0;
}

int QZFDrawCaps(CQZFGraphics& graphics, const QZFBoxImages& caps, int x, int y, int limit, int level) {
  const auto width = [&graphics](uint16_t id) { return id == QZ_NO_ID ? 0 : graphics.getBlobWidth(id); };
  graphics.drawBlob(caps.ids[0], x, y, 0, level);
  const int middle = width(caps.ids[1]);
  int at = x + width(caps.ids[0]);
  for (; middle > 0 && at < limit; at += middle) graphics.drawBlob(caps.ids[1], at, y, 0, level);
  if (caps.ids[2] != QZ_NO_ID) graphics.drawBlob(caps.ids[2], at, y, 0, level);
  return at;
}

void QZFDrawFramedBox(CQZFGraphics& graphics, const QZRect& rect, const QZFLevelColour& background,
                      const QZFLevelColour& frame) {
  graphics.fillRectangle(rect, 0, background.level, background.colour);
  graphics.drawFrameRectangle(rect, 1, frame.level, frame.colour);
}

// --- Scroll bar ---------------------------------------------------------------

void QZFScrollBar::measure(CQZFGraphics& graphics, int w, int h) {
  // An arrow that is named but not loaded is a plain square.
  const auto size = [&graphics](uint16_t id, bool width) {
    if (id == QZ_NO_ID) return 0;
    if (!graphics.getBlob(id)) return kPlainArrowSize;
    return width ? graphics.getBlobWidth(id) : graphics.getBlobHeight(id);
  };
  barWidth_ = static_cast<int16_t>(size(look_.up, true));
  barX_ = static_cast<int16_t>(w - barWidth_);
  upHeight_ = static_cast<int16_t>(size(look_.up, false));
  downTop_ = static_cast<int16_t>(h - size(look_.down, false));
  trackHeight_ = static_cast<int16_t>(downTop_ - upHeight_);
}

bool QZFScrollBar::release() {
  const bool held = isHeld();
  upPressed_ = downPressed_ = false;
  return held;
}

int QZFScrollBar::thumbHeight(int count, int perPage) const {
  return count > 0 ? std::min<int>(trackHeight_, trackHeight_ * perPage / count) : trackHeight_;
}

void QZFScrollBar::draw(CQZFGraphics& graphics, const QZRect& rect, int first, int count, int perPage) const {
  if (count <= 0) return;
  const int x = rect.x + barX_;
  const int thumbTop = trackHeight_ > 0 ? trackHeight_ * first / count : 0;
  graphics.fillRect(x, rect.y, barWidth_, rect.h, 0, look_.track.level, look_.track.colour);
  graphics.fillRect(x, rect.y + upHeight_ + thumbTop, barWidth_, std::max(0, thumbHeight(count, perPage)), 0,
                    look_.thumb.level, look_.thumb.colour);
  const uint16_t up = upPressed_ && look_.upPressed != QZ_NO_ID ? look_.upPressed : look_.up;
  const uint16_t down = downPressed_ && look_.downPressed != QZ_NO_ID ? look_.downPressed : look_.down;
  drawArrow(graphics, up, x, rect.y);
  drawArrow(graphics, down, x, rect.y + downTop_);
}

void QZFScrollBar::drawArrow(CQZFGraphics& graphics, uint16_t id, int x, int y) const {
  if (id == QZ_NO_ID) return;
  if (graphics.getBlob(id)) {
    graphics.drawBlob(id, x, y, 0, look_.arrowLevel);
  } else {
    graphics.fillRect(x, y, kPlainArrowSize, kPlainArrowSize, 0, look_.arrowLevel, look_.thumb.colour);
  }
}

QZFScrollRequest QZFScrollBar::onPen(QZFPenType type, int x, int y, int count, int perPage, int* first) {
  const bool press = type == QZFPenType::kDown || type == QZFPenType::kMove;
  if (x < barX_) {
    release();
    return QZFScrollRequest::kNone;
  }
  if (y <= upHeight_) {
    downPressed_ = false;
    if (press) upPressed_ = true;
    if (type != QZFPenType::kUp || !upPressed_) return QZFScrollRequest::kNone;
    upPressed_ = false;
    return QZFScrollRequest::kLineUp;
  }
  if (y >= downTop_) {
    upPressed_ = false;
    if (press) downPressed_ = true;
    if (type != QZFPenType::kUp || !downPressed_) return QZFScrollRequest::kNone;
    downPressed_ = false;
    return QZFScrollRequest::kLineDown;
  }
  release();
  // A track with no height (the arrows fill the bar) maps no position.
  if (count <= 0 || trackHeight_ <= 0) return QZFScrollRequest::kNone;
  const int at = count * (y - thumbHeight(count, perPage) / 2 - upHeight_) / trackHeight_;
  *first = std::max(0, std::min(at, count - perPage));
  return QZFScrollRequest::kSetFirst;
}

// --- Row cursor ---------------------------------------------------------------

void QZFRowCursor::keepCurrentVisible(int perPage) {
  if (current < 0) return;
  if (current < first) first = current;
  if (current >= first + perPage) first = current - perPage + 1;
}

void QZFRowCursor::pullCurrentIntoPage(int perPage, int count) {
  if (current < 0) return;
  if (current < first) current = first;
  if (current >= first + perPage) current = std::min(first + perPage - 1, count - 1);
}
