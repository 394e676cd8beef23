// The end of the run: STOP, the exit-time actions and the process exit.
#pragma once

#include <optional>
#include <string_view>

namespace io {

// Ends the process with the given status after the exit-time actions (once).
[[noreturn]] void endRun(int status);

// STOP, with or without a message; exit status 0.
[[noreturn]] void stopProgram(std::optional<std::string_view> message);

// What STOP writes: an open console line ended, then the message (or the
// standard one) and a line end.
void writeStopMessage(std::optional<std::string_view> message);

// True while the exit-time actions run.
bool exitActionsRunning();

// Forgets that the exit-time actions ran (start-up and tests).
void resetTermination();

}  // namespace io
