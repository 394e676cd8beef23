// Runs one conversion the way an input item receives it and gives the stored
// bits in hex, or "E" and the error number.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "io/number/convert.h"
#include "io/run_time_error.h"

namespace io::test {

// kind: "int" (4-byte integer), "int1", "int2", "real4" or "real8".
inline std::string runConversion(std::string_view kind, std::string_view text, std::int32_t k = 0,
                                 std::int32_t d = 0) {
    unsigned char item[8];
    std::memset(item, 0xAB, sizeof item);  // an item left unchanged shows up as abab...
    int size = 4;
    try {
        if (kind == "real4" || kind == "real8") {
            size = kind == "real4" ? 4 : 8;
            convertReal(text, k, d, size == 4 ? ItemKind::Real4 : ItemKind::Real8, item);
        } else {
            ItemKind itemKind = ItemKind::Integer4;
            if (kind == "int1") itemKind = ItemKind::Integer1, size = 1;
            if (kind == "int2") itemKind = ItemKind::Integer2, size = 2;
            storeInteger(convertInteger(text), itemKind, item);
        }
    } catch (const IoCondition& condition) {
        for (unsigned char byte : item) {
            if (byte != 0xAB) return "item changed on error " + std::to_string(condition.number);
        }
        return "E" + std::to_string(condition.number);
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, item, size);  // little-endian host
    char hex[17];
    std::snprintf(hex, sizeof hex, "%0*llx", 2 * size, static_cast<unsigned long long>(bits));
    return hex;
}

}  // namespace io::test
