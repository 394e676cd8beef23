// Raising conditions and writing the one-line report of an uncaught error.
#include "io/run_time_error.h"

#include "io/termination.h"
#include "platform/platform.h"

namespace io {

namespace {

struct Fragment {
    std::string_view text;
    bool showsUnit;
};

Fragment fragmentOf(StatementKind kind) {
    switch (kind) {
    case StatementKind::None: return {": (", true};
    case StatementKind::Close: return {": CLOSE(", true};
    case StatementKind::Write: return {": WRITE(", true};
    case StatementKind::Endfile: return {": ENDFILE(", true};
    case StatementKind::Inquire: return {": INQUIRE(", true};
    case StatementKind::Locking: return {": LOCKING(", true};
    case StatementKind::Open: return {": OPEN(", true};
    case StatementKind::Read: return {": READ(", true};
    case StatementKind::Rewind: return {": REWIND(", true};
    case StatementKind::Backspace: return {": BACKSPACE(", true};
    case StatementKind::Eof: return {": EOF(", true};
    case StatementKind::DebugCheck: return {": $DEBUG\r\n- ", false};
    case StatementKind::Allocate: return {": ALLOCATE\r\n- ", false};
    case StatementKind::Deallocate: return {": DEALLOCATE\r\n- ", false};
    case StatementKind::BeginThread: return {": BEGINTHREAD\r\n- ", false};
    case StatementKind::Math: return {": MATH\r\n- ", false};
    case StatementKind::NoStatement: return {"\r\n- ", false};
    }
    return {"\r\n- ", false};
}

}  // namespace

void raiseRunTimeError(std::int32_t number) { throw IoCondition{number, false}; }

void raiseEndOfFile(std::int32_t number) { throw IoCondition{number, true}; }

std::string formatReport(std::int32_t number, char classLetter, StatementKind kind,
                         std::string_view unitName, std::string_view message) {
    char digits[5] = {};
    std::int32_t n = number < 0 ? 0 : number % 10000;
    for (int i = 3; i >= 0; --i, n /= 10) digits[i] = static_cast<char>('0' + n % 10);

    Fragment fragment = fragmentOf(kind);
    std::string report = "\r\nrun-time error ";
    report += classLetter;
    report.append(digits, 4);
    report += fragment.text;
    if (fragment.showsUnit) {
        report += unitName;
        report += message.empty() ? ")\r\n" : ")\r\n- ";
    }
    report += message;
    report += "\r\n";
    return report;
}

void reportRunTimeError(std::int32_t number, char classLetter, StatementKind kind,
                        std::string_view unitName, std::string_view message) {
    std::string report = formatReport(number, classLetter, kind, unitName, message);
    platform::writeBytes(2, report.data(), report.size());
    if (!exitActionsRunning()) endRun(1);
}

}  // namespace io
