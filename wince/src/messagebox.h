// The runtime's message box, seen from the script runner and the shell.
#pragma once

namespace wince::detail {

// Answers the innermost open message box with `answer`; with none open,
// keeps the answer for the next one, which then closes as soon as it opens.
void answerMessageBox(int answer);
bool messageBoxOpen();
// Closes the innermost open box with the answer its Back key gives.
void dismissMessageBox();
// Forgets the record of past boxes and a kept answer (tests).
void clearMessageBoxLog();

}  // namespace wince::detail
