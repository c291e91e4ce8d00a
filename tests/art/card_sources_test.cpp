// The text sources of the card artwork: pixel designs and back recipes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card_back.h"
#include "pixel_glyphs.h"

namespace {

TEST(PixelGlyphs, ReadsDesignsAndSkipsComments) {
  PixelGlyphs glyphs;
  std::string error;
  ASSERT_TRUE(parsePixelGlyphs("# two designs\nglyph a\n#.\n.#\n\nglyph b\n###\n", glyphs, error)) << error;
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs["a"].width, 2);
  EXPECT_EQ(glyphs["a"].height, 2);
  EXPECT_TRUE(glyphs["a"].at(0, 0));
  EXPECT_FALSE(glyphs["a"].at(1, 0));
  EXPECT_EQ(glyphs["b"].width, 3);
}

TEST(PixelGlyphs, RefusesBadDesigns) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"glyph a\n##\n#\n", "line 3: row width differs"},
      {"glyph a\n#x\n", "line 2: unknown character in a row"},
      {"glyph a\n\n", "line 2: glyph a has no rows"},
      {"##\n", "line 1: row outside a glyph"},
  };
  for (const auto& c : cases) {
    PixelGlyphs glyphs;
    std::string error;
    EXPECT_FALSE(parsePixelGlyphs(c.text, glyphs, error)) << c.text;
    EXPECT_EQ(error, c.message);
  }
}

TEST(BackRecipes, ReadsRecipesAndRefusesUnknownPatternsAndColours) {
  std::vector<BackRecipe> backs;
  std::string error;
  ASSERT_TRUE(parseBackRecipes("# c\nback dots 102030 a0b0c0\n", backs, error)) << error;
  ASSERT_EQ(backs.size(), 1u);
  EXPECT_EQ(backs[0].ground.g, 0x20);
  EXPECT_EQ(backs[0].motif.b, 0xc0);
  for (const char* bad : {"back spots 102030 a0b0c0\n", "back dots 10203 a0b0c0\n", "back dots 102030 a0b0cg\n",
                          "back dots 102030 a0b0c0 extra\n", "front dots 102030 a0b0c0\n"}) {
    backs.clear();
    EXPECT_FALSE(parseBackRecipes(bad, backs, error)) << bad;
    EXPECT_EQ(error, "line 1: expected back PATTERN RRGGBB RRGGBB");
  }
}

}  // namespace
