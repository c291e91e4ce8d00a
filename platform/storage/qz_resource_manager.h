// The resource manager: every piece of game data is fetched by type and id
// from an ordered list of sources (the executable and the data databases),
// newest first, with an id map for the current graphics mode and language.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "qz_types.h"

class CQZResourceSource;
class CQZResourceDatabase;

constexpr uint32_t QZ_TYPE_ARES = QZFourCC("ARES");
constexpr uint32_t QZ_TYPE_ARIL = QZFourCC("aRIL");
constexpr uint32_t QZ_TYPE_AGML = QZFourCC("aGML");
constexpr uint32_t QZ_TYPE_ASTR = QZFourCC("aSTR");
constexpr uint32_t QZ_TYPE_TSTR = QZFourCC("tSTR");

// What every lookup returns; the caller releases and deletes it.
struct QZResourceHandle {
  CQZResourceSource* source = nullptr;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t type = 0;
  uint16_t id = 0;
  uint8_t converted = 0;
  const char16_t* text = nullptr;
  std::unique_ptr<char16_t[]> ownedBuffer;    // an executable string, freed on release
  std::unique_ptr<char16_t[]> convertedCopy;  // the terminated text made by getText

  const uint8_t* getData() const { return data; }
  // The resource as terminated UTF-16 text: 'tSTR' data holds little-endian
  // units, any other type zero-terminated Windows-1252 text. Both are read
  // only within the resource's size.
  const char16_t* getText();
  uint16_t getTextLength();
  // Copies min(length, maxChars - 1) characters and a terminator; the count.
  // Nothing for maxChars below 1 or without text.
  uint16_t copyText(int maxChars, char16_t* buffer);
  // Gives the data back to its source.
  void release();
};

struct QZIdMapEntry {
  uint32_t type = 0;
  uint16_t id = 0;
  uint16_t mappedId = 0;
};

// Parsers of the 'aRIL' id map (big-endian, whole entries of at least 12
// bytes only) and the 'aGML' mode list (10-byte entries).
std::vector<QZIdMapEntry> QZParseIdMap(const uint8_t* data, uint32_t size, uint16_t mode, uint16_t language);
std::vector<uint16_t> QZParseModeList(const uint8_t* data, uint32_t size);

class CQZResourceSource {
 public:
  virtual ~CQZResourceSource() = default;
  virtual QZResourceHandle* getResource(uint32_t type, uint16_t id) = 0;
  virtual void releaseResource(QZResourceHandle* handle) = 0;
  virtual void preloadResources(const std::vector<QZIdMapEntry>& idMap) = 0;
  virtual QZStatus loadAllResources() = 0;
  virtual QZStatus unloadAllResources() = 0;
};

// The executable's own resources: its string table for 'tSTR' (at most 1023
// characters), any other type by the four characters of its code, id 0
// meaning the resource named "0".
class CQZResourceSourceEXE final : public CQZResourceSource {
 public:
  QZResourceHandle* getResource(uint32_t type, uint16_t id) override;
  void releaseResource(QZResourceHandle* handle) override;
  void preloadResources(const std::vector<QZIdMapEntry>&) override {}
  QZStatus loadAllResources() override { return QZ_OK; }
  QZStatus unloadAllResources() override { return QZ_OK; }
};

// A data database opened on demand (or complete). Data handed out stays in
// the database's cache; unloading is put off while handles are out.
class CQZResourceSourcePDB final : public CQZResourceSource {
 public:
  CQZResourceSourcePDB(const char16_t* name, uint32_t creator, uint32_t type, bool complete);
  ~CQZResourceSourcePDB() override;
  CQZResourceSourcePDB(const CQZResourceSourcePDB&) = delete;
  CQZResourceSourcePDB& operator=(const CQZResourceSourcePDB&) = delete;

  QZResourceHandle* getResource(uint32_t type, uint16_t id) override;
  void releaseResource(QZResourceHandle* handle) override;
  void preloadResources(const std::vector<QZIdMapEntry>& idMap) override;
  QZStatus loadAllResources() override;
  QZStatus unloadAllResources() override;

  bool isOpen() const { return database_ != nullptr; }

 private:
  std::unique_ptr<CQZResourceDatabase> database_;
  uint32_t liveHandles_ = 0;
  bool unloadPending_ = false;
};

class CQZResourceManager {
 public:
  CQZResourceManager() = default;
  ~CQZResourceManager();
  CQZResourceManager(const CQZResourceManager&) = delete;
  CQZResourceManager& operator=(const CQZResourceManager&) = delete;

  // The program's one manager.
  static CQZResourceManager& instance();

  void addSource(std::unique_ptr<CQZResourceSource> source);
  // One source per stored database of that creator and type; -1 when none.
  QZStatus addSourceDatabases(uint32_t creator, uint32_t type);
  QZStatus readIdMap(CQZResourceSource& source);
  QZStatus readModeList(CQZResourceSource& source);
  uint16_t findMappedId(uint32_t type, uint16_t id) const;
  QZResourceHandle* getResource(uint32_t type, uint16_t id);
  QZResourceHandle* getString(uint16_t id);
  bool hasGraphicsMode(uint16_t mode) const;
  void clearMaps();
  QZStatus reloadMaps();
  // Stores both, lets the sound effects go, rebuilds the maps and loads the
  // sound effects again.
  QZStatus setModeAndLanguage(uint16_t mode, uint16_t language);
  // The sound layer's hooks that drop and reload the effect samples, which
  // hold resource handles.
  void setSampleHooks(void (*unloadSamples)(), void (*loadSamples)());
  // Deletes every source and empties the maps; mode and language back to 0.
  void reset();

  uint16_t graphicsMode() const { return mode_; }
  uint16_t language() const { return language_; }

 private:
  std::list<std::unique_ptr<CQZResourceSource>> sources_;  // newest first
  std::vector<uint16_t> modes_;
  std::vector<QZIdMapEntry> idMap_;
  uint16_t mode_ = 0;
  uint16_t language_ = 0;
  void (*unloadSamples_)() = nullptr;
  void (*loadSamples_)() = nullptr;
};

// Handle holders on the program's manager.
const uint8_t* QZLockResource(QZResourceHandle*& holder, uint32_t type, uint16_t id);
const char16_t* QZLockString(QZResourceHandle*& holder, uint16_t id);
uint16_t QZGetStringLength(QZResourceHandle*& holder, uint16_t id);
int QZCopyString(uint16_t id, char16_t* buffer, int maxChars);
void QZUnlockResource(QZResourceHandle*& holder);
