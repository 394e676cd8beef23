// Walking a compiled format: handing each item its data edit descriptor and
// carrying out the control steps that stand between them.
#include <algorithm>
#include <cstdint>

#include "io/error_numbers.h"
#include "io/format/edit_state.h"
#include "io/run_time_error.h"

namespace io {

namespace {

// The descriptor of a data step, with absent numbers at their defaults and
// G resolved by the class of the item.
Descriptor descriptorOf(const FormatStep& step, GResolve itemClass) {
    Descriptor d;
    d.kind = step.kind;
    if (step.kind == StepKind::G) {
        switch (itemClass) {
        case GResolve::Integer: d.kind = StepKind::I; break;
        case GResolve::Logical: d.kind = StepKind::L; break;
        case GResolve::Character: d.kind = StepKind::A; break;
        case GResolve::Real: break;
        }
    }
    d.hasW = step.w != kAbsent;
    d.hasD = step.d != kAbsent;
    d.w = d.hasW ? step.w : 0;
    d.d = d.hasD ? step.d : 1;
    d.e = step.e != kAbsent ? step.e : 2;
    d.exponentD = step.exponentD;
    return d;
}

void endRecord(EditState& state, const TransferHooks& hooks) {
    hooks.endRecord(hooks.context);
    state.recordCharCount = 0;
    state.pendingSpaces = 0;
}

// X, TR, TL and T: the current position is recordCharCount + pendingSpaces.
void moveTo(EditState& state, std::int64_t target, const TransferHooks& hooks) {
    target = std::clamp<std::int64_t>(target, 0, INT32_MAX);
    if (target >= state.recordCharCount) {
        state.pendingSpaces = static_cast<std::int32_t>(target - state.recordCharCount);
        return;
    }
    hooks.moveBack(hooks.context, state.recordCharCount - static_cast<std::int32_t>(target));
    state.recordCharCount = static_cast<std::int32_t>(target);
    state.pendingSpaces = 0;
}

// Groups that hold no data edit descriptor may repeat 2147483647 times, nested
// sixteen deep: a fetch that runs this many steps without a data step or a
// record end is stopped with an error instead of running for ages.
constexpr std::int64_t kMaxIdleSteps = std::int64_t{1} << 24;

// Runs steps from state.nextStep until a data step (true) or a stop (false).
bool fetch(EditState& state, const FormatProgram& program, bool itemWaiting, GResolve itemClass,
           const TransferHooks& hooks) {
    std::int64_t idleSteps = 0;
    for (;;) {
        if (++idleSteps > kMaxIdleSteps) raiseRunTimeError(err::FormatRunaway);
        std::int32_t index = state.nextStep++;
        const FormatStep& step = program.steps[static_cast<std::size_t>(index)];
        if (isDataStep(step.kind)) {
            state.current = descriptorOf(step, itemClass);
            state.hasCurrent = true;
            state.repeatCounter = step.repeat == kAbsent ? 0 : step.repeat;
            return true;
        }
        const std::int64_t position = std::int64_t{state.recordCharCount} + state.pendingSpaces;
        switch (step.kind) {
        case StepKind::Literal:
            if (hooks.input) raiseRunTimeError(err::LiteralOnInput);
            hooks.placeLiteral(hooks.context, program.literal(step));
            break;
        case StepKind::MoveRight: moveTo(state, position + step.w, hooks); break;
        case StepKind::MoveLeft: moveTo(state, position - step.w, hooks); break;
        case StepKind::TabTo: moveTo(state, std::int64_t{step.w} - 1, hooks); break;
        case StepKind::Scale: state.scaleFactor = step.w; break;
        case StepKind::GroupOpen: {
            GroupEntry& g = state.groups[state.groupDepth++];
            g.step = index + 1;
            g.remaining = step.repeat == kAbsent ? 0 : step.repeat;
            break;
        }
        case StepKind::GroupClose: {
            GroupEntry& g = state.groups[state.groupDepth - 1];
            if (--g.remaining > 0) state.nextStep = g.step;
            else --state.groupDepth;
            break;
        }
        case StepKind::RecordEnd: {
            std::int32_t times = std::max(step.repeat, 1);
            for (std::int32_t i = 0; i < times; ++i) endRecord(state, hooks);
            idleSteps = 0;
            break;
        }
        case StepKind::Colon:
            if (!itemWaiting) return false;
            break;
        case StepKind::NoAdvance:
            if (!itemWaiting) state.noAdvanceSeen = true;
            break;
        case StepKind::PlusOff: state.plusSigns = false; break;
        case StepKind::PlusOn: state.plusSigns = true; break;
        case StepKind::BlankNull: state.blanksAreZeros = false; break;
        case StepKind::BlankZero: state.blanksAreZeros = true; break;
        case StepKind::End:
            if (!itemWaiting || step.reversion == kAbsent) {
                --state.nextStep;  // a later fetch meets the end again
                return false;
            }
            endRecord(state, hooks);
            idleSteps = 0;
            state.nextStep = step.reversion;
            break;
        case StepKind::Fault:
            --state.nextStep;
            raiseRunTimeError(step.error);
        default:
            break;
        }
    }
}

}  // namespace

EditState& editState() {
    static EditState state;
    return state;
}

void resetEditState(EditState& state, bool blanksAreZeros) {
    state = EditState{};
    state.blanksAreZeros = blanksAreZeros;
}

bool nextDataDescriptor(EditState& state, const FormatProgram& program, bool itemWaiting,
                        GResolve itemClass, const TransferHooks& hooks) {
    bool found;
    if (--state.repeatCounter > 0) {
        // The current descriptor applies again; a G is resolved for this item.
        const FormatStep& step = program.steps[static_cast<std::size_t>(state.nextStep - 1)];
        state.current = descriptorOf(step, itemClass);
        found = true;
    } else {
        found = fetch(state, program, itemWaiting, itemClass, hooks);
    }
    // Positioning after the last item does not lengthen the record.
    if (!itemWaiting && !state.noAdvanceSeen) state.pendingSpaces = 0;
    return found;
}

}  // namespace io
