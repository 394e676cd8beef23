// List-directed (free-format) input.
#pragma once

#include <cstdint>

#include "io/types.h"
#include "io/unit.h"

namespace io {

void startListRead(Unit& unit);
// One item of `count` elements (1 for a scalar); `size` is the element size
// in bytes (the length for a character item).
void readListItem(Unit& unit, ItemKind kind, void* address, std::int32_t size,
                  std::int32_t count = 1);
void endListRead(Unit& unit);

}  // namespace io
