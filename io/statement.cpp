// The statement interface: begin, one call per item, end.
#include "io/statement.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "io/error_numbers.h"
#include "io/format/format_program.h"
#include "io/format/formatted_transfer.h"
#include "io/list_reader.h"
#include "io/list_writer.h"
#include "io/record_reader.h"
#include "io/run_time_error.h"
#include "io/statement_state.h"
#include "io/termination.h"
#include "io/unit_table.h"

namespace io {

namespace {

struct Statement {
    StatementKind kind = StatementKind::None;
    bool active = false;
    bool isWrite = false;
    bool executing = false;  // the first item call has started the execution
    std::int32_t designator = 0;
    CatchSet catches;
    bool listDirected = true;
    bool advance = true;
    IoOutcome early = kSuccess;  // the outcome that ended the statement early
    Unit* unit = nullptr;
    FormatProgram program;
    std::string compiledText;  // the text `program` was compiled from
    bool hasProgram = false;
    std::size_t firstItem = 0;  // this WRITE's first entry in `collected`
    std::size_t firstByte = 0;  // and its first byte in `collection`
};

struct ItemRef {
    ItemKind kind;
    std::int32_t length;
    std::size_t offset;
};

Statement current;
std::vector<Statement> suspended;  // outer WRITEs while an item's routine writes
std::vector<unsigned char> collection;
std::vector<ItemRef> collected;
std::vector<CollectedItem> itemView;

constexpr std::size_t kCollectionBlock = 20000;
constexpr std::size_t kCollectionReserve = 1000;

bool isUnitNumber(std::int32_t u) { return u >= kLowestUnit && u <= kHighestUnit; }

// Reports a check made while a statement begins; never returns.
[[noreturn]] void reportBeginError(std::int32_t number) {
    reportRunTimeError(number, 'F', StatementKind::NoStatement, {}, errorMessage(number));
    endRun(1);
}

// The designator and ADVANCE checks of beginRead and beginWrite. Returns
// a nonzero outcome when the statement returns 6314.
IoOutcome checkBegin(std::int32_t unit, bool isRead, std::optional<std::string_view> advance,
                     bool sizeGiven, CatchSet catches, bool& advancing) {
    bool valid = isUnitNumber(unit) || (isRead ? unit == DefaultInputUnit : unit == DefaultOutputUnit);
    if (!valid) {
        if (catches.all()) return err::BadUnit;
        reportBeginError(err::BadUnit);
    }
    advancing = true;
    if (advance) {
        if (keywordMatch(*advance, "NO")) advancing = false;
        else if (!keywordMatch(*advance, "YES")) reportBeginError(err::BadAdvance);
    }
    if (isRead && sizeGiven && advancing) reportBeginError(err::SizeWithAdvance);
    return kSuccess;
}

void startStatement(StatementKind kind, std::int32_t unit, std::optional<std::string_view> format,
                    bool advancing, CatchSet catches) {
    current.kind = kind;
    current.active = true;
    current.isWrite = kind == StatementKind::Write;
    current.executing = false;
    current.designator = unit;
    current.catches = catches;
    current.advance = advancing;
    current.early = kSuccess;
    current.unit = nullptr;
    current.listDirected = !format.has_value();
    if (format) {
        // Compiling has no effect but its program: an identical text reuses it.
        if (!current.hasProgram || current.compiledText != *format) {
            compileFormat(*format, current.program);
            current.compiledText.assign(format->data(), format->size());
            current.hasProgram = true;
        }
    }
}

// A caught error of a formatted READ on a file skips the rest of its record.
void skipRecordAfterCaughtError(const IoCondition& condition) {
    Unit* unit = current.unit;
    if (condition.endOfFile || current.isWrite || current.listDirected || unit == nullptr) return;
    if (unit->kind != RecordKind::FormattedSequential) return;
    try {
        advanceRecord(*unit);
    } catch (const IoCondition&) {
        // The end of the file, or a failed load, is met by the next READ.
    }
}

// The outcome rule: return the condition when the statement catches it,
// report it otherwise.
IoOutcome settle(const IoCondition& condition) {
    if (current.unit != nullptr && current.unit->kind == RecordKind::Console) {
        // A console end of file does not last; when one record serves both
        // directions, what is left of the typed line goes too.
        current.unit->endOfFileSeen = false;
        if (current.unit == &consoleInputRecord() && !unitSlot(kConsoleOutputSlot).unit) {
            current.unit->record.nextIndex = 0;
            current.unit->record.lastIndex = -1;
            current.unit->record.recordStart = 0;
        }
    }
    bool returned = current.catches.err || (condition.endOfFile && current.catches.end);
    if (!returned) reportCondition(condition);
    skipRecordAfterCaughtError(condition);
    current.early = condition.endOfFile ? kEndOfFile : condition.number;
    return current.early;
}

template <class Body>
IoOutcome execute(Body&& body) {
    if (current.early != kSuccess) return current.early;
    try {
        body();
        return kSuccess;
    } catch (const IoCondition& condition) {
        return settle(condition);
    } catch (const std::bad_alloc&) {
        return settle(IoCondition{err::NoMemory});
    }
}

void startExecution(Direction direction) {
    current.executing = true;
    Unit* unit = findUnit(current.designator, direction);
    if (unit == nullptr) {
        unit = &openImplicitly(current.designator, RecordKind::FormattedSequential,
                               direction == Direction::Reading ? "OLD" : "UNKNOWN");
    }
    current.unit = unit;
    if (!isFormattedKind(unit->kind)) raiseRunTimeError(err::FormattedOnUnformatted);
    if (direction == Direction::Reading) {
        if (unit->endOfFileSeen && unit->kind != RecordKind::Console) raiseEndOfFile(err::ReadAfterEnd);
        if (current.listDirected) startListRead(*unit);
        else startFormattedRead(*unit, current.program);
    }
}

void finishStatement() {
    current.active = false;
    current.unit = nullptr;
}

}  // namespace

bool keywordMatch(std::string_view text, std::string_view keyword) {
    if (text.size() < keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != keyword[i]) return false;
    }
    for (std::size_t i = keyword.size(); i < text.size(); ++i) {
        if (text[i] != ' ') return false;
    }
    return true;
}

std::string_view formatUpToNul(const char* text) { return std::string_view(text, std::strlen(text)); }

void reportStatementError(IoOutcome number, StatementKind kind, std::int32_t unit) {
    Unit* u = findUnit(unit, Direction::Reading);
    std::string& name = fileNameBuffer();
    if (u != nullptr) name = u->name;
    reportRunTimeError(number, 'F', kind, name, errorMessage(number));
    endRun(1);
}

StatementKind currentStatementKind() { return current.kind; }

void reportCondition(const IoCondition& condition) {
    std::string& name = fileNameBuffer();
    if (current.kind != StatementKind::Open && current.unit != nullptr) name = current.unit->name;
    reportRunTimeError(condition.number, 'F', current.kind, name, errorMessage(condition.number));
}

void resetStatements() {
    current = Statement{};
    suspended.clear();
    collection.clear();
    collection.reserve(kCollectionBlock);
    collected.clear();
}

IoOutcome beginRead(std::int32_t unit, std::optional<std::string_view> format,
                    std::optional<std::string_view> advance, std::int32_t* size, CatchSet catches) {
    bool advancing;
    if (IoOutcome o = checkBegin(unit, true, advance, size != nullptr, catches, advancing)) return o;
    startStatement(StatementKind::Read, unit, format, advancing, catches);
    return kSuccess;
}

IoOutcome readItem(ItemKind kind, void* address, std::int32_t length) {
    return execute([&] {
        if (!current.executing) startExecution(Direction::Reading);
        std::int32_t size = kind == ItemKind::Character ? length : itemSize(kind);
        if (current.listDirected) readListItem(*current.unit, kind, address, size);
        else readFormattedItem(*current.unit, current.program, kind, address, size);
    });
}

IoOutcome endRead() {
    IoOutcome outcome = execute([] {
        if (!current.executing) startExecution(Direction::Reading);
        Unit& unit = *current.unit;
        if (current.listDirected) {
            endListRead(unit);
        } else {
            unit.nonAdvancing = !current.advance;
            endFormattedRead(unit, current.program);
            unit.nonAdvancing = false;
        }
    });
    finishStatement();
    return outcome;
}

IoOutcome beginWrite(std::int32_t unit, std::optional<std::string_view> format,
                     std::optional<std::string_view> advance, CatchSet catches) {
    bool advancing;
    if (IoOutcome o = checkBegin(unit, false, advance, false, catches, advancing)) return o;
    if (current.active) {
        // An item of the statement in progress is computed by a routine that
        // writes: set the outer statement aside until this one ends.
        suspended.push_back(std::move(current));
        current = Statement{};
    }
    startStatement(StatementKind::Write, unit, format, advancing, catches);
    current.firstItem = collected.size();
    current.firstByte = collection.size();
    return kSuccess;
}

IoOutcome writeItem(ItemKind kind, const void* value, std::int32_t length) {
    std::size_t bytes = static_cast<std::size_t>(kind == ItemKind::Character ? length : itemSize(kind));
    if (collection.capacity() - collection.size() < kCollectionReserve + bytes) {
        collection.reserve(collection.capacity() + kCollectionBlock + bytes);
    }
    std::size_t offset = collection.size();
    const unsigned char* p = static_cast<const unsigned char*>(value);
    collection.insert(collection.end(), p, p + bytes);
    collected.push_back({kind, static_cast<std::int32_t>(bytes), offset});
    return kSuccess;
}

IoOutcome endWrite() {
    IoOutcome outcome = execute([] {
        startExecution(Direction::Writing);
        itemView.clear();
        for (std::size_t i = current.firstItem; i < collected.size(); ++i) {
            const ItemRef& r = collected[i];
            itemView.push_back({r.kind, r.length, collection.data() + r.offset});
        }
        if (current.listDirected) writeListDirected(*current.unit, itemView);
        else writeFormatted(*current.unit, current.program, itemView);
    });
    collected.resize(current.firstItem);
    collection.resize(current.firstByte);
    finishStatement();
    if (!suspended.empty()) {
        current = std::move(suspended.back());
        suspended.pop_back();
    }
    return outcome;
}

IoOutcome openUnit(std::int32_t unit, const OpenSpecifiers& specifiers, CatchSet catches) {
    if (!isUnitNumber(unit)) return err::BadUnit;
    startStatement(StatementKind::Open, unit, std::nullopt, true, catches);
    fileNameBuffer().clear();
    IoOutcome outcome = execute([&] { openUnitStatement(unit, specifiers); });
    finishStatement();
    return outcome;
}

IoOutcome closeUnit(std::int32_t unit, std::optional<std::string_view> status, CatchSet catches) {
    if (status && !keywordMatch(*status, "KEEP") && !keywordMatch(*status, "DELETE")) return err::BadStatus;
    startStatement(StatementKind::Close, unit, std::nullopt, true, catches);
    IoOutcome outcome = execute([&] {
        if (Unit* u = findUnit(unit, Direction::Writing)) fileNameBuffer() = u->name;
        closeUnitStatement(unit, status);
    });
    finishStatement();
    return outcome;
}

}  // namespace io
