// Console output records under first-character or list carriage control.
//
// Line ends come before a record, not after it: the first character of a
// record chooses what is written ahead of the rest, and the last line is
// ended when the unit is closed or the run ends.
#include "io/console/console_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "platform/platform.h"

namespace io {
namespace {

constexpr int kStandardOutput = 1;
constexpr std::size_t kRecordSize = 132;

struct ConsoleOutput {
    char record[kRecordSize];
    std::size_t count = 0;     // bytes held in `record`
    bool lineOpen = false;     // a record was written and no line end followed it
    bool recordStarted = false;  // part of the current record (or line) is already out
    CarriageControl carriage = CarriageControl::FirstCharacter;
};

ConsoleOutput console;

constexpr std::string_view kNewLine = "\r\n";

// What a record's first character writes ahead of the rest of the record.
std::string_view controlSequence(char first, bool lineOpen) {
    switch (first) {
    case '+': return "\r";
    case '0': return lineOpen ? "\r\n\r\n" : "\r\n";
    case '1': return "\r\n\f\r \r";
    default: return lineOpen ? kNewLine : std::string_view{};
    }
}

// Carriage-control bytes: their result is not examined.
void writeControl(std::string_view bytes) {
    if (!bytes.empty()) platform::writeBytes(kStandardOutput, bytes.data(), bytes.size());
}

// The record's characters: a full disk or a refusal is an error; any other
// shortfall (a closed pipe, say) is ignored.
void writeCharacters(std::string_view bytes) {
    if (bytes.empty()) return;
    platform::WriteResult result = platform::writeBytes(kStandardOutput, bytes.data(), bytes.size());
    if (result.written == bytes.size()) return;
    if (result.failure == platform::Failure::DiskFull) raiseRunTimeError(err::DiskFull);
    if (result.failure == platform::Failure::AccessDenied) raiseRunTimeError(err::OutputRefused);
}

// Writes the buffer's contents as one chunk of the current record and empties it.
void writeChunk() {
    std::string_view chunk(console.record, console.count);
    const bool beginsRecord = !console.recordStarted;
    console.count = 0;
    console.recordStarted = true;
    if (beginsRecord && console.carriage == CarriageControl::FirstCharacter && !chunk.empty()) {
        writeControl(controlSequence(chunk[0], console.lineOpen));
        chunk.remove_prefix(1);
    } else if (beginsRecord && console.lineOpen) {
        writeControl(kNewLine);  // list control
    }
    writeCharacters(chunk);
}

}  // namespace

void putRecordText(std::string_view text) {
    while (!text.empty()) {
        if (console.count == kRecordSize) writeChunk();
        const std::size_t take = std::min(text.size(), kRecordSize - console.count);
        std::copy_n(text.data(), take, console.record + console.count);
        console.count += take;
        text.remove_prefix(take);
    }
}

void endConsoleRecord(bool advance) {
    // The buffer is only emptied when more characters follow, so an empty
    // buffer here means an empty record, which is a record of one blank.
    if (console.count == 0) console.record[console.count++] = ' ';
    writeChunk();
    console.lineOpen = true;
    console.recordStarted = !advance;
}

void endOpenLine() {
    if (console.lineOpen) writeControl(kNewLine);
}

void closeConsoleLine() {
    if (!console.lineOpen) return;
    writeControl(kNewLine);
    console.lineOpen = false;
}

void writeRawText(std::string_view text) { writeControl(text); }

void setConsoleCarriageControl(CarriageControl control) { console.carriage = control; }

void resetConsoleWriter() { console = ConsoleOutput{}; }

}  // namespace io
