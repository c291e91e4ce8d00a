#include "imgpack_pln.h"

#include <algorithm>
#include <map>

#include "imgpack_lz.h"

namespace imgpack {
namespace {

constexpr uint16_t kHeaderLength = 18;

std::vector<uint8_t> header(uint32_t dataLength, int width, int height, uint8_t flags, uint8_t transparent,
                            uint8_t paletteCount) {
  std::vector<uint8_t> h(kHeaderLength, 0);
  h[1] = kHeaderLength;
  h[6] = static_cast<uint8_t>(dataLength >> 24);
  h[7] = static_cast<uint8_t>(dataLength >> 16);
  h[8] = static_cast<uint8_t>(dataLength >> 8);
  h[9] = static_cast<uint8_t>(dataLength);
  h[10] = static_cast<uint8_t>(width >> 8);
  h[11] = static_cast<uint8_t>(width);
  h[12] = static_cast<uint8_t>(height >> 8);
  h[13] = static_cast<uint8_t>(height);
  h[14] = flags;
  h[15] = transparent;
  h[16] = paletteCount;
  return h;
}

}  // namespace

std::vector<uint8_t> buildPlnRaw(const Image& image) {
  std::vector<uint8_t> out = header(static_cast<uint32_t>(image.pixels.size() * 2), image.width, image.height, 0, 0, 0);
  for (uint16_t c : image.pixels) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

bool buildPlnPalette(const Image& image, std::vector<uint8_t>* out, std::string* error) {
  const bool masked = std::any_of(image.opaque.begin(), image.opaque.end(), [](uint8_t o) { return o == 0; });
  std::map<uint16_t, uint8_t> index;
  std::vector<uint16_t> palette;
  if (masked) palette.push_back(0);  // index 0 stands for transparent
  std::vector<uint8_t> indices;
  for (size_t k = 0; k < image.pixels.size(); ++k) {
    if (masked && !image.opaque[k]) {
      indices.push_back(0);
      continue;
    }
    auto it = index.find(image.pixels[k]);
    if (it == index.end()) {
      if (palette.size() == 256) {
        *error = "more than 256 colours for a palette image";
        return false;
      }
      it = index.emplace(image.pixels[k], static_cast<uint8_t>(palette.size())).first;
      palette.push_back(image.pixels[k]);
    }
    indices.push_back(it->second);
  }
  if (palette.empty()) palette.push_back(0);
  const std::vector<uint8_t> stream = encodeLZ(indices.data(), indices.size());
  *out = header(static_cast<uint32_t>(stream.size()), image.width, image.height,
                static_cast<uint8_t>(0x02 | (masked ? 1 : 0)), 0, static_cast<uint8_t>(palette.size() & 0xFF));
  for (uint16_t c : palette) {
    out->push_back(static_cast<uint8_t>(c));
    out->push_back(static_cast<uint8_t>(c >> 8));
  }
  out->insert(out->end(), stream.begin(), stream.end());
  return true;
}

std::vector<uint8_t> buildPlnDct(int width, int height, const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> out = header(static_cast<uint32_t>(payload.size()), width, height, 0x04, 0, 0);
  out.reserve(out.size() + payload.size());
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

}  // namespace imgpack
