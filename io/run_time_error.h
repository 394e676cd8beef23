// Raising and reporting run-time errors.
//
// A condition met while a statement executes is thrown as an IoCondition and
// unwinds to the statement call that started the execution; there the outcome
// rule decides whether it is returned to the caller or reported.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "io/types.h"

namespace io {

struct IoCondition {
    std::int32_t number;     // 6000..6999
    bool endOfFile = false;  // an end-of-file condition (6501, 6405)
};

[[noreturn]] void raiseRunTimeError(std::int32_t number);
[[noreturn]] void raiseEndOfFile(std::int32_t number = 6501);

// The fixed message of an F-class error number; empty when it has none.
std::string_view errorMessage(std::int32_t number);

// The report's bytes, exactly as they go to standard error.
std::string formatReport(std::int32_t number, char classLetter, StatementKind kind,
                         std::string_view unitName, std::string_view message);

// Writes the report to standard error; then ends the run with status 1,
// unless the exit-time actions are already running.
void reportRunTimeError(std::int32_t number, char classLetter, StatementKind kind,
                        std::string_view unitName, std::string_view message);

}  // namespace io
