// Connecting a unit number to the file, device or console that the name in
// the file-name buffer stands for.
#include <algorithm>
#include <new>

#include "io/console/console_writer.h"
#include "io/device_names.h"
#include "io/error_numbers.h"
#include "io/record_reader.h"
#include "io/run_time_error.h"
#include "io/unit_table.h"
#include "platform/platform.h"

namespace io {

namespace {

// The record a unit number stands for before it is connected again.
Direction directionOf(std::int32_t unit) {
    return unit == 5 ? Direction::Reading : Direction::Writing;
}

bool sameFile(const Unit& unit, const std::string& name) {
    if (unit.handle < 3) return false;
    platform::FileIdentity named;
    platform::FileIdentity open;
    return platform::identityOfName(name, named) && platform::identityOfHandle(unit.handle, open) &&
           named == open;
}

// A file or device may be connected to one unit number at a time ("NUL" to many).
void refuseSecondConnection(std::int32_t number, const std::string& name, bool device) {
    platform::FileIdentity named;
    if (device ? equalIgnoringCase(name, "NUL") : !platform::identityOfName(name, named)) return;
    for (int s = kFirstNumberedSlot; s <= kLastNumberedSlot; ++s) {
        const UnitSlot& slot = unitSlot(s);
        if (!slot.unit || slot.number == number) continue;
        const bool same = device ? equalIgnoringCase(slot.unit->name, name) : sameFile(*slot.unit, name);
        if (same) raiseRunTimeError(err::AlreadyConnected);
    }
}

// OPEN of a connected unit on the same file changes only its edit settings.
void retune(Unit& unit, const OpenSpec& settings) {
    if (unit.kind != settings.kind) raiseRunTimeError(err::ReopenKind);
    unit.blankAsZero = settings.blankAsZero;
    unit.delim = settings.delim;
    unit.pad = settings.pad;
    const bool console = unit.kind == RecordKind::Internal || unit.kind == RecordKind::Console;
    unit.carriage = console && settings.carriage != CarriageControl::List ? CarriageControl::FirstCharacter
                                                                      : CarriageControl::List;
    if (unit.kind == RecordKind::Console && unit.handle >= 0 && unit.handle <= 1) {
        setConsoleCarriageControl(unit.carriage);
    }
}

std::int32_t errorOfFailure(platform::Failure failure) {
    switch (failure) {
    case platform::Failure::NotFound: return err::FileNotFound;
    case platform::Failure::AccessDenied: return err::AccessRefused;
    case platform::Failure::Exists: return err::FileExists;
    case platform::Failure::TooManyFiles: return err::TooManyOpenFiles;
    default: return err::InvalidName;
    }
}

platform::OpenAccess accessOf(Action action) {
    switch (action) {
    case Action::Read: return platform::OpenAccess::Read;
    case Action::Write: return platform::OpenAccess::Write;
    case Action::ReadWrite: break;
    }
    return platform::OpenAccess::ReadWrite;
}

// Opens the file by STATUS; without ACTION a refused read-write open is
// tried again for reading, then for writing. Sets the handle and action of
// the unit, and returns whether the file was created.
bool openThroughSystem(Unit& unit, const std::string& systemName, const OpenSpec& settings) {
    platform::Creation creation = platform::Creation::NewOnly;
    switch (settings.status) {
    case OpenStatus::Old: creation = platform::Creation::ExistingOnly; break;
    case OpenStatus::New: break;
    case OpenStatus::Scratch: unit.deleteOnClose = true; break;
    case OpenStatus::Replace: platform::removeFile(systemName); break;
    case OpenStatus::Unknown:
        if (platform::fileExists(systemName)) creation = platform::Creation::ExistingOnly;
        break;
    }
    constexpr Action kTries[] = {Action::ReadWrite, Action::Read, Action::Write};
    platform::OpenResult result;
    for (const Action action : kTries) {
        const Action tried = settings.action.value_or(action);
        result = platform::openFile(systemName, accessOf(tried), creation);
        if (result.failure == platform::Failure::None) {
            unit.handle = result.handle;
            unit.action = tried;
            return creation == platform::Creation::NewOnly;
        }
        if (settings.action) break;
    }
    raiseRunTimeError(errorOfFailure(result.failure));
}

void giveBuffer(Unit& unit, std::int32_t size) {
    try {
        allocateBuffer(unit, size);
    } catch (const std::bad_alloc&) {
        raiseRunTimeError(err::NoMemory);
    }
}

// Appending: output continues after the last byte of the file, and the
// last buffer-full is loaded as if it had just been read.
void positionAtEnd(Unit& unit) {
    const std::int64_t size = platform::fileSize(unit.handle);
    if (size < 0) return;
    RecordBuffer& r = unit.record;
    if (unit.action != Action::Write && size > 0) {
        const std::int64_t count = std::min<std::int64_t>(size, r.size);
        const std::int64_t got =
            platform::readBytesAt(unit.handle, r.data.get(), static_cast<std::size_t>(count), size - count);
        if (got > 0) {
            r.lastIndex = static_cast<std::int32_t>(got - 1);
            r.nextIndex = static_cast<std::int32_t>(got);
            r.endsWithLineFeed = r.data[r.lastIndex] == kLineFeed;
        }
    }
    r.filePosition = size;
    platform::seekTo(unit.handle, size);
}

int firstFreeSlot() {
    for (int s = kFirstNumberedSlot; s <= kLastNumberedSlot; ++s) {
        if (!unitSlot(s).unit) return s;
    }
    return 0;
}

// Gives the new unit its handle and buffer; a device of code 0 or more is
// that standard handle.
void attach(Unit& unit, const OpenSpec& settings, std::optional<int> device) {
    if (device && *device >= 0) {
        unit.handle = *device;
        unit.action = settings.action.value_or(Action::ReadWrite);
        unit.consoleRouted = *device == kConsoleDevice && unit.kind == RecordKind::Console;
        unit.seekable = platform::isSeekable(unit.handle);
        giveBuffer(unit, kDeviceBufferSize);
        return;
    }
    const std::string systemName = device ? systemDeviceName(*device, unit.name) : unit.name;
    const bool created = openThroughSystem(unit, systemName, settings);
    unit.outputPending = created;
    unit.seekable = platform::isSeekable(unit.handle);
    std::int32_t size = settings.blockSize;
    if (device) size = kDeviceBufferSize;
    if (size <= 0) size = unit.seekable ? kLargeFileBufferSize : kSmallFileBufferSize;
    giveBuffer(unit, size);
    if (settings.append) positionAtEnd(unit);
}

}  // namespace

Unit& connectUnit(std::int32_t number, const OpenSpec& given) {
    OpenSpec settings = given;
    std::string& name = fileNameBuffer();
    if (equalIgnoringCase(name, "USER")) name = "CON";
    std::optional<int> device = recognizeDevice(name);
    if (device) {
        if (settings.kind == RecordKind::FormattedSequential) {
            settings.kind = RecordKind::Console;
        } else if (settings.kind != RecordKind::BinarySequential) {
            raiseRunTimeError(err::DeviceAccess);
        }
        settings.status = OpenStatus::Old;
        if (*device == kUserConsole) device = kConsoleDevice;
    }
    refuseSecondConnection(number, name, device.has_value());

    if (Unit* existing = findUnit(number, directionOf(number))) {
        const bool same = device ? equalIgnoringCase(existing->name, name) : sameFile(*existing, name);
        if (same) {
            retune(*existing, settings);
            return *existing;
        }
        closeConnection(number, std::nullopt);
    }

    auto unit = std::make_unique<Unit>();
    unit->name = name;
    unit->kind = settings.kind;
    unit->defaultClose = settings.defaultClose;
    try {
        attach(*unit, settings, device);
    } catch (...) {
        discardUnit(unit);
        throw;
    }
    unit->share = settings.share;
    unit->recordLength = settings.recordLength;
    unit->blankAsZero = settings.blankAsZero;
    unit->delim = settings.delim;
    unit->pad = settings.pad;
    unit->position = settings.position;
    const bool console = unit->kind == RecordKind::Internal || unit->kind == RecordKind::Console;
    unit->carriage = settings.carriage.value_or(console ? CarriageControl::FirstCharacter : CarriageControl::List);

    const int s = firstFreeSlot();
    if (s == 0) {
        if (unit->deleteOnClose) platform::removeFile(unit->name);
        discardUnit(unit);
        raiseRunTimeError(err::NoFreeSlot);
    }
    unitSlot(s).number = number;
    unitSlot(s).unit = std::move(unit);
    return *unitSlot(s).unit;
}

}  // namespace io
