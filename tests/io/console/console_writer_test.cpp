#include "io/console/console_writer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "platform/platform.h"

namespace {

class ConsoleWriter : public testing::Test {
protected:
    void SetUp() override { io::resetConsoleWriter(); }
    void TearDown() override { io::resetConsoleWriter(); }

    // The bytes that `work` writes to standard output.
    static std::string captured(const std::function<void()>& work) {
        testing::internal::CaptureStdout();
        work();
        return testing::internal::GetCapturedStdout();
    }

    static void record(std::string_view text, bool advance = true) {
        io::putRecordText(text);
        io::endConsoleRecord(advance);
    }
};

TEST_F(ConsoleWriter, FirstCharacterControlByLineOpen) {
    struct Case {
        char first;
        const char* fresh;   // no line open
        const char* opened;  // after a record " A"
    };
    const Case cases[] = {
        {'+', "\rBC", "A\rBC"},
        {'0', "\r\nBC", "A\r\n\r\nBC"},
        {'1', "\r\n\f\r \rBC", "A\r\n\f\r \rBC"},
        {' ', "BC", "A\r\nBC"},
        {'X', "BC", "A\r\nBC"},
        {'-', "BC", "A\r\nBC"},
    };
    for (const Case& c : cases) {
        const std::string text = std::string(1, c.first) + "BC";
        io::resetConsoleWriter();
        EXPECT_EQ(captured([&] { record(text); }), c.fresh) << c.first;
        io::resetConsoleWriter();
        EXPECT_EQ(captured([&] {
                      record(" A");
                      record(text);
                  }),
                  c.opened)
            << c.first;
    }
}

TEST_F(ConsoleWriter, ListControlWritesTheWholeRecord) {
    io::setConsoleCarriageControl(io::CarriageControl::List);
    EXPECT_EQ(captured([] {
                  record("1AB");
                  record("+CD");
                  record("");
              }),
              "1AB\r\n+CD\r\n ");
}

TEST_F(ConsoleWriter, EmptyRecordIsOneBlank) {
    EXPECT_EQ(captured([] { record(""); }), "");
    EXPECT_EQ(captured([] { record(""); }), "\r\n");  // the first one left a line open
}

TEST_F(ConsoleWriter, TextPiecesMakeOneRecord) {
    EXPECT_EQ(captured([] {
                  io::putRecordText(" 12");
                  io::putRecordText("");
                  io::putRecordText("34.");
                  io::endConsoleRecord(true);
              }),
              "1234.");
}

TEST_F(ConsoleWriter, LongRecordOnlyFirstChunkUnderControl) {
    // Control characters where the 2nd and 3rd chunks begin must be printed.
    std::string text(300, 'x');
    text[0] = '1';
    text[132] = '0';
    text[264] = '+';
    text[299] = 'z';
    EXPECT_EQ(captured([&] { record(text); }), "\r\n\f\r \r" + text.substr(1));

    // A record of exactly one buffer is one chunk.
    std::string full(132, 'y');
    full[0] = '0';
    EXPECT_EQ(captured([&] { record(full); }), "\r\n\r\n" + full.substr(1));
}

TEST_F(ConsoleWriter, NoAdvanceContinuesTheLine) {
    EXPECT_EQ(captured([] {
                  record(" AB", false);
                  record("0CD", false);
                  record("1EF");
                  record(" GH");
                  io::closeConsoleLine();
              }),
              "AB0CD1EF\r\nGH\r\n");
}

TEST_F(ConsoleWriter, EndingTheLine) {
    EXPECT_EQ(captured([] {
                  io::endOpenLine();
                  io::closeConsoleLine();
              }),
              "");  // nothing was written: no line to end

    EXPECT_EQ(captured([] {
                  record(" A");
                  io::endOpenLine();
                  io::writeRawText("STOP");
                  io::endOpenLine();  // the line still counts as open
                  io::closeConsoleLine();
                  io::closeConsoleLine();
                  io::endOpenLine();
              }),
              "A\r\nSTOP\r\n\r\n");

    // A prompt neither opens nor ends a line.
    io::resetConsoleWriter();
    EXPECT_EQ(captured([] {
                  io::writeRawText("UNIT 1? ");
                  record(" B");
              }),
              "UNIT 1? B");
}

TEST_F(ConsoleWriter, TotalsLineShapes) {
    EXPECT_EQ(captured([] {
                  record("12345680.      0.      0.      0.");
                  io::closeConsoleLine();
              }),
              "\r\n\f\r \r2345680.      0.      0.      0.\r\n");
    io::resetConsoleWriter();
    EXPECT_EQ(captured([] { record("-1234568.*********"); }), "1234568.*********");
}

// Runs `work` with standard output pointing at `fd`; returns the number of
// the error it raised, or 0.
int withStandardOutput(int fd, const std::function<void()>& work) {
    std::fflush(stdout);
    const int saved = dup(1);
    dup2(fd, 1);
    int raised = 0;
    try {
        work();
    } catch (const io::IoCondition& condition) {
        raised = condition.number;
    }
    dup2(saved, 1);
    close(saved);
    return raised;
}

TEST_F(ConsoleWriter, WriteFailures) {
    platform::prepareStandardHandles();  // a closed pipe must not kill the test

    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    EXPECT_EQ(withStandardOutput(full, [] { record(" ABC"); }), io::err::DiskFull);
    io::resetConsoleWriter();
    EXPECT_EQ(withStandardOutput(full, [] { record("1"); }), 0);  // only a sequence: not examined
    io::resetConsoleWriter();
    EXPECT_EQ(withStandardOutput(full, [] { record("1", false); io::closeConsoleLine(); }), 0);
    close(full);

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    io::resetConsoleWriter();
    EXPECT_EQ(withStandardOutput(ends[1], [] { record(" ABC"); }), 0);  // a closed pipe is ignored
    close(ends[1]);

#ifdef MFD_ALLOW_SEALING
    // A write-sealed file refuses every write.
    const int sealed = memfd_create("sealed", MFD_ALLOW_SEALING);
    ASSERT_GE(sealed, 0);
    ASSERT_EQ(fcntl(sealed, F_ADD_SEALS, F_SEAL_WRITE), 0);
    io::resetConsoleWriter();
    EXPECT_EQ(withStandardOutput(sealed, [] { record(" ABC"); }), io::err::OutputRefused);
    close(sealed);
#endif
}

}  // namespace
