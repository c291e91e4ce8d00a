// The application base: the order of a frame, what stops a frame, the error
// reports (source, line, status) of a failed start, and the graphics
// wrapper's dirty grid as the frame uses it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qz_bitmap.h"
#include "qz_lifecycle.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_graphics.h"

namespace {

const QZGraphicsMode kPortrait[] = {{'D', 16, 240, 320, 0}};
const QZFModeTable kPortraitTable{kPortrait, 1};
const int16_t kValues[8] = {};

struct Report {
  std::string source;
  int line;
  int16_t code;
  bool operator==(const Report&) const = default;
};

// Records the frame's steps and the error reports.
class OrderApplication : public CQZFApplication {
 public:
  const QZFModeTable* modes = &kPortraitTable;
  const int16_t* values = kValues;
  int16_t postResult = 0;
  std::vector<std::string> steps;
  std::vector<Report> reports;

  int16_t preInit(const QZFModeTable** out) override {
    *out = modes;
    return 0;
  }
  const int16_t* getValueTable(int) override { return values; }
  void onUpdate() override { steps.push_back("update"); }
  int16_t postUpdate() override {
    steps.push_back("post");
    return postResult;
  }
  void reportError(const char* source, int line, int16_t code) override { reports.push_back({source, line, code}); }

 protected:
  void tickUserInterface() override { steps.push_back("ui tick"); }
  void drawUserInterface() override {
    steps.push_back("ui draw " + std::to_string(getGraphics()->grid().getUpdateList().size()));
  }
};

class NullOutput : public QZScreenOutput {
 public:
  void blit(HBITMAP, int x, int y, int w, int h, int, int) override {
    ++copies;
    last = QZRect{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(w), static_cast<int16_t>(h)};
  }
  void fillRect(int, int, int, int, uint16_t) override {}
  int copies = 0;
  QZRect last{};
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QZSetScreenDepth(16);
    QZSetGraphicsConfig(QZGraphicsConfig{10, 64, 16, 0});
    QZScreenEnvironment environment;
    environment.display = [this] {
      return QZDisplay{displayWidth_, displayHeight_, 16, true, false, 0, displayHeight_, displayHeight_, false};
    };
    environment.modeListed = [](int) { return true; };
    QZSetScreenEnvironment(environment);
    QZSetScreenOutput(&output_);
    ASSERT_EQ(QZStartGraphics(nullptr), 0);
  }
  void TearDown() override {
    app_.shutdown();
    QZStopGraphics();
    QZSetScreenOutput(nullptr);
    QZSetScreenEnvironment({});
  }
  int displayWidth_ = 240;
  int displayHeight_ = 320;
  NullOutput output_;
  OrderApplication app_;
};

TEST_F(ApplicationTest, TickBeforeInitDoesNothing) {
  EXPECT_EQ(app_.tick(), 1);
  app_.drawFrame();
  EXPECT_TRUE(app_.steps.empty());
}

TEST_F(ApplicationTest, FrameRunsInOrderAndDrawsOnlyWhatIsDirty) {
  ASSERT_EQ(app_.init(), 0);
  EXPECT_EQ(app_.tick(), 1);
  app_.drawFrame();  // the first frame draws the whole screen
  EXPECT_EQ(app_.steps, (std::vector<std::string>{"update", "post", "ui tick", "ui draw 0"}));
  EXPECT_EQ(output_.copies, 1);
  app_.steps.clear();
  app_.getGraphics()->invalidateRect(30, 40, 20, 10);
  app_.tick();
  app_.drawFrame();
  EXPECT_EQ(app_.steps.back(), "ui draw 1");
  EXPECT_FALSE(app_.getGraphics()->isRectDirty(0, 0, 240, 320));
  // postUpdate's 1 or a negative result ends the frame before the forms.
  for (const int16_t r : {int16_t{1}, int16_t{-3}}) {
    app_.steps.clear();
    app_.postResult = r;
    EXPECT_EQ(app_.tick(), r);
    EXPECT_EQ(app_.steps, (std::vector<std::string>{"update", "post"}));
  }
}

TEST_F(ApplicationTest, MinimiseRequestStopsEveryFrame) {
  ASSERT_EQ(app_.init(), 0);
  app_.requestMinimise();
  for (int i = 0; i < 2; ++i) {
    app_.steps.clear();
    EXPECT_EQ(app_.tick(), -11);
    app_.drawFrame();
    EXPECT_TRUE(app_.steps.empty());
  }
  EXPECT_TRUE(app_.isStopping());
}

TEST_F(ApplicationTest, SizeMessageAsksForReinitialisationOnlyInFullScreenWithNewSize) {
  ASSERT_EQ(app_.init(), 0);
  struct Case {
    int width, height;
    bool fullScreen;
    bool request;
  };
  for (const Case c : {Case{0, 240, true, false}, Case{320, 240, false, false}, Case{240, 320, true, false},
                       Case{320, 240, true, true}}) {
    OrderApplication fresh;
    ASSERT_EQ(fresh.init(), 0);
    if (c.fullScreen) QZSetFullScreen(1);
    MSG m{nullptr, WM_SIZE, 0, MAKELPARAM(c.width, c.height), 0, {}};
    fresh.onSystemEvent(m);
    EXPECT_EQ(fresh.isReinitialiseRequested(), c.request) << c.width << "x" << c.height;
    QZSetFullScreen(0);
    fresh.shutdown();
  }
}

TEST_F(ApplicationTest, FailedStartsAreReportedWithSourceLineAndStatus) {
  app_.modes = nullptr;
  EXPECT_EQ(app_.init(), -11);
  EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_graphics", 39, -11}, {"qzf_application", 120, -11}}));
  OrderApplication noTable;
  noTable.values = nullptr;
  EXPECT_EQ(noTable.init(), -1);
  EXPECT_EQ(noTable.reports, (std::vector<Report>{{"qzf_application", 125, -1}}));
  noTable.shutdown();
}

// On a 176 x 180 screen the cells are 9 x 9, so the last column reaches
// past the right edge: the copy to the window stops at the edge.
TEST_F(ApplicationTest, UpdateRectanglesAreClippedToTheScreen) {
  static const QZGraphicsMode small[] = {{'B', 16, 176, 180, 0}};
  static const QZFModeTable smallTable{small, 1};
  app_.modes = &smallTable;
  displayWidth_ = 176;
  displayHeight_ = 180;
  ASSERT_EQ(app_.init(), 0);
  app_.tick();
  app_.drawFrame();
  CQZFGraphics* g = app_.getGraphics();
  g->invalidateRect(170, 0, 20, 1);
  EXPECT_EQ(g->grid().getDirtyMask(0), (1u << 18) | (1u << 19));
  app_.tick();
  app_.drawFrame();
  EXPECT_EQ(output_.last.x, 162);
  EXPECT_EQ(output_.last.w, 14);
  EXPECT_EQ(output_.last.h, 9);
}

TEST(GraphicsWrapper, Colours) {
  EXPECT_EQ(CQZFGraphics::makeColour(255, 255, 255), 0xFFFF);
  EXPECT_EQ(CQZFGraphics::makeColour(255, 0, 0), 0xF800);
  EXPECT_EQ(CQZFGraphics::makeColour(0, 255, 0), 0x07E0);
  EXPECT_EQ(CQZFGraphics::makeColour(8, 4, 8), 0x0821);
}

}  // namespace
