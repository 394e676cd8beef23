// STOP, the exit-time actions and the process exit.
#include "io/termination.h"

#include "io/console/console_writer.h"
#include "io/run_time_error.h"
#include "io/units.h"
#include "platform/platform.h"

namespace io {

namespace {
bool actionsRunning = false;
}

bool exitActionsRunning() { return actionsRunning; }

void endRun(int status) {
    if (!actionsRunning) {
        actionsRunning = true;
        try {
            closeAllUnits();
            closeConsoleLine();
        } catch (const IoCondition& condition) {
            // Reported as the CLOSE it happened in; the remaining actions are
            // skipped and the process ends with the status it was already
            // ending with.
            reportRunTimeError(condition.number, 'F', StatementKind::Close, fileNameBuffer(),
                               errorMessage(condition.number));
        }
        releaseUnits();
    }
    platform::exitProcess(status);
}

void writeStopMessage(std::optional<std::string_view> message) {
    endOpenLine();
    if (message) {
        writeRawText(*message);
        writeRawText("\r\n");
    } else {
        writeRawText("Stop - Program terminated.\r\n");
    }
}

void stopProgram(std::optional<std::string_view> message) {
    writeStopMessage(message);
    endRun(0);
}

void resetTermination() { actionsRunning = false; }

}  // namespace io
