// Inside the table of units: the slots, the settings of one OPEN, and the
// steps that opening and closing share.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "io/unit.h"
#include "io/units.h"

namespace io {

struct UnitSlot {
    std::int32_t number = kFreeSlot;
    std::unique_ptr<Unit> unit;
};

UnitSlot& unitSlot(int index);  // 0..64

// Slot 1..61 holding the unit number, or 0 when it is not connected.
int slotOfUnit(std::int32_t unit);

Unit& consoleInputRecord();

inline constexpr std::int32_t kDeviceBufferSize = 132;
inline constexpr std::int32_t kSmallFileBufferSize = 1024;
inline constexpr std::int32_t kLargeFileBufferSize = 65536;

// A handle that was opened here and has been closed already (the unit stays
// in its slot after a failed CLOSE).
inline constexpr int kClosedHandle = -2;

// True for a unit whose handle was opened by name here (files and the
// devices opened through the system), not a standard handle.
inline bool opensOwnHandle(const Unit& unit) {
    return unit.handle >= 3 || unit.handle == kClosedHandle;
}

enum class OpenStatus : std::uint8_t { Old, New, Scratch, Replace, Unknown };

// The values of one OPEN after defaults.
struct OpenSpec {
    OpenStatus status = OpenStatus::Unknown;
    RecordKind kind = RecordKind::FormattedSequential;
    std::int32_t recordLength = kSmallFileBufferSize;
    bool blankAsZero = false;
    Position position = Position::AsIs;
    std::optional<Action> action;  // ACTION or the access mode; none tries every access
    Delim delim = Delim::None;
    bool pad = true;
    std::int32_t blockSize = 0;  // 0: the default buffer size
    std::optional<CarriageControl> carriage;
    Share share = Share::DenyNone;
    bool append = false;
    CloseDisposition defaultClose = CloseDisposition::Keep;
};

// Back to the first command-line argument (start-up).
void setArgumentCursorToStart();

// Fills the file-name buffer from the next command-line argument, or from
// the console prompt until the answer is not blank.
void acquireFileName(std::int32_t unit);

// Connects the unit to the name in the file-name buffer.
Unit& connectUnit(std::int32_t unit, const OpenSpec& settings);

// CLOSE of one unit; without a disposition the unit's default is used.
void closeConnection(std::int32_t unit, std::optional<CloseDisposition> disposition);

// Closes an own handle without any check and drops the record.
void discardUnit(std::unique_ptr<Unit>& unit);

}  // namespace io
