// Fixed-point (F) output editing of one real value.
#pragma once

#include <cstdint>
#include <string_view>

namespace io {

// The decimal form of a value: magnitude = 0.d1d2d3... x 10^exponent, at most
// 17 digits without trailing zeros; zero is "0", exponent 0, plus.
struct DecimalForm {
    bool negative = false;
    char digits[18] = {};
    int count = 0;
    int exponent = 0;
};
DecimalForm decimalForm(double value);

// A single-precision value widened bit for bit: a signalling NaN stays
// signalling (a hardware conversion would quiet it).
double widenSingle(float value);

// Edits `value` (single precision when isSingle) as Fw.d with scale factor k
// into `out` (room for at least 260 characters) and returns the text. The text
// may be longer than w; the caller then places w asterisks.
std::string_view editFixed(double value, bool isSingle, std::int32_t w, std::int32_t d,
                           std::int32_t k, bool plusSigns, char* out);

}  // namespace io
