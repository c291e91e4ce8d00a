#include "app_form_about.h"

#include <iterator>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"
#include "qzf_resource.h"

namespace {

constexpr char16_t kBuildDay[] = u"Jul 17 2007";
constexpr char16_t kBuildTime[] = u"11:26:49";
constexpr char16_t kYearsToken[] = u"#a";

// A decimal year from the start of a text; 0 when it has none.
int yearOf(const char16_t* text) {
  int year = 0;
  for (const char16_t* p = text; *p >= u'0' && *p <= u'9' && year < 100000; ++p) year = year * 10 + (*p - u'0');
  return year;
}

}  // namespace

CAppAboutForm::CAppAboutForm() { setName(kAppTagAbout); }

Handled CAppAboutForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened) return Handled::kDone;
  if (auto* app = findOwner<CAppApplication>()) AppFormLook::applyThemeColour(*this, *app);
  char16_t name[100 + 10 + 1] = {};
  CQZFResourceManager::getString(kNameText, name, 100);
  char16_t version[10 + 1] = {};
  CQZFResourceManager::getString(kVersionText, version, 10);
  QZFWStrCat(name, static_cast<int>(std::size(name)), version);
  setGadgetText(kName, name);
  setGadgetText(kBuildDate, kBuildDay);
  char16_t first[10 + 1] = {};
  CQZFResourceManager::getString(kFirstYearText, first, 10);
  char16_t years[24] = {};
  QZFFormatYearRange(years, static_cast<int>(std::size(years)), yearOf(first));
  replaceInGadgetText(kCopyright, kYearsToken, years);
  return Handled::kDone;
}

Handled CAppAboutForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  auto* app = findOwner<CAppApplication>();
  if (!app) return Handled::kPassOn;
  app->playSelectSound();
  if (event.type != kQZFEventButton) return Handled::kPassOn;
  if (event.gadgetId == kDetails) static_cast<void>(QZFShowBuildDetails(kBuildDay, kBuildTime));
  else if (event.gadgetId != kClose) return Handled::kPassOn;
  AppFormLook::closeForm(*this);
  return Handled::kDone;
}
