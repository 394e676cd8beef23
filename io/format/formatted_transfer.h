// The drivers of formatted READ and WRITE statements.
#pragma once

#include <cstdint>
#include <span>

#include "io/format/format_program.h"
#include "io/types.h"
#include "io/unit.h"

namespace io {

// READ: the first call resets the edit state; then one call per item.
void startFormattedRead(Unit& unit, const FormatProgram& program);
void readFormattedItem(Unit& unit, const FormatProgram& program, ItemKind kind, void* address,
                       std::int32_t length);
void endFormattedRead(Unit& unit, const FormatProgram& program);

// One collected output value of a WRITE.
struct CollectedItem {
    ItemKind kind;
    std::int32_t length;  // bytes of the value (a character item's length)
    const unsigned char* data;
};

// WRITE: edits the values and writes the record or records to the unit.
void writeFormatted(Unit& unit, const FormatProgram& program, std::span<const CollectedItem> items);

}  // namespace io
