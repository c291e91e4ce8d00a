#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "qz_resource_manager.h"
#include "qzf_application.h"
#include "qzf_controls.h"
#include "string_source.h"
#include "wince/host/system.h"
#include "wince/system.h"

namespace {

int builtInDefaults(QZControlsManager&) { return 2; }

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::selectDeviceProfile("smartphone");
    CQZResourceManager::instance().addSource(
        std::make_unique<StringSource>(std::map<uint16_t, std::u16string>{{14, u"Select"}, {25, u"None"}}));
    ASSERT_EQ(controls_.init(0, &builtInDefaults), 0);
  }
  void TearDown() override {
    controls_.shutdown();
    CQZResourceManager::instance().reset();
  }

  std::u16string keyName(int control) {
    char16_t out[101];
    controls_.keyName(out, 101, control);
    return out;
  }
  std::u16string keyNames(int control) {
    char16_t out[106];
    controls_.keyNames(out, 106, control);
    return out;
  }

  CQZFApplication app_;
  CQZFControls controls_{&app_};
};

TEST_F(ControlsTest, ReservedKeysAreNeverAssignedNorPolled) {
  for (int key : {115, 131, 132, 145, 176, 177, 179}) {
    EXPECT_TRUE(CQZFControls::isReservedKey(key)) << key;
    EXPECT_EQ(controls_.assign(4, key, true), 2) << key;
  }
  for (int key : {0, 13, 114, 116, 178, 255}) EXPECT_FALSE(CQZFControls::isReservedKey(key)) << key;
  EXPECT_EQ(keyName(4), u"1");  // the keypad default stayed
}

TEST_F(ControlsTest, KeyNamesFollowTheMap) {
  EXPECT_EQ(controls_.getKind(), kQZFKindControls);
  EXPECT_EQ(keyName(8), u"Select");
  EXPECT_EQ(keyNames(8), u"5/Select");
  EXPECT_EQ(keyName(20), u"None");
  EXPECT_EQ(keyNames(20), u"None");

  EXPECT_EQ(controls_.assign(4, 65, true), 0);
  EXPECT_EQ(keyNames(4), u"A");
  EXPECT_EQ(controls_.assign(8, 66, false), 0);
  EXPECT_EQ(keyNames(8), u"B/5/Select");
}

TEST_F(ControlsTest, KeyStatesAnswerOnlyWhenSwitchedOn) {
  controls_.noteKey(QZFKeyEvent::key(13));
  EXPECT_EQ(controls_.keyState(13), 0);  // started with key states off

  CQZFControls polled(&app_);
  ASSERT_EQ(polled.init(1, &builtInDefaults), 0);
  polled.noteKey({13, 0, false});
  EXPECT_EQ(polled.keyState(13), 0);
  polled.noteKey(QZFKeyEvent::key(13));
  EXPECT_EQ(polled.keyState(13), kQZKeyPressed);
  polled.resetKeyStates();
  EXPECT_EQ(polled.keyState(13), 0);
}

}  // namespace
