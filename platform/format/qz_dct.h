// Decoder of the marker-less DCT images inside PLN resources: a little-endian
// {width, height, quality} header, then baseline entropy-coded data with the
// standard example tables scaled by the quality, 4:2:0 in 16x16 MCUs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class QZDctDecoder {
 public:
  static constexpr size_t kHeaderSize = 6;

  // With vectorLoops the decoder runs its vector loops where the processor
  // has them; without, only its plain loops. Both give the same pixels.
  explicit QZDctDecoder(bool vectorLoops = true);

  // Reads the header and builds every table. Returns the header size, or -1
  // when the payload is shorter than the header, the width or height is 0, or
  // the data after the header holds fewer bytes than the image has 16 x 16
  // MCUs (an encoder writes at least four per MCU: a DC code and an
  // end-of-block code per block), so that the work stays bounded by the data.
  int readHeader(const uint8_t* payload, size_t length);
  // Decodes the data after the header into width x height RGB565 pixels with
  // a row pitch of pitch pixels. Corrupt data decodes to something, never
  // reads or writes out of bounds; exhausted data reads as zero bits.
  void decode(uint16_t* pixels, int pitch);

  int width() const { return width_; }
  int height() const { return height_; }
  int quality() const { return quality_; }

  // The quality-scaled quantiser of the luminance (0) or chrominance (1)
  // table at a natural-order position, before the AAN factor.
  static int scaledQuantiser(int table, int position, int quality);

  // One of the four standard Huffman tables the decoder uses: the code
  // counts by length (16) and the symbols.
  struct HuffmanSpec {
    const uint8_t* bits;
    const uint8_t* values;
    size_t count;
  };
  static HuffmanSpec standardHuffman(bool ac, bool chrominance);

 private:
  // Codes up to kLookBits long are found by one look at the next bits; where
  // the coefficient's value bits fit too, the look gives the value as well.
  static constexpr int kLookBits = 9;
  struct Look {
    int16_t value;        // the extended value, when totalLength is set
    uint8_t symbol;       // run and size
    uint8_t codeLength;   // 0: a longer code
    uint8_t totalLength;  // code and value bits, or 0
  };
  struct Huffman {
    std::array<Look, 1 << kLookBits> look;
    std::array<int32_t, 18> maxCode;
    std::array<int32_t, 17> valueOffset;
    const uint8_t* values;
  };

  void buildHuffman(Huffman* h, const uint8_t* bits, const uint8_t* values);
  // Tops the bit buffer up to more than 32 bits; past the data, zero bits.
  void refill();
  void skip(int n);
  int take(int n);
  int decodeLongCode(const Huffman& h);
  // Decodes a symbol and its value bits: returns the symbol (run and size)
  // and sets *value to the extended value, 0 for size 0.
  int decodeCoefficient(const Huffman& h, int* value);
  // Returns whether the block has any AC coefficient.
  bool decodeBlock(int16_t* block, int* predictor, const Huffman& dc, const Huffman& ac);
  void idct(const int16_t* block, const int32_t* quant, uint8_t* out, int outPitch);
  void transform(const int16_t* block, bool acPresent, const int32_t* quant, uint8_t* out, int outPitch);
  // Decodes the next MCU's six blocks into y_, cb_ and cr_.
  void decodeMcu(int* predictors);
  void convertMcu(uint16_t* pixels, int pitch, int x0, int y0);

  bool vector_ = false;
  int width_ = 0;
  int height_ = 0;
  int quality_ = 0;
  const uint8_t* data_ = nullptr;
  size_t dataLength_ = 0;

  std::array<int32_t, 64> quant_[2]{};
  Huffman huff_[4]{};
  std::array<uint8_t, 1024> rangeLimit_{};
  std::array<int32_t, 256> crR_{}, cbB_{}, crG_{}, cbG_{};

  uint64_t bitBuffer_ = 0;  // the next bits from the top; below bitCount_, zeros or the next bytes' bits
  int bitCount_ = 0;
  size_t readPos_ = 0;

  uint8_t y_[16 * 16]{};
  uint8_t cb_[8 * 8]{};
  uint8_t cr_[8 * 8]{};
};
