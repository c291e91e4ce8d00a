// Where the trophies' pictures are: one picture a trophy (0-51), in four
// blob sets of thirteen by the trophy's group.
#pragma once

#include <cstdint>

constexpr int kAppTrophyCount = 52;
constexpr int kAppTrophyGroup = 13;

// The blob set holding trophy a's picture.
constexpr uint16_t AppTrophyPictureSet(int a) { return static_cast<uint16_t>(125 + a / kAppTrophyGroup); }
// Trophy a's picture.
constexpr uint16_t AppTrophyPicture(int a) { return static_cast<uint16_t>(143 + a); }
