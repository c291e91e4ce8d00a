#include "qzf_database.h"

// --- Byte accessors ----------------------------------------------------------

QZStatus CQZFDatabase::putChars(uint8_t* buffer, const char* text, uint32_t offset, uint32_t n) {
  return core_ ? core_->putChars(buffer, text, offset, n) : QZ_ERR_NO_MEMORY;
}

QZStatus CQZFDatabase::putText(uint8_t* buffer, const char16_t* text, uint32_t offset, uint32_t n) {
  return core_ ? core_->putText(buffer, text, offset, n) : QZ_ERR_NO_MEMORY;
}

void CQZFDatabase::getChars(char* text, const uint8_t* buffer, uint32_t offset, uint32_t n) {
  if (core_) core_->getChars(text, buffer, offset, n);
}

void CQZFDatabase::getText(char16_t* text, const uint8_t* buffer, uint32_t offset, uint32_t n) {
  if (core_) core_->getText(text, buffer, offset, n);
}

QZStatus CQZFDatabase::putBlock(uint8_t* buffer, uint32_t offset, const uint8_t* data, uint16_t n) {
  return core_ ? core_->putBlock(buffer, offset, data, n) : QZ_ERR_NO_MEMORY;
}

void CQZFDatabase::getBlock(uint8_t* data, const uint8_t* buffer, uint32_t offset, uint16_t n) {
  if (core_) core_->getBlock(data, buffer, offset, n);
}

QZStatus CQZFDatabase::putU8(uint8_t* buffer, uint32_t offset, uint8_t value) {
  return core_ ? core_->putU8(buffer, offset, value) : QZ_ERR_NO_MEMORY;
}

uint8_t CQZFDatabase::getU8(const uint8_t* buffer, uint32_t offset) { return core_ ? core_->getU8(buffer, offset) : 0; }

QZStatus CQZFDatabase::putU16(uint8_t* buffer, uint32_t offset, uint16_t value) {
  return core_ ? core_->putU16(buffer, offset, value) : QZ_ERR_NO_MEMORY;
}

uint16_t CQZFDatabase::getU16(const uint8_t* buffer, uint32_t offset) {
  return core_ ? core_->getU16(buffer, offset) : 0;
}

QZStatus CQZFDatabase::putU32(uint8_t* buffer, uint32_t offset, uint32_t value) {
  return core_ ? core_->putU32(buffer, offset, value) : QZ_ERR_NO_MEMORY;
}

uint32_t CQZFDatabase::getU32(const uint8_t* buffer, uint32_t offset) {
  return core_ ? core_->getU32(buffer, offset) : 0;
}

QZStatus CQZFDatabase::putU64(uint8_t* buffer, uint32_t offset, uint64_t value) {
  return core_ ? core_->putU64(buffer, offset, value) : QZ_ERR_NO_MEMORY;
}

uint64_t CQZFDatabase::getU64(const uint8_t* buffer, uint32_t offset) {
  return core_ ? core_->getU64(buffer, offset) : 0;
}

// --- Resource database --------------------------------------------------------

CQZFRsrcDatabase::CQZFRsrcDatabase() : CQZFOwnedDatabase(QZNewResourceDatabase()) {}

QZStatus CQZFRsrcDatabase::open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName) {
  return database_ ? database_->open(name, creator, type, false, anyName) : QZ_ERR_NO_MEMORY;
}

QZStatus CQZFRsrcDatabase::addResource(uint32_t type, uint16_t id, uint32_t size, const void* data) {
  return database_ ? database_->addResource(type, id, size, data) : QZ_ERR_NO_MEMORY;
}

QZStatus CQZFRsrcDatabase::resizeResource(uint32_t type, uint16_t id, uint32_t size) {
  return database_ ? database_->resizeResource(type, id, size) : QZ_ERR_NO_MEMORY;
}

QZStatus CQZFRsrcDatabase::removeResource(uint32_t type, uint16_t id) {
  return database_ ? database_->removeResource(type, id) : QZ_ERR_NO_MEMORY;
}

QZStatus CQZFRsrcDatabase::removeAllResources() {
  return database_ ? database_->removeAllResources() : QZ_ERR_NO_MEMORY;
}

uint8_t* CQZFRsrcDatabase::getResource(uint32_t type, uint16_t id) {
  return database_ ? database_->getResource(type, id) : nullptr;
}

uint16_t CQZFRsrcDatabase::getResourceSize(uint32_t type, uint16_t id) {
  return database_ ? database_->getResourceSize(type, id) : 0;
}

QZStatus CQZFRsrcDatabase::releaseResource(uint32_t type, uint16_t id) {
  return database_ ? database_->releaseResource(type, id) : QZ_ERR_NO_MEMORY;
}

bool CQZFRsrcDatabase::isWhole() { return database_ && database_->isWhole(); }

uint16_t CQZFRsrcDatabase::countUnreadResources() { return database_ ? database_->countUnreadResources() : 0; }

// --- Record database ----------------------------------------------------------

CQZFRecDatabase::CQZFRecDatabase() : CQZFOwnedDatabase(QZNewRecordDatabase()) {}

QZStatus CQZFRecDatabase::open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName) {
  return database_ ? database_->open(name, creator, type, anyName) : QZ_ERR_NO_MEMORY;
}

uint16_t CQZFRecDatabase::getRecordCount() { return database_ ? database_->getRecordCount() : 0; }

uint8_t* CQZFRecDatabase::getRecord(uint16_t index) { return database_ ? database_->getRecord(index) : nullptr; }

uint16_t CQZFRecDatabase::getRecordSize(uint16_t index) { return database_ ? database_->getRecordSize(index) : 0; }

uint8_t* CQZFRecDatabase::appendRecord(uint32_t size, uint16_t& indexOut) {
  return database_ ? database_->appendRecord(size, indexOut) : nullptr;
}

QZStatus CQZFRecDatabase::releaseRecord(uint16_t index) {
  return database_ ? database_->releaseRecord(index) : QZ_ERR_NO_MEMORY;
}
