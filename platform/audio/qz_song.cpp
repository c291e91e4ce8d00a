#include "qz_song.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "base/byte_order.h"
#include "qz_audio_mixer.h"
#include "qz_it_compression.h"
#include "qz_song_player.h"
#include "wince/file.h"

namespace {

constexpr size_t kS3MHeader = 0x60;
constexpr size_t kS3MSampleHeader = 0x50;
constexpr size_t kITHeader = 0xC0;
constexpr size_t kITSampleHeader = 0x50;
constexpr size_t kITInstrumentHeader = 0x136 + 75;
constexpr int kMaxRows = 256;

// Flips the sign of unsigned sample data in place so that it plays as signed.
void makeSigned(uint8_t* data, size_t bytes, uint32_t unit) {
  for (size_t i = unit - 1; i < bytes; i += unit) data[i] ^= 0x80;
}

}  // namespace

void AuPatternReader::start(const uint8_t* data, size_t size, bool it) {
  m_data = data;
  m_size = data ? size : 0;
  m_at = 0;
  m_it = it;
  std::memset(m_mask, 0, sizeof m_mask);
  for (AuCell& c : m_last) c = AuCell{};
}

void AuPatternReader::readRow(AuCell* row, int channels) {
  for (int c = 0; c < channels; ++c) row[c] = AuCell{};
  AuCell scratch;
  auto next = [this](uint8_t& out) {
    if (m_at >= m_size) return false;
    out = m_data[m_at++];
    return true;
  };
  uint8_t marker = 0;
  while (next(marker) && marker != 0) {
    if (!m_it) {
      const int ch = marker & 31;
      AuCell& cell = ch < channels ? row[ch] : scratch;
      uint8_t a = 0, b = 0;
      if (marker & 0x20) {
        if (!next(a) || !next(b)) return;
        cell.note = a == 255 ? kAuNoNote : a;
        cell.instrument = b;
      }
      if (marker & 0x40) {
        if (!next(a)) return;
        cell.volume = static_cast<uint16_t>(a + 1);
      }
      if (marker & 0x80) {
        if (!next(a) || !next(b)) return;
        cell.command = a;
        cell.info = b;
      }
      continue;
    }
    const int ch = (marker - 1) & 63;
    AuCell& cell = ch < channels ? row[ch] : scratch;
    AuCell& last = m_last[ch];
    if (marker & 0x80 && !next(m_mask[ch])) return;
    const uint8_t mask = m_mask[ch];
    uint8_t a = 0, b = 0;
    if (mask & 0x01) {
      if (!next(a)) return;
      last.note = a;
    }
    if (mask & 0x02) {
      if (!next(a)) return;
      last.instrument = a;
    }
    if (mask & 0x04) {
      if (!next(a)) return;
      last.volume = static_cast<uint16_t>(a + 1);
    }
    if (mask & 0x08) {
      if (!next(a) || !next(b)) return;
      last.command = a;
      last.info = b;
    }
    if (mask & 0x11) cell.note = last.note;
    if (mask & 0x22) cell.instrument = last.instrument;
    if (mask & 0x44) cell.volume = last.volume;
    if (mask & 0x88) {
      cell.command = last.command;
      cell.info = last.info;
    }
  }
}

AuSong::AuSong() : samples(kMaxSamples) {}

AuSong::~AuSong() { unload(); }

int AuSong::load(const std::u16string& path) {
  unload();
  if (!readFile(path)) return -1;
  if (parse() != 0) {
    unload();
    return -1;
  }
  return 0;
}

int AuSong::loadImage(std::vector<uint8_t> image) {
  unload();
  m_image = std::move(image);
  m_loaded = true;
  if (parse() != 0) {
    unload();
    return -1;
  }
  return 0;
}

void AuSong::unload() {
  m_image.clear();
  m_image.shrink_to_fit();
  m_patterns.clear();
  m_decodedSamples.clear();
  orders = nullptr;
  orderCount = 0;
  std::fill(samples.begin(), samples.end(), AuSampleRecord{});
  for (AuChannelSlot& c : channels) c = AuChannelSlot{};
  m_loaded = false;
}

bool AuSong::readFile(const std::u16string& path) {
  FILE* f = _wfopen(path.c_str(), u"rb");
  if (!f) return false;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  bool ok = size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    try {
      m_image.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
      std::printf("Failed to allocate %ld bytes\n", size);
      ok = false;
    }
  }
  if (ok && size > 0) ok = std::fread(m_image.data(), 1, m_image.size(), f) == m_image.size();
  std::fclose(f);
  m_loaded = ok;
  return ok;
}

const uint8_t* AuSong::at(size_t offset, size_t size) const {
  if (offset > m_image.size() || size > m_image.size() - offset) return nullptr;
  return m_image.data() + offset;
}

uint8_t AuSong::u8(size_t offset) const {
  const uint8_t* p = at(offset, 1);
  return p ? p[0] : 0;
}

uint16_t AuSong::u16(size_t offset) const {
  const uint8_t* p = at(offset, 2);
  return p ? base::loadLE16(p) : 0;
}

uint32_t AuSong::u32(size_t offset) const {
  const uint8_t* p = at(offset, 4);
  return p ? base::loadLE32(p) : 0;
}

uint8_t* AuSong::sampleData(uint32_t offset, uint32_t count, uint32_t unit) {
  const uint64_t bytes = static_cast<uint64_t>(count) * unit;
  if (bytes == 0 || bytes > m_image.size() || !at(offset, static_cast<size_t>(bytes))) return nullptr;
  return m_image.data() + offset;
}

void AuSong::placeSample(AuSampleRecord& s, const uint8_t* data, uint32_t count, bool loop, uint32_t loopStart,
                         uint32_t loopEnd, uint32_t unit) {
  const uint64_t bytes = static_cast<uint64_t>(count) * unit;
  if (!data || bytes == 0) {
    s.length = 0;
    s.start = s.loopStart = s.end = nullptr;
    return;
  }
  s.length = static_cast<uint32_t>(bytes);
  s.start = data;
  s.end = data + bytes;
  s.loopStart = nullptr;
  if (loop && static_cast<uint64_t>(loopStart) * unit < bytes) {
    s.loopStart = data + static_cast<uint64_t>(loopStart) * unit;
    if (loopEnd > loopStart && static_cast<uint64_t>(loopEnd) * unit <= bytes) {
      s.end = data + static_cast<uint64_t>(loopEnd) * unit;
    }
  }
}

void AuSong::setRate(AuSampleRecord& s, uint32_t rate) {
  s.rate = static_cast<uint16_t>(rate);
  s.periodScale = (s.start && s.rate) ? auPeriodScale(s.rate) : 0;
}

int AuSong::getChannelCount() const {
  for (int i = kChannelSlots - 1; i >= 0; --i) {
    if (channels[i].enabled) return i + 1;
  }
  return 0;
}

void AuSong::getPattern(int index, const uint8_t*& data, size_t& size, int& rows) const {
  data = nullptr;
  size = 0;
  rows = 64;
  if (index < 0 || static_cast<size_t>(index) >= m_patterns.size()) return;
  const Pattern& p = m_patterns[static_cast<size_t>(index)];
  rows = p.rows;
  if (p.size == 0) return;
  data = at(p.offset, p.size);
  size = data ? p.size : 0;
}

int AuScreamTrackerSong::parse() {
  if (!at(0, kS3MHeader) || std::memcmp(m_image.data() + 0x2C, "SCRM", 4) != 0) return -1;
  std::memcpy(title, m_image.data(), 28);
  orderCount = u16(0x20);
  instrumentCount = u16(0x22);
  patternCount = u16(0x24);
  flags = u16(0x26);
  trackerVersion = u16(0x28);
  const bool signedSamples = u16(0x2A) == 1;
  globalVolume = std::min<uint8_t>(u8(0x30), 64);
  initialSpeed = u8(0x31);
  initialTempo = u8(0x32);
  masterVolume = u8(0x33) & 0x7F;
  stereo = (u8(0x33) & 0x80) != 0;
  const bool defaultPans = u8(0x35) == 0xFC;
  fastVolumeSlides = trackerVersion == 0x1300 || (flags & 0x40) != 0;

  const size_t instrumentTable = kS3MHeader + orderCount;
  const size_t patternTable = instrumentTable + 2u * instrumentCount;
  const size_t panTable = patternTable + 2u * patternCount;
  if (!at(kS3MHeader, static_cast<size_t>(panTable - kS3MHeader))) return -1;
  orders = m_image.data() + kS3MHeader;

  // A default pan counts only with its bit 0x20 set; a mono song centres
  // every channel (the players centre its voices exactly).
  for (int i = 0; i < 32; ++i) {
    const uint8_t setting = u8(0x40 + static_cast<size_t>(i));
    const uint8_t pan = defaultPans ? u8(panTable + static_cast<size_t>(i)) : 0;
    channels[i].enabled = setting < 16;
    channels[i].pan = setting < 8 ? 0 : 15;
    if (pan & 0x20) channels[i].pan = pan & 0x0F;
    if (!stereo) channels[i].pan = 8;
  }

  sampleCount = std::min<uint16_t>(instrumentCount, kMaxSamples);
  for (int j = 0; j < sampleCount; ++j) {
    const size_t header = static_cast<size_t>(u16(instrumentTable + 2u * static_cast<size_t>(j))) * 16;
    const uint8_t* h = at(header, kS3MSampleHeader);
    if (!h || h[0] != 1) continue;  // only sampled instruments
    AuSampleRecord& s = samples[static_cast<size_t>(j)];
    const uint8_t sampleFlags = h[0x1F];
    const uint32_t unit = (sampleFlags & 4) ? 2 : 1;
    s.offset = static_cast<uint32_t>(base::loadLE16(h + 0x0E)) * 16;
    const uint32_t count = base::loadLE16(h + 0x10);
    s.volume = std::min<uint8_t>(h[0x1C], 64);
    s.format = unit == 2 ? kAuFormatSigned16 : (signedSamples ? kAuFormatSigned8 : kAuFormatUnsigned8);
    uint8_t* data = sampleData(s.offset, count, unit);
    if (unit == 2 && !signedSamples && data) makeSigned(data, count * 2u, 2);
    placeSample(s, data, count, (sampleFlags & 1) != 0, u32(header + 0x14) & 0xFFFF, u32(header + 0x18) & 0xFFFF,
                unit);
    setRate(s, base::loadLE16(h + 0x20));
  }

  m_patterns.assign(patternCount, Pattern{});
  for (int k = 0; k < patternCount; ++k) {
    const size_t offset = static_cast<size_t>(u16(patternTable + 2u * static_cast<size_t>(k))) * 16;
    if (offset == 0 || !at(offset, 2)) continue;
    // The packed-length word is not reliable in the wild (trackers wrote it
    // short); 64 rows are read, bounded by the file's end.
    Pattern& p = m_patterns[static_cast<size_t>(k)];
    p.offset = static_cast<uint32_t>(offset + 2);
    p.size = static_cast<uint32_t>(m_image.size() - p.offset);
  }
  return 0;
}

int AuImpulseTrackerSong::parse() {
  if (!at(0, kITHeader) || std::memcmp(m_image.data(), "IMPM", 4) != 0) return -1;
  std::memcpy(title, m_image.data() + 4, 26);
  orderCount = u16(0x20);
  instrumentCount = u16(0x22);
  const uint16_t fileSamples = u16(0x24);
  patternCount = u16(0x26);
  trackerVersion = u16(0x28);
  flags = u16(0x2C);
  special = u16(0x2E);
  globalVolume = std::min<uint8_t>(u8(0x30), 128);
  mixVolume = u8(0x31);
  initialSpeed = u8(0x32);
  initialTempo = u8(0x33);
  stereo = (flags & 1) && u8(0x34) != 0;
  useInstruments = (flags & 4) != 0;
  fastVolumeSlides = true;

  const size_t instrumentTable = kITHeader + orderCount;
  const size_t sampleTable = instrumentTable + 4u * instrumentCount;
  const size_t patternTable = sampleTable + 4u * fileSamples;
  if (!at(kITHeader, patternTable + 4u * patternCount - kITHeader)) return -1;
  orders = m_image.data() + kITHeader;

  for (int i = 0; i < kChannelSlots; ++i) {
    const uint8_t pan = u8(0x40 + static_cast<size_t>(i));
    channels[i].enabled = pan <= 64 || pan == 100;
    channels[i].pan = pan <= 64 ? pan / 4 : 8;
    channels[i].volume = std::min<uint8_t>(u8(0x80 + static_cast<size_t>(i)), 64);
  }

  instruments.assign(useInstruments ? instrumentCount : 0, AuInstrument{});
  for (size_t j = 0; j < instruments.size(); ++j) {
    const uint8_t* h = at(u32(instrumentTable + 4 * j), kITInstrumentHeader);
    if (!h) continue;
    AuInstrument& ins = instruments[j];
    ins.globalVolume = h[0x18];
    ins.pan = h[0x19];
    for (int n = 0; n < 120; ++n) ins.sampleForNote[n] = h[0x41 + 2 * n];
    AuEnvelope& env = ins.volumeEnvelope;
    env.flags = h[0x130];
    env.nodeCount = std::min<uint8_t>(h[0x131], 25);
    env.loopBegin = h[0x132];
    env.loopEnd = h[0x133];
    env.sustainBegin = h[0x134];
    env.sustainEnd = h[0x135];
    for (int n = 0; n < 25; ++n) {
      env.values[n] = std::min<uint8_t>(h[0x136 + 3 * n], 64);
      env.ticks[n] = base::loadLE16(h + 0x137 + 3 * n);
    }
  }

  sampleCount = std::min<uint16_t>(fileSamples, kMaxSamples);
  for (size_t j = 0; j < sampleCount; ++j) {
    const size_t header = u32(sampleTable + 4 * j);
    const uint8_t* h = at(header, kITSampleHeader);
    if (!h) continue;
    AuSampleRecord& s = samples[j];
    const uint8_t sampleFlags = h[0x12];
    const uint32_t unit = (sampleFlags & 2) ? 2 : 1;
    const bool isSigned = (h[0x2E] & 1) != 0;
    s.globalVolume = h[0x11];
    s.volume = std::min<uint8_t>(h[0x13], 64);
    s.pan = h[0x2F];
    s.format = unit == 2 ? kAuFormatSigned16 : kAuFormatSigned8;
    s.offset = u32(header + 0x48);
    const uint32_t count = (sampleFlags & 0x01) ? u32(header + 0x30) : 0;
    uint8_t* data = nullptr;
    if (count > 0) {
      // Flag 0x08: compressed; conversion bit 0x04 marks the 2.15 variant.
      data = (sampleFlags & 0x08) ? decompressSample(s.offset, count, unit == 2, (h[0x2E] & 0x04) != 0)
                                  : sampleData(s.offset, count, unit);
    }
    if (!isSigned && data) makeSigned(data, static_cast<size_t>(count) * unit, unit);
    placeSample(s, data, count, (sampleFlags & 0x10) != 0, u32(header + 0x34), u32(header + 0x38), unit);
    setRate(s, u32(header + 0x3C) & 0xFFFF);
  }

  m_patterns.assign(patternCount, Pattern{});
  for (size_t k = 0; k < patternCount; ++k) {
    const size_t offset = u32(patternTable + 4 * k);
    if (offset == 0 || !at(offset, 8)) continue;  // offset 0: an empty 64-row pattern
    Pattern& p = m_patterns[k];
    p.rows = static_cast<uint16_t>(std::clamp<int>(u16(offset + 2), 1, kMaxRows));
    p.offset = static_cast<uint32_t>(offset + 8);
    p.size = static_cast<uint32_t>(std::min<size_t>(u16(offset), m_image.size() - p.offset));
  }
  m_usedChannels = countUsedChannels();
  return 0;
}

uint8_t* AuImpulseTrackerSong::decompressSample(uint32_t offset, uint32_t count, bool is16, bool doubleDelta) {
  if (offset >= m_image.size()) return nullptr;
  const AuCompressedSample in{m_image.data() + offset, m_image.size() - offset, count, is16, doubleDelta};
  std::vector<uint8_t> out;
  if (!auDecompressITSample(in, out)) return nullptr;
  m_decodedSamples.push_back(std::move(out));
  return m_decodedSamples.back().data();
}

// Reads every pattern once. Patterns that overlap (no file in the wild has
// them) could make that long: such a song counts its enabled slots instead.
int AuImpulseTrackerSong::countUsedChannels() const {
  uint64_t bytes = 0;
  for (const Pattern& p : m_patterns) bytes += p.size;
  if (bytes > m_image.size()) return AuSong::getChannelCount();
  int used = 0;
  AuPatternReader reader;
  AuCell row[kChannelSlots];
  for (int k = 0; k < patternCount; ++k) {
    const uint8_t* data = nullptr;
    size_t size = 0;
    int rows = 0;
    getPattern(k, data, size, rows);
    reader.start(data, size, true);
    for (int r = 0; r < rows && !reader.atEnd(); ++r) {
      reader.readRow(row, kChannelSlots);
      for (int c = used; c < kChannelSlots; ++c) {
        if (channels[c].enabled && !row[c].isEmpty()) used = c + 1;
      }
    }
  }
  return used;
}

int AuImpulseTrackerSong::getChannelCount() const { return isLoaded() ? m_usedChannels : 0; }

std::unique_ptr<AuSongPlayer> AuScreamTrackerSong::makePlayer() {
  return std::make_unique<AuScreamTrackerPlayer>();
}

std::unique_ptr<AuSongPlayer> AuImpulseTrackerSong::makePlayer() {
  return std::make_unique<AuImpulseTrackerPlayer>();
}
