#include "io/format/input_field.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "io/run_time_error.h"
#include "tests/support/temp_unit.h"

namespace {

using io::Descriptor;
using io::ItemKind;
using io::StepKind;
using test_support::TempUnit;

constexpr int kEof = -1;
constexpr unsigned char kFill = 0xEE;

Descriptor field(StepKind kind, int w = 0, int d = 1) {
    Descriptor desc;
    desc.kind = kind;
    desc.w = w;
    desc.hasW = w > 0;
    desc.d = d;
    return desc;
}

template <typename T>
std::string bytesOf(T value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

struct FieldCase {
    const char* name;
    std::string text;
    Descriptor desc;
    ItemKind kind;
    std::string expected;  // the item's bytes afterwards
    int outcome = 0;       // 0, -1 for end of file, or the error number
    std::string rest;      // what the next field would see
    int charCount = -1;    // recordCharCount afterwards; -1 when not checked
    bool blanksAreZeros = false;
    int scaleFactor = 0;
};

struct Result {
    int outcome;
    std::string bytes;
    std::string rest;
    int charCount;
};

Result readOne(const FieldCase& c, std::int32_t bufferSize = 1024) {
    TempUnit t(c.text, bufferSize);
    io::EditState state;
    state.blanksAreZeros = c.blanksAreZeros;
    state.scaleFactor = c.scaleFactor;
    const std::int32_t size = c.kind == ItemKind::Character ? static_cast<std::int32_t>(c.expected.size())
                                                            : io::itemSize(c.kind);
    unsigned char item[64];
    std::memset(item, kFill, sizeof item);
    int outcome = 0;
    try {
        io::readField(t.unit, state, c.desc, c.kind, item, size);
    } catch (const io::IoCondition& condition) {
        outcome = condition.endOfFile ? kEof : condition.number;
        if (condition.endOfFile) {
            EXPECT_TRUE(t.unit.endOfFileSeen);
        }
    }
    const auto at = static_cast<std::size_t>(t.position());
    return {outcome, std::string(reinterpret_cast<const char*>(item), static_cast<std::size_t>(size)),
            at < c.text.size() ? c.text.substr(at) : std::string(), state.recordCharCount};
}

const std::string kUntouched4(4, static_cast<char>(kFill));
const std::string kZeros297(297, '0');

const FieldCase kFieldCases[] = {
    // numeric fields: blanks, zeros, commas, record ends
    {"I blanks ignored", "  12 3\n", field(StepKind::I, 6), ItemKind::Integer4, bytesOf(123), 0, "\n", 6},
    {"I blanks are zeros", "  12 3\n", field(StepKind::I, 6), ItemKind::Integer4, bytesOf(1203), 0, "\n", 6, true},
    {"I trailing blanks are zeros", "12  x\n", field(StepKind::I, 4), ItemKind::Integer4, bytesOf(1200), 0, "x\n", 4, true},
    {"I leading zeros", "-0012\n", field(StepKind::I, 5), ItemKind::Integer4, bytesOf(-12), 0, "\n", 5},
    {"I all zeros", "000\n", field(StepKind::I, 3), ItemKind::Integer4, bytesOf(0), 0, "\n", 3},
    {"I comma ends field", "12,345\n", field(StepKind::I, 5), ItemKind::Integer4, bytesOf(12), 0, "345\n", 3},
    {"I short record", "12\n9\n", field(StepKind::I, 5), ItemKind::Integer4, bytesOf(12), 0, "\n9\n", 2},
    {"I record already ended", "\r\n9\n", field(StepKind::I, 5), ItemKind::Integer4, bytesOf(0), 0, "\r\n9\n", 0},
    {"I into one byte", "-128\n", field(StepKind::I, 4), ItemKind::Integer1, bytesOf<std::int8_t>(-128), 0, "\n"},
    {"I out of range", "128\n", field(StepKind::I, 3), ItemKind::Integer1, std::string(1, static_cast<char>(kFill)), 6100, "\n"},
    {"I not an integer", "12.5\n", field(StepKind::I, 4), ItemKind::Integer4, kUntouched4, 6101, "\n"},
    {"I on a real item", "12\n", field(StepKind::I, 2), ItemKind::Real4, kUntouched4, 6206, "12\n"},
    {"Ctrl-Z is end of file", "1\x1a" "2\n", field(StepKind::I, 3), ItemKind::Integer4, kUntouched4, kEof, "2\n"},
    {"F lone minus", "  -  \n", field(StepKind::F, 5, 1), ItemKind::Real4, bytesOf(-0.0f), 0, "\n", 5},
    {"F lone point", "    .\n", field(StepKind::F, 5, 1), ItemKind::Real4, bytesOf(0.0f), 0, "\n", 5},
    {"F exponent alone", "E5   \n", field(StepKind::F, 5, 1), ItemKind::Real4, kUntouched4, 6103, "\n"},
    {"F implied digits", "  125\n", field(StepKind::F, 5, 1), ItemKind::Real4, bytesOf(12.5f), 0, "\n"},
    {"F minus point", "-.5\n", field(StepKind::F, 3, 0), ItemKind::Real4, bytesOf(-0.5f), 0, "\n", 3},
    {"F empty field", "\n", field(StepKind::F, 9, 2), ItemKind::Real8, bytesOf(0.0), 0, "\n", 0},
    {"F scale factor", "1.5\n", field(StepKind::F, 3, 0), ItemKind::Real4, bytesOf(0.015f), 0, "\n", 3, false, 2},
    {"E blank after exponent letter, BZ", "1.5E +2\n", field(StepKind::E, 7, 1), ItemKind::Real8, bytesOf(150.0), 0, "\n", 7, true},
    {"E blanks as zeros in the exponent, BZ", "1.5E 1 \n", field(StepKind::E, 7, 1), ItemKind::Real8, bytesOf(1.5e10), 0, "\n", 7, true},
    {"E blank after exponent letter, BN", "1.5E 1 \n", field(StepKind::E, 7, 1), ItemKind::Real8, bytesOf(15.0), 0, "\n", 7},
    {"F wider than the scratch text", kZeros297 + "1.5\n", field(StepKind::F, 300, 0), ItemKind::Real4, bytesOf(1.5f), 0, "\n", 300},
    {"F on an integer item", "1.5\n", field(StepKind::F, 3, 0), ItemKind::Integer4, kUntouched4, 6207, "1.5\n"},
    // Z, O, B
    {"Z default width", "1F\n", field(StepKind::Z), ItemKind::Integer4, bytesOf(0x1F), 0, "\n"},
    {"Z fills the bytes", "FF\n", field(StepKind::Z, 2), ItemKind::Integer1, bytesOf<std::uint8_t>(0xFF), 0, "\n"},
    {"Z default width is 2 per byte", "123456789\n", field(StepKind::Z), ItemKind::Integer4, bytesOf(0x12345678), 0, "9\n"},
    {"Z left digits beyond the item", "1A2b3C4d5\n", field(StepKind::Z, 9), ItemKind::Integer4, bytesOf(static_cast<std::int32_t>(0xA2B3C4D5)), 0, "\n"},
    {"Z blank after E is a zero", "E 1\n", field(StepKind::Z, 3), ItemKind::Integer4, bytesOf(0xE01), 0, "\n", 3, true},
    {"Z into a real", "3F800000\n", field(StepKind::Z), ItemKind::Real4, bytesOf(1.0f), 0, "\n"},
    {"Z bad digit", "1G\n", field(StepKind::Z), ItemKind::Integer4, kUntouched4, 6510, "\n"},
    {"O", "17\n", field(StepKind::O), ItemKind::Integer4, bytesOf(15), 0, "\n"},
    {"O bad digit", "8\n", field(StepKind::O), ItemKind::Integer4, kUntouched4, 6802, "\n"},
    {"B", "101\n", field(StepKind::B), ItemKind::Integer1, bytesOf<std::uint8_t>(5), 0, "\n"},
    {"B bad digit", "12\n", field(StepKind::B), ItemKind::Integer4, kUntouched4, 6801, "\n"},
    // Q looks ahead without taking anything
    {"Q", "abc\r\n", field(StepKind::Q), ItemKind::Integer4, bytesOf(3), 0, "abc\r\n", 0},
    {"Q lone CR counts", "a\rb\n", field(StepKind::Q), ItemKind::Integer4, bytesOf(3), 0, "a\rb\n"},
    {"Q into a real", "abcd\n", field(StepKind::Q), ItemKind::Real8, bytesOf(4.0), 0, "abcd\n"},
    {"Q empty record", "\n", field(StepKind::Q), ItemKind::Integer2, bytesOf<std::int16_t>(0), 0, "\n"},
    // L
    {"L true", "T\n", field(StepKind::L, 1), ItemKind::Logical4, bytesOf(1), 0, "\n", 1},
    {"L point false", " .false.x\n", field(StepKind::L, 8), ItemKind::Logical2, bytesOf<std::int16_t>(0), 0, "x\n", 8},
    {"L lower case true", "  t\n", field(StepKind::L, 3), ItemKind::Logical1, bytesOf<std::int8_t>(1), 0, "\n"},
    {"L blank field is false", "   \n", field(StepKind::L, 3), ItemKind::Logical4, bytesOf(0), 0, "\n"},
    {"L empty field is false", "\n", field(StepKind::L, 3), ItemKind::Logical4, bytesOf(0), 0, "\n"},
    {"L bad value", "yes\n", field(StepKind::L, 3), ItemKind::Logical4, kUntouched4, 6507, "\n"},
    {"L on an integer", "T\n", field(StepKind::L, 1), ItemKind::Integer4, kUntouched4, 6207, "T\n"},
    // A
    {"A 2 from ==", "==\n", field(StepKind::A), ItemKind::Character, "==", 0, "\n", 2},
    {"A 2 from =", "=\n", field(StepKind::A), ItemKind::Character, "= ", 0, "\n", 1},
    {"A 2 from empty", "\n", field(StepKind::A), ItemKind::Character, "  ", 0, "\n", 0},
    {"A 2 from ===", "===\n", field(StepKind::A), ItemKind::Character, "==", 0, "=\n", 2},
    {"A 60 from 20", std::string(20, 'x') + "\n", field(StepKind::A), ItemKind::Character,
     std::string(20, 'x') + std::string(40, ' '), 0, "\n", 20},
    {"A 60 from 80", std::string(60, 'x') + std::string(20, 'y') + "\n", field(StepKind::A), ItemKind::Character,
     std::string(60, 'x'), 0, std::string(20, 'y') + "\n", 60},
    {"A wider field keeps its right end", "abcdefg\n", field(StepKind::A, 5), ItemKind::Character, "de", 0, "fg\n", 5},
    {"A wider field cut by the record", "abcd\n", field(StepKind::A, 5), ItemKind::Character, "d ", 0, "\n", 4},
    {"A record ends in the passed part", "ab\n", field(StepKind::A, 5), ItemKind::Character, "  ", 0, "\n", 2},
    {"A narrower field", "abcd\n", field(StepKind::A, 2), ItemKind::Character, "ab    ", 0, "cd\n", 2},
    {"A Ctrl-Z is a character", "\x1a" "b\n", field(StepKind::A), ItemKind::Character, "\x1a" "b", 0, "\n"},
    {"A into an integer", "abcd\n", field(StepKind::A), ItemKind::Integer4, "abcd", 0, "\n"},
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class Fields : public testing::TestWithParam<FieldCase> {};

TEST_P(Fields, TakesTheFieldAndStoresIt) {
    const FieldCase& c = GetParam();
    const Result r = readOne(c);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.bytes, c.expected);
    EXPECT_EQ(r.rest, c.rest);
    if (c.charCount >= 0) {
        EXPECT_EQ(r.charCount, c.charCount);
    }
}

INSTANTIATE_TEST_SUITE_P(InputField, Fields, testing::ValuesIn(kFieldCases),
                         [](const testing::TestParamInfo<FieldCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(InputField, PadNoReportsAShortRecordExceptOnTheConsole) {
    const Descriptor a = field(StepKind::A);
    TempUnit t("ab\n");
    t.unit.pad = false;
    io::EditState state;
    char item[4];
    try {
        io::readField(t.unit, state, a, ItemKind::Character, item, 4);
        ADD_FAILURE() << "no error";
    } catch (const io::IoCondition& condition) {
        EXPECT_EQ(condition.number, 6601);
    }
    EXPECT_EQ(t.position(), 2);  // the line feed is left for the record skip

    TempUnit console("ab\n");
    console.unit.pad = false;
    console.unit.kind = io::RecordKind::Console;
    io::readField(console.unit, state, a, ItemKind::Character, item, 4);
    EXPECT_EQ(std::string(item, 4), "ab  ");
}

TEST(InputField, FieldsAcrossBufferLoads) {
    // A record longer than the buffer: Q looks past the loaded bytes, and
    // the fields read on into the next load.
    const std::string record = "12345678901234567890";
    TempUnit t(record + "\r\nrest\n", 8);
    io::EditState state;
    std::int32_t count = 0, a = 0, b = 0;
    io::readField(t.unit, state, field(StepKind::I, 3), ItemKind::Integer4, &a, 4);
    io::readField(t.unit, state, field(StepKind::Q), ItemKind::Integer4, &count, 4);
    io::readField(t.unit, state, field(StepKind::I, 9), ItemKind::Integer4, &b, 4);
    EXPECT_EQ(a, 123);
    EXPECT_EQ(count, 17);
    EXPECT_EQ(b, 456789012);
    EXPECT_EQ(state.recordCharCount, 12);
}

}  // namespace
