#include "qzf_gadget_scrolltext.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_scrolltext";
constexpr int kRefusedPenType = 32;
}  // namespace

CQZFGadgetScrollText::CQZFGadgetScrollText() { setName("gdtSclTxt"); }

int16_t CQZFGadgetScrollText::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFScrollTextPart>(d, kSource, &status);
  if (!part) return status;
  boxWidth_ = part->width;
  boxHeight_ = part->height;
  font_ = part->font;
  frame_ = part->frame;
  background_ = part->background;
  bar_.setLook(part->scrollBar);
  setText(part->text.empty() ? nullptr : part->text.c_str());
  layout();
  return 0;
}

void CQZFGadgetScrollText::layout() {
  CQZFGadget::layout();
  measure();
}

void CQZFGadgetScrollText::wrap(int width) {
  QZFTextSize size;
  getFontManager()->measureText(getText(), font_, width, &size, nullptr, &lineCount_);
  textWidth_ = size.width;
  textHeight_ = size.height;
}

void CQZFGadgetScrollText::measure() {
  int w = boxWidth_ == -1 ? automaticWidth(true) : boxWidth_;
  int h = boxHeight_ == -1 ? automaticHeight() : boxHeight_;
  CQZFFontManager* fonts = getFontManager();
  const int lineHeight = fonts ? fonts->lineHeight(font_) : 0;
  // A page from the box's resolved height, of one line at least.
  linesPerPage_ = std::max(1, lineHeight > 0 ? (h - 2 * padding_) / lineHeight : 1);
  CQZFGraphics* g = getGraphics();
  barShown_ = bar_.look().up != QZ_NO_ID && g;
  if (barShown_) bar_.measure(*g, w, h);
  const char16_t* text = getText();
  lineCount_ = 0;
  if (text && *text && fonts) {
    wrap(w - 2 * padding_ - (barShown_ ? bar_.barWidth() : 0));
    if (barShown_ && h - 2 * padding_ >= textHeight_) {
      barShown_ = false;
      wrap(w - 2 * padding_);
    }
  } else {
    textWidth_ = textHeight_ = h = 0;
  }
  // No lines, nothing to page through.
  if (lineCount_ == 0) barShown_ = false;
  if (barShown_) bar_.measure(*g, w, h);
  textWidth_ = w - 2 * padding_ - (barShown_ ? bar_.barWidth() : 0);
  firstLine_ = std::min(firstLine_, std::max(0, lineCount_ - 1));
  placeBox(w, h);
  invalidate();
}

void CQZFGadgetScrollText::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  CQZFFontManager* fonts = getFontManager();
  const char16_t* text = getText();
  if (!g || !fonts || !text || !*text || !g->isRectangleDirty(rect)) return;
  QZFDrawFramedBox(*g, rect, background_, frame_);
  const int x = rect.x + padding_, y = rect.y + padding_;
  const int lineHeight = fonts->lineHeight(font_);
  const int start = fonts->lineStart(text, firstLine_, textWidth_, font_);
  // Lines whose bottom would pass the box's bottom are not drawn.
  const int bottom = rect.y + rect.h - padding_;
  if (y + lineHeight <= bottom) {
    fonts->drawTextBox(text + start, x, y, textWidth_, bottom - y - lineHeight, static_cast<int>(boxAlignment_), font_,
                       level);
  }
  if (barShown_) bar_.draw(*g, rect, firstLine_, lineCount_, linesPerPage_);
}

bool CQZFGadgetScrollText::scrollBy(int lines) {
  const int next = firstLine_ + lines;
  if (lines < 0 ? next < 0 : firstLine_ + linesPerPage_ >= lineCount_) return false;
  firstLine_ = next;
  invalidate();
  return true;
}

Handled CQZFGadgetScrollText::onKey(const QZFKeyEvent& key) {
  if (!key.keyDown || (key.code != kQZFKeyUp && key.code != kQZFKeyDown)) return Handled::kPassOn;
  return scrollBy(key.code == kQZFKeyUp ? -1 : 1) ? Handled::kDone : Handled::kPassOn;
}

Handled CQZFGadgetScrollText::onPen(const QZFPenEvent& pen) {
  if (!insideInclusive(pen.x, pen.y)) {
    if (bar_.release()) invalidate();
    return Handled::kPassOn;
  }
  if (barShown_ && static_cast<int>(pen.type) != kRefusedPenType) {
    int first = firstLine_;
    const QZFScrollRequest request =
        bar_.onPen(pen.type, pen.x - rect_.x, pen.y - rect_.y, lineCount_, linesPerPage_, &first);
    if (request == QZFScrollRequest::kLineUp) scrollBy(-1);
    if (request == QZFScrollRequest::kLineDown) scrollBy(1);
    if (request == QZFScrollRequest::kSetFirst) firstLine_ = first;
  }
  invalidate();
  return Handled::kDone;
}

void CQZFGadgetScrollText::setValue(int32_t stringId) { setTextFromStringId(static_cast<uint16_t>(stringId)); }

void CQZFGadgetScrollText::setText(const char16_t* text) {
  invalidate();
  CQZFGadget::setText(text);
  firstLine_ = 0;
  measure();
  invalidate();
}

void CQZFGadgetScrollText::replaceInText(const char16_t* token, const char16_t* value) {
  invalidate();
  CQZFGadget::replaceInText(token, value);
  firstLine_ = 0;
  measure();
  invalidate();
}
