// The description of a set of interface pictures: a palette of named colours
// and one line per picture naming what it shows, its blob set, blob id and
// size.
//
//   database NAME                      the resource database they go into
//   colour NAME RRGGBB
//   piece NAME SET ID WIDTH HEIGHT
//
// A piece's NAME is "group.part" (formFrame.tl, button.pressed.left, ...);
// chromeart knows how to draw each group.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "canvas.h"

struct ChromePiece {
  std::string name;
  int setId = 0;
  int blobId = 0;
  int width = 0;
  int height = 0;
  int line = 0;  // where the source names it
};

struct ChromeRecipe {
  std::string database;
  std::map<std::string, Rgb> colours;
  std::vector<ChromePiece> pieces;  // in source order
  // The piece of that name, or null.
  const ChromePiece* find(const std::string& name) const;
};

// False with "line N: reason". Blob ids must be below 1400 and given once;
// the database must be named.
bool parseChromeRecipe(const std::string& text, ChromeRecipe& out, std::string& error);
