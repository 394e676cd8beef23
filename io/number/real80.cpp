#include "io/number/real80.h"

#include <bit>
#include <cstring>

#include "io/number/power_of_ten_table.h"

namespace io {

namespace {

using Wide = unsigned __int128;

constexpr std::int32_t kProductLowestExponent = 0x3FBF;  // at or below: zero
constexpr std::int32_t kProductHighestExponent = 0xBFFD;  // above: infinity
constexpr std::int32_t kProductBias = 0x3FFE;
constexpr Wide kBit95 = static_cast<Wide>(1) << 95;
constexpr Wide kLow96 = (static_cast<Wide>(1) << 96) - 1;

Real80 infinity(bool negative) {
    return Real80{negative, kReal80InfinityExponent, kMantissaTopBit};
}

Real80 zero(bool negative) { return Real80{negative, 0, 0}; }

double doubleFromBits(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

}  // namespace

Real80 digitsToReal80(const std::uint8_t* digits, int count) {
    // Up to 19 digits fit in 64 bits; the rest (at most 24 in all) in 80.
    const int head = count < 19 ? count : 19;
    std::uint64_t low = 0;
    for (int i = 0; i < head; ++i) low = low * 10 + digits[i];
    Mantissa80 value = low;
    for (int i = head; i < count; ++i) value = value * 10 + digits[i];
    if (value == 0) return zero(false);
    // Shift the leading 1 up to bit 79.
    const std::uint64_t high = static_cast<std::uint64_t>(value >> 64);
    const int shift = high != 0 ? std::countl_zero(high) - 48 : 16 + std::countl_zero(static_cast<std::uint64_t>(value));
    value <<= shift;
    return Real80{false, static_cast<std::uint16_t>(kReal80Bias + 79 - shift), value};
}

Real80 multiplyReal80(const Real80& a, const Real80& b) {
    const bool negative = a.negative != b.negative;
    std::int32_t e = static_cast<std::int32_t>(a.exponent) + b.exponent;
    if (a.exponent == kReal80InfinityExponent || b.exponent == kReal80InfinityExponent ||
        e > kProductHighestExponent) {
        return infinity(negative);
    }
    if (e <= kProductLowestExponent) return zero(negative);
    if (a.exponent == 0) {
        ++e;
        if (a.mantissa == 0) return zero(negative);
    }
    if (b.exponent == 0) {
        ++e;
        if (b.mantissa == 0) return zero(negative);
    }

    // The product divided by 2^64, leaving out the partial products that lie
    // wholly below that: only pieces with i + j >= 4 are summed, column by
    // column (column c holds the products with i + j = 4 + c; each fits in
    // 35 bits).
    const std::uint64_t alo = static_cast<std::uint64_t>(a.mantissa);
    const std::uint64_t blo = static_cast<std::uint64_t>(b.mantissa);
    const std::uint64_t a0 = alo & 0xFFFF, a1 = (alo >> 16) & 0xFFFF, a2 = (alo >> 32) & 0xFFFF,
                        a3 = alo >> 48, a4 = static_cast<std::uint64_t>(a.mantissa >> 64) & 0xFFFF;
    const std::uint64_t b0 = blo & 0xFFFF, b1 = (blo >> 16) & 0xFFFF, b2 = (blo >> 32) & 0xFFFF,
                        b3 = blo >> 48, b4 = static_cast<std::uint64_t>(b.mantissa >> 64) & 0xFFFF;
    const std::uint64_t c0 = a0 * b4 + a1 * b3 + a2 * b2 + a3 * b1 + a4 * b0;
    const std::uint64_t c1 = a1 * b4 + a2 * b3 + a3 * b2 + a4 * b1;
    const std::uint64_t c2 = a2 * b4 + a3 * b3 + a4 * b2;
    const std::uint64_t c3 = a3 * b4 + a4 * b3;
    const std::uint64_t c4 = a4 * b4;
    Wide sum = (static_cast<Wide>(c4) << 64) + (static_cast<Wide>(c3) << 48) +
               (static_cast<Wide>(c2) << 32) + (static_cast<Wide>(c1) << 16) + c0;

    e -= kProductBias;
    while (e > 0 && (sum & kBit95) == 0) {
        sum <<= 1;
        --e;
    }
    if (e <= 0) {
        // Below the normal range: kept with exponent 0, which ends as zero.
        return Real80{negative, 0, (sum >> 16) & kMantissaMask};
    }
    if ((sum & 0xFFFF) > 0x8000) {
        sum += 0x10000;
        if (sum > kLow96) {
            sum = kBit95;
            ++e;
        }
    }
    if (e >= kReal80InfinityExponent) return infinity(negative);
    return Real80{negative, static_cast<std::uint16_t>(e), (sum >> 16) & kMantissaMask};
}

Real80 scaleByPowerOfTen(Real80 x, std::int32_t e) {
    if (e == 0) return x;
    // The digits enter the products with 64 significant bits.
    x.mantissa &= ~static_cast<Mantissa80>(0xFFFF);
    const Real80* table = e > 0 ? kPositivePowersOfTen : kNegativePowersOfTen;
    std::uint32_t rest = static_cast<std::uint32_t>(e > 0 ? e : -e);
    for (int k = 0; rest != 0; ++k, rest >>= 3) {
        const int digit = static_cast<int>(rest & 7);
        if (digit != 0) x = multiplyReal80(x, table[7 * k + digit - 1]);
    }
    return x;
}

double doubleFromReal80(const Real80& x, RealStatus& status) {
    const std::uint64_t sign = x.negative ? 1ULL << 63 : 0;
    status = RealStatus::Fine;
    if (x.exponent == 0) {
        if (x.mantissa != 0) status = RealStatus::Underflow;
        return doubleFromBits(sign);
    }
    std::int32_t exponent = static_cast<std::int32_t>(x.exponent) - kReal80Bias;

    // Keep bits 0..52 (from the top); round up only when the dropped bits
    // 53..79 are above one half.
    std::uint64_t significand = static_cast<std::uint64_t>(x.mantissa >> 27);
    const std::uint64_t dropped = static_cast<std::uint64_t>(x.mantissa) & ((1ULL << 27) - 1);
    if (dropped > (1ULL << 26)) {
        ++significand;
        if (significand == 1ULL << 53) {
            significand = 1ULL << 52;
            ++exponent;
        }
    }

    if (exponent >= 1024) {
        status = RealStatus::Overflow;
        return doubleFromBits(sign | 0x7FF0000000000000ULL);
    }
    if (exponent < -1076) {
        status = RealStatus::Underflow;
        return doubleFromBits(sign);
    }
    if (exponent <= -1023) {
        // A denormal: one rounding of the full mantissa at the last denormal
        // place, again rounding up only above one half.
        status = RealStatus::Underflow;
        const int shift = 27 + (-1022 - static_cast<int>(x.exponent) + kReal80Bias);  // 28..81
        const Mantissa80 full = x.mantissa;
        std::uint64_t fraction = static_cast<std::uint64_t>(full >> shift);
        const Mantissa80 rest = full & ((static_cast<Mantissa80>(1) << shift) - 1);
        const Mantissa80 half = static_cast<Mantissa80>(1) << (shift - 1);
        if (rest > half) ++fraction;  // a carry into bit 52 makes the smallest normal
        return doubleFromBits(sign | fraction);
    }
    const std::uint64_t biased = static_cast<std::uint64_t>(exponent + 1023);
    return doubleFromBits(sign | (biased << 52) | (significand & ((1ULL << 52) - 1)));
}

}  // namespace io
