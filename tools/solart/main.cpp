// solart vga|qvga GLYPHS OUTDIR: writes Carrowin's bitmap resources as
// OUTDIR/<resource id>.png (and OUTDIR/icon.png) at the sizes of one screen
// class. GLYPHS is the text source of the hand-fitted small glyphs.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "sol_art_pictures.h"

namespace {

struct Writer {
  std::string dir;
  bool ok = true;

  void Put(int id, int width, int height, const std::function<void(Canvas&)>& draw) {
    Put(std::to_string(id), width, height, draw);
  }
  void Put(const std::string& name, int width, int height, const std::function<void(Canvas&)>& draw) {
    Canvas c(width, height);
    draw(c);
    if (!c.writePng(dir + "/" + name + ".png")) {
      std::cerr << "solart: cannot write " << dir << "/" << name << ".png\n";
      ok = false;
    }
  }
};

int Half(int n, bool vga) { return vga ? n : n / 2; }

// Card-face glyphs: ranks, large and small suits of one layout.
void FaceGlyphs(Writer& w, const SolArtStyle& style, bool vga, int rankBase, int suitBase, int rankW, int rankH,
                int large, int small) {
  const int shift = vga ? 0 : -200;
  for (int r = 0; r < 13; ++r) {
    w.Put(rankBase + r + shift, Half(rankW, vga), Half(rankH, vga), [&](Canvas& c) { SolArtRank(c, r, false, style); });
  }
  for (int s = 0; s < 4; ++s) {
    w.Put(suitBase + s + shift, Half(large, vga), Half(large, vga), [&](Canvas& c) { SolArtSuit(c, s, style); });
    w.Put(suitBase + 4 + s + shift, Half(small, vga), Half(small, vga), [&](Canvas& c) { SolArtSuit(c, s, style); });
  }
}

// Empty-pile marks of one layout.
void MarkGlyphs(Writer& w, const SolArtStyle& style, bool vga, int rankBase, int suitBase, int rankW, int rankH,
                int large, int small) {
  const int rankShift = vga ? 0 : -20;
  const int suitShift = vga ? 0 : -10;
  for (int r = 0; r < 13; ++r) {
    w.Put(rankBase + r + rankShift, Half(rankW, vga), Half(rankH, vga), [&](Canvas& c) { SolArtMarkRank(c, r, style); });
  }
  for (int s = 0; s < 4; ++s) {
    w.Put(suitBase + s + suitShift, Half(large, vga), Half(large, vga), [&](Canvas& c) { SolArtMarkSuit(c, s, style); });
    w.Put(suitBase + 4 + s + suitShift, Half(small, vga), Half(small, vga),
          [&](Canvas& c) { SolArtMarkSuit(c, s, style); });
  }
}

void Everything(Writer& w, const SolArtStyle& style, bool vga) {
  const int odd = vga ? 0 : 1;
  for (int b = 0; b < 4; ++b) {
    w.Put(132 + 2 * b + odd, Half(40, vga), vga ? 54 : 27, [&](Canvas& c) { SolArtBack(c, b); });
    w.Put(142 + 2 * b + odd, Half(52, vga), Half(70, vga), [&](Canvas& c) { SolArtBack(c, b); });
  }
  for (int a = 0; a < 2; ++a) {
    w.Put(153 + 2 * a + odd, Half(14, vga), Half(22, vga), [&](Canvas& c) { SolArtArrow(c, a); });
  }
  FaceGlyphs(w, style, vga, 2201, 2250, 26, 22, 44, 22);
  FaceGlyphs(w, style, vga, 2301, 2350, 20, 16, 32, 16);
  MarkGlyphs(w, style, vga, 320, 390, 26, 22, 44, 22);
  MarkGlyphs(w, style, vga, 360, 410, 20, 16, 32, 16);
  const int tool = vga ? 32 : 16;
  w.Put(vga ? 501 : 500, 4 * tool, tool, [&](Canvas& c) { SolArtToolbar(c, tool); });
  w.Put(vga ? 246 : 245, Half(144, vga), vga ? 62 : 31, SolArtLogo);
  w.Put("icon", 32, 32, SolArtIcon);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || (std::string(argv[1]) != "vga" && std::string(argv[1]) != "qvga")) {
    std::cerr << "usage: solart vga|qvga GLYPHS OUTDIR\n";
    return 2;
  }
  std::ifstream in(argv[2]);
  std::stringstream text;
  text << in.rdbuf();
  PixelGlyphs glyphs;
  std::string error;
  if (!in || !parsePixelGlyphs(text.str(), glyphs, error)) {
    std::cerr << "solart: " << argv[2] << ": " << (in ? error : "cannot read") << "\n";
    return 1;
  }
  const bool vga = std::string(argv[1]) == "vga";
  SolArtStyle style{&glyphs};
  Writer w{argv[3]};
  Everything(w, style, vga);
  // The type faces cairo looked up stay cached until these two let go.
  cairo_debug_reset_static_data();
  FcFini();
  return w.ok ? 0 : 1;
}
