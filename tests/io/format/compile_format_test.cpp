// Compiling format texts: each form, the faults, blanks and case, numbers,
// and the choice of the reversion point.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "io/format/format_program.h"

namespace io {
namespace {

const char* kindName(StepKind k) {
    static const char* const names[] = {
        "I", "F", "D", "E", "G", "EN", "ES", "L", "A", "Z", "O", "B", "Q",
        "Lit", "Right", "Left", "Tab", "P", "(", ")", "/", ":", "$", "S", "SP", "BN", "BZ",
        "End", "Fault"};
    return names[static_cast<int>(k)];
}

// One line per program: "kind fields | kind fields | ...".
std::string describe(const FormatProgram& p) {
    std::string out;
    for (const FormatStep& s : p.steps) {
        if (!out.empty()) out += " | ";
        out += kindName(s.kind);
        auto field = [&](const char* name, std::int32_t v) {
            if (v != kAbsent) out += std::string(" ") + name + std::to_string(v);
        };
        field("r", s.repeat);
        field("w", s.w);
        field("d", s.d);
        field("e", s.e);
        if (s.exponentD) out += " D";
        if (s.kind == StepKind::Literal) out += " '" + std::string(p.literal(s)) + "'";
        if (s.kind == StepKind::End) out += s.reversion == kAbsent ? " none" : " rev" + std::to_string(s.reversion);
        if (s.kind == StepKind::Fault) out += " " + std::to_string(s.error);
    }
    return out;
}

std::string compiled(std::string_view text) {
    FormatProgram p;
    compileFormat(text, p);
    return describe(p);
}

struct Case {
    std::string_view text;
    const char* expected;
};

TEST(CompileFormat, DescriptorForms) {
    const Case cases[] = {
        {"(a)", "A | End rev0"},
        {"(4F9.0)", "F r4 w9 d0 | End rev0"},
        {"(I5,3I5.3,F8.2,D10.3)", "I w5 | I r3 w5 d3 | F w8 d2 | D w10 d3 | End rev0"},
        {"(E12.4,E12.4E3,E12.4D3)", "E w12 d4 | E w12 d4 e3 | E w12 d4 e3 D | End rev0"},
        {"(G10.2,2G10.2E3,G9.1D2)", "G w10 d2 | G r2 w10 d2 e3 | G w9 d1 e2 D | End rev0"},
        {"(EN9.2,ES9.2E2,2EN8.1)", "EN w9 d2 | ES w9 d2 e2 | EN r2 w8 d1 | End rev0"},
        {"(L2,A,3A7,Q)", "L w2 | A | A r3 w7 | Q | End rev0"},
        {"(Z,Z4,Z4.2,O6,2B8.8)", "Z | Z w4 | Z w4 d2 | O w6 | B r2 w8 d8 | End rev0"},
        {"(2X,X,TR4,TL3,T10)", "Right w2 | Right w1 | Right w4 | Left w3 | Tab w10 | End rev0"},
        {"(-2P,+1P,3P)", "P w-2 | P w1 | P w3 | End rev0"},
        {"(/,3/,:,$,\\,S,SS,SP,BN,BZ,2BN)",
         "/ | / r3 | : | $ | $ | S | S | SP | BN | BZ | BN | End rev0"},
        {"('it''s',\"q\"\"x'\",3Ha,c)", "Lit 'it's' | Lit 'q\"x'' | Lit 'a,c' | End rev0"},
        {"(I2 (F3.1, L2) 2(A))", "I w2 | ( | F w3 d1 | L w2 | ) | ( r2 | A | ) | End rev5"},
        // commas are optional between steps; one after a nested "(" is skipped
        {"(I2F3.1(,A))", "I w2 | F w3 d1 | ( | A | ) | End rev2"},
        // the rest after the closing parenthesis is not read
        {"(I2) junk ,,", "I w2 | End rev0"},
    };
    for (const Case& c : cases) EXPECT_EQ(compiled(c.text), c.expected) << c.text;
}

TEST(CompileFormat, BlanksTabsAndCaseCountForNothingOutsideLiterals) {
    const Case cases[] = {
        {"  ( A )  ", "A | End rev0"},
        {"(1 2 X)", "Right w12 | End rev0"},
        {"(e n 1\t0 . 3, e s 9.2 e 1)", "EN w10 d3 | ES w9 d2 e1 | End rev0"},
        {"(s p, s s, b n, b z, t l 5, t r 2)", "SP | S | BN | BZ | Left w5 | Right w2 | End none"},
        {"(i5.2, f 1 0 . 3, 2 hab)", "I w5 d2 | F w10 d3 | Lit 'ab' | End rev0"},
        // the blanks after H are the literal's own
        {"(2h ab)", "Lit ' a' | B | End rev0"},
        {"(' a ')", "Lit ' a ' | End none"},
    };
    for (const Case& c : cases) EXPECT_EQ(compiled(c.text), c.expected) << c.text;
}

TEST(CompileFormat, NumbersAndCaret) {
    const Case cases[] = {
        {"(2147483647X)", "Right w2147483647 | End rev0"},
        {"(2147483648X)", "Fault 6991"},
        {"(I99999999999)", "Fault 6991"},
        // of a longer run only the first 16 digits count
        {"(000000000000002147483648X)", "Right w21 | End rev0"},
        {"(0000000000000000999X)", "Right w0 | End rev0"},
        // "^" stands for the number 0
        {"(I^)", "I w0 | End rev0"},
        {"(I5.^, ^X, ^P, A^)", "I w5 d0 | Right w0 | P w0 | A w0 | End rev0"},
        {"(T^)", "Fault 6982"},
        {"(^)", "Fault 6983"},
    };
    for (const Case& c : cases) EXPECT_EQ(compiled(c.text), c.expected) << c.text;
}

TEST(CompileFormat, FaultsEndTheProgramAfterTheGoodSteps) {
    const std::string deepest = "(" + std::string(16, '(') + "I2" + std::string(17, ')');
    const std::string tooDeep = "(" + std::string(17, '(') + "I2" + std::string(18, ')');
    EXPECT_EQ(compiled(deepest).find("Fault"), std::string::npos);
    std::string sixteenGroups;
    for (int i = 0; i < 16; ++i) sixteenGroups += "( | ";
    EXPECT_EQ(compiled(tooDeep), sixteenGroups + "Fault 6986");

    const Case cases[] = {
        {"I5", "Fault 6981"},
        {"", "Fault 6981"},
        {"  x(I5)", "Fault 6981"},
        {"(I)", "Fault 6980"},
        {"(I5.)", "Fault 6980"},
        {"(F5.)", "Fault 6980"},
        {"(E10.3E)", "Fault 6980"},
        {"(G10.3D)", "Fault 6980"},
        {"(L)", "Fault 6980"},
        {"(Z4.)", "Fault 6980"},
        {"(T)", "Fault 6980"},
        {"(TL)", "Fault 6980"},
        {"(-P)", "Fault 6980"},
        {"(I2,F5)", "I w2 | Fault 6987"},
        {"(E10)", "Fault 6987"},
        {"(EN10)", "Fault 6987"},
        {"(5:)", "Fault 6983"},
        {"(2T5)", "Fault 6983"},
        {"(3Q)", "Fault 6983"},
        {"(2SP)", "Fault 6983"},
        {"(2,I5)", "Fault 6983"},
        {"(I2,2)", "I w2 | Fault 6983"},
        {"(H)", "Fault 6984"},
        {"(P)", "Fault 6984"},
        {"(T0)", "Fault 6982"},
        {"(TR0)", "Fault 6982"},
        {"(-2X)", "Fault 6982"},
        {"(A,'abc)", "A | Fault 6988"},
        {"(5Habc)", "Fault 6988"},
        {"(,I5)", "Fault 6989"},
        {"(I5,,F5.2)", "I w5 | Fault 6989"},
        {"(.)", "Fault 6989"},
        {"(N)", "Fault 6989"},
        {"(R)", "Fault 6989"},
        {"(C)", "Fault 6989"},
        {"(I5", "I w5 | Fault 6989"},
        {std::string_view("(I5,\0\0)", 7), "I w5 | Fault 6989"},
        {"(I5.6)", "Fault 6990"},
        {"(Z3.4)", "Fault 6990"},
        {"(EN5.6)", "Fault 6971"},
        {"(ES10.3E0)", "Fault 6972"},
    };
    for (const Case& c : cases) EXPECT_EQ(compiled(c.text), c.expected) << c.text;
}

TEST(CompileFormat, ReversionPoint) {
    const Case cases[] = {
        {"(a)", "A | End rev0"},
        // the last group directly inside the outer parentheses
        {"(I5,(F5.2),(L3),A)", "I w5 | ( | F w5 d2 | ) | ( | L w3 | ) | A | End rev4"},
        {"(I5,2(F5.2,(A)))", "I w5 | ( r2 | F w5 d2 | ( | A | ) | ) | End rev1"},
        // nothing after the point would do work: none
        {"('x')", "Lit 'x' | End none"},
        {"(T5,TR2,TL1,S,BZ,:,$)", "Tab w5 | Right w2 | Left w1 | S | BZ | : | $ | End none"},
        {"(+1P)", "P w1 | End none"},
        {"(I5,('x',T3))", "I w5 | ( | Lit 'x' | Tab w3 | ) | End none"},
        // what does count
        {"(X)", "Right w1 | End rev0"},
        {"(1P)", "P w1 | End rev0"},
        {"(/)", "/ | End rev0"},
        {"(1Hx)", "Lit 'x' | End rev0"},
        {"(I5,(()))", "I w5 | ( | ( | ) | ) | End rev1"},
        {"(I5,(:),'x')", "I w5 | ( | : | ) | Lit 'x' | End none"},
    };
    for (const Case& c : cases) EXPECT_EQ(compiled(c.text), c.expected) << c.text;
}

TEST(CompileFormat, ReusedProgramHoldsOnlyTheNewText) {
    FormatProgram p;
    compileFormat("('abcdef', 3(I2), Q)", p);
    compileFormat("(A)", p);
    EXPECT_EQ(describe(p), "A | End rev0");
    EXPECT_TRUE(p.literals.empty());
}

}  // namespace
}  // namespace io
