// Turns JPEG files into DCT payloads: the {width, height, quality} header and
// baseline entropy-coded data in the format's fixed form, with the stuffed
// zero bytes removed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imgpack {

struct DctPayload {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;  // header and data
};

// Any JPEG file that libjpeg reads. A file already in the fixed form at this
// quality (cjpeg -baseline -quality Q -sample 2x2, no restarts) keeps its
// data as it is; any other is decoded and encoded again in that form. False
// with a message when the file cannot be read or is damaged.
bool jpegToDct(const std::vector<uint8_t>& jpeg, int quality, DctPayload* out, std::string* error);

// Re-wraps the data of a file in the fixed form without decoding it. False
// with a message when the file is of any other form: other quantisation or
// Huffman tables, sampling, frame kind, scans or restarts.
bool rewrapStandardJpeg(const std::vector<uint8_t>& jpeg, int quality, DctPayload* out, std::string* error);

}  // namespace imgpack
