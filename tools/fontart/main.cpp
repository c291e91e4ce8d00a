// fontart RECIPES FONTDIR OUTDIR
// Renders every glyph of the character table in every font of the recipes
// into OUTDIR/png and writes OUTDIR/packlist.txt and OUTDIR/art.txt for
// imgpack and pdbtool (as cardart does).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "art_plan.h"
#include "font_recipe.h"
#include "glyph_renderer.h"

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "fontart: %s\n", message.c_str());
  return 1;
}

bool drawFont(const FontRecipes& recipes, const FontRecipe& font, const std::string& fontDir, ArtPlan& plan,
              std::string& error) {
  const std::string path = std::filesystem::exists(font.file) ? font.file : fontDir + "/" + font.file;
  GlyphRenderer renderer;
  if (!renderer.open(path, font, error)) return false;
  for (size_t i = 0; i < recipes.table.size(); ++i) {
    std::unique_ptr<Canvas> glyph = renderer.render(recipes.table[i]);
    if (!glyph) {
      error = font.file + " has no glyph for character " + std::to_string(static_cast<unsigned>(recipes.table[i]));
      return false;
    }
    if (!plan.add(font.setId, font.firstBlob + static_cast<int>(i), *glyph)) {
      error = plan.error();
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: fontart RECIPES FONTDIR OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  FontRecipes recipes;
  std::string error;
  if (!in || !parseFontRecipes(text.str(), recipes, error)) return fail(std::string(argv[1]) + ": " + error);
  const std::string out = argv[3];
  std::filesystem::create_directories(out + "/png");
  std::filesystem::create_directories(out + "/sets");
  ArtPlan plan(out);
  for (const FontRecipe& font : recipes.fonts) {
    if (!drawFont(recipes, font, argv[2], plan, error)) return fail(error);
  }
  return plan.finish("PellwynFonts") ? 0 : fail("cannot write the pack list");
}
