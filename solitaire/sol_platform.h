// The program's few calls into the handheld OS, kept in one place: the tick
// count, random numbers, its own resources and the registry under
// HKEY_CURRENT_USER.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "wince/types.h"

uint32_t SolTickCount();
// Seconds on the same steady clock: the game clock and double taps.
inline uint32_t SolSeconds() { return SolTickCount() / 1000; }

// The C runtime's random generator, the program's one source of random
// numbers. Seeded from SolTickCount, it repeats itself in headless runs,
// whose clock is virtual.
void SolSeedRandom(uint32_t seed);
int SolRandom();

// The data of resource `id` of a custom type ("SOLDB") in the program's own
// module; null and size 0 when there is none.
const uint8_t* SolFindResource(uint16_t id, const WCHAR* type, size_t& size);

enum SolRegType : DWORD { kSolRegNone = 0, kSolRegBinary = 3, kSolRegDword = 4 };

// Registry writes that failed (a full or failing device leaves the old data
// as it was): how many so far, and a handler that runs after each one.
uint32_t SolWriteFailures();
void SolSetWriteFailureHandler(void (*handler)());

// What a damaged registry file lost when it was read: true once, with the
// number of lines left out and the device path of the copy kept aside
// (empty when none could be made).
bool SolTakeRegistryDamage(uint32_t& droppedLines, std::u16string& copy);

// One open registry key under HKEY_CURRENT_USER, closed by the destructor.
class SolRegKey {
 public:
  SolRegKey() = default;
  ~SolRegKey() { Close(); }
  SolRegKey(const SolRegKey&) = delete;
  SolRegKey& operator=(const SolRegKey&) = delete;

  // Opens the key, creating it (class "appData") when missing. A failed
  // creation or Set counts as a failed write (SolWriteFailures).
  bool Create(const WCHAR* path, bool* created);
  // Opens an existing key.
  bool Open(const WCHAR* path);
  void Close();
  // Reads a value into `data`; false when it is missing or does not fit.
  // `size` is the buffer size on entry and the value's size on return.
  bool Query(const WCHAR* name, DWORD* type, void* data, DWORD* size) const;
  bool Set(const WCHAR* name, DWORD type, const void* data, DWORD size);
  // Deletes a key with everything below it.
  static bool Delete(const WCHAR* path);

 private:
  void* m_key = nullptr;
};
