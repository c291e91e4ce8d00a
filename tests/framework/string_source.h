// String resources served from memory, for tests that read strings through
// the program's resource manager.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "qz_resource_manager.h"

// Strings served from memory as the program's resource manager's only source.
class StringSource : public CQZResourceSource {
 public:
  explicit StringSource(std::map<uint16_t, std::u16string> strings) : strings_(std::move(strings)) {}
  QZResourceHandle* getResource(uint32_t type, uint16_t id) override {
    const auto it = strings_.find(id);
    if (type != QZ_TYPE_TSTR || it == strings_.end()) return nullptr;
    auto* handle = new QZResourceHandle;
    handle->source = this;
    handle->data = reinterpret_cast<const uint8_t*>(it->second.data());
    handle->size = static_cast<uint32_t>(it->second.size() * 2);
    handle->type = type;
    handle->id = id;
    return handle;
  }
  void releaseResource(QZResourceHandle*) override {}
  void preloadResources(const std::vector<QZIdMapEntry>&) override {}
  QZStatus loadAllResources() override { return QZ_OK; }
  QZStatus unloadAllResources() override { return QZ_OK; }

 private:
  std::map<uint16_t, std::u16string> strings_;
};
