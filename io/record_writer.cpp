#include "io/record_writer.h"

#include "io/console/console_writer.h"
#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "platform/platform.h"

namespace io {

namespace {

void writeOrRaise(int handle, std::string_view bytes) {
    platform::WriteResult result = platform::writeBytes(handle, bytes.data(), bytes.size());
    if (result.failure == platform::Failure::DiskFull) raiseRunTimeError(err::DiskFull);
    if (result.failure != platform::Failure::None) raiseRunTimeError(err::OutputRefused);
}

}  // namespace

void writeRecord(Unit& unit, std::string_view record, bool advance) {
    if (unit.kind == RecordKind::Console) {
        putRecordText(record);
        endConsoleRecord(advance);
        return;
    }
    unit.outputPending = true;
    writeOrRaise(unit.handle, record);
    if (advance) writeOrRaise(unit.handle, "\r\n");
}

}  // namespace io
