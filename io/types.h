// Types shared by every statement of the record input/output layer.
#pragma once

#include <cstdint>

namespace io {

// Result of every call that can fail: 0 success, -1 end of file, -2 end of
// record, 6000..6999 the number of a run-time error.
using IoOutcome = std::int32_t;
inline constexpr IoOutcome kSuccess = 0;
inline constexpr IoOutcome kEndOfFile = -1;
inline constexpr IoOutcome kEndOfRecord = -2;

// Unit designators that are not unit numbers; both name the console.
inline constexpr std::int32_t DefaultInputUnit = -33000;
inline constexpr std::int32_t DefaultOutputUnit = -34000;
inline constexpr std::int32_t kLowestUnit = -32767;
inline constexpr std::int32_t kHighestUnit = 32767;

// Which conditions a statement wants returned instead of reported.
struct CatchSet {
    bool end = false;  // END=
    bool eor = false;  // EOR=
    bool err = false;  // ERR=
    bool all() const { return end && eor && err; }
};
inline constexpr CatchSet catchNone{};
inline constexpr CatchSet catchEnd{.end = true};
inline constexpr CatchSet catchErr{.err = true};
inline constexpr CatchSet catchAll{.end = true, .eor = true, .err = true};  // IOSTAT=

enum class ItemKind : std::uint8_t {
    Integer1, Integer2, Integer4,
    Logical1, Logical2, Logical4,
    Real4, Real8,
    Complex8, Complex16,
    Character,
};

inline bool isInteger(ItemKind k) { return k <= ItemKind::Integer4; }
inline bool isLogical(ItemKind k) { return k >= ItemKind::Logical1 && k <= ItemKind::Logical4; }
inline bool isReal(ItemKind k) { return k == ItemKind::Real4 || k == ItemKind::Real8; }
inline bool isComplex(ItemKind k) { return k == ItemKind::Complex8 || k == ItemKind::Complex16; }

// Size in bytes of one element of a non-character item.
inline int itemSize(ItemKind k) {
    switch (k) {
    case ItemKind::Integer1: case ItemKind::Logical1: return 1;
    case ItemKind::Integer2: case ItemKind::Logical2: return 2;
    case ItemKind::Integer4: case ItemKind::Logical4: case ItemKind::Real4: return 4;
    case ItemKind::Real8: case ItemKind::Complex8: return 8;
    case ItemKind::Complex16: return 16;
    case ItemKind::Character: return 0;
    }
    return 0;
}

// The statement in progress, for the fragment of an error report.
enum class StatementKind : std::uint8_t {
    None,  // nothing recorded yet
    Close, Write, Endfile, Inquire, Locking, Open, Read, Rewind, Backspace, Eof,
    DebugCheck, Allocate, Deallocate, BeginThread, Math,
    NoStatement,  // checks made while a statement begins, exhausted memory
};

}  // namespace io
