#include "chrome_pieces.h"

#include <map>

#include "chrome_groups.h"

bool PieceJob::sibling(const std::string& part, int& width, int& height) const {
  const ChromePiece* p = recipe.find(group() + "." + part);
  if (!p) return false;
  width = p->width;
  height = p->height;
  return true;
}

bool unknownPart(const PieceJob& job, std::string& error) {
  error = "unknown part " + job.part() + " of group " + job.group();
  return false;
}

bool drawChromePiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  static const std::map<std::string, GroupDrawer> kGroups = {
      {"formFrame", drawFramePiece},    {"alertFrame", drawFramePiece},   {"popupFrame", drawFramePiece},
      {"menuBarFrame", drawFramePiece}, {"titleBar", drawCapPiece},       {"button", drawCapPiece},
      {"accentButton", drawCapPiece},   {"textEntry", drawCapPiece},      {"checkbox", drawControlPiece},
      {"radio", drawControlPiece},      {"slider", drawControlPiece},     {"key", drawControlPiece},
      {"wideKey", drawControlPiece},    {"selector", drawArrowPiece},     {"submenu", drawArrowPiece},
      {"mark", drawArrowPiece},         {"scroll", drawArrowPiece},       {"softKey", drawArrowPiece},
      {"minimise", drawArrowPiece},     {"sign", drawSignPiece},          {"rule", drawSignPiece},
      {"strip", drawPlayPiece},         {"ornament", drawPlayPiece},      {"toolbar", drawPlayPiece},
      {"toolbarButton", drawPlayPiece}, {"tutorialArrow", drawPlayPiece}, {"hintMarker", drawPlayPiece},
      {"trophy", drawTrophyPiece},
  };
  const auto found = kGroups.find(job.group());
  if (found == kGroups.end()) {
    error = "unknown group " + job.group();
    return false;
  }
  return found->second(job, canvas, error);
}
