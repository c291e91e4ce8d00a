// Resource tables for the code the resource compiler makes and the tests,
// and the layouts behind handles for the runtime (programs use
// wince/resource.h).
#pragma once

#include <cstddef>

#include "wince/resource.h"

namespace wince {

// One compiled resource. A null typeName/name means the integer form.
struct ResourceEntry {
  const WCHAR* typeName;
  WORD typeId;
  const WCHAR* name;
  WORD id;
  const BYTE* data;
  DWORD size;
};

struct ResourceTable {
  const ResourceEntry* entries;
  size_t count;
};

// Called by the code the resource compiler generates (at static
// initialisation) and by tests. The table must outlive its registration.
void registerResourceTable(const ResourceTable* table);
void unregisterResourceTable(const ResourceTable* table);

// The menu template behind a handle LoadMenu returned, for the shell code;
// null for a handle it did not make.
const BYTE* menuTemplate(HMENU menu, DWORD* size);

// The records of a table LoadAccelerators returned, for the window code; the
// last has FLASTKEY. Null (count 0) for a handle it did not make.
const ACCELTABLEENTRY* acceleratorEntries(HACCEL table, size_t* count);

}  // namespace wince
