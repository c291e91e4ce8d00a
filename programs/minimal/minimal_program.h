// The stand-in each program runs until its own start-up code lands: one main
// window over the whole device screen, painted plain with the program's
// title, that ends the program when it is closed.
#pragma once

#include "wince/wince.h"

namespace minimal {

struct Look {
  UINT classStringId;  // string resources of the window class and title
  UINT titleStringId;
  COLORREF background;
  COLORREF text;
};

int run(HINSTANCE instance, int showCommand, const Look& look);

}  // namespace minimal
