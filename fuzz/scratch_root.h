// A private device root for fuzz targets whose readers go through files: a
// folder of this process under the temporary folder, made the device root,
// and removed with everything in it when the process ends. Keep one as a
// function-local static, so that it outlives every run of the target.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "wince/file.h"
#include "wince/host/file.h"

class FuzzScratchRoot {
 public:
  explicit FuzzScratchRoot(const std::string& name)
      : folder_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    ready_ = wince::setDeviceRoot(folder_);
  }
  ~FuzzScratchRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  FuzzScratchRoot(const FuzzScratchRoot&) = delete;
  FuzzScratchRoot& operator=(const FuzzScratchRoot&) = delete;

  bool ready() const { return ready_; }
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  bool ready_ = false;
};
