// artpreview INSTALLDIR FONTS.txt OUTDIR [SCALE]
// Writes mock screens composed from the built artwork databases of INSTALLDIR
// (play.png: a Klondike deal with the toolbar; form.png: a settings form;
// menu.png: a popup menu and an alert; keyboard.png: a name entry with the
// on-screen keyboard), enlarged SCALE times (2 by default), for review.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "font_recipe.h"
#include "screen_preview.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: artpreview INSTALLDIR FONTS.txt OUTDIR [SCALE]\n");
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  FontRecipes fonts;
  std::string error;
  if (!in || !parseFontRecipes(text.str(), fonts, error)) {
    std::fprintf(stderr, "artpreview: %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  const std::string dir = argv[1];
  PreviewArt art;
  if (!art.read({dir + "/PellwynTables.pdb", dir + "/PellwynCards.pdb", dir + "/PellwynFonts.pdb",
                 dir + "/PellwynChrome.pdb", dir + "/PellwynPlay.pdb"},
                fonts.table, error)) {
    std::fprintf(stderr, "artpreview: %s\n", error.c_str());
    return 1;
  }
  const int scale = argc == 5 ? std::max(1, std::min(4, std::atoi(argv[4]))) : 2;
  std::filesystem::create_directories(argv[3]);
  const struct {
    const char* name;
    void (*draw)(PreviewScreen&);
  } screens[] = {{"play", drawPlayPreview},
                 {"form", drawFormPreview},
                 {"menu", drawMenuPreview},
                 {"keyboard", drawKeyboardPreview}};
  for (const auto& screen : screens) {
    PreviewScreen s(art);
    screen.draw(s);
    const std::string path = std::string(argv[3]) + "/" + screen.name + ".png";
    if (!s.write(path, scale)) {
      std::fprintf(stderr, "artpreview: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
