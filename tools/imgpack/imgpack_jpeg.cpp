#include "imgpack_jpeg.h"

#include <cstring>

#include "imgpack_libjpeg.h"
#include "qz_dct.h"

namespace imgpack {
namespace {

constexpr uint8_t kNaturalOrder[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                       12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                       35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                       58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

class Parser {
 public:
  Parser(const std::vector<uint8_t>& j, int quality, std::string* error) : j_(j), quality_(quality), error_(error) {}

  bool run(DctPayload* out) {
    if (j_.size() < 4 || j_[0] != 0xFF || j_[1] != 0xD8) return fail("not a JPEG file");
    size_t at = 2;
    while (at + 4 <= j_.size()) {
      if (j_[at] != 0xFF) return fail("marker expected");
      const uint8_t marker = j_[at + 1];
      const size_t length = (j_[at + 2] << 8) | j_[at + 3];
      if (length < 2 || at + 2 + length > j_.size()) return fail("segment past the end");
      const uint8_t* seg = j_.data() + at + 4;
      const size_t n = length - 2;
      at += 2 + length;
      if (marker == 0xDB && !quantTables(seg, n)) return false;
      if (marker == 0xC4 && !huffmanTables(seg, n)) return false;
      if ((marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC))
        return fail("only baseline frames");
      if (marker == 0xC0 && !frame(seg, n)) return false;
      if (marker == 0xDD && n >= 2 && (seg[0] | seg[1])) return fail("restart intervals are not supported");
      if (marker == 0xDA) {
        if (!scan(seg, n)) return false;
        return entropy(at, out);
      }
    }
    return fail("no scan");
  }

 private:
  bool fail(const std::string& message) {
    *error_ = message;
    return false;
  }

  bool quantTables(const uint8_t* s, size_t n) {
    for (size_t at = 0; at < n;) {
      const int precision = s[at] >> 4, table = s[at] & 15;
      if (precision != 0 || table > 1 || at + 65 > n) return fail("unexpected quantisation table");
      for (int k = 0; k < 64; ++k) {
        if (s[at + 1 + k] != QZDctDecoder::scaledQuantiser(table, kNaturalOrder[k], quality_))
          return fail("quantisation tables differ from the standard ones at this quality");
      }
      at += 65;
    }
    return true;
  }

  // Every table must be the standard one of its class and number, which is
  // what the format's decoder uses.
  bool huffmanTables(const uint8_t* s, size_t n) {
    for (size_t at = 0; at < n;) {
      const int tableClass = s[at] >> 4, table = s[at] & 15;
      if (tableClass > 1 || table > 1 || at + 17 > n) return fail("unexpected Huffman table");
      const QZDctDecoder::HuffmanSpec standard = QZDctDecoder::standardHuffman(tableClass == 1, table == 1);
      size_t count = 0;
      for (int k = 0; k < 16; ++k) count += s[at + 1 + k];
      if (at + 17 + count > n) return fail("Huffman table past the end of its segment");
      if (std::memcmp(s + at + 1, standard.bits, 16) != 0 || count != standard.count ||
          std::memcmp(s + at + 17, standard.values, count) != 0) {
        return fail("Huffman tables differ from the standard ones");
      }
      at += 17 + count;
    }
    return true;
  }

  bool frame(const uint8_t* s, size_t n) {
    if (n < 15 || s[0] != 8 || s[5] != 3) return fail("need an 8-bit frame of three components");
    height_ = (s[1] << 8) | s[2];
    width_ = (s[3] << 8) | s[4];
    const uint8_t expect[3][2] = {{0x22, 0}, {0x11, 1}, {0x11, 1}};
    for (int c = 0; c < 3; ++c) {
      if (s[6 + 3 * c + 1] != expect[c][0] || s[6 + 3 * c + 2] != expect[c][1])
        return fail("need 4:2:0 sampling with the standard table choice");
    }
    return true;
  }

  bool scan(const uint8_t* s, size_t n) {
    if (n < 10 || s[0] != 3) return fail("need one scan of three components");
    if (s[2] != 0x00 || s[4] != 0x11 || s[6] != 0x11) return fail("need the standard Huffman table choice");
    if (s[7] != 0 || s[8] != 63 || s[9] != 0) return fail("need a sequential scan");
    return true;
  }

  bool entropy(size_t at, DctPayload* out) {
    if (width_ == 0 || height_ == 0) return fail("no frame before the scan");
    out->width = width_;
    out->height = height_;
    out->bytes = {static_cast<uint8_t>(width_), static_cast<uint8_t>(width_ >> 8), static_cast<uint8_t>(height_),
                  static_cast<uint8_t>(height_ >> 8), static_cast<uint8_t>(quality_),
                  static_cast<uint8_t>(quality_ >> 8)};
    while (at < j_.size()) {
      const uint8_t b = j_[at++];
      if (b != 0xFF) {
        out->bytes.push_back(b);
        continue;
      }
      if (at >= j_.size()) break;
      const uint8_t next = j_[at++];
      if (next == 0x00) {
        out->bytes.push_back(0xFF);
      } else if (next == 0xD9) {
        return true;
      } else {
        return fail("marker inside the scan");
      }
    }
    return fail("no end of image");
  }

  const std::vector<uint8_t>& j_;
  int quality_;
  std::string* error_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace

bool rewrapStandardJpeg(const std::vector<uint8_t>& jpeg, int quality, DctPayload* out, std::string* error) {
  return Parser(jpeg, quality, error).run(out);
}

bool jpegToDct(const std::vector<uint8_t>& jpeg, int quality, DctPayload* out, std::string* error) {
  if (quality < 0 || quality > 0xFFFF) {
    *error = "the quality must be 0 to 65535";
    return false;
  }
  RgbImage picture;
  if (!decodeJpeg(jpeg, &picture, error)) return false;
  std::string notStandard;
  if (rewrapStandardJpeg(jpeg, quality, out, &notStandard)) return true;
  std::vector<uint8_t> standard;
  return encodeStandardJpeg(picture, quality, &standard, error) && rewrapStandardJpeg(standard, quality, out, error);
}

}  // namespace imgpack
