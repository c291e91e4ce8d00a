// What several forms do to the game on the play screen: book the running
// game as lost, and start the next deal of the current game type, on the
// open play screen or on a new one.
#pragma once

#include <cstdint>

#include "app_profile.h"

class CAppApplication;
class CAppGame;
class CAppGameForm;

namespace AppGameFlow {

// The play screen and its game (also while it is marked closed, until the
// form handler removes it); null when there is none.
CAppGameForm* playScreen(const CAppApplication& app);
CAppGame* playGame(const CAppApplication& app);
// What the trophy rules ask of the play screen's game.
CAppProfile::GameState gameState(const CAppApplication& app);
// A finished game the player did not choose to play on.
bool isOver(const CAppGame& game);
// Books the play screen's game of the type as lost (its time, hints and
// undos); with stopClock the game's clock stops first. Nothing without a
// play screen or a profile.
void bookLoss(CAppApplication& app, uint32_t type, bool stopClock);
// The next deal: the open play screen deals anew (animated); otherwise the
// forms above the profile close and a new play screen opens, with the offer
// of the type's saved game when there is one.
void nextGame(CAppApplication& app);
// Everything above the profile closes and the title screen opens.
void backToTitle(CAppApplication& app);

}  // namespace AppGameFlow
