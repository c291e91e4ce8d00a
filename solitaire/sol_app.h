// The program's start and end: the screen check, the single instance, the
// main window over the work area and the message loop; and the headless
// state dump.
#pragma once

#include <string>

#include "wince/types.h"

int WINAPI SolWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
bool InitInstance(HINSTANCE instance, int showCommand);
void ExitInstance();
// The game as text: rule set, game number, piles with their cards, the
// cursor, play mode, clock, undo count, won flag and the open dialog.
void SolDumpState(std::string& out);
