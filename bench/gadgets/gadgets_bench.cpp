// Forms of gadgets at 240x320, drawn as a frame draws them: the whole form
// of twenty gadgets, the same form idle (nothing dirty), and a list of 1,000
// rows moved by one row and redrawn.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imgpack_blob.h"
#include "qz_bitmap.h"
#include "qz_blob.h"
#include "qz_font.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_gadget_handler.h"
#include "qzf_gadget_list.h"
#include "qzf_graphics.h"

namespace {

constexpr int kW = 240, kH = 320;
constexpr uint16_t kFont = 100;
constexpr int kFontSet = 3;
const QZGraphicsMode kModes[] = {{'D', 16, kW, kH, 0}};
const QZFModeTable kModeTable{kModes, 1};
const int16_t kValues[8] = {};
const char16_t kTable[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

class BenchApplication : public CQZFApplication {
 public:
  int16_t preInit(const QZFModeTable** out) override {
    *out = &kModeTable;
    return 0;
  }
  std::span<const int16_t> getValueTable(int) override { return kValues; }
};

// A form of 200 x 280 without description: its gadgets are added by the bench.
class BenchForm : public CQZFForm {
 public:
  int16_t open(uint16_t formId, uint32_t param) override {
    if (const int16_t r = prepareOpen(formId, param); r != 0) return r;
    setGadgetRect({0, 0, 200, 280});
    setBackgroundColour(0x0010);
    computeLayout();
    return 0;
  }
};

std::vector<uint8_t> fontBytes() {
  std::vector<imgpack::BlobImage> glyphs;
  for (int p = 0; kTable[p]; ++p) {
    imgpack::BlobImage glyph;
    glyph.id = static_cast<int16_t>(kFont + p);
    glyph.width = 5;
    glyph.height = 8;
    glyph.pixels.assign(40, 0xFFFF);
    glyphs.push_back(glyph);
  }
  std::vector<uint8_t> bytes;
  std::string error;
  imgpack::buildBlobSet(glyphs, imgpack::BlobStorage::Direct, &bytes, &error);
  return bytes;
}

struct Bench {
  BenchApplication app;
  CQZFFontManager fonts{&app};
  std::unique_ptr<CQZFFormHandler> handler;
  CQZFForm* form = nullptr;
  bool ok = false;

  Bench() {
    static const std::vector<uint8_t> font = fontBytes();
    QZSetScreenDepth(16);
    QZSetGraphicsResourceReader([](uint32_t type, int id, std::vector<uint8_t>* out) -> int16_t {
      if (type != QZFourCC('a', 'B', 'S', 'T') || id != kFontSet) return -5;
      *out = font;
      return 0;
    });
    QZScreenEnvironment environment;
    environment.display = [] { return QZDisplay{kW, kH, 16, true, false, 0, kH, kH, false}; };
    environment.modeListed = [](int) { return true; };
    QZSetScreenEnvironment(environment);
    if (QZStartGraphics(nullptr) != 0 || QZCreateScreenPlane(kW, kH) != 0 || QZStartFont() != 0) return;
    if (app.init() != 0 || QZLoadBlobSet(kFontSet, 0) != 0) return;
    app.setFontManager(&fonts);
    if (fonts.setCharacterTable(kTable) != 0) return;
    app.getGraphics()->drawToScreen();
    handler = std::make_unique<CQZFFormHandler>(&app);
    auto made = std::make_unique<BenchForm>();
    form = made.get();
    ok = handler->openForm(1, std::move(made), 0) == 0;
  }
  ~Bench() {
    handler.reset();
    app.setFontManager(nullptr);
    app.shutdown();
    QZStopFont();
    QZStopGraphics();
    QZSetGraphicsResourceReader(nullptr);
    QZSetScreenEnvironment({});
  }
  template <class Part>
  CQZFGadget* add(uint16_t id, int kind, int x, int y, Part part) {
    QZFGadgetDescription d;
    d.id = id;
    d.kind = static_cast<uint8_t>(kind);
    d.x.position = static_cast<int16_t>(x);
    d.y.position = static_cast<int16_t>(y);
    d.padding = 2;
    d.focusColour = 0x8410;
    d.focusLevel = 255;
    d.part = part;
    std::unique_ptr<CQZFGadget> gadget = app.createObject<CQZFGadget>(QZFGadgetTag(kind));
    CQZFGadget* raw = gadget.get();
    return form->addGadget(d, std::move(gadget)) == 0 ? raw : nullptr;
  }
  // One frame's drawing: the forms where dirty, the pipe flushed, the grid cleared.
  void drawFrame() {
    CQZFGraphics* g = app.getGraphics();
    g->buildUpdateList();
    handler->drawForms();
    g->flush();
    g->clearGrid();
  }
};

// Twenty gadgets: labels, buttons, check boxes, sliders and a timer's worth of text.
void addTwenty(Bench& b) {
  for (int i = 0; i < 5; ++i) {
    const int y = i * 56;
    QZFLabelPart label;
    label.text = u"Label text that wraps over two lines";
    label.width = 90;
    label.font = kFont;
    b.add(static_cast<uint16_t>(10 + i), kQZFGadgetLabel, 0, y, label);
    QZFButtonPart button;
    button.text = u"Button";
    button.font = kFont;
    b.add(static_cast<uint16_t>(20 + i), kQZFGadgetButton, 100, y, button);
    QZFCheckboxPart check;
    check.text = u"Option";
    check.font = kFont;
    check.gap = 3;
    b.add(static_cast<uint16_t>(30 + i), kQZFGadgetCheckbox, 0, y + 24, check);
    b.add(static_cast<uint16_t>(40 + i), kQZFGadgetSliderbar, 100, y + 24, QZFSliderbarPart{});
  }
}

void BM_FullFormOfTwentyGadgets(benchmark::State& state) {
  Bench b;
  if (!b.ok) return state.SkipWithError("no graphics");
  addTwenty(b);
  for (auto _ : state) {
    b.app.getGraphics()->invalidateAll();
    b.drawFrame();
  }
}
BENCHMARK(BM_FullFormOfTwentyGadgets);

void BM_IdleFormOfTwentyGadgets(benchmark::State& state) {
  Bench b;
  if (!b.ok) return state.SkipWithError("no graphics");
  addTwenty(b);
  b.app.getGraphics()->invalidateAll();
  b.drawFrame();
  for (auto _ : state) b.drawFrame();
}
BENCHMARK(BM_IdleFormOfTwentyGadgets);

void BM_ThousandRowListScrolledByOneRow(benchmark::State& state) {
  Bench b;
  if (!b.ok) return state.SkipWithError("no graphics");
  QZFListPart part;
  part.width = 200;
  part.height = 280;
  part.background = {255, 0x0000};
  part.frame = {255, 0xFFFF};
  part.selection = {255, 0x001F};
  part.minimumRowHeight = 14;
  auto* list = static_cast<CQZFGadgetList*>(b.add(1, kQZFGadgetList, 0, 0, part));
  if (!list) return state.SkipWithError("no list");
  for (int i = 0; i < 1000; ++i) {
    if (list->addItem(static_cast<uint16_t>(i), 0, kFont, u"Row of the list") != 0) return state.SkipWithError("row");
  }
  b.app.getGraphics()->invalidateAll();
  b.drawFrame();
  int direction = kQZFKeyDown;
  for (auto _ : state) {
    // Down to the end and back up: every step past the first page scrolls.
    if (list->onKey(QZFKeyEvent::key(direction)) != Handled::kDone) {
      direction = direction == kQZFKeyDown ? kQZFKeyUp : kQZFKeyDown;
      static_cast<void>(list->onKey(QZFKeyEvent::key(direction)));
    }
    b.drawFrame();
  }
}
BENCHMARK(BM_ThousandRowListScrolledByOneRow);

}  // namespace
