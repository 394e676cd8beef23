// The compiled form of a format text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace io {

enum class StepKind : std::uint8_t {
    // data edit descriptors
    I, F, D, E, G, EN, ES, L, A, Z, O, B, Q,
    // control steps
    Literal,     // 'text', "text", nHtext
    MoveRight,   // nX, X, TRn
    MoveLeft,    // TLn
    TabTo,       // Tn
    Scale,       // kP
    GroupOpen,   // (, n(
    GroupClose,  // ) of an inner group
    RecordEnd,   // /, n/
    Colon,       // :
    NoAdvance,   // $ or backslash
    PlusOff,     // S, SS
    PlusOn,      // SP
    BlankNull,   // BN
    BlankZero,   // BZ
    End,         // the ) that closes the format
    Fault,       // a fault found while compiling
};

inline bool isDataStep(StepKind k) { return k <= StepKind::Q; }

inline constexpr std::int32_t kAbsent = -1;

struct FormatStep {
    StepKind kind = StepKind::End;
    std::int32_t repeat = kAbsent;  // number written before the step
    std::int32_t w = kAbsent;       // width; distance or column; scale factor
    std::int32_t d = kAbsent;       // digits after the point; m of I, Z, O, B
    std::int32_t e = kAbsent;       // exponent digits
    bool exponentD = false;         // E or G written with a D exponent
    std::uint32_t textOffset = 0;   // literal: its characters in FormatProgram::literals
    std::uint32_t textLength = 0;
    std::int32_t reversion = kAbsent;  // end step: index of the reversion point
    std::int32_t error = 0;            // fault step: the run-time error number
};

struct FormatProgram {
    std::vector<FormatStep> steps;
    std::string literals;

    std::string_view literal(const FormatStep& s) const {
        return std::string_view(literals).substr(s.textOffset, s.textLength);
    }
};

// Compiles a format text; faults become a final fault step raised only when
// execution reaches it. Reuses the storage of `program`.
void compileFormat(std::string_view text, FormatProgram& program);

}  // namespace io
