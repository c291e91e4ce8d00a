// Module songs in the S3M and IT formats: the whole file is kept in memory and
// the tables the players need are built from it; pattern data is unpacked row
// by row from the file image, always inside the pattern's own bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AuSongPlayer;

struct AuSampleRecord {
  uint32_t offset = 0;  // of the data in the file
  uint32_t length = 0;  // bytes
  uint8_t volume = 0;  // 0..64
  uint8_t globalVolume = 64;
  uint8_t format = 0;  // 0 unsigned 8-bit, 1 signed 8-bit, 3 signed 16-bit
  uint8_t pan = 0;
  uint16_t rate = 0;
  int32_t periodScale = 0;
  const uint8_t* start = nullptr;  // null: no data
  const uint8_t* loopStart = nullptr;  // null: no loop
  const uint8_t* end = nullptr;  // one past the last byte played
};

struct AuChannelSlot {
  uint8_t enabled = 0;
  uint8_t pan = 0;  // S3M 0..15, IT 0..16; 0 is left
  uint8_t volume = 64;
};

struct AuEnvelope {
  uint8_t flags = 0;  // 1 on, 2 loop, 4 sustain loop
  uint8_t nodeCount = 0;  // at most 25
  uint8_t loopBegin = 0, loopEnd = 0, sustainBegin = 0, sustainEnd = 0;
  uint8_t values[25] = {};
  uint16_t ticks[25] = {};
};

struct AuInstrument {
  uint8_t globalVolume = 128;
  uint8_t pan = 0;
  uint8_t sampleForNote[120] = {};  // 1-based sample numbers, 0 none
  AuEnvelope volumeEnvelope;
};

// One unpacked cell: the file's note byte (kAuNoNote when the cell has none;
// S3M octave << 4 | semitone, 254 cut; IT 0..119, 254 cut, 255 off),
// instrument (0 none), volume + 1 (0 none), command (0 none, A = 1), info.
constexpr uint16_t kAuNoNote = 0x100;
struct AuCell {
  uint16_t note = kAuNoNote;
  uint8_t instrument = 0;
  uint16_t volume = 0;
  uint8_t command = 0;
  uint8_t info = 0;

  bool isEmpty() const { return note == kAuNoNote && !instrument && !volume && !command; }
};

// Reads the packed rows of one pattern, never past its own bytes.
class AuPatternReader {
 public:
  // S3M packing when `it` is false; `channels` cells per row.
  void start(const uint8_t* data, size_t size, bool it);
  // Unpacks the next row into `row` (cleared first; channels beyond `channels`
  // are skipped). An exhausted pattern gives empty rows.
  void readRow(AuCell* row, int channels);
  bool atEnd() const { return m_at >= m_size; }

 private:
  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
  size_t m_at = 0;
  bool m_it = false;
  uint8_t m_mask[64] = {};
  AuCell m_last[64];
};

class AuSong {
 public:
  static constexpr int kMaxSamples = 100;
  static constexpr int kChannelSlots = 64;

  virtual ~AuSong();
  // 0 on success, -1 on failure (unreadable or malformed file).
  // `path` is a device path.
  virtual int load(const std::u16string& path);
  virtual void unload();
  virtual std::unique_ptr<AuSongPlayer> makePlayer() = 0;
  virtual int getChannelCount() const;
  // Builds the tables from an image already in memory (tests, fuzzing).
  int loadImage(std::vector<uint8_t> image);

  bool isLoaded() const { return m_loaded; }
  // The pattern's packed bytes (S3M: after its length word; IT: after its
  // header) and its row count; an empty pattern for bad references.
  void getPattern(int index, const uint8_t*& data, size_t& size, int& rows) const;
  virtual bool isImpulseTracker() const = 0;

  char title[29] = {};
  uint16_t orderCount = 0, instrumentCount = 0, sampleCount = 0, patternCount = 0;
  uint16_t flags = 0, trackerVersion = 0;
  uint8_t globalVolume = 64, initialSpeed = 6, initialTempo = 125, masterVolume = 0;
  bool stereo = false, fastVolumeSlides = false;
  const uint8_t* orders = nullptr;
  std::vector<AuSampleRecord> samples;  // kMaxSamples records
  AuChannelSlot channels[kChannelSlots];

 protected:
  AuSong();
  virtual int parse() = 0;
  bool readFile(const std::u16string& path);
  const uint8_t* at(size_t offset, size_t size) const;
  uint8_t u8(size_t offset) const;
  uint16_t u16(size_t offset) const;
  uint32_t u32(size_t offset) const;
  // `count` samples of `unit` bytes at `offset` in the file image, where the
  // image holds them all; null otherwise.
  uint8_t* sampleData(uint32_t offset, uint32_t count, uint32_t unit);
  // Sets the sample's data pointers to `count` samples at `data` (null: no
  // data), dropping a loop that does not lie inside the data.
  void placeSample(AuSampleRecord& s, const uint8_t* data, uint32_t count, bool loop, uint32_t loopStart,
                   uint32_t loopEnd, uint32_t unit);
  void setRate(AuSampleRecord& s, uint32_t rate);

  std::vector<uint8_t> m_image;
  bool m_loaded = false;
  struct Pattern {
    uint32_t offset = 0;
    uint32_t size = 0;
    uint16_t rows = 64;
  };
  std::vector<Pattern> m_patterns;
  // Sample data decoded at load (compressed IT samples); the records point
  // into these buffers.
  std::vector<std::vector<uint8_t>> m_decodedSamples;
};

class AuScreamTrackerSong : public AuSong {
 public:
  std::unique_ptr<AuSongPlayer> makePlayer() override;
  bool isImpulseTracker() const override { return false; }

 protected:
  int parse() override;
};

class AuImpulseTrackerSong : public AuSong {
 public:
  std::unique_ptr<AuSongPlayer> makePlayer() override;
  bool isImpulseTracker() const override { return true; }
  // The highest enabled channel that the patterns use + 1: files in the wild
  // enable all 64 channel slots whatever they use.
  int getChannelCount() const override;

  bool useInstruments = false;
  uint8_t mixVolume = 0;
  uint16_t special = 0;
  std::vector<AuInstrument> instruments;

 protected:
  int parse() override;

 private:
  // Decodes compressed sample data at `offset`; null when it is malformed.
  uint8_t* decompressSample(uint32_t offset, uint32_t count, bool is16, bool doubleDelta);
  int countUsedChannels() const;

  int m_usedChannels = 0;
};
