// Formatted READ and WRITE through units on temporary files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "io/console/console_writer.h"
#include "io/error_numbers.h"
#include "io/format/format_program.h"
#include "io/format/formatted_transfer.h"
#include "io/record_reader.h"
#include "io/run_time_error.h"
#include "platform/platform.h"

namespace io {
namespace {

class TempFile {
public:
    TempFile() {
        char name[] = "/tmp/ketlap_fmt_XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0) platform::closeFile(fd);
        path_ = name;
    }
    ~TempFile() { platform::removeFile(path_); }
    const std::string& path() const { return path_; }

    void write(std::string_view text) const {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::string read() const {
        std::string text;
        std::FILE* f = std::fopen(path_.c_str(), "rb");
        char buffer[256];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
        return text;
    }

private:
    std::string path_;
};

// A formatted sequential unit on a file.
struct FileUnit {
    Unit unit;
    FileUnit(const TempFile& file, platform::OpenAccess access) {
        const platform::Creation creation =
            access == platform::OpenAccess::Read ? platform::Creation::ExistingOnly : platform::Creation::Replace;
        unit.handle = platform::openFile(file.path(), access, creation).handle;
        unit.seekable = true;
        unit.kind = RecordKind::FormattedSequential;
        allocateBuffer(unit, 1024);
    }
    ~FileUnit() { platform::closeFile(unit.handle); }
};

struct Item {
    ItemKind kind;
    void* address;
    std::int32_t length = 0;
};

// One READ statement; returns the number of the condition that ended it, or 0.
std::int32_t readStatement(Unit& unit, std::string_view format, std::initializer_list<Item> items) {
    FormatProgram program;
    compileFormat(format, program);
    try {
        startFormattedRead(unit, program);
        for (const Item& item : items) readFormattedItem(unit, program, item.kind, item.address, item.length);
        endFormattedRead(unit, program);
    } catch (const IoCondition& c) {
        return c.number;
    }
    return 0;
}

TEST(FormattedRead, FieldsPositioningAndRecords) {
    TempFile file;
    file.write("  12 3.5\r\nxyz\n1234\n 7 1.5\n 2.5\n 3.5\n");
    FileUnit f(file, platform::OpenAccess::Read);
    std::int32_t i = 0, j = 0;
    float x = 0, y = 0, z = 0;
    char text[3] = {};

    EXPECT_EQ(readStatement(f.unit, "(I4,F4.1)", {{ItemKind::Integer4, &i}, {ItemKind::Real4, &x}}), 0);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(x, 3.5f);
    EXPECT_EQ(readStatement(f.unit, "(a)", {{ItemKind::Character, text, 3}}), 0);
    EXPECT_EQ(std::string(text, 3), "xyz");
    // tabbing back reads the record again
    EXPECT_EQ(readStatement(f.unit, "(T3,I2,T1,I2)", {{ItemKind::Integer4, &i}, {ItemKind::Integer4, &j}}), 0);
    EXPECT_EQ(i, 34);
    EXPECT_EQ(j, 12);
    // items outlast the format: the group repeats over the next records
    EXPECT_EQ(readStatement(f.unit, "(I2,(F4.1))",
                            {{ItemKind::Integer4, &i}, {ItemKind::Real4, &x}, {ItemKind::Real4, &y},
                             {ItemKind::Real4, &z}}),
              0);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(x, 1.5f);
    EXPECT_EQ(y, 2.5f);
    EXPECT_EQ(z, 3.5f);
    EXPECT_EQ(readStatement(f.unit, "(a)", {{ItemKind::Character, text, 3}}), err::EndOfFile);
}

TEST(FormattedRead, MovesStopAtTheRecordEnd) {
    TempFile file;
    file.write("12\n34\n");
    FileUnit f(file, platform::OpenAccess::Read);
    std::int32_t i = -1, j = -1;
    EXPECT_EQ(readStatement(f.unit, "(I2,10X,I2)", {{ItemKind::Integer4, &i}, {ItemKind::Integer4, &j}}), 0);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(j, 0);  // an empty field
    EXPECT_EQ(readStatement(f.unit, "(I2)", {{ItemKind::Integer4, &i}}), 0);
    EXPECT_EQ(i, 34);
}

TEST(FormattedRead, ComplexItemIsTwoReals) {
    TempFile file;
    file.write(" 1.5-2.5\n");
    FileUnit f(file, platform::OpenAccess::Read);
    float parts[2] = {};
    double wide[2] = {};
    EXPECT_EQ(readStatement(f.unit, "(T1,2F4.1,T1,2F4.1)",
                            {{ItemKind::Complex8, parts}, {ItemKind::Complex16, wide}}),
              0);
    EXPECT_EQ(parts[0], 1.5f);
    EXPECT_EQ(parts[1], -2.5f);
    EXPECT_EQ(wide[0], 1.5);
    EXPECT_EQ(wide[1], -2.5);
}

TEST(FormattedRead, NoAdvanceKeepsThePositionUnlessNothingWasRead) {
    TempFile file;
    file.write("12345678\nabc\ndef\nnext\n");
    FileUnit f(file, platform::OpenAccess::Read);
    std::int32_t i = 0;
    char text[4] = {};
    EXPECT_EQ(readStatement(f.unit, "(I2,3X,$)", {{ItemKind::Integer4, &i}}), 0);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(readStatement(f.unit, "(I2)", {{ItemKind::Integer4, &i}}), 0);
    EXPECT_EQ(i, 67);
    // a READ that takes nothing of the record still moves on
    EXPECT_EQ(readStatement(f.unit, "($)", {}), 0);
    // and so does one that tabs back over all it read
    EXPECT_EQ(readStatement(f.unit, "(A2,TL2,$)", {{ItemKind::Character, text, 2}}), 0);
    EXPECT_EQ(std::string(text, 2), "de");
    EXPECT_EQ(readStatement(f.unit, "(A4)", {{ItemKind::Character, text, 4}}), 0);
    EXPECT_EQ(std::string(text, 4), "next");
}

TEST(FormattedRead, PairingAndFormatFaults) {
    struct Case {
        std::string_view format;
        ItemKind kind;
        std::int32_t error;
    };
    const Case cases[] = {
        {"(F5.2)", ItemKind::Integer4, err::IntegerPairing},
        {"(L2)", ItemKind::Integer2, err::IntegerPairing},
        {"(I5)", ItemKind::Real4, err::RealPairing},
        {"(I5)", ItemKind::Complex8, err::RealPairing},
        {"(I5)", ItemKind::Character, err::CharacterPairing},
        {"(F5.2)", ItemKind::Logical4, err::LogicalPairing},
        // no descriptor at all: the error of the item's kind
        {"(T5)", ItemKind::Integer4, err::IntegerPairing},
        {"(T5)", ItemKind::Real8, err::RealPairing},
        {"('x',I5)", ItemKind::Integer4, err::LiteralOnInput},
        {"x(I5)", ItemKind::Integer4, err::FormatNoParenthesis},
        // a fault behind the last item is raised by the end of the statement
        {std::string_view("(I5,\0)", 6), ItemKind::Integer4, err::FormatBadCharacter},
        {std::string_view("(\0I5)", 5), ItemKind::Integer4, err::FormatBadCharacter},
    };
    for (const Case& c : cases) {
        TempFile file;
        file.write("    1\n");
        FileUnit f(file, platform::OpenAccess::Read);
        unsigned char item[16] = {};
        EXPECT_EQ(readStatement(f.unit, c.format, {{c.kind, item, 5}}), c.error) << c.format;
    }
}

// ---- WRITE --------------------------------------------------------------

struct Value {
    ItemKind kind;
    std::vector<unsigned char> bytes;
};

template <typename T>
Value value(ItemKind kind, T v) {
    Value out{kind, std::vector<unsigned char>(sizeof v)};
    std::memcpy(out.bytes.data(), &v, sizeof v);
    return out;
}
Value text(std::string_view s) { return Value{ItemKind::Character, {s.begin(), s.end()}}; }

// One WRITE statement to a file; returns what the file holds, or the error.
std::string writeStatement(std::string_view format, std::initializer_list<Value> values) {
    TempFile file;
    std::vector<CollectedItem> items;
    for (const Value& v : values) {
        items.push_back({v.kind, static_cast<std::int32_t>(v.bytes.size()), v.bytes.data()});
    }
    FormatProgram program;
    compileFormat(format, program);
    {
        FileUnit f(file, platform::OpenAccess::Write);
        try {
            writeFormatted(f.unit, program, items);
        } catch (const IoCondition& c) {
            return "error " + std::to_string(c.number);
        }
    }
    return file.read();
}

TEST(FormattedWrite, RecordsAndPlacement) {
    EXPECT_EQ(writeStatement("(4F9.0)", {value(ItemKind::Real4, 1.0f), value(ItemKind::Real4, 22.0f),
                                         value(ItemKind::Real4, -3.0f), value(ItemKind::Real4, 4.5f)}),
              "       1.      22.      -3.       5.\r\n");
    EXPECT_EQ(writeStatement("(4F9.0)", {value(ItemKind::Real4, 1.0f), value(ItemKind::Real4, 2.0f),
                                         value(ItemKind::Real4, 3.0f), value(ItemKind::Real4, 4.0f),
                                         value(ItemKind::Real4, 5.0f)}),
              "       1.       2.       3.       4.\r\n       5.\r\n");
    // trailing positioning adds nothing; with "$" it stays and no line end follows
    EXPECT_EQ(writeStatement("(I5,5X)", {value(ItemKind::Integer4, 42)}), "   42\r\n");
    EXPECT_EQ(writeStatement("(I3,2X,$)", {value(ItemKind::Integer4, 5)}), "  5  ");
    // literals, record ends, and a backward tab that overwrites
    EXPECT_EQ(writeStatement("(I3,'ab',T2,'X',/,1X,A)", {value(ItemKind::Integer4, 7), text("cd")}),
              " X7ab\r\n cd\r\n");
    EXPECT_EQ(writeStatement("('a',T5,'b',TL3,I1)", {value(ItemKind::Integer4, 9)}), "a 9 b\r\n");
    EXPECT_EQ(writeStatement("()", {}), "\r\n");
    // a literal after the last item is placed, one after a colon is not
    EXPECT_EQ(writeStatement("(I2,' end')", {value(ItemKind::Integer4, 1)}), " 1 end\r\n");
    EXPECT_EQ(writeStatement("(I2,:,' end')", {value(ItemKind::Integer4, 1)}), " 1\r\n");
}

TEST(FormattedWrite, EditingOfEachDescriptor) {
    struct Case {
        std::string_view format;
        Value v;
        const char* record;
    };
    const Case cases[] = {
        {"(I5)", value(ItemKind::Integer4, -42), "  -42"},
        {"(I5.3)", value(ItemKind::Integer2, std::int16_t{7}), "  007"},
        {"(SP,I4)", value(ItemKind::Integer1, std::int8_t{7}), "  +7"},
        {"(I3.0)", value(ItemKind::Integer4, 0), "   "},
        {"(I2)", value(ItemKind::Integer4, 123), "**"},
        {"(G6.2)", value(ItemKind::Integer4, 12), "    12"},
        {"(L3,L2)", value(ItemKind::Logical4, 1), "  T"},
        {"(L3)", value(ItemKind::Logical4, 0), "  F"},
        {"(A)", text("hey"), "hey"},
        {"(A5)", text("hey"), "  hey"},
        {"(A2)", text("hey"), "he"},
        {"(Z4)", value(ItemKind::Integer4, 255), "  FF"},
        {"(Z)", value(ItemKind::Integer2, std::int16_t{-1}), "FFFF"},
        {"(O3)", value(ItemKind::Integer4, 8), " 10"},
        {"(B8.6)", value(ItemKind::Integer4, 5), "  000101"},
        {"(Z1)", value(ItemKind::Integer4, 255), "*"},
        {"(F6.2)", value(ItemKind::Real8, 3.14159), "  3.14"},
        {"(F4.1)", value(ItemKind::Real4, 12345.0f), "****"},
        {"(E12.4)", value(ItemKind::Real8, 12345.678), "  0.1235E+05"},
        {"(1PE12.4)", value(ItemKind::Real8, 12345.678), "  1.2346E+04"},
        {"(-1PE12.4)", value(ItemKind::Real8, 12345.678), "  0.0123E+06"},
        {"(E10.3E3)", value(ItemKind::Real4, -1.5f), "-.150E+001"},
        {"(D10.3)", value(ItemKind::Real8, 0.5), " 0.500D+00"},
        {"(E10.3)", value(ItemKind::Real8, 0.0), " 0.000E+00"},
        {"(E10.3)", value(ItemKind::Real8, 1e150), " 0.100+151"},
        {"(ES10.3)", value(ItemKind::Real8, 12345.678), " 1.235E+04"},
        {"(EN10.3)", value(ItemKind::Real8, 12345.678), "12.346E+03"},
        {"(EN10.1)", value(ItemKind::Real8, 999.96), "   1.0E+03"},
        {"(G12.4)", value(ItemKind::Real8, 12.5), "   12.50    "},
        {"(G12.4)", value(ItemKind::Real8, 1e6), "  0.1000E+07"},
        {"(G12.4)", value(ItemKind::Real8, 0.01), "  0.1000E-01"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(writeStatement(c.format, {c.v}), std::string(c.record) + "\r\n") << c.format;
    }
    // A text too long for the scratch text is never placed cut.
    EXPECT_EQ(writeStatement("(F300.280)", {value(ItemKind::Real8, 1.5)}), std::string(300, '*') + "\r\n");
}

// What a WRITE to the console puts on standard output, up to the end of the run.
std::string consoleOutput(std::string_view format, std::initializer_list<Value> values) {
    TempFile capture;
    std::vector<CollectedItem> items;
    for (const Value& v : values) items.push_back({v.kind, static_cast<std::int32_t>(v.bytes.size()), v.bytes.data()});
    FormatProgram program;
    compileFormat(format, program);
    Unit console;
    console.kind = RecordKind::Console;
    console.handle = 1;
    resetConsoleWriter();
    std::fflush(stdout);
    const int saved = ::dup(1);
    const int fd = platform::openFile(capture.path(), platform::OpenAccess::Write, platform::Creation::Replace).handle;
    ::dup2(fd, 1);
    writeFormatted(console, program, items);
    closeConsoleLine();
    ::dup2(saved, 1);
    ::close(saved);
    platform::closeFile(fd);
    resetConsoleWriter();
    return capture.read();
}

TEST(FormattedWrite, ConsoleRecordsUnderCarriageControl) {
    EXPECT_EQ(consoleOutput("(4F9.0)", {value(ItemKind::Real4, 1.0f), value(ItemKind::Real4, 2.0f),
                                        value(ItemKind::Real4, 3.0f), value(ItemKind::Real4, 4.0f),
                                        value(ItemKind::Real4, 5.0f)}),
              "      1.       2.       3.       4.\r\n      5.\r\n");
}

TEST(FormattedWrite, ComplexValueTakesTwoFields) {
    float parts[2] = {1.5f, -2.0f};
    Value v{ItemKind::Complex8, std::vector<unsigned char>(8)};
    std::memcpy(v.bytes.data(), parts, 8);
    EXPECT_EQ(writeStatement("(2F5.1)", {v}), "  1.5 -2.0\r\n");
}

TEST(FormattedWrite, ErrorsOfPairingAndOfTheFile) {
    EXPECT_EQ(writeStatement("(I5)", {value(ItemKind::Real4, 1.0f)}), "error 6206");
    EXPECT_EQ(writeStatement("(F5.2)", {value(ItemKind::Integer4, 1)}), "error 6207");
    EXPECT_EQ(writeStatement("(Q)", {value(ItemKind::Integer4, 1)}), "error 6207");
    EXPECT_EQ(writeStatement("(I5)", {text("a")}), "error 6205");
    EXPECT_EQ(writeStatement("(I5,F5)", {value(ItemKind::Integer4, 1)}), "error 6987");

    Unit full;
    full.handle = platform::openFile("/dev/full", platform::OpenAccess::Write, platform::Creation::ExistingOnly).handle;
    ASSERT_GE(full.handle, 0);
    FormatProgram program;
    compileFormat("(I2)", program);
    const std::int32_t one = 1;
    const CollectedItem item{ItemKind::Integer4, 4, reinterpret_cast<const unsigned char*>(&one)};
    std::int32_t error = 0;
    try {
        writeFormatted(full, program, std::span<const CollectedItem>(&item, 1));
    } catch (const IoCondition& c) {
        error = c.number;
    }
    platform::closeFile(full.handle);
    EXPECT_EQ(error, err::DiskFull);
}

}  // namespace
}  // namespace io
