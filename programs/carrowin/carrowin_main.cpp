// The three Carrowin builds, from one source: CARROWIN_NAME, CARROWIN_TITLE
// and CARROWIN_PROFILE tell them apart, the solitaire library each links
// carries its build's switches.
#include "sol_app.h"
#include "wince/runtime.h"

const wince::Program wince::kProgram = {
    CARROWIN_NAME, CARROWIN_TITLE, CARROWIN_PROFILE, SolWinMain, SolDumpState, nullptr, nullptr, nullptr, nullptr, 0,
};
