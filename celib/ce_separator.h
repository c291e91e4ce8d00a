// The "VXSEPARATOR" window class: a strip in the window colour with a line
// in the highlight colour along its top.
#pragma once

#include "wince/types.h"

inline constexpr const WCHAR* kCeSeparatorClass = u"VXSEPARATOR";

// true: makes the background brush (once) and registers the class;
// false: unregisters it and deletes the brush.
void InitSeparator(int registerClass);

// Paints on WM_PAINT; answers every message with 0.
LRESULT CALLBACK SeparatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
