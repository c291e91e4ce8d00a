// The controls manager: default maps per device, the stored map, key states
// through polls, and exclusive assignment.
#include <gtest/gtest.h>

#include <vector>

#include "database_fixture.h"
#include "qz_controls.h"
#include "qz_preferences.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/registry.h"
#include "wince/wince.h"

namespace {

class ControlsTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    wince::resetWindowing();
    wince::clearKeyStates();
    ASSERT_TRUE(wince::selectDeviceProfile("smartphone"));
    QZSetPreferencesOwner(u"Pellwyn", QZFourCC("QzSo"));
    ASSERT_EQ(QZOpenPreferences(), 0);
  }
  void TearDown() override {
    QZClosePreferences();
    wince::clearKeyStates();
    DatabaseTest::TearDown();
  }
  QZWindowsControlsManager controls_;
};

int g_callbackCalls = 0;
int appKeys(QZControlsManager&) {
  ++g_callbackCalls;
  return 0;
}

TEST_F(ControlsTest, DefaultMapsPerDeviceAndCallback) {
  controls_.init(nullptr, nullptr);
  struct Case {
    int vk;
    uint8_t control;
  };
  // A smartphone: arrows, return and the keypad.
  for (const Case c : {Case{37, 2}, Case{39, 3}, Case{40, 1}, Case{38, 0}, Case{13, 8}, Case{'1', 4}, Case{'3', 5},
                       Case{'7', 6}, Case{'9', 7}, Case{'4', 2}, Case{'6', 3}, Case{'8', 1}, Case{'2', 0},
                       Case{'5', 8}, Case{193, QZ_NO_CONTROL}, Case{'0', QZ_NO_CONTROL}}) {
    EXPECT_EQ(controls_.mapEntry(c.vk), c.control) << c.vk;
  }
  EXPECT_EQ(controls_.getButtonCount(), 5);
  ASSERT_TRUE(wince::selectDeviceProfile("pocketpc-qvga"));
  controls_.defaultMap();
  EXPECT_EQ(controls_.mapEntry(193), 4);
  EXPECT_EQ(controls_.mapEntry(196), 7);
  EXPECT_EQ(controls_.mapEntry('5'), QZ_NO_CONTROL);
  // An application callback that answers anything but 2 owns the map.
  QZWindowsControlsManager own;
  own.init(nullptr, appKeys);
  EXPECT_EQ(g_callbackCalls, 1);
  EXPECT_EQ(own.mapEntry(37), QZ_NO_CONTROL);
}

TEST_F(ControlsTest, StoredMapOfWrongSizeIsIgnored) {
  controls_.init(nullptr, nullptr);
  controls_.assign(8, 'Z', true);
  ASSERT_EQ(controls_.saveMap(), 0);
  QZWindowsControlsManager again;
  again.init(nullptr, nullptr);
  EXPECT_EQ(again.mapEntry('Z'), 8);
  EXPECT_EQ(again.mapEntry(13), QZ_NO_CONTROL);  // exclusive: return lost the action

  std::vector<uint8_t> shorter(255, 1);
  ASSERT_EQ(QZWritePreferences(QZ_KEY_MAP_PREFERENCES_ID, true, shorter.data(), 255), 0);
  QZWindowsControlsManager defaults;
  defaults.init(nullptr, nullptr);
  EXPECT_EQ(defaults.loadMap(), -1);
  EXPECT_EQ(defaults.mapEntry(13), 8);
  EXPECT_EQ(defaults.mapEntry('Z'), QZ_NO_CONTROL);
}

TEST_F(ControlsTest, KeyHeldAtStartCountsOnlyAfterRelease) {
  wince::setKeyState(VK_LEFT, true);
  controls_.init(nullptr, nullptr);
  controls_.poll();
  EXPECT_EQ(controls_.getCurrentMask(), 0u);
  wince::setKeyState(VK_LEFT, false);
  controls_.poll();
  wince::setKeyState(VK_LEFT, true);
  controls_.poll();
  EXPECT_EQ(controls_.getCurrentMask(), 1u << 2);
  EXPECT_EQ(controls_.getPreviousMask(), 0u);
  // A key-down message noted between polls counts once even when released.
  wince::setKeyState(VK_LEFT, false);
  controls_.noteKeyDown(13, 0, 1);
  controls_.poll();
  EXPECT_EQ(controls_.getCurrentMask(), 1u << 8);
  controls_.poll();
  EXPECT_EQ(controls_.getCurrentMask(), 0u);
}

TEST_F(ControlsTest, KeysOfAndFirstKey) {
  controls_.init(nullptr, nullptr);
  uint8_t keys[4];
  ASSERT_EQ(controls_.keysOf(2, 4, keys), 2);
  EXPECT_EQ(keys[0], 37);
  EXPECT_EQ(keys[1], '4');
  EXPECT_EQ(controls_.firstKey(2), 37);
  EXPECT_EQ(controls_.firstKey(20), 0);
  EXPECT_EQ(controls_.keyState(300), 0);
  EXPECT_EQ(controls_.defaultKey(6), 13);
  EXPECT_EQ(controls_.defaultKey(9), 255);
}

// What the poll leaves alone, what counts as return, and which map entries
// make the mask.
TEST_F(ControlsTest, PollSkipsMessageKeysAndMasksLowControls) {
  controls_.init(nullptr, nullptr);
  controls_.assign(31, 'A', false);
  controls_.assign(32, 'B', false);
  controls_.assign(0, 112, false);
  struct Case {
    int down;
    uint32_t mask;
    int state;  // of the key after the poll
  };
  for (const Case c : {Case{'A', 1u << 31, 3}, Case{'B', 0, 3}, Case{112, 0, 0}, Case{134, 1u << 8, 0},
                       Case{VK_RETURN, 1u << 8, 3}}) {
    wince::setKeyState(c.down, true);
    controls_.poll();
    EXPECT_EQ(controls_.getCurrentMask(), c.mask) << c.down;
    EXPECT_EQ(controls_.keyState(c.down), c.state) << c.down;
    wince::setKeyState(c.down, false);
    controls_.poll();
  }
  // Key-down messages are noted for the hardware buttons and return only,
  // and only when the key is down.
  for (const int vk : {193, 196, 13, 37, int{'A'}}) controls_.noteKeyDown(vk, 0, 1);
  controls_.noteKeyDown(194, 0, 0);
  EXPECT_EQ(controls_.keyState(193), kQZKeyPressed);
  EXPECT_EQ(controls_.keyState(196), kQZKeyPressed);
  EXPECT_EQ(controls_.keyState(13), kQZKeyPressed);
  EXPECT_EQ(controls_.keyState(37), kQZKeyUp);
  EXPECT_EQ(controls_.keyState('A'), kQZKeyUp);
  EXPECT_EQ(controls_.keyState(194), kQZKeyUp);
  controls_.resetKeyStates();
  EXPECT_EQ(controls_.keyState(193), kQZKeyUp);
}

// Twins come from two registry keys; the second one wins.
TEST_F(ControlsTest, PhoneKeyTwins) {
  const char16_t* kDigits = u"Software\\Microsoft\\Shell\\PhoneKeyMatch\\PhoneDigits";
  const char16_t* kMappings = u"Security\\Phone\\PhoneKeyMatch\\KeyboardMappings";
  auto set = [](const char16_t* key, const char16_t* name, const std::u16string& value) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, 0, nullptr, &handle, nullptr), ERROR_SUCCESS);
    RegSetValueEx(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                  static_cast<DWORD>((value.size() + 1) * 2));
    RegCloseKey(handle);
  };
  RegDeleteKey(HKEY_LOCAL_MACHINE, kDigits);
  RegDeleteKey(HKEY_LOCAL_MACHINE, kMappings);
  EXPECT_EQ(QZWindowsControlsManager::hasPhoneKeyMatch(), 0);
  EXPECT_EQ(QZWindowsControlsManager::phoneTwin('Q'), 0);
  set(kDigits, u"Q", u"0x31");
  set(kDigits, u"W", u"0x32");
  EXPECT_EQ(QZWindowsControlsManager::hasPhoneKeyMatch(), 1);
  set(kMappings, u"57", u"0x33,1");  // 'W' is 0x57
  EXPECT_EQ(QZWindowsControlsManager::phoneTwin('Q'), '1');
  EXPECT_EQ(QZWindowsControlsManager::phoneTwin('W'), '3');

  controls_.init(nullptr, nullptr);
  controls_.assignWithTwin('Q', 6);
  EXPECT_EQ(controls_.mapEntry('1'), 4);  // twins off: the keypad's own control stays
  controls_.setPhoneTwins(true);
  controls_.assignWithTwin('W', 6);
  EXPECT_EQ(controls_.mapEntry('W'), 6);
  EXPECT_EQ(controls_.mapEntry('3'), 6);
  RegDeleteKey(HKEY_LOCAL_MACHINE, kDigits);
  RegDeleteKey(HKEY_LOCAL_MACHINE, kMappings);
}

TEST(ControlsTwins, TwinValueText) {
  struct Case {
    const char16_t* text;
    int value;
  };
  for (const Case c : {Case{u"0x31", 0x31}, Case{u"0X7a,2", 0x7A}, Case{u"41", 0x41}, Case{u"", 0}, Case{u"0x", 0},
                       Case{u"4g", 0}, Case{u"123456789", 0}}) {
    EXPECT_EQ(QZWindowsControlsManager::parseTwinValue(c.text), c.value);
  }
}

}  // namespace
