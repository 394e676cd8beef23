// The 17-digit decimal form of a double, from its exact decimal expansion.
//
// A finite double is m x 2^e with an integer m below 2^53. Its exact value is
// the integer m x 2^e when e >= 0, and m x 5^-e / 10^-e when e < 0; either way
// an integer N (at most 767 decimal digits) with a known decimal point. N is
// built in base 10^9 limbs, so its decimal digits can be read off directly.
#include <bit>
#include <cstdint>

#include "io/format/fixed_output.h"

namespace io {
namespace {

constexpr std::uint32_t kLimbBase = 1000000000;
constexpr int kMaxLimbs = 90;  // 810 digits; 2^53 x 5^1074 has 767

// An unsigned integer as little-endian base 10^9 limbs.
struct BigDecimal {
    std::uint32_t limb[kMaxLimbs];
    int size;
};

// n = n x factor, for factor below 2^32 (a limb times the factor stays
// below 2^64 together with the carry).
void multiplyBy(BigDecimal& n, std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < n.size; ++i) {
        std::uint64_t product = n.limb[i] * factor + carry;
        n.limb[i] = static_cast<std::uint32_t>(product % kLimbBase);
        carry = product / kLimbBase;
    }
    while (carry != 0) {
        n.limb[n.size++] = static_cast<std::uint32_t>(carry % kLimbBase);
        carry /= kLimbBase;
    }
}

void setFrom(BigDecimal& n, std::uint64_t value) {
    n.size = 0;
    do {
        n.limb[n.size++] = static_cast<std::uint32_t>(value % kLimbBase);
        value /= kLimbBase;
    } while (value != 0);
}

// n = n x base^count, in steps whose factor stays below 2^32.
void multiplyByPower(BigDecimal& n, std::uint32_t base, int count, int stepExponent) {
    std::uint64_t stepFactor = 1;
    for (int i = 0; i < stepExponent; ++i) stepFactor *= base;
    for (; count >= stepExponent; count -= stepExponent) multiplyBy(n, stepFactor);
    std::uint64_t rest = 1;
    for (; count > 0; --count) rest *= base;
    if (rest != 1) multiplyBy(n, rest);
}

int digitCount(std::uint32_t v) {
    int count = 1;
    while (v >= 10) {
        v /= 10;
        ++count;
    }
    return count;
}

// The first `want` decimal digits of n (zeros past its end) into `out`;
// returns n's total number of digits.
int leadingDigits(const BigDecimal& n, char* out, int want) {
    int top = n.size - 1;
    int topDigits = digitCount(n.limb[top]);
    int produced = 0;
    for (int i = top; i >= 0 && produced < want; --i) {
        std::uint32_t v = n.limb[i];
        int width = (i == top) ? topDigits : 9;
        char text[9];
        for (int j = width - 1; j >= 0; --j) {
            text[j] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        for (int j = 0; j < width && produced < want; ++j) out[produced++] = text[j];
    }
    while (produced < want) out[produced++] = '0';
    return topDigits + 9 * top;
}

}  // namespace

DecimalForm decimalForm(double value) {
    DecimalForm form;
    form.digits[0] = '0';
    form.count = 1;

    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7ff || (biased == 0 && m == 0)) return form;  // zero (and no digits for Inf/NaN)

    int e;
    if (biased == 0) {
        e = -1074;
    } else {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    const int zeroBits = std::countr_zero(m);
    m >>= zeroBits;
    e += zeroBits;

    // value = N / 10^scale
    BigDecimal n;
    setFrom(n, m);
    int scale = 0;
    if (e >= 0) {
        multiplyByPower(n, 2, e, 30);
    } else {
        multiplyByPower(n, 5, -e, 13);
        scale = -e;
    }

    // 18 digits: 17 kept, the 18th decides.
    char digits[18];
    int exponent = leadingDigits(n, digits, 18) - scale;
    if (digits[17] >= '5') {
        int i = 16;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';  // 99...9 carried out: the string is "1", one place up
            ++exponent;
        }
    }
    int count = 17;
    while (count > 1 && digits[count - 1] == '0') --count;

    form.negative = (bits >> 63) != 0;
    for (int i = 0; i < count; ++i) form.digits[i] = digits[i];
    form.count = count;
    form.exponent = exponent;
    return form;
}

}  // namespace io
