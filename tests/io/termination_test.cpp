#include "io/termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "io/console/console_writer.h"
#include "io/statement.h"
#include "tests/support/io_test.h"

namespace {

// A death test's child sends standard output to a file, which the parent
// reads back after the child has ended.
class Termination : public testsupport::IoTest {
protected:
    void redirectStdout() const {
        int fd = ::open((dir_ + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 1);
        ::close(fd);
    }
    std::string written() const { return testsupport::readFile(dir_ + "/stdout"); }
};

TEST_F(Termination, StopWritesItsMessageAndEndsWithStatusZero) {
    EXPECT_EXIT((redirectStdout(), io::stopProgram("Klaar")), testing::ExitedWithCode(0), "");
    EXPECT_EQ(written(), "Klaar\r\n");
    EXPECT_EXIT((redirectStdout(), io::stopProgram(std::nullopt)), testing::ExitedWithCode(0), "");
    EXPECT_EQ(written(), "Stop - Program terminated.\r\n");
}

TEST_F(Termination, AnOpenConsoleLineIsEndedBeforeTheMessageAndAgainAtTheEnd) {
    auto run = [this] {
        redirectStdout();
        io::putRecordText(" total");
        io::endConsoleRecord(true);
        io::stopProgram("message");
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(0), "");
    EXPECT_EQ(written(), "total\r\nmessage\r\n\r\n");
}

TEST_F(Termination, TheEndOfTheRunEndsTheLastLineOnce) {
    auto run = [this] {
        redirectStdout();
        io::putRecordText(" total");
        io::endConsoleRecord(true);
        io::endRun(0);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(0), "");
    EXPECT_EQ(written(), "total\r\n");
}

TEST_F(Termination, AnErrorWhileClosingUnitsIsReportedWithoutEndingTheRunTwice) {
    // A unit whose file the system will not delete, marked to be deleted at close.
    ASSERT_EQ(io::openUnit(3, {.file = "/proc/version", .status = "OLD"}, io::catchNone), 0);
    io::findUnit(3, io::Direction::Reading)->deleteOnClose = true;
    EXPECT_EXIT(io::endRun(0), testing::ExitedWithCode(0),
                testing::StartsWith("\r\nrun-time error F6404: CLOSE(/proc/version)\r\n- "));
}

}  // namespace
