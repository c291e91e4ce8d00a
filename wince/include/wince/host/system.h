// The device profile for the launcher and the tests (programs use
// wince/system.h, whose calls report it), and the states tests may set.
#pragma once

#include <string_view>

#include "wince/system.h"

namespace wince {

struct DeviceProfile {
  const char* name;            // "smartphone", "pocketpc-vga", "pocketpc-qvga"
  int screenWidth;             // pixels, portrait
  int screenHeight;
  int dpi;                     // logical pixels per inch, both axes
  const WCHAR* platformType;   // SystemParametersInfo(SPI_GETPLATFORMTYPE)
  const WCHAR* oemInfo;        // SystemParametersInfo(SPI_GETOEMINFO)
  DWORD osMajor;               // GetVersionEx
  DWORD osMinor;
  DWORD osBuild;
  int taskBarHeight;           // the top bar that SPI_GETWORKAREA leaves out
  int menuBarHeight;           // the soft-key bar at the bottom
};

// The built-in profiles; nullptr for an unknown name.
const DeviceProfile* findDeviceProfile(std::string_view name);
// Selects a built-in profile by name; false (and no change) when unknown.
bool selectDeviceProfile(std::string_view name);
// Selects any profile, e.g. a test's own; the strings must outlive it.
void setDeviceProfile(const DeviceProfile& profile);
// The selected profile; "smartphone" until something else is selected.
const DeviceProfile& deviceProfile();
// Names of the built-in profiles, for --help and error messages.
const char* const* deviceProfileNames();  // null-terminated list

// Display orientation as ChangeDisplaySettingsEx reports it (DMDO_*).
// Fixed at DMDO_0 unless a test "rotates" the display.
void setDisplayOrientationForTest(DWORD dmdo);
// Whether ChangeDisplaySettingsEx answers orientation queries (default true).
void setOrientationQuerySupportedForTest(bool supported);
// Lets ChangeDisplaySettingsEx turn the display to any of the four
// orientations (default false: only the current one is accepted).
void setDisplayRotatableForTest(bool rotatable);

// Battery state reported by GetSystemPowerStatusEx (tests may change it).
void setBatteryForTest(BYTE flag, BYTE lifePercent);

}  // namespace wince
