// The table of units: the console records, and the unit a statement uses.
#include "io/units.h"

#include "io/record_reader.h"
#include "io/unit_table.h"
#include "platform/platform.h"

namespace io {

namespace {

UnitSlot slots[kUnitSlots];

bool isCharacterDevice(int handle) {
    return platform::standardHandleType(handle) == platform::HandleType::CharacterDevice;
}

std::unique_ptr<Unit> makeRecord(std::string name, int handle, RecordKind kind) {
    auto unit = std::make_unique<Unit>();
    unit->name = std::move(name);
    unit->handle = handle;
    unit->kind = kind;
    unit->carriage = CarriageControl::FirstCharacter;
    return unit;
}

// The console is read where standard input stands, never at an offset of
// its own. A typed line is at most one console buffer long; redirected
// input may be read in larger pieces, which nothing can observe.
std::unique_ptr<Unit> makeConsoleRecord(int handle) {
    auto unit = makeRecord("CON", handle, RecordKind::Console);
    allocateBuffer(*unit, isCharacterDevice(0) ? kDeviceBufferSize : kLargeFileBufferSize);
    return unit;
}

// The console record of a default unit. When standard input and output are
// both the console, the input record serves both directions.
Unit& defaultUnit(Direction direction) {
    Unit& input = *slots[kConsoleInputSlot].unit;
    if (direction == Direction::Reading) {
        input.handle = 0;
        return input;
    }
    if (slots[kConsoleOutputSlot].unit) return *slots[kConsoleOutputSlot].unit;
    input.handle = 1;
    return input;
}

}  // namespace

UnitSlot& unitSlot(int index) { return slots[index]; }

Unit& consoleInputRecord() { return *slots[kConsoleInputSlot].unit; }

int slotOfUnit(std::int32_t unit) {
    for (int s = kFirstNumberedSlot; s <= kLastNumberedSlot; ++s) {
        if (slots[s].number == unit && slots[s].unit) return s;
    }
    return 0;
}

void discardUnit(std::unique_ptr<Unit>& unit) {
    if (unit && unit->handle >= 3) platform::closeFile(unit->handle);
    unit.reset();
}

void initializeUnits() {
    releaseUnits();
    slots[kConsoleInputSlot].unit = makeConsoleRecord(0);
    if (!isCharacterDevice(0) || !isCharacterDevice(1)) {
        slots[kConsoleOutputSlot].unit = makeConsoleRecord(1);
    }
    slots[kInternalFileSlot].unit = makeRecord("internal", -1, RecordKind::Internal);
    fileNameBuffer().clear();
    setArgumentCursorToStart();
}

void releaseUnits() {
    for (UnitSlot& slot : slots) {
        discardUnit(slot.unit);
        slot.number = kFreeSlot;
    }
}

Unit* findUnit(std::int32_t unit, Direction direction) {
    if (unit == DefaultInputUnit || unit == DefaultOutputUnit) return &defaultUnit(direction);
    if (const int s = slotOfUnit(unit)) {
        Unit& connected = *slots[s].unit;
        return connected.consoleRouted ? &defaultUnit(direction) : &connected;
    }
    if (unit == 5 || unit == 6 || unit == 0) return &defaultUnit(direction);
    return nullptr;
}

}  // namespace io
