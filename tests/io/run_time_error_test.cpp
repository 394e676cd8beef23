#include "io/run_time_error.h"

#include <gtest/gtest.h>

namespace {

using io::StatementKind;

struct ReportCase {
    StatementKind kind;
    const char* unit;
    const char* message;
    const char* expected;
};

TEST(FormatReport, EveryFragmentForm) {
    const ReportCase cases[] = {
        {StatementKind::Open, "kavlot.txt", "file not found",
         "\r\nrun-time error F6416: OPEN(kavlot.txt)\r\n- file not found\r\n"},
        {StatementKind::Open, "kavlot.txt", "", "\r\nrun-time error F6416: OPEN(kavlot.txt)\r\n\r\n"},
        {StatementKind::None, "x", "m", "\r\nrun-time error F6416: (x)\r\n- m\r\n"},
        {StatementKind::Close, "x", "m", "\r\nrun-time error F6416: CLOSE(x)\r\n- m\r\n"},
        {StatementKind::Write, "CON", "m", "\r\nrun-time error F6416: WRITE(CON)\r\n- m\r\n"},
        {StatementKind::Endfile, "x", "m", "\r\nrun-time error F6416: ENDFILE(x)\r\n- m\r\n"},
        {StatementKind::Inquire, "x", "m", "\r\nrun-time error F6416: INQUIRE(x)\r\n- m\r\n"},
        {StatementKind::Locking, "x", "m", "\r\nrun-time error F6416: LOCKING(x)\r\n- m\r\n"},
        {StatementKind::Read, "", "m", "\r\nrun-time error F6416: READ()\r\n- m\r\n"},
        {StatementKind::Rewind, "x", "m", "\r\nrun-time error F6416: REWIND(x)\r\n- m\r\n"},
        {StatementKind::Backspace, "x", "m", "\r\nrun-time error F6416: BACKSPACE(x)\r\n- m\r\n"},
        {StatementKind::Eof, "x", "m", "\r\nrun-time error F6416: EOF(x)\r\n- m\r\n"},
        {StatementKind::DebugCheck, "x", "m", "\r\nrun-time error F6416: $DEBUG\r\n- m\r\n"},
        {StatementKind::Allocate, "x", "m", "\r\nrun-time error F6416: ALLOCATE\r\n- m\r\n"},
        {StatementKind::Deallocate, "x", "m", "\r\nrun-time error F6416: DEALLOCATE\r\n- m\r\n"},
        {StatementKind::BeginThread, "x", "m", "\r\nrun-time error F6416: BEGINTHREAD\r\n- m\r\n"},
        {StatementKind::Math, "x", "m", "\r\nrun-time error F6416: MATH\r\n- m\r\n"},
        {StatementKind::NoStatement, "x", "m", "\r\nrun-time error F6416\r\n- m\r\n"},
        {StatementKind::NoStatement, "x", "", "\r\nrun-time error F6416\r\n- \r\n"},
    };
    for (const ReportCase& c : cases) {
        EXPECT_EQ(io::formatReport(6416, 'F', c.kind, c.unit, c.message), c.expected)
            << "kind " << static_cast<int>(c.kind);
    }
    EXPECT_EQ(io::formatReport(6104, 'M', StatementKind::Math, "", "floating-point error: overflow"),
              "\r\nrun-time error M6104: MATH\r\n- floating-point error: overflow\r\n");
}

TEST(ErrorMessage, EveryNumberTheProgramCanRaiseHasOne) {
    const int numbers[] = {6100, 6101, 6102, 6103, 6104, 6205, 6206, 6207, 6208, 6302, 6303,
                           6405, 6407, 6412, 6413, 6414, 6415, 6416, 6417, 6418, 6421, 6422,
                           6500, 6501, 6502, 6503, 6504, 6505, 6506, 6507, 6509, 6510, 6601,
                           6700, 6801, 6802, 6971, 6972, 6980, 6981, 6982, 6983, 6984, 6986,
                           6987, 6988, 6989, 6990, 6991};
    for (int n : numbers) EXPECT_FALSE(io::errorMessage(n).empty()) << n;
    EXPECT_TRUE(io::errorMessage(6000).empty());
}

}  // namespace
