// Handle values shared by every kernel-object table of the runtime (files
// searches, threads, events, queues, notifications): one counter, so a value
// is never reused and never names objects of two tables.
#pragma once

#include <cstdint>

#include "wince/types.h"

namespace wince::detail {

// A fresh handle value: non-null, low four bits zero, never reused.
HANDLE newHandleValue();

}  // namespace wince::detail
