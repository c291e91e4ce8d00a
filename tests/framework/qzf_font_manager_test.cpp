// The font manager: the character table and its failures, glyph lookup with
// case folding, widths, line fitting both ways, measuring, and drawing one
// line or a box of lines into the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "started_graphics_fixture.h"

namespace {

using namespace started_graphics;

constexpr uint16_t kFont = 100;
const char16_t kTable[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,'!?";
// Glyphs are 5 x 7 (so is the space), but for 'i' and 'm'; one pixel of
// spacing follows each glyph.
constexpr int kGlyphW = 5;
constexpr int kGlyphH = 7;
constexpr int kAdvance = kGlyphW + 1;
constexpr int kSpaceW = kGlyphW;
// Pixel k of the glyph at table position p has colour (p + 1) x 64 + k.
constexpr int kColourStep = 64;

int glyphWidth(char16_t c) { return c == u'i' ? 2 : c == u'm' ? 8 : kGlyphW; }

class FontManagerTest : public StartedGraphicsTest {
 protected:
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    std::vector<imgpack::BlobImage> glyphs;
    for (int p = 0; kTable[p]; ++p) {
      glyphs.push_back(makeBlob(static_cast<int16_t>(kFont + p), glyphWidth(kTable[p]), kGlyphH,
                                static_cast<uint16_t>((p + 1) * kColourStep)));
    }
    loadBlobs(3, glyphs, imgpack::BlobStorage::Direct);
    ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
  }

  // What a row of the screen shows: each glyph as its character and x
  // position ("a@10"), mirrored ones marked with '~' ("'~@16").
  std::string drawnRow(int y) {
    g_->flush();
    std::string out;
    for (int x = 0; x < kWidth; ++x) {
      const uint16_t colour = pixelAt(x, y);
      if (colour == kBackground) continue;
      const int p = colour / kColourStep - 1;
      const int k = colour % kColourStep;
      const int w = glyphWidth(kTable[p]);
      if (!out.empty()) out += ' ';
      out += static_cast<char>(kTable[p]);
      if (k == w - 1 && k != 0) out += '~';
      out += '@' + std::to_string(x);
      x += w - 1;
    }
    return out;
  }

  CQZFFontManager fonts_{&app_};
};

TEST_F(FontManagerTest, TableFailuresAreReportedAndLeaveNoGlyphs) {
  EXPECT_EQ(fonts_.getKind(), kQZFKindFontManager);
  EXPECT_EQ(fonts_.getGraphics(), g_);
  EXPECT_EQ(fonts_.getCharacterCount(), std::u16string_view(kTable).size());

  EXPECT_EQ(fonts_.setCharacterTable(nullptr), -50);
  EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_font_manager", 43, -50}}));
  EXPECT_EQ(fonts_.glyphFor(u'A', kFont), CQZFFontManager::kNoGlyph);
  EXPECT_EQ(fonts_.textWidth(u"AB", kFont), 2 * kSpaceW) << "no glyphs: every character is a space";

  EXPECT_EQ(fonts_.setCharacterTable(u""), 0);
  EXPECT_EQ(fonts_.getCharacterCount(), 0);
  EXPECT_EQ(fonts_.glyphFor(u'A', kFont), CQZFFontManager::kNoGlyph);

  TestApplication notStarted;  // no graphics yet
  CQZFFontManager early(&notStarted);
  EXPECT_EQ(early.setCharacterTable(kTable), -50);
  EXPECT_EQ(notStarted.reports, (std::vector<Report>{{"qzf_font_manager", 41, -50}}));
  EXPECT_EQ(early.glyphFor(u'A', kFont), CQZFFontManager::kNoGlyph);

  CQZFFontManager orphan(nullptr);
  EXPECT_EQ(orphan.setCharacterTable(kTable), -50);
  EXPECT_EQ(orphan.drawGlyph(u'A', 0, 0, false, kFont, 255), 0);
  orphan.drawTextBox(u"AB CD", 0, 0, 100, 100, 0, kFont, 255);
  EXPECT_EQ(orphan.textWidth(u"AB", kFont), 0);

  ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
  EXPECT_EQ(fonts_.reset(), 0);
  EXPECT_EQ(fonts_.getCharacterTable(), nullptr);
  EXPECT_EQ(fonts_.getGraphics(), nullptr);
  EXPECT_EQ(fonts_.glyphFor(u'A', kFont), CQZFFontManager::kNoGlyph);
}

TEST_F(FontManagerTest, GlyphsAreFoundWithCaseFoldingWhereACaseIsMissing) {
  struct Case {
    const char16_t* table;
    char16_t c;
    int position;  // -1: no glyph
  } cases[] = {
      {kTable, u'e', 30},
      {kTable, u'E', 4},
      {kTable, u'7', 59},
      {kTable, u'!', 65},
      {kTable, u'#', -1},
      {u"ABCDE", u'e', 4},   // capitals only: the capital's glyph
      {u"abcde", u'E', 4},   // small letters only
      {u"aBC", u'b', -1},    // 'a' present: no folding, and no 'b'
      {u"1234567890", u'1', 0},  // digits before their '0'
      {u"ba", u'b', 0},
      {u"AaA", u'A', 2},     // a later 'A' starts the search
      {u".,", u',', 1},
      {u"AB", 0, -1},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(fonts_.setCharacterTable(c.table), 0);
    const uint16_t want = c.position < 0 ? CQZFFontManager::kNoGlyph : static_cast<uint16_t>(kFont + c.position);
    EXPECT_EQ(fonts_.glyphFor(c.c, kFont), want) << static_cast<char>(c.c);
  }

  // A glyph id would reach the "none" id.
  ASSERT_EQ(fonts_.setCharacterTable(u"AB"), 0);
  EXPECT_EQ(fonts_.glyphFor(u'A', 0xFFFE), 0xFFFE);
  EXPECT_EQ(fonts_.glyphFor(u'B', 0xFFFE), CQZFFontManager::kNoGlyph);
}

TEST_F(FontManagerTest, WidthsAddSpacingOnlyAfterGlyphs) {
  EXPECT_EQ(fonts_.lineHeight(kFont), kGlyphH);
  EXPECT_EQ(fonts_.spaceWidth(kFont), kGlyphW);
  EXPECT_EQ(fonts_.letterSpacing(kFont), 1);
  EXPECT_EQ(fonts_.verticalPadding(), 2);
  EXPECT_EQ(fonts_.horizontalPadding(), 2);
  EXPECT_EQ(fonts_.charWidth(u'm', kFont), 8);
  EXPECT_EQ(fonts_.charWidth(u' ', kFont), kSpaceW);
  EXPECT_EQ(fonts_.charWidth(u'#', kFont), kSpaceW);

  struct Case {
    const char16_t* text;
    int maxChars;
    int width;
  } cases[] = {
      {u"Am #i", CQZFFontManager::kAllChars, kAdvance + 9 + kSpaceW + kSpaceW + 3},
      {u"Am #i", 2, kAdvance + 9},
      {u"Am", 10, kAdvance + 9},
      {u"", CQZFFontManager::kAllChars, 0},
      {nullptr, CQZFFontManager::kAllChars, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(fonts_.textWidth(c.text, kFont, c.maxChars), c.width);

  // Width of "AB" is 12.
  EXPECT_EQ(fonts_.alignOffset(u"AB", 20, 0, kFont), 0);
  EXPECT_EQ(fonts_.alignOffset(u"AB", 20, 1, kFont), 4);
  EXPECT_EQ(fonts_.alignOffset(u"AB", 20, 2, kFont), 8);
  EXPECT_EQ(fonts_.alignOffset(u"AB", 11, 2, kFont), 0) << "wider than the field";
}

// The application's manager answers spacing from its own values; every
// measurement follows.
TEST_F(FontManagerTest, MeasuringUsesTheDerivedSpacing) {
  class Spaced : public CQZFFontManager {
   public:
    using CQZFFontManager::CQZFFontManager;
    int letterSpacing(uint16_t) override { return 3; }
    int spaceWidth(uint16_t) override { return 10; }
    int lineHeight(uint16_t) override { return 12; }
  } spaced(&app_);
  ASSERT_EQ(spaced.setCharacterTable(kTable), 0);
  EXPECT_EQ(spaced.textWidth(u"A B#", kFont), 8 + 10 + 8 + 10);
  QZFTextSize size;
  spaced.measureText(u"AB CD", kFont, 20, &size, nullptr, nullptr);
  EXPECT_EQ(size.width, 16);
  EXPECT_EQ(size.height, 24);
}

TEST_F(FontManagerTest, LinesBreakAtTheLastSpaceOrAnywhere) {
  // "abcd" is 24 wide, with the space 29, then 35 and 41 with 'e' and 'f'.
  struct Case {
    const char16_t* text;
    int start;
    int width;
    bool anywhere;
    int count;
  } cases[] = {
      {u"abcd efgh", 0, 40, false, 4},
      {u"abcd efgh", 0, 40, true, 5},    // the overflow position minus one
      {u"abcd efgh", 0, 100, false, 9},
      {u"abcd efgh", 0, 28, false, 4},   // the space itself overflows
      {u"abcdefgh", 0, 20, false, 2},    // no space: as anywhere
      {u"ab-cdefgh", 0, 20, false, 3},   // a word wider than the line: after its hyphen
      {u"ab.cd efgh", 0, 20, false, 3},  // or its dot
      {u"ab-cdefgh", 0, 20, true, 2},
      {u"ab cd-efgh", 0, 30, false, 2},  // a space before it comes first
      {u"ab\ncd", 0, 100, false, 2},
      {u"\ncd", 0, 100, false, 0},
      {u"abcd efgh", 5, 12, false, 1},   // counted from the start
      {u"abcd efgh", 5, 100, false, 4},
      {u" abcdefgh", 0, 20, false, 2},   // a leading space is no break
      {u"abcd", 4, 100, false, 0},
      {u"abcd", 9, 100, false, 0},
      {u"", 0, 100, false, 0},
      {nullptr, 0, 100, false, 0},
      {u"mm", 0, 3, false, -1},          // not even one fits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fonts_.fitLine(c.text, c.start, c.width, kFont, c.anywhere), c.count)
        << (c.text ? std::string(c.text, c.text + std::u16string_view(c.text).size()) : "null") << " from "
        << c.start << " in " << c.width << (c.anywhere ? " anywhere" : "");
  }
}

TEST_F(FontManagerTest, LinesFitBackwardFromTheirEnd) {
  // Backwards: "efgh" is 24, with the space 29, then 35 and 41.
  struct Case {
    const char16_t* text;
    int end;
    int width;
    bool anywhere;
    int count;
  } cases[] = {
      {u"abcd efgh", 9, 40, false, 4},
      {u"abcd efgh", 9, 40, true, 5},
      {u"abcd efgh", 9, 100, false, 9},
      {u"abcd efgh", 100, 100, false, 9},  // the end is cut to the text
      {u"abcdefgh", 8, 20, false, 2},
      {u"abcd efgh", 4, 12, false, 1},
      {u"ab\ncd", 5, 100, false, 2},
      {u"abcd efgh ", 10, 40, false, 5},   // a trailing space is no break
      {u"abcd", 0, 100, false, 0},
      {nullptr, 3, 100, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fonts_.fitLineBackward(c.text, c.end, c.width, kFont, c.anywhere), c.count)
        << (c.text ? std::string(c.text, c.text + std::u16string_view(c.text).size()) : "null") << " to " << c.end
        << " in " << c.width << (c.anywhere ? " anywhere" : "");
  }
}

TEST_F(FontManagerTest, MeasuringWrapsLikeDrawing) {
  struct Case {
    const char16_t* text;
    int width;
    QZFTextSize size;
    int longest;
    int lines;
  } cases[] = {
      {u"abcd efgh ij", 40, {38, 2 * kGlyphH}, 7, 2},
      {u"abcd   efgh", 28, {24, 2 * kGlyphH}, 4, 2},      // every space at the break is skipped
      {u"abcd \nefgh", 26, {24, 2 * kGlyphH}, 4, 2},      // and the newline after them
      {u"ab\n\ncd", 100, {12, 3 * kGlyphH}, 2, 3},        // a blank line
      {u"ab\n", 100, {12, kGlyphH}, 2, 1},
      {u"\n\n", 100, {0, 2 * kGlyphH}, 0, 2},
      {u"   ", 100, {3 * kSpaceW, kGlyphH}, 3, 1},
      {u"ab cd", 0, {0, 0}, 0, 0},
      {u"mm", 3, {0, 0}, 0, 0},
      {u"", 100, {0, 0}, 0, 0},
      {nullptr, 100, {0, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    QZFTextSize size{-1, -1};
    int longest = -1, lines = -1;
    fonts_.measureText(c.text, kFont, c.width, &size, &longest, &lines);
    const std::string name = c.text ? std::string(c.text, c.text + std::u16string_view(c.text).size()) : "null";
    EXPECT_EQ(size.width, c.size.width) << name;
    EXPECT_EQ(size.height, c.size.height) << name;
    EXPECT_EQ(longest, c.longest) << name;
    EXPECT_EQ(lines, c.lines) << name;
  }
}

TEST_F(FontManagerTest, GlyphsAreQueuedMirroredOnRequest) {
  EXPECT_EQ(fonts_.drawGlyph(u'B', 10, 0, false, kFont, 255), 1);
  EXPECT_EQ(fonts_.drawGlyph(u'C', 20, 0, true, kFont, 255), 1);
  EXPECT_EQ(fonts_.drawGlyph(u'#', 30, 0, false, kFont, 255), 0);
  EXPECT_EQ(drawnRow(0), "B@10 C~@20");
}

TEST_F(FontManagerTest, OneLineDrawsItsGlyphsAtTheirOffsets) {
  struct Case {
    const char16_t* text;
    int width;
    int alignment;
    const char* drawn;
  } cases[] = {
      {u"Ab", 100, 0, "A@10 b@16"},
      {u"Ab", 100, 1, "A@54 b@60"},
      {u"Ab", 100, 2, "A@98 b@104"},
      {u"A #b", 100, 0, "A@10 b@26"},  // a space and a missing glyph take the space width
      {u"'a'b'", 100, 0, "'~@10 a@16 '@22 b@28 '~@34"},
      // Wider than the field: from the left edge, until the offset passes the width.
      {u"ABCDEF", 13, 2, "A@10 B@16 C@22"},
      {u"ABCDEF", 12, 2, "A@10 B@16 C@22"},
      {u"ABCDEF", 11, 2, "A@10 B@16"},
      {u"", 100, 0, ""},
  };
  for (const Case& c : cases) {
    clearScreen();
    fonts_.drawText(c.text, 10, 50, c.width, c.alignment, kFont, 255);
    EXPECT_EQ(drawnRow(50), c.drawn) << std::string(c.text, c.text + std::u16string_view(c.text).size());
  }
  fonts_.drawText(nullptr, 10, 50, 100, 0, kFont, 255);
}

TEST_F(FontManagerTest, OnlyADirtyLineIsDrawn) {
  g_->clearGrid();
  fonts_.drawText(u"AB", 10, 50, 100, 0, kFont, 255);
  EXPECT_EQ(drawnRow(50), "");
  g_->invalidateRect(100, 56, 4, 4);  // touches the line's last row
  g_->buildUpdateList();
  g_->computeUncovered();
  fonts_.drawText(u"AB", 10, 50, 100, 0, kFont, 255);
  EXPECT_EQ(drawnRow(50), "A@10 B@16");
}

TEST_F(FontManagerTest, ABoxDrawsWrappedLinesUntilItsBottom) {
  fonts_.drawTextBox(u"abcd efgh ij \nkl\n\nmn", 10, 20, 40, 100, 2, kFont, 255);
  EXPECT_EQ(drawnRow(20), "a@26 b@32 c@38 d@44");
  EXPECT_EQ(drawnRow(27), "e@12 f@18 g@24 h@30 i@41 j@44");
  EXPECT_EQ(drawnRow(34), "k@38 l@44");
  EXPECT_EQ(drawnRow(41), "");
  EXPECT_EQ(drawnRow(48), "m@35 n@44");

  // A line starting at the bottom edge is the last one drawn.
  clearScreen();
  fonts_.drawTextBox(u"ab\ncd\nef\ngh", 10, 20, 40, 14, 0, kFont, 255);
  EXPECT_EQ(drawnRow(34), "e@10 f@16");
  EXPECT_EQ(drawnRow(41), "");
}

}  // namespace
