// The header skipper: reads past a file's free-text header.
#pragma once

#include <cstdint>

namespace general {

// Reads the unit's lines up to and including the first one that begins
// "==", then the next line into the first 60 characters of `text` (the rest
// of the caller's buffer is left as it was). A file without such a line
// stops the program with a message.
void HEAD_I(const std::int32_t& unit, char* text);

inline constexpr int kHeaderLineLength = 60;

}  // namespace general
