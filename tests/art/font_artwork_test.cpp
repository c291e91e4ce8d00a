// The bitmap fonts as the font manager reads them: one glyph blob for every
// character of the application's character table, at consecutive ids from
// the font id, all as high as the line.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "art_database.h"
#include "font_recipe.h"

namespace {

// The application's character table, one glyph per character in this order.
const char16_t kTable[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!$'-,.?:/+()={}@abcdefghijklmnopqrstuvwxyz"
    u"ÀÈÌÒÙàèìòùÁÉÍÓÚÝáéíóúýÂÊÎÔÛâêîôûÃÑÕãñõÄËÏÖÜŸäëïöüÿÅåÆæî£ÇçÐðØø¿¡ß";

TEST(FontArtwork, EveryFontHasEveryGlyphOfTheCharacterTableAtOneLineHeight) {
  ASSERT_EQ(std::u16string(kTable).size(), 143u);
  ArtDatabase database;
  std::string error;
  ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynFonts.pdb", database, error)) << error;
  const struct { int set, first; } fonts[] = {{8, 0}, {9, 240}, {10, 388}, {14, 535}};
  for (const auto& font : fonts) {
    const auto set = database.sets.find(font.set);
    ASSERT_NE(set, database.sets.end()) << "font " << font.first;
    ASSERT_EQ(set->second.size(), 143u) << "font " << font.first;
    const int lineHeight = set->second[0].height;
    for (size_t i = 0; i < set->second.size(); ++i) {
      const BlobPicture& glyph = set->second[i];
      EXPECT_EQ(glyph.id, font.first + static_cast<int>(i));
      EXPECT_EQ(glyph.height, lineHeight) << "glyph " << glyph.id;
      EXPECT_GT(glyph.width, 0);
      bool inked = false;
      for (uint32_t v : glyph.argb) inked = inked || v != 0;
      EXPECT_TRUE(inked) << "glyph " << glyph.id << " is blank";
    }
  }
}

// At the fonts' small sizes the marks are fitted by hand: every letter of a
// family (e, è, é, ê, ë) must look different from the others in every font.
TEST(FontArtwork, LettersWithMarksDifferFromTheirBaseAndEachOther) {
  ArtDatabase database;
  std::string error;
  ASSERT_TRUE(readArtDatabase(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynFonts.pdb", database, error)) << error;
  const std::u16string table = kTable;
  const char16_t* const families[] = {u"aàáâãäå", u"eèéêë", u"iìíîï", u"oòóôõö", u"uùúûü", u"yýÿ", u"nñ",
                                      u"AÀÁÂÃÄÅ", u"EÈÉÊË", u"IÌÍÎÏ", u"OÒÓÔÕÖ", u"UÙÚÛÜ", u"YÝŸ", u"NÑ"};
  for (int setId : {8, 9, 10, 14}) {
    const std::vector<BlobPicture>& glyphs = database.sets[setId];
    ASSERT_EQ(glyphs.size(), table.size());
    for (const char16_t* family : families) {
      std::set<std::vector<uint32_t>> looks;
      for (const char16_t* c = family; *c; ++c) looks.insert(glyphs[table.find(*c)].argb);
      EXPECT_EQ(looks.size(), std::u16string(family).size()) << "set " << setId << ", family of " << char(family[0]);
    }
  }
}

TEST(FontRecipes, ReadsTheTableAndFontsAndRefusesBadLines) {
  FontRecipes recipes;
  std::string error;
  ASSERT_TRUE(
      parseFontRecipes("# c\ntable Aé\nfont 8 0 a.ttf 10 13 10 181818\n"
                       "font 9 240 b.ttf 9 13 10 ffffff outline 202020\n",
                       recipes, error))
      << error;
  EXPECT_EQ(recipes.table, U"Aé");
  ASSERT_EQ(recipes.fonts.size(), 2u);
  EXPECT_FALSE(recipes.fonts[0].outlined);
  EXPECT_TRUE(recipes.fonts[1].outlined);
  EXPECT_EQ(recipes.fonts[1].outline, 0x202020u);
  for (const char* bad : {"font 8 0 a.ttf 10 13 14 181818\n", "font 8 0 a.ttf 10 13 10 18181\n",
                          "font 8 0 a.ttf 10 13 10 181818 rim 000000\n", "table \xC3\n", "glyph x\n"}) {
    FontRecipes r;
    EXPECT_FALSE(parseFontRecipes(bad, r, error)) << bad;
  }
}

}  // namespace
