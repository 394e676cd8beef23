// Reading and storing a logical value (list-directed values and L fields).
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "io/types.h"

namespace io {

// True for a text whose first character, after one optional period, is T or
// t; false for F or f; anything else is error 6507.
inline bool logicalValue(std::string_view text) {
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    if (!text.empty()) {
        if (text.front() == 'T' || text.front() == 't') return true;
        if (text.front() == 'F' || text.front() == 'f') return false;
    }
    raiseRunTimeError(err::BadLogical);
}

// Stores true as 1 and false as 0 in a 1-, 2- or 4-byte logical.
inline void storeLogical(bool value, ItemKind kind, void* address) {
    const std::int32_t v = value ? 1 : 0;
    switch (kind) {
    case ItemKind::Logical1: { const std::int8_t b = static_cast<std::int8_t>(v); std::memcpy(address, &b, 1); break; }
    case ItemKind::Logical2: { const std::int16_t h = static_cast<std::int16_t>(v); std::memcpy(address, &h, 2); break; }
    default: std::memcpy(address, &v, 4); break;
    }
}

}  // namespace io
