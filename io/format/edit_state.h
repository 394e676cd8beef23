// The editing state of the formatted statement that is executing.
#pragma once

#include <cstdint>
#include <string_view>

#include "io/format/format_program.h"

namespace io {

// The data edit descriptor in force; absent w counts as 0, d as 1, e as 2.
struct Descriptor {
    StepKind kind = StepKind::A;
    std::int32_t w = 0;
    std::int32_t d = 1;
    std::int32_t e = 2;
    bool hasW = false;  // a width was written
    bool hasD = false;  // a d (or m) was written
    bool exponentD = false;
};

inline constexpr int kMaxGroupDepth = 16;

struct GroupEntry {
    std::int32_t step;       // index of the step after the group's "("
    std::int32_t remaining;  // runs still to come
};

struct EditState {
    std::int32_t nextStep = 0;
    Descriptor current;
    bool hasCurrent = false;
    std::int32_t repeatCounter = 0;
    std::int32_t scaleFactor = 0;
    bool plusSigns = false;
    bool blanksAreZeros = false;
    GroupEntry groups[kMaxGroupDepth] = {};
    std::int32_t groupDepth = 0;
    std::int32_t recordCharCount = 0;  // characters taken from / placed into the record
    std::int32_t pendingSpaces = 0;    // positions to pass before the next field
    bool noAdvanceSeen = false;
};

// What the walker asks of the transfer in progress.
struct TransferHooks {
    bool input = true;
    void* context = nullptr;
    void (*endRecord)(void* context) = nullptr;                          // "/" and reversion
    void (*placeLiteral)(void* context, std::string_view text) = nullptr; // output only
    void (*moveBack)(void* context, std::int32_t count) = nullptr;       // T or TL backwards
};

// The one edit state of the layer (one formatted statement executes at a time).
EditState& editState();

// Resets `state` for a new statement.
void resetEditState(EditState& state, bool blanksAreZeros);

// Fetches the descriptor for the next item (itemWaiting) or runs the steps
// after the last item (!itemWaiting). Returns false when fetching stopped
// without a descriptor. Raises the run-time errors of fault and literal steps.
// `itemKindIsInteger` etc. resolve G for the waiting item.
enum class GResolve : std::uint8_t { Real, Integer, Logical, Character };
bool nextDataDescriptor(EditState& state, const FormatProgram& program, bool itemWaiting,
                        GResolve itemClass, const TransferHooks& hooks);

}  // namespace io
