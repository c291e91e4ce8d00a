// Re-wraps a baseline JPEG file made with the standard tables (cjpeg
// -baseline -quality Q -sample 2x2, no restarts) as a DCT payload: the
// {width, height, quality} header and the entropy-coded data with the
// stuffed zero bytes removed.
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

// False with a message when the file is not of that kind, or its
// quantisation tables are not the standard ones scaled for the quality.
bool jpegToDct(const std::vector<uint8_t>& jpeg, int quality, DctPayload* out, std::string* error);

}  // namespace imgpack
