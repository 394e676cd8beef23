// Loading a unit's bytes and moving between its records.
#include "io/record_reader.h"

#include <cstring>

#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "platform/platform.h"

namespace io {

namespace {

bool readsTypedLines(const Unit& unit) {
    return unit.handle == 0 &&
           platform::standardHandleType(0) == platform::HandleType::CharacterDevice;
}

// The last line of an input is a record even without a line end: after
// bytes that are not a line feed, one line feed is supplied as if read, right
// after the bytes still in the buffer. It counts as a byte at the end of the file.
int supplyLineFeed(RecordBuffer& r, std::int32_t kept) {
    r.data[kept] = kLineFeed;
    r.lastIndex = kept;
    r.nextIndex = kept + 1;
    r.filePosition += 1;
    r.endsWithLineFeed = true;
    return kLineFeed;
}

// Bytes that cannot be read again from the file (a pipe, the console) stay
// in the buffer from the start of the current record, so that tab editing
// can go back over them; a record longer than this is not kept whole.
constexpr std::int32_t kMaxKeptRecord = 1 << 24;

// Moves the current record's bytes to the front of the buffer, growing it
// when they would leave less than half of it for new bytes; returns how many
// bytes were kept.
std::int32_t keepCurrentRecord(RecordBuffer& r) {
    std::int32_t kept = r.lastIndex + 1 - r.recordStart;
    if (r.recordStart < 0 || kept <= 0 || kept > kMaxKeptRecord) return 0;
    if (kept > r.size / 2) {
        auto larger = std::make_unique<unsigned char[]>(static_cast<std::size_t>(r.size) * 2);
        std::memcpy(larger.get(), r.data.get() + r.recordStart, static_cast<std::size_t>(kept));
        r.data = std::move(larger);
        r.size *= 2;
    } else {
        std::memmove(r.data.get(), r.data.get() + r.recordStart, static_cast<std::size_t>(kept));
    }
    return kept;
}

// A typed line whose last character before its line end is Ctrl-Z ends the input.
bool isCtrlZLine(const unsigned char* data, std::int64_t n) {
    std::int64_t end = n;
    if (end > 0 && data[end - 1] == kLineFeed) --end;
    if (end > 0 && data[end - 1] == kCarriageReturn) --end;
    return end > 0 && data[end - 1] == kCtrlZ;
}

}  // namespace

void allocateBuffer(Unit& unit, std::int32_t size) {
    RecordBuffer& r = unit.record;
    r.data = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
    r.size = size;
    r.nextIndex = 0;
    r.lastIndex = -1;
    r.filePosition = 0;
    r.recordStart = 0;
    r.endsWithLineFeed = true;
}

int refillBuffer(Unit& unit) {
    RecordBuffer& r = unit.record;
    bool typed = unit.kind == RecordKind::Console && readsTypedLines(unit);
    std::int32_t kept = unit.seekable || typed ? 0 : keepCurrentRecord(r);
    unsigned char* into = r.data.get() + kept;
    auto room = static_cast<std::size_t>(r.size - kept);
    std::int64_t n = unit.seekable ? platform::readBytesAt(unit.handle, into, room, r.filePosition)
                                   : platform::readBytes(unit.handle, into, room);
    r.recordStart = 0;
    r.nextIndex = 0;
    r.lastIndex = -1;
    if (n < 0) raiseRunTimeError(err::ReadFailed);
    if (n == 0) {
        if (!r.endsWithLineFeed && isFormattedKind(unit.kind)) return supplyLineFeed(r, kept);
        unit.endOfFileSeen = true;
        raiseEndOfFile();
    }
    r.filePosition += n;
    r.lastIndex = kept + static_cast<std::int32_t>(n - 1);
    r.endsWithLineFeed = into[n - 1] == kLineFeed;
    if (typed) {
        if (n == r.size && r.data[n - 1] != kLineFeed) {
            r.lastIndex = -1;
            raiseRunTimeError(err::ConsoleLineTooLong);
        }
        if (isCtrlZLine(r.data.get(), n)) {
            r.lastIndex = -1;
            unit.endOfFileSeen = true;
            raiseEndOfFile();
        }
    }
    r.nextIndex = kept + 1;
    return r.data[kept];
}

std::int32_t skipInRecord(Unit& unit, std::int32_t count) {
    std::int32_t skipped = 0;
    while (skipped < count) {
        int c = nextChar(unit);
        if (c == kCarriageReturn || c == kLineFeed) {
            stepBack(unit);
            break;
        }
        ++skipped;
    }
    return skipped;
}

void moveBack(Unit& unit, std::int32_t count) {
    RecordBuffer& r = unit.record;
    if (count <= r.nextIndex) {
        r.nextIndex -= count;
        return;
    }
    // The bytes are no longer in the buffer: load again from their offset.
    std::int64_t offset = readPosition(unit) - count;
    if (!unit.seekable || offset < 0) raiseRunTimeError(err::ReadFailed);
    std::int64_t n = platform::readBytesAt(unit.handle, r.data.get(), static_cast<std::size_t>(r.size), offset);
    if (n <= 0) {
        r.nextIndex = 0;
        r.lastIndex = -1;
        raiseRunTimeError(err::ReadFailed);
    }
    r.filePosition = offset + n;
    r.recordStart = 0;
    r.nextIndex = 0;
    r.lastIndex = static_cast<std::int32_t>(n - 1);
    r.endsWithLineFeed = r.data[n - 1] == kLineFeed;
}

void advanceRecord(Unit& unit) {
    if (unit.nonAdvancing) return;
    unit.outputPending = false;
    RecordBuffer& r = unit.record;
    if (unit.kind == RecordKind::Console && readsTypedLines(unit)) {
        // Each load holds exactly one typed line: drop the rest of it.
        if (r.lastIndex < r.nextIndex) refillBuffer(unit);
        r.nextIndex = 0;
        r.lastIndex = -1;
        r.recordStart = 0;
        return;
    }
    for (;;) {
        if (r.lastIndex < r.nextIndex && refillBuffer(unit) == kLineFeed) break;
        const unsigned char* start = r.data.get() + r.nextIndex;
        const void* lf = std::memchr(start, kLineFeed, static_cast<std::size_t>(r.lastIndex - r.nextIndex + 1));
        if (lf != nullptr) {
            r.nextIndex += static_cast<std::int32_t>(static_cast<const unsigned char*>(lf) - start) + 1;
            break;
        }
        r.nextIndex = r.lastIndex + 1;
    }
    r.recordStart = r.nextIndex;
}

}  // namespace io
