// F editing: the text of one real value in a field of width w with d digits
// after the point and scale factor k.
#include "io/format/fixed_output.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "io/value_text.h"

namespace io {
namespace {

// The text is built in the caller's 260-character scratch text. A text longer
// than kMaxText characters is cut to kMaxText + 1 = 260: it never runs past
// the scratch text, and it is still longer than any field narrower than 260,
// which then shows asterisks. A returned text of 260 characters always means
// "does not fit", also in a field of 260 or more positions.
constexpr std::int64_t kMaxText = kValueTextSize - 1;

// The text of an infinity or NaN, or empty for a finite value.
std::string_view specialText(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t exponentBits = 0x7ffULL << 52;
    const std::uint64_t quietBit = 1ULL << 51;
    const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
    if ((bits & exponentBits) != exponentBits) return {};
    if (fraction == 0) return "1#INF";
    if ((fraction & quietBit) == 0) return "1#SNAN";
    if ((bits >> 63) != 0 && fraction == quietBit) return "1#IND";
    return "1#QNAN";
}

// Rounds digits[0..count) to n digits (digit n + 1 decides, 5 and up away from
// zero). Returns the new count; `carried` tells a round-up past the first
// digit, which leaves the string "1".
int roundDigits(char* digits, int count, std::int64_t n, bool& carried) {
    carried = false;
    if (count <= n) return count;
    const int keep = static_cast<int>(n);
    if (digits[keep] < '5') return keep;
    int i = keep - 1;
    while (i >= 0 && digits[i] == '9') --i;
    if (i < 0) {
        digits[0] = '1';
        carried = true;
        return 1;
    }
    ++digits[i];
    return i + 1;  // the 9s carried into are now trailing zeros
}

// Appends characters to the scratch text, counting those beyond its room
// without storing them.
struct TextBuilder {
    char* out;
    std::int64_t length = 0;

    void put(char c) {
        if (length < kMaxText + 1) out[length] = c;
        ++length;
    }
    void repeat(char c, std::int64_t count) {
        const std::int64_t room = kMaxText + 1 - length;
        if (room > 0) std::fill_n(out + length, std::min(count, room), c);
        length += count;
    }
    std::string_view text() const {
        return {out, static_cast<std::size_t>(std::min(length, kMaxText + 1))};
    }
};

}  // namespace

std::string_view editFixed(double value, bool isSingle, std::int32_t w, std::int32_t d,
                           std::int32_t k, bool plusSigns, char* out) {
    TextBuilder text{out};
    const std::int64_t width = std::max<std::int32_t>(w, 0);
    const std::int64_t fractionDigits = std::max<std::int32_t>(d, 0);

    const std::string_view special = specialText(value);
    if (!special.empty()) {
        // cut to w, or followed by points up to w
        const std::int64_t length = std::min(width, kMaxText);
        const std::int64_t shown = std::min<std::int64_t>(length, special.size());
        for (std::int64_t i = 0; i < shown; ++i) text.put(special[i]);
        text.repeat('.', length - shown);
        return text.text();
    }

    DecimalForm form = decimalForm(value);
    bool negative = form.negative;
    const bool zero = form.digits[0] == '0';

    const std::int64_t scaled = std::int64_t{form.exponent} + k;
    std::int64_t intDigits = zero ? 0 : scaled;
    std::int64_t totalDigits = zero ? fractionDigits : scaled + fractionDigits;
    int count = form.count;

    if (intDigits < -fractionDigits) {
        // too small to show any digit
        intDigits = -fractionDigits;
        totalDigits = 0;
        negative = false;
    } else {
        const std::int64_t limit = isSingle ? 7 : 16;
        bool carried = false;
        count = roundDigits(form.digits, count, std::min(totalDigits, limit), carried);
        if (carried) {
            ++intDigits;
            ++totalDigits;
        }
        if (count == 0) negative = false;  // nothing left but zeros
    }

    // The digits in order, then zeros once the string is used up.
    int next = 0;
    auto putDigits = [&](std::int64_t many) {
        for (; many > 0 && next < count; --many) text.put(form.digits[next++]);
        text.repeat('0', many);
    };

    if (negative) {
        text.put('-');
    } else if (plusSigns) {
        text.put('+');
    }
    if (intDigits == 0 && totalDigits == 0) text.put('0');
    if (intDigits > 0) putDigits(intDigits);
    text.put('.');
    if (intDigits < 0) text.repeat('0', -intDigits);
    putDigits(totalDigits - std::max<std::int64_t>(intDigits, 0));
    return text.text();
}

double widenSingle(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if ((bits & 0x7F800000u) != 0x7F800000u) return static_cast<double>(value);
    const std::uint64_t sign = static_cast<std::uint64_t>(bits >> 31) << 63;
    const std::uint64_t fraction = static_cast<std::uint64_t>(bits & 0x007FFFFFu) << 29;
    return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52) | fraction);
}

}  // namespace io
