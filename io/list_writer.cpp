// List-directed output: one record of values, each after a blank.
#include "io/list_writer.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "io/format/fixed_output.h"
#include "io/record_writer.h"

namespace io {

namespace {

std::string record;

template <class T>
T load(const unsigned char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

std::int64_t integerValue(const CollectedItem& item) {
    switch (item.kind) {
    case ItemKind::Integer1: case ItemKind::Logical1: return load<std::int8_t>(item.data);
    case ItemKind::Integer2: case ItemKind::Logical2: return load<std::int16_t>(item.data);
    default: return load<std::int32_t>(item.data);
    }
}

// The value's significant digits (7 for single, 16 for double precision),
// as a plain decimal when its exponent is moderate, else with an exponent.
void appendReal(double value, bool isSingle) {
    if (std::isnan(value)) { record += "NaN"; return; }
    if (std::isinf(value)) { record += value < 0 ? "-Infinity" : "Infinity"; return; }
    DecimalForm form = decimalForm(value);
    int limit = isSingle ? 7 : 16;
    std::string digits(form.digits, static_cast<std::size_t>(form.count));
    int exponent = form.exponent;
    if (static_cast<int>(digits.size()) > limit) {
        bool up = digits[static_cast<std::size_t>(limit)] >= '5';
        digits.resize(static_cast<std::size_t>(limit));
        for (int i = limit - 1; up && i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                up = false;
            }
        }
        if (up) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
        while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    }
    if (form.negative) record += '-';
    if (digits == "0") {
        record += "0.0";
    } else if (exponent > 0 && exponent <= limit) {
        for (int i = 0; i < exponent; ++i)
            record += i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
        record += '.';
        if (exponent < static_cast<int>(digits.size())) record.append(digits, static_cast<std::size_t>(exponent));
        else record += '0';
    } else if (exponent <= 0 && exponent > -4) {
        record += "0.";
        record.append(static_cast<std::size_t>(-exponent), '0');
        record += digits;
    } else {
        record += digits[0];
        record += '.';
        if (digits.size() > 1) record.append(digits, 1);
        else record += '0';
        record += 'E';
        record += std::to_string(exponent - 1);
    }
}

void appendValue(const CollectedItem& item) {
    switch (item.kind) {
    case ItemKind::Integer1: case ItemKind::Integer2: case ItemKind::Integer4:
        record += std::to_string(integerValue(item));
        break;
    case ItemKind::Logical1: case ItemKind::Logical2: case ItemKind::Logical4:
        record += integerValue(item) != 0 ? 'T' : 'F';
        break;
    case ItemKind::Real4: appendReal(widenSingle(load<float>(item.data)), true); break;
    case ItemKind::Real8: appendReal(load<double>(item.data), false); break;
    case ItemKind::Complex8:
        record += '(';
        appendReal(widenSingle(load<float>(item.data)), true);
        record += ',';
        appendReal(widenSingle(load<float>(item.data + 4)), true);
        record += ')';
        break;
    case ItemKind::Complex16:
        record += '(';
        appendReal(load<double>(item.data), false);
        record += ',';
        appendReal(load<double>(item.data + 8), false);
        record += ')';
        break;
    case ItemKind::Character:
        record.append(reinterpret_cast<const char*>(item.data), static_cast<std::size_t>(item.length));
        break;
    }
}

}  // namespace

void writeListDirected(Unit& unit, std::span<const CollectedItem> items) {
    record.clear();
    for (const CollectedItem& item : items) {
        record += ' ';
        appendValue(item);
    }
    writeRecord(unit, record, true);
}

}  // namespace io
