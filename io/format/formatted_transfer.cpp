// The drivers of formatted READ and WRITE statements: pairing each item with
// its descriptor, passing positioning, and ending the records.
#include "io/format/formatted_transfer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "io/error_numbers.h"
#include "io/format/edit_state.h"
#include "io/format/input_field.h"
#include "io/format/output_editing.h"
#include "io/record_reader.h"
#include "io/record_writer.h"
#include "io/run_time_error.h"

namespace io {

namespace {

GResolve classOf(ItemKind kind) {
    if (isInteger(kind)) return GResolve::Integer;
    if (isLogical(kind)) return GResolve::Logical;
    if (kind == ItemKind::Character) return GResolve::Character;
    return GResolve::Real;
}

// Whether the descriptor may edit an item of this kind; raises the error of
// the item's kind when not.
void checkPairing(StepKind descriptor, ItemKind kind, bool input) {
    switch (descriptor) {
    case StepKind::Z: case StepKind::O: case StepKind::B: case StepKind::A: return;
    case StepKind::Q: if (input) return; break;
    default: break;
    }
    if (kind == ItemKind::Character) raiseRunTimeError(err::CharacterPairing);
    if (isInteger(kind)) {
        if (descriptor != StepKind::I) raiseRunTimeError(err::IntegerPairing);
        return;
    }
    if (isLogical(kind)) {
        if (descriptor != StepKind::L) raiseRunTimeError(err::LogicalPairing);
        return;
    }
    switch (descriptor) {
    case StepKind::D: case StepKind::E: case StepKind::F: case StepKind::G:
    case StepKind::EN: case StepKind::ES:
        return;
    default:
        raiseRunTimeError(err::RealPairing);
    }
}

// ---- READ -------------------------------------------------------------

std::int64_t readStart = 0;  // where the READ began in the file

void skipRecordRest(void* context) { advanceRecord(*static_cast<Unit*>(context)); }

void moveBackInRecord(void* context, std::int32_t count) {
    moveBack(*static_cast<Unit*>(context), count);
}

TransferHooks inputHooks(Unit& unit) {
    TransferHooks hooks;
    hooks.input = true;
    hooks.context = &unit;
    hooks.endRecord = skipRecordRest;
    hooks.moveBack = moveBackInRecord;
    return hooks;
}

// Passes pending positioning; it stops before the record's line end.
void skipPending(Unit& unit, EditState& state) {
    if (state.pendingSpaces <= 0) return;
    state.recordCharCount += skipInRecord(unit, state.pendingSpaces);
    state.pendingSpaces = 0;
}

void readElement(Unit& unit, const FormatProgram& program, ItemKind kind, void* address,
                 std::int32_t size) {
    EditState& state = editState();
    if (!nextDataDescriptor(state, program, true, classOf(kind), inputHooks(unit))) {
        raisePairingError(kind);
    }
    skipPending(unit, state);
    checkPairing(state.current.kind, kind, true);
    readField(unit, state, state.current, kind, address, size);  // counts what it takes
}

// ---- WRITE ------------------------------------------------------------

// The record being built; the cursor is the edit state's recordCharCount.
std::string& outputRecord() {
    static std::string record;
    return record;
}

// Places text at the cursor after the pending positions. Positions passed
// beyond the record's end become blanks; characters already placed there
// (after a backward move) stay.
void placeText(std::string_view text) {
    EditState& state = editState();
    std::string& record = outputRecord();
    const std::size_t at = static_cast<std::size_t>(state.recordCharCount) +
                           static_cast<std::size_t>(state.pendingSpaces);
    const std::size_t end = at + text.size();
    if (record.size() < end) record.resize(end, ' ');
    if (!text.empty()) std::memcpy(record.data() + at, text.data(), text.size());
    state.recordCharCount = static_cast<std::int32_t>(end);
    state.pendingSpaces = 0;
}

void flushRecord(Unit& unit, bool advance) {
    std::string& record = outputRecord();
    writeRecord(unit, record, advance);
    record.clear();
}

void writeRecordEnd(void* context) { flushRecord(*static_cast<Unit*>(context), true); }

void placeLiteral(void*, std::string_view text) { placeText(text); }

// The cursor is recordCharCount, which the walker has already moved back.
void moveCursorBack(void*, std::int32_t) {}

void writeElement(const FormatProgram& program, const TransferHooks& hooks, ItemKind kind,
                  const unsigned char* data, std::int32_t size) {
    EditState& state = editState();
    if (!nextDataDescriptor(state, program, true, classOf(kind), hooks)) raisePairingError(kind);
    checkPairing(state.current.kind, kind, false);
    const OutputField field = editOutputField(state.current, state, kind, data, size);
    state.pendingSpaces += field.width - static_cast<std::int32_t>(field.text.size());
    placeText(field.text);
}

}  // namespace

void startFormattedRead(Unit& unit, const FormatProgram&) {
    resetEditState(editState(), unit.blankAsZero);
    readStart = readPosition(unit);
}

void readFormattedItem(Unit& unit, const FormatProgram& program, ItemKind kind, void* address,
                       std::int32_t length) {
    if (isComplex(kind)) {
        const ItemKind part = kind == ItemKind::Complex8 ? ItemKind::Real4 : ItemKind::Real8;
        const std::int32_t size = itemSize(part);
        readElement(unit, program, part, address, size);
        readElement(unit, program, part, static_cast<unsigned char*>(address) + size, size);
        return;
    }
    readElement(unit, program, kind, address, kind == ItemKind::Character ? length : itemSize(kind));
}

void endFormattedRead(Unit& unit, const FormatProgram& program) {
    EditState& state = editState();
    nextDataDescriptor(state, program, false, GResolve::Real, inputHooks(unit));
    if (!state.noAdvanceSeen) {
        advanceRecord(unit);
        return;
    }
    skipPending(unit, state);
    // A READ that ends where it began moves on, so that it never reads the
    // same record for ever.
    if (readPosition(unit) == readStart) advanceRecord(unit);
}

void writeFormatted(Unit& unit, const FormatProgram& program, std::span<const CollectedItem> items) {
    EditState& state = editState();
    resetEditState(state, unit.blankAsZero);
    outputRecord().clear();
    TransferHooks hooks;
    hooks.input = false;
    hooks.context = &unit;
    hooks.endRecord = writeRecordEnd;
    hooks.placeLiteral = placeLiteral;
    hooks.moveBack = moveCursorBack;
    for (const CollectedItem& item : items) {
        if (isComplex(item.kind)) {
            const ItemKind part = item.kind == ItemKind::Complex8 ? ItemKind::Real4 : ItemKind::Real8;
            const std::int32_t size = itemSize(part);
            writeElement(program, hooks, part, item.data, size);
            writeElement(program, hooks, part, item.data + size, size);
        } else {
            const std::int32_t size = item.kind == ItemKind::Character ? item.length : itemSize(item.kind);
            writeElement(program, hooks, item.kind, item.data, size);
        }
    }
    nextDataDescriptor(state, program, false, GResolve::Real, hooks);
    // With no advance, passed positions stay part of the line.
    if (state.noAdvanceSeen && state.pendingSpaces > 0) placeText({});
    flushRecord(unit, !state.noAdvanceSeen);
}

}  // namespace io
