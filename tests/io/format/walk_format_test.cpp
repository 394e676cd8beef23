// Walking compiled formats: which descriptor each item gets and which
// control actions happen on the way, recorded as a trace.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "io/format/edit_state.h"
#include "io/format/format_program.h"
#include "io/run_time_error.h"

namespace io {
namespace {

const char* kindName(StepKind k) {
    static const char* const names[] = {"I", "F", "D", "E", "G", "EN", "ES", "L", "A", "Z", "O", "B", "Q"};
    return isDataStep(k) ? names[static_cast<int>(k)] : "?";
}

struct Trace {
    std::string text;
    void add(std::string_view s) {
        if (!text.empty()) text += ' ';
        text += s;
    }
};

void traceEndRecord(void* c) { static_cast<Trace*>(c)->add("/"); }
void traceLiteral(void* c, std::string_view t) { static_cast<Trace*>(c)->add("lit:" + std::string(t)); }
void traceMoveBack(void* c, std::int32_t n) { static_cast<Trace*>(c)->add("back:" + std::to_string(n)); }

GResolve classOf(char item) {
    switch (item) {
    case 'i': return GResolve::Integer;
    case 'l': return GResolve::Logical;
    case 'c': return GResolve::Character;
    default: return GResolve::Real;
    }
}

// Walks `format` for the items (i integer, r real, l logical, c character),
// each taking a field of its width at the position it was given, then
// makes the end-of-statement fetch. Each item shows as its descriptor and
// field position ("I@0"); a stop with an item waiting as "stop".
std::string walk(std::string_view format, std::string_view items, bool input, EditState* finalState = nullptr) {
    FormatProgram program;
    compileFormat(format, program);
    Trace trace;
    TransferHooks hooks{input, &trace, traceEndRecord, traceLiteral, traceMoveBack};
    EditState state;
    resetEditState(state, false);
    try {
        for (char item : items) {
            if (!nextDataDescriptor(state, program, true, classOf(item), hooks)) {
                trace.add("stop");
                return trace.text;
            }
            const std::int32_t at = state.recordCharCount + state.pendingSpaces;
            trace.add(std::string(kindName(state.current.kind)) + "@" + std::to_string(at));
            state.recordCharCount = at + state.current.w;
            state.pendingSpaces = 0;
        }
        trace.add("end:");
        const bool found = nextDataDescriptor(state, program, false, GResolve::Real, hooks);
        trace.add(found ? kindName(state.current.kind) : "stop");
    } catch (const IoCondition& c) {
        trace.add("error:" + std::to_string(c.number));
    }
    if (finalState != nullptr) *finalState = state;
    return trace.text;
}

struct Case {
    std::string_view format;
    std::string_view items;
    bool input;
    const char* trace;
};

TEST(WalkFormat, DescriptorsGroupsAndReversion) {
    const Case cases[] = {
        {"(a)", "c", true, "A@0 end: stop"},
        {"(4F9.0)", "rrrrr", false, "F@0 F@9 F@18 F@27 / F@0 end: F"},
        {"(I2,2F3.1)", "irrr", true, "I@0 F@2 F@5 / I@0 end: F"},
        // a group runs its count, and reversion restarts it with its full count
        {"(I2,2(F3.1,L1))", "irlrl", true, "I@0 F@2 L@5 F@6 L@9 end: stop"},
        {"(I2,2(F3.1))", "irrrrr", true, "I@0 F@2 F@5 / F@0 F@3 / F@0 end: F"},
        // reversion to the last group directly inside the outer parentheses
        {"(I1,(F1.0),(L1))", "irlll", true, "I@0 F@1 L@2 / L@0 / L@0 end: stop"},
        // a repeat count or group count of 0 acts like 1
        {"(0I2,0(F3.1),L1)", "irl", true, "I@0 F@2 L@5 end: stop"},
        // G takes the class of each item, also when repeated or reverted to
        {"(3G4.1)", "ilrc", true, "I@0 L@4 G@8 / A@0 end: G"},
        {"(3/,I2,2/)", "i", true, "/ / / I@0 end: / / stop"},
        {"(I2,2/)", "ii", true, "I@0 / / / I@0 end: / / stop"},
    };
    for (const Case& c : cases) EXPECT_EQ(walk(c.format, c.items, c.input), c.trace) << c.format;
}

TEST(WalkFormat, ControlSteps) {
    const Case cases[] = {
        // literals: placed on output, error 6509 on input
        {"(I2,'ab',I2)", "ii", false, "I@0 lit:ab I@2 end: stop"},
        {"(I2,'ab',I2)", "ii", true, "I@0 error:6509"},
        {"(I2,'ab')", "i", false, "I@0 end: lit:ab stop"},
        // a colon stops the end fetch before what follows it
        {"(I2,:,'ab')", "i", false, "I@0 end: stop"},
        {"(I2,:,'ab',I2)", "ii", false, "I@0 lit:ab I@2 end: stop"},
        // no reversion point: an item waiting at the end gets no descriptor
        {"('ab')", "i", false, "lit:ab stop"},
        {"(T5,TR1)", "i", true, "stop"},
        // positioning: forward moves become pending, backward ones move back at once
        {"(I3,4X,I1,TR2,I1)", "iii", true, "I@0 I@7 I@10 end: stop"},
        {"(I3,T2,I1)", "ii", true, "I@0 back:2 I@1 end: stop"},
        {"(I3,TL5,I1)", "ii", true, "I@0 back:3 I@0 end: stop"},
        {"(I3,4X,TL2,I1)", "ii", true, "I@0 I@5 end: stop"},
        {"(I3,T9,TL8,I1)", "ii", true, "I@0 back:3 I@0 end: stop"},
        {"(T4,I1,/,T2,I1)", "ii", true, "I@3 / I@1 end: stop"},
    };
    for (const Case& c : cases) EXPECT_EQ(walk(c.format, c.items, c.input), c.trace) << c.format;
}

TEST(WalkFormat, FaultsAreRaisedOnlyWhenReached) {
    const Case cases[] = {
        {"(I2,F5)", "i", true, "I@0 end: error:6987"},
        {"(I2,F5)", "ii", true, "I@0 error:6987"},
        {"(I2,/,T0)", "i", false, "I@0 end: / error:6982"},
        // the end fetch stops at a data step before the fault
        {"(I2,I2,T0)", "i", false, "I@0 end: I"},
        {"(I2,:,T0)", "i", false, "I@0 end: stop"},
        {"x(I2)", "i", true, "error:6981"},
        // a second fetch of the same steps behaves as the first
        {"(2(EN9.2,B4),Q)", "rrrrr", true, "EN@0 B@9 EN@13 B@22 Q@26 end: stop"},
        // groups without a data step that would repeat for ages are stopped
        {"(I2,2147483647(2147483647(1X)),I2)", "ii", true, "I@0 error:6985"},
        {"(I2,1000(1000(1X)),I2)", "ii", true, "I@0 I@1000002 end: stop"},
    };
    for (const Case& c : cases) EXPECT_EQ(walk(c.format, c.items, c.input), c.trace) << c.format;
}

TEST(WalkFormat, TrailingPositioningAddsNothingUnlessNoAdvance) {
    EditState state;
    EXPECT_EQ(walk("(I2,5X)", "i", false, &state), "I@0 end: stop");
    EXPECT_EQ(state.pendingSpaces, 0);
    EXPECT_FALSE(state.noAdvanceSeen);

    EXPECT_EQ(walk("(I2,5X,$)", "i", false, &state), "I@0 end: stop");
    EXPECT_EQ(state.pendingSpaces, 5);
    EXPECT_TRUE(state.noAdvanceSeen);

    // a "$" passed with an item waiting does nothing
    EXPECT_EQ(walk("(I2,$,I2)", "ii", false, &state), "I@0 I@2 end: stop");
    EXPECT_FALSE(state.noAdvanceSeen);
}

TEST(WalkFormat, ModesAndScaleFactor) {
    FormatProgram program;
    compileFormat("(-2P,SP,BZ,F5.1,S,BN,3P,F5.1)", program);
    TransferHooks hooks{true, nullptr, nullptr, nullptr, nullptr};
    EditState state;
    resetEditState(state, false);
    ASSERT_TRUE(nextDataDescriptor(state, program, true, GResolve::Real, hooks));
    EXPECT_EQ(state.scaleFactor, -2);
    EXPECT_TRUE(state.plusSigns);
    EXPECT_TRUE(state.blanksAreZeros);
    ASSERT_TRUE(nextDataDescriptor(state, program, true, GResolve::Real, hooks));
    EXPECT_EQ(state.scaleFactor, 3);
    EXPECT_FALSE(state.plusSigns);
    EXPECT_FALSE(state.blanksAreZeros);

    // absent numbers take their defaults; a written one is marked
    compileFormat("(A,E9.3D3,I4.2)", program);
    resetEditState(state, true);
    EXPECT_TRUE(state.blanksAreZeros);
    ASSERT_TRUE(nextDataDescriptor(state, program, true, GResolve::Character, hooks));
    EXPECT_EQ(state.current.w, 0);
    EXPECT_FALSE(state.current.hasW);
    EXPECT_EQ(state.current.d, 1);
    EXPECT_EQ(state.current.e, 2);
    ASSERT_TRUE(nextDataDescriptor(state, program, true, GResolve::Real, hooks));
    EXPECT_EQ(state.current.kind, StepKind::E);
    EXPECT_EQ(state.current.e, 3);
    EXPECT_TRUE(state.current.exponentD);
    ASSERT_TRUE(nextDataDescriptor(state, program, true, GResolve::Integer, hooks));
    EXPECT_EQ(state.current.w, 4);
    EXPECT_EQ(state.current.d, 2);
    EXPECT_TRUE(state.current.hasD);
}

}  // namespace
}  // namespace io
