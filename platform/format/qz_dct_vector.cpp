#include "qz_dct_vector.h"

#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

#define QZ_AVX2 __attribute__((target("avx2")))

namespace {

// The fast-IDCT constants in 8 fractional bits, as in the decoder's loops.
constexpr int kFix1_082392200 = 277;
constexpr int kFix1_414213562 = 362;
constexpr int kFix1_847759065 = 473;
constexpr int kFix2_613125930 = 669;

QZ_AVX2 inline __m256i mul(__m256i v, int c) {
  return _mm256_srai_epi32(_mm256_mullo_epi32(v, _mm256_set1_epi32(c)), 8);
}

// One 1-D pass over eight lanes at once: v[0..7] in, v[0..7] out in place.
QZ_AVX2 inline void butterfly(__m256i* v) {
  const __m256i t10 = _mm256_add_epi32(v[0], v[4]), t11 = _mm256_sub_epi32(v[0], v[4]);
  const __m256i t13 = _mm256_add_epi32(v[2], v[6]);
  const __m256i t12 = _mm256_sub_epi32(mul(_mm256_sub_epi32(v[2], v[6]), kFix1_414213562), t13);
  const __m256i t0 = _mm256_add_epi32(t10, t13), t3 = _mm256_sub_epi32(t10, t13);
  const __m256i t1 = _mm256_add_epi32(t11, t12), t2 = _mm256_sub_epi32(t11, t12);
  const __m256i z13 = _mm256_add_epi32(v[5], v[3]), z10 = _mm256_sub_epi32(v[5], v[3]);
  const __m256i z11 = _mm256_add_epi32(v[1], v[7]), z12 = _mm256_sub_epi32(v[1], v[7]);
  const __m256i o7 = _mm256_add_epi32(z11, z13);
  const __m256i o11 = mul(_mm256_sub_epi32(z11, z13), kFix1_414213562);
  const __m256i z5 = mul(_mm256_add_epi32(z10, z12), kFix1_847759065);
  const __m256i o10 = _mm256_sub_epi32(mul(z12, kFix1_082392200), z5);
  const __m256i o12 = _mm256_add_epi32(mul(z10, -kFix2_613125930), z5);
  const __m256i o6 = _mm256_sub_epi32(o12, o7), o5 = _mm256_sub_epi32(o11, o6), o4 = _mm256_add_epi32(o10, o5);
  v[0] = _mm256_add_epi32(t0, o7);
  v[7] = _mm256_sub_epi32(t0, o7);
  v[1] = _mm256_add_epi32(t1, o6);
  v[6] = _mm256_sub_epi32(t1, o6);
  v[2] = _mm256_add_epi32(t2, o5);
  v[5] = _mm256_sub_epi32(t2, o5);
  v[4] = _mm256_add_epi32(t3, o4);
  v[3] = _mm256_sub_epi32(t3, o4);
}

QZ_AVX2 inline void transpose(__m256i* v) {
  const __m256i a0 = _mm256_unpacklo_epi32(v[0], v[1]), a1 = _mm256_unpackhi_epi32(v[0], v[1]);
  const __m256i a2 = _mm256_unpacklo_epi32(v[2], v[3]), a3 = _mm256_unpackhi_epi32(v[2], v[3]);
  const __m256i a4 = _mm256_unpacklo_epi32(v[4], v[5]), a5 = _mm256_unpackhi_epi32(v[4], v[5]);
  const __m256i a6 = _mm256_unpacklo_epi32(v[6], v[7]), a7 = _mm256_unpackhi_epi32(v[6], v[7]);
  const __m256i b0 = _mm256_unpacklo_epi64(a0, a2), b1 = _mm256_unpackhi_epi64(a0, a2);
  const __m256i b2 = _mm256_unpacklo_epi64(a1, a3), b3 = _mm256_unpackhi_epi64(a1, a3);
  const __m256i b4 = _mm256_unpacklo_epi64(a4, a6), b5 = _mm256_unpackhi_epi64(a4, a6);
  const __m256i b6 = _mm256_unpacklo_epi64(a5, a7), b7 = _mm256_unpackhi_epi64(a5, a7);
  v[0] = _mm256_permute2x128_si256(b0, b4, 0x20);
  v[1] = _mm256_permute2x128_si256(b1, b5, 0x20);
  v[2] = _mm256_permute2x128_si256(b2, b6, 0x20);
  v[3] = _mm256_permute2x128_si256(b3, b7, 0x20);
  v[4] = _mm256_permute2x128_si256(b0, b4, 0x31);
  v[5] = _mm256_permute2x128_si256(b1, b5, 0x31);
  v[6] = _mm256_permute2x128_si256(b2, b6, 0x31);
  v[7] = _mm256_permute2x128_si256(b3, b7, 0x31);
}

// The decoder's range table in arithmetic: bits 5-14 of the sum as a signed
// 10-bit number, plus 128, clamped to 0-255 (the clamp is the packs' saturation).
QZ_AVX2 inline __m256i rangeLimit(__m256i v) {
  return _mm256_add_epi32(_mm256_srai_epi32(_mm256_slli_epi32(v, 17), 22), _mm256_set1_epi32(128));
}

// Four rows of eight 32-bit samples to 8 bytes each, in row order.
QZ_AVX2 inline void storeRows(__m256i r0, __m256i r1, __m256i r2, __m256i r3, uint8_t* out, int pitch) {
  const __m256i words = _mm256_packus_epi16(_mm256_packs_epi32(r0, r1), _mm256_packs_epi32(r2, r3));
  const __m256i rows = _mm256_permutevar8x32_epi32(words, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
  const __m128i lo = _mm256_castsi256_si128(rows), hi = _mm256_extracti128_si256(rows, 1);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), lo);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + pitch), _mm_unpackhi_epi64(lo, lo));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2 * pitch), hi);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * pitch), _mm_unpackhi_epi64(hi, hi));
}

// 32-bit lanes give the bits the 64-bit loop gives even where a sum or product
// overflows: sums wrap modulo 2^32, so a product shifted right by 8 is still
// right modulo 2^24, and after the second pass's products modulo 2^16; the
// range limit reads bits 5-14 only.
QZ_AVX2 void idctAvx2(const int16_t* block, const int32_t* quant, uint8_t* out, int outPitch) {
  __m256i v[8];
  for (int r = 0; r < 8; ++r) {
    const __m256i c = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * r)));
    v[r] = _mm256_mullo_epi32(c, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quant + 8 * r)));
  }
  butterfly(v);  // columns: each lane is a column, each vector a row
  transpose(v);
  butterfly(v);  // rows: each lane is now a row
  transpose(v);
  for (int r = 0; r < 8; ++r) v[r] = rangeLimit(v[r]);
  storeRows(v[0], v[1], v[2], v[3], out, outPitch);
  storeRows(v[4], v[5], v[6], v[7], out + 4 * outPitch, outPitch);
}

// Fixed-point colour factors in 16 fractional bits, rounded as the decoder's tables.
constexpr int kScaleBits = 16;
constexpr int fix(double x) { return static_cast<int>(x * (1 << kScaleBits) + 0.5); }

// Eight 32-bit lanes to sixteen 16-bit lanes, each value twice (horizontal upsampling).
QZ_AVX2 inline __m256i doubled(__m256i v) {
  const __m128i w = _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packs_epi32(v, v), 0x08));
  return _mm256_set_m128i(_mm_unpackhi_epi16(w, w), _mm_unpacklo_epi16(w, w));
}

QZ_AVX2 inline __m256i clampByte(__m256i v) {
  return _mm256_min_epi16(_mm256_max_epi16(v, _mm256_setzero_si256()), _mm256_set1_epi16(255));
}

// Sixteen RGB565 pixels from sixteen luma samples and the doubled chroma terms.
QZ_AVX2 inline void storePixels(const uint8_t* luma, __m256i dr, __m256i dg, __m256i db, uint16_t* row, int width) {
  const __m256i l = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(luma)));
  const __m256i r = _mm256_srli_epi16(clampByte(_mm256_add_epi16(l, dr)), 3);
  const __m256i g = _mm256_srli_epi16(clampByte(_mm256_add_epi16(l, dg)), 2);
  const __m256i b = _mm256_srli_epi16(clampByte(_mm256_add_epi16(l, db)), 3);
  const __m256i rgb = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
  if (width == 16) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(row), rgb);
    return;
  }
  alignas(32) uint16_t part[16];
  _mm256_store_si256(reinterpret_cast<__m256i*>(part), rgb);
  std::memcpy(row, part, static_cast<size_t>(width) * sizeof(uint16_t));
}

QZ_AVX2 inline __m256i centred(const uint8_t* samples) {
  const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples));
  return _mm256_sub_epi32(_mm256_cvtepu8_epi32(bytes), _mm256_set1_epi32(128));
}

QZ_AVX2 inline __m256i scaled(__m256i x, int factor, __m256i add) {
  return _mm256_add_epi32(_mm256_mullo_epi32(x, _mm256_set1_epi32(factor)), add);
}

QZ_AVX2 void convertAvx2(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, uint16_t* pixels, int pitch,
                         int width, int height) {
  const __m256i half = _mm256_set1_epi32(1 << (kScaleBits - 1));
  for (int y = 0; y < height; y += 2) {
    const __m256i xb = centred(cb + (y >> 1) * 8);
    const __m256i xr = centred(cr + (y >> 1) * 8);
    const __m256i dr = doubled(_mm256_srai_epi32(scaled(xr, fix(1.40200), half), kScaleBits));
    const __m256i db = doubled(_mm256_srai_epi32(scaled(xb, fix(1.77200), half), kScaleBits));
    const __m256i green =
        _mm256_add_epi32(scaled(xb, -fix(0.34414), half), scaled(xr, -fix(0.71414), _mm256_setzero_si256()));
    const __m256i dg = doubled(_mm256_srai_epi32(green, kScaleBits));
    uint16_t* row = pixels + static_cast<long>(y) * pitch;
    storePixels(luma + 16 * y, dr, dg, db, row, width);
    if (y + 1 < height) storePixels(luma + 16 * (y + 1), dr, dg, db, row + pitch, width);
  }
}

}  // namespace

bool QZDctVectorAvailable() { return __builtin_cpu_supports("avx2"); }

void QZDctIdctVector(const int16_t* block, const int32_t* quant, uint8_t* out, int outPitch) {
  idctAvx2(block, quant, out, outPitch);
}

void QZDctConvertVector(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, uint16_t* pixels, int pitch,
                        int width, int height) {
  convertAvx2(luma, cb, cr, pixels, pitch, width, height);
}

#else

bool QZDctVectorAvailable() { return false; }
void QZDctIdctVector(const int16_t*, const int32_t*, uint8_t*, int) {}
void QZDctConvertVector(const uint8_t*, const uint8_t*, const uint8_t*, uint16_t*, int, int, int) {}

#endif
