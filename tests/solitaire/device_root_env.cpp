// Tests run as parallel processes: each keeps its registry file in a device
// root of its own below the test scratch folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/registry.h"

namespace {

class DeviceRoot : public testing::Environment {
 public:
  void SetUp() override {
    std::filesystem::remove_all(m_root);
    ASSERT_TRUE(wince::setDeviceRoot(m_root));
    wince::reloadRegistry();
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
  }

 private:
  const std::filesystem::path m_root = std::filesystem::path(PELLWYN_TEST_TMP) / ("root-" + std::to_string(getpid()));
};

[[maybe_unused]] testing::Environment* const kDeviceRoot = testing::AddGlobalTestEnvironment(new DeviceRoot);

}  // namespace
