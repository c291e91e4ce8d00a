#include "qzf_resource.h"

#include <new>

#include "qz_blob.h"
#include "qz_plane.h"
#include "qzf_application.h"

namespace {

constexpr uint32_t kPlaneType = QZFourCC("aPLN");
constexpr uint32_t kBlobSetType = QZFourCC("aBST");

}  // namespace

CQZFResourceManager::CQZFResourceManager(CQZFObject* owner) : CQZFObject(owner) { setKind(kKind, this); }

uint16_t CQZFResourceManager::getStringLength(uint16_t stringId) {
  QZResourceHandle* holder = nullptr;
  const uint16_t length = QZGetStringLength(holder, stringId);
  QZUnlockResource(holder);
  return length;
}

void CQZFResourceManager::getString(uint16_t stringId, char16_t* buffer, int maxChars) {
  QZCopyString(stringId, buffer, maxChars);
}

std::u16string CQZFResourceManager::getStringText(uint16_t stringId) {
  const uint16_t length = getStringLength(stringId);
  if (length == 0) return {};
  std::vector<char16_t> buffer(length + 1u, u'\0');
  getString(stringId, buffer.data(), length + 1);
  return std::u16string(buffer.data());
}

CQZFResourceManager::UseEntry* CQZFResourceManager::findEntry(uint32_t type, int id) {
  for (UseEntry& entry : entries_) {
    if (entry.type == type && entry.id == static_cast<uint16_t>(id)) return &entry;
  }
  return nullptr;
}

CQZFResourceManager::UseEntry* CQZFResourceManager::useEntry(uint32_t type, int id) {
  if (UseEntry* entry = findEntry(type, id)) return entry;
  try {
    entries_.push_back(UseEntry{type, static_cast<uint16_t>(id), false, 0});
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return &entries_.back();
}

int16_t CQZFResourceManager::noEntry(int line) {
  return CQZFApplication::report(this, "qzf_resource", line, QZ_ERR_NO_MEMORY);
}

int16_t CQZFResourceManager::useCount(uint32_t type, int id) const {
  for (const UseEntry& entry : entries_) {
    if (entry.type == type && entry.id == static_cast<uint16_t>(id)) return entry.count;
  }
  return 0;
}

int16_t CQZFResourceManager::loadPlane(int planeId) {
  UseEntry* entry = useEntry(kPlaneType, planeId);
  if (!entry) return noEntry(166);
  ++entry->count;
  if (entry->loaded && QZGetPlane(planeId, false)) return 0;
  entry->loaded = QZLoadPlane(planeId) >= 0;
  return 0;
}

void CQZFResourceManager::releasePlane(int planeId) {
  UseEntry* entry = findEntry(kPlaneType, planeId);
  if (!entry) return;
  if (entry->count-- == 1 && (entry->loaded || QZGetPlane(planeId, false))) {
    QZDeletePlane(planeId);
    entry->loaded = false;
  }
}

int16_t CQZFResourceManager::loadBlobSet(int setId, int flags) {
  UseEntry* entry = useEntry(kBlobSetType, setId);
  if (!entry) return noEntry(216);
  ++entry->count;
  if (!entry->loaded) entry->loaded = QZLoadBlobSet(setId, flags) >= 0;
  return 0;
}

int16_t CQZFResourceManager::copyBlobSet(int sourceSetId, int setId, int firstBlobId) {
  UseEntry* entry = useEntry(kBlobSetType, setId);
  if (!entry) return noEntry(250);
  ++entry->count;
  if (entry->loaded) return 0;
  if (const int16_t r = QZCopyBlobSet(sourceSetId, setId, firstBlobId); r < 0) return r;
  entry->loaded = true;
  return 0;
}

void CQZFResourceManager::releaseBlobSet(int setId) {
  UseEntry* entry = findEntry(kBlobSetType, setId);
  if (!entry || !entry->loaded) return;
  if (entry->count > 0) --entry->count;
  if (entry->count == 0) {
    QZUnloadBlobSet(setId);
    entry->loaded = false;
  }
}

// --- QZResourceLock -----------------------------------------------------------

const uint8_t* QZResourceLock::lock(uint32_t type, uint16_t id) { return QZLockResource(held_, type, id); }

uint32_t QZResourceLock::size() const { return held_ ? held_->size : 0; }

uint16_t QZResourceLock::lockStringLength(uint16_t id) { return QZGetStringLength(held_, id); }

int QZResourceLock::copyString(uint16_t id, char16_t* buffer, int maxChars) {
  if (!QZLockString(held_, id)) return 0;
  return held_->copyText(maxChars, buffer) > 0 ? 1 : 0;
}

void QZResourceLock::unlock() { QZUnlockResource(held_); }
