// Handing a finished output record to its unit.
#pragma once

#include <string_view>

#include "io/unit.h"

namespace io {

// The console takes the record under carriage control (with advance false
// the next record continues its line); any other unit gets the record's
// bytes followed by CR LF (none with advance false). A failed write to a
// file is 6422 when the disk is full, else 6421.
void writeRecord(Unit& unit, std::string_view record, bool advance);

}  // namespace io
