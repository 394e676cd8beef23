#include "io/number/parse_decimal.h"

namespace io {

namespace {

bool isDigit(std::string_view text, std::size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

bool isSign(std::string_view text, std::size_t i) {
    return i < text.size() && (text[i] == '+' || text[i] == '-');
}

bool isExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

bool isLeadingBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One mantissa digit: leading zeros only move the point, 25 digits are kept,
// later digits before the point count as powers of ten.
void takeDigit(DecimalParse& p, std::uint8_t digit, bool afterPoint) {
    if (p.digitCount == 0 && digit == 0) {
        if (afterPoint) --p.adjustment;
        return;
    }
    if (p.digitCount < kCollectedDigits) {
        p.digits[p.digitCount++] = digit;
        if (afterPoint) --p.adjustment;
    } else if (!afterPoint) {
        ++p.adjustment;
    }
}

// Reads the exponent part starting at `i`, if there is a valid one; returns
// the position after it, or `i` when the number ends before it.
std::size_t scanExponent(DecimalParse& p, std::string_view text, std::size_t i) {
    std::size_t j = i;
    if (j < text.size() && isExponentLetter(text[j])) {
        ++j;
        if (isSign(text, j)) ++j;
    } else if (isSign(text, j)) {
        ++j;
    } else {
        return i;
    }
    if (!isDigit(text, j)) return i;

    p.sawExponent = true;
    p.exponentNegative = text[j - 1] == '-';
    std::int32_t value = 0;
    for (; isDigit(text, j); ++j) {
        if (value <= kLargestDecimalExponent) {
            value = value * 10 + (text[j] - '0');
            if (value > kLargestDecimalExponent) value = kExponentCap;
        }
    }
    p.exponentValue = value;
    return j;
}

}  // namespace

DecimalParse parseDecimal(std::string_view text, std::int32_t k, std::int32_t d) {
    DecimalParse p;
    std::size_t i = 0;
    while (i < text.size() && isLeadingBlank(text[i])) ++i;
    p.consumed = i;

    std::size_t j = i;
    bool negative = false;
    if (isSign(text, j)) {
        negative = text[j] == '-';
        ++j;
    }
    for (; isDigit(text, j); ++j) {
        p.sawDigit = true;
        takeDigit(p, static_cast<std::uint8_t>(text[j] - '0'), false);
    }
    if (j < text.size() && text[j] == '.' && (p.sawDigit || isDigit(text, j + 1))) {
        p.sawPoint = true;
        for (++j; isDigit(text, j); ++j) {
            p.sawDigit = true;
            takeDigit(p, static_cast<std::uint8_t>(text[j] - '0'), true);
        }
    }
    if (!p.sawDigit) {
        p.status = RealStatus::NoDigits;
        return p;
    }
    p.negative = negative;
    p.consumed = scanExponent(p, text, j);

    if (p.digitCount == kCollectedDigits) {
        // The 25th digit only rounds the 24th, which may so become ten.
        const std::uint8_t dropped = p.digits[--p.digitCount];
        ++p.adjustment;
        if (dropped >= 5) ++p.digits[p.digitCount - 1];
    }
    while (p.digitCount > 0 && p.digits[p.digitCount - 1] == 0) {
        --p.digitCount;
        ++p.adjustment;
    }
    if (p.digitCount == 0) {
        p.value = Real80{negative, 0, 0};
        return p;
    }
    p.value = digitsToReal80(p.digits, p.digitCount);
    p.value.negative = negative;

    std::int64_t e = (p.exponentNegative ? -p.exponentValue : p.exponentValue) + p.adjustment;
    if (!p.sawExponent) e -= k;
    if (!p.sawPoint) e -= d;
    if (e > kLargestDecimalExponent) {
        p.status = RealStatus::Overflow;
        p.value = Real80{negative, kReal80InfinityExponent, kMantissaTopBit};
    } else if (e < -kLargestDecimalExponent) {
        p.status = RealStatus::Underflow;
        p.value = Real80{negative, 0, 0};
    } else {
        p.value = scaleByPowerOfTen(p.value, static_cast<std::int32_t>(e));
    }
    return p;
}

}  // namespace io
