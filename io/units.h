// The table of units: opening, finding and closing connections.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "io/types.h"
#include "io/unit.h"

namespace io {

inline constexpr int kUnitSlots = 65;
inline constexpr int kFirstNumberedSlot = 1;
inline constexpr int kLastNumberedSlot = 61;
inline constexpr int kConsoleInputSlot = 62;
inline constexpr int kConsoleOutputSlot = 63;
inline constexpr int kInternalFileSlot = 64;
inline constexpr std::int32_t kFreeSlot = INT32_MIN;
inline constexpr std::size_t kMaxFileName = 259;

// The specifiers of one OPEN, in the order they are checked; absent ones
// take their defaults.
struct OpenSpecifiers {
    std::optional<std::string_view> file = std::nullopt;
    std::optional<std::string_view> status = std::nullopt;
    std::optional<std::string_view> access = std::nullopt;
    std::optional<std::string_view> form = std::nullopt;
    std::optional<std::int32_t> recl = std::nullopt;
    std::optional<std::string_view> blank = std::nullopt;
    std::optional<std::string_view> position = std::nullopt;
    std::optional<std::string_view> action = std::nullopt;
    std::optional<std::string_view> delim = std::nullopt;
    std::optional<std::string_view> pad = std::nullopt;
    std::optional<std::int32_t> blockSize = std::nullopt;
    std::optional<std::string_view> carriageControl = std::nullopt;
    std::optional<std::int32_t> windowFocus = std::nullopt;
    std::optional<std::string_view> accessMode = std::nullopt;
    std::optional<std::string_view> share = std::nullopt;
    std::optional<std::string_view> windowTitle = std::nullopt;
};

enum class Direction : std::uint8_t { Reading, Writing };

// Start-up of the layer: creates the console and internal-file records and
// frees every numbered slot. Also the reset between tests.
void initializeUnits();

// Releases every unit record (the last exit-time action).
void releaseUnits();

// The unit a statement uses, or nullptr when the number is not connected.
Unit* findUnit(std::int32_t unit, Direction direction);

// OPEN. Raises its errors as conditions of the statement in progress.
void openUnitStatement(std::int32_t unit, const OpenSpecifiers& specifiers);

// Connects an unconnected unit named by a READ or WRITE.
Unit& openImplicitly(std::int32_t unit, RecordKind kind, std::string_view status);

// CLOSE of a connected unit (nothing happens for one that is not).
void closeUnitStatement(std::int32_t unit, std::optional<std::string_view> status);

// Closes every unit of slots 1..61; scratch files are deleted.
void closeAllUnits();

// The name being connected, or the unit name for a report.
std::string& fileNameBuffer();

// The command-line arguments that a blank file name takes, from index 1 on.
void setArguments(int count, const char* const* vector);
int argumentCursor();

// Drops leading and trailing blanks (only 0x20).
std::string_view trimBlanks(std::string_view text);

}  // namespace io
