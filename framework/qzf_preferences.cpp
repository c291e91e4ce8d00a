#include "qzf_preferences.h"

#include <memory>
#include <new>

#include "app_serialise_stream.h"
#include "qz_preferences.h"
#include "qzf_application.h"

namespace {

constexpr uint16_t kChecksumSize = 4;

std::unique_ptr<uint8_t[]> allocate(uint32_t size) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]());
}

}  // namespace

CQZFPreferences::CQZFPreferences(CQZFObject* owner, uint16_t preferencesId, uint8_t saved)
    : CQZFObject(owner), saved_(saved), preferencesId_(preferencesId) {
  setKind(kKind, this);
}

QZStatus CQZFPreferences::blockSize(uint32_t& size) {
  const uint16_t custom = getCustomSize();
  if (custom != 0) {
    size = custom + kChecksumSize;
    return QZ_OK;
  }
  SerialiseStream counter;
  uint32_t checksum = 0;
  serialiseU32(counter, &checksum, 1);
  const QZStatus status = serialiseSettings(counter);
  size = counter.position;
  return status;
}

QZStatus CQZFPreferences::load() {
  const uint16_t stored = QZGetPreferencesSize(preferencesId_, saved_ != 0);
  setDefaults();
  uint32_t expected = 0;
  const QZStatus counted = blockSize(expected);
  if (counted != QZ_OK) return CQZFApplication::report(this, "qzf_preferences", 40, counted);
  if (stored != expected || stored <= kChecksumSize) {
    // A block stored at another size is damaged; none at all is a first start.
    if (stored != 0) QZNotePreferencesDamage();
    return QZ_ERR_SIZE_MISMATCH;
  }
  std::unique_ptr<uint8_t[]> buffer = allocate(stored);
  if (!buffer) return CQZFApplication::report(this, "qzf_preferences", 47, QZ_ERR_NO_MEMORY);
  if (QZGetPreferences(preferencesId_, saved_ != 0, buffer.get(), stored, true) != QZ_OK) {
    return QZ_ERR_SIZE_MISMATCH;
  }
  QZStatus status;
  if (getCustomSize() != 0) {
    const auto length = static_cast<uint16_t>(stored - kChecksumSize);
    status = readCustom(length, buffer.get() + kChecksumSize, length);
  } else {
    SerialiseStream reader{SERIALISE_READ_MEMORY, buffer.get(), stored, 0, nullptr};
    uint32_t checksum = 0;
    status = serialiseU32(reader, &checksum, 1);
    if (status == QZ_OK) status = serialiseSettings(reader);
  }
  if (status < 0) {
    QZNotePreferencesDamage();
    setDefaults();
    return QZ_ERR_SIZE_MISMATCH;
  }
  return QZ_OK;
}

QZStatus CQZFPreferences::save() {
  uint32_t length = 0;
  const QZStatus counted = blockSize(length);
  if (counted != QZ_OK) return counted;
  if (length <= kChecksumSize) return QZ_ERR_SIZE_MISMATCH;
  if (length > 0xFFFF) return QZ_ERR_OVERRUN;
  std::unique_ptr<uint8_t[]> buffer = allocate(length);
  if (!buffer) return CQZFApplication::report(this, "qzf_preferences", 108, QZ_ERR_NO_MEMORY);
  QZStatus status;
  if (getCustomSize() != 0) {
    status = writeCustom(buffer.get() + kChecksumSize);
  } else {
    SerialiseStream writer{SERIALISE_WRITE_MEMORY, buffer.get(), static_cast<uint16_t>(length), 0, nullptr};
    uint32_t checksum = 0;
    status = serialiseU32(writer, &checksum, 1);
    if (status == QZ_OK) status = serialiseSettings(writer);
  }
  if (status < 0) return status;
  return QZSetPreferences(preferencesId_, saved_ != 0, buffer.get(), static_cast<uint16_t>(length), true);
}
