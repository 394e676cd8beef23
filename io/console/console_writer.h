// Output records on the console under carriage control.
#pragma once

#include <string_view>

#include "io/unit.h"

namespace io {

// Places characters into the current console output record.
void putRecordText(std::string_view text);

// Ends the current record; with advance false the next record continues
// the same line.
void endConsoleRecord(bool advance);

// Before the file-name prompt and the STOP message: ends an open line
// without marking it ended.
void endOpenLine();

// At CLOSE of a console unit and at the end of the run.
void closeConsoleLine();

// Bytes straight to standard output.
void writeRawText(std::string_view text);

// The carriage control used for the console records (first-character by default).
void setConsoleCarriageControl(CarriageControl control);

// Forgets all console output state (start-up and tests).
void resetConsoleWriter();

}  // namespace io
