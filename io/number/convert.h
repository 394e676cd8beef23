// Turning the text of one numeric input value into an integer or a real.
#pragma once

#include <cstdint>
#include <string_view>

#include "io/types.h"

namespace io {

// The integer rule: decimal with an optional sign, or a radix form "r#digits".
// Raises 6100, 6101, 6302, 6303.
std::int32_t convertInteger(std::string_view text);

// Stores into a 1-, 2- or 4-byte integer item; raises 6100 when out of range.
void storeInteger(std::int32_t value, ItemKind kind, void* address);

// The real rule with scale factor k and implied decimal digits d. `kind` is
// Real4 or Real8 (each part of a complex item is passed as its real kind).
// Raises 6102, 6103, 6104; the item is unchanged on error. The caller checks
// first that the edit descriptor takes real input (6206).
void convertReal(std::string_view text, std::int32_t k, std::int32_t d, ItemKind kind, void* address);

}  // namespace io
