#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qz_resource_manager.h"
#include "qzf_key_names.h"
#include "string_source.h"

namespace {

class KeyNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::map<uint16_t, std::u16string> strings;
    for (uint16_t id = 10; id <= 25; ++id) strings[id] = u"S" + std::u16string(1, static_cast<char16_t>(u'a' + id - 10));
    strings[14] = u"Select";
    CQZResourceManager::instance().addSource(std::make_unique<StringSource>(strings));
  }
  void TearDown() override { CQZResourceManager::instance().reset(); }

  std::u16string name(int key, int capacity = 100) {
    std::vector<char16_t> out(capacity + 1, u'#');
    QZFKeyName(key, out.data(), capacity);
    return out.data();
  }
  std::u16string names(std::vector<uint8_t> keys, int capacity = 106) {
    std::vector<char16_t> out(capacity + 1, u'#');
    QZFKeyNames(keys.data(), static_cast<int>(keys.size()), out.data(), capacity);
    return out.data();
  }

};

TEST_F(KeyNamesTest, EachKeyByItsStringItsCharacterOrItsNumber) {
  struct Case {
    int key;
    std::u16string expected;
  };
  const Case cases[] = {
      {0, u"Sp"},    {13, u"Select"}, {38, u"Sa"},  {40, u"Sb"},  {37, u"Sc"},  {39, u"Sd"},
      {114, u"Sl"},  {115, u"Sm"},    {117, u"Sn"}, {118, u"So"}, {193, u"Sf"}, {198, u"Sk"},
      {48, u"0"},    {57, u"9"},      {65, u"A"},   {90, u"Z"},   {97, u"a"},   {113, u"q"},
      {116, u"t"},   {119, u"w"},     {122, u"z"},  {134, u"Button 134"},     {47, u"Button 47"},
      {91, u"Button 91"},             {199, u"Button 199"},
  };
  for (const Case& c : cases) EXPECT_EQ(name(c.key), c.expected) << c.key;
  EXPECT_EQ(name(200, 5), u"Butt");
  EXPECT_EQ(name(13, 4), u"Sel");
}

TEST_F(KeyNamesTest, SeveralKeysAreNamedLastFirst) {
  EXPECT_EQ(names({}), u"Sp");
  EXPECT_EQ(names({13, 50, 134}), u"Select/2/Select");
  EXPECT_EQ(names({38, 65, 200}), u"Btn 200/A/Sa");
  EXPECT_EQ(names({49, 50, 51, 52, 53, 54}), u"5/4/3/2/1");  // five at most
  EXPECT_EQ(names({200, 201}, 8), u"Btn 201");
}

}  // namespace
