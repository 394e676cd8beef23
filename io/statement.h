// The statement interface: every OPEN, CLOSE, READ, WRITE and STOP of the
// program goes through these calls. A statement is begun, then one call is
// made per item, then it is ended; each call returns an IoOutcome for the
// conditions its CatchSet names and reports every other condition.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "io/types.h"
#include "io/units.h"

namespace io {

// `format` absent means list-directed. A format text given as a C string
// that ends at its first NUL is formatUpToNul(text).
IoOutcome beginRead(std::int32_t unit, std::optional<std::string_view> format,
                    std::optional<std::string_view> advance, std::int32_t* size,
                    CatchSet catches);
IoOutcome readItem(ItemKind kind, void* address, std::int32_t length = 0);
IoOutcome endRead();

IoOutcome beginWrite(std::int32_t unit, std::optional<std::string_view> format,
                     std::optional<std::string_view> advance, CatchSet catches);
// The value is copied at the call: `length` bytes for a character item.
IoOutcome writeItem(ItemKind kind, const void* value, std::int32_t length = 0);
IoOutcome endWrite();

IoOutcome openUnit(std::int32_t unit, const OpenSpecifiers& specifiers, CatchSet catches);
IoOutcome closeUnit(std::int32_t unit, std::optional<std::string_view> status, CatchSet catches);

// A text specifier matches an upper-case keyword when its characters equal
// the keyword's, letters compared without regard to case, and only blanks follow.
bool keywordMatch(std::string_view text, std::string_view keyword);

std::string_view formatUpToNul(const char* text);

// Reports a returned outcome as if the statement had not caught it, with the
// unit's name, and ends the run.
[[noreturn]] void reportStatementError(IoOutcome number, StatementKind kind, std::int32_t unit);

// Forgets any statement in progress (start-up and tests).
void resetStatements();

}  // namespace io
