// The pellwyn program: the platform layer's start-up with Pellwyn's
// application object.
#include "app_application.h"
#include "qz_app_bridge.h"
#include "qz_startup.h"
#include "qzf_graphics.h"
#include "wince/runtime.h"

namespace {

void dumpState(std::string& out) {
  out += "main_window=" + std::string(QZGetMainWindow() ? "yes" : "no") + "\n";
  out += "frame_interval=" + std::to_string(QZGetFrameInterval()) + "\n";
  if (const auto* app = dynamic_cast<const CAppApplication*>(QZGetApplication())) app->describe(out);
}

int WINAPI winMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  QZSetApplicationHooks(AppApplicationHooks());
  wince::setStateDumpHook(dumpState);
  return QZWinMain(instance, previous, commandLine, showCommand);
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
    dumpState,
    PELLWYN_INSTALL_DATA,
    u"\\Program Files\\Pellwyn",
    u"SOFTWARE\\Apps\\Pellwyn",
    kInstallValues,
    std::size(kInstallValues),
};
