#include "io/list_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "io/run_time_error.h"
#include "tests/support/temp_unit.h"

namespace {

using io::ItemKind;
using test_support::TempUnit;

constexpr int kUnchanged = -99;
constexpr int kEof = -1;

// Runs one list-directed READ; returns 0, -1 for end of file, or the error number.
template <typename Body>
int runRead(io::Unit& unit, Body body) {
    try {
        io::startListRead(unit);
        body();
        io::endListRead(unit);
        return 0;
    } catch (const io::IoCondition& c) {
        return c.endOfFile ? kEof : c.number;
    }
}

std::string restOf(const TempUnit& t, const std::string& text) {
    const auto at = static_cast<std::size_t>(t.position());
    return at < text.size() ? text.substr(at) : std::string();
}

struct IntegerCase {
    const char* name;
    std::string text;
    std::vector<int> expected;  // one 4-byte integer item per entry; kUnchanged = left alone
    int outcome;
    std::string rest;  // where the next READ starts
};

const IntegerCase kIntegerCases[] = {
    {"blanks", "  12   34  \n9\n", {12, 34}, 0, "9\n"},
    {"comma", "12,34\n9\n", {12, 34}, 0, "9\n"},
    {"blank comma", "12 ,34\n", {12, 34}, 0, ""},
    {"comma blank", "12, 34\n", {12, 34}, 0, ""},
    {"blanks around comma", "1 , 2\n", {1, 2}, 0, ""},
    {"tab", "12\t34\n", {12, 34}, 0, ""},
    {"null between commas", "12,,34\n", {12, kUnchanged, 34}, 0, ""},
    {"null at start", ",34\n", {kUnchanged, 34}, 0, ""},
    {"comma ends record", "12,\n34\n9\n", {12, 34}, 0, "9\n"},
    {"comma starts record", "12\n,34\n9\n", {12, 34}, 0, "9\n"},
    {"comma then comma across records", "1,\n,2\n", {1, kUnchanged, 2}, 0, ""},
    {"repeat", "3*7\n", {7, 7, 7}, 0, ""},
    {"repeat then value", "2*5 9\n", {5, 5, 9}, 0, ""},
    {"repeated nulls", "3*,9\n", {kUnchanged, kUnchanged, kUnchanged, 9}, 0, ""},
    {"repeated nulls at record end", "3*\n9\n", {kUnchanged, kUnchanged, kUnchanged, 9}, 0, ""},
    {"repeated nulls end the statement at record end", "1 3*\n8\n",
     {1, kUnchanged, kUnchanged, kUnchanged}, 0, "8\n"},
    {"slash", "5/ 6\n9\n", {5, kUnchanged, kUnchanged}, 0, "9\n"},
    {"slash after repeat", "2*5/\n9\n", {5, 5, kUnchanged, kUnchanged}, 0, "9\n"},
    {"values left over", "1 2 3\n4\n", {1, 2}, 0, "4\n"},
    {"value ended by record end", "1 2\n3\n", {1, 2}, 0, "3\n"},
    {"over empty and blank records", "17\n\n   \n\t\n 18 19\n20\n", {17, 18}, 0, "20\n"},
    {"CR LF", "1\r\n2\r\n3\r\n", {1, 2}, 0, "3\r\n"},
    {"lone CR drops the rest of the line", "1 2\r3 4\n5 6\n7\n", {1, 2, 5, 6}, 0, "7\n"},
    {"Ctrl-Z after digits", "12\x1a\n", {12}, 0, ""},
    {"Ctrl-Z alone", "\x1a\n", {0}, 0, ""},
    {"last line without line feed", "5 6", {5, 6}, 0, ""},
    {"long value", std::string(298, '0') + "12 7\n", {12, 7}, 0, ""},
    {"zero count", "0*5\n", {kUnchanged}, 6502, "5\n"},
    {"empty count", "*5\n", {kUnchanged}, 6502, "5\n"},
    {"empty count after a value", "3 *7\n", {3, kUnchanged}, 6502, "7\n"},
    {"negative count", "-1*5\n", {kUnchanged, kUnchanged}, 6502, "5\n"},
    {"second star", "1 2*3*4 9\n", {1, kUnchanged, kUnchanged}, 6503, "4 9\n"},
    {"count not an integer", "2.5*3\n", {kUnchanged}, 6101, "3\n"},
    {"quoted", "'12'\n", {kUnchanged}, 6504, "\n"},
    {"parenthesised", "(1,2)\n", {kUnchanged}, 6504, "\n"},
    {"empty quotes are null", "'' 4\n", {kUnchanged, 4}, 0, ""},
    {"letter", "T\n", {kUnchanged}, 6101, ""},
    {"end of file at once", "", {kUnchanged, kUnchanged}, kEof, ""},
    {"end of file inside", "5\n", {5, kUnchanged}, kEof, ""},
    {"end of file inside, no line feed", "5", {5, kUnchanged}, kEof, ""},
};

void PrintTo(const IntegerCase& c, std::ostream* os) { *os << c.name; }

class IntegerValues : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerValues, ReadsValuesAndLeavesThePosition) {
    const IntegerCase& c = GetParam();
    TempUnit t(c.text);
    std::vector<std::int32_t> items(c.expected.size(), kUnchanged);
    const int outcome = runRead(t.unit, [&] {
        for (std::int32_t& item : items) io::readListItem(t.unit, ItemKind::Integer4, &item, 4);
    });
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(items, std::vector<std::int32_t>(c.expected.begin(), c.expected.end()));
    EXPECT_EQ(restOf(t, c.text), c.rest);
}

INSTANTIATE_TEST_SUITE_P(ListReader, IntegerValues, testing::ValuesIn(kIntegerCases),
                         [](const testing::TestParamInfo<IntegerCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(ListReader, NextReadStartsWhereThePreviousLeft) {
    const std::string text = "1 2 3\n4 3*\n5\n6 7";
    TempUnit t(text);
    std::int32_t a = 0, b = 0;
    auto readPair = [&] {
        a = b = kUnchanged;
        return runRead(t.unit, [&] {
            io::readListItem(t.unit, ItemKind::Integer4, &a, 4);
            io::readListItem(t.unit, ItemKind::Integer4, &b, 4);
        });
    };
    EXPECT_EQ(readPair(), 0);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(readPair(), 0);  // "3*" gives the second its null; the record is already left
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, kUnchanged);
    EXPECT_EQ(readPair(), 0);  // the repeat count does not carry over
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);
    EXPECT_EQ(readPair(), kEof);  // "7" was skipped with the rest of its record
    EXPECT_EQ(a, kUnchanged);
    EXPECT_EQ(readPair(), kEof);
}

TEST(ListReader, ArrayItemTakesOneValuePerElement) {
    TempUnit t("4*2 5\n");
    std::int16_t values[5] = {};
    EXPECT_EQ(runRead(t.unit, [&] { io::readListItem(t.unit, ItemKind::Integer2, values, 2, 5); }), 0);
    EXPECT_EQ(values[0], 2);
    EXPECT_EQ(values[3], 2);
    EXPECT_EQ(values[4], 5);
}

TEST(ListReader, EveryItemCategory) {
    TempUnit t("7 300 -5 .True. f 1.5 2*0.25 (1.5,\n -2) 'ab''c' xyz 'x/y\n_z'\n");
    std::int8_t i1 = 0;
    std::int16_t i2 = 0;
    std::int32_t i4 = 0, l4 = 7;
    std::int8_t l1 = 7;
    float r4 = 0;
    double r8[2] = {};
    float c8[2] = {};
    char text6[6], text2[2], text5[5];
    const int outcome = runRead(t.unit, [&] {
        io::readListItem(t.unit, ItemKind::Integer1, &i1, 1);
        io::readListItem(t.unit, ItemKind::Integer2, &i2, 2);
        io::readListItem(t.unit, ItemKind::Integer4, &i4, 4);
        io::readListItem(t.unit, ItemKind::Logical4, &l4, 4);
        io::readListItem(t.unit, ItemKind::Logical1, &l1, 1);
        io::readListItem(t.unit, ItemKind::Real4, &r4, 4);
        io::readListItem(t.unit, ItemKind::Real8, r8, 8, 2);
        io::readListItem(t.unit, ItemKind::Complex8, c8, 8);
        io::readListItem(t.unit, ItemKind::Character, text6, 6);
        io::readListItem(t.unit, ItemKind::Character, text2, 2);
        io::readListItem(t.unit, ItemKind::Character, text5, 5);
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(i1, 7);
    EXPECT_EQ(i2, 300);
    EXPECT_EQ(i4, -5);
    EXPECT_EQ(l4, 1);
    EXPECT_EQ(l1, 0);
    EXPECT_EQ(r4, 1.5f);
    EXPECT_EQ(r8[0], 0.25);
    EXPECT_EQ(r8[1], 0.25);
    EXPECT_EQ(c8[0], 1.5f);
    EXPECT_EQ(c8[1], -2.0f);
    EXPECT_EQ(std::string(text6, 6), "ab'c  ");
    EXPECT_EQ(std::string(text2, 2), "xy");
    // A string goes on in the next record after that record's first character.
    EXPECT_EQ(std::string(text5, 5), "x/yz ");
}

TEST(ListReader, RepeatedQuotedValueFillsEveryElement) {
    TempUnit t("2*'hi'\n");
    char texts[2][3];
    EXPECT_EQ(runRead(t.unit, [&] { io::readListItem(t.unit, ItemKind::Character, texts, 3, 2); }), 0);
    EXPECT_EQ(std::string(texts[0], 3), "hi ");
    EXPECT_EQ(std::string(texts[1], 3), "hi ");
}

struct ErrorCase {
    const char* text;
    ItemKind kind;
    int number;
};

TEST(ListReader, ValueErrorsLeaveTheElementUnchanged) {
    const ErrorCase cases[] = {
        {"300\n", ItemKind::Integer1, 6100},
        {"70000\n", ItemKind::Integer2, 6100},
        {"x\n", ItemKind::Logical4, 6507},
        {".\n", ItemKind::Logical4, 6507},
        {"T\n", ItemKind::Real4, 6103},
        {"'1.5'\n", ItemKind::Real4, 6504},
        {"1.5\n", ItemKind::Complex8, 6504},
        {"(1.5 2)\n", ItemKind::Complex8, 6506},
        {"(1.5,x)\n", ItemKind::Complex8, 6103},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        TempUnit t(c.text);
        unsigned char item[8];
        std::memset(item, 0xEE, sizeof item);
        EXPECT_EQ(runRead(t.unit, [&] { io::readListItem(t.unit, c.kind, item, 0); }), c.number);
        for (unsigned char b : item) EXPECT_EQ(b, 0xEE);
    }
}

TEST(ListReader, ValueLongerThanTheScratchTextIsReadWhole) {
    const std::string digits = "0." + std::string(300, '0') + "5";
    TempUnit t(digits + " 1\n");
    double value = 0;
    std::int32_t next = 0;
    EXPECT_EQ(runRead(t.unit, [&] {
        io::readListItem(t.unit, ItemKind::Real8, &value, 8);
        io::readListItem(t.unit, ItemKind::Integer4, &next, 4);
    }), 0);
    EXPECT_DOUBLE_EQ(value, 5e-301);
    EXPECT_EQ(next, 1);
}

TEST(ListReader, ValuesContinueAcrossBufferLoads) {
    std::string text;
    for (int i = 1; i <= 200; ++i) text += std::to_string(i) + (i % 7 == 0 ? "\n" : " ");
    TempUnit t(text, 16);
    std::int32_t values[200] = {};
    EXPECT_EQ(runRead(t.unit, [&] { io::readListItem(t.unit, ItemKind::Integer4, values, 4, 200); }), 0);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(values[i], i + 1);
}

}  // namespace
