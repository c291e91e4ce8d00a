#include "qzf_form.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qz_blob.h"
#include "qzf_font_manager.h"
#include "qzf_form_description.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_gadget_handler.h"
#include "solid_blobs.h"
#include "started_graphics_fixture.h"
#include "string_source.h"

namespace {

using started_graphics::Report;

// Blob ids of the test's images: eight frame tiles, a font of two glyphs
// ("A", "B") and the three title caps.
constexpr uint16_t kFrame = 10;
constexpr uint16_t kFont = 20;
constexpr uint16_t kCaps = 30;
constexpr char16_t kTable[] = u"AB";
constexpr uint16_t kTitleId = 40;
constexpr uint16_t kTile = 0xF800;
constexpr uint16_t kPaper = 0x001F;

// Layout values: 0 = 0, 1 = 100 (width), 2 = 50 (height).
const int16_t kValues[3] = {0, 100, 50};

void put16(std::vector<uint8_t>& b, size_t at, uint16_t value) {
  b[at] = static_cast<uint8_t>(value >> 8);
  b[at + 1] = static_cast<uint8_t>(value);
}

struct Look {
  bool frame = false;
  bool title = false;
  bool caps = false;
};

// A description without gadgets: 100 x 50, blue paper.
std::vector<uint8_t> description(const Look& look) {
  std::vector<uint8_t> b(kQZFFormHeaderSize, 0xFF);
  for (int i = 0; i < 8; ++i) put16(b, 2 * i, look.frame ? kFrame + i : QZ_NO_ID);
  for (int i = 0; i < 3; ++i) put16(b, 17 + 2 * i, look.caps ? kCaps + i : QZ_NO_ID);
  put16(b, 24, kFont);
  put16(b, 27, look.title ? kTitleId : QZ_NO_ID);
  b[29] = 255;
  b[30] = 0x00, b[31] = 0x00, b[32] = 0xFF;
  put16(b, 37, 1);
  put16(b, 39, 2);
  put16(b, 47, 0);
  return b;
}

// A gadget of 20 x 10 at its position, made for the label tag.
class BoxGadget : public CQZFGadget {
 public:
  void layout() override {
    CQZFGadget::layout();
    rect_ = {getXAnchor().position, getYAnchor().position, 20, 10};
  }
};

// A label record (kind 3) at the layout values of the x and y indices.
std::vector<uint8_t> label(uint16_t id, uint16_t xIndex, uint16_t yIndex) {
  std::vector<uint8_t> r(30, 0);
  put16(r, 0, id);
  r[2] = kQZFGadgetLabel;
  put16(r, 6, xIndex);
  put16(r, 11, yIndex);
  for (size_t at = 14; at < 30; at += 2) put16(r, at, QZ_NO_ID);
  return r;
}

// A form that notes its rectangles when it is told it was opened, and the
// hooks it was offered.
class NotingForm : public CQZFForm {
 public:
  Handled onEvent(const QZFFormEvent& event) override {
    if (event.type == kQZFFormOpened) atOpened = {getFormRect(), getClientRect(), getGadgetRect()};
    return Handled::kPassOn;
  }
  Handled onKeyEvent(const QZFKeyEvent& key) override {
    hooks.push_back("key " + std::to_string(key.code));
    return Handled::kPassOn;
  }
  Handled onPenEvent(const QZFPenEvent& pen) override {
    hooks.push_back("pen " + std::to_string(pen.x) + "," + std::to_string(pen.y));
    return Handled::kPassOn;
  }
  std::vector<QZRect> atOpened;
  std::vector<std::string> hooks;
};

class FormTest : public started_graphics::StartedGraphicsTest {
 protected:
  void prepare() override { app_.values = kValues; }
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    std::vector<std::pair<int, int>> tiles(8, {8, 8});
    addSolidBlobs(1, kFrame, tiles, kTile);
    addSolidBlobs(2, kFont, {{6, 10}, {6, 10}}, 0xFFFF);
    addSolidBlobs(3, kCaps, {{4, 12}, {5, 12}, {4, 12}}, 0x07E0);
    app_.setFontManager(&fonts_);
    ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
  }
  void TearDown() override {
    handler_.reset();
    app_.setFontManager(nullptr);
    CQZResourceManager::instance().reset();
    StartedGraphicsTest::TearDown();
  }
  void serve(std::map<uint16_t, std::vector<uint8_t>> forms) {
    StringSource::Resources resources;
    for (auto& [id, bytes] : forms) resources[{kQZFFormType, id}] = std::move(bytes);
    CQZResourceManager::instance().addSource(
        std::make_unique<StringSource>(std::map<uint16_t, std::u16string>{{kTitleId, u"AB"}}, std::move(resources)));
  }
  NotingForm* open(uint16_t id) {
    auto form = std::make_unique<NotingForm>();
    NotingForm* raw = form.get();
    const int16_t r = handler_->openForm(id, std::move(form), 0);
    EXPECT_EQ(r, 0);
    return r == 0 ? raw : nullptr;
  }

  CQZFFontManager fonts_{&app_};
  std::unique_ptr<CQZFFormHandler> handler_ = std::make_unique<CQZFFormHandler>(&app_);
};

}  // namespace

TEST_F(FormTest, AFramedFormIsRoundedToItsTilesAndCentred) {
  serve({{1, description({.frame = true})}});
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  // Laid out (the client starts half the corners in), told, then centred.
  ASSERT_EQ(form->atOpened.size(), 3u);
  EXPECT_EQ(form->atOpened[0], (QZRect{0, 0, 120, 72}));
  EXPECT_EQ(form->atOpened[1], (QZRect{8, 8, 104, 56}));
  EXPECT_EQ(form->atOpened[2], (QZRect{10, 11, 100, 50}));
  EXPECT_EQ(form->getFormRect(), (QZRect{60, 124, 120, 72}));
  EXPECT_EQ(form->getClientRect(), (QZRect{68, 132, 104, 56}));
  EXPECT_EQ(form->getGadgetRect(), (QZRect{70, 135, 100, 50}));
}

TEST_F(FormTest, AnUnframedFormGrowsUpByItsTitleAndOtherwiseIsItsGadgetArea) {
  serve({{1, description({.title = true})}, {2, description({})}});
  NotingForm* titled = open(1);
  ASSERT_NE(titled, nullptr);
  EXPECT_EQ(titled->getFormRect(), (QZRect{70, 130, 100, 60}));
  EXPECT_EQ(titled->getGadgetRect(), (QZRect{70, 135, 100, 50}));
  // The title is the text's width (two 6-pixel glyphs, each with its spacing), centred.
  EXPECT_EQ(titled->getTitleRect(), (QZRect{113, 130, 14, 10}));
  NotingForm* plain = open(2);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->getFormRect(), (QZRect{70, 135, 100, 50}));
  EXPECT_EQ(plain->getFormRect(), plain->getGadgetRect());
}

TEST_F(FormTest, TitleCapsSetTheTitleSizeInLeftCapWidths) {
  serve({{1, description({.frame = true, .title = true, .caps = true})}});
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  // 4 + 4 + 4 * ceil(14 / 4); the cap's 12 rows over the 8-pixel corner
  // add one 8-pixel side tile to the client.
  EXPECT_EQ(form->getTitleRect().w, 24);
  EXPECT_EQ(form->getTitleRect().h, 12);
  EXPECT_EQ(form->getClientRect().h, 64);
}

TEST_F(FormTest, AMissingOrBrokenDescriptionOpensNoForm) {
  std::vector<uint8_t> shortHeader = description({});
  shortHeader.resize(30);
  std::vector<uint8_t> badIndex = description({});
  put16(badIndex, 37, 9);
  serve({{2, shortHeader}, {3, badIndex}});
  for (uint16_t id : {1, 2, 3}) {
    app_.reports.clear();
    EXPECT_EQ(handler_->openForm(id, std::make_unique<NotingForm>(), 0), QZ_ERR_NO_RESOURCE) << id;
    EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_form", 142, QZ_ERR_NO_RESOURCE}})) << id;
  }
  EXPECT_EQ(handler_->getFormCount(), 0);
}

TEST_F(FormTest, MissingFrameTilesNeitherRoundNorTile) {
  serve({{1, description({.frame = true})}});
  QZUnloadBlobSet(1);
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->getClientRect().w, 100);
  EXPECT_EQ(form->getClientRect().h, 50);
  g_->invalidateAll();
  handler_->drawForms();
  g_->flush();
}

TEST_F(FormTest, ThePenDragsTheFormByItsTitleWithinTheScreen) {
  serve({{1, description({.title = true})}});
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  const QZRect title = form->getTitleRect();
  // The right edge of the title belongs to it.
  EXPECT_EQ(form->onPen(QZFPenEvent::make(1, title.x + title.w, title.y)), Handled::kDone);
  EXPECT_TRUE(form->isDragging());
  EXPECT_EQ(form->onPen(QZFPenEvent::make(2, title.x + title.w - 10, title.y + 20)), Handled::kDone);
  EXPECT_EQ(form->getFormRect(), (QZRect{60, 150, 100, 60}));
  EXPECT_EQ(form->getGadgetRect(), (QZRect{60, 155, 100, 50}));
  // Far past the corner: the form stops at the screen's edges.
  EXPECT_EQ(form->onPen(QZFPenEvent::make(2, -500, -500)), Handled::kDone);
  EXPECT_EQ(form->getFormRect(), (QZRect{0, 0, 100, 60}));
  EXPECT_EQ(form->onPen(QZFPenEvent::make(0, 1000, 1000)), Handled::kDone);
  EXPECT_EQ(form->getFormRect(), (QZRect{140, 260, 100, 60}));
  EXPECT_FALSE(form->isDragging());
  // Elsewhere the pen goes to the form's hook in gadget coordinates.
  EXPECT_EQ(form->onPen(QZFPenEvent::make(1, 150, 270)), Handled::kPassOn);
  EXPECT_EQ(form->hooks, (std::vector<std::string>{"pen 10,5"}));
}

TEST_F(FormTest, AFormWithoutATitleIsNotDraggedByItsCorner) {
  serve({{1, description({})}});
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->onPen(QZFPenEvent::make(1, 70, 135)), Handled::kPassOn);
  EXPECT_FALSE(form->isDragging());
  EXPECT_EQ(form->hooks, (std::vector<std::string>{"pen 0,0"}));
}

TEST_F(FormTest, BackThatNobodyTakesClosesTheFormAndTheMenuKeyIsTaken) {
  serve({{1, description({})}});
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->onKey(QZFKeyEvent::key(kQZFKeyMenu)), Handled::kDone);
  EXPECT_EQ(form->onKey(QZFKeyEvent::key(kQZFKeyLeft)), Handled::kPassOn);
  EXPECT_FALSE(form->isClosed());
  EXPECT_EQ(form->onKey(QZFKeyEvent::key(kQZFKeyBack)), Handled::kPassOn);
  EXPECT_TRUE(form->isClosed());
  EXPECT_EQ(form->hooks, (std::vector<std::string>{"key 37", "key 27"}));
  // A closed form takes nothing.
  EXPECT_EQ(form->onKey(QZFKeyEvent::key(kQZFKeyMenu)), Handled::kPassOn);
  handler_->tick();
  EXPECT_EQ(handler_->getFormCount(), 0);
}

TEST_F(FormTest, DrawingFillsTheClientAndLaysTheFrameAround) {
  serve({{1, description({.frame = true})}});
  ASSERT_NE(open(1), nullptr);
  g_->invalidateAll();
  handler_->drawForms();
  g_->flush();
  EXPECT_EQ(pixelAt(100, 150), kPaper);
  EXPECT_EQ(pixelAt(60, 124), kTile);
  EXPECT_EQ(pixelAt(179, 195), kTile);
  EXPECT_EQ(pixelAt(59, 124), started_graphics::kBackground);
}

TEST_F(FormTest, GadgetsAreMadeByTheirKindsTagAndAFitFormTakesTheirHeight) {
  app_.registerClass<BoxGadget>(QZFGadgetTag(kQZFGadgetLabel));
  std::vector<uint8_t> bytes = description({});
  put16(bytes, 39, QZ_NO_ID);  // fit to gadgets
  put16(bytes, 45, 8);         // first focus
  put16(bytes, 47, 3);
  for (const auto& r : {label(7, 0, 0), label(8, 2, 1)}) bytes.insert(bytes.end(), r.begin(), r.end());
  // A button: no class has its tag, so it is not built.
  std::vector<uint8_t> button(49, 0);
  button[2] = kQZFGadgetButton;
  bytes.insert(bytes.end(), button.begin(), button.end());
  serve({{1, bytes}});
  NotingForm* form = open(1);
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(form->getGadgetHandler()->getCount(), 2);
  EXPECT_EQ(form->getGadgetHandler()->getFocusedId(), 8);
  EXPECT_FALSE(form->isUnfocused());
  // The lower gadget ends at 100 + 10.
  EXPECT_EQ(form->getGadgetRect(), (QZRect{70, 105, 100, 110}));
  ASSERT_NE(form->getGadget(8), nullptr);
  EXPECT_EQ(form->getGadget(8)->getRect(), (QZRect{50, 100, 20, 10}));
  // Removing the lower gadget refits the form to the one left.
  form->removeGadget(8);
  EXPECT_EQ(form->getGadgetRect(), (QZRect{70, 155, 100, 10}));
}
