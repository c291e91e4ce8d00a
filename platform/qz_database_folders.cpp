#include "qz_database_folders.h"

#include <utility>

namespace {

QZFolderSource& folderSource() {
  static QZFolderSource source;
  return source;
}

// The install key's values; slot 12 needs no registry.
bool installKeyFolder(int slot, std::u16string& folder) {
  if (slot == QZ_FOLDER_SLOTS - 1) {
    folder = u".";
    return true;
  }
  return false;
}

}  // namespace

bool QZGetDatabaseFolder(int slot, std::u16string& folder) {
  folder.clear();
  if (slot < 0 || slot >= QZ_FOLDER_SLOTS) return false;
  const QZFolderSource& source = folderSource();
  const bool found = source ? source(slot, folder) : installKeyFolder(slot, folder);
  return found && !folder.empty();
}

void QZSetDatabaseFolderSource(QZFolderSource source) { folderSource() = std::move(source); }
