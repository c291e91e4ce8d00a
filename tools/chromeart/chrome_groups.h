// The drawers of the groups, one per kind of picture; drawChromePiece picks
// one by the piece's group name. Each draws the piece of job into canvas and
// answers false with a reason for a part it does not know.
#pragma once

#include <string>

#include "chrome_pieces.h"

using GroupDrawer = bool (*)(const PieceJob& job, Canvas& canvas, std::string& error);

// Frames of eight pieces (formFrame, alertFrame, popupFrame, menuBarFrame).
bool drawFramePiece(const PieceJob& job, Canvas& canvas, std::string& error);
// Left cap, middle tile and right cap in three looks (button, accentButton,
// textEntry), the title bar and the text cursor.
bool drawCapPiece(const PieceJob& job, Canvas& canvas, std::string& error);
// Check boxes, round buttons, slider, keyboard keys.
bool drawControlPiece(const PieceJob& job, Canvas& canvas, std::string& error);
// Arrows and marks: selector, submenu, scroll; marks; soft keys; minimise.
bool drawArrowPiece(const PieceJob& job, Canvas& canvas, std::string& error);
// Alert signs and the rule.
bool drawSignPiece(const PieceJob& job, Canvas& canvas, std::string& error);
// The play screen's pictures.
bool drawPlayPiece(const PieceJob& job, Canvas& canvas, std::string& error);
// The trophies: cups by game and series, medals for play across all games.
bool drawTrophyPiece(const PieceJob& job, Canvas& canvas, std::string& error);

// The whole face of a button-like control ("button" or "accentButton") in one
// look (normal, focused or pressed), over the whole canvas.
void drawButtonLook(Canvas& canvas, Palette& palette, const std::string& group, const std::string& look);

// "unknown part P of group G".
bool unknownPart(const PieceJob& job, std::string& error);
