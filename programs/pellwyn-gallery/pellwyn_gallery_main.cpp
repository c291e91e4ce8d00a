// The pellwyn-gallery program: Pellwyn's application with the gadget
// gallery's database, whose form 9000 it opens over the start forms.
#include <string>
#include "app_application.h"
#include "qz_app_bridge.h"
#include "qz_startup.h"
#include "qz_types.h"

#include "qzf_form.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_list.h"
#include "qzf_gadget_table.h"
#include "qzf_graphics.h"
#include "wince/host/file.h"
#include "wince/runtime.h"

namespace {

constexpr uint16_t kGalleryForm = 9000;
constexpr char kGalleryTag[] = "frmgallery";
constexpr char16_t kInstallDir[] = u"\\Program Files\\Pellwyn";
// The small card faces, whose first the graphic gadget shows.
constexpr int kSmallFacesSet = 80;
// The gallery's list and table, filled with rows to scroll and choose.
constexpr uint16_t kList = 10;
constexpr uint16_t kTable = 11;
constexpr int kRows = 12;
constexpr uint16_t kTextFont = 0;

std::u16string rowText(const char16_t* word, int n) {
  std::u16string text = word;
  for (const char c : std::to_string(n)) text += static_cast<char16_t>(c);
  return text;
}

int16_t fillRows(CQZFForm* form) {
  auto* list = form ? dynamic_cast<CQZFGadgetList*>(form->getGadget(kList)) : nullptr;
  auto* table = form ? dynamic_cast<CQZFGadgetTable*>(form->getGadget(kTable)) : nullptr;
  if (!list || !table) return QZ_ERR_GENERAL;
  for (int n = 1; n <= kRows; ++n) {
    if (const int16_t r = list->addItem(static_cast<uint16_t>(n), 0, kTextFont, rowText(u"Row ", n).c_str()); r < 0) {
      return r;
    }
    const int16_t row = table->addRow();
    if (row < 0) return row;
    table->setCellText(0, row, rowText(u"", n).c_str(), n);
    table->setCellText(1, row, rowText(u"", n * n).c_str(), n * n);
  }
  return 0;
}

class CAppGalleryApplication : public CAppApplication {
 public:
  int16_t registerClasses() override {
    const int16_t r = CAppApplication::registerClasses();
    registerClass<CQZFForm>(kGalleryTag);
    return r;
  }
  int16_t init() override {
    if (const int16_t r = CAppApplication::init(); r < 0) return r;
    if (const int16_t r = getGraphics()->loadBlobSet(kSmallFacesSet, 0); r < 0) return r;
    if (const int16_t r = openForm(kGalleryForm, kGalleryTag, 0); r < 0) return r;
    return fillRows(getFormHandler()->findForm(kGalleryForm));
  }
};

QZApplicationInterface* createGallery() { return new (std::nothrow) CAppGalleryApplication(); }

// The application's facts, and the rows the list and the table have chosen
// (the framework's own lines give their value as 0).
void dumpState(std::string& out) {
  const auto* app = dynamic_cast<const CAppApplication*>(QZGetApplication());
  if (!app) return;
  app->describe(out);
  const CQZFForm* form = app->getFormHandler()->findForm(kGalleryForm);
  if (const auto* list = form ? dynamic_cast<const CQZFGadgetList*>(form->getGadget(kList)) : nullptr) {
    out += "gallery_list=first " + std::to_string(list->getFirstShown()) + " current " +
           std::to_string(list->getCurrent()) + " selected " + std::to_string(list->getSelected()) + "\n";
  }
  if (const auto* table = form ? dynamic_cast<const CQZFGadgetTable*>(form->getGadget(kTable)) : nullptr) {
    out += "gallery_table=first " + std::to_string(table->getFirstShown()) + " current " +
           std::to_string(table->getCurrent()) + " selected " + std::to_string(table->getSelected()) + "\n";
  }
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
