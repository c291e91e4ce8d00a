#include "ce_hidpi.h"

#include "wince/gdi.h"
#include "wince/system.h"
#include "wince/window.h"

int g_HIDPI_LogPixelsX = 96;
int g_HIDPI_LogPixelsY = 96;
int g_HIDPI_IconPixels = 16;
bool g_bIsVGA = false;
double g_HIDPI_VXFontScale = 1.0;

void HIDPI_InitMetrics() {
  HDC screen = GetDC(nullptr);
  if (screen != nullptr) {
    g_HIDPI_LogPixelsX = GetDeviceCaps(screen, LOGPIXELSX);
    g_HIDPI_LogPixelsY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  g_HIDPI_IconPixels = GetSystemMetrics(SM_CXSMICON);
  g_bIsVGA = g_HIDPI_LogPixelsX == 192;
  g_HIDPI_VXFontScale = g_HIDPI_LogPixelsY / 96.0;
}
