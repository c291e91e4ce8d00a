// Writes compiled resources as C++ source: byte arrays, the entry table, and
// a static object that registers the table with the runtime.
#pragma once

#include <ostream>
#include <string>

#include "rc_script.h"

namespace rc {

void emitTable(const Script& script, const std::string& scriptName, std::ostream& out);

}  // namespace rc
