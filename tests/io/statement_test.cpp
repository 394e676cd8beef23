#include "io/statement.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "io/console/console_writer.h"
#include "platform/platform.h"
#include "io/initialize.h"
#include "tests/support/io_test.h"

namespace {

using io::catchAll;
using io::catchEnd;
using io::catchErr;
using io::catchNone;
using io::CatchSet;
using io::IoOutcome;
using io::ItemKind;

class Statement : public testsupport::IoTest {};

enum class Condition { EndOfFile, BadValue, BadDesignator };

// One list-directed READ of two integers; the first nonzero outcome.
IoOutcome readTwo(std::int32_t unit, CatchSet catches) {
    std::int32_t a = 0, b = 0;
    IoOutcome o = io::beginRead(unit, std::nullopt, std::nullopt, nullptr, catches);
    if (o == 0) o = io::readItem(ItemKind::Integer4, &a);
    if (o == 0) o = io::readItem(ItemKind::Integer4, &b);
    if (o == 0) o = io::endRead();
    return o;
}

IoOutcome provoke(Condition condition, CatchSet catches, const std::string& empty, const std::string& bad) {
    switch (condition) {
    case Condition::EndOfFile:
        io::openUnit(3, {.file = empty, .status = "OLD"}, catchNone);
        return readTwo(3, catches);
    case Condition::BadValue:
        io::openUnit(3, {.file = bad, .status = "OLD"}, catchNone);
        return readTwo(3, catches);
    case Condition::BadDesignator:
        return readTwo(40000, catches);
    }
    return 0;
}

struct OutcomeCase {
    Condition condition;
    CatchSet catches;
    const char* name;
    IoOutcome returned;        // 0 when the condition is reported instead
    const char* reportPattern;  // what standard error shows when reported
};

TEST_F(Statement, OutcomeRule) {
    const std::string empty = file("empty.txt", "");
    const std::string bad = file("bad.txt", "x 1\n");
    const OutcomeCase cases[] = {
        {Condition::EndOfFile, catchEnd, "END=", -1, nullptr},
        {Condition::EndOfFile, catchErr, "ERR=", -1, nullptr},
        {Condition::EndOfFile, catchAll, "IOSTAT=", -1, nullptr},
        {Condition::EndOfFile, catchNone, "none", 0, "F6501: READ\\(.*empty.txt\\)"},
        {Condition::BadValue, catchEnd, "END=", 0, "F6101: READ\\(.*bad.txt\\)"},
        {Condition::BadValue, catchErr, "ERR=", 6101, nullptr},
        {Condition::BadValue, catchAll, "IOSTAT=", 6101, nullptr},
        {Condition::BadValue, catchNone, "none", 0, "F6101: READ\\(.*bad.txt\\)"},
        {Condition::BadDesignator, catchEnd, "END=", 0, "run-time error F6314\r\n- "},
        {Condition::BadDesignator, catchErr, "ERR=", 0, "run-time error F6314\r\n- "},
        {Condition::BadDesignator, catchAll, "IOSTAT=", 6314, nullptr},
        {Condition::BadDesignator, catchNone, "none", 0, "run-time error F6314\r\n- "},
    };
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " condition " + std::to_string(static_cast<int>(c.condition)));
        io::initializeIo();
        if (c.returned != 0) {
            EXPECT_EQ(provoke(c.condition, c.catches, empty, bad), c.returned);
        } else {
            EXPECT_EXIT(provoke(c.condition, c.catches, empty, bad), testing::ExitedWithCode(1),
                        c.reportPattern);
        }
    }
}

TEST_F(Statement, AfterAnEarlyOutcomeEveryLaterCallReturnsIt) {
    const std::string bad = file("bad.txt", "x 1\n2 3\n");
    ASSERT_EQ(io::openUnit(3, {.file = bad, .status = "OLD"}, catchNone), 0);
    std::int32_t a = 7, b = 7;
    ASSERT_EQ(io::beginRead(3, std::nullopt, std::nullopt, nullptr, catchAll), 0);
    EXPECT_EQ(io::readItem(ItemKind::Integer4, &a), 6101);
    EXPECT_EQ(io::readItem(ItemKind::Integer4, &b), 6101);
    EXPECT_EQ(io::endRead(), 6101);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 7);
}

TEST_F(Statement, EndOfFileLastsForTheUnit) {
    const std::string empty = file("empty.txt", "");
    ASSERT_EQ(io::openUnit(3, {.file = empty, .status = "OLD"}, catchNone), 0);
    EXPECT_EQ(readTwo(3, catchEnd), -1);
    EXPECT_EQ(readTwo(3, catchEnd), -1);
    EXPECT_EQ(readTwo(3, catchErr), -1);
    EXPECT_EXIT(readTwo(3, catchNone), testing::ExitedWithCode(1), "F6405: READ\\(");
}

TEST_F(Statement, AConsoleEndOfFileDoesNotLast) {
    // The next console READ reads again (and meets the end once more as
    // 6501), where a file would answer 6405 at once.
    const std::string empty = file("empty.txt", "");
    auto run = [&] {
        int fd = ::open(empty.c_str(), O_RDONLY);
        ::dup2(fd, 0);
        platform::prepareStandardHandles();
        io::initializeIo();
        if (readTwo(5, catchEnd) != -1) std::abort();
        readTwo(5, catchNone);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(1), "F6501: READ\\(CON\\)");
}

TEST_F(Statement, BeginChecks) {
    EXPECT_EQ(io::beginWrite(io::DefaultInputUnit, "(a)", std::nullopt, catchAll), 6314);
    EXPECT_EQ(io::beginRead(io::DefaultOutputUnit, "(a)", std::nullopt, nullptr, catchAll), 6314);
    EXPECT_EQ(io::beginRead(-32768, "(a)", std::nullopt, nullptr, catchAll), 6314);
    EXPECT_EQ(io::beginRead(io::DefaultInputUnit, "(a)", "no ", nullptr, catchAll), 0);
    EXPECT_EXIT(io::beginRead(1, "(a)", "N", nullptr, catchAll), testing::ExitedWithCode(1), "F6999\r\n- ");
    std::int32_t size = 0;
    EXPECT_EXIT(io::beginRead(1, "(a)", "YES", &size, catchAll), testing::ExitedWithCode(1), "F6800\r\n- ");
    EXPECT_EQ(io::openUnit(32768, {.file = "x"}, catchNone), 6314);
    EXPECT_EQ(io::closeUnit(3, "KEPT", catchNone), 6304);
    EXPECT_EQ(io::closeUnit(3, "delete  ", catchNone), 0);  // not connected: nothing happens
}

TEST(KeywordMatch, LettersWithoutCaseThenOnlyBlanks) {
    struct Case {
        const char* text;
        const char* keyword;
        bool matches;
    };
    const Case cases[] = {
        {"NO", "NO", true},   {"no", "NO", true},   {"No  ", "NO", true}, {"N", "NO", false},
        {"NOT", "NO", false}, {" NO", "NO", false}, {"", "NO", false},    {"NO\t", "NO", false},
        {"old", "OLD", true}, {"0LD", "OLD", false},
    };
    for (const Case& c : cases) EXPECT_EQ(io::keywordMatch(c.text, c.keyword), c.matches) << c.text;
}

const char* innerText = " inner";

float valueThatWrites() {
    io::beginWrite(io::DefaultOutputUnit, "(a)", std::nullopt, catchNone);
    io::writeItem(ItemKind::Character, innerText, 6);
    io::endWrite();
    return 2.0f;
}

TEST_F(Statement, NestedWriteComesOutFirst) {
    testing::internal::CaptureStdout();
    io::beginWrite(io::DefaultOutputUnit, "(a,F4.1)", std::nullopt, catchNone);
    io::writeItem(ItemKind::Character, " outer", 6);
    float v = valueThatWrites();
    io::writeItem(ItemKind::Real4, &v);
    io::endWrite();
    io::closeConsoleLine();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "inner\r\nouter 2.0\r\n");
}

TEST_F(Statement, WriteCollectsCharacterValuesAtTheCall) {
    testing::internal::CaptureStdout();
    char text[] = " abc";
    io::beginWrite(io::DefaultOutputUnit, "(a)", std::nullopt, catchNone);
    io::writeItem(ItemKind::Character, text, 4);
    text[1] = 'X';
    io::endWrite();
    io::closeConsoleLine();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "abc\r\n");
}

TEST_F(Statement, WriteHasNoFixedItemLimit) {
    testing::internal::CaptureStdout();
    io::beginWrite(io::DefaultOutputUnit, "(1X,5000I1)", std::nullopt, catchNone);
    for (int i = 0; i < 5000; ++i) {
        std::int32_t digit = i % 10;
        io::writeItem(ItemKind::Integer4, &digit);
    }
    EXPECT_EQ(io::endWrite(), 0);
    io::closeConsoleLine();
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(out.size(), 5002u);
    EXPECT_EQ(out.substr(0, 12), "012345678901");
}

}  // namespace
