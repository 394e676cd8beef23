// List-directed input: values split at blanks, commas, slashes and record
// ends, with repeat counts and null values.
#include "io/list_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "io/error_numbers.h"
#include "io/format/input_field.h"
#include "io/logical_value.h"
#include "io/number/convert.h"
#include "io/record_reader.h"
#include "io/run_time_error.h"
#include "io/value_text.h"

namespace io {

namespace {

enum class ScanMode : std::uint8_t { Plain, Parenthesised, Quoted };

// The state of the READ statement in progress. The value's text is in
// valueText(); for a quoted value it holds the characters the item takes.
struct ListState {
    char lastSeparator = ',';  // a blank stands for blank, tab, record end and ")"
    std::int32_t repeatRemaining = 0;
    bool valueEndedRecord = false;  // the current value was ended by its record end
    ScanMode scanMode = ScanMode::Plain;
    char quoteChar = 0;
    std::int32_t commaPosition = -1;  // of the comma inside parentheses
};

ListState list;

bool isRecordEnd(int c) { return c == kLineFeed || c == kCarriageReturn; }
bool isBlank(int c) { return c == ' ' || c == '\t'; }

char separatorOf(int c) {
    if (isBlank(c) || isRecordEnd(c) || c == ')') return ' ';
    return static_cast<char>(c);
}

// "r*": the count before the star. A second star in one value, an empty,
// zero or negative count are errors.
void takeRepeatCount(std::string& text) {
    if (list.repeatRemaining != 0) raiseRunTimeError(err::SecondRepeatMark);
    if (text.empty()) raiseRunTimeError(err::BadRepeatCount);
    const std::int32_t count = convertInteger(text);
    if (count <= 0) raiseRunTimeError(err::BadRepeatCount);
    list.repeatRemaining = count - 1;
    text.clear();
}

// A value is read whole however long it is, up to the limit of its text.
void appendToValue(std::string& text, char c) {
    if (text.size() >= kMaxValueLength) raiseRunTimeError(err::NoMemory);
    text.push_back(c);
}

// Scans the next value into valueText(); `itemBytes` limits what a quoted
// value keeps. Ends with lastSeparator set to the value's separator.
void scanValue(Unit& unit, std::int32_t itemBytes) {
    std::string& text = valueText();
    text.clear();
    list.valueEndedRecord = false;
    list.scanMode = ScanMode::Plain;
    list.commaPosition = -1;
    for (;;) {
        int c = nextChar(unit);
        if (isRecordEnd(c)) {
            // The record's text ends here: skip the rest of it through its line feed.
            stepBack(unit);
            advanceRecord(unit);
            if (list.scanMode == ScanMode::Quoted) {
                // A string goes on in the next record after its first character.
                if (isRecordEnd(nextChar(unit))) stepBack(unit);
                continue;
            }
            if (list.scanMode == ScanMode::Parenthesised) continue;
            if (text.empty() && list.repeatRemaining == 0) continue;
            list.valueEndedRecord = true;
            list.lastSeparator = ' ';
            return;
        }
        if (list.scanMode == ScanMode::Quoted) {
            if (c == list.quoteChar) {
                const int next = nextChar(unit);
                if (next != list.quoteChar) {
                    if (isRecordEnd(next)) stepBack(unit);
                    list.lastSeparator = separatorOf(next);
                    return;
                }
            }
            if (static_cast<std::int32_t>(text.size()) < itemBytes) text.push_back(static_cast<char>(c));
            continue;
        }
        if (isBlank(c)) {
            if ((text.empty() && list.repeatRemaining == 0) || list.scanMode == ScanMode::Parenthesised) continue;
            list.lastSeparator = ' ';
            return;
        }
        if (c == '(' && text.empty()) {
            list.scanMode = ScanMode::Parenthesised;
        } else if (c == ')' && list.scanMode == ScanMode::Parenthesised) {
            list.lastSeparator = ' ';
            return;
        } else if ((c == '\'' || c == '"') && text.empty()) {
            list.scanMode = ScanMode::Quoted;
            list.quoteChar = static_cast<char>(c);
            list.lastSeparator = static_cast<char>(c);
        } else if (c == '*') {
            takeRepeatCount(text);
        } else if (c == ',') {
            if (text.empty() && list.lastSeparator == ' ' && list.repeatRemaining == 0) {
                list.lastSeparator = ',';  // part of the blanks that ended the previous value
            } else if (list.scanMode != ScanMode::Parenthesised) {
                list.lastSeparator = ',';
                return;
            } else {
                list.commaPosition = static_cast<std::int32_t>(text.size());
                appendToValue(text, ',');
            }
        } else if (c == '/') {
            list.lastSeparator = '/';
            return;
        } else {
            appendToValue(text, static_cast<char>(c));
        }
    }
}

void storeComplex(std::string_view text, ItemKind kind, void* address) {
    if (list.scanMode != ScanMode::Parenthesised) raiseRunTimeError(err::ValueForm);
    if (list.commaPosition < 0) raiseRunTimeError(err::ComplexComma);
    const ItemKind part = kind == ItemKind::Complex8 ? ItemKind::Real4 : ItemKind::Real8;
    const std::size_t half = static_cast<std::size_t>(itemSize(part));
    unsigned char value[16];
    const auto comma = static_cast<std::size_t>(list.commaPosition);
    convertReal(text.substr(0, comma), 0, 0, part, value);
    convertReal(text.substr(comma + 1), 0, 0, part, value + half);
    std::memcpy(address, value, 2 * half);  // both parts or neither
}

// Converts the current value into one element; a null value leaves it.
void storeValue(ItemKind kind, void* address, std::int32_t bytes) {
    const std::string& text = valueText();
    if (text.empty()) return;
    if (kind == ItemKind::Character) {
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(bytes));
        std::memcpy(address, text.data(), n);
        std::memset(static_cast<char*>(address) + n, ' ', static_cast<std::size_t>(bytes) - n);
    } else if (isLogical(kind)) {
        storeLogical(logicalValue(text), kind, address);
    } else if (isComplex(kind)) {
        storeComplex(text, kind, address);
    } else {
        if (list.scanMode != ScanMode::Plain) raiseRunTimeError(err::ValueForm);
        if (isInteger(kind)) storeInteger(convertInteger(text), kind, address);
        else convertReal(text, 0, 0, kind, address);
    }
}

// One element: takes a repeated value or reads the next one, then stores it.
void readListValue(Unit& unit, ItemKind kind, void* address, std::int32_t bytes) {
    if (list.repeatRemaining > 0) {
        --list.repeatRemaining;
    } else {
        scanValue(unit, bytes);
    }
    storeValue(kind, address, bytes);
}

}  // namespace

void startListRead(Unit& /*unit*/) {
    list = ListState{};
    valueText().clear();
}

void readListItem(Unit& unit, ItemKind kind, void* address, std::int32_t size, std::int32_t count) {
    const std::int32_t bytes = kind == ItemKind::Character ? size : itemSize(kind);
    auto* element = static_cast<unsigned char*>(address);
    for (std::int32_t i = 0; i < count; ++i, element += bytes) {
        // After a slash the elements still to come keep their values.
        if (list.lastSeparator == '/' && list.repeatRemaining == 0) return;
        readListValue(unit, kind, element, bytes);
    }
}

void endListRead(Unit& unit) {
    if (!list.valueEndedRecord) advanceRecord(unit);
}

}  // namespace io
