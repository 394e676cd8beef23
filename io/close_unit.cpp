// CLOSE, and the closing of every unit at the end of the run.
#include "io/console/console_writer.h"
#include "io/device_names.h"
#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "io/statement.h"
#include "io/unit_table.h"
#include "io/units.h"
#include "platform/platform.h"

namespace io {

namespace {

// Deletes the unit's file; a device name is never deleted.
void deleteFile(const Unit& unit) {
    std::string name = unit.name;
    if (recognizeDevice(name)) return;
    if (platform::removeFile(unit.name) == platform::Failure::AccessDenied) {
        raiseRunTimeError(err::DeleteRefused);
    }
}

void freeSlotOf(std::int32_t number) {
    if (const int s = slotOfUnit(number)) {
        UnitSlot& slot = unitSlot(s);
        slot.unit.reset();
        slot.number = kFreeSlot;
    }
}

}  // namespace

void closeConnection(std::int32_t number, std::optional<CloseDisposition> disposition) {
    Unit* unit = findUnit(number, number == 5 ? Direction::Reading : Direction::Writing);
    if (!unit) return;
    const CloseDisposition how = disposition.value_or(unit->defaultClose);
    if (unit->outputPending) {
        if (unit->kind == RecordKind::Console) closeConsoleLine();
        unit->outputPending = false;
    }
    if (opensOwnHandle(*unit)) {
        if (unit->handle >= 3) platform::closeFile(unit->handle);
        unit->handle = kClosedHandle;
        if (how == CloseDisposition::Keep && unit->deleteOnClose) raiseRunTimeError(err::KeepScratch);
        if (how == CloseDisposition::Delete) deleteFile(*unit);
    }
    freeSlotOf(number);
}

void closeUnitStatement(std::int32_t unit, std::optional<std::string_view> status) {
    std::optional<CloseDisposition> disposition;
    if (status) {
        if (keywordMatch(*status, "KEEP")) {
            disposition = CloseDisposition::Keep;
        } else if (keywordMatch(*status, "DELETE")) {
            disposition = CloseDisposition::Delete;
        } else {
            raiseRunTimeError(err::BadStatus);
        }
    }
    closeConnection(unit, disposition);
}

void closeAllUnits() {
    for (int s = kFirstNumberedSlot; s <= kLastNumberedSlot; ++s) {
        const UnitSlot& slot = unitSlot(s);
        if (!slot.unit) continue;
        fileNameBuffer() = slot.unit->name;  // the name an error report shows
        closeConnection(slot.number,
                        slot.unit->deleteOnClose ? CloseDisposition::Delete : CloseDisposition::Keep);
    }
}

}  // namespace io
