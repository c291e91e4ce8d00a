// Bitmap fonts made of blobs. A font is named by the blob id of its first
// glyph; the glyph of a character is the blob at the font id plus the
// character's position in one character table shared by every font. Text is
// zero-terminated UTF-16. The application derives its own manager and answers
// the spacing queries from its layout values.
#pragma once

#include <cstdint>

#include "qzf_object.h"

class CQZFGraphics;

// The size of a wrapped text.
struct QZFTextSize {
  int width = 0;
  int height = 0;
};

class CQZFFontManager : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindFontManager;

  static constexpr uint16_t kNoGlyph = 0xFFFF;
  // A character count meaning "the whole text".
  static constexpr int kAllChars = 0xFFFF;

  explicit CQZFFontManager(CQZFObject* owner);

  // Takes the application's graphics and the table (borrowed: one character
  // per glyph, in blob order). 0, or -50 without application, graphics or table.
  [[nodiscard]] virtual int16_t setCharacterTable(const char16_t* table);
  // Forgets the table, its search starts and the graphics; 0.
  [[nodiscard]] virtual int16_t reset();
  // Extra room the menus put around a line: below it and beside it.
  virtual int verticalPadding() { return 2; }
  virtual int horizontalPadding() { return 2; }
  virtual int lineHeight(uint16_t font);
  virtual int letterSpacing(uint16_t) { return 1; }
  virtual int spaceWidth(uint16_t font);

  // The glyph's blob id, kNoGlyph when the font has none.
  uint16_t glyphFor(char16_t c, uint16_t font) const;
  int charWidth(char16_t c, uint16_t font);
  // Width of at most maxChars characters (kAllChars: up to the terminator).
  int textWidth(const char16_t* text, uint16_t font, int maxChars = kAllChars);
  // Where a text starts in a field of the width: alignment 1 centres, 2 aligns right.
  int alignOffset(const char16_t* text, int width, int alignment, uint16_t font);
  // How many characters from start form the next line of at most maxWidth:
  // up to the last space that fits; in a word wider than the line, up to
  // its last hyphen, dot or backslash that fits; breaking anywhere (or in a
  // word without those), all that fit but the last. 0 or less when none do
  // (at the end, at a newline, or when the first does not fit).
  int fitLine(const char16_t* text, int start, int maxWidth, uint16_t font, bool breakAnywhere);
  // Likewise for the line that ends just before end, counted backwards.
  int fitLineBackward(const char16_t* text, int end, int maxWidth, uint16_t font, bool breakAnywhere);
  // The text wrapped to maxWidth: widest line and total height, the longest
  // line in characters and the number of lines. Any output may be null.
  void measureText(const char16_t* text, uint16_t font, int maxWidth, QZFTextSize* size, int* maxLineChars,
                   int* lineCount);

  // Where line `lineIndex` (from 0) of the text wrapped to maxWidth starts;
  // the text's length when it has fewer lines.
  int lineStart(const char16_t* text, int lineIndex, int maxWidth, uint16_t font);

  // Queues the glyph's blob (mirrored: flipped left to right); 1, or 0 without a glyph.
  int drawGlyph(char16_t c, int x, int y, bool mirrored, uint16_t font, int level);
  // One line, when its rectangle is dirty. Odd apostrophes are drawn
  // mirrored, so that a pair of them reads as opening and closing quotes.
  void drawText(const char16_t* text, int x, int y, int width, int alignment, uint16_t font, int level);
  // The text wrapped to the width, line under line, until a line would start below y + height.
  void drawTextBox(const char16_t* text, int x, int y, int width, int height, int alignment, uint16_t font, int level);

  const char16_t* getCharacterTable() const { return table_; }
  uint16_t getCharacterCount() const { return count_; }
  CQZFGraphics* getGraphics() const { return graphics_; }

 private:
  // One wrapped line: its characters and where the next line starts.
  struct Line {
    int count;
    int next;
  };
  // The line starting at pos; false when there is none.
  bool nextLine(const char16_t* text, int pos, int maxWidth, uint16_t font, Line* line);
  // The width a character takes in a line: its own and, after a glyph, the spacing.
  int advance(char16_t c, uint16_t font);
  void drawRun(const char16_t* text, int count, int x, int y, int width, int alignment, uint16_t font, int level);
  void forget();
  [[nodiscard]] int16_t fail(int line, int16_t code);

  const char16_t* table_ = nullptr;
  int16_t startUpper_ = 0;
  int16_t startLower_ = 0;
  int16_t startDigit_ = 0;
  int16_t startOther_ = 0;
  bool hasUpper_ = false;
  bool hasLower_ = false;
  bool hasDigit_ = false;
  bool hasOther_ = false;
  uint16_t count_ = 0;
  CQZFGraphics* graphics_ = nullptr;
};
