// backart RECIPES OUTDIR
// Draws the full-screen planes of the recipes (240 x 320), their chooser
// thumbnails (60 x 80, blob set 79, with the padlock 866), into OUTDIR/png,
// and writes OUTDIR/packlist.txt and OUTDIR/art.txt for imgpack and pdbtool.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "art_plan.h"
#include "backgrounds.h"
#include "card_marks.h"

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
  if (argc != 3) {
    std::fprintf(stderr, "usage: backart RECIPES OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) return fail(std::string("cannot read ") + argv[1]);
  const std::string out = argv[2];
  std::filesystem::create_directories(out + "/png");
  std::filesystem::create_directories(out + "/sets");
  ArtPlan plan(out);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    if (!drawLine(line, plan)) {
      const std::string why = plan.error().empty() ? "expected plane ID RECIPE [thumb BLOB]" : plan.error();
      return fail(std::string(argv[1]) + ": line " + std::to_string(number) + ": " + why);
    }
  }
  Canvas lock(kThumbW, kThumbH);
  drawLock(lock);
  if (!plan.add(kThumbSet, 866, lock)) return fail(plan.error());
  return plan.finish("PellwynTables") ? 0 : fail("cannot write the pack list");
}
