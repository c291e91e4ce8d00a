// String resources (and any other resources a test gives) served from
// memory, for tests that read them through the program's resource manager.
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
  using Resources = std::map<std::pair<uint32_t, uint16_t>, std::vector<uint8_t>>;

  explicit StringSource(std::map<uint16_t, std::u16string> strings, Resources resources = {})
      : strings_(std::move(strings)), resources_(std::move(resources)) {}
  QZResourceHandle* getResource(uint32_t type, uint16_t id) override {
    if (type != QZ_TYPE_TSTR) return other(type, id);
    const auto it = strings_.find(id);
    if (it == strings_.end()) return nullptr;
    return handle(type, id, reinterpret_cast<const uint8_t*>(it->second.data()),
                  static_cast<uint32_t>(it->second.size() * 2));
  }
  void releaseResource(QZResourceHandle*) override {}
  void preloadResources(const std::vector<QZIdMapEntry>&) override {}
  QZStatus loadAllResources() override { return QZ_OK; }
  QZStatus unloadAllResources() override { return QZ_OK; }

 private:
  QZResourceHandle* other(uint32_t type, uint16_t id) {
    const auto it = resources_.find({type, id});
    if (it == resources_.end()) return nullptr;
    return handle(type, id, it->second.data(), static_cast<uint32_t>(it->second.size()));
  }
  QZResourceHandle* handle(uint32_t type, uint16_t id, const uint8_t* data, uint32_t size) {
    auto* handle = new QZResourceHandle;
    handle->source = this;
    handle->data = data;
    handle->size = size;
    handle->type = type;
    handle->id = id;
    return handle;
  }

  std::map<uint16_t, std::u16string> strings_;
  Resources resources_;
};
