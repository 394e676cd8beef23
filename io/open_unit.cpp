// OPEN: the specifiers, their defaults and the name of the file; and the
// connection made on the spot for a READ or WRITE of an unconnected unit.
#include <string>

#include "io/error_numbers.h"
#include "io/run_time_error.h"
#include "io/statement.h"
#include "io/unit_table.h"
#include "io/units.h"
#include "platform/platform.h"

namespace io {

namespace {

enum class Access : std::uint8_t { Sequential, Direct, Append };
enum class Form : std::uint8_t { Formatted, Unformatted, Binary };

// Keywords in matching order; the index of the one matched is the value.
constexpr std::string_view kStatusWords[] = {"OLD", "NEW", "SCRATCH", "REPLACE", "UNKNOWN"};
constexpr std::string_view kPositionWords[] = {"ASIS", "REWIND", "APPEND"};
constexpr std::string_view kAccessWords[] = {"SEQUENTIAL", "DIRECT", "APPEND"};
constexpr std::string_view kFormWords[] = {"FORMATTED", "UNFORMATTED", "BINARY"};
constexpr std::string_view kBlankWords[] = {"NULL", "ZERO"};
constexpr std::string_view kActionWords[] = {"READWRITE", "READ", "WRITE"};
constexpr Action kActions[] = {Action::ReadWrite, Action::Read, Action::Write};
constexpr std::string_view kDelimWords[] = {"NONE", "APOSTROPHE", "QUOTE"};
constexpr std::string_view kPadWords[] = {"YES", "NO"};
constexpr std::string_view kCarriageWords[] = {"FORTRAN", "LIST"};
constexpr std::string_view kAccessModeWords[] = {"READ", "READWRITE", "WRITE"};
constexpr Action kAccessModes[] = {Action::Read, Action::ReadWrite, Action::Write};
constexpr std::string_view kShareWords[] = {"DENYNONE", "COMPAT", "DENYRD", "DENYWR", "DENYRW"};

constexpr std::int32_t kFormattedRecordLength = 1024;
constexpr std::int32_t kUnformattedRecordLength = 65536;
constexpr std::int64_t kBlockUnit = 512;
constexpr std::int64_t kLargestBlock = 2147483136;

// The index of the keyword a given specifier matches, the fallback when it
// is absent; a text that matches none is the error given.
template <std::size_t N>
int choose(const std::optional<std::string_view>& text, const std::string_view (&keywords)[N], int fallback,
           std::int32_t error) {
    if (!text) return fallback;
    for (std::size_t i = 0; i < N; ++i) {
        if (keywordMatch(*text, keywords[i])) return static_cast<int>(i);
    }
    raiseRunTimeError(error);
}

std::int32_t recordLengthOf(const std::optional<std::int32_t>& recl, Access access, Form form) {
    if (recl) {
        if (*recl < 0) raiseRunTimeError(err::NegativeRecl);
        return *recl;
    }
    if (access == Access::Direct) raiseRunTimeError(err::MissingRecl);
    return form == Form::Formatted ? kFormattedRecordLength : kUnformattedRecordLength;
}

std::int32_t blockSizeOf(const std::optional<std::int32_t>& given) {
    if (!given || *given <= 0) return 0;
    const std::int64_t rounded = (*given + kBlockUnit - 1) / kBlockUnit * kBlockUnit;
    return static_cast<std::int32_t>(std::min(rounded, kLargestBlock));
}

RecordKind kindOf(Access access, Form form) {
    const bool direct = access == Access::Direct;
    switch (form) {
    case Form::Formatted: return direct ? RecordKind::FormattedDirect : RecordKind::FormattedSequential;
    case Form::Binary: return direct ? RecordKind::BinaryDirect : RecordKind::BinarySequential;
    case Form::Unformatted: break;
    }
    return direct ? RecordKind::UnformattedDirect : RecordKind::UnformattedSequential;
}

// "ZZ", a letter, and the last five digits of the process number: the first
// letter for which no file of that name exists.
std::string scratchName() {
    std::string digits = std::to_string(platform::processId() % 100000);
    digits.insert(0, 5 - digits.size(), '0');
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        std::string name = "ZZ" + std::string(1, letter) + digits;
        if (!platform::fileExists(name)) return name;
    }
    raiseRunTimeError(err::NoScratchName);
}

void rewind(Unit& unit) {
    unit.endOfFileSeen = false;
    unit.record.nextIndex = 0;
    unit.record.lastIndex = -1;
    unit.record.filePosition = 0;
    unit.record.endsWithLineFeed = true;
    if (unit.handle >= 3) platform::seekTo(unit.handle, 0);
}

}  // namespace

void openUnitStatement(std::int32_t unit, const OpenSpecifiers& given) {
    OpenSpec settings;
    auto status = static_cast<OpenStatus>(choose(
        given.status, kStatusWords,
        static_cast<int>(given.file ? OpenStatus::Unknown : OpenStatus::Scratch), err::BadStatus));
    settings.position = static_cast<Position>(choose(given.position, kPositionWords, 0, err::BadPosition));
    auto access = static_cast<Access>(choose(given.access, kAccessWords, 0, err::BadAccess));
    if (settings.position == Position::Append) access = Access::Append;
    const int formFallback = static_cast<int>(access == Access::Direct ? Form::Unformatted : Form::Formatted);
    const auto form = static_cast<Form>(choose(given.form, kFormWords, formFallback, err::BadForm));
    settings.recordLength = recordLengthOf(given.recl, access, form);
    settings.blankAsZero = choose(given.blank, kBlankWords, 0, err::BadBlank) == 1;
    if (given.action) settings.action = kActions[choose(given.action, kActionWords, 0, err::BadAction)];
    if (given.delim && form == Form::Unformatted) raiseRunTimeError(err::DelimUnformatted);
    settings.delim = static_cast<Delim>(choose(given.delim, kDelimWords, 0, err::BadDelim));
    if (given.pad && form == Form::Unformatted) raiseRunTimeError(err::PadUnformatted);
    settings.pad = choose(given.pad, kPadWords, 0, err::BadPad) == 0;
    if (given.carriageControl) {
        settings.carriage =
            static_cast<CarriageControl>(choose(given.carriageControl, kCarriageWords, 0, err::BadCarriageControl));
    }
    if (given.accessMode) {
        settings.action = kAccessModes[choose(given.accessMode, kAccessModeWords, 0, err::BadAccessMode)];
    }
    settings.share = static_cast<Share>(choose(given.share, kShareWords, 0, err::BadShare));
    if (given.windowFocus) raiseRunTimeError(err::WindowFocus);
    if (given.windowTitle) raiseRunTimeError(err::WindowTitle);
    settings.blockSize = blockSizeOf(given.blockSize);

    std::string& name = fileNameBuffer();
    if (given.file) {
        const std::string_view text = given.file->substr(0, given.file->find('\0'));
        name = std::string(trimBlanks(text));
        if (name.empty()) acquireFileName(unit);
        if (status == OpenStatus::Scratch) raiseRunTimeError(err::FileWithScratch);
    } else {
        const Unit* connected = findUnit(unit, unit == 5 ? Direction::Reading : Direction::Writing);
        name = connected ? connected->name : scratchName();
        status = OpenStatus::Scratch;
    }
    settings.status = status;
    settings.defaultClose = status == OpenStatus::Scratch ? CloseDisposition::Delete : CloseDisposition::Keep;
    settings.append = access == Access::Append;
    settings.kind = kindOf(access, form);
    if (settings.kind == RecordKind::FormattedDirect) settings.recordLength += 2;  // room for CR LF

    Unit& connected = connectUnit(unit, settings);
    if (settings.position == Position::Rewind) rewind(connected);
}

Unit& openImplicitly(std::int32_t unit, RecordKind kind, std::string_view status) {
    fileNameBuffer().clear();
    acquireFileName(unit);
    OpenSpec settings;
    settings.kind = kind;
    const bool reading = status == "OLD";
    settings.status = reading ? OpenStatus::Old : OpenStatus::Unknown;
    settings.recordLength = isFormattedKind(kind) ? kFormattedRecordLength : kUnformattedRecordLength;
    connectUnit(unit, settings);
    return *findUnit(unit, reading ? Direction::Reading : Direction::Writing);
}

}  // namespace io
