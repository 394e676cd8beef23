// The message of every run-time error, one fixed text per number.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "io/run_time_error.h"

namespace io {

namespace {

struct ErrorText {
    std::int32_t number;
    std::string_view text;
};

// Sorted by number.
constexpr ErrorText kErrorTexts[] = {
    {6100, "integer value out of range"},
    {6101, "invalid character in integer value"},
    {6102, "real value out of range"},
    {6103, "invalid real value"},
    {6104, "real value out of single-precision range"},
    {6200, "formatted input/output on a unit opened for unformatted transfer"},
    {6202, "device opened with an access or form it cannot take"},
    {6205, "edit descriptor does not fit a character item"},
    {6206, "edit descriptor does not fit a real item"},
    {6207, "edit descriptor does not fit an integer item"},
    {6208, "edit descriptor does not fit a logical item"},
    {6209, "file already connected with a different access or form"},
    {6211, "window focus value not supported"},
    {6213, "window title not supported"},
    {6300, "KEEP not allowed for a scratch file"},
    {6301, "FILE not allowed with STATUS SCRATCH"},
    {6302, "second radix mark in integer value"},
    {6303, "radix outside 2 to 36"},
    {6304, "invalid STATUS value"},
    {6305, "invalid access mode value"},
    {6306, "invalid ACCESS value"},
    {6307, "invalid BLANK value"},
    {6308, "invalid FORM value"},
    {6309, "invalid SHARE value"},
    {6311, "RECL required for direct access"},
    {6314, "invalid unit number"},
    {6315, "negative RECL value"},
    {6404, "file may not be deleted"},
    {6405, "read beyond end of file"},
    {6407, "console line longer than the input buffer"},
    {6412, "file name not accepted by the system"},
    {6413, "file already connected to another unit"},
    {6414, "access to file refused"},
    {6415, "file already exists"},
    {6416, "file not found"},
    {6417, "too many open files"},
    {6418, "too many units connected"},
    {6420, "unit not connected"},
    {6421, "write to standard output refused"},
    {6422, "no space left on device"},
    {6500, "file read error"},
    {6501, "end of file encountered"},
    {6502, "repeat count missing, zero or negative"},
    {6503, "second repeat mark in one value"},
    {6504, "value of the wrong form for its item"},
    {6505, "class table holds more than 50000 pairs"},
    {6506, "complex value without a comma"},
    {6507, "invalid logical value"},
    {6509, "literal text in a format used for input"},
    {6510, "invalid hexadecimal digit"},
    {6601, "record too short for the field"},
    {6700, "not enough memory"},
    {6701, "no unique scratch file name available"},
    {6793, "invalid POSITION value"},
    {6794, "invalid ACTION value"},
    {6795, "DELIM not allowed for unformatted files"},
    {6796, "invalid DELIM value"},
    {6797, "PAD not allowed for unformatted files"},
    {6798, "invalid PAD value"},
    {6799, "invalid carriage control value"},
    {6800, "SIZE not allowed with advancing input"},
    {6801, "invalid binary digit"},
    {6802, "invalid octal digit"},
    {6971, "format: digits after the point exceed the field width"},
    {6972, "format: exponent width of zero"},
    {6980, "format: number missing"},
    {6981, "format: opening parenthesis missing"},
    {6982, "format: invalid position or sign"},
    {6983, "format: number not allowed here"},
    {6984, "format: number required before H or P"},
    {6985, "format: groups repeat too often without a data edit descriptor"},
    {6986, "format: groups nested too deeply"},
    {6987, "format: decimal point missing"},
    {6988, "format: literal not closed"},
    {6989, "format: unexpected character"},
    {6990, "format: minimum digits exceed the field width"},
    {6991, "format: number too large"},
    {6999, "invalid ADVANCE value"},
};

}  // namespace

std::string_view errorMessage(std::int32_t number) {
    auto it = std::lower_bound(std::begin(kErrorTexts), std::end(kErrorTexts), number,
                               [](const ErrorText& e, std::int32_t n) { return e.number < n; });
    if (it == std::end(kErrorTexts) || it->number != number) return {};
    return it->text;
}

}  // namespace io
