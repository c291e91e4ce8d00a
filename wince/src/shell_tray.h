// The notification area's record, internal to the runtime.
#pragma once

namespace wince::detail {

// Removes every icon (the shell's reset).
void forgetTrayIcons();

}  // namespace wince::detail
