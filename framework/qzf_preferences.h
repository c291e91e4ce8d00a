// The base of an application's settings object: its serialised fields become
// one checksummed preference block of the settings database, and back.
#pragma once

#include <cstdint>

#include "qz_types.h"
#include "qzf_object.h"

class CQZFPreferences : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindPreferences;

  CQZFPreferences(CQZFObject* owner, uint16_t preferencesId, uint8_t saved);

  virtual void setDefaults() = 0;
  [[nodiscard]] virtual QZStatus serialiseSettings(SerialiseStream& stream) { return QZ_OK; }
  // Non-zero: the block holds this many custom bytes after the checksum
  // instead of the serialised settings.
  virtual uint16_t getCustomSize() { return 0; }
  [[nodiscard]] virtual QZStatus writeCustom(uint8_t* buffer) { return QZ_OK; }
  [[nodiscard]] virtual QZStatus readCustom(uint16_t size, const uint8_t* data, uint16_t length) { return QZ_OK; }

  // Defaults, then the stored block: 0; -4 when it is absent, of another size,
  // damaged or unreadable (the defaults stay); -9 without memory.
  [[nodiscard]] QZStatus load();
  // 0; -4 when there is nothing to save; -9 without memory; else the failing
  // status.
  [[nodiscard]] QZStatus save();

  uint16_t preferencesId() const { return preferencesId_; }
  uint8_t savedFlag() const { return saved_; }

 private:
  // The block size: custom + 4, or a counting walk over the settings.
  [[nodiscard]] QZStatus blockSize(uint32_t& size);

  uint8_t saved_;
  uint16_t preferencesId_;
};
