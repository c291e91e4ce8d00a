// Start-up cost of the data databases: finding and opening them, then
// looking up every resource once, on a database of a few thousand resources
// (in the current folder of a scratch device root).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "qz_database_file.h"
#include "qz_file_access.h"
#include "qz_resource_database.h"
#include "qz_resource_manager.h"
#include "wince/file.h"
#include "wince/host/file.h"

namespace {

constexpr int kResources = 3000;
constexpr uint32_t kCreator = QZFourCC("QzSo");

struct Fixture {
  std::filesystem::path folder;
  std::vector<std::pair<uint32_t, uint16_t>> keys;

  Fixture() {
    folder = std::filesystem::temp_directory_path() / ("pellwyn-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    wince::setDeviceRoot(folder);
    const uint32_t types[] = {QZFourCC("aFRM"), QZFourCC("aSTR"), QZFourCC("aPLN"), QZFourCC("aBST")};
    QZDatabaseHeader header;
    QZStoreDatabaseName(u"Bench", header.name);
    header.attributes = QZ_DB_ATTRIBUTES_RESOURCE;
    header.type = QZ_TYPE_ARES;
    header.creator = kCreator;
    std::vector<uint8_t> payload(600, 0x42);
    std::vector<QZDatabaseItem> items;
    for (int i = 0; i < kResources; ++i) {
      QZDatabaseItem item;
      item.type = types[i % 4];
      item.id = static_cast<uint16_t>(1000 + i);
      item.data = payload.data();
      item.size = 16 + static_cast<uint32_t>((i * 37) % 500);
      items.push_back(item);
      keys.emplace_back(item.type, item.id);
    }
    std::vector<uint8_t> bytes;
    QZBuildDatabase(header, QZDatabaseKind::Resource, items, bytes);
    QZFileReplace(u"\\Bench.pdb", bytes);
  }
  ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void lookUpAll(CQZResourceManager& manager, benchmark::State& state) {
  for (const auto& [type, id] : fixture().keys) {
    QZResourceHandle* handle = manager.getResource(type, id);
    if (handle == nullptr) {
      state.SkipWithError("resource missing");
      return;
    }
    benchmark::DoNotOptimize(handle->getData());
    handle->release();
    delete handle;
  }
}

// Start-up as the program does it: on-demand sources, every resource once.
void BM_StartUpOpenAndLookUpEach(benchmark::State& state) {
  fixture();
  for (auto _ : state) {
    CQZResourceManager manager;
    manager.addSourceDatabases(kCreator, QZ_TYPE_ARES);
    lookUpAll(manager, state);
  }
  state.SetItemsProcessed(state.iterations() * kResources);
}
BENCHMARK(BM_StartUpOpenAndLookUpEach)->Unit(benchmark::kMillisecond);

// Lookups alone, with every resource already cached.
void BM_LookUpCached(benchmark::State& state) {
  fixture();
  CQZResourceManager manager;
  manager.addSourceDatabases(kCreator, QZ_TYPE_ARES);
  lookUpAll(manager, state);
  for (auto _ : state) lookUpAll(manager, state);
  state.SetItemsProcessed(state.iterations() * kResources);
}
BENCHMARK(BM_LookUpCached)->Unit(benchmark::kMicrosecond);

// The alternative to opening on demand: one read of the whole file.
void BM_OpenCompleteDatabase(benchmark::State& state) {
  fixture();
  for (auto _ : state) {
    CQZResourceDatabaseWin32 db;
    if (db.open(u"Bench", kCreator, QZ_TYPE_ARES, false, false) != QZ_OK) state.SkipWithError("open failed");
    db.unloadAllResources();  // partial: closing writes nothing
  }
}
BENCHMARK(BM_OpenCompleteDatabase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
