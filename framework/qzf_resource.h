// The framework's resource manager: strings for forms, menus and gadgets, and
// use-counted planes and blob sets, so that an image shared by several forms
// is loaded once and freed when its last user lets go. Also the lock a
// description parser holds while it reads a resource.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qz_resource_manager.h"
#include "qz_types.h"
#include "qzf_object.h"

class CQZFResourceManager : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindResourceManager;

  explicit CQZFResourceManager(CQZFObject* owner = nullptr);

  [[nodiscard]] int16_t init() { return 0; }
  int16_t shutdown() { return 0; }

  // The length of a string resource; 0 when it is absent. Strings come from
  // the program's resource manager, so they need no object.
  static uint16_t getStringLength(uint16_t stringId);
  // Copies at most maxChars - 1 characters and a terminator; leaves the
  // buffer as it was when the string is absent.
  static void getString(uint16_t stringId, char16_t* buffer, int maxChars);
  // The whole text of a string resource; empty when it is absent or empty.
  static std::u16string getStringText(uint16_t stringId);

  // Each load raises the image's use count and loads it when it is not
  // there; each release lowers it and frees the image with its last user.
  // Loads return 0 even when the image could not be loaded (drawing it then
  // draws nothing); -9 when no use entry could be made.
  [[nodiscard]] int16_t loadPlane(int planeId);
  void releasePlane(int planeId);
  [[nodiscard]] int16_t loadBlobSet(int setId, int flags);
  // A copy of a loaded set under a new id; the copy's failure code (the use
  // count stays raised).
  [[nodiscard]] int16_t copyBlobSet(int sourceSetId, int setId, int firstBlobId);
  void releaseBlobSet(int setId);

  // The use count of an image; 0 when it has no entry.
  [[nodiscard]] int16_t useCount(uint32_t type, int id) const;

 private:
  struct UseEntry {
    uint32_t type;
    uint16_t id;
    bool loaded;
    int16_t count;
  };

  UseEntry* findEntry(uint32_t type, int id);
  // The entry, created with count 0 when missing; null when memory runs out.
  UseEntry* useEntry(uint32_t type, int id);
  [[nodiscard]] int16_t noEntry(int line);

  std::vector<UseEntry> entries_;
};

// Holds one resource handle while a description is read; the handle is let
// go on the next lock, on unlock and at the end of the lock's life.
class QZResourceLock {
 public:
  QZResourceLock() = default;
  ~QZResourceLock() { unlock(); }
  QZResourceLock(const QZResourceLock&) = delete;
  QZResourceLock& operator=(const QZResourceLock&) = delete;

  // The resource's data; null when it is absent.
  const uint8_t* lock(uint32_t type, uint16_t id);
  // The size of the held resource; 0 without one.
  uint32_t size() const;
  // The string's length; 0 when it is absent.
  uint16_t lockStringLength(uint16_t id);
  // 1 when at least one character was copied (see CQZFResourceManager::getString).
  int copyString(uint16_t id, char16_t* buffer, int maxChars);
  void unlock();

 private:
  QZResourceHandle* held_ = nullptr;
};
