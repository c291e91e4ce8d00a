// Keys of the device: virtual-key codes and the asynchronous key state.
#pragma once

#include "wince/types.h"

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_NUMPAD0 0x60
#define VK_NUMPAD9 0x69
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_F23 0x86
// The handheld's own names for its keys.
#define VK_TSOFT1 VK_F1       // left soft key
#define VK_TSOFT2 VK_F2       // right soft key
#define VK_TTALK VK_F3
#define VK_TEND VK_F4         // end / hang up
#define VK_TVOLUMEUP VK_F6
#define VK_TVOLUMEDOWN VK_F7
#define VK_TBACK VK_ESCAPE
#define VK_TACTION VK_F23     // action key (also sends VK_RETURN)
#define VK_APP1 0xC1
#define VK_APP2 0xC2
#define VK_APP3 0xC3
#define VK_APP4 0xC4

// Bit 0x8000: the key is down now. A plain array read, fed by the back end's
// key events (and by tests through wince::setKeyState).
SHORT GetAsyncKeyState(int vk);

namespace wince {
void setKeyState(int vk, bool down);
// Releases every key (focus loss, test set-up).
void clearKeyStates();
}  // namespace wince
