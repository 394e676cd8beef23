// Taking one item's field from the current record and storing its value.
#include "io/format/input_field.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>

#include "io/error_numbers.h"
#include "io/logical_value.h"
#include "io/number/convert.h"
#include "io/record_reader.h"
#include "io/run_time_error.h"
#include "io/value_text.h"
#include "platform/platform.h"

namespace io {

std::string& valueText() {
    static std::string text = [] {
        std::string s;
        s.reserve(kValueTextSize);
        return s;
    }();
    return text;
}

[[noreturn]] void raisePairingError(ItemKind kind) {
    if (kind == ItemKind::Character) raiseRunTimeError(err::CharacterPairing);
    if (isInteger(kind)) raiseRunTimeError(err::IntegerPairing);
    if (isLogical(kind)) raiseRunTimeError(err::LogicalPairing);
    raiseRunTimeError(err::RealPairing);
}

namespace {

constexpr std::int32_t kMaxRadixWidth = 520;

bool isRecordEnd(int c) { return c == kLineFeed || c == kCarriageReturn; }

bool isRealItem(ItemKind kind) { return isReal(kind) || isComplex(kind); }

// Bytes of one element: the given length for a character item.
std::int32_t elementBytes(ItemKind kind, std::int32_t size) {
    return kind == ItemKind::Character ? size : itemSize(kind);
}

// The text of numeric fields: room for 260 characters and the zeros that
// may be added to them; it grows only for a wider field.
struct FieldText {
    std::unique_ptr<char[]> data = std::make_unique<char[]>(2 * kValueTextSize);
    std::size_t capacity = 2 * kValueTextSize;

    char* grow(std::size_t used) {
        if (capacity >= kMaxValueLength) raiseRunTimeError(err::NoMemory);
        auto larger = std::make_unique<char[]>(capacity * 2);
        std::memcpy(larger.get(), data.get(), used);
        data = std::move(larger);
        capacity *= 2;
        return data.get();
    }
};

FieldText fieldText;

enum class FieldStep : std::uint8_t { Next, End, EndOfFile };

// What a character means inside a numeric field.
enum class FieldClass : std::uint8_t { Other, RecordEnd, Comma, CtrlZ, Blank, Sign, Point, Zero };

constexpr auto kFieldClasses = [] {
    std::array<FieldClass, 256> classes{};
    classes[kLineFeed] = classes[kCarriageReturn] = FieldClass::RecordEnd;
    classes[','] = FieldClass::Comma;
    classes[kCtrlZ] = FieldClass::CtrlZ;
    classes[' '] = classes['\t'] = FieldClass::Blank;
    classes['+'] = classes['-'] = FieldClass::Sign;
    classes['.'] = FieldClass::Point;
    classes['0'] = FieldClass::Zero;
    return classes;
}();

// The text of a numeric field of up to w characters. Blanks are dropped or
// stand as zeros; a real's lone sign or point gets a zero so that it reads
// as zero; an integer's leading zeros are dropped.
std::string_view takeNumericField(Unit& unit, EditState& state, std::int32_t w, ItemKind kind,
                                  StepKind descriptor) {
    char* out = fieldText.data.get();
    std::size_t n = 0;
    const bool real = isRealItem(kind);
    const bool keepLeadingZero = real || isLogical(kind);
    const bool blanksAreZeros = state.blanksAreZeros;

    // One character taken from the record (not a record end).
    auto take = [&](unsigned char c) __attribute__((always_inline)) {
        switch (kFieldClasses[c]) {
        case FieldClass::Comma: return FieldStep::End;
        case FieldClass::CtrlZ: return FieldStep::EndOfFile;
        case FieldClass::Blank:
            if (blanksAreZeros && n > 0) {
                const char last = out[n - 1];
                if ((last != 'E' && last != 'e') || descriptor == StepKind::Z) out[n++] = '0';
            }
            return FieldStep::Next;
        case FieldClass::Sign:
            out[n++] = static_cast<char>(c);
            if (real && n == 1) out[n++] = '0';
            return FieldStep::Next;
        case FieldClass::Point:
            if (real && n == 0) out[n++] = '0';
            out[n++] = '.';
            return FieldStep::Next;
        case FieldClass::Zero:
            if (n > 0 || keepLeadingZero) out[n++] = '0';
            return FieldStep::Next;
        default:
            out[n++] = static_cast<char>(c);
            return FieldStep::Next;
        }
    };

    std::int32_t taken = 0;  // characters taken from the record
    FieldStep step = FieldStep::Next;
    RecordBuffer& r = unit.record;
    if (w <= kValueTextSize && r.lastIndex - r.nextIndex >= w - 1) {
        // The whole field is in the buffer (and fits the text with its zeros).
        const unsigned char* p = r.data.get() + r.nextIndex;
        while (taken < w && kFieldClasses[p[taken]] != FieldClass::RecordEnd) {
            step = take(p[taken++]);
            if (step != FieldStep::Next) break;
        }
        r.nextIndex += taken;
    } else {
        while (taken < w) {
            if (n + 2 > fieldText.capacity) out = fieldText.grow(n);
            const int c = nextChar(unit);
            if (isRecordEnd(c)) {
                stepBack(unit);
                break;
            }
            ++taken;
            step = take(static_cast<unsigned char>(c));
            if (step != FieldStep::Next) break;
        }
    }
    state.recordCharCount += taken;
    if (step == FieldStep::EndOfFile) {
        unit.endOfFileSeen = true;
        raiseEndOfFile();
    }
    return std::string_view(out, n);
}

void readInteger(Unit& unit, EditState& state, const Descriptor& descriptor, ItemKind kind,
                 void* address) {
    if (!isInteger(kind)) raisePairingError(kind);
    const std::string_view text = takeNumericField(unit, state, descriptor.w, kind, descriptor.kind);
    storeInteger(text.empty() ? 0 : convertInteger(text), kind, address);
}

void readReal(Unit& unit, EditState& state, const Descriptor& descriptor, ItemKind kind, void* address) {
    if (!isReal(kind)) raisePairingError(kind);
    const std::string_view text = takeNumericField(unit, state, descriptor.w, kind, descriptor.kind);
    if (!text.empty()) {
        convertReal(text, state.scaleFactor, descriptor.d, kind, address);
    } else if (kind == ItemKind::Real4) {
        const float zero = 0.0f;
        std::memcpy(address, &zero, sizeof zero);
    } else {
        const double zero = 0.0;
        std::memcpy(address, &zero, sizeof zero);
    }
}

// L: an optional point and T or F as the field's first letters, the rest of
// the field ignored; a field that is empty or all blank is false.
void readLogicalField(Unit& unit, EditState& state, const Descriptor& descriptor, ItemKind kind,
                      void* address) {
    if (!isLogical(kind)) raisePairingError(kind);
    std::string& text = valueText();
    text.clear();
    for (std::int32_t i = 0; i < descriptor.w; ++i) {
        const int c = nextChar(unit);
        if (isRecordEnd(c)) {
            stepBack(unit);
            break;
        }
        ++state.recordCharCount;
        if (c == ',') break;
        if ((c == ' ' || c == '\t') && text.empty()) continue;
        if (text.size() < 2) text.push_back(static_cast<char>(c));  // a point and the letter decide
    }
    storeLogical(!text.empty() && logicalValue(text), kind, address);
}

// A: the rightmost n characters of a wider field; a narrower field (or the
// rest of a short record) followed by blanks.
void readCharacters(Unit& unit, EditState& state, const Descriptor& descriptor,
                    unsigned char* item, std::int32_t n) {
    const std::int32_t w = descriptor.w > 0 ? descriptor.w : n;
    std::int32_t filled = 0;
    bool recordEnded = false;
    for (std::int32_t i = n; i < w; ++i) {
        if (isRecordEnd(nextChar(unit))) {
            stepBack(unit);
            recordEnded = true;
            break;
        }
        ++state.recordCharCount;
    }
    const std::int32_t take = std::min(w, n);
    while (!recordEnded && filled < take) {
        const int c = nextChar(unit);
        if (isRecordEnd(c) && unit.kind != RecordKind::Internal) {
            stepBack(unit);
            if (!unit.pad && unit.kind != RecordKind::Console) raiseRunTimeError(err::ShortRecordNoPad);
            break;
        }
        item[filled++] = static_cast<unsigned char>(c);
        ++state.recordCharCount;
    }
    std::memset(item + filled, ' ', static_cast<std::size_t>(n - filled));
}

int radixDigit(char c, int radix) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    return digit < radix ? digit : -1;
}

// Z, O, B: the digits right-aligned in 2, 3 or 8 digits per byte of the item.
void readRadix(Unit& unit, EditState& state, const Descriptor& descriptor, ItemKind kind,
               unsigned char* item, std::int32_t bytes) {
    int radix = 16, bitsPerDigit = 4, digitsPerByte = 2, error = err::BadHexDigit;
    if (descriptor.kind == StepKind::O) radix = 8, bitsPerDigit = 3, digitsPerByte = 3, error = err::BadOctalDigit;
    if (descriptor.kind == StepKind::B) radix = 2, bitsPerDigit = 1, digitsPerByte = 8, error = err::BadBinaryDigit;

    const std::int32_t w = descriptor.w > 0 ? descriptor.w : std::min(digitsPerByte * bytes, kMaxRadixWidth);
    const std::string_view text = takeNumericField(unit, state, w, kind, descriptor.kind);
    const auto length = static_cast<std::int32_t>(text.size());
    for (const char c : text) {
        if (radixDigit(c, radix) < 0) raiseRunTimeError(error);
    }
    const std::int32_t used = std::min(length, digitsPerByte * bytes);

    if (radix == 8) {
        std::uint32_t value = 0;
        for (std::int32_t i = length - used; i < length; ++i)
            value = value * 8 + static_cast<std::uint32_t>(radixDigit(text[i], 8));
        std::memcpy(item, &value, static_cast<std::size_t>(std::min<std::int32_t>(bytes, 4)));
        return;
    }
    std::memset(item, 0, static_cast<std::size_t>(bytes));
    for (std::int32_t j = 0; j < used; ++j) {
        const int digit = radixDigit(text[length - 1 - j], radix);
        const std::int32_t bit = j * bitsPerDigit;
        item[bit / 8] |= static_cast<unsigned char>(digit << (bit % 8));
    }
}

// Characters left in the current record before its LF, not counting a CR
// just before the LF. Looks ahead without moving the position: first in the
// buffer (loading the next chunk when it is used up), then, for a record
// that runs on, in the file itself.
std::int32_t charactersLeft(Unit& unit) {
    const RecordBuffer& r = unit.record;
    if (r.lastIndex < r.nextIndex) {
        nextChar(unit);
        stepBack(unit);
    }
    std::int32_t count = 0;
    bool lastWasCr = false;
    for (std::int32_t i = r.nextIndex; i <= r.lastIndex; ++i) {
        if (r.data[i] == kLineFeed) return count - (lastWasCr ? 1 : 0);
        lastWasCr = r.data[i] == kCarriageReturn;
        ++count;
    }
    if (unit.seekable) {
        unsigned char chunk[512];
        std::int64_t offset = r.filePosition;
        for (;;) {
            const std::int64_t n = platform::readBytesAt(unit.handle, chunk, sizeof chunk, offset);
            if (n <= 0) break;
            for (std::int64_t i = 0; i < n; ++i) {
                if (chunk[i] == kLineFeed) return count - (lastWasCr ? 1 : 0);
                lastWasCr = chunk[i] == kCarriageReturn;
                ++count;
            }
            offset += n;
        }
    }
    return count - (lastWasCr ? 1 : 0);
}

// Q: the count goes to an integer or logical with the range check, to a real
// as a real value, to any other item as the bytes of a 4-byte integer.
void storeCount(std::int32_t count, ItemKind kind, void* address, std::int32_t bytes) {
    if (isInteger(kind)) {
        storeInteger(count, kind, address);
    } else if (isLogical(kind)) {
        const auto asInteger = static_cast<ItemKind>(static_cast<int>(ItemKind::Integer1) +
                                                     static_cast<int>(kind) - static_cast<int>(ItemKind::Logical1));
        storeInteger(count, asInteger, address);
    } else if (kind == ItemKind::Real4 || kind == ItemKind::Complex8) {
        const float value = static_cast<float>(count);
        std::memcpy(address, &value, sizeof value);
    } else if (kind == ItemKind::Real8 || kind == ItemKind::Complex16) {
        const double value = count;
        std::memcpy(address, &value, sizeof value);
    } else {
        std::memcpy(address, &count, static_cast<std::size_t>(std::min<std::int32_t>(bytes, 4)));
    }
}

}  // namespace

void readField(Unit& unit, EditState& state, const Descriptor& descriptor, ItemKind kind,
               void* address, std::int32_t size) {
    auto* item = static_cast<unsigned char*>(address);
    const std::int32_t bytes = elementBytes(kind, size);
    switch (descriptor.kind) {
    case StepKind::I:
        readInteger(unit, state, descriptor, kind, address);
        return;
    case StepKind::F: case StepKind::D: case StepKind::E:
    case StepKind::G: case StepKind::EN: case StepKind::ES:
        readReal(unit, state, descriptor, kind, address);
        return;
    case StepKind::L:
        readLogicalField(unit, state, descriptor, kind, address);
        return;
    case StepKind::A:
        readCharacters(unit, state, descriptor, item, bytes);
        return;
    case StepKind::Z: case StepKind::O: case StepKind::B:
        readRadix(unit, state, descriptor, kind, item, bytes);
        return;
    case StepKind::Q:
        storeCount(charactersLeft(unit), kind, address, bytes);
        return;
    default:
        raisePairingError(kind);
    }
}

}  // namespace io
