#include "qz_it_compression.h"

#include <algorithm>

namespace {

// The sizes of one sample kind: the widest code (one bit more than a
// sample), the bits that name a new width after a short-code marker, and the
// samples a block holds at most.
struct Kind {
  int sampleBits;
  int maxWidth;
  int widthBits;
  uint32_t blockSamples;
};

constexpr Kind kKind8{8, 9, 3, 0x8000};
constexpr Kind kKind16{16, 17, 4, 0x4000};

// Reads codes of up to 17 bits from one block, lowest bit first.
class BitReader {
 public:
  BitReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool read(int width, uint32_t& value) {
    while (m_count < width) {
      if (m_at >= m_size) return false;
      m_bits |= static_cast<uint32_t>(m_data[m_at++]) << m_count;
      m_count += 8;
    }
    value = m_bits & ((1u << width) - 1);
    m_bits >>= width;
    m_count -= width;
    return true;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
  uint32_t m_bits = 0;
  int m_count = 0;
};

int32_t signExtend(uint32_t value, int bits) {
  const uint32_t sign = 1u << (bits - 1);
  value &= (sign << 1) - 1;
  return static_cast<int32_t>(value ^ sign) - static_cast<int32_t>(sign);
}

// The width a change code asks for: the codes skip the width in use.
int changedWidth(uint32_t code, int width) {
  const int wanted = static_cast<int>(code);
  return wanted < width ? wanted : wanted + 1;
}

// What a code means: 0 a sample, above 0 the new width, -1 malformed.
int widthChange(const Kind& kind, BitReader& bits, uint32_t value, int width) {
  if (width < 7) {
    if (value != 1u << (width - 1)) return 0;
    uint32_t code = 0;
    return bits.read(kind.widthBits, code) ? changedWidth(code + 1, width) : -1;
  }
  if (width < kind.maxWidth) {
    const uint32_t half = 1u << (kind.widthBits - 1);
    const uint32_t border = (((1u << kind.sampleBits) - 1) >> (kind.maxWidth - width)) - half;
    return value > border && value <= border + 2 * half ? changedWidth(value - border, width) : 0;
  }
  if (!(value & (1u << kind.sampleBits))) return 0;
  // The widest codes name the width itself; zero is malformed, and so is a
  // width above the widest (found when it is used).
  const int wanted = static_cast<int>((value + 1) & 0xFF);
  return wanted == 0 ? -1 : wanted;
}

void put(std::vector<uint8_t>& out, const Kind& kind, int32_t sample) {
  out.push_back(static_cast<uint8_t>(sample));
  if (kind.sampleBits == 16) out.push_back(static_cast<uint8_t>(sample >> 8));
}

bool decodeBlock(const Kind& kind, const uint8_t* data, size_t size, uint32_t count, bool doubleDelta,
                 std::vector<uint8_t>& out) {
  BitReader bits(data, size);
  int width = kind.maxWidth;
  // The deltas summed once (the samples) and twice (the 2.15 samples).
  uint32_t once = 0;
  uint32_t twice = 0;
  for (uint32_t done = 0; done < count;) {
    uint32_t value = 0;
    if (width > kind.maxWidth || !bits.read(width, value)) return false;
    const int next = widthChange(kind, bits, value, width);
    if (next < 0) return false;
    if (next > 0) {
      width = next;
      continue;
    }
    once += static_cast<uint32_t>(signExtend(value, std::min(width, kind.sampleBits)));
    twice += once;
    put(out, kind, signExtend(doubleDelta ? twice : once, kind.sampleBits));
    ++done;
  }
  return true;
}

}  // namespace

bool auDecompressITSample(const AuCompressedSample& in, std::vector<uint8_t>& out) {
  out.clear();
  const Kind& kind = in.is16 ? kKind16 : kKind8;
  // Every sample takes at least one bit: a larger count cannot be in the data.
  if (!in.data || in.count / 8 > in.size) return false;
  out.reserve(static_cast<size_t>(in.count) * (kind.sampleBits / 8));
  size_t at = 0;
  for (uint32_t left = in.count; left > 0;) {
    if (in.size - at < 2) break;
    const size_t blockSize = in.data[at] | (in.data[at + 1] << 8);
    at += 2;
    const uint32_t n = std::min(left, kind.blockSamples);
    if (blockSize > in.size - at || !decodeBlock(kind, in.data + at, blockSize, n, in.doubleDelta, out)) break;
    at += blockSize;
    left -= n;
  }
  if (out.size() == static_cast<size_t>(in.count) * (kind.sampleBits / 8)) return true;
  out.clear();
  return false;
}
