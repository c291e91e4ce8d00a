// chromeart RECIPE OUTDIR
// Draws every piece of the recipe (the interface pictures: frames, buttons,
// controls, menus, keys, signs; or the play screen's toolbar and marks) into
// OUTDIR/png and writes OUTDIR/packlist.txt and OUTDIR/art.txt for imgpack
// and pdbtool (as cardart does).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "art_plan.h"
#include "chrome_pieces.h"
#include "chrome_recipe.h"

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "chromeart: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: chromeart RECIPE OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ChromeRecipe recipe;
  std::string error;
  if (!in || !parseChromeRecipe(text.str(), recipe, error)) return fail(std::string(argv[1]) + ": " + error);
  const std::string out = argv[2];
  std::filesystem::create_directories(out + "/png");
  std::filesystem::create_directories(out + "/sets");
  ArtPlan plan(out);
  Palette palette(recipe.colours);
  for (const ChromePiece& piece : recipe.pieces) {
    Canvas canvas(piece.width, piece.height);
    const PieceJob job{recipe, piece, palette};
    if (!drawChromePiece(job, canvas, error)) return fail("line " + std::to_string(piece.line) + ": " + error);
    if (!palette.missing().empty()) {
      return fail("line " + std::to_string(piece.line) + ": no colour " + palette.missing() + " in the recipe");
    }
    if (!plan.add(piece.setId, piece.blobId, canvas)) return fail(plan.error());
  }
  return plan.finish(recipe.database) ? 0 : fail("cannot write the pack list");
}
