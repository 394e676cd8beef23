#include "general/head_i.h"

#include <cstring>

#include <gtest/gtest.h>

#include "io/statement.h"
#include "tests/support/io_test.h"

namespace {

class HeadI : public testsupport::IoTest {
protected:
    // Opens `text` as unit 3.
    void open(const std::string& text) {
        ASSERT_EQ(io::openUnit(3, {.file = file("f.txt", text), .status = "OLD"}, io::catchNone), 0);
    }
};

TEST_F(HeadI, ReturnsTheLineAfterTheHeaderEnd) {
    struct Case {
        std::string file;
        std::string line;  // the first 60 characters returned
    };
    const std::string eighty(80, 'x');
    const Case cases[] = {
        {"==\r\nfirst\r\n", "first"},
        {"header\r\nmore\r\n===\r\n(I3,19F5.1)\r\n", "(I3,19F5.1)"},
        {"header\r\n== end of header\r\nreturned\r\n", "returned"},
        {" ==\r\n=\r\n==\r\nafter\r\n", "after"},  // a blank before, or one "=", does not end it
        {"==\n" + eighty + "\n", eighty.substr(0, 60)},
        {"==\r\n\r\n", ""},
        {"==\r\nlast line without end", "last line without end"},
    };
    for (const Case& c : cases) {
        io::initializeIo();
        open(c.file);
        char buffer[65];
        std::memset(buffer, 0, sizeof buffer);
        general::HEAD_I(3, buffer);
        std::string expected = c.line + std::string(60 - c.line.size(), ' ');
        EXPECT_EQ(std::string(buffer, 60), expected) << c.file;
        EXPECT_EQ(std::string(buffer + 60, 5), std::string(5, '\0')) << "characters 61 to 65 stay untouched";
    }
}

TEST_F(HeadI, TheNextReadStartsAfterTheReturnedLine) {
    open("h\n==\nformat\nrecord\n");
    char buffer[65] = {};
    general::HEAD_I(3, buffer);
    char next[6] = {};
    ASSERT_EQ(io::beginRead(3, "(a)", std::nullopt, nullptr, io::catchNone), 0);
    ASSERT_EQ(io::readItem(io::ItemKind::Character, next, 6), 0);
    ASSERT_EQ(io::endRead(), 0);
    EXPECT_EQ(std::string(next, 6), "record");
}

TEST_F(HeadI, AFileWithoutHeaderEndStopsTheRun) {
    open("no header\r\nend line\r\n");
    char buffer[65] = {};
    EXPECT_EXIT(general::HEAD_I(3, buffer), testing::ExitedWithCode(1), "");
}

TEST_F(HeadI, AHeaderEndAsTheLastLineIsAnEndOfFileError) {
    open("h\r\n==\r\n");
    char buffer[65] = {};
    EXPECT_EXIT(general::HEAD_I(3, buffer), testing::ExitedWithCode(1), "F6501: READ\\(.*f.txt\\)");
}

}  // namespace
