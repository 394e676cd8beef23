// A floating format with an 80-bit mantissa, used to turn decimal digits into
// a double: exact digit strings, products with tabulated powers of ten, and
// the rounding to double precision.
#pragma once

#include <cstdint>

namespace io {

using Mantissa80 = unsigned __int128;  // only the low 80 bits are used

// Value: mantissa / 2^79 * 2^(exponent - 16383). Zero has exponent 0 and
// mantissa 0; infinity has exponent 0x7FFF and the top mantissa bit alone.
// An exponent of 0 with a non-zero mantissa lies below the normal range and
// ends as zero.
struct Real80 {
    bool negative = false;
    std::uint16_t exponent = 0;
    Mantissa80 mantissa = 0;
};

inline constexpr std::uint16_t kReal80Bias = 16383;
inline constexpr std::uint16_t kReal80InfinityExponent = 0x7FFF;
inline constexpr Mantissa80 kMantissaTopBit = static_cast<Mantissa80>(1) << 79;
inline constexpr Mantissa80 kMantissaMask = (static_cast<Mantissa80>(1) << 80) - 1;

enum class RealStatus : std::uint8_t { Fine, Overflow, Underflow, NoDigits };

// The decimal integer written by `count` digits (each 0..9, the last may be
// 10), exactly. At most 24 digits, so the value fits in 80 bits.
Real80 digitsToReal80(const std::uint8_t* digits, int count);

// a * b with 64-bit pieces of the partial products kept and the result
// rounded up only when the dropped part is above one half.
Real80 multiplyReal80(const Real80& a, const Real80& b);

// x * 10^e for |e| <= 5200, one table product per non-zero octal digit of |e|.
Real80 scaleByPowerOfTen(Real80 x, std::int32_t e);

// Rounds to double precision; an exact half is cut. `status` is Fine,
// Overflow (the double is infinity) or Underflow (zero or a denormal).
double doubleFromReal80(const Real80& x, RealStatus& status);

}  // namespace io
