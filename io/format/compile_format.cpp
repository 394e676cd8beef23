// Compiling a format text into its steps.
//
// One left-to-right pass with one character of look-ahead. Blanks and tabs
// count for nothing outside literals, lower-case letters as upper case. The
// first fault ends the program with a fault step; the steps before it stay.
#include <cstdint>
#include <string_view>

#include "io/error_numbers.h"
#include "io/format/format_program.h"

namespace io {

namespace {

constexpr int kEndOfText = -1;
constexpr std::int64_t kLargestNumber = 2147483647;
constexpr int kCountedDigits = 16;

struct Scanner {
    std::string_view text;
    std::size_t pos = 0;

    // The next meaningful character (upper case), without taking it.
    int peek() {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
        if (pos == text.size()) return kEndOfText;
        unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        return c;
    }
    void take() { ++pos; }
    bool takeIf(int c) {
        if (peek() != c) return false;
        ++pos;
        return true;
    }
};

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// A fault found while compiling, carried to the top of the pass.
struct Fault {
    std::int32_t number;
};

// A number (digits with blanks anywhere between them, or "^" for 0), or
// kAbsent when none stands here.
std::int32_t optionalNumber(Scanner& s) {
    int c = s.peek();
    if (c == '^') {
        s.take();
        return 0;
    }
    if (!isDigit(c)) return kAbsent;
    std::int64_t value = 0;
    int digits = 0;
    while (isDigit(c = s.peek())) {
        s.take();
        if (digits < kCountedDigits) value = value * 10 + (c - '0');
        ++digits;
    }
    if (value > kLargestNumber) throw Fault{err::FormatNumberTooLarge};
    return static_cast<std::int32_t>(value);
}

std::int32_t requiredNumber(Scanner& s) {
    std::int32_t n = optionalNumber(s);
    if (n == kAbsent) throw Fault{err::FormatMissingNumber};
    return n;
}

// ".d" after the width of F, D, E, G, EN, ES.
std::int32_t pointAndDigits(Scanner& s) {
    if (!s.takeIf('.')) throw Fault{err::FormatMissingPoint};
    return requiredNumber(s);
}

// Optional ".m" after the width of I, Z, O, B; m may not exceed w.
void optionalMinimum(Scanner& s, FormatStep& step) {
    if (!s.takeIf('.')) return;
    step.d = requiredNumber(s);
    if (step.d > step.w) throw Fault{err::FormatMGreaterThanW};
}

// The characters that may follow a number.
bool takesNumberInFront(int c) {
    switch (c) {
    case 'A': case 'B': case 'D': case 'E': case 'F': case 'G': case 'H': case 'I':
    case 'L': case 'O': case 'P': case 'X': case 'Z': case '(': case '/':
        return true;
    default:
        return false;
    }
}

struct Compiler {
    Scanner s;
    FormatProgram& program;
    int openGroups = 0;              // inside the outer parentheses
    std::int32_t reversion = 0;      // the last top-level group, or the first step
    bool repeatable = false;         // something after the reversion point does work

    FormatStep& add(StepKind kind, std::int32_t repeat) {
        FormatStep& step = program.steps.emplace_back();
        step.kind = kind;
        step.repeat = repeat;
        return step;
    }

    void literal(std::string_view text) {
        FormatStep& step = add(StepKind::Literal, kAbsent);
        step.textOffset = static_cast<std::uint32_t>(program.literals.size());
        step.textLength = static_cast<std::uint32_t>(text.size());
        program.literals.append(text);
    }

    // 'text' or "text": the quote written twice stands for one.
    void quotedLiteral(char quote) {
        FormatStep& step = add(StepKind::Literal, kAbsent);
        step.textOffset = static_cast<std::uint32_t>(program.literals.size());
        std::string_view t = s.text;
        std::size_t i = s.pos;
        for (;;) {
            if (i >= t.size()) throw Fault{err::FormatOpenLiteral};
            if (t[i] == quote) {
                if (i + 1 < t.size() && t[i + 1] == quote) {
                    program.literals.push_back(quote);
                    i += 2;
                    continue;
                }
                break;
            }
            program.literals.push_back(t[i++]);
        }
        s.pos = i + 1;
        step.textLength = static_cast<std::uint32_t>(program.literals.size() - step.textOffset);
    }

    // E, G (and EN, ES when N or S follows).
    void exponentForm(StepKind kind, std::int32_t repeat) {
        if (s.takeIf('N')) return scientificForm(StepKind::EN, repeat);
        if (s.takeIf('S')) return scientificForm(StepKind::ES, repeat);
        FormatStep& step = add(kind, repeat);
        step.w = requiredNumber(s);
        step.d = pointAndDigits(s);
        if (s.takeIf('E')) {
            step.e = requiredNumber(s);
        } else if (s.takeIf('D')) {
            step.e = requiredNumber(s);
            step.exponentD = true;
        }
    }

    void scientificForm(StepKind kind, std::int32_t repeat) {
        FormatStep& step = add(kind, repeat);
        step.w = requiredNumber(s);
        step.d = pointAndDigits(s);
        if (step.d > step.w) throw Fault{err::FormatDGreaterThanW};
        if (s.takeIf('E')) {
            step.e = requiredNumber(s);
            if (step.e == 0) throw Fault{err::FormatZeroExponent};
        }
    }

    // Z, O, B: optional width, then optional ".m".
    void bitForm(StepKind kind, std::int32_t repeat) {
        FormatStep& step = add(kind, repeat);
        step.w = optionalNumber(s);
        if (step.w != kAbsent) optionalMinimum(s, step);
    }

    void position(StepKind kind) {
        std::int32_t n = requiredNumber(s);
        if (n == 0) throw Fault{err::FormatZeroPosition};
        add(kind, kAbsent).w = n;
    }

    // kP with the sign already taken.
    void signedScale(bool negative) {
        std::int32_t k = requiredNumber(s);
        if (!s.takeIf('P')) throw Fault{err::FormatZeroPosition};
        add(StepKind::Scale, kAbsent).w = negative ? -k : k;
    }

    // One step; returns false at the end step.
    bool step() {
        std::int32_t n = optionalNumber(s);
        int c = s.peek();
        if (n != kAbsent && !takesNumberInFront(c)) throw Fault{err::FormatNumberNotAllowed};
        if (c == kEndOfText) throw Fault{err::FormatBadCharacter};
        s.take();
        switch (c) {
        case 'I': {
            FormatStep& st = add(StepKind::I, n);
            st.w = requiredNumber(s);
            optionalMinimum(s, st);
            break;
        }
        case 'F': case 'D': {
            FormatStep& st = add(c == 'F' ? StepKind::F : StepKind::D, n);
            st.w = requiredNumber(s);
            st.d = pointAndDigits(s);
            break;
        }
        case 'E': exponentForm(StepKind::E, n); break;
        case 'G': exponentForm(StepKind::G, n); break;
        case 'L': add(StepKind::L, n).w = requiredNumber(s); break;
        case 'A': add(StepKind::A, n).w = optionalNumber(s); break;
        case 'Q': add(StepKind::Q, kAbsent); break;
        case 'Z': bitForm(StepKind::Z, n); break;
        case 'O': bitForm(StepKind::O, n); break;
        case 'B':
            if (s.takeIf('N')) {
                add(StepKind::BlankNull, kAbsent);
                return true;
            }
            if (s.takeIf('Z')) {
                add(StepKind::BlankZero, kAbsent);
                return true;
            }
            bitForm(StepKind::B, n);
            break;
        case 'X': add(StepKind::MoveRight, kAbsent).w = n == kAbsent ? 1 : n; break;
        case 'T':
            if (s.takeIf('L')) position(StepKind::MoveLeft);
            else if (s.takeIf('R')) position(StepKind::MoveRight);
            else position(StepKind::TabTo);
            return true;
        case 'P':
            if (n == kAbsent) throw Fault{err::FormatNumberRequired};
            add(StepKind::Scale, kAbsent).w = n;
            break;
        case '+': case '-': signedScale(c == '-'); return true;
        case 'H': {
            if (n == kAbsent) throw Fault{err::FormatNumberRequired};
            if (s.text.size() - s.pos < static_cast<std::size_t>(n)) throw Fault{err::FormatOpenLiteral};
            literal(s.text.substr(s.pos, static_cast<std::size_t>(n)));
            s.pos += static_cast<std::size_t>(n);
            break;
        }
        case '\'': case '"': quotedLiteral(static_cast<char>(c)); return true;
        case '(': {
            if (openGroups == kMaxOpenGroups) throw Fault{err::FormatTooDeep};
            if (openGroups == 0) {
                reversion = static_cast<std::int32_t>(program.steps.size());
                repeatable = false;
            } else {
                repeatable = true;
            }
            add(StepKind::GroupOpen, n);
            ++openGroups;
            return true;
        }
        case ')':
            if (openGroups == 0) return false;
            --openGroups;
            add(StepKind::GroupClose, kAbsent);
            return true;
        case '/': add(StepKind::RecordEnd, n); break;
        case ':': add(StepKind::Colon, kAbsent); return true;
        case '$': case '\\': add(StepKind::NoAdvance, kAbsent); return true;
        case 'S':
            if (s.takeIf('P')) add(StepKind::PlusOn, kAbsent);
            else {
                s.takeIf('S');
                add(StepKind::PlusOff, kAbsent);
            }
            return true;
        default:
            throw Fault{err::FormatBadCharacter};
        }
        // Steps that keep a reversion from running idle: data steps, X, nH,
        // unsigned kP and "/".
        repeatable = true;
        return true;
    }

    static constexpr int kMaxOpenGroups = 16;
};

}  // namespace

void compileFormat(std::string_view text, FormatProgram& program) {
    program.steps.clear();
    program.literals.clear();
    Compiler c{Scanner{text}, program};
    std::size_t stepStart = 0;  // a faulty step leaves nothing behind
    try {
        if (!c.s.takeIf('(')) throw Fault{err::FormatNoParenthesis};
        for (;;) {
            stepStart = program.steps.size();
            if (!c.step()) break;
            c.s.takeIf(',');
        }
        FormatStep& end = c.add(StepKind::End, kAbsent);
        end.reversion = c.repeatable ? c.reversion : kAbsent;
    } catch (const Fault& fault) {
        program.steps.resize(stepStart);
        c.add(StepKind::Fault, kAbsent).error = fault.number;
    }
}

}  // namespace io
