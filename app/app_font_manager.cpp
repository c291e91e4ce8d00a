#include "app_font_manager.h"

#include <span>

#include "app_value_tables.h"
#include "qzf_application.h"

int CAppFontManager::value(uint16_t index) const {
  const auto* app = findOwner<CQZFApplication>();
  const std::span<const int16_t> t = app ? app->getCurrentValueTable() : std::span<const int16_t>();
  return index < t.size() ? t[index] : 0;
}

int CAppFontManager::verticalPadding() { return value(kAppValueFontMetricA); }
int CAppFontManager::horizontalPadding() { return value(kAppValueFontMetricB); }
int CAppFontManager::letterSpacing(uint16_t) { return value(kAppValueLetterSpacing); }
int CAppFontManager::spaceWidth(uint16_t) { return value(kAppValueSpaceWidth); }
