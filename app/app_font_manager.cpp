#include "app_font_manager.h"

#include <span>

#include "app_value_tables.h"
#include "qzf_application.h"

int CAppFontManager::value(uint16_t index) const {
  return AppCurrentValue(findOwner<CQZFApplication>(), index);
}

int CAppFontManager::verticalPadding() { return value(kAppValueFontMetricA); }
int CAppFontManager::horizontalPadding() { return value(kAppValueFontMetricB); }
int CAppFontManager::letterSpacing(uint16_t) { return value(kAppValueLetterSpacing); }
int CAppFontManager::spaceWidth(uint16_t) { return value(kAppValueSpaceWidth); }
