// List-directed output.
#pragma once

#include <span>

#include "io/format/formatted_transfer.h"
#include "io/unit.h"

namespace io {

// Writes the values as one record: each value after a blank, integers in
// decimal, logicals as T or F, characters as they are, reals in the shortest
// F form that shows their significant digits.
void writeListDirected(Unit& unit, std::span<const CollectedItem> items);

}  // namespace io
