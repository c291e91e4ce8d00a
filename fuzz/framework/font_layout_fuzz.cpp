// Text layout: any text, width and alignment in a small blob font measures,
// fits and draws without reading past the text, and every line count stays
// inside the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "imgpack_blob.h"
#include "qz_bitmap.h"
#include "qz_blob.h"
#include "qz_font.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"

namespace {

constexpr int kScreenW = 64;
constexpr int kScreenH = 48;
constexpr uint16_t kFont = 100;
constexpr int kBlobSet = 3;
const QZGraphicsMode kModes[] = {{'D', 16, kScreenW, kScreenH, 0}};
const QZFModeTable kModeTable{kModes, 1};
const int16_t kValues[8] = {};
const char16_t kTable[] = u"Aabim'.0";
// What the input's bytes stand for: the table's characters, the space, the
// newline and one character without a glyph.
const char16_t kAlphabet[] = u"Aabim'.0 \n#";

class FuzzApplication : public CQZFApplication {
 public:
  int16_t preInit(const QZFModeTable** out) override {
    *out = &kModeTable;
    return 0;
  }
  std::span<const int16_t> getValueTable(int) override { return kValues; }
};

bool buildFont(std::vector<uint8_t>* bytes) {
  std::vector<imgpack::BlobImage> glyphs;
  for (int p = 0; kTable[p]; ++p) {
    imgpack::BlobImage glyph;
    glyph.id = static_cast<int16_t>(kFont + p);
    glyph.width = 1 + p % 4;
    glyph.height = 3;
    glyph.pixels.assign(static_cast<size_t>(glyph.width) * glyph.height, static_cast<uint16_t>(0x1000 + p));
    glyphs.push_back(glyph);
  }
  std::string error;
  return imgpack::buildBlobSet(glyphs, imgpack::BlobStorage::Direct, bytes, &error);
}

CQZFFontManager* start() {
  static std::vector<uint8_t> font;
  if (!buildFont(&font)) return nullptr;
  QZSetScreenDepth(16);
  QZSetGraphicsResourceReader([](uint32_t type, int id, std::vector<uint8_t>* out) -> int16_t {
    if (type != QZFourCC('a', 'B', 'S', 'T') || id != kBlobSet) return -5;
    *out = font;
    return 0;
  });
  QZScreenEnvironment environment;
  environment.display = [] { return QZDisplay{kScreenW, kScreenH, 16, true, false, 0, kScreenH, kScreenH, false}; };
  environment.modeListed = [](int) { return true; };
  QZSetScreenEnvironment(environment);
  if (QZStartGraphics(nullptr) != 0 || QZCreateScreenPlane(kScreenW, kScreenH) != 0 || QZStartFont() != 0) {
    return nullptr;
  }
  static FuzzApplication app;
  if (app.init() != 0 || QZLoadBlobSet(kBlobSet, 0) != 0) return nullptr;
  // Stopped before the runtime's tables that the start filled go away.
  std::atexit([] {
    app.shutdown();
    QZStopFont();
    QZStopGraphics();
  });
  static CQZFFontManager fonts(&app);
  if (fonts.setCharacterTable(kTable) != 0) return nullptr;
  app.getGraphics()->drawToScreen();
  return &fonts;
}

void check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

// Bytes: width, height, alignment, then one character per byte (the
// alphabet's own, others stand for one of them).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CQZFFontManager* const fonts = start();
  if (!fonts || size < 3) return 0;
  const int width = static_cast<int8_t>(data[0]);
  const int height = static_cast<int8_t>(data[1]);
  const int alignment = data[2] % 4;
  std::u16string text;
  const std::u16string_view alphabet(kAlphabet);
  for (size_t i = 3; i < size && i < 3 + 512; ++i) {
    const char16_t c = data[i];
    text += alphabet.find(c) != std::u16string_view::npos ? c : alphabet[data[i] % alphabet.size()];
  }
  const int length = static_cast<int>(text.size());

  for (int start = 0; start <= length; ++start) {
    for (bool anywhere : {false, true}) {
      check(fonts->fitLine(text.c_str(), start, width, kFont, anywhere) <= length - start);
      check(fonts->fitLineBackward(text.c_str(), start, width, kFont, anywhere) <= start);
    }
  }
  QZFTextSize measured;
  int longest = 0;
  int lines = 0;
  fonts->measureText(text.c_str(), kFont, width, &measured, &longest, &lines);
  check(longest <= length && lines <= length && measured.width >= 0 && measured.height >= 0);
  check(measured.width <= std::max(width, 0));  // every line fits
  fonts->drawText(text.c_str(), width / 2, height / 2, width, alignment, kFont, 255);
  fonts->drawTextBox(text.c_str(), -width / 4, height / 3, width, height, alignment, kFont, 128);
  fonts->getGraphics()->flush();
  return 0;
}
