// Drawing a high-score table in the blob fonts.
#pragma once

#include "qz_highscore.h"

// Draws the rows up to the first score of 0: the rank (when rankX is 0 or
// more) centred at rankX, the name left-aligned at nameX and the score
// right-aligned at scoreX, row i at top + i x lineHeight, in a colour-table
// colour.
QZStatus QZDrawHighscoreTable(const QZHighscoreTable* table, int rankX, int nameX, int scoreX, int top,
                              int lineHeight, int colourIndex);
