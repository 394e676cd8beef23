// Input field editing: taking one item's field from the current record.
#pragma once

#include <cstdint>
#include <string>

#include "io/format/edit_state.h"
#include "io/types.h"
#include "io/unit.h"

namespace io {

// Reads the field of `descriptor` from the unit's current record into the
// item (one element; a complex part is passed as its real kind). `size` is
// the item's size in bytes (the length for a character item). The pairing of
// descriptor and item has been checked by the caller; pending positioning
// has been passed.
void readField(Unit& unit, EditState& state, const Descriptor& descriptor, ItemKind kind,
               void* address, std::int32_t size);

// Raises the error of an item that meets a descriptor it cannot take:
// 6205 character, 6207 integer, 6208 logical, 6206 real or complex.
[[noreturn]] void raisePairingError(ItemKind kind);

// The scratch text of one numeric field or list-directed value. It holds 260
// characters and grows only for a longer value.
std::string& valueText();

}  // namespace io
