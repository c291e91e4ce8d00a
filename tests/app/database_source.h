// The resources of a database file the build made, served from memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "qz_database_file.h"
#include "qz_resource_manager.h"

inline const std::filesystem::path kPellwynDatabase =
    std::filesystem::path(PELLWYN_BINARY_DIR) / "data" / "pellwyn" / "install" / "Pellwyn.pdb";

// The id map can be left out to stand for a database without translations.
class FileSource : public CQZResourceSource {
 public:
  explicit FileSource(const std::filesystem::path& path, bool withIdMap = true) {
    std::ifstream in(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    QZDatabaseHeader header;
    std::vector<QZDatabaseEntry> entries;
    if (QZParseDatabaseHeader(bytes_.data(), bytes_.size(), header) != QZ_OK ||
        QZParseDatabase(bytes_.data(), bytes_.size(), bytes_.size(), QZDatabaseKind::Resource, header, entries) !=
            QZ_OK) {
      return;
    }
    for (const QZDatabaseEntry& e : entries) {
      if (withIdMap || e.type != QZ_TYPE_ARIL) resources_[{e.type, e.id}] = {e.offset, e.size};
    }
  }
  bool empty() const { return resources_.empty(); }
  // Forgets one resource, as if the database never had it.
  void drop(uint32_t type, uint16_t id) { resources_.erase({type, id}); }

  QZResourceHandle* getResource(uint32_t type, uint16_t id) override {
    const auto found = resources_.find({type, id});
    if (found == resources_.end()) return nullptr;
    auto* handle = new QZResourceHandle();
    handle->source = this;
    handle->data = bytes_.data() + found->second.first;
    handle->size = found->second.second;
    handle->type = type;
    handle->id = id;
    return handle;
  }
  void releaseResource(QZResourceHandle* handle) override {
    handle->source = nullptr;
    handle->data = nullptr;
  }
  void preloadResources(const std::vector<QZIdMapEntry>&) override {}
  QZStatus loadAllResources() override { return QZ_OK; }
  QZStatus unloadAllResources() override { return QZ_OK; }

 private:
  std::vector<uint8_t> bytes_;
  std::map<std::pair<uint32_t, uint16_t>, std::pair<uint32_t, uint32_t>> resources_;
};
