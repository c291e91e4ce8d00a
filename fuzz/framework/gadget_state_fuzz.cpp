// Saved gadget state: any bytes read back into a form holding one gadget of
// every kind are taken or refused with a status; the gadgets then still
// write their state and draw.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "app_serialise_stream.h"
#include "qz_bitmap.h"
#include "qz_font.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_gadget.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

namespace {

constexpr int kScreenW = 64;
constexpr int kScreenH = 48;
const QZGraphicsMode kModes[] = {{'D', 16, kScreenW, kScreenH, 0}};
const QZFModeTable kModeTable{kModes, 1};
const int16_t kValues[8] = {};
const char16_t kTable[] = u"A";

class FuzzApplication : public CQZFApplication {
 public:
  int16_t preInit(const QZFModeTable** out) override {
    *out = &kModeTable;
    return 0;
  }
  std::span<const int16_t> getValueTable(int) override { return kValues; }
};

class FuzzForm : public CQZFForm {
 public:
  int16_t start() { return prepareOpen(1, 0); }
  void place() { setGadgetRect({0, 0, kScreenW, kScreenH}); }
};

// One description of every kind, in kind order.
std::vector<QZFGadgetDescription> descriptions() {
  QZFKeyboardPart keyboard{3, 2, 8, 8, QZ_NO_ID, {{0, 0, 'a', 'A', {}, {255, 255, 255}}}};
  QZFTablePart table;
  table.width = 40;
  table.height = 30;
  table.flags = 2;
  table.rowsPerPage = 2;
  table.columns = {{1, 0, 50}, {0, 1, 50}};
  QZFListPart list;
  list.width = 40;
  list.height = 30;
  list.flags = 2;
  QZFButtonPart button;
  button.text = u"A";
  QZFTextEntryPart entry;
  entry.text = u"A";
  entry.maxLength = 8;
  entry.width = 30;
  QZFTimerPart timer;
  timer.start = 3000;
  QZFScrollTextPart scroll;
  scroll.text = u"A A A A";
  const QZFGadgetPart parts[] = {button,
                                 QZFSliderbarPart{},
                                 QZFLabelPart{u"A"},
                                 QZFCheckboxPart{u"A"},
                                 entry,
                                 keyboard,
                                 QZFGraphicPart{},
                                 QZFURLPart{-1, QZ_NO_ID, {}, u"A", u"a", u""},
                                 list,
                                 timer,
                                 scroll,
                                 table};
  std::vector<QZFGadgetDescription> out;
  for (const QZFGadgetPart& part : parts) {
    QZFGadgetDescription d;
    d.id = static_cast<uint16_t>(out.size() + 1);
    d.kind = static_cast<uint8_t>(out.size() + 1);
    d.part = part;
    out.push_back(d);
  }
  return out;
}

struct Harness {
  CQZFGadgetHandler* gadgets = nullptr;
  CQZFGraphics* graphics = nullptr;
};

Harness start() {
  QZSetScreenDepth(16);
  QZScreenEnvironment environment;
  environment.display = [] { return QZDisplay{kScreenW, kScreenH, 16, true, false, 0, kScreenH, kScreenH, false}; };
  environment.modeListed = [](int) { return true; };
  QZSetScreenEnvironment(environment);
  if (QZStartGraphics(nullptr) != 0 || QZCreateScreenPlane(kScreenW, kScreenH) != 0 || QZStartFont() != 0) {
    return {};
  }
  static FuzzApplication app;
  if (app.init() != 0) return {};
  std::atexit([] {
    app.shutdown();
    QZStopFont();
    QZStopGraphics();
  });
  static CQZFFontManager fonts(&app);
  app.setFontManager(&fonts);
  if (fonts.setCharacterTable(kTable) != 0) return {};
  static FuzzForm form;
  form.setOwner(&app);
  if (form.start() != 0) return {};
  form.place();
  for (const QZFGadgetDescription& d : descriptions()) {
    std::unique_ptr<CQZFGadget> gadget = app.createObject<CQZFGadget>(QZFGadgetTag(d.kind));
    if (!gadget || form.addGadget(d, std::move(gadget)) < 0) return {};
  }
  app.getGraphics()->drawToScreen();
  return {form.getGadgetHandler(), app.getGraphics()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Harness harness = start();
  CQZFGadgetHandler* const gadgets = harness.gadgets;
  if (!gadgets || size > 0xFFFF) return 0;
  std::vector<uint8_t> bytes(data, data + size);
  SerialiseStream reader{SERIALISE_READ_MEMORY, bytes.data(), static_cast<uint16_t>(bytes.size())};
  static_cast<void>(gadgets->serialise(reader));
  // Whatever was taken writes back whole.
  SerialiseStream counter;
  if (gadgets->serialise(counter) != 0) __builtin_trap();
  std::vector<uint8_t> written(counter.position);
  SerialiseStream writer{SERIALISE_WRITE_MEMORY, written.data(), static_cast<uint16_t>(written.size())};
  if (gadgets->serialise(writer) != 0 || writer.position != written.size()) __builtin_trap();
  gadgets->invalidateAll();
  gadgets->update();
  gadgets->draw(255);
  harness.graphics->flush();
  return 0;
}
