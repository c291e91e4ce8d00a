// Pellwyn's built data database (forms and strings) served to the program's
// resource manager, so that forms open from their real descriptions.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "qz_database_file.h"
#include "qz_resource_manager.h"

class BuiltDataSource : public CQZResourceSource {
 public:
  // False when the database cannot be read.
  bool read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    QZDatabaseHeader header;
    std::vector<QZDatabaseEntry> entries;
    if (QZParseDatabaseHeader(bytes_.data(), bytes_.size(), header) != QZ_OK ||
        QZParseDatabase(bytes_.data(), bytes_.size(), bytes_.size(), QZDatabaseKind::Resource, header, entries) !=
            QZ_OK) {
      return false;
    }
    for (const QZDatabaseEntry& e : entries) entries_[{e.type, e.id}] = {e.offset, e.size};
    return true;
  }
  QZResourceHandle* getResource(uint32_t type, uint16_t id) override {
    const auto it = entries_.find({type, id});
    if (it == entries_.end()) return nullptr;
    auto* handle = new QZResourceHandle;
    handle->source = this;
    handle->data = bytes_.data() + it->second.first;
    handle->size = it->second.second;
    handle->type = type;
    handle->id = id;
    return handle;
  }
  void releaseResource(QZResourceHandle*) override {}
  void preloadResources(const std::vector<QZIdMapEntry>&) override {}
  QZStatus loadAllResources() override { return QZ_OK; }
  QZStatus unloadAllResources() override { return QZ_OK; }

 private:
  std::vector<uint8_t> bytes_;
  std::map<std::pair<uint32_t, uint16_t>, std::pair<uint32_t, uint32_t>> entries_;
};

// Serves the built database for the test's life.
inline void serveBuiltData() {
  auto source = std::make_unique<BuiltDataSource>();
  ASSERT_TRUE(source->read(PELLWYN_BINARY_DIR "/data/pellwyn/install/Pellwyn.pdb"));
  CQZResourceManager::instance().addSource(std::move(source));
}
