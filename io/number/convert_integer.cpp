// The integer rule: [sign] digits, or [sign] [radix] "#" radix-digits.
#include <cstring>

#include "io/error_numbers.h"
#include "io/number/convert.h"
#include "io/run_time_error.h"

namespace io {

namespace {

constexpr std::uint64_t kLargestInteger = 2147483647;
constexpr std::uint64_t kLargestUnsigned = 4294967295;
constexpr char kCtrlZ = 26;

// The value of a radix digit: 0..9, then letters of either case 10..35; -1
// for a character that is no digit.
int radixDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    return -1;
}

// The digits after "#", up to the end of the text or a NUL.
std::uint64_t radixValue(std::string_view digits, std::uint64_t radix) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c == '\0') break;
        if (c == '#') raiseRunTimeError(err::SecondRadixMark);
        const int digit = radixDigitValue(c);
        if (digit < 0 || static_cast<std::uint64_t>(digit) >= radix) raiseRunTimeError(err::InvalidInteger);
        if (radix == 10) {
            value = value * 10 + static_cast<std::uint64_t>(digit);
            if (value > kLargestInteger) raiseRunTimeError(err::IntegerOverflow);
        } else {
            if (value > kLargestUnsigned / radix) raiseRunTimeError(err::IntegerOverflow);
            value = value * radix + static_cast<std::uint64_t>(digit);
            if (value > kLargestUnsigned) raiseRunTimeError(err::IntegerOverflow);
        }
    }
    return value;
}

}  // namespace

std::int32_t convertInteger(std::string_view text) {
    if (text == "-2147483648") return INT32_MIN;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0' || c == kCtrlZ) break;
        if (c == '#') {
            const std::uint64_t radix = value == 0 ? 16 : value;
            if (radix < 2 || radix > 36) raiseRunTimeError(err::BadRadix);
            value = radixValue(text.substr(i + 1), radix);
            break;
        }
        if (c < '0' || c > '9') raiseRunTimeError(err::InvalidInteger);
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kLargestInteger) raiseRunTimeError(err::IntegerOverflow);
    }
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

void storeInteger(std::int32_t value, ItemKind kind, void* address) {
    switch (kind) {
    case ItemKind::Integer1: {
        if (value < -128 || value > 127) raiseRunTimeError(err::IntegerOverflow);
        const auto narrow = static_cast<std::int8_t>(value);
        std::memcpy(address, &narrow, sizeof narrow);
        return;
    }
    case ItemKind::Integer2: {
        if (value < -32768 || value > 32767) raiseRunTimeError(err::IntegerOverflow);
        const auto narrow = static_cast<std::int16_t>(value);
        std::memcpy(address, &narrow, sizeof narrow);
        return;
    }
    default:
        std::memcpy(address, &value, sizeof value);
        return;
    }
}

}  // namespace io
