// The formatter beside glibc's swprintf on the same format, code page 1252
// conversion, and one saved registry change.
#include <benchmark/benchmark.h>

#include <cwchar>
#include <filesystem>

#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/registry.h"
#include "wince/text.h"

namespace {

void BM_FormatErrorReport(benchmark::State& state) {
  WCHAR buffer[256];
  for (auto _ : state) {
    int n = _snwprintf(buffer, 256, u"File: %s\nLine: %d\nError: %d", u"qz_graphics.cpp", 1234, -18);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_FormatErrorReport);

void BM_GlibcFormatErrorReport(benchmark::State& state) {
  wchar_t buffer[256];
  for (auto _ : state) {
    int n = std::swprintf(buffer, 256, L"File: %ls\nLine: %d\nError: %d", L"qz_graphics.cpp", 1234, -18);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_GlibcFormatErrorReport);

void BM_Widen1252(benchmark::State& state) {
  const char text[] = "Caf\xe9 \x80 - a line of narrow rule text of some length";
  WCHAR out[64];
  for (auto _ : state) benchmark::DoNotOptimize(MultiByteToWideChar(CP_ACP, 0, text, -1, out, 64));
}
BENCHMARK(BM_Widen1252);

void BM_RegistrySetValue(benchmark::State& state) {
  std::filesystem::path root = std::filesystem::temp_directory_path() / "wince_bench_registry";
  std::filesystem::remove_all(root);
  wince::setDeviceRoot(root);
  HKEY key = nullptr;
  RegCreateKeyEx(HKEY_CURRENT_USER, u"SOFTWARE\\Bench\\prefs", 0, nullptr, 0, 0, nullptr, &key, nullptr);
  DWORD value = 0;
  for (auto _ : state) {
    ++value;
    RegSetValueEx(key, u"curGameNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
  }
  RegCloseKey(key);
  std::filesystem::remove_all(root);
}
BENCHMARK(BM_RegistrySetValue);

}  // namespace
