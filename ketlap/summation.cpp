// Totals value 19 of every data record per class of the class table.
#include "ketlap/summation.h"

#include <cstdint>
#include <string_view>

#include "general/head_i.h"
#include "io/error_numbers.h"
#include "io/floating_point.h"
#include "io/format/fixed_output.h"
#include "io/statement.h"
#include "io/value_text.h"
#include "ketlap/class_index.h"

namespace ketlap {

namespace {

constexpr std::int32_t kDataUnit = 1;
constexpr std::int32_t kClassUnit = 2;
constexpr int kValueCount = 19;
constexpr int kFormatBufferLength = 65;

struct ClassTable {
    std::int32_t identifiers[kClassTableCapacity + 1];  // entries 1..count
    std::int32_t classCodes[kClassTableCapacity + 1];
    std::int32_t count;
};

struct DataRecord {
    std::int32_t identifier;
    float values[kValueCount + 1];  // values 1..19
};

ClassTable classTable;
ClassIndex classIndex;
DataRecord dataRecord;
float totals[kTotalCount];
char titleText[kFormatBufferLength];
char recordFormatText[kFormatBufferLength];

// One list-directed READ of a pair; false at the end of the file.
bool readPair(std::int32_t& identifier, std::int32_t& classCode) {
    return io::beginRead(kClassUnit, std::nullopt, std::nullopt, nullptr, io::catchEnd) == 0 &&
           io::readItem(io::ItemKind::Integer4, &identifier) == 0 &&
           io::readItem(io::ItemKind::Integer4, &classCode) == 0 && io::endRead() == 0;
}

void readClassTable() {
    std::int32_t k = 0;
    for (;;) {
        ++k;
        if (k > kClassTableCapacity) {
            // A pair beyond the table's capacity is read but never stored.
            std::int32_t identifier = 0;
            std::int32_t classCode = 0;
            if (readPair(identifier, classCode)) {
                io::reportStatementError(io::err::ClassTableFull, io::StatementKind::Read, kClassUnit);
            }
            break;
        }
        if (!readPair(classTable.identifiers[k], classTable.classCodes[k])) break;
    }
    classTable.count = k - 1;
}

// One formatted READ of a data record; false at the end of the file.
bool readDataRecord() {
    std::string_view format(recordFormatText, kFormatBufferLength);
    if (io::beginRead(kDataUnit, format, std::nullopt, nullptr, io::catchEnd) != 0) return false;
    if (io::readItem(io::ItemKind::Integer4, &dataRecord.identifier) != 0) return false;
    for (int i = 1; i <= kValueCount; ++i) {
        if (io::readItem(io::ItemKind::Real4, &dataRecord.values[i]) != 0) return false;
    }
    return io::endRead() == 0;
}

void accumulate() {
    float value = dataRecord.values[kValueCount];
    for (std::uint8_t t : totalsOf(classIndex, dataRecord.identifier)) {
        totals[t] = io::addSingle(totals[t], value);
    }
}

// The console takes the record's first character as carriage control. When
// the first total fills its whole field, a blank goes in front of the record
// so that no character of the total is lost.
std::string_view totalsFormat() {
    char text[io::kValueTextSize];
    std::string_view first = io::editFixed(io::widenSingle(totals[Class1]), true, 9, 0, 0, false, text);
    return first.size() >= 9 ? "(1X,4F9.0)" : "(4F9.0)";
}

void writeTotals() {
    io::beginWrite(io::DefaultOutputUnit, totalsFormat(), std::nullopt, io::catchNone);
    for (float total : totals) io::writeItem(io::ItemKind::Real4, &total);
    io::endWrite();
}

}  // namespace

void runSummation() {
    io::openUnit(kDataUnit, {.file = " ", .status = "OLD"}, io::catchNone);
    io::openUnit(kClassUnit, {.file = "kavlot.txt", .status = "OLD"}, io::catchNone);

    general::HEAD_I(kClassUnit, titleText);
    readClassTable();
    io::closeUnit(kClassUnit, std::nullopt, io::catchNone);
    buildClassIndex(classIndex, {classTable.identifiers + 1, static_cast<std::size_t>(classTable.count)},
                    {classTable.classCodes + 1, static_cast<std::size_t>(classTable.count)});

    general::HEAD_I(kDataUnit, recordFormatText);
    while (readDataRecord()) accumulate();
    io::closeUnit(kDataUnit, std::nullopt, io::catchNone);

    writeTotals();
}

}  // namespace ketlap
