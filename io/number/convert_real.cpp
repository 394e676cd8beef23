// The real rule: decimal text -> 80-bit real -> double, and for a
// single-precision item one more rounding to single precision.
#include <cstring>

#include "io/error_numbers.h"
#include "io/number/convert.h"
#include "io/number/parse_decimal.h"
#include "io/run_time_error.h"

namespace io {

namespace {

constexpr std::uint64_t kDoubleSignBit = 1ULL << 63;
// One unit of the last double place above the largest single
// (0x1.fffffe0000001p+127); values up to it still become the largest single.
constexpr std::uint64_t kSingleBoundBits = 0x47EFFFFFE0000001ULL;

// m / 2^shift rounded to nearest, ties to even.
std::uint64_t shiftRoundingToEven(std::uint64_t m, int shift) {
    if (shift >= 64) return 0;
    const std::uint64_t kept = m >> shift;
    const std::uint64_t rest = m & ((1ULL << shift) - 1);
    const std::uint64_t half = 1ULL << (shift - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) return kept + 1;
    return kept;
}

// Rounds a double within the single bound to single precision, to nearest
// with ties to even; values below the single range become denormals or zero.
std::uint32_t singleBitsFromDouble(std::uint64_t bits) {
    const std::uint32_t sign = static_cast<std::uint32_t>(bits >> 32) & 0x80000000u;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0) return sign;  // zero, or a double far below the single range
    const std::uint64_t significand = (1ULL << 52) | (bits & ((1ULL << 52) - 1));
    const int exponent = biased - 1023;
    if (exponent >= -126) {
        // 24 significant bits; a carry out of them moves into the exponent field.
        const std::uint64_t kept = shiftRoundingToEven(significand, 29);
        // Within the bound this never passes the largest single.
        const std::uint32_t top = static_cast<std::uint32_t>(exponent + 126) << 23;
        return sign | (top + static_cast<std::uint32_t>(kept));
    }
    // A denormal single counts units of 2^-149.
    return sign | static_cast<std::uint32_t>(shiftRoundingToEven(significand, -97 - exponent));
}

}  // namespace

void convertReal(std::string_view text, std::int32_t k, std::int32_t d, ItemKind kind, void* address) {
    const DecimalParse parse = parseDecimal(text, k, d);
    RealStatus status = RealStatus::Fine;
    double value = 0.0;
    if (parse.status != RealStatus::NoDigits) value = doubleFromReal80(parse.value, status);
    if (parse.status == RealStatus::Overflow || status == RealStatus::Overflow) {
        raiseRunTimeError(err::RealOverflow);
    }
    if (parse.consumed != text.size()) raiseRunTimeError(err::InvalidReal);

    if (kind == ItemKind::Real8 || kind == ItemKind::Complex16) {
        std::memcpy(address, &value, sizeof value);
        return;
    }
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if ((bits & ~kDoubleSignBit) > kSingleBoundBits) raiseRunTimeError(err::SingleRange);
    const std::uint32_t single = singleBitsFromDouble(bits);
    std::memcpy(address, &single, sizeof single);
}

}  // namespace io
