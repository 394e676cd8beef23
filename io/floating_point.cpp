// Checked single-precision addition.
#include "io/floating_point.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "io/run_time_error.h"
#include "io/termination.h"

namespace io {

namespace {

// The numbers of the floating-point traps.
constexpr int kTrapInvalid = 6101;
constexpr int kTrapDivideByZero = 6103;
constexpr int kTrapOverflow = 6104;
constexpr int kTrapStackFault = 6110;

bool isSignallingNan(float x) {
    std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
    return (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0 &&
           (bits & 0x00400000u) == 0;
}

std::string_view causeWord(int number) {
    switch (number) {
    case kTrapInvalid: return "invalid";
    case kTrapDivideByZero: return "divide by zero";
    case kTrapOverflow: return "overflow";
    case kTrapStackFault: return "stack overflow";
    }
    return "invalid";
}

}  // namespace

void reportFloatingPointTrap(int number) {
    std::string message = "floating-point error: ";
    message += causeWord(number);
    reportRunTimeError(number, 'M', StatementKind::Math, {}, message);
    endRun(1);  // reached only while the exit-time actions run
}

float addSingle(float total, float value) {
    if (isSignallingNan(total) || isSignallingNan(value)) reportFloatingPointTrap(kTrapInvalid);
    if (std::isinf(total) && std::isinf(value) && std::signbit(total) != std::signbit(value))
        reportFloatingPointTrap(kTrapInvalid);
    float sum = total + value;
    if (std::isinf(sum) && std::isfinite(total) && std::isfinite(value))
        reportFloatingPointTrap(kTrapOverflow);
    return sum;
}

}  // namespace io
