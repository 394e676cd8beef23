// Powers of ten for scaling a digit string, each rounded to the nearest
// 80-bit mantissa.
#pragma once

#include <cstdint>

#include "io/number/real80.h"

namespace io {

inline constexpr int kPowerOfTenEntries = 29;

// Entry i holds 10^n (or 10^-n) for n = powerOfTenExponent(i):
// d * 8^k at i = 7k + d - 1 (d = 1..7, k = 0..3), and 4096 at i = 28.
extern const Real80 kPositivePowersOfTen[kPowerOfTenEntries];
extern const Real80 kNegativePowersOfTen[kPowerOfTenEntries];

constexpr std::int32_t powerOfTenExponent(int index) {
    if (index == kPowerOfTenEntries - 1) return 4096;
    std::int32_t n = index % 7 + 1;
    for (int k = 0; k < index / 7; ++k) n *= 8;
    return n;
}

}  // namespace io
