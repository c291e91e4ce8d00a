// A game's table as text, pile by pile: the deal command prints it and the
// deal tests compare it with data made apart from the engine.
#pragma once

#include <string>

class CAppGame;

// One line a pile: "<index> <kind>:" and its cards from the bottom up, each
// as rank.suit with 'u' face up or 'd' face down ("13.1u").
std::string describePiles(const CAppGame& game);
