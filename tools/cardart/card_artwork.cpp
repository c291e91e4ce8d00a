#include "card_artwork.h"

#include "card_face.h"
#include "card_marks.h"
#include "trophy_face.h"

namespace {

struct FrontSets {
  int style;
  CardSize size;
  int firstSet;
  bool setPerSuit;
  int firstBlob;
};

const FrontSets kFronts[] = {
    {0, kLargeCard, 85, false, 977}, {0, kSmallCard, 80, false, 873}, {1, kLargeCard, 91, true, 1121},
    {1, kSmallCard, 95, false, 1173}, {2, kLargeCard, 81, true, 925}, {2, kSmallCard, 86, true, 1029},
};

constexpr int kSuitOrder[4] = {1, 3, 2, 0};

bool drawFronts(const CardArtwork& artwork, ArtPlan& plan) {
  for (const FrontSets& f : kFronts) {
    for (int i = 0; i < 52; ++i) {
      Canvas canvas(f.size.width, f.size.height);
      // The third style is the trophy deck: face i is trophy i's picture.
      if (f.style == 2) {
        drawTrophyFace(canvas, f.size, artwork.glyphs, kSuitOrder[i / 13], 13 - i % 13, i);
      } else {
        drawFace(canvas, f.size, frontStyle(f.style), artwork.glyphs, kSuitOrder[i / 13], 13 - i % 13);
      }
      if (!plan.add(f.firstSet + (f.setPerSuit ? i / 13 : 0), f.firstBlob + i, canvas)) return false;
    }
  }
  return true;
}

bool drawBackPair(const BackRecipe& recipe, const CardSize& size, int setId, int blobId, ArtPlan& plan) {
  Canvas whole(size.width, size.height);
  drawBack(whole, recipe);
  Canvas half(size.width, size.height);
  drawHalfTurnedBack(half, recipe);
  return plan.add(setId, blobId, whole) && plan.add(setId, blobId + 1, half);
}

bool drawBacks(const CardArtwork& artwork, ArtPlan& plan, std::string& error) {
  const std::vector<BackPlace> places = backPlaces();
  if (artwork.backs.size() != places.size()) {
    error = "the back recipes name " + std::to_string(artwork.backs.size()) + " backs, the choosers hold " +
            std::to_string(places.size());
    return false;
  }
  for (size_t i = 0; i < places.size(); ++i) {
    const BackPlace& p = places[i];
    if (!drawBackPair(artwork.backs[i], kLargeCard, p.largeSet, p.largeBlob, plan) ||
        !drawBackPair(artwork.backs[i], kSmallCard, p.smallSet, p.smallBlob, plan)) {
      return false;
    }
  }
  Canvas random(kSmallCard.width, kSmallCard.height);
  drawRandomBack(random, artwork.backs);
  return plan.add(53, 814, random);
}

template <typename Draw>
bool addDrawn(ArtPlan& plan, int setId, int blobId, int width, int height, Draw draw) {
  Canvas canvas(width, height);
  draw(canvas);
  return plan.add(setId, blobId, canvas);
}

// Play screen extras: set 102 (large) and 103 (small): the edge-on back, then
// shadow, selection, highlight, mark and mark dot.
bool drawExtras(ArtPlan& plan, const CardSize& size, int setId, int edgeBlob, int firstBlob) {
  const int fw = size.width + 2 * kFrameOffset, fh = size.height + 2 * kFrameOffset;
  return addDrawn(plan, setId, edgeBlob, size.width, size.height, drawEdgeOn) &&
         addDrawn(plan, setId, firstBlob, size.width, size.height, drawShadow) &&
         addDrawn(plan, setId, firstBlob + 1, fw, fh, drawSelection) &&
         addDrawn(plan, setId, firstBlob + 2, fw, fh, drawHighlight) &&
         addDrawn(plan, setId, firstBlob + 3, size.width, size.height, drawMark) &&
         addDrawn(plan, setId, firstBlob + 4, size.width, size.height, drawMarkDot);
}

// The card-front chooser (set 106): padlock 1248, style pictures 1249-1251.
bool drawFrontChooser(const CardArtwork& artwork, ArtPlan& plan) {
  if (!addDrawn(plan, 106, 1248, kLargeCard.width, kLargeCard.height, drawLock)) return false;
  for (int style = 0; style < 2; ++style) {
    Canvas canvas(kLargeCard.width, kLargeCard.height);
    drawFace(canvas, kLargeCard, frontStyle(style), artwork.glyphs, 3, 12);
    if (!plan.add(106, 1249 + style, canvas)) return false;
  }
  // The trophy deck shows its champion's crown (the queen of diamonds' face).
  Canvas trophyDeck(kLargeCard.width, kLargeCard.height);
  drawTrophyFace(trophyDeck, kLargeCard, artwork.glyphs, 3, 12, 51);
  if (!plan.add(106, 1251, trophyDeck)) return false;
  return true;
}

}  // namespace

std::vector<BackPlace> backPlaces() {
  std::vector<BackPlace> places{{54, 816, 27, 762}};
  for (int k = 0; k < 3; ++k) places.push_back({110 + k, 1258 + 2 * k, 107 + k, 1252 + 2 * k});
  places.push_back({124, 1287, 123, 1285});
  for (int k = 0; k < 5; ++k) places.push_back({118 + k, 1276 + 2 * k, 113 + k, 1266 + 2 * k});
  places.push_back({55, 818, 28, 764});
  for (int k = 0; k < 7; ++k) places.push_back({56 + k, 820 + 2 * k, 29 + k, 766 + 2 * k});
  places.push_back({63, 834, 36, 780});
  places.push_back({64, 836, 37, 782});
  for (int k = 0; k < 9; ++k) places.push_back({70 + k, 848 + 2 * k, 43 + k, 794 + 2 * k});
  return places;
}

int faceBlob(int base, int suit, int rank) {
  for (int group = 0; group < 4; ++group) {
    if (kSuitOrder[group] == suit) return base + group * 13 + 13 - rank;
  }
  return -1;
}

bool drawCardArtwork(const CardArtwork& artwork, ArtPlan& plan, std::string& error) {
  const bool ok = drawFronts(artwork, plan) && drawBacks(artwork, plan, error) &&
                  drawExtras(plan, kLargeCard, 102, 1232, 1234) && drawExtras(plan, kSmallCard, 103, 1233, 1239) &&
                  drawFrontChooser(artwork, plan) &&
                  addDrawn(plan, 26, 760, kSmallCard.width, kSmallCard.height, drawLock);
  if (!ok && error.empty()) error = plan.error();
  return ok;
}
