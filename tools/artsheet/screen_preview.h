// Mock screens for reviewing the artwork in place: a 240 x 320 device screen
// composed from the built databases' pictures as the program would place
// them (the tinted sets tinted with the first colour scheme), and text in the
// bitmap fonts, written enlarged as a PNG.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "art_database.h"

struct PreviewArt {
  std::map<int, BlobPicture> blobs;  // by id, tinted where the set is tinted
  std::map<int, BlobPicture> planes;
  std::u32string characters;  // the fonts' character table
  // Reads the databases; false with a message.
  bool read(const std::vector<std::string>& databases, const std::u32string& table, std::string& error);
};

class PreviewScreen {
 public:
  PreviewScreen(const PreviewArt& art, int width = 240, int height = 320);

  void plane(int id);
  void fill(int x, int y, int w, int h, uint32_t rgb);
  // The blob at (x, y); at level below 255 blended over what is there.
  void blob(int id, int x, int y, int level = 255);
  int blobWidth(int id) const;
  int blobHeight(int id) const;
  // Text in the font whose first glyph is fontId, from (x, y).
  void text(int fontId, const std::u32string& text, int x, int y);
  int textWidth(int fontId, const std::u32string& text) const;
  // Eight frame pieces around (x, y, w, h), tiled as forms and menus tile them.
  void frame(int firstId, int x, int y, int w, int h);
  // Left cap, middle tiles and right cap across width w from (x, y).
  void caps(int firstId, int x, int y, int w);
  // A button of width w with its text centred in it.
  void button(int firstId, int fontId, const std::u32string& label, int x, int y, int w);
  bool write(const std::string& path, int scale) const;

 private:
  const PreviewArt& art_;
  int width_, height_;
  std::vector<uint32_t> pixels_;
};

// The play screen of a Klondike deal with large cards, the toolbar, a hint
// and the tutorial arrow.
void drawPlayPreview(PreviewScreen& s);
// A settings form: frame, title, labels, sliders, check boxes, round
// buttons, text entry, buttons, page selector and soft keys.
void drawFormPreview(PreviewScreen& s);
// A popup menu over the play screen and an alert with its sign; the
// keyboard under a name entry.
void drawMenuPreview(PreviewScreen& s);
void drawKeyboardPreview(PreviewScreen& s);
