// The DCT decoder's inner loops in AVX2, used when the processor has it. Each
// gives the same bytes as the decoder's plain loops.
#pragma once

#include <cstdint>

// True when the processor runs the loops below.
bool QZDctVectorAvailable();

// Dequantises a block (natural order) and runs the fast integer IDCT in 32-bit
// lanes, writing 8 x 8 samples with the given pitch.
void QZDctIdctVector(const int16_t* block, const int32_t* quant, uint8_t* out, int outPitch);

// Converts a 16 x 16 MCU (luma 16 x 16, chroma 8 x 8 each) to RGB565 rows of
// `width` pixels (1-16), `height` rows, `pitch` pixels apart.
void QZDctConvertVector(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, uint16_t* pixels, int pitch,
                        int width, int height);
