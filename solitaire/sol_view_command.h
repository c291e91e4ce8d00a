// View commands: the executed rule actions that change what the game field
// shows, recorded while the engine runs a player step and replayed on the
// field's own pile views afterwards.
#pragma once

#include <cstdint>
#include <vector>

#include "sol_rules.h"

enum SolViewCommandKind : int32_t {
  kSolViewMove = 0,
  kSolViewFace = 1,
  kSolViewShow = 2,
  kSolViewReverse = 3,
  kSolViewMarker = 4,
  kSolViewShuffle = 5,
};

struct SolViewCommand {
  int32_t kind = 0;
  uint16_t pile = 0;
  uint16_t value = 0;   // show flag, shuffle seed, or the marker's raw value
  int32_t mode = 0;     // selection mode (move, face)
  uint16_t a = 0;
  uint16_t b = 0;
  uint16_t target = 0;  // target pile (move) or face-up flag (face)
  int32_t targetMode = 0;
  uint16_t targetValue = 0;
};

using SolViewCommandList = std::vector<SolViewCommand>;

// Appends the command of one executed action; actions that change nothing
// on screen append nothing.
void SolAddViewCommand(const SolAction& action, SolViewCommandList& list);

// The cards a selection names in a pile of n cards: mode 0 from a leaving
// the top b, mode 1 the b cards under the top a, mode 2 b cards from a. The
// range is the one the rule engine moves: mode 1 asking for more cards than
// lie under the top a gives those that do.
void SolSelectRange(int mode, int a, int b, int n, int& start, int& count);

// Where a moved run lands: target mode 1 counts back from the target's top
// (the moved cards left out when they come from the same pile), 2 is a fixed
// position; other modes land where the run started, as the engine does.
int SolTargetPosition(int targetMode, int targetValue, int targetCount, int moved, bool samePile, int rangeStart);
