// The Spider builds: no game-type option, the rule set chosen by suit count.
#include <gtest/gtest.h>

#include "sol_options.h"
#include "sol_platform.h"

namespace {

static_assert(CARROWIN_SPIDER == 1);

TEST(SpiderOptions, NoGameTypeValue) {
  SolOptions o;
  o.Load(u"SpiderOpt");
  SolRegKey key;
  ASSERT_TRUE(key.Open(SolRegistryPath(u"SpiderOpt", SolRegKind::Prefs).GetString()));
  uint32_t value = 0;
  DWORD size = 4;
  EXPECT_FALSE(key.Query(u"gameType", nullptr, &value, &size));
  size = 4;
  EXPECT_TRUE(key.Query(u"suitsNumber", nullptr, &value, &size));
  EXPECT_EQ(value, 4u);
}

TEST(SpiderOptions, RuleSetBySuitCount) {
  SolOptions o;
  const int32_t suits[] = {1, 2, 4, 3, 0};
  const uint16_t ids[] = {3901, 3902, 3900, 3900, 3900};
  for (size_t i = 0; i < 5; ++i) {
    o.suitsNumber = suits[i];
    EXPECT_EQ(o.RuleSetId(), ids[i]);
  }
  EXPECT_EQ(o.suitsNumber, 4);
}

}  // namespace
