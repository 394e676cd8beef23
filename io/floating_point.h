// Checked single-precision arithmetic: an operation that would trap on a
// machine with the invalid, divide-by-zero and overflow traps enabled ends
// the run with the floating-point error report instead.
#pragma once

namespace io {

// total + value, rounded to nearest. Finite operands whose sum rounds to
// infinity report M6104; infinities of opposite sign or a signalling NaN
// operand report M6101. An infinity or a quiet NaN is carried along.
float addSingle(float total, float value);

// Writes the M-class report of a trap ("floating-point error: <word>") and
// ends the run with status 1.
[[noreturn]] void reportFloatingPointTrap(int number);

}  // namespace io
