// The thirteen folder slots in which databases are looked for: 0 "SaveDir",
// 1 "InstallDir", 2-11 "SaveDir0".."SaveDir9" of the install key, 12 ".".
#pragma once

#include <functional>
#include <string>

constexpr int QZ_FOLDER_SLOTS = 13;
constexpr size_t QZ_MAX_PATH_CHARS = 255;

// The folder of a slot; false when the slot gives no folder.
bool QZGetDatabaseFolder(int slot, std::u16string& folder);

// Replaces where the folders come from (tests and build tools); an empty
// function restores the install key.
using QZFolderSource = std::function<bool(int slot, std::u16string& folder)>;
void QZSetDatabaseFolderSource(QZFolderSource source);
