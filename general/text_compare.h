// Three-way comparison of two fixed-length texts, the shorter one padded with blanks.
#pragma once

#include <string_view>

namespace general {

// -1, 0 or +1.
int textCompare(std::string_view a, std::string_view b);

}  // namespace general
