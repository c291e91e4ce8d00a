// A small encoder of the IT sample compression for the song tests: every
// sample takes the narrowest code width that holds its delta, so streams
// change width often and use all three kinds of width change.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace songtest {

class ITSampleEncoder {
 public:
  ITSampleEncoder(bool is16, bool doubleDelta)
      : m_bits(is16 ? 16 : 8), m_max(is16 ? 17 : 9), m_widthBits(is16 ? 4 : 3), m_doubleDelta(doubleDelta) {}

  // Blocks of a byte count and the bit stream, as many as the samples need.
  std::vector<uint8_t> encode(const std::vector<int>& samples) {
    std::vector<uint8_t> out;
    const size_t perBlock = m_bits == 16 ? 0x4000 : 0x8000;
    for (size_t first = 0; first < samples.size(); first += perBlock) {
      const size_t last = std::min(samples.size(), first + perBlock);
      std::vector<uint8_t> block = encodeBlock(std::vector<int>(samples.begin() + first, samples.begin() + last));
      out.push_back(static_cast<uint8_t>(block.size()));
      out.push_back(static_cast<uint8_t>(block.size() >> 8));
      out.insert(out.end(), block.begin(), block.end());
    }
    return out;
  }

 private:
  std::vector<uint8_t> encodeBlock(const std::vector<int>& samples) {
    m_out.clear();
    m_used = 0;
    int width = m_max;
    int previous = 0, previousDelta = 0;
    for (int s : samples) {
      int d = wrap(s - previous);
      if (m_doubleDelta) {
        const int delta = d;
        d = wrap(delta - previousDelta);
        previousDelta = delta;
      }
      previous = s;
      const int wanted = narrowest(d);
      if (wanted != width) changeWidth(width, wanted);
      width = wanted;
      put(static_cast<uint32_t>(d) & ((1u << std::min(width, m_bits)) - 1), width);
    }
    return m_out;
  }

  int wrap(int v) const {
    const int range = 1 << m_bits;
    v &= range - 1;
    return v >= range / 2 ? v - range : v;
  }

  uint32_t border(int width) const { return (((1u << m_bits) - 1) >> (m_max - width)) - (1u << (m_widthBits - 1)); }

  bool fits(int d, int width) const {
    if (width == m_max) return true;
    const int half = 1 << (width - 1);
    if (d < -half || d >= half) return false;
    const uint32_t code = static_cast<uint32_t>(d) & ((1u << width) - 1);
    if (width < 7) return code != static_cast<uint32_t>(half);
    return code <= border(width) || code > border(width) + (2u << (m_widthBits - 1));
  }

  int narrowest(int d) const {
    int width = 1;
    while (!fits(d, width)) ++width;
    return width;
  }

  void changeWidth(int from, int to) {
    const uint32_t code = static_cast<uint32_t>(to < from ? to : to - 1);
    if (from < 7) {
      put(1u << (from - 1), from);
      put(code - 1, m_widthBits);
    } else if (from < m_max) {
      put(border(from) + code, from);
    } else {
      put((1u << m_bits) | static_cast<uint32_t>(to - 1), from);
    }
  }

  void put(uint32_t value, int width) {
    for (int i = 0; i < width; ++i, ++m_used) {
      if (m_used % 8 == 0) m_out.push_back(0);
      if (value >> i & 1) m_out.back() = static_cast<uint8_t>(m_out.back() | (1 << (m_used % 8)));
    }
  }

  int m_bits, m_max, m_widthBits;
  bool m_doubleDelta;
  std::vector<uint8_t> m_out;
  size_t m_used = 0;
};

}  // namespace songtest
