// The pellwyn-gallery program: Pellwyn's application with the gadget
// gallery's database, whose form 9000 it opens over the start forms.
#include "app_application.h"
#include "qz_app_bridge.h"
#include "qz_startup.h"
#include "qzf_form.h"
#include "wince/host/file.h"
#include "wince/runtime.h"

namespace {

constexpr uint16_t kGalleryForm = 9000;
constexpr char kGalleryTag[] = "frmgallery";
constexpr char16_t kInstallDir[] = u"\\Program Files\\Pellwyn";

class CAppGalleryApplication : public CAppApplication {
 public:
  int16_t registerClasses() override {
    const int16_t r = CAppApplication::registerClasses();
    registerClass<CQZFForm>(kGalleryTag);
    return r;
  }
  int16_t init() override {
    if (const int16_t r = CAppApplication::init(); r < 0) return r;
    return openForm(kGalleryForm, kGalleryTag, 0);
  }
};

QZApplicationInterface* createGallery() { return new (std::nothrow) CAppGalleryApplication(); }

void dumpState(std::string& out) {
  if (const auto* app = dynamic_cast<const CAppApplication*>(QZGetApplication())) app->describe(out);
}

int WINAPI winMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  // The gallery's database goes where the game's data went.
  if (!wince::installProgram(PELLWYN_GALLERY_DATA, kInstallDir, nullptr, nullptr, 0)) return 1;
  QZApplicationHooks hooks = AppApplicationHooks();
  hooks.createApplication = createGallery;
  QZSetApplicationHooks(hooks);
  wince::setStateDumpHook(dumpState);
  return QZWinMain(instance, previous, commandLine, showCommand);
}

const wince::InstallValue kInstallValues[] = {
    {u"InstallDir", kInstallDir},
    {u"SaveDir", u"\\My Documents\\Pellwyn"},
};

}  // namespace

const wince::Program wince::kProgram = {
    "pellwyn-gallery", "Pellwyn gadget gallery",  "smartphone", winMain,
    dumpState,         PELLWYN_INSTALL_DATA,      kInstallDir,  u"SOFTWARE\\Apps\\Pellwyn",
    kInstallValues,    std::size(kInstallValues),
};
