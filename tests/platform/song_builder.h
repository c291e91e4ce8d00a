// Builds small S3M and IT files in memory for the song and player tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>


#include "it_sample_encoder.h"
#include "score.h"
#include "test_scratch.h"
#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/registry.h"
#include "wince/system.h"

namespace songtest {

using Cell = ScoreCell;

struct Sample {
  std::vector<uint8_t> data;  // bytes as stored (16-bit: little-endian pairs)
  uint32_t rate = 8363;
  uint8_t volume = 64;
  bool is16 = false;
  bool loop = false;
  uint32_t loopStart = 0;  // in samples
  uint32_t loopEnd = 0;
  uint8_t type = 1;  // S3M instrument type
  bool compressed = false;  // IT: stored compressed
  bool doubleDelta = false;  // IT: the 2.15 variant of the compression
};

// The sample's values (signed) from its stored bytes.
inline std::vector<int> values(const Sample& s) {
  std::vector<int> out;
  for (size_t i = 0; i + (s.is16 ? 1 : 0) < s.data.size(); i += s.is16 ? 2 : 1) {
    out.push_back(s.is16 ? static_cast<int16_t>(s.data[i] | (s.data[i + 1] << 8)) : static_cast<int8_t>(s.data[i]));
  }
  return out;
}

// pattern -> (row, channel) -> cell
using Pattern = std::map<std::pair<int, int>, Cell>;

inline void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}
inline void align16(std::vector<uint8_t>& b) { b.resize((b.size() + 15) & ~size_t{15}); }

struct S3M {
  uint8_t speed = 6, tempo = 125, globalVolume = 64;
  uint16_t version = 0x1320, flags = 0;
  uint8_t channelSettings[32];
  std::vector<int> pans;  // default-pan block when not empty
  uint8_t panFlag = 0x20;  // added to each default pan: the pan counts only with it
  bool stereo = true;
  std::vector<uint8_t> orders{0};
  std::vector<Sample> samples;
  std::vector<Pattern> patterns{Pattern{}};
  bool signedSamples = false;

  S3M() {
    for (int i = 0; i < 32; ++i) channelSettings[i] = i < 4 ? static_cast<uint8_t>(i % 2 ? 8 + i : i) : 255;
  }

  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> b(0x60, 0);
    std::memcpy(b.data(), "test song", 9);
    b[0x1C] = 0x1A;
    b[0x1D] = 16;
    put16(b, 0x20, static_cast<uint32_t>(orders.size()));
    put16(b, 0x22, static_cast<uint32_t>(samples.size()));
    put16(b, 0x24, static_cast<uint32_t>(patterns.size()));
    put16(b, 0x26, flags);
    put16(b, 0x28, version);
    put16(b, 0x2A, signedSamples ? 1 : 2);
    std::memcpy(b.data() + 0x2C, "SCRM", 4);
    b[0x30] = globalVolume;
    b[0x31] = speed;
    b[0x32] = tempo;
    b[0x33] = static_cast<uint8_t>((stereo ? 0x80 : 0) | 48);
    b[0x35] = pans.empty() ? 0 : 0xFC;
    std::memcpy(b.data() + 0x40, channelSettings, 32);
    b.insert(b.end(), orders.begin(), orders.end());
    const size_t insTable = b.size();
    b.resize(b.size() + 2 * samples.size());
    const size_t patTable = b.size();
    b.resize(b.size() + 2 * patterns.size());
    if (!pans.empty()) {
      for (int i = 0; i < 32; ++i) b.push_back(static_cast<uint8_t>(i < static_cast<int>(pans.size()) ? pans[i] | panFlag : 0));
    }
    std::vector<size_t> headers;
    for (size_t i = 0; i < samples.size(); ++i) {
      align16(b);
      put16(b, insTable + 2 * i, static_cast<uint32_t>(b.size() / 16));
      headers.push_back(b.size());
      b.resize(b.size() + 0x50, 0);
    }
    for (size_t k = 0; k < patterns.size(); ++k) {
      align16(b);
      put16(b, patTable + 2 * k, static_cast<uint32_t>(b.size() / 16));
      const size_t start = b.size();
      b.resize(b.size() + 2);
      for (int row = 0; row < 64; ++row) {
        for (const auto& [key, c] : patterns[k]) {
          if (key.first != row) continue;
          packS3MCell(b, key.second, c);
        }
        b.push_back(0);
      }
      put16(b, start, static_cast<uint32_t>(b.size() - start));
    }
    for (size_t i = 0; i < samples.size(); ++i) {
      const Sample& s = samples[i];
      align16(b);
      const size_t h = headers[i];
      const uint32_t count = static_cast<uint32_t>(s.data.size() / (s.is16 ? 2 : 1));
      b[h] = s.type;
      put16(b, h + 0x0E, static_cast<uint32_t>(b.size() / 16));
      put32(b, h + 0x10, count);
      put32(b, h + 0x14, s.loopStart);
      put32(b, h + 0x18, s.loopEnd);
      b[h + 0x1C] = s.volume;
      b[h + 0x1F] = static_cast<uint8_t>((s.loop ? 1 : 0) | (s.is16 ? 4 : 0));
      put32(b, h + 0x20, s.rate);
      std::memcpy(b.data() + h + 0x4C, "SCRS", 4);
      b.insert(b.end(), s.data.begin(), s.data.end());
    }
    return b;
  }
};

struct Instrument {
  uint8_t sample = 1;  // for every note
  uint8_t envelopeFlags = 0;  // 1 on, 4 sustain loop
  std::vector<std::pair<int, int>> nodes;  // (value, tick)
  uint8_t sustainBegin = 0, sustainEnd = 0;
};

struct IT {
  uint8_t speed = 6, tempo = 125, globalVolume = 128;
  std::vector<Instrument> instruments;  // instrument mode when not empty
  uint16_t flags = 1;
  uint8_t channelPan[64];
  std::vector<uint8_t> orders{0};
  std::vector<Sample> samples;
  std::vector<Pattern> patterns{Pattern{}};
  std::vector<int> patternRows;  // per pattern; 64 when missing

  IT() {
    for (int i = 0; i < 64; ++i) channelPan[i] = i < 4 ? 32 : 128 | 32;
  }

  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> b(0xC0, 0);
    std::memcpy(b.data(), "IMPM", 4);
    std::memcpy(b.data() + 4, "test song", 9);
    put16(b, 0x20, static_cast<uint32_t>(orders.size()));
    put16(b, 0x22, static_cast<uint32_t>(instruments.size()));
    put16(b, 0x24, static_cast<uint32_t>(samples.size()));
    put16(b, 0x26, static_cast<uint32_t>(patterns.size()));
    put16(b, 0x28, 0x0214);
    put16(b, 0x2A, 0x0200);
    put16(b, 0x2C, static_cast<uint32_t>(flags | (instruments.empty() ? 0 : 4)));
    b[0x30] = globalVolume;
    b[0x31] = 48;
    b[0x32] = speed;
    b[0x33] = tempo;
    b[0x34] = 128;
    std::memcpy(b.data() + 0x40, channelPan, 64);
    for (int i = 0; i < 64; ++i) b[0x80 + static_cast<size_t>(i)] = 64;
    b.insert(b.end(), orders.begin(), orders.end());
    const size_t insTable = b.size();
    b.resize(b.size() + 4 * instruments.size());
    const size_t smpTable = b.size();
    b.resize(b.size() + 4 * samples.size());
    const size_t patTable = b.size();
    b.resize(b.size() + 4 * patterns.size());
    for (size_t i = 0; i < instruments.size(); ++i) {
      const Instrument& ins = instruments[i];
      put32(b, insTable + 4 * i, static_cast<uint32_t>(b.size()));
      const size_t h = b.size();
      b.resize(b.size() + 0x230, 0);
      std::memcpy(b.data() + h, "IMPI", 4);
      b[h + 0x18] = 128;
      for (int n = 0; n < 120; ++n) {
        b[h + 0x40 + 2 * static_cast<size_t>(n)] = static_cast<uint8_t>(n);
        b[h + 0x41 + 2 * static_cast<size_t>(n)] = ins.sample;
      }
      b[h + 0x130] = ins.envelopeFlags;
      b[h + 0x131] = static_cast<uint8_t>(ins.nodes.size());
      b[h + 0x134] = ins.sustainBegin;
      b[h + 0x135] = ins.sustainEnd;
      for (size_t k = 0; k < ins.nodes.size(); ++k) {
        b[h + 0x136 + 3 * k] = static_cast<uint8_t>(ins.nodes[k].first);
        put16(b, h + 0x137 + 3 * k, static_cast<uint32_t>(ins.nodes[k].second));
      }
    }
    std::vector<size_t> headers;
    for (size_t i = 0; i < samples.size(); ++i) {
      put32(b, smpTable + 4 * i, static_cast<uint32_t>(b.size()));
      headers.push_back(b.size());
      b.resize(b.size() + 0x50, 0);
    }
    for (size_t k = 0; k < patterns.size(); ++k) {
      const int rows = k < patternRows.size() ? patternRows[k] : 64;
      put32(b, patTable + 4 * k, static_cast<uint32_t>(b.size()));
      const size_t start = b.size();
      b.resize(b.size() + 8, 0);
      put16(b, start + 2, static_cast<uint32_t>(rows));
      for (int row = 0; row < rows; ++row) {
        for (const auto& [key, c] : patterns[k]) {
          if (key.first != row) continue;
          uint8_t mask = 0;
          if (c.note >= 0) mask |= 1;
          if (c.instrument) mask |= 2;
          if (c.volume >= 0) mask |= 4;
          if (c.command) mask |= 8;
          b.push_back(static_cast<uint8_t>((key.second + 1) | 0x80));
          b.push_back(mask);
          if (mask & 1) b.push_back(static_cast<uint8_t>(c.note));
          if (mask & 2) b.push_back(static_cast<uint8_t>(c.instrument));
          if (mask & 4) b.push_back(static_cast<uint8_t>(c.volume));
          if (mask & 8) {
            b.push_back(static_cast<uint8_t>(c.command));
            b.push_back(static_cast<uint8_t>(c.info));
          }
        }
        b.push_back(0);
      }
      put16(b, start, static_cast<uint32_t>(b.size() - start - 8));
    }
    for (size_t i = 0; i < samples.size(); ++i) {
      const Sample& s = samples[i];
      const size_t h = headers[i];
      std::memcpy(b.data() + h, "IMPS", 4);
      b[h + 0x11] = 64;
      b[h + 0x12] = static_cast<uint8_t>(1 | (s.is16 ? 2 : 0) | (s.compressed ? 8 : 0) | (s.loop ? 0x10 : 0));
      b[h + 0x13] = s.volume;
      b[h + 0x2E] = static_cast<uint8_t>(1 | (s.doubleDelta ? 4 : 0));
      put32(b, h + 0x30, static_cast<uint32_t>(s.data.size() / (s.is16 ? 2 : 1)));
      put32(b, h + 0x34, s.loopStart);
      put32(b, h + 0x38, s.loopEnd);
      put32(b, h + 0x3C, s.rate);
      put32(b, h + 0x48, static_cast<uint32_t>(b.size()));
      const std::vector<uint8_t> stored =
          s.compressed ? ITSampleEncoder(s.is16, s.doubleDelta).encode(values(s)) : s.data;
      b.insert(b.end(), stored.begin(), stored.end());
    }
    return b;
  }
};

// A sine of `cycles` periods over `length` samples, signed 8-bit or 16-bit.
inline std::vector<uint8_t> sine(size_t length, double cycles, bool is16, bool unsignedBytes = false) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < length; ++i) {
    const double v = std::sin(2 * 3.14159265358979 * cycles * static_cast<double>(i) / static_cast<double>(length));
    if (is16) {
      const int16_t s = static_cast<int16_t>(v * 30000);
      out.push_back(static_cast<uint8_t>(s));
      out.push_back(static_cast<uint8_t>(static_cast<uint16_t>(s) >> 8));
    } else {
      const int s = static_cast<int>(v * 120);
      out.push_back(static_cast<uint8_t>(unsignedBytes ? s + 128 : s));
    }
  }
  return out;
}

// Roots the device at `root`, puts the song file into its "\install" folder
// and names that folder as the program's InstallDir in the registry.
inline bool installSong(const std::string& root, const std::string& name, const std::vector<uint8_t>& bytes) {
  if (!wince::setDeviceRoot(root)) return false;
  std::filesystem::create_directories(root + "/install");
  FILE* f = std::fopen((root + "/install/" + name).c_str(), "wb");
  if (!f) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                     nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const char16_t folder[] = u"\\install";
  const LONG result =
      RegSetValueEx(key, u"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), sizeof folder);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace songtest
