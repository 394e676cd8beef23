// Turning the bytes of a text file into records.
//
// A record ends at CR or LF; moving to the next record skips through the LF.
// The last line of an input is a record whether or not it ends with a LF.
#pragma once

#include <cstdint>

#include "io/unit.h"

namespace io {

inline constexpr unsigned char kLineFeed = 10;
inline constexpr unsigned char kCarriageReturn = 13;
inline constexpr unsigned char kCtrlZ = 26;

// Loads the next chunk and hands out its first byte. Raises the end-of-file
// condition (6501) when the input has no more bytes, 6500 when a read fails.
int refillBuffer(Unit& unit);

// The next byte of the current record, line ends included.
inline int nextChar(Unit& unit) {
    RecordBuffer& r = unit.record;
    if (r.lastIndex < r.nextIndex) return refillBuffer(unit);
    return r.data[r.nextIndex++];
}

// Hands the byte just taken out again.
inline void stepBack(Unit& unit) { --unit.record.nextIndex; }

// Skips up to count bytes of the current record, stopping before its CR or
// LF; returns how many were skipped.
std::int32_t skipInRecord(Unit& unit, std::int32_t count);

// Moves back count bytes within the current record (tab editing). Bytes
// that are no longer in the buffer are read again from the file.
void moveBack(Unit& unit, std::int32_t count);

// Skips the rest of the current record through its line feed.
void advanceRecord(Unit& unit);

// File offset of the next byte to hand out.
inline std::int64_t readPosition(const Unit& unit) {
    const RecordBuffer& r = unit.record;
    return r.filePosition - (r.lastIndex + 1) + r.nextIndex;
}

// Gives the unit an empty buffer of the given size.
void allocateBuffer(Unit& unit, std::int32_t size);

}  // namespace io
