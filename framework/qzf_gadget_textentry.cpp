#include "qzf_gadget_textentry.h"

#include <algorithm>

#include "app_serialise_stream.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"
#include "qzf_metrics.h"

namespace {

constexpr const char* kSource = "qzf_gadget_textentry";
constexpr char16_t kBackspace = 8;
constexpr int kCursorWidth = 1;

bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

CQZFGadgetTextEntry::CQZFGadgetTextEntry() { setName("gdtTxtEnt"); }

int16_t CQZFGadgetTextEntry::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFTextEntryPart>(d, kSource, &status);
  if (!part) return status;
  const CQZFApplication* app = findOwner<CQZFApplication>();
  metrics_ = app ? app->getMetrics() : nullptr;
  if (!metrics_) return report(kSource, 93, QZ_ERR_BAD_STATE);
  accepted_ = part->accepted;
  boxWidth_ = part->width;
  normal_ = part->normal;
  focused_ = part->focused;
  font_ = part->font;
  cursorImage_ = part->cursor;
  maxLength_ = part->maxLength;
  text_.reserve(static_cast<size_t>(maxLength_) + 1);
  setText(part->text.c_str());
  blink_ = kBlink;
  layout();
  scrollToCursor();
  return 0;
}

int CQZFGadgetTextEntry::lineHeight() const { return getFontManager() ? getFontManager()->lineHeight(font_) : 0; }

void CQZFGadgetTextEntry::layout() {
  CQZFGadget::layout();
  visibleWidth_ = boxWidth_;
  textX_ = 0;
  int width = boxWidth_;
  int height = lineHeight();
  // Caps that are named but not loaded measure as none: the entry is then a
  // plain frame of the box width.
  if (hasBlob(normal_.ids[0])) {
    const int left = blobWidth(normal_.ids[0]), right = blobWidth(normal_.ids[2]);
    const int middle = std::max(1, blobWidth(normal_.ids[1]));
    textX_ = left;
    visibleWidth_ = boxWidth_ - left - right;
    width = left + right + visibleWidth_ / middle * middle;
    height = std::max(height, blobHeight(normal_.ids[0]));
  }
  placeBox(width + 2 * padding_, height + 2 * padding_);
  invalidate();
}

void CQZFGadgetTextEntry::scrollToCursor() {
  const int length = static_cast<int>(text_.size());
  const int n = std::min(cursor_ + 2, length);
  const int count =
      getFontManager() ? getFontManager()->fitLineBackward(text_.c_str(), n, visibleWidth_, font_, true) : n;
  // The first visible character never passes the cursor.
  firstVisible_ = std::clamp(n - std::max(0, count), 0, cursor_);
  invalidate();
}

void CQZFGadgetTextEntry::setText(const char16_t* text) {
  invalidate();
  text_.assign(text ? text : u"");
  if (static_cast<int>(text_.size()) > maxLength_) text_.resize(static_cast<size_t>(maxLength_));
  cursor_ = static_cast<int>(text_.size());
  scrollToCursor();
}

void CQZFGadgetTextEntry::replaceInText(const char16_t* token, const char16_t* value) {
  invalidate();
  std::u16string replaced = text_;
  if (token && *token) {
    const size_t at = replaced.find(token);
    if (at != std::u16string::npos)
      replaced.replace(at, std::char_traits<char16_t>::length(token), value ? value : u"");
  }
  setText(replaced.c_str());
}

void CQZFGadgetTextEntry::setValue(int32_t stringId) { setTextFromStringId(static_cast<uint16_t>(stringId)); }

bool CQZFGadgetTextEntry::accepts(char16_t c) const {
  if ((accepted_ & kDigits) && isDigit(c)) return true;
  if ((accepted_ & kLetters) && (isLetter(c) || c == u' ')) return true;
  if ((accepted_ & kAnyGlyph) && getFontManager() &&
      getFontManager()->glyphFor(c, font_) != CQZFFontManager::kNoGlyph) {
    return true;
  }
  return c == kBackspace;
}

void CQZFGadgetTextEntry::edit(char16_t c) {
  if (c == kBackspace) {
    if (cursor_ > 0) text_.erase(static_cast<size_t>(--cursor_), 1);
  } else if (static_cast<int>(text_.size()) < maxLength_) {
    text_.insert(text_.begin() + cursor_++, c);
  }
  scrollToCursor();
}

Handled CQZFGadgetTextEntry::onKey(const QZFKeyEvent& key) {
  if (key.keyDown) {
    if (key.code == kQZFKeyBack) {
      edit(kBackspace);
      return Handled::kDone;
    }
    if (key.code != kQZFKeyLeft && key.code != kQZFKeyRight) return Handled::kPassOn;
    // The cursor moves within the text; the key is taken either way.
    const int step = key.code == kQZFKeyLeft ? -1 : 1;
    cursor_ = std::clamp(cursor_ + step, 0, static_cast<int>(text_.size()));
    scrollToCursor();
    return Handled::kDone;
  }
  // The percent sign and the apostrophe share the arrows' codes: never typed.
  if (key.code == kQZFKeyBack || key.code == kQZFKeyLeft || key.code == kQZFKeyRight) return Handled::kPassOn;
  if (key.code < 0 || key.code > 0xFFFF || !accepts(static_cast<char16_t>(key.code))) return Handled::kPassOn;
  char16_t c = static_cast<char16_t>(key.code);
  if ((accepted_ & kLetters) && !(accepted_ & kKeepLowerCase) && c >= u'a' && c <= u'z') c = c - u'a' + u'A';
  edit(c);
  return Handled::kDone;
}

Handled CQZFGadgetTextEntry::onPen(const QZFPenEvent& pen) {
  if (!insideInclusive(pen.x, pen.y)) return Handled::kPassOn;
  if (pen.type != QZFPenType::kDown) return Handled::kDone;
  const int d = pen.x - rect_.x - textX_;
  const int length = static_cast<int>(text_.size());
  cursor_ = firstVisible_;
  if (d > 0 && getFontManager()) {
    cursor_ = length;
    for (int k = firstVisible_; k < length; ++k) {
      if (getFontManager()->textWidth(text_.c_str() + firstVisible_, font_, k - firstVisible_ + 1) > d) {
        cursor_ = k + 1;
        break;
      }
    }
  }
  scrollToCursor();
  return Handled::kDone;
}

void CQZFGadgetTextEntry::update() {
  // The frame time is unsigned: the count is kept signed here.
  const int64_t delta = metrics_ ? metrics_->getFrameInterval(0, 0x7FFF) : 0;
  blink_ = static_cast<int>(std::max<int64_t>(blink_ - delta, -kBlink - 1));
  if (blink_ < -kBlink) {
    blink_ = kBlink;
    invalidate();
  } else if (blink_ != 0 && blink_ != 1) {
    invalidate();
  }
}

void CQZFGadgetTextEntry::drawFocus(const QZRect& rect, int level) {
  if (focused_.ids[0] == QZ_NO_ID) CQZFGadget::drawFocus(rect, level);
}

void CQZFGadgetTextEntry::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  CQZFFontManager* fonts = getFontManager();
  if (!g || !fonts || !g->isRectangleDirty(rect)) return;
  const bool focusLook = hasFocus() && focused_.ids[0] != QZ_NO_ID;
  const QZFBoxImages& caps = focusLook ? focused_ : normal_;
  if (hasBlob(caps.ids[0])) {
    const int y = rect.y + (rect.h - blobHeight(caps.ids[0])) / 2;
    QZFDrawCaps(*g, caps, rect.x + padding_, y, rect.x + rect.w - blobWidth(caps.ids[2]) - padding_,
                combineLevel(level, caps.level));
  } else {
    g->drawFrameRectangle(rect, 1, level, focusColour_);
  }
  const int textX = rect.x + textX_ + padding_;
  fonts->drawText(text_.c_str() + firstVisible_, textX, rect.y + (rect.h - lineHeight()) / 2, visibleWidth_, 0, font_,
                  level);
  if (cursorImage_ == QZ_NO_ID || blink_ < 1) return;
  const int x = textX + fonts->textWidth(text_.c_str() + firstVisible_, font_, cursor_ - firstVisible_) -
                fonts->letterSpacing(font_);
  if (hasBlob(cursorImage_)) {
    g->drawBlob(cursorImage_, x - blobWidth(cursorImage_) / 2, rect.y + (rect.h - blobHeight(cursorImage_)) / 2, 0,
                level);
  } else {
    // Without its image the cursor is a bar of the line's height.
    g->fillRect(x, rect.y + (rect.h - lineHeight()) / 2, kCursorWidth, lineHeight(), 0, level,
                static_cast<uint16_t>(~focusColour_));
  }
}

int16_t CQZFGadgetTextEntry::serialise(SerialiseStream& stream) {
  QZFOptionalText text = text_;
  if (const int16_t r = QZFSerialiseText(stream, text); r < 0) return report(kSource, 250, r);
  if (QZFIsReading(stream)) setText(text ? text->c_str() : nullptr);
  return 0;
}
