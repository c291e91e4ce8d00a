// The thirteen folder slots in which databases are looked for: 0 "SaveDir",
// 1 "InstallDir", 2-11 "SaveDir0".."SaveDir9" (string values of the install
// key HKLM\SOFTWARE\Apps\Pellwyn), 12 ".". A slot whose value cannot be
// read gives no folder.
#pragma once

#include <string>

constexpr int QZ_FOLDER_SLOTS = 13;
constexpr size_t QZ_MAX_PATH_CHARS = 255;

// The folder of a slot; false when the slot gives no folder.
bool QZGetDatabaseFolder(int slot, std::u16string& folder);
