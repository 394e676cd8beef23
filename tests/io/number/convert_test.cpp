#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>

#include "io/number/parse_decimal.h"
#include "io/number/real80.h"
#include "tests/io/number/conversion_case.h"

namespace io {
namespace {

using namespace std::string_literals;

struct Case {
    const char* kind;
    std::string text;
    std::int32_t k;
    std::int32_t d;
    const char* expected;  // stored bits in hex, or E and the error number
};

const Case kCases[] = {
    // Decimal integers.
    {"int", "2147483647", 0, 0, "7fffffff"},
    {"int", "2147483648", 0, 0, "E6100"},
    {"int", "+2147483648", 0, 0, "E6100"},
    {"int", "-2147483648", 0, 0, "80000000"},
    {"int", "-02147483648", 0, 0, "E6100"},
    {"int", "-2147483647", 0, 0, "80000001"},
    {"int", "007", 0, 0, "00000007"},
    {"int", "+", 0, 0, "00000000"},
    {"int", "-", 0, 0, "00000000"},
    {"int", "", 0, 0, "00000000"},
    {"int", "1.5", 0, 0, "E6101"},
    {"int", "1E3", 0, 0, "E6101"},
    {"int", " 7", 0, 0, "E6101"},
    {"int", "12\x1a" "9", 0, 0, "0000000c"},  // Ctrl-Z ends the value
    {"int", "12\0x"s, 0, 0, "0000000c"},       // so does a NUL
    // Radix forms.
    {"int", "16#FF", 0, 0, "000000ff"},
    {"int", "#ff", 0, 0, "000000ff"},
    {"int", "0#10", 0, 0, "00000010"},
    {"int", "2#101", 0, 0, "00000005"},
    {"int", "36#zZ", 0, 0, "0000050f"},
    {"int", "2#102", 0, 0, "E6101"},
    {"int", "16#1G", 0, 0, "E6101"},
    {"int", "1#0", 0, 0, "E6303"},
    {"int", "37#0", 0, 0, "E6303"},
    {"int", "16#1#1", 0, 0, "E6302"},
    {"int", "16#FFFFFFFF", 0, 0, "ffffffff"},
    {"int", "16#80000000", 0, 0, "80000000"},
    {"int", "-16#10", 0, 0, "fffffff0"},
    {"int", "16#100000000", 0, 0, "E6100"},
    {"int", "10#2147483647", 0, 0, "7fffffff"},
    {"int", "10#2147483648", 0, 0, "E6100"},
    {"int", "16#", 0, 0, "00000000"},
    {"int", "2#1\x1a", 0, 0, "E6101"},  // only the end or a NUL ends radix digits
    // Item sizes.
    {"int1", "127", 0, 0, "7f"},
    {"int1", "-128", 0, 0, "80"},
    {"int1", "128", 0, 0, "E6100"},
    {"int1", "-129", 0, 0, "E6100"},
    {"int2", "-32768", 0, 0, "8000"},
    {"int2", "32767", 0, 0, "7fff"},
    {"int2", "-32769", 0, 0, "E6100"},
    {"int2", "16#FFFF", 0, 0, "E6100"},
    // Real forms, single precision.
    {"real4", "1", 0, 0, "3f800000"},
    {"real4", "1.", 0, 0, "3f800000"},
    {"real4", ".5", 0, 0, "3f000000"},
    {"real4", "-.5", 0, 0, "bf000000"},
    {"real4", "1E2", 0, 0, "42c80000"},
    {"real4", "1e2", 0, 0, "42c80000"},
    {"real4", "1D2", 0, 0, "42c80000"},
    {"real4", "1d2", 0, 0, "42c80000"},
    {"real4", "1+2", 0, 0, "42c80000"},
    {"real4", "1.0-2", 0, 0, "3c23d70a"},
    {"real4", "0.1", 0, 0, "3dcccccd"},
    {"real4", "123.45", 0, 0, "42f6e666"},
    {"real4", " \t\r\n2.5E-0", 0, 0, "40200000"},
    {"real4", "   ", 0, 0, "00000000"},
    {"real4", "", 0, 0, "00000000"},
    {"real4", "-0", 0, 0, "80000000"},
    {"real4", "0E6000", 0, 0, "00000000"},
    {"real4", "-1E-6000", 0, 0, "80000000"},
    {"real4", "1.5E", 0, 0, "E6103"},
    {"real4", "1.5E+", 0, 0, "E6103"},
    {"real4", "1.5+", 0, 0, "E6103"},
    {"real4", "2Dx", 0, 0, "E6103"},
    {"real4", "+", 0, 0, "E6103"},
    {"real4", ".", 0, 0, "E6103"},
    {"real4", "-.", 0, 0, "E6103"},
    {"real4", "E5", 0, 0, "E6103"},
    {"real4", "1.5x", 0, 0, "E6103"},
    {"real4", "1.5 ", 0, 0, "E6103"},
    {"real4", "1E5201", 0, 0, "E6102"},
    {"real4", "1E400", 0, 0, "E6102"},
    {"real4", "1E400x", 0, 0, "E6102"},  // overflow is found before trailing characters
    {"real4", "1E-5201", 0, 0, "00000000"},
    {"real4", "1E-400", 0, 0, "00000000"},
    {"real4", "1E39", 0, 0, "E6104"},
    {"real4", "3.4028235E38", 0, 0, "E6104"},
    {"real4", "3.40282346E38", 0, 0, "7f7fffff"},
    {"real4", "-3.40282346E38", 0, 0, "ff7fffff"},
    {"real4", "340282346638528897590636046441678635008", 0, 0, "7f7fffff"},  // exactly the bound
    {"real4", "1E-46", 0, 0, "00000000"},
    {"real4", "1E-45", 0, 0, "00000001"},
    {"real4", "16777217.000000001", 0, 0, "4b800000"},  // two roundings: the tie goes to even
    // Scale factor and implied decimal digits act only where the text has no
    // exponent part and no point.
    {"real4", "15", 0, 1, "3fc00000"},
    {"real4", "1.5", 0, 3, "3fc00000"},
    {"real4", "15", 1, 0, "3fc00000"},
    {"real4", "15E-1", 1, 0, "3fc00000"},
    {"real4", "150", 1, 1, "3fc00000"},
    {"real4", "15", -1, 0, "43160000"},
    // Double precision.
    {"real8", "1E39", 0, 0, "48078287f49c4a1d"},
    {"real8", "1E400", 0, 0, "E6102"},
    {"real8", "9007199254740995", 0, 0, "4340000000000001"},  // an exact half is cut
    {"real8", "18014398509481987", 0, 0, "4350000000000001"},
    {"real8", "340282346638528897590636046441678635008", 0, 0, "47efffffe0000001"},
    {"real8", "-1E-6000", 0, 0, "8000000000000000"},
    {"real8", "1.5x", 0, 0, "E6103"},
};

TEST(ConvertNumber, EdgeCases) {
    for (const Case& c : kCases) {
        EXPECT_EQ(test::runConversion(c.kind, c.text, c.k, c.d), c.expected)
            << c.kind << " \"" << c.text << "\" k=" << c.k << " d=" << c.d;
    }
}

TEST(ConvertNumber, LongTextsConvertAsTheirDigitsSay) {
    // Far more characters than a value text holds; only 25 digits count.
    const std::string ones = "1" + std::string(400, '0') + "E-400";
    EXPECT_EQ(test::runConversion("real8", ones), "3ff0000000000000");
    const std::string tenth = "0." + std::string(300, '0') + "1E301";
    EXPECT_EQ(test::runConversion("real8", tenth), "3ff0000000000000");
    const std::string third = "0." + std::string(500, '3');
    EXPECT_EQ(test::runConversion("real4", third), "3eaaaaab");
    EXPECT_EQ(test::runConversion("real4", third + "x"), "E6103");
    EXPECT_EQ(test::runConversion("real4", "1E" + std::string(300, '9')), "E6102");
    EXPECT_EQ(test::runConversion("real4", "1E-" + std::string(300, '9')), "00000000");
}

TEST(ParseDecimal, KeepsTwentyFourDigitsAndRoundsWithTheTwentyFifth) {
    const DecimalParse p = parseDecimal("12345678901234567890123456789", 0, 0);
    std::string digits;
    for (int i = 0; i < p.digitCount; ++i) digits += static_cast<char>('0' + p.digits[i]);
    EXPECT_EQ(digits, "123456789012345678901235");
    EXPECT_EQ(p.adjustment, 5);
    EXPECT_EQ(p.consumed, 29u);
    EXPECT_EQ(p.status, RealStatus::Fine);

    // A raised 9 counts as ten: 24 nines and a 9 read as 10^24.
    const DecimalParse nines = parseDecimal(std::string(25, '9'), 0, 0);
    EXPECT_EQ(nines.digitCount, 24);
    EXPECT_EQ(nines.digits[23], 10);
    EXPECT_EQ(nines.adjustment, 1);
    RealStatus status;
    EXPECT_EQ(doubleFromReal80(nines.value, status), 1e25);
}

TEST(ParseDecimal, CountsConsumedCharactersAndFlags) {
    struct {
        const char* text;
        std::size_t consumed;
        RealStatus status;
    } const cases[] = {
        {"1.5E", 3, RealStatus::Fine},   {"1.5E+", 3, RealStatus::Fine}, {"1.5+", 3, RealStatus::Fine},
        {"2Dx", 1, RealStatus::Fine},    {"+", 0, RealStatus::NoDigits}, {".", 0, RealStatus::NoDigits},
        {"-.", 0, RealStatus::NoDigits}, {"+x", 0, RealStatus::NoDigits}, {"  1.5+3", 7, RealStatus::Fine},
        {"5.E3x", 4, RealStatus::Fine},  {"1E9999", 6, RealStatus::Overflow},
        {"1E-9999", 7, RealStatus::Underflow},
    };
    for (const auto& c : cases) {
        const DecimalParse p = parseDecimal(c.text, 0, 0);
        EXPECT_EQ(p.consumed, c.consumed) << c.text;
        EXPECT_EQ(p.status, c.status) << c.text;
    }
    const DecimalParse capped = parseDecimal("1E-0000123456", 0, 0);
    EXPECT_TRUE(capped.sawExponent);
    EXPECT_TRUE(capped.exponentNegative);
    EXPECT_EQ(capped.exponentValue, 5201);
    const DecimalParse point = parseDecimal("0.00120", 0, 0);
    EXPECT_EQ(point.digitCount, 2);  // "12", the trailing zero removed
    EXPECT_EQ(point.adjustment, -4);
}

Real80 real80(std::uint16_t exponent, Mantissa80 mantissa) { return Real80{false, exponent, mantissa}; }

TEST(MultiplyReal80, RoundsUpOnlyAboveHalf) {
    const Mantissa80 one = kMantissaTopBit;
    const Real80 oneAndHalf = real80(0x3FFF, one | (one >> 1));
    // 1.5 * (2^79 + 1) / 2^79: the dropped part is exactly one half, and is cut.
    Real80 r = multiplyReal80(oneAndHalf, real80(0x3FFF, one + 1));
    EXPECT_EQ(r.exponent, 0x3FFF);
    EXPECT_TRUE(r.mantissa == (one | (one >> 1)) + 1);
    // 1.5 * (2^80 - 3): 0.75 * (2^80 - 3) drops three quarters, rounded up.
    const Mantissa80 m = (static_cast<Mantissa80>(1) << 80) - 3;
    r = multiplyReal80(oneAndHalf, real80(0x3FFF, m));
    EXPECT_EQ(r.exponent, 0x4000);
    EXPECT_TRUE(r.mantissa == (static_cast<Mantissa80>(3) << 78) - 2);
    // 1.5 * (2^80 - 1): a quarter is dropped.
    r = multiplyReal80(oneAndHalf, real80(0x3FFF, m + 2));
    EXPECT_TRUE(r.mantissa == (static_cast<Mantissa80>(3) << 78) - 1);
}

TEST(MultiplyReal80, RangeLimits) {
    const Real80 one = real80(0x3FFF, kMantissaTopBit);
    const Real80 huge = real80(0x7FFE, kMantissaTopBit);
    EXPECT_EQ(multiplyReal80(huge, huge).exponent, kReal80InfinityExponent);
    EXPECT_EQ(multiplyReal80(one, Real80{}).exponent, 0);
    EXPECT_TRUE(multiplyReal80(one, Real80{}).mantissa == 0);
    const Real80 tiny = real80(0x0001, kMantissaTopBit);
    EXPECT_EQ(multiplyReal80(tiny, tiny).exponent, 0);
    Real80 negative = one;
    negative.negative = true;
    EXPECT_TRUE(multiplyReal80(negative, one).negative);
    EXPECT_FALSE(multiplyReal80(negative, negative).negative);
}

TEST(DoubleFromReal80, CutsAnExactHalfAndReportsRange) {
    RealStatus status;
    // 1 + 2^-53 exactly: cut to 1.
    EXPECT_EQ(doubleFromReal80(real80(0x3FFF, kMantissaTopBit | (kMantissaTopBit >> 53)), status), 1.0);
    EXPECT_EQ(status, RealStatus::Fine);
    // 1 + 2^-53 + 2^-79: above the half, up to 1 + 2^-52.
    EXPECT_EQ(doubleFromReal80(real80(0x3FFF, kMantissaTopBit | (kMantissaTopBit >> 53) | 1), status),
              1.0 + 0x1p-52);
    EXPECT_EQ(doubleFromReal80(real80(0x3FFF + 1024, kMantissaTopBit), status), std::numeric_limits<double>::infinity());
    EXPECT_EQ(status, RealStatus::Overflow);
    EXPECT_EQ(doubleFromReal80(real80(0x3FFF - 1077, kMantissaTopBit), status), 0.0);
    EXPECT_EQ(status, RealStatus::Underflow);
    EXPECT_EQ(doubleFromReal80(real80(0x3FFF - 1074, kMantissaTopBit), status), 0x1p-1074);
    EXPECT_EQ(status, RealStatus::Underflow);
    EXPECT_EQ(doubleFromReal80(real80(0x3FFF - 1022, kMantissaTopBit), status), 0x1p-1022);
    EXPECT_EQ(status, RealStatus::Fine);
}

}  // namespace
}  // namespace io
