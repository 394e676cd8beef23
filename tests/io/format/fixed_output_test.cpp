#include "io/format/fixed_output.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace {

double widenSingle(std::uint32_t bits) { return io::widenSingle(std::bit_cast<float>(bits)); }

// The field as the format places it: w asterisks when the text does not fit,
// otherwise the text right-justified.
std::string field(double value, bool isSingle, int w, int d, int k = 0, bool plus = false) {
    char buffer[260];
    std::string_view text = io::editFixed(value, isSingle, w, d, k, plus, buffer);
    if (static_cast<std::int64_t>(text.size()) > w) return std::string(w, '*');
    return std::string(w - text.size(), ' ') + std::string(text);
}

std::string text(double value, bool isSingle, int w, int d, int k = 0, bool plus = false) {
    char buffer[260];
    return std::string(io::editFixed(value, isSingle, w, d, k, plus, buffer));
}

TEST(DecimalForm, SeventeenDigitsDecidedByTheTrueEighteenth) {
    struct Case {
        double value;
        const char* digits;
        int exponent;
        bool negative;
    };
    const Case cases[] = {
        {0.0, "0", 0, false},
        {-0.0, "0", 0, false},
        {0.5, "5", 0, false},
        {100.0, "1", 3, false},
        {-16777217.0, "16777217", 8, true},
        {0.1, "10000000000000001", 0, false},
        // an exact tie in the 18th digit rounds up
        {123456789012345.125, "12345678901234513", 15, false},
        {1e23, "99999999999999992", 23, false},
        // 0.999999999999999988...e-14: the carry runs through all 17 digits
        {1e-14, "1", -13, false},
        {1e98, "1", 99, false},
        {std::numeric_limits<double>::denorm_min(), "49406564584124654", -323, false},
        {std::numeric_limits<double>::max(), "17976931348623157", 309, false},
        {static_cast<double>(0.1f), "10000000149011612", 0, false},
    };
    for (const Case& c : cases) {
        io::DecimalForm form = io::decimalForm(c.value);
        EXPECT_EQ(std::string(form.digits, form.count), c.digits) << c.value;
        EXPECT_EQ(form.exponent, c.exponent) << c.value;
        EXPECT_EQ(form.negative, c.negative) << c.value;
    }
}

TEST(FixedOutput, TotalsFieldF90) {
    struct Case {
        float total;
        const char* field;
    };
    const Case cases[] = {
        {0.0f, "       0."},       {-0.0f, "       0."},       {0.49f, "       0."},
        {-0.49f, "       0."},     {-0.04f, "       0."},       {0.5f, "       1."},
        {-0.5f, "      -1."},      {-2.5f, "      -3."},       {1234.4f, "    1234."},
        {12345678.0f, "12345680."}, {-9999999.0f, "-9999999."}, {-10000000.0f, "*********"},
        {100000000.0f, "*********"}, {99999992.0f, "99999990."}, {-1234567.5f, "-1234568."},
        {999999.5f, " 1000000."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(field(c.total, true, 9, 0), c.field) << c.total;
    }
}

TEST(FixedOutput, FractionDigitsScaleFactorAndSigns) {
    struct Case {
        double value;
        bool isSingle;
        int w, d, k;
        bool plus;
        const char* text;
    };
    const Case cases[] = {
        {0.5, true, 4, 1, 0, false, ".5"},          // no "0" before the point
        {0.0, true, 9, 2, 0, false, ".00"},
        {0.0, true, 9, 0, 0, true, "+0."},
        {-0.00004, false, 9, 3, 0, false, ".000"},  // too small for any digit: no sign
        {-0.00004, false, 9, 3, 0, true, "+.000"},
        {-0.0005, false, 9, 3, 0, false, "-.001"},  // rounds up into the last place
        {-0.00049, false, 9, 3, 0, false, ".000"},
        {0.96, false, 9, 1, 0, false, "1.0"},       // carry past the first digit
        {3.14159, false, 9, 2, 0, true, "+3.14"},
        {-12.5, false, 9, 2, 0, false, "-12.50"},
        {1.5, false, 9, 2, 2, false, "150.00"},     // kP shows the value times 10^k
        {1.5, false, 9, 2, -1, false, ".15"},
        {1.5, false, 9, 2, -3, false, ".00"},       // scaled below the last place
        {1.5, false, 9, 2, -2, false, ".02"},       // .015 rounds away from zero
        {0.0, false, 9, 2, 5, false, ".00"},        // zero ignores the scale factor
        {1.0 / 3.0, true, 12, 10, 0, false, ".3333333000"},   // 7 digits, then zeros
        {1.0 / 3.0, false, 22, 20, 0, false, ".33333333333333330000"},
        {123456789012345.125, false, 25, 3, 0, false, "123456789012345.100"},
        {1e-14, false, 20, 14, 0, false, ".00000000000001"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(c.value, c.isSingle, c.w, c.d, c.k, c.plus), c.text)
            << c.value << " F" << c.w << "." << c.d << " k=" << c.k;
    }
}

TEST(FixedOutput, InfinityAndNanTexts) {
    const double inf = std::numeric_limits<double>::infinity();
    const double ind = std::bit_cast<double>(0xfff8000000000000ULL);
    const double qnan = std::bit_cast<double>(0x7ff8000000000000ULL);
    const double snan = std::bit_cast<double>(0x7ff0000000000001ULL);
    EXPECT_EQ(field(inf, false, 9, 2), "1#INF....");
    EXPECT_EQ(field(-inf, false, 9, 2, 0, true), "1#INF....");
    EXPECT_EQ(field(ind, false, 3, 0), "1#I");
    EXPECT_EQ(field(qnan, false, 6, 0), "1#QNAN");
    EXPECT_EQ(field(snan, false, 7, 0), "1#SNAN.");
    EXPECT_EQ(field(-qnan, false, 0, 0), "");
    EXPECT_EQ(field(widenSingle(0x7f800001u), true, 9, 0), "1#SNAN...");
}

// Widths, fraction digits and scale factors far beyond any text: the text
// is cut short of the scratch text's end and is longer than w.
TEST(FixedOutput, HugeWidthsNeverRunPastTheScratchText) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    char buffer[262];
    buffer[260] = buffer[261] = '#';
    std::string_view t = io::editFixed(1.5, false, 9, big, 0, false, buffer);
    EXPECT_EQ(t.size(), 260u);
    EXPECT_EQ(t.substr(0, 4), "1.50");
    t = io::editFixed(1.5, false, 9, 2, big, false, buffer);
    EXPECT_EQ(t.size(), 260u);
    t = io::editFixed(1.5, false, 9, 2, -big, false, buffer);
    EXPECT_EQ(t, ".00");
    t = io::editFixed(std::numeric_limits<double>::max(), false, 9, 0, 0, false, buffer);
    EXPECT_EQ(t.size(), 260u);
    EXPECT_EQ(t.substr(0, 17), "17976931348623160");
    t = io::editFixed(std::numeric_limits<double>::infinity(), false, big, 0, 0, false, buffer);
    EXPECT_EQ(t.size(), 259u);
    EXPECT_EQ(buffer[260], '#');
    EXPECT_EQ(buffer[261], '#');
}

std::uint64_t parseHex(const std::string& s) { return std::stoull(s, nullptr, 16); }

// Every line of the reference table: kind, the value's bits, w, d, k, plus
// signs, and the field exactly as placed.
TEST(FixedOutput, AgreesWithTheReferenceTable) {
    std::ifstream in(std::string(KETLAP_TEST_DATA) + "/f_editing.tsv");
    ASSERT_TRUE(in) << "missing f_editing.tsv";
    std::string line;
    int lines = 0;
    int failures = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.back() == '\r') line.pop_back();
        std::string columns[6];
        std::size_t start = 0;
        for (std::string& column : columns) {
            std::size_t tab = line.find('\t', start);
            ASSERT_NE(tab, std::string::npos) << line;
            column = line.substr(start, tab - start);
            start = tab + 1;
        }
        const std::string expected = line.substr(start);
        const bool isSingle = columns[0] == "real4";
        const std::uint64_t bits = parseHex(columns[1]);
        const double value = isSingle ? widenSingle(static_cast<std::uint32_t>(bits))
                                      : std::bit_cast<double>(bits);
        const std::string got = field(value, isSingle, std::stoi(columns[2]),
                                      std::stoi(columns[3]), std::stoi(columns[4]),
                                      columns[5] == "1");
        ++lines;
        if (got != expected && ++failures <= 20) {
            ADD_FAILURE() << line << "\n  got [" << got << "]";
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(lines, 10000);
}

}  // namespace
