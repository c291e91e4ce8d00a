// backart RECIPES GLYPHS OUTDIR
// Draws the full-screen planes of the recipes (240 x 320), their chooser
// thumbnails (60 x 80, blob set 79, with the padlock 866) and the load screen
// and title pictures (the card index designs of GLYPHS serve their cards),
// the game dial's pictures
// into OUTDIR/png, and writes OUTDIR/packlist.txt and OUTDIR/art.txt for
// imgpack and pdbtool.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "art_plan.h"
#include "backgrounds.h"
#include "card_marks.h"
#include "dial_pictures.h"
#include "recipe_lines.h"
#include "screen_pictures.h"

namespace {

constexpr int kScreenW = 240, kScreenH = 320, kThumbW = 60, kThumbH = 80, kThumbSet = 79;

int fail(const std::string& message) {
  std::fprintf(stderr, "backart: %s\n", message.c_str());
  return 1;
}

// One "plane ID RECIPE [thumb BLOB]" line; false when it is malformed.
bool drawLine(const std::string& line, ArtPlan& plan) {
  std::istringstream words(line);
  std::string keyword, recipe, thumb, rest;
  int planeId = -1, blobId = -1;
  if (!(words >> keyword >> planeId >> recipe) || keyword != "plane" || planeId < 0 || !knownBackground(recipe)) {
    return false;
  }
  if (words >> thumb && (thumb != "thumb" || !(words >> blobId) || blobId < 0 || (words >> rest))) return false;
  Canvas picture(kScreenW, kScreenH);
  drawBackground(picture, recipe);
  if (!plan.addPlane(planeId, picture)) return false;
  if (blobId < 0) return true;
  Canvas small(kThumbW, kThumbH);
  drawThumbnail(small, picture);
  return plan.add(kThumbSet, blobId, small);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: backart RECIPES GLYPHS OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  std::ifstream glyphFile(argv[2]);
  if (!in || !glyphFile) return fail("cannot read the sources");
  std::ostringstream glyphText;
  glyphText << glyphFile.rdbuf();
  PixelGlyphs glyphs;
  std::string error;
  if (!parsePixelGlyphs(glyphText.str(), glyphs, error)) return fail(std::string(argv[2]) + ": " + error);
  const std::string out = argv[3];
  std::filesystem::create_directories(out + "/png");
  std::filesystem::create_directories(out + "/sets");
  ArtPlan plan(out);
  std::ostringstream recipes;
  recipes << in.rdbuf();
  std::string why;
  const bool drawn = forEachRecipeLine(recipes.str(), [&](const std::string& line, int number) {
    if (drawLine(line, plan)) return true;
    why = "line " + std::to_string(number) + ": " +
          (plan.error().empty() ? "expected plane ID RECIPE [thumb BLOB]" : plan.error());
    return false;
  });
  if (!drawn) return fail(std::string(argv[1]) + ": " + why);
  Canvas lock(kThumbW, kThumbH);
  drawLock(lock);
  if (!plan.add(kThumbSet, 866, lock) || !drawScreenPictures(glyphs, plan) || !drawDialPictures(plan)) {
    return fail(plan.error());
  }
  const bool written = plan.finish("PellwynTables");
  cairo_debug_reset_static_data();  // the name's font: let cairo and fontconfig free their caches
  FcFini();
  return written ? 0 : fail("cannot write the pack list");
}
