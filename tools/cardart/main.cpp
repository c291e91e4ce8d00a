// cardart GLYPHS BACKS OUTDIR
// Draws the card artwork (faces of the three front styles at both card
// sizes, the backs with their turn-over frames, the selection and mark
// pictures, the chooser thumbnails and padlocks) into OUTDIR/png and writes
// OUTDIR/packlist.txt and OUTDIR/art.txt for imgpack and pdbtool.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "card_artwork.h"

namespace {

bool readText(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  return true;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "cardart: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: cardart GLYPHS BACKS OUTDIR\n");
    return 2;
  }
  std::string glyphText, backText, error;
  if (!readText(argv[1], glyphText)) return fail(std::string("cannot read ") + argv[1]);
  if (!readText(argv[2], backText)) return fail(std::string("cannot read ") + argv[2]);
  CardArtwork artwork;
  if (!parsePixelGlyphs(glyphText, artwork.glyphs, error)) return fail(std::string(argv[1]) + ": " + error);
  if (!parseBackRecipes(backText, artwork.backs, error)) return fail(std::string(argv[2]) + ": " + error);
  const std::string out = argv[3];
  std::filesystem::create_directories(out + "/png");
  std::filesystem::create_directories(out + "/sets");
  ArtPlan plan(out);
  if (!drawCardArtwork(artwork, plan, error)) return fail(error);
  return plan.finish("PellwynCards") ? 0 : fail("cannot write the pack list");
}
