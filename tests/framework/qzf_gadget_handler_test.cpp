#include "qzf_gadget_handler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app_serialise_stream.h"
#include "qzf_font_manager.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "started_graphics_fixture.h"

namespace {

using started_graphics::Report;

constexpr uint16_t kNone = QZ_NO_ID;

// A gadget of a test kind: a fixed rectangle, an optional wish for the focus,
// and a key and pen log.
class TestGadget : public CQZFGadget {
 public:
  TestGadget(bool takes, bool focusable = true, QZRect rect = {}) : focusable_(focusable) {
    setTakesFocus(takes);
    setName("gdtTest");
    rect_ = rect;
  }
  int16_t init(const QZFGadgetDescription& d) override {
    const int16_t r = CQZFGadget::init(d);
    return r < 0 ? r : initResult;
  }
  bool canFocus() const override { return focusable_; }
  Handled onKey(const QZFKeyEvent& key) override {
    keys.push_back(key.code);
    return keyResult;
  }
  Handled onPen(const QZFPenEvent&) override {
    ++pens;
    return penResult;
  }
  void layout() override {
    CQZFGadget::layout();
    rect_.x = getXAnchor().position;
    rect_.y = getYAnchor().position;
  }
  int16_t serialise(SerialiseStream& stream) override { return serialiseU16(stream, &state, 1); }

  int16_t initResult = 0;
  Handled keyResult = Handled::kPassOn;
  Handled penResult = Handled::kPassOn;
  std::vector<int> keys;
  int pens = 0;
  uint16_t state = 0;

 private:
  bool focusable_;
};

// Neighbours up, right, down, left.
QZFGadgetDescription describe(uint16_t id, std::vector<uint16_t> n = {kNone, kNone, kNone, kNone}) {
  QZFGadgetDescription d;
  d.id = id;
  for (int i = 0; i < 4; ++i) d.neighbours[i] = n[static_cast<size_t>(i)];
  return d;
}

class GadgetHandlerTest : public started_graphics::StartedGraphicsTest {
 protected:
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    app_.setFontManager(&fonts_);
    form_.setOwner(&app_);
  }
  void TearDown() override {
    app_.setFontManager(nullptr);
    StartedGraphicsTest::TearDown();
  }
  TestGadget* add(const QZFGadgetDescription& d, bool takes = true, bool focusable = true, QZRect rect = {}) {
    auto gadget = std::make_unique<TestGadget>(takes, focusable, rect);
    TestGadget* raw = gadget.get();
    EXPECT_EQ(handler_.addGadget(d, std::move(gadget)), 0);
    return raw;
  }
  Handled key(int code, bool down = true) { return handler_.onKey({code, 0, down}); }

  CQZFFontManager fonts_{&app_};
  CQZFForm form_;
  CQZFGadgetHandler handler_{&form_};
};

}  // namespace

TEST_F(GadgetHandlerTest, TheFirstGadgetThatTakesTheFocusGetsIt) {
  add(describe(1), false);
  add(describe(2));
  add(describe(3));
  EXPECT_EQ(handler_.getFocusedId(), 2);
  handler_.setFocus(3);
  EXPECT_EQ(handler_.getFocusedId(), 3);
  EXPECT_TRUE(handler_.find(3)->hasFocus());
  EXPECT_FALSE(handler_.find(2)->hasFocus());
  handler_.setFocus(9);
  EXPECT_EQ(handler_.getFocusedId(), 3);
  EXPECT_EQ(handler_.indexOf(3), 2);
  EXPECT_EQ(handler_.indexOf(9), kNone);
}

TEST_F(GadgetHandlerTest, AGadgetWithoutItsManagersOrWithAFailedInitIsNotAdded) {
  EXPECT_EQ(handler_.addGadget(describe(1), nullptr), QZ_ERR_GENERAL);
  auto failing = std::make_unique<TestGadget>(true);
  failing->initResult = QZ_ERR_NO_MEMORY;
  EXPECT_EQ(handler_.addGadget(describe(2), std::move(failing)), QZ_ERR_NO_MEMORY);
  app_.setFontManager(nullptr);
  app_.reports.clear();
  EXPECT_EQ(handler_.addGadget(describe(3), std::make_unique<TestGadget>(true)), QZ_ERR_BAD_STATE);
  EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_gadget", 96, QZ_ERR_BAD_STATE}}));
  EXPECT_EQ(handler_.getCount(), 0);
}

TEST_F(GadgetHandlerTest, NavigationKeysWalkTheNeighboursToAGadgetThatCanFocus) {
  // 1 -> 2 (cannot focus) -> 3 to the right; 3 has 4 below; 1 has 5 below.
  add(describe(1, {kNone, 2, 5, kNone}));
  add(describe(2, {kNone, 3, kNone, 1}), false, false);
  add(describe(3, {kNone, kNone, 4, 2}));
  add(describe(4, {3, kNone, kNone, kNone}));
  add(describe(5, {1, 77, kNone, kNone}));
  struct Step {
    int code;
    uint16_t focus;
    Handled result;
  };
  const Step steps[] = {
      {kQZFKeyRight, 3, Handled::kDone},     // over the gadget that cannot focus
      {kQZFKeyRight, 3, Handled::kPassOn},   // no neighbour
      {kQZFKeyTab, 4, Handled::kDone},       // right ends at once: down from 3
      {kQZFKeyReturn, 4, Handled::kPassOn},  // never moves
      {kQZFKeyBackTab, 3, Handled::kDone},   // left ends: up from 4
      {kQZFKeyLeft, 1, Handled::kDone},     {kQZFKeyDown, 5, Handled::kDone},
      {kQZFKeyRight, 5, Handled::kPassOn},  // 77 names no gadget
      {kQZFKeyTab, 5, Handled::kPassOn},    // nor does Tab go down from there
  };
  for (const Step& s : steps) {
    EXPECT_EQ(key(s.code), s.result) << s.code;
    EXPECT_EQ(handler_.getFocusedId(), s.focus) << s.code;
  }
}

TEST_F(GadgetHandlerTest, AFocusedGadgetThatTakesTheKeyKeepsTheFocus) {
  TestGadget* first = add(describe(1, {kNone, 2, kNone, kNone}));
  add(describe(2));
  first->keyResult = Handled::kDone;
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);
  EXPECT_EQ(handler_.getFocusedId(), 1);
  EXPECT_EQ(first->keys, (std::vector<int>{kQZFKeyRight}));
}

TEST_F(GadgetHandlerTest, ALoopOfGadgetsThatCannotFocusEndsTheWalk) {
  add(describe(1, {kNone, 2, kNone, kNone}));
  add(describe(2, {kNone, 3, kNone, kNone}), false, false);
  add(describe(3, {kNone, 2, kNone, kNone}), false, false);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kPassOn);
  EXPECT_EQ(handler_.getFocusedId(), 1);
}

TEST_F(GadgetHandlerTest, OtherKeysAndPenGoFromTheLastAddedBack) {
  TestGadget* first = add(describe(1));
  TestGadget* second = add(describe(2));
  first->keyResult = Handled::kDone;
  EXPECT_EQ(key('a', false), Handled::kDone);
  EXPECT_EQ(second->keys, (std::vector<int>{'a'}));
  EXPECT_EQ(first->keys, (std::vector<int>{'a'}));
  second->penResult = Handled::kDone;
  EXPECT_EQ(handler_.onPen(QZFPenEvent::make(1, 3, 3)), Handled::kDone);
  EXPECT_EQ(first->pens, 0);
}

TEST_F(GadgetHandlerTest, RemovingAGadgetPatchesFocusNeighboursAndAnchors) {
  QZFGadgetDescription anchor = describe(1);
  anchor.x.position = 10;
  TestGadget* a = add(anchor, false, true, {10, 20, 30, 8});
  QZFGadgetDescription middle = describe(2, {kNone, 3, kNone, kNone});
  middle.x = {true, 1, 2, 5, 0};  // right of 1, then 5
  add(middle);
  QZFGadgetDescription last = describe(3, {kNone, kNone, kNone, 2});
  last.x = {true, 2, 0, 4, 0};
  last.y = {true, 2, 4, 3, 0};
  TestGadget* c = add(last);
  handler_.layout();
  EXPECT_EQ(handler_.find(2)->getRect().x, 45);
  EXPECT_EQ(c->getRect().x, 49);
  ASSERT_EQ(handler_.getFocusedId(), 2);

  handler_.removeGadget(2);
  EXPECT_EQ(handler_.getFocusedId(), 3);  // the first that takes the focus
  EXPECT_EQ(c->getNeighbour(kQZFLeft), kNone);
  EXPECT_EQ(c->getXAnchor().anchorId, 1);  // inherited, own offset kept
  EXPECT_EQ(c->getXAnchor().offset, 4);
  EXPECT_FALSE(c->getYAnchor().anchored);  // 2 had no y anchor
  EXPECT_EQ(c->getRect().x, 14);
  EXPECT_EQ(a->getRect().x, 10);
}

TEST_F(GadgetHandlerTest, TheExtentBoxesEveryGadget) {
  QZRect extent{1, 2, 3, 4};
  handler_.getExtent(extent);
  EXPECT_EQ(extent.x, 1);
  QZFGadgetDescription one = describe(1), two = describe(2);
  add(one, false, true, {10, 20, 30, 8});
  add(two, false, true, {-5, 40, 10, 10});
  handler_.getExtent(extent);
  EXPECT_EQ(extent.x, -5);
  EXPECT_EQ(extent.y, 20);
  EXPECT_EQ(extent.w, 45);
  EXPECT_EQ(extent.h, 30);
}

TEST_F(GadgetHandlerTest, SavedStateComesBackOnlyIntoTheSameGadgets) {
  TestGadget* a = add(describe(1));
  TestGadget* b = add(describe(2));
  a->state = 11;
  b->state = 22;
  handler_.setFocus(2);
  uint8_t buffer[64] = {};
  SerialiseStream out{SERIALISE_WRITE_MEMORY, buffer, sizeof buffer, 0, nullptr};
  ASSERT_EQ(handler_.serialise(out), 0);
  EXPECT_EQ(out.position, 2 + 2 + 2 * (10 + 2));

  a->state = b->state = 0;
  handler_.setFocus(1);
  SerialiseStream in{SERIALISE_READ_MEMORY, buffer, sizeof buffer, 0, nullptr};
  ASSERT_EQ(handler_.serialise(in), 0);
  EXPECT_EQ(a->state, 11);
  EXPECT_EQ(b->state, 22);
  EXPECT_EQ(handler_.getFocusedId(), 2);

  add(describe(3));
  SerialiseStream more{SERIALISE_READ_MEMORY, buffer, sizeof buffer, 0, nullptr};
  EXPECT_EQ(handler_.serialise(more), QZ_ERR_BAD_STATE);
  handler_.removeGadget(3);
  buffer[4] = 'x';  // the first tag
  SerialiseStream tag{SERIALISE_READ_MEMORY, buffer, sizeof buffer, 0, nullptr};
  EXPECT_EQ(handler_.serialise(tag), QZ_ERR_BAD_STATE);
}
