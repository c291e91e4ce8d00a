#include "qz_dct.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "qz_dct_vector.h"
#include "qz_types.h"

namespace {

// Example tables, natural order.
constexpr uint8_t kLuminanceQuant[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr uint8_t kChrominanceQuant[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// AAN scale factors, row factor times column factor in units of 1/16384.
constexpr int32_t kAanScales[64] = {
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,  22725, 31521, 29692, 26722, 22725,
    17855, 12299, 6270,  21407, 29692, 27969, 25172, 21407, 16819, 11585, 5906,  19266, 26722,
    25172, 22654, 19266, 15137, 10426, 5315,  16384, 22725, 21407, 19266, 16384, 12873, 8867,
    4520,  12873, 17855, 16819, 15137, 12873, 10114, 6967,  3552,  8867,  12299, 11585, 10426,
    8867,  6967,  4799,  2446,  4520,  6270,  5906,  5315,  4520,  3552,  2446,  1247};

// Zigzag position to natural position; the extra entries keep a run past the
// end of a corrupt block inside the block.
constexpr uint8_t kNaturalOrder[64 + 16] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33,
    40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36,
    29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54,
    47, 55, 62, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

constexpr uint8_t kDcLuminanceBits[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kDcChrominanceBits[16] = {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
constexpr uint8_t kDcValues[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr uint8_t kAcLuminanceBits[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
constexpr uint8_t kAcLuminanceValues[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71,
    0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72,
    0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37,
    0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
    0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3,
    0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
    0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
    0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
constexpr uint8_t kAcChrominanceBits[16] = {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
constexpr uint8_t kAcChrominanceValues[162] = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22,
    0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1,
    0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36,
    0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58,
    0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
    0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a,
    0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba,
    0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda,
    0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

// Fast-IDCT constants in 8 fractional bits.
constexpr int64_t kFix1_082392200 = 277;
constexpr int64_t kFix1_414213562 = 362;
constexpr int64_t kFix1_847759065 = 473;
constexpr int64_t kFix2_613125930 = 669;

inline int64_t mul(int64_t v, int64_t c) { return (v * c) >> 8; }

constexpr int kScaleBits = 16;
constexpr int32_t kOneHalf = 1 << (kScaleBits - 1);
constexpr int32_t fix(double x) { return static_cast<int32_t>(x * (1 << kScaleBits) + 0.5); }

inline int clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

QZDctDecoder::QZDctDecoder(bool vectorLoops) : vector_(vectorLoops && QZDctVectorAvailable()) {}

int QZDctDecoder::scaledQuantiser(int table, int position, int quality) {
  if (quality <= 0) quality = 1;
  const int scale = quality < 50 ? 5000 / quality : (quality <= 100 ? 200 - 2 * quality : 0);
  const int entry = (table == 0 ? kLuminanceQuant : kChrominanceQuant)[position];
  const int q = (entry * scale + 50) / 100;
  return std::clamp(q, 1, 255);
}

QZDctDecoder::HuffmanSpec QZDctDecoder::standardHuffman(bool ac, bool chrominance) {
  if (!ac) return {chrominance ? kDcChrominanceBits : kDcLuminanceBits, kDcValues, std::size(kDcValues)};
  if (chrominance) return {kAcChrominanceBits, kAcChrominanceValues, std::size(kAcChrominanceValues)};
  return {kAcLuminanceBits, kAcLuminanceValues, std::size(kAcLuminanceValues)};
}

int QZDctDecoder::readHeader(const uint8_t* payload, size_t length) {
  if (payload == nullptr || length < kHeaderSize) return QZ_ERR_GENERAL;
  width_ = payload[0] | (payload[1] << 8);
  height_ = payload[2] | (payload[3] << 8);
  quality_ = payload[4] | (payload[5] << 8);
  data_ = payload + kHeaderSize;
  dataLength_ = length - kHeaderSize;
  const size_t mcus = static_cast<size_t>((width_ + 15) / 16) * ((height_ + 15) / 16);
  if (width_ == 0 || height_ == 0 || dataLength_ < mcus) return QZ_ERR_GENERAL;
  for (int t = 0; t < 2; ++t) {
    for (int i = 0; i < 64; ++i) {
      quant_[t][i] = (scaledQuantiser(t, i, quality_) * kAanScales[i] + 2048) >> 12;
    }
  }
  for (int t = 0; t < 4; ++t) {
    const HuffmanSpec spec = standardHuffman(t & 1, t >> 1);
    buildHuffman(&huff_[t], spec.bits, spec.values);
  }
  // Index = IDCT output & 1023: 0..127 -> +128, 128..383 -> 255, 384..895 -> 0, 896..1023 -> 0..127.
  for (int i = 0; i < 1024; ++i) {
    const int signedValue = i < 512 ? i : i - 1024;
    rangeLimit_[i] = static_cast<uint8_t>(clamp255(signedValue + 128));
  }
  for (int i = 0, x = -128; i < 256; ++i, ++x) {
    crR_[i] = (fix(1.40200) * x + kOneHalf) >> kScaleBits;
    cbB_[i] = (fix(1.77200) * x + kOneHalf) >> kScaleBits;
    crG_[i] = -fix(0.71414) * x;
    cbG_[i] = -fix(0.34414) * x + kOneHalf;
  }
  return static_cast<int>(kHeaderSize);
}

namespace {
inline int extend(int v, int s) { return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v; }
}  // namespace

void QZDctDecoder::buildHuffman(Huffman* h, const uint8_t* counts, const uint8_t* values) {
  h->values = values;
  h->look.fill(Look{});
  int code = 0;
  int index = 0;
  for (int length = 1; length <= 16; ++length) {
    const int n = counts[length - 1];
    h->valueOffset[length] = index - code;
    for (int i = 0; i < n; ++i, ++index, ++code) {
      if (length > kLookBits) continue;
      const int shift = kLookBits - length;
      const int size = values[index] & 15;
      for (int fillBits = 0; fillBits < (1 << shift); ++fillBits) {
        Look& look = h->look[(code << shift) | fillBits];
        look.symbol = values[index];
        look.codeLength = static_cast<uint8_t>(length);
        if (length + size <= kLookBits) {
          const int v = (fillBits >> (shift - size)) & ((1 << size) - 1);
          look.value = static_cast<int16_t>(size ? extend(v, size) : 0);
          look.totalLength = static_cast<uint8_t>(length + size);
        }
      }
    }
    h->maxCode[length] = n ? code - 1 : -1;
    code <<= 1;
  }
  h->maxCode[17] = 0x7FFFFFFF;
}

void QZDctDecoder::refill() {
  if (bitCount_ > 32) return;
  if (readPos_ + 8 <= dataLength_) {
    // Eight bytes at once; the bits of the bytes not counted yet sit below
    // bitCount_, where the next refill puts the same bits again.
    uint64_t word = 0;
    for (int i = 0; i < 8; ++i) word = (word << 8) | data_[readPos_ + i];
    bitBuffer_ |= word >> bitCount_;
    readPos_ += static_cast<size_t>((63 - bitCount_) >> 3);
    bitCount_ |= 56;
    return;
  }
  while (bitCount_ <= 56 && readPos_ < dataLength_) {
    bitBuffer_ |= static_cast<uint64_t>(data_[readPos_++]) << (56 - bitCount_);
    bitCount_ += 8;
  }
  if (readPos_ == dataLength_) bitCount_ = 64;  // only zero bits follow
}

void QZDctDecoder::skip(int n) {
  bitBuffer_ <<= n;
  bitCount_ -= n;
}

int QZDctDecoder::take(int n) {
  const int v = static_cast<int>(bitBuffer_ >> (64 - n));
  skip(n);
  return v;
}

// Codes longer than the look; a pattern that is no code at all spends 16 bits
// and reads as symbol 0.
int QZDctDecoder::decodeLongCode(const Huffman& h) {
  int length = kLookBits + 1;
  int code = static_cast<int>(bitBuffer_ >> (64 - length));
  while (length <= 16 && code > h.maxCode[length]) {
    ++length;
    code = static_cast<int>(bitBuffer_ >> (64 - length));
  }
  if (length > 16) {
    skip(16);
    return 0;
  }
  skip(length);
  return h.values[code + h.valueOffset[length]];
}

int QZDctDecoder::decodeCoefficient(const Huffman& h, int* value) {
  refill();
  const Look& look = h.look[bitBuffer_ >> (64 - kLookBits)];
  if (look.totalLength) {
    skip(look.totalLength);
    *value = look.value;
    return look.symbol;
  }
  int symbol;
  if (look.codeLength) {
    skip(look.codeLength);
    symbol = look.symbol;
  } else {
    symbol = decodeLongCode(h);
  }
  const int size = symbol & 15;
  *value = size ? extend(take(size), size) : 0;
  return symbol;
}

bool QZDctDecoder::decodeBlock(int16_t* block, int* predictor, const Huffman& dc, const Huffman& ac) {
  std::memset(block, 0, 64 * sizeof(int16_t));
  int diff = 0;
  decodeCoefficient(dc, &diff);
  *predictor = static_cast<int>(static_cast<uint32_t>(*predictor) + static_cast<uint32_t>(diff));
  block[0] = static_cast<int16_t>(*predictor);
  bool acPresent = false;
  for (int k = 1; k < 64; ++k) {
    int value = 0;
    const int rs = decodeCoefficient(ac, &value);
    const int r = rs >> 4;
    if (rs & 15) {
      k += r;
      block[kNaturalOrder[k]] = static_cast<int16_t>(value);
      acPresent = true;
    } else {
      if (r != 15) break;
      k += 15;
    }
  }
  return acPresent;
}

void QZDctDecoder::idct(const int16_t* in, const int32_t* q, uint8_t* out, int outPitch) {
  int64_t ws[64];
  for (int c = 0; c < 8; ++c) {
    const int16_t* col = in + c;
    const int32_t* qc = q + c;
    if (col[8] == 0 && col[16] == 0 && col[24] == 0 && col[32] == 0 && col[40] == 0 && col[48] == 0 && col[56] == 0) {
      const int64_t dc = static_cast<int64_t>(col[0]) * qc[0];
      for (int r = 0; r < 8; ++r) ws[r * 8 + c] = dc;
      continue;
    }
    int64_t t0 = static_cast<int64_t>(col[0]) * qc[0];
    int64_t t1 = static_cast<int64_t>(col[16]) * qc[16];
    int64_t t2 = static_cast<int64_t>(col[32]) * qc[32];
    int64_t t3 = static_cast<int64_t>(col[48]) * qc[48];
    int64_t t10 = t0 + t2, t11 = t0 - t2, t13 = t1 + t3;
    int64_t t12 = mul(t1 - t3, kFix1_414213562) - t13;
    t0 = t10 + t13;
    t3 = t10 - t13;
    t1 = t11 + t12;
    t2 = t11 - t12;
    const int64_t t4 = static_cast<int64_t>(col[8]) * qc[8];
    const int64_t t5 = static_cast<int64_t>(col[24]) * qc[24];
    const int64_t t6 = static_cast<int64_t>(col[40]) * qc[40];
    const int64_t t7 = static_cast<int64_t>(col[56]) * qc[56];
    const int64_t z13 = t6 + t5, z10 = t6 - t5, z11 = t4 + t7, z12 = t4 - t7;
    const int64_t o7 = z11 + z13;
    const int64_t o11 = mul(z11 - z13, kFix1_414213562);
    const int64_t z5 = mul(z10 + z12, kFix1_847759065);
    const int64_t o10 = mul(z12, kFix1_082392200) - z5;
    const int64_t o12 = mul(z10, -kFix2_613125930) + z5;
    const int64_t o6 = o12 - o7, o5 = o11 - o6, o4 = o10 + o5;
    ws[0 * 8 + c] = t0 + o7;
    ws[7 * 8 + c] = t0 - o7;
    ws[1 * 8 + c] = t1 + o6;
    ws[6 * 8 + c] = t1 - o6;
    ws[2 * 8 + c] = t2 + o5;
    ws[5 * 8 + c] = t2 - o5;
    ws[4 * 8 + c] = t3 + o4;
    ws[3 * 8 + c] = t3 - o4;
  }
  const uint8_t* range = rangeLimit_.data();
  for (int r = 0; r < 8; ++r, out += outPitch) {
    const int64_t* w = ws + r * 8;
    if (w[1] == 0 && w[2] == 0 && w[3] == 0 && w[4] == 0 && w[5] == 0 && w[6] == 0 && w[7] == 0) {
      std::memset(out, range[(w[0] >> 5) & 1023], 8);
      continue;
    }
    const int64_t t10 = w[0] + w[4], t11 = w[0] - w[4], t13 = w[2] + w[6];
    const int64_t t12 = mul(w[2] - w[6], kFix1_414213562) - t13;
    const int64_t t0 = t10 + t13, t3 = t10 - t13, t1 = t11 + t12, t2 = t11 - t12;
    const int64_t z13 = w[5] + w[3], z10 = w[5] - w[3], z11 = w[1] + w[7], z12 = w[1] - w[7];
    const int64_t o7 = z11 + z13;
    const int64_t o11 = mul(z11 - z13, kFix1_414213562);
    const int64_t z5 = mul(z10 + z12, kFix1_847759065);
    const int64_t o10 = mul(z12, kFix1_082392200) - z5;
    const int64_t o12 = mul(z10, -kFix2_613125930) + z5;
    const int64_t o6 = o12 - o7, o5 = o11 - o6, o4 = o10 + o5;
    out[0] = range[((t0 + o7) >> 5) & 1023];
    out[7] = range[((t0 - o7) >> 5) & 1023];
    out[1] = range[((t1 + o6) >> 5) & 1023];
    out[6] = range[((t1 - o6) >> 5) & 1023];
    out[2] = range[((t2 + o5) >> 5) & 1023];
    out[5] = range[((t2 - o5) >> 5) & 1023];
    out[4] = range[((t3 + o4) >> 5) & 1023];
    out[3] = range[((t3 - o4) >> 5) & 1023];
  }
}

// A block with only its DC coefficient is one sample everywhere: the value
// the IDCT's first column and row would give each output.
void QZDctDecoder::transform(const int16_t* block, bool acPresent, const int32_t* quant, uint8_t* out, int outPitch) {
  if (!vector_) {
    idct(block, quant, out, outPitch);
  } else if (!acPresent) {
    const int64_t dc = static_cast<int64_t>(block[0]) * quant[0];
    const uint8_t sample = rangeLimit_[(dc >> 5) & 1023];
    for (int r = 0; r < 8; ++r, out += outPitch) std::memset(out, sample, 8);
  } else {
    QZDctIdctVector(block, quant, out, outPitch);
  }
}

void QZDctDecoder::convertMcu(uint16_t* pixels, int pitch, int x0, int y0) {
  const int w = std::min(16, width_ - x0);
  const int h = std::min(16, height_ - y0);
  if (vector_) {
    QZDctConvertVector(y_, cb_, cr_, pixels + static_cast<size_t>(y0) * pitch + x0, pitch, w, h);
    return;
  }
  for (int y = 0; y < h; ++y) {
    uint16_t* row = pixels + static_cast<size_t>(y0 + y) * pitch + x0;
    const uint8_t* ys = y_ + y * 16;
    const uint8_t* cbs = cb_ + (y >> 1) * 8;
    const uint8_t* crs = cr_ + (y >> 1) * 8;
    for (int x = 0; x < w; ++x) {
      const int luma = ys[x];
      const int cb = cbs[x >> 1];
      const int cr = crs[x >> 1];
      const int r = clamp255(luma + crR_[cr]);
      const int g = clamp255(luma + ((cbG_[cb] + crG_[cr]) >> kScaleBits));
      const int b = clamp255(luma + cbB_[cb]);
      row[x] = static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    }
  }
}

void QZDctDecoder::decodeMcu(int* predictors) {
  int16_t block[64];
  for (int b = 0; b < 4; ++b) {
    const bool ac = decodeBlock(block, &predictors[0], huff_[0], huff_[1]);
    transform(block, ac, quant_[0].data(), y_ + (b >> 1) * 128 + (b & 1) * 8, 16);
  }
  bool ac = decodeBlock(block, &predictors[1], huff_[2], huff_[3]);
  transform(block, ac, quant_[1].data(), cb_, 8);
  ac = decodeBlock(block, &predictors[2], huff_[2], huff_[3]);
  transform(block, ac, quant_[1].data(), cr_, 8);
}

void QZDctDecoder::decode(uint16_t* pixels, int pitch) {
  if (width_ == 0 || height_ == 0 || pixels == nullptr) return;
  bitBuffer_ = 0;
  bitCount_ = 0;
  readPos_ = 0;
  int predictors[3] = {0, 0, 0};
  // Once the data is used up only zero bits remain. They decode every MCU to
  // the same samples (DC differences of 0 keep the predictors), so from the
  // second such MCU on the last samples are reused: short data under a large
  // header costs the pixel stores, not the decoding.
  bool zeroSamples = false;
  for (int my = 0; my < (height_ + 15) / 16; ++my) {
    for (int mx = 0; mx < (width_ + 15) / 16; ++mx) {
      const bool exhausted = readPos_ == dataLength_ && bitBuffer_ == 0;
      if (!(exhausted && zeroSamples)) decodeMcu(predictors);
      zeroSamples = exhausted;
      convertMcu(pixels, pitch, mx * 16, my * 16);
    }
  }
}
