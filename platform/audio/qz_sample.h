// Sound-effect samples: RIFF WAVE resources (8-bit unsigned mono) and 4-bit
// ADPCM resources at 8000 Hz, decoded to 8-bit PCM when first played.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum QZSampleKind : uint32_t {
  kQZSampleEmpty = 0,
  kQZSamplePCM = 1,
  kQZSampleADPCM = 2,
};

// What the mixer plays: the resource bytes (or the decoded buffer) and where
// the PCM samples lie in them.
struct QZPlayableRecord {
  uint32_t first = 0;
  uint32_t kind = kQZSampleEmpty;
  uint32_t state = 0;  // 2 once the record holds data
  uint32_t spare = 0;
  const uint8_t* data = nullptr;
  uint32_t dataLength = 0;
  const uint8_t* samples = nullptr;
  uint32_t sampleLength = 0;
  uint16_t rate = 0;
  uint16_t bits = 0;  // the WAVE bits field, bytes swapped; not read

  // Takes `length` bytes of `kind`; WAVE data is parsed. -1 (and a cleared
  // record) for missing data or a WAVE image without a playable data chunk.
  int initRecord(const uint8_t* data, uint32_t length, uint32_t kind);
  void clear() { *this = QZPlayableRecord{}; }
};

// Finds the "data" chunk of a RIFF WAVE image, staying inside it: 0 and the
// record's samples, length and rate set, or -1.
int QZParseWave(const uint8_t* data, uint32_t length, QZPlayableRecord& record);

// Decodes `length` bytes of 4-bit ADPCM (low nibble first) into 2 x length
// unsigned 8-bit samples.
void QZDecodeADPCM(const uint8_t* in, size_t length, uint8_t* out);

// Where effect samples come from: the resource manager, unless another
// source is installed (tests and tools).
struct QZSoundResource {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  void* handle = nullptr;  // released through the lookup's release
};
struct QZSoundResourceSource {
  // Type is the four-character code ('WAVE' or 'aPCM'); false when absent.
  virtual bool getResource(uint32_t type, uint16_t id, QZSoundResource& out) = 0;
  virtual void releaseResource(QZSoundResource& resource) = 0;
  virtual ~QZSoundResourceSource() = default;
};
// Null goes back to the resource manager.
void QZSetSoundResourceSource(QZSoundResourceSource* source);
QZSoundResourceSource* QZGetSoundResourceSource();

constexpr uint32_t kQZTypeWAVE = 0x57415645u;  // 'WAVE'
constexpr uint32_t kQZTypeAPCM = 0x6150434Du;  // 'aPCM'

class QZSample {
 public:
  QZSample();
  virtual ~QZSample();
  QZSample(const QZSample&) = delete;
  QZSample& operator=(const QZSample&) = delete;

  // WAVE resource `id` first, else aPCM; -5 when neither exists, -1 when the
  // resource holds no playable data.
  int load(uint16_t id);
  // Makes a record from bytes the caller keeps alive (tools and tests).
  int loadData(const uint8_t* data, uint32_t length, uint32_t kind);
  // 0 when the record is (made) of the wanted kind, -18 when it cannot be.
  int prepare(uint32_t wantedKind);
  QZPlayableRecord* getRecord() { return m_record.get(); }

 private:
  int decode();

  std::unique_ptr<QZPlayableRecord> m_record;
  std::unique_ptr<uint8_t[]> m_decoded;
  QZSoundResource m_resource;
  QZSoundResourceSource* m_source = nullptr;  // the one that gave m_resource
};
