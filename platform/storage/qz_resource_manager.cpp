#include "qz_resource_manager.h"

#include <algorithm>
#include <new>
#include <string>

#include "base/byte_order.h"
#include "base/byte_reader.h"
#include "qz_resource_database.h"
#include "wince/resource.h"
#include "wince/text.h"

namespace {

constexpr uint32_t kIdMapHeader = 6;
constexpr uint32_t kIdMapMinEntry = 12;
constexpr uint32_t kModeEntry = 10;
constexpr uint16_t kIdMapId = 1;
constexpr uint16_t kModeListId = 0;

constexpr uint32_t kExeStringUnits = 1024;  // a 2048-byte buffer

void deleteHandle(QZResourceHandle* handle) {
  if (handle == nullptr) return;
  handle->release();
  delete handle;
}

}  // namespace

// --- QZResourceHandle -------------------------------------------------------

const char16_t* QZResourceHandle::getText() {
  if (text != nullptr) return text;
  if (ownedBuffer) return text = ownedBuffer.get();
  if (data == nullptr) return nullptr;
  const bool wide = type == QZ_TYPE_TSTR;
  const uint32_t units = wide ? size / 2 : size;
  convertedCopy.reset(new (std::nothrow) char16_t[units + 1]());
  if (!convertedCopy) return nullptr;
  uint32_t length = 0;
  while (length < units && (wide ? base::loadLE16(data + 2 * length) : data[length]) != 0) ++length;
  if (wide) {
    for (uint32_t i = 0; i < length; ++i) convertedCopy[i] = base::loadLE16(data + 2 * i);
  } else if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(data), static_cast<int>(length), convertedCopy.get(),
                        static_cast<int>(length));
  }
  converted = 1;
  return text = convertedCopy.get();
}

uint16_t QZResourceHandle::getTextLength() {
  const char16_t* t = getText();
  if (t == nullptr) return 0;
  uint32_t length = 0;
  while (t[length] != 0 && length < 0xFFFF) ++length;
  return static_cast<uint16_t>(length);
}

uint16_t QZResourceHandle::copyText(int maxChars, char16_t* buffer) {
  if (maxChars < 1 || getText() == nullptr) return 0;
  const uint16_t count = std::min<uint32_t>(getTextLength(), static_cast<uint32_t>(maxChars - 1));
  std::copy(text, text + count, buffer);
  buffer[count] = 0;
  return count;
}

void QZResourceHandle::release() {
  convertedCopy.reset();
  converted = 0;
  text = nullptr;
  if (source != nullptr && data != nullptr) source->releaseResource(this);
}

// --- Parsers ----------------------------------------------------------------

std::vector<QZIdMapEntry> QZParseIdMap(const uint8_t* data, uint32_t size, uint16_t mode, uint16_t language) {
  std::vector<QZIdMapEntry> map;
  if (data == nullptr || size < kIdMapHeader) return map;
  base::ByteReader header(data, size);
  header.skip(2);
  const auto count = static_cast<int16_t>(header.readBE16());
  const uint16_t entrySize = header.readBE16();
  if (count <= 0 || entrySize < kIdMapMinEntry) return map;
  const uint32_t fitting = std::min<uint32_t>(static_cast<uint32_t>(count), (size - kIdMapHeader) / entrySize);
  for (uint32_t i = 0; i < fitting; ++i) {
    base::ByteReader e(data + kIdMapHeader + i * entrySize, entrySize);
    const uint16_t entryMode = e.readBE16();
    const uint32_t type = e.readBE32();
    const uint16_t entryLanguage = e.readBE16();
    const uint16_t id = e.readBE16();
    const uint16_t mappedId = e.readBE16();
    if ((entryMode != 0 && entryMode != mode) || (entryLanguage != 0 && entryLanguage != language)) continue;
    map.push_back(QZIdMapEntry{type, id, mappedId});
  }
  return map;
}

std::vector<uint16_t> QZParseModeList(const uint8_t* data, uint32_t size) {
  std::vector<uint16_t> modes;
  if (data == nullptr) return modes;
  for (uint32_t i = 0; i + kModeEntry <= size; i += kModeEntry) modes.push_back(base::loadBE16(data + i));
  return modes;
}

// --- CQZResourceSourceEXE ---------------------------------------------------

QZResourceHandle* CQZResourceSourceEXE::getResource(uint32_t type, uint16_t id) {
  auto* handle = new (std::nothrow) QZResourceHandle();
  if (handle == nullptr) return nullptr;
  handle->source = this;
  handle->type = type;
  handle->id = id;
  if (type == QZ_TYPE_TSTR) {
    handle->ownedBuffer.reset(new (std::nothrow) char16_t[kExeStringUnits]());
    if (!handle->ownedBuffer || LoadStringPointer(nullptr, id) == nullptr) {
      delete handle;
      return nullptr;
    }
    LoadString(nullptr, id, handle->ownedBuffer.get(), kExeStringUnits);
    handle->data = reinterpret_cast<const uint8_t*>(handle->ownedBuffer.get());
    handle->size = 2 * kExeStringUnits;
    return handle;
  }
  const char16_t typeName[5] = {static_cast<char16_t>(type >> 24), static_cast<char16_t>((type >> 16) & 0xFF),
                                static_cast<char16_t>((type >> 8) & 0xFF), static_cast<char16_t>(type & 0xFF), 0};
  HRSRC found = FindResource(nullptr, id == 0 ? u"0" : MAKEINTRESOURCE(id), typeName);
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  if (loaded == nullptr) {
    delete handle;
    return nullptr;
  }
  handle->data = static_cast<const uint8_t*>(LockResource(loaded));
  handle->size = SizeofResource(nullptr, found);
  return handle;
}

void CQZResourceSourceEXE::releaseResource(QZResourceHandle* handle) {
  handle->ownedBuffer.reset();
  handle->source = nullptr;
  handle->data = nullptr;
  handle->size = 0;
}

// --- CQZResourceSourcePDB ---------------------------------------------------

CQZResourceSourcePDB::CQZResourceSourcePDB(const char16_t* name, uint32_t creator, uint32_t type, bool complete)
    : database_(QZNewResourceDatabase()) {
  if (database_ && database_->open(name, creator, type, !complete, false) != QZ_OK) database_.reset();
}

CQZResourceSourcePDB::~CQZResourceSourcePDB() = default;

QZResourceHandle* CQZResourceSourcePDB::getResource(uint32_t type, uint16_t id) {
  if (id == QZ_NO_ID || !database_) return nullptr;
  const uint8_t* data = database_->getResource(type, id);
  if (data == nullptr) return nullptr;
  auto* handle = new (std::nothrow) QZResourceHandle();
  if (handle == nullptr) return nullptr;
  handle->source = this;
  handle->data = data;
  handle->size = database_->getResourceLength(type, id);
  handle->type = type;
  handle->id = id;
  ++liveHandles_;
  return handle;
}

void CQZResourceSourcePDB::releaseResource(QZResourceHandle* handle) {
  if (database_) database_->releaseResource(handle->type, handle->id);
  handle->source = nullptr;
  handle->data = nullptr;
  handle->size = 0;
  handle->type = 0;
  handle->id = 0;
  if (liveHandles_ > 0 && --liveHandles_ == 0 && unloadPending_) unloadAllResources();
}

void CQZResourceSourcePDB::preloadResources(const std::vector<QZIdMapEntry>& idMap) {
  if (!database_) return;
  for (const QZIdMapEntry& e : idMap) database_->loadResource(e.type, e.mappedId);
}

QZStatus CQZResourceSourcePDB::loadAllResources() { return database_ ? database_->loadAllResources() : QZ_OK; }

QZStatus CQZResourceSourcePDB::unloadAllResources() {
  // Data handed out must stay valid until its handle comes back.
  unloadPending_ = liveHandles_ > 0;
  if (unloadPending_ || !database_) return QZ_OK;
  return database_->unloadAllResources();
}

// --- CQZResourceManager -----------------------------------------------------

CQZResourceManager::~CQZResourceManager() { reset(); }

CQZResourceManager& CQZResourceManager::instance() {
  static CQZResourceManager manager;
  return manager;
}

void CQZResourceManager::addSource(std::unique_ptr<CQZResourceSource> source) {
  if (!source) return;
  sources_.push_front(std::move(source));
  readIdMap(*sources_.front());
  readModeList(*sources_.front());
}

QZStatus CQZResourceManager::addSourceDatabases(uint32_t creator, uint32_t type) {
  CQZCoreDatabaseWin32 finder;
  std::u16string name;
  bool found = false;
  for (bool first = true; finder.findNextDatabase(creator, type, first, name) == QZ_OK; first = false) {
    found = true;
    auto source = std::unique_ptr<CQZResourceSource>(new (std::nothrow)
                                                         CQZResourceSourcePDB(name.c_str(), creator, type, false));
    addSource(std::move(source));
  }
  return found ? QZ_OK : QZ_ERR_GENERAL;
}

QZStatus CQZResourceManager::readIdMap(CQZResourceSource& source) {
  QZResourceHandle* handle = source.getResource(QZ_TYPE_ARIL, kIdMapId);
  if (handle == nullptr) return QZ_OK;
  const std::vector<QZIdMapEntry> entries = QZParseIdMap(handle->data, handle->size, mode_, language_);
  idMap_.insert(idMap_.end(), entries.begin(), entries.end());
  deleteHandle(handle);
  return QZ_OK;
}

QZStatus CQZResourceManager::readModeList(CQZResourceSource& source) {
  QZResourceHandle* handle = source.getResource(QZ_TYPE_AGML, kModeListId);
  if (handle == nullptr) return QZ_OK;
  for (uint16_t mode : QZParseModeList(handle->data, handle->size)) {
    if (!hasGraphicsMode(mode)) modes_.push_back(mode);
  }
  deleteHandle(handle);
  return QZ_OK;
}

uint16_t CQZResourceManager::findMappedId(uint32_t type, uint16_t id) const {
  for (const QZIdMapEntry& e : idMap_) {
    if (e.type == type && e.id == id) return e.mappedId;
  }
  return QZ_NO_ID;
}

QZResourceHandle* CQZResourceManager::getResource(uint32_t type, uint16_t id) {
  for (const uint16_t wanted : {findMappedId(type, id), id}) {
    if (wanted == QZ_NO_ID) continue;
    for (const auto& source : sources_) {
      if (QZResourceHandle* handle = source->getResource(type, wanted)) return handle;
    }
  }
  return nullptr;
}

QZResourceHandle* CQZResourceManager::getString(uint16_t id) {
  QZResourceHandle* handle = getResource(QZ_TYPE_ASTR, id);
  return handle != nullptr ? handle : getResource(QZ_TYPE_TSTR, id);
}

bool CQZResourceManager::hasGraphicsMode(uint16_t mode) const {
  return std::find(modes_.begin(), modes_.end(), mode) != modes_.end();
}

void CQZResourceManager::clearMaps() {
  idMap_.clear();
  modes_.clear();
}

QZStatus CQZResourceManager::reloadMaps() {
  clearMaps();
  for (auto it = sources_.rbegin(); it != sources_.rend(); ++it) {
    CQZResourceSource& source = **it;
    readIdMap(source);
    readModeList(source);
    source.unloadAllResources();
    source.preloadResources(idMap_);
  }
  return QZ_OK;
}

QZStatus CQZResourceManager::setModeAndLanguage(uint16_t mode, uint16_t language) {
  mode_ = mode;
  language_ = language;
  if (unloadSamples_ != nullptr) unloadSamples_();
  reloadMaps();
  if (loadSamples_ != nullptr) loadSamples_();
  return QZ_OK;
}

void CQZResourceManager::setSampleHooks(void (*unloadSamples)(), void (*loadSamples)()) {
  unloadSamples_ = unloadSamples;
  loadSamples_ = loadSamples;
}

void CQZResourceManager::reset() {
  sources_.clear();
  clearMaps();
  mode_ = 0;
  language_ = 0;
}

// --- Holders ----------------------------------------------------------------

const uint8_t* QZLockResource(QZResourceHandle*& holder, uint32_t type, uint16_t id) {
  QZUnlockResource(holder);
  holder = CQZResourceManager::instance().getResource(type, id);
  return holder != nullptr ? holder->getData() : nullptr;
}

const char16_t* QZLockString(QZResourceHandle*& holder, uint16_t id) {
  QZUnlockResource(holder);
  holder = CQZResourceManager::instance().getString(id);
  return holder != nullptr ? holder->getText() : nullptr;
}

uint16_t QZGetStringLength(QZResourceHandle*& holder, uint16_t id) {
  return QZLockString(holder, id) != nullptr ? holder->getTextLength() : 0;
}

int QZCopyString(uint16_t id, char16_t* buffer, int maxChars) {
  QZResourceHandle* handle = CQZResourceManager::instance().getString(id);
  if (handle == nullptr) return 0;
  handle->copyText(maxChars, buffer);
  deleteHandle(handle);
  return 1;
}

void QZUnlockResource(QZResourceHandle*& holder) {
  deleteHandle(holder);
  holder = nullptr;
}
