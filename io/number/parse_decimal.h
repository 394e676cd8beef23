// Reading the text of a real value as a decimal digit string and a power of
// ten, and turning it into an 80-bit real.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/number/real80.h"

namespace io {

inline constexpr int kCollectedDigits = 25;       // the 25th only rounds the 24th
inline constexpr std::int32_t kExponentCap = 5201;  // exponent digits stop counting here
inline constexpr std::int32_t kLargestDecimalExponent = 5200;

struct DecimalParse {
    bool negative = false;
    std::uint8_t digits[kCollectedDigits] = {};  // significant digits, leading first
    int digitCount = 0;
    std::int64_t adjustment = 0;  // power of ten that the digits are short of
    std::int32_t exponentValue = 0;  // 0..5201
    bool exponentNegative = false;
    bool sawDigit = false;
    bool sawPoint = false;
    bool sawExponent = false;
    std::size_t consumed = 0;  // characters that fit the number form, leading blanks included
    Real80 value;
    RealStatus status = RealStatus::Fine;  // Fine, Overflow, Underflow or NoDigits
};

// Scans `text` from its first character; k is the scale factor and d the
// count of implied decimal digits (both 0 for a list-directed value).
DecimalParse parseDecimal(std::string_view text, std::int32_t k, std::int32_t d);

}  // namespace io
