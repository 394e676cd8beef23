#include "general/head_i.h"

#include "general/text_compare.h"
#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "io/statement.h"
#include "io/termination.h"

namespace general {

namespace {

constexpr std::string_view kLineFormat = "(a)";
constexpr std::string_view kMissingHeader = "Fout in invoerbestand: kop ontbreekt of lege file";

// One header READ with IOSTAT=: the first nonzero outcome of its three calls.
io::IoOutcome readHeaderMark(std::int32_t unit, char (&mark)[2]) {
    io::IoOutcome outcome = io::beginRead(unit, kLineFormat, std::nullopt, nullptr, io::catchAll);
    if (outcome == 0) outcome = io::readItem(io::ItemKind::Character, mark, 2);
    if (outcome == 0) outcome = io::endRead();
    return outcome;
}

}  // namespace

void HEAD_I(const std::int32_t& unit, char* text) {
    char mark[2] = {' ', ' '};
    for (;;) {
        io::IoOutcome outcome = readHeaderMark(unit, mark);
        if (outcome < 0) {
            // The file ended before its header did. The run failed, so the
            // message is followed by exit status 1, not the 0 of STOP.
            io::writeStopMessage(kMissingHeader);
            io::endRun(1);
        }
        if (outcome == io::err::ReadFailed) {
            // The file cannot be read at all: reading on would never end.
            io::reportStatementError(outcome, io::StatementKind::Read, unit);
        }
        if (textCompare(std::string_view(mark, 2), "==") == 0) break;
    }
    io::beginRead(unit, kLineFormat, std::nullopt, nullptr, io::catchNone);
    io::readItem(io::ItemKind::Character, text, kHeaderLineLength);
    io::endRead();
}

}  // namespace general
