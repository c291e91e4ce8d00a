// The pellwyn program.
#include "minimal_program.h"
#include "wince/runtime.h"

namespace {

int WINAPI winMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  static const minimal::Look look{7421, 7420, RGB(0, 96, 48), RGB(255, 255, 255)};
  return minimal::run(instance, showCommand, look);
}

// What the installer sets up: the data the build made goes into the install
// folder, which the registry names together with the folder for saved files.
const wince::InstallValue kInstallValues[] = {
    {u"InstallDir", u"\\Program Files\\Pellwyn"},
    {u"SaveDir", u"\\My Documents\\Pellwyn"},
};

}  // namespace

const wince::Program wince::kProgram = {
    "pellwyn",
    "Pellwyn",
    "smartphone",
    winMain,
    nullptr,
    PELLWYN_DATA_DIR,
    u"\\Program Files\\Pellwyn",
    u"SOFTWARE\\Apps\\Pellwyn",
    kInstallValues,
    std::size(kInstallValues),
};
