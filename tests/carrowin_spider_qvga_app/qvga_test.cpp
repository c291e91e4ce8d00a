// The Spider QVGA program: its fixed pixel sizes hold whatever the density
// of its screen.
#include "carrowin_app_fixture.h"
#include "ce_hidpi.h"

const char* const CarrowinAppTest::kProfile = "pocketpc-qvga";

namespace {

// A QVGA device of 128 dots per inch (a font scale of 4/3, between the
// ordinary 1 and 2).
class DenseQvga : public CarrowinAppTest {
 protected:
  void SetUp() override {
    wince::DeviceProfile dense = *wince::findDeviceProfile("pocketpc-qvga");
    dense.dpi = 128;
    wince::setDeviceProfile(dense);
    customProfile = true;
    CarrowinAppTest::SetUp();
  }
  void TearDown() override {
    CarrowinAppTest::TearDown();
    wince::selectDeviceProfile(kProfile);
  }
};

TEST_F(DenseQvga, CardsAndTheCardBackPreviewKeepTheirPixelSizes) {
  ASSERT_EQ(g_HIDPI_LogPixelsY, 128);
  // A mid-scale screen lays the game out wide: cards of 26 x 35 pixels,
  // fans of 12, and not a third more.
  ASSERT_TRUE(Rules().WideLayout());
  const SolFieldMetrics& m = Field().Metrics();
  EXPECT_EQ(m.cardWidth, 26);
  EXPECT_EQ(m.cardHeight, 35);
  EXPECT_EQ(m.fanX, 12);
  EXPECT_EQ(m.fanY, 12);
  RECT preview{};
  onDialog = [&preview](HWND window) { ::GetWindowRect(FindControl(window, 1003), &preview); };
  Command(kSolCmdOptions);
  EXPECT_EQ(preview.right - preview.left, 26);
  EXPECT_EQ(preview.bottom - preview.top, 35);
}

TEST_F(DenseQvga, TheBestTimesListStaysWithin161Pixels) {
  int height = 0;
  onDialog = [&height](HWND window) {
    RECT r;
    ::GetWindowRect(FindControl(window, 1004), &r);
    height = r.bottom - r.top;
  };
  Command(kSolCmdBestTimes);
  EXPECT_GT(height, 100);
  EXPECT_LE(height, 161);
}

}  // namespace
