// The interface pictures and the play screen's pictures as the forms, menus
// and the play screen read them: every piece of the recipes in its blob set
// at its size, the ids the code names the same as the recipe's, the tinted
// sets neutral, and frames and tiles that join without a seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "art_database.h"
#include "chrome_pieces.h"
#include "chrome_recipe.h"
#include "qzf_chrome.h"

namespace {

const char* const kInstall = PELLWYN_BINARY_DIR "/data/pellwyn/install/";

ChromeRecipe readRecipe(const std::string& name) {
  std::ifstream in(std::string(PELLWYN_SOURCE_DIR "/data/art/") + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ChromeRecipe recipe;
  std::string error;
  EXPECT_TRUE(parseChromeRecipe(text.str(), recipe, error)) << name << ": " << error;
  return recipe;
}

// The pictures of a database by blob id (each id of these databases lies in
// one set only; of the card backs, which share ids between sets, the first).
std::map<int, BlobPicture> picturesById(const std::string& database, std::map<int, int>* setOf = nullptr) {
  ArtDatabase art;
  std::string error;
  EXPECT_TRUE(readArtDatabase(kInstall + database, art, error)) << error;
  std::map<int, BlobPicture> byId;
  for (const auto& [setId, blobs] : art.sets) {
    for (const BlobPicture& b : blobs) {
      const bool first = byId.emplace(b.id, b).second;
      if (database != "PellwynCards.pdb") {
        EXPECT_TRUE(first) << "blob " << b.id << " in two sets of " << database;
      }
      if (setOf) (*setOf)[b.id] = setId;
    }
  }
  return byId;
}

void expectEveryPiece(const std::string& recipeName) {
  const ChromeRecipe recipe = readRecipe(recipeName);
  ASSERT_FALSE(recipe.pieces.empty());
  std::map<int, int> setOf;
  const std::map<int, BlobPicture> byId = picturesById(recipe.database + ".pdb", &setOf);
  EXPECT_EQ(byId.size(), recipe.pieces.size()) << "the database holds pictures the recipe does not name";
  for (const ChromePiece& p : recipe.pieces) {
    const auto found = byId.find(p.blobId);
    ASSERT_NE(found, byId.end()) << p.name;
    EXPECT_EQ(setOf[p.blobId], p.setId) << p.name;
    EXPECT_EQ(found->second.width, p.width) << p.name;
    EXPECT_EQ(found->second.height, p.height) << p.name;
    const auto& px = found->second.argb;
    EXPECT_TRUE(std::any_of(px.begin(), px.end(), [](uint32_t v) { return v != 0; })) << p.name << " is empty";
  }
}

TEST(ChromeArtwork, EveryPieceOfTheRecipesIsInItsSetAtItsSize) { expectEveryPiece("chrome.txt"); }

TEST(ChromeArtwork, TheIdsTheCodeNamesAreTheRecipes) {
  const ChromeRecipe recipe = readRecipe("chrome.txt");
  const struct {
    uint16_t id;
    const char* piece;
  } named[] = {
      {qzf_chrome::kFormFrame, "formFrame.tl"},
      {qzf_chrome::kTitleBar, "titleBar.left"},
      {qzf_chrome::kButton, "button.normal.left"},
      {qzf_chrome::kSelectorLeft, "selector.left.normal"},
      {qzf_chrome::kSelectorRight, "selector.right.normal"},
      {qzf_chrome::kAccentButton, "accentButton.normal.left"},
      {qzf_chrome::kCheckbox, "checkbox.off"},
      {qzf_chrome::kRoundButton, "radio.off"},
      {qzf_chrome::kSliderBar, "slider.bar"},
      {qzf_chrome::kSliderBarFocused, "slider.barFocused"},
      {qzf_chrome::kSliderKnob, "slider.knob"},
      {qzf_chrome::kTextEntry, "textEntry.normal.left"},
      {qzf_chrome::kTextCursor, "textEntry.cursor"},
      {qzf_chrome::kRule, "rule.line"},
      {qzf_chrome::kPopupFrame, "popupFrame.tl"},
      {qzf_chrome::kMenuBarFrame, "menuBarFrame.tl"},
      {qzf_chrome::kSubmenuArrowLeft, "submenu.left"},
      {qzf_chrome::kSubmenuArrowRight, "submenu.right"},
      {qzf_chrome::kMarkOn, "mark.on"},
      {qzf_chrome::kMarkOff, "mark.off"},
      {qzf_chrome::kScrollUp, "scroll.up"},
      {qzf_chrome::kScrollDown, "scroll.down"},
      {qzf_chrome::kSoftKeyLeft, "softKey.left"},
      {qzf_chrome::kSoftKeyRight, "softKey.right"},
      {qzf_chrome::kKey, "key.normal"},
      {qzf_chrome::kWideKey, "wideKey.normal"},
      {qzf_chrome::kAlertFrame, "alertFrame.tl"},
      {qzf_chrome::kSignInformation, "sign.information"},
      {qzf_chrome::kSignWarning, "sign.warning"},
      {qzf_chrome::kSignQuestion, "sign.question"},
      {qzf_chrome::kSignError, "sign.error"},
  };
  for (const auto& n : named) {
    const ChromePiece* p = recipe.find(n.piece);
    ASSERT_NE(p, nullptr) << n.piece;
    EXPECT_EQ(p->blobId, n.id) << n.piece;
  }
  // Every interface piece but the minimise button keeps to the chosen range,
  // and no other artwork database uses an id of it.
  std::set<int> others;
  for (const char* database : {"PellwynCards.pdb", "PellwynTables.pdb", "PellwynFonts.pdb"}) {
    ArtDatabase art;
    std::string error;
    ASSERT_TRUE(readArtDatabase(kInstall + std::string(database), art, error)) << error;
    for (const auto& [setId, blobs] : art.sets) {
      for (const BlobPicture& b : blobs) others.insert(b.id);
    }
  }
  for (const ChromePiece& p : recipe.pieces) {
    if (p.name.rfind("minimise.", 0) != 0) {
      EXPECT_GE(p.blobId, qzf_chrome::kFirst) << p.name;
      EXPECT_LE(p.blobId, qzf_chrome::kLast) << p.name;
    }
    EXPECT_EQ(others.count(p.blobId), 0u) << p.name << " shares its id with other artwork";
  }
}

// The colour scheme tints sets 1, 2 and 4 (interface) and 100, 11 and 12
// (toolbar strip, ornament, toolbar) by adding to each channel: drawn in
// greys, they take the scheme's hue whatever it is.
TEST(ChromeArtwork, TintedSetsAreNeutralGreys) {
  const std::set<int> tinted = {1, 2, 4, 100, 11, 12};
  for (const char* database : {"PellwynChrome.pdb", "PellwynPlay.pdb"}) {
    std::map<int, int> setOf;
    const std::map<int, BlobPicture> byId = picturesById(database, &setOf);
    for (const auto& [id, picture] : byId) {
      if (!tinted.count(setOf[id])) continue;
      for (uint32_t v : picture.argb) {
        if (v == 0) continue;
        const int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
        ASSERT_LE(std::max({r, g, b}) - std::min({r, g, b}), 24) << "blob " << id;
      }
    }
  }
}

const BlobPicture& pictureOf(const std::map<int, BlobPicture>& byId, const ChromeRecipe& recipe,
                             const std::string& piece) {
  const ChromePiece* p = recipe.find(piece);
  EXPECT_NE(p, nullptr) << piece;
  static const BlobPicture none;
  const auto found = p ? byId.find(p->blobId) : byId.end();
  return found == byId.end() ? none : found->second;
}

bool columnsAlike(const BlobPicture& b) {
  for (int y = 0; y < b.height; ++y) {
    for (int x = 1; x < b.width; ++x) {
      if (b.argb[y * b.width + x] != b.argb[y * b.width]) return false;
    }
  }
  return true;
}

bool rowsAlike(const BlobPicture& b) {
  for (int y = 1; y < b.height; ++y) {
    for (int x = 0; x < b.width; ++x) {
      if (b.argb[y * b.width + x] != b.argb[x]) return false;
    }
  }
  return true;
}

// Edge and middle tiles are repeated side by side (or one under the other):
// alike across their length, they join without a seam whatever the count.
TEST(ChromeArtwork, TilesRepeatWithoutASeam) {
  const ChromeRecipe recipe = readRecipe("chrome.txt");
  const std::map<int, BlobPicture> byId = picturesById("PellwynChrome.pdb");
  for (const char* frame : {"formFrame", "alertFrame", "popupFrame", "menuBarFrame"}) {
    const std::string f = frame;
    EXPECT_TRUE(columnsAlike(pictureOf(byId, recipe, f + ".t"))) << f;
    EXPECT_TRUE(columnsAlike(pictureOf(byId, recipe, f + ".b"))) << f;
    EXPECT_TRUE(rowsAlike(pictureOf(byId, recipe, f + ".l"))) << f;
    EXPECT_TRUE(rowsAlike(pictureOf(byId, recipe, f + ".r"))) << f;
  }
  for (const char* middle : {"titleBar.middle", "button.normal.middle", "button.pressed.middle",
                             "button.focused.middle", "accentButton.normal.middle", "accentButton.pressed.middle",
                             "accentButton.focused.middle", "textEntry.normal.middle", "textEntry.focused.middle"}) {
    EXPECT_TRUE(columnsAlike(pictureOf(byId, recipe, middle))) << middle;
  }
}

// A pressed or focused look that matched the normal one would not show.
TEST(ChromeArtwork, EveryLookOfAControlDiffersFromTheOthers) {
  const ChromeRecipe recipe = readRecipe("chrome.txt");
  const std::map<int, BlobPicture> byId = picturesById("PellwynChrome.pdb");
  const std::vector<std::vector<std::string>> looks = {
      {"button.normal.left", "button.pressed.left", "button.focused.left"},
      {"accentButton.normal.left", "accentButton.pressed.left", "accentButton.focused.left"},
      {"selector.left.normal", "selector.left.pressed", "selector.left.focused", "selector.right.normal"},
      {"checkbox.off", "checkbox.on", "checkbox.focusOff", "checkbox.focusOn"},
      {"radio.off", "radio.on", "radio.focusOff", "radio.focusOn", "checkbox.off"},
      {"slider.bar", "slider.barFocused"},
      {"textEntry.normal.left", "textEntry.focused.left"},
      {"scroll.up", "scroll.upPressed", "scroll.down", "scroll.downPressed"},
      {"softKey.left", "softKey.leftPressed", "softKey.right", "softKey.rightPressed"},
      {"key.normal", "key.focused", "key.pressed"},
      {"mark.on", "mark.off"},
      {"submenu.left", "submenu.right"},
      {"minimise.normal", "minimise.pressed"},
  };
  for (const auto& group : looks) {
    std::set<std::vector<uint32_t>> distinct;
    for (const std::string& piece : group) distinct.insert(pictureOf(byId, recipe, piece).argb);
    EXPECT_EQ(distinct.size(), group.size()) << group[0];
  }
}

TEST(PlayArtwork, EveryPieceOfTheRecipeIsInItsSetAtItsSize) { expectEveryPiece("play_art.txt"); }

// The toolbar picture shows the six buttons in the toolbar's first order
// (instructions, hint, new deal, restart, redo, undo), each exactly as its own
// normal picture, 2 pixels apart from x 1, so the button pictures can be drawn
// over it in either order; selected and pressed looks differ from it.
TEST(PlayArtwork, TheToolbarShowsEachButtonAsItsOwnPicture) {
  const std::map<int, BlobPicture> byId = picturesById("PellwynPlay.pdb");
  ASSERT_EQ(byId.count(704), 1u);
  const BlobPicture& bar = byId.at(704);
  int x = 1;
  for (int id : {692, 695, 701, 689, 686, 683}) {
    ASSERT_EQ(byId.count(id), 1u) << id;
    const BlobPicture& b = byId.at(id);
    const int top = (bar.height - b.height) / 2;
    for (int y = 0; y < b.height; ++y) {
      for (int bx = 0; bx < b.width; ++bx) {
        const uint32_t v = b.argb[y * b.width + bx];
        if (v) {
          ASSERT_EQ(bar.argb[(top + y) * bar.width + x + bx], v) << "button " << id << " at " << bx << "," << y;
        }
      }
    }
    std::set<std::vector<uint32_t>> looks = {b.argb, byId.at(id + 1).argb, byId.at(id + 2).argb};
    EXPECT_EQ(looks.size(), 3u) << "the looks of " << id;
    x += b.width + 2;
  }
  std::set<std::vector<uint32_t>> frames;
  for (int id = 1244; id <= 1246; ++id) frames.insert(byId.at(id).argb);
  EXPECT_EQ(frames.size(), 3u) << "the hint marker's frames";
}

TEST(PlayArtwork, NoOtherArtworkUsesItsIds) {
  const std::map<int, BlobPicture> play = picturesById("PellwynPlay.pdb");
  for (const char* database : {"PellwynCards.pdb", "PellwynTables.pdb", "PellwynFonts.pdb", "PellwynChrome.pdb"}) {
    for (const auto& [id, picture] : picturesById(database)) {
      EXPECT_EQ(play.count(id), 0u) << "blob " << id << " is in " << database << " too";
    }
  }
}

TEST(ChromeRecipe, RefusesWhatTheToolCannotDraw) {
  const struct {
    const char* text;
    const char* why;
  } cases[] = {
      {"colour a 112233\n", "no database line"},
      {"database D\npiece x.y 1 1400 4 4\n", "line 2"},
      {"database D\npiece x.y 1 10 4 4\npiece x.z 1 10 4 4\n", "given twice"},
      {"database D\npiece x.y 1 10 4 4\npiece x.y 1 11 4 4\n", "given twice"},
      {"database D\npiece xy 1 10 4 4\n", "line 2"},
      {"database D\ncolour a 11223\n", "line 2"},
      {"database D\ndatabase E\n", "line 2"},
      {"database D\npiece x.y 130 10 4 4\n", "line 2"},
      {"database D\nframe x\n", "line 2"},
  };
  for (const auto& c : cases) {
    ChromeRecipe recipe;
    std::string error;
    EXPECT_FALSE(parseChromeRecipe(c.text, recipe, error)) << c.text;
    EXPECT_NE(error.find(c.why), std::string::npos) << c.text << " -> " << error;
  }
}

// The drawer refuses a recipe it cannot follow, naming the reason, instead of
// writing a wrong or blank picture.
TEST(ChromeRecipe, TheDrawerRefusesPiecesItCannotDraw) {
  const struct {
    const char* recipe;
    const char* piece;
    const char* why;
  } cases[] = {
      {"piece wobble.x 1 10 4 4\n", "wobble.x", "unknown group wobble"},
      {"piece button.sideways.left 1 10 6 20\n", "button.sideways.left", "unknown part sideways.left"},
      {"piece button.normal.left 1 10 6 20\n", "button.normal.left", "needs its left, middle and right"},
      {"piece formFrame.tl 1 10 6 6\npiece formFrame.t 1 11 6 6\npiece formFrame.l 1 12 6 6\n"
       "piece formFrame.tr 1 13 8 6\n",
       "formFrame.tr", "square corners"},
      {"piece formFrame.tl 1 10 6 6\npiece formFrame.corner 1 11 6 6\n", "formFrame.corner", "needs its tl, t and l"},
      {"piece toolbar.whole 12 704 176 20\n", "toolbar.whole", "toolbarButton.undo.normal"},
  };
  for (const auto& c : cases) {
    ChromeRecipe recipe;
    std::string error;
    ASSERT_TRUE(parseChromeRecipe(std::string("database D\n") + c.recipe, recipe, error)) << error;
    const ChromePiece* piece = recipe.find(c.piece);
    ASSERT_NE(piece, nullptr) << c.piece;
    Palette palette(recipe.colours);
    Canvas canvas(piece->width, piece->height);
    EXPECT_FALSE(drawChromePiece(PieceJob{recipe, *piece, palette}, canvas, error)) << c.piece;
    EXPECT_NE(error.find(c.why), std::string::npos) << c.piece << " -> " << error;
  }
  // A colour the recipe does not give is named.
  ChromeRecipe recipe;
  std::string error;
  ASSERT_TRUE(parseChromeRecipe("database D\npiece sign.error 20 10 24 24\n", recipe, error)) << error;
  Palette palette(recipe.colours);
  Canvas canvas(24, 24);
  ASSERT_TRUE(drawChromePiece(PieceJob{recipe, recipe.pieces[0], palette}, canvas, error)) << error;
  EXPECT_EQ(palette.missing().rfind("sign.", 0), 0u) << palette.missing();
}

}  // namespace
