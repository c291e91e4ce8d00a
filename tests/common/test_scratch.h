// Each test's own scratch folder under the build's test folder: tests run as
// parallel processes, so no two may share a file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// The running test's folder ("Suite.Test"), created on first use.
inline std::filesystem::path scratchFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path dir = std::filesystem::path(PELLWYN_TEST_TMP) /
                                    (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::create_directories(dir);
  return dir;
}

// A file in the running test's folder.
inline std::string scratchPath(const std::string& name) { return (scratchFolder() / name).string(); }
