// The three Carrowin builds, from one source: CARROWIN_NAME, CARROWIN_TITLE
// and CARROWIN_PROFILE tell them apart.
#include "minimal_program.h"
#include "wince/runtime.h"

namespace {

int WINAPI winMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  static const minimal::Look look{2, 1, RGB(0, 80, 120), RGB(255, 255, 255)};
  return minimal::run(instance, showCommand, look);
}

}  // namespace

const wince::Program wince::kProgram = {
    CARROWIN_NAME, CARROWIN_TITLE, CARROWIN_PROFILE, winMain, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
};
