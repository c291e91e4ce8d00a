#include "qzf_font_manager.h"

#include <algorithm>
#include <climits>
#include <string>

#include "qz_blob.h"
#include "qzf_application.h"
#include "qzf_graphics.h"

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kNewline = u'\n';
constexpr char16_t kApostrophe = u'\'';

// Where a word too long for a whole line is best broken (a file name, say):
// after one of these rather than between any two letters.
bool isJoint(char16_t c) { return c == u'-' || c == u'.' || c == u'\\'; }

int lengthOf(const char16_t* text) { return text ? static_cast<int>(std::char_traits<char16_t>::length(text)) : 0; }

// Where a text of textWidth starts in a field of width.
int alignIn(int textWidth, int width, int alignment) {
  if (textWidth > width) return 0;
  if (alignment == 1) return (width - textWidth) / 2;
  if (alignment == 2) return width - textWidth;
  return 0;
}

}  // namespace

CQZFFontManager::CQZFFontManager(CQZFObject* owner) : CQZFObject(owner) {
  setKind(kKind, this);
  setName("fonts");
}

int16_t CQZFFontManager::fail(int line, int16_t code) {
  return CQZFApplication::report(this, "qzf_font_manager", line, code);
}

void CQZFFontManager::forget() {
  table_ = nullptr;
  startUpper_ = startLower_ = startDigit_ = startOther_ = 0;
  hasUpper_ = hasLower_ = hasDigit_ = hasOther_ = false;
  count_ = 0;
  graphics_ = nullptr;
}

int16_t CQZFFontManager::reset() {
  forget();
  return 0;
}

int16_t CQZFFontManager::setCharacterTable(const char16_t* table) {
  auto* app = findOwner<CQZFApplication>();
  if (!app) return fail(39, -50);
  CQZFGraphics* graphics = app->getGraphics();
  if (!graphics) return fail(41, -50);
  forget();
  graphics_ = graphics;
  table_ = table;
  if (!table) return fail(43, -50);
  // Positions are 16-bit; a longer table keeps its first part.
  int count = 0;
  while (count < INT16_MAX && table[count]) ++count;
  count_ = static_cast<uint16_t>(count);
  for (int16_t p = 0; p < count; ++p) {
    const char16_t c = table[p];
    if (c == u'a') {
      startLower_ = p;
      hasLower_ = true;
    } else if (c == u'A') {
      startUpper_ = p;
      hasUpper_ = true;
    } else if (c == u'0') {
      startDigit_ = p;
      hasDigit_ = true;
    } else if (!hasOther_) {
      startOther_ = p;
      hasOther_ = true;
    }
  }
  return 0;
}

uint16_t CQZFFontManager::glyphFor(char16_t c, uint16_t font) const {
  int from = 0;
  if (c >= u'a' && c <= u'z') {
    if (hasLower_) {
      from = startLower_;
    } else {
      c = static_cast<char16_t>(c - 32);
    }
  } else if (c >= u'A' && c <= u'Z') {
    if (hasUpper_) {
      from = startUpper_;
    } else {
      c = static_cast<char16_t>(c + 32);
    }
  } else if (c >= u'0' && c <= u'9') {
    if (hasDigit_) from = startDigit_;
  } else if (hasOther_) {
    from = startOther_;
  }
  // The start is where the character's group begins in the usual table
  // order; a table in another order is still searched whole.
  for (int k = 0; k < count_; ++k) {
    const int p = (from + k) % count_;
    if (table_[p] != c) continue;
    const int id = font + p;
    return id < kNoGlyph ? static_cast<uint16_t>(id) : kNoGlyph;
  }
  return kNoGlyph;
}

int CQZFFontManager::lineHeight(uint16_t font) { return graphics_ ? graphics_->getBlobHeight(font) : 0; }

int CQZFFontManager::spaceWidth(uint16_t font) { return graphics_ ? graphics_->getBlobWidth(font) : 0; }

int CQZFFontManager::charWidth(char16_t c, uint16_t font) {
  const uint16_t glyph = c == kSpace ? kNoGlyph : glyphFor(c, font);
  if (glyph == kNoGlyph || !graphics_) return spaceWidth(font);
  return graphics_->getBlobWidth(glyph);
}

int CQZFFontManager::advance(char16_t c, uint16_t font) {
  const int spacing = glyphFor(c, font) == kNoGlyph ? 0 : letterSpacing(font);
  return charWidth(c, font) + spacing;
}

int CQZFFontManager::textWidth(const char16_t* text, uint16_t font, int maxChars) {
  if (!text) return 0;
  const int limit = maxChars == kAllChars ? INT_MAX : maxChars;
  int width = 0;
  for (int i = 0; i < limit && text[i]; ++i) width += advance(text[i], font);
  return width;
}

int CQZFFontManager::alignOffset(const char16_t* text, int width, int alignment, uint16_t font) {
  return alignIn(textWidth(text, font), width, alignment);
}

int CQZFFontManager::fitLine(const char16_t* text, int start, int maxWidth, uint16_t font, bool breakAnywhere) {
  const int length = lengthOf(text);
  if (start < 0 || start >= length) return 0;
  int sum = 0;
  int lastSpace = -1;  // a space at the start would only give an empty line
  int lastJoint = -1;  // just after a hyphen, dot or backslash
  for (int i = start; i < length; ++i) {
    const char16_t c = text[i];
    sum += advance(c, font);
    if (c == kNewline) return i - start;
    if (c == kSpace && i > start) lastSpace = i;
    if (sum > maxWidth) {
      if (breakAnywhere) return i - start - 1;
      if (lastSpace >= 0) return lastSpace - start;
      return lastJoint > start ? lastJoint - start : i - start - 1;
    }
    if (isJoint(c)) lastJoint = i + 1;
  }
  return length - start;
}

int CQZFFontManager::fitLineBackward(const char16_t* text, int end, int maxWidth, uint16_t font, bool breakAnywhere) {
  end = std::min(end, lengthOf(text));
  if (end <= 0) return 0;
  int sum = 0;
  int lastSpace = -1;  // the position just after the space
  for (int i = end; i > 0; --i) {
    const char16_t c = text[i - 1];
    sum += advance(c, font);
    if (c == kNewline) return end - i;
    if (c == kSpace && i < end) lastSpace = i;
    if (sum > maxWidth) return lastSpace < 0 || breakAnywhere ? end - i - 1 : end - lastSpace;
  }
  return end;
}

bool CQZFFontManager::nextLine(const char16_t* text, int pos, int maxWidth, uint16_t font, Line* line) {
  const int n = fitLine(text + pos, 0, maxWidth, font, false);
  if (n <= 0) {
    // A newline straight away is an empty line; anything else ends the text.
    if (text[pos] != kNewline) return false;
    *line = Line{0, pos + 1};
    return true;
  }
  int next = pos + n;
  while (text[next] == kSpace) ++next;
  if (text[next] == kNewline) ++next;
  *line = Line{n, next};
  return true;
}

void CQZFFontManager::measureText(const char16_t* text, uint16_t font, int maxWidth, QZFTextSize* size,
                                  int* maxLineChars, int* lineCount) {
  QZFTextSize measured;
  int longest = 0;
  int lines = 0;
  Line line{};
  for (int pos = 0; text && nextLine(text, pos, maxWidth, font, &line); pos = line.next) {
    ++lines;
    longest = std::max(longest, line.count);
    measured.height += lineHeight(font);
    measured.width = std::max(measured.width, textWidth(text + pos, font, line.count));
  }
  if (size) *size = measured;
  if (maxLineChars) *maxLineChars = longest;
  if (lineCount) *lineCount = lines;
}

int CQZFFontManager::lineStart(const char16_t* text, int lineIndex, int maxWidth, uint16_t font) {
  int pos = 0;
  Line line{};
  for (int i = 0; text && i < lineIndex; ++i) {
    if (!nextLine(text, pos, maxWidth, font, &line)) return lengthOf(text);
    pos = line.next;
  }
  return pos;
}

int CQZFFontManager::drawGlyph(char16_t c, int x, int y, bool mirrored, uint16_t font, int level) {
  const uint16_t glyph = glyphFor(c, font);
  if (glyph == kNoGlyph || !graphics_) return 0;
  graphics_->drawBlob(glyph, x, y, mirrored ? kQZBlobFlipHorizontal : 0, level);
  return 1;
}

void CQZFFontManager::drawRun(const char16_t* text, int count, int x, int y, int width, int alignment, uint16_t font,
                              int level) {
  if (!graphics_ || count <= 0 || !text[0]) return;
  if (!graphics_->isRectDirty(x, y, width, lineHeight(font))) return;
  int offset = alignIn(textWidth(text, font, count), width, alignment);
  bool mirror = true;
  for (int i = 0; i < count && text[i] && offset <= width; ++i) {
    const char16_t c = text[i];
    if (c != kSpace) drawGlyph(c, x + offset, y, c == kApostrophe && mirror, font, level);
    if (c == kApostrophe) mirror = !mirror;
    offset += advance(c, font);
  }
}

void CQZFFontManager::drawText(const char16_t* text, int x, int y, int width, int alignment, uint16_t font, int level) {
  if (text) drawRun(text, kAllChars, x, y, width, alignment, font, level);
}

void CQZFFontManager::drawTextBox(const char16_t* text, int x, int y, int width, int height, int alignment,
                                  uint16_t font, int level) {
  int cy = y;
  Line line{};
  for (int pos = 0; text && nextLine(text, pos, width, font, &line); pos = line.next) {
    drawRun(text + pos, line.count, x, cy, width, alignment, font, level);
    cy += lineHeight(font);
    if (cy > y + height) break;
  }
}
