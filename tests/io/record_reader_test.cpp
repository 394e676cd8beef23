#include "io/record_reader.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "io/run_time_error.h"
#include "platform/platform.h"
#include "tests/support/run_program.h"

namespace {

// A unit reading `bytes` from a temporary file with a buffer of `bufferSize`.
struct FileUnit {
    io::Unit unit;
    std::string dir;
    FileUnit(const std::string& bytes, int bufferSize) {
        dir = testsupport::makeTempDirectory();
        testsupport::writeFile(dir + "/f", bytes);
        unit.handle = platform::openFile(dir + "/f", platform::OpenAccess::Read,
                                         platform::Creation::ExistingOnly).handle;
        unit.seekable = true;
        io::allocateBuffer(unit, bufferSize);
    }
    ~FileUnit() {
        platform::closeFile(unit.handle);
        testsupport::removeDirectory(dir);
    }
};

// The data of every record, as a statement that reads a record's text and
// then advances would see it.
std::vector<std::string> readRecords(io::Unit& unit) {
    std::vector<std::string> records;
    try {
        for (;;) {
            std::string text;
            for (int c; (c = io::nextChar(unit)) != io::kLineFeed && c != io::kCarriageReturn;) {
                text += static_cast<char>(c);
            }
            io::stepBack(unit);
            io::advanceRecord(unit);
            records.push_back(text);
        }
    } catch (const io::IoCondition& condition) {
        EXPECT_TRUE(condition.endOfFile);
        EXPECT_EQ(condition.number, 6501);
    }
    return records;
}

TEST(RecordReader, LineEnds) {
    struct Case {
        std::string bytes;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"ab\ncd\n", {"ab", "cd"}},
        {"ab\r\ncd\r\n", {"ab", "cd"}},
        {"ab\rskipped\ncd", {"ab", "cd"}},  // text after a lone CR goes with its record
        {"ab\n\n\ncd\n", {"ab", "", "", "cd"}},
        {"ab", {"ab"}},                      // a last line without a line end is a record
        {"ab\r", {"ab"}},
        {"", {}},
        {"\n", {""}},
        {"x\x1a\n", {"x\x1a"}},              // Ctrl-Z is an ordinary byte in a file
    };
    for (const Case& c : cases) {
        FileUnit f(c.bytes, 1024);
        EXPECT_EQ(readRecords(f.unit), c.records) << testing::PrintToString(c.bytes);
    }
}

TEST(RecordReader, MissingLastLineEndAtBufferBoundaries) {
    for (int length : {1, 1023, 1024, 1025, 2047, 2048, 2049}) {
        std::string bytes = "first\n" + std::string(static_cast<std::size_t>(length) - 1, 'x') + "y";
        FileUnit f(bytes, 1024);
        std::vector<std::string> records = readRecords(f.unit);
        ASSERT_EQ(records.size(), 2u) << length;
        EXPECT_EQ(records[1].size(), static_cast<std::size_t>(length));
        EXPECT_EQ(records[1].back(), 'y');
        // The whole file, line end and all, fills buffers exactly.
        FileUnit exact(std::string(static_cast<std::size_t>(length), 'z'), 1024);
        std::vector<std::string> one = readRecords(exact.unit);
        ASSERT_EQ(one.size(), 1u);
        EXPECT_EQ(one[0].size(), static_cast<std::size_t>(length));
    }
}

TEST(RecordReader, LongLineAcrossManyLoads) {
    std::string line(5000, 'q');
    line[4321] = 'Q';
    FileUnit f(line + "\nnext\n", 1024);
    std::vector<std::string> records = readRecords(f.unit);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], line);
    EXPECT_EQ(records[1], "next");
}

TEST(RecordReader, EndOfFileIsMetOnlyByTheNextLoadAndMarksTheUnit) {
    FileUnit f("a", 1024);
    EXPECT_EQ(io::nextChar(f.unit), 'a');
    EXPECT_EQ(io::nextChar(f.unit), io::kLineFeed);  // supplied
    EXPECT_FALSE(f.unit.endOfFileSeen);
    EXPECT_THROW(io::nextChar(f.unit), io::IoCondition);
    EXPECT_TRUE(f.unit.endOfFileSeen);
}

TEST(RecordReader, InputArrivingInPiecesFromAPipe) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::thread writer([w = fds[1]] {
        for (const char* piece : {"ab", "c\nd", "e", "\r\n", "fgh"}) {
            (void)!::write(w, piece, std::strlen(piece));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::close(w);
    });
    io::Unit unit;
    unit.handle = fds[0];
    io::allocateBuffer(unit, 1024);
    EXPECT_EQ(readRecords(unit), (std::vector<std::string>{"abc", "de", "fgh"}));
    writer.join();
    ::close(fds[0]);
}

TEST(RecordReader, APipeKeepsTheCurrentRecordForMovingBack) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::thread writer([w = fds[1]] {
        for (const char* piece : {"x\nab", "cdef", "ghi", "j"}) {
            (void)!::write(w, piece, std::strlen(piece));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::close(w);
    });
    io::Unit unit;
    unit.handle = fds[0];
    io::allocateBuffer(unit, 4);
    io::advanceRecord(unit);
    EXPECT_EQ(io::skipInRecord(unit, 100), 10);  // through several loads to the supplied line end
    io::moveBack(unit, 10);
    EXPECT_EQ(io::nextChar(unit), 'a');
    EXPECT_EQ(io::skipInRecord(unit, 100), 9);
    EXPECT_EQ(io::nextChar(unit), io::kLineFeed);
    EXPECT_THROW(io::nextChar(unit), io::IoCondition);
    writer.join();
    ::close(fds[0]);
}

TEST(RecordReader, SkipAndMoveBackWithinTheRecord) {
    FileUnit f("abcdefghijklmnopqrstuvwxyz\nnext\n", 8);
    EXPECT_EQ(io::skipInRecord(f.unit, 12), 12);
    EXPECT_EQ(io::nextChar(f.unit), 'm');
    io::moveBack(f.unit, 11);  // before the start of the buffer: read again from the file
    EXPECT_EQ(io::nextChar(f.unit), 'c');
    EXPECT_EQ(io::skipInRecord(f.unit, 100), 23);  // stops before the line end
    EXPECT_EQ(io::nextChar(f.unit), io::kLineFeed);
    io::moveBack(f.unit, 27);
    EXPECT_EQ(io::nextChar(f.unit), 'a');
    io::advanceRecord(f.unit);
    EXPECT_EQ(io::nextChar(f.unit), 'n');
}

}  // namespace
