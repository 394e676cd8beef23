// Every table entry against the exact power of ten, computed here with a small
// unsigned big integer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "io/number/power_of_ten_table.h"

namespace io {
namespace {

// Little-endian 32-bit limbs, no leading zero limbs.
using Big = std::vector<std::uint32_t>;

void trim(Big& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

Big fromWord(std::uint64_t v) {
    Big a{static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32)};
    trim(a);
    return a;
}

Big multiplySmall(const Big& a, std::uint32_t m) {
    Big r;
    std::uint64_t carry = 0;
    for (std::uint32_t limb : a) {
        const std::uint64_t t = static_cast<std::uint64_t>(limb) * m + carry;
        r.push_back(static_cast<std::uint32_t>(t));
        carry = t >> 32;
    }
    if (carry != 0) r.push_back(static_cast<std::uint32_t>(carry));
    trim(r);
    return r;
}

Big shiftLeft(const Big& a, int bits) {
    if (a.empty()) return a;
    Big r(static_cast<std::size_t>(bits / 32), 0);
    const int s = bits % 32;
    std::uint32_t carry = 0;
    for (std::uint32_t limb : a) {
        r.push_back((limb << s) | carry);
        carry = s == 0 ? 0 : limb >> (32 - s);
    }
    r.push_back(carry);
    trim(r);
    return r;
}

Big add(const Big& a, const Big& b) {
    Big r;
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::uint64_t t = carry + (i < a.size() ? a[i] : 0) + (i < b.size() ? b[i] : 0);
        r.push_back(static_cast<std::uint32_t>(t));
        carry = t >> 32;
    }
    r.push_back(static_cast<std::uint32_t>(carry));
    trim(r);
    return r;
}

int compare(const Big& a, const Big& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

// a - b for a >= b.
Big subtract(const Big& a, const Big& b) {
    Big r;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t t = static_cast<std::int64_t>(a[i]) - (i < b.size() ? b[i] : 0) - borrow;
        borrow = t < 0 ? 1 : 0;
        if (t < 0) t += static_cast<std::int64_t>(1) << 32;
        r.push_back(static_cast<std::uint32_t>(t));
    }
    trim(r);
    return r;
}

Big absoluteDifference(const Big& a, const Big& b) {
    return compare(a, b) >= 0 ? subtract(a, b) : subtract(b, a);
}

Big powerOfTen(int n) {
    Big r = fromWord(1);
    for (int i = 0; i < n; ++i) r = multiplySmall(r, 10);
    return r;
}

Big powerOfTwo(int n) { return shiftLeft(fromWord(1), n); }

Big fromMantissa(Mantissa80 m) {
    return add(shiftLeft(fromWord(static_cast<std::uint64_t>(m >> 64)), 64),
               fromWord(static_cast<std::uint64_t>(m)));
}

Big multiply(const Big& a, const Big& b) {
    Big r;
    for (std::size_t i = 0; i < b.size(); ++i) r = add(r, shiftLeft(multiplySmall(a, b[i]), 32 * static_cast<int>(i)));
    return r;
}

bool normalised(const Real80& x) {
    return !x.negative && x.mantissa > kMantissaTopBit && x.mantissa <= kMantissaMask;
}

TEST(PowerOfTenTable, EntriesAreTheNearestEightyBitValues) {
    constexpr int kHeadroom = 200;  // keeps every power of two below non-negative
    for (int i = 0; i < kPowerOfTenEntries; ++i) {
        const int n = powerOfTenExponent(i);
        const Big power = powerOfTen(n);

        // 10^n ~ m * 2^s: |m * 2^s - 10^n| < 2^(s-1), all scaled by 2^kHeadroom.
        const Real80& up = kPositivePowersOfTen[i];
        ASSERT_TRUE(normalised(up)) << "10^" << n;
        const int s = up.exponent - kReal80Bias - 79;
        const Big error = absoluteDifference(shiftLeft(fromMantissa(up.mantissa), s + kHeadroom),
                                             shiftLeft(power, kHeadroom));
        EXPECT_LT(compare(error, powerOfTwo(s - 1 + kHeadroom)), 0) << "10^" << n;
        if (n <= 32) {
            EXPECT_TRUE(error.empty()) << "10^" << n << " is not exact";
        }

        // 10^-n ~ m / 2^t: |m * 10^n - 2^t| < 10^n / 2, doubled.
        const Real80& down = kNegativePowersOfTen[i];
        ASSERT_TRUE(normalised(down)) << "10^-" << n;
        const int t = kReal80Bias + 79 - down.exponent;
        const Big reciprocalError =
            absoluteDifference(shiftLeft(multiply(fromMantissa(down.mantissa), power), 1), powerOfTwo(t + 1));
        EXPECT_LT(compare(reciprocalError, power), 0) << "10^-" << n;
    }
}

TEST(PowerOfTenTable, ExponentsFollowTheOctalDigits) {
    EXPECT_EQ(powerOfTenExponent(0), 1);
    EXPECT_EQ(powerOfTenExponent(6), 7);
    EXPECT_EQ(powerOfTenExponent(7), 8);
    EXPECT_EQ(powerOfTenExponent(20), 448);
    EXPECT_EQ(powerOfTenExponent(21), 512);
    EXPECT_EQ(powerOfTenExponent(27), 3584);
    EXPECT_EQ(powerOfTenExponent(28), 4096);
}

}  // namespace
}  // namespace io
