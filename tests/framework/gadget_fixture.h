// A started application with a form of 176 x 200 gadget area (at 32, 60 on
// the 240 x 320 screen) to add gadgets to, a blob font of 5 x 8 glyphs
// (advance 6, space 5, line height 8) and a few plain chrome images. The
// form notes the gadget events it receives.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app_serialise_stream.h"
#include "qz_resource_manager.h"
#include "qzf_font_manager.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_metrics.h"
#include "solid_blobs.h"
#include "started_graphics_fixture.h"
#include "string_source.h"
#include "wince/host/clock.h"

namespace gadget_test {

constexpr uint16_t kFont = 100;
constexpr char16_t kTable[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr uint16_t kGlyph = 0xFFFF;
constexpr int kAreaX = 32, kAreaY = 60, kAreaW = 176, kAreaH = 200;
constexpr uint16_t kPaper = 0x0010;
constexpr uint16_t kFocus = 0x8410;
// Chrome: caps (left 4 x 12, middle 4 x 12, right 4 x 12) and a 10 x 10 box
// in plain colours, from kChrome on.
constexpr uint16_t kChrome = 300;
constexpr uint16_t kLeftCap = kChrome, kMiddle = kChrome + 1, kRightCap = kChrome + 2, kBox = kChrome + 3;
constexpr uint16_t kCapColour = 0xF800, kBoxColour = 0x07E0;
// An image id that names no loaded image.
constexpr uint16_t kMissing = 900;
constexpr uint16_t kFormId = 1;

// Layout values: index i holds i (0..99), 100 = 176, 101 = 200.
inline const std::vector<int16_t>& values() {
  static const std::vector<int16_t> table = [] {
    std::vector<int16_t> v(102);
    for (int i = 0; i < 100; ++i) v[i] = static_cast<int16_t>(i);
    v[100] = kAreaW;
    v[101] = kAreaH;
    return v;
  }();
  return table;
}

inline void put16(std::vector<uint8_t>& b, size_t at, uint16_t value) {
  b[at] = static_cast<uint8_t>(value >> 8);
  b[at + 1] = static_cast<uint8_t>(value);
}

// A form description without frame or title: the gadget area, paper and
// focus colours, then the records given (count as given).
inline std::vector<uint8_t> formBytes(const std::vector<std::vector<uint8_t>>& records = {},
                                      uint16_t firstFocus = QZ_NO_ID) {
  std::vector<uint8_t> b(kQZFFormHeaderSize, 0xFF);
  b[29] = 255;
  b[30] = 0, b[31] = 0, b[32] = 0x80;  // paper: dark blue
  b[33] = 255;
  b[34] = 0x80, b[35] = 0x80, b[36] = 0x80;  // focus: grey
  put16(b, 37, 100);
  put16(b, 39, 101);
  put16(b, 43, 0);
  put16(b, 45, firstFocus);
  put16(b, 47, static_cast<uint16_t>(records.size()));
  for (const auto& r : records) b.insert(b.end(), r.begin(), r.end());
  return b;
}

// The head of a gadget record (22 bytes) of the kind at layout indices x, y,
// then the kind part, zero-filled to the size.
inline std::vector<uint8_t> record(uint16_t id, uint8_t kind, uint16_t x, uint16_t y, size_t size) {
  std::vector<uint8_t> r(size, 0);
  put16(r, 0, id);
  r[2] = kind;
  put16(r, 6, x);
  put16(r, 11, y);
  for (size_t at = 14; at < 22; at += 2) put16(r, at, QZ_NO_ID);
  return r;
}

class EventForm : public CQZFForm {
 public:
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override {
    events.push_back(event);
    return Handled::kDone;
  }
  std::vector<CQZFGadgetEvent> events;
};

class GadgetTest : public started_graphics::StartedGraphicsTest {
 protected:
  void prepare() override { app_.values = values(); }
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    addSolidBlobs(1, kFont, std::vector<std::pair<int, int>>(std::size(kTable) - 1, {5, 8}), kGlyph);
    addSolidBlobs(2, kLeftCap, {{4, 12}, {4, 12}, {4, 12}}, kCapColour);
    addSolidBlobs(3, kBox, {{10, 10}}, kBoxColour);
    app_.setFontManager(&fonts_);
    ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
    serve({{kFormId, formBytes()}});
  }
  void TearDown() override {
    handler_.reset();
    app_.setFontManager(nullptr);
    CQZResourceManager::instance().reset();
    StartedGraphicsTest::TearDown();
  }

  // Serves form descriptions and strings from memory.
  void serve(std::map<uint16_t, std::vector<uint8_t>> forms, std::map<uint16_t, std::u16string> strings = {}) {
    CQZResourceManager::instance().reset();
    StringSource::Resources resources;
    for (auto& [id, bytes] : forms) resources[{kQZFFormType, id}] = std::move(bytes);
    CQZResourceManager::instance().addSource(std::make_unique<StringSource>(std::move(strings), std::move(resources)));
  }
  EventForm* open(uint16_t id = kFormId) {
    auto form = std::make_unique<EventForm>();
    EventForm* raw = form.get();
    const int16_t r = handler_->openForm(id, std::move(form), 0);
    EXPECT_EQ(r, 0);
    form_ = r == 0 ? raw : nullptr;
    return form_;
  }

  // A description of the kind's part at (x, y) of the gadget area.
  static QZFGadgetDescription describe(uint16_t id, int x, int y, QZFGadgetPart part, uint8_t boxAlignment = 0) {
    QZFGadgetDescription d;
    d.id = id;
    d.x.position = static_cast<int16_t>(x);
    d.y.position = static_cast<int16_t>(y);
    d.boxAlignment = boxAlignment;
    d.focusColour = kFocus;
    d.focusLevel = 255;
    d.part = std::move(part);
    return d;
  }
  // Adds a gadget of class T to the open form (opening it first).
  template <class T>
  T* add(const QZFGadgetDescription& d) {
    if (!form_ && !open()) return nullptr;
    auto gadget = std::make_unique<T>();
    T* raw = gadget.get();
    const int16_t r = form_->addGadget(d, std::move(gadget));
    EXPECT_EQ(r, 0);
    return r == 0 ? raw : nullptr;
  }

  Handled key(int code) { return form_->onKey(QZFKeyEvent::key(code)); }
  Handled character(int code) { return form_->onKey(QZFKeyEvent::character(code)); }
  // The pen at a point of the gadget area, through the form.
  Handled pen(int type, int x, int y) { return form_->onPen(QZFPenEvent::make(type, kAreaX + x, kAreaY + y)); }
  // Clears the screen and draws every form whole.
  void drawAll() {
    clearScreen();
    g_->invalidateAll();
    handler_->drawForms();
    g_->flush();
  }
  // A pixel of the gadget area.
  static uint16_t areaPixel(int x, int y) { return pixelAt(kAreaX + x, kAreaY + y); }

  // The gadget's state written to memory.
  static std::vector<uint8_t> save(CQZFObject& object) {
    SerialiseStream counter;
    EXPECT_EQ(object.serialise(counter), 0);
    std::vector<uint8_t> bytes(counter.position);
    SerialiseStream writer{SERIALISE_WRITE_MEMORY, bytes.data(), static_cast<uint16_t>(bytes.size())};
    EXPECT_EQ(object.serialise(writer), 0);
    EXPECT_EQ(writer.position, bytes.size());
    return bytes;
  }
  static int16_t load(CQZFObject& object, std::vector<uint8_t> bytes) {
    SerialiseStream reader{SERIALISE_READ_MEMORY, bytes.data(), static_cast<uint16_t>(bytes.size())};
    return object.serialise(reader);
  }

  CQZFFontManager fonts_{&app_};
  std::unique_ptr<CQZFFormHandler> handler_ = std::make_unique<CQZFFormHandler>(&app_);
  EventForm* form_ = nullptr;
};

// The same on the runtime's virtual clock, with frames of a chosen length.
class ClockedGadgetTest : public GadgetTest {
 protected:
  void SetUp() override {
    wince::useVirtualClock(1000000);
    GadgetTest::SetUp();
    app_.getMetrics()->reset();
  }
  void TearDown() override {
    GadgetTest::TearDown();
    wince::useRealClock();
  }
  // One frame of the hundredths given, through the form handler.
  void frame(int hundredths) {
    wince::advanceClock(hundredths * 10);
    app_.getMetrics()->frame();
    handler_->tick();
  }
};

}  // namespace gadget_test
