// The name of the file being connected: taken from the command line, or
// asked for on the console when the name given is blank.
#include <string>
#include <vector>

#include "io/console/console_writer.h"
#include "io/error_numbers.h"
#include "io/record_reader.h"
#include "io/run_time_error.h"
#include "io/unit_table.h"
#include "io/units.h"
#include "platform/platform.h"

namespace io {

namespace {

std::string nameBuffer;
std::vector<std::string> arguments;  // argument 0 is the program
int cursor = 1;

constexpr std::string_view kPrompt = "File name missing or blank - please enter file name\r\nUNIT ";
constexpr std::size_t kConsoleAnswerBytes = 260;

// The console hands over a typed line with its line end, in one read or, for
// a line longer than a read takes, in several; the name is never cut. A read
// that returns nothing before the line end is the end of the input.
void readTypedAnswer(std::string& answer) {
    char bytes[kConsoleAnswerBytes];
    for (;;) {
        const std::int64_t count = platform::readBytes(0, bytes, sizeof bytes);
        if (count < 0) raiseRunTimeError(err::ReadFailed);
        if (count == 0) {
            if (!answer.empty()) return;  // a line ended by the end of the input
            raiseEndOfFile(err::EndOfFile);
        }
        const std::string_view piece(bytes, static_cast<std::size_t>(count));
        const std::size_t end = piece.find_first_of("\r\n");
        answer.append(piece.substr(0, end));
        if (end != std::string_view::npos) return;
    }
}

// Redirected input: the answer is the next line of the console input
// record; what follows it stays buffered for later console reads.
void readRedirectedAnswer(std::string& answer) {
    Unit& console = consoleInputRecord();
    console.handle = 0;
    for (;;) {
        const int c = nextChar(console);
        if (c == kCarriageReturn) {
            nextChar(console);  // the LF of the CR LF pair
            return;
        }
        if (c == kLineFeed) return;
        answer.push_back(static_cast<char>(c));
    }
}

void keepTrimmed(std::string& name) {
    const std::string_view trimmed = trimBlanks(name);
    name = std::string(trimmed);
}

}  // namespace

std::string& fileNameBuffer() { return nameBuffer; }

void setArguments(int count, const char* const* vector) {
    arguments.assign(vector, vector + count);
    cursor = 1;
}

int argumentCursor() { return cursor; }

void setArgumentCursorToStart() { cursor = 1; }

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return text.substr(0, 0);
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void acquireFileName(std::int32_t unit) {
    std::string& name = nameBuffer;
    name.clear();
    if (cursor < static_cast<int>(arguments.size())) {
        const std::string& argument = arguments[static_cast<std::size_t>(cursor++)];
        name = argument;
        keepTrimmed(name);
    } else {
        endOpenLine();
    }
    while (name.empty()) {
        writeRawText(std::string(kPrompt) + std::to_string(unit) + "? ");
        if (platform::standardHandleType(0) == platform::HandleType::CharacterDevice) {
            readTypedAnswer(name);
        } else {
            readRedirectedAnswer(name);
        }
        keepTrimmed(name);
    }
}

}  // namespace io
