// Output editing of one value for I, L, A, Z, O, B, F, E, D, G, EN and ES.
#include "io/format/output_editing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "io/error_numbers.h"
#include "io/format/fixed_output.h"
#include "io/run_time_error.h"
#include "io/value_text.h"

namespace io {

namespace {

// Scratch text of the edited value; grows only for a longer field.
std::string& scratch() {
    static std::string text(kValueTextSize, ' ');
    return text;
}

char* room(std::size_t size) {
    std::string& s = scratch();
    if (s.size() < size) s.resize(size);
    return s.data();
}

OutputField asterisks(std::int32_t width) {
    std::int32_t w = std::max(width, 0);
    char* out = room(static_cast<std::size_t>(w));
    std::fill_n(out, w, '*');
    return {{out, static_cast<std::size_t>(w)}, w};
}

// The field for a text that is right-justified, or asterisks when it is too
// long. A text that fills the whole scratch text was cut and fits no field.
OutputField fit(std::string_view text, std::int32_t width) {
    if (text.size() > static_cast<std::size_t>(std::max(width, 0)) || text.size() >= kValueTextSize) {
        return asterisks(width);
    }
    return {text, width};
}

std::int64_t integerValue(const unsigned char* data, std::int32_t size) {
    switch (size) {
    case 1: { std::int8_t v; std::memcpy(&v, data, 1); return v; }
    case 2: { std::int16_t v; std::memcpy(&v, data, 2); return v; }
    case 8: { std::int64_t v; std::memcpy(&v, data, 8); return v; }
    default: { std::int32_t v; std::memcpy(&v, data, 4); return v; }
    }
}

double realValue(ItemKind kind, const unsigned char* data) {
    if (kind == ItemKind::Real4) {
        float f;
        std::memcpy(&f, data, 4);
        return widenSingle(f);
    }
    double v;
    std::memcpy(&v, data, 8);
    return v;
}

// Iw and Iw.m: at least m digits; Iw.0 of zero is all blanks.
OutputField editInteger(const Descriptor& d, const EditState& state, std::int64_t value) {
    char digits[24];
    int count = 0;
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    while (magnitude != 0) {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    const std::int32_t minimum = d.hasD ? d.d : 1;
    const std::int64_t shown = std::max<std::int64_t>(count, minimum);
    const bool sign = value < 0 || state.plusSigns;
    if (shown + (sign ? 1 : 0) > std::max(d.w, 0)) return asterisks(d.w);
    if (shown == 0) return {{}, d.w};
    char* out = room(static_cast<std::size_t>(shown) + 1);
    std::size_t n = 0;
    if (sign) out[n++] = value < 0 ? '-' : '+';
    for (std::int64_t i = count; i < shown; ++i) out[n++] = '0';
    for (int i = count - 1; i >= 0; --i) out[n++] = digits[i];
    return {{out, n}, d.w};
}

// Z, O, B: the item's bytes as one unsigned number (least significant byte
// first), 4, 3 or 1 bits per digit, at least m digits. Without w the field
// holds every digit of the item.
OutputField editBits(const Descriptor& d, const unsigned char* data, std::int32_t size) {
    const int bitsPerDigit = d.kind == StepKind::Z ? 4 : d.kind == StepKind::O ? 3 : 1;
    const std::int64_t totalBits = std::int64_t{size} * 8;
    const std::int64_t digitCount = (totalBits + bitsPerDigit - 1) / bitsPerDigit;
    const std::int32_t width = d.hasW ? d.w : static_cast<std::int32_t>(digitCount);
    auto bitAt = [&](std::int64_t i) {
        return i < totalBits ? (data[i / 8] >> (i % 8)) & 1 : 0;
    };
    char* out = room(static_cast<std::size_t>(std::max<std::int64_t>(digitCount, d.hasD ? d.d : 0)));
    std::size_t n = 0;
    for (std::int64_t digit = digitCount - 1; digit >= 0; --digit) {
        int value = 0;
        for (int b = bitsPerDigit - 1; b >= 0; --b) value = value * 2 + bitAt(digit * bitsPerDigit + b);
        if (n == 0 && value == 0 && digit >= (d.hasD ? d.d : 1)) continue;  // leading zero
        out[n++] = "0123456789ABCDEF"[value];
    }
    if (d.hasD && d.d == 0 && n == 1 && out[0] == '0') n = 0;
    return fit({out, n}, width);
}

// Aw: the leftmost w characters, or the whole text right-justified in w.
OutputField editCharacters(const Descriptor& d, const unsigned char* data, std::int32_t size) {
    const std::int32_t width = d.hasW ? d.w : size;
    const std::int32_t shown = std::min(width, size);
    return {{reinterpret_cast<const char*>(data), static_cast<std::size_t>(std::max(shown, 0))}, width};
}

// The first n significant digits of |value| (rounded, n >= 1) with
// |value| ~ 0.d1d2...dn x 10^exponent; digits past the precision of the
// kind are zeros.
void significantDigits(double value, std::int32_t n, bool isSingle, char* digits, int& exponent) {
    const int limit = isSingle ? 7 : 16;
    const int kept = std::min(n, limit);
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", kept - 1, std::fabs(value));
    // text: d[.ddd]e+XX
    int count = 0;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits[count++] = *p;
    }
    exponent = value == 0 ? 1 : std::atoi(p + 1) + 1;
    std::fill(digits + count, digits + n, '0');
}

// Appends the exponent after `letter` with e digits; without Ee (e of 2)
// an exponent above 99 takes three digits in place of the letter. False
// when it does not fit.
bool putExponent(char* out, std::size_t& n, int exponent, std::int32_t e, char letter) {
    const int magnitude = std::abs(exponent);
    std::int32_t digits = e;
    bool withLetter = true;
    if (e == 2 && magnitude > 99) {
        digits = 3;
        withLetter = false;
    }
    char buffer[16];
    const int count = std::snprintf(buffer, sizeof buffer, "%d", magnitude);
    if (count > digits) return false;
    if (withLetter) out[n++] = letter;
    out[n++] = exponent < 0 ? '-' : '+';
    for (int i = count; i < digits; ++i) out[n++] = '0';
    std::memcpy(out + n, buffer, static_cast<std::size_t>(count));
    n += static_cast<std::size_t>(count);
    return true;
}

// E, D, EN and ES editing (and the exponent form of G).
OutputField editExponent(const Descriptor& d, const EditState& state, double value, bool isSingle) {
    if (!std::isfinite(value)) {
        char* out = room(kValueTextSize);
        return fit(editFixed(value, isSingle, d.w, d.d, 0, state.plusSigns, out), d.w);
    }
    const std::int32_t fraction = std::max(d.d, 0);
    if (fraction > kValueTextSize - 40 || d.e > 20) return asterisks(d.w);
    char digits[kValueTextSize];
    int exponent = 0;
    int intDigits;        // digits before the point
    std::int32_t count;   // significant digits shown
    const char letter = d.exponentD || d.kind == StepKind::D ? 'D' : 'E';
    if (d.kind == StepKind::ES) {
        count = fraction + 1;
        significantDigits(value, count, isSingle, digits, exponent);
        intDigits = 1;
    } else if (d.kind == StepKind::EN) {
        // The exponent a multiple of 3 with 1 to 3 digits before the point;
        // rounding may carry into a new group of three.
        significantDigits(value, fraction + 3, isSingle, digits, exponent);
        int lead = ((exponent - 1) % 3 + 3) % 3 + 1;
        count = fraction + lead;
        significantDigits(value, count, isSingle, digits, exponent);
        lead = ((exponent - 1) % 3 + 3) % 3 + 1;
        if (lead != count - fraction) {
            count = fraction + lead;
            significantDigits(value, count, isSingle, digits, exponent);
        }
        intDigits = lead;
    } else {
        const std::int32_t k = state.scaleFactor;
        if (k <= -fraction || k >= fraction + 2) return asterisks(d.w);
        count = k > 0 ? fraction + 1 : fraction + k;
        if (count > 0) {
            significantDigits(value, count, isSingle, digits, exponent);
        } else {
            // No digit is shown; the value still rounds to a power of ten.
            significantDigits(value, 1, isSingle, digits, exponent);
            if (digits[0] >= '5') ++exponent;
        }
        intDigits = k;
    }
    if (value == 0) exponent = intDigits;  // zero shows exponent 0
    char* out = room(kValueTextSize);
    std::size_t n = 0;
    const bool negative = std::signbit(value) && value != 0;
    if (negative) out[n++] = '-';
    else if (state.plusSigns) out[n++] = '+';
    int next = 0;
    if (intDigits <= 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -intDigits; ++i) out[n++] = '0';
    } else {
        for (int i = 0; i < intDigits; ++i) out[n++] = digits[next++];
        out[n++] = '.';
    }
    while (next < count) out[n++] = digits[next++];
    if (!putExponent(out, n, exponent - intDigits, d.e, letter)) return asterisks(d.w);
    // The zero before the point goes first when the field is too narrow.
    std::string_view text(out, n);
    if (intDigits <= 0 && text.size() > static_cast<std::size_t>(std::max(d.w, 0))) {
        const std::size_t zero = negative || state.plusSigns ? 1 : 0;
        std::memmove(out + zero, out + zero + 1, n - zero - 1);
        text = std::string_view(out, n - 1);
    }
    return fit(text, d.w);
}

// G for a real: F form with n trailing blanks when 0.1 <= |value| < 10^d,
// the E form otherwise.
OutputField editGeneral(const Descriptor& d, const EditState& state, double value, bool isSingle) {
    const double magnitude = std::fabs(value);
    const int trailing = d.e != 2 || d.exponentD ? d.e + 2 : 4;
    if (std::isfinite(value) && (magnitude == 0 || magnitude >= 0.1) && d.d > 0 && d.d < 300) {
        char digits[kValueTextSize];
        int exponent = 0;
        significantDigits(value, d.d, isSingle, digits, exponent);
        if (magnitude == 0) exponent = 1;
        if (exponent >= 0 && exponent <= d.d) {
            const std::int32_t fieldWidth = d.w - trailing;
            char* out = room(kValueTextSize + static_cast<std::size_t>(trailing));
            std::string_view f = editFixed(value, isSingle, fieldWidth, d.d - exponent, 0, state.plusSigns, out);
            if (f.size() > static_cast<std::size_t>(std::max(fieldWidth, 0)) || f.size() >= kValueTextSize) {
                return asterisks(d.w);
            }
            std::fill_n(out + f.size(), trailing, ' ');
            return {{out, f.size() + static_cast<std::size_t>(trailing)}, d.w};
        }
    }
    Descriptor e = d;
    e.kind = StepKind::E;
    return editExponent(e, state, value, isSingle);
}

}  // namespace

OutputField editOutputField(const Descriptor& descriptor, const EditState& state, ItemKind kind,
                            const unsigned char* data, std::int32_t size) {
    const Descriptor& d = descriptor;
    switch (d.kind) {
    case StepKind::A: return editCharacters(d, data, size);
    case StepKind::Z: case StepKind::O: case StepKind::B: return editBits(d, data, size);
    case StepKind::I: return editInteger(d, state, integerValue(data, size));
    case StepKind::L: {
        const bool truth = integerValue(data, size) != 0;
        return fit(truth ? "T" : "F", d.w);
    }
    default: break;
    }
    const bool isSingle = kind == ItemKind::Real4;
    const double value = realValue(kind, data);
    switch (d.kind) {
    case StepKind::F: {
        char* out = room(kValueTextSize);
        return fit(editFixed(value, isSingle, d.w, d.d, state.scaleFactor, state.plusSigns, out), d.w);
    }
    case StepKind::E: case StepKind::D: case StepKind::EN: case StepKind::ES:
        return editExponent(d, state, value, isSingle);
    case StepKind::G: return editGeneral(d, state, value, isSingle);
    default: break;
    }
    raiseRunTimeError(err::RealPairing);
}

}  // namespace io
