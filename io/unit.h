// A connection of a unit number to a file, a device or the console.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace io {

enum class RecordKind : std::int32_t {
    Internal = 0,
    Console = 1,  // console or device, formatted
    FormattedDirect = 2,
    FormattedSequential = 3,
    BinaryDirect = 4,
    BinarySequential = 5,
    UnformattedDirect = 6,
    UnformattedSequential = 7,
};

inline bool isFormattedKind(RecordKind k) {
    return k == RecordKind::Internal || k == RecordKind::Console ||
           k == RecordKind::FormattedDirect || k == RecordKind::FormattedSequential;
}

enum class Action : std::uint8_t { Read = 1, ReadWrite = 2, Write = 3 };
enum class CloseDisposition : std::uint8_t { Keep, Delete };
enum class Delim : std::uint8_t { None, Apostrophe, Quote };
enum class Position : std::uint8_t { AsIs, Rewind, Append };
enum class CarriageControl : std::uint8_t { FirstCharacter, List };
enum class Share : std::uint8_t { DenyNone, Compat, DenyRead, DenyWrite, DenyReadWrite };

// The bytes of the file as the record reader loads them.
struct RecordBuffer {
    std::unique_ptr<unsigned char[]> data;
    std::int32_t size = 0;        // capacity in bytes
    std::int32_t nextIndex = 0;   // next byte to hand out
    std::int32_t lastIndex = -1;  // last valid byte; -1 when empty
    std::int64_t filePosition = 0;  // file offset just after the bytes loaded so far
    std::int32_t recordStart = 0;   // index of the current record's first byte
    bool endsWithLineFeed = true;   // the last byte loaded so far is a line feed (or none was)
};

struct Unit {
    std::string name;  // as opened, after trimming; "CON" for the console
    int handle = -1;
    RecordKind kind = RecordKind::FormattedSequential;

    bool deleteOnClose = false;
    bool outputPending = false;
    bool blankAsZero = false;
    bool endOfFileSeen = false;
    bool consoleRouted = false;
    bool seekable = false;  // the handle can be read at any offset

    RecordBuffer record;

    std::int32_t recordLength = 0;
    std::int32_t recordNumber = 1;
    Action action = Action::ReadWrite;
    Share share = Share::DenyNone;
    CarriageControl carriage = CarriageControl::List;
    Delim delim = Delim::None;
    bool pad = true;
    Position position = Position::AsIs;
    bool nonAdvancing = false;
    CloseDisposition defaultClose = CloseDisposition::Keep;
};

}  // namespace io
